// The program entry's windows: made in their order and owned by the application, none
// after a failed start; the main window's actions show the dialogs made at start and keep
// them, and make them only when the program entry did not.
#include "windows/app/StartupWindows.h"

#include "platform/ui/ActionList.h"
#include "tests/windows/main/MainFormFixture.h"
#include "windows/dialogs/AboutForm.h"
#include "windows/dialogs/CheckForm.h"
#include "windows/dialogs/DataSearchCodeForm.h"
#include "windows/dialogs/DataSearchForm.h"
#include "windows/dialogs/LocateForm.h"
#include "windows/dialogs/QueryListForm.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/dialogs/SearchForm.h"
#include "windows/dialogs/SumForm.h"
#include "windows/entry/SurveyDataForm.h"
#include "windows/shared/MessageListWinForm.h"
#include "windows/shared/ProgressBar2LineForm.h"
#include "windows/shared/ProgressBarForm.h"
#include "windows/shared/ToolForm.h"

#include <QFile>

namespace {

using namespace fw;

class StartupWindowsTest : public fwtest::MainFormFixture {
protected:
  // The forms the application owns, in the order they were made.
  std::vector<TForm*> ApplicationForms() const {
    std::vector<TForm*> forms;
    for (int i = 0; i < app->ComponentCount(); ++i)
      if (auto* form = dynamic_cast<TForm*>(app->Components(i))) forms.push_back(form);
    return forms;
  }

  // An action of the main window and the global of the dialog it shows.
  struct DialogAction {
    TAction* action;
    std::function<TForm*()> global;
  };
  static std::vector<DialogAction> DialogActions(TMainForm& main) {
    return {{main.actCheck, [] { return static_cast<TForm*>(dlgCheckForm); }},
            {main.actSum, [] { return static_cast<TForm*>(dlgSumForm); }},
            {main.actLocate, [] { return static_cast<TForm*>(dlgLocateForm); }},
            {main.actSearch, [] { return static_cast<TForm*>(dlgSearchForm); }},
            {main.actConditionSearch, [] { return static_cast<TForm*>(dlgDataSearchForm); }}};
  }

