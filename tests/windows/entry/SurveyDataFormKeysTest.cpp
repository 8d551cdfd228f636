// The entry form while the user types: the level's field rules, the filling-state
// switch, the cover editors' exit checks, the pickers, the key filters, Enter and the
// arrows across all pages, Ctrl+S, the page change and the input-method switch.
#include "EntryFormFixture.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/navigation/FwPageControl.h"
#include "platform/ime/InputMethods.h"
#include "platform/ui/MenuItem.h"
#include "controls/common/FwRichEdit.h"
#include "windows/shared/CityNameForm.h"
#include "windows/shared/VKValidEdit.h"

#include <QFile>
#include <functional>
#include <QLineEdit>

namespace {

using namespace fw;
using namespace fwtest;

constexpr qint64 kCode = 110101000001LL;

class SurveyDataFormKeysTest : public EntryFormFixture {
protected:
  TFwNumericEdit* Num(const char* name) { return form->NumericEditor(QString::fromLatin1(name)); }
  QWidget* Focused() { return QApplication::focusWidget(); }
  bool HasFocus(TWinControl* editor) { return editor->Focused(); }
  void Press(TWinControl* editor, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : editor;
    QTest::keyClick(target, key, modifiers);
    QApplication::processEvents();
  }
  void Type(TEdit* edit, const QString& text) {
    edit->SetFocus();
    QTest::keyClicks(edit->Widget(), text);
  }
};

TEST_F(SurveyDataFormKeysTest, LevelRulesCloseAndEmptyFieldsAndReopenThem) {
  AddRecord(kCode, QString(), 1, 1);
  Open(false);
  EXPECT_TRUE(Num("x001")->Enabled());
  EXPECT_TRUE(Num("g001")->Enabled());
  Num("x001")->SetValue(8);
  Num("g001")->SetValue(3);
  form->c904->SetValue(10);
  form->c904Exit(form->c904);
  EXPECT_EQ(form->LevelName->Text(), "乡镇(街道)工会");
  EXPECT_FALSE(Num("x001")->Enabled());
  EXPECT_FALSE(Num("g001")->Enabled());
  EXPECT_EQ(Num("x001")->IntValue(), 0);
  EXPECT_TRUE(Num("z001")->Enabled()); // no rule: always open
  form->c904->SetValue(4);
  form->c904Exit(form->c904);
  EXPECT_FALSE(Num("x001")->Enabled()); // <4
  EXPECT_TRUE(Num("g001")->Enabled());  // in [1,2,4]
  EXPECT_EQ(Num("g001")->Text(), "");
}

TEST_F(SurveyDataFormKeysTest, FillingStateAboveTwoClosesAndZeroesEverySheetEditor) {
  AddRecord(kCode);
  Open(false);
  messages.AddMessage("r", "e", "z001", 1);
  form->c907->SetValue(3);
  form->c907Exit(form->c907);
  EXPECT_EQ(form->StateName->Text(), "本年度已撤销");
  ASSERT_EQ(form->SheetEditors().size(), 156u);
  for (TFwNumericEdit* edit : form->SheetEditors()) {
    EXPECT_FALSE(edit->Enabled()) << edit->Name().toStdString();
    EXPECT_EQ(edit->Value(), 0) << edit->Name().toStdString();
  }
  EXPECT_TRUE(messages.Rows.empty());
  EXPECT_FALSE(form->tbCheck->Enabled());
  EXPECT_FALSE(form->tbHold->Enabled());

  form->c907->SetValue(1);
  form->c907Exit(form->c907);
  EXPECT_TRUE(form->tbCheck->Enabled());
  EXPECT_TRUE(Num("z001")->Enabled());
  EXPECT_FALSE(Num("x001")->Enabled()); // level 10: the rule "<4" applies again
}

TEST_F(SurveyDataFormKeysTest, StatePickerSwitchesThroughTheCodeMenu) {
  AddRecord(kCode);
  Open(false);
  form->StateNameButtonClick();
  TMenuItem* items = ToolForm->CodePopupMenu->Items();
  ASSERT_EQ(items->Count(), int(StateCodeList.size()));
  TMenuItem* revoked = nullptr;
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->Tag() == 3) revoked = items->Items(i);
  ASSERT_NE(revoked, nullptr);
  revoked->Click();
  ToolForm->CodePopupMenu->Menu()->hide();
  EXPECT_EQ(form->c907->IntValue(), 3);
  EXPECT_EQ(form->StateName->Tag(), 3);
  EXPECT_FALSE(Num("z001")->Enabled());
}

