#include "windows/dialogs/DataSearchCodeForm.h"

#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/Messages.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/AdoTable.h"
#include "platform/db/DataSource.h"
#include "platform/db/DbError.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/VirtualKeys.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"

namespace fw {

TDataSearchCodeForm* DataSearchCodeForm = nullptr;

namespace {

constexpr int kClientWidth = 520;
constexpr int kClientHeight = 360;
constexpr int kSheetWidth = 180;

bool IsNavigationKey(WORD key) { return key >= VK_PRIOR && key <= VK_DOWN; }

} // namespace

TDataSearchCodeForm::TDataSearchCodeForm(TComponent* owner, TADOConnection* connection)
    : TForm(owner), connection_(ConnectionOrProgram(connection)) {
  SetUpDialog(*this, QStringLiteral("DataSearchCodeForm"), QStringLiteral("选择指标"), kClientWidth, kClientHeight);
  SetKeyPreview(true);
  OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
    if (key == VK_ESCAPE) SetModalResult(mrCancel);
  };

  SheetTable = new TADOTable(connection_);
  SheetTable->SetTableName(QStringLiteral("ct_sheetName"));
  SheetTable->SetIndexFieldNames(QStringLiteral("CodeID"));
  CodeQuery = new TADOQuery(connection_);
  SheetSource = new TDataSource(SheetTable);
  CodeSource = new TDataSource(CodeQuery);

  TypeList1 = NewList(QStringLiteral("TypeList1"), SheetSource, 8, kSheetWidth);
  AddColumn(TypeList1, QStringLiteral("name"), QStringLiteral("表"), kSheetWidth - 36);
  TypeList1->OnCellClick = [this](TColumn*) { TypeList1Click(); };
  TypeList1->OnKeyUp = [this](TObject*, WORD& key, TShiftState) {
    if (IsNavigationKey(key)) TypeList1Click();
  };

  const int codeLeft = kSheetWidth + 16;
  const int codeWidth = kClientWidth - codeLeft - 8;
  TypeList2 = NewList(QStringLiteral("TypeList2"), CodeSource, codeLeft, codeWidth);
  AddColumn(TypeList2, QStringLiteral("codename"), QStringLiteral("指标"), 60);
  AddColumn(TypeList2, QStringLiteral("Hint"), QStringLiteral("名称"), codeWidth - 96);
  TypeList2->OnDblClick = [this](TObject*) { tbOKClick(); };

  FwToolbar1 = AddBottomButtonBar(*this, TFwToolbarTextOptions::ttoSelectiveTextOnRight);
  tbOK = AddBarButton(FwToolbar1, QStringLiteral("tbOK"), QStringLiteral("确认"),
                      {.Icon = BarIcon::Ok, .Hint = "选用当前的指标"}, [this] { tbOKClick(); });
  AddBarSpacer(FwToolbar1);
  tbCancel = AddBarButton(FwToolbar1, QStringLiteral("tbCancel"), QStringLiteral("取消"),
                          {.Icon = BarIcon::Cancel, .Hint = "不选指标，关闭本窗口"}, [this] { SetModalResult(mrCancel); });
  FitButtonBar(*FwToolbar1);

  try {
    SheetTable->Open();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
}

TDataSearchCodeForm::~TDataSearchCodeForm() {
  if (DataSearchCodeForm == this) DataSearchCodeForm = nullptr;
  TypeList1->SetDataSource(nullptr);
  TypeList2->SetDataSource(nullptr);
  delete CodeSource;
  delete SheetSource;
  delete CodeQuery;
  delete SheetTable;
}

TDBGrid* TDataSearchCodeForm::NewList(const QString& name, TDataSource* source, int left, int width) {
  auto* list = new TDBGrid(this);
  list->SetName(name);
  list->SetParent(this);
  list->SetBounds(left, 8, width, kClientHeight - 53);
  list->SetOptions(dgTitles | dgIndicator | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
  list->SetDataSource(source);
  return list;
}

void TDataSearchCodeForm::AddColumn(TDBGrid* list, const QString& field, const QString& title, int width) {
  TColumn* column = list->Columns().Add();
  column->SetFieldName(field);
  column->SetWidth(width);
  column->Title().SetCaption(title);
}

void TDataSearchCodeForm::DoShow() {
  try {
    if (!SheetTable->Active()) SheetTable->Open();
    SheetTable->First();
    ShowSheet(0);
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  StartAtFirstControl(*this);
  TForm::DoShow();
}

void TDataSearchCodeForm::ShowSheet(int page) {
  CodeQuery->Close();
  CodeQuery->SetSQL(QStringLiteral("Select * from view_datasearch where PageID=:page order by sequence"));
  CodeQuery->ParamByName(QStringLiteral("page")).SetValue(page);
  CodeQuery->Open();
}

void TDataSearchCodeForm::TypeList1Click() {
  if (!SheetTable->Active() || SheetTable->IsEmpty()) return;
  try {
    ShowSheet(SheetTable->FieldByName(QStringLiteral("CodeID"))->AsInteger());
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
}

void TDataSearchCodeForm::tbOKClick() {
  if (!CodeQuery->Active() || CodeQuery->IsEmpty()) return;
  Chosen = CodeQuery->FieldByName(QStringLiteral("codename"))->AsString().trimmed();
  SetModalResult(mrOk);
  CloseDataSets();
}

void TDataSearchCodeForm::CloseDataSets() {
  CodeQuery->Close();
  SheetTable->Close();
}

} // namespace fw