  // Runs every dialog action twice and returns, per action, the windows it showed.
  std::vector<std::vector<TForm*>> ShowEachTwice(TMainForm& main) {
    main.ActionList1->UpdateActions();
    std::vector<std::vector<TForm*>> shown;
    for (const DialogAction& a : DialogActions(main)) {
      SCOPED_TRACE(a.action->Name().toStdString());
      EXPECT_TRUE(a.action->Enabled());
      std::vector<TForm*> windows;
      ScopedModalScript modal([&](TForm& form) {
        windows.push_back(&form);
        return int(mrCancel);
      });
      a.action->Execute();
      a.action->Execute();
      // The window stays for the next showing.
      EXPECT_EQ(a.global(), windows.empty() ? nullptr : windows.back());
      shown.push_back(windows);
    }
    return shown;
  }
};

TEST_F(StartupWindowsTest, TheWindowsAreMadeInTheirOrderAndOwnedByTheApplication) {
  CreateStartupWindows(*app);
  ASSERT_NE(MainForm, nullptr);
  const std::vector<TForm*> expected = {MainForm,         dlgSurveyDataForm,  MessageListWinForm,
                                        ProgressBarForm,  ToolForm,           ProgressBar2LineForm,
                                        dlgCheckForm,     dlgSumForm,         dlgQueryListForm,
                                        dlgLocateForm,    dlgAboutForm,       DataSearchCodeForm,
                                        dlgSaveListForm,  dlgDataSearchForm,  dlgSearchForm};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_NE(expected[i], nullptr) << i;
  EXPECT_EQ(ApplicationForms(), expected);
  EXPECT_EQ(app->MainForm(), MainForm);
  // None of them is shown before the message loop runs.
  for (TForm* form : expected) EXPECT_FALSE(form->isVisible()) << form->Name().toStdString();
}

// The windows go with the application, and every global that pointed at one is cleared:
// the long jobs of a later run must not report to a freed progress window.
TEST_F(StartupWindowsTest, TheGlobalsGoWithTheWindows) {
  CreateStartupWindows(*app);
  ASSERT_NE(ProgressBarForm, nullptr);
  app.reset();
  const std::vector<std::pair<const char*, TForm*>> globals = {
      {"MainForm", MainForm},
      {"dlgSurveyDataForm", dlgSurveyDataForm},
      {"MessageListWinForm", MessageListWinForm},
      {"ProgressBarForm", ProgressBarForm},
      {"ToolForm", ToolForm},
      {"ProgressBar2LineForm", ProgressBar2LineForm},
      {"dlgCheckForm", dlgCheckForm},
      {"dlgSumForm", dlgSumForm},
      {"dlgQueryListForm", dlgQueryListForm},
      {"dlgLocateForm", dlgLocateForm},
      {"dlgAboutForm", dlgAboutForm},
      {"DataSearchCodeForm", DataSearchCodeForm},
      {"dlgSaveListForm", dlgSaveListForm},
      {"dlgDataSearchForm", dlgDataSearchForm},
      {"dlgSearchForm", dlgSearchForm}};
  for (const auto& [name, form] : globals) EXPECT_EQ(form, nullptr) << name;
  EXPECT_EQ(dynamic_cast<TForm*>(&ProgramProgress()), nullptr);
  EXPECT_EQ(dynamic_cast<TForm*>(&ProgramTwoBarProgress()), nullptr);
}

TEST_F(StartupWindowsTest, AFailedStartMakesNoOtherWindow) {
  QFile::remove(DatabaseFile());
  CreateStartupWindows(*app);
  EXPECT_TRUE(app->Terminated());
  EXPECT_EQ(ApplicationForms().size(), 1u);
  for (TForm* form : std::initializer_list<TForm*>{dlgSurveyDataForm, dlgCheckForm, dlgSumForm, dlgLocateForm,
                                                   DataSearchCodeForm, dlgDataSearchForm, dlgSearchForm})
    EXPECT_EQ(form, nullptr);
}

TEST_F(StartupWindowsTest, TheActionsShowTheDialogsMadeAtStartEveryTime) {
  AddRecords({110000000001, 110000000002});
  CreateStartupWindows(*app);
  ASSERT_NE(MainForm, nullptr);
  std::vector<TForm*> madeAtStart;
  for (const DialogAction& a : DialogActions(*MainForm)) madeAtStart.push_back(a.global());
  const std::vector<std::vector<TForm*>> shown = ShowEachTwice(*MainForm);
  ASSERT_EQ(shown.size(), madeAtStart.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i], (std::vector<TForm*>{madeAtStart[i], madeAtStart[i]})) << i;
    EXPECT_EQ(madeAtStart[i]->Owner(), app.get()) << i;
  }
  EXPECT_EQ(ApplicationForms().size(), 15u);  // nothing made besides
}

// Without the program entry (the main window alone) an action makes its dialog once, owned
// by the main window, and shows that one again the next time.
TEST_F(StartupWindowsTest, WithoutTheProgramEntryTheActionsMakeTheirDialogsOnce) {
  AddRecords({110000000001, 110000000002});
  TMainForm* main = Start();
  ASSERT_NE(main, nullptr);
  const std::vector<DialogAction> actions = DialogActions(*main);
  for (const DialogAction& a : actions) EXPECT_EQ(a.global(), nullptr);
  const std::vector<std::vector<TForm*>> shown = ShowEachTwice(*main);
  for (const std::vector<TForm*>& windows : shown) {
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0], windows[1]);
    EXPECT_EQ(windows[0]->Owner(), main);
  }
  // They go with the main window, and their globals with them.
  delete main;
  for (const DialogAction& a : actions) EXPECT_EQ(a.global(), nullptr);
}

} // namespace
