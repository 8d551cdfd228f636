// Tab dragging of TFwCustomTabControl: a press on a tab and a move past the drag
// distance start a drag inside the strip; a marker shows by which tab the dragged tab
// would land, the strip scrolls while the pointer is past either end, and the release on
// a tab moves the active tab there.

#include "controls/navigation/FwTabControl.h"

#include "platform/ui/Canvas.h"
#include "platform/ui/Timer.h"

#include <QPainter>
#include <QPolygon>

namespace fw {

namespace {
constexpr int kMarkerSize = 16;
}

// The inverse of MapPoint along the strip.
int TFwCustomTabControl::AlongStrip(TPoint p) const {
  const TRect s = StripRectRaw();
  const int o = Origin();
  const bool standard = tabSequence_ == TFwTabSequence::tsStandard;
  switch (tabOrientation_) {
  case TFwTabOrientation::toTop:
  case TFwTabOrientation::toBottom: return standard ? p.X - s.Left + o : o - (s.Right - p.X);
  case TFwTabOrientation::toLeft: return standard ? s.Bottom - p.Y + o : o - (p.Y - s.Top);
  case TFwTabOrientation::toRight: return standard ? p.Y - s.Top + o : o - (s.Bottom - p.Y);
  }
  return 0;
}

void TFwCustomTabControl::DragMove(TPoint p) {
  pointer_ = p;
  if (!ClientRect().Contains(p)) {
    // Off the control: the marker goes until the pointer comes back.
    if (dragTimer_) dragTimer_->SetEnabled(false);
    ShowMarker(-1);
    return;
  }
  const int hit = TabAtPos(p);
  if (hit < 0) {
    if (!dragTimer_) {
      dragTimer_ = new TTimer(this);
      dragTimer_->SetEnabled(false);
      dragTimer_->OnTimer = [this](TObject*) { DragScrollTick(); };
    }
    if (!dragTimer_->Enabled()) {
      dragTimer_->SetInterval(400);
      dragTimer_->SetEnabled(true);
    }
    return;
  }
  if (dragTimer_) dragTimer_->SetEnabled(false);
  // Over the dragged tab itself there is nowhere to go.
  ShowMarker(hit == tabIndex_ ? -1 : hit);
}

// The marker stands at the side of the target tab that faces away from the dragged tab,
// at the strip's outer edge, pointing towards the card.
void TFwCustomTabControl::ShowMarker(int tab) {
  if (tab == markerTab_) return;
  markerTab_ = tab;
  markerRect_ = TRect{};
  if (tab >= 0) {
    const TRect r = DrawnStripRect(tab);
    const bool after = tab > tabIndex_;
    const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
    const int edge = after != reverse ? r.Right : r.Left;
    markerRect_ = MapRect(Rect(edge - kMarkerSize / 2, r.Top, edge + kMarkerSize / 2, r.Top + kMarkerSize));
  }
  Invalidate();
}

void TFwCustomTabControl::DrawDragMarker(TCanvas& canvas, const TRect& r) {
  QPainter* p = canvas.Painter();
  if (!p) return;
  // An arrow pointing down in a 16 x 16 box: a stem and a head.
  QPolygon arrow({{5, 0}, {10, 0}, {10, 7}, {15, 7}, {7, 15}, {0, 7}, {5, 7}});
  QTransform turn;
  switch (tabOrientation_) {
  case TFwTabOrientation::toTop: break;
  case TFwTabOrientation::toBottom: turn = QTransform(1, 0, 0, -1, 0, kMarkerSize - 1); break;
  case TFwTabOrientation::toLeft: turn = QTransform(0, 1, 1, 0, 0, 0); break;
  case TFwTabOrientation::toRight: turn = QTransform(0, 1, -1, 0, kMarkerSize - 1, 0); break;
  }
  arrow = turn.map(arrow).translated(r.Left, r.Top);
  p->save();
  p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p->setPen(Qt::NoPen);
  p->setBrush(ToQColor(clBtnShadow));
  p->drawPolygon(arrow);
  p->restore();
}

void TFwCustomTabControl::DragScrollTick() {
  dragTimer_->SetInterval(300);
  int lastShown = -1;
  for (int i = 0; i < tabs_.Count(); ++i)
    if (FullyShown(i)) lastShown = i;
  if (lastShown < 0 || firstShown_ < 0 || firstShown_ >= tabs_.Count()) {
    dragTimer_->SetEnabled(false);
    return;
  }
  const int along = AlongStrip(pointer_);
  const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
  const TRect& last = tabs_.Items(lastShown).Rect;
  const TRect& first = tabs_.Items(firstShown_).Rect;
  const bool pastEnd = reverse ? along < last.Left : along > last.Right;
  const bool beforeStart = reverse ? along > first.Right : along < first.Left;
  if (pastEnd) ScrollForward();
  else if (beforeStart) ScrollBackward();
  else dragTimer_->SetEnabled(false);
}

void TFwCustomTabControl::DragDrop(TPoint p) {
  EndDrag();
  const int hit = TabAtPos(p);
  if (hit >= 0) MoveActiveTab(hit);
}

void TFwCustomTabControl::EndDrag() {
  dragging_ = false;
  pressedTab_ = -1;
  if (dragTimer_) dragTimer_->SetEnabled(false);
  ShowMarker(-1);
}

} // namespace fw
