// Keyboard navigation, selection and scrolling of the report grid: key presses from a
// start cell to the expected current cell and selection (merged ranges, hidden columns,
// frozen cells, the edges), Shift extending from the moving corner, the view following
// the current cell, and the scroll bars' ranges, positions and messages.

#include "grid/EasyGrid.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/VirtualKeys.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace fw;

// Cells 50 x 20 with one-pixel lines in a 301 x 201 client: the title column and four
// data columns (1..4) fit whole, and the title row and eight data rows (1..8).
class GridKeys : public ::testing::Test {
protected:
  GridKeys() : form(nullptr) {
    form.resize(600, 400);
    grid = new TEasyGrid(&form);
    grid->SetParent(&form);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(10);
    grid->SetRowCount(20);
    grid->SetClientWidth(301);
    grid->SetClientHeight(201);
    grid->MergeCells(GridRect(3, 2, 4, 2), false);
    grid->OnClick = [this](TObject*) { ++clicks; };
    grid->OnTopLeftChanged = [this](TObject*) { ++topLeftChanges; };
  }
  void Press(WORD key, TShiftState shift = 0) { grid->KeyDown(key, shift); }

  fwtest::ScriptedHooks hooks;
  TForm form;
  TEasyGrid* grid;
  int clicks = 0;
  int topLeftChanges = 0;
};

TEST_F(GridKeys, LayoutOfTheFixture) {
  EXPECT_EQ(grid->ColAxis().LastFullVisibleCell(), 4);
  EXPECT_EQ(grid->RowAxis().LastFullVisibleCell(), 8);
  EXPECT_EQ(TCustomEasyGrid::LastPageStart(grid->ColAxis()), 6);
  EXPECT_EQ(TCustomEasyGrid::LastPageStart(grid->RowAxis()), 12);
}

TEST_F(GridKeys, PlainKeysMoveTheCurrentCellAndCollapseTheSelection) {
  struct Case {
    const char* Name;
    int Col, Row;
    WORD Key;
    TShiftState Shift;
    int ExpCol, ExpRow;
  };
  const std::vector<Case> cases = {
      {"right", 1, 1, VK_RIGHT, 0, 2, 1},
      {"left at the first column stays", 1, 1, VK_LEFT, 0, 1, 1},
      {"up at the first row stays", 2, 1, VK_UP, 0, 2, 1},
      {"down", 2, 1, VK_DOWN, 0, 2, 2},
      {"right leaves a merged range", 3, 2, VK_RIGHT, 0, 5, 2},
      {"left into a merged range lands on its origin", 5, 2, VK_LEFT, 0, 3, 2},
      {"down into a merged range lands on its origin", 4, 1, VK_DOWN, 0, 3, 2},
      {"down from a merged range", 3, 2, VK_DOWN, 0, 3, 3},
      {"right at the last column stays", 9, 5, VK_RIGHT, 0, 9, 5},
      {"down at the last row stays", 5, 19, VK_DOWN, 0, 5, 19},
      {"home", 5, 5, VK_HOME, 0, 1, 5},
      {"end", 5, 5, VK_END, 0, 9, 5},
      {"ctrl+home", 5, 5, VK_HOME, ssCtrl, 1, 1},
      {"ctrl+end", 5, 5, VK_END, ssCtrl, 9, 19},
      {"page down by the page height", 2, 3, VK_NEXT, 0, 2, 10},
      {"page up at the top", 2, 3, VK_PRIOR, 0, 2, 1},
      {"ctrl+page down to the last full row", 2, 3, VK_NEXT, ssCtrl, 2, 8},
      {"ctrl+page up to the first visible row", 2, 5, VK_PRIOR, ssCtrl, 2, 1},
      {"tab", 1, 3, VK_TAB, 0, 2, 3},
      {"tab at the last column stays", 9, 3, VK_TAB, 0, 9, 3},
      {"tab leaves a merged range", 3, 2, VK_TAB, 0, 5, 2},
      {"shift+tab at the first column stays", 1, 3, VK_TAB, ssShift, 1, 3},
      {"shift+tab", 5, 2, VK_TAB, ssShift, 3, 2},
      {"alt+tab does nothing", 1, 3, VK_TAB, ssAlt, 1, 3},
  };
  for (const Case& tc : cases) {
    grid->SetTopLeft(1, 1);
    grid->SetCurrentCell(tc.Col, tc.Row);
    Press(tc.Key, tc.Shift);
    EXPECT_EQ(grid->Col(), tc.ExpCol) << tc.Name;
    EXPECT_EQ(grid->Row(), tc.ExpRow) << tc.Name;
    const TGridRect merge = grid->GetCellInfo(tc.ExpCol, tc.ExpRow).MergeRect;
    EXPECT_EQ(grid->Selection(), merge) << tc.Name;
    EXPECT_EQ(grid->AnchorCol(), merge.Right) << tc.Name;
    EXPECT_EQ(grid->AnchorRow(), merge.Bottom) << tc.Name;
  }
}

