// The entry form's loading and storing through its public behaviour: the defaults of a
// new record, holding and saving (one row, its RecordState, the remembered cover
// defaults), the cover check's refusals, the close query, navigation and printing, and
// a store that fails leaving the stored row as it was.
#include "EntryFormFixture.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolbar.h"
#include "controls/navigation/FwPageControl.h"
#include "core/RegistrySettings.h"
#include "platform/sheet/SheetApplication.h"
#include "platform/ui/Action.h"
#include "platform/ui/Label.h"
#include "windows/shared/VKValidEdit.h"
#include "tests/windows/shared/BarLooks.h"

namespace {

using namespace fw;
using namespace fwtest;

constexpr qint64 kFirst = 110101000001LL;
constexpr qint64 kSecond = 110101000002LL;

QString EnvKey() { return ProductKey(kProductName) + kEnvSettingSubKey; }
QString DataKey() { return ProductKey(kProductName) + kDataSubKey; }

class SurveyDataFormTest : public EntryFormFixture {
protected:
  // Fills the cover of a new record so that it passes the cover check.
  void FillCover(qint64 code) {
    form->c901->SetText(QString::number(code));
    form->c902->SetText(QStringLiteral("新建工会"));
    form->c903->SetValue(110101);
    form->c907->SetValue(1);
    form->c905->SetText(QStringLiteral("王五"));
    form->c906->SetText(QStringLiteral("010-65001234"));
  }
  TFwNumericEdit* Num(const char* name) { return form->NumericEditor(QString::fromLatin1(name)); }
};

TEST_F(SurveyDataFormTest, NewRecordTakesNextCodeAndRememberedCoverDefaults) {
  AddRecord(kFirst);
  RegWriteInteger(QStringLiteral("AppLastCity"), 110102, TRootKey::HKEY_LOCAL_MACHINE, EnvKey());
  RegWriteString(QStringLiteral("c905"), QStringLiteral("李四"), TRootKey::HKEY_LOCAL_MACHINE, DataKey());
  RegWriteString(QStringLiteral("c906"), QStringLiteral("01088886666"), TRootKey::HKEY_LOCAL_MACHINE, DataKey());
  Open(true);
  EXPECT_EQ(form->c901->Text(), QString::number(kFirst + 1));
  EXPECT_EQ(form->c903->IntValue(), 110102);
  EXPECT_EQ(form->CityNameCtrl->Text(), "北京市西城区");
  EXPECT_EQ(form->CityNameCtrl->Tag(), 110102);
  EXPECT_EQ(form->c904->IntValue(), 10);
  EXPECT_EQ(form->LevelName->Text(), "乡镇(街道)工会");
  EXPECT_EQ(form->c907->IntValue(), 0);
  EXPECT_EQ(form->StateName->Text(), "");
  EXPECT_EQ(form->c905->Text(), "李四");
  EXPECT_EQ(form->c906->Text(), "01088886666");
  EXPECT_EQ(form->c902->Text(), "");
  EXPECT_EQ(Num("z001")->Text(), "");
  // Add mode: printing off, no navigation, the visible store button is 保存记录 (tbAdd).
  EXPECT_FALSE(form->tbPrint->Enabled());
  EXPECT_FALSE(form->NavBar->Visible());
  EXPECT_FALSE(form->ItemNo->Visible());
  EXPECT_TRUE(form->tbAdd->Visible());
  EXPECT_FALSE(form->tbSave->Visible());
  EXPECT_FALSE(form->tbHold->Enabled());
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 0);
}

TEST_F(SurveyDataFormTest, EmptyTableProposesZeroWhichTheCoverCheckRefuses) {
  Open(true);
  EXPECT_EQ(form->c901->Text(), "0");
  form->c902->SetText(QStringLiteral("新建工会"));
  EXPECT_FALSE(form->tbSaveClick(form->tbAdd));
  EXPECT_EQ(MessageTexts().value(0), "本级工会编码必须大于100000000000且必须为12位!");
  EXPECT_EQ(Count(), 0);
}

