// The code-range search, the indicator query and the indicator picker: the conditions
// they hand to the query list (checked against the records they find), their refusals,
// the operator and connector lists, the picker's sheets and choice, and the main
// window's 按编号范围查找数据, 指标查询 and Ctrl+F.
#include "windows/dialogs/DataSearchCodeForm.h"
#include "windows/dialogs/DataSearchForm.h"
#include "windows/dialogs/GroupItemForm.h"
#include "windows/dialogs/LocateForm.h"
#include "windows/dialogs/QueryListForm.h"
#include "windows/dialogs/SearchForm.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwGroupBox.h"
#include "controls/common/FwNumericEdit.h"
#include "core/SearchConditions.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/Application.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/windows/dialogs/GroupDialogsSupport.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/ToolForm.h"
#include "windows/shared/VKValidEdit.h"
#include "tests/windows/shared/BarLooks.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

class SearchFormsTest : public ::testing::Test {
protected:
  void SetUp() override {
    app = std::make_unique<TApplication>();
    app->CreateForm(ToolForm);
    Db.Add({{110000000001, QStringLiteral("甲"), 1, 5},
            {110000000002, QStringLiteral("乙"), 1, 10},
            {120000000001, QStringLiteral("丙"), 1, 15},
            {130000000001, QStringLiteral("丁"), 1, 20}});
  }
  void TearDown() override { app.reset(); }

  // The codes the condition finds, in order.
  std::vector<qint64> Found(const QString& where) {
    TADOQuery query(&Db.Connection);
    query.SetSQL(QStringLiteral("SELECT * from view_data ") + where + QStringLiteral(" order by c901 asc"));
    query.Open();
    std::vector<qint64> codes;
    for (; !query.Eof(); query.Next()) codes.push_back(query.FieldByName(QStringLiteral("c901"))->AsLargeInt());
    return codes;
  }
  // Picks the entry `name` from the code menu the edit's button pops up.
  static void Pick(TFwButtonEdit* edit, const QString& name) {
    edit->OnButtonClick(edit);
    TMenuItem* items = ToolForm->CodePopupMenu->Items();
    for (int i = 0; i < items->Count(); ++i)
      if (items->Items(i)->Caption() == name) items->Items(i)->Click();
    ToolForm->CodePopupMenu->Menu()->hide();
  }
  QString LastMessage() const { return hooks.Messages.empty() ? QString() : hooks.Messages.back().Text; }

  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  std::unique_ptr<TApplication> app;
  fwtest::GroupDatabase Db;
  QStringList conditions;
};

TEST_F(SearchFormsTest, CodeRangeSearch) {
  std::unique_ptr<TdlgSearchForm> form(NewForm<TdlgSearchForm>(nullptr));
  form->RunQueryList = [this](const QString& where) { conditions << where; };
  form->Show();
  EXPECT_EQ(form->Caption(), QStringLiteral("查询数据"));
  EXPECT_EQ(form->ClientWidth(), 519);
  EXPECT_EQ(form->ClientHeight(), 132);
  // The library's group box in its default look.
  EXPECT_EQ(form->GroupBox1->Caption(), QStringLiteral("编号范围"));
  EXPECT_EQ(form->GroupBox1->GroupStyle(), fw::TFwGroupBoxStyle::gsFlat);
  EXPECT_EQ(form->lc1->Text(), QStringLiteral("="));
  EXPECT_EQ(form->lc3->Tag(), 1);
  EXPECT_EQ(form->lc2->Text(), QStringLiteral("和"));

  form->tbSumClick();
  EXPECT_EQ(LastMessage(), kNoConditionMessage);
  EXPECT_TRUE(conditions.isEmpty());

  // Only the second number: the second operator.
  Pick(form->lc3, QStringLiteral(">"));
  form->number2->SetText(QStringLiteral("120000000000"));
  form->tbSumClick();
  ASSERT_EQ(conditions.size(), 1);
  EXPECT_EQ(conditions.back(), QStringLiteral("where c901>120000000000"));
  EXPECT_EQ(Found(conditions.back()), (std::vector<qint64>{120000000001, 130000000001}));

  // 或: either condition.
  form->number1->SetText(QStringLiteral("110000000002"));
  Pick(form->lc2, QStringLiteral("或"));
  Pick(form->lc3, QStringLiteral(">="));
  form->number2->SetText(QStringLiteral("130000000000"));
  form->tbSumClick();
  EXPECT_EQ(conditions.back(), QStringLiteral("where c901=110000000002 OR c901>=130000000000"));
  EXPECT_EQ(Found(conditions.back()), (std::vector<qint64>{110000000002, 130000000001}));

  Pick(form->lc2, QStringLiteral("和"));
  Pick(form->lc1, QStringLiteral(">"));
  Pick(form->lc3, QStringLiteral("<"));
  form->tbSumClick();
  EXPECT_EQ(Found(conditions.back()), (std::vector<qint64>{120000000001}));
}

