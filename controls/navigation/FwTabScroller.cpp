#include "controls/navigation/FwTabScroller.h"

#include "controls/common/FwGlyphs.h"
#include "controls/common/FwGraphics.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Setters.h"
#include "platform/ui/Timer.h"


namespace fw {

TFwTabScroller::TFwTabScroller(TComponent* owner) : TCustomControl(owner) {
  setFocusPolicy(Qt::NoFocus);
  repeatTimer_ = new TTimer(this);
  repeatTimer_->SetEnabled(false);
  repeatTimer_->OnTimer = [this](TObject*) { RepeatTick(); };
}

void TFwTabScroller::SetOrientation(TOrientation value) { SetAndInvalidate(*this, orientation_, value); }

void TFwTabScroller::SetFrameColor(TColor value) { SetAndInvalidate(*this, frameColor_, value); }

void TFwTabScroller::SetArrowsEnabled(bool downLeft, bool upRight) {
  if (downLeftEnabled_ == downLeft && upRightEnabled_ == upRight) return;
  downLeftEnabled_ = downLeft;
  upRightEnabled_ = upRight;
  Invalidate();
}

void TFwTabScroller::SetColors(TColor start, TColor stop, bool gradient) {
  if (start_ == start && stop_ == stop && gradient_ == gradient) return;
  start_ = start;
  stop_ = stop;
  gradient_ = gradient;
  Invalidate();
}

TRect TFwTabScroller::DownLeftRect() const {
  if (orientation_ == TOrientation::orHorizontal) return Rect(0, 0, Width() / 2 + 1, Height());
  return Rect(0, Height() / 2, Width(), Height());
}

TRect TFwTabScroller::UpRightRect() const {
  if (orientation_ == TOrientation::orHorizontal) return Rect(Width() / 2, 0, Width(), Height());
  return Rect(0, 0, Width(), Height() / 2 + 1);
}

TFwTabScroller::THalf TFwTabScroller::HalfAt(int x, int y) const {
  // The halves share their middle line; it belongs to the half the pointer came from.
  const TPoint p{x, y};
  if (pressed_ == THalf::DownLeft && DownLeftRect().Contains(p)) return THalf::DownLeft;
  if (pressed_ == THalf::UpRight && UpRightRect().Contains(p)) return THalf::UpRight;
  if (orientation_ == TOrientation::orHorizontal) {
    if (x < 0 || x >= Width() || y < 0 || y >= Height()) return THalf::None;
    return x < Width() / 2 ? THalf::DownLeft : THalf::UpRight;
  }
  if (x < 0 || x >= Width() || y < 0 || y >= Height()) return THalf::None;
  return y >= Height() / 2 ? THalf::DownLeft : THalf::UpRight;
}

void TFwTabScroller::FireClick(THalf half) {
  if (half == THalf::DownLeft && OnDownLeftClick) OnDownLeftClick(this);
  if (half == THalf::UpRight && OnUpRightClick) OnUpRightClick(this);
}

void TFwTabScroller::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  pressed_ = HalfAt(x, y);
  if (pressed_ == THalf::None) return;
  pointerInside_ = true;
  Invalidate();
  // The press itself only arms the repeat; the click comes with the release or the timer.
  repeatTimer_->SetInterval(400);
  repeatTimer_->SetEnabled(true);
}

void TFwTabScroller::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (pressed_ == THalf::None) return;
  const bool inside = HalfAt(x, y) == pressed_;
  if (inside != pointerInside_) {
    pointerInside_ = inside;
    Invalidate();
  }
}

void TFwTabScroller::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (pressed_ == THalf::None) return;
  const THalf half = pressed_;
  const bool inside = HalfAt(x, y) == half;
  pressed_ = THalf::None;
  pointerInside_ = false;
  repeatTimer_->SetEnabled(false);
  Invalidate();
  if (inside) FireClick(half);
}

void TFwTabScroller::RepeatTick() {
  if (pressed_ == THalf::None) {
    repeatTimer_->SetEnabled(false);
    return;
  }
  repeatTimer_->SetInterval(100);
  if (pointerInside_) FireClick(pressed_);
}

void TFwTabScroller::PaintHalf(TCanvas& canvas, THalf half) {
  const bool horizontal = orientation_ == TOrientation::orHorizontal;
  const TRect r = half == THalf::DownLeft ? DownLeftRect() : UpRightRect();
  const bool down = pressed_ == half && pointerInside_;
  const bool enabled = half == THalf::DownLeft ? downLeftEnabled_ : upRightEnabled_;
  if (gradient_ && HighColorDisplay()) {
    PaintGradient(canvas, r, TGradientDirection::gdHorizontalEnd, down ? stop_ : start_, down ? start_ : stop_);
  } else {
    canvas.Brush().SetColor(stop_);
    canvas.FillRect(r);
  }
  canvas.Brush().SetColor(frameColor_);
  canvas.FrameRect(r);
  TFwScrollStyle direction;
  if (half == THalf::DownLeft) direction = horizontal ? TFwScrollStyle::scsLeft : TFwScrollStyle::scsDown;
  else direction = horizontal ? TFwScrollStyle::scsRight : TFwScrollStyle::scsUp;
  TRect glyph{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  DrawArrowGlyph(canvas, glyph, 0, enabled, down, direction);
}

void TFwTabScroller::Paint() {
  TCanvas& canvas = Canvas();
  PaintHalf(canvas, THalf::DownLeft);
  PaintHalf(canvas, THalf::UpRight);
  TCustomControl::Paint();
}

} // namespace fw
