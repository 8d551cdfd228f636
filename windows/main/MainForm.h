#pragma once
// TMainForm: the program's main window. It owns the main data (TMainData: the one
// database connection and the named queries through which every window reaches the
// survey database), shows the record list, and runs the start-up sequence in its
// creation handler: settings, database, caption, list switch, edition settings, field
// list, version text, splash.
//
// The window's parts are built in MainFormLayout.cpp, its actions, menus and group-bar
// items in MainFormActions.cpp. An action without a handler stays disabled (see
// UpdateActionState); setting an action's OnExecute wires it, and the action list's
// update (which handles every action, so single actions take no OnUpdate) then enables
// it by its rule.
//
// Keys: with key preview the window sees Ctrl+L (locate) and Ctrl+F (indicator query)
// first; Enter, Insert and Delete released in the list run modify, add and delete; a
// double click on the list modifies. The mouse wheel turns into Up/Down keys for the
// focused control program-wide (TMouseWheelKeys) while the window exists.

#include "core/DatabaseMaintenance.h"
#include "platform/shell/FileLock.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/Image.h"
#include "windows/main/MainData.h"

#include <memory>

namespace fw {

class IProgress;
class TAction;
class TActionList;
class TdlgQueryListForm;
class TBasicAction;
class TFwBalloonHints;
class TFwClockStatus;
class TFwGroup;
class TFwGroupBar;
class TFwGroupItem;
class TFwCustomPanel;
using TFwPanel = TFwCustomPanel;
class TFwSizePanel;
class TFwStatusBar;
class TFwStatusPane;
class TImageList;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TMouseWheelKeys;
class TPageRuleEngine;
class TdlgSurveyDataForm;

inline const QString kMainCaptionPrefix = QStringLiteral("2014年度全国Tallowmere--基层以上工会调查表（离线工具） - ");
inline const QString kDataFileMissingMessage = QStringLiteral("没有找到系统数据文件，请重新安装。");
inline const QString kBadInstallationMessage = QStringLiteral("软件安装不正确，请与软件提供者联系！");
// What a second copy of the program says when the working database is held by the copy
// that runs already; it then ends.
QString DatabaseInUseMessage(const QString& databasePath);
// What the start says of a working database that cannot be written; the program goes on
// with it for reading.
QString ReadOnlyDatabaseMessage(const QString& databasePath);
constexpr TColor kMainWindowColor = RGB(193, 216, 249);
// The background picture behind the list, in the program folder.
inline const QString kBackgroundPictureName = QStringLiteral("background.jpg");
// The date format of the status bar's clock.
inline const QString kStatusClockFormat = QStringLiteral("yyyy年mm月dd日");
// The exit status of a start that could not open its database.
constexpr int kStartupFailureExitCode = 1;

// The version text of the status bar for a build number.
QString VersionStatusText(int build);

class TMainForm : public TForm, private IMainConnectionUser {
public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  // Opens `path` (the program folder's 2014NB_qz.mdb when empty) on SysADOConnection
  // (OpenWorkingDatabase). On failure shows the message, requests the end of the
  // program with a non-zero exit status and returns false. A database that opens but
  // cannot be written is said so (ReadOnlyDatabaseMessage) and kept open for reading.
  bool OpenDatabase(const QString& path);
  // Fills FieldDescs from dt_fieldlist, rebuilds the record list's columns (an empty
  // field list keeps the columns there are) and opens ReportQuery.
  void LoadFieldList();

  // The connection and the data sets shared by name with the other windows.
  TMainData& Data() { return data_; }

  // Lets the query list open its records in the entry form.
  void ConnectQueryList(TdlgQueryListForm& list);
  // The searches' records ("where ...") in the query list, shown modally; the record
  // list is read again afterwards.
  void ShowSearchResults(const QString& where);

  // Every hint of the program shows as a balloon while the window lives.
  TFwBalloonHints* FwBalloonHints1 = nullptr;

  // Window parts.
  TFwSizePanel* FwSizePanel1 = nullptr; // left pane
  TFwGroupBar* FwGroupBar1 = nullptr;   // group bar in the left pane
  TFwGroup* FwGroup1 = nullptr;         // 数据操作
  TFwGroup* FwGroup2 = nullptr;         // 备份与上报
  TFwGroup* FwGroup3 = nullptr;         // 系统工具
  TFwGroupItem* ExportItem = nullptr;   // actExport's item, captioned 上报到离线版
  TFwGroupItem* UploadItem = nullptr;   // 上报到网络版, an item without action
  TFwPanel* FwPanel1 = nullptr;         // right pane
  TFwPanel* FwPanel2 = nullptr;         // empty strip above the list
  TImage* Image1 = nullptr;             // background behind the list
  TDBGrid* RecordGrid = nullptr;
  TFwStatusBar* FwStatusBar1 = nullptr;
  TFwStatusPane* StatusVersion = nullptr;
  TFwClockStatus* FwClockStatus1 = nullptr;

