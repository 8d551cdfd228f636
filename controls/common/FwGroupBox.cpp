#include "controls/common/FwGroupBox.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "controls/common/FwGraphics.h"
#include "platform/ui/Accelerator.h"

#include <QFontMetrics>

namespace fw {

TFwGroupBox::TFwGroupBox(TComponent* owner) : TFwCustomPanel(owner) {
  SetBorderOuter(TFrameStyleEx::fsNone);
  SetBorderInner(TFrameStyleEx::fsNone);
  SetAlignment(TAlignment::taLeftJustify);
  SetAlignmentVertical(TAlignmentVertical::avTop);
  SetHeight(105);
}

void TFwGroupBox::SetGroupStyle(TFwGroupBoxStyle value) {
  if (value == groupStyle_) return;
  groupStyle_ = value;
  Realign();
  Invalidate();
}

int TFwGroupBox::CaptionHeight() const { return QFontMetrics(Font().ToQFont()).height(); }

void TFwGroupBox::TextChanged() {
  TFwCustomPanel::TextChanged();
  UpdateAcceleratorShortcut(accelerator_, this, Caption(), [this] { AcceleratorPressed(); });
  Realign();
}

void TFwGroupBox::AcceleratorPressed() {
  if (!CanFocus()) return;
  if (TWinControl* target = FirstFocusableChild(this)) target->SetFocus();
}

void TFwGroupBox::FontChanged() {
  TFwCustomPanel::FontChanged();
  Realign();
}

void TFwGroupBox::AdjustClientRect(TRect& rect) const {
  TFwCustomPanel::AdjustClientRect(rect);
  const int h = CaptionHeight();
  const auto shrink = [&rect](int n) { rect = Rect(rect.Left + n, rect.Top + n, rect.Right - n, rect.Bottom - n); };
  switch (groupStyle_) {
    case TFwGroupBoxStyle::gsStandard:
    case TFwGroupBoxStyle::gsFlat:
      rect.Top += h / 2 - 1 >= BorderWidth() ? h - BorderWidth() : h / 2 - 1;
      shrink(groupStyle_ == TFwGroupBoxStyle::gsStandard ? 2 : 1);
      break;
    case TFwGroupBoxStyle::gsCustom:
      if (!Caption().isEmpty()) rect.Top += h;
      shrink(2);
      break;
    case TFwGroupBoxStyle::gsTopLine: rect.Top += h; break;
    case TFwGroupBoxStyle::gsBanner: rect.Top += h + 8; break;
    case TFwGroupBoxStyle::gsUnderline: rect.Top += h + 4; break;
  }
}

TRect TFwGroupBox::CaptionBand() const {
  const QString text = StripAccelChars(Caption());
  if (text.isEmpty()) return TRect{};
  const int h = CaptionHeight();
  const int w = QFontMetrics(Font().ToQFont()).horizontalAdvance(text);
  switch (groupStyle_) {
    case TFwGroupBoxStyle::gsStandard:
    case TFwGroupBoxStyle::gsFlat: return Rect(8, 0, 8 + w, h);
    case TFwGroupBoxStyle::gsTopLine: return Rect(0, 0, w + 4, h);
    case TFwGroupBoxStyle::gsBanner: return Rect(0, 0, Width(), h + 6);
    case TFwGroupBoxStyle::gsUnderline: return Rect(0, 0, Width(), h + 2);
    case TFwGroupBoxStyle::gsCustom: break;
  }
  return TRect{};
}

void TFwGroupBox::Paint() {
  if (groupStyle_ == TFwGroupBoxStyle::gsCustom) {
    TFwCustomPanel::Paint();
    return;
  }
  TCanvas& canvas = Canvas();
  if (!Transparent()) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(Rect(0, 0, Width(), Height()));
  }
  const TRect band = CaptionBand();
  DrawFrame(canvas, band);
  if (!band.IsEmpty()) DrawBandCaption(canvas, band);
  if (OnPaint) OnPaint(this);
}

void TFwGroupBox::DrawFrame(TCanvas& canvas, const TRect& band) {
  const int h = CaptionHeight();
  const TColor flat = AdjustColor(FlatColor(), FlatColorAdjustment());
  const int saved = canvas.SaveDC();
  switch (groupStyle_) {
    case TFwGroupBoxStyle::gsStandard:
    case TFwGroupBoxStyle::gsFlat: {
      // The frame starts at the caption's middle and leaves the caption band out.
      if (!band.IsEmpty()) canvas.ExcludeClipRect(Rect(band.Left - 2, band.Top, band.Right + 2, band.Bottom));
      const TRect frame = Rect(0, h / 2 - 1, Width(), Height());
      if (groupStyle_ == TFwGroupBoxStyle::gsStandard) DrawBorderAll(canvas, frame, TFrameStyleEx::fsGroove);
      else DrawFlatRoundedBorder(canvas, frame, flat, sdAll);
      break;
    }
    case TFwGroupBoxStyle::gsTopLine:
      if (!band.IsEmpty()) canvas.ExcludeClipRect(band);
      DrawBorder(canvas, Rect(0, h / 2 - 1, Width(), Height()), TFrameStyleEx::fsGroove, sdTop);
      break;
    case TFwGroupBoxStyle::gsBanner: {
      if (band.IsEmpty()) break;
      const TStatusBarColors colors = GetStatusBarColors(GradientColorStyle());
      const TRect inner = DrawFlatFrame(canvas, band, colors.Frame);
      PaintGradient(canvas, inner, TGradientDirection::gdVerticalEnd, colors.Start, colors.Stop);
      break;
    }
    case TFwGroupBoxStyle::gsUnderline:
      if (band.IsEmpty()) break;
      canvas.Pen().SetColor(flat);
      canvas.MoveTo(band.Left, band.Bottom - 1);
      canvas.LineTo(band.Right, band.Bottom - 1);
      break;
    case TFwGroupBoxStyle::gsCustom: break;
  }
  canvas.RestoreDC(saved);
}

void TFwGroupBox::DrawBandCaption(TCanvas& canvas, const TRect& band) {
  TRect r = band;
  if (groupStyle_ == TFwGroupBoxStyle::gsBanner) r = Rect(r.Left + 4, r.Top + 1, r.Right - 4, r.Bottom - 1);
  const unsigned flags = DT_SINGLELINE | DT_VCENTER;
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  if (!Enabled()) {
    TRect shifted = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), shifted, flags);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.DrawText(Caption(), r, flags);
}

bool TFwGroupBox::UpdateFromFrameController(const TFwFrameController& controller) {
  // Only the custom look follows a frame controller.
  if (groupStyle_ != TFwGroupBoxStyle::gsCustom) return true;
  return TFwCustomPanel::UpdateFromFrameController(controller);
}

} // namespace fw
