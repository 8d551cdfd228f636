#include "controls/navigation/FwSizePanel.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "controls/common/FwGraphics.h"
#include "controls/navigation/FwSizePanelDockManager.h"
#include "controls/navigation/FwSplitCursors.h"
#include "platform/ui/Setters.h"
#include "platform/ui/WinControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <stdexcept>

namespace fw {

TFwCustomSizePanel::TFwCustomSizePanel(TComponent* owner) : TFwCustomPanel(owner) {
  SetBorderOuter(TFrameStyleEx::fsNone);
  resize(185, 41);
  SetAlign(TAlign::alLeft);
}

TFwCustomSizePanel::~TFwCustomSizePanel() {
  if (dragging_) qApp->removeEventFilter(this);
  delete dragLine_;
}

// ---- properties --------------------------------------------------------------------

void TFwCustomSizePanel::SetSizeBarWidth(int value) {
  if (sizeBarStyle_ != TSplitterStyle::ssStandard) value = std::max(value, 6);
  if (hotSpotVisible_) value = std::max(value, 7);
  value = std::max(value, 0);
  if (value == sizeBarWidth_) return;
  sizeBarWidth_ = value;
  Realign();
  Invalidate();
}

void TFwCustomSizePanel::SetSizeBarStyle(TSplitterStyle value) {
  if (value == sizeBarStyle_) return;
  sizeBarStyle_ = value;
  SetSizeBarWidth(sizeBarWidth_);
  Invalidate();
}

void TFwCustomSizePanel::SetSide(TSide value) {
  if (value == side_) return;
  side_ = value;
  Realign();
  Invalidate();
}

void TFwCustomSizePanel::SetMarginMin(int value) {
  value = std::max(0, value);
  if (value == marginMin_) return;
  marginMin_ = value;
  if (Parent() && marginMin_ + marginMax_ > FreeRoom()) marginMin_ = std::max(0, FreeRoom() - marginMax_);
}

void TFwCustomSizePanel::SetMarginMax(int value) {
  value = std::max(0, value);
  if (value == marginMax_) return;
  marginMax_ = value;
  if (Parent() && marginMin_ + marginMax_ > FreeRoom()) marginMax_ = std::max(0, FreeRoom() - marginMin_);
}

void TFwCustomSizePanel::SetLockBar(bool value) {
  if (StoreIfChanged(lockBar_, value)) unsetCursor();
}

void TFwCustomSizePanel::SetHotSpotVisible(bool value) {
  if (value == hotSpotVisible_) return;
  hotSpotVisible_ = value;
  if (value)
    SetSizeBarWidth(sizeBarWidth_);
  else
    closed_ = false;
  Invalidate();
}

void TFwCustomSizePanel::SetHotSpotSizePercent(int value) {
  SetAndInvalidate(*this, hotSpotSizePercent_, std::clamp(value, 0, 100));
}

void TFwCustomSizePanel::SetHotSpotClosed(bool value) {
  if (value == closed_) return;
  ApplyClosed(value);
}

// ---- geometry ----------------------------------------------------------------------

TFwCustomSizePanel::Edge TFwCustomSizePanel::FacingEdge() const {
  switch (Align()) {
  case TAlign::alTop: return Edge::Bottom;
  case TAlign::alBottom: return Edge::Top;
  case TAlign::alLeft: return Edge::Right;
  case TAlign::alRight: return Edge::Left;
  case TAlign::alClient: return Edge::None;
  case TAlign::alNone:
  case TAlign::alCustom:
    switch (side_) {
    case TSide::sdLeft: return Edge::Right;
    case TSide::sdTop: return Edge::Bottom;
    case TSide::sdRight: return Edge::Left;
    case TSide::sdBottom: return Edge::Top;
    }
  }
  return Edge::None;
}

TRect TFwCustomSizePanel::LessFacingEdge(TRect r, int depth) const {
  switch (FacingEdge()) {
  case Edge::Left: r.Left += depth; break;
  case Edge::Top: r.Top += depth; break;
  case Edge::Right: r.Right -= depth; break;
  case Edge::Bottom: r.Bottom -= depth; break;
  case Edge::None: break;
  }
  r.Right = std::max(r.Left, r.Right);
  r.Bottom = std::max(r.Top, r.Bottom);
  return r;
}

void TFwCustomSizePanel::AdjustClientRect(TRect& rect) const {
  // A collapsed panel is the bar alone: its borders take no room then.
  if (!closed_) TFwCustomPanel::AdjustClientRect(rect);
  rect = LessFacingEdge(rect, sizeBarWidth_ + 1);
}

TRect TFwCustomSizePanel::BorderRect() const { return LessFacingEdge(TFwCustomPanel::BorderRect(), sizeBarWidth_); }

std::unique_ptr<TFwPanelDockManager> TFwCustomSizePanel::CreateDockManager() {
  return std::make_unique<TFwSizePanelDockManager>(*this);
}

// A dock site's bar is one pixel deeper.
TRect TFwCustomSizePanel::SizeBarRect() const {
  const int w = Width(), h = Height(), d = sizeBarWidth_ + (DockSite() ? 1 : 0);
  switch (FacingEdge()) {
  case Edge::Left: return Rect(0, 0, d, h);
  case Edge::Top: return Rect(0, 0, w, d);
  case Edge::Right: return Rect(w - d, 0, w, h);
  case Edge::Bottom: return Rect(0, h - d, w, h);
  case Edge::None: break;
  }
  return {};
}

TRect TFwCustomSizePanel::HotSpotRect() const {
  TRect bar = SizeBarRect();
  if (bar.IsEmpty()) return {};
  const bool horizontal = HorizontalBar();
  const int length = horizontal ? bar.Width() : bar.Height();
  const int half = int(std::lround(length * hotSpotSizePercent_ / 100.0)) / 2;
  const int centre = length / 2;
  if (horizontal) {
    bar.Left = centre - half;
    bar.Right = centre + half;
  } else {
    bar.Top = centre - half;
    bar.Bottom = centre + half;
  }
  return bar;
}

int TFwCustomSizePanel::FreeRoom() const {
  const TWinControl* parent = Parent();
  if (!parent) throw std::runtime_error("No parent specified");
  const bool horizontal = HorizontalBar();
  TRect client = parent->ClientRect();
  // Inside a framed panel the aligned controls share what its borders leave.
  if (const auto* panel = dynamic_cast<const TFwCustomPanel*>(parent))
    client = panel->AdjustRectForBorders(client, true);
  int room = horizontal ? client.Height() : client.Width();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    const TControl* c = parent->Controls(i);
    if (c == this || !c->Visible()) continue;
    TAlign a = c->Align();
    // An unaligned sibling counts as if it stood at this panel's side.
    if (a == TAlign::alNone || a == TAlign::alCustom)
      a = side_ == TSide::sdTop || side_ == TSide::sdBottom ? TAlign::alTop : TAlign::alLeft;
    if (horizontal && (a == TAlign::alTop || a == TAlign::alBottom)) room -= c->Height();
    if (!horizontal && (a == TAlign::alLeft || a == TAlign::alRight)) room -= c->Width();
  }
  return std::max(0, room);
}

