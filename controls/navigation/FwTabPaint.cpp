// Painting of TFwCustomTabControl: background, the cards of the stacked rows, the tabs
// back to front, the selected tab and the front card with a gap in its frame under the
// selected tab.

#include "controls/common/FwColors.h"
#include "controls/common/FwGraphics.h"
#include "controls/navigation/FwTabControl.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/ImageList.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace fw {

TColor TFwCustomTabControl::OutlineColor() const { return AdjustColor(flatColor_, flatColorAdjustment_); }

TColor TFwCustomTabControl::HotColor() const {
  if (hotTrackColorType_ == TFwHotTrackColorType::htctComplement) return ComplementaryColor(hotTrackColor_, 140);
  return hotTrackColor_;
}

void TFwCustomTabControl::Paint() {
  PaintTo(Canvas());
  TCustomControl::Paint();
}

void TFwCustomTabControl::PaintTo(TCanvas& canvas) {
  EnsureLayout();
  const TRect whole = Rect(0, 0, Width(), Height());
  if (!DoPaintBackground(canvas, whole) && !transparent_) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(backgroundColor_);
    canvas.FillRect(whole);
  }
  auto paintable = [&](int i) { return i != tabIndex_ && FullyShown(i); };
  // Back to front: the rows furthest from the card first, each followed by its card;
  // within a row later tabs first, so each tab overlaps the one after it.
  for (int row = rows_ - 1; row >= 0; --row) {
    for (int i = tabs_.Count() - 1; i >= 0; --i)
      if (tabs_.Items(i).Row == row && paintable(i)) PaintTab(canvas, i);
    if (row > 0) PaintCard(canvas, row);
  }
  if (tabIndex_ >= 0 && tabIndex_ < tabs_.Count() && FullyShown(tabIndex_)) PaintTab(canvas, tabIndex_);
  PaintCard(canvas, 0);
  if (markerTab_ >= 0) DrawDragMarker(canvas, markerRect_);
}

bool TFwCustomTabControl::DoPaintBackground(TCanvas& canvas, const TRect& r) {
  bool handled = false;
  if (OnPaintBackground) OnPaintBackground(this, canvas, r, handled);
  return handled;
}

bool TFwCustomTabControl::DoPaintCardBackground(TCanvas& canvas, int row, const TRect& r) {
  bool handled = false;
  if (OnPaintCardBackground) OnPaintCardBackground(this, canvas, row, r, handled);
  return handled;
}

bool TFwCustomTabControl::DoPaintTabBackground(TCanvas& canvas, int tabIndex, const TRect& r) {
  bool handled = false;
  if (OnPaintTabBackground) OnPaintTabBackground(this, canvas, tabIndex, r, handled);
  return handled;
}

TColor TFwCustomTabControl::DoGetTextColor(int tabIndex, TFwTextStyle style, TColor color) {
  bool handled = false;
  TColor answer = color;
  if (OnGetTextColor) OnGetTextColor(this, tabIndex, style, answer, handled);
  return handled ? answer : color;
}

void TFwCustomTabControl::PaintCard(TCanvas& canvas, int row) {
  TRect card = CardRectRaw(row);
  if (row > 0 && card == TRect{}) return;
  if (showCardFrame_) {
    card.Right += 1;
    card.Bottom += 1;
  }
  if (!DoPaintCardBackground(canvas, row, card)) {
    TColor fill = Color();
    if (useColoredTabs_ && tabIndex_ >= 0 && tabIndex_ < tabs_.Count()) fill = tabs_.Items(tabIndex_).Color;
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(fill);
    canvas.FillRect(card);
  }
  if (!showCardFrame_) return;
  const bool selectedShown = tabIndex_ >= 0 && tabIndex_ < tabs_.Count() && FullyShown(tabIndex_);
  if (row == 0 && selectedShown) PaintCardFrame(canvas, card);
  else {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(OutlineColor());
    canvas.FrameRect(card);
  }
  if (row == 0 && ShadowShown()) PaintShadow(canvas, card);
}

