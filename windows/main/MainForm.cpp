#include "windows/main/MainForm.h"

#include "core/DatabaseOpening.h"
#include "core/OfflineExchange.h"
#include "core/PageRules.h"
#include "core/ProductVersion.h"
#include "core/RegistrySettings.h"
#include "core/SurveyModel.h"
#include "platform/db/DbError.h"
#include "controls/navigation/FwCustomStatusPane.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/shell/ShownText.h"
#include "platform/shell/TempFiles.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/Application.h"
#include "platform/ui/MainMenu.h"
#include "windows/shared/GridProcedures.h"
#include "windows/app/MouseWheelKeys.h"
#include "windows/dialogs/AboutForm.h"

#include <QDir>

namespace fw {

TMainForm* MainForm = nullptr;

QString VersionStatusText(int build) {
  return QStringLiteral("开发单位：Brackwater\u3000软件版本：1.0 (Build ") + QString::number(build) + ')';
}

QString DatabaseInUseMessage(const QString& databasePath) {
  return QStringLiteral("数据库文件“%1”正由另一个正在运行的本程序使用。\n一个数据库只能由一个程序打开，本程序将退出。")
      .arg(QDir::toNativeSeparators(databasePath));
}

QString ReadOnlyDatabaseMessage(const QString& databasePath) {
  return QStringLiteral("数据库文件“%1”不能写入（文件或它所在的文件夹是只读的）。\n"
                        "现在只能查看数据，输入的数据不能保存；请把程序放到可以写入的文件夹中再使用。")
      .arg(QDir::toNativeSeparators(databasePath));
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
  CreateBalloonHints();
  CreateImages();
  CreateActions();
  CreateMenus();
  CreateWindowParts();
  CreateRecordGrid();
  BindGroupItems();
  WireExchangeActions();
  WireDialogActions();
  WireEntryActions();
  SetMenu(MainMenu1);
  OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
  wheelKeys_ = std::make_unique<TMouseWheelKeys>();
  EndLoad();
}

TMainForm::~TMainForm() {
  wheelKeys_.reset();
  // The entry form's rules read through queries of their own on the connection.
  entryRules_.reset();
  // The list lets go of its data before the main data goes (right after this body; the
  // list itself goes with the form's components later).
  if (RecordGrid) RecordGrid->SetDataSource(nullptr);
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::DoCreate() {
  FormCreate();
  TForm::DoCreate();
}

// Start-up, in this order. When the database cannot be opened the end of the program
// has been requested and nothing after it runs on the closed connection.
void TMainForm::FormCreate() {
  // What an earlier run, killed while it wrote a file, left behind goes first.
  RemoveStaleTemporariesAtStart();
  LoadRegistrySettings(kProductName, ProgramFolder());
  if (!OpenDatabase(QString())) return;
  SetCaption(kMainCaptionPrefix + ShownLabel(DatabaseLabel));
  ApplyRecordListSwitch();
  ApplyEditionSettings();
  LoadFieldList();
  ShowVersion();
  if (SplashWanted()) ShowAboutBox(true);
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
  ShowMessage(message, QString(), MB_OK | MB_ICONERROR);
  if (Application) {
    Application->SetExitCode(kStartupFailureExitCode);
    Application->Terminate();
  }
}

bool TMainForm::OpenDatabase(const QString& path) {
  switch (OpenWorkingDatabase(*data_.SysADOConnection, path, &databaseLock_)) {
  case TDatabaseOpening::Opened:
    // Said at once, before anything is typed that could not be stored.
    if (!data_.SysADOConnection->Writable())
      ShowMessage(ReadOnlyDatabaseMessage(DatabasePath), QString(), MB_OK | MB_ICONWARNING);
    return true;
  case TDatabaseOpening::DataFileMissing:
    FailStartup(kDataFileMissingMessage);
    return false;
  case TDatabaseOpening::InUse:
    FailStartup(DatabaseInUseMessage(path.isEmpty() ? ProgramFile(QString::fromLatin1(kDefaultDatabaseName)) : path));
    return false;
  case TDatabaseOpening::BadInstallation:
    break;
  }
  FailStartup(kBadInstallationMessage);
  return false;
}

void TMainForm::LoadFieldList() {
  listSortState_ = 1;
  listSortedColumn_ = nullptr;
  TADOTable& fields = *data_.AppFieldData;
  fields.Close();
  fields.Open();
  if (!fields.IsEmpty()) {
    FieldDescs.assign(static_cast<size_t>(fields.RecordCount()), TFieldData{});
    TDBGridColumns& columns = RecordGrid->Columns();
    columns.BeginUpdate();
    columns.Clear();
    int i = 0;
    for (fields.First(); !fields.Eof(); fields.Next(), ++i) {
      TFieldData& d = FieldDescs[static_cast<size_t>(i)];
      auto field = [&fields](const char* name) { return fields.FieldByName(QString::fromLatin1(name)); };
      d.ID = field("ID")->AsInteger();
      d.ShowName = field("ShowName")->AsString();
      d.Hint = field("Hint")->AsString();
      d.FieldWidth = field("FieldWidth")->IsNull() ? 0 : field("FieldWidth")->AsInteger();
      d.FieldType = field("FieldType")->AsString();
      d.Visible = field("Visible")->AsBoolean();
      d.QueryShow = field("QueryShow")->AsBoolean();
      d.QueryType = NormalizeQueryType(field("QueryType")->IsNull() ? 0 : field("QueryType")->AsLargeInt());

      const bool state = d.ShowName == QLatin1String("RecordState");
      AddListColumn(columns, d.ShowName, d.Hint, d.FieldWidth, state)->SetVisible(d.Visible);
    }
    columns.EndUpdate();
  }
  RecordGrid->SetDataSource(RecordGrid->Visible() ? data_.DataSource1.get() : nullptr);
  fields.Close();
  data_.ReportQuery->Open();
}

void TMainForm::RecordGridTitleClick(TColumn* column) {
  if (!data_.ReportQuery->Active()) return;
  try {
    SortGridByTitle(column, listSortState_, listSortedColumn_, *data_.ReportQuery);
  } catch (const EDatabaseError& e) {
    ShowMessage(e.Message());
  }
}

QString TMainForm::CheckSelectedStatement() {
  if (!ListHasRecords()) return QString();
  const QString scope = QStringLiteral(" and c907<=2");
  TADOQuery& list = *data_.ReportQuery;
  // The codes of the records the list shows selected, read in one pass over their rows.
  const int code = list.FieldByName(QStringLiteral("c901"))->Index();
  QStringList codes;
  for (int row : SelectedListRows(*RecordGrid, list)) codes << list.Text(row, code);
  if (RecordGrid->SelectedRows().Count() == 0)
    return QStringLiteral("select * from dt_data where c901=") + codes.value(0) + scope;
  return QStringLiteral("select * from dt_data where c901 in (") + codes.join(',') + ')' + scope;
}

bool TMainForm::ExportRefused() { return !CheckRecordsFinished(*data_.SysADOConnection, kOfflineExportRefusal); }

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
