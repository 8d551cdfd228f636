// The report grid's cell operations: clearing, cut/copy/paste through the clipboard,
// and inserting and deleting rows and columns with the cells and merges they move.

#include "grid/CellClipboard.h"
#include "grid/EasyGrid.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/VirtualKeys.h"
#include "support/TestSupport.h"
#include "MergeModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace fw;

const QString kPasteRefused = QStringLiteral(
    "无法粘贴信息,可能是由于以下原因,请更正后再次尝试。\r\n\r\n* 目标区域和现有的合并单元格冲突。\r\n"
    "* 目标区域含有只读的单元格。\r\n* 目标区域超过了表格的最大边界。");
const QString kRightmost = QStringLiteral(
    "为了防止数据丢失,表格中最右侧的非空白单元格不能被移去。\r\n\r\n"
    "请清除该非空白单元格的内容,或将数据移到新的位置后再尝试。");

std::unique_ptr<TEasyGrid> MakeGrid(int cols = 8, int rows = 8) {
  auto grid = std::make_unique<TEasyGrid>(nullptr);
  grid->SetColCount(cols);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  grid->SetRowCount(rows);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  return grid;
}

TGridRect MergeOf(const TEasyGrid& g, int c, int r) { return g.GetCellInfo(c, r).MergeRect; }

// ---- Insert and delete of rows and columns ----------------------------------------------

struct LineCase {
  const char* name;
  bool insert;
  bool cols;
  TGridRect range;      // the operated range
  TGridRect merge;      // merged before
  TGridRect expected;   // that range afterwards (probed at its top-left)
};

TEST(GridOps, InsertAndDeleteMoveMergedRanges) {
  const LineCase cases[] = {
      {"insert col inside a range widens it", true, true, {3, 1, 3, 1}, {2, 1, 4, 1}, {2, 1, 5, 1}},
      {"insert col at a range's start moves it", true, true, {3, 2, 3, 2}, {3, 2, 4, 2}, {4, 2, 5, 2}},
      {"insert two cols before a range", true, true, {1, 5, 2, 5}, {3, 3, 4, 4}, {5, 3, 6, 4}},
      {"insert row inside a range widens it", true, false, {1, 3, 1, 3}, {2, 2, 3, 4}, {2, 2, 3, 5}},
      {"insert row at a range's start moves it", true, false, {1, 2, 1, 2}, {2, 2, 3, 4}, {2, 3, 3, 5}},
      {"delete col inside a range narrows it", false, true, {3, 1, 3, 1}, {2, 1, 4, 1}, {2, 1, 3, 1}},
      {"delete cols holding a range's start", false, true, {2, 2, 3, 2}, {3, 2, 5, 2}, {2, 2, 3, 2}},
      {"delete col before a range moves it", false, true, {1, 1, 1, 1}, {3, 3, 4, 4}, {2, 3, 3, 4}},
      {"delete col across a range's right part", false, true, {4, 1, 5, 1}, {2, 2, 6, 3}, {2, 2, 4, 3}},
      {"delete row inside a range", false, false, {1, 3, 1, 3}, {2, 2, 3, 4}, {2, 2, 3, 3}},
      {"delete rows holding a range's start", false, false, {1, 2, 1, 3}, {2, 3, 3, 5}, {2, 2, 3, 3}},
  };
  for (const LineCase& c : cases) {
    auto grid = MakeGrid();
    grid->MergeCells(c.merge, false);
    EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
    grid->SetAutoUpdate(false);
    if (c.insert) (c.cols ? grid->InsertCols(c.range) : grid->InsertRows(c.range));
    else (c.cols ? grid->DeleteCols(c.range) : grid->DeleteRows(c.range));
    // An insert leaves the grid repainting at once; a delete leaves the switch alone.
    EXPECT_EQ(grid->AutoUpdate(), c.insert) << c.name;
    for (int col = c.expected.Left; col <= c.expected.Right; ++col)
      for (int row = c.expected.Top; row <= c.expected.Bottom; ++row)
        EXPECT_EQ(MergeOf(*grid, col, row), c.expected) << c.name << " at " << col << "," << row;
    EXPECT_TRUE(fwtest::MergeModelIsSound(*grid)) << c.name;
  }
}

