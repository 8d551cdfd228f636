#include "controls/common/FwFrameController.h"

#include "controls/common/FwRegIniFile.h"

#include <algorithm>

namespace fw {

using P = TFwFrameControllerProperty;

IFwFrameClient::~IFwFrameClient() {
  if (controller_) controller_->RemoveControl(this);
}

void IFwFrameClient::SetFrameController(TFwFrameController* controller) {
  if (controller == controller_) return;
  if (controller_) controller_->RemoveControl(this);
  if (controller) controller->AddControl(this);
}

TFwFrameController::~TFwFrameController() {
  // The controls forget their controller without calling back.
  for (IFwFrameClient* control : controls_) control->controller_ = nullptr;
}

void TFwFrameController::AddControl(IFwFrameClient* control) {
  if (!control || Contains(control)) return;
  if (control->controller_) control->controller_->RemoveControl(control);
  controls_.push_back(control);
  control->controller_ = this;
  UpdateControlFrame(control, P::fcpAll);
}

void TFwFrameController::RemoveControl(IFwFrameClient* control) {
  const auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  control->controller_ = nullptr;
  if (controls_.empty()) controls_.shrink_to_fit();
}

bool TFwFrameController::Contains(const IFwFrameClient* control) const {
  return std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

void TFwFrameController::EndUpdate() {
  if (--updateCount_ < 1) {
    updateCount_ = 0;
    UpdateControls(P::fcpAll);
  }
}

void TFwFrameController::Loaded() {
  TComponent::Loaded();
  UpdateControls(P::fcpAll);
}

void TFwFrameController::SetRegIniFile(TFwRegIniFile* value) { StoreReference(*this, regIniFile_, value); }

void TFwFrameController::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == regIniFile_) regIniFile_ = nullptr;
}

void TFwFrameController::Assign(const TFwFrameController& source) {
  if (&source == this) return;
  BeginUpdate();
  color_ = source.color_;
  parentColor_ = source.parentColor_;
  flatButtonColor_ = source.flatButtonColor_;
  flatButtons_ = source.flatButtons_;
  disabledColor_ = source.disabledColor_;
  readOnlyColor_ = source.readOnlyColor_;
  readOnlyColorOnFocus_ = source.readOnlyColorOnFocus_;
  focusColor_ = source.focusColor_;
  frameColor_ = source.frameColor_;
  frameHotColor_ = source.frameHotColor_;
  frameHotTrack_ = source.frameHotTrack_;
  frameHotStyle_ = source.frameHotStyle_;
  frameSides_ = source.frameSides_;
  frameStyle_ = source.frameStyle_;
  frameVisible_ = source.frameVisible_;
  framingPreference_ = source.framingPreference_;
  EndUpdate();
}

void TFwFrameController::UpdateControls(TFwFrameControllerProperty property) {
  if (updateCount_ != 0) return;
  // A copy: a control may leave (or be destroyed) while it takes a value.
  const std::vector<IFwFrameClient*> snapshot = controls_;
  for (IFwFrameClient* control : snapshot)
    if (Contains(control)) UpdateControlFrame(control, property);
}

void TFwFrameController::UpdateControlFrame(IFwFrameClient* control, TFwFrameControllerProperty property) {
  if (!control) return;
  const TFwFrameControllerNotifications accepted = control->FrameControllerNotifications();
  if (control->UpdateFromFrameController(*this)) return;
  if (property != P::fcpAll) {
    if (accepted & FcpBit(property)) Apply(control, property);
    return;
  }
  static constexpr P kFullOrder[] = {
      P::fcpParentColor,    P::fcpColor,           P::fcpDisabledColor,     P::fcpReadOnlyColor,
      P::fcpReadOnlyColorOnFocus, P::fcpFocusColor, P::fcpFlatButtonColor,  P::fcpFlatButtons,
      P::fcpFrameColor,     P::fcpFrameHotColor,   P::fcpFrameHotTrack,     P::fcpFrameHotStyle,
      P::fcpFrameSides,     P::fcpFrameStyle,      P::fcpFrameVisible,      P::fcpFramingPreference,
  };
  for (P p : kFullOrder) {
    if (!(accepted & FcpBit(p))) continue;
    if (p == P::fcpColor && parentColor_) continue;  // the parent's colour wins
    if (!Contains(control)) return;                   // the control left while taking a value
    Apply(control, p);
  }
}

