#include "controls/navigation/FwProgressBar.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwGlyphs.h"
#include "controls/common/FwStatusBar.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Setters.h"

#include <QPainter>
#include <cmath>

namespace fw {

TFwProgressBar::TFwProgressBar(TComponent* owner) : TGraphicControl(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(200, 24);
}

TFwProgressBar::~TFwProgressBar() { SetFrameController(nullptr); }

void TFwProgressBar::SetBackColor(TColor value) { SetAndInvalidate(*this, backColor_, value); }
void TFwProgressBar::SetBackColorStop(TColor value) { SetAndInvalidate(*this, backColorStop_, value); }
void TFwProgressBar::SetBarColor(TColor value) { SetAndInvalidate(*this, barColor_, value); }
void TFwProgressBar::SetBarColorStop(TColor value) { SetAndInvalidate(*this, barColorStop_, value); }
void TFwProgressBar::SetBevelWidth(int value) { SetAndInvalidate(*this, bevelWidth_, value); }
void TFwProgressBar::SetBorderColor(TColor value) { SetAndInvalidate(*this, borderColor_, value); }
void TFwProgressBar::SetBorderInner(TFrameStyleEx value) { SetAndInvalidate(*this, borderInner_, value); }
void TFwProgressBar::SetBorderOuter(TFrameStyleEx value) { SetAndInvalidate(*this, borderOuter_, value); }
void TFwProgressBar::SetBorderWidth(int value) { SetAndInvalidate(*this, borderWidth_, value); }
void TFwProgressBar::SetFlatColor(TColor value) { SetAndInvalidate(*this, flatColor_, value); }
void TFwProgressBar::SetFlatColorAdjustment(int value) { SetAndInvalidate(*this, flatColorAdjustment_, value); }
void TFwProgressBar::SetGradientDirection(TGradientDirection value) { SetAndInvalidate(*this, gradientDirection_, value); }
void TFwProgressBar::SetInteriorOffset(int value) { SetAndInvalidate(*this, interiorOffset_, value); }
void TFwProgressBar::SetOrientation(TOrientation value) { SetAndInvalidate(*this, orientation_, value); }
void TFwProgressBar::SetShowPercent(bool value) { SetAndInvalidate(*this, showPercent_, value); }
void TFwProgressBar::SetThemeAware(bool value) { SetAndInvalidate(*this, themeAware_, value); }

void TFwProgressBar::SetNumSegments(int value) {
  value = std::clamp(value, 1, 100);
  if (value == numSegments_) return;
  numSegments_ = value;
  Invalidate();
}

void TFwProgressBar::SetBarStyle(TBarStyle value) {
  if (value == barStyle_) return;
  barStyle_ = value;
  showPercent_ = value != TBarStyle::bsLED;
  interiorOffset_ = value == TBarStyle::bsLED ? 1 : 0;
  Invalidate();
}

void TFwProgressBar::SetPartsComplete(unsigned value) {
  if (value == partsComplete_) return;
  partsComplete_ = std::min(value, totalParts_);
  if (Loading() || totalParts_ == 0) return;
  // Rounded to the nearest whole percent, halves to even.
  SetPercent(int(std::nearbyint(double(partsComplete_) / totalParts_ * 100.0)));
}

void TFwProgressBar::SetTotalParts(unsigned value) {
  if (value == totalParts_) return;
  totalParts_ = value;
  if (Loading()) return;
  partsComplete_ = 0;
  SetPercent(0);
  Invalidate();
}

// Every setting is reported, also one that leaves the percent as it was (a new total
// restarting at 0 %). The bar shows the percent, so it is repainted only when that
// changes (a long run steps many parts per percent).
void TFwProgressBar::SetPercent(int value) {
  const bool changed = value != percent_;
  percent_ = value;
  DoChange(percent_);
  if (changed) Invalidate();
}

void TFwProgressBar::DoChange(int percent) {
  if (OnChange) OnChange(this, percent);
}

void TFwProgressBar::SetBounds(int left, int top, int width, int height) {
  TGraphicControl::SetBounds(left, top, width, height);
  SetOrientation(Height() <= Width() ? TOrientation::orHorizontal : TOrientation::orVertical);
}

bool TFwProgressBar::UpdateFromFrameController(const TFwFrameController& c) {
  if (!c.FrameVisible()) return true;
  const auto has = [&](TFwFrameControllerProperty p) { return (notifications_ & FcpBit(p)) != 0; };
  if (has(TFwFrameControllerProperty::fcpFrameStyle)) SetBorderOuter(c.FrameStyle());
  if (has(TFwFrameControllerProperty::fcpFrameColor)) {
    SetFlatColor(c.FrameColor());
    SetFlatColorAdjustment(0);
  }
  if (has(TFwFrameControllerProperty::fcpColor)) SetBackColor(c.Color());
  if (has(TFwFrameControllerProperty::fcpParentColor)) SetParentColor(c.ParentColor());
  Invalidate();
  return true;
}

void TFwProgressBar::Paint() {
  // Painted off screen and copied once.
  TBitmap bitmap(Width(), Height());
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().Assign(Font());
  canvas.Brush().SetColor(borderColor_);
  canvas.FillRect(Rect(0, 0, Width(), Height()));
  TInnerOuterBorders b;
  b.BorderOuter = borderOuter_;
  b.BorderInner = borderInner_;
  b.BevelWidth = bevelWidth_;
  b.BorderWidth = borderWidth_;
  b.BorderColor = borderColor_;
  b.FlatColor = flatColor_;
  b.FlatColorAdjustment = flatColorAdjustment_;
  b.Color = borderColor_;
  b.OuterColor = borderColor_;
  TRect interior = DrawInnerOuterBorders(canvas, Rect(0, 0, Width(), Height()), b);
  for (int i = 0; i < interiorOffset_; ++i) {
    canvas.Brush().SetColor(backColor_);
    canvas.FrameRect(interior);
    interior = Rect(interior.Left + 1, interior.Top + 1, interior.Right - 1, interior.Bottom - 1);
  }
  switch (barStyle_) {
    case TBarStyle::bsTraditional:
      DrawTraditionalBar(canvas, interior, orientation_, false, showPercent_, percent_, backColor_, barColor_);
      break;
    case TBarStyle::bsLED:
      DrawLEDBar(canvas, interior, orientation_, false, themeAware_, percent_, numSegments_, backColor_, barColor_);
      break;
    case TBarStyle::bsGradient:
      DrawGradientBar(canvas, interior, orientation_, false, showPercent_, percent_, gradientDirection_, backColor_,
                      backColorStop_, barColor_, barColorStop_);
      break;
  }
  canvas.Flush();
  ActivePainter()->drawImage(0, 0, bitmap.Image());
}

void TFwProgressBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && PassSizeGrip(*this, x, y, true)) return;
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TFwProgressBar::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  PassSizeGrip(*this, x, y, false);
}

} // namespace fw
