// The locate dialog: by code (twelve digits, not found, found) and by a part of the name
// (the first match; "%", "_" and an apostrophe taken as typed), the radio buttons
// following the typing, and the main window's Ctrl+L.
#include "windows/dialogs/LocateForm.h"

#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwRadioButton.h"
#include "core/RegistrySettings.h"
#include "platform/ime/InputMethods.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/windows/dialogs/GroupDialogsSupport.h"
#include "windows/shared/VKValidEdit.h"
#include "tests/windows/shared/BarLooks.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

TEST(ContainsPattern, WildcardsOfTheTextMatchOnlyThemselves) {
  EXPECT_EQ(ContainsPattern(QStringLiteral("工会")), QStringLiteral("%工会%"));
  EXPECT_EQ(ContainsPattern(QStringLiteral("5%_a\\b")), QStringLiteral("%5\\%\\_a\\\\b%"));
  EXPECT_EQ(ContainsPattern(QString()), QStringLiteral("%%"));
}

class LocateFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    Db.Add({{110000000001, QStringLiteral("北京市总工会")},
            {110000000002, QStringLiteral("百分之5%工会")},
            {110000000003, QStringLiteral("百分之50工会")},
            {120000000001, QStringLiteral("天津市'河西'总工会")},
            {120000000002, QStringLiteral("天津市总工会")}});
    Records.SetSQL(QStringLiteral("SELECT * from view_data order by c901 asc"));
    Records.Open();
    form.reset(NewForm<TdlgLocateForm>(nullptr, &Db.Connection, &Records));
    form->Show();
  }

  // Locates by name and returns the code the list then stands on.
  qint64 ByName(const QString& text) {
    Records.First();
    form->SetModalResult(mrNone);
    form->c902->SetText(text);
    form->tbSumClick();
    return Records.FieldByName(QStringLiteral("c901"))->AsLargeInt();
  }
  QString LastMessage() const { return hooks.Messages.empty() ? QString() : hooks.Messages.back().Text; }

  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  fwtest::GroupDatabase Db;
  TADOQuery Records{&Db.Connection};
  std::unique_ptr<TdlgLocateForm> form;
};

TEST_F(LocateFormTest, ByCodeNeedsAllTwelveDigits) {
  EXPECT_EQ(form->Caption(), QStringLiteral("定位数据记录"));
  EXPECT_EQ(form->ClientWidth(), 380);
  EXPECT_EQ(form->ClientHeight(), 112);
  EXPECT_TRUE(form->rad901->Checked());

  form->c901->SetText(QStringLiteral("12000000000"));
  form->tbSumClick();
  EXPECT_EQ(LastMessage(), kCodeLengthMessage);
  EXPECT_EQ(form->ModalResult(), mrNone);

  form->c901->SetText(QStringLiteral("120000000009"));
  form->tbSumClick();
  EXPECT_EQ(LastMessage(), kNothingFoundMessage);
  EXPECT_EQ(form->ModalResult(), mrNone);
  EXPECT_EQ(Records.RecNo(), 1);

  form->c901->SetText(QStringLiteral("120000000001"));
  form->tbSumClick();
  EXPECT_EQ(form->ModalResult(), mrOk);
  EXPECT_EQ(Records.FieldByName(QStringLiteral("c901"))->AsLargeInt(), 120000000001);
  EXPECT_EQ(hooks.Messages.size(), 2u);
}

TEST_F(LocateFormTest, ByNameTheFirstMatchWithTheTextTakenAsTyped) {
  // Typing in an edit chooses its way of locating.
  form->c902->SetText(QStringLiteral("x"));
  EXPECT_TRUE(form->rad902->Checked());
  form->c901->SetText(QStringLiteral("1"));
  EXPECT_TRUE(form->rad901->Checked());

  EXPECT_EQ(ByName(QStringLiteral("  天津市 ")), 120000000001);
  EXPECT_EQ(form->ModalResult(), mrOk);
  EXPECT_EQ(ByName(QStringLiteral("总工会")), 110000000001);
  EXPECT_EQ(ByName(QStringLiteral("'河西'")), 120000000001);
  EXPECT_EQ(ByName(QStringLiteral("5%")), 110000000002);
  EXPECT_EQ(ByName(QStringLiteral("之_0")), 110000000001);
  EXPECT_EQ(form->ModalResult(), mrNone);
  EXPECT_EQ(LastMessage(), kNothingFoundMessage);
  EXPECT_EQ(ByName(QStringLiteral("%' or '1'='1")), 110000000001);
  EXPECT_EQ(LastMessage(), kNothingFoundMessage);
  EXPECT_EQ(hooks.Messages.size(), 2u);
}

