// The report grid's cell model: starting values of new cells, property changes over
// ranges, the two cell texts, and merging.

#include "grid/CustomEasyGrid.h"

#include "grid/CellText.h"
#include "platform/shell/Hooks.h"

#include <algorithm>

namespace fw {

void TCustomEasyGrid::InitCellInfo(TCellInfo& cell, int col, int row) const {
  cell = TCellInfo{};
  cell.DataStyle = defaults_.DataStyle;
  cell.AlignMode = defaults_.AlignMode;
  cell.ReadOnly = defaults_.ReadOnly;
  cell.AutoWordBreak = defaults_.AutoWordBreak;
  cell.ShowForeText = defaults_.ShowForeText;
  cell.LineWidth = defaults_.LineWidth;
  cell.PenStyle = defaults_.PenStyle;
  // These four start fixed whatever the grid's defaults say; the defaults reach cells
  // only when the property itself is set.
  cell.AllowNegative = true;
  cell.TrailingZero = false;
  cell.ZeroNull = false;
  cell.ThousandSep = false;
  cell.MaxLength = defaults_.MaxLength;
  cell.IntLength = defaults_.IntLength;
  cell.DecLength = defaults_.DecLength;
  cell.Reserved = 0;
  cell.FontName = cellFontName_;
  cell.FontSize = defaults_.FontSize;
  cell.FontColor = defaults_.FontColor;
  cell.FontStyle = 0;
  cell.Color = (col == 0 || row == 0) ? titleColor_ : defaults_.Color;
  cell.MergeRect = {col, row, col, row};
}

void TCustomEasyGrid::SetCellDefault(TCellProp id, const TCellPropValue& value) {
  SetAllCellsProp(id, value);
  SetCellProp(defaults_, id, value);
}

namespace {

void ApplyProp(TCustomEasyGrid& grid, int col, int row, TCellProp id, const TCellPropValue& value) {
  switch (id) {
  case TCellProp::ForeText: grid.SetForeText(col, row, value.Text()); break;
  case TCellProp::BackText: grid.SetBackText(col, row, value.Text()); break;
  default: SetCellProp(grid.GetCellInfo(col, row), id, value); break;
  }
}

} // namespace

void TCustomEasyGrid::SetRangeCellProp(TGridRect range, TCellProp id, const TCellPropValue& value) {
  range = ClampToData(range);
  if (range.Right >= range.Left) {
    for (int c = range.Left; c <= range.Right; ++c)
      for (int r = range.Top; r <= range.Bottom; ++r) ApplyProp(*this, c, r, id, value);
  }
  InvalidateCellRange(range);
}

void TCustomEasyGrid::SetAllCellsProp(TCellProp id, const TCellPropValue& value) {
  for (int c = 1; c < colCount_; ++c)
    for (int r = 1; r < rowCount_; ++r) ApplyProp(*this, c, r, id, value);
  Invalidate();
}

std::optional<QString> TCustomEasyGrid::NormalizeForeText(int col, int row, const QString& value) const {
  const TCellInfo& cell = cells_.Cell(col, row);
  std::optional<QString> result = value;
  QString message;
  switch (cell.DataStyle) {
  case TDataStyle::dsNumber:
    result = FormatCellNumber(value, cell.IntLength, cell.DecLength, cell.ThousandSep, cell.ZeroNull, cell.TrailingZero);
    message = QStringLiteral("内容不合法,请写入正确的数值。");
    break;
  case TDataStyle::dsDate:
    if (!value.isEmpty()) result = NormalizeDateText(value);
    message = QStringLiteral("内容不合法,请写入正确的日期。");
    break;
  case TDataStyle::dsTime:
    if (!value.isEmpty()) result = NormalizeTimeText(value);
    message = QStringLiteral("内容不合法,请写入正确的时间。");
    break;
  default: break;
  }
  if (!result)
    ShowMessage(QStringLiteral("单元格[%1,%2]").arg(col).arg(row) + message, QStringLiteral("提示"),
                MB_OK | MB_ICONERROR);
  return result;
}

void TCustomEasyGrid::SetForeText(int col, int row, const QString& value) {
  if (value != cells_.Cell(col, row).ForeText) {
    const std::optional<QString> normal = NormalizeForeText(col, row, value);
    if (!normal) return;  // refused: the previous text stays and no event fires
    TCellInfo& cell = cells_.Cell(col, row);
    cell.ForeText = *normal;
    if (cell.ShowForeText) InvalidateCellRange(cell.MergeRect);
  }
  if (OnSetForeText) {
    QString stored = cells_.Cell(col, row).ForeText;
    OnSetForeText(this, col, row, stored);
    // The handler may have resized the grid; the record is looked up again.
    if (col < colCount_ && row < rowCount_) cells_.Cell(col, row).ForeText = stored;
  }
}

void TCustomEasyGrid::SetBackText(int col, int row, const QString& value) {
  TCellInfo& cell = cells_.Cell(col, row);
  if (value != cell.BackText) {
    cell.BackText = value;
    if (!cell.ShowForeText) InvalidateCellRange(cell.MergeRect);
  }
  if (OnSetBackText) {
    QString stored = cell.BackText;
    OnSetBackText(this, col, row, stored);
    if (col < colCount_ && row < rowCount_) cells_.Cell(col, row).BackText = stored;
  }
}

void TCustomEasyGrid::MergeCells(TGridRect range, bool ask) {
  // Only data cells merge; a range reaching outside the grid is refused like one that
  // touches the titles.
  if (range.Left < 1 || range.Top < 1 || range.Right >= colCount_ || range.Bottom >= rowCount_) return;
  if (range.Left > range.Right || range.Top > range.Bottom || range.IsSingleCell()) return;
  const bool crossesFrozenCols = range.Left <= fixedCols_ && fixedCols_ < range.Right;
  const bool crossesFrozenRows = range.Top <= fixedRows_ && fixedRows_ < range.Bottom;
  if ((crossesFrozenCols && range.Top > fixedRows_) || (crossesFrozenRows && range.Left > fixedCols_)) return;
  if (cells_.CutsMerge(range)) return;

  // The kept cell: the first one with text, reading row by row.
  int keptCol = range.Left, keptRow = range.Top, withText = 0;
  for (int r = range.Top; r <= range.Bottom; ++r)
    for (int c = range.Left; c <= range.Right; ++c)
      if (cells_.Cell(c, r).HasText() && withText++ == 0) {
        keptCol = c;
        keptRow = r;
      }
  if (ask && withText >= 2 &&
      !AskOkCancel(QStringLiteral("选定区域包含多重数值。合并到一个单元格后只能保留最左上角的数据。")))
    return;

  const TCellInfo kept = cells_.Cell(keptCol, keptRow);
  for (int c = range.Left; c <= range.Right; ++c)
    for (int r = range.Top; r <= range.Bottom; ++r) {
      TCellInfo& cell = cells_.Cell(c, r);
      cell.MergeRect = range;
      CopyCellProps(kept, cell);
      if (c != range.Left || r != range.Top) {
        cell.ForeText.clear();
        cell.BackText.clear();
      }
    }
  if (range.Contains(col_, row_) && !(options_ & goRowSelect)) SetSelection(range);
  InvalidateCellRange(range);
}

void TCustomEasyGrid::UnmergeCells(TGridRect range) {
  range = ClampToData(range);
  if (range.IsSingleCell() || range.Left > range.Right || range.Top > range.Bottom) return;
  if (cells_.CutsMerge(range)) return;
  for (int c = range.Left; c <= range.Right; ++c)
    for (int r = range.Top; r <= range.Bottom; ++r) cells_.Cell(c, r).MergeRect = {c, r, c, r};
  InvalidateCellRange(range);
}

} // namespace fw
