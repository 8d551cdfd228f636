// The report grid's cell model: starting values, property changes by id, merging and
// unmerging, and the counts that resize the cell store.

#include "grid/EasyGrid.h"
#include "platform/shell/Hooks.h"
#include "support/TestSupport.h"
#include "MergeModel.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace fw;

TEST(CellModel, NewGridHoldsOneRecordPerCellWithStartingValues) {
  TEasyGrid grid(nullptr);
  ASSERT_EQ(grid.Cells().ColCount(), 5);
  ASSERT_EQ(grid.Cells().RowCount(), 5);
  for (int c = 0; c < 5; ++c)
    for (int r = 0; r < 5; ++r) {
      const TCellInfo& cell = grid.GetCellInfo(c, r);
      EXPECT_EQ(cell.MergeRect, GridRect(c, r, c, r));
      EXPECT_EQ(cell.Color, (c == 0 || r == 0) ? grid.TitleColor() : clWhite) << c << "," << r;
    }
  const TCellInfo& cell = grid.GetCellInfo(2, 3);
  // The grid's number defaults are on, yet new cells start with them off.
  EXPECT_TRUE(grid.CellZeroNull());
  EXPECT_TRUE(grid.CellThousandSep());
  EXPECT_FALSE(cell.ZeroNull);
  EXPECT_FALSE(cell.ThousandSep);
  EXPECT_TRUE(cell.AllowNegative);
  EXPECT_TRUE(cell.AutoWordBreak);
  EXPECT_TRUE(cell.ShowForeText);
  EXPECT_EQ(cell.MaxLength, 255);
  EXPECT_EQ(cell.IntLength, 3);
  EXPECT_EQ(cell.DecLength, 2);
  EXPECT_EQ(cell.FontName, QStringLiteral("宋体"));
  EXPECT_EQ(cell.FontSize, 9);
  EXPECT_EQ(cell.FontStyle, 0u);
  EXPECT_EQ(cell.DataStyle, TDataStyle::dsText);
  EXPECT_EQ(cell.AlignMode, TAlignMode::taTopLeft);
}

TEST(CellModel, CellDefaultsReachExistingDataCellsAndLaterCells) {
  TEasyGrid grid(nullptr);
  grid.SetCellZeroNull(true);  // already the default: still set on every data cell
  grid.SetCellDataStyle(TDataStyle::dsNumber);
  grid.SetCellColor(clYellow);
  for (int c = 0; c < 5; ++c)
    for (int r = 0; r < 5; ++r) {
      const TCellInfo& cell = grid.GetCellInfo(c, r);
      const bool data = c > 0 && r > 0;
      EXPECT_EQ(cell.ZeroNull, data);
      EXPECT_EQ(cell.DataStyle, data ? TDataStyle::dsNumber : TDataStyle::dsText);
      EXPECT_EQ(cell.Color, data ? clYellow : grid.TitleColor());
    }
  grid.SetRowCount(7);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  const TCellInfo& added = grid.GetCellInfo(2, 6);
  EXPECT_EQ(added.MergeRect, GridRect(2, 6, 2, 6));
  EXPECT_EQ(added.DataStyle, TDataStyle::dsNumber);  // kept default
  EXPECT_EQ(added.Color, clYellow);
  EXPECT_FALSE(added.ZeroNull);  // fixed starting value
}

struct PropCase {
  TCellProp Id;
  TCellPropValue Value;
  std::function<bool(const TCellInfo&)> Holds;
};

