// TCustomEasyGrid: keyboard navigation, moves of the current cell and selecting by
// Shift+keys and by dragging over cells.

#include "grid/CustomEasyGrid.h"
#include "grid/InplaceEdit.h"

#include "platform/ui/VirtualKeys.h"

#include <QApplication>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>

namespace fw {

namespace {

bool IsHidden(const TGridAxis& axis, int cell) { return axis.CellExtent(cell) < 0; }

// Forward from index i past hidden cells; when none is left, the cell before the start.
int Forward(const TGridAxis& axis, int i) {
  const int start = i;
  while (i < axis.Count() && i >= 0 && IsHidden(axis, i)) ++i;
  return i >= axis.Count() ? start - 1 : i;
}

// Back from index i past hidden cells; at or before the frozen cells, the cell after the
// start, so a step back from the first scrolled cell gives that cell again.
int Back(const TGridAxis& axis, int i) {
  const int start = i;
  while (i > axis.FixedCount() && i < axis.Count() && IsHidden(axis, i)) --i;
  return i <= axis.FixedCount() ? start + 1 : i;
}

} // namespace

int TCustomEasyGrid::PageStart(const TGridAxis& axis, int cell) {
  const int first = axis.FixedCount() + 1;
  if (cell < first) return cell;
  // A cell counts as fitting when its own pixels fit; its line may fall beyond the
  // client, as for the last fully visible cell.
  const int room = axis.GridExtent() - axis.FixedBoundary() + axis.LineWidth();
  int result = cell;
  int used = 0;
  for (int i = cell; i >= first; --i) {
    const int extent = axis.CellExtent(i);
    if (extent <= 0) continue;
    used += extent + axis.LineWidth();
    if (used > room) break;
    result = i;
  }
  return result;
}

// ---- Moving the current cell ------------------------------------------------------------

void TCustomEasyGrid::MoveToCell(int col, int row) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) throw EInvalidGridOperation("Grid index out of range");
  if (col == col_ && row == row_) return;
  if (!SelectCell(col, row)) return;
  QPointer<TCustomEasyGrid> self(this);
  SetCurrentCell(col, row);
  if (!self || col_ != col || row_ != row) return;  // the editor kept its cell
  ScrollIntoView(col, row);
  if (editorMode_ && CanEditShow() && !EditorShowing()) ShowEditor();
  if (self) Click();
}

void TCustomEasyGrid::ScrollIntoView(int col, int row) {
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();
  const int firstCol = fixedCols_ + 1;
  const int firstRow = fixedRows_ + 1;
  const bool colShown = col <= cols.LastFullVisibleCell() && (col >= leftCol_ || leftCol_ == firstCol);
  const bool rowShown = row <= rows.LastFullVisibleCell() && (row >= topRow_ || topRow_ == firstRow);
  if (colShown && rowShown) return;
  int left = leftCol_;
  int top = topRow_;
  if (col < leftCol_ && leftCol_ > firstCol)
    left = col;
  else if (col > cols.LastFullVisibleCell())
    left = PageStart(cols, col);
  if (row < topRow_ && topRow_ > firstRow)
    top = row;
  else if (row > rows.LastFullVisibleCell())
    top = PageStart(rows, row);
  SetTopLeft(left, top);
}

// ---- Keys -------------------------------------------------------------------------------

