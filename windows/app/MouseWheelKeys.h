#pragma once
// TMouseWheelKeys: the program-wide mouse-wheel hook of the main window. Every vertical
// wheel event of any window of the program is turned, before it is delivered, into key
// presses for the control that has the focus: Up for each whole notch away from the
// user, Down for each notch towards the user, so lists and fields move one row or item
// per notch wherever the mouse is.
//
// Deltas are summed to whole notches of 120 (fine-grained wheels and touch pads send
// parts of a notch), a zero delta does nothing, and horizontal wheel events are left to
// the controls. The file dialogs are left alone: they scroll with the wheel.

#include <QObject>
#include <QPoint>

class QWidget;

namespace fw {

class TMouseWheelKeys : public QObject {
public:
  // Installs the hook on the application; it goes when the object goes.
  TMouseWheelKeys();
  ~TMouseWheelKeys() override;

  // One wheel delta (Qt's angle delta: y positive away from the user) into the number
  // of key presses: positive for Up, negative for Down, 0 while less than a notch has
  // been summed. A horizontal or zero delta gives 0 and keeps the sum.
  int TakeNotches(QPoint angleDelta);

  // The control the key presses go to: the focused widget of the program.
  static QWidget* KeyTarget();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  int pending_ = 0;
};

} // namespace fw