TEST_F(SurveyDataFormTest, HoldAppendsOnceThenEditsAndSaveKeepsTheRow) {
  AddRecord(kFirst);
  Open(true);
  FillCover(kSecond);
  Num("z001")->SetValue(5);
  ASSERT_TRUE(form->tbHoldClick());
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Stored(kSecond, "RecordState").toInt(), 0);
  EXPECT_FALSE(form->tbHold->Enabled());
  EXPECT_EQ(MessageTexts().last(), "数据已经被临时保存。");

  Num("z001")->SetValue(6);
  ASSERT_TRUE(form->tbHoldClick());
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Stored(kSecond, "z001").toInt(), 6);

  Num("z001")->SetValue(7);
  ASSERT_TRUE(form->tbSaveClick(form->tbAdd));
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Stored(kSecond, "z001").toInt(), 7);
  EXPECT_EQ(Stored(kSecond, "RecordState").toInt(), 1);
  EXPECT_EQ(MessageTexts().last(), "数据保存成功，没有逻辑错误！");
  // A blank record for the next organisation, with the cover just stored as defaults.
  EXPECT_EQ(form->c901->Text(), QString::number(kSecond + 1));
  EXPECT_EQ(form->c902->Text(), "");
  EXPECT_EQ(form->c905->Text(), "王五");
  EXPECT_EQ(form->c906->Text(), "010-65001234");
  EXPECT_EQ(form->c904->IntValue(), 10);
  EXPECT_EQ(form->c907->IntValue(), 0);
  EXPECT_EQ(Num("z001")->Text(), "");
  // The next store appends again.
  FillCover(kSecond + 1);
  ASSERT_TRUE(form->tbSaveClick(form->tbAdd));
  EXPECT_EQ(Count(), 3);
}

TEST_F(SurveyDataFormTest, SaveRemembersRegionFillerAndTelephone) {
  Open(true);
  FillCover(kFirst);
  form->c903->SetValue(110105);
  ASSERT_TRUE(form->tbSaveClick(form->tbAdd));
  EXPECT_EQ(RegReadInteger(QStringLiteral("AppLastCity"), 0, TRootKey::HKEY_LOCAL_MACHINE, EnvKey()), 110105);
  QString filler, telephone;
  RegReadString(QStringLiteral("c905"), QString(), TRootKey::HKEY_LOCAL_MACHINE, filler, DataKey());
  RegReadString(QStringLiteral("c906"), QString(), TRootKey::HKEY_LOCAL_MACHINE, telephone, DataKey());
  EXPECT_EQ(filler, "王五");
  EXPECT_EQ(telephone, "010-65001234");
}

// Defaults that cannot be remembered: the record is stored, each failed value is named
// in the registry's error, and the form goes on to the next new record.
TEST_F(SurveyDataFormTest, DefaultsThatCannotBeRememberedAreShownAndTheSaveGoesOn) {
  Open(true);
  users.MakeMachineSettingsUnwritable();
  FillCover(kFirst);
  ASSERT_TRUE(form->tbSaveClick(form->tbAdd));
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(MessageTexts(), (QStringList{"数据保存成功，没有逻辑错误！", "Failed to set data for 'AppLastCity'",
                                         "Failed to set data for 'c905'", "Failed to set data for 'c906'"}));
  EXPECT_EQ(form->c901->Text(), QString::number(kFirst + 1));
}

