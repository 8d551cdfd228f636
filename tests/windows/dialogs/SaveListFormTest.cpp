// The list export dialog: the sheet list from "exporttable.qz", the columns of the sheets
// ticked, the three choices of records with their refusals, and the main window's action.
#include "ListDialogsFixture.h"

#include "controls/common/FwCheckList.h"
#include "controls/common/FwRadioButton.h"
#include "controls/common/FwToolButton.h"
#include "core/CheckListFiles.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "platform/shell/GbkCodec.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/Action.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/shared/VKValidEdit.h"
#include "tests/windows/shared/BarLooks.h"

#include <QFile>
#include <QGroupBox>

namespace {

using namespace fw;
using fwtest::ListDialogsFixture;

const QStringList kCoverColumns{"c901", "c902", "c903", "c904", "c905", "c906", "c907", "RecordState"};

class SaveListFormTest : public ListDialogsFixture {
protected:
  // The dialog shown (as the program shows it, without waiting) with the main window behind it.
  TdlgSaveListForm* Dialog() {
    Main();
    dialog_.reset(NewForm<TdlgSaveListForm>(nullptr));
    dialog_->Show();
    return dialog_.get();
  }

  // 导出 into "列表.xlsx" of the documents folder; the written sheet.
  TWorksheet& Export(TdlgSaveListForm& dialog) {
    hooks.SaveAnswers.push_back(fwtest::Chosen(Docs(QStringLiteral("列表"))));
    dialog.tbSaveClick();
    return Sheet(Docs(QStringLiteral("列表.xlsx")));
  }

  // The unit codes of the list's records, from row 5 on.
  static QStringList Codes(TWorksheet& sheet) {
    QStringList codes;
    for (int row = 5; !sheet.Cells(row, 1).IsEmpty(); ++row) codes << QString::number(sheet.CellValue(row, 1).toLongLong());
    return codes;
  }

  void AddGroupItem(int id, const QString& title, qint64 low, const QString& lowSymbol, qint64 high,
                    const QString& highSymbol) {
    Connect()->Execute("insert into DT_GroupItem (id, GroupID, Title, LowBoundary, LowSymbol, HighBoundary, HighSymbol) "
                       "values (?, 1, ?, ?, ?, ?, ?)",
                       {id, title, low, lowSymbol, high, highSymbol});
  }