TEST_F(SurveyDataFormKeysTest, CoverExitChecksShowTheirMessages) {
  AddRecord(kCode);
  Open(false);
  form->c905->SetText(QStringLiteral("张3"));
  form->c905Exit(form->c905);
  EXPECT_EQ(MessageTexts().last(), "填表人必须为汉字");
  form->c906->SetText(QString());
  hooks.Messages.clear();
  form->c906Exit(form->c906);
  EXPECT_EQ(MessageTexts(), (QStringList{"必须输入联系电话", "联系电话必须是真实有效的7位、8位(可加区号)或11位!"}));
  hooks.Messages.clear();
  form->c903->SetValue(999999);
  form->c903Exit(form->c903);
  EXPECT_EQ(MessageTexts(), QStringList{"输入的行政区划代码错误，请重新输入，或用对话框选择"});
  form->c901->SetText(QStringLiteral("1101"));
  form->c901Exit(form->c901);
  EXPECT_EQ(MessageTexts().last(), "工会统计编码必须为12位");
}

// A form that closes checks no field on the way out: the empty filling state left in its
// editor raises nothing, not even when the window system hands the closed form the
// activation its question box took (late, as it does), which moves the focus on.
TEST_F(SurveyDataFormKeysTest, AClosedFormRaisesNoFieldMessage) {
  AddRecord(kCode);
  Open(false);
  form->c907->SetFocus();
  form->c907->SetText(QString());
  ASSERT_TRUE(HasFocus(form->c907));
  hooks.MessageAnswers = {IDNO};
  form->close();
  ASSERT_FALSE(form->isVisible());
  QApplication::setActiveWindow(form.get());
  QApplication::processEvents();
  EXPECT_EQ(MessageTexts(), QStringList{"对数据改动后尚未保存，准备保存这些改动吗？"});
}

TEST_F(SurveyDataFormKeysTest, KeyFiltersOfTheCoverTexts) {
  AddRecord(kCode);
  Open(false);
  form->c905->SetText(QString());
  Type(form->c905, QStringLiteral("ab1."));
  EXPECT_EQ(form->c905->Text(), "");
  EXPECT_EQ(hooks.Beeps, 0);  // discarded without a sound
  form->c905->SetText(QStringLiteral("张三"));
  form->c906->SetText(QString());
  Type(form->c906, QStringLiteral("010-x6'5"));
  EXPECT_EQ(form->c906->Text(), "010-65");
  form->c906->SetText(QStringLiteral("01065001234"));
  form->c902->SetText(QString());
  Type(form->c902, QStringLiteral("A'B\"C`D"));
  EXPECT_EQ(form->c902->Text(), "ABCD");
  EXPECT_EQ(hooks.Beeps, 0);
}

TEST_F(SurveyDataFormKeysTest, EnterAndDownWalkTheEditorsAcrossPages) {
  AddRecord(kCode);
  Open(false);
  ASSERT_TRUE(HasFocus(form->c901));
  Press(form->c901, Qt::Key_Return);
  EXPECT_TRUE(HasFocus(form->c902));
  Press(form->c902, Qt::Key_Down);
  EXPECT_TRUE(HasFocus(form->c903));
  form->c906->SetFocus();
  Press(form->c906, Qt::Key_Return);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 1);
  EXPECT_TRUE(HasFocus(Num("z001")));
  Press(Num("z001"), Qt::Key_Up);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 0);
  EXPECT_TRUE(HasFocus(form->c906));
}