int TFwCustomSizePanel::ClampSize(int size) const {
  const int least = marginMin_ + sizeBarWidth_ + 1;
  // Without a parent there is no room to size into: the panel keeps its size.
  const int most = Parent() ? FreeRoom() - marginMax_ : PanelSize();
  return std::max(least, std::min(size, most));
}

void TFwCustomSizePanel::SetPanelSize(int size) {
  size = std::max(0, size);
  const bool movesOrigin = (Align() == TAlign::alNone || Align() == TAlign::alCustom) &&
                           (FacingEdge() == Edge::Left || FacingEdge() == Edge::Top);
  if (HorizontalBar())
    SetBounds(Left(), movesOrigin ? Top() + Height() - size : Top(), Width(), size);
  else
    SetBounds(movesOrigin ? Left() + Width() - size : Left(), Top(), size, Height());
}

// ---- hot spot ----------------------------------------------------------------------

void TFwCustomSizePanel::DoHotSpotClick() {
  if (OnHotSpotClick) OnHotSpotClick(this);
}

void TFwCustomSizePanel::ToggleHotSpot() {
  ApplyClosed(!closed_);
  DoHotSpotClick();
}

void TFwCustomSizePanel::ApplyClosed(bool close) {
  if (close) {
    // While a window is being built the stored position is the one to restore to.
    if (!Loading()) hotSpotPosition_ = PanelSize();
    closed_ = true;
    SetPanelSize(sizeBarWidth_ + 1 + (hotSpotIgnoreMargins_ ? 0 : marginMin_));
  } else {
    closed_ = false;
    int size = hotSpotPosition_;
    if ((FacingEdge() == Edge::Right || FacingEdge() == Edge::Bottom) && Parent()) size = ClampSize(size);
    SetPanelSize(size);
  }
  Invalidate();
}

// ---- dragging ----------------------------------------------------------------------

void TFwCustomSizePanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TFwCustomPanel::MouseDown(button, shift, x, y);
  const TPoint p{x, y};
  if (button != TMouseButton::mbLeft || !SizeBarRect().Contains(p)) return;
  const bool inHotSpot = hotSpotVisible_ && HotSpotRect().Contains(p);
  if (lockBar_ && !inHotSpot) return;
  if (!realTimeDrag_ && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
  dragging_ = true;
  hotSpotPressed_ = inHotSpot;
  sizeAtPress_ = PanelSize();
  closedAtPress_ = closed_;
  lastSize_ = sizeAtPress_;
  pointerAtPress_ = Along(ClientToScreen(p));
  // Escape ends the drag wherever the keyboard focus is.
  qApp->installEventFilter(this);
}

void TFwCustomSizePanel::MouseMove(TShiftState shift, int x, int y) {
  TFwCustomPanel::MouseMove(shift, x, y);
  const TPoint p{x, y};
  if (!dragging_) {
    UpdateHot(p);
    UpdateCursor(p);
    return;
  }
  if (hotSpotPressed_ && lockBar_) return;
  const int moved = Along(ClientToScreen(p)) - pointerAtPress_;
  const bool grows = FacingEdge() == Edge::Right || FacingEdge() == Edge::Bottom;
  const int size = ClampSize(sizeAtPress_ + (grows ? moved : -moved));
  if (size == lastSize_) return;
  if (size > lastSize_) closed_ = false;  // dragging open forgets the collapse
  hotSpotPressed_ = false;                 // a press that moved the bar is no click
  lastSize_ = size;
  if (realTimeDrag_)
    SetPanelSize(size);
  else
    ShowDragLine(size);
}

void TFwCustomSizePanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TFwCustomPanel::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !dragging_) return;
  const TPoint p{x, y};
  const bool click = hotSpotPressed_ && HotSpotRect().Contains(p);
  EndDrag();
  if (!realTimeDrag_ && lastSize_ != PanelSize()) SetPanelSize(lastSize_);
  if (click) ToggleHotSpot();
}

void TFwCustomSizePanel::EndDrag() {
  dragging_ = false;
  hotSpotPressed_ = false;
  qApp->removeEventFilter(this);
  HideDragLine();
}

// The drag is undone: the panel keeps the size it had at the press, also after a live
// drag, and a collapsed panel that was dragged open is collapsed again.
void TFwCustomSizePanel::CancelDrag() {
  EndDrag();
  lastSize_ = sizeAtPress_;
  closed_ = closedAtPress_;
  if (PanelSize() != sizeAtPress_) SetPanelSize(sizeAtPress_);
  Invalidate();
}

bool TFwCustomSizePanel::eventFilter(QObject* watched, QEvent* event) {
  if (dragging_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    CancelDrag();
    return true;
  }
  return TFwCustomPanel::eventFilter(watched, event);
}

void TFwCustomSizePanel::ShowDragLine(int size) {
  QWidget* host = parentWidget();
  if (!host) return;
  if (!dragLine_) {
    // The line the bar would stand at: a grey checkered strip over the parent.
    dragLine_ = new QWidget(host);
    dragLine_->setAttribute(Qt::WA_TransparentForMouseEvents);
    dragLine_->setAutoFillBackground(true);
    QPalette palette = dragLine_->palette();
    palette.setBrush(QPalette::Window, QBrush(Qt::gray, Qt::Dense4Pattern));
    dragLine_->setPalette(palette);
  }
  const int d = sizeBarWidth_;
  QRect r;
  switch (FacingEdge()) {
  case Edge::Right: r = QRect(Left() + size - d, Top(), d, Height()); break;
  case Edge::Left: r = QRect(Left() + Width() - size, Top(), d, Height()); break;
  case Edge::Bottom: r = QRect(Left(), Top() + size - d, Width(), d); break;
  case Edge::Top: r = QRect(Left(), Top() + Height() - size, Width(), d); break;
  case Edge::None: return;
  }
  dragLine_->setGeometry(r);
  dragLine_->raise();
  dragLine_->show();
}

void TFwCustomSizePanel::HideDragLine() {
  if (dragLine_) dragLine_->hide();
}

// ---- hot state and cursor ----------------------------------------------------------

void TFwCustomSizePanel::UpdateHot(TPoint p) {
  const bool hot = hotSpotVisible_ && HotSpotRect().Contains(p);
  if (hot == hotSpotHot_) return;
  hotSpotHot_ = hot;
  update(HotSpotRect().ToQt());
}

