#include "windows/dialogs/SaveListForm.h"

#include "controls/common/FwCheckList.h"
#include "controls/common/FwRadioButton.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/CheckListFiles.h"
#include "core/DatabaseFiles.h"
#include "core/ListExport.h"
#include "core/Messages.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/ProgressBarForm.h"
#include "windows/shared/VKValidEdit.h"

namespace fw {

TdlgSaveListForm* dlgSaveListForm = nullptr;

namespace {

// The sheets the list offers before "exporttable.qz" is read (and when it cannot be).
const char* const kDesignSheets[kExportSheetCount] = {
    "表一 工会组织建设状况",
    "表二 工会干部协管工作",
    "表三 工会干部教育培训工作",
    "表四 工会保障工作",
    "表五 工会法律工作",
    "表六 工会劳动保护工作",
    "表七 工会民主参与及开展创建劳动关系和谐企业与工业园区活动工作",
    "表八 工会经济技术工作",
    "表九 工会财务和经费审查工作",
    "表十 工会宣传教育和职工文化体育工作",
    "表十一 工会对外交流工作",
    "表十二 开展创建劳动关系和谐企业与工业园区活动",
};

constexpr int kClientWidth = 419;
constexpr int kClientHeight = 394;
// Room for the group button's picture, its whole caption and its arrow.
constexpr int kGroupButtonWidth = 152;

// The program's database and its shared query, as the main window holds them.
TADOConnection* ProgramConnection() { return MainData() ? MainData()->SysADOConnection.get() : nullptr; }
TADOQuery* ProgramQuery() { return MainData() ? MainData()->AppQuery.get() : nullptr; }

QString FieldText(TADOQuery& row, const char* field) { return row.FieldByName(QString::fromLatin1(field))->AsString(); }

qint64 Number(TADOQuery& row, const char* field) {
  TField* f = row.FieldByName(QString::fromLatin1(field));
  return f->IsNull() ? 0 : f->AsLargeInt();
}

} // namespace

TdlgSaveListForm::TdlgSaveListForm(TComponent* owner) : TForm(owner) {
  SetUpDialog(*this, QStringLiteral("dlgSaveListForm"), QStringLiteral("选择导出数据的方式"), kClientWidth, kClientHeight);
  SetBorderIcons(biSystemMenu);

  GroupQuery = new TADOQuery(ProgramConnection());
  BuildSheetList();
  BuildRecordChoice();

  FwToolbar1 = AddBottomButtonBar(*this);
  tbSave = AddBarButton(FwToolbar1, QStringLiteral("tbSave"), QStringLiteral("导  出"),
                        {.Icon = BarIcon::Export, .Hint = "导出数据列表|把选中的表中选中单位的数据导出为Excel文件", .Width = 75},
                        [this] { tbSaveClick(); });
  AddBarSpacer(FwToolbar1);
  tbReturn = AddBarButton(FwToolbar1, QStringLiteral("tbReturn"), QStringLiteral("返  回"),
                          kReturnLook, [this] { tbReturnClick(); });
  FitButtonBar(*FwToolbar1);
}

TdlgSaveListForm::~TdlgSaveListForm() {
  if (dlgSaveListForm == this) dlgSaveListForm = nullptr;
  delete GroupQuery;
}

void TdlgSaveListForm::BuildSheetList() {
  TableList = AddSheetList(*this, Bounds(8, 8, 403, 216));
  for (const char* sheet : kDesignSheets) TableList->AddItem(QString::fromUtf8(sheet));
}

void TdlgSaveListForm::BuildRecordChoice() {
  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName(QStringLiteral("GroupBox1"));
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(8, 232, 403, 116);
  GroupBox1->SetCaption(QStringLiteral("导出的内容"));

  auto radio = [this](const QString& name, const QString& caption, int top) {
    return AddRadioButton(GroupBox1, name, caption, Bounds(12, top, 150, 20));
  };
  AllRecord = radio(QStringLiteral("AllRecord"), QStringLiteral("所有的数据"), 22);
  AllRecord->SetChecked(true);
  Range = radio(QStringLiteral("Range"), QStringLiteral("指定单位编号的范围"), 52);

  auto codeEdit = [this](const QString& name, int left) {
    auto* edit = new TVKValidEdit(this);
    edit->SetName(name);
    edit->SetParent(GroupBox1);
    edit->SetBounds(left, 51, 100, 21);
    edit->SetCheckType(TCheckType::tcValidate);
    edit->SetValidChars(QStringLiteral("0123456789"));
    edit->SetMaxLength(12);
    return edit;
  };
  Label1 = AddLabel(GroupBox1, 164, 55, QStringLiteral("从"));
  c901_1 = codeEdit(QStringLiteral("c901_1"), 180);
  Label2 = AddLabel(GroupBox1, 284, 55, QStringLiteral("到"));
  c901_2 = codeEdit(QStringLiteral("c901_2"), 300);

  radioGroup = radio(QStringLiteral("radioGroup"), QStringLiteral("自定义分组"), 82);
  radioGroup->SetWidth(230);
  GroupMenu = new TPopupMenu(this);
  GroupMenu->SetName(QStringLiteral("GroupMenu"));
  tbGroup = new TFwToolButton(this);
  tbGroup->SetName(QStringLiteral("tbGroup"));
  tbGroup->SetCaption(QStringLiteral("     选择自定义分组"));
  DressToolButton(*tbGroup, *this,
                  {.Icon = BarIcon::Group, .Hint = "选择导出的自定义分组", .Width = kGroupButtonWidth, .OwnStyle = true});
  tbGroup->SetParent(GroupBox1);
  tbGroup->SetToolStyle(TFwToolStyle::tsDropDown);
  tbGroup->SetBounds(242, 79, kGroupButtonWidth, 24);
  tbGroup->SetDropDownMenu(GroupMenu);
}

void TdlgSaveListForm::DoShow() {
  LoadSheetList();
  try {
    LoadGroups();
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
  }
  TForm::DoShow();
}

// The list file replaces the items and their ticks; a missing or unreadable file leaves
// the list as it was.
void TdlgSaveListForm::LoadSheetList() { TableList->LoadFromFile(CheckListReadPath(kExportTableListName)); }

void TdlgSaveListForm::LoadGroups() {
  GroupMenu->Items()->Clear();
  GroupQuery->Close();
  GroupQuery->SetSQL(QStringLiteral("select * from DT_GroupItem"));
  GroupQuery->Open();
  const bool any = !GroupQuery->IsEmpty();
  tbGroup->SetEnabled(any);
  radioGroup->SetEnabled(any);
  if (!any) {
    if (radioGroup->Checked()) AllRecord->SetChecked(true);
    return;
  }
  TakeGroup(*GroupQuery);
  for (; !GroupQuery->Eof(); GroupQuery->Next()) {
    auto* item = new TMenuItem(this);
    item->SetCaption(FieldText(*GroupQuery, "Title"));
    item->SetTag(static_cast<std::intptr_t>(Number(*GroupQuery, "id")));
    item->OnClick = [this, item](TObject*) { GroupMenuItemClick(static_cast<int>(item->Tag())); };
    GroupMenu->Items()->Add(item);
  }
  GroupQuery->First();
}

void TdlgSaveListForm::TakeGroup(TADOQuery& row) {
  group_.Id = static_cast<int>(Number(row, "id"));
  group_.Title = FieldText(row, "Title");
  group_.LowBoundary = Number(row, "LowBoundary");
  group_.HighBoundary = Number(row, "HighBoundary");
  group_.LowSymbol = FieldText(row, "LowSymbol");
  group_.HighSymbol = FieldText(row, "HighSymbol");
  radioGroup->SetTag(group_.Id);
  radioGroup->SetCaption(group_.Title);
}

void TdlgSaveListForm::GroupMenuItemClick(int id) {
  try {
    GroupQuery->Close();
    GroupQuery->SetSQL(QStringLiteral("select * from DT_GroupItem where id=:id"));
    GroupQuery->ParamByName(QStringLiteral("id")).SetValue(id);
    GroupQuery->Open();
    if (!GroupQuery->IsEmpty()) TakeGroup(*GroupQuery);
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
  }
}

QStringList TdlgSaveListForm::ChosenColumns() {
  QStringList columns = ListCoverColumns();
  for (int i = 0; i < TableList->Count() && i < kExportSheetCount; ++i)
    if (TableList->ItemChecked(i)) columns += SheetColumns(*ProgramConnection(), ExportSheetLetter(i));
  return columns;
}

bool TdlgSaveListForm::ChosenStatement(const QStringList& columns, TListStatement& statement) {
  if (Range->Checked()) {
    TCodeRange range;
    if (!ReadCodeRange(c901_1->Text(), c901_2->Text(), range)) {
      ShowMessage(kRangeMissingMessage);
      return false;
    }
    if (range.ToRaised) c901_2->SetText(c901_1->Text());
    statement = RangeStatement(columns, range);
    return true;
  }
  if (radioGroup->Checked()) {
    if (GroupStatement(columns, group_, statement)) return true;
    ShowMessage(kGroupConditionMessage, QString(), MB_OK | MB_ICONWARNING);
    return false;
  }
  statement = AllRecordsStatement(columns);
  return true;
}

void TdlgSaveListForm::tbSaveClick() {
  TADOQuery* list = ProgramQuery();
  if (!list || !ProgramConnection()) return;
  try {
    const QStringList columns = ChosenColumns();
    TListStatement statement;
    if (!ChosenStatement(columns, statement)) return;
    list->Close();
    list->SetSQL(statement.Sql);
    for (auto it = statement.Params.cbegin(); it != statement.Params.cend(); ++it)
      list->ParamByName(it.key()).SetValue(it.value());
    list->Open();
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
    return;
  }
  SaveQueryAsExcel(*list, DatabaseLabel + QStringLiteral("数据列表"), DescribeFields(*list), ProgramProgress());
  // The shared query lets go of the list's rows.
  list->Close();
}

void TdlgSaveListForm::tbReturnClick() { SetModalResult(mrCancel); }

} // namespace fw
