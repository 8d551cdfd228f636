#include "platform/ui/Panel.h"

#include <QPainter>

namespace fw {

namespace {

// Draws `width` rings of a bevel inside `r` and shrinks `r` by them.
void DrawBevel(QPainter& painter, TRect& r, TPanelBevel bevel, int width) {
  if (bevel == TPanelBevel::bvNone) return;
  if (bevel != TPanelBevel::bvSpace) {
    const QColor topLeft = ToQColor(bevel == TPanelBevel::bvRaised ? clBtnHighlight : clBtnShadow);
    const QColor bottomRight = ToQColor(bevel == TPanelBevel::bvRaised ? clBtnShadow : clBtnHighlight);
    for (int i = 0; i < width; ++i) {
      const TRect ring{r.Left + i, r.Top + i, r.Right - i, r.Bottom - i};
      if (ring.IsEmpty()) break;
      painter.fillRect(QRect(ring.Left, ring.Top, ring.Width(), 1), topLeft);
      painter.fillRect(QRect(ring.Left, ring.Top, 1, ring.Height()), topLeft);
      painter.fillRect(QRect(ring.Left, ring.Bottom - 1, ring.Width(), 1), bottomRight);
      painter.fillRect(QRect(ring.Right - 1, ring.Top, 1, ring.Height()), bottomRight);
    }
  }
  r = {r.Left + width, r.Top + width, r.Right - width, r.Bottom - width};
}

} // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  resize(185, 41);
  SetColor(clBtnFace);
}

void TPanel::SetBevelOuter(TPanelBevel value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  Realign();
  Invalidate();
}

void TPanel::SetBevelWidth(int value) {
  if (value == bevelWidth_ || value < 1) return;
  bevelWidth_ = value;
  Realign();
  Invalidate();
}

void TPanel::SetBorderWidth(int value) {
  if (value == borderWidth_ || value < 0) return;
  borderWidth_ = value;
  Realign();
  Invalidate();
}

void TPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

int TPanel::FrameWidth() const {
  int w = borderWidth_;
  if (bevelOuter_ != TPanelBevel::bvNone) w += bevelWidth_;
  if (bevelInner_ != TPanelBevel::bvNone) w += bevelWidth_;
  return w;
}

void TPanel::AdjustClientRect(TRect& rect) const {
  const int w = FrameWidth();
  rect = {rect.Left + w, rect.Top + w, rect.Right - w, rect.Bottom - w};
}

void TPanel::Paint() {
  QPainter* painter = ActivePainter();
  if (!painter) return;
  TRect r = ClientRect();
  DrawBevel(*painter, r, bevelOuter_, bevelWidth_);
  r = {r.Left + borderWidth_, r.Top + borderWidth_, r.Right - borderWidth_, r.Bottom - borderWidth_};
  DrawBevel(*painter, r, bevelInner_, bevelWidth_);
  if (!Caption().isEmpty()) {
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |= alignment_ == TAlignment::taLeftJustify    ? Qt::AlignLeft
             : alignment_ == TAlignment::taRightJustify ? Qt::AlignRight
                                                        : Qt::AlignHCenter;
    painter->setPen(ToQColor(isEnabled() ? Font().Color() : clGrayText));
    painter->drawText(r.ToQt(), flags, Caption());
  }
  TCustomControl::Paint();
}

} // namespace fw
