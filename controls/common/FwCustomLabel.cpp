#include "controls/common/FwCustomLabel.h"

#include "controls/common/FwColors.h"
#include "controls/common/FwCustomPanel.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Setters.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <cmath>

namespace fw {

namespace {

int Rnd(double v) { return int(std::lround(v)); }

// Border width a label's auto size allows for one border on one side.
int SideWidth(TFrameStyleEx style, int bevelWidth) { return FwBorderWidth(style, bevelWidth); }

} // namespace

TFwCustomLabel::TFwCustomLabel(TComponent* owner) : TLabel(owner) {
  borders_.BorderColor = clBtnFace;
  borders_.FlatColor = clBtnShadow;
  borders_.FlatColorAdjustment = 30;
  SetColor(clBtnFace);
  SetParentColor(true);
  savedFontColor_ = Font().Color();
  AddBlinkingControl(this);
  AdjustSize();
}

TFwCustomLabel::~TFwCustomLabel() {
  RemoveBlinkingControl(this);
  ReleaseBlinkingList();
}

void TFwCustomLabel::Changed() {
  AdjustSize();
  Invalidate();
}

void TFwCustomLabel::SetAngle(int value) {
  value = value < 0 ? 360 - (std::abs(value) % 360) : value % 360;
  if (value == 360) value = 0;
  if (value == angle_) return;
  angle_ = value;
  if (angle_ != 0 && rotation_ == TRotation::roNone && !Loading()) rotation_ = TRotation::roFlat;
  Changed();
}

void TFwCustomLabel::SetRotation(TRotation value) {
  if (value == rotation_) return;
  rotation_ = value;
  if (value == TRotation::roNone) angle_ = 0;
  if (value == TRotation::roFlat) {
    angle_ = 0;
    centerPoint_ = TCenterPoint::cpCenter;
  }
  Changed();
}

void TFwCustomLabel::SetCenterPoint(TCenterPoint value) { SetAndInvalidate(*this, centerPoint_, value); }

void TFwCustomLabel::SetBlinking(bool value) {
  if (value == blinking_) return;
  blinking_ = value;
  if (!value) blinkOn_ = false;
  Invalidate();
}

void TFwCustomLabel::SetBlinkColor(TColor value) { SetAndInvalidate(*this, blinkColor_, value); }

int TFwCustomLabel::BlinkIntervalOn() const { return BlinkingList() ? BlinkingList()->OnInterval() : 500; }
int TFwCustomLabel::BlinkIntervalOff() const { return BlinkingList() ? BlinkingList()->OffInterval() : 500; }

void TFwCustomLabel::SetBlinkIntervalOn(int ms) {
  if (BlinkingList()) BlinkingList()->SetOnInterval(std::clamp(ms, 0, 65535));
}

void TFwCustomLabel::SetBlinkIntervalOff(int ms) {
  if (BlinkingList()) BlinkingList()->SetOffInterval(std::clamp(ms, 0, 65535));
}

void TFwCustomLabel::BlinkPhaseChanged(bool on) {
  blinkOn_ = on && blinking_;
  Invalidate();
}

TColor TFwCustomLabel::DrawingColor() const { return blinkOn_ ? blinkColor_ : Font().Color(); }

void TFwCustomLabel::SetBevelWidth(int value) { if (StoreIfChanged(borders_.BevelWidth, value)) Changed(); }
void TFwCustomLabel::SetBorderColor(TColor value) { if (StoreIfChanged(borders_.BorderColor, value)) Changed(); }
void TFwCustomLabel::SetBorderInner(TFrameStyleEx value) { if (StoreIfChanged(borders_.BorderInner, value)) Changed(); }
void TFwCustomLabel::SetBorderOuter(TFrameStyleEx value) { if (StoreIfChanged(borders_.BorderOuter, value)) Changed(); }
void TFwCustomLabel::SetBorderSides(TSides value) { if (StoreIfChanged(borders_.Sides, value)) Changed(); }
void TFwCustomLabel::SetBorderHighlight(TColor value) { if (StoreIfChanged(borders_.BorderHighlight, value)) Changed(); }
void TFwCustomLabel::SetBorderShadow(TColor value) { if (StoreIfChanged(borders_.BorderShadow, value)) Changed(); }
void TFwCustomLabel::SetBorderWidth(int value) { if (StoreIfChanged(borders_.BorderWidth, value)) Changed(); }
void TFwCustomLabel::SetFlatColor(TColor value) { if (StoreIfChanged(borders_.FlatColor, value)) Changed(); }
void TFwCustomLabel::SetFlatColorAdjustment(int value) { if (StoreIfChanged(borders_.FlatColorAdjustment, value)) Changed(); }

void TFwCustomLabel::SetCondenseCaption(TFwCondenseCaption value) {
  if (value == condenseCaption_) return;
  condenseCaption_ = value;
  if (value != TFwCondenseCaption::ccNone) TLabel::SetAutoSize(false);
  Invalidate();
}

void TFwCustomLabel::SetFlyByEnabled(bool value) {
  if (value == flyByEnabled_) return;
  flyByEnabled_ = value;
  if (!value && flyByActive_) {
    flyByActive_ = false;
    Font().SetColor(savedFontColor_);
  }
}

void TFwCustomLabel::SetLightTextStyle(bool value) { SetAndInvalidate(*this, lightTextStyle_, value); }

void TFwCustomLabel::SetTextMargin(int value) {
  if (StoreIfChanged(textMargin_, value)) Changed();
}

void TFwCustomLabel::SetTextStyle(TTextStyle value) {
  if (StoreIfChanged(textStyle_, value)) Changed();
}

void TFwCustomLabel::SetHighlightColor(TColor value) { SetAndInvalidate(*this, highlightColor_, value); }

void TFwCustomLabel::SetShadowColor(TColor value) { SetAndInvalidate(*this, shadowColor_, value); }

void TFwCustomLabel::SetShadowDepth(int value) {
  if (StoreIfChanged(shadowDepth_, value)) Changed();
}

void TFwCustomLabel::SetAutoSize(bool value) {
  TLabel::SetAutoSize(value);
  Changed();
}

void TFwCustomLabel::SetWordWrap(bool value) {
  TLabel::SetWordWrap(value);
  Changed();
}

void TFwCustomLabel::SetShowAccelChar(bool value) {
  TLabel::SetShowAccelChar(value);
  Changed();
}

void TFwCustomLabel::SetAlignment(TAlignment value) {
  TLabel::SetAlignment(value);
  Invalidate();
}

bool TFwCustomLabel::UpdateFromFrameController(const TFwFrameController& c) {
  ApplyFrameControllerToBorders(*this, c, notifications_);
  return true;
}

void TFwCustomLabel::TextChanged() {
  TLabel::TextChanged();
  Changed();
}

void TFwCustomLabel::FontChanged() {
  TLabel::FontChanged();
  Changed();
}

void TFwCustomLabel::Loaded() {
  TLabel::Loaded();
  if (angle_ != 0 && rotation_ == TRotation::roNone) rotation_ = TRotation::roFlat;
  Changed();
}

void TFwCustomLabel::MouseEnter() {
  if (flyByEnabled_ && !flyByActive_) {
    savedFontColor_ = Font().Color();
    flyByActive_ = true;
    Font().SetColor(flyByColor_);
  }
  if (OnMouseEnter) OnMouseEnter(this);
}

void TFwCustomLabel::MouseLeave() {
  if (flyByActive_) {
    flyByActive_ = false;
    Font().SetColor(savedFontColor_);
  }
  if (OnMouseLeave) OnMouseLeave(this);
}

void TFwCustomLabel::Resize() {
  TLabel::Resize();
  if (WordWrap()) AdjustSize();
}

TInnerOuterBorders TFwCustomLabel::BorderSettings() const {
  TInnerOuterBorders b = borders_;
  b.Color = Color();
  b.OuterColor = Parent() ? Parent()->Color() : Color();
  b.Transparent = Transparent();
  b.FullInnerFlat = false;
  return b;
}

unsigned TFwCustomLabel::DrawFlags() const {
  unsigned flags = DT_EXPANDTABS;
  if (Alignment() == TAlignment::taRightJustify) flags |= DT_RIGHT;
  else if (Alignment() == TAlignment::taCenter) flags |= DT_CENTER;
  if (WordWrap()) flags |= DT_WORDBREAK;
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  if (condenseCaption_ == TFwCondenseCaption::ccAtEnd) flags |= DT_END_ELLIPSIS;
  if (condenseCaption_ == TFwCondenseCaption::ccWithinPath) flags |= DT_PATH_ELLIPSIS;
  return flags;
}

template <typename Draw> void TFwCustomLabel::DrawStyled(Draw draw, int shadowDepth) {
  if (!Enabled()) {
    draw(1, 1, clBtnHighlight);
    draw(0, 0, clBtnShadow);
    return;
  }
  switch (textStyle_) {
  case TTextStyle::tsRaised:
    if (!lightTextStyle_) draw(1, 1, shadowColor_);
    draw(-1, -1, highlightColor_);
    break;
  case TTextStyle::tsRecessed:
    draw(1, 1, highlightColor_);
    if (!lightTextStyle_) draw(-1, -1, shadowColor_);
    break;
  case TTextStyle::tsShadow: draw(shadowDepth, shadowDepth, shadowColor_); break;
  default: break;
  }
  draw(0, 0, DrawingColor());
}

void TFwCustomLabel::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = DrawInnerOuterBorders(canvas, Rect(0, 0, Width(), Height()), BorderSettings());
  if (!Transparent()) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Font().Assign(Font());
  switch (rotation_) {
  case TRotation::roCurve: DrawCurvedText(canvas); break;
  case TRotation::roFlat: DrawFlatText(canvas); break;
  default: DrawStraightText(canvas, r); break;
  }
  TGraphicControl::Paint();
}

