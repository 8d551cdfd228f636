#include "controls/navigation/FwCustomStatusPane.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "controls/common/FwStatusBar.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Setters.h"

#include <QFontMetrics>

namespace fw {

TFwCustomStatusPane::TFwCustomStatusPane(TComponent* owner) : TGraphicControl(owner) {
  SetColor(clWindow);
  SetParentColor(true);
  fillColor_ = Color();
  savedFontColor_ = captionColor_ = Font().Color();
  resize(100, 20);
  AddBlinkingControl(this);
}

TFwCustomStatusPane::~TFwCustomStatusPane() {
  if (Application) Application->RemoveHintReceiver(this);
  RemoveBlinkingControl(this);
  ReleaseBlinkingList();
  SetFrameController(nullptr);
}

void TFwCustomStatusPane::SetAlignment(TAlignment value) { SetAndInvalidate(*this, alignment_, value); }

void TFwCustomStatusPane::SetAutoHint(bool value) {
  if (!StoreIfChanged(autoHint_, value) || !Application) return;
  if (value) Application->AddHintReceiver(this, [this](const QString& hint) { return TakeHint(hint); });
  else Application->RemoveHintReceiver(this);
}

// The hint goes to a pane of the window the user works in, else of the main window.
bool TFwCustomStatusPane::TakeHint(const QString& hint) {
  const TForm* form = ParentForm();
  if (!form || !(form->isActiveWindow() || form == Application->MainForm())) return false;
  SetCaption(hint);
  return true;
}
void TFwCustomStatusPane::SetBlinkColor(TColor value) {
  if (!SetAndInvalidate(*this, blinkColor_, value)) return;
  if (blinking_ && BlinkingList() && BlinkingList()->PhaseOn()) captionColor_ = blinkColor_;
}
void TFwCustomStatusPane::SetFlatColor(TColor value) { SetAndInvalidate(*this, flatColor_, value); }
void TFwCustomStatusPane::SetFlatColorAdjustment(int value) { SetAndInvalidate(*this, flatColorAdjustment_, value); }
void TFwCustomStatusPane::SetFrameStyle(TFrameStyle value) { SetAndInvalidate(*this, frameStyle_, value); }
void TFwCustomStatusPane::SetFillColor(TColor value) {
  parentFillColor_ = false;
  SetAndInvalidate(*this, fillColor_, value);
}
void TFwCustomStatusPane::SetTransparent(bool value) {
  if (!SetAndInvalidate(*this, transparent_, value)) return;
  setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
}
void TFwCustomStatusPane::SetDefaultWidth(int value) {
  if (!SetAndInvalidate(*this, defaultWidth_, value)) return;
  AdjustSize();
}
void TFwCustomStatusPane::SetBorderWidth(int value) {
  if (!SetAndInvalidate(*this, borderWidth_, value)) return;
  AdjustSize();
}
void TFwCustomStatusPane::SetCaptionOffset(int value) {
  if (!SetAndInvalidate(*this, captionOffset_, value)) return;
  AdjustSize();
}
void TFwCustomStatusPane::SetAutoSize(bool value) {
  if (!SetAndInvalidate(*this, autoSize_, value)) return;
  AdjustSize();
}

void TFwCustomStatusPane::SetParentFillColor(bool value) {
  if (value == parentFillColor_) return;
  parentFillColor_ = value;
  if (value && Parent() && !Loading()) ParentColorChanged();
}

void TFwCustomStatusPane::ColorChanged() {
  TGraphicControl::ColorChanged();
  if (parentFillColor_) fillColor_ = Color();
  Invalidate();
}

void TFwCustomStatusPane::ParentColorChanged() {
  TGraphicControl::ParentColorChanged();
  if (parentFillColor_) fillColor_ = Color();
  Invalidate();
}

// --- blinking ---------------------------------------------------------------------------

int TFwCustomStatusPane::BlinkIntervalOff() const { return BlinkingList() ? BlinkingList()->OffInterval() : 500; }
int TFwCustomStatusPane::BlinkIntervalOn() const { return BlinkingList() ? BlinkingList()->OnInterval() : 500; }
void TFwCustomStatusPane::SetBlinkIntervalOff(int value) {
  if (BlinkingList()) BlinkingList()->SetOffInterval(value);
}
void TFwCustomStatusPane::SetBlinkIntervalOn(int value) {
  if (BlinkingList()) BlinkingList()->SetOnInterval(value);
}

void TFwCustomStatusPane::SetBlinking(bool value) {
  if (value == blinking_) return;
  blinking_ = value;
  if (!blinking_) captionColor_ = savedFontColor_;  // back to the font colour at once
  Invalidate();
}

void TFwCustomStatusPane::BlinkPhaseChanged(bool on) {
  if (!blinking_) return;
  captionColor_ = on ? blinkColor_ : savedFontColor_;
  Invalidate();
}

void TFwCustomStatusPane::FontChanged() {
  TGraphicControl::FontChanged();
  savedFontColor_ = Font().Color();
  if (!blinking_) captionColor_ = savedFontColor_;
  AdjustSize();
  Invalidate();
}

void TFwCustomStatusPane::Loaded() {
  TGraphicControl::Loaded();
  savedFontColor_ = Font().Color();
  if (!blinking_) captionColor_ = savedFontColor_;
  AdjustSize();
}

void TFwCustomStatusPane::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustSize();
  Invalidate();
}

