// TMainForm: the actions that open a dialog of their own, created when needed, shown
// modally and freed afterwards.

#include "platform/ui/Action.h"
#include "windows/dialogs/GroupListForm.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/dialogs/ShowForm.h"
#include "windows/main/MainForm.h"

#include <memory>

namespace fw {

namespace {

// A dialog kept in a global: made when missing (the list export's is made at start),
// shown, then freed.
template <class T>
void ShowAndFree(T*& dialog, TComponent* owner) {
  if (!dialog) dialog = NewForm<T>(owner);
  dialog->ShowModal();
  delete dialog;
  dialog = nullptr;
}

} // namespace

void TMainForm::WireDialogActions() {
  actGroup->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgGroupListForm> dialog(NewForm<TdlgGroupListForm>(this, data_.SysADOConnection.get()));
    dialog->ShowModal();
  };
  actSaveList->OnExecute = [this](TBasicAction*) { ShowAndFree(dlgSaveListForm, this); };
  actRecordGrid->OnExecute = [this](TBasicAction*) {
    if (!dlgShowForm) dlgShowForm = NewForm<TdlgShowForm>(this);
    dlgShowForm->OnFieldListSaved = [this] { LoadFieldList(); };
    ShowAndFree(dlgShowForm, this);
  };
}

} // namespace fw
