#include "controls/common/FwCustomPanel.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "controls/common/FwGraphics.h"
#include "controls/common/FwPanelDockManager.h"
#include "platform/ui/Setters.h"

namespace fw {

int FwBorderWidth(TFrameStyleEx style, int bevelWidth) {
  switch (style) {
    case TFrameStyleEx::fsNone: return 0;
    case TFrameStyleEx::fsFlat: return 1;
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return bevelWidth;
    default: return 2;
  }
}

TFwCustomPanel::TFwCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetColor(clBtnFace);
  resize(185, 41);
}

TFwCustomPanel::~TFwCustomPanel() { SetFrameController(nullptr); }

void TFwCustomPanel::SetDockSite(bool value) {
  if (StoreIfChanged(dockSite_, value)) UpdateDockManager();
}

void TFwCustomPanel::SetUseDockManager(bool value) {
  if (StoreIfChanged(useDockManager_, value)) UpdateDockManager();
}

void TFwCustomPanel::SetShowDockClientCaptions(bool value) { SetAndInvalidate(*this, showDockClientCaptions_, value); }

void TFwCustomPanel::UpdateDockManager() {
  if (dockSite_ && useDockManager_) {
    if (!dockManager_) dockManager_ = CreateDockManager();
  } else {
    dockManager_.reset();
  }
  Invalidate();
}

std::unique_ptr<TFwPanelDockManager> TFwCustomPanel::CreateDockManager() {
  return std::make_unique<TFwPanelDockManager>(*this);
}

bool TFwCustomPanel::DockClient(TControl* client, const TRect& r) {
  if (!dockSite_ || !client) return false;
  if (dockManager_) dockManager_->InsertControl(client, r);
  else {
    client->SetParent(this);
    client->SetBoundsRect(r);
  }
  return true;
}

void TFwCustomPanel::SetAlignment(TAlignment value) { SetAndInvalidate(*this, alignment_, value); }
void TFwCustomPanel::SetAlignmentVertical(TAlignmentVertical value) { SetAndInvalidate(*this, alignmentVertical_, value); }
void TFwCustomPanel::SetBevelWidth(int value) { if (StoreIfChanged(bevelWidth_, value)) BordersChanged(); }
void TFwCustomPanel::SetBorderInner(TFrameStyleEx value) { if (StoreIfChanged(borderInner_, value)) BordersChanged(); }
void TFwCustomPanel::SetBorderOuter(TFrameStyleEx value) { if (StoreIfChanged(borderOuter_, value)) BordersChanged(); }
void TFwCustomPanel::SetBorderSides(TSides value) { if (StoreIfChanged(borderSides_, value)) BordersChanged(); }
void TFwCustomPanel::SetBorderColor(TColor value) { SetAndInvalidate(*this, borderColor_, value); }
void TFwCustomPanel::SetBorderHighlight(TColor value) { SetAndInvalidate(*this, borderHighlight_, value); }
void TFwCustomPanel::SetBorderShadow(TColor value) { SetAndInvalidate(*this, borderShadow_, value); }
void TFwCustomPanel::SetBorderWidth(int value) { if (StoreIfChanged(borderWidth_, value)) BordersChanged(); }
void TFwCustomPanel::SetFlatColor(TColor value) { SetAndInvalidate(*this, flatColor_, value); }
void TFwCustomPanel::SetFlatColorAdjustment(int value) { SetAndInvalidate(*this, flatColorAdjustment_, value); }
void TFwCustomPanel::SetGradientColorStyle(TFwGradientColorStyle value) {
  SetAndInvalidate(*this, gradientColorStyle_, value);
}
void TFwCustomPanel::SetGradientColorStart(TColor value) { SetAndInvalidate(*this, gradientColorStart_, value); }
void TFwCustomPanel::SetGradientColorStop(TColor value) { SetAndInvalidate(*this, gradientColorStop_, value); }
void TFwCustomPanel::SetGradientDirection(TGradientDirection value) { SetAndInvalidate(*this, gradientDirection_, value); }
void TFwCustomPanel::SetGridColor(TColor value) { SetAndInvalidate(*this, gridColor_, value); }
void TFwCustomPanel::SetGridStyle(TFwGridStyle value) { SetAndInvalidate(*this, gridStyle_, value); }
void TFwCustomPanel::SetGridXSize(int value) { SetAndInvalidate(*this, gridXSize_, value); }
void TFwCustomPanel::SetGridYSize(int value) { SetAndInvalidate(*this, gridYSize_, value); }
void TFwCustomPanel::SetShowGrid(bool value) { SetAndInvalidate(*this, showGrid_, value); }
void TFwCustomPanel::SetTextMargin(int value) { SetAndInvalidate(*this, textMargin_, value); }
void TFwCustomPanel::SetVisualStyle(TFwVisualStyle value) { SetAndInvalidate(*this, visualStyle_, value); }
void TFwCustomPanel::SetWordWrap(bool value) { SetAndInvalidate(*this, wordWrap_, value); }

