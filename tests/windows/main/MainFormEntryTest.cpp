// The main window's 添加新记录 and 修改选中的记录 through the entry form: the form opens
// on the record list in the right mode, the list shows what was stored, the page rules
// and the message list take part, and the list's selection after browsing in the form
// or sorting by a title, which the list's actions take.
#include "MainFormFixture.h"

#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolButton.h"
#include "platform/db/Field.h"
#include "platform/ui/Action.h"
#include "platform/ui/DBGrid.h"
#include "platform/sheet/SheetApplication.h"
#include "windows/entry/SurveyDataForm.h"
#include "windows/shared/GridProcedures.h"
#include "windows/shared/MessageListWinForm.h"
#include "windows/shared/ToolForm.h"
#include "windows/shared/VKValidEdit.h"

#include <QRegularExpression>
#include <QTableView>
#include <QTest>

namespace {

using namespace fw;
using fwtest::MainFormFixture;

class MainFormEntryTest : public MainFormFixture {
protected:
  TMainForm* StartWithWindows() {
    TMainForm* form = Start();
    app->CreateForm(dlgSurveyDataForm);
    app->CreateForm(MessageListWinForm);
    app->CreateForm(ToolForm);
    return form;
  }
};

TEST_F(MainFormEntryTest, AddNewStoresARecordThatTheListThenShows) {
  AddRecords({110101000001});
  TMainForm* main = StartWithWindows();
  main->UpdateActionState(main->actAddNew);
  ASSERT_TRUE(main->actAddNew->Enabled());
  ScopedModalScript script([](TForm& shown) {
    auto& form = static_cast<TdlgSurveyDataForm&>(shown);
    EXPECT_TRUE(form.IsAddNew);
    EXPECT_EQ(form.c901->Text(), "110101000002");
    form.c902->SetText(QStringLiteral("新工会"));
    form.c903->SetValue(110101);
    form.c907->SetValue(1);
    form.c905->SetText(QStringLiteral("王五"));
    form.c906->SetText(QStringLiteral("01065001234"));
    form.NumericEditor("z001")->SetValue(10);
    form.NumericEditor("z004")->SetValue(10);
    form.tbAdd->Click();
    form.tbReturn->Click();
    return mrCancel;
  });
  main->actAddNew->Execute();
  EXPECT_EQ(main->Data().ReportQuery->RecordCount(), 2);
  EXPECT_EQ(Count("select count(*) from dt_data where c902='新工会' and RecordState=1"), 1);
}

TEST_F(MainFormEntryTest, ModifyOpensTheCurrentRecordAndTheListFollowsTheChange) {
  AddRecords({110101000001, 110101000002});
  TMainForm* main = StartWithWindows();
  main->Data().ReportQuery->SetRecNo(2);
  ScopedModalScript script([](TForm& shown) {
    auto& form = static_cast<TdlgSurveyDataForm&>(shown);
    EXPECT_FALSE(form.IsAddNew);
    EXPECT_EQ(form.CurrentCode, 110101000002.0);
    EXPECT_EQ(form.c902->Text(), "单位110101000002");
    form.c902->SetText(QStringLiteral("改名的单位"));
    form.c905->SetText(QStringLiteral("王五"));
    form.c906->SetText(QStringLiteral("01065001234"));
    form.tbHoldClick();
    form.tbReturn->Click();
    return mrCancel;
  });
  main->actModify->Execute();
  EXPECT_EQ(main->Data().ReportQuery->RecNo(), 2);
  EXPECT_EQ(main->Data().ReportQuery->FieldByName("c902")->AsString(), "改名的单位");
}

// The first record opened from the list, 下一条, 返回: the list shows selected exactly the
// record the form ended on, and that is the record its check and its deletion take.
TEST_F(MainFormEntryTest, AfterBrowsingInTheFormTheListShowsSelectedWhatItsActionsTake) {
  AddRecords({110101000001, 110101000002, 110101000003});
  TMainForm* main = StartWithWindows();
  main->SetBounds(0, 0, 1600, 1000);
  main->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  QTableView* view = main->RecordGrid->View();
  const int column = main->RecordGrid->Columns().FindColumn("c902")->Index();
  const auto cell = [&](int row) { return view->visualRect(view->model()->index(row, column)); };
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell(0).center());
  ScopedModalScript script([](TForm& shown) {
    auto& form = static_cast<TdlgSurveyDataForm&>(shown);
    form.actNext->Execute();
    EXPECT_EQ(form.c901->Text(), "110101000002");
    form.tbReturn->Click();
    return mrCancel;
  });
  main->actModify->Execute();

