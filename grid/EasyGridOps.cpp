// The report grid's operations on ranges of cells: clearing, the clipboard (cut, copy,
// paste through the cell block), and inserting and deleting whole rows and columns.
// Every operation that moves cells moves whole records through a cell block, so texts,
// formats and merge ranges travel together.

#include "grid/CellClipboard.h"
#include "grid/CustomEasyGrid.h"
#include "platform/shell/Hooks.h"

#include <algorithm>

namespace fw {

namespace {

constexpr int kMaxCols = 256;

const char* const kCutReadOnly = "不能对含有只读单元格的区域进行剪切操作。";
const char* const kPasteRefused =
    "无法粘贴信息,可能是由于以下原因,请更正后再次尝试。\r\n\r\n* 目标区域和现有的合并单元格冲突。\r\n"
    "* 目标区域含有只读的单元格。\r\n* 目标区域超过了表格的最大边界。";
const char* const kPasteDamaged = "剪贴板中的单元格数据已损坏,无法粘贴。";
const char* const kRightmostNotEmpty =
    "为了防止数据丢失,表格中最右侧的非空白单元格不能被移去。\r\n\r\n"
    "请清除该非空白单元格的内容,或将数据移到新的位置后再尝试。";

// The edges of a merge range along the axis of an operation (columns or rows) and
// across it.
int& Lo(TGridRect& m, bool cols) { return cols ? m.Left : m.Top; }
int& Hi(TGridRect& m, bool cols) { return cols ? m.Right : m.Bottom; }
int Lo(const TGridRect& m, bool cols) { return cols ? m.Left : m.Top; }
int Hi(const TGridRect& m, bool cols) { return cols ? m.Right : m.Bottom; }
int AcrossLo(const TGridRect& m, bool cols) { return cols ? m.Top : m.Left; }
int AcrossHi(const TGridRect& m, bool cols) { return cols ? m.Bottom : m.Right; }

TGridRect Line(bool cols, int alongLo, int alongHi, int acrossLo, int acrossHi) {
  return cols ? TGridRect{alongLo, acrossLo, alongHi, acrossHi} : TGridRect{acrossLo, alongLo, acrossHi, alongHi};
}

} // namespace

void TCustomEasyGrid::ShowErrorBox(const QString& text) const {
  ShowMessage(text, QStringLiteral("提示"), MB_OK | MB_ICONERROR);
}

bool TCustomEasyGrid::RangeHasReadOnly(const TGridRect& range) const {
  for (int c = range.Left; c <= range.Right; ++c)
    for (int r = range.Top; r <= range.Bottom; ++r)
      if (cells_.Cell(c, r).ReadOnly) return true;
  return false;
}

// ---- Clearing --------------------------------------------------------------------------

void TCustomEasyGrid::ClearCellContents(TGridRect range) {
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  range = ClampToData(range);
  // Part of a merged range would lose the text it shows from outside the range.
  if (cells_.CutsMerge(range)) return;
  const bool wasAuto = autoUpdate_;
  autoUpdate_ = false;
  for (int c = range.Left; c <= range.Right; ++c)
    for (int r = range.Top; r <= range.Bottom; ++r) {
      const TGridRect m = cells_.Cell(c, r).MergeRect;
      if (cells_.Cell(m.Left, m.Top).ReadOnly) continue;
      SetForeText(m.Left, m.Top, QString());
      SetBackText(m.Left, m.Top, QString());
    }
  autoUpdate_ = wasAuto;
  InvalidateCellRange(cells_.ExpandToMerges(range));
}

// ---- Cell blocks and the clipboard ------------------------------------------------------

TCellBlock TCustomEasyGrid::BuildCellBlock(TGridRect range) const {
  range = ClampToData(range);
  TCellBlock block;
  block.Left = range.Left;
  block.Top = range.Top;
  block.Columns = range.Right - range.Left + 1;
  block.Rows = range.Bottom - range.Top + 1;
  block.Cells.reserve(std::size_t(block.Columns * block.Rows));
  for (int c = range.Left; c <= range.Right; ++c)
    for (int r = range.Top; r <= range.Bottom; ++r) block.Cells.push_back(cells_.Cell(c, r));
  return block;
}

void TCustomEasyGrid::ReadCellBlock(const TCellBlock& block, TGridRect dest) {
  dest = ClampToData(dest);
  ReadCellBlockShifted(block, dest.Left - block.Left, dest.Top - block.Top, dest);
}

void TCustomEasyGrid::ReadCellBlockShifted(const TCellBlock& block, int dc, int dr, const TGridRect& dest) {
  for (int i = 0; i < block.Columns; ++i)
    for (int j = 0; j < block.Rows; ++j) {
      const int c = block.Left + i + dc;
      const int r = block.Top + j + dr;
      if (!dest.Contains(c, r)) continue;
      const TCellInfo& from = block.At(i, j);
      TCellInfo& to = cells_.Cell(c, r);
      CopyCellProps(from, to);
      const TGridRect m = from.MergeRect;
      to.MergeRect = {m.Left + dc, m.Top + dr, m.Right + dc, m.Bottom + dr};
    }
}

void TCustomEasyGrid::CopyCellsToClipboard(TGridRect range) {
  // The copy holds what the editor shows.
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  range = ClampToData(range);
  // A block holding part of a merged range could never be pasted whole.
  if (cells_.CutsMerge(range)) return;
  PutCellBlockOnClipboard(WriteCellBlock(BuildCellBlock(range)));
}

void TCustomEasyGrid::CutCells(TGridRect range) {
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  range = ClampToData(range);
  // Resetting part of a merged range would leave its other members pointing at it.
  if (cells_.CutsMerge(range)) return;
  if (RangeHasReadOnly(range)) {
    ShowErrorBox(QString::fromUtf8(kCutReadOnly));
    return;
  }
  CopyCellsToClipboard(range);
  for (int c = range.Left; c <= range.Right; ++c)
    for (int r = range.Top; r <= range.Bottom; ++r) cells_.InitCell(c, r);
  InvalidateCellRange(range);
  if (OnCutCells) OnCutCells(this, range);
}

void TCustomEasyGrid::PasteCells() {
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  const QByteArray bytes = CellBlockFromClipboard();
  if (bytes.isEmpty()) return;
  // The block is checked whole before anything is written: a damaged one, or one whose
  // merge ranges do not fit together, changes nothing.
  const std::optional<TCellBlock> block = ParseCellBlock(bytes);
  if (!block || !CellBlockMergesSound(*block)) {
    ShowErrorBox(QString::fromUtf8(kPasteDamaged));
    return;
  }
  const TGridRect target{col_, row_, col_ + block->Columns - 1, row_ + block->Rows - 1};
  if (target.Left <= fixedCols_ || target.Top <= fixedRows_ || target.Right >= colCount_ ||
      target.Bottom >= rowCount_ || cells_.CutsMerge(target) || RangeHasReadOnly(target)) {
    ShowErrorBox(QString::fromUtf8(kPasteRefused));
    return;
  }
  ReadCellBlock(*block, target);
  SetSelection(target);
  InvalidateCellRange(target);
  if (OnPasteCells) OnPasteCells(this, TPoint{block->Left, block->Top}, TPoint{block->Columns, block->Rows}, target);
}

// ---- Inserting and deleting rows and columns -------------------------------------------

void TCustomEasyGrid::InsertCols(TGridRect range) { InsertLines(range, true); }
void TCustomEasyGrid::InsertRows(TGridRect range) { InsertLines(range, false); }
void TCustomEasyGrid::DeleteCols(TGridRect range) { DeleteLines(range, true); }
void TCustomEasyGrid::DeleteRows(TGridRect range) { DeleteLines(range, false); }

void TCustomEasyGrid::InsertLines(TGridRect range, bool cols) {
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  range = ClampToData(range);
  const int first = Lo(range, cols);
  const int n = Hi(range, cols) - first + 1;
  const int oldCount = cols ? colCount_ : rowCount_;
  const int across = cols ? rowCount_ : colCount_;
  auto at = [&](int along, int acr) -> TCellInfo& { return cols ? cells_.Cell(along, acr) : cells_.Cell(acr, along); };

  // Columns pushed out past the last one must be empty and unmerged. Frozen rows are
  // checked too: their texts would be lost just the same.
  if (cols && oldCount + n > kMaxCols) {
    for (int c = oldCount - n; c < oldCount; ++c)
      for (int r = 1; r < rowCount_; ++r)
        if (c >= 1 && (cells_.Cell(c, r).HasText() || cells_.IsCellMerged(c, r))) {
          ShowErrorBox(QString::fromUtf8(kRightmostNotEmpty));
          return;
        }
  }

  autoUpdate_ = false;
  const TGridRect selection = selection_;
  if (cols) SetColCount(std::min(oldCount + n, kMaxCols));
  else SetRowCount(oldCount + n);
  const int count = cols ? colCount_ : rowCount_;

  const TCellBlock block = BuildCellBlock(Line(cols, first, first + n - 1, 1, across - 1));
  // The last n records become the inserted ones; the records from the insertion place on
  // move n places along, their merge ranges with them.
  if (cols) cells_.RotateCols(first, count - n, count);
  else cells_.RotateRows(first, count - n, count);
  for (int i = first; i < count; ++i)
    for (int k = 0; k < across; ++k) {
      TCellInfo& cell = at(i, k);
      if (i < first + n) {
        cell.MergeRect = cols ? TGridRect{i, k, i, k} : TGridRect{k, i, k, i};
      } else {
        Lo(cell.MergeRect, cols) += n;
        Hi(cell.MergeRect, cols) += n;
      }
    }
  ReadCellBlock(block, Line(cols, first, first + n - 1, 1, across - 1));

  // Inserted cells start fresh, except members of a merged range that began before the
  // insertion place and reached into it: that range widens by n over all its members.
  // The inserted members take the format of the range's member just before them, with
  // no text: the block put there may hold cells from beyond the range, whose texts and
  // colours must not hide inside it.
  for (int i = first; i < first + n; ++i)
    for (int k = 1; k < across; ++k) {
      const TGridRect m = at(i, k).MergeRect;
      if (Lo(m, cols) == Hi(m, cols) || Lo(m, cols) >= first) {
        if (cols) cells_.InitCell(i, k);
        else cells_.InitCell(k, i);
      } else if (i == first) {
        TGridRect widened = m;
        Hi(widened, cols) += n;
        for (int b = AcrossLo(m, cols); b <= AcrossHi(m, cols); ++b)
          for (int a = first; a < first + n; ++a) {
            TCellInfo& inserted = at(a, b);
            CopyCellProps(at(first - 1, b), inserted);
            inserted.ForeText.clear();
            inserted.BackText.clear();
          }
        for (int a = Lo(widened, cols); a <= Hi(widened, cols); ++a)
          for (int b = AcrossLo(m, cols); b <= AcrossHi(m, cols); ++b) at(a, b).MergeRect = widened;
        k = AcrossHi(m, cols);
      }
    }

  SetSelection(selection);
  // An insert ends with the grid repainting at once, whatever it did before.
  SetAutoUpdate(true);
  Invalidate();
  const TGridRectEvent& event = cols ? OnInsertCol : OnInsertRow;
  if (event) event(this, range);
}

void TCustomEasyGrid::DeleteLines(TGridRect range, bool cols) {
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  range = ClampToData(range);
  const int first = Lo(range, cols);
  const int last = Hi(range, cols);
  const int n = last - first + 1;
  const int count = cols ? colCount_ : rowCount_;
  const int across = cols ? rowCount_ : colCount_;
  auto at = [&](int along, int acr) -> TCellInfo& { return cols ? cells_.Cell(along, acr) : cells_.Cell(acr, along); };
  const TGridRect selection = selection_;

  // Merged ranges reaching into the deleted lines are cut back, line by line across.
  // The part before keeps its start and loses the deleted lines; the part after is fixed
  // once it has moved.
  struct TAfterFix {
    int across, from, to, lo;
  };
  std::vector<TAfterFix> afterFixes;
  for (int k = 1; k < across; ++k) {
    const TGridRect before = at(first, k).MergeRect;
    if (Lo(before, cols) < first) {
      const int hi = Hi(before, cols) <= last ? first - 1 : Hi(before, cols) - n;
      for (int a = Lo(before, cols); a < first; ++a) Hi(at(a, k).MergeRect, cols) = hi;
    }
    const TGridRect after = at(last, k).MergeRect;
    if (Hi(after, cols) > last) {
      const int lo = Lo(after, cols) >= first ? first : Lo(after, cols);
      afterFixes.push_back({k, last + 1 - n, Hi(after, cols) - n, lo});
    }
  }
  for (int a = first; a <= last; ++a)
    for (int k = 1; k < across; ++k) {
      if (cols) cells_.InitCell(a, k);
      else cells_.InitCell(k, a);
    }

  if (cols) cells_.RotateCols(first, last + 1, count);
  else cells_.RotateRows(first, last + 1, count);
  for (int a = first; a < count - n; ++a)
    for (int k = 0; k < across; ++k) {
      Lo(at(a, k).MergeRect, cols) -= n;
      Hi(at(a, k).MergeRect, cols) -= n;
    }
  for (int a = count - n; a < count; ++a)
    for (int k = 0; k < across; ++k) {
      if (cols) cells_.InitCell(a, k);
      else cells_.InitCell(k, a);
    }
  for (const TAfterFix& fix : afterFixes)
    for (int a = fix.from; a <= fix.to; ++a) Lo(at(a, fix.across).MergeRect, cols) = fix.lo;

  if (cols) SetColCount(count - n);
  else SetRowCount(count - n);
  SetSelection(ClampToScrolled(selection));
  const TGridRectEvent& event = cols ? OnDeleteCol : OnDeleteRow;
  if (event) event(this, range);
}

} // namespace fw