// The front card's frame runs along the tab side from one corner to the selected tab,
// leaves a gap under it, and goes on to the other corner (and round the other three
// sides with the full frame), so the selected tab and the card read as one surface.
void TFwCustomTabControl::PaintCardFrame(TCanvas& canvas, const TRect& card) {
  const TPoint tl{card.Left, card.Top}, tr{card.Right - 1, card.Top};
  const TPoint br{card.Right - 1, card.Bottom - 1}, bl{card.Left, card.Bottom - 1};
  // The tab-side edge from a to b, then the rest of the frame through c and d.
  TPoint a, b, c, d;
  switch (tabOrientation_) {
  case TFwTabOrientation::toTop: a = tl; b = tr; c = br; d = bl; break;
  case TFwTabOrientation::toBottom: a = bl; b = br; c = tr; d = tl; break;
  case TFwTabOrientation::toLeft: a = tl; b = bl; c = br; d = tr; break;
  case TFwTabOrientation::toRight: a = tr; b = br; c = bl; d = tl; break;
  }
  const std::vector<TPoint> polygon = TabPolygon(tabIndex_);
  const bool horizontalEdge = !Vertical();
  auto along = [&](TPoint p) { return horizontalEdge ? p.X : p.Y; };
  const int lo = along(a), hi = along(b);
  int g0 = std::clamp(std::min(along(polygon.front()), along(polygon.back())), lo, hi);
  int g1 = std::clamp(std::max(along(polygon.front()), along(polygon.back())), lo, hi);
  auto onEdge = [&](int v) { return horizontalEdge ? TPoint{v, a.Y} : TPoint{a.X, v}; };
  canvas.Pen().SetColor(OutlineColor());
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  const TPoint p0 = onEdge(g0), p1 = onEdge(g1);
  canvas.MoveTo(a.X, a.Y);
  canvas.LineTo(p0.X, p0.Y);
  canvas.SetPixel(p0.X, p0.Y, OutlineColor());
  canvas.MoveTo(p1.X, p1.Y);
  canvas.LineTo(b.X, b.Y);
  canvas.SetPixel(b.X, b.Y, OutlineColor());
  if (!showFullFrame_) return;
  canvas.LineTo(c.X, c.Y);
  canvas.LineTo(d.X, d.Y);
  canvas.LineTo(a.X, a.Y);
}

// A soft shadow two pixels wide right of and below the card, blended into the background.
void TFwCustomTabControl::PaintShadow(TCanvas& canvas, const TRect& card) {
  const int strengths[2] = {30, 15};
  for (int k = 0; k < 2; ++k) {
    const TColor shade = BlendColors(clBlack, backgroundColor_, strengths[k]);
    const int x = card.Right + k, y = card.Bottom + k;
    for (int v = card.Top + 2 + k; v <= y; ++v) canvas.SetPixel(x, v, shade);
    for (int v = card.Left + 2 + k; v < x; ++v) canvas.SetPixel(v, y, shade);
  }
}

// The part of a tab that holds its caption: the drawn rectangle less the slopes and edges of its shape.
TRect TFwCustomTabControl::ContentRect(int index) const {
  const TRect d = DrawnStripRect(index);
  const int h = d.Height();
  int left = d.Left + 4, right = d.Right - 4;
  switch (tabStyle_) {
  case TFwTabStyle::tsSingleSlant: right = d.Right - h; break;
  case TFwTabStyle::tsDoubleSlant: left = d.Left + h; right = d.Right - h; break;
  case TFwTabStyle::tsBackSlant: left = d.Left + h; break;
  case TFwTabStyle::tsCutCorner: right = d.Right - cutCornerSize_; break;
  case TFwTabStyle::tsRoundCorners: break;
  }
  if (right < left) right = left;
  return MapRect(Rect(left, d.Top + 3, right, d.Bottom - 3));
}

TFwTabLook TFwCustomTabControl::TabLook(int index) {
  EnsureLayout();
  const TFwTabData& tab = tabs_.Items(index);
  TFwTabLook look;
  look.Selected = index == tabIndex_;
  look.Enabled = tab.Enabled;
  look.Hot = hotTrack_ && index == hotTab_;
  look.FocusRect = look.Selected && showFocusRect_ && hasFocus();
  look.Bold = boldCurrentTab_ && look.Selected;
  look.TextEscapement = TextEscapement();
  look.Drawn = MapRect(DrawnStripRect(index));
  look.Background = Rect(look.Drawn.Left, look.Drawn.Top, look.Drawn.Right + 1, look.Drawn.Bottom + 1);
  look.Content = ContentRect(index);
  PlaceImage(tab, look);
  ChooseFill(tab, look);
  ChooseTextColors(index, look);
  return look;
}