  // Images: the group bar's large ones and the menus' small ones, same indexes.
  TImageList* LargeImages = nullptr;
  TImageList* SmallImages = nullptr;

  // Actions.
  TActionList* ActionList1 = nullptr;
  TAction* actAddNew = nullptr;
  TAction* actModify = nullptr;
  TAction* actDelete = nullptr;
  TAction* actFastImport = nullptr;
  TAction* actExport = nullptr;
  TAction* actOptions = nullptr;
  TAction* actGroup = nullptr;
  TAction* actSum = nullptr;
  TAction* actCheckSelected = nullptr;
  TAction* actCheck = nullptr;
  TAction* actCompress = nullptr;
  TAction* actLocate = nullptr;
  TAction* actSearch = nullptr;
  TAction* actBackup = nullptr;
  TAction* actAbout = nullptr;
  TAction* actSaveList = nullptr;
  TAction* actRecordGrid = nullptr;
  TAction* actPrint = nullptr;
  TAction* actConditionSearch = nullptr;

  // Menus.
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* mnuExit = nullptr;         // 退出
  TPopupMenu* GridPopupMenu = nullptr;

  // Whether ReportQuery is open with at least one record.
  bool ListHasRecords() const;
  // The enabling rule of an action by itself: modify, delete, locate, search and print
  // while the list has records, the list's display while the list is shown, the others
  // always. An action is enabled when its rule allows it and it has a handler.
  bool ActionAllowed(const TAction* action) const;
  void UpdateActionState(TAction* action);

  // The statement of the logic check of the marked records: the marked rows' c901 in
  // the list's order, or the current record's when none is marked (the records the list
  // shows selected), always limited to c907<=2. Empty when the list has no record. The
  // list does not move.
  QString CheckSelectedStatement();
  // actCheckSelected: the logic check of those records, clean ones marked as passed.
  void CheckSelectedRecords();

  // The refusal of the offline export: true (and "存在临时保存或逻辑错误的数据，不能上报!"
  // shown) when a record of dt_data is not in state 1; then nothing may be written.
  bool ExportRefused();

  // The handlers of the exchange and maintenance items (MainFormExchange.cpp).
  // 数据导入: the offline file's import, then the list back at its record.
  void actFastImportExecute(TObject* sender);
  // 上报到离线版: refused while a record is not in state 1, else the offline file.
  void actExportExecute(TObject* sender);
  // 上报到网络版: the encrypted upload file.
  void actExportCSVExecute(TObject* sender);
  // 数据备份: a protected copy; the list returns to its record afterwards.
  void actBackupExecute(TObject* sender);
  // 压缩数据库文件: the list is reopened at its first record afterwards.
  void actCompressExecute(TObject* sender);
  // 打印选中记录的年报表: the current record into the print template.
  void actPrintExecute(TObject* sender);

  // The record list's sort state (0 unsorted, 1 ascending, 2 descending) and the column
  // sorted last; each load of the field list resets them to 1 and none.
  int ListSortState() const { return listSortState_; }
  TColumn* ListSortedColumn() const { return listSortedColumn_; }

protected:
  void DoCreate() override;

private:
  void CreateImages();
  void CreateBalloonHints();
  void CreateWindowParts();
  void CreateStatusBar();
  void CreateGroupBar();
  void CreateRecordGrid();
  void CreateActions();
  void CreateMenus();
  void BindGroupItems();
  void WireExchangeActions();
  void WireDialogActions();
  void WireEntryActions();
  TdlgSurveyDataForm& EntryForm();
  void OpenEntryForm(bool addNew);
  // The entry form on the current record of `source` (or adding to it), shown modally.
  void ShowEntryForm(bool addNew, TDataSet& source);
  // The about box (made owned by this window when there is none), as the splash or
  // as opened by 关于, shown modally and freed.
  void ShowAboutBox(bool splash);
  IProgress& Progress();
  void ApplyEditionSettings();
  void LoadBackgroundPicture();
  void FormKeyDown(WORD& key, TShiftState shift);
  void RecordGridKeyUp(WORD key);
  void RunDeleteHandler();
  void FormCreate();
  void ApplyRecordListSwitch();
  void ShowVersion();
  void FailStartup(const QString& message);
  void RecordGridTitleClick(TColumn* column);

  // Backup and compaction close and reopen the connection; the list goes back to its
  // record afterwards (the compaction's to its first record).
  void MainConnectionClosing() override;
  void MainConnectionReopened() override;

  // Holds the working database against a second running copy (OpenWorkingDatabase); let
  // go after the connection is closed.
  TFileLock databaseLock_;
  TMainData data_;
  int listSortState_ = 0;
  TBookmark reopenBookmark_;
  bool reopenAtFirst_ = false;
  TColumn* listSortedColumn_ = nullptr;
  std::unique_ptr<TMouseWheelKeys> wheelKeys_;
  // The entry form's page rules, made with the form (MainFormEntry.cpp).
  std::unique_ptr<TPageRuleEngine> entryRules_;
};

extern TMainForm* MainForm;

} // namespace fw
