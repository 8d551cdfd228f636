// The report grid and the mouse: titles selecting rows and columns, lines sized by
// dragging (hidden ones dragged open), the selection frame dragged into a move, a copy
// and a fill, the cursors that announce each, and a drag cut short.

#include "grid/EasyGrid.h"
#include "grid/GridCursors.h"
#include "grid/InplaceEdit.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "support/TestSupport.h"
#include "GridOnForm.h"
#include "MergeModel.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

namespace {

using namespace fw;

// Cells 80 x 30 with one-pixel lines; the title column ends at 81, column c starts at
// 81 * c, row r at 31 * r.
class GridMouse : public fwtest::GridOnForm {
protected:
  GridMouse() : GridOnForm({700, 400, 660, 360, 7, 9}) {}
  // A client point as the widget's point (inside the border).
  QPoint W(int x, int y) const { return {x + grid->BorderWidth(), y + grid->BorderWidth()}; }
  void Press(int x, int y, Qt::KeyboardModifiers mods = {}) { QTest::mousePress(grid, Qt::LeftButton, mods, W(x, y)); }
  void Move(int x, int y) {
    QMouseEvent event(QEvent::MouseMove, W(x, y), grid->mapToGlobal(W(x, y)), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(grid, &event);
  }
  void Release(int x, int y) { QTest::mouseRelease(grid, Qt::LeftButton, {}, W(x, y)); }
  void Drag(int x0, int y0, int x1, int y1, Qt::KeyboardModifiers mods = {}) {
    Press(x0, y0, mods);
    Move((x0 + x1) / 2, (y0 + y1) / 2);
    Move(x1, y1);
    Release(x1, y1);
  }
  QRgb Pixel(int x, int y) {
    const QPoint p = W(x, y);
    return grid->grab().toImage().pixel(p.x(), p.y()) | 0xFF000000u;
  }
  QString Texts(int row) {
    QString s;
    for (int c = 1; c < grid->ColCount(); ++c) s += grid->GetForeText(c, row).isEmpty() ? QStringLiteral(".") : grid->GetForeText(c, row);
    return s;
  }

};

// ---- Titles ------------------------------------------------------------------------------

TEST_F(GridMouse, TitlesSelectWholeRowsAndColumns) {
  grid->SetCurrentCell(3, 2);
  Press(40, 31 * 4 + 10);  // the title of row 4
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_EQ(grid->Selection(), GridRect(1, 4, 6, 4));
  Release(40, 31 * 4 + 10);
  Press(40, 31 * 6 + 10, Qt::ShiftModifier);  // extends from the current row
  EXPECT_EQ(grid->Selection(), GridRect(1, 4, 6, 6));
  EXPECT_EQ(grid->Row(), 4);
  Release(40, 31 * 6 + 10);
  Press(81 * 2 + 10, 10);  // the title of column 2
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Selection(), GridRect(2, 1, 2, 8));
  Release(81 * 2 + 10, 10);
  // Without range selection a title selects the first cell's merged range only.
  grid->MergeCells({1, 5, 2, 5}, false);
  grid->SetOptions(grid->Options() & ~unsigned(goRangeSelect));
  Press(40, 31 * 5 + 10);
  EXPECT_EQ(grid->Selection(), GridRect(1, 5, 2, 5));
  Release(40, 31 * 5 + 10);
}

TEST_F(GridMouse, ASelectCellHandlerMayRefuseTheMove) {
  grid->OnSelectCell = [](TObject*, int col, int, bool& can) { can = col != 4; };
  Press(81 * 4 + 10, 31 * 3 + 10);
  Release(81 * 4 + 10, 31 * 3 + 10);
  EXPECT_EQ(grid->Col(), 1);
  Press(81 * 5 + 10, 31 * 3 + 10);
  Release(81 * 5 + 10, 31 * 3 + 10);
  EXPECT_EQ(grid->Col(), 5);
}

// ---- Sizing lines ------------------------------------------------------------------------

TEST_F(GridMouse, ColumnAndRowLinesAreDraggedToNewSizes) {
  grid->SetOptions(grid->Options() | goColSizing | goRowSizing);
  grid->SetCurrentCell(6, 8);  // keep the selection away from the lines
  const int line = grid->ColAxis().CellEnd(2);  // 242
  EXPECT_EQ(grid->CursorAt(line + 2, 10), crHSplit);
  Press(line + 2, 10);
  EXPECT_EQ(grid->GridState(), TGridState::gsColSizing);
  Move(line + 32, 10);
  // The dotted line is drawn by inverting the pixels of every other dot down the grid.
  const QImage image = grid->grab().toImage();
  int inverted = 0;
  for (int y = 100; y < 140; ++y) inverted += (image.pixel(W(line + 30, y)) | 0xFF000000u) == qRgb(0, 0, 0);
  EXPECT_NEAR(inverted, 20, 3);
  Release(line + 32, 10);
  EXPECT_EQ(grid->GridState(), TGridState::gsNormal);
  EXPECT_EQ(grid->GetColWidths(2), 110);
  EXPECT_EQ(grid->GetColWidths(1), 80);

  const int rowLine = grid->RowAxis().CellEnd(3);  // 124
  EXPECT_EQ(grid->CursorAt(40, rowLine - 2), crVSplit);
  Drag(40, rowLine - 2, 40, rowLine - 12);
  EXPECT_EQ(grid->GetRowHeights(3), 20);
}

TEST_F(GridMouse, ALineDraggedBeforeItsCellHidesItAndAHiddenCellIsDraggedOpen) {
  grid->SetOptions(grid->Options() | goColSizing);
  grid->SetCurrentCell(6, 8);
  const int line = grid->ColAxis().CellEnd(2);
  Drag(line, 10, 81 * 2 - 20, 10);
  EXPECT_EQ(grid->GetColWidths(2), -1);
  // Column 2 takes no room; the line after column 1 now stands where column 2 was.
  const int edge = grid->ColAxis().CellEnd(1);
  EXPECT_EQ(grid->ColAxis().CellStart(3), edge + 1);
  // Before the line, column 1 is sized; after it, the hidden column 2 opens.
  Drag(edge + 2, 10, edge + 42, 10);
  EXPECT_EQ(grid->GetColWidths(1), 80);
  EXPECT_EQ(grid->GetColWidths(2), 40 - 1);
}

TEST_F(GridMouse, LinesInsideMergedRangesAndOverDataCellsAreNotSizable) {
  grid->SetOptions(grid->Options() | goColSizing | goRowSizing);
  grid->SetCurrentCell(6, 8);
  const int line = grid->ColAxis().CellEnd(2);
  const int dataY = 31 * 4 + 10;
  // Only the title and frozen rows size columns, unless the client is sizeable.
  EXPECT_EQ(grid->CursorAt(line + 1, dataY), crEasyGridCell);
  grid->SetClientSizeable(true);
  EXPECT_EQ(grid->CursorAt(line + 1, dataY), crHSplit);
  grid->MergeCells({2, 4, 3, 4}, false);
  EXPECT_EQ(grid->CursorAt(line + 1, dataY), crEasyGridCell);
  // The range's own right edge: only from close by inside it.
  const int right = grid->ColAxis().CellEnd(3);
  EXPECT_EQ(grid->CursorAt(right - 2, dataY), crHSplit);
  EXPECT_EQ(grid->CursorAt(right - 5, dataY), crEasyGridCell);
  // Inside the selection the frame takes the mouse instead.
  grid->SetCurrentCell(2, 2);
  EXPECT_NE(grid->CursorAt(grid->ColAxis().CellEnd(2) - 1, 31 * 2 + 10), crHSplit);
}

TEST_F(GridMouse, ASizingDragEndsWhenTheFocusGoes) {
  auto* other = new TEdit(&form);
  other->SetParent(&form);
  other->SetBounds(0, 370, 100, 21);
  grid->SetOptions(grid->Options() | goColSizing);
  grid->SetCurrentCell(6, 8);
  const int line = grid->ColAxis().CellEnd(2);
  Press(line, 10);
  Move(line + 30, 10);
  other->SetFocus();
  QApplication::processEvents();
  EXPECT_EQ(grid->GridState(), TGridState::gsNormal);
  Release(line + 30, 10);
  EXPECT_EQ(grid->GetColWidths(2), 80);
  EXPECT_EQ(Pixel(line + 30, 120), qRgb(255, 255, 255));  // the dotted line is gone
}

TEST_F(GridMouse, APressAfterALostReleaseStartsAfresh) {
  grid->SetOptions(grid->Options() | goColSizing);
  grid->SetCurrentCell(6, 8);
  const int line = grid->ColAxis().CellEnd(2);
  Press(line, 10);
  Move(line + 30, 10);
  ASSERT_EQ(grid->GridState(), TGridState::gsColSizing);
  // The release went elsewhere; the next press is a plain press on a cell.
  Press(81 * 4 + 10, 31 * 3 + 10);
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->GridState(), TGridState::gsSelecting);
  EXPECT_EQ(grid->GetColWidths(2), 80);
  Release(81 * 4 + 10, 31 * 3 + 10);
}

