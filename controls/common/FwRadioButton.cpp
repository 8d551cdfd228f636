#include "controls/common/FwRadioButton.h"

#include "platform/ui/Accelerator.h"

#include <QFocusEvent>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>

namespace fw {

namespace {
constexpr int kRadioButtonCells = 6;
}

TFwRadioButton::TFwRadioButton(TComponent* owner) : TFwCustomGlyphButton(owner, kRadioButtonCells) {
  SetAlignmentVertical(TAlignmentVertical::avTop);
  SetTabStop(false);
}

void TFwRadioButton::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  SetTabStop(value);
  Invalidate();
  if (!value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TFwRadioButton*>(parent->Controls(i));
      if (sibling && sibling != this) sibling->SetChecked(false);
    }
  }
  if (!ChangingFromAction()) Click();
}

void TFwRadioButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  focusByMouse_ = true;
  QPointer<QWidget> self(this);
  TFwCustomGlyphButton::MouseDown(button, shift, x, y);
  if (self) focusByMouse_ = false;
}

void TFwRadioButton::focusInEvent(QFocusEvent* event) {
  QPointer<QWidget> self(this);
  TFwCustomGlyphButton::focusInEvent(event);
  if (!self) return;
  if (!focusByMouse_ && event->reason() != Qt::MouseFocusReason) SetChecked(true);
}

void TFwRadioButton::TextChanged() {
  TFwCustomGlyphButton::TextChanged();
  UpdateAccelerator();
}

void TFwRadioButton::UpdateAccelerator() {
  UpdateAcceleratorShortcut(accelerator_, this, Caption(), [this] { AcceleratorPressed(); });
}

void TFwRadioButton::AcceleratorPressed() {
  if (!CanFocus()) return;
  QPointer<QWidget> self(this);
  SetFocus();
  if (self) ButtonClick();
}

} // namespace fw