// --- size and layout --------------------------------------------------------------------

int TFwCustomStatusPane::TextWidth() const {
  return QFontMetrics(Font().ToQFont()).horizontalAdvance(Caption());
}

void TFwCustomStatusPane::AdjustSize() {
  if (!autoSize_ || Loading()) return;
  const int width = Caption().isEmpty() ? defaultWidth_ : 2 * borderWidth_ + TextWidth() + captionOffset_ + 6;
  if (width != Width()) SetWidth(width);
}

TFwStatusBar* TFwCustomStatusPane::StatusBar() const { return dynamic_cast<TFwStatusBar*>(Parent()); }

bool TFwCustomStatusPane::AtSizeGripEnd() const {
  const TFwStatusBar* bar = StatusBar();
  if (!bar || !bar->ShowSizeGrip()) return false;
  return Left() + Width() >= bar->ClientRect().Right;
}

TRect TFwCustomStatusPane::TextRect() const {
  int inset = borderWidth_;
  switch (frameStyle_) {
    case TFrameStyle::fsNone:
    case TFrameStyle::fsFlatRounded: break;
    case TFrameStyle::fsFlat:
    case TFrameStyle::fsStatus:
    case TFrameStyle::fsPopup: inset += 1; break;
    default: inset += 2; break;
  }
  return Rect(inset, inset, Width() - inset, Height() - inset);
}

// --- painting ---------------------------------------------------------------------------

void TFwCustomStatusPane::Paint() {
  TCanvas& canvas = Canvas();
  DrawPaneFrame(canvas);
  DrawCaption(canvas, Caption());
}

void TFwCustomStatusPane::DrawPaneFrame(TCanvas& canvas) {
  TRect r = Rect(0, 0, Width(), Height());
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
  }
  r = Rect(r.Left + borderWidth_, r.Top + borderWidth_, r.Right - borderWidth_, r.Bottom - borderWidth_);
  const TFwStatusBar* bar = StatusBar();
  if (bar && bar->VisualStyle() == TFwVisualStyle::vsGradient) {
    // In a gradient bar panes are parted by a single line.
    if (Left() > bar->BorderWidth()) {
      canvas.Pen().SetColor(GetStatusBarColors(bar->GradientColorStyle()).Frame);
      canvas.MoveTo(r.Left, r.Top + 1);
      canvas.LineTo(r.Left, r.Bottom - 1);
    }
    return;
  }
  if (frameStyle_ == TFrameStyle::fsFlat) {
    // Four lines without the corner pixels.
    canvas.Pen().SetColor(AdjustColor(flatColor_, flatColorAdjustment_));
    canvas.MoveTo(r.Left, r.Top + 1);
    canvas.LineTo(r.Left, r.Bottom - 1);
    canvas.MoveTo(r.Left + 1, r.Top);
    canvas.LineTo(r.Right - 1, r.Top);
    canvas.MoveTo(r.Right - 1, r.Top + 1);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.MoveTo(r.Left + 1, r.Bottom - 1);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
  } else {
    DrawBorderAll(canvas, r, frameStyle_);
  }
}

void TFwCustomStatusPane::DrawCaption(TCanvas& canvas, const QString& caption) {
  const TRect r = TextRect();
  canvas.Font().Assign(Font());
  canvas.Font().SetColor(captionColor_);
  int x = r.Left + captionOffset_ + 1;
  if (alignment_ == TAlignment::taRightJustify) x = r.Right - captionOffset_ - 1;
  else if (alignment_ == TAlignment::taCenter) x = r.Left + r.Width() / 2;
  const int y = r.Top + (r.Height() - canvas.TextHeight(QStringLiteral("Pp"))) / 2;
  canvas.Brush().SetColor(fillColor_);
  canvas.Brush().SetStyle(transparent_ ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
  if (!Enabled()) {
    canvas.Font().SetColor(clBtnHighlight);
    canvas.TextRect(r, x + 1, y + 1, caption, alignment_);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.TextRect(r, x, y, caption, alignment_);
}

bool TFwCustomStatusPane::UpdateFromFrameController(const TFwFrameController& c) {
  if (!c.FrameVisible()) return true;
  const auto has = [&](TFwFrameControllerProperty p) { return (notifications_ & FcpBit(p)) != 0; };
  if (has(TFwFrameControllerProperty::fcpFrameStyle)) SetFrameStyle(c.FrameStyle());
  if (has(TFwFrameControllerProperty::fcpFrameColor)) {
    SetFlatColor(c.FrameColor());
    SetFlatColorAdjustment(0);
  }
  if (has(TFwFrameControllerProperty::fcpColor)) SetFillColor(c.Color());
  if (has(TFwFrameControllerProperty::fcpParentColor)) SetParentColor(c.ParentColor());
  Invalidate();
  return true;
}

void TFwCustomStatusPane::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && AtSizeGripEnd() && PassSizeGrip(*this, x, y, true)) return;
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TFwCustomStatusPane::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (AtSizeGripEnd()) PassSizeGrip(*this, x, y, false);
}

void TFwCustomStatusPane::MouseEnter() { DoMouseEnter(); }
void TFwCustomStatusPane::MouseLeave() { DoMouseLeave(); }
void TFwCustomStatusPane::DoMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TFwCustomStatusPane::DoMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

} // namespace fw