// The search opens with the first number focused, so a code can be typed at once.
TEST_F(SearchFormsTest, CodeRangeSearchTakesTheFirstNumberRightAway) {
  std::unique_ptr<TdlgSearchForm> form(NewForm<TdlgSearchForm>(nullptr));
  form->Show();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("110000000002"));
  EXPECT_EQ(form->number1->Text(), QStringLiteral("110000000002"));
}

// The numeric edits of the dialogs that find records by code, as the windows set them,
// and what each shows of what the clerk types: a whole twelve-digit code, a negative
// number (in brackets, or nothing where codes cannot be below 0) and a zero.
TEST_F(SearchFormsTest, TheCodeEditsOfTheFindingDialogs) {
  TADOQuery records(&Db.Connection);
  std::unique_ptr<TdlgLocateForm> locate(NewForm<TdlgLocateForm>(nullptr, &Db.Connection, &records));
  std::unique_ptr<TdlgSearchForm> search(NewForm<TdlgSearchForm>(nullptr));
  std::unique_ptr<TdlgGroupItemForm> group(NewForm<TdlgGroupItemForm>(nullptr, &Db.Connection));
  constexpr double kLargestCode = 99999999999999.0;
  const struct {
    TFwNumericEdit* edit;
    TWinControl* next;  // where the focus goes after typing
    const char* format;
    TLeftRight alignment;
    bool checkRange;
    double max;
    int maxLength;
    const char* negativeShown;
    const char* zeroShown;
  } edits[] = {
      {locate->c901, locate->c902, "#", TLeftRight::taRightJustify, false, 0, 12, "-5", ""},
      {search->number1, search->number2, "#;(#)", TLeftRight::taLeftJustify, true, kLargestCode, 12, "", ""},
      {search->number2, search->number1, "#;(#)", TLeftRight::taLeftJustify, true, kLargestCode, 12, "", ""},
      {group->LowBoundary, group->HighBoundary, "0;(0)", TLeftRight::taRightJustify, false, 0, 0, "(5)", "0"},
      {group->HighBoundary, group->LowBoundary, "0;(0)", TLeftRight::taRightJustify, false, 0, 0, "(5)", "0"},
  };
  for (const auto& e : edits) {
    SCOPED_TRACE(e.edit->Name().toStdString());
    EXPECT_EQ(e.edit->DisplayFormat(), QString::fromLatin1(e.format));
    EXPECT_EQ(e.edit->Alignment(), e.alignment);
    EXPECT_EQ(e.edit->CheckRange(), e.checkRange);
    EXPECT_EQ(e.edit->Max(), e.max);
    EXPECT_EQ(e.edit->MaxLength(), e.maxLength);

    TForm* form = e.edit->ParentForm();
    form->Show();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    for (const auto& [typed, shown] : {std::pair<QString, QString>{"120000000001", "120000000001"},
                                       {"-5", QString::fromLatin1(e.negativeShown)},
                                       {"0", QString::fromLatin1(e.zeroShown)}}) {
      e.edit->SetFocus();
      e.edit->SetText(QString());
      QTest::keyClicks(e.edit->Widget(), typed);
      e.next->SetFocus();
      EXPECT_EQ(e.edit->Text(), shown) << typed.toStdString();
    }
    form->Hide();
  }
}