TEST_F(SurveyDataFormTest, RecordStateFollowsHoldAndTheRules) {
  AddRecord(kFirst);
  Open(false);
  EXPECT_TRUE(form->tbSave->Visible());
  EXPECT_FALSE(form->tbAdd->Visible());
  EXPECT_TRUE(form->tbPrint->Enabled());

  ASSERT_TRUE(form->tbHoldClick());
  EXPECT_EQ(Stored(kFirst, "RecordState").toInt(), 0);

  checker.BrokenPages[3] = QStringLiteral("p001");
  ASSERT_TRUE(form->tbSaveClick(form->tbSave));
  EXPECT_EQ(Stored(kFirst, "RecordState").toInt(), 2);
  EXPECT_EQ(MessageTexts().last(), "数据保存成功，有逻辑错误！");
  EXPECT_TRUE(messages.Shown);
  EXPECT_EQ(Count(), 1);

  checker.BrokenPages.clear();
  ASSERT_TRUE(form->tbSaveClick(form->tbSave));
  EXPECT_EQ(Stored(kFirst, "RecordState").toInt(), 1);
  EXPECT_EQ(MessageTexts().last(), "数据保存成功，没有逻辑错误！");
}

// With the filling state above 2 the rules do not run: a list left from an earlier check
// is cleared first and does not make the record one with errors.
TEST_F(SurveyDataFormTest, StaleListDoesNotDecideStateOfNonReportingRecord) {
  AddRecord(kFirst, QString(), 3);
  Open(false);
  messages.AddMessage("old", "old", "z001", 1);
  ASSERT_TRUE(form->tbSaveClick(form->tbSave));
  EXPECT_EQ(checker.AllChecks, 0);
  EXPECT_EQ(Stored(kFirst, "RecordState").toInt(), 1);
}

TEST_F(SurveyDataFormTest, CodeOfAnotherRecordIsRefused) {
  AddRecord(kFirst);
  AddRecord(kSecond);
  Open(false, 2);
  const auto before = db.Rows();
  form->DataPage->SetActivePageIndex(1);
  form->c901->SetText(QString::number(kFirst));
  EXPECT_FALSE(form->tbSaveClick(form->tbSave));
  EXPECT_EQ(MessageTexts().last(), QStringLiteral("在修改数据时，将本级工会编码改为%1，该编码的数据已经存在，请改用其它编码。").arg(kFirst));
  EXPECT_EQ(db.Rows(), before);
  EXPECT_FALSE(form->tbSave->Enabled());
  EXPECT_FALSE(form->tbHold->Enabled());
  EXPECT_EQ(form->DataPage->ActivePageIndex(), 0);
}

// The refusal turns storing off but leaves the changes unstored: the close box asks, a
// Yes meets the refusal again and keeps the form open; 返回 still drops them unasked.
TEST_F(SurveyDataFormTest, CloseAfterARefusedCodeAsksAndKeepsTheChanges) {
  AddRecord(kFirst);
  AddRecord(kSecond);
  Open(false, 2);
  form->c902->SetText(QStringLiteral("改过的名称"));
  Num("z001")->SetValue(77);
  form->c901->SetText(QString::number(kFirst));
  ASSERT_FALSE(form->tbSaveClick(form->tbSave));
  ASSERT_FALSE(form->tbSave->Enabled());
  hooks.Messages.clear();

  hooks.MessageAnswers = {IDYES};
  form->Close();
  ASSERT_EQ(MessageTexts().size(), 2);
  EXPECT_EQ(MessageTexts().front(), "对数据改动后尚未保存，准备保存这些改动吗？");
  EXPECT_TRUE(MessageTexts().last().contains("该编码的数据已经存在")) << MessageTexts().last().toStdString();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->c902->Text(), QStringLiteral("改过的名称"));
  EXPECT_EQ(Num("z001")->IntValue(), 77);

  hooks.Messages.clear();
  form->tbReturn->Click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(Stored(kSecond, "z001").toInt(), 120);
}

TEST_F(SurveyDataFormTest, YesNoCodeAboveTwoIsStoredAndShownAsTwo) {
  AddRecord(kFirst);
  Open(false);
  Num("z010")->SetValue(7);
  ASSERT_TRUE(form->tbHoldClick());
  EXPECT_EQ(Stored(kFirst, "z010").toInt(), 2);
  EXPECT_EQ(Num("z010")->Text(), "2");
}