// The background: the card's colour under the selected tab, else a gradient (or a plain
// fill) of the unselected colour and its shadow, lighter towards the card.
void TFwCustomTabControl::ChooseFill(const TFwTabData& tab, TFwTabLook& look) const {
  if (look.Selected) {
    look.Fill = useColoredTabs_ ? tab.Color : Color();
    return;
  }
  TColor first = tabColors_.Unselected(), second = tabColors_.Shadow();
  if (useColoredTabs_) {
    first = tab.Color;
    second = ColorToRGB(tab.Color) == ColorToRGB(clWhite) ? clBtnFace : DarkerColor(tab.Color, 30);
  }
  look.Fill = first;
  look.Gradient = useGradients_ && HighColorDisplay();
  if (!look.Gradient) return;
  const bool nearSide = tabOrientation_ == TFwTabOrientation::toBottom || tabOrientation_ == TFwTabOrientation::toRight;
  look.GradientDirection = Vertical() ? TGradientDirection::gdVerticalEnd : TGradientDirection::gdHorizontalEnd;
  look.GradientStart = nearSide ? second : first;
  look.GradientStop = nearSide ? first : second;
}

// The caption colours (asked of OnGetTextColor) and the bar along the tab's outer edge.
void TFwCustomTabControl::ChooseTextColors(int index, TFwTabLook& look) {
  const bool bar = hotTrack_ && hotTrackStyle_ == TFwTabHotTrackStyle::htsTab;
  if (!look.Enabled) {
    look.TextEmboss = DoGetTextColor(index, TFwTextStyle::tsDisabledHighlight, textColors_.DisabledHighlight());
    look.TextColor = DoGetTextColor(index, TFwTextStyle::tsDisabledShadow, textColors_.DisabledShadow());
  } else if (look.Hot) {
    look.TextColor = DoGetTextColor(index, TFwTextStyle::tsHotTrack, bar ? textColors_.Selected() : HotColor());
    if (bar) look.HighlightBar = HotColor();
  } else if (!look.Selected) {
    look.TextColor = DoGetTextColor(index, TFwTextStyle::tsUnselected, textColors_.Unselected());
  } else {
    look.TextColor = DoGetTextColor(index, TFwTextStyle::tsSelected, textColors_.Selected());
    if (bar) look.HighlightBar = tabColors_.HighlightBar();
  }
}

void TFwCustomTabControl::PaintTab(TCanvas& canvas, int index) {
  const TFwTabLook look = TabLook(index);
  const TRect& rect = look.Drawn;
  const TRect clip = canvas.ClipRect();
  const bool meets = rect.Left < clip.Right && clip.Left < rect.Right + 1 && rect.Top < clip.Bottom && clip.Top < rect.Bottom + 1;
  if (meets) {
    const QRegion region = TabRegion(index);
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(Rect(0, 0, Width(), Height()));
    if (canvas.HasClip()) canvas.SelectClipRegion(canvas.ClipRegion() & region);
    else canvas.SelectClipRegion(region);
    if (!DoPaintTabBackground(canvas, index, look.Background)) PaintTabBackground(canvas, look);
    PaintImage(canvas, look);
    PaintCaption(canvas, index, look);
    canvas.RestoreDC(saved);
  }
  canvas.Pen().SetColor(OutlineColor());
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Polyline(TabPolygon(index));
}

void TFwCustomTabControl::PaintTabBackground(TCanvas& canvas, const TFwTabLook& look) {
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  if (look.Gradient) {
    PaintGradient(canvas, look.Background, look.GradientDirection, look.GradientStart, look.GradientStop);
  } else {
    canvas.Brush().SetColor(look.Fill);
    canvas.FillRect(look.Background);
  }
}

namespace {

int Place(int start, int room, int size, int alignment) {
  // alignment: 0 start, 1 centre, 2 end
  if (alignment == 1) return start + (room - size) / 2;
  if (alignment == 2) return start + room - size;
  return start;
}

} // namespace

