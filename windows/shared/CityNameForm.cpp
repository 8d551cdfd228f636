#include "windows/shared/CityNameForm.h"

#include "windows/shared/DialogParts.h"

#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/CodeLookup.h"
#include "core/Messages.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/AdoTable.h"
#include "platform/db/DataSource.h"
#include "platform/db/DbError.h"
#include "platform/db/Field.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/VirtualKeys.h"
#include "windows/main/MainData.h"

namespace fw {

namespace {

constexpr int kListTop = 28;
constexpr int kListWidth = 185;
constexpr int kListHeight = 330;

bool IsArrowKey(WORD key) { return key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN; }

int FieldInt(TDataSet& data, const char* name) { return data.FieldByName(QString::fromLatin1(name))->AsInteger(); }

} // namespace

TCityNameForm::TCityNameForm(TComponent* owner, TADOConnection* connection) : TForm(owner) {
  connection = ConnectionOrProgram(connection);
  SetName(QStringLiteral("CityNameForm"));
  SetCaption(QStringLiteral("中华人民共和国行政区划"));
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(587);
  SetClientHeight(434);
  SetKeyPreview(true);

  ADOTable1 = new TADOTable(connection);
  ADOTable1->SetTableName(QStringLiteral("CT_CityName"));
  ADOTable1->SetIndexFieldNames(QStringLiteral("Code1"));
  ADOTable1->SetFilter(QStringLiteral("Code2=0"));
  ADOTable1->SetFiltered(true);
  ADOQuery1 = new TADOQuery(connection);
  ADOQuery2 = new TADOQuery(connection);
  DataSource1 = new TDataSource(ADOTable1);
  DataSource2 = new TDataSource(ADOQuery1);
  DataSource3 = new TDataSource(ADOQuery2);

  CityName1 = AddList(QStringLiteral("CityName1"), QStringLiteral("省级地区"), Label1, 8, DataSource1);
  CityName2 = AddList(QStringLiteral("CityName2"), QStringLiteral("地市及直辖市所属区县"), Label2, 201, DataSource2);
  CityName3 = AddList(QStringLiteral("CityName3"), QStringLiteral("县、市辖区、县级市、旗"), Label3, 394, DataSource3);
  CityName1->OnCellClick = [this](TColumn*) { CityName1Click(); };
  CityName1->OnKeyUp = [this](TObject*, WORD& key, TShiftState) {
    if (IsArrowKey(key)) CityName1Click();
  };
  CityName2->OnCellClick = [this](TColumn*) { CityName2Click(); };
  CityName2->OnKeyUp = [this](TObject*, WORD& key, TShiftState) {
    if (IsArrowKey(key)) CityName2Click();
  };
  CityName3->OnDblClick = [this](TObject*) { CityName3DblClick(); };

  Label4 = new TLabel(this);
  Label4->SetParent(this);
  Label4->SetBounds(8, kListTop + kListHeight + 10, 0, 0);
  Label4->SetAutoSize(true);
  Label4->SetCaption(QStringLiteral("说明：基于国家统计局2009年12月31日公布的《中华人民共和国行政区划代码》编排"));

  FwToolbar2 = AddButtonBar(this, Bounds(579, 434 - 37, 0, 29));
  FwToolbar2->SetName(QStringLiteral("FwToolbar2"));
  tbOK = AddBarButton(FwToolbar2, QStringLiteral("tbOK"), QStringLiteral("确认选择"),
                      {.Icon = BarIcon::Ok, .Hint = "选用当前的行政区划|选用选中的区县，没有区县时选用选中的省级地区",
                       .OwnStyle = true},
                      [this] { tbOKClick(); });
  AddBarSpacer(FwToolbar2);
  tbCancel = AddBarButton(FwToolbar2, QStringLiteral("tbCancel"), QStringLiteral("取消选择"),
                          {.Icon = BarIcon::Cancel, .Hint = "不选行政区划，关闭本窗口", .OwnStyle = true},
                          [this] { tbCancelClick(); });
  FitButtonBar(*FwToolbar2);

  try {
    ADOTable1->Close();
    ADOTable1->Open();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
}

TCityNameForm::~TCityNameForm() {
  // The grids let go of their sources before the data sets go.
  for (TDBGrid* grid : {CityName1, CityName2, CityName3}) grid->SetDataSource(nullptr);
  delete DataSource1;
  delete DataSource2;
  delete DataSource3;
  delete ADOTable1;
  delete ADOQuery1;
  delete ADOQuery2;
}

TDBGrid* TCityNameForm::AddList(const QString& name, const QString& caption, TLabel*& label, int left,
                                TDataSource* source) {
  label = new TLabel(this);
  label->SetParent(this);
  label->SetBounds(left, 10, 0, 0);
  label->SetAutoSize(true);
  label->SetCaption(caption);

  auto* grid = new TDBGrid(this);
  grid->SetName(name);
  grid->SetParent(this);
  grid->SetBounds(left, kListTop, kListWidth, kListHeight);
  grid->SetReadOnly(true);
  grid->SetOptions(dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
  grid->SetDataSource(source);
  TColumn* column = grid->Columns().Add();
  column->SetFieldName(QStringLiteral("Name"));
  column->SetWidth(kListWidth - 24);
  return grid;
}

void TCityNameForm::DoShow() {
  SplitRegionCode(Code, code1_, code2_, code3_);
  try {
    if (!ADOTable1->Active()) ADOTable1->Open();
    ADOTable1->Locate(QStringLiteral("Code1"), code1_);
    RefreshCityList();
    RefreshCountyList();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  TForm::DoShow();
}

void TCityNameForm::RefreshCityList() {
  ADOQuery1->Close();
  ADOQuery1->SQL().Clear();
  ADOQuery1->SQL().Add("Select * from CT_CityName where Code1=" + QString::number(code1_) +
                       " and Code2<>0 and Code3=0 order by Code2");
  ADOQuery1->Open();
  ADOQuery1->Locate(QStringLiteral("Code1;Code2"), QVariantList{code1_, code2_});
}

void TCityNameForm::RefreshCountyList() {
  ADOQuery2->Close();
  ADOQuery2->SQL().Clear();
  ADOQuery2->SQL().Add("Select * from CT_CityName where Code1=" + QString::number(code1_) +
                       " and Code2=" + QString::number(code2_) + " order by Code3");
  ADOQuery2->Open();
  ADOQuery2->Locate(QStringLiteral("Code1;Code2;Code3"), QVariantList{code1_, code2_, code3_});
}

void TCityNameForm::CityName1Click() {
  if (!ADOTable1->Active() || ADOTable1->IsEmpty()) return;
  try {
    code1_ = FieldInt(*ADOTable1, "Code1");
    code2_ = 1;
    code3_ = 0;
    RefreshCityList();
    RefreshCountyList();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
}

void TCityNameForm::CityName2Click() {
  if (!ADOTable1->Active() || ADOTable1->IsEmpty() || !ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
  try {
    code1_ = FieldInt(*ADOTable1, "Code1");
    code2_ = FieldInt(*ADOQuery1, "Code2");
    code3_ = 0;
    RefreshCountyList();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
}

bool TCityNameForm::TakeRegion(TDataSet& data) {
  if (!data.Active() || data.IsEmpty()) return false;
  const QString name = data.FieldByName(QStringLiteral("CombName"))->AsString().trimmed();
  if (name.isEmpty()) return false;
  Code = FieldInt(data, "ID");
  CombName = name;
  return true;
}

void TCityNameForm::tbOKClick() {
  // Without a county row the province is taken; with neither, nothing is chosen.
  if (!TakeRegion(*ADOQuery2) && !TakeRegion(*ADOTable1)) return;
  CloseDataSets();
  SetModalResult(mrOk);
}

void TCityNameForm::CityName3DblClick() {
  if (!TakeRegion(*ADOQuery2)) return;
  CloseDataSets();
  SetModalResult(mrOk);
}

void TCityNameForm::tbCancelClick() {
  CloseDataSets();
  SetModalResult(mrCancel);
}

void TCityNameForm::KeyUp(WORD& key, TShiftState shift) {
  if (key == VK_ESCAPE) {
    key = 0;
    Close();
    return;
  }
  TForm::KeyUp(key, shift);
}

void TCityNameForm::CloseDataSets() {
  ADOTable1->Close();
  ADOQuery1->Close();
  ADOQuery2->Close();
}

} // namespace fw
