#pragma once
// TFwCustomCheckBox / TFwCheckBox: the library's owner-drawn check box. A click, or
// Space released after Space went down on it, toggles the state: unchecked -> checked ->
// unchecked, or with AllowGrayed unchecked -> grayed -> checked -> unchecked. Every real
// change of State fires the click event, except one that comes from the action.

#include "controls/common/FwCustomGlyphButton.h"

namespace fw {

class TFwCustomCheckBox : public TFwCustomGlyphButton {
public:
  explicit TFwCustomCheckBox(TComponent* owner);

  TCheckBoxState State() const { return state_; }
  virtual void SetState(TCheckBoxState value);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  void SetChecked(bool value) override;
  // One step of the click cycle.
  void Toggle();

protected:
  bool GetChecked() const override { return state_ == TCheckBoxState::cbChecked; }
  TCheckBoxState GlyphState() const override { return state_; }
  void DrawClassGlyph(TCanvas& canvas, const TFwGlyphFace& face) override { DrawCheckGlyph(canvas, face); }
  void ButtonClick() override { Toggle(); }

  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
  // Space went down on the control and has not come up yet.
  bool keyPressed_ = false;
};

class TFwCheckBox : public TFwCustomCheckBox {
public:
  using TFwCustomCheckBox::TFwCustomCheckBox;
};

} // namespace fw