// Every way into a field but a mouse press selects its whole text (a formatted amount's
// too), so that what the clerk types replaces the value instead of adding to it; a press
// places the caret and selects nothing.
TEST_F(SurveyDataFormKeysTest, EnteringAFieldSelectsItsTextSoTypingReplacesIt) {
  AddRecord(kCode);
  db.Connection.Execute(QStringLiteral("update dt_data set z001=12015"));
  struct Case {
    const char* path;
    std::function<TEdit*()> enter; // moves the focus and names the field it must reach
  };
  const Case cases[] = {
      {"load", [&] { return form->c901; }},
      {"Enter", [&] { form->c902->SetFocus(); Press(form->c902, Qt::Key_Return); return form->c903; }},
      {"Down", [&] { form->c903->SetFocus(); Press(form->c903, Qt::Key_Down); return form->c904; }},
      {"Up", [&] { form->c904->SetFocus(); Press(form->c904, Qt::Key_Up); return form->c903; }},
      {"Tab", [&] { form->c904->SetFocus(); Press(form->c904, Qt::Key_Tab); return form->c907; }},
      {"page change", [&] { form->c906->SetFocus(); Press(form->c906, Qt::Key_Return); return Num("z001"); }},
      {"refused field",
       [&] {
         form->c903->SetValue(999999);
         form->c903->SetFocus();
         Press(form->c903, Qt::Key_Return);
         return form->c903;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    Open(false);
    TEdit* field = c.enter();
    ASSERT_TRUE(HasFocus(field));
    ASSERT_FALSE(field->Text().isEmpty());
    EXPECT_EQ(field->SelStart(), 0);
    EXPECT_EQ(field->SelLength(), field->Text().size()) << field->Text().toStdString();
    QTest::keyClicks(Focused(), QStringLiteral("15"));
    EXPECT_EQ(field->Text(), "15");
    form->tbReturn->Click();
  }

  Open(false);
  form->DataPage->SetActivePageIndex(1);
  ASSERT_EQ(Num("z001")->Text(), "12,015");
  QLineEdit* line = Num("z001")->Widget();
  QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(line->width() - 4, line->height() / 2));
  ASSERT_TRUE(HasFocus(Num("z001")));
  EXPECT_EQ(Num("z001")->SelLength(), 0);
  EXPECT_EQ(Num("z001")->SelStart(), Num("z001")->Text().size());
}

// Level 10 closes 表2 (x, "<4") and 表11 (g, "in [1,2,4]"): the walk passes over them.
TEST_F(SurveyDataFormKeysTest, DisabledEditorsAreSkipped) {
  AddRecord(kCode);
  Open(false);
  form->DataPage->SetActivePageIndex(1);
  Num("z016")->SetFocus();
  Press(Num("z016"), Qt::Key_Return);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 3);
  EXPECT_TRUE(HasFocus(Num("p001")));
  form->DataPage->SetActivePageIndex(0);
  form->c901->SetFocus();
  Press(form->c901, Qt::Key_Up);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 11);
  EXPECT_TRUE(HasFocus(Num("w011")));
}

TEST_F(SurveyDataFormKeysTest, UpOnTheFirstCoverEditorReachesTheLastSheetEditor) {
  AddRecord(kCode, QString(), 1, 1);
  Open(false);
  ASSERT_TRUE(HasFocus(form->c901));
  Press(form->c901, Qt::Key_Up);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 12);
  EXPECT_TRUE(HasFocus(Num("g004")));
}

TEST_F(SurveyDataFormKeysTest, EnterOnTheLastSheetEditorSavesWithTheChecks) {
  AddRecord(kCode, QString(), 1, 1);
  db.Connection.Execute(QStringLiteral("update dt_data set RecordState=0"));
  Open(false);
  form->DataPage->SetActivePageIndex(12);
  Num("g004")->SetFocus();
  Press(Num("g004"), Qt::Key_Return);
  EXPECT_EQ(checker.AllChecks, 1);
  EXPECT_EQ(MessageTexts().last(), "数据保存成功，没有逻辑错误！");
  EXPECT_EQ(Stored(kCode, "RecordState").toInt(), 1);
}

// Ctrl+S holds whether or not 临时保存 is open: a saved record is stored again as held.
TEST_F(SurveyDataFormKeysTest, CtrlSHoldsEvenAfterASave) {
  AddRecord(kCode);
  Open(false);
  ASSERT_FALSE(form->tbHold->Enabled());
  Press(form->c901, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Stored(kCode, "RecordState").toInt(), 0);
  EXPECT_EQ(MessageTexts().last(), "数据已经被临时保存。");
  Num("z001")->SetValue(77);
  Press(form->c901, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Stored(kCode, "z001").toInt(), 77);
  ASSERT_TRUE(form->tbSaveClick(form->tbSave));
  ASSERT_EQ(Stored(kCode, "RecordState").toInt(), 1);
  Press(form->c901, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Stored(kCode, "RecordState").toInt(), 0);
  EXPECT_EQ(MessageTexts().last(), "数据已经被临时保存。");
}

