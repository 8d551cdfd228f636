#include "windows/dialogs/QueryListForm.h"

#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/DatabaseFiles.h"
#include "core/ListExport.h"
#include "core/Messages.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/AdoTable.h"
#include "platform/db/DataSource.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/VirtualKeys.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/GridProcedures.h"
#include "windows/shared/ProgressBarForm.h"

#include <QPointer>

namespace fw {

TdlgQueryListForm* dlgQueryListForm = nullptr;

namespace {

const QString kQueryResultTitle = QStringLiteral("Fenwright查询结果");
constexpr TColor kListFixedColor = RGB(193, 216, 249);

// A title without the sort mark it may carry at its end.
QString TitleWithoutMark(QString title) {
  if (title.endsWith(kAscendingMark) || title.endsWith(kDescendingMark)) title.chop(1);
  return title;
}

} // namespace

TdlgQueryListForm::TdlgQueryListForm(TComponent* owner) : TForm(owner) {
  SetUpDialog(*this, QStringLiteral("dlgQueryListForm"), QStringLiteral("查询结果列表"), 915, 412);
  // A list to read: it may be made larger.
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  SetBorderIcons(biSystemMenu | biMaximize);

  TADOConnection* connection = MainData() ? MainData()->SysADOConnection.get() : nullptr;
  ReportQuery = new TADOQuery(connection);
  DetailQuery = new TADOQuery(connection);
  AppFieldData = new TADOTable(connection);
  AppFieldData->SetTableName(QStringLiteral("DT_FieldList"));
  AppFieldData->SetIndexFieldNames(QStringLiteral("sequence"));
  DataSource1 = new TDataSource(ReportQuery);

  BuildToolbar();
  CountPanel = new TFwCustomPanel(this);
  CountPanel->SetName(QStringLiteral("CountPanel"));
  CountPanel->SetParent(this);
  CountPanel->SetBorderOuter(TFrameStyleEx::fsNone);
  CountPanel->SetAlign(TAlign::alBottom);
  CountPanel->SetHeight(24);
  Label1 = AddLabel(CountPanel, 8, 6, QStringLiteral("符合条件的数据总数："));
  CountLabel = AddLabel(CountPanel, 8 + Label1->Width(), 6, QStringLiteral("0"));
  BuildGrid();
}

TdlgQueryListForm::~TdlgQueryListForm() {
  if (dlgQueryListForm == this) dlgQueryListForm = nullptr;
  // The list lets go of its data before the data sets go.
  DBGrid1->SetDataSource(nullptr);
  delete DataSource1;
  delete ReportQuery;
  delete DetailQuery;
  delete AppFieldData;
}

void TdlgQueryListForm::BuildToolbar() {
  FwToolbar1 = AddBottomButtonBar(*this);
  FwToolbar1->SetAlign(TAlign::alBottom);
  // 删除 and 修改 work on the listed records and stand together.
  tbDelete = AddBarButton(FwToolbar1, QStringLiteral("tbDelete"), QStringLiteral("删除数据信息"),
                          {.Icon = BarIcon::Delete, .Hint = "删除选中的数据|删除列表中选中的记录，删除后不能恢复", .Width = 105},
                          [this] { tbDeleteClick(); });
  AddHiddenBarSpacer(FwToolbar1);
  tbEdit = AddBarButton(FwToolbar1, QStringLiteral("tbEdit"), QStringLiteral("修改数据信息"),
                        {.Icon = BarIcon::Edit, .Hint = "修改当前的数据|在录入窗口中修改当前的记录", .Width = 105},
                        [this] { tbEditClick(); });
  AddBarSpacer(FwToolbar1);
  tbReturn = AddBarButton(FwToolbar1, QStringLiteral("tbReturn"), QStringLiteral("返  回"),
                          kReturnLook, [this] { tbReturnClick(); });
  AddBarSpacer(FwToolbar1);

  ExportMenu = new TPopupMenu(this);
  ExportMenu->SetName(QStringLiteral("ExportMenu"));
  auto item = [this](const QString& name, const QString& caption, std::function<void()> onClick) {
    auto* menuItem = new TMenuItem(this);
    menuItem->SetName(name);
    menuItem->SetCaption(caption);
    menuItem->OnClick = [onClick = std::move(onClick)](TObject*) { onClick(); };
    ExportMenu->Items()->Add(menuItem);
    return menuItem;
  };
  mnSaveAsAccess = item(QStringLiteral("mnSaveAsAccess"), QStringLiteral("导出详细数据为Access文件"), [this] { mnSaveAsAccessClick(); });
  mnSaveAsExecel = item(QStringLiteral("mnSaveAsExecel"), QStringLiteral("导出结果列表为Excel文件"), [this] { mnSaveAsExecelClick(); });
  tbDataExport = AddBarButton(FwToolbar1, QStringLiteral("tbDataExport"), QStringLiteral("导出查询结果"),
                              {.Icon = BarIcon::Export,
                               .Hint = "导出查询结果|导出详细数据为Access文件，或导出结果列表为Excel文件",
                               .Width = 110 - FwDropDownArrowWidth, .OwnStyle = true});
  tbDataExport->SetToolStyle(TFwToolStyle::tsDropDown);
  tbDataExport->SetDropDownMenu(ExportMenu);
}

void TdlgQueryListForm::BuildGrid() {
  DBGrid1 = new TDBGrid(this);
  DBGrid1->SetName(QStringLiteral("DBGrid1"));
  DBGrid1->SetParent(this);
  DBGrid1->SetAlign(TAlign::alClient);
  SetUpRecordList(*DBGrid1, kListFixedColor);
  DBGrid1->SetDataSource(DataSource1);
  DBGrid1->OnTitleClick = [this](TColumn* column) {
    if (!ReportQuery->Active()) return;
    try {
      SortGridByTitle(column, sortState_, sortedColumn_, *ReportQuery);
    } catch (const std::exception& e) {
      ShowRuntimeError(ErrorText(e));
    }
  };
  DBGrid1->OnDblClick = [this](TObject*) { tbEditClick(); };
  DBGrid1->OnKeyUp = [this](TObject*, WORD& key, TShiftState) {
    if (key == VK_RETURN) tbEditClick();
    else if (key == VK_DELETE) tbDeleteClick();
  };
}

void TdlgQueryListForm::RunQueryList(const QString& where, const QVariantMap& params) {
  auto open = [&](TADOQuery& query, const QString& table) {
    query.Close();
    query.SetSort(QString()); // a new result comes in the order its statement gives
    query.SetSQL(QStringLiteral("SELECT * from ") + table + QLatin1Char(' ') + where + QStringLiteral(" order by c901 asc"));
    for (auto it = params.cbegin(); it != params.cend(); ++it) query.ParamByName(it.key()).SetValue(it.value());
    query.Open();
  };
  open(*ReportQuery, QStringLiteral("view_data"));
  open(*DetailQuery, QStringLiteral("dt_data"));
  sortState_ = 1;
}

void TdlgQueryListForm::DoShow() {
  try {
    LoadColumns();
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
  }
  ShowCount();
  TForm::DoShow();
}

// The main list's columns: the visible fields in field-list order; the record state's
// values centred. The first column carries the sort mark on a lime title.
void TdlgQueryListForm::LoadColumns() {
  AppFieldData->Close();
  AppFieldData->Open();
  TDBGridColumns& columns = DBGrid1->Columns();
  columns.BeginUpdate();
  columns.Clear();
  // The column sorted before went with the old columns.
  sortedColumn_ = nullptr;
  auto field = [this](const char* name) { return AppFieldData->FieldByName(QString::fromLatin1(name)); };
  for (AppFieldData->First(); !AppFieldData->Eof(); AppFieldData->Next()) {
    if (!field("Visible")->AsBoolean()) continue;
    const bool state = field("FieldName")->AsString() == QLatin1String("RecordState");
    const int width = field("FieldWidth")->IsNull() ? 0 : field("FieldWidth")->AsInteger();
    AddListColumn(columns, field("ShowName")->AsString(), field("Hint")->AsString(), width, state);
  }
  if (columns.Count() > 0) {
    TColumn* first = columns.Items(0);
    first->Title().SetCaption(first->Title().Caption() + (sortState_ == 2 ? kDescendingMark : kAscendingMark));
    first->Title().SetColor(clLime);
    sortedColumn_ = first;
  }
  columns.EndUpdate();
  AppFieldData->Close();
}

void TdlgQueryListForm::ShowCount() {
  CountLabel->SetCaption(QString::number(ReportQuery->Active() ? ReportQuery->RecordCount() : 0));
}

void TdlgQueryListForm::tbEditClick() {
  if (!ReportQuery->Active() || ReportQuery->IsEmpty() || !OnEditRecord) return;
  QPointer<TdlgQueryListForm> self(this);
  OnEditRecord(*ReportQuery);
  // A record stored under another code may have left the search.
  if (self) ShowCount();
}

void TdlgQueryListForm::tbDeleteClick() {
  try {
    if (DeleteSelectedRecords(*DBGrid1, *ReportQuery, QStringLiteral("dt_data"), QStringLiteral("c901")) == 0) return;
    // The details and the main list no longer hold the deleted records either.
    DetailQuery->Requery();
    if (MainData()) RequeryKeepingPlace(*MainData()->ReportQuery);
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
  }
  ShowCount();
}

void TdlgQueryListForm::tbReturnClick() { SetModalResult(mrCancel); }

void TdlgQueryListForm::mnSaveAsAccessClick() {
  // The details were read at the search: records changed in the entry form since then are
  // exported as they are stored now.
  if (DetailQuery->Active()) try {
    DetailQuery->Requery();
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
    return;
  }
  SaveQueryAsAccess(*DetailQuery, kQueryResultTitle, ProgramProgress());
}

void TdlgQueryListForm::mnSaveAsExecelClick() {
  TFieldDataArray fields;
  const TDBGridColumns& columns = DBGrid1->Columns();
  // An empty result is refused by the export itself.
  if (ReportQuery->Active() && !ReportQuery->IsEmpty()) try {
    for (int i = 0; i < columns.Count(); ++i) {
      const TColumn* column = columns.Items(i);
      TFieldData d;
      d.ShowName = column->FieldName();
      d.Hint = TitleWithoutMark(column->Title().Caption());
      d.FieldType = JetFieldTypeText(*ReportQuery->FieldByName(d.ShowName));
      d.QueryShow = true;
      fields.push_back(d);
    }
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
    return;
  }
  SaveQueryAsExcel(*ReportQuery, kQueryResultTitle, fields, ProgramProgress());
}

} // namespace fw