TEST(CellModel, EveryPropertyIdSetsItsField) {
  const std::vector<PropCase> cases = {
      {TCellProp::DataStyle, TDataStyle::dsDate, [](auto& c) { return c.DataStyle == TDataStyle::dsDate; }},
      {TCellProp::AlignMode, TAlignMode::taBottomRight, [](auto& c) { return c.AlignMode == TAlignMode::taBottomRight; }},
      {TCellProp::ReadOnly, true, [](auto& c) { return c.ReadOnly; }},
      {TCellProp::AutoWordBreak, false, [](auto& c) { return !c.AutoWordBreak; }},
      {TCellProp::ShowForeText, false, [](auto& c) { return !c.ShowForeText; }},
      {TCellProp::DrawTop, true, [](auto& c) { return c.DrawTop && !c.DrawLeft; }},
      {TCellProp::DrawLeft, true, [](auto& c) { return c.DrawLeft && !c.DrawTop; }},
      // Id 7 is the right flag and id 8 the bottom one, whatever the record's order.
      {TCellProp::DrawRight, true, [](auto& c) { return c.DrawRight && !c.DrawBottom; }},
      {TCellProp::DrawBottom, true, [](auto& c) { return c.DrawBottom && !c.DrawRight; }},
      {TCellProp::AllowNegative, false, [](auto& c) { return !c.AllowNegative; }},
      {TCellProp::TrailingZero, true, [](auto& c) { return c.TrailingZero; }},
      {TCellProp::ZeroNull, true, [](auto& c) { return c.ZeroNull; }},
      {TCellProp::ThousandSep, true, [](auto& c) { return c.ThousandSep; }},
      {TCellProp::MaxLength, 12, [](auto& c) { return c.MaxLength == 12; }},
      {TCellProp::IntLength, 8, [](auto& c) { return c.IntLength == 8; }},
      {TCellProp::DecLength, 0, [](auto& c) { return c.DecLength == 0; }},
      {TCellProp::LineWidth, 3, [](auto& c) { return c.LineWidth == 3; }},
      {TCellProp::PenStyle, TPenStyle::psDashDot, [](auto& c) { return c.PenStyle == TPenStyle::psDashDot; }},
      {TCellProp::PenStyle, 99, [](auto& c) { return c.PenStyle == TPenStyle::psSolid; }},
      {TCellProp::Reserved, 77, [](auto& c) { return c.Reserved == 77; }},
      {TCellProp::Color, clRed, [](auto& c) { return c.Color == clRed; }},
      {TCellProp::FontSize, 14, [](auto& c) { return c.FontSize == 14; }},
      {TCellProp::FontColor, clBlue, [](auto& c) { return c.FontColor == clBlue; }},
      {TCellProp::FontStyle, fsBold | fsUnderline, [](auto& c) { return c.FontStyle == (fsBold | fsUnderline); }},
      {TCellProp::FontName, "黑体", [](auto& c) { return c.FontName == QStringLiteral("黑体"); }},
      {TCellProp::ForeText, "甲", [](auto& c) { return c.ForeText == QStringLiteral("甲") && c.BackText.isEmpty(); }},
      {TCellProp::BackText, "乙", [](auto& c) { return c.BackText == QStringLiteral("乙") && c.ForeText.isEmpty(); }},
  };
  for (const PropCase& pc : cases) {
    TEasyGrid grid(nullptr);
    grid.SetRangeCellProp(GridRect(0, 0, 3, 3), pc.Id, pc.Value);
    // Only the data cells of the range change; the titles and cells outside stay.
    for (int c = 0; c < 5; ++c)
      for (int r = 0; r < 5; ++r) {
        const bool inside = c >= 1 && c <= 3 && r >= 1 && r <= 3;
        TCellInfo fresh;
        grid.InitCellInfo(fresh, c, r);
        const TCellInfo& cell = grid.GetCellInfo(c, r);
        if (inside)
          EXPECT_TRUE(pc.Holds(cell)) << "id " << int(pc.Id) << " at " << c << "," << r;
        else
          EXPECT_TRUE(cell.ForeText == fresh.ForeText && cell.Color == fresh.Color && cell.DrawTop == fresh.DrawTop &&
                      cell.FontName == fresh.FontName && cell.ReadOnly == fresh.ReadOnly)
              << "id " << int(pc.Id) << " touched " << c << "," << r;
      }
  }
}