void TFwCustomLabel::DrawStraightText(TCanvas& canvas, const TRect& inside) {
  TRect r = inside;
  r.Left += textMargin_;
  r.Top += textMargin_;
  r.Right -= textMargin_;
  r.Bottom -= textMargin_;
  const unsigned flags = DrawFlags();
  const QString text = Caption();
  if (Layout() != TTextLayout::tlTop) {
    TRect calc = r;
    canvas.DrawText(text, calc, flags | DT_CALCRECT);
    if (Layout() == TTextLayout::tlCenter) r.Top += (r.Height() - calc.Height()) / 2;
    else r.Top = r.Bottom - calc.Height();
  }
  if (textStyle_ == TTextStyle::tsShadow) {
    if (Alignment() == TAlignment::taRightJustify) r = Rect(r.Left - shadowDepth_, r.Top, r.Right - shadowDepth_, r.Bottom);
    if (Layout() == TTextLayout::tlBottom) r = Rect(r.Left, r.Top - shadowDepth_, r.Right, r.Bottom - shadowDepth_);
  }
  DrawStyled(
      [&](int dx, int dy, TColor color) {
        TRect at = Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
        canvas.Font().SetColor(color);
        canvas.DrawText(text, at, flags);
      },
      shadowDepth_);
}

void TFwCustomLabel::DrawFlatText(TCanvas& canvas) {
  QPainter* p = canvas.Painter();
  if (!p) return;
  const QFont font = Font().ToQFont();
  const QFontMetrics fm(font);
  const QString text = ShowAccelChar() ? StripAccelChars(Caption()) : Caption();
  const int w = fm.horizontalAdvance(text);
  const int h = fm.height();
  const QPointF centre(Width() / 2.0, Height() / 2.0);
  DrawStyled(
      [&](int dx, int dy, TColor color) {
        p->save();
        p->translate(centre + QPointF(dx, dy));
        p->rotate(-angle_);
        p->setFont(font);
        p->setPen(ToQColor(color));
        p->drawText(QRect(-w / 2, -h / 2, w, h), Qt::AlignCenter | Qt::TextSingleLine, text);
        p->restore();
      },
      shadowDepth_);
}

