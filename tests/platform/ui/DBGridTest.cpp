// The data-aware grid over a data set: the model follows the data set, the current row
// follows the record both ways, rows are marked by mouse and keys, titles report clicks
// and cells are painted through the grid's canvas.
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/PopupMenu.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

class DBGridTest : public ::testing::Test {
protected:
  void SetUp() override {
    db.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder.FilePath("2014NB_qz.mdb") +
                           ";Mode=ReadWrite;");
    db.Open();
    db.Execute("create table t (id integer primary key, name varchar(20))");
    for (int i = 1; i <= 8; ++i) db.Execute("insert into t (id, name) values (?, ?)", {i, QString("n%1").arg(i)});
    query.SQL().Add("select * from t order by id");
    source.SetDataSet(&query);
    grid = new TDBGrid(&form);
    grid->SetParent(&form);
    grid->SetAlign(TAlign::alClient);
    form.resize(400, 300);
    grid->SetDataSource(&source);
  }

  QAbstractItemModel& Model() const { return *grid->View()->model(); }
  QString Cell(int row, int column) const { return Model().index(row, column).data().toString(); }
  QPoint CellCentre(int row, int column = 0) const {
    return grid->View()->visualRect(Model().index(row, column)).center();
  }
  void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(grid->View()->viewport(), Qt::LeftButton, modifiers, CellCentre(row));
  }
  std::vector<int> MarkedRows() const {
    std::vector<int> rows;
    for (int r = 0; r < query.RowCount(); ++r)
      if (grid->SelectedRows().RowSelected(r)) rows.push_back(r);
    return rows;
  }
  void Show() {
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }

  fwtest::ProgramFolderCopy folder;
  TADOConnection db;
  TADOQuery query{&db};
  TDataSource source;
  TForm form{nullptr};
  TDBGrid* grid = nullptr;
};

TEST_F(DBGridTest, ModelFollowsTheDataSet) {
  EXPECT_EQ(Model().rowCount(), 0);
  query.Open();
  // Without columns of its own the grid shows every field.
  ASSERT_EQ(grid->Columns().Count(), 2);
  EXPECT_EQ(grid->Columns().State(), TDBGridColumnsState::csDefault);
  EXPECT_EQ(Model().rowCount(), 8);
  EXPECT_EQ(Cell(0, 1), "n1");

  db.Execute("insert into t (id, name) values (9, 'n9')");
  query.Requery();
  EXPECT_EQ(Model().rowCount(), 9);
  query.SetSort("id DESC");
  EXPECT_EQ(Cell(0, 0), "9");
  query.SetFiltered(false);
  query.SetFilter("id < 3");
  query.SetFiltered(true);
  EXPECT_EQ(Model().rowCount(), 2);
  query.SetFiltered(false);

  query.SetRecNo(4);
  query.Edit();
  query.FieldByName("name")->SetAsString("changed");
  query.Post();
  EXPECT_EQ(Cell(3, 1), "changed");
  query.Delete();
  EXPECT_EQ(Model().rowCount(), 8);
  EXPECT_EQ(Cell(3, 1), query.Text(3, 1));

  query.Close();
  EXPECT_EQ(Model().rowCount(), 0);
}

TEST_F(DBGridTest, ColumnsOfItsOwn) {
  TColumn* name = grid->Columns().Add();
  name->SetFieldName("NAME");
  name->Title().SetCaption("名称");
  name->SetWidth(90);
  TColumn* hidden = grid->Columns().Add();
  hidden->SetFieldName("id");
  hidden->SetVisible(false);
  TColumn* missing = grid->Columns().Add();
  missing->SetFieldName("nothing");
  query.Open();
  EXPECT_EQ(grid->Columns().State(), TDBGridColumnsState::csCustomized);
  EXPECT_EQ(Model().columnCount(), 3);
  EXPECT_EQ(Model().headerData(0, Qt::Horizontal).toString(), "名称");
  EXPECT_EQ(Cell(1, 0), "n2");
  EXPECT_EQ(Cell(1, 2), "");  // a field the data set lacks shows nothing
  EXPECT_TRUE(grid->View()->isColumnHidden(1));
  EXPECT_EQ(grid->View()->horizontalHeader()->sectionSize(0), 90);
  EXPECT_EQ(name->Title().Color(), grid->FixedColor());
  grid->SetFixedColor(clRed);
  EXPECT_EQ(name->Title().Color(), clRed);
  name->Title().SetColor(clLime);
  grid->SetFixedColor(clBlue);
  EXPECT_EQ(name->Title().Color(), clLime);
  grid->Columns().Clear();
  EXPECT_EQ(Model().columnCount(), 0);
}

