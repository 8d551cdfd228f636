#include "platform/ui/SpeedButton.h"

#include "platform/ui/Canvas.h"
#include "platform/ui/WinControl.h"


namespace fw {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetColor(clBtnFace);
  setFocusPolicy(Qt::NoFocus);
  resize(23, 22);
}

void TSpeedButton::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Invalidate();
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !value && !allowAllUp_) return;
  down_ = value;
  if (value) ReleaseGroupSiblings();
  SetState(value ? TButtonState::bsExclusive : TButtonState::bsUp);
}

void TSpeedButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  if (groupIndex_ == 0 && down_) {
    down_ = false;
    SetState(TButtonState::bsUp);
  }
}

void TSpeedButton::SetGlyph(const QImage& glyph) {
  glyph_ = glyph;
  Invalidate();
}

void TSpeedButton::SetState(TButtonState state) {
  if (state == state_) return;
  state_ = state;
  Invalidate();
}

void TSpeedButton::ReleaseGroupSiblings() {
  if (!Parent() || groupIndex_ == 0) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (!other || other == this || other->groupIndex_ != groupIndex_ || !other->down_) continue;
    other->down_ = false;
    other->SetState(TButtonState::bsUp);
  }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  if (!down_) SetState(TButtonState::bsDown);
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  const bool inside = ClientRect().Contains({x, y});
  if (!down_) SetState(inside ? TButtonState::bsDown : TButtonState::bsUp);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !dragging_) return;
  dragging_ = false;
  const bool inside = ClientRect().Contains({x, y});
  if (groupIndex_ != 0 && inside) {
    SetDown(!down_ || !allowAllUp_);
    return;
  }
  if (!down_) SetState(TButtonState::bsUp);
}

void TSpeedButton::MouseEnter() {
  mouseInControl_ = true;
  if (flat_) Invalidate();
}

void TSpeedButton::MouseLeave() {
  mouseInControl_ = false;
  if (flat_) Invalidate();
}

void TSpeedButton::EnabledChanged() {
  if (!Enabled()) dragging_ = false;
  TGraphicControl::EnabledChanged();
}

TRect TSpeedButton::PaintFace(TCanvas& canvas) {
  TRect r = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  const bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  if (flat_ && !pressed && !mouseInControl_) return r;
  const TColor topLeft = pressed ? clBtnShadow : clBtnHighlight;
  const TColor bottomRight = pressed ? clBtnHighlight : clBtnShadow;
  canvas.Pen().SetColor(topLeft);
  canvas.MoveTo(r.Left, r.Bottom - 1);
  canvas.LineTo(r.Left, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.Pen().SetColor(bottomRight);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.LineTo(r.Left - 1, r.Bottom - 1);
  return Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
}

void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  TRect inner = PaintFace(canvas);
  const bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  const int shift = pressed ? 1 : 0;
  int textLeft = inner.Left;
  if (!glyph_.isNull()) {
    const int gx = Caption().isEmpty() ? inner.Left + (inner.Width() - glyph_.width()) / 2 : inner.Left + 4;
    const int gy = inner.Top + (inner.Height() - glyph_.height()) / 2;
    canvas.DrawImage(gx + shift, gy + shift, glyph_);
    textLeft = gx + glyph_.width() + 4;
  }
  if (!Caption().isEmpty()) {
    canvas.Font().Assign(Font());
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    TRect tr = Rect(textLeft + shift, inner.Top + shift, inner.Right + shift, inner.Bottom + shift);
    canvas.DrawText(Caption(), tr, (glyph_.isNull() ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE);
  }
  TGraphicControl::Paint();
}

} // namespace fw
