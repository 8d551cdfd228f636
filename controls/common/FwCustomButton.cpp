#include "controls/common/FwCustomButton.h"

#include "platform/ui/Canvas.h"
#include "platform/ui/Setters.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>

namespace fw {

TFwCustomButton::TFwCustomButton(TComponent* owner) : TCustomControl(owner) {
  resize(115, 17);
  SetTabStop(true);
}

// Every look setter compares, stores and repaints.
void TFwCustomButton::SetAlignmentVertical(TAlignmentVertical value) { SetAndInvalidate(*this, alignmentVertical_, value); }
void TFwCustomButton::SetHotTrackColor(TColor value) { SetAndInvalidate(*this, hotTrackColor_, value); }
void TFwCustomButton::SetHotTrackColorType(TFwHotTrackColorType value) { SetAndInvalidate(*this, hotTrackColorType_, value); }
void TFwCustomButton::SetHotTrack(bool value) { SetAndInvalidate(*this, hotTrack_, value); }
void TFwCustomButton::SetHighlightColor(TColor value) { SetAndInvalidate(*this, highlightColor_, value); }
void TFwCustomButton::SetLightTextStyle(bool value) { SetAndInvalidate(*this, lightTextStyle_, value); }
void TFwCustomButton::SetTextStyle(TTextStyle value) { SetAndInvalidate(*this, textStyle_, value); }
void TFwCustomButton::SetTextHighlightColor(TColor value) { SetAndInvalidate(*this, textHighlightColor_, value); }
void TFwCustomButton::SetTextShadowColor(TColor value) { SetAndInvalidate(*this, textShadowColor_, value); }
void TFwCustomButton::SetTextShadowDepth(int value) { SetAndInvalidate(*this, textShadowDepth_, value); }
void TFwCustomButton::SetThemeHotTrack(bool value) { SetAndInvalidate(*this, themeHotTrack_, value); }

void TFwCustomButton::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  // Windowed controls fill their background before painting; a transparent one must not.
  setAutoFillBackground(!value);
  Invalidate();
}

void TFwCustomButton::SetPressed(bool value) {
  if (StoreIfChanged(pressed_, value)) RepaintDisplay();
}

void TFwCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  QPointer<QWidget> self(this);
  TCustomControl::MouseDown(button, shift, x, y);
  if (!self || button != TMouseButton::mbLeft || !Enabled()) return;
  SetFocus();
  if (!Focused()) return;
  SetPressed(true);
  tracking_ = true;
}

void TFwCustomButton::MouseMove(TShiftState shift, int x, int y) {
  QPointer<QWidget> self(this);
  TCustomControl::MouseMove(shift, x, y);
  if (!self || !tracking_) return;
  // The bottom edge counts as inside while dragging, as the desktop's buttons do.
  SetPressed(x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight());
}

void TFwCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  QPointer<QWidget> self(this);
  TCustomControl::MouseUp(button, shift, x, y);
  if (!self || button != TMouseButton::mbLeft) return;
  if (tracking_) {
    tracking_ = false;
    pressed_ = false;
    if (ClientRect().Contains(Point(x, y))) ButtonClick();
    if (!self) return;
    RepaintDisplay();
  }
  // The completed-click action has had its say; the layer's click of this release is
  // swallowed.
  swallowLayerClick_ = true;
}

void TFwCustomButton::mouseReleaseEvent(QMouseEvent* event) {
  QPointer<QWidget> self(this);
  TCustomControl::mouseReleaseEvent(event);
  if (self) swallowLayerClick_ = false;
}

void TFwCustomButton::Click() {
  if (swallowLayerClick_) {
    swallowLayerClick_ = false;
    return;
  }
  TCustomControl::Click();
}

void TFwCustomButton::ButtonClick() { Click(); }

void TFwCustomButton::InvalidateHot() {
  if (hotTrack_ || (themeHotTrack_ && ThemeServicesActive())) update(GetHotRect().ToQt());
}