TEST(CellModel, TextEventsFireWithTheStoredTextAndMayChangeIt) {
  TEasyGrid grid(nullptr);
  int fired = 0;
  grid.OnSetForeText = [&](TObject*, int, int, QString& value) {
    ++fired;
    value += QStringLiteral("!");
  };
  grid.SetForeText(1, 1, QStringLiteral("a"));
  EXPECT_EQ(grid.GetForeText(1, 1), QStringLiteral("a!"));
  grid.SetForeText(1, 1, QStringLiteral("a!"));  // the same text fires again
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(grid.GetForeText(1, 1), QStringLiteral("a!!"));
}

TEST(CellModel, MergeKeepsTheFirstTextAfterAskingAndCopiesItsFormat) {
  struct Case {
    int Answer;
    bool Merged;
  };
  for (const Case& tc : {Case{IDOK, true}, Case{IDCANCEL, false}}) {
    fwtest::ScriptedHooks hooks;
    hooks.MessageAnswers.push_back(tc.Answer);
    TEasyGrid grid(nullptr);
    grid.SetForeText(2, 1, QStringLiteral("a"));
    grid.SetRangeCellProp(GridRect(2, 1, 2, 1), TCellProp::Color, clLime);
    grid.SetForeText(1, 2, QStringLiteral("b"));
    grid.MergeCells(GridRect(1, 1, 2, 2), true);
    EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
    ASSERT_EQ(hooks.Messages.size(), 1u);
    EXPECT_EQ(hooks.Messages[0].Caption, QStringLiteral("询问"));
    EXPECT_EQ(hooks.Messages[0].Flags, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
    EXPECT_TRUE(hooks.Messages[0].Text.startsWith(QStringLiteral("选定区域包含多重数值")));
    if (!tc.Merged) {
      EXPECT_FALSE(grid.IsCellMerged(1, 1));
      EXPECT_EQ(grid.GetForeText(1, 2), QStringLiteral("b"));
      continue;
    }
    for (int c = 1; c <= 2; ++c)
      for (int r = 1; r <= 2; ++r) {
        EXPECT_EQ(grid.GetCellInfo(c, r).MergeRect, GridRect(1, 1, 2, 2));
        EXPECT_EQ(grid.GetCellInfo(c, r).Color, clLime);
        EXPECT_EQ(grid.GetForeText(c, r), (c == 1 && r == 1) ? QStringLiteral("a") : QString());
      }
    // The current cell (1, 1) lies inside: the selection becomes the range.
    EXPECT_EQ(grid.Selection(), GridRect(1, 1, 2, 2));
  }
}

TEST(CellModel, RefusedMergesChangeNothing) {
  struct Case {
    const char* Why;
    TGridRect Range;
    int FixedCols, FixedRows;
  };
  const std::vector<Case> cases = {
      {"single cell", {2, 2, 2, 2}, 0, 0},
      {"title row", {1, 0, 2, 1}, 0, 0},
      {"reversed", {3, 1, 2, 2}, 0, 0},
      {"beyond the grid", {4, 3, 6, 4}, 0, 0},
      {"negative", {-1, 1, 2, 2}, 0, 0},
      {"half of a merged range", {3, 2, 4, 3}, 0, 0},
      {"across the frozen columns", {1, 3, 2, 4}, 1, 1},
      {"across the frozen rows", {3, 1, 4, 2}, 1, 1},
  };
  for (const Case& tc : cases) {
    fwtest::ScriptedHooks hooks;
    TEasyGrid grid(nullptr);
    grid.SetColCount(6);
    EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
    grid.SetRowCount(6);
    EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
    grid.MergeCells(GridRect(2, 2, 3, 2), false);  // an existing merged range
    EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
    grid.SetFixedCols(tc.FixedCols);
    grid.SetFixedRows(tc.FixedRows);
    grid.MergeCells(tc.Range, true);
    EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
    for (int c = 1; c < 6; ++c)
      for (int r = 1; r < 6; ++r) {
        const bool old = r == 2 && (c == 2 || c == 3);
        EXPECT_EQ(grid.IsCellMerged(c, r), old) << tc.Why << " at " << c << "," << r;
      }
    EXPECT_TRUE(hooks.Messages.empty()) << tc.Why;
  }
}

TEST(CellModel, UnmergeLeavesTheTextInTheFormerOriginAndRefusesCuts) {
  TEasyGrid grid(nullptr);
  grid.SetForeText(1, 1, QStringLiteral("x"));
  grid.MergeCells(GridRect(1, 1, 3, 2), false);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.UnmergeCells(GridRect(2, 1, 3, 2));  // cuts the range: nothing
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  EXPECT_TRUE(grid.IsCellMerged(3, 2));
  grid.UnmergeCells(GridRect(0, 0, 3, 2));  // clamped to (1, 1)-(3, 2)
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 2; ++r) {
      EXPECT_FALSE(grid.IsCellMerged(c, r));
      EXPECT_EQ(grid.GetForeText(c, r), (c == 1 && r == 1) ? QStringLiteral("x") : QString());
    }
}

