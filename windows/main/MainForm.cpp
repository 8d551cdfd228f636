#include "windows/main/MainForm.h"

#include "core/DatabaseFiles.h"
#include "core/DatabasePassword.h"
#include "core/OfflineExchange.h"
#include "core/ProductVersion.h"
#include "core/RegistrySettings.h"
#include "core/SurveyModel.h"
#include "platform/db/DbError.h"
#include "controls/navigation/FwCustomStatusPane.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/Application.h"
#include "platform/ui/MainMenu.h"
#include "windows/shared/GridProcedures.h"
#include "windows/app/MouseWheelKeys.h"

#include <QFileInfo>

namespace fw {

TMainForm* MainForm = nullptr;

namespace {

QString PlainConnectionString(const QString& path) { return WorkingConnectionString(path); }

QString ExclusiveConnectionString(const QString& path, const QString& password) {
  return JetConnectionString(path, QStringLiteral("Mode=Share Exclusive;Persist Security Info=False;"
                                                  "Jet OLEDB:Engine Type=5;Jet OLEDB:Database Password=") +
                                       password);
}

QString DefaultDatabasePath() { return ProgramFile(QString::fromLatin1(kDefaultDatabaseName)); }

} // namespace

QString VersionStatusText(int build) {
  return QStringLiteral("开发单位：Brackwater\u3000软件版本：1.0 (Build ") + QString::number(build) + ')';
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  if (!MainForm) MainForm = this;
  SetName(QStringLiteral("MainForm"));
  BeginLoad();
  SetColor(kMainWindowColor);
  Font().SetName(QStringLiteral("宋体"));
  Font().SetSize(9);
  SetKeyPreview(true);
  resize(1024, 700);
  SetWindowState(TWindowState::wsMaximized);
  CreateDataComponents();
  CreateImages();
  CreateActions();
  CreateMenus();
  CreateWindowParts();
  CreateRecordGrid();
  BindGroupItems();
  WireExchangeActions();
  WireDialogActions();
  SetMenu(MainMenu1);
  OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
  wheelKeys_ = std::make_unique<TMouseWheelKeys>();
  EndLoad();
}

TMainForm::~TMainForm() {
  wheelKeys_.reset();
  // The list lets go of its data before the data sets and the connection go.
  if (RecordGrid) RecordGrid->SetDataSource(nullptr);
  delete DataSource1;
  for (TDataSet* ds : std::initializer_list<TDataSet*>{ReportQuery, AppFieldData, KeyQuery, ToolQuery, AppQuery}) delete ds;
  delete SysADOConnection;
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::CreateDataComponents() {
  SysADOConnection = new TADOConnection();
  SysADOConnection->SetLoginPrompt(false);
  AppQuery = new TADOQuery(SysADOConnection);
  ToolQuery = new TADOQuery(SysADOConnection);
  KeyQuery = new TADOQuery(SysADOConnection);
  AppFieldData = new TADOTable(SysADOConnection);
  AppFieldData->SetTableName(QStringLiteral("dt_fieldlist"));
  AppFieldData->SetIndexFieldNames(QStringLiteral("sequence"));
  ReportQuery = new TADOQuery(SysADOConnection);
  ReportQuery->SetSQL(kReportQuerySql);
  DataSource1 = new TDataSource(ReportQuery);
}

void TMainForm::DoCreate() {
  FormCreate();
  TForm::DoCreate();
}

// Start-up, in this order. When the database cannot be opened the end of the program
// has been requested and nothing after it runs on the closed connection.
void TMainForm::FormCreate() {
  LoadRegistrySettings(kProductName, ProgramFolder());
  if (!OpenDatabase(QString())) return;
  SetCaption(kMainCaptionPrefix + DatabaseLabel);
  ApplyRecordListSwitch();
  ApplyEditionSettings();
  LoadFieldList();
  ShowVersion();
  // The splash (the about box's StartSplash, shown modally) runs here once the about
  // box exists.
  GroupTables = QStringList{QStringLiteral("CT_Group"), QStringLiteral("DT_GroupItem")};
}

void TMainForm::ApplyRecordListSwitch() {
  const QString key = ProductKey(kProductName);
  RegWriteInteger(QStringLiteral("ShowGrid"), 1, TRootKey::HKEY_LOCAL_MACHINE, key);
  const bool show = RegReadInteger(QStringLiteral("ShowGrid"), 1, TRootKey::HKEY_LOCAL_MACHINE, key) == 1;
  RecordGrid->SetVisible(show);
}

void TMainForm::ShowVersion() {
  ReadProductVersion(ProgramVersion);
  StatusVersion->SetText(VersionStatusText(ProgramVersion.Build));
}

void TMainForm::FailStartup(const QString& message) {
  startupFailed_ = true;
  SysADOConnection->Close();
  ShowMessage(message, QString(), MB_OK | MB_ICONERROR);
  if (Application) {
    Application->SetExitCode(kStartupFailureExitCode);
    Application->Terminate();
  }
}

bool TMainForm::TryOpenPlain(const QString& path) {
  try {
    SysADOConnection->SetConnectionString(PlainConnectionString(path));
    SysADOConnection->Open();
    return true;
  } catch (const EDatabaseError&) {
    return false;
  }
}

// The file is protected by the database password: open it alone with the password and
// take the password away for good (the layer writes the plain copy beside the file and
// swaps it in), then leave the plain connection string for the next open.
bool TMainForm::RemovePassword(const QString& path, const QString& password) {
  try {
    SysADOConnection->SetConnectionString(ExclusiveConnectionString(path, password));
    SysADOConnection->Open();
    SysADOConnection->Execute(QStringLiteral("ALTER DATABASE PASSWORD null [") + password + ']');
    SysADOConnection->Close();
    SysADOConnection->SetConnectionString(PlainConnectionString(path));
    return true;
  } catch (const EDatabaseError&) {
    SysADOConnection->Close();
    return false;
  }
}

bool TMainForm::OpenDatabase(const QString& requested) {
  if (SysADOConnection->Connected()) SysADOConnection->Close();
  FixEditionSettings();
  const QString path = requested.isEmpty() ? DefaultDatabasePath() : requested;
  if (!QFileInfo(path).isFile()) {
    FailStartup(kDataFileMissingMessage);
    return false;
  }
  const QString password = BuildDatabasePassword(DatabasePasswordConstant());
  if (!TryOpenPlain(path) && !RemovePassword(path, password)) {
    FailStartup(QFileInfo(DefaultDatabasePath()).isFile() ? kBadInstallationMessage : kDataFileMissingMessage);
    return false;
  }
  DatabasePath = path;
  try {
    AppQuery->Close();
    AppQuery->SetSQL(QStringLiteral("select * from ct_label"));
    AppQuery->Open();
    DatabaseLabel = AppQuery->IsEmpty() ? QString() : AppQuery->FieldByName(QStringLiteral("db_name"))->AsString();
    AppQuery->Close();
  } catch (const EDatabaseError&) {
    // A file that opens but is no survey database.
    FailStartup(kBadInstallationMessage);
    return false;
  }
  return true;
}

void TMainForm::LoadFieldList() {
  listSortState_ = 1;
  listSortedColumn_ = nullptr;
  AppFieldData->Close();
  AppFieldData->Open();
  if (!AppFieldData->IsEmpty()) {
    FieldDescs.assign(static_cast<size_t>(AppFieldData->RecordCount()), TFieldData{});
    TDBGridColumns& columns = RecordGrid->Columns();
    columns.BeginUpdate();
    columns.Clear();
    int i = 0;
    for (AppFieldData->First(); !AppFieldData->Eof(); AppFieldData->Next(), ++i) {
      TFieldData& d = FieldDescs[static_cast<size_t>(i)];
      auto field = [this](const char* name) { return AppFieldData->FieldByName(QString::fromLatin1(name)); };
      d.ID = field("ID")->AsInteger();
      d.ShowName = field("ShowName")->AsString();
      d.Hint = field("Hint")->AsString();
      d.FieldWidth = field("FieldWidth")->IsNull() ? 0 : field("FieldWidth")->AsInteger();
      d.FieldType = field("FieldType")->AsString();
      d.Visible = field("Visible")->AsBoolean();
      d.QueryShow = field("QueryShow")->AsBoolean();
      d.QueryType = NormalizeQueryType(field("QueryType")->IsNull() ? 0 : field("QueryType")->AsLargeInt());

      TColumn* column = columns.Add();
      const bool state = d.ShowName == QLatin1String("RecordState");
      column->SetAlignment(state ? TAlignment::taCenter : TAlignment::taLeftJustify);
      column->SetWidth(d.FieldWidth);
      column->SetFieldName(d.ShowName);
      column->SetVisible(d.Visible);
      column->Title().SetCaption(d.Hint);
      column->Title().SetAlignment(TAlignment::taCenter);
    }
    columns.EndUpdate();
  }
  RecordGrid->SetDataSource(RecordGrid->Visible() ? DataSource1 : nullptr);
  AppFieldData->Close();
  ReportQuery->Open();
}

void TMainForm::RecordGridTitleClick(TColumn* column) {
  if (!ReportQuery->Active()) return;
  try {
    SortGridByTitle(column, listSortState_, listSortedColumn_, *ReportQuery);
  } catch (const EDatabaseError& e) {
    ShowMessage(e.Message());
  }
}

// Keeping the list position across a requery.
void TMainForm::RequeryAtBookmark() {
  TBookmark bookmark = ReportQuery->GetBookmark();
  ReportQuery->Requery();
  if (ReportQuery->BookmarkValid(bookmark)) ReportQuery->GotoBookmark(bookmark);
  ReportQuery->FreeBookmark(bookmark);
}

QString TMainForm::CheckSelectedStatement() {
  if (!ListHasRecords()) return QString();
  const QString scope = QStringLiteral(" and c907<=2");
  auto code = [this] { return ReportQuery->FieldByName(QStringLiteral("c901"))->AsString(); };
  TBookmarkList& marks = RecordGrid->SelectedRows();
  if (marks.Count() == 0) return QStringLiteral("select * from dt_data where c901=") + code() + scope;

  QStringList codes;
  TBookmark here = ReportQuery->GetBookmark();
  ReportQuery->DisableControls();
  for (int i = 0; i < marks.Count(); ++i) {
    const TBookmark mark = marks[i];
    if (ReportQuery->BookmarkValid(mark)) ReportQuery->GotoBookmark(mark);
    codes << code();
  }
  if (ReportQuery->BookmarkValid(here)) ReportQuery->GotoBookmark(here);
  ReportQuery->FreeBookmark(here);
  ReportQuery->EnableControls();
  return QStringLiteral("select * from dt_data where c901 in (") + codes.join(',') + ')' + scope;
}

bool TMainForm::ExportRefused() { return !CheckRecordsFinished(*SysADOConnection, kOfflineExportRefusal); }

// Window keys, seen before the focused control: Ctrl+L locates, Ctrl+F opens the
// indicator query, both only while the list has records.
void TMainForm::FormKeyDown(WORD& key, TShiftState shift) {
  if (!(shift & ssCtrl) || !ListHasRecords()) return;
  if (key == 'L' || key == 108) actLocate->Execute();
  else if (key == 'F' || key == 102) actConditionSearch->Execute();
}

// Keys released in the list: Enter modifies, Insert adds, Delete opens the deletion.
void TMainForm::RecordGridKeyUp(WORD key) {
  if (key == VK_RETURN) actModify->Execute();
  else if (key == VK_INSERT) actAddNew->Execute();
  else if (key == VK_DELETE) RunDeleteHandler();
}

// The deletion is offered from the keyboard even on an empty list (it also deletes by
// ranges of codes), where actDelete itself is disabled and would ignore a trigger: the
// key runs the action's handler directly.
void TMainForm::RunDeleteHandler() {
  if (actDelete->OnExecute) actDelete->OnExecute(actDelete);
}

} // namespace fw