TEST_F(GridKeys, MovesFireOnClickOnlyWhenTheCellChanges) {
  grid->SetCurrentCell(2, 2);
  Press(VK_RIGHT);  // into the merged range's origin (3, 2)
  Press(VK_UP);
  Press(VK_UP);  // already at the first row
  EXPECT_EQ(clicks, 2);
}

TEST_F(GridKeys, HiddenColumnsArePassedOver) {
  grid->SetColWidths(6, -1);
  grid->SetCurrentCell(5, 1);
  Press(VK_RIGHT);
  EXPECT_EQ(grid->Col(), 7);
  Press(VK_LEFT);
  EXPECT_EQ(grid->Col(), 5);
  // A hidden last column: End stops before it.
  grid->SetColWidths(9, -1);
  Press(VK_END);
  EXPECT_EQ(grid->Col(), 8);
}

TEST_F(GridKeys, ShiftExtendsFromTheMovingCorner) {
  grid->SetCurrentCell(2, 2);
  for (int i = 0; i < 3; ++i) Press(VK_DOWN, ssShift);
  EXPECT_EQ(grid->Selection(), GridRect(2, 2, 2, 5));
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->AnchorRow(), 5);
  EXPECT_EQ(clicks, 0);
  // Up again shrinks from the moving corner.
  Press(VK_UP, ssShift);
  EXPECT_EQ(grid->Selection(), GridRect(2, 2, 2, 4));
  // Reaching a merged range takes the whole of it.
  Press(VK_RIGHT, ssShift);
  EXPECT_EQ(grid->Selection(), GridRect(2, 2, 4, 4));
  // A plain key collapses the selection onto the moved cell.
  Press(VK_LEFT);
  EXPECT_EQ(grid->Selection(), GridRect(1, 2, 1, 2));
}

TEST_F(GridKeys, ShiftWithAKeyThatDoesNotExtendMovesToTheCorner) {
  grid->SetCurrentCell(5, 5);
  Press(VK_DOWN, ssShift);
  Press(VK_RIGHT, ssShift);
  ASSERT_EQ(grid->Selection(), GridRect(5, 5, 6, 6));
  Press('A', ssShift);
  EXPECT_EQ(grid->Col(), 6);
  EXPECT_EQ(grid->Row(), 6);
  EXPECT_EQ(grid->Selection(), GridRect(6, 6, 6, 6));
}

TEST_F(GridKeys, ShiftDownPastTheViewScrollsTheCornerIntoView) {
  grid->SetCurrentCell(2, 8);
  Press(VK_DOWN, ssShift);
  EXPECT_EQ(grid->Selection(), GridRect(2, 8, 2, 9));
  EXPECT_EQ(grid->TopRow(), 2);
  EXPECT_EQ(grid->Row(), 8);
}

TEST_F(GridKeys, CtrlArrowsScrollAndKeepTheCurrentCell) {
  grid->SetCurrentCell(3, 3);
  Press(VK_RIGHT, ssCtrl);
  Press(VK_DOWN, ssCtrl);
  EXPECT_EQ(grid->LeftCol(), 2);
  EXPECT_EQ(grid->TopRow(), 2);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(topLeftChanges, 2);
  // Scrolling stops at the last page start.
  for (int i = 0; i < 20; ++i) Press(VK_RIGHT, ssCtrl);
  EXPECT_EQ(grid->LeftCol(), 6);
  Press(VK_LEFT, ssCtrl);
  EXPECT_EQ(grid->LeftCol(), 5);
}

