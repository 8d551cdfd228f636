// TFwGroup: measuring and painting. One walk over the items (MeasureItems) records where
// each item stands; the bar's layout, the painting and the hit tests all read those boxes,
// which are measured again only when something moved the items.
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
  ItemBoxes();
  return itemsBottom_;
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

// ---- measuring ---------------------------------------------------------------------

TFwGroup::MeasureKey TFwGroup::CurrentMeasureKey() const {
  const TImageList* images = itemStyle_ == TFwItemStyle::isLarge ? UsedLargeImages() : UsedSmallImages();
  return {Width(), style_ == TFwGroupBarStyle::gbsOutlook ? topItem_ : 0, images,
          images ? images->Width() : 0, images ? images->Height() : 0};
}

bool TFwGroup::ItemBoxesCurrent() const {
  if (!boxesValid_ || !(measuredKey_ == CurrentMeasureKey())) return false;
  // OnClick is a plain field: an item that became clickable (or stopped) changes its font.
  for (const TFwGroupItemBox& box : boxes_)
    if (!box.Separator && items_[box.Index]->Clickable() != box.Clickable) return false;
  return true;
}

const std::vector<TFwGroupItemBox>& TFwGroup::ItemBoxes() {
  if (!ItemBoxesCurrent()) MeasureItems();
  return boxes_;
}

const TFwGroupItemBox* TFwGroup::BoxOf(const TFwGroupItem& item) {
  const int index = items_.IndexOf(&item);
  for (const TFwGroupItemBox& box : ItemBoxes())
    if (box.Index == index) return &box;
  return nullptr;
}

void TFwGroup::ApplyItemFont(TCanvas& canvas, const TFwGroupItem& item) const {
  canvas.Font().Assign(!item.Clickable() && item.Enabled() ? itemStaticFont_ : Font());
  canvas.Font().SetStyle(item.Enabled() ? canvas.Font().Style() | item.FontStyle() : TFontStyles(0));
}

