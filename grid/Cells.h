#pragma once
// TCells: the report grid's cell store, one TColCellInfoList per column, each holding one
// TCellInfo per row; the record of cell (c, r) is item r of column list c. The store
// also answers the questions of the merge model (is a cell merged, what does a range
// grow to when merged ranges are taken whole).

#include "grid/CellInfo.h"

#include <functional>
#include <vector>

namespace fw {

using TColCellInfoList = std::vector<TCellInfo>;

class TCells {
public:
  // Fills a new record with its starting values for cell (col, row).
  using TInitCell = std::function<void(TCellInfo&, int col, int row)>;

  explicit TCells(TInitCell init);

  int ColCount() const { return static_cast<int>(cols_.size()); }
  int RowCount() const { return rowCount_; }

  // Brings the store to cols x rows: columns and rows are appended or freed at the end,
  // every new record is filled by the init function. A column count below 2 leaves the
  // store unchanged.
  void Resize(int cols, int rows);
  void Clear();

  // The live record; no range check (callers pass coordinates inside the grid).
  TCellInfo& Cell(int col, int row) { return cols_[std::size_t(col)][std::size_t(row)]; }
  const TCellInfo& Cell(int col, int row) const { return cols_[std::size_t(col)][std::size_t(row)]; }
  TColCellInfoList& Column(int col) { return cols_[std::size_t(col)]; }

  // Rotates the column records [first, last) so that the one at middle comes first.
  void RotateCols(int first, int middle, int last);
  // The same for the row records of every column.
  void RotateRows(int first, int middle, int last);

  // Resets a record to its starting values (merge range included).
  void InitCell(int col, int row);

  bool IsCellMerged(int col, int row) const;
  // The range grown until it holds every merged range it touches whole. Cells outside
  // the store are passed over.
  TGridRect ExpandToMerges(const TGridRect& range) const;
  // True when the range holds only part of some merged range.
  bool CutsMerge(const TGridRect& range) const { return !(ExpandToMerges(range) == range); }

private:
  bool Inside(int col, int row) const { return col >= 0 && row >= 0 && col < ColCount() && row < rowCount_; }

  TInitCell init_;
  std::vector<TColCellInfoList> cols_;
  int rowCount_ = 0;
};

} // namespace fw
