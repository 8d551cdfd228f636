#include "windows/MainForm.h"

#include "core/DatabasePassword.h"
#include "core/ProductVersion.h"
#include "core/RegistrySettings.h"
#include "core/SurveyModel.h"
#include "platform/db/DbError.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/Application.h"
#include "windows/GridProcedures.h"

#include <QFileInfo>

namespace fw {

TMainForm* MainForm = nullptr;

namespace {

const QString kProvider = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");
const QString kConnectionTail = QStringLiteral("Persist Security Info=False;Jet OLEDB:Engine Type=5;");
constexpr int kClockPaneWidth = 104;

QString PlainConnectionString(const QString& path) {
  return kProvider + path + QStringLiteral(";Mode=ReadWrite;") + kConnectionTail;
}

QString ExclusiveConnectionString(const QString& path, const QString& password) {
  return kProvider + path + QStringLiteral(";Mode=Share Exclusive;") + kConnectionTail +
         QStringLiteral("Jet OLEDB:Database Password=") + password;
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
  CreateWindowParts();
  CreateRecordGrid();
  EndLoad();
}

TMainForm::~TMainForm() {
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

void TMainForm::CreateWindowParts() {
  FwStatusBar1 = new TStatusBar(this);
  FwStatusBar1->SetName(QStringLiteral("FwStatusBar1"));
  FwStatusBar1->SetParent(this);
  FwStatusBar1->SetAlign(TAlign::alBottom);
  StatusVersion = FwStatusBar1->AddPanel();
  FwClockStatus1 = FwStatusBar1->AddPanel();
  FwClockStatus1->SetWidth(kClockPaneWidth);
  FwClockStatus1->SetAlignment(TAlignment::taCenter);
  FwClockStatus1->SetText(Now().toString(QStringLiteral("yyyy年MM月dd日")));
  FwStatusBar1->OnResize = [this](TObject*) { LayOutStatusPanes(); };

  FwSizePanel1 = new TPanel(this);
  FwSizePanel1->SetName(QStringLiteral("FwSizePanel1"));
  FwSizePanel1->SetParent(this);
  FwSizePanel1->SetAlign(TAlign::alLeft);
  FwSizePanel1->SetWidth(108);
  FwSizePanel1->SetBevelOuter(TPanelBevel::bvNone);
  FwSizePanel1->SetColor(kMainWindowColor);

  FwGroupBar1 = new TPanel(this);
  FwGroupBar1->SetName(QStringLiteral("FwGroupBar1"));
  FwGroupBar1->SetParent(FwSizePanel1);
  FwGroupBar1->SetAlign(TAlign::alClient);
  FwGroupBar1->SetBevelOuter(TPanelBevel::bvNone);
  FwGroupBar1->SetColor(RGB(227, 239, 255));

  FwPanel1 = new TPanel(this);
  FwPanel1->SetName(QStringLiteral("FwPanel1"));
  FwPanel1->SetParent(this);
  FwPanel1->SetAlign(TAlign::alClient);
  FwPanel1->SetBevelOuter(TPanelBevel::bvNone);
  FwPanel1->SetColor(kMainWindowColor);

  FwPanel2 = new TPanel(this);
  FwPanel2->SetName(QStringLiteral("FwPanel2"));
  FwPanel2->SetParent(FwPanel1);
  FwPanel2->SetAlign(TAlign::alTop);
  FwPanel2->SetHeight(18);
  FwPanel2->SetBevelOuter(TPanelBevel::bvNone);
  FwPanel2->SetColor(kMainWindowColor);

  Image1 = new TImage(this);
  Image1->SetName(QStringLiteral("Image1"));
  Image1->SetParent(FwPanel1);
  Image1->SetAlign(TAlign::alClient);
  Image1->SetStretch(true);
}

void TMainForm::CreateRecordGrid() {
  RecordGrid = new TDBGrid(this);
  RecordGrid->SetName(QStringLiteral("RecordGrid"));
  RecordGrid->SetParent(FwPanel1);
  RecordGrid->SetAlign(TAlign::alClient);
  RecordGrid->SetReadOnly(true);
  RecordGrid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgRowSelect |
                         dgAlwaysShowSelection | dgMultiSelect);
  RecordGrid->SetFixedColor(kMainWindowColor);
  RecordGrid->TitleFont().SetName(QStringLiteral("宋体"));
  RecordGrid->TitleFont().SetHeight(-13);
  RecordGrid->SetDefaultDrawing(false);
  RecordGrid->SetDataSource(DataSource1);
  // The columns the list has before any field list is loaded.
  for (const auto& [field, title, width] : {std::tuple{"c901", "本级工会统计编码", 110}, std::tuple{"c902", "本级工会名称", 220}}) {
    TColumn* column = RecordGrid->Columns().Add();
    column->SetFieldName(QString::fromLatin1(field));
    column->SetWidth(width);
    column->Title().SetCaption(QString::fromUtf8(title));
    column->Title().SetAlignment(TAlignment::taCenter);
  }
  RecordGrid->OnDrawColumnCell = [this](TObject*, const TRect& rect, int dataCol, TColumn* column, TGridDrawState state) {
    DrawGridRowStripes(*RecordGrid, rect, dataCol, column, state);
  };
  RecordGrid->OnTitleClick = [this](TColumn* column) { RecordGridTitleClick(column); };
}

void TMainForm::LayOutStatusPanes() {
  // The version pane fills what the clock pane leaves.
  StatusVersion->SetWidth(std::max(0, FwStatusBar1->Width() - kClockPaneWidth));
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
  // Edition settings of the offline edition: the group bar and the main menu that they
  // shape come with the control library's group bar.
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

} // namespace fw