TEST_F(DBGridTest, CurrentRowFollowsTheRecordBothWays) {
  query.Open();
  query.SetRecNo(5);
  EXPECT_EQ(grid->View()->currentIndex().row(), 4);
  grid->View()->setCurrentIndex(Model().index(2, 0));
  EXPECT_EQ(query.RecNo(), 3);
  Show();
  Click(6);
  EXPECT_EQ(query.RecNo(), 7);
}

TEST_F(DBGridTest, LargeDataSetIsReadOnDemand) {
  for (int i = 0; i < 14; ++i) db.Execute("insert into t (name) select name from t");
  query.Open();
  const int rows = query.RowCount();
  ASSERT_GT(rows, 100000);
  EXPECT_EQ(Model().rowCount(), rows);
  Show();
  grid->View()->scrollToBottom();
  query.SetRecNo(rows - 2);
  EXPECT_EQ(grid->View()->currentIndex().row(), rows - 3);
  query.Edit();
  query.FieldByName("name")->SetAsString("late");
  query.Post();
  EXPECT_EQ(Cell(rows - 3, 1), "late");
}

TEST_F(DBGridTest, MarkingRowsByMouseAndKeys) {
  grid->SetOptions(grid->Options() | dgRowSelect | dgMultiSelect);
  query.Open();
  Show();
  Click(1);
  EXPECT_EQ(MarkedRows(), (std::vector<int>{1}));
  Click(3, Qt::ControlModifier);
  Click(5, Qt::ControlModifier);
  EXPECT_EQ(MarkedRows(), (std::vector<int>{1, 3, 5}));
  Click(3, Qt::ControlModifier);  // toggles off: the current record goes to the nearest mark
  EXPECT_EQ(MarkedRows(), (std::vector<int>{1, 5}));
  EXPECT_EQ(query.RecNo(), 2);
  ASSERT_EQ(grid->SelectedRows().Count(), 2);
  query.GotoBookmark(grid->SelectedRows().Items(1));
  EXPECT_EQ(query.RecNo(), 6);

  Click(2);
  Click(4, Qt::ShiftModifier);
  EXPECT_EQ(MarkedRows(), (std::vector<int>{2, 3, 4}));

  // Shift+Down marks as it goes, Shift+Up takes back, a plain move starts afresh.
  Click(0);
  QTest::keyClick(grid->View(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(grid->View(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 1, 2}));
  QTest::keyClick(grid->View(), Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 1}));
  EXPECT_EQ(query.RecNo(), 2);
  // A Ctrl jump keeps the marks onto a marked row only; with Shift it marks from where
  // the marking starts (the current row after a plain move) to where it jumps.
  QTest::keyClick(grid->View(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(query.RecNo(), 1);
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 1}));
  QTest::keyClick(grid->View(), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(query.RecNo(), 8);
  EXPECT_TRUE(MarkedRows().empty());
  Click(2);
  QTest::keyClick(grid->View(), Qt::Key_Down);
  QTest::keyClick(grid->View(), Qt::Key_Down);
  EXPECT_TRUE(MarkedRows().empty());
  QTest::keyClick(grid->View(), Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(query.RecNo(), 8);
  EXPECT_EQ(MarkedRows(), (std::vector<int>{4, 5, 6, 7}));
  QTest::keyClick(grid->View(), Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(MarkedRows(), (std::vector<int>{4, 5, 6}));
  QTest::keyClick(grid->View(), Qt::Key_Up);
  EXPECT_EQ(query.RecNo(), 6);
  EXPECT_TRUE(MarkedRows().empty());

  // Marks follow their rows through a sort and vanish with them.
  Click(1);
  Click(2, Qt::ControlModifier);
  query.SetSort("id DESC");
  EXPECT_EQ(MarkedRows(), (std::vector<int>{5, 6}));
  db.Execute("delete from t where id = 2");
  query.Requery();
  EXPECT_EQ(MarkedRows(), (std::vector<int>{5}));
  query.Close();
  EXPECT_EQ(grid->SelectedRows().Count(), 0);
}

TEST_F(DBGridTest, TitleAndCellClicksAndKeysReachTheEvents) {
  query.Open();
  Show();
  QString titled, clicked;
  int doubleClicks = 0;
  std::vector<WORD> keysUp;
  grid->OnTitleClick = [&](TColumn* column) { titled = column->FieldName(); };
  grid->OnCellClick = [&](TColumn* column) { clicked = column->FieldName(); };
  grid->OnDblClick = [&](TObject*) { ++doubleClicks; };
  grid->OnKeyUp = [&](TObject*, WORD& key, TShiftState) { keysUp.push_back(key); };
  QHeaderView* header = grid->View()->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
  EXPECT_EQ(titled, "name");
  QTest::mouseClick(grid->View()->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 0));
  EXPECT_EQ(clicked, "id");
  QTest::mouseDClick(grid->View()->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 0));
  EXPECT_EQ(doubleClicks, 1);
  QTest::keyClick(grid->View(), Qt::Key_Return);
  QTest::keyClick(grid->View(), Qt::Key_Insert);
  EXPECT_EQ(keysUp, (std::vector<WORD>{VK_RETURN, VK_INSERT}));
  // The release of a key pressed elsewhere (Enter that closed a message box over the
  // list) is no key of the list's.
  QTest::keyRelease(grid->View(), Qt::Key_Return);
  QTest::keyRelease(grid->View(), Qt::Key_Delete);
  EXPECT_EQ(keysUp, (std::vector<WORD>{VK_RETURN, VK_INSERT}));

  auto* menu = new TPopupMenu(&form);
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  grid->SetPopupMenu(menu);
  QContextMenuEvent event(QContextMenuEvent::Mouse, CellCentre(1), grid->View()->viewport()->mapToGlobal(CellCentre(1)));
  QApplication::sendEvent(grid->View()->viewport(), &event);
  EXPECT_EQ(popups, 1);
  menu->Menu()->hide();
}

