// Pixel layout of the report grid: positions of cells along each axis with titles,
// frozen and scrolled cells, merged rectangles, and the column titles.

#include "grid/EasyGrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace fw;

// The message list's columns: row numbers, rule, explanation, page, field.
const std::vector<int> kWidths = {32, 340, 321, 73, 70};

TGridAxis Axis(int lineWidth, bool title, int fixed, int first, int extent) {
  TGridAxisParams p;
  p.LineWidth = lineWidth;
  p.ShowTitle = title;
  p.FixedCount = fixed;
  p.FirstScrolled = first;
  p.Count = static_cast<int>(kWidths.size());
  p.GridExtent = extent;
  p.Extent = [](int i) { return kWidths[std::size_t(i)]; };
  return TGridAxis(p);
}

TEST(GridAxis, BoundariesAndCellPositions) {
  struct Case {
    const char* Name;
    TGridAxis Axis;
    int Title, Fixed, Grid, LastFull;
    std::vector<int> Starts;  // of cells 0..4
  };
  const std::vector<Case> cases = {
      {"plain", Axis(1, true, 0, 1, 900), 33, 33, 841, 4, {0, 33, 374, 696, 770}},
      {"lines off: cells butt", Axis(0, true, 0, 1, 900), 32, 32, 836, 4, {0, 32, 372, 693, 766}},
      {"no title", Axis(1, false, 0, 1, 900), 0, 0, 808, 4, {0, 0, 341, 663, 737}},
      // Cell 3 is cut off by the client edge; its line would fit, its pixels do not.
      {"narrow client", Axis(1, true, 0, 1, 700), 33, 33, 700, 2, {0, 33, 374, 696, 770}},
      // One frozen cell, scrolled to cell 3: cell 2 lies before the fixed boundary.
      {"frozen and scrolled", Axis(1, true, 1, 3, 900), 33, 374, 519, 4, {0, 33, 52, 374, 448}},
  };
  for (const Case& tc : cases) {
    EXPECT_EQ(tc.Axis.TitleBoundary(), tc.Title) << tc.Name;
    EXPECT_EQ(tc.Axis.FixedBoundary(), tc.Fixed) << tc.Name;
    EXPECT_EQ(tc.Axis.GridBoundary(), tc.Grid) << tc.Name;
    EXPECT_EQ(tc.Axis.LastFullVisibleCell(), tc.LastFull) << tc.Name;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tc.Axis.CellStart(i), tc.Starts[std::size_t(i)]) << tc.Name << " cell " << i;
  }
}

TEST(GridAxis, CellAtAPosition) {
  const TGridAxis axis = Axis(1, true, 1, 3, 900);
  const std::vector<std::pair<int, int>> cases = {
      {0, 0}, {32, 0}, {33, 1}, {373, 1}, {374, 3}, {447, 3}, {448, 4}, {5000, 4}};
  for (auto [pos, cell] : cases) EXPECT_EQ(axis.CellAt(pos), cell) << pos;
}

TEST(GridLayout, CellRectanglesFollowTitlesScrollingAndMerges) {
  TEasyGrid grid(nullptr);
  grid.SetBounds(0, 0, 400, 200);
  grid.SetColCount(8);
  grid.SetRowCount(8);
  // Default 80 x 30 with 1-pixel lines.
  EXPECT_EQ(grid.CellRect(1, 1), Rect(81, 31, 161, 61));
  grid.MergeCells(GridRect(2, 2, 3, 3), false);
  EXPECT_EQ(grid.CellRangeRect(grid.GetCellInfo(3, 3).MergeRect), Rect(162, 62, 323, 123));
  grid.SetTopLeft(3, 2);
  EXPECT_EQ(grid.CellRect(3, 2), Rect(81, 31, 161, 61));
  EXPECT_EQ(grid.CellRect(1, 1).Left, 81 - 2 * 81);  // before the view, continuous
  EXPECT_EQ(grid.VisibleColCount(), 3);  // 81 + 3 * 81 = 324 <= 400, a fourth does not fit
  grid.SetShowRowTitle(false);
  grid.SetTopLeft(1, 1);
  EXPECT_EQ(grid.CellRect(1, 1).Left, 0);
  grid.SetOptions(grid.Options() & ~unsigned(goVertLine | goFixedVertLine));
  EXPECT_EQ(grid.CellRect(2, 1).Left, 80);  // no vertical lines: columns butt
}

TEST(GridLayout, ColumnTitles) {
  const std::vector<std::pair<int, const char*>> cases = {{0, "A"},  {25, "Z"},  {26, "AA"}, {51, "AZ"},
                                                          {52, "BA"}, {255, "IV"}, {256, ""},  {-1, ""}};
  for (auto [index, title] : cases) EXPECT_EQ(TCustomEasyGrid::ColumnTitle(index), QString(title)) << index;
  TEasyGrid grid(nullptr);
  grid.GetCellInfo(2, 0).ForeText = QStringLiteral("Name");
  EXPECT_EQ(grid.GetColumnTitle(0), QStringLiteral("A"));
  EXPECT_EQ(grid.GetColumnTitle(1), QStringLiteral("Name"));
}

} // namespace