TEST(GridOps, InsertedCellsAreFreshAndTextsMoveOn) {
  auto grid = MakeGrid();
  grid->SetForeText(3, 2, QStringLiteral("甲"));
  grid->SetRangeCellProp({3, 2, 3, 2}, TCellProp::Color, int(clRed));
  grid->MergeCells({2, 1, 4, 1}, false);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  grid->SetForeText(2, 1, QStringLiteral("合并"));
  std::vector<TGridRect> events;
  grid->OnInsertCol = [&](TObject*, TGridRect r) { events.push_back(r); };
  grid->InsertCols({3, 2, 3, 2});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(grid->ColCount(), 9);
  EXPECT_EQ(grid->GetForeText(4, 2), QStringLiteral("甲"));
  EXPECT_EQ(grid->GetCellInfo(4, 2).Color, clRed);
  EXPECT_TRUE(grid->GetForeText(3, 2).isEmpty());
  EXPECT_EQ(grid->GetCellInfo(3, 2).Color, clWhite);
  EXPECT_EQ(grid->GetForeText(2, 1), QStringLiteral("合并"));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0], GridRect(3, 2, 3, 2));

  grid->DeleteCols({2, 1, 3, 1});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(grid->ColCount(), 7);
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("甲"));
  // The merged range lost its origin with its text; its right part remains, empty.
  EXPECT_EQ(MergeOf(*grid, 2, 1), GridRect(2, 1, 3, 1));
  EXPECT_TRUE(grid->GetForeText(2, 1).isEmpty());
}

TEST(GridOps, InsertRowsMovesTextsDown) {
  auto grid = MakeGrid();
  grid->SetForeText(2, 3, QStringLiteral("x"));
  grid->InsertRows({1, 2, 1, 3});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(grid->RowCount(), 10);
  EXPECT_EQ(grid->GetForeText(2, 5), QStringLiteral("x"));
  EXPECT_TRUE(grid->GetForeText(2, 3).isEmpty());
  grid->DeleteRows({1, 2, 1, 3});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(grid->RowCount(), 8);
  EXPECT_EQ(grid->GetForeText(2, 3), QStringLiteral("x"));
}

TEST(GridOps, InsertColsAtTheColumnLimitRefusesWhenPushedOutColumnsHoldData) {
  fwtest::ScriptedHooks hooks;
  const struct {
    const char* name;
    int col, row;  // a text placed there (0: none)
    bool merge;
    bool refused;
  } cases[] = {
      {"last column holds text", 254, 3, false, true},
      {"third-last column holds text although only two are pushed out", 252, 3, false, true},
      {"text in a frozen row", 253, 1, false, true},
      {"merged cell", 253, 4, true, true},
      {"all empty", 0, 0, false, false},
  };
  for (const auto& c : cases) {
    hooks.Messages.clear();
    auto grid = MakeGrid(255, 6);
    grid->SetFixedRows(1);
    if (c.col && !c.merge) grid->SetForeText(c.col, c.row, QStringLiteral("t"));
    if (c.merge) grid->MergeCells({c.col, c.row, c.col + 1, c.row}, false);
    grid->InsertCols({2, 2, 4, 2});
    EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
    if (c.refused) {
      EXPECT_EQ(grid->ColCount(), 255) << c.name;
      ASSERT_EQ(hooks.Messages.size(), 1u) << c.name;
      EXPECT_EQ(hooks.Messages[0].Text, kRightmost);
    } else {
      EXPECT_EQ(grid->ColCount(), 256) << c.name;
      EXPECT_TRUE(hooks.Messages.empty()) << c.name;
    }
  }
}

// ---- Clearing ----------------------------------------------------------------------------

