// The summary dialog: groups offered by their items, ticking by group rows, the sheet
// numbers, the mode and group a run hands to the summary, the sheets left in the shown
// workbook, a failed run, the ticks kept in the user's copy, and the main window's 数据汇总.
#include "windows/dialogs/SumForm.h"

#include "controls/common/FwCheckList.h"
#include "controls/common/FwGroupButton.h"
#include "controls/common/FwRadioGroup.h"
#include "controls/common/FwToolButton.h"
#include "core/CheckListFiles.h"
#include "core/Progress.h"
#include "core/SumProcedure.h"
#include "platform/sheet/SheetApplication.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/Button.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "tests/windows/dialogs/GroupDialogsSupport.h"
#include "tests/windows/shared/BarLooks.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// The two-bar progress of a run: the first bar's total and steps, and whether it is shown.
class FirstBar : public TSilentProgress {
public:
  void ShowProgress() override { Shown = true; }
  void HideProgress() override { Shown = false; }
  void InitFirst(int total) override { Total = total; }
  void IncFirst() override { ++Steps; }
  bool Shown = false;
  int Total = -1;
  int Steps = 0;
};

class SumFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    Db.Add({{110000000001, QStringLiteral("甲"), 1, 10}, {120000000001, QStringLiteral("乙"), 1, 20}});
  }
  void TearDown() override { DiscardSummaryWorkbook(); }

  void Open() {
    form.reset(NewForm<TdlgSumForm>(nullptr, &Db.Connection));
    form->Progress = &progress;
    form->Show();
  }
  TFwCheckList& List() { return *form->TableList; }
  int Row(const QString& text) {
    for (int i = 0; i < List().Count(); ++i)
      if (List().Item(i) == text) return i;
    return -1;
  }
  // Ticks exactly the rows given.
  void Tick(const QStringList& rows) {
    List().UncheckAll();
    for (const QString& row : rows) List().SetItemChecked(Row(row), true);
  }
  // The workbook the last run showed, read back from its file.
  TWorkbook& Shown() {
    EXPECT_FALSE(hooks.Opened.isEmpty());
    reader = std::make_unique<TSheetApplication>(QStringLiteral("Excel.Application"));
    return reader->Workbooks().Open(hooks.Opened.back());
  }
  static QStringList SheetNames(TWorkbook& book) {
    QStringList names;
    for (int i = 1; i <= book.Sheets().Count(); ++i) names << book.Sheets(i).Name();
    return names;
  }

  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  fwtest::GroupDatabase Db;
  std::unique_ptr<TdlgSumForm> form;
  std::unique_ptr<TSheetApplication> reader;
  FirstBar progress;
};

TEST_F(SumFormTest, TheShippedListNumbersTheCoverAndEighteenSheets) {
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("数据分类汇总"));
  EXPECT_EQ(List().Item(0), QStringLiteral("//封面"));
  EXPECT_FALSE(List().ItemEnabled(0));
  const std::vector<int> numbers = form->SheetNumbers();
  ASSERT_EQ(numbers.size(), size_t(List().Count()));
  int sheets = 0;
  for (int i = 0; i < List().Count(); ++i) {
    EXPECT_EQ(numbers[size_t(i)] != 0, !List().IsGroupItem(i)) << i;
    if (numbers[size_t(i)] != 0) {
      EXPECT_EQ(numbers[size_t(i)], ++sheets) << i;
    }
  }
  EXPECT_EQ(sheets, 19);
  EXPECT_EQ(numbers[size_t(Row(QStringLiteral("封面")))], 1);
  EXPECT_EQ(numbers[size_t(Row(QStringLiteral("表十一 工会对外交流工作")))], 19);
}