  std::unique_ptr<TdlgSaveListForm> dialog_;
};

TEST_F(SaveListFormTest, SheetListComesFromTheShippedFileOrTheUsersCopy) {
  TdlgSaveListForm* dialog = Dialog();
  ASSERT_EQ(dialog->TableList->Count(), 12);
  EXPECT_EQ(dialog->TableList->Items()[0], QStringLiteral("表一 工会组织建设状况"));
  EXPECT_EQ(dialog->TableList->Items()[11], QStringLiteral("表十二 开展创建劳动关系和谐企业与工业园区活动"));
  EXPECT_EQ(dialog->TableList->CheckedCount(), 0);
  EXPECT_TRUE(dialog->AllRecord->Checked());
  EXPECT_EQ(dialog->Caption(), QStringLiteral("选择导出数据的方式"));
  EXPECT_EQ(dialog->GroupBox1->Widget()->title(), QStringLiteral("导出的内容"));

  // A user's own copy comes first; the shipped file is never written.
  const QByteArray shipped = fwtest::FileBytes(ProgramFile(kExportTableListName));
  // Twelve lines of the check-list format, in GBK.
  EXPECT_TRUE(shipped.startsWith(ToGbk(QStringLiteral("&1 0 表一 工会组织建设状况 \r\n"))));
  EXPECT_EQ(shipped.count("\r\n"), 12);
  QByteArray own = shipped;
  own.replace("&1 0 ", "&1 1 ");
  fwtest::WriteBytes(QDir(UserConfigFolder()).filePath(kExportTableListName), own);
  dialog->Hide();
  dialog->Show();
  EXPECT_EQ(dialog->TableList->CheckedCount(), 12);
  EXPECT_EQ(fwtest::FileBytes(ProgramFile(kExportTableListName)), shipped);
}

TEST_F(SaveListFormTest, WithNoSheetTickedOnlyTheCoverIsExported) {
  AddSurvey();
  TdlgSaveListForm* dialog = Dialog();
  TWorksheet& sheet = Export(*dialog);
  ASSERT_EQ(hooks.SaveRequests.size(), 1u);
  EXPECT_EQ(hooks.SaveRequests[0].FileName, DatabaseLabel + QStringLiteral("数据列表-2015-01-20"));
  EXPECT_EQ(RowTexts(sheet, 3), kCoverColumns);
  EXPECT_EQ(Codes(sheet), (QStringList{"110000000001", "110000000002", "120000000001", "130000000001"}));
  EXPECT_EQ(sheet.CellValue(6, 2).toString(), QStringLiteral("O'Neil 工会"));
  // The shared query lets the list go afterwards.
  EXPECT_FALSE(MainData()->AppQuery->Active());
}

TEST_F(SaveListFormTest, TickedSheetsAddTheirColumns) {
  AddSurvey();
  TdlgSaveListForm* dialog = Dialog();
  dialog->TableList->SetItemChecked(0, true);  // z
  dialog->TableList->SetItemChecked(10, true); // g
  dialog->TableList->SetItemChecked(11, true); // c: the cover is there already
  TWorksheet& sheet = Export(*dialog);
  const QStringList titles = RowTexts(sheet, 3);
  ASSERT_EQ(titles.size(), 8 + 16 + 4);
  EXPECT_EQ(titles.mid(0, 8), kCoverColumns);
  EXPECT_EQ(titles[8], QStringLiteral("z001"));
  EXPECT_EQ(titles[23], QStringLiteral("z016"));
  EXPECT_EQ(titles[24], QStringLiteral("g001"));
  EXPECT_EQ(sheet.CellValue(6, 9).toInt(), 2);  // z001 of the second record
  EXPECT_EQ(sheet.CellValue(6, 28).toInt(), 7); // g004
}

TEST_F(SaveListFormTest, RangeNeedsBothBoundsAndRaisesTheUpperOne) {
  AddSurvey();
  TdlgSaveListForm* dialog = Dialog();
  dialog->Range->SetChecked(true);
  for (const auto& [from, to] : std::vector<std::pair<const char*, const char*>>{{"", "120000000001"}, {"0", "1"}, {"5", ""}}) {
    hooks.Messages.clear();
    dialog->c901_1->SetText(QString::fromLatin1(from));
    dialog->c901_2->SetText(QString::fromLatin1(to));
    dialog->tbSaveClick();
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("请输入单位编号的范围")}) << from << "/" << to;
  }
  EXPECT_TRUE(hooks.SaveRequests.empty());

  dialog->c901_1->SetText(QStringLiteral("120000000001"));
  dialog->c901_2->SetText(QStringLiteral("110000000001"));
  TWorksheet& sheet = Export(*dialog);
  EXPECT_EQ(dialog->c901_2->Text(), QStringLiteral("120000000001"));
  EXPECT_EQ(Codes(sheet), QStringList{"120000000001"});

  dialog->c901_1->SetText(QStringLiteral("110000000002"));
  dialog->c901_2->SetText(QStringLiteral("125000000000"));
  EXPECT_EQ(Codes(Export(*dialog)), (QStringList{"110000000002", "120000000001"}));
}

