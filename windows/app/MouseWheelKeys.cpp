#include "windows/app/MouseWheelKeys.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

namespace fw {

namespace {

constexpr int kNotch = 120;

// The widget a wheel event is delivered to: the widget itself, or the top-level widget
// of the window the system hands it to first.
QWidget* WidgetOf(QObject* watched) {
  if (watched->isWidgetType()) return static_cast<QWidget*>(watched);
  if (auto* window = qobject_cast<QWindow*>(watched))
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->windowHandle() == window) return top;
  return nullptr;
}

// The file dialogs stand for the desktop's own, which scroll with the wheel as usual:
// nothing in them (their lists, their pop-ups) is turned into keys.
bool InFileDialog(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget())
    if (qobject_cast<const QFileDialog*>(widget)) return true;
  return false;
}

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
  if (InFileDialog(WidgetOf(watched)) || InFileDialog(KeyTarget())) return QObject::eventFilter(watched, event);
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
