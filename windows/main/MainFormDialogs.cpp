// TMainForm: the actions that open a dialog of their own, and the logic check of the
// marked records, which runs without its dialog. The dialogs the program entry makes at
// start (check, summary, locate, the two searches) are shown and kept for the next
// showing; the others are made when needed, shown modally and freed afterwards.

#include "core/LogicCheck.h"
#include "core/Progress.h"
#include "platform/db/DbError.h"
#include "platform/ui/Action.h"
#include "windows/dialogs/AboutForm.h"
#include "windows/dialogs/CheckForm.h"
#include "windows/dialogs/DataSearchForm.h"
#include "windows/dialogs/DeleteForm.h"
#include "windows/dialogs/GroupListForm.h"
#include "windows/dialogs/LocateForm.h"
#include "windows/dialogs/OptionSetupForm.h"
#include "windows/dialogs/QueryListForm.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/dialogs/SearchForm.h"
#include "windows/dialogs/ShowForm.h"
#include "windows/dialogs/SumForm.h"
#include "windows/main/MainForm.h"
#include "windows/shared/GridProcedures.h"

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

// A dialog the program entry makes at start; made here (owned by the main window) when
// there is none, as when the main window runs without the program entry.
template <class T, class... Args> T& StartupDialog(T*& global, Args... args) {
  if (!global) global = NewForm<T>(args...);
  return *global;
}

} // namespace

// The query list (made when missing) shows the records of the condition modally and is
// freed; the record list then goes back to its record, since records may have been
// changed or deleted there.
void TMainForm::ShowSearchResults(const QString& where) {
  if (!dlgQueryListForm) {
    dlgQueryListForm = NewForm<TdlgQueryListForm>(this);
    ConnectQueryList(*dlgQueryListForm);
  }
  dlgQueryListForm->RunQueryList(where);
  ShowKeptDialog(dlgQueryListForm, this);
  if (data_.ReportQuery->Active()) RequeryKeepingPlace(*data_.ReportQuery);
}

void TMainForm::WireDialogActions() {
  actCheck->OnExecute = [this](TBasicAction*) {
    TdlgCheckForm& dialog = StartupDialog(dlgCheckForm, this, data_.SysADOConnection.get());
    dialog.SelectedStatement = [this] { return CheckSelectedStatement(); };
    dialog.RefreshList = [this] { RequeryKeepingPlace(*data_.ReportQuery); };
    dialog.ShowModal();
  };
  actCheckSelected->OnExecute = [this](TBasicAction*) { CheckSelectedRecords(); };
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
  actSum->OnExecute = [this](TBasicAction*) {
    StartupDialog(dlgSumForm, this, data_.SysADOConnection.get()).ShowModal();
  };
  actLocate->OnExecute = [this](TBasicAction*) {
    StartupDialog(dlgLocateForm, this, data_.SysADOConnection.get(), static_cast<TDataSet*>(data_.ReportQuery.get()))
        .ShowModal();
  };
  actSearch->OnExecute = [this](TBasicAction*) {
    TdlgSearchForm& dialog = StartupDialog(dlgSearchForm, this);
    dialog.RunQueryList = [this](const QString& where) { ShowSearchResults(where); };
    dialog.ShowModal();
  };
  actConditionSearch->OnExecute = [this](TBasicAction*) {
    TdlgDataSearchForm& dialog = StartupDialog(dlgDataSearchForm, this, data_.SysADOConnection.get());
    dialog.RunQueryList = [this](const QString& where) { ShowSearchResults(where); };
    dialog.ShowModal();
  };
}

void TMainForm::ShowAboutBox(bool splash) {
  if (!dlgAboutForm) dlgAboutForm = NewForm<TdlgAboutForm>(this);
  if (splash) dlgAboutForm->StartSplash();
  dlgAboutForm->ShowModal();
  delete dlgAboutForm;
}

// The marked records (or the current one) checked at once, without the check dialog:
// nothing can pause or stop this check. The list then shows the new states.
void TMainForm::CheckSelectedRecords() {
  const QString statement = CheckSelectedStatement();
  if (statement.isEmpty()) return;
  TSilentProgress progress;
  RunLogicCheck(*data_.SysADOConnection, statement, true, progress);
  try {
    RequeryKeepingPlace(*data_.ReportQuery);
  } catch (const EDatabaseError&) {
    // The list shows the old states until it is next refreshed.
  }
}

} // namespace fw