TEST(GridOps, ClearEmptiesTextsKeepsFormatsAndSkipsReadOnly) {
  auto grid = MakeGrid();
  grid->SetForeText(1, 1, QStringLiteral("a"));
  grid->SetBackText(1, 1, QStringLiteral("b"));
  grid->SetRangeCellProp({1, 1, 1, 1}, TCellProp::Color, int(clRed));
  grid->SetForeText(2, 1, QStringLiteral("locked"));
  grid->SetRangeCellProp({2, 1, 2, 1}, TCellProp::ReadOnly, true);
  grid->MergeCells({3, 3, 4, 4}, false);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  grid->SetForeText(3, 3, QStringLiteral("m"));
  int events = 0;
  grid->OnSetForeText = [&](TObject*, int, int, QString&) { ++events; };
  grid->ClearCellContents({1, 1, 2, 1});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_TRUE(grid->GetForeText(1, 1).isEmpty());
  EXPECT_TRUE(grid->GetBackText(1, 1).isEmpty());
  EXPECT_EQ(grid->GetCellInfo(1, 1).Color, clRed);
  EXPECT_EQ(grid->GetForeText(2, 1), QStringLiteral("locked"));
  EXPECT_EQ(events, 1);
  // A range holding only part of a merged range is refused: the text it shows stays.
  grid->ClearCellContents({4, 4, 4, 4});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(grid->GetForeText(3, 3), QStringLiteral("m"));
  grid->ClearCellContents({3, 3, 4, 4});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_TRUE(grid->GetForeText(3, 3).isEmpty());
  EXPECT_EQ(MergeOf(*grid, 3, 3), GridRect(3, 3, 4, 4));
  EXPECT_EQ(events, 5);  // the origin is cleared once for each of its four members
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
}

TEST(GridOps, DeleteKeyClearsTheSelectionWhenEditing) {
  auto grid = MakeGrid();
  grid->SetForeText(1, 1, QStringLiteral("a"));
  WORD key = VK_DELETE;
  grid->KeyDown(key, 0);
  EXPECT_EQ(grid->GetForeText(1, 1), QStringLiteral("a"));
  grid->SetOptions(grid->Options() | goEditing);
  key = VK_DELETE;
  grid->KeyDown(key, 0);
  EXPECT_TRUE(grid->GetForeText(1, 1).isEmpty());
}

// ---- Cut, copy and paste -----------------------------------------------------------------

TEST(GridOps, CopyPasteKeepsValuesPropertiesAndMerges) {
  auto grid = MakeGrid();
  grid->MergeCells({2, 2, 3, 2}, false);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  grid->SetForeText(2, 2, QStringLiteral("合并"));
  grid->SetForeText(2, 3, QStringLiteral("v"));
  grid->SetRangeCellProp({3, 3, 3, 3}, TCellProp::FontStyle, 3);
  grid->CopyCellsToClipboard({2, 2, 3, 3});
  std::vector<TGridRect> pasted;
  grid->OnPasteCells = [&](TObject*, TPoint tl, TPoint size, TGridRect dest) {
    EXPECT_EQ(tl.X, 2);
    EXPECT_EQ(size.Y, 2);
    pasted.push_back(dest);
  };
  grid->SetCurrentCell(5, 5);
  grid->PasteCells();
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  ASSERT_EQ(pasted.size(), 1u);
  EXPECT_EQ(pasted[0], GridRect(5, 5, 6, 6));
  EXPECT_EQ(MergeOf(*grid, 5, 5), GridRect(5, 5, 6, 5));
  EXPECT_EQ(MergeOf(*grid, 6, 5), GridRect(5, 5, 6, 5));
  EXPECT_EQ(grid->GetForeText(5, 5), QStringLiteral("合并"));
  EXPECT_EQ(grid->GetForeText(5, 6), QStringLiteral("v"));
  EXPECT_EQ(grid->GetCellInfo(6, 6).FontStyle, 3u);
  EXPECT_EQ(grid->Selection(), GridRect(5, 5, 6, 6));
  // The source is untouched.
  EXPECT_EQ(MergeOf(*grid, 2, 2), GridRect(2, 2, 3, 2));
}