void TCustomEasyGrid::NavigateKey(WORD& key, TShiftState shift) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_PAUSE || key == VK_CAPITAL) return;
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();
  const bool withShift = shift & ssShift;
  const bool withCtrl = shift & ssCtrl;
  const bool rowSelect = options_ & goRowSelect;
  const int firstCol = fixedCols_ + 1;
  const int firstRow = fixedRows_ + 1;
  // The computation starts from the moving corner when Shift is held.
  int col = withShift ? anchorCol_ : col_;
  int row = withShift ? anchorRow_ : row_;
  int left = leftCol_;
  int top = topRow_;
  const TGridRect merge = cells_.Cell(col, row).MergeRect;
  const int pageH = std::max(1, rows.LastFullVisibleCell() - topRow_);
  bool extends = false;
  bool openEditor = false;

  if (withCtrl) {
    switch (key) {
    case VK_UP: --top; break;
    case VK_DOWN: ++top; break;
    case VK_LEFT: --left; break;
    case VK_RIGHT: ++left; break;
    case VK_PRIOR: row = Forward(rows, topRow_); break;
    case VK_NEXT: row = Back(rows, rows.LastFullVisibleCell()); break;
    case VK_HOME:
      col = Forward(cols, firstCol);
      row = Forward(rows, firstRow);
      break;
    case VK_END:
      col = Back(cols, colCount_ - 1);
      row = Back(rows, rowCount_ - 1);
      break;
    default: break;
    }
  } else {
    extends = withShift;
    switch (key) {
    case VK_UP: row = Back(rows, row - 1); break;
    case VK_DOWN: row = Forward(rows, merge.Bottom + 1); break;
    case VK_LEFT:
      if (rowSelect)
        col = leftCol_ - 1;
      else
        col = Back(cols, col - 1);
      break;
    case VK_RIGHT:
      if (rowSelect)
        col = cols.LastFullVisibleCell() + 1;
      else
        col = Forward(cols, merge.Right + 1);
      break;
    case VK_NEXT:
      row = Forward(rows, row + pageH);
      top = Forward(rows, topRow_ + pageH);
      break;
    case VK_PRIOR:
      row = Back(rows, row - pageH);
      top = Back(rows, topRow_ - pageH);
      break;
    case VK_HOME:
      if (rowSelect)
        row = Forward(rows, firstRow);
      else
        col = Forward(cols, firstCol);
      break;
    case VK_END:
      if (rowSelect)
        row = Back(rows, rowCount_ - 1);
      else
        col = Back(cols, colCount_ - 1);
      break;
    case VK_TAB:
      extends = false;
      if (shift & ssAlt) break;
      // Tab leaves the whole merged range the cell belongs to; no wrap to the next row.
      if (withShift)
        col = Back(cols, merge.Left - 1);
      else
        col = Forward(cols, cells_.Cell(col_, row_).MergeRect.Right + 1);
      break;
    case VK_F2:
      // Opened once the key's move is done, so over the cell that move ends on.
      extends = false;
      openEditor = true;
      break;
    case VK_ESCAPE:
      extends = false;
      HideEditor();
      break;
    case VK_DELETE:
      // Empties the selected cells' texts, keeping their formats.
      extends = false;
      if (options_ & goEditing) ClearCellContents(selection_);
      break;
    default: extends = false; break;
    }
  }

  if (extends) {
    // As a drag to the centre of the new cell would; the view's page moves are not applied.
    col = std::clamp(col, firstCol, colCount_ - 1);
    row = std::clamp(row, firstRow, rowCount_ - 1);
    const TRect r = CellRect(col, row);
    gridState_ = TGridState::gsSelecting;
    SelectingMove((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    gridState_ = TGridState::gsNormal;
    return;
  }

  left = std::clamp(left, firstCol, std::max(firstCol, LastPageStart(cols)));
  top = std::clamp(top, firstRow, std::max(firstRow, LastPageStart(rows)));
  col = std::clamp(col, firstCol, colCount_ - 1);
  row = std::clamp(row, firstRow, rowCount_ - 1);
  const TGridRect target = cells_.Cell(col, row).MergeRect;
  QPointer<TCustomEasyGrid> self(this);
  if (left != leftCol_ || top != topRow_) SetTopLeft(left, top);
  if (self && (target.Left != col_ || target.Top != row_)) MoveToCell(target.Left, target.Top);
  if (self && openEditor) OpenEditorAtTextEnd();
}

// ---- Selecting ----------------------------------------------------------------------------

void TCustomEasyGrid::SelectingMove(int x, int y) {
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();
  const int firstCol = fixedCols_ + 1;
  const int firstRow = fixedRows_ + 1;
  int col = cols.CellAt(x);
  int row = rows.CellAt(y);
  // Before the view the corner only reaches the cell just before the first visible one.
  if (col < leftCol_ && leftCol_ > firstCol) col = Back(cols, leftCol_ - 1);
  if (row < topRow_ && topRow_ > firstRow) row = Back(rows, topRow_ - 1);
  col = std::clamp(col, firstCol, colCount_ - 1);
  row = std::clamp(row, firstRow, rowCount_ - 1);
  const TGridRect target = cells_.Cell(col, row).MergeRect;
  if (target == cells_.Cell(anchorCol_, anchorRow_).MergeRect) return;
  const int lastCol = cols.LastFullVisibleCell();
  const int lastRow = rows.LastFullVisibleCell();
  const bool rowSelect = options_ & goRowSelect;

  if (options_ & goRangeSelect) {
    TGridRect sel{std::min(col_, col), std::min(row_, row), std::max(col_, col), std::max(row_, row)};
    sel = cells_.ExpandToMerges(sel);
    int left = leftCol_;
    int top = topRow_;
    if (col < leftCol_ || row < topRow_ || col > lastCol || row > lastRow) {
      left = PageStart(cols, col);
      top = PageStart(rows, row);
      if (col > leftCol_ && col <= lastCol) left = leftCol_;
      if (row > topRow_ && row <= lastRow) top = topRow_;
    }
    if (sel.Left < leftCol_ || sel.Top < topRow_ || sel.Right > lastCol || sel.Bottom > lastRow) SetTopLeft(left, top);
    anchorCol_ = rowSelect ? colCount_ - 1 : col;
    anchorRow_ = row;
    if (rowSelect) {
      sel.Left = firstCol;
      sel.Right = colCount_ - 1;
    }
    SetSelection(sel);
    return;
  }

  if (target.Left < leftCol_ || target.Top < topRow_ || target.Right > lastCol || target.Bottom > lastRow)
    SetTopLeft(PageStart(cols, target.Left), PageStart(rows, target.Top));
  QPointer<TCustomEasyGrid> self(this);
  MoveToCell(target.Left, target.Top);
  if (!self) return;
  TGridRect sel = target;
  if (rowSelect) {
    sel.Left = firstCol;
    sel.Right = colCount_ - 1;
  }
  SetSelection(sel);
}

bool TCustomEasyGrid::WantsTabs() const { return (options_ & goTabs) && !(options_ & goRowSelect); }

bool TCustomEasyGrid::focusNextPrevChild(bool next) {
  if (WantsTabs()) return false;
  return TCustomControl::focusNextPrevChild(next);
}

} // namespace fw