// Amounts keep their cents: a stored 1234.5 is shown and written back unchanged.
TEST_F(SurveyDataFormTest, AmountsKeepTheirDecimals) {
  AddRecord(kFirst);
  Open(false);
  EXPECT_EQ(Num("b004")->Text(), "1,234.5");
  Num("z001")->SetValue(121);
  ASSERT_TRUE(form->tbHoldClick());
  EXPECT_DOUBLE_EQ(Stored(kFirst, "b004").toDouble(), 1234.5);
}

TEST_F(SurveyDataFormTest, TextWithSqlCharactersIsStoredAsTyped) {
  AddRecord(kFirst);
  Open(false);
  const QString name = QStringLiteral("工会; drop table dt_data -- %_\\");
  form->c902->SetText(name);
  ASSERT_TRUE(form->tbHoldClick());
  EXPECT_EQ(Stored(kFirst, "c902").toString(), name);
  EXPECT_EQ(Count(), 1);
}

TEST_F(SurveyDataFormTest, FailedStoreLeavesTheRowAsItWas) {
  AddRecord(kFirst);
  db.Connection.Execute(QStringLiteral("CREATE TRIGGER fail_store BEFORE UPDATE ON dt_data WHEN NEW.z003 = 777 "
                                       "BEGIN SELECT RAISE(ABORT, 'injected failure'); END"));
  Open(false);
  const auto before = db.Rows();
  Num("z001")->SetValue(999);
  form->c902->SetText(QStringLiteral("改过的名称"));
  Num("z003")->SetValue(777);
  EXPECT_FALSE(form->tbSaveClick(form->tbSave));
  const QString message = MessageTexts().last();
  EXPECT_TRUE(message.startsWith("保存过程中遇到错误：")) << message.toStdString();
  EXPECT_TRUE(message.endsWith("数据没有被保存。"));
  EXPECT_EQ(db.Rows(), before);
  // The changes stay on screen, still to be stored.
  EXPECT_TRUE(form->ChangesPending());
  EXPECT_EQ(Num("z001")->IntValue(), 999);

  // A store after the cause is gone goes through.
  Num("z003")->SetValue(3);
  ASSERT_TRUE(form->tbSaveClick(form->tbSave));
  EXPECT_EQ(Stored(kFirst, "z001").toInt(), 999);
}

TEST_F(SurveyDataFormTest, FailedAppendLeavesNoRow) {
  db.Connection.Execute(QStringLiteral("CREATE TRIGGER fail_add BEFORE INSERT ON dt_data "
                                       "BEGIN SELECT RAISE(ABORT, 'injected failure'); END"));
  Open(true);
  FillCover(kFirst);
  EXPECT_FALSE(form->tbHoldClick());
  EXPECT_EQ(Count(), 0);
  EXPECT_FALSE(form->SavedOnce);
}

TEST_F(SurveyDataFormTest, CloseWithChangesAndLogicErrorsHolds) {
  AddRecord(kFirst);
  Open(false);
  Num("z001")->SetValue(55);
  checker.BrokenPages[1] = QStringLiteral("z001");
  hooks.MessageAnswers = {IDYES};
  form->Close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(hooks.Messages.front().Text, "对数据改动后尚未保存，准备保存这些改动吗？");
  EXPECT_EQ(hooks.Messages.front().Caption, "提示信息");
  EXPECT_EQ(Stored(kFirst, "z001").toInt(), 55);
  EXPECT_EQ(Stored(kFirst, "RecordState").toInt(), 0);
  EXPECT_FALSE(messages.Shown);
}

