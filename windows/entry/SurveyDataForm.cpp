// The entry form's record work: the source and its field list, showing, loading a
// record or blanking one for a new organisation, holding and saving, the logic check,
// printing, returning, the close query, navigation and the page change.
#include "windows/entry/SurveyDataForm.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwLabel.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "controls/navigation/FwPageControl.h"
#include "core/CodeLookup.h"
#include "core/Messages.h"
#include "core/PrintRecord.h"
#include "core/Progress.h"
#include "core/RegistrySettings.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/AdoTable.h"
#include "platform/db/DbError.h"
#include "platform/db/Field.h"
#include "platform/sheet/SheetTypes.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/Action.h"
#include "platform/ui/Label.h"
#include "controls/common/FwRichEdit.h"
#include "windows/shared/ProgressBarForm.h"
#include "windows/shared/VKValidEdit.h"

#include <QDir>

namespace fw {

namespace {

const QString kUnsavedQuestion = QStringLiteral("对数据改动后尚未保存，准备保存这些改动吗？");
const QString kUnsavedCaption = QStringLiteral("提示信息");

QString EnvSettingKey() { return ProductKey(kProductName) + kEnvSettingSubKey; }
QString DataKey() { return ProductKey(kProductName) + kDataSubKey; }

qint64 FieldInt(const TField* field) { return !field || field->IsNull() ? 0 : field->AsLargeInt(); }
double FieldFloat(const TField* field) { return !field || field->IsNull() ? 0 : field->AsFloat(); }

} // namespace

// --- The source ----------------------------------------------------------------------

TADOConnection* TdlgSurveyDataForm::Connection() const {
  return sourceDataset_ ? sourceDataset_->Connection() : nullptr;
}

// The form reads what it needs on the source's connection. The source itself is not
// read again here: it keeps its current record, which is the one to modify.
void TdlgSurveyDataForm::SetSourceDataset(TDataSet* dataSet) {
  sourceDataset_ = dataSet;
  TADOConnection* connection = Connection();
  for (TDataSet* own : std::initializer_list<TDataSet*>{RecordQuery, QueryTool, CodeTable}) {
    own->Close();
    own->SetConnection(connection);
  }
  if (!connection || (connection == fieldListConnection_ && connection->FileName() == fieldListFile_ && !fields_.empty()))
    return;
  try {
    fields_ = LoadEntryFields(*connection);
    LoadSheetTitles(*connection);
  } catch (const EDatabaseError& e) {
    fields_.clear();
    ShowRuntimeError(e.Message());
  }
  fieldListConnection_ = connection;
  fieldListFile_ = connection->FileName();
  ApplyFieldListToEditors();
}

void TdlgSurveyDataForm::LoadSheetTitles(TADOConnection& connection) {
  TADOQuery query(&connection);
  query.SetSQL(QStringLiteral("select CodeID, title from ct_sheetName"));
  query.Open();
  for (; !query.Eof(); query.Next()) {
    const qint64 page = FieldInt(query.FieldByName(QStringLiteral("CodeID")));
    const QString title = query.FieldByName(QStringLiteral("title"))->AsString().trimmed();
    if (page >= 1 && page < kEntryPageCount && !title.isEmpty()) titles_[size_t(page)]->SetCaption(title);
  }
}

// After a store the source shows the stored data at once: the record is read again
// under the code it had and the code it has now. In modify mode the source then stands
// on the record as stored (its code may have changed); in add mode it stays on the
// record it stood on.
void TdlgSurveyDataForm::RefreshSource(double codeBefore) {
  if (!sourceDataset_ || !sourceDataset_->Active()) return;
  const QVariant stored = qlonglong(LoadedCode);
  QVariantList codes{stored};
  if (codeBefore != 0 && codeBefore != LoadedCode) codes << qlonglong(codeBefore);
  try {
    sourceDataset_->RefreshRecords(QStringLiteral("c901"), codes);
    if (!IsAddNew) sourceDataset_->Locate(QStringLiteral("c901"), stored);
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  ShowPositionText();
}

void TdlgSurveyDataForm::LoadCodeList(const QString& tableName, TMenuItemDataArray& codes) {
  codes.clear();
  try {
    CodeTable->Close();
    CodeTable->SetTableName(tableName);
    CodeTable->SetFilter(QStringLiteral("ID<>0"));
    CodeTable->SetFiltered(true);
    CodeTable->Open();
    CodeTable->SetSort(QStringLiteral("Sequence"));
    codes.reserve(size_t(CodeTable->RecordCount()));
    for (CodeTable->First(); !CodeTable->Eof(); CodeTable->Next())
      codes.push_back({int(FieldInt(CodeTable->FieldByName(QStringLiteral("ID")))),
                       CodeTable->FieldByName(QStringLiteral("Name"))->AsString()});
    CodeTable->Close();
    CodeTable->SetFiltered(false);
  } catch (const EDatabaseError& e) {
    CodeTable->Close();
    ShowRuntimeError(e.Message());
  }
}

// --- Showing and loading -------------------------------------------------------------

void TdlgSurveyDataForm::DoShow() {
  NotesDir = QDir(ProgramFolder()).filePath(kNotesFolder);
  SetBounds(10, 2, Width(), Height());
  LoadCodeList(QStringLiteral("CT_LevelCode"), LevelCodeList);
  LoadCodeList(QStringLiteral("CT_state"), StateCodeList);
  LoadSurveyRecord();
  ItemNo->SetVisible(!IsAddNew);
  if (IsAddNew) NavBar->SetVisible(false);
  TForm::DoShow();
}

void TdlgSurveyDataForm::DoHide() {
  HideMessageList();
  TForm::DoHide();
}

void TdlgSurveyDataForm::OpenRecordQuery(double code) {
  RecordQuery->Close();
  RecordQuery->ParamByName(QStringLiteral("ReocrdID")).SetValue(code);
  RecordQuery->Open();
}

double TdlgSurveyDataForm::SourceCode() const {
  if (!sourceDataset_ || !sourceDataset_->Active() || sourceDataset_->IsEmpty()) return 0;
  return FieldFloat(sourceDataset_->FindField(QStringLiteral("c901")));
}

void TdlgSurveyDataForm::LoadSurveyRecord() {
  Loaded = false;
  // The broken rules listed belong to the record that goes.
  ClearMessages();
  // Each record starts with its sheets open and checking on; its own filling state and
  // level close them.
  OpenSheetEditors(true);
  tbCheck->SetEnabled(true);
  try {
    if (Connection()) OpenRecordQuery(SourceCode());
    if (IsAddNew) {
      SavedOnce = false;
      LoadedCode = 0;
      BlankFieldValues();
      ApplyAddDefaults();
    } else if (RecordQuery->Active()) {
      LoadFieldValues();
    }
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  ApplyFieldRules(int(c904->IntValue()));
  SetStoreButtons(false);
  DataPage->SetActivePageIndex(0);
  LoadNotes(kNotesPrefix + QStringLiteral("00"));
  // Still loading: the editor the focus leaves runs no exit check on the new record.
  if (c901->CanFocus()) c901->SetFocus();
  ShowPositionText();
  tbAdd->SetVisible(IsAddNew);
  tbSave->SetVisible(!IsAddNew);
  // The record on screen is the stored one until it is changed.
  tbPrint->SetEnabled(!IsAddNew);
  Loaded = true;
}

void TdlgSurveyDataForm::ApplyLoadRange(const TBoundField& bound) {
  if (!bound.Numeric || bound.Field->ID <= 6) return;
  const bool code = bound.Field->QueryType == 3;
  bound.Numeric->SetMin(0);
  bound.Numeric->SetMax(code ? 2 : 99999999999999.0);
  bound.Numeric->SetMaxLength(code ? 1 : 0);
}

void TdlgSurveyDataForm::LoadFieldValues() {
  LoadedCode = FieldFloat(RecordQuery->FindField(QStringLiteral("c901")));
  c901->SetValue(LoadedCode);
  for (const TBoundField& b : bound_) {
    const TField* column = RecordQuery->FindField(b.Field->FieldName);
    if (!column) continue;
    if (b.Text) {
      b.Text->SetText(column->IsNull() ? QString() : column->AsString());
      b.Text->SetCheckType(TCheckType::tcForbid);
      b.Text->SetForbidChars(kQuoteChars);
      continue;
    }
    if (!b.Numeric) continue;
    if (b.Field->QueryType == 2) b.Numeric->SetValue(FieldFloat(column));
    else b.Numeric->SetIntValue(FieldInt(column));
    ApplyLoadRange(b);
  }
  c903Exit(nullptr);
  c904Exit(nullptr);
  c907Exit(nullptr);
}

void TdlgSurveyDataForm::BlankFieldValues() {
  for (const TBoundField& b : bound_) {
    if (b.Text) {
      b.Text->SetText(QString());
      b.Text->SetCheckType(TCheckType::tcForbid);
      b.Text->SetForbidChars(kQuoteChars);
      continue;
    }
    if (!b.Numeric || (b.Field->ID <= 6 && b.Field->QueryType != 3)) continue;
    b.Numeric->SetValue(0);
    if (b.Field->QueryType == 3) {
      b.Numeric->SetMin(0);
      b.Numeric->SetMax(2);
      b.Numeric->SetMaxLength(1);
    } else {
      ApplyLoadRange(b);
    }
  }
}

void TdlgSurveyDataForm::ApplyAddDefaults() {
  c901->SetText(QString::number(NextUnitCode(), 'f', 0));
  const int city = RegReadInteger(QStringLiteral("AppLastCity"), 0, TRootKey::HKEY_LOCAL_MACHINE, EnvSettingKey());
  c903->SetValue(city);
  CityNameCtrl->SetTag(city);
  CityNameCtrl->SetText(Connection() ? GetCityCombName(*Connection(), city) : QString());
  c904->SetValue(10);
  LevelName->SetTag(10);
  LevelName->SetText(GetCodeName(LevelCodeList, 10));
  c907->SetValue(0);
  StateName->SetTag(0);
  StateName->SetText(QString());
  QString filler, telephone;
  RegReadString(QStringLiteral("c905"), QString(), TRootKey::HKEY_LOCAL_MACHINE, filler, DataKey());
  RegReadString(QStringLiteral("c906"), QString(), TRootKey::HKEY_LOCAL_MACHINE, telephone, DataKey());
  c905->SetText(filler);
  c906->SetText(telephone);
}

double TdlgSurveyDataForm::NextUnitCode() {
  try {
    return fw::NextUnitCode(*QueryTool);
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
    return 0;
  }
}

void TdlgSurveyDataForm::ShowPositionText() {
  const bool several = sourceDataset_ && sourceDataset_->Active() && sourceDataset_->RecordCount() >= 2;
  if (several)
    ItemNo->SetCaption(QString::asprintf("第%d条/共%d条", sourceDataset_->RecNo(), sourceDataset_->RecordCount()));
  else ItemNo->SetCaption(QStringLiteral("第1条/共1条"));
  NavBar->SetVisible(several && !IsAddNew);
  UpdateNavigationActions();
}

void TdlgSurveyDataForm::UpdateNavigationActions() {
  const bool active = sourceDataset_ && sourceDataset_->Active() && !sourceDataset_->IsEmpty();
  const int recNo = active ? sourceDataset_->RecNo() : 0;
  const int count = active ? sourceDataset_->RecordCount() : 0;
  actFirst->SetEnabled(active && recNo > 1);
  actPrev->SetEnabled(active && recNo > 1);
  actNext->SetEnabled(active && recNo < count);
  actLast->SetEnabled(active && recNo < count);
}

void TdlgSurveyDataForm::LoadNotes(const QString& name) {
  rtfNotes->Clear();
  rtfNotes->LoadFromFile(QDir(NotesDir).filePath(name + kNotesSuffix));
}

// --- Storing -------------------------------------------------------------------------

std::vector<TFieldValue> TdlgSurveyDataForm::CollectValues() {
  std::vector<TFieldValue> values;
  values.reserve(bound_.size());
  for (const TBoundField& b : bound_) {
    QVariant value;
    if (b.Text) {
      value = b.Text->Text().trimmed();
    } else if (b.Numeric) {
      switch (b.Field->QueryType) {
      case 2: value = b.Numeric->Value(); break;
      case 3:
        // A yes/no code above 2 is stored, and shown, as 2.
        if (b.Numeric->IntValue() > 2) b.Numeric->SetValue(2);
        value = b.Numeric->IntValue();
        break;
      default: value = b.Numeric->IntValue(); break;
      }
    } else {
      continue;
    }
    values.push_back({b.Field->FieldName, value});
  }
  return values;
}

bool TdlgSurveyDataForm::SaveSurveyRecord(TDataSet& dataSet, TStoreMode mode, bool appending) {
  try {
    StoreSurveyRecord(dataSet, appending, CollectValues(), mode);
  } catch (const EDatabaseError& e) {
    ShowMessage(QStringLiteral("保存过程中遇到错误：") + e.Message() + QStringLiteral("数据没有被保存。"));
    return false;
  }
  LoadedCode = FieldFloat(dataSet.FindField(QStringLiteral("c901")));
  return true;
}

// A new record is appended by its first store after loading or saving; a hold makes
// later stores edit the same row.
bool TdlgSurveyDataForm::Store(TStoreMode mode) {
  if (!RecordQuery->Active()) {
    try {
      OpenRecordQuery(LoadedCode);
    } catch (const EDatabaseError& e) {
      ShowRuntimeError(e.Message());
      return false;
    }
  }
  const bool appending = IsAddNew && !SavedOnce;
  const double codeBefore = LoadedCode;
  if (!SaveSurveyRecord(*RecordQuery, mode, appending)) return false;
  changesPending_ = false;
  RefreshSource(codeBefore);
  return true;
}

bool TdlgSurveyDataForm::CoverValid() {
  if (!Connection()) return false;
  TCoverCheckState state;
  state.IsAddNew = IsAddNew;
  state.LoadedCode = qint64(LoadedCode);
  return ValidateCoverData(*this, *QueryTool, state);
}

bool TdlgSurveyDataForm::tbHoldClick() {
  if (!CoverValid()) return false;
  if (!Store(TStoreMode::smHold)) return false;
  SavedOnce = true;
  tbHold->SetEnabled(false);
  ShowMessage(QStringLiteral("数据已经被临时保存。"));
  return true;
}

bool TdlgSurveyDataForm::tbSaveClick(TObject* sender) {
  if (!CoverValid()) return false;
  // The rules run only for an organisation that reports this year; otherwise a list
  // left from earlier must not decide the record's state.
  if (c907->IntValue() > 2) ClearMessages();
  else if (sender) RunAllPageRules();
  const bool clean = MessageListEmpty();
  if (!Store(clean ? TStoreMode::smSaveClean : TStoreMode::smSaveWithErrors)) return false;
  SetStoreButtons(false);
  SavedOnce = false;
  ShowMessage(clean ? QStringLiteral("数据保存成功，没有逻辑错误！") : QStringLiteral("数据保存成功，有逻辑错误！"));
  RememberCoverDefaults();
  if (IsAddNew) LoadSurveyRecord();
  return true;
}

// The region, form filler and telephone of a saved record are the next new record's
// defaults. Values that are stored already are not written again (each write rewrites
// the settings file).
void TdlgSurveyDataForm::RememberCoverDefaults() {
  const int city = int(c903->IntValue());
  if (RegReadInteger(QStringLiteral("AppLastCity"), city + 1, TRootKey::HKEY_LOCAL_MACHINE, EnvSettingKey()) != city)
    RegWriteInteger(QStringLiteral("AppLastCity"), city, TRootKey::HKEY_LOCAL_MACHINE, EnvSettingKey());
  for (TVKValidEdit* edit : {c905, c906}) {
    QString stored;
    RegReadString(edit->Name(), QString(), TRootKey::HKEY_LOCAL_MACHINE, stored, DataKey());
    if (stored != edit->Text()) RegWriteString(edit->Name(), edit->Text(), TRootKey::HKEY_LOCAL_MACHINE, DataKey());
  }
}

void TdlgSurveyDataForm::tbCheckClick() {
  if (!CoverValid()) return;
  RunAllPageRules();
  if (MessageListEmpty()) {
    ShowMessage(QStringLiteral("没有逻辑错误"));
    HideMessageList();
  } else {
    if (messageList_) messageList_->ShowMessageList();
    FocusFirstEditor();
  }
}

void TdlgSurveyDataForm::tbPrintClick() {
  if (!Connection()) return;
  TSilentProgress silent;
  IProgress& progress = ProgressBarForm ? static_cast<IProgress&>(*ProgressBarForm) : silent;
  try {
    // The stored record that is on screen: printing is off while it has unstored changes.
    PrintSurveyRecord(*Connection(), LoadedCode, progress);
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  } catch (const ESheetError& e) {
    ShowRuntimeError(e.Message());
  }
}

void TdlgSurveyDataForm::tbReturnClick() {
  tbSave->SetEnabled(false);
  changesPending_ = false;
  Close();
}

// The store buttons come on with a change and go off when the record is loaded or saved.
void TdlgSurveyDataForm::SetStoreButtons(bool enabled) {
  tbHold->SetEnabled(enabled);
  tbSave->SetEnabled(enabled);
  changesPending_ = enabled;
}

// Changed and not stored since. A record that does not report (filling state above 2,
// 临时保存 off) is asked about all the same, and so are changes whose code was refused;
// a held record is not, whatever 保存记录 shows.
bool TdlgSurveyDataForm::ChangesPending() const { return changesPending_; }

// --- Message list and rules ----------------------------------------------------------

void TdlgSurveyDataForm::ClearMessages() {
  if (messageList_) messageList_->ClearMessageList();
}

bool TdlgSurveyDataForm::MessageListEmpty() const { return !messageList_ || messageList_->IsMessageListEmpty(); }

void TdlgSurveyDataForm::HideMessageList() {
  if (messageList_) messageList_->HideMessageList();
}

bool TdlgSurveyDataForm::RunAllPageRules() {
  if (ruleChecker_) return ruleChecker_->CheckAllPages();
  ClearMessages();
  return true;
}

// --- Closing and moving --------------------------------------------------------------

void TdlgSurveyDataForm::FormCloseQuery(bool& canClose) {
  canClose = true;
  if (!ChangesPending()) {
    HideMessageList();
    return;
  }
  if (ShowMessage(kUnsavedQuestion, kUnsavedCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    HideMessageList();
    return;
  }
  if (!CoverValid()) {
    canClose = false;
    return;
  }
  if (c907->IntValue() <= 2) RunAllPageRules();
  else ClearMessages();
  HideMessageList();
  // A store that failed keeps the form open with the changes on screen.
  canClose = MessageListEmpty() ? tbSaveClick(nullptr) : tbHoldClick();
}

void TdlgSurveyDataForm::Navigate(TMove move) {
  if (!sourceDataset_ || !sourceDataset_->Active()) return;
  bool allowed = true;
  FormCloseQuery(allowed);
  if (!allowed) return;
  switch (move) {
  case TMove::First: sourceDataset_->First(); break;
  case TMove::Prior: sourceDataset_->Prior(); break;
  case TMove::Next: sourceDataset_->Next(); break;
  case TMove::Last: sourceDataset_->Last(); break;
  }
  LoadSurveyRecord();
}

// --- Pages ---------------------------------------------------------------------------

void TdlgSurveyDataForm::DataPageChanging(int newIndex, bool& allowChange) {
  if (!Loaded || silentPageChange_ || c907->IntValue() > 2) return;
  ClearMessages();
  const int current = DataPage->ActivePageIndex();
  if (current == 0) {
    allowChange = CoverValid();
    if (allowChange && ruleChecker_ && messageList_ && messageList_->JumpInProgress())
      ruleChecker_->CheckPageRules(newIndex, true);
  } else if (ruleChecker_) {
    // Sheet rules never refuse the change.
    ruleChecker_->CheckPageRules(newIndex, true);
    ruleChecker_->CheckPageRules(current, false);
  }
}

void TdlgSurveyDataForm::DataPageChange() {
  LoadNotes(kNotesPrefix + QStringLiteral("%1").arg(DataPage->ActivePageIndex(), 2, 10, QLatin1Char('0')));
  if (Loaded) FocusFirstEditor();
}

// Turns to a page without the page-change checks (a cover editor that must be fixed).
void TdlgSurveyDataForm::ShowPageSilently(int page) {
  if (DataPage->ActivePageIndex() == page) return;
  silentPageChange_ = true;
  DataPage->SetActivePageIndex(page);
  silentPageChange_ = false;
}

// --- Editors by name -----------------------------------------------------------------

TWinControl* TdlgSurveyDataForm::Editor(const QString& name) const { return editors_.value(name.toLower()); }

TFwNumericEdit* TdlgSurveyDataForm::NumericEditor(const QString& name) const {
  return dynamic_cast<TFwNumericEdit*>(Editor(name));
}

QString TdlgSurveyDataForm::FieldText(const QString& name) const {
  const TWinControl* editor = Editor(name);
  return editor ? editor->Text() : QString();
}

qint64 TdlgSurveyDataForm::FieldIntValue(const QString& name) const {
  if (TFwNumericEdit* edit = NumericEditor(name)) return edit->IntValue();
  return FieldText(name).trimmed().toLongLong();
}

void TdlgSurveyDataForm::FocusField(const QString& name) {
  TWinControl* editor = Editor(name);
  if (!editor) return;
  ShowPageSilently(0);
  if (editor->CanFocus()) editor->SetFocus();
}

// Storing stays off until the code is changed; the changes are still to be asked about
// when the form closes.
void TdlgSurveyDataForm::CoverCodeTaken() {
  tbHold->SetEnabled(false);
  tbSave->SetEnabled(false);
  ShowPageSilently(0);
}

bool TdlgSurveyDataForm::RuleEditorValue(const QString& name, double& value) const {
  const TWinControl* editor = Editor(name);
  if (!editor) return false;
  if (TFwNumericEdit* edit = NumericEditor(name)) value = edit->Value();
  else value = editor->Text().trimmed().toDouble();
  return true;
}

// The double click came from the message list, which has the keyboard: the form takes
// it back so that the user can correct the field at once.
void TdlgSurveyDataForm::JumpToRule(int page, const QString& field) {
  if (page >= 0 && page < kEntryPageCount) DataPage->SetActivePageIndex(page);
  TWinControl* editor = Editor(field);
  if (!editor || !editor->CanFocus()) return;
  editor->SetFocus();
  activateWindow();
}

} // namespace fw
