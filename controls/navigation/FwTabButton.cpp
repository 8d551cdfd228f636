#include "controls/navigation/FwTabButton.h"

#include "controls/common/FwGraphics.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Setters.h"

#include <QPointer>

namespace fw {

TFwTabButton::TFwTabButton(TFwCustomTabControl& tabControl, TComponent* owner)
    : TCustomControl(owner), tabControl_(tabControl) {
  setFocusPolicy(Qt::NoFocus);
}

void TFwTabButton::SetFrameColor(TColor value) { SetAndInvalidate(*this, frameColor_, value); }

void TFwTabButton::SetColors(TColor start, TColor stop, bool gradient) {
  if (start_ == start && stop_ == stop && gradient_ == gradient) return;
  start_ = start;
  stop_ = stop;
  gradient_ = gradient;
  Invalidate();
}

void TFwTabButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  pressed_ = inside_ = true;
  Invalidate();
}

void TFwTabButton::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!pressed_) return;
  if (StoreIfChanged(inside_, ClientRect().Contains(Point(x, y)))) Invalidate();
}

void TFwTabButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  QPointer<TFwTabButton> guard(this);
  TCustomControl::MouseUp(button, shift, x, y);
  if (!guard || button != TMouseButton::mbLeft || !pressed_) return;
  const bool click = ClientRect().Contains(Point(x, y));
  pressed_ = inside_ = false;
  Invalidate();
  if (click) ButtonClick();
}

void TFwTabButton::Paint() {
  TCanvas& canvas = Canvas();
  const TRect r = ClientRect();
  const bool down = Pressed();
  if (gradient_ && HighColorDisplay()) {
    PaintGradient(canvas, r, TGradientDirection::gdHorizontalEnd, down ? stop_ : start_, down ? start_ : stop_);
  } else {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(stop_);
    canvas.FillRect(r);
  }
  canvas.Brush().SetColor(frameColor_);
  canvas.FrameRect(r);
  DrawGlyph(canvas, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
  TCustomControl::Paint();
}

} // namespace fw