TEST_F(DBGridTest, CellsArePaintedThroughTheCanvas) {
  grid->SetOptions(grid->Options() | dgRowSelect | dgAlwaysShowSelection);
  query.Open();
  std::vector<int> drawnRecords;
  grid->SetDefaultDrawing(false);
  grid->OnDrawColumnCell = [&](TObject*, const TRect& rect, int dataCol, TColumn* column, TGridDrawState state) {
    if (dataCol == 1) drawnRecords.push_back(grid->DrawingRecNo());
    if (!(state & gdSelected)) grid->Canvas().Brush().SetColor(grid->DrawingRecNo() == 2 ? clRed : clLime);
    grid->DefaultDrawColumnCell(rect, dataCol, column, state);
  };
  Show();
  const QImage image = grid->View()->viewport()->grab().toImage();
  const auto colourAt = [&](int row) {
    const QRect r = grid->View()->visualRect(Model().index(row, 1));
    const QRgb c = image.pixel(r.right() - 4, r.center().y());
    return RGB(qRed(c), qGreen(c), qBlue(c));
  };
  EXPECT_EQ(colourAt(0), ColorToRGB(clHighlight));  // the current row
  EXPECT_EQ(colourAt(1), clRed);
  EXPECT_EQ(colourAt(2), clLime);
  EXPECT_NE(std::find(drawnRecords.begin(), drawnRecords.end(), 3), drawnRecords.end());
  // Outside drawing the record number is the data set's.
  query.SetRecNo(5);
  EXPECT_EQ(grid->DrawingRecNo(), 5);
}

} // namespace
