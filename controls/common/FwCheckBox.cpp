#include "controls/common/FwCheckBox.h"

#include <QPointer>

namespace fw {

namespace {
constexpr int kCheckBoxCells = 9;
}

TFwCustomCheckBox::TFwCustomCheckBox(TComponent* owner) : TFwCustomGlyphButton(owner, kCheckBoxCells) {
  SetAlignmentVertical(TAlignmentVertical::avTop);
}

void TFwCustomCheckBox::SetState(TCheckBoxState value) {
  if (value == state_) return;
  state_ = value;
  Invalidate();
  if (!ChangingFromAction()) Click();
}

void TFwCustomCheckBox::SetChecked(bool value) {
  SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TFwCustomCheckBox::Toggle() {
  switch (state_) {
  case TCheckBoxState::cbUnchecked:
    SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
    break;
  case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
  case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
  }
}

void TFwCustomCheckBox::KeyDown(WORD& key, TShiftState shift) {
  QPointer<QWidget> self(this);
  TFwCustomGlyphButton::KeyDown(key, shift);
  if (!self) return;
  if (key == VK_SPACE && !keyPressed_) {
    keyPressed_ = true;
    SetPressed(true);
  } else if (key == VK_ESCAPE && keyPressed_) {
    // Escape takes the press back; the Space that follows toggles nothing.
    keyPressed_ = false;
    SetPressed(false);
  }
}

void TFwCustomCheckBox::KeyUp(WORD& key, TShiftState shift) {
  QPointer<QWidget> self(this);
  TFwCustomGlyphButton::KeyUp(key, shift);
  if (!self || key != VK_SPACE || !keyPressed_) return;
  keyPressed_ = false;
  SetPressed(false);
  Toggle();
}

void TFwCustomCheckBox::focusOutEvent(QFocusEvent* event) {
  // Losing the focus ends a key press without toggling.
  if (keyPressed_) {
    keyPressed_ = false;
    SetPressed(false);
  }
  TFwCustomGlyphButton::focusOutEvent(event);
}

} // namespace fw
