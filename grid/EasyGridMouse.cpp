// TCustomEasyGrid: the mouse. Presses on cells and titles, the wheel, sizing rows and
// columns by their lines, dragging the selection frame (move, copy) and its fill
// handle, the cursors that tell which of these a press would start, and the right
// button's popup menu.
//
// Points arrive in the widget's coordinates and are taken into client coordinates (inside
// the border) at once; everything below works in client coordinates.

#include "grid/CustomEasyGrid.h"

#include "grid/GridCursors.h"
#include "grid/InplaceEdit.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/PopupMenu.h"

#include <QApplication>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

namespace fw {

namespace {

TGridRect Moved(const TGridRect& r, int dc, int dr) { return {r.Left + dc, r.Top + dr, r.Right + dc, r.Bottom + dr}; }

// The grab zone of a line: from `back` pixels before the cell's edge to `range` pixels
// after that start, both ends included.
int ZoneBack(const TGridAxis& axis) { return axis.LineWidth() < 7 ? (7 - axis.LineWidth()) / 2 : 0; }
int ZoneRange(const TGridAxis& axis) { return std::max(axis.LineWidth(), 7); }

// Where the line of a cell is: after the cell, or (for a hidden cell) where the line of
// the cell before it is.
int LinePosition(const TGridAxis& axis, int cell) {
  return axis.CellExtent(cell) >= 0 ? axis.CellEnd(cell) : axis.CellStart(cell) - axis.LineWidth();
}

// The cell whose line can be sized at pos, or -1. mergeLo..mergeHi is the merged range
// (along this axis) of the cell under the point: its inner lines are never sizable, and
// its own edges only from close by.
int SizableLineAt(const TGridAxis& axis, int pos, int mergeLo, int mergeHi) {
  const int back = ZoneBack(axis);
  const int range = ZoneRange(axis);
  auto inZone = [&](int edge) { return pos >= edge - back && pos <= edge - back + range; };
  int found = -1;
  for (int i = 1; i <= axis.FixedCount() && i < axis.Count() && found < 0; ++i)
    if (axis.CellExtent(i) >= 0 && inZone(axis.CellEnd(i))) found = i;
  for (int i = axis.FirstScrolled(); i < axis.Count() && found < 0; ++i) {
    if (axis.CellExtent(i) < 0) continue;
    const int edge = axis.CellEnd(i);
    if (edge > axis.GridBoundary()) break;
    if (inZone(edge)) found = i;
  }
  int edge = found >= 0 ? axis.CellEnd(found) : 0;
  if (found < 0) {
    // A cell cut off by the client's edge is sized from a zone reaching back from there.
    const int cut = axis.LastFullVisibleCell() + 1;
    if (axis.GridBoundary() != axis.GridExtent() || cut >= axis.Count()) return -1;
    if (pos < axis.GridExtent() - back || pos > axis.GridExtent()) return -1;
    found = cut;
    edge = axis.GridExtent();
  }
  if (mergeHi > mergeLo) {
    if (found >= mergeLo && found < mergeHi) return -1;
    if (std::abs(pos - edge) > back) return -1;
  }
  // Past the edge of a run of hidden cells, the last of them is dragged open.
  if (pos > edge)
    while (found + 1 < axis.Count() && axis.CellExtent(found + 1) < 0) ++found;
  return found;
}

} // namespace

// ---- Hit tests ----------------------------------------------------------------------------

TCustomEasyGrid::THit TCustomEasyGrid::SizingHit(int x, int y) const {
  if (x < 0 || y < 0 || !(options_ & (goColSizing | goRowSizing))) return {};
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();
  const int col = std::clamp(cols.CellAt(x), 0, colCount_ - 1);
  const int row = std::clamp(rows.CellAt(y), 0, rowCount_ - 1);
  // Inside the selection the frame and its fill handle take the mouse.
  if (selection_.Contains(col, row)) return {};
  const TGridRect merge = cells_.Cell(col, row).MergeRect;
  THit hit;
  if ((options_ & goColSizing) && x >= cols.TitleBoundary() && (clientSizeable_ || y < rows.FixedBoundary())) {
    const int index = SizableLineAt(cols, x, merge.Left, merge.Right);
    if (index > 0) hit = {TGridState::gsColSizing, index, LinePosition(cols, index)};
  }
  if ((options_ & goRowSizing) && y >= rows.TitleBoundary() && (clientSizeable_ || x < cols.FixedBoundary())) {
    const int index = SizableLineAt(rows, y, merge.Top, merge.Bottom);
    if (index > 0) hit = {TGridState::gsRowSizing, index, LinePosition(rows, index)};
  }
  return hit;
}

TCustomEasyGrid::THit TCustomEasyGrid::FrameHit(int x, int y, TShiftState shift) const {
  if (!(gridCanCopyMove_ || gridCanFill_) || cells_.CutsMerge(selection_)) return {};
  const TRect r = CellRangeRect(selection_);
  if (x <= r.Left - 3 || x >= r.Right + 3 || y <= r.Top - 3 || y >= r.Bottom + 3) return {};
  const bool ctrl = shift & ssCtrl;
  const bool onHandle = std::abs(x - r.Right) < 5 && std::abs(y - r.Bottom) < 6;
  if (!ctrl && onHandle) return gridCanFill_ ? THit{TGridState::gsFilling} : THit{};
  const bool onFrame = std::abs(x - r.Left) < 3 || std::abs(x - r.Right) < 4 || std::abs(y - r.Top) < 3 ||
                       std::abs(y - r.Bottom) < 4;
  if (!onFrame || !gridCanCopyMove_) return {};
  return {ctrl ? TGridState::gsCopying : TGridState::gsMoving};
}

// ---- Cursors -------------------------------------------------------------------------------

TCursor TCustomEasyGrid::StateCursor(TGridState state) const {
  switch (state) {
  case TGridState::gsRowSizing: return crVSplit;
  case TGridState::gsColSizing: return crHSplit;
  case TGridState::gsMoving: return crHandPoint;
  case TGridState::gsCopying: return crDrag;
  case TGridState::gsFilling: return crMultiDrag;
  case TGridState::gsSelecting: return crArrow;
  default: return crEasyGridCell;
  }
}

TCursor TCustomEasyGrid::CursorAt(int x, int y, TShiftState shift) const {
  const THit sizing = SizingHit(x, y);
  if (sizing.State != TGridState::gsNormal) return StateCursor(sizing.State);
  return StateCursor(FrameHit(x, y, shift).State);
}

void TCustomEasyGrid::ShowCursor(TCursor cursor) {
  if (cursor == currentCursor_) return;
  currentCursor_ = cursor;
  setCursor(GridCursor(cursor));
}

// ---- Presses --------------------------------------------------------------------------------

void TCustomEasyGrid::MouseDown(TMouseButton button, TShiftState shift, int wx, int wy) {
  QPointer<TCustomEasyGrid> self(this);
  // A press takes the focus, unless it lies in the grid already (its editor keeps it).
  const QWidget* focus = QApplication::focusWidget();
  if (CanFocus() && !(focus && (focus == this || isAncestorOf(focus)))) SetFocus();
  TCustomControl::MouseDown(button, shift, wx, wy);
  if (!self) return;
  // A click here and one into the editor soon after make a double click there.
  if (editor_ && button == TMouseButton::mbLeft) editor_->NoteClick();
  const int x = wx - BorderWidth();
  const int y = wy - BorderWidth();
  if (button == TMouseButton::mbRight) {
    if (gridState_ == TGridState::gsNormal) PressRightButton(x, y);
    return;
  }
  if (button != TMouseButton::mbLeft) return;
  // A press while a drag seems under way means its release went elsewhere: that drag
  // ends unfinished and the press starts afresh.
  CancelMode();

  const THit sizing = SizingHit(x, y);
  if (sizing.State != TGridState::gsNormal) {
    StartSizing(sizing, sizing.State == TGridState::gsColSizing ? x : y);
    return;
  }
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();
  const THit frame = FrameHit(x, y, shift);
  if (frame.State != TGridState::gsNormal) {
    gridState_ = frame.State;
    dragPressCol_ = dragCol_ = std::clamp(cols.CellAt(x), fixedCols_ + 1, colCount_ - 1);
    dragPressRow_ = dragRow_ = std::clamp(rows.CellAt(y), fixedRows_ + 1, rowCount_ - 1);
    dragX_ = x;
    dragY_ = y;
    ShowCursor(StateCursor(gridState_));
    InvalidateFeedback();
    return;
  }
  const int col = cols.CellAt(x);
  const int row = rows.CellAt(y);
  if (col == 0 || row == 0) {
    PressTitle(col, row, shift);
    return;
  }
  // Only a press on a scrolled data cell selects; frozen cells do not.
  if (col <= fixedCols_ || row <= fixedRows_) return;
  if (shift & ssShift && (options_ & goRangeSelect)) {
    gridState_ = TGridState::gsSelecting;
    SelectingMove(x, y);
    return;
  }
  const TGridRect target = cells_.Cell(col, row).MergeRect;
  MoveToCell(target.Left, target.Top);
  if (self) gridState_ = TGridState::gsSelecting;
}

void TCustomEasyGrid::PressTitle(int col, int row, TShiftState shift) {
  // A row title selects the row, a column title the column; the corner nothing.
  const bool rowTitle = col == 0 && row > fixedRows_;
  const bool colTitle = row == 0 && col > fixedCols_;
  if (!rowTitle && !colTitle) return;
  const bool range = options_ & goRangeSelect;
  const TGridRect whole = rowTitle ? TGridRect{fixedCols_ + 1, row, colCount_ - 1, row}
                                   : TGridRect{col, fixedRows_ + 1, col, rowCount_ - 1};
  if ((shift & ssShift) && range) {
    TGridRect sel = whole;
    if (rowTitle) {
      sel.Top = std::min(row_, row);
      sel.Bottom = std::max(row_, row);
      anchorCol_ = colCount_ - 1;
      anchorRow_ = row;
    } else {
      sel.Left = std::min(col_, col);
      sel.Right = std::max(col_, col);
      anchorCol_ = col;
      anchorRow_ = rowCount_ - 1;
    }
    SetSelection(sel);
    return;
  }
  // The line's first scrolled cell becomes the current cell (its merged range's origin).
  const TGridRect first = cells_.Cell(whole.Left, whole.Top).MergeRect;
  QPointer<TCustomEasyGrid> self(this);
  MoveToCell(first.Left, first.Top);
  if (!self || col_ != first.Left || row_ != first.Top || !range) return;
  anchorCol_ = whole.Right;
  anchorRow_ = whole.Bottom;
  SetSelection(whole);
}

void TCustomEasyGrid::PressRightButton(int x, int y) {
  const int col = std::clamp(ColAxis().CellAt(x), fixedCols_ + 1, colCount_ - 1);
  const int row = std::clamp(RowAxis().CellAt(y), fixedRows_ + 1, rowCount_ - 1);
  QPointer<TCustomEasyGrid> self(this);
  if (!selection_.Contains(col, row)) {
    const TGridRect target = cells_.Cell(col, row).MergeRect;
    MoveToCell(target.Left, target.Top);
    if (!self) return;
  }
  if (!showPopup_ || !popupMenu_) return;
  UpdatePopupItems();
  const QPoint global = mapToGlobal(QPoint(x + BorderWidth(), y + BorderWidth()));
  popupMenu_->Popup(global.x(), global.y());
}

// ---- Drags ----------------------------------------------------------------------------------

void TCustomEasyGrid::StartSizing(const THit& hit, int pos) {
  const TGridAxis axis = hit.State == TGridState::gsColSizing ? ColAxis() : RowAxis();
  gridState_ = hit.State;
  sizingIndex_ = hit.Index;
  sizingStart_ = axis.CellStart(hit.Index);
  sizingLine_ = hit.LinePos;
  sizingOffset_ = pos - hit.LinePos;
  ShowCursor(StateCursor(gridState_));
  InvalidateFeedback();
}

void TCustomEasyGrid::FillCountAt(int x, int y, int& count, bool& vertical) const {
  const int col = std::clamp(ColAxis().CellAt(x), fixedCols_ + 1, colCount_ - 1);
  const int row = std::clamp(RowAxis().CellAt(y), fixedRows_ + 1, rowCount_ - 1);
  const int across = col > selection_.Right ? col - selection_.Right : (col < selection_.Left ? col - selection_.Left : 0);
  const int down = row > selection_.Bottom ? row - selection_.Bottom : (row < selection_.Top ? row - selection_.Top : 0);
  // The axis the pointer went further along decides.
  vertical = std::abs(down) >= std::abs(across);
  count = vertical ? down : across;
}

void TCustomEasyGrid::DragTo(int x, int y) {
  if (gridState_ == TGridState::gsColSizing || gridState_ == TGridState::gsRowSizing) {
    const bool cols = gridState_ == TGridState::gsColSizing;
    const int limit = cols ? ClientWidth() : ClientHeight();
    const int line = std::clamp((cols ? x : y) - sizingOffset_, 0, limit);
    if (line == sizingLine_) return;
    InvalidateFeedback();
    sizingLine_ = line;
    InvalidateFeedback();
    return;
  }
  // A moved or copied range stays inside the scrolled data cells.
  const int col = std::clamp(ColAxis().CellAt(x), fixedCols_ + 1, colCount_ - 1);
  const int row = std::clamp(RowAxis().CellAt(y), fixedRows_ + 1, rowCount_ - 1);
  const int dc = std::clamp(col - dragPressCol_, fixedCols_ + 1 - selection_.Left, colCount_ - 1 - selection_.Right);
  const int dr = std::clamp(row - dragPressRow_, fixedRows_ + 1 - selection_.Top, rowCount_ - 1 - selection_.Bottom);
  // The old feedback goes before the point moves: a fill's area follows the point.
  InvalidateFeedback();
  dragX_ = x;
  dragY_ = y;
  dragCol_ = dragPressCol_ + dc;
  dragRow_ = dragPressRow_ + dr;
  InvalidateFeedback();
}

void TCustomEasyGrid::FinishSizing() {
  const bool cols = gridState_ == TGridState::gsColSizing;
  InvalidateFeedback();
  gridState_ = TGridState::gsNormal;
  // A line left at or before the cell's start hides the cell.
  const int extent = sizingLine_ <= sizingStart_ ? -1 : sizingLine_ - sizingStart_;
  if (cols)
    SetColWidths(sizingIndex_, extent);
  else
    SetRowHeights(sizingIndex_, extent);
}

void TCustomEasyGrid::FinishDrag() {
  const TGridState state = gridState_;
  InvalidateFeedback();
  gridState_ = TGridState::gsNormal;
  if (state == TGridState::gsFilling) {
    int count = 0;
    bool vertical = true;
    FillCountAt(dragX_, dragY_, count, vertical);
    if (count != 0) FillCells(count, vertical);
    return;
  }
  const int dc = dragCol_ - dragPressCol_;
  const int dr = dragRow_ - dragPressRow_;
  if (dc == 0 && dr == 0) return;
  try {
    CopyMoveCells(selection_, dc, dr, state == TGridState::gsMoving);
  } catch (const EInvalidGridOperation&) {
    // The drop could not place the current cell; it changed nothing.
  }
}

void TCustomEasyGrid::CancelMode() {
  if (gridState_ == TGridState::gsNormal) return;
  InvalidateFeedback();
  gridState_ = TGridState::gsNormal;
}

// ---- Feedback -------------------------------------------------------------------------------

TRect TCustomEasyGrid::DragFeedbackRect() const {
  switch (gridState_) {
  case TGridState::gsColSizing:
    if (sizingLine_ < sizingStart_ - ColAxis().LineWidth()) return {};
    return {sizingLine_, 0, sizingLine_ + 1, ClientHeight()};
  case TGridState::gsRowSizing:
    if (sizingLine_ < sizingStart_ - RowAxis().LineWidth()) return {};
    return {0, sizingLine_, ClientWidth(), sizingLine_ + 1};
  case TGridState::gsMoving:
  case TGridState::gsCopying: {
    const TRect r = CellRangeRect(Moved(selection_, dragCol_ - dragPressCol_, dragRow_ - dragPressRow_));
    return {r.Left, r.Top, r.Right - 1, r.Bottom - 1};
  }
  case TGridState::gsFilling: {
    int count = 0;
    bool vertical = true;
    FillCountAt(dragX_, dragY_, count, vertical);
    TGridRect area = selection_;
    if (vertical)
      (count > 0 ? area.Bottom : area.Top) += count;
    else
      (count > 0 ? area.Right : area.Left) += count;
    const TRect r = CellRangeRect(area);
    return {r.Left, r.Top, r.Right - 1, r.Bottom - 1};
  }
  default: return {};
  }
}

void TCustomEasyGrid::InvalidateFeedback() {
  const TRect r = DragFeedbackRect();
  if (r.IsEmpty()) return;
  // The outline of a rectangle, or the whole of a one-pixel line.
  auto strip = [this](int l, int t, int rr, int b) { RepaintRect({l - 1, t - 1, rr + 1, b + 1}); };
  if (r.Width() <= 1 || r.Height() <= 1) {
    strip(r.Left, r.Top, r.Right, r.Bottom);
    return;
  }
  strip(r.Left, r.Top, r.Right, r.Top + 1);
  strip(r.Left, r.Bottom - 1, r.Right, r.Bottom);
  strip(r.Left, r.Top, r.Left + 1, r.Bottom);
  strip(r.Right - 1, r.Top, r.Right, r.Bottom);
}

// ---- Moves and releases -------------------------------------------------------------------

void TCustomEasyGrid::MouseMove(TShiftState shift, int wx, int wy) {
  const int x = wx - BorderWidth();
  const int y = wy - BorderWidth();
  // Over the border the grid shows none of its own cursors.
  const bool inClient = ClientRect().Contains(TPoint{x, y});
  switch (gridState_) {
  case TGridState::gsNormal: ShowCursor(inClient ? CursorAt(x, y, shift) : crDefault); break;
  case TGridState::gsSelecting:
    ShowCursor(StateCursor(gridState_));
    SelectingMove(x, y);
    break;
  default: DragTo(x, y); break;
  }
  TCustomControl::MouseMove(shift, wx, wy);
}

void TCustomEasyGrid::MouseUp(TMouseButton button, TShiftState shift, int wx, int wy) {
  QPointer<TCustomEasyGrid> self(this);
  if (button == TMouseButton::mbLeft) {
    // A drag ends where the button goes up.
    if (gridState_ != TGridState::gsNormal && gridState_ != TGridState::gsSelecting)
      DragTo(wx - BorderWidth(), wy - BorderWidth());
    switch (gridState_) {
    case TGridState::gsColSizing:
    case TGridState::gsRowSizing: FinishSizing(); break;
    case TGridState::gsMoving:
    case TGridState::gsCopying:
    case TGridState::gsFilling: FinishDrag(); break;
    default: gridState_ = TGridState::gsNormal; break;
    }
  }
  if (!self) return;
  TCustomControl::MouseUp(button, shift, wx, wy);
}

void TCustomEasyGrid::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  event->accept();
  // The wheel steps one row exactly, even into a member of a merged range.
  if (delta < 0 && row_ < rowCount_ - 1)
    MoveToCell(col_, row_ + 1);
  else if (delta > 0 && row_ > fixedRows_ + 1)
    MoveToCell(col_, row_ - 1);
}

void TCustomEasyGrid::focusOutEvent(QFocusEvent* event) {
  TCustomControl::focusOutEvent(event);
  // The focus going elsewhere (a window popping up) ends a drag half way.
  const QWidget* focus = QApplication::focusWidget();
  if (!(focus && isAncestorOf(focus))) CancelMode();
}

void TCustomEasyGrid::showEvent(QShowEvent* event) {
  TCustomControl::showEvent(event);
  UpdateScrollRange();
}

void TCustomEasyGrid::hideEvent(QHideEvent* event) {
  CancelMode();
  TCustomControl::hideEvent(event);
}

} // namespace fw