TEST_F(SearchFormsTest, IndicatorQuery) {
  std::unique_ptr<TdlgDataSearchForm> form(NewForm<TdlgDataSearchForm>(nullptr, &Db.Connection));
  form->RunQueryList = [this](const QString& where) { conditions << where; };
  form->Show();
  EXPECT_EQ(form->Caption(), QStringLiteral("指标查询"));
  EXPECT_EQ(form->GroupBox1->Caption(), QStringLiteral("指标范围"));
  EXPECT_EQ(form->GroupBox1->GroupStyle(), fw::TFwGroupBoxStyle::gsFlat);
  EXPECT_EQ(form->DataField->Tag(), -1);
  EXPECT_EQ(form->lc1->Tag(), -1);

  form->Number1->SetText(QStringLiteral("5"));
  form->tbSumClick();
  EXPECT_EQ(LastMessage(), kNoIndicatorMessage);

  // The picker: sheet 1 (表1), its first indicator.
  {
    ScopedModalScript modal([](TForm& shown) {
      auto& picker = dynamic_cast<TDataSearchCodeForm&>(shown);
      picker.SheetTable->Locate(QStringLiteral("CodeID"), 1);
      picker.TypeList1Click();
      picker.tbOKClick();
      return int(mrNone);
    });
    form->DataFieldButtonClick();
  }
  EXPECT_EQ(form->DataField->Text(), QStringLiteral("z001"));

  // A number without its operator, an operator without its number.
  form->tbSumClick();
  EXPECT_EQ(LastMessage(), QStringLiteral("第一个条件缺少比较符"));
  Pick(form->lc1, QStringLiteral(">"));
  Pick(form->lc3, QStringLiteral("<="));
  form->tbSumClick();
  EXPECT_EQ(LastMessage(), QStringLiteral("第二个条件缺少数值"));
  EXPECT_TRUE(conditions.isEmpty());

  form->Number2->SetText(QStringLiteral("15"));
  form->tbSumClick();
  ASSERT_EQ(conditions.size(), 1);
  EXPECT_EQ(conditions.back(), QStringLiteral("where z001>5 and z001<=15"));
  EXPECT_EQ(Found(conditions.back()), (std::vector<qint64>{110000000002, 120000000001}));

  // Bounds of c901 have twelve digits.
  form->DataField->SetText(QStringLiteral("c901"));
  form->Number1->SetText(QStringLiteral("11000000000"));
  form->tbSumClick();
  EXPECT_EQ(LastMessage(), kCodeBoundLengthMessage);
  form->Number1->SetText(QStringLiteral("110000000001"));
  form->Number2->SetText(QStringLiteral("120000000001"));
  form->tbSumClick();
  EXPECT_EQ(conditions.back(), QStringLiteral("where c901>110000000001 and c901<=120000000001"));
  EXPECT_EQ(Found(conditions.back()), (std::vector<qint64>{110000000002, 120000000001}));
  // The bounds admit digits only, typed or pasted.
  form->Number2->SetFocus();
  form->Number2->SetText(QString());
  QTest::keyClicks(static_cast<QWidget*>(form->Number2->Widget()), QStringLiteral("1'a2"));
  EXPECT_EQ(form->Number2->Text(), QStringLiteral("12"));
}

TEST_F(SearchFormsTest, PickerListsEachSheetsIndicators) {
  std::unique_ptr<TDataSearchCodeForm> picker(NewForm<TDataSearchCodeForm>(nullptr, &Db.Connection));
  picker->Show();
  EXPECT_EQ(picker->Caption(), QStringLiteral("选择指标"));
  // The cover's indicators first: the code among them.
  ASSERT_TRUE(picker->CodeQuery->Active());
  EXPECT_EQ(picker->CodeQuery->FieldByName(QStringLiteral("codename"))->AsString(), QStringLiteral("c901"));

  // An arrow key in the sheet list shows the next sheet's indicators.
  picker->TypeList1->SetFocus();
  QTest::keyClick(picker->TypeList1->View(), Qt::Key_Down);
  EXPECT_EQ(picker->SheetTable->FieldByName(QStringLiteral("CodeID"))->AsInteger(), 1);
  EXPECT_EQ(picker->CodeQuery->FieldByName(QStringLiteral("codename"))->AsString(), QStringLiteral("z001"));
  picker->SheetTable->Locate(QStringLiteral("CodeID"), 2);
  picker->TypeList1Click();
  EXPECT_EQ(picker->CodeQuery->FieldByName(QStringLiteral("codename"))->AsString(), QStringLiteral("x001"));
  picker->CodeQuery->Next();
  picker->tbOKClick();
  EXPECT_EQ(picker->Chosen, QStringLiteral("x002"));
  EXPECT_EQ(picker->ModalResult(), mrOk);
  EXPECT_FALSE(picker->CodeQuery->Active());

  // Shown again it starts on the cover; Esc cancels.
  picker->Hide();
  picker->SetModalResult(mrNone);
  picker->Show();
  EXPECT_EQ(picker->CodeQuery->FieldByName(QStringLiteral("codename"))->AsString(), QStringLiteral("c901"));
  QTest::keyClick(picker->TypeList2->View(), Qt::Key_Escape);
  EXPECT_EQ(picker->ModalResult(), mrCancel);
}

