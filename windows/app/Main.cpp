// Program entry: the application object, the windows in their order, the message loop.
#include "platform/ui/Application.h"
#include "platform/ui/DesktopHooks.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GuardedApplication.h"
#include "windows/dialogs/AboutForm.h"
#include "windows/dialogs/QueryListForm.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/entry/SurveyDataForm.h"
#include "windows/main/MainForm.h"
#include "windows/shared/MessageListWinForm.h"
#include "windows/shared/ProgressBar2LineForm.h"
#include "windows/shared/ProgressBarForm.h"
#include "windows/shared/QuestionDlg.h"
#include "windows/shared/ToolForm.h"

int main(int argc, char** argv) {
  fw::TGuardedApplication app(argc, argv);
  fw::InstallFontSubstitutions();
  fw::InstallDesktopHooks();
  fw::InstallQuestionDialogHook();

  fw::TApplication application;
  fw::Application->Initialize();
  // The windows, each owned by the application, in this order; the main window's
  // creation handler runs the start-up before any other window exists. After a failed
  // start nothing more is created and Run returns the failure's exit status at once.
  fw::Application->CreateForm(fw::MainForm);
  fw::Application->CreateForm(fw::dlgSurveyDataForm);
  fw::Application->CreateForm(fw::MessageListWinForm);
  fw::Application->CreateForm(fw::ProgressBarForm);
  // TQuestionDlg is made anew for every question (AskQuestion, through the question hook).
  fw::Application->CreateForm(fw::ToolForm);
  fw::Application->CreateForm(fw::ProgressBar2LineForm);
  if (fw::Application->CreateForm(fw::dlgQueryListForm)) fw::MainForm->ConnectQueryList(*fw::dlgQueryListForm);
  fw::Application->CreateForm(fw::dlgAboutForm);
  fw::Application->CreateForm(fw::dlgSaveListForm);
  return fw::Application->Run();
}
