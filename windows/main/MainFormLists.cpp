// TMainForm: the actions that open the dialogs around the record list — the list export
// (导出数据列表) and the field display (自定义列表显示). Each dialog is made when it is
// missing, shown modally, then freed.

#include "platform/ui/Action.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/dialogs/ShowForm.h"
#include "windows/main/MainForm.h"

namespace fw {

namespace {

template <class T>
void ShowAndFree(T*& dialog, TComponent* owner) {
  if (!dialog) dialog = NewForm<T>(owner);
  dialog->ShowModal();
  delete dialog;
  dialog = nullptr;
}

} // namespace

void TMainForm::WireListActions() {
  actSaveList->OnExecute = [this](TBasicAction*) { ShowAndFree(dlgSaveListForm, this); };
  actRecordGrid->OnExecute = [this](TBasicAction*) { ShowAndFree(dlgShowForm, this); };
}

} // namespace fw
