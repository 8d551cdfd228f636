// The record list's procedures on the started main window: deleting marked records,
// striped rows, sorting by title clicks; and the code popup menu.
#include "windows/main/MainFormFixture.h"

#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "windows/shared/CodePopupMenu.h"
#include "windows/shared/GridProcedures.h"
#include "windows/shared/ToolForm.h"

#include <QTableView>
#include <QTest>
#include <sqlite3.h>

namespace {

using namespace fw;

class GridProceduresTest : public fwtest::MainFormFixture {
protected:
  TMainForm* StartWith(int records) {
    std::vector<qint64> codes;
    for (int i = 1; i <= records; ++i) codes.push_back(110000000000 + i);
    AddRecords(codes);
    TMainForm* form = Start();
    if (form) {
      grid = form->RecordGrid;
      list = form->Data().ReportQuery.get();
      sqlite3_trace_v2(form->Data().SysADOConnection->Handle(), SQLITE_TRACE_STMT, &GridProceduresTest::Trace, &statements);
    }
    return form;
  }

  static int Trace(unsigned, void* context, void*, void* text) {
    const QString sql = QString::fromUtf8(static_cast<const char*>(text)).trimmed();
    if (sql.startsWith("delete", Qt::CaseInsensitive)) static_cast<QStringList*>(context)->append(sql);
    return 0;
  }

  QStringList Codes() {
    QStringList codes;
    auto c = Connect();
    TADOQuery q(c.get());
    q.SetSQL("select c901 from dt_data order by c901");
    q.Open();
    for (; !q.Eof(); q.Next()) codes << q.Fields(0)->AsString().right(1);
    return codes;
  }