// The program keeps the dialogs made at start. Shown again each is a new one: the code-range
// search with empty numbers, "=" and 和; the indicator query with no indicator, no
// operators and empty numbers.
TEST_F(SearchFormsTest, ShownAgainTheSearchesStartEmpty) {
  std::unique_ptr<TdlgSearchForm> range(NewForm<TdlgSearchForm>(nullptr));
  range->Show();
  range->number1->SetText(QStringLiteral("110000000001"));
  range->number2->SetText(QStringLiteral("120000000001"));
  Pick(range->lc1, QStringLiteral(">"));
  Pick(range->lc2, QStringLiteral("或"));
  range->Hide();
  range->Show();
  EXPECT_EQ(range->number1->Text(), QString());
  EXPECT_EQ(range->number2->Text(), QString());
  EXPECT_EQ(range->lc1->Text(), QStringLiteral("="));
  EXPECT_EQ(range->lc1->Tag(), 1);
  EXPECT_EQ(range->lc2->Text(), QStringLiteral("和"));
  range->RunQueryList = [this](const QString& where) { conditions << where; };
  range->tbSumClick();
  EXPECT_EQ(LastMessage(), kNoConditionMessage);

  std::unique_ptr<TdlgDataSearchForm> indicator(NewForm<TdlgDataSearchForm>(nullptr, &Db.Connection));
  indicator->Show();
  indicator->DataField->SetText(QStringLiteral("z001"));
  indicator->DataField->SetTag(0);
  Pick(indicator->lc1, QStringLiteral(">"));
  indicator->Number1->SetText(QStringLiteral("5"));
  Pick(indicator->lc3, QStringLiteral("<"));
  indicator->Number2->SetText(QStringLiteral("15"));
  indicator->Hide();
  indicator->Show();
  for (TFwButtonEdit* edit : {indicator->DataField, indicator->lc1, indicator->lc3}) {
    EXPECT_EQ(edit->Text(), QString());
    EXPECT_EQ(edit->Tag(), -1);
  }
  EXPECT_EQ(indicator->Number1->Text(), QString());
  EXPECT_EQ(indicator->Number2->Text(), QString());
  indicator->RunQueryList = [this](const QString& where) { conditions << where; };
  indicator->tbSumClick();
  EXPECT_EQ(LastMessage(), kNoIndicatorMessage);
  EXPECT_TRUE(conditions.isEmpty());
}

// The indicator query shows the picker made at start every time (one made on the first
// use when there is none). Each showing lists the cover's indicators again, also after a
// choice closed its lists or the connection was closed and opened again (backup).
TEST_F(SearchFormsTest, ThePickerIsKeptAndListsItsSheetsAtEveryShowing) {
  std::unique_ptr<TdlgDataSearchForm> form(NewForm<TdlgDataSearchForm>(nullptr, &Db.Connection));
  form->Show();
  ASSERT_EQ(DataSearchCodeForm, nullptr);
  std::vector<TForm*> pickers;
  QStringList firstListed;
  QString choice = QStringLiteral("z001");
  ScopedModalScript modal([&](TForm& shown) {
    auto& picker = dynamic_cast<TDataSearchCodeForm&>(shown);
    pickers.push_back(&picker);
    firstListed << (picker.CodeQuery->Active() ? picker.CodeQuery->FieldByName(QStringLiteral("codename"))->AsString()
                                               : QString());
    const int page = choice.startsWith('z') ? 1 : 2;
    picker.SheetTable->Locate(QStringLiteral("CodeID"), page);
    picker.TypeList1Click();
    picker.tbOKClick();
    return int(mrNone);
  });
  form->DataFieldButtonClick();
  EXPECT_EQ(form->DataField->Text(), QStringLiteral("z001"));
  ASSERT_NE(DataSearchCodeForm, nullptr);

  choice = QStringLiteral("x001");
  form->DataFieldButtonClick();
  EXPECT_EQ(form->DataField->Text(), QStringLiteral("x001"));

  Db.Connection.Close();
  Db.Connection.Open();
  form->DataFieldButtonClick();
  EXPECT_EQ(form->DataField->Text(), QStringLiteral("x001"));

  ASSERT_EQ(pickers.size(), 3u);
  EXPECT_EQ(pickers[0], pickers[1]);
  EXPECT_EQ(pickers[1], pickers[2]);
  EXPECT_EQ(firstListed, (QStringList{QStringLiteral("c901"), QStringLiteral("c901"), QStringLiteral("c901")}));
  // The picker goes with the dialog that made it.
  form.reset();
  EXPECT_EQ(DataSearchCodeForm, nullptr);
}

