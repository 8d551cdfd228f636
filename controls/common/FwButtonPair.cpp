#include "controls/common/FwButtonPair.h"

#include <algorithm>

namespace fw {

TFwButtonPair::TFwButtonPair(TComponent* owner) : TWinControl(owner) {
  SetBounds(Left(), Top(), 34, 21);
  altBtn_ = new TFwControlButton(this);
  button_ = new TFwControlButton(this);
  Wire(altBtn_, true);
  Wire(button_, false);
  altBtn_->SetVisible(false);
  ArrangeButtons();
}

void TFwButtonPair::Wire(TFwControlButton* button, bool alt) {
  button->SetParent(this);
  // Without platform themes the buttons are 17 pixels wide.
  button->SetBounds(0, 0, 17, Height());
  button->OnMouseDown = [this, button](TObject*, TMouseButton which, TShiftState, int, int) {
    if (which != TMouseButton::mbLeft) return;
    abandoned_ = false;
    if (OnButtonPress) OnButtonPress(button, abandoned_);
  };
  button->OnClick = [this, alt](TObject*) {
    if (abandoned_) return;
    alt ? DoAltBtnClick() : DoButtonClick();
  };
}

void TFwButtonPair::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  altBtn_->SetFlat(value);
  button_->SetFlat(value);
}

void TFwButtonPair::SetEnabled(bool value) {
  TWinControl::SetEnabled(value);
  altBtn_->SetEnabled(value);
  button_->SetEnabled(value);
}

void TFwButtonPair::ColorChanged() {
  TWinControl::ColorChanged();
  altBtn_->SetColor(Color());
  button_->SetColor(Color());
}

int TFwButtonPair::ShownWidth() const {
  return (button_->Visible() ? button_->Width() : 0) + (altBtn_->Visible() ? altBtn_->Width() : 0);
}

void TFwButtonPair::ArrangeButtons() {
  int x = 0;
  for (TFwControlButton* b : {button_, altBtn_}) {
    if (!b->Visible()) continue;
    b->SetBounds(x, 0, b->Width(), std::max(0, Height() - 1));
    x += b->Width();
  }
}

void TFwButtonPair::DoAltBtnClick() {
  if (OnAltBtnClick) OnAltBtnClick(this);
}

void TFwButtonPair::DoButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

} // namespace fw