TEST(CellModel, ExpansionTakesChainedMergedRangesWhole) {
  TEasyGrid grid(nullptr);
  grid.SetColCount(8);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.SetRowCount(8);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.MergeCells(GridRect(2, 1, 3, 2), false);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.MergeCells(GridRect(3, 3, 5, 3), false);  // reached only after the first growth
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.MergeCells(GridRect(6, 6, 7, 7), false);  // apart
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  const TCells& cells = grid.Cells();
  EXPECT_EQ(cells.ExpandToMerges(GridRect(2, 2, 3, 3)), GridRect(2, 1, 5, 3));
  EXPECT_TRUE(cells.CutsMerge(GridRect(2, 2, 3, 3)));
  EXPECT_FALSE(cells.CutsMerge(GridRect(1, 1, 5, 4)));
  EXPECT_EQ(cells.ExpandToMerges(GridRect(4, 5, 4, 5)), GridRect(4, 5, 4, 5));
}

TEST(CellModel, CountLimitsAndTheStore) {
  TEasyGrid grid(nullptr);
  grid.SetColCount(300);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  EXPECT_EQ(grid.ColCount(), 256);
  EXPECT_EQ(grid.Cells().ColCount(), 256);
  grid.SetColCount(10);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.MergeCells(GridRect(6, 2, 7, 2), false);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.SetColCount(5);  // would cut the merged range
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  EXPECT_EQ(grid.ColCount(), 10);
  grid.SetRowCount(2);  // likewise
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  EXPECT_EQ(grid.RowCount(), 5);
  grid.UnmergeCells(GridRect(6, 2, 7, 2));
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.SetRowCount(1);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cells().RowCount(), 2);
  grid.SetRowCount(6);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.SetFixedRows(3);
  grid.SetRowCount(4);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  EXPECT_EQ(grid.FixedRows(), 2);
  EXPECT_THROW(grid.SetFixedCols(-1), EInvalidGridOperation);
  grid.SetFixedCols(grid.ColCount() - 1);
  EXPECT_EQ(grid.FixedCols(), 0);
  // Rows that come back are fresh.
  grid.SetForeText(1, 3, QStringLiteral("gone"));
  grid.SetRowCount(3);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  grid.SetRowCount(5);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  EXPECT_TRUE(grid.GetForeText(1, 3).isEmpty());
}

TEST(CellModel, WidthsAndHeightsDefaultUntilSetAndRefuseBadIndexes) {
  TEasyGrid grid(nullptr);
  EXPECT_EQ(grid.GetColWidths(2), 80);
  EXPECT_EQ(grid.GetRowHeights(99), 30);
  grid.SetColWidths(2, 40);
  EXPECT_EQ(grid.GetColWidths(2), 40);
  EXPECT_EQ(grid.GetColWidths(1), 80);
  EXPECT_THROW(grid.SetColWidths(5, 10), EInvalidGridOperation);
  EXPECT_THROW(grid.SetRowHeights(-1, 10), EInvalidGridOperation);
  grid.SetDefaultColWidth(50);  // every stored width takes the new default
  EXPECT_EQ(grid.GetColWidths(2), 50);
  grid.SetColCount(7);
  EXPECT_TRUE(fwtest::MergeModelIsSound(grid));
  EXPECT_EQ(grid.GetColWidths(6), 50);
}

} // namespace
