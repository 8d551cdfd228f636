#include "windows/app/StartupWindows.h"

#include "platform/ui/Application.h"
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
  application.CreateForm(dlgCheckForm);
  application.CreateForm(dlgSumForm);
  if (application.CreateForm(dlgQueryListForm)) MainForm->ConnectQueryList(*dlgQueryListForm);
  application.CreateForm(dlgLocateForm);
  application.CreateForm(dlgAboutForm);
  application.CreateForm(DataSearchCodeForm);
  application.CreateForm(dlgSaveListForm);
  application.CreateForm(dlgDataSearchForm);
  application.CreateForm(dlgSearchForm);
}

} // namespace fw
