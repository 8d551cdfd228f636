// TMainForm: the actions that open a dialog of their own, created when needed, shown
// modally and freed afterwards.

#include "platform/ui/Action.h"
#include "windows/dialogs/AboutForm.h"
#include "windows/dialogs/DeleteForm.h"
#include "windows/dialogs/GroupListForm.h"
#include "windows/main/MainForm.h"

#include <memory>

namespace fw {

void TMainForm::WireDialogActions() {
  actGroup->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgGroupListForm> dialog(NewForm<TdlgGroupListForm>(this, SysADOConnection));
    dialog->ShowModal();
  };
  actAbout->OnExecute = [this](TBasicAction*) { ShowAboutBox(false); };
  actDelete->OnExecute = [this](TBasicAction*) {
    dlgDeleteForm = NewForm<TdlgDeleteForm>(this);
    std::unique_ptr<TdlgDeleteForm> dialog(dlgDeleteForm);
    dialog->ShowModal();
  };
}

void TMainForm::ShowAboutBox(bool splash) {
  if (!dlgAboutForm) dlgAboutForm = NewForm<TdlgAboutForm>(this);
  if (splash) dlgAboutForm->StartSplash();
  dlgAboutForm->ShowModal();
  delete dlgAboutForm;
}

} // namespace fw