TEST_F(SumFormTest, GroupModeNeedsAGroupAndAGroupWithoutItemsIsNotOffered) {
  Open();
  EXPECT_FALSE(form->tbGroup->Enabled());
  EXPECT_FALSE(form->SumType->Button(2)->Enabled());
  EXPECT_EQ(form->GroupMenu->Items()->Count(), 0);
  form.reset();

  const int regions = Db.AddScheme(QStringLiteral("按地区"), fwtest::kThreeItems);
  const int empty = Db.AddScheme(QStringLiteral("空分组"));
  const int trades = Db.AddScheme(QStringLiteral("按行业"), fwtest::kThreeItems);
  Open();
  EXPECT_TRUE(form->tbGroup->Enabled());
  EXPECT_TRUE(form->SumType->Button(2)->Enabled());
  // The first group is the chosen one.
  EXPECT_EQ(form->tbGroup->Tag(), regions);
  EXPECT_EQ(form->tbGroup->Caption(), QStringLiteral("按地区"));
  TMenuItem* menu = form->GroupMenu->Items();
  ASSERT_EQ(menu->Count(), 3);
  EXPECT_TRUE(menu->Items(0)->Enabled());
  EXPECT_EQ(menu->Items(1)->Caption(), QStringLiteral("空分组"));
  EXPECT_EQ(menu->Items(1)->Tag(), empty);
  EXPECT_FALSE(menu->Items(1)->Enabled());

  // The button chooses the group mode; an entry chooses its group.
  EXPECT_EQ(form->SumType->ItemIndex(), 0);
  form->tbGroup->Click();
  EXPECT_EQ(form->SumType->ItemIndex(), 2);
  menu->Items(2)->Click();
  EXPECT_EQ(form->tbGroup->Tag(), trades);
  EXPECT_EQ(form->tbGroup->Caption(), QStringLiteral("按行业"));
  menu->Items(1)->Click();
  EXPECT_EQ(form->tbGroup->Tag(), trades);
}

