#include "windows/shared/MainWindowLink.h"

#include "windows/main/MainForm.h"

namespace fw {

TADOConnection* MainConnection() { return MainForm ? MainForm->SysADOConnection : nullptr; }

TADOQuery* MainAppQuery() { return MainForm ? MainForm->AppQuery : nullptr; }

void ReloadMainFieldList() {
  if (MainForm) MainForm->LoadFieldList();
}

void RequeryMainList() {
  if (MainForm && MainForm->ReportQuery->Active()) MainForm->RequeryAtBookmark();
}

} // namespace fw