TEST(GridOps, PasteRefusalsLeaveTheGridUnchanged) {
  fwtest::ScriptedHooks hooks;
  const struct {
    const char* name;
    int col, row;
    std::function<void(TEasyGrid&)> prepare;
  } cases[] = {
      {"target reaches past the last column", 7, 2, [](TEasyGrid&) {}},
      {"target reaches past the last row", 2, 7, [](TEasyGrid&) {}},
      {"target in a frozen column", 1, 3, [](TEasyGrid& g) { g.SetFixedCols(1); }},
      {"target cuts a merged range", 4, 4, [](TEasyGrid& g) { g.MergeCells({5, 5, 6, 5}, false); }},
      {"target holds a read-only cell", 4, 4,
       [](TEasyGrid& g) { g.SetRangeCellProp({5, 5, 5, 5}, TCellProp::ReadOnly, true); }},
  };
  for (const auto& c : cases) {
    hooks.Messages.clear();
    auto grid = MakeGrid();
    grid->SetForeText(2, 2, QStringLiteral("s"));
    grid->CopyCellsToClipboard({2, 2, 3, 3});
    c.prepare(*grid);
    grid->SetCurrentCell(c.col, c.row);
    grid->PasteCells();
    EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
    ASSERT_EQ(hooks.Messages.size(), 1u) << c.name;
    EXPECT_EQ(hooks.Messages[0].Text, kPasteRefused) << c.name;
    EXPECT_EQ(hooks.Messages[0].Flags & MB_ICONERROR, MB_ICONERROR);
    EXPECT_TRUE(grid->GetForeText(c.col, c.row).isEmpty()) << c.name;
  }
}

TEST(GridOps, DamagedClipboardBlockIsRefusedWithoutChanges) {
  fwtest::ScriptedHooks hooks;
  auto grid = MakeGrid();
  grid->SetForeText(2, 2, QStringLiteral("s"));
  grid->CopyCellsToClipboard({2, 2, 2, 2});
  const QByteArray good = CellBlockFromClipboard();
  PutCellBlockOnClipboard(good.left(good.size() - 3));
  grid->SetForeText(4, 4, QStringLiteral("keep"));
  grid->SetCurrentCell(4, 4);
  grid->PasteCells();
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(grid->GetForeText(4, 4), QStringLiteral("keep"));
}

TEST(GridOps, CutResetsTheRangeAndRefusesReadOnly) {
  fwtest::ScriptedHooks hooks;
  auto grid = MakeGrid();
  grid->SetForeText(2, 2, QStringLiteral("a"));
  grid->SetRangeCellProp({2, 2, 2, 2}, TCellProp::Color, int(clRed));
  PutCellBlockOnClipboard(QByteArray("before"));
  grid->SetRangeCellProp({3, 2, 3, 2}, TCellProp::ReadOnly, true);
  grid->CutCells({2, 2, 3, 2});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("不能对含有只读单元格的区域进行剪切操作。"));
  EXPECT_EQ(CellBlockFromClipboard(), QByteArray("before"));
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("a"));

  int cuts = 0;
  grid->OnCutCells = [&](TObject*, TGridRect) { ++cuts; };
  grid->CutCells({2, 2, 2, 2});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(cuts, 1);
  EXPECT_TRUE(grid->GetForeText(2, 2).isEmpty());
  EXPECT_EQ(grid->GetCellInfo(2, 2).Color, clWhite);
  grid->SetCurrentCell(4, 4);
  grid->PasteCells();
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(grid->GetForeText(4, 4), QStringLiteral("a"));
  EXPECT_EQ(grid->GetCellInfo(4, 4).Color, clRed);
}

// ---- Inserting and deleting cells within rows or columns ---------------------------------

TEST(GridOps, InsertCellsRightShiftsTheRowsAndRefusesToPushOutText) {
  fwtest::ScriptedHooks hooks;
  auto grid = MakeGrid();
  grid->SetForeText(3, 2, QStringLiteral("a"));
  grid->SetForeText(7, 5, QStringLiteral("outside the rows"));
  grid->InsertCellsRight({2, 2, 3, 3});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(grid->GetForeText(5, 2), QStringLiteral("a"));
  EXPECT_TRUE(grid->GetForeText(3, 2).isEmpty());
  EXPECT_EQ(grid->ColCount(), 8);

  grid->InsertCellsRight({2, 2, 3, 2});  // "a" would reach column 7: allowed
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(grid->GetForeText(7, 2), QStringLiteral("a"));
  grid->InsertCellsRight({2, 2, 2, 2});  // now the last column holds it
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, kRightmost);
  EXPECT_EQ(grid->GetForeText(7, 2), QStringLiteral("a"));

  grid->DeleteCellsRight({2, 2, 5, 2});
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(grid->GetForeText(3, 2), QStringLiteral("a"));
  EXPECT_TRUE(grid->GetForeText(7, 2).isEmpty());
}