void TFwCustomPanel::SetTransparent(bool value) {
  if (!SetAndInvalidate(*this, transparent_, value)) return;
  setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
}

void TFwCustomPanel::BordersChanged() {
  Realign();
  Invalidate();
}

TRect TFwCustomPanel::AdjustRectForBorders(const TRect& r, bool withBorderWidth) const {
  const int width = FwBorderWidth(borderOuter_, bevelWidth_) + FwBorderWidth(borderInner_, bevelWidth_);
  TRect result = r;
  if (borderSides_ & sdLeft) result.Left += width;
  if (borderSides_ & sdTop) result.Top += width;
  if (borderSides_ & sdRight) result.Right -= width;
  if (borderSides_ & sdBottom) result.Bottom -= width;
  if (withBorderWidth) {
    result.Left += borderWidth_;
    result.Top += borderWidth_;
    result.Right -= borderWidth_;
    result.Bottom -= borderWidth_;
  }
  return result;
}

void TFwCustomPanel::AdjustClientRect(TRect& rect) const { rect = AdjustRectForBorders(rect, true); }

TColor TFwCustomPanel::OuterColor() const { return Parent() ? Parent()->Color() : Color(); }

void TFwCustomPanel::GetGradientColors(TColor& start, TColor& stop) const {
  if (gradientColorStyle_ == TFwGradientColorStyle::gcsCustom) {
    start = gradientColorStart_;
    stop = gradientColorStop_;
    return;
  }
  const TGradientColors colors = GetPanelColors(gradientColorStyle_);
  start = colors.Start;
  stop = colors.Stop;
}

TRect TFwCustomPanel::BorderRect() const { return Rect(0, 0, Width(), Height()); }

TRect TFwCustomPanel::PaintBordersAndFace(TCanvas& canvas) {
  TInnerOuterBorders b;
  b.BorderOuter = borderOuter_;
  b.BorderInner = borderInner_;
  b.BorderWidth = borderWidth_;
  b.Sides = borderSides_;
  b.BevelWidth = bevelWidth_;
  b.BorderColor = borderColor_;
  b.BorderHighlight = borderHighlight_;
  b.BorderShadow = borderShadow_;
  b.FlatColor = flatColor_;
  b.FlatColorAdjustment = flatColorAdjustment_;
  b.Color = Color();
  b.OuterColor = OuterColor();
  b.Transparent = transparent_;
  const TRect inner = DrawInnerOuterBorders(canvas, BorderRect(), b);
  if (!transparent_) {
    if (visualStyle_ == TFwVisualStyle::vsGradient) {
      TColor start = clWhite, stop = clBtnFace;
      GetGradientColors(start, stop);
      PaintGradient(canvas, inner, gradientDirection_, start, stop);
    } else {
      canvas.Brush().SetColor(Color());
      canvas.Brush().SetStyle(TBrushStyle::bsSolid);
      canvas.FillRect(inner);
    }
  }
  return inner;
}

void TFwCustomPanel::Paint() {
  TCanvas& canvas = Canvas();
  const TRect inner = PaintBordersAndFace(canvas);
  if (showGrid_) DrawGrid(canvas, inner);
  if (!Caption().isEmpty()) {
    TRect r = inner;
    r.Left += textMargin_;
    r.Top += textMargin_;
    r.Right -= textMargin_;
    r.Bottom -= textMargin_;
    DrawCaption(canvas, r);
  }
  if (dockManager_) dockManager_->PaintSite(canvas);
  if (OnPaint) OnPaint(this);
}