void TFwFrameController::Apply(IFwFrameClient* control, TFwFrameControllerProperty property) {
  switch (property) {
  case P::fcpColor: control->ApplyColor(color_); break;
  case P::fcpFocusColor: control->ApplyFocusColor(focusColor_); break;
  case P::fcpDisabledColor: control->ApplyDisabledColor(disabledColor_); break;
  case P::fcpReadOnlyColor: control->ApplyReadOnlyColor(readOnlyColor_); break;
  case P::fcpReadOnlyColorOnFocus: control->ApplyReadOnlyColorOnFocus(readOnlyColorOnFocus_); break;
  case P::fcpParentColor: control->ApplyParentColor(parentColor_); break;
  case P::fcpFlatButtonColor: control->ApplyFlatButtonColor(flatButtonColor_); break;
  case P::fcpFlatButtons: control->ApplyFlatButtons(flatButtons_); break;
  case P::fcpFrameColor: control->ApplyFrameColor(frameColor_); break;
  case P::fcpFrameHotColor: control->ApplyFrameHotColor(frameHotColor_); break;
  case P::fcpFrameHotTrack: control->ApplyFrameHotTrack(frameHotTrack_); break;
  case P::fcpFrameHotStyle: control->ApplyFrameHotStyle(frameHotStyle_); break;
  case P::fcpFrameSides: control->ApplyFrameSides(frameSides_); break;
  case P::fcpFrameStyle: control->ApplyFrameStyle(frameStyle_); break;
  case P::fcpFrameVisible: control->ApplyFrameVisible(frameVisible_); break;
  case P::fcpFramingPreference: control->ApplyFramingPreference(framingPreference_); break;
  case P::fcpAll: break;
  }
}

// ---- setters ----------------------------------------------------------------------

void TFwFrameController::SetColor(TColor value) {
  if (value == color_) return;
  if (color_ == focusColor_) focusColor_ = value;
  color_ = value;
  parentColor_ = false;
  UpdateControls(P::fcpColor);
}

void TFwFrameController::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  UpdateControls(P::fcpParentColor);
  if (!value) UpdateControls(P::fcpColor);
}

void TFwFrameController::SetFlatButtonColor(TColor value) {
  if (value == flatButtonColor_) return;
  flatButtonColor_ = value;
  UpdateControls(P::fcpFlatButtonColor);
}

void TFwFrameController::SetFlatButtons(bool value) {
  if (value == flatButtons_) return;
  flatButtons_ = value;
  UpdateControls(P::fcpFlatButtons);
}

void TFwFrameController::SetDisabledColor(TColor value) {
  if (value == disabledColor_) return;
  disabledColor_ = value;
  UpdateControls(P::fcpDisabledColor);
}

void TFwFrameController::SetReadOnlyColor(TColor value) {
  if (value == readOnlyColor_) return;
  readOnlyColor_ = value;
  UpdateControls(P::fcpReadOnlyColor);
}

void TFwFrameController::SetReadOnlyColorOnFocus(bool value) { readOnlyColorOnFocus_ = value; }

void TFwFrameController::SetFocusColor(TColor value) {
  if (value == focusColor_) return;
  focusColor_ = value;
  UpdateControls(P::fcpFocusColor);
}

void TFwFrameController::SetFrameColor(TColor value) {
  if (value == frameColor_) return;
  frameColor_ = value;
  UpdateControls(P::fcpFrameColor);
}

void TFwFrameController::SetFrameHotColor(TColor value) {
  if (value == frameHotColor_) return;
  frameHotColor_ = value;
  UpdateControls(P::fcpFrameHotColor);
}

void TFwFrameController::SetFrameHotTrack(bool value) {
  if (value == frameHotTrack_) return;
  frameHotTrack_ = value;
  if (value) {
    SetFrameVisible(true);
    if (!Loading()) frameSides_ = sdAll;
  }
  UpdateControls(P::fcpFrameHotTrack);
}

void TFwFrameController::SetFrameHotStyle(TFrameStyle value) {
  if (value == frameHotStyle_) return;
  frameHotStyle_ = value;
  UpdateControls(P::fcpFrameHotStyle);
}

void TFwFrameController::SetFrameSides(TSides value) {
  if (value == frameSides_) return;
  frameSides_ = value;
  UpdateControls(P::fcpFrameSides);
}

void TFwFrameController::SetFrameStyle(TFrameStyle value) {
  if (value == frameStyle_) return;
  frameStyle_ = value;
  UpdateControls(P::fcpFrameStyle);
}

void TFwFrameController::SetFrameVisible(bool value) {
  if (value == frameVisible_) return;
  frameVisible_ = value;
  UpdateControls(P::fcpFrameVisible);
}

void TFwFrameController::SetFramingPreference(TFramingPreference value) {
  if (value == framingPreference_) return;
  framingPreference_ = value;
  UpdateControls(P::fcpFramingPreference);
}

} // namespace fw
