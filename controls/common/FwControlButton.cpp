#include "controls/common/FwControlButton.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwGlyphs.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Setters.h"
#include "platform/ui/Timer.h"

namespace fw {

TFwControlButton::TFwControlButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  SetColor(clBtnFace);
  resize(17, 21);
}

TFwControlButton::~TFwControlButton() = default;

void TFwControlButton::SetFlat(bool value) { SetAndInvalidate(*this, flat_, value); }

void TFwControlButton::SetStyle(TFwControlButtonStyle value) { SetAndInvalidate(*this, style_, value); }

void TFwControlButton::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (value == numGlyphs_) return;
  numGlyphs_ = value;
  Invalidate();
}

void TFwControlButton::SetGlyph(const TBitmap& value) {
  glyph_->Assign(value);
  const int w = glyph_->Width(), h = glyph_->Height();
  if (w > 0 && h > 0 && w % h == 0) {
    const int cells = w / h;
    numGlyphs_ = cells > 4 ? 1 : cells;
  }
  Invalidate();
}

void TFwControlButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  if (!pressed_) {
    pressed_ = true;
    Invalidate();
  }
  tracking_ = true;
  if (repeatClicks_) {
    if (!repeatTimer_) {
      repeatTimer_ = std::make_unique<TTimer>(nullptr);
      repeatTimer_->OnTimer = [this](TObject*) { RepeatTick(); };
    }
    repeatTimer_->SetInterval(initialDelay_);
    repeatTimer_->SetEnabled(true);
  }
}

void TFwControlButton::RepeatTick() {
  repeatTimer_->SetInterval(delay_);
  if (pressed_ && tracking_) Click();
}

void TFwControlButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!tracking_) return;
  const bool inside = rect().contains(x, y);
  if (inside != pressed_) {
    pressed_ = inside;
    Invalidate();
  }
}

void TFwControlButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  tracking_ = false;
  pressed_ = false;
  if (repeatTimer_) repeatTimer_->SetEnabled(false);
  Invalidate();
}

void TFwControlButton::MouseEnter() {
  mouseOver_ = true;
  DoMouseEnter();
  if (flat_) Invalidate();
}

void TFwControlButton::MouseLeave() {
  mouseOver_ = false;
  DoMouseLeave();
  if (flat_) Invalidate();
}

void TFwControlButton::DoMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TFwControlButton::DoMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TFwControlButton::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  const bool hot = mouseOver_ && Enabled();
  if (style_ == TFwControlButtonStyle::cbsDropDown) {
    if (flat_) {
      if (pressed_) r = DrawBorderAll(canvas, r, TFrameStyleEx::fsStatus);
      else if (hot) r = DrawBorderAll(canvas, r, TFrameStyleEx::fsPopup);
      canvas.Brush().SetColor(Color());
    } else {
      if (pressed_) r = DrawFlatFrame(canvas, r, clBtnShadow);
      else r = DrawBorderAll(canvas, r, TFrameStyleEx::fsButtonUp);
      canvas.Brush().SetColor(clBtnFace);
    }
    canvas.FillRect(r);
    DrawDropDownArrow(canvas, r, fwGlyphClassic, Enabled(), pressed_);
    return;
  }
  // Arrow and glyph buttons: a button frame, then the face.
  if (!flat_ || pressed_ || hot)
    r = DrawButtonBorder(canvas, r, pressed_, sdAll);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  switch (style_) {
    case TFwControlButtonStyle::cbsLeft:
      DrawArrowGlyph(canvas, r, fwGlyphClassic, Enabled(), pressed_, TFwScrollStyle::scsLeft);
      break;
    case TFwControlButtonStyle::cbsUp:
      DrawArrowGlyph(canvas, r, fwGlyphClassic, Enabled(), pressed_, TFwScrollStyle::scsUp);
      break;
    case TFwControlButtonStyle::cbsRight:
      DrawArrowGlyph(canvas, r, fwGlyphClassic, Enabled(), pressed_, TFwScrollStyle::scsRight);
      break;
    case TFwControlButtonStyle::cbsDown:
      DrawArrowGlyph(canvas, r, fwGlyphClassic, Enabled(), pressed_, TFwScrollStyle::scsDown);
      break;
    default: {
      if (glyph_->Empty()) break;
      // Cells: up, disabled, down, then a fourth; a missing cell falls back to the first.
      const int cellWidth = glyph_->Width() / numGlyphs_;
      int cell = 0;
      if (!Enabled() && numGlyphs_ > 1) cell = 1;
      else if (pressed_ && numGlyphs_ > 2) cell = 2;
      const TRect dest = CenterRect(r, cellWidth, glyph_->Height());
      const TRect source = Bounds(cell * cellWidth, 0, cellWidth, glyph_->Height());
      const TRect moved = pressed_ ? Bounds(dest.Left + 1, dest.Top + 1, cellWidth, glyph_->Height()) : dest;
      // The cell's bottom-left colour is its background and is left out, so the glyph
      // stands on the button's own face (flat buttons take their edit's colour).
      TBitmap cellImage;
      cellImage.Assign(glyph_->Image().copy(source.ToQt()));
      cellImage.SetTransparent(true);
      canvas.Draw(moved.Left, moved.Top, cellImage);
      break;
    }
  }
}

} // namespace fw