TEST_F(SurveyDataFormKeysTest, PageChangeChecksCoverAndPageRules) {
  AddRecord(kCode);
  Open(false);
  // Leaving a broken cover is refused, with the cover check's message.
  form->c902->SetText(QString());
  form->DataPage->SetActivePageIndex(4);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 0);
  EXPECT_EQ(MessageTexts().last(), "必须输入本级工会名称");
  EXPECT_TRUE(checker.Checked.empty());
  form->c902->SetText(QStringLiteral("工会"));
  form->DataPage->SetActivePageIndex(4);
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 4);
  EXPECT_TRUE(checker.Checked.empty()); // the cover runs no page rules
  // Leaving a sheet: the page entered, then the page left.
  checker.BrokenPages[4] = QStringLiteral("b001");
  form->DataPage->SetActivePageIndex(6);
  EXPECT_EQ(checker.Checked, (std::vector<int>{6, 4}));
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 6);
  EXPECT_EQ(messages.Rows.size(), 1u);
  EXPECT_TRUE(HasFocus(Num("f001")));
}

TEST_F(SurveyDataFormKeysTest, JumpToARuleTurnsThePageAndFocusesTheField) {
  AddRecord(kCode);
  Open(false);
  messages.Jumping = true;
  form->JumpToRule(9, QStringLiteral("J005"));
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 9);
  EXPECT_TRUE(HasFocus(Num("j005")));
  EXPECT_EQ(checker.Checked, std::vector<int>{9}); // jumping from the cover checks the page entered
  double value = -1;
  EXPECT_TRUE(form->RuleEditorValue(QStringLiteral("Z001"), value));
  EXPECT_EQ(value, 120);
  EXPECT_TRUE(form->RuleEditorValue(QStringLiteral("z003"), value));
  EXPECT_EQ(value, 0);
  EXPECT_FALSE(form->RuleEditorValue(QStringLiteral("q001"), value));
}

TEST_F(SurveyDataFormKeysTest, NotesFollowThePageAndMissingNotesLeaveThePaneEmpty) {
  AddRecord(kCode);
  Open(false);
  EXPECT_FALSE(form->rtfNotes->Text().isEmpty());
  form->DataPage->SetActivePageIndex(1);
  EXPECT_TRUE(form->rtfNotes->Text().contains("表1") || form->rtfNotes->Text().contains("表一"));
  QFile::remove(form->NotesDir + "TableNotesQZ-02.html");
  form->DataPage->SetActivePageIndex(2);
  EXPECT_TRUE(form->rtfNotes->Text().isEmpty());
}

TEST_F(SurveyDataFormKeysTest, ChineseTextFieldsSwitchToThePreferredInputMethod) {
  QStringList switched;
  TInputMethodBackend previous = InstallInputMethodBackend(
      {[] { return TInputMethodList{{"pinyin", "拼音"}}; },
       [&](const QString& name) {
         switched << name;
         return true;
       }});
  ImePrefer = QStringLiteral("拼音");
  AddRecord(kCode);
  Open(false);
  form->c902->SetFocus();
  form->c905->SetFocus();
  Num("z001")->SetFocus();
  EXPECT_EQ(switched, (QStringList{"拼音", "拼音"}));
  InstallInputMethodBackend(previous);
}

} // namespace

namespace {

using namespace fw;
using namespace fwtest;

class SurveyDataFormPickerTest : public EntryFormFixture {};

TEST_F(SurveyDataFormPickerTest, RegionPickerStartsAtTheRegionAndSetsTheChosenOne) {
  AddRecord(110101000001LL);
  Open(false);
  int start = 0;
  ScopedModalScript script([&](TForm& shown) {
    auto& picker = static_cast<TCityNameForm&>(shown);
    start = picker.Code;
    picker.Code = 110105;
    picker.CombName = QStringLiteral("北京市朝阳区");
    return mrOk;
  });
  form->CityNameCtrlButtonClick();
  EXPECT_EQ(start, 110101);
  EXPECT_EQ(form->c903->IntValue(), 110105);
  EXPECT_EQ(form->CityNameCtrl->Text(), "北京市朝阳区");
  EXPECT_EQ(form->CityNameCtrl->Tag(), 110105);
  EXPECT_TRUE(form->ChangesPending());
}

} // namespace