void TFwCustomTabControl::PlaceImage(const TFwTabData& tab, TFwTabLook& look) const {
  const TRect& content = look.Content;
  look.Caption = content;
  if (!HasImage(tab)) return;
  const int iw = images_->Width(), ih = images_->Height();
  TRect imageArea = content;
  switch (imagePosition_) {
  case TFwImagePosition::ipLeft:
    imageArea.Right = content.Left + iw;
    look.Caption.Left = imageArea.Right + imageMargin_;
    break;
  case TFwImagePosition::ipRight:
    imageArea.Left = content.Right - iw;
    look.Caption.Right = imageArea.Left - imageMargin_;
    break;
  case TFwImagePosition::ipTop:
    imageArea.Bottom = content.Top + ih;
    look.Caption.Top = imageArea.Bottom + imageMargin_;
    break;
  case TFwImagePosition::ipBottom:
    imageArea.Top = content.Bottom - ih;
    look.Caption.Bottom = imageArea.Top - imageMargin_;
    break;
  case TFwImagePosition::ipBack:
  case TFwImagePosition::ipStretch: break;
  }
  // A disabled tab shows its own disabled image when it has one, else its image greyed.
  int shown = tab.ImageIndex;
  if (tab.DisabledIndex == -1) look.ImageGreyed = !tab.Enabled;
  else if (!tab.Enabled) shown = tab.DisabledIndex;
  if (shown < 0 || shown >= images_->Count()) return;
  look.ImageIndex = shown;
  if (imagePosition_ == TFwImagePosition::ipStretch) {
    look.Image = Rect(content.Left, content.Top, content.Left + std::max(1, content.Width()),
                      content.Top + std::max(1, content.Height()));
    return;
  }
  const int x = Place(imageArea.Left, imageArea.Width(), iw, int(imageAlignment_));
  const int y = Place(imageArea.Top, imageArea.Height(), ih, int(imageAlignmentVertical_));
  look.Image = Bounds(x, y, iw, ih);
}

void TFwCustomTabControl::PaintImage(TCanvas& canvas, const TFwTabLook& look) {
  if (look.ImageIndex < 0) return;
  QImage image = images_->Image(look.ImageIndex);
  if (look.ImageGreyed) image = Greyed(image);
  if (imagePosition_ == TFwImagePosition::ipStretch) image = image.scaled(look.Image.Width(), look.Image.Height());
  canvas.DrawImage(look.Image.Left, look.Image.Top, image);
}

// A bar at the outer edge of a tab: 6 pixels deep on top and left tabs, 4 on the others.
void TFwCustomTabControl::PaintHighlightBar(TCanvas& canvas, const TRect& drawn, TColor color) {
  TRect r{drawn.Left - 1, drawn.Top - 1, drawn.Right + 1, drawn.Bottom + 1};
  switch (tabOrientation_) {
  case TFwTabOrientation::toTop: r.Bottom = r.Top + 6; break;
  case TFwTabOrientation::toLeft: r.Right = r.Left + 6; break;
  case TFwTabOrientation::toBottom: r.Top = r.Bottom - 4; break;
  case TFwTabOrientation::toRight: r.Left = r.Right - 4; break;
  }
  const TColor saved = canvas.Brush().Color();
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(color);
  canvas.FillRect(r);
  canvas.Brush().SetColor(saved);
}

void TFwCustomTabControl::PaintCaption(TCanvas& canvas, int index, const TFwTabLook& look) {
  const TFwTabData& tab = tabs_.Items(index);
  const TRect& content = look.Caption;
  if (look.HighlightBar != clNone) PaintHighlightBar(canvas, look.Drawn, look.HighlightBar);
  struct Pass {
    TColor color;
    int offset;
  };
  std::vector<Pass> passes;
  if (look.TextEmboss != clNone) passes.push_back({look.TextEmboss, 1});
  passes.push_back({look.TextColor, 0});

  canvas.Font().Assign(TabFont(look.Bold));
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const QFontMetrics fm(canvas.Font().ToQFont());
  const QStringList lines = tab.Caption.split(QStringLiteral("\r\n"));
  if (look.TextEscapement != 0) {
    for (const Pass& pass : passes) PaintTurnedCaption(canvas, lines, look, pass.color, pass.offset);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    if (look.FocusRect) PaintFocusRect(canvas, look);
    return;
  }
  const int lineHeight = fm.height();
  const int blockHeight = int(lines.size()) * lineHeight;
  int top = content.Top;
  if (textAlignmentVertical_ == TFwVerticalAlignment::vaCenter) top += (content.Height() - blockHeight) / 2;
  else if (textAlignmentVertical_ == TFwVerticalAlignment::vaBottom) top = content.Bottom - blockHeight;
  unsigned align = DT_CENTER;
  if (textAlignment_ == TFwHorizontalAlignment::haLeft) align = DT_LEFT;
  else if (textAlignment_ == TFwHorizontalAlignment::haRight) align = DT_RIGHT;
  for (const Pass& pass : passes) {
    canvas.Font().SetColor(pass.color);
    for (int k = 0; k < lines.size(); ++k) {
      TRect line{content.Left + pass.offset, top + k * lineHeight + pass.offset, content.Right + pass.offset,
                 top + (k + 1) * lineHeight + pass.offset};
      canvas.DrawText(lines[k], line, DT_SINGLELINE | DT_NOCLIP | align);
    }
  }
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  if (look.FocusRect) PaintFocusRect(canvas, look);
}

