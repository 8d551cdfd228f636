// TMainForm: the actions that open a dialog of their own, created when needed, shown
// modally and freed afterwards.

#include "platform/ui/Action.h"
#include "windows/dialogs/AboutForm.h"
#include "windows/dialogs/DeleteForm.h"
#include "windows/dialogs/GroupListForm.h"
#include "windows/dialogs/OptionSetupForm.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/dialogs/ShowForm.h"
#include "windows/main/MainForm.h"

#include <memory>

namespace fw {

namespace {

// A dialog made anew into its global, shown modally and freed (which clears the global).
template <class T, class... Args> void ShowNewDialog(T*& global, Args... args) {
  global = NewForm<T>(args...);
  std::unique_ptr<T> dialog(global);
  dialog->ShowModal();
}

// A dialog kept in its global (made when missing), shown modally, then freed and the
// global cleared.
template <class T> void ShowKeptDialog(T*& global, TComponent* owner) {
  if (!global) global = NewForm<T>(owner);
  struct TFree {
    T*& global;
    ~TFree() {
      delete global;
      global = nullptr;
    }
  } freeAfterwards{global};
  global->ShowModal();
}

} // namespace

void TMainForm::WireDialogActions() {
  actGroup->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgGroupListForm> dialog(NewForm<TdlgGroupListForm>(this, data_.SysADOConnection.get()));
    dialog->ShowModal();
  };
  actSaveList->OnExecute = [this](TBasicAction*) { ShowKeptDialog(dlgSaveListForm, this); };
  actRecordGrid->OnExecute = [this](TBasicAction*) {
    if (!dlgShowForm) dlgShowForm = NewForm<TdlgShowForm>(this);
    dlgShowForm->OnFieldListSaved = [this] { LoadFieldList(); };
    ShowKeptDialog(dlgShowForm, this);
  };
  actAbout->OnExecute = [this](TBasicAction*) { ShowAboutBox(false); };
  actDelete->OnExecute = [this](TBasicAction*) { ShowNewDialog(dlgDeleteForm, this, RecordGrid); };
  actOptions->OnExecute = [this](TBasicAction*) { ShowNewDialog(dlgOptionSetupForm, this); };
}

void TMainForm::ShowAboutBox(bool splash) {
  if (!dlgAboutForm) dlgAboutForm = NewForm<TdlgAboutForm>(this);
  if (splash) dlgAboutForm->StartSplash();
  dlgAboutForm->ShowModal();
  delete dlgAboutForm;
}

} // namespace fw