void TFwCustomLabel::DrawCurvedText(TCanvas& canvas) {
  QPainter* p = canvas.Painter();
  if (!p) return;
  const int W = Width(), H = Height(), b = borders_.BorderWidth;
  QPoint anchor;
  QPoint radii;
  switch (centerPoint_) {
  case TCenterPoint::cpUpperLeft: anchor = {b, b}; radii = {W - 2 * b, H - 2 * b}; break;
  case TCenterPoint::cpUpperCenter: anchor = {W / 2, b}; radii = {W / 2 - 2 * b, H - 2 * b}; break;
  case TCenterPoint::cpUpperRight: anchor = {W, b}; radii = {W - 2 * b, H - 2 * b}; break;
  case TCenterPoint::cpLeftCenter: anchor = {b, H / 2}; radii = {W - 2 * b, H / 2 - 2 * b}; break;
  case TCenterPoint::cpCenter: anchor = {W / 2, H / 2}; radii = {W / 2 - 2 * b, H / 2 - 2 * b}; break;
  case TCenterPoint::cpRightCenter: anchor = {W - b, H / 2}; radii = {W - 2 * b, H / 2 - 2 * b}; break;
  case TCenterPoint::cpLowerLeft: anchor = {b, H - b}; radii = {W - 2 * b, H - 2 * b}; break;
  case TCenterPoint::cpLowerCenter: anchor = {W / 2, H - b}; radii = {W / 2 - 2 * b, H - 2 * b}; break;
  case TCenterPoint::cpLowerRight: anchor = {W - b, H - b}; radii = {W - 2 * b, H - 2 * b}; break;
  }
  const QFont font = Font().ToQFont();
  const QFontMetrics fm(font);
  const int h = fm.height();
  const double rx = std::max(1, radii.x());
  const double step = (fm.horizontalAdvance(QLatin1Char('w')) + 2) / rx;
  double theta = angle_ * M_PI / 180.0;
  for (QChar letter : Caption()) {
    const int x = anchor.x() - Rnd(std::sin(theta) * (radii.x() - h));
    const int y = anchor.y() - Rnd(std::cos(theta) * (radii.y() - h));
    const double degrees = theta * 180.0 / M_PI;
    DrawStyled(
        [&](int dx, int dy, TColor color) {
          p->save();
          p->translate(x + dx, y + dy);
          p->rotate(-degrees);
          p->setFont(font);
          p->setPen(ToQColor(color));
          p->drawText(0, fm.ascent(), QString(letter));
          p->restore();
        },
        shadowDepth_);
    theta -= step;
  }
}