TEST_F(LocateFormTest, EnteringTheNameSwitchesToThePreferredInputMethod) {
  QStringList switched;
  const TInputMethodBackend previous = InstallInputMethodBackend({[] { return TInputMethodList{{"pinyin", "拼音"}}; },
                                                                  [&](const QString& name) {
                                                                    switched << name;
                                                                    return true;
                                                                  }});
  const QString before = ImePrefer;
  ImePrefer = QStringLiteral("拼音");
  QApplication::setActiveWindow(form.get());
  form->activateWindow();
  (void)QTest::qWaitForWindowActive(form.get());
  form->c901->SetFocus();
  form->c902->SetFocus();
  form->c901->SetFocus();
  EXPECT_EQ(switched, QStringList{QStringLiteral("拼音")});
  ImePrefer = before;
  InstallInputMethodBackend(previous);
}

// The dialog opens with the code edit focused, so a code can be typed at once.
TEST_F(LocateFormTest, TheCodeIsTypedRightAway) {
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("120000000001"));
  EXPECT_EQ(form->c901->Text(), QStringLiteral("120000000001"));
  EXPECT_TRUE(form->rad901->Checked());
}

// The program keeps the dialog made at start. Shown again it is a new one: by code, both
// edits empty, and the focus on the code again, not back in the name.
TEST_F(LocateFormTest, ShownAgainItStartsByCodeWithEmptyEdits) {
  QApplication::setActiveWindow(form.get());
  (void)QTest::qWaitForWindowActive(form.get());
  QWidget* firstFocus = QApplication::focusWidget();
  form->c902->SetFocus();
  EXPECT_EQ(ByName(QStringLiteral("总工会")), 110000000001);
  EXPECT_EQ(form->ModalResult(), mrOk);
  form->Hide();

  form->Show();
  QApplication::setActiveWindow(form.get());
  (void)QTest::qWaitForWindowActive(form.get());
  EXPECT_TRUE(form->rad901->Checked());
  EXPECT_FALSE(form->rad902->Checked());
  EXPECT_EQ(form->c901->Text(), QString());
  EXPECT_EQ(form->c902->Text(), QString());
  EXPECT_EQ(QApplication::focusWidget(), firstFocus);
}

class LocateActionTest : public fwtest::MainFormFixture {};

TEST_F(LocateActionTest, CtrlLLocatesInTheMainListWhileItHasRecords) {
  TMainForm* main = Start();
  ASSERT_NE(main, nullptr);
  int shown = 0;
  ScopedModalScript modal([&](TForm& form) {
    ++shown;
    auto& locate = dynamic_cast<TdlgLocateForm&>(form);
    locate.c901->SetText(QStringLiteral("110000000002"));
    locate.tbSumClick();
    return int(mrCancel);
  });
  WORD key = 'L';
  main->OnKeyDown(main, key, ssCtrl);
  EXPECT_EQ(shown, 0);

  AddRecords({110000000001, 110000000002, 110000000003});
  main->Data().ReportQuery->Requery();
  main->ActionList1->UpdateActions();
  main->OnKeyDown(main, key, ssCtrl);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(main->Data().ReportQuery->FieldByName(QStringLiteral("c901"))->AsLargeInt(), 110000000002);
}

} // namespace

TEST_F(LocateFormTest, ButtonsWithPicturesAndHints) {
  fwtest::ExpectBars(*form, {{"FwToolbar1", TAlign::alNone, TFwToolbarTextOptions::ttoSelectiveTextOnRight, true, TFrameStyleEx::fsNone, 1, 0, 0}});
  fwtest::ExpectButtons(*form, {{"tbSum", 75, blkHot, false, false, false}, {"tbReturn", 75, blkHot, false, false, false}});
}