void TFwCustomSizePanel::UpdateCursor(TPoint p) {
  const bool onBar = SizeBarRect().Contains(p);
  const bool onHotSpot = hotSpotVisible_ && HotSpotRect().Contains(p);
  // The hot spot has its own cursor, also on a locked bar.
  if (onHotSpot)
    setCursor(SplitCursor(HorizontalBar() ? TFwSplitCursor::VertHotSpot : TFwSplitCursor::HorzHotSpot));
  else if (onBar && !lockBar_)
    setCursor(SplitCursor(HorizontalBar() ? TFwSplitCursor::VertSplit : TFwSplitCursor::HorzSplit));
  else
    unsetCursor();
}

void TFwCustomSizePanel::MouseLeave() {
  TFwCustomPanel::MouseLeave();
  if (hotSpotHot_) {
    hotSpotHot_ = false;
    update(HotSpotRect().ToQt());
  }
}

// ---- painting ----------------------------------------------------------------------

void TFwCustomSizePanel::Paint() {
  TFwCustomPanel::Paint();
  if (SizeBarRect().IsEmpty()) return;
  TCanvas& canvas = Canvas();
  DrawSizeBar(canvas);
  if (hotSpotVisible_) DrawHotSpot(canvas);
}

void TFwCustomSizePanel::DrawSizeBar(TCanvas& canvas) {
  const TRect bar = SizeBarRect();
  // The bar lies outside the panel's face: the framed styles draw on the panel colour.
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.FillRect(bar);
  switch (sizeBarStyle_) {
  case TSplitterStyle::ssStandard:
    break;
  case TSplitterStyle::ssGroove:
    DrawBorder(canvas, DrawBorder(canvas, bar, TFrameStyleEx::fsStatus, sdAll), TFrameStyleEx::fsPopup, sdAll);
    break;
  case TSplitterStyle::ssBump:
    DrawBorder(canvas, bar, TFrameStyleEx::fsBump, sdAll);
    break;
  case TSplitterStyle::ssGroupBar:
    if (VisualStyle() != TFwVisualStyle::vsClassic) {
      const bool gradient = VisualStyle() == TFwVisualStyle::vsGradient;
      const TColor start = gradient ? GradientColorStart() : LighterColor(Color(), gradientColorAdjustment_);
      const TColor stop = gradient ? GradientColorStop() : Color();
      DrawGroupBarBackground(canvas, bar, VisualStyle(), start, stop,
                             gradientPath_ == TFwGroupBarGradientPath::gpBottomToTop,
                             TFwGradientColorStyle::gcsCustom);
    }
    break;
  }
}

void TFwCustomSizePanel::DrawHotSpot(TCanvas& canvas) {
  const TRect r = HotSpotRect();
  if (r.IsEmpty()) return;
  canvas.Brush().SetColor(hotSpotHot_ ? hotSpotHighlight_ : hotSpotColor_);
  canvas.FillRect(r);
  canvas.Brush().SetColor(hotSpotFrameColor_);
  canvas.FrameRect(r);

  // The arrows point the way the bar moves on a click: towards the anchored side to
  // collapse, away from it to restore.
  const Edge edge = FacingEdge();
  const bool towardsStart = (edge == Edge::Right || edge == Edge::Bottom) != closed_;
  canvas.Brush().SetColor(hotSpotDotColor_);
  canvas.Pen().SetColor(hotSpotDotColor_);
  const bool horizontal = HorizontalBar();
  const int length = horizontal ? r.Width() : r.Height();
  const int across = horizontal ? (r.Top + r.Bottom) / 2 : (r.Left + r.Right) / 2;
  const int start = horizontal ? r.Left : r.Top;
  auto arrow = [&](int at) {
    // Three points spanning 6..10 pixels along the bar, one pixel either side across it.
    const int tip = towardsStart ? across - 1 : across + 1;
    const int base = towardsStart ? across + 1 : across - 1;
    if (horizontal)
      canvas.Polygon({Point(at, base), Point(at + 2, tip), Point(at + 4, base)});
    else
      canvas.Polygon({Point(base, at), Point(tip, at + 2), Point(base, at + 4)});
  };
  if (length >= 20) {
    arrow(start + 6);
    arrow(start + length - 10);
  }
  for (int i = 15; i <= length - 15; i += 3) {
    if (horizontal)
      canvas.SetPixel(start + i, across, hotSpotDotColor_);
    else
      canvas.SetPixel(across, start + i, hotSpotDotColor_);
  }
}

} // namespace fw