void TFwCustomButton::MouseEnter() {
  mouseOver_ = true;
  QPointer<QWidget> self(this);
  DoMouseEnter();
  if (self) InvalidateHot();
}

void TFwCustomButton::MouseLeave() {
  mouseOver_ = false;
  QPointer<QWidget> self(this);
  DoMouseLeave();
  if (self) InvalidateHot();
}

void TFwCustomButton::DoMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TFwCustomButton::DoMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TFwCustomButton::EnabledChanged() {
  // Qt moves the focus off a widget that is disabled; a press in progress ends with it.
  if (!Enabled()) {
    tracking_ = false;
    pressed_ = false;
  }
  Invalidate();
}

void TFwCustomButton::focusInEvent(QFocusEvent* event) {
  TCustomControl::focusInEvent(event);
  Invalidate();
}

void TFwCustomButton::focusOutEvent(QFocusEvent* event) {
  TCustomControl::focusOutEvent(event);
  Invalidate();
}

void TFwCustomButton::PaintBackground(TCanvas& canvas) {
  if (transparent_) return;
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
}

void TFwCustomButton::DrawCaptionCopy(TCanvas& canvas, const QString& text, TRect rect, int dx, int dy,
                                      TColor color, unsigned flags) {
  rect.Left += dx;
  rect.Right += dx;
  rect.Top += dy;
  rect.Bottom += dy;
  canvas.Font().SetColor(color);
  canvas.DrawText(text, rect, flags);
}

TRect TFwCustomButton::DrawCaption(TCanvas& canvas, TRect rect, unsigned flags) {
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Font().Assign(Font());
  const QString text = Caption();

  TRect measured = rect;
  const int h = canvas.DrawText(text, measured, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER);
  switch (alignmentVertical_) {
  case TAlignmentVertical::avTop: rect.Bottom = rect.Top + h; break;
  case TAlignmentVertical::avCenter:
    rect.Top = (rect.Top + rect.Bottom - h) / 2;
    rect.Bottom = rect.Top + h;
    break;
  case TAlignmentVertical::avBottom: rect.Top = rect.Bottom - h - 1; break;
  }

  if (!Enabled()) {
    // Engraved: a light copy one pixel right and down under the shadow-coloured text.
    DrawCaptionCopy(canvas, text, rect, 1, 1, clBtnHighlight, flags);
    DrawCaptionCopy(canvas, text, rect, 0, 0, clBtnShadow, flags);
  } else {
    const bool rightAligned = (flags & DT_RIGHT) != 0;
    switch (textStyle_) {
    case TTextStyle::tsRaised:
      if (!lightTextStyle_) DrawCaptionCopy(canvas, text, rect, 1, 1, textShadowColor_, flags);
      DrawCaptionCopy(canvas, text, rect, -1, -1, textHighlightColor_, flags);
      break;
    case TTextStyle::tsRecessed:
      DrawCaptionCopy(canvas, text, rect, 1, 1, textHighlightColor_, flags);
      if (!lightTextStyle_) DrawCaptionCopy(canvas, text, rect, -1, -1, textShadowColor_, flags);
      break;
    case TTextStyle::tsShadow:
      DrawCaptionCopy(canvas, text, rect, rightAligned ? 0 : textShadowDepth_, textShadowDepth_, textShadowColor_,
                      flags);
      break;
    case TTextStyle::tsNormal: break;
    }
    DrawCaptionCopy(canvas, text, rect, rightAligned ? -textShadowDepth_ : 0, 0, Font().Color(), flags);
  }
  canvas.Font().SetColor(Font().Color());

  // The text's own extent at its place, for a focus rectangle around it.
  TRect taken = rect;
  const int width = measured.Width();
  if (flags & DT_RIGHT) taken.Left = taken.Right - width;
  else if (flags & DT_CENTER) taken.Left = (rect.Left + rect.Right - width) / 2;
  taken.Right = std::min(taken.Left + width, rect.Right);
  taken.Bottom = taken.Top + h;
  return taken;
}

} // namespace fw
