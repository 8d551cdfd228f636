// The entry form with the real page rules and the real message list window: the
// RecordState a save and a close store, 检查逻辑 listing the broken rules, the double
// click in the list leading back to the page and field, the list emptied when another
// record loads, and the page change checking the page entered and the page left.
#include "EntryFormFixture.h"

#include "controls/common/FwNumericEdit.h"
#include "controls/navigation/FwPageControl.h"
#include "platform/ui/Action.h"
#include "windows/shared/VKValidEdit.h"

namespace {

using namespace fw;
using namespace fwtest;

constexpr qint64 kCode = 110101000001LL;

// Breaks one rule each of pages 1, 3 and 4 of the clean record (the fields of page 2
// are closed at its level).
const std::map<std::string, int> kThreeBroken = {{"z003", 12}, {"p006", 5}, {"b029", 5}};

class SurveyDataFormLogicTest : public EntryFormWithRulesFixture {
protected:
  TFwNumericEdit* Num(const char* name) { return form->NumericEditor(QString::fromLatin1(name)); }

  // The row the list shows for the shipped rule with this expression.
  QStringList Listed(const QString& expression) {
    TADOQuery query(&db.Connection);
    query.SetSQL(QStringLiteral("select * from dt_logic where expression = :e"));
    query.ParamByName(QStringLiteral("e")).SetValue(expression);
    query.Open();
    if (query.IsEmpty()) return {};
    return {query.FieldByName("rule")->AsString(), rules->ExplainToText(query.FieldByName("explain")->AsString()),
            query.FieldByName("page_id")->AsString(), query.FieldByName("focus")->AsString()};
  }
  QStringList ListedPages() const {
    QStringList pages;
    for (const QStringList& row : ListedRows()) pages << row[2];
    return pages;
  }
  // The user's double click on a row of the list window, after activating it.
  void DoubleClickListRow(int row) {
    QApplication::setActiveWindow(list.get());
    const TRect r = list->Grid->CellRect(TMessageListWinForm::colRule, row);
    const QPoint at(r.Left + 5, r.Top + 5);
    QTest::mouseClick(list->Grid, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->Grid, Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
  }
  bool FormHasFocusIn(const char* name) {
    return QApplication::activeWindow() == form.get() && Num(name)->Focused();
  }
};

TEST_F(SurveyDataFormLogicTest, SaveAndCloseStoreTheStateTheRulesGive) {
  AddRuleRecord(kCode, CleanRuleRecord());
  Open(false);
  Num("z003")->SetValue(12);
  ASSERT_TRUE(form->tbSaveClick(form->tbSave));
  EXPECT_EQ(Stored(kCode, "RecordState").toInt(), 2);
  EXPECT_EQ(MessageTexts().last(), "数据保存成功，有逻辑错误！");
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(ListedRows(), std::vector<QStringList>{Listed("z003 > z001")});

  Num("z003")->SetValue(10);
  ASSERT_TRUE(form->tbSaveClick(form->tbSave));
  EXPECT_EQ(Stored(kCode, "RecordState").toInt(), 1);
  EXPECT_EQ(MessageTexts().last(), "数据保存成功，没有逻辑错误！");
  EXPECT_TRUE(list->IsMessageListEmpty());
  EXPECT_FALSE(list->isVisible());

  // Closing with changes that break a rule holds the record and hides the list.
  Num("b029")->SetValue(5);
  hooks.MessageAnswers = {IDYES};
  form->Close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Stored(kCode, "RecordState").toInt(), 0);
  EXPECT_EQ(Stored(kCode, "b029").toInt(), 5);
  EXPECT_FALSE(list->isVisible());
}

// The list goes with its record: the blank record after a save in add mode, and the
// next record of the navigation bar, open with an empty, hidden list.
TEST_F(SurveyDataFormLogicTest, TheNextRecordOpensWithoutTheListOfTheLast) {
  AddRuleRecord(kCode, CleanWith(kThreeBroken));
  AddRuleRecord(kCode + 1, CleanRuleRecord());
  Open(true);
  form->c901->SetText(QString::number(kCode + 2));
  form->c902->SetText(QStringLiteral("新建工会"));
  form->c903->SetValue(110101);
  form->c907->SetValue(1);
  form->c905->SetText(QStringLiteral("王五"));
  form->c906->SetText(QStringLiteral("010-65001234"));
  Num("z003")->SetValue(12);
  ASSERT_TRUE(form->tbSaveClick(form->tbAdd));
  EXPECT_EQ(MessageTexts().last(), "数据保存成功，有逻辑错误！");
  EXPECT_EQ(form->c902->Text(), QString());
  EXPECT_TRUE(list->IsMessageListEmpty());
  EXPECT_FALSE(list->isVisible());

  form->Close();
  Open(false, 1);
  form->tbCheck->Click();
  ASSERT_TRUE(list->isVisible());
  form->actNext->Execute();
  EXPECT_EQ(form->LoadedCode, double(kCode + 1));
  EXPECT_TRUE(list->IsMessageListEmpty());
  EXPECT_FALSE(list->isVisible());
}

TEST_F(SurveyDataFormLogicTest, CheckListsTheBrokenRulesInPageOrder) {
  AddRuleRecord(kCode, CleanWith(kThreeBroken));
  Open(false);
  form->tbCheck->Click();
  const std::vector<QStringList> expected{Listed("z003 > z001"), Listed("p006 > p005"),
                                          Listed("b028 + b029 <> 0 and not (b028 * b029 > 0 and b029 > b028)")};
  EXPECT_EQ(ListedRows(), expected);
  EXPECT_TRUE(list->isVisible());
  // The form keeps the keyboard: the first editor of the page on screen has the focus.
  QApplication::processEvents();
  EXPECT_TRUE(QApplication::activeWindow() == form.get() && form->c901->Focused());
  EXPECT_TRUE(hooks.Messages.empty());

  Num("z003")->SetValue(0);
  Num("p006")->SetValue(0);
  Num("b029")->SetValue(0);
  form->tbCheck->Click();
  EXPECT_EQ(MessageTexts().last(), "没有逻辑错误");
  EXPECT_TRUE(list->IsMessageListEmpty());
  EXPECT_FALSE(list->isVisible());
}

// From the cover the jump checks the page entered; from a sheet the page entered and the
// page left, as any page change does. Either way the form gets the keyboard back, in the
// rule's field.
TEST_F(SurveyDataFormLogicTest, DoubleClickInTheListTurnsToTheRulesField) {
  AddRuleRecord(kCode, CleanWith(kThreeBroken));
  Open(false);
  form->tbCheck->Click();
  ASSERT_EQ(ListedRows().size(), 3u);

  DoubleClickListRow(3);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 4);
  EXPECT_TRUE(FormHasFocusIn("b029"));
  EXPECT_EQ(ListedPages(), QStringList{"4"});
  EXPECT_TRUE(list->isVisible());
  EXPECT_FALSE(list->JumpInProgress());

