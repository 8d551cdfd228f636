#include "grid/Cells.h"

#include <algorithm>
#include <utility>

namespace fw {

TCells::TCells(TInitCell init) : init_(std::move(init)) {}

void TCells::Resize(int cols, int rows) {
  if (cols < 2 || rows < 0) return;
  // Rows first on the columns that stay, then whole columns, so that every new record
  // is initialised exactly once with its own coordinates.
  const int keptCols = std::min(cols, ColCount());
  for (int c = 0; c < keptCols; ++c) {
    TColCellInfoList& list = cols_[std::size_t(c)];
    const int oldRows = static_cast<int>(list.size());
    list.resize(std::size_t(rows));
    for (int r = oldRows; r < rows; ++r) init_(list[std::size_t(r)], c, r);
  }
  const int oldCols = ColCount();
  cols_.resize(std::size_t(cols));
  for (int c = oldCols; c < cols; ++c) {
    TColCellInfoList& list = cols_[std::size_t(c)];
    list.resize(std::size_t(rows));
    for (int r = 0; r < rows; ++r) init_(list[std::size_t(r)], c, r);
  }
  rowCount_ = rows;
}

void TCells::Clear() {
  cols_.clear();
  rowCount_ = 0;
}

void TCells::InitCell(int col, int row) { init_(Cell(col, row), col, row); }

bool TCells::IsCellMerged(int col, int row) const {
  const TGridRect& m = Cell(col, row).MergeRect;
  return m.Left != m.Right || m.Top != m.Bottom;
}

TGridRect TCells::ExpandToMerges(const TGridRect& range) const {
  TGridRect r = range;
  auto unite = [&](TGridRect& into, int c, int row) {
    if (Inside(c, row)) into = into.United(Cell(c, row).MergeRect);
  };
  unite(r, r.Left, r.Top);
  unite(r, r.Right, r.Top);
  unite(r, r.Left, r.Bottom);
  unite(r, r.Right, r.Bottom);
  for (;;) {
    TGridRect next = r;
    for (int c = r.Left; c <= r.Right; ++c) {
      unite(next, c, r.Top);
      unite(next, c, r.Bottom);
    }
    for (int row = r.Top; row <= r.Bottom; ++row) {
      unite(next, r.Left, row);
      unite(next, r.Right, row);
    }
    if (next == r) return r;
    r = next;
  }
}

void TCells::RotateCols(int first, int middle, int last) {
  std::rotate(cols_.begin() + first, cols_.begin() + middle, cols_.begin() + last);
}

void TCells::RotateRows(int first, int middle, int last) {
  for (TColCellInfoList& col : cols_) std::rotate(col.begin() + first, col.begin() + middle, col.begin() + last);
}

} // namespace fw