// ---- The selection frame -----------------------------------------------------------------

TEST_F(GridMouse, DraggingTheFrameMovesOrCopiesTheSelection) {
  grid->SetForeText(2, 2, QStringLiteral("a"));
  grid->SetForeText(3, 3, QStringLiteral("b"));
  grid->MergeCells({2, 3, 3, 3}, false);
  grid->SetCurrentCell(2, 2);
  grid->SetSelection({2, 2, 3, 3});
  const TRect sel = grid->CellRangeRect(grid->Selection());
  // The left edge of the frame: a move; with Ctrl a copy.
  EXPECT_EQ(grid->CursorAt(sel.Left + 1, sel.Top + 20), crHandPoint);
  EXPECT_EQ(grid->CursorAt(sel.Left + 1, sel.Top + 20, ssCtrl), crDrag);
  Press(sel.Left + 1, sel.Top + 20);
  EXPECT_EQ(grid->GridState(), TGridState::gsMoving);
  EXPECT_EQ(grid->CurrentCursor(), crHandPoint);
  Move(sel.Left + 1 + 81 * 2, sel.Top + 20);
  // The target is outlined with dots: on its top edge every other dot is inverted.
  const TRect target = grid->CellRangeRect({4, 2, 5, 3});
  const QImage image = grid->grab().toImage();
  int inverted = 0;
  for (int x = target.Left + 10; x < target.Left + 30; ++x) inverted += (image.pixel(W(x, target.Top)) | 0xFF000000u) == qRgb(0, 0, 0);
  EXPECT_NEAR(inverted, 10, 2);
  Release(sel.Left + 1 + 81 * 2, sel.Top + 20);
  EXPECT_EQ(Texts(2), QStringLiteral("...a.."));
  EXPECT_EQ(grid->GetCellInfo(5, 3).MergeRect, GridRect(4, 3, 5, 3));
  EXPECT_FALSE(grid->IsCellMerged(2, 3));
  EXPECT_EQ(grid->Selection(), GridRect(4, 2, 5, 3));
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));

  // A copy one row down leaves the source.
  const TRect moved = grid->CellRangeRect(grid->Selection());
  Drag(moved.Left + 20, moved.Top + 1, moved.Left + 20, moved.Top + 1 + 31 * 3, Qt::ControlModifier);
  EXPECT_EQ(Texts(2), QStringLiteral("...a.."));
  EXPECT_EQ(Texts(5), QStringLiteral("...a.."));
  EXPECT_EQ(grid->GetCellInfo(5, 6).MergeRect, GridRect(4, 6, 5, 6));
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
}