TEST_F(SurveyDataFormTest, CloseWithoutErrorsSavesAndNoDropsTheChanges) {
  AddRecord(kFirst);
  Open(false);
  Num("z001")->SetValue(55);
  hooks.MessageAnswers = {IDYES};
  form->Close();
  EXPECT_EQ(Stored(kFirst, "RecordState").toInt(), 1);
  EXPECT_EQ(Stored(kFirst, "z001").toInt(), 55);

  Open(false);
  Num("z001")->SetValue(66);
  hooks.MessageAnswers = {IDNO};
  form->Close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Stored(kFirst, "z001").toInt(), 55);
}

TEST_F(SurveyDataFormTest, ReturnDropsChangesWithoutAsking) {
  AddRecord(kFirst);
  Open(false);
  Num("z001")->SetValue(55);
  form->tbReturn->Click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(Stored(kFirst, "z001").toInt(), 120);
}

// A close whose store fails keeps the form open, with the changes on screen.
TEST_F(SurveyDataFormTest, CloseStaysOpenWhenTheStoreFails) {
  AddRecord(kFirst);
  db.Connection.Execute(QStringLiteral("CREATE TRIGGER fail_store BEFORE UPDATE ON dt_data "
                                       "BEGIN SELECT RAISE(ABORT, 'injected failure'); END"));
  Open(false);
  Num("z001")->SetValue(55);
  hooks.MessageAnswers = {IDYES};
  form->Close();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Num("z001")->IntValue(), 55);
}

// A record switched to a filling state above 2 (hold off) still counts as changed.
TEST_F(SurveyDataFormTest, ChangedNonReportingRecordIsNotDroppedUnasked) {
  AddRecord(kFirst);
  Open(false);
  form->c907->SetValue(3);
  form->c907Exit(form->c907);
  EXPECT_FALSE(form->tbHold->Enabled());
  hooks.MessageAnswers = {IDYES};
  form->Close();
  EXPECT_EQ(hooks.Messages.front().Text, "对数据改动后尚未保存，准备保存这些改动吗？");
  EXPECT_EQ(Stored(kFirst, "c907").toInt(), 3);
  EXPECT_EQ(Stored(kFirst, "z001").toInt(), 0);
}

// Held with Ctrl+S, it has nothing left to store: the close box asks nothing and the
// record stays held, although 保存记录 is still on.
TEST_F(SurveyDataFormTest, AHeldNonReportingRecordClosesUnaskedAndStaysHeld) {
  AddRecord(kFirst);
  Open(false);
  form->c907->SetValue(3);
  form->c907Exit(form->c907);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(MessageTexts().last(), "数据已经被临时保存。");
  hooks.Messages.clear();
  form->close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(Stored(kFirst, "RecordState").toInt(), 0);
  EXPECT_EQ(Stored(kFirst, "c907").toInt(), 3);
}

TEST_F(SurveyDataFormTest, NavigationAsksOnceStoresAndShowsTheNextRecord) {
  AddRecord(kFirst);
  AddRecord(kSecond, QStringLiteral("第二个工会"));
  Open(false, 1);
  EXPECT_TRUE(form->NavBar->Visible());
  EXPECT_EQ(form->ItemNo->Caption(), "第1条/共2条");
  EXPECT_FALSE(form->actPrev->Enabled());
  EXPECT_TRUE(form->actNext->Enabled());
  Num("z001")->SetValue(42);
  hooks.MessageAnswers = {IDYES};
  form->actNext->Execute();
  EXPECT_EQ(MessageTexts().count("对数据改动后尚未保存，准备保存这些改动吗？"), 1);
  EXPECT_EQ(Stored(kFirst, "z001").toInt(), 42);
  EXPECT_EQ(form->c902->Text(), "第二个工会");
  EXPECT_EQ(form->ItemNo->Caption(), "第2条/共2条");
  EXPECT_FALSE(form->actNext->Enabled());
  EXPECT_TRUE(form->actFirst->Enabled());
  EXPECT_FALSE(form->tbSave->Enabled());
  // Nothing changed: moving back asks nothing.
  const size_t asked = hooks.Messages.size();
  form->actFirst->Execute();
  EXPECT_EQ(hooks.Messages.size(), asked);
  EXPECT_EQ(form->ItemNo->Caption(), "第1条/共2条");
}

