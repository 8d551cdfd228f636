// TMainForm: the actions that open a dialog of their own, created when needed, shown
// modally and freed afterwards.

#include "platform/ui/Action.h"
#include "windows/dialogs/GroupListForm.h"
#include "windows/dialogs/LocateForm.h"
#include "windows/dialogs/SumForm.h"
#include "windows/main/MainForm.h"

#include <memory>

namespace fw {

void TMainForm::WireDialogActions() {
  actGroup->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgGroupListForm> dialog(NewForm<TdlgGroupListForm>(this, data_.SysADOConnection.get()));
    dialog->ShowModal();
  };
  actSum->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgSumForm> dialog(NewForm<TdlgSumForm>(this, data_.SysADOConnection.get()));
    dialog->ShowModal();
  };
  actLocate->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgLocateForm> dialog(
        NewForm<TdlgLocateForm>(this, data_.SysADOConnection.get(), data_.ReportQuery.get()));
    dialog->ShowModal();
  };
}

} // namespace fw