void TFwCustomPanel::DrawGrid(TCanvas& canvas, const TRect& r) {
  if (gridXSize_ <= 0 || gridYSize_ <= 0) return;
  const TColor color = gridColor_;
  const int columns = r.Width() / gridXSize_;
  const int rows = r.Height() / gridYSize_;
  auto inside = [&](int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; };
  if (gridStyle_ == TFwGridStyle::gsDots) {
    for (int i = 1; i <= columns; ++i)
      for (int j = 1; j <= rows; ++j) {
        const int x = r.Left - 1 + gridXSize_ * i, y = r.Top - 1 + gridYSize_ * j;
        if (inside(x, y)) canvas.SetPixel(x, y, color);
      }
    return;
  }
  const int step = gridStyle_ == TFwGridStyle::gsDottedLines ? 2 : 1;
  for (int i = 1; i <= columns; ++i) {
    const int x = r.Left - 1 + gridXSize_ * i;
    for (int y = r.Top; y < r.Bottom; y += step) canvas.SetPixel(x, y, color);
  }
  for (int j = 1; j <= rows; ++j) {
    const int y = r.Top - 1 + gridYSize_ * j;
    for (int x = r.Left; x < r.Right; x += step) canvas.SetPixel(x, y, color);
  }
}

void TFwCustomPanel::DrawCaption(TCanvas& canvas, const TRect& r) {
  unsigned flags = DT_EXPANDTABS;
  if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
  else if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
  flags |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TRect measure = r;
  const int h = canvas.DrawText(Caption(), measure, flags | DT_CALCRECT);
  TRect place = r;
  switch (alignmentVertical_) {
    case TAlignmentVertical::avTop: place.Bottom = place.Top + h; break;
    case TAlignmentVertical::avCenter:
      place.Top = (r.Top + r.Bottom - h) / 2;
      place.Bottom = place.Top + h;
      break;
    case TAlignmentVertical::avBottom:
      place.Top = r.Bottom - h - 1;
      place.Bottom = r.Bottom - 1;
      break;
  }
  if (!Enabled()) {
    TRect shifted = Rect(place.Left + 1, place.Top + 1, place.Right + 1, place.Bottom + 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), shifted, flags);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.DrawText(Caption(), place, flags);
}

void TFwCustomPanel::SetEnabled(bool value) {
  if (value == Enabled()) return;
  if (!value) {
    // Remember which children were enabled, then disable them all.
    childStates_.clear();
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* child = Controls(i);
      childStates_.emplace_back(QPointer<QObject>(child), child->Enabled());
      child->SetEnabled(false);
    }
    TCustomControl::SetEnabled(false);
  } else {
    TCustomControl::SetEnabled(true);
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* child = Controls(i);
      bool enable = true;  // a child added while disabled has no record
      for (const auto& [object, state] : childStates_)
        if (object == static_cast<QObject*>(child)) enable = state;
      if (enable) child->SetEnabled(true);
    }
    childStates_.clear();
  }
  Invalidate();
}

void TFwCustomPanel::SetBounds(int left, int top, int width, int height) {
  // A bottom-aligned panel keeps its bottom edge, a right-aligned one its right edge.
  if (Align() == TAlign::alBottom && height != Height()) top = Top() + Height() - height;
  if (Align() == TAlign::alRight && width != Width()) left = Left() + Width() - width;
  const bool resized = width != Width() || height != Height();
  TCustomControl::SetBounds(left, top, width, height);
  if (resized) Invalidate();
}

bool TFwCustomPanel::UpdateFromFrameController(const TFwFrameController& c) {
  ApplyFrameControllerToBorders(*this, c, notifications_);
  return true;
}

void TFwCustomPanel::MouseEnter() { DoMouseEnter(); }
void TFwCustomPanel::MouseLeave() { DoMouseLeave(); }
void TFwCustomPanel::DoMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TFwCustomPanel::DoMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

} // namespace fw