QSize TFwCustomLabel::BorderExtent() const {
  const int outer = SideWidth(borders_.BorderOuter, borders_.BevelWidth);
  const int inner = SideWidth(borders_.BorderInner, borders_.BevelWidth);
  const int one = outer + inner + borders_.BorderWidth;
  const TSides s = borders_.Sides;
  const int w = ((s & sdLeft) ? one : 0) + ((s & sdRight) ? one : 0);
  const int h = ((s & sdTop) ? one : 0) + ((s & sdBottom) ? one : 0);
  return {w, h};
}

void TFwCustomLabel::AdjustSize() {
  if (!AutoSize() || Loading() || adjusting_) return;
  adjusting_ = true;
  const QSize border = BorderExtent();
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(Font());
  const QString text = Caption().isEmpty() ? QStringLiteral(" ") : Caption();
  int w = 0, h = 0;
  if (rotation_ == TRotation::roNone) {
    TRect calc = Rect(0, 0, WordWrap() ? std::max(1, Width() - border.width()) : 100000, 0);
    canvas.DrawText(text, calc, DrawFlags() | DT_CALCRECT);
    w = calc.Width() + border.width();
    h = calc.Height() + border.height();
    if (textStyle_ == TTextStyle::tsShadow) {
      w += shadowDepth_;
      h += shadowDepth_;
    }
    if (WordWrap()) w = Width();
  } else {
    const int tw = canvas.TextWidth(text) + border.width();
    const int th = canvas.TextHeight(text) + border.height();
    double theta = (angle_ % 90) * M_PI / 180.0;
    if (angle_ == 90 || angle_ == 270) theta += M_PI / 2;
    w = Rnd(std::sin(theta) * th + std::cos(theta) * tw);
    h = Rnd(std::cos(theta) * th + std::sin(theta) * tw);
    if (textStyle_ == TTextStyle::tsShadow) {
      w += shadowDepth_ / 2;
      h += shadowDepth_ / 2;
    }
  }
  int left = Left();
  // A right-aligned label keeps its right edge.
  if (Alignment() == TAlignment::taRightJustify) left += Width() - w;
  SetBounds(left, Top(), w, h);
  adjusting_ = false;
}

} // namespace fw