// A record whose code was changed is stored again under its new code, however stores
// and the close follow: one row under the new code holds the last edit, none the old.
TEST_F(SurveyDataFormTest, ChangedCodeIsStoredAgainUnderTheNewCode) {
  enum Step { Hold, Save, NewCode, Edit, CloseYes };
  struct Case {
    bool addNew;
    std::vector<Step> steps;
  };
  const Case cases[] = {{false, {NewCode, Save, Edit, Save}},
                        {false, {Edit, Hold, NewCode, Hold, Edit, Save}},
                        {false, {NewCode, Hold, Edit, CloseYes}},
                        {true, {Hold, NewCode, Edit, Save}},
                        {true, {Hold, NewCode, Hold, Edit, Save}},
                        {true, {Hold, NewCode, Edit, CloseYes}}};
  constexpr qint64 kNew = 110101000099LL;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.addNew ? "add" : "modify") << " case " << (&c - cases));
    db.Connection.Execute(QStringLiteral("delete from dt_data"));
    AddRecord(kFirst);
    Open(c.addNew);
    const qint64 oldCode = c.addNew ? kSecond : kFirst;
    if (c.addNew) FillCover(kSecond);
    int last = 0;
    for (Step step : c.steps) {
      switch (step) {
      case Hold: ASSERT_TRUE(form->tbHoldClick()); break;
      case Save: ASSERT_TRUE(form->tbSaveClick(c.addNew ? form->tbAdd : form->tbSave)); break;
      case NewCode: form->c901->SetText(QString::number(kNew)); break;
      case Edit: Num("z001")->SetValue(last = 700 + int(hooks.Messages.size())); break;
      case CloseYes:
        hooks.MessageAnswers = {IDYES};
        form->Close();
        EXPECT_FALSE(form->isVisible());
        break;
      }
    }
    EXPECT_EQ(Count(QStringLiteral("c901 = %1").arg(kNew)), 1);
    EXPECT_EQ(Count(QStringLiteral("c901 = %1").arg(oldCode)), 0);
    EXPECT_EQ(Stored(kNew, "z001").toInt(), last);
    EXPECT_FALSE(MessageTexts().join('|').contains(QStringLiteral("保存过程中遇到错误")));
    if (form->isVisible()) form->tbReturn->Click();
  }
}

// After every store the source holds the stored data: moving away and back shows the
// record under its new code, the position text counts a record just added, and a new
// record after one that does not report opens as a new one.
TEST_F(SurveyDataFormTest, TheSourceFollowsEveryStore) {
  AddRecord(kFirst);
  AddRecord(kSecond, QStringLiteral("第二个工会"));
  Open(false, 1);
  constexpr qint64 kNew = 110101000099LL;
  form->c901->SetText(QString::number(kNew));
  ASSERT_TRUE(form->tbSaveClick(form->tbSave));
  EXPECT_EQ(source->FieldByName(QStringLiteral("c901"))->AsLargeInt(), kNew);
  EXPECT_EQ(form->ItemNo->Caption(), "第2条/共2条");  // now after kSecond
  form->actFirst->Execute();
  form->actNext->Execute();
  EXPECT_EQ(form->c901->Text(), QString::number(kNew));
  EXPECT_EQ(form->LoadedCode, double(kNew));
  EXPECT_EQ(form->c902->Text(), "测试工会110101000001");
  form->tbReturn->Click();

  Open(true);
  FillCover(kNew + 1);
  form->c907->SetValue(3);
  form->c907Exit(form->c907);
  EXPECT_FALSE(form->tbCheck->Enabled());
  ASSERT_TRUE(form->tbSaveClick(form->tbAdd));
  EXPECT_EQ(source->RecordCount(), 3);
  EXPECT_EQ(form->ItemNo->Caption(), "第1条/共3条");
  EXPECT_EQ(form->c907->IntValue(), 0);
  EXPECT_TRUE(form->tbCheck->Enabled());
  EXPECT_TRUE(Num("z001")->Enabled());
}

