#pragma once
// TDataSearchCodeForm: the indicator picker ("选择指标") of the indicator query. The
// sheets (ct_sheetName) are listed on the left; choosing one lists its indicators that
// can be searched by value (view_datasearch) on the right. 确认 or a double click on an
// indicator keeps its code in Chosen and ends with mrOk; 取消 and Esc end with mrCancel.
//
// The program entry makes the picker at start and the indicator query shows it as often
// as it is asked for; every showing starts on the first sheet with the cover's
// indicators, the sheets read again if a choice or the closing of the connection (backup,
// compaction) closed them.

#include "platform/ui/Form.h"

namespace fw {

class TADOConnection;
class TADOQuery;
class TADOTable;
class TDataSource;
class TDBGrid;
class TFwToolbar;
class TFwToolButton;

class TDataSearchCodeForm : public TForm {
public:
  // The picker reads the connection given, else the program's database.
  explicit TDataSearchCodeForm(TComponent* owner, TADOConnection* connection = nullptr);
  ~TDataSearchCodeForm() override;

  TDBGrid* TypeList1 = nullptr; // 表
  TDBGrid* TypeList2 = nullptr; // 指标
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbOK = nullptr;
  TFwToolButton* tbCancel = nullptr;
  TADOTable* SheetTable = nullptr;
  TADOQuery* CodeQuery = nullptr;
  TDataSource* SheetSource = nullptr;
  TDataSource* CodeSource = nullptr;

  // The indicator chosen by the last 确认 (its code, e.g. "z001"); empty before.
  QString Chosen;

  // Lists the indicators of a sheet (its CodeID).
  void ShowSheet(int page);
  // The current sheet's indicators.
  void TypeList1Click();
  // 确认 and a double click on an indicator.
  void tbOKClick();

protected:
  void DoShow() override;

private:
  TDBGrid* NewList(const QString& name, TDataSource* source, int left, int width);
  void AddColumn(TDBGrid* list, const QString& field, const QString& title, int width);
  void CloseDataSets();

  TADOConnection* connection_;
};

// The picker the program entry makes at start; nullptr once it is freed.
extern TDataSearchCodeForm* DataSearchCodeForm;

} // namespace fw
