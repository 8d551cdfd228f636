// Program entry: the application object, the windows in their order, the message loop.
#include "platform/ui/Application.h"
#include "platform/ui/DesktopHooks.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Translations.h"
#include "platform/ui/GuardedApplication.h"
#include "windows/app/StartupWindows.h"
#include "windows/shared/QuestionDlg.h"

int main(int argc, char** argv) {
  fw::PrepareProgramLocale();
  fw::TGuardedApplication app(argc, argv);
  fw::InstallProgramLocale();
  fw::InstallFontSubstitutions();
  fw::InstallQtTranslations();
  fw::InstallDesktopHooks();
  fw::InstallQuestionDialogHook();

  fw::TApplication application;
  fw::Application->Initialize();
  // After a failed start nothing more is created and Run returns the failure's exit
  // status at once.
  fw::CreateStartupWindows(application);
  return fw::Application->Run();
}
