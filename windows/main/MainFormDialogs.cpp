// TMainForm: the actions that open a dialog of their own, created when needed, shown
// modally and freed afterwards, and the logic check of the marked records, which runs
// without its dialog.

#include "core/LogicCheck.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "platform/db/DbError.h"
#include "platform/ui/Action.h"
#include "windows/dialogs/CheckForm.h"
#include "windows/dialogs/GroupListForm.h"
#include "windows/main/MainForm.h"

#include <memory>

namespace fw {

void TMainForm::WireDialogActions() {
  actCheck->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgCheckForm> dialog(NewForm<TdlgCheckForm>(this, SysADOConnection));
    dialog->SelectedStatement = [this] { return CheckSelectedStatement(); };
    dialog->RefreshList = [this] { RequeryAtBookmark(); };
    dialog->ShowModal();
  };
  actCheckSelected->OnExecute = [this](TBasicAction*) { CheckSelectedRecords(); };
  actGroup->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgGroupListForm> dialog(NewForm<TdlgGroupListForm>(this, SysADOConnection));
    dialog->ShowModal();
  };
}

// The marked records (or the current one) checked at once, without the check dialog:
// nothing can pause or stop this check. The list then shows the new states.
void TMainForm::CheckSelectedRecords() {
  const QString statement = CheckSelectedStatement();
  if (statement.isEmpty()) return;
  try {
    AppQuery->Close();
    AppQuery->SetSQL(statement);
    AppQuery->Open();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
    return;
  }
  TSilentProgress progress;
  RunLogicCheck(*AppQuery, true, progress);
  AppQuery->Close();
  try {
    RequeryAtBookmark();
  } catch (const EDatabaseError&) {
    // The list shows the old states until it is next refreshed.
  }
}

} // namespace fw