// Walks the visible items from the first shown one and records where each stands: its
// image and caption (what the mouse hits) and the text's box, or a separator's line.
void TFwGroup::MeasureItems() {
  measuredKey_ = CurrentMeasureKey();
  boxesValid_ = true;
  boxes_.clear();
  TCanvas& c = Canvas();
  const int width = Width();
  const bool large = itemStyle_ == TFwItemStyle::isLarge;
  const TImageList* images = measuredKey_.Images;
  c.Font().Assign(Font());
  const int textHeight = c.TextHeight(QStringLiteral("Pp"));
  const int offset = (itemHeight_ - textHeight) / 2;
  const int band = large ? (images ? images->Height() + 2 : 34) : 0;
  const int captionIndent = large ? 8 : CaptionIndent();
  int y = captionHeight_ + 4;
  int bottom = captionHeight_;
  for (int i = measuredKey_.First; i < items_.Count(); ++i) {
    const TFwGroupItem& item = *items_[i];
    if (!item.Visible()) continue;
    TFwGroupItemBox box;
    box.Index = i;
    if (item.IsSeparator()) {
      if (IsRedundantSeparator(i)) continue;
      box.Separator = true;
      box.Line = Rect(8, y + 2, width - 8, y + 3);
      boxes_.push_back(box);
      if (large) {
        bottom = y + 4;
        y += 12;
      } else {
        bottom = y + textHeight + 2 * offset + 4;
        y += std::max(2 * offset + textHeight, itemHeight_);
      }
      continue;
    }
    box.Clickable = item.Clickable();
    ApplyItemFont(c, item);
    if (large) {
      TRect text = Rect(8, y + band, width - 8, y + band);
      c.DrawText(item.Caption(), text, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
      const int th = text.Height();
      const int tw = std::min(text.Width(), width - 16);
      const int iw = images ? images->Width() : 32;
      const int ih = images ? images->Height() : 32;
      const int ty = y + band + offset;
      box.Image = Bounds((width - iw) / 2, y + 2, iw, ih);
      box.Caption = Bounds((width - tw) / 2, ty, tw, th);
      box.Text = Rect(8, ty, width - 8, ty + th);
      bottom = y + band + th + 2 * offset + 4;
      y += std::max(2 * offset + th, itemHeight_) + band + 8;
    } else {
      const int left = captionIndent + item.IndentLevel() * itemIndent_;
      TRect text = Rect(left, y, width - 8, y + itemHeight_);
      c.DrawText(StripAccelChars(item.Caption()), text, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
      const int th = text.Height();
      box.Caption = Bounds(left, y + offset, std::min(text.Width(), width - 8 - left), th);
      box.Text = Rect(left, y + offset, width - 8, y + offset + th);
      if (images && item.ImageIndex() >= 0) {
        const int ih = images->Height();
        const int iy = th > textHeight ? y + offset + (textHeight - ih) / 2 : y + (itemHeight_ - ih) / 2;
        box.Image = Bounds(8 + item.IndentLevel() * itemIndent_, iy, images->Width(), ih);
      }
      bottom = y + th + 2 * offset + 4;
      y += std::max(2 * offset + th, itemHeight_);
    }
    boxes_.push_back(box);
  }
  itemsBottom_ = bottom;
}

void TFwGroup::InvalidateItemBoxes() { boxesValid_ = false; }

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
  const TFwVisualStyle visual = groupBar_ ? groupBar_->VisualStyle() : TFwVisualStyle::vsGradient;
  const int saved = canvas.SaveDC();
  canvas.IntersectClipRect(Rect(0, captionHeight_, Width(), Height()));
  for (const TFwGroupItemBox& box : ItemBoxes()) {
    if (!box.Separator) {
      DrawItem(canvas, box, colors);
    } else if (GradientsShown(visual)) {
      PaintGradient(canvas, box.Line, TGradientDirection::gdVerticalCenter, Color(), dividerColor_);
    } else {
      canvas.Brush().SetColor(dividerColor_);
      canvas.FillRect(box.Line);
    }
  }
  canvas.RestoreDC(saved);
}

void TFwGroup::DrawItem(TCanvas& canvas, const TFwGroupItemBox& box, const ItemColors& colors) {
  const TFwGroupItem& item = *items_[box.Index];
  const bool large = itemStyle_ == TFwItemStyle::isLarge;
  ApplyItemFont(canvas, item);
  TColor color = colors.Normal;
  if (!item.Enabled())
    color = ColorToRGB(Color()) == ColorToRGB(clBtnShadow) ? clBtnFace : clBtnShadow;
  else if (!item.Clickable())
    color = itemStaticFont_.Color();
  else if (item.hotState_ == hsHot)
    color = colors.Hot;
  else if (item.hotState_ == hsPressed)
    color = colors.Pressed;
  else if (item.FontColor() != fwGroupColorDefault)
    color = item.FontColor();
  canvas.Font().SetColor(color);
  if (!large && item.Enabled() && item.Clickable() && item.hotState_ != hsNormal)
    canvas.Font().SetStyle(canvas.Font().Style() | fsUnderline);

  const bool highlighted = item.hotState_ != hsNormal || (showItemSelection_ && item.Selected());
  const bool hot = item.hotState_ == hsHot;
  if (large) {
    if (highlighted && item.Enabled()) DrawItemHighlight(canvas, box.Image, hot);
  } else {
    if (showItemSelection_ && item.Enabled() && !box.Image.IsEmpty() &&
        itemSelectionStyle_ == TFwItemSelectionStyle::issImage && highlighted)
      DrawItemHighlight(canvas, box.Image, hot);
    if (showItemSelection_ && item.Selected() && itemSelectionStyle_ == TFwItemSelectionStyle::issCaption)
      DrawItemHighlight(canvas, box.Caption, false);
  }
  if (!box.Image.IsEmpty()) DrawItemImage(canvas, item, box.Image.Left, box.Image.Top);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TRect text = box.Text;
  if (large)
    canvas.DrawText(item.Caption(), text, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
  else
    canvas.DrawText(StripAccelChars(item.Caption()), text, DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
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