TEST_F(SumFormTest, ADoubleClickOnAGroupRowTicksOnlyItsRows) {
  Open();
  form->Button2->Click();
  EXPECT_EQ(List().CheckedCount(), 0);
  const int group = Row(QStringLiteral("//表四 工会保障工作"));
  ASSERT_GE(group, 0);
  // A double click of the mouse on the group row.
  QListWidget* view = List().Widget();
  const QPoint at = view->visualItemRect(view->item(group)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(List().ItemIndex(), group);
  EXPECT_EQ(List().CheckedCount(), 4);
  for (int i = group + 1; i <= group + 4; ++i) EXPECT_TRUE(List().ItemChecked(i)) << i;
  EXPECT_FALSE(List().ItemChecked(group + 5));

  // On a sheet row nothing changes.
  List().SetItemIndex(Row(QStringLiteral("表三 工会干部教育培训工作")));
  form->TableListDblClick();
  EXPECT_EQ(List().CheckedCount(), 4);
  form->Button1->Click();
  EXPECT_EQ(List().CheckedCount(), 19);
}

TEST_F(SumFormTest, TheShownWorkbookHoldsExactlyTheTickedSheetsTheCoverAloneToo) {
  Open();
  Tick({QStringLiteral("封面"), QStringLiteral("表一 工会组织建设状况(1)"), QStringLiteral("表三 工会干部教育培训工作"),
        QStringLiteral("表十一 工会对外交流工作")});
  form->tbSumClick();
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(SummaryServer(), nullptr);
  // One step of the first bar per ticked sheet: the bar ends full.
  EXPECT_EQ(progress.Total, 4);
  EXPECT_EQ(progress.Steps, 4);
  EXPECT_FALSE(progress.Shown);
  TWorkbook& book = Shown();
  EXPECT_EQ(SheetNames(book), (QStringList{QStringLiteral("封面"), QStringLiteral("表一(1)"), QStringLiteral("表三"),
                                           QStringLiteral("表十一")}));
  // Levels, the default mode: the count of sheet 2 in column B of level 10's row.
  EXPECT_EQ(book.Sheets(2).Cells(2, 1).Value().toString(), QStringLiteral("工会层次"));

  // Without the cover, sheets 18 and 19 only: the two last sheets of the workbook.
  Tick({QStringLiteral("表十 工会宣传教育和职工文化体育工作"), QStringLiteral("表十一 工会对外交流工作")});
  form->tbSumClick();
  EXPECT_EQ(SheetNames(Shown()), (QStringList{QStringLiteral("表十"), QStringLiteral("表十一")}));

  // The cover alone: nothing to fill, and the workbook with its cover is shown.
  Tick({QStringLiteral("封面")});
  form->tbSumClick();
  EXPECT_EQ(hooks.Opened.size(), 3);
  EXPECT_EQ(SheetNames(Shown()), QStringList{QStringLiteral("封面")});
  EXPECT_TRUE(hooks.Messages.empty());
}

TEST_F(SumFormTest, TheModeAndTheChosenGroupReachTheSheets) {
  Db.AddScheme(QStringLiteral("空分组"));
  Db.AddScheme(QStringLiteral("按地区"), fwtest::kThreeItems);
  Open();
  form->GroupMenu->Items()->Items(1)->Click();
  form->tbGroupClick();
  Tick({QStringLiteral("表一 工会组织建设状况(1)")});
  form->tbSumClick();
  TWorksheet& sheet = Shown().Sheets(1);
  EXPECT_EQ(sheet.Cells(2, 1).Value().toString(), QStringLiteral("分    组"));
  // The items in the group's order, each with its count of records.
  EXPECT_EQ(sheet.Cells(9, 1).Value().toString(), QStringLiteral("北京市"));
  EXPECT_EQ(sheet.Cells(9, 2).Value().toInt(), 1);
  EXPECT_EQ(sheet.Cells(11, 1).Value().toString(), QStringLiteral("河北省"));
  EXPECT_EQ(sheet.Cells(11, 2).Value().toInt(), 0);

  form->SumType->SetItemIndex(1);
  form->tbSumClick();
  EXPECT_EQ(Shown().Sheets(1).Cells(2, 1).Value().toString(), QStringLiteral("填报状态"));
}

TEST_F(SumFormTest, AFailedRunShowsItsErrorAndLeavesNoWorkbook) {
  const int id = Db.AddScheme(QStringLiteral("坏分组"), fwtest::kThreeItems);
  Db.Connection.Execute(QStringLiteral("update DT_GroupItem set LowSymbol='>0 or 1=1 --' where GroupID=?"), {id});
  Open();
  form->tbGroupClick();
  Tick({QStringLiteral("表一 工会组织建设状况(1)"), QStringLiteral("表三 工会干部教育培训工作")});
  form->tbSumClick();
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.startsWith(QStringLiteral("运行中发生错误："))) << hooks.Messages[0].Text.toStdString();
  EXPECT_EQ(SummaryServer(), nullptr);
  EXPECT_TRUE(hooks.Opened.isEmpty());
  EXPECT_FALSE(progress.Shown);

  // The next run starts on a fresh workbook.
  form->SumType->SetItemIndex(0);
  form->tbSumClick();
  EXPECT_EQ(SheetNames(Shown()), (QStringList{QStringLiteral("表一(1)"), QStringLiteral("表三")}));
  EXPECT_EQ(Shown().Sheets(1).Cells(2, 1).Value().toString(), QStringLiteral("工会层次"));
}

TEST_F(SumFormTest, TicksAreKeptInTheUsersOwnCopy) {
  Open();
  Tick({QStringLiteral("表二 工会干部协管工作")});
  form->Close();
  form.reset();
  const QByteArray shipped = fwtest::FileBytes(ProgramFile(kSumTableListName));
  ASSERT_FALSE(shipped.isEmpty());
  ASSERT_TRUE(QFileInfo::exists(TdlgSumForm::OwnListPath()));

  Open();
  EXPECT_EQ(List().CheckedCount(), 1);
  EXPECT_TRUE(List().ItemChecked(Row(QStringLiteral("表二 工会干部协管工作"))));
  // Saving and loading again keeps the texts as they were.
  EXPECT_EQ(List().Item(0), QStringLiteral("//封面"));
  EXPECT_EQ(fwtest::FileBytes(ProgramFile(kSumTableListName)), shipped);
  form.reset();

  // A hand-edited own copy is read line by line: an odd line is an item of its own and
  // every other line stays as it was.
  QList<QByteArray> lines = shipped.split('\n');
  ASSERT_GT(lines.size(), 3);
  lines[1] = "&1 7 " + lines[1].mid(5);  // a state out of range, kept as read
  lines[2] = "&1 x";                    // no state digit: the line as it stands
  fwtest::WriteBytes(TdlgSumForm::OwnListPath(), lines.join('\n'));
  Open();
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(List().Count(), shipped.count('\n'));
  EXPECT_EQ(int(List().ItemState(1)), 7);
  EXPECT_EQ(List().Item(2), QStringLiteral("&1 x"));
  EXPECT_EQ(List().Item(0), QStringLiteral("//封面"));
  EXPECT_EQ(List().CheckedCount(), 19 - 1);  // the cover is no longer checked
}