TEST_F(GridKeys, MovesBringTheCurrentCellIntoView) {
  struct Case {
    const char* Name;
    WORD Key;
    TShiftState Shift;
    int Col, Row, Left, Top;
  };
  // Each starts from (1, 1) with the view at (1, 1).
  const std::vector<Case> cases = {
      {"ctrl+end shows the last page", VK_END, ssCtrl, 9, 19, 6, 12},
      {"end scrolls columns only", VK_END, 0, 9, 1, 6, 1},
      {"page down moves row and view by a page", VK_NEXT, 0, 1, 8, 1, 8},
  };
  for (const Case& tc : cases) {
    grid->SetTopLeft(1, 1);
    grid->SetCurrentCell(1, 1);
    Press(tc.Key, tc.Shift);
    EXPECT_EQ(grid->Col(), tc.Col) << tc.Name;
    EXPECT_EQ(grid->Row(), tc.Row) << tc.Name;
    EXPECT_EQ(grid->LeftCol(), tc.Left) << tc.Name;
    EXPECT_EQ(grid->TopRow(), tc.Top) << tc.Name;
  }
  // Repeated Page Down ends on the last row with the view at the last page start.
  for (int i = 0; i < 5; ++i) Press(VK_NEXT);
  EXPECT_EQ(grid->Row(), 19);
  EXPECT_EQ(grid->TopRow(), 12);
  // Up from the first visible row scrolls one row back.
  grid->SetCurrentCell(1, 12);
  Press(VK_UP);
  EXPECT_EQ(grid->TopRow(), 11);
  EXPECT_EQ(grid->Row(), 11);
}

TEST_F(GridKeys, FrozenCellsStayAndBoundTheMoves) {
  grid->SetFixedCols(1);
  grid->SetFixedRows(1);
  const TRect frozen = grid->CellRect(1, 1);
  grid->SetCurrentCell(2, 3);
  Press(VK_LEFT);
  EXPECT_EQ(grid->Col(), 2);
  Press(VK_END, ssCtrl);
  EXPECT_EQ(grid->Col(), 9);
  EXPECT_EQ(grid->Row(), 19);
  EXPECT_GT(grid->LeftCol(), 2);
  EXPECT_GT(grid->TopRow(), 2);
  EXPECT_EQ(grid->CellRect(1, 1), frozen);
  EXPECT_EQ(grid->CellRect(9, 19).Right, grid->ColAxis().FullVisBoundary() - 1);
  Press(VK_HOME, ssCtrl);
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->LeftCol(), 2);
  EXPECT_EQ(grid->TopRow(), 2);
}

TEST_F(GridKeys, RowSelectKeepsWholeRowsSelected) {
  grid->SetOptions(grid->Options() | goRowSelect);
  grid->SetCurrentCell(1, 3);
  Press(VK_DOWN);
  EXPECT_EQ(grid->Selection(), GridRect(1, 4, 9, 4));
  Press(VK_DOWN, ssShift);
  EXPECT_EQ(grid->Selection(), GridRect(1, 4, 9, 5));
  Press(VK_END);
  EXPECT_EQ(grid->Row(), 19);
  EXPECT_EQ(grid->Selection(), GridRect(1, 19, 9, 19));
}

TEST_F(GridKeys, DragSelectsFromThePressedCell) {
  form.Show();
  QApplication::processEvents();
  const TRect a = grid->CellRect(2, 3);
  const TRect b = grid->CellRect(4, 5);
  QTest::mousePress(grid, Qt::LeftButton, {}, QPoint(a.Left + 5, a.Top + 5));
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 3);
  QMouseEvent move(QEvent::MouseMove, QPointF(b.Left + 5, b.Top + 5), QPointF(grid->mapToGlobal(QPoint(b.Left + 5, b.Top + 5))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid, &move);
  QTest::mouseRelease(grid, Qt::LeftButton, {}, QPoint(b.Left + 5, b.Top + 5));
  EXPECT_EQ(grid->Selection(), GridRect(2, 3, 4, 5));
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 3);
}

