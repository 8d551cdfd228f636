#include "grid/GridAxis.h"

#include <utility>

namespace fw {

TGridAxis::TGridAxis(TGridAxisParams params) : p_(std::move(params)) {
  if (!p_.Extent) p_.Extent = [](int) { return 0; };
  const int lw = p_.LineWidth;
  titleBoundary_ = p_.ShowTitle ? p_.Extent(0) + lw : 0;
  fixedBoundary_ = titleBoundary_;
  for (int i = 1; i <= p_.FixedCount && i < p_.Count; ++i) fixedBoundary_ += p_.Extent(i) + lw;
  // A cell counts as fully visible when its own pixels fit; its line may fall just
  // beyond the client.
  scrolledStart_ = fixedBoundary_ - p_.ScrollOffset;
  lastFullVisible_ = p_.FirstScrolled;
  fullVisBoundary_ = fixedBoundary_;
  gridBoundary_ = scrolledStart_;
  for (int i = p_.FirstScrolled; i < p_.Count; ++i) {
    gridBoundary_ += p_.Extent(i) + lw;
    if (gridBoundary_ > p_.GridExtent + lw) {
      gridBoundary_ = p_.GridExtent;
      break;
    }
    lastFullVisible_ = i;
    fullVisBoundary_ = gridBoundary_;
  }
}

int TGridAxis::CellExtent(int cell) const {
  if (cell == 0 && !p_.ShowTitle) return 0;
  return p_.Extent(cell);
}

int TGridAxis::CellStart(int cell) const {
  const int lw = p_.LineWidth;
  if (cell <= 0) return 0;
  if (cell <= p_.FixedCount) {
    int pos = titleBoundary_;
    for (int i = 1; i < cell; ++i) pos += p_.Extent(i) + lw;
    return pos;
  }
  int pos = scrolledStart_;
  if (cell >= p_.FirstScrolled) {
    for (int i = p_.FirstScrolled; i < cell; ++i) pos += p_.Extent(i) + lw;
  } else {
    for (int i = cell; i < p_.FirstScrolled; ++i) pos -= p_.Extent(i) + lw;
  }
  return pos;
}

int TGridAxis::CellAt(int pos) const {
  const int lw = p_.LineWidth;
  if (pos < titleBoundary_) return 0;
  if (pos < fixedBoundary_) {
    int end = titleBoundary_;
    for (int i = 1; i <= p_.FixedCount; ++i) {
      end += p_.Extent(i) + lw;
      if (pos < end) return i;
    }
    return p_.FixedCount;
  }
  int end = scrolledStart_;
  for (int i = p_.FirstScrolled; i < p_.Count; ++i) {
    end += p_.Extent(i) + lw;
    if (pos < end) return i;
  }
  return p_.Count - 1;
}

bool TGridAxis::IsVisible(int cell) const {
  if (cell == 0) return p_.ShowTitle;
  if (cell <= p_.FixedCount) return true;
  return cell >= p_.FirstScrolled && CellStart(cell) < gridBoundary_;
}

} // namespace fw