TEST(GridOps, CellShiftThatSplitsAMergedRangeAsksFirst) {
  fwtest::ScriptedHooks hooks;
  const struct {
    const char* name;
    int answer;
    bool down;
  } cases[] = {{"cancel right", IDCANCEL, false}, {"ok right", IDOK, false}, {"ok down", IDOK, true}};
  for (const auto& c : cases) {
    hooks.Messages.clear();
    hooks.MessageAnswers = {c.answer};
    auto grid = MakeGrid();
    grid->MergeCells({4, 2, 5, 3}, false);
    EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
    grid->SetForeText(4, 2, QStringLiteral("m"));
    if (c.down) grid->InsertCellsDown({4, 1, 4, 1});
    else grid->InsertCellsRight({2, 2, 2, 2});
    ASSERT_EQ(hooks.Messages.size(), 1u) << c.name;
    EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("此操作将会导致一些合并单元格被拆散,是否继续?"));
    if (c.answer == IDCANCEL) {
      EXPECT_EQ(MergeOf(*grid, 5, 3), GridRect(4, 2, 5, 3)) << c.name;
      EXPECT_EQ(grid->GetForeText(4, 2), QStringLiteral("m"));
    } else {
      for (int col = 1; col < 8; ++col)
        for (int row = 1; row < 8; ++row) EXPECT_FALSE(grid->IsCellMerged(col, row)) << c.name;
      EXPECT_EQ(c.down ? grid->GetForeText(4, 3) : grid->GetForeText(5, 2), QStringLiteral("m")) << c.name;
    }
  }
}

// ---- Drops: move, copy and fill -----------------------------------------------------------

TEST(GridOps, FillRepeatsTheSourceAlignedToIt) {
  const struct {
    const char* name;
    int top, count;
    const char* expected;  // texts of rows 1..11, '.' for empty
  } cases[] = {
      {"five down", 2, 5, ".abababa..."},
      {"five up", 7, -5, ".bababab..."},
      {"two down", 2, 2, ".abab......"},
  };
  for (const auto& c : cases) {
    auto grid = MakeGrid(6, 12);
    grid->SetForeText(2, c.top, QStringLiteral("a"));
    grid->SetForeText(2, c.top + 1, QStringLiteral("b"));
    grid->SetCurrentCell(2, c.top);
    grid->SetSelection({2, c.top, 2, c.top + 1});
    TGridRect dest;
    grid->OnFillCells = [&](TObject*, TGridRect, TGridRect d) { dest = d; };
    grid->FillCells(c.count, true);
    EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
    QString texts;
    for (int r = 1; r <= 11; ++r) texts += grid->GetForeText(2, r).isEmpty() ? QStringLiteral(".") : grid->GetForeText(2, r);
    EXPECT_EQ(texts, QString::fromLatin1(c.expected)) << c.name;
    EXPECT_EQ(grid->Selection(), dest) << c.name;
  }
}

TEST(GridOps, FillFromASourceWithMergesNeedsWholePeriods) {
  auto grid = MakeGrid(6, 12);
  grid->MergeCells({2, 2, 3, 2}, false);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  grid->SetForeText(2, 2, QStringLiteral("m"));
  grid->SetSelection({2, 2, 3, 3});
  grid->FillCells(3, true);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_TRUE(grid->GetForeText(2, 4).isEmpty());
  EXPECT_FALSE(grid->IsCellMerged(2, 4));
  grid->FillCells(4, true);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(MergeOf(*grid, 3, 6), GridRect(2, 6, 3, 6));
  EXPECT_EQ(grid->GetForeText(2, 6), QStringLiteral("m"));
}

