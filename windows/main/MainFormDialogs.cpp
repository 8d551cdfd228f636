// TMainForm: the actions that open a dialog of their own, created when needed, shown
// modally and freed afterwards.

#include "platform/ui/Action.h"
#include "windows/dialogs/AboutForm.h"
#include "windows/dialogs/DataSearchForm.h"
#include "windows/dialogs/DeleteForm.h"
#include "windows/dialogs/GroupListForm.h"
#include "windows/dialogs/LocateForm.h"
#include "windows/dialogs/OptionSetupForm.h"
#include "windows/dialogs/SearchForm.h"
#include "windows/dialogs/SumForm.h"
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

// The records of a search's condition in the query list; the list goes back to its
// record afterwards, since records may have been changed or deleted there.
void ShowFoundRecords(TMainForm& form, const QString& where) {
  (void)where;
  form.RequeryAtBookmark();
}

} // namespace

void TMainForm::WireDialogActions() {
  actGroup->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgGroupListForm> dialog(NewForm<TdlgGroupListForm>(this, data_.SysADOConnection.get()));
    dialog->ShowModal();
  };
  actAbout->OnExecute = [this](TBasicAction*) { ShowAboutBox(false); };
  actDelete->OnExecute = [this](TBasicAction*) { ShowNewDialog(dlgDeleteForm, this, RecordGrid); };
  actOptions->OnExecute = [this](TBasicAction*) { ShowNewDialog(dlgOptionSetupForm, this); };
  actSum->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgSumForm> dialog(NewForm<TdlgSumForm>(this, data_.SysADOConnection.get()));
    dialog->ShowModal();
  };
  actLocate->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgLocateForm> dialog(
        NewForm<TdlgLocateForm>(this, data_.SysADOConnection.get(), data_.ReportQuery.get()));
    dialog->ShowModal();
  };
  actSearch->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgSearchForm> dialog(NewForm<TdlgSearchForm>(this));
    dialog->RunQueryList = [this](const QString& where) { ShowFoundRecords(*this, where); };
    dialog->ShowModal();
  };
  actConditionSearch->OnExecute = [this](TBasicAction*) {
    std::unique_ptr<TdlgDataSearchForm> dialog(NewForm<TdlgDataSearchForm>(this, data_.SysADOConnection.get()));
    dialog->RunQueryList = [this](const QString& where) { ShowFoundRecords(*this, where); };
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
