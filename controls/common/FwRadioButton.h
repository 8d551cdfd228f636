#pragma once
// TFwRadioButton: the library's owner-drawn radio button. Checking it unchecks every
// other radio button of the same parent. Only a checked radio button is a tab stop; one
// reached by the keyboard (not by a mouse click) is checked on arrival. An accelerator
// in the caption ("&X", pressed with Alt) focuses and clicks it.

#include "controls/common/FwCustomGlyphButton.h"

class QShortcut;

namespace fw {

class TFwRadioButton : public TFwCustomGlyphButton {
public:
  explicit TFwRadioButton(TComponent* owner);

  void SetChecked(bool value) override;

protected:
  bool GetChecked() const override { return checked_; }
  TCheckBoxState GlyphState() const override {
    return checked_ ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
  }
  void DrawClassGlyph(TCanvas& canvas, const TFwGlyphFace& face) override { DrawRadioGlyph(canvas, face); }
  void ButtonClick() override { SetChecked(true); }

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void TextChanged() override;
  void focusInEvent(QFocusEvent* event) override;

private:
  void UpdateAccelerator();
  void AcceleratorPressed();

  bool checked_ = false;
  // The focus arrives from a mouse press, which checks on release, not on arrival.
  bool focusByMouse_ = false;
  QShortcut* accelerator_ = nullptr;
};

} // namespace fw
