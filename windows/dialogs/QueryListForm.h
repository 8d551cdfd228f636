#pragma once
// TdlgQueryListForm: the query list ("查询结果列表"). The searches run RunQueryList with
// their condition and show it: the records found, with the main list's columns, count,
// striped rows and sorting by a click on a title. The records can be opened in the
// data-entry form, deleted, and exported (the details to a database file, the list as
// shown to a workbook).

#include "platform/ui/Form.h"

#include <QVariantMap>
#include <functional>

namespace fw {

class TADOQuery;
class TADOTable;
class TColumn;
class TDataSource;
class TDBGrid;
class TFwCustomPanel;
class TFwToolbar;
class TFwToolButton;
class TLabel;
class TMenuItem;
class TPopupMenu;

class TdlgQueryListForm : public TForm {
public:
  explicit TdlgQueryListForm(TComponent* owner);
  ~TdlgQueryListForm() override;

  // Shows the records of view_data (ReportQuery) and of dt_data (DetailQuery) that meet
  // `where` ("where ..." or empty), ordered by c901. Values the condition names as
  // ":name" are bound from `params`.
  void RunQueryList(const QString& where, const QVariantMap& params = {});

  // Opens the current record of ReportQuery in the data-entry form (not adding) and
  // returns when the form is closed. Set by whoever owns the entry form; while it is
  // not set, opening a record does nothing.
  std::function<void(TADOQuery& source)> OnEditRecord;

  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbDelete = nullptr;     // 删除数据信息
  TFwToolButton* tbEdit = nullptr;       // 修改数据信息
  TFwToolButton* tbReturn = nullptr;     // 返  回
  TFwToolButton* tbDataExport = nullptr; // 导出查询结果
  TPopupMenu* ExportMenu = nullptr;
  TMenuItem* mnSaveAsAccess = nullptr;
  TMenuItem* mnSaveAsExecel = nullptr;
  TDBGrid* DBGrid1 = nullptr;
  TFwCustomPanel* CountPanel = nullptr;
  TLabel* Label1 = nullptr; // 符合条件的数据总数：
  TLabel* CountLabel = nullptr;
  TADOQuery* ReportQuery = nullptr;
  TADOQuery* DetailQuery = nullptr;
  TADOTable* AppFieldData = nullptr;
  TDataSource* DataSource1 = nullptr;

  int SortState() const { return sortState_; }
  TColumn* SortedColumn() const { return sortedColumn_; }

  void tbEditClick();
  void tbDeleteClick();
  void tbReturnClick();
  void mnSaveAsAccessClick();
  void mnSaveAsExecelClick();

protected:
  void DoShow() override;

private:
  void BuildToolbar();
  void BuildGrid();
  void LoadColumns();
  void ShowCount();

  int sortState_ = 1;
  TColumn* sortedColumn_ = nullptr;
};

// The dialog the program creates at start; the searches show it.
extern TdlgQueryListForm* dlgQueryListForm;

} // namespace fw
