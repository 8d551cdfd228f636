#pragma once
// TMainForm: the program's main window. It owns the one database connection and the
// named queries through which every window reaches the survey database, shows the
// record list, and runs the start-up sequence in its creation handler: settings,
// database, caption, list switch, edition settings, field list, version text.
//
// The group bar, size panel and status bar of the control library are stood in for by
// plain panels and a plain status bar under the same names in the same places.

#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/AdoTable.h"
#include "platform/db/DataSource.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/Image.h"
#include "platform/ui/Panel.h"
#include "platform/ui/StatusBar.h"

#include <memory>

namespace fw {

inline const QString kMainCaptionPrefix = QStringLiteral("2014年度全国Tallowmere--基层以上工会调查表（离线工具） - ");
inline const QString kReportQuerySql = QStringLiteral("SELECT *  from view_data order by c901 asc");
inline const QString kDataFileMissingMessage = QStringLiteral("没有找到系统数据文件，请重新安装。");
inline const QString kBadInstallationMessage = QStringLiteral("软件安装不正确，请与软件提供者联系！");
constexpr TColor kMainWindowColor = RGB(193, 216, 249);
// The exit status of a start that could not open its database.
constexpr int kStartupFailureExitCode = 1;

// The version text of the status bar for a build number.
QString VersionStatusText(int build);

class TMainForm : public TForm {
public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  // Opens `path` (the program folder's 2014NB_qz.mdb when empty) on SysADOConnection:
  // plainly, else exclusively with the database password, which is then removed for
  // good. Sets DatabasePath and DatabaseLabel. On failure shows the message, requests
  // the end of the program with a non-zero exit status and returns false.
  bool OpenDatabase(const QString& path);
  // Fills FieldDescs from dt_fieldlist, rebuilds the record list's columns (an empty
  // field list keeps the columns there are) and opens ReportQuery.
  void LoadFieldList();

  // Data components, shared by name with the other windows.
  TADOConnection* SysADOConnection = nullptr;
  TADOQuery* AppQuery = nullptr;
  TADOQuery* ToolQuery = nullptr;
  TADOQuery* KeyQuery = nullptr;
  TADOTable* AppFieldData = nullptr;
  TADOQuery* ReportQuery = nullptr;
  TDataSource* DataSource1 = nullptr;

  // Window parts.
  TPanel* FwSizePanel1 = nullptr;   // left pane (the size panel comes with the control library)
  TPanel* FwGroupBar1 = nullptr;    // group bar in the left pane (likewise)
  TPanel* FwPanel1 = nullptr;       // right pane
  TPanel* FwPanel2 = nullptr;       // empty strip above the list
  TImage* Image1 = nullptr;         // background behind the list
  TDBGrid* RecordGrid = nullptr;
  TStatusBar* FwStatusBar1 = nullptr;
  TStatusPanel* StatusVersion = nullptr;
  TStatusPanel* FwClockStatus1 = nullptr;

  // The record list's sort state (0 unsorted, 1 ascending, 2 descending) and the column
  // sorted last; each load of the field list resets them to 1 and none.
  int ListSortState() const { return listSortState_; }
  TColumn* ListSortedColumn() const { return listSortedColumn_; }

protected:
  void DoCreate() override;

private:
  void CreateDataComponents();
  void CreateWindowParts();
  void CreateRecordGrid();
  void FormCreate();
  void ApplyRecordListSwitch();
  void ShowVersion();
  void FailStartup(const QString& message);
  bool TryOpenPlain(const QString& path);
  bool RemovePassword(const QString& path, const QString& password);
  void RecordGridTitleClick(TColumn* column);
  void LayOutStatusPanes();

  int listSortState_ = 0;
  TColumn* listSortedColumn_ = nullptr;
  bool startupFailed_ = false;
};

extern TMainForm* MainForm;

} // namespace fw
