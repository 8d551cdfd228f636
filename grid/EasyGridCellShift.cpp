// The report grid's insertion and deletion of cells within the rows (or columns) of a
// range: the cells after the range shift along, the grid keeps its size.

#include "grid/CellClipboard.h"
#include "grid/CustomEasyGrid.h"
#include "platform/shell/Hooks.h"

#include <algorithm>

namespace fw {

namespace {

const char* const kRightmostNotEmpty =
    "为了防止数据丢失,表格中最右侧的非空白单元格不能被移去。\r\n\r\n"
    "请清除该非空白单元格的内容,或将数据移到新的位置后再尝试。";
const char* const kBottomNotEmpty =
    "为了防止数据丢失,表格中最底部的非空白单元格不能被移去。\r\n\r\n"
    "请清除该非空白单元格的内容,或将数据移到新的位置后再尝试。";
const char* const kSplitQuestion = "此操作将会导致一些合并单元格被拆散,是否继续?";

// (along, across) as (column, row) when the operation runs along columns, else swapped.
TGridRect Span(bool cols, int alongLo, int alongHi, int acrossLo, int acrossHi) {
  return cols ? TGridRect{alongLo, acrossLo, alongHi, acrossHi} : TGridRect{acrossLo, alongLo, acrossHi, alongHi};
}

} // namespace

void TCustomEasyGrid::InsertCellsRight(TGridRect range) { InsertCellsAlong(range, true); }
void TCustomEasyGrid::InsertCellsDown(TGridRect range) { InsertCellsAlong(range, false); }
void TCustomEasyGrid::DeleteCellsRight(TGridRect range) { DeleteCellsAlong(range, true); }
void TCustomEasyGrid::DeleteCellsDown(TGridRect range) { DeleteCellsAlong(range, false); }

bool TCustomEasyGrid::UnmergeSplitRanges(const TGridRect& range, bool cols) {
  const int count = cols ? colCount_ : rowCount_;
  const int after = cols ? range.Right + 1 : range.Bottom + 1;
  if (after > count - 1) return true;
  const int acrossLo = cols ? range.Top : range.Left;
  const int acrossHi = cols ? range.Bottom : range.Right;
  const TGridRect shifted = Span(cols, after, count - 1, acrossLo, acrossHi);
  std::vector<TGridRect> split;
  for (int c = shifted.Left; c <= shifted.Right; ++c)
    for (int r = shifted.Top; r <= shifted.Bottom; ++r) {
      const TGridRect m = cells_.Cell(c, r).MergeRect;
      const bool reachesOut = cols ? (m.Top < acrossLo || m.Bottom > acrossHi) : (m.Left < acrossLo || m.Right > acrossHi);
      if (reachesOut && std::find(split.begin(), split.end(), m) == split.end()) split.push_back(m);
    }
  if (split.empty()) return true;
  if (!AskOkCancel(QString::fromUtf8(kSplitQuestion))) return false;
  for (const TGridRect& m : split)
    for (int c = m.Left; c <= m.Right; ++c)
      for (int r = m.Top; r <= m.Bottom; ++r) cells_.Cell(c, r).MergeRect = {c, r, c, r};
  return true;
}

void TCustomEasyGrid::InsertCellsAlong(TGridRect range, bool cols) {
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  range = ClampToData(range);
  // A range holding part of a merged range would tear it apart.
  if (cells_.CutsMerge(range)) return;
  const int count = cols ? colCount_ : rowCount_;
  const int first = cols ? range.Left : range.Top;
  const int n = cols ? range.Right - range.Left + 1 : range.Bottom - range.Top + 1;
  const int acrossLo = cols ? range.Top : range.Left;
  const int acrossHi = cols ? range.Bottom : range.Right;

  const TGridRect pushedOut = Span(cols, std::max(1, count - n), count - 1, acrossLo, acrossHi);
  for (int c = pushedOut.Left; c <= pushedOut.Right; ++c)
    for (int r = pushedOut.Top; r <= pushedOut.Bottom; ++r)
      if (cells_.Cell(c, r).HasText() || cells_.IsCellMerged(c, r)) {
        ShowErrorBox(QString::fromUtf8(cols ? kRightmostNotEmpty : kBottomNotEmpty));
        return;
      }
  if (!UnmergeSplitRanges(range, cols)) return;

  if (first <= count - n - 1) {
    const TCellBlock block = BuildCellBlock(Span(cols, first, count - n - 1, acrossLo, acrossHi));
    ReadCellBlock(block, Span(cols, first + n, count - 1, acrossLo, acrossHi));
  }
  for (int c = range.Left; c <= range.Right; ++c)
    for (int r = range.Top; r <= range.Bottom; ++r) cells_.InitCell(c, r);
  InvalidateCellRange(Span(cols, first, count - 1, acrossLo, acrossHi));
  const TGridRectEvent& event = cols ? OnInsertCellRight : OnInsertCellDown;
  if (event) event(this, range);
}

void TCustomEasyGrid::DeleteCellsAlong(TGridRect range, bool cols) {
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  range = ClampToData(range);
  if (cells_.CutsMerge(range)) return;
  const int count = cols ? colCount_ : rowCount_;
  const int first = cols ? range.Left : range.Top;
  const int last = cols ? range.Right : range.Bottom;
  const int n = last - first + 1;
  const int acrossLo = cols ? range.Top : range.Left;
  const int acrossHi = cols ? range.Bottom : range.Right;
  if (!UnmergeSplitRanges(range, cols)) return;

  if (last + 1 <= count - 1) {
    const TCellBlock block = BuildCellBlock(Span(cols, last + 1, count - 1, acrossLo, acrossHi));
    ReadCellBlock(block, Span(cols, first, count - 1 - n, acrossLo, acrossHi));
  }
  const TGridRect freed = Span(cols, count - n, count - 1, acrossLo, acrossHi);
  for (int c = freed.Left; c <= freed.Right; ++c)
    for (int r = freed.Top; r <= freed.Bottom; ++r) cells_.InitCell(c, r);
  InvalidateCellRange(Span(cols, first, count - 1, acrossLo, acrossHi));
  const TGridRectEvent& event = cols ? OnDeleteCellRight : OnDeleteCellDown;
  if (event) event(this, range);
}

} // namespace fw