  form->tbCheck->Click();
  DoubleClickListRow(1);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 1);
  EXPECT_TRUE(FormHasFocusIn("z003"));
  EXPECT_EQ(ListedPages(), (QStringList{"1", "4"}));

  // A rule of the page on screen: the field only, the list as it was.
  DoubleClickListRow(1);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 1);
  EXPECT_TRUE(FormHasFocusIn("z003"));
  EXPECT_EQ(ListedPages(), (QStringList{"1", "4"}));
}

TEST_F(SurveyDataFormLogicTest, PageChangeChecksThePageEnteredThenThePageLeft) {
  AddRuleRecord(kCode, CleanWith({{"z003", 12}, {"b029", 5}}));
  Open(false);
  // Leaving the cover runs the cover check only.
  form->DataPage->SetActivePageIndex(4);
  EXPECT_TRUE(list->IsMessageListEmpty());
  EXPECT_FALSE(list->isVisible());

  form->DataPage->SetActivePageIndex(1);
  EXPECT_EQ(ListedRows(), (std::vector<QStringList>{Listed("z003 > z001"),
                                                    Listed("b028 + b029 <> 0 and not (b028 * b029 > 0 and b029 > b028)")}));
  EXPECT_TRUE(list->isVisible());
  // The list shows itself without taking the keyboard from the form.
  QApplication::processEvents();
  EXPECT_TRUE(FormHasFocusIn("z001"));

  // Back to the cover, which has no rules: the page left only.
  form->DataPage->SetActivePageIndex(0);
  EXPECT_EQ(ListedPages(), QStringList{"1"});
  form->DataPage->SetActivePageIndex(1);
  EXPECT_TRUE(list->IsMessageListEmpty());
  EXPECT_FALSE(list->isVisible());

  // A corrected field counts at once.
  Num("z003")->SetValue(0);
  form->DataPage->SetActivePageIndex(4);
  EXPECT_EQ(ListedPages(), QStringList{"4"});
  EXPECT_TRUE(hooks.Messages.empty());
}

} // namespace