  const QImage image = view->viewport()->grab().toImage();
  std::vector<int> painted;
  for (int row = 0; row < 3; ++row) {
    const QRgb c = image.pixel(cell(row).right() - 4, cell(row).center().y());
    if (RGB(qRed(c), qGreen(c), qBlue(c)) == ColorToRGB(clHighlight)) painted.push_back(row);
  }
  EXPECT_EQ(painted, std::vector<int>{1});
  EXPECT_EQ(main->Data().ReportQuery->RecNo(), 2);
  EXPECT_EQ(main->CheckSelectedStatement(), "select * from dt_data where c901=110101000002 and c907<=2");
  hooks.QuestionAnswers = {IDYES};
  EXPECT_EQ(DeleteSelectedRecords(*main->RecordGrid, *main->Data().ReportQuery, "dt_data", "c901"), 1);
  EXPECT_EQ(Count("select count(*) from dt_data where c901=110101000002"), 0);
  EXPECT_EQ(Count("select count(*) from dt_data"), 2);
}

// Rows clicked (one, or more with Ctrl), then the code title clicked: the list is sorted
// anew, the same records stay painted and current, and 修改, 打印, the check of the
// selected records and 删除 → 选中的数据 take exactly the records painted.
TEST_F(MainFormEntryTest, AfterATitleClickTheActionsTakeTheRecordsShownSelected) {
  AddRecords({110101000001, 110101000002, 110101000003, 110101000004, 110101000005, 110101000006});
  TMainForm* main = StartWithWindows();
  main->SetBounds(0, 0, 1600, 1000);
  main->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  TADOQuery& list = *main->Data().ReportQuery;
  TDBGrid& grid = *main->RecordGrid;
  const int c901 = list.FieldByName("c901")->Index();
  const auto click = [&](const QString& code, Qt::KeyboardModifiers modifiers) {
    for (int row = 0; row < list.RowCount(); ++row)
      if (list.Text(row, c901) == code)
        QTest::mouseClick(grid.View()->viewport(), Qt::LeftButton, modifiers,
                          fwtest::RecordRowRect(grid, row).center());
  };
  QString opened;
  ScopedModalScript script([&opened](TForm& shown) {
    if (auto* entry = dynamic_cast<TdlgSurveyDataForm*>(&shown)) {
      opened = entry->c901->Text();
      entry->tbReturn->Click();
    } else {
      // The delete dialog, with 选中的数据 chosen.
      dynamic_cast<TFwToolButton&>(*shown.FindComponent("tbDelete")).Click();
    }
    return int(mrCancel);
  });

  struct Case {
    QString clicked;
    QStringList ctrlClicked;
    QStringList selected;
  };
  int left = 6;
  for (const Case& c : {Case{"110101000003", {}, {"110101000003"}},
                        Case{"110101000005", {"110101000002"}, {"110101000002", "110101000005"}}}) {
    SCOPED_TRACE(c.clicked.toStdString());
    click(c.clicked, Qt::NoModifier);
    for (const QString& code : c.ctrlClicked) click(code, Qt::ControlModifier);
    const QString current = c.ctrlClicked.isEmpty() ? c.clicked : c.ctrlClicked.back();
    const QString sort = list.Sort();
    fwtest::ClickTitle(grid, "c901");
    EXPECT_NE(list.Sort(), sort);
    EXPECT_EQ(fwtest::PaintedCodes(grid), c.selected);
    EXPECT_EQ(list.FieldByName("c901")->AsString(), current);

    main->actModify->Execute();
    EXPECT_EQ(opened, current);
    main->actPrint->Execute();
    ASSERT_FALSE(hooks.Opened.isEmpty());
    std::unique_ptr<TSheetApplication> sheets = CreateOleObject("Excel.Application");
    EXPECT_EQ(sheets->Workbooks().Open(hooks.Opened.back()).Sheets(1).Range("D5").Text(), current);
    QStringList checked;
    for (auto m = QRegularExpression("\\d{12}").globalMatch(main->CheckSelectedStatement()); m.hasNext();)
      checked << m.next().captured();
    checked.sort();
    EXPECT_EQ(checked, c.selected);
    hooks.QuestionAnswers = {c.selected.size() == 1 ? IDYES : IDYESTOALL};
    main->actDelete->Execute();
    left -= int(c.selected.size());
    EXPECT_EQ(Count("select count(*) from dt_data"), left);
    for (const QString& code : c.selected) EXPECT_EQ(Count("select count(*) from dt_data where c901=" + code), 0);
  }
}

// The page rules run on 保存记录 and list what is broken: z003 <= z001 does not hold.
TEST_F(MainFormEntryTest, BrokenRulesAreListedAndStoredAsSuch) {
  AddRecords({110101000001});
  TMainForm* main = StartWithWindows();
  ScopedModalScript script([](TForm& shown) {
    auto& form = static_cast<TdlgSurveyDataForm&>(shown);
    form.c905->SetText(QStringLiteral("王五"));
    form.c906->SetText(QStringLiteral("01065001234"));
    form.NumericEditor("z003")->SetValue(5);
    form.tbSave->Click();
    EXPECT_FALSE(MessageListWinForm->IsMessageListEmpty());
    form.tbReturn->Click();
    return mrCancel;
  });
  main->actModify->Execute();
  EXPECT_EQ(Count("select RecordState from dt_data where c901=110101000001"), 2);
  EXPECT_EQ(hooks.Messages.back().Text, "数据保存成功，有逻辑错误！");
}

} // namespace
