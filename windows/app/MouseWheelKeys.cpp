#include "windows/app/MouseWheelKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>
#include <cstdlib>

namespace fw {

namespace {
constexpr int kNotch = 120;
} // namespace

TMouseWheelKeys::TMouseWheelKeys() {
  if (qApp) qApp->installEventFilter(this);
}

TMouseWheelKeys::~TMouseWheelKeys() {
  if (qApp) qApp->removeEventFilter(this);
}

int TMouseWheelKeys::TakeNotches(QPoint angleDelta) {
  const int dy = angleDelta.y();
  if (dy == 0 || std::abs(angleDelta.x()) > std::abs(dy)) return 0;
  // A turn the other way starts a new sum: what was left over belongs to the old turn.
  if ((pending_ > 0 && dy < 0) || (pending_ < 0 && dy > 0)) pending_ = 0;
  pending_ += dy;
  const int notches = pending_ / kNotch;
  pending_ -= notches * kNotch;
  return notches;
}

QWidget* TMouseWheelKeys::KeyTarget() { return QApplication::focusWidget(); }

bool TMouseWheelKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
  auto* wheel = static_cast<QWheelEvent*>(event);
  const QPoint delta = wheel->angleDelta();
  // Horizontal turns are left to the controls.
  if (std::abs(delta.x()) > std::abs(delta.y())) return QObject::eventFilter(watched, event);
  const int notches = TakeNotches(delta);
  QWidget* target = KeyTarget();
  if (target) {
    const int key = notches > 0 ? Qt::Key_Up : Qt::Key_Down;
    for (int i = 0; i < std::abs(notches); ++i) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(target, &press);
    }
  }
  // The wheel event itself goes no further, whole notch or not.
  return true;
}

} // namespace fw