TEST_F(GridMouse, DraggingTheFillHandleFills) {
  grid->SetForeText(2, 2, QStringLiteral("x"));
  grid->SetForeText(2, 3, QStringLiteral("y"));
  grid->SetCurrentCell(2, 2);
  grid->SetSelection({2, 2, 2, 3});
  const TRect sel = grid->CellRangeRect(grid->Selection());
  EXPECT_EQ(grid->CursorAt(sel.Right - 2, sel.Bottom - 2), crMultiDrag);
  Drag(sel.Right - 2, sel.Bottom - 2, sel.Right - 40, sel.Bottom + 31 * 2 + 20);  // into row 6
  QString column;
  for (int r = 1; r < 9; ++r) column += grid->GetForeText(2, r).isEmpty() ? QStringLiteral(".") : grid->GetForeText(2, r);
  EXPECT_EQ(column, QStringLiteral(".xyxyx.."));
  EXPECT_EQ(grid->Selection(), GridRect(2, 2, 2, 6));
  // Sideways, to the left.
  grid->SetCurrentCell(4, 8);
  grid->SetForeText(4, 8, QStringLiteral("z"));
  const TRect one = grid->CellRect(4, 8);
  Drag(one.Right - 2, one.Bottom - 2, one.Left - 81 * 2 + 10, one.Bottom - 5);
  EXPECT_EQ(Texts(8), QStringLiteral(".zzz.."));
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
}