TEST_F(GridKeys, WheelStepsOneRowAndTabsReachTheGridWithGoTabs) {
  form.Show();
  QApplication::processEvents();
  grid->SetCurrentCell(3, 1);
  QWheelEvent down(QPointF(60, 30), QPointF(grid->mapToGlobal(QPoint(60, 30))), {}, QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(grid, &down);
  // One row exactly: (3, 2) is the origin of the merged range (3, 2)-(4, 2).
  EXPECT_EQ(grid->Row(), 2);
  QWheelEvent up(QPointF(60, 30), QPointF(grid->mapToGlobal(QPoint(60, 30))), {}, QPoint(0, 120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(grid, &up);
  QApplication::sendEvent(grid, &up);
  EXPECT_EQ(grid->Row(), 1);

  grid->SetOptions(grid->Options() | goTabs);
  grid->SetFocus();
  QTest::keyClick(grid, Qt::Key_Tab);
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_TRUE(grid->Focused());
}

// The grid keeps Tab for moving between cells only with goTabs and without goRowSelect;
// otherwise Tab moves the focus on.
TEST_F(GridKeys, TabStaysInTheGridOnlyWithGoTabsAndWithoutRowSelect) {
  auto* other = new TEdit(&form);
  other->SetParent(&form);
  other->SetBounds(450, 10, 100, 21);
  form.Show();
  form.activateWindow();
  QApplication::processEvents();
  const TEasyGridOptions plain = grid->Options();
  const struct {
    const char* Name;
    TEasyGridOptions Options;
    bool Kept;
  } cases[] = {
      {"goTabs", goTabs, true},
      {"goTabs and goRowSelect", goTabs | goRowSelect, false},
      {"no goTabs", 0, false},
  };
  for (const auto& c : cases) {
    grid->SetOptions(plain | c.Options);
    grid->SetCurrentCell(1, 1);
    grid->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(grid->Focused()) << c.Name;
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->Focused(), c.Kept) << c.Name;
    EXPECT_EQ(other->Focused(), !c.Kept) << c.Name;
  }
}

// ---- Scroll bars ----------------------------------------------------------------------------

TEST_F(GridKeys, ScrollBarRangesFollowCountsAndSizes) {
  // A grid starts with both bars, each shown while its axis has something to scroll.
  EXPECT_EQ(grid->ScrollBars(), TScrollStyle::ssBoth);
  ASSERT_TRUE(grid->HorzScrollBar() && grid->VertScrollBar());
  EXPECT_EQ(grid->HorzScrollBar()->maximum(), 127);
  EXPECT_EQ(grid->VertScrollBar()->maximum(), 127);
  EXPECT_FALSE(grid->VertScrollBar()->isHidden());
  // The bars and the border lie outside the client.
  const int border = grid->BorderWidth();
  EXPECT_EQ(border, 2);
  EXPECT_EQ(grid->Width(), 301 + 2 * border + grid->VertScrollBar()->width());
  EXPECT_EQ(grid->VertScrollBar()->x(), border + 301);
  EXPECT_EQ(grid->HorzScrollBar()->y(), border + 201);
  // Columns that all fit need no horizontal scrolling.
  grid->SetColCount(5);
  EXPECT_EQ(grid->HorzScrollBar()->maximum(), 0);
  EXPECT_TRUE(grid->HorzScrollBar()->isHidden());
  // Widening a column brings the range back.
  grid->SetColWidths(2, 250);
  EXPECT_EQ(grid->HorzScrollBar()->maximum(), 127);
  grid->SetRowCount(5);
  EXPECT_EQ(grid->VertScrollBar()->maximum(), 0);
}

TEST_F(GridKeys, ScrollBarPositionsFollowTheView) {
  grid->SetScrollBars(TScrollStyle::ssBoth);
  QScrollBar* v = grid->VertScrollBar();
  EXPECT_EQ(v->value(), 0);
  Press(VK_END, ssCtrl);
  EXPECT_EQ(grid->TopRow(), TCustomEasyGrid::LastPageStart(grid->RowAxis()));
  EXPECT_EQ(v->value(), 127);
  EXPECT_EQ(grid->HorzScrollBar()->value(), 127);
}

TEST_F(GridKeys, ScrollBarMessagesMoveTheView) {
  grid->SetScrollBars(TScrollStyle::ssBoth);
  const int last = TCustomEasyGrid::LastPageStart(grid->RowAxis());
  const int page = grid->RowAxis().LastFullVisibleCell() - 1;
  struct Case {
    const char* Name;
    int StartTop, Code, Pos, ExpTop;
  };
  const std::vector<Case> cases = {
      {"line down", 1, scLineDown, 0, 2},
      {"line up at the top", 1, scLineUp, 0, 1},
      {"page down", 1, scPageDown, 0, 1 + page},
      {"bottom", 1, scBottom, 0, last},
      {"line down at the bottom", last, scLineDown, 0, last},
      {"top", 5, scTop, 0, 1},
      {"thumb position at the end", 1, scPosition, 127, last},
      {"thumb track without thumb tracking", 1, scTrack, 127, 1},
  };
  for (const Case& tc : cases) {
    grid->SetTopLeft(1, tc.StartTop);
    grid->ScrollMessage(false, tc.Code, tc.Pos);
    EXPECT_EQ(grid->TopRow(), tc.ExpTop) << tc.Name;
  }
  // Line steps pass over hidden and empty rows.
  grid->SetRowHeights(2, 0);
  grid->SetRowHeights(3, -1);
  grid->SetTopLeft(1, 1);
  grid->ScrollMessage(false, scLineDown, 0);
  EXPECT_EQ(grid->TopRow(), 4);
  grid->ScrollMessage(false, scLineUp, 0);
  EXPECT_EQ(grid->TopRow(), 1);
  grid->SetOptions(grid->Options() | goThumbTracking);
  grid->SetTopLeft(1, 1);
  grid->ScrollMessage(false, scTrack, 127);
  EXPECT_EQ(grid->TopRow(), last);
  // The current cell does not move with the view.
  EXPECT_EQ(grid->Row(), 1);
}

// A count shrunk past the current cell moves it onto the new last column or row, and the
// selection collapses onto it; a selection that only reaches past the end is cut there.
TEST_F(GridKeys, ShrinkingPastTheCurrentCellMovesItAndCollapsesTheSelection) {
  const struct {
    const char* Name;
    int Col, Row;
    std::vector<WORD> ShiftKeys;
    TGridRect Before;
    bool Cols;
    int Count;
    TGridRect After;
  } cases[] = {
      {"rows", 2, 8, {VK_RIGHT, VK_RIGHT, VK_UP, VK_UP}, GridRect(2, 6, 4, 8), false, 7, GridRect(2, 6, 2, 6)},
      {"columns", 6, 8, {VK_LEFT, VK_LEFT, VK_UP, VK_UP}, GridRect(4, 6, 6, 8), true, 6, GridRect(5, 8, 5, 8)},
      {"current cell kept", 2, 6, {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN}, GridRect(2, 6, 4, 8), false, 7,
       GridRect(2, 6, 4, 6)},
  };
  for (const auto& c : cases) {
    grid->SetColCount(10);
    grid->SetRowCount(20);
    grid->SetCurrentCell(c.Col, c.Row);
    for (WORD key : c.ShiftKeys) Press(key, ssShift);
    ASSERT_EQ(grid->Selection(), c.Before) << c.Name;
    c.Cols ? grid->SetColCount(c.Count) : grid->SetRowCount(c.Count);
    EXPECT_EQ(grid->Selection(), c.After) << c.Name;
    EXPECT_EQ(grid->Col(), c.After.Left) << c.Name;
    EXPECT_EQ(grid->Row(), c.After.Top) << c.Name;
  }
}

TEST_F(GridKeys, ShrinkingTheCountsPullsTheCellAndTheViewBack) {
  grid->SetCurrentCell(5, 15);
  Press(VK_END, ssCtrl);
  grid->SetRowCount(10);
  EXPECT_EQ(grid->Row(), 9);
  EXPECT_EQ(grid->AnchorRow(), 9);
  EXPECT_EQ(grid->TopRow(), TCustomEasyGrid::LastPageStart(grid->RowAxis()));
  EXPECT_EQ(grid->TopRow(), 2);
}

} // namespace
