#pragma once
// TCityNameForm: the modal region picker. Three linked lists over CT_CityName show the
// provinces, the cities of the current province and the counties of the current city;
// on OK the caller reads Code (six-digit region code) and CombName (combined name).

#include "platform/ui/Form.h"

namespace fw {

class TADOConnection;
class TADOQuery;
class TADOTable;
class TDataSet;
class TDataSource;
class TDBGrid;
class TFwToolbar;
class TFwToolButton;
class TLabel;

class TCityNameForm : public TForm {
public:
  // The lists read the connection given, else the main window's SysADOConnection.
  explicit TCityNameForm(TComponent* owner, TADOConnection* connection = nullptr);
  ~TCityNameForm() override;

  // The region shown first when the form opens, and the region chosen after OK.
  int Code = 110100;
  QString CombName = QStringLiteral("北京市");

  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label3;
  TLabel* Label4;
  TDBGrid* CityName1; // provinces
  TDBGrid* CityName2; // cities of the current province
  TDBGrid* CityName3; // counties of the current city
  TFwToolbar* FwToolbar2;
  TFwToolButton* tbOK;
  TFwToolButton* tbCancel;
  TADOTable* ADOTable1;
  TADOQuery* ADOQuery1;
  TADOQuery* ADOQuery2;
  TDataSource* DataSource1;
  TDataSource* DataSource2;
  TDataSource* DataSource3;

  // The handlers of the lists and buttons (a click, or an arrow key released, in a list).
  void CityName1Click();
  void CityName2Click();
  void CityName3DblClick();
  void tbOKClick();
  void tbCancelClick();

  // Esc released anywhere closes the form (the form previews keys).
  void KeyUp(WORD& key, TShiftState shift) override;

protected:
  void DoShow() override;

private:
  TDBGrid* AddList(const QString& name, const QString& caption, TLabel*& label, int left, TDataSource* source);
  void RefreshCityList();
  void RefreshCountyList();
  void CloseDataSets();
  // Takes Code and CombName from the current row of the data set; false when it has none.
  bool TakeRegion(TDataSet& data);

  int code1_ = 0;
  int code2_ = 0;
  int code3_ = 0;
};

} // namespace fw