// 打  印 prints the record on screen, also after moving to another one.
TEST_F(SurveyDataFormTest, PrintTakesTheRecordOnScreen) {
  AddRecord(kFirst);
  AddRecord(kSecond);
  Open(false, 1);
  form->actNext->Execute();
  ASSERT_TRUE(form->tbPrint->Enabled());
  form->tbPrint->Click();
  ASSERT_EQ(hooks.Opened.size(), 1);
  auto app = CreateOleObject("Excel.Application");
  TWorkbook& book = app->Workbooks().Open(hooks.Opened.value(0));
  EXPECT_EQ(book.Sheets(1).Range("D5").Text(), QString::number(kSecond));
}

TEST_F(SurveyDataFormTest, ChangesTurnStoringOnAndPrintingOff) {
  AddRecord(kFirst);
  Open(false);
  EXPECT_FALSE(form->ChangesPending());
  form->c902->SetText(QStringLiteral("改名"));
  EXPECT_TRUE(form->tbSave->Enabled());
  EXPECT_TRUE(form->tbHold->Enabled());
  EXPECT_FALSE(form->tbPrint->Enabled());
  EXPECT_TRUE(form->ChangesPending());
}

TEST_F(SurveyDataFormTest, CheckReportsAnEmptyListOrShowsIt) {
  AddRecord(kFirst);
  Open(false);
  form->tbCheck->Click();
  EXPECT_EQ(MessageTexts().last(), "没有逻辑错误");
  EXPECT_FALSE(messages.Shown);
  checker.BrokenPages[2] = QStringLiteral("x001");
  form->tbCheck->Click();
  EXPECT_TRUE(messages.Shown);
  EXPECT_EQ(messages.Rows.size(), 1u);
}

} // namespace

// Both bars in the classic look; every button keeps its own width, look and caption
// switch, with hot, greyed and held-down pictures where it can be disabled; gaps (one
// grooved) set the groups of buttons apart.
TEST_F(SurveyDataFormTest, ToolBarsWithPicturesForEveryLookAndGaps) {
  constexpr unsigned all = blkHot | blkDisabled | blkDown;
  fwtest::ExpectBars(*form, {{"ToolBar1", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, false, TFrameStyleEx::fsNone, 4, 0, 1}, {"NavBar", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, false, TFrameStyleEx::fsNone, 1, 1, 0}});
  fwtest::ExpectButtons(*form, {{"tbPrint", 71, all, true, false, false}, {"tbReturn", 71, blkHot, true, false, true},
                                {"tbHold", 80, all, true, false, true}, {"tbAdd", 80, blkHot | blkDown, true, false, true},
                                {"tbSave", 80, all, true, false, true}, {"tbCheck", 80, all, true, false, true},
                                {"tbFirst", 71, all, true, false, false}, {"tbPrev", 71, all, true, false, false},
                                {"tbNext", 71, all, true, false, false}, {"tbLast", 80, all, true, false, false}});
  // Held down, every button shows the form's one picture of work starting.
  for (const char* name : {"tbPrint", "tbHold", "tbAdd", "tbSave", "tbCheck", "tbFirst", "tbPrev", "tbNext", "tbLast"})
    EXPECT_EQ(dynamic_cast<TFwToolButton*>(form->FindComponent(QString::fromLatin1(name)))->DownIndex(), 4) << name;
  // A disabled button shows its grey picture.
  form->tbHold->SetEnabled(false);
  EXPECT_EQ(form->tbHold->Look().ImageIndex, form->tbHold->DisabledIndex());
}
