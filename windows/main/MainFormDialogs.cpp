// TMainForm: the actions that open a dialog of their own, created when needed, shown
// modally and freed afterwards.

#include "platform/ui/Action.h"
#include "windows/dialogs/GroupListForm.h"
#include "windows/main/MainForm.h"

#include <memory>

namespace fw {

void TMainForm::WireDialogActions() {
  actGroup->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgGroupListForm> dialog(NewForm<TdlgGroupListForm>(this, data_.SysADOConnection.get()));
    dialog->ShowModal();
  };
}

} // namespace fw