TEST_F(SumFormTest, WithoutAnyListFileTheBuiltInSheetsStay) {
  QFile::remove(ProgramFile(kSumTableListName));
  Open();
  EXPECT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(List().Count(), 19);
  EXPECT_EQ(form->SheetNumbers().back(), 19);
}

// The program keeps the dialog made at start. Shown again it starts as a new one: the
// mode by level, the groups as they are now (a group chosen last time may be gone), and
// the built-in sheets when no list file can be read any more.
TEST_F(SumFormTest, ShownAgainItStartsAsANewDialog) {
  const int regions = Db.AddScheme(QStringLiteral("按地区"), fwtest::kThreeItems);
  Open();
  form->tbGroup->Click();
  ASSERT_EQ(form->SumType->ItemIndex(), 2);
  ASSERT_EQ(form->tbGroup->Tag(), regions);
  EXPECT_EQ(List().Item(0), QStringLiteral("//封面"));
  form->Close();
  ASSERT_FALSE(form->isVisible());

  Db.Connection.Execute(QStringLiteral("delete from DT_GroupItem"));
  Db.Connection.Execute(QStringLiteral("delete from ct_group"));
  QFile::remove(TdlgSumForm::OwnListPath());
  QFile::remove(ProgramFile(kSumTableListName));
  form->Show();
  EXPECT_EQ(form->SumType->ItemIndex(), 0);
  EXPECT_FALSE(form->SumType->Button(2)->Enabled());
  EXPECT_FALSE(form->tbGroup->Enabled());
  EXPECT_EQ(form->tbGroup->Tag(), 0);
  EXPECT_EQ(form->tbGroup->Caption(), QStringLiteral("自定义分组"));
  EXPECT_EQ(form->GroupMenu->Items()->Count(), 0);
  EXPECT_EQ(List().Item(0), QStringLiteral("封面"));
  EXPECT_EQ(List().Count(), 19);
  EXPECT_EQ(List().CheckedCount(), 19);
}

class SumActionTest : public fwtest::MainFormFixture {};

TEST_F(SumActionTest, TheMainWindowsSumActionShowsTheDialog) {
  TMainForm* main = Start();
  ASSERT_NE(main, nullptr);
  main->ActionList1->UpdateActions();
  EXPECT_TRUE(main->actSum->Enabled());
  QString shown;
  ScopedModalScript modal([&](TForm& form) {
    shown = dynamic_cast<TdlgSumForm&>(form).Caption();
    return int(mrCancel);
  });
  main->actSum->Execute();
  EXPECT_EQ(shown, QStringLiteral("数据分类汇总"));
}

} // namespace

TEST_F(SumFormTest, ButtonsWithPicturesAndHints) {
  Open();
  fwtest::ExpectBars(*form, {{"FwToolbar1", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, true, TFrameStyleEx::fsNone, 1, 0, 0}, {"GroupBar", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, false, TFrameStyleEx::fsNone, 0, 0, 0}});
  fwtest::ExpectButtons(*form, {{"tbSum", 75, blkHot, false, false, false}, {"tbReturn", 75, blkHot, false, false, false},
                                {"tbGroup", 110, blkNone, true, false, false}});
}
