// TMainForm: adding and modifying records in the entry form. The entry form works on the
// record list (ReportQuery) as its source, or on the query list's records; its page rules run on the main connection and
// list broken rules in the message list window, whose double click leads back to it.

#include "core/PageRules.h"
#include "platform/db/Field.h"
#include "platform/ui/Action.h"
#include "platform/ui/Application.h"
#include "windows/dialogs/QueryListForm.h"
#include "windows/entry/SurveyDataForm.h"
#include "windows/main/MainForm.h"
#include "windows/shared/GridProcedures.h"
#include "windows/shared/MessageListWinForm.h"

namespace fw {

void TMainForm::WireEntryActions() {
  actAddNew->OnExecute = [this](TBasicAction*) { OpenEntryForm(true); };
  actModify->OnExecute = [this](TBasicAction*) {
    if (ListHasRecords()) OpenEntryForm(false);
  };
}

// The entry form (made when missing) with its message list and page rules.
TdlgSurveyDataForm& TMainForm::EntryForm() {
  if (!dlgSurveyDataForm) {
    if (Application) Application->CreateForm(dlgSurveyDataForm);
    else dlgSurveyDataForm = new TdlgSurveyDataForm(this);
  }
  TdlgSurveyDataForm& form = *dlgSurveyDataForm;
  if (MessageListWinForm && form.MessageList() != MessageListWinForm) {
    form.SetMessageList(MessageListWinForm);
    MessageListWinForm->SetJumpTarget(&form);
    entryRules_ = std::make_unique<TPageRuleEngine>(*data_.SysADOConnection, form, *MessageListWinForm);
    form.SetRuleChecker(entryRules_.get());
  }
  return form;
}

// Adding ends with the list read again at the record it was on; a modified record is
// read again by the entry form itself.
void TMainForm::OpenEntryForm(bool addNew) {
  ShowEntryForm(addNew, *data_.ReportQuery);
  if (addNew && data_.ReportQuery->Active()) RequeryKeepingPlace(*data_.ReportQuery);
}

void TMainForm::ShowEntryForm(bool addNew, TDataSet& source) {
  TdlgSurveyDataForm& form = EntryForm();
  form.IsAddNew = addNew;
  if (!addNew) form.CurrentCode = source.FieldByName(QStringLiteral("c901"))->AsFloat();
  form.SetSourceDataset(&source);
  form.ShowModal();
}

// The query list opens its current record in the entry form, which reads the query list's
// records again after a save; the record list is read again here.
void TMainForm::ConnectQueryList(TdlgQueryListForm& list) {
  list.OnEditRecord = [this](TADOQuery& source) {
    ShowEntryForm(false, source);
    if (data_.ReportQuery->Active()) RequeryKeepingPlace(*data_.ReportQuery);
  };
}

} // namespace fw
