// TFwGroup: measuring and painting. One walk over the items (LayOutItems) serves both,
// so what is measured for the bar's layout is exactly what is painted and hit-tested.
#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "controls/common/FwGraphics.h"
#include "controls/navigation/FwGroup.h"
#include "controls/navigation/FwGroupBar.h"
#include "platform/ui/ImageList.h"


namespace fw {

namespace {

bool GradientsShown(TFwVisualStyle style) { return style != TFwVisualStyle::vsClassic && HighColorDisplay(); }

} // namespace

bool TFwGroup::IsRedundantSeparator(int index) const {
  if (!items_[index]->IsSeparator()) return false;
  if (index == items_.Count() - 1) return true;
  int before = index - 1;
  while (before >= 0 && !items_[before]->Visible()) --before;
  if (before < 0 || items_[before]->IsSeparator()) return true;
  for (int i = index + 1; i < items_.Count(); ++i)
    if (items_[i]->Visible() && !items_[i]->IsSeparator()) return false;
  return true;
}

int TFwGroup::CaptionIndent() const {
  const TImageList* small = UsedSmallImages();
  if (!small) return 8;
  for (int i = 0; i < items_.Count(); ++i)
    if (items_[i]->ImageIndex() != -1) return small->Width() + 12;
  return 8;
}

int TFwGroup::GetItemsHeight() {
  if (items_.Count() == 0) return captionHeight_;
  return LayOutItems(nullptr, nullptr);
}

TFwGroup::ItemColors TFwGroup::GetItemColors() const {
  const TFwGradientColorStyle colorStyle =
      groupBar_ ? groupBar_->GradientColorStyle() : TFwGradientColorStyle::gcsSystem;
  TColor normal = Font().Color();
  TColor hot = itemHotColor_;
  const bool own = style_ != TFwGroupBarStyle::gbsCategoryView || colorStyle == TFwGradientColorStyle::gcsCustom;
  if (!own) {
    if (groupBar_ && groupBar_->VisualStyle() == TFwVisualStyle::vsWinXP && ThemeServicesActive()) {
      normal = GetXPThemeColor(special_ ? 2 : 1);
      hot = BlendColors(clWhite, normal, 50);
    } else {
      const TGroupItemColors c = GetGroupItemColors(colorStyle);
      normal = c.Text;
      hot = c.HotText;
    }
  }
  return {normal, hot, BlendColors(clBlack, normal, 50)};
}

void TFwGroup::DrawItemHighlight(TCanvas& canvas, const TRect& image, bool hot) {
  TColor frame = selectionFrameColor_, start = selectionColor_, stop = selectionShadowColor_;
  if (!groupBar_ || groupBar_->GradientColorStyle() != TFwGradientColorStyle::gcsCustom) {
    const TSelectionColors c =
        GetSelectionColors(groupBar_ ? groupBar_->GradientColorStyle() : TFwGradientColorStyle::gcsSystem);
    frame = c.Frame;
    start = c.Start;
    stop = c.Stop;
  }
  const TRect r = Rect(image.Left - 2, image.Top - 2, image.Right + 2, image.Bottom + 2);
  if (hot)
    PaintGradient(canvas, r, TGradientDirection::gdHorizontalEnd, start, stop);
  else
    PaintGradient(canvas, r, TGradientDirection::gdHorizontalEnd, stop, start);
  canvas.Brush().SetColor(frame);
  canvas.FrameRect(r);
}

void TFwGroup::DrawItemImage(TCanvas& canvas, const TFwGroupItem& item, int x, int y) {
  TImageList* list = itemStyle_ == TFwItemStyle::isLarge ? UsedLargeImages() : UsedSmallImages();
  if (!list) return;
  if (!item.Enabled() && item.DisabledIndex() >= 0) {
    canvas.DrawImage(x, y, list->Image(item.DisabledIndex()));
    return;
  }
  if (item.ImageIndex() < 0 || item.ImageIndex() >= list->Count()) return;
  const QImage image = list->Image(item.ImageIndex());
  canvas.DrawImage(x, y, item.Enabled() ? image : Greyed(image, 50));
}

// Walks the visible items from the first shown one, recording each item's image and
// caption rectangles; with a canvas and colours it also draws them. Returns the bottom
// of the last item.
int TFwGroup::LayOutItems(TCanvas* paint, const ItemColors* colors) {
  TCanvas& c = paint ? *paint : Canvas();
  const int width = Width();
  const bool large = itemStyle_ == TFwItemStyle::isLarge;
  TImageList* images = large ? UsedLargeImages() : UsedSmallImages();
  c.Font().Assign(Font());
  const int textHeight = c.TextHeight(QStringLiteral("Pp"));
  const int offset = (itemHeight_ - textHeight) / 2;
  const int band = large ? (images ? images->Height() + 2 : 34) : 0;
  const int captionIndent = large ? 8 : CaptionIndent();
  const bool drawing = paint && colors;
  const TFwVisualStyle visual = groupBar_ ? groupBar_->VisualStyle() : TFwVisualStyle::vsGradient;
  int y = captionHeight_ + 4;
  int bottom = captionHeight_;
  const int first = style_ == TFwGroupBarStyle::gbsOutlook ? topItem_ : 0;
  for (int i = 0; i < first; ++i) items_[i]->imageRect_ = items_[i]->captionRect_ = TRect{};
  for (int i = first; i < items_.Count(); ++i) {
    TFwGroupItem& item = *items_[i];
    item.imageRect_ = item.captionRect_ = TRect{};
    if (!item.Visible()) continue;
    if (item.IsSeparator()) {
      if (IsRedundantSeparator(i)) continue;
      if (drawing) {
        const TRect line = Rect(8, y + 2, width - 8, y + 3);
        if (GradientsShown(visual)) {
          PaintGradient(c, line, TGradientDirection::gdVerticalCenter, Color(), dividerColor_);
        } else {
          c.Brush().SetColor(dividerColor_);
          c.FillRect(line);
        }
      }
      if (large) {
        bottom = y + 4;
        y += 12;
      } else {
        bottom = y + textHeight + 2 * offset + 4;
        y += std::max(2 * offset + textHeight, itemHeight_);
      }
      continue;
    }
    // Font and colour of this item.
    if (!item.Clickable() && item.Enabled())
      c.Font().Assign(itemStaticFont_);
    else
      c.Font().Assign(Font());
    if (colors) {
      TColor color = colors->Normal;
      TFontStyles style = c.Font().Style() | item.FontStyle();
      if (!item.Enabled()) {
        color = ColorToRGB(Color()) == ColorToRGB(clBtnShadow) ? clBtnFace : clBtnShadow;
        style = 0;
      } else if (!item.Clickable()) {
        color = itemStaticFont_.Color();
      } else if (item.hotState_ == hsHot) {
        color = colors->Hot;
      } else if (item.hotState_ == hsPressed) {
        color = colors->Pressed;
      } else if (item.FontColor() != fwGroupColorDefault) {
        color = item.FontColor();
      }
      if (!large && item.Enabled() && item.Clickable() && item.hotState_ != hsNormal) style |= fsUnderline;
      c.Font().SetColor(color);
      c.Font().SetStyle(style);
    }
    const QString caption = StripAccelChars(item.Caption());
    const bool highlighted = item.hotState_ != hsNormal || (showItemSelection_ && item.Selected());
    if (large) {
      TRect text = Rect(8, y + band, width - 8, y + band);
      c.DrawText(item.Caption(), text, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
      const int th = text.Height();
      const int tw = std::min(text.Width(), width - 16);
      const int iw = images ? images->Width() : 32;
      const int ih = images ? images->Height() : 32;
      item.imageRect_ = Bounds((width - iw) / 2, y + 2, iw, ih);
      const int ty = y + band + offset;
      item.captionRect_ = Bounds((width - tw) / 2, ty, tw, th);
      if (drawing) {
        if (highlighted && item.Enabled())
          DrawItemHighlight(c, item.imageRect_, item.hotState_ == hsHot);
        DrawItemImage(c, item, item.imageRect_.Left, item.imageRect_.Top);
        c.Brush().SetStyle(TBrushStyle::bsClear);
        TRect r = Rect(8, ty, width - 8, ty + th);
        c.DrawText(item.Caption(), r, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
      }
      bottom = y + band + th + 2 * offset + 4;
      y += std::max(2 * offset + th, itemHeight_) + band + 8;
    } else {
      const int indent = item.IndentLevel() * itemIndent_;
      const int left = captionIndent + indent;
      TRect text = Rect(left, y, width - 8, y + itemHeight_);
      c.DrawText(caption, text, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
      const int th = text.Height();
      item.captionRect_ = Bounds(left, y + offset, std::min(text.Width(), width - 8 - left), th);
      if (images && item.ImageIndex() >= 0) {
        const int ih = images->Height();
        const int iy = th > textHeight ? y + offset + (textHeight - ih) / 2 : y + (itemHeight_ - ih) / 2;
        item.imageRect_ = Bounds(8 + indent, iy, images->Width(), ih);
      }
      if (drawing) {
        if (showItemSelection_ && item.Enabled() && !item.imageRect_.IsEmpty() &&
            itemSelectionStyle_ == TFwItemSelectionStyle::issImage && highlighted)
          DrawItemHighlight(c, item.imageRect_, item.hotState_ == hsHot);
        if (showItemSelection_ && item.Selected() && itemSelectionStyle_ == TFwItemSelectionStyle::issCaption)
          DrawItemHighlight(c, item.captionRect_, false);
        if (!item.imageRect_.IsEmpty()) DrawItemImage(c, item, item.imageRect_.Left, item.imageRect_.Top);
        c.Brush().SetStyle(TBrushStyle::bsClear);
        TRect r = Rect(left, y + offset, width - 8, y + offset + th);
        c.DrawText(caption, r, DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
      }
      bottom = y + th + 2 * offset + 4;
      y += std::max(2 * offset + th, itemHeight_);
    }
  }
  return bottom;
}

// ---- painting ----------------------------------------------------------------------

void TFwGroup::Paint() {
  PaintTo(Canvas());
  TCustomControl::Paint();
}

void TFwGroup::PaintTo(TCanvas& canvas) {
  switch (style_) {
  case TFwGroupBarStyle::gbsCategoryView: PaintCategoryView(canvas); break;
  case TFwGroupBarStyle::gbsTaskList: PaintTaskList(canvas); break;
  case TFwGroupBarStyle::gbsOutlook: PaintOutlookHeader(canvas); break;
  }
  DrawItems(canvas);
}

void TFwGroup::DrawItems(TCanvas& canvas) {
  if (items_.Count() == 0 || (!opened_ && style_ != TFwGroupBarStyle::gbsTaskList)) return;
  const ItemColors colors = GetItemColors();
  const int saved = canvas.SaveDC();
  canvas.IntersectClipRect(Rect(0, captionHeight_, Width(), Height()));
  LayOutItems(&canvas, &colors);
  canvas.RestoreDC(saved);
}

namespace {

// Draws the caption image and text of category-view and task-list captions.
void DrawCaptionText(TCanvas& canvas, const QString& caption, const TFont& font, TColor color, int left,
                     int right, int captionHeight) {
  canvas.Font().Assign(font);
  canvas.Font().SetColor(color);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TRect r = Rect(left, 0, right, captionHeight);
  canvas.DrawText(caption, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

} // namespace

void TFwGroup::PaintCategoryView(TCanvas& canvas) {
  const int w = Width();
  const TFwGradientColorStyle colorStyle =
      groupBar_ ? groupBar_->GradientColorStyle() : TFwGradientColorStyle::gcsSystem;
  const TFwVisualStyle visual = groupBar_ ? groupBar_->VisualStyle() : TFwVisualStyle::vsGradient;
  TColor fillStart, fillStop, text, hotText, button, buttonShade, divider, body, frame;
  if (colorStyle == TFwGradientColorStyle::gcsCustom) {
    fillStart = captionColorStart_;
    fillStop = captionColorStop_;
    text = captionFont_.Color();
    hotText = captionHotColor_;
    button = captionColor_;
    buttonShade = DarkerColor(captionColor_, 30);
    if (special_) {
      fillStart = fillStop = captionFont_.Color();
      fillStop = LighterColor(fillStop, 30);
      text = captionColor_;
    }
    divider = dividerColor_;
    body = Color();
    frame = borderColor_;
  } else {
    const TCategoryViewColors c = GetCategoryViewColors(colorStyle, special_);
    fillStart = c.CaptionStart;
    fillStop = c.CaptionStop;
    text = c.CaptionText;
    hotText = c.CaptionHotText;
    button = c.Button;
    buttonShade = c.ButtonShadow;
    divider = c.BodyLine;
    body = c.Body;
    frame = c.BodyFrame;
  }
  // Body first, then the caption over it.
  if (opened_) {
    canvas.Brush().SetColor(body);
    canvas.FillRect(Rect(0, captionHeight_, w, Height()));
    canvas.Brush().SetColor(frame);
    canvas.FrameRect(Rect(0, captionHeight_ - 1, w, Height()));
  }
  const TRect caption = Rect(0, 0, w, captionHeight_);
  if (!GradientsShown(visual)) {
    canvas.Brush().SetColor(fillStart);
    canvas.FillRect(caption);
  } else {
    canvas.Brush().SetColor(fillStart);
    canvas.FillRect(Rect(0, 0, w / 2, captionHeight_));
    PaintGradient(canvas, Rect(w / 2, 0, w, captionHeight_), TGradientDirection::gdVerticalEnd, fillStart,
                  fillStop);
  }
  int textLeft = 8;
  if (TImageList* list = captionStyle_ == TFwCaptionStyle::csLarge ? UsedLargeImages() : UsedSmallImages();
      list && captionImageIndex_ >= 0) {
    canvas.DrawImage(8, (captionHeight_ - list->Height()) / 2, list->Image(captionImageIndex_));
    textLeft = list->Width() + 12;
  }
  const TColor textColor = captionState_ != hsNormal ? hotText : text;
  DrawCaptionText(canvas, Caption(), captionFont_, textColor, textLeft, w - 24, captionHeight_);
  if (canClose_)
    DrawOpenCloseButton(canvas, Bounds(w - 20, (captionHeight_ - 15) / 2, 15, 15), button, buttonShade, textColor);
  // The two top corners are cut in the colour behind the group.
  const TColor back = groupBar_ ? groupBar_->Color() : clBtnFace;
  for (TPoint p : {Point(0, 0), Point(1, 0), Point(0, 1), Point(w - 1, 0), Point(w - 2, 0), Point(w - 1, 1)})
    canvas.SetPixel(p.X, p.Y, back);
  if (opened_ && dividerVisible_) {
    const TRect line = Rect(0, captionHeight_, w, captionHeight_ + 1);
    if (GradientsShown(visual))
      PaintGradient(canvas, line, TGradientDirection::gdVerticalEnd, divider, body);
    else {
      canvas.Brush().SetColor(divider);
      canvas.FillRect(line);
    }
  }
}

void TFwGroup::PaintTaskList(TCanvas& canvas) {
  const int w = Width();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(Rect(0, 0, w, Height()));
  int textLeft = 8;
  if (TImageList* list = captionStyle_ == TFwCaptionStyle::csLarge ? UsedLargeImages() : UsedSmallImages();
      list && captionImageIndex_ >= 0) {
    canvas.DrawImage(8, (captionHeight_ - list->Height()) / 2, list->Image(captionImageIndex_));
    textLeft = list->Width() + 12;
  }
  DrawCaptionText(canvas, Caption(), captionFont_, captionFont_.Color(), textLeft, w - 8, captionHeight_);
  if (dividerVisible_) {
    const TRect line = Rect(0, captionHeight_, w, captionHeight_ + 1);
    const TFwVisualStyle visual = groupBar_ ? groupBar_->VisualStyle() : TFwVisualStyle::vsGradient;
    if (GradientsShown(visual))
      PaintGradient(canvas, line, TGradientDirection::gdVerticalEnd, dividerColor_, Color());
    else {
      canvas.Brush().SetColor(dividerColor_);
      canvas.FillRect(line);
    }
  }
}

void TFwGroup::PaintOutlookHeader(TCanvas& canvas) {
  const int w = Width();
  const TFwGradientColorStyle colorStyle =
      groupBar_ ? groupBar_->GradientColorStyle() : TFwGradientColorStyle::gcsSystem;
  const TFwVisualStyle visual = groupBar_ ? groupBar_->VisualStyle() : TFwVisualStyle::vsGradient;
  TColor start, stop, text, hot, bodyStart, bodyStop;
  if (colorStyle == TFwGradientColorStyle::gcsCustom) {
    start = captionColorStart_;
    stop = captionColorStop_;
    text = captionFont_.Color();
    hot = captionHotColor_;
    bodyStart = Color();
    bodyStop = LighterColor(Color(), 20);
  } else {
    const TOutlookColors c = GetOutlookColors(colorStyle);
    start = c.CaptionStart;
    stop = c.CaptionStop;
    text = c.Text;
    hot = c.HotText;
    bodyStart = stop;
    bodyStop = start;
  }
  const TColor pressed = BlendColors(clBlack, text, 50);
  // Body.
  const TRect body = Rect(0, captionHeight_, w, Height());
  if (!body.IsEmpty()) {
    if (GradientsShown(visual)) {
      PaintGradient(canvas, body, TGradientDirection::gdHorizontalEnd, bodyStart, bodyStop);
    } else {
      canvas.Brush().SetColor(Color());
      canvas.FillRect(body);
    }
  }
  // Caption: a border by state, then the fill inside it.
  const TFrameStyleEx frame = captionState_ == hsHot       ? TFrameStyleEx::fsButtonUp
                              : captionState_ == hsPressed ? TFrameStyleEx::fsStatus
                                                           : TFrameStyleEx::fsPopup;
  const TRect inner = DrawBorder(canvas, Rect(0, 0, w, captionHeight_), frame, sdAll);
  if (GradientsShown(visual)) {
    PaintGradient(canvas, inner, TGradientDirection::gdHorizontalEnd, start, stop);
  } else {
    canvas.Brush().SetColor(captionColor_);
    canvas.FillRect(inner);
  }
  canvas.Font().Assign(captionFont_);
  canvas.Font().SetColor(captionState_ == hsHot ? hot : captionState_ == hsPressed ? pressed : text);
  const QString caption = Caption();
  int x = std::max(0, (w - canvas.TextWidth(caption)) / 2);
  TImageList* list = captionStyle_ == TFwCaptionStyle::csLarge ? UsedLargeImages() : UsedSmallImages();
  if (list && captionImageIndex_ >= 0) {
    const int ix = std::max(x - (list->Width() + 4) / 2, 0);
    canvas.DrawImage(ix, (captionHeight_ - list->Height()) / 2, list->Image(captionImageIndex_));
    x = ix + list->Width() + 4;
  }
  const int y = 2 + (captionHeight_ - 4 - canvas.TextHeight(QStringLiteral("Pp"))) / 2;
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.TextRect(Rect(x, 2, w - 2, captionHeight_ - 2), x, y, caption);
  if (opened_ && dividerVisible_) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(dividerColor_);
    canvas.FillRect(Rect(0, captionHeight_, w, captionHeight_ + 1));
  }
}

void TFwGroup::DrawOpenCloseButton(TCanvas& canvas, const TRect& r, TColor face, TColor shade, TColor glyph) {
  // A round 15 x 15 button: an octagon with cut corners, and a double chevron.
  const int l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(face);
  canvas.Pen().SetColor(shade);
  canvas.Polygon({Point(l + 4, t), Point(rr - 4, t), Point(rr, t + 4), Point(rr, b - 4), Point(rr - 4, b),
                  Point(l + 4, b), Point(l, b - 4), Point(l, t + 4)});
  canvas.Pen().SetColor(glyph);
  const int cx = l + 7;
  for (int k = 0; k < 2; ++k) {
    const int y = t + 5 + k * 4;
    for (int d = 0; d < 2; ++d) {
      if (opened_) {  // chevron up
        canvas.MoveTo(cx - 3, y + 3 - d);
        canvas.LineTo(cx, y - d);
        canvas.LineTo(cx + 4, y + 4 - d);
      } else {  // chevron down
        canvas.MoveTo(cx - 3, y + d);
        canvas.LineTo(cx, y + 3 + d);
        canvas.LineTo(cx + 4, y - 1 + d);
      }
    }
  }
}

} // namespace fw