// A fill dragged while the editor holds a typed text repeats that text: the editor
// stores it in its cell before the cells are copied.
TEST_F(GridMouse, AFillWithTheEditorOpenRepeatsTheTypedText) {
  grid->SetFocus();
  for (const TEasyGridOptions always : {0u, unsigned(goAlwaysShowEditor)}) {
    grid->SetOptions(grid->Options() | goEditing | always);
    grid->SetCurrentCell(2, 2 + 4 * (always != 0));
    if (!always) QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->Visible());
    QTest::keyClicks(grid->InplaceEditor()->EditWidget(), QStringLiteral("t"));
    // The handle just outside the cell's corner, beside the editor.
    const TRect cell = grid->CellRect(grid->Col(), grid->Row());
    EXPECT_EQ(grid->CursorAt(cell.Right + 1, cell.Bottom + 1), crMultiDrag);
    Drag(cell.Right + 1, cell.Bottom + 1, cell.Right - 40, cell.Bottom + 31 + 10);  // two rows on
    EXPECT_EQ(grid->InplaceEditor()->Visible(), always != 0);
    grid->SetOptions(grid->Options() & ~unsigned(goAlwaysShowEditor));
  }
  QString column;
  for (int r = 1; r < 9; ++r) column += grid->GetForeText(2, r).isEmpty() ? QStringLiteral(".") : grid->GetForeText(2, r);
  EXPECT_EQ(column, QStringLiteral(".ttt.ttt"));
}

TEST_F(GridMouse, FrameDragsNeedTheirPermission) {
  grid->SetCurrentCell(2, 2);
  const TRect sel = grid->CellRangeRect(grid->Selection());
  grid->SetGridCanCopyMove(false);
  EXPECT_EQ(grid->CursorAt(sel.Left + 1, sel.Top + 15), crEasyGridCell);
  EXPECT_EQ(grid->CursorAt(sel.Right - 2, sel.Bottom - 2), crMultiDrag);
  grid->SetGridCanFill(false);
  EXPECT_EQ(grid->CursorAt(sel.Right - 2, sel.Bottom - 2), crEasyGridCell);
  // A selection cutting a merged range has no frame to drag.
  grid->SetGridCanCopyMove(true);
  grid->MergeCells({3, 2, 4, 2}, false);
  grid->SetSelection({2, 2, 3, 2});
  EXPECT_EQ(grid->CursorAt(sel.Left + 1, sel.Top + 15), crEasyGridCell);
}

// ---- Cursors ---------------------------------------------------------------------------------

TEST_F(GridMouse, TheGridsOwnCursorPicturesAreDrawnAndDistinct) {
  std::set<QByteArray> seen;
  for (TCursor id : std::initializer_list<TCursor>{crEasyGridCell, crEasyGridZoomIn, crEasyGridZoomOut, crDrag, crMultiDrag}) {
    const QImage image = GridCursorImage(id);
    ASSERT_FALSE(image.isNull()) << id;
    int opaque = 0, clear = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) (qAlpha(image.pixel(x, y)) ? opaque : clear)++;
    EXPECT_GT(opaque, 40) << id;
    EXPECT_GT(clear, 300) << id;
    seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes())));
  }
  EXPECT_EQ(seen.size(), 5u);
  EXPECT_TRUE(GridCursorImage(crHSplit).isNull());  // the desktop's own
  // Over a cell the grid shows its cross.
  Move(300, 200);
  EXPECT_EQ(grid->CurrentCursor(), crEasyGridCell);
  EXPECT_EQ(grid->cursor().shape(), Qt::BitmapCursor);
}

// A frame being dragged and a column line being sized, for looking at (FW_SHOTS names a
// folder to save the pictures in).
TEST_F(GridMouse, Pictures) {
  const QString folder = qEnvironmentVariable("FW_SHOTS");
  grid->SetOptions(grid->Options() | goColSizing);
  grid->SetForeText(2, 2, QStringLiteral("甲"));
  grid->SetCurrentCell(2, 2);
  grid->SetSelection({2, 2, 3, 3});
  const TRect sel = grid->CellRangeRect(grid->Selection());
  Press(sel.Left + 1, sel.Top + 20);
  Move(sel.Left + 1 + 81 * 2, sel.Top + 20 + 31);
  const QImage moving = grid->grab().toImage();
  Release(sel.Left + 1, sel.Top + 20);  // back where it started: nothing moves
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("甲"));
  const int line = grid->ColAxis().CellEnd(4);
  Press(line + 1, 10);
  Move(line + 41, 10);
  const QImage sizing = grid->grab().toImage();
  Release(line + 41, 10);
  EXPECT_EQ(grid->GetColWidths(4), 120);
  if (folder.isEmpty()) return;
  moving.save(QDir(folder).filePath(QStringLiteral("grid-moving.png")));
  sizing.save(QDir(folder).filePath(QStringLiteral("grid-sizing.png")));
}

} // namespace