TEST_F(SaveListFormTest, UserGroupChoosesItsUnits) {
  AddSurvey();
  AddGroupItem(3, QStringLiteral("北京"), 110000000000, QStringLiteral(">="), 120000000000, QStringLiteral("<"));
  AddGroupItem(5, QStringLiteral("天津以后"), 120000000001, QStringLiteral(">"), 130000000001, QStringLiteral("<="));
  AddGroupItem(9, QStringLiteral("坏条件"), 1, QStringLiteral("=0 or 1=1 --"), 2, QStringLiteral("<"));
  TdlgSaveListForm* dialog = Dialog();
  EXPECT_TRUE(dialog->radioGroup->Enabled());
  EXPECT_TRUE(dialog->tbGroup->Enabled());
  EXPECT_EQ(dialog->radioGroup->Caption(), QStringLiteral("北京"));
  EXPECT_EQ(dialog->radioGroup->Tag(), 3);
  ASSERT_EQ(dialog->GroupMenu->Items()->Count(), 3);
  EXPECT_EQ(dialog->GroupMenu->Items()->Items(1)->Caption(), QStringLiteral("天津以后"));

  dialog->radioGroup->SetChecked(true);
  EXPECT_EQ(Codes(Export(*dialog)), (QStringList{"110000000001", "110000000002"}));

  dialog->GroupMenu->Items()->Items(1)->Click();
  EXPECT_EQ(dialog->radioGroup->Caption(), QStringLiteral("天津以后"));
  EXPECT_EQ(dialog->radioGroup->Tag(), 5);
  EXPECT_EQ(Codes(Export(*dialog)), QStringList{"130000000001"});

  // A group whose condition is not one of the four comparisons exports nothing.
  dialog->GroupMenu->Items()->Items(2)->Click();
  hooks.Messages.clear();
  const size_t asked = hooks.SaveRequests.size();
  dialog->tbSaveClick();
  EXPECT_EQ(MessageTexts(), QStringList{kGroupConditionMessage});
  EXPECT_EQ(hooks.SaveRequests.size(), asked);
}

TEST_F(SaveListFormTest, WithoutGroupsTheGroupChoiceIsOff) {
  AddSurvey();
  TdlgSaveListForm* dialog = Dialog();
  EXPECT_FALSE(dialog->radioGroup->Enabled());
  EXPECT_FALSE(dialog->tbGroup->Enabled());
  EXPECT_EQ(dialog->GroupMenu->Items()->Count(), 0);
}

TEST_F(SaveListFormTest, EmptyDatabaseIsRefusedByTheExport) {
  TdlgSaveListForm* dialog = Dialog();
  dialog->tbSaveClick();
  EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("SaveQueryAsExcel出错:数据表为空，不能导出！")});
  EXPECT_TRUE(hooks.SaveRequests.empty());
}

// The main window's two list actions show their dialog and free it afterwards.
TEST_F(SaveListFormTest, MainWindowActionsShowAndFreeTheDialogs) {
  AddSurvey();
  TMainForm* form = Main();
  QStringList shown;
  ScopedModalScript script([&shown](TForm& dialog) {
    shown << dialog.Caption();
    return int(mrCancel);
  });
  form->ActionList1->UpdateActions();
  ASSERT_TRUE(form->actSaveList->Enabled());
  ASSERT_TRUE(form->actRecordGrid->Enabled());
  form->actSaveList->Execute();
  form->actRecordGrid->Execute();
  EXPECT_EQ(shown, (QStringList{"选择导出数据的方式", "自定义列表项"}));
  EXPECT_EQ(dlgSaveListForm, nullptr);
}

} // namespace

TEST_F(SaveListFormTest, ButtonsWithPicturesAndHints) {
  TdlgSaveListForm* dialog = Dialog();
  fwtest::ExpectBars(*dialog, {{"FwToolbar1", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, true, TFrameStyleEx::fsNone, 1, 0, 0}});
  // The group button sits in the group box, not on a bar: it sets its look itself.
  fwtest::ExpectButtons(*dialog, {{"tbSave", 75, blkHot, false, false, true}, {"tbReturn", 75, blkHot, false, false, false},
                                  {"tbGroup", 152, blkHot, true, false, false}});
}
