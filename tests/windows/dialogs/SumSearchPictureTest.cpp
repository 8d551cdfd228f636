// Paints the summary dialog and the locate and search dialogs for looking at after a
// change (written to FW_SHOTS when it is set: fw_sum.png, ...).
#include "windows/dialogs/DataSearchCodeForm.h"
#include "windows/dialogs/DataSearchForm.h"
#include "windows/dialogs/LocateForm.h"
#include "windows/dialogs/SearchForm.h"
#include "windows/dialogs/SumForm.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwCheckList.h"
#include "controls/common/FwNumericEdit.h"
#include "platform/db/AdoTable.h"
#include "windows/shared/VKValidEdit.h"
#include "core/SearchConditions.h"
#include "tests/windows/dialogs/GroupDialogsSupport.h"
#include "windows/shared/DialogParts.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace fw;

void Save(QWidget& widget, const char* name) { fwtest::SaveShot(widget.grab().toImage(), QString::fromUtf8(name)); }

TEST(SumSearchPicture, SummaryDialogWithAGroup) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  fwtest::GroupDatabase db;
  db.AddScheme(QStringLiteral("按地区分组"), fwtest::kThreeItems);
  std::unique_ptr<TdlgSumForm> form(NewForm<TdlgSumForm>(nullptr, &db.Connection));
  form->Show();
  form->TableList->SetItemIndex(3);
  Save(*form, "fw_sum.png");
}

// The workbook of a summary of three ticked sheets by level, copied to the pictures'
// folder as fw_sum_three_sheets.xlsx for opening in a spreadsheet program.
TEST(SumSearchPicture, SummaryWorkbookOfThreeSheets) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  fwtest::GroupDatabase db;
  for (int i = 0; i < 60; ++i)
    db.Connection.Execute(QStringLiteral("insert into dt_data (c901, c902, c904, c907, z001, z002, p001, g001, g002) "
                                         "values (?, ?, ?, 1, ?, ?, ?, ?, ?)"),
                          QVariantList{110000000001LL + i, QStringLiteral("单位%1").arg(i), 1 + i % 11, 10 + i, i % 7,
                                       3 * i, i % 4, i % 3});
  std::unique_ptr<TdlgSumForm> form(NewForm<TdlgSumForm>(nullptr, &db.Connection));
  form->Show();
  form->TableList->UncheckAll();
  for (int i = 0; i < form->TableList->Count(); ++i) {
    const QString text = form->TableList->Item(i);
    if (text.startsWith(QStringLiteral("表一 工会组织建设状况(1)")) || text.startsWith(QStringLiteral("表三 ")) ||
        text.startsWith(QStringLiteral("表十一 ")))
      form->TableList->SetItemChecked(i, true);
  }
  form->tbSumClick();
  ASSERT_EQ(hooks.Opened.size(), 1);
  const QString copy = QDir(fwtest::ShotsFolder()).filePath(QStringLiteral("fw_sum_three_sheets.xlsx"));
  QFile::remove(copy);
  EXPECT_TRUE(QFile::copy(hooks.Opened.front(), copy));
}

TEST(SumSearchPicture, LocateAndSearchDialogs) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  fwtest::GroupDatabase db;

  TADOQuery records(&db.Connection);
  std::unique_ptr<TdlgLocateForm> locate(NewForm<TdlgLocateForm>(nullptr, &db.Connection, &records));
  locate->Show();
  locate->c902->SetText(QStringLiteral("北京市"));
  Save(*locate, "fw_locate.png");

  std::unique_ptr<TdlgSearchForm> search(NewForm<TdlgSearchForm>(nullptr));
  search->Show();
  search->number1->SetText(QStringLiteral("110000000000"));
  search->number2->SetText(QStringLiteral("120000000000"));
  Save(*search, "fw_search.png");

  std::unique_ptr<TdlgDataSearchForm> indicator(NewForm<TdlgDataSearchForm>(nullptr, &db.Connection));
  indicator->Show();
  indicator->DataField->SetText(QStringLiteral("z001"));
  SetCode(indicator->lc1, SearchOperators(), 2);
  indicator->Number1->SetText(QStringLiteral("5"));
  Save(*indicator, "fw_data_search.png");

  std::unique_ptr<TDataSearchCodeForm> picker(NewForm<TDataSearchCodeForm>(nullptr, &db.Connection));
  picker->Show();
  picker->SheetTable->Locate(QStringLiteral("CodeID"), 1);
  picker->TypeList1Click();
  Save(*picker, "fw_data_search_code.png");
}

} // namespace