// Turned lines stand side by side across the caption area (by TextAlignment), each
// placed along it by TextAlignmentVertical; "&" underlines the accelerator.
void TFwCustomTabControl::PaintTurnedCaption(TCanvas& canvas, const QStringList& lines, const TFwTabLook& look,
                                             TColor color, int offset) {
  QPainter* p = canvas.Painter();
  if (!p) return;
  const TRect& area = look.Caption;
  const QFont font = canvas.Font().ToQFont();
  const QFontMetrics fm(font);
  const int lineHeight = fm.height();
  const int n = int(lines.size());
  const int block = n * lineHeight;
  int left = area.Left + (area.Width() - block) / 2;
  if (textAlignment_ == TFwHorizontalAlignment::haLeft) left = area.Left;
  else if (textAlignment_ == TFwHorizontalAlignment::haRight) left = area.Right - block;
  const bool upwards = look.TextEscapement == 900;
  p->save();
  p->setFont(font);
  p->setPen(ToQColor(color));
  for (int k = 0; k < n; ++k) {
    const int length = fm.horizontalAdvance(StripAccelChars(lines[k]));
    int top = area.Top + (area.Height() - length) / 2;
    if (textAlignmentVertical_ == TFwVerticalAlignment::vaTop) top = area.Top;
    else if (textAlignmentVertical_ == TFwVerticalAlignment::vaBottom) top = area.Bottom - length;
    // Reading upwards the first line is the leftmost, reading downwards the rightmost.
    const int x = left + (upwards ? k : n - 1 - k) * lineHeight + offset;
    p->save();
    if (upwards) {
      p->translate(x, top + length + offset);
      p->rotate(-90);
    } else {
      p->translate(x + lineHeight, top + offset);
      p->rotate(90);
    }
    p->drawText(QRect(0, 0, length + 2, lineHeight), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, lines[k]);
    p->restore();
  }
  p->restore();
}

// A dotted frame, every other pixel, as the desktop's focus rectangle, round the content
// (image and caption) one pixel beyond it along the strip. The selected round tab stands
// out further than the others, so its frame's outer edge comes in again.
void TFwCustomTabControl::PaintFocusRect(TCanvas& canvas, const TFwTabLook& look) {
  TRect focus = look.Content;
  if (Vertical()) {
    focus.Top -= 1;
    focus.Bottom += 1;
  } else {
    focus.Left -= 1;
    focus.Right += 1;
  }
  if (tabStyle_ == TFwTabStyle::tsRoundCorners) {
    switch (tabOrientation_) {
    case TFwTabOrientation::toTop: focus.Top += 1; break;
    case TFwTabOrientation::toLeft: focus.Left += 2; break;
    case TFwTabOrientation::toBottom: focus.Bottom -= 1; break;
    case TFwTabOrientation::toRight: focus.Right -= 2; break;
    }
  }
  const TColor dot = textColors_.Selected();
  for (int x = focus.Left; x < focus.Right; x += 2) {
    canvas.SetPixel(x, focus.Top, dot);
    canvas.SetPixel(x, focus.Bottom - 1, dot);
  }
  for (int y = focus.Top; y < focus.Bottom; y += 2) {
    canvas.SetPixel(focus.Left, y, dot);
    canvas.SetPixel(focus.Right - 1, y, dot);
  }
}

} // namespace fw
