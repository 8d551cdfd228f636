#include "windows/app/StartupWindows.h"

#include "platform/ui/Application.h"
#include "windows/dialogs/AboutForm.h"
#include "windows/dialogs/QueryListForm.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/entry/SurveyDataForm.h"
#include "windows/main/MainForm.h"
#include "windows/shared/MessageListWinForm.h"
#include "windows/shared/ProgressBar2LineForm.h"
#include "windows/shared/ProgressBarForm.h"
#include "windows/shared/ToolForm.h"

namespace fw {

void CreateStartupWindows(TApplication& application) {
  application.CreateForm(MainForm);
  application.CreateForm(dlgSurveyDataForm);
  application.CreateForm(MessageListWinForm);
  application.CreateForm(ProgressBarForm);
  application.CreateForm(ToolForm);
  application.CreateForm(ProgressBar2LineForm);
  if (application.CreateForm(dlgQueryListForm)) MainForm->ConnectQueryList(*dlgQueryListForm);
  application.CreateForm(dlgAboutForm);
  application.CreateForm(dlgSaveListForm);
}

} // namespace fw