  TDBGrid* grid = nullptr;
  TDataSet* list = nullptr;
  QStringList statements;
};

TEST_F(GridProceduresTest, DeletingMarkedRowsAsksOnceAndDeletesThemTogether) {
  ASSERT_NE(StartWith(6), nullptr);
  for (int row : {1, 3, 4}) grid->SelectedRows().SetRowSelected(row, true);
  list->SetRecNo(2);

  hooks.QuestionAnswers = {IDNO};
  EXPECT_EQ(DeleteSelectedRecords(*grid, *list, "dt_data", "c901"), 0);
  EXPECT_EQ(hooks.Questions, QStringList{kDeleteSelectedQuestion});
  // 否 and 全都是, 否 the default.
  EXPECT_EQ(hooks.QuestionButtons, std::vector<int>{2 | 4 | MB_DEFBUTTON1});
  EXPECT_EQ(Codes(), (QStringList{"1", "2", "3", "4", "5", "6"}));
  EXPECT_TRUE(statements.isEmpty());

  hooks.QuestionAnswers = {IDYESTOALL};
  EXPECT_EQ(DeleteSelectedRecords(*grid, *list, "dt_data", "c901"), 3);
  EXPECT_EQ(Codes(), (QStringList{"1", "3", "6"}));
  EXPECT_EQ(statements.size(), 1);
  EXPECT_EQ(list->RecordCount(), 3);
  // The list stood on record 2, which went: record 3 now stands in its place. The marks went.
  EXPECT_EQ(list->RecNo(), 2);
  EXPECT_EQ(list->FieldByName("c901")->AsString().right(1), "3");
  EXPECT_EQ(grid->SelectedRows().Count(), 0);
}

TEST_F(GridProceduresTest, DeletingTheCurrentRecord) {
  ASSERT_NE(StartWith(3), nullptr);
  list->SetRecNo(2);
  hooks.QuestionAnswers = {IDNO, IDYES};
  EXPECT_EQ(DeleteSelectedRecords(*grid, *list, "dt_data", "c901"), 0);
  EXPECT_EQ(DeleteSelectedRecords(*grid, *list, "dt_data", "c901"), 1);
  EXPECT_EQ(Codes(), (QStringList{"1", "3"}));
  EXPECT_EQ(hooks.Questions.size(), 2);
  // 是 and 否, 否 the default.
  EXPECT_EQ(hooks.QuestionButtons.at(0), 1 | 2 | MB_DEFBUTTON2);
  EXPECT_EQ(list->RecordCount(), 2);

  // An empty list asks nothing.
  Connect()->Execute("delete from dt_data");
  list->Requery();
  EXPECT_EQ(DeleteSelectedRecords(*grid, *list, "dt_data", "c901"), 0);
  EXPECT_EQ(hooks.Questions.size(), 2);
}

// With a row marked, that row alone is shown selected (not the current record), and it is
// the record a deletion takes.
TEST_F(GridProceduresTest, RowsAreStripedExceptHighlightedOnesWhichADeletionTakes) {
  TMainForm* form = StartWith(5);
  ASSERT_NE(form, nullptr);
  grid->SelectedRows().SetRowSelected(3, true);
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  QTableView* view = grid->View();
  const QImage image = view->viewport()->grab().toImage();
  const int column = grid->Columns().FindColumn("c902")->Index();
  const auto colourAt = [&](int row) {
    const QRect r = view->visualRect(view->model()->index(row, column));
    const QRgb c = image.pixel(r.right() - 4, r.center().y());
    return RGB(qRed(c), qGreen(c), qBlue(c));
  };
  EXPECT_EQ(colourAt(0), kOddRowColor);  // the current record, not marked
  EXPECT_EQ(colourAt(1), kEvenRowColor);
  EXPECT_EQ(colourAt(2), kOddRowColor);
  EXPECT_EQ(colourAt(3), ColorToRGB(clHighlight));  // marked
  EXPECT_EQ(colourAt(4), kOddRowColor);

  hooks.QuestionAnswers = {IDYES};
  EXPECT_EQ(DeleteSelectedRecords(*grid, *list, "dt_data", "c901"), 1);
  EXPECT_EQ(Codes(), (QStringList{"1", "2", "3", "5"}));
}

TEST_F(GridProceduresTest, TitleClicksSortAndMarkOneColumn) {
  ASSERT_NE(StartWith(3), nullptr);
  TColumn* code = grid->Columns().FindColumn("c901");
  TColumn* name = grid->Columns().FindColumn("c902");
  const QString caption = code->Title().Caption();
  int state = 0;
  TColumn* previous = nullptr;
  const int c901 = list->FieldByName("c901")->Index();
  struct Step {
    QString sort;
    QString first;
    QString mark;
  };
  for (const Step& step : {Step{"c901 ASC", "110000000001", "▲"}, Step{"c901 DESC", "110000000003", "▼"},
                           Step{"c901 ASC", "110000000001", "▲"}}) {
    SortGridByTitle(code, state, previous, *list);
    EXPECT_EQ(list->Sort(), step.sort);
    EXPECT_EQ(list->Text(0, c901), step.first);
    EXPECT_EQ(code->Title().Caption(), caption + step.mark);
    EXPECT_EQ(code->Title().Color(), clLime);
    EXPECT_EQ(previous, code);
  }
  // Another column takes the mark and the colour; the state carries over.
  SortGridByTitle(name, state, previous, *list);
  EXPECT_EQ(list->Sort(), "c902 DESC");
  EXPECT_EQ(code->Title().Caption(), caption);
  EXPECT_EQ(code->Title().Color(), clInactiveCaptionText);
  EXPECT_TRUE(name->Title().Caption().endsWith("▼"));
  EXPECT_EQ(previous, name);
}

TEST_F(GridProceduresTest, CodePopupMenuFillsTheTarget) {
  ASSERT_NE(Start(), nullptr);
  app->CreateForm(ToolForm);
  ASSERT_NE(ToolForm, nullptr);
  EXPECT_EQ(ToolForm->Caption(), "ThePublicForm");
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  edit->SetTag(2);
  int called = 0;
  PopupCodeMenuEx(edit, {{1, " 省级 "}, {2, "市级"}, {3, "县级"}}, [&](int code) { called = code; });
  TMenuItem* items = ToolForm->CodePopupMenu->Items();
  ASSERT_EQ(items->Count(), 3);
  EXPECT_FALSE(items->Items(0)->Checked());
  EXPECT_TRUE(items->Items(1)->Checked());
  items->Items(0)->Click();
  EXPECT_EQ(edit->Text(), "省级");
  EXPECT_EQ(edit->Tag(), 1);
  EXPECT_EQ(called, 1);
  ToolForm->CodePopupMenu->Menu()->hide();
  // Without a callback only the target changes; a new popup replaces the items.
  PopupCodeMenu(edit, {{7, "其他"}});
  ASSERT_EQ(items->Count(), 1);
  EXPECT_FALSE(items->Items(0)->Checked());
  items->Items(0)->Click();
  EXPECT_EQ(edit->Text(), "其他");
  EXPECT_EQ(called, 1);
  ToolForm->CodePopupMenu->Menu()->hide();
  // A caller that opens the menu from a button beside its edit names the edit; the
  // next popup fills its own control again.
  auto* button = new TEdit(&form);
  button->SetParent(&form);
  PopupCodeMenuFor(button, edit, {{8, "八"}});
  items->Items(0)->Click();
  EXPECT_EQ(edit->Text(), "八");
  EXPECT_EQ(edit->Tag(), 8);
  EXPECT_EQ(button->Text(), "");
  ToolForm->CodePopupMenu->Menu()->hide();
  PopupCodeMenu(button, {{9, "九"}});
  items->Items(0)->Click();
  EXPECT_EQ(button->Text(), "九");
  EXPECT_EQ(edit->Text(), "八");
  ToolForm->CodePopupMenu->Menu()->hide();
  // A menu whose edit was freed meanwhile reaches no freed edit.
  PopupCodeMenuEx(edit, {{5, "五"}}, [&](int code) { called = code; });
  delete edit;
  items->Items(0)->Click();
  EXPECT_EQ(called, 1);
  ToolForm->CodePopupMenu->Menu()->hide();
}

} // namespace