TEST(GridOps, DropAsksBeforeReplacingAndRefusesReadOnlyTargets) {
  fwtest::ScriptedHooks hooks;
  auto grid = MakeGrid();
  grid->SetForeText(2, 2, QStringLiteral("src"));
  grid->SetForeText(4, 2, QStringLiteral("dst"));
  hooks.MessageAnswers = {IDCANCEL};
  grid->CopyMoveCells({2, 2, 2, 2}, 2, 0, true);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("是否替换目标区域的单元格内容?"));
  EXPECT_EQ(grid->GetForeText(4, 2), QStringLiteral("dst"));
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("src"));

  hooks.MessageAnswers = {IDOK};
  grid->CopyMoveCells({2, 2, 2, 2}, 2, 0, true);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(grid->GetForeText(4, 2), QStringLiteral("src"));
  EXPECT_TRUE(grid->GetForeText(2, 2).isEmpty());

  grid->CopyMoveCells({4, 2, 4, 2}, 0, 2, false);  // copy into an empty cell: no question
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_EQ(hooks.Messages.size(), 2u);
  EXPECT_EQ(grid->GetForeText(4, 4), QStringLiteral("src"));
  EXPECT_EQ(grid->GetForeText(4, 2), QStringLiteral("src"));

  grid->SetRangeCellProp({5, 5, 5, 5}, TCellProp::ReadOnly, true);
  grid->CopyMoveCells({4, 4, 4, 4}, 1, 1, false);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  ASSERT_EQ(hooks.Messages.size(), 3u);
  EXPECT_EQ(hooks.Messages[2].Text, QStringLiteral("不能覆盖目标区域内的只读单元格。"));
  EXPECT_TRUE(grid->GetForeText(5, 5).isEmpty());
}

// ---- Faults mended ----------------------------------------------------------------------

// Enter used to confirm each of these losses; Cancel is the default button now.
TEST(GridOps, QuestionsThatDiscardDataDefaultToCancel) {
  fwtest::ScriptedHooks hooks;
  auto grid = MakeGrid();
  grid->SetForeText(2, 2, QStringLiteral("a"));
  grid->SetForeText(3, 2, QStringLiteral("b"));
  grid->MergeCells({2, 2, 3, 2}, true);  // two texts: only one survives
  grid->MergeCells({5, 3, 6, 4}, false);
  grid->InsertCellsRight({2, 4, 2, 4});  // would split the range (5,3)-(6,4)
  grid->SetForeText(2, 6, QStringLiteral("s"));
  grid->SetForeText(3, 6, QStringLiteral("t"));
  grid->CopyMoveCells({2, 6, 2, 6}, 1, 0, true);  // would replace "t"
  const QStringList expected = {QStringLiteral("选定区域包含多重数值。合并到一个单元格后只能保留最左上角的数据。"),
                                QStringLiteral("此操作将会导致一些合并单元格被拆散,是否继续?"),
                                QStringLiteral("是否替换目标区域的单元格内容?")};
  ASSERT_EQ(hooks.Messages.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(hooks.Messages[i].Text, expected[int(i)]);
    EXPECT_EQ(hooks.Messages[i].Caption, QStringLiteral("询问"));
    EXPECT_EQ(hooks.Messages[i].Flags & 0xF, MB_OKCANCEL) << i;
    EXPECT_EQ(hooks.Messages[i].Flags & 0xF00, MB_DEFBUTTON2) << i;
  }
}

// A fill from, a copy of, or a clearing of a range that holds part of a merged range used
// to go ahead (the fill left ranges pointing at cells that were not theirs).
TEST(GridOps, FillAndCopyRefuseASourceThatCutsAMergedRange) {
  fwtest::ScriptedHooks hooks;
  auto grid = MakeGrid();
  grid->MergeCells({3, 3, 4, 3}, false);
  grid->SetForeText(3, 3, QStringLiteral("m"));
  grid->SetCurrentCell(2, 3);
  grid->SetSelection({2, 3, 3, 3});
  grid->FillCells(2, true);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  EXPECT_TRUE(grid->GetForeText(3, 4).isEmpty());
  EXPECT_FALSE(grid->IsCellMerged(3, 4));
  PutCellBlockOnClipboard(QByteArray("before"));
  grid->CopyCellsToClipboard({3, 3, 3, 3});
  EXPECT_EQ(CellBlockFromClipboard(), QByteArray("before"));
  grid->CopyCellsToClipboard({3, 3, 4, 3});
  EXPECT_NE(CellBlockFromClipboard(), QByteArray("before"));
  EXPECT_TRUE(hooks.Messages.empty());
}

