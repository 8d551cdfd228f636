// The report grid's drops of a dragged range: moving or copying it by an offset, and
// filling cells beside it by repeating it.

#include "grid/CellClipboard.h"
#include "grid/CustomEasyGrid.h"
#include "platform/shell/Hooks.h"

namespace fw {

namespace {

const char* const kReplaceQuestion = "是否替换目标区域的单元格内容?";
const char* const kPartOfMerge = "不能对合并单元格作部分改动。";
const char* const kReadOnlyTarget = "不能覆盖目标区域内的只读单元格。";
const char* const kMergeSizes = "此操作要求合并单元格都具有相同大小。";

TGridRect Moved(const TGridRect& r, int dc, int dr) { return {r.Left + dc, r.Top + dr, r.Right + dc, r.Bottom + dr}; }

// Floor division, so that tiles left of the source line up with it.
int FloorMod(int a, int b) { return ((a % b) + b) % b; }

} // namespace

void TCustomEasyGrid::CopyMoveCells(TGridRect source, int dc, int dr, bool move) {
  if (dc == 0 && dr == 0) return;
  source = ClampToData(source);
  const TGridRect target = Moved(source, dc, dr);
  // A target off the data cells has nowhere to go.
  if (!InsideData(target)) return;
  // The current cell follows the drop; where it cannot go, nothing may have been written.
  const int newCol = col_ + dc;
  const int newRow = row_ + dr;
  if (newCol <= fixedCols_ || newCol >= colCount_ || newRow <= fixedRows_ || newRow >= rowCount_)
    throw EInvalidGridOperation("Grid index out of range");
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  bool overwrites = false;
  for (int c = target.Left; c <= target.Right && !overwrites; ++c)
    for (int r = target.Top; r <= target.Bottom; ++r)
      if (!source.Contains(c, r) && cells_.Cell(c, r).HasText()) {
        overwrites = true;
        break;
      }
  if (overwrites && !AskOkCancel(QString::fromUtf8(kReplaceQuestion))) return;
  // Cells of the source are replaced or reset by the drop itself, so only the target's
  // own neighbours count for a cut merged range.
  if (cells_.CutsMerge(target) || cells_.CutsMerge(source)) {
    ShowErrorBox(QString::fromUtf8(kPartOfMerge));
    return;
  }
  if (RangeHasReadOnly(target)) {
    ShowErrorBox(QString::fromUtf8(kReadOnlyTarget));
    return;
  }
  const TCellBlock block = BuildCellBlock(source);
  if (move)
    for (int c = source.Left; c <= source.Right; ++c)
      for (int r = source.Top; r <= source.Bottom; ++r) cells_.InitCell(c, r);
  ReadCellBlock(block, target);
  const TGridRect selection = selection_;
  SetCurrentCell(newCol, newRow);
  SetSelection(Moved(selection, dc, dr));
  InvalidateCellRange(source.United(target));
  if (OnCopyMoveCells) OnCopyMoveCells(this, source, target);
}

void TCustomEasyGrid::FillCells(int count, bool vertical) {
  if (count == 0) return;
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  const TGridRect source = ClampToData(selection_);
  // Tiles of a source holding part of a merged range would copy ranges that point
  // outside themselves.
  if (cells_.CutsMerge(source)) return;
  const int period = vertical ? source.Bottom - source.Top + 1 : source.Right - source.Left + 1;
  bool holdsMerge = false;
  for (int c = source.Left; c <= source.Right; ++c)
    for (int r = source.Top; r <= source.Bottom; ++r) holdsMerge = holdsMerge || cells_.IsCellMerged(c, r);
  if (holdsMerge && count % period != 0) return;

  TGridRect filled = source;
  if (vertical) {
    filled.Top = count > 0 ? source.Bottom + 1 : source.Top + count;
    filled.Bottom = count > 0 ? source.Bottom + count : source.Top - 1;
  } else {
    filled.Left = count > 0 ? source.Right + 1 : source.Left + count;
    filled.Right = count > 0 ? source.Right + count : source.Left - 1;
  }
  if (!InsideData(filled)) return;
  if (cells_.CutsMerge(filled)) {
    ShowErrorBox(QString::fromUtf8(kMergeSizes));
    return;
  }
  if (RangeHasReadOnly(filled)) {
    ShowErrorBox(QString::fromUtf8(kReadOnlyTarget));
    return;
  }

  // Tiles are the source moved by whole periods; each is read clipped to the filled
  // area, so a partial tile at the far end keeps the alignment to the source.
  const TCellBlock block = BuildCellBlock(source);
  const int from = vertical ? filled.Top : filled.Left;
  const int to = vertical ? filled.Bottom : filled.Right;
  const int start = vertical ? source.Top : source.Left;
  for (int tile = from - FloorMod(from - start, period); tile <= to; tile += period) {
    const int shift = tile - start;
    ReadCellBlockShifted(block, vertical ? 0 : shift, vertical ? shift : 0, filled);
  }
  const TGridRect dest = source.United(filled);
  SetSelection(dest);
  InvalidateCellRange(dest);
  if (OnFillCells) OnFillCells(this, source, dest);
}

} // namespace fw
