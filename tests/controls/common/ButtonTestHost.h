#pragma once
// A shown, active form to host buttons in tests (focus needs an active window), and
// mouse events sent straight to a control, as a captured mouse delivers them.
#include "platform/ui/Form.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>

namespace fwtest {

struct ActiveForm {
  fw::TForm form{nullptr};
  ActiveForm() {
    form.SetBounds(0, 0, 400, 200);
    form.Show();
    form.activateWindow();
    active = QTest::qWaitForWindowActive(&form);
  }
  bool active = false;
};

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint p) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}
inline void Press(QWidget* w, QPoint p = QPoint(5, 5)) { SendMouse(w, QEvent::MouseButtonPress, p); }
inline void MoveTo(QWidget* w, QPoint p) { SendMouse(w, QEvent::MouseMove, p); }
inline void Release(QWidget* w, QPoint p = QPoint(5, 5)) { SendMouse(w, QEvent::MouseButtonRelease, p); }

} // namespace fwtest
