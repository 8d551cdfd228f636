// Painting of TFwCustomTabControl: background, the cards of the stacked rows, the tabs
// back to front, the selected tab and the front card with a gap in its frame under the
// selected tab.

#include "controls/common/FwColors.h"
#include "controls/common/FwGraphics.h"
#include "controls/navigation/FwTabControl.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/ImageList.h"

#include <QFontMetrics>
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

void TFwCustomTabControl::PaintTab(TCanvas& canvas, int index) {
  const TRect rect = MapRect(DrawnStripRect(index));
  const TRect clip = canvas.ClipRect();
  const bool meets = rect.Left < clip.Right && clip.Left < rect.Right + 1 && rect.Top < clip.Bottom && clip.Top < rect.Bottom + 1;
  if (meets) {
    const QRegion region = TabRegion(index);
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(Rect(0, 0, Width(), Height()));
    if (canvas.HasClip()) canvas.SelectClipRegion(canvas.ClipRegion() & region);
    else canvas.SelectClipRegion(region);
    const TRect background{rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1};
    PaintTabBackground(canvas, index, background);
    PaintCaption(canvas, index, PaintImage(canvas, index, ContentRect(index)));
    canvas.RestoreDC(saved);
  }
  canvas.Pen().SetColor(OutlineColor());
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Polyline(TabPolygon(index));
}

void TFwCustomTabControl::PaintTabBackground(TCanvas& canvas, int index, const TRect& r) {
  if (DoPaintTabBackground(canvas, index, r)) return;
  const TFwTabData& tab = tabs_.Items(index);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  if (index == tabIndex_) {
    canvas.Brush().SetColor(useColoredTabs_ ? tab.Color : Color());
    canvas.FillRect(r);
    return;
  }
  TColor first = tabColors_.Unselected(), second = tabColors_.Shadow();
  if (useColoredTabs_) {
    first = tab.Color;
    second = ColorToRGB(tab.Color) == ColorToRGB(clWhite) ? clBtnFace : DarkerColor(tab.Color, 30);
  }
  if (useGradients_ && HighColorDisplay()) {
    const bool nearSide = tabOrientation_ == TFwTabOrientation::toBottom || tabOrientation_ == TFwTabOrientation::toRight;
    const TGradientDirection direction = Vertical() ? TGradientDirection::gdVerticalEnd : TGradientDirection::gdHorizontalEnd;
    PaintGradient(canvas, r, direction, nearSide ? second : first, nearSide ? first : second);
  } else {
    canvas.Brush().SetColor(first);
    canvas.FillRect(r);
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

TRect TFwCustomTabControl::PaintImage(TCanvas& canvas, int index, const TRect& content) {
  const TFwTabData& tab = tabs_.Items(index);
  if (!HasImage(tab)) return content;
  const int iw = images_->Width(), ih = images_->Height();
  TRect imageArea = content, caption = content;
  switch (imagePosition_) {
  case TFwImagePosition::ipLeft:
    imageArea.Right = content.Left + iw;
    caption.Left = imageArea.Right + imageMargin_;
    break;
  case TFwImagePosition::ipRight:
    imageArea.Left = content.Right - iw;
    caption.Right = imageArea.Left - imageMargin_;
    break;
  case TFwImagePosition::ipTop:
    imageArea.Bottom = content.Top + ih;
    caption.Top = imageArea.Bottom + imageMargin_;
    break;
  case TFwImagePosition::ipBottom:
    imageArea.Top = content.Bottom - ih;
    caption.Bottom = imageArea.Top - imageMargin_;
    break;
  case TFwImagePosition::ipBack:
  case TFwImagePosition::ipStretch: break;
  }
  // A disabled tab shows its own disabled image when it has one, else its image greyed.
  int shown = tab.ImageIndex;
  bool greyed = false;
  if (tab.DisabledIndex == -1) greyed = !tab.Enabled;
  else if (!tab.Enabled) shown = tab.DisabledIndex;
  if (shown < 0 || shown >= images_->Count()) return caption;
  QImage image = images_->Image(shown);
  if (greyed) image = Greyed(image);
  if (imagePosition_ == TFwImagePosition::ipStretch) {
    canvas.DrawImage(content.Left, content.Top, image.scaled(std::max(1, content.Width()), std::max(1, content.Height())));
    return caption;
  }
  const int x = Place(imageArea.Left, imageArea.Width(), iw, int(imageAlignment_));
  const int y = Place(imageArea.Top, imageArea.Height(), ih, int(imageAlignmentVertical_));
  canvas.DrawImage(x, y, image);
  return caption;
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

void TFwCustomTabControl::PaintCaption(TCanvas& canvas, int index, const TRect& content) {
  const TFwTabData& tab = tabs_.Items(index);
  const bool selected = index == tabIndex_;
  const TRect drawn = MapRect(DrawnStripRect(index));
  struct Pass {
    TColor color;
    int offset;
  };
  std::vector<Pass> passes;
  if (!tab.Enabled) {
    passes.push_back({DoGetTextColor(index, TFwTextStyle::tsDisabledHighlight, textColors_.DisabledHighlight()), 1});
    passes.push_back({DoGetTextColor(index, TFwTextStyle::tsDisabledShadow, textColors_.DisabledShadow()), 0});
  } else if (hotTrack_ && index == hotTab_) {
    const bool bar = hotTrackStyle_ == TFwTabHotTrackStyle::htsTab;
    passes.push_back({DoGetTextColor(index, TFwTextStyle::tsHotTrack, bar ? textColors_.Selected() : HotColor()), 0});
    if (bar) PaintHighlightBar(canvas, drawn, HotColor());
  } else if (!selected) {
    passes.push_back({DoGetTextColor(index, TFwTextStyle::tsUnselected, textColors_.Unselected()), 0});
  } else {
    passes.push_back({DoGetTextColor(index, TFwTextStyle::tsSelected, textColors_.Selected()), 0});
    if (hotTrack_ && hotTrackStyle_ == TFwTabHotTrackStyle::htsTab) PaintHighlightBar(canvas, drawn, tabColors_.HighlightBar());
  }

  canvas.Font().Assign(TabFont(boldCurrentTab_ && selected));
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const QFontMetrics fm(canvas.Font().ToQFont());
  const QStringList lines = tab.Caption.split(QStringLiteral("\r\n"));
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

  if (selected && showFocusRect_ && hasFocus()) {
    TRect focus = content;
    if (Vertical()) { focus.Top -= 1; focus.Bottom += 1; }
    else { focus.Left -= 1; focus.Right += 1; }
    // A dotted frame, every other pixel, as the desktop's focus rectangle.
    const TColor dot = textColors_.Selected();
    for (int x = focus.Left; x < focus.Right; ++x) {
      if ((x - focus.Left) % 2 == 0) {
        canvas.SetPixel(x, focus.Top, dot);
        canvas.SetPixel(x, focus.Bottom - 1, dot);
      }
    }
    for (int y = focus.Top; y < focus.Bottom; ++y) {
      if ((y - focus.Top) % 2 == 0) {
        canvas.SetPixel(focus.Left, y, dot);
        canvas.SetPixel(focus.Right - 1, y, dot);
      }
    }
  }
}

} // namespace fw