// The inserted members of a widened range used to keep the text and colour of the cell
// that stood beyond the range, hidden behind the range's origin.
TEST(GridOps, InsertingInsideAMergedRangeHidesNoCopyOfAnOutsideCell) {
  for (bool cols : {true, false}) {
    auto grid = MakeGrid();
    const TGridRect merge = cols ? GridRect(2, 1, 3, 1) : GridRect(1, 2, 1, 3);
    grid->MergeCells(merge, false);
    grid->SetRangeCellProp(merge, TCellProp::Color, int(clYellow));
    grid->SetForeText(2 - !cols, 1 + !cols, QStringLiteral("origin"));
    const int oc = cols ? 4 : 1, orow = cols ? 1 : 4;  // the cell just beyond the range
    grid->SetForeText(oc, orow, QStringLiteral("outside"));
    grid->SetRangeCellProp({oc, orow, oc, orow}, TCellProp::Color, int(clRed));
    if (cols) grid->InsertCols({3, 1, 4, 1});
    else grid->InsertRows({1, 3, 1, 4});
    EXPECT_TRUE(fwtest::MergeModelIsSound(*grid)) << cols;
    const TGridRect widened = cols ? GridRect(2, 1, 5, 1) : GridRect(1, 2, 1, 5);
    EXPECT_EQ(MergeOf(*grid, widened.Left, widened.Top), widened) << cols;
    for (int c = widened.Left; c <= widened.Right; ++c)
      for (int r = widened.Top; r <= widened.Bottom; ++r) {
        if (c == widened.Left && r == widened.Top) continue;
        EXPECT_FALSE(grid->GetCellInfo(c, r).HasText()) << cols << " at " << c << "," << r;
        EXPECT_EQ(grid->GetCellInfo(c, r).Color, clYellow) << cols << " at " << c << "," << r;
      }
    const int mc = cols ? 6 : 1, mr = cols ? 1 : 6;  // where the outside cell went
    EXPECT_EQ(grid->GetForeText(mc, mr), QStringLiteral("outside")) << cols;
    EXPECT_EQ(grid->GetCellInfo(mc, mr).Color, clRed) << cols;
  }
}

// A drop whose current cell would leave the grid used to write the cells first and
// throw afterwards, leaving a half-done move behind.
TEST(GridOps, ADropThatCannotPlaceTheCurrentCellThrowsBeforeWriting) {
  fwtest::ScriptedHooks hooks;
  auto grid = MakeGrid();
  grid->SetForeText(2, 2, QStringLiteral("src"));
  grid->SetCurrentCell(6, 6);
  EXPECT_THROW(grid->CopyMoveCells({2, 2, 2, 2}, 3, 0, true), EInvalidGridOperation);
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("src"));
  EXPECT_TRUE(grid->GetForeText(5, 2).isEmpty());
  EXPECT_EQ(grid->Col(), 6);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
}

// A pasted block whose merge ranges do not fit together used to be put down as it was.
TEST(GridOps, PastedBlockWithMergesThatDoNotFitIsRefusedWhole) {
  fwtest::ScriptedHooks hooks;
  auto grid = MakeGrid();
  grid->MergeCells({2, 2, 3, 2}, false);
  grid->SetForeText(2, 2, QStringLiteral("m"));
  grid->CopyCellsToClipboard({2, 2, 3, 2});
  std::optional<TCellBlock> block = ParseCellBlock(CellBlockFromClipboard());
  ASSERT_TRUE(block);
  block->Cells[1].MergeRect = {3, 2, 3, 2};  // the second member leaves the range
  PutCellBlockOnClipboard(WriteCellBlock(*block));
  grid->SetCurrentCell(5, 5);
  grid->PasteCells();
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_FALSE(grid->IsCellMerged(5, 5));
  EXPECT_TRUE(grid->GetForeText(5, 5).isEmpty());
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
}

} // namespace
