#pragma once
// TGridAxis: the pixel layout of one axis of the report grid (columns or rows): the
// title cell 0, the frozen cells 1..FixedCount, and the scrolled cells from the first
// visible one. Positions are continuous in both directions: a scrolled cell before the
// first visible one lies before the fixed boundary by the extents and lines between, a
// cell after the view lies beyond the client, so every cell has a place.

#include <functional>

namespace fw {

struct TGridAxisParams {
  int LineWidth = 0;        // effective line width of the axis (0 when its lines are off)
  bool ShowTitle = true;    // does cell 0 take room
  int FixedCount = 0;       // frozen cells 1..FixedCount
  int FirstScrolled = 1;    // first visible scrolled cell
  int Count = 5;            // cells of the axis, title included
  int GridExtent = 0;       // client width or height
  int ScrollOffset = 0;     // pixels by which the scrolled cells are moved back
  std::function<int(int)> Extent;  // width or height of a cell
};

class TGridAxis {
public:
  TGridAxis() = default;
  explicit TGridAxis(TGridAxisParams params);

  int LineWidth() const { return p_.LineWidth; }
  int FixedCount() const { return p_.FixedCount; }
  int FirstScrolled() const { return p_.FirstScrolled; }
  int Count() const { return p_.Count; }
  int GridExtent() const { return p_.GridExtent; }

  // End of the title cell and its line (0 when the title is hidden).
  int TitleBoundary() const { return titleBoundary_; }
  // End of the frozen cells and their lines.
  int FixedBoundary() const { return fixedBoundary_; }
  // End of the visible scrolled cells (the client extent when the last is cut off).
  int GridBoundary() const { return gridBoundary_; }
  // Last scrolled cell that fits whole, and where its line ends.
  int LastFullVisibleCell() const { return lastFullVisible_; }
  int FullVisBoundary() const { return fullVisBoundary_; }

  // Extent of a cell as it takes room: 0 for a hidden title.
  int CellExtent(int cell) const;
  // Start of a cell (continuous, see above).
  int CellStart(int cell) const;
  int CellEnd(int cell) const { return CellStart(cell) + CellExtent(cell); }
  // The cell at a position: 0 before the title boundary, the frozen cell holding it (the
  // last frozen one when none does), else a scrolled cell counted from the first visible
  // one, or the last cell when the position lies beyond all cells.
  int CellAt(int pos) const;
  // Does any part of the cell lie in the visible part of its band.
  bool IsVisible(int cell) const;

private:
  TGridAxisParams p_;
  int titleBoundary_ = 0;
  int fixedBoundary_ = 0;
  int scrolledStart_ = 0;  // where the first visible scrolled cell starts
  int gridBoundary_ = 0;
  int lastFullVisible_ = 0;
  int fullVisBoundary_ = 0;
};

} // namespace fw