class SearchActionTest : public fwtest::MainFormFixture {};

// Both searches show what they find in the query list, and the record list is read again
// afterwards (a record deleted in the query list is gone from it).
TEST_F(SearchActionTest, TheMainWindowsSearchesShowTheirRecordsInTheQueryList) {
  AddRecords({110000000001, 110000000002, 120000000001});
  TMainForm* main = Start();
  ASSERT_NE(main, nullptr);
  main->ActionList1->UpdateActions();
  EXPECT_TRUE(main->actSearch->Enabled());
  EXPECT_TRUE(main->actConditionSearch->Enabled());
  QStringList shown;
  std::vector<int> found;
  ScopedModalScript modal([&](TForm& form) {
    shown << form.Caption();
    if (auto* list = dynamic_cast<TdlgQueryListForm*>(&form)) {
      found.push_back(list->ReportQuery->RecordCount());
      EXPECT_EQ(list->CountLabel->Caption(), QString::number(found.back()));
      Connect()->Execute("delete from dt_data where c901=110000000001");
    } else if (auto* search = dynamic_cast<TdlgSearchForm*>(&form)) {
      search->number1->SetText(QStringLiteral("120000000000"));
      SetCode(search->lc1, SearchOperators(), 3);
      search->tbSumClick();
    } else if (auto* search = dynamic_cast<TdlgDataSearchForm*>(&form)) {
      search->DataField->SetText(QStringLiteral("c904"));
      SetCode(search->lc1, SearchOperators(), 1);
      search->Number1->SetText(QStringLiteral("10"));
      search->tbSumClick();
    }
    return int(mrCancel);
  });
  main->actSearch->Execute();
  EXPECT_EQ(main->Data().ReportQuery->RecordCount(), 2);
  WORD key = 'F';
  main->OnKeyDown(main, key, ssCtrl);
  EXPECT_EQ(shown, (QStringList{QStringLiteral("查询数据"), QStringLiteral("查询结果列表"), QStringLiteral("指标查询"),
                                QStringLiteral("查询结果列表")}));
  EXPECT_EQ(found, (std::vector<int>{2, 2}));
  EXPECT_EQ(dlgQueryListForm, nullptr);
}

} // namespace

TEST_F(SearchFormsTest, ButtonsWithPicturesAndHints) {
  std::unique_ptr<TdlgSearchForm> range(NewForm<TdlgSearchForm>(nullptr));
  std::unique_ptr<TdlgDataSearchForm> indicator(NewForm<TdlgDataSearchForm>(nullptr, &Db.Connection));
  std::unique_ptr<TDataSearchCodeForm> picker(NewForm<TDataSearchCodeForm>(nullptr, &Db.Connection));
  for (TForm* form : std::initializer_list<TForm*>{range.get(), indicator.get()}) {
    fwtest::ExpectBars(*form, {{"FwToolbar1", TAlign::alNone, TFwToolbarTextOptions::ttoSelectiveTextOnRight, true, TFrameStyleEx::fsNone, 1, 0, 0}});
    fwtest::ExpectButtons(*form, {{"tbSum", 75, blkHot, false, false, false}, {"tbReturn", 75, blkHot, false, false, false}});
  }
  fwtest::ExpectBars(*picker, {{"FwToolbar1", TAlign::alNone, TFwToolbarTextOptions::ttoSelectiveTextOnRight, true, TFrameStyleEx::fsNone, 1, 0, 0}});
  fwtest::ExpectButtons(*picker, {{"tbOK", 0, blkHot, false, false, false}, {"tbCancel", 0, blkHot, false, false, false}});
}
