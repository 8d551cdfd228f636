#include "windows/dialogs/SumForm.h"

#include "controls/common/FwCheckList.h"
#include "controls/common/FwGroupButton.h"
#include "controls/common/FwRadioGroup.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/CheckListFiles.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "core/SumProcedure.h"
#include "core/SummaryDefs.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/sheet/SheetApplication.h"
#include "platform/shell/Folders.h"
#include "platform/shell/ShownText.h"
#include "platform/ui/Button.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/ProgressBar2LineForm.h"

#include <QDir>

namespace fw {

TdlgSumForm* dlgSumForm = nullptr;

namespace {

constexpr int kClientWidth = 580;
constexpr int kClientHeight = 470;
constexpr int kListWidth = 456;
constexpr int kListHeight = 352;
constexpr int kRightLeft = kListWidth + 16;
constexpr int kRightWidth = kClientWidth - kRightLeft - 8;
constexpr int kGroupMode = 2;
const QString kNoGroupCaption = QStringLiteral("自定义分组");

} // namespace

TdlgSumForm::TdlgSumForm(TComponent* owner, TADOConnection* connection)
    : TForm(owner), connection_(ConnectionOrProgram(connection)) {
  SetUpDialog(*this, QStringLiteral("dlgSumForm"), QStringLiteral("数据分类汇总"), kClientWidth, kClientHeight);
  GroupQuery = new TADOQuery(connection_);
  ToolQuery = new TADOQuery(connection_);
  ToolQuery->SetSQL(QStringLiteral("select count(*) as cnt from DT_GroupItem where GroupID = \n:GroupID"));

  CreateSheetList();
  CreateSumType();

  FwToolbar1 = AddBottomButtonBar(*this);
  tbSum = AddBarButton(FwToolbar1, QStringLiteral("tbSum"), QStringLiteral("汇  总"),
                       {.Icon = BarIcon::Sum, .Hint = "执行汇总", .Width = 75}, [this] { tbSumClick(); });
  tbReturn = AddReturnButton(FwToolbar1, QStringLiteral("tbReturn"));
  FitButtonBar(*FwToolbar1);
}

TdlgSumForm::~TdlgSumForm() {
  if (dlgSumForm == this) dlgSumForm = nullptr;
  delete ToolQuery;
  delete GroupQuery;
}

void TdlgSumForm::CreateSheetList() {
  TableList = AddSheetList(*this, Bounds(8, 8, kListWidth, kListHeight));
  TableList->OnDblClick = [this](TObject*) { TableListDblClick(); };
  FillBuiltInRows();

  auto addButton = [this](const QString& name, const QString& caption, int top, auto onClick) {
    auto* button = new TButton(this);
    button->SetName(name);
    button->SetParent(this);
    button->SetBounds(kRightLeft, top, kRightWidth, 25);
    button->SetCaption(caption);
    button->OnClick = [onClick](TObject*) { onClick(); };
    return button;
  };
  Button1 = addButton(QStringLiteral("Button1"), QStringLiteral("全部选中"), 8, [this] { TableList->CheckAll(); });
  Button2 = addButton(QStringLiteral("Button2"), QStringLiteral("全部不选"), 41, [this] { TableList->UncheckAll(); });
}

void TdlgSumForm::CreateSumType() {
  SumType = new TFwRadioGroup(this);
  SumType->SetName(QStringLiteral("SumType"));
  SumType->SetParent(this);
  SumType->SetBounds(8, kListHeight + 14, kClientWidth - 16, 50);
  SumType->SetCaption(QStringLiteral("汇总方式"));
  SumType->SetGroupStyle(TFwGroupBoxStyle::gsStandard);
  SumType->SetVisualStyle(TFwVisualStyle::vsClassic);
  SumType->SetItemFrameColor(kGlyphFrameColor);
  SumType->SetItemHighlightColor(kGlyphMarkColor);
  SumType->SetItemHotTrack(true);
  SumType->SetColumns(3);
  SumType->SetItems({QStringLiteral("照工会层次"), QStringLiteral("填报状态"), QString()});
  SumType->SetItemIndex(0);

  // The third item has no text: the group's button stands in its place, on a bar of its
  // own so that it is drawn over the item's radio button.
  GroupMenu = new TPopupMenu(this);
  GroupMenu->SetName(QStringLiteral("GroupMenu"));
  const TControl* third = SumType->Button(kGroupMode);
  GroupBar = AddButtonBar(SumType, Bounds(third->Left() + 18, third->Top() - 5, 150, 27));
  GroupBar->SetName(QStringLiteral("GroupBar"));
  tbGroup = AddBarButton(GroupBar, QStringLiteral("tbGroup"), kNoGroupCaption,
                         {.Icon = BarIcon::Group, .Hint = "选择汇总用的自定义分组", .Width = 110 - FwDropDownArrowWidth,
                          .Looks = blkNone, .OwnStyle = true},
                         [this] { tbGroupClick(); });
  tbGroup->SetToolStyle(TFwToolStyle::tsDropDown);
  tbGroup->SetDropDownMenu(GroupMenu);
  tbGroup->OnDropDown = [this](TObject*) { tbGroupClick(); };
  GroupBar->BringToFront();
}

// The sheets as the summary knows them, all ticked: the rows the dialog keeps when the
// list file cannot be read.
void TdlgSumForm::FillBuiltInRows() {
  TableList->ClearItems();
  TableList->AddItem(QStringLiteral("封面"), TCheckBoxState::cbChecked);
  for (const TSummarySheetDef& def : SummarySheetDefs()) TableList->AddItem(def.Title, TCheckBoxState::cbChecked);
}

QString TdlgSumForm::OwnListPath() { return QDir(UserConfigFolder()).filePath(kSumTableListName); }

// The user's copy first, else the shipped one. An unreadable own copy is reported and
// the shipped list taken; when neither can be read the built-in rows are shown (not the rows
// of an earlier showing).
void TdlgSumForm::LoadSheetList() {
  const QString path = CheckListReadPath(kSumTableListName);
  if (TableList->LoadFromFile(path)) return;
  ShowRuntimeError(QStringLiteral("无法读取汇总表清单文件“%1”").arg(QDir::toNativeSeparators(path)));
  const QString shipped = ProgramFile(kSumTableListName);
  if (path != shipped && TableList->LoadFromFile(shipped)) return;
  FillBuiltInRows();
}

void TdlgSumForm::DoShow() {
  SumType->SetItemIndex(0);
  StartAtFirstControl(*this);
  LoadSheetList();
  try {
    LoadGroups();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  TForm::DoShow();
}

void TdlgSumForm::DoClose(TCloseAction& action) {
  if (!TableList->SaveToFile(OwnListPath()))
    ShowRuntimeError(QStringLiteral("无法保存汇总表清单文件“%1”").arg(QDir::toNativeSeparators(OwnListPath())));
  TForm::DoClose(action);
}

// One menu entry per group, disabled when the group has no items; the first group is
// the chosen one. Without groups (or when they cannot be read) the group mode cannot be
// chosen, and no group of an earlier showing, which may be gone since, stays chosen.
void TdlgSumForm::LoadGroups() {
  GroupMenu->Items()->Clear();
  ChooseGroup(0, kNoGroupCaption);
  tbGroup->SetEnabled(false);
  SumType->Button(kGroupMode)->SetEnabled(false);
  GroupQuery->Close();
  GroupQuery->SetSQL(QStringLiteral("select * from ct_group"));
  GroupQuery->Open();
  if (GroupQuery->IsEmpty()) return;
  tbGroup->SetEnabled(true);
  SumType->Button(kGroupMode)->SetEnabled(true);
  ChooseGroup(GroupQuery->FieldByName(QStringLiteral("id"))->AsInteger(),
              GroupQuery->FieldByName(QStringLiteral("name"))->AsString());
  for (; !GroupQuery->Eof(); GroupQuery->Next()) {
    const int id = GroupQuery->FieldByName(QStringLiteral("id"))->AsInteger();
    auto* entry = new TMenuItem(this);
    entry->SetCaption(ShownLabel(GroupQuery->FieldByName(QStringLiteral("name"))->AsString()));
    entry->SetTag(id);
    entry->SetEnabled(GroupItemCount(id) > 0);
    entry->OnClick = [this, entry](TObject*) { GroupMenuClick(entry); };
    GroupMenu->Items()->Add(entry);
  }
}

int TdlgSumForm::GroupItemCount(int groupId) {
  ToolQuery->Close();
  ToolQuery->ParamByName(QStringLiteral("GroupID")).SetValue(groupId);
  ToolQuery->Open();
  const int count = ToolQuery->FieldByName(QStringLiteral("cnt"))->AsInteger();
  ToolQuery->Close();
  return count;
}

void TdlgSumForm::ChooseGroup(int id, const QString& name) {
  tbGroup->SetTag(id);
  tbGroup->SetCaption(ShownLabel(name));
}

void TdlgSumForm::tbGroupClick() { SumType->SetItemIndex(kGroupMode); }

void TdlgSumForm::GroupMenuClick(TMenuItem* entry) {
  try {
    TADOQuery query(connection_);
    query.SetSQL(QStringLiteral("select * from ct_group where id=:id"));
    query.ParamByName(QStringLiteral("id")).SetValue(static_cast<int>(entry->Tag()));
    query.Open();
    if (!query.IsEmpty())
      ChooseGroup(query.FieldByName(QStringLiteral("id"))->AsInteger(),
                  query.FieldByName(QStringLiteral("name"))->AsString());
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
}

void TdlgSumForm::TableListDblClick() {
  const int index = TableList->ItemIndex();
  if (index < 0 || !TableList->IsGroupItem(index)) return;
  for (int i = index + 1; i < TableList->Count() && !TableList->IsGroupItem(i); ++i) TableList->SetItemChecked(i, true);
}

std::vector<int> TdlgSumForm::SheetNumbers() const {
  std::vector<int> numbers(static_cast<size_t>(TableList->Count()), 0);
  int next = 1;
  for (int i = 0; i < TableList->Count(); ++i)
    if (TableList->ItemEnabled(i) && !TableList->IsGroupItem(i)) numbers[static_cast<size_t>(i)] = next++;
  return numbers;
}

// The filling pass: every ticked sheet in list order (the cover has nothing to fill).
void TdlgSumForm::FillTickedSheets(ITwoBarProgress& progress, const std::vector<int>& numbers, int mode, int groupId) {
  for (int i = 0; i < TableList->Count(); ++i) {
    const int sheetNo = numbers[static_cast<size_t>(i)];
    if (sheetNo == 0 || !TableList->ItemChecked(i)) continue;
    BuildSummaryWorkbook(*connection_, progress, sheetNo, mode, groupId);
    progress.IncFirst();
  }
}

// The removal pass, from the last row up so that the numbers of the sheets still to go
// stay valid. A row numbered beyond the workbook's sheets (a list file with more rows)
// has no sheet to remove, and the workbook keeps at least one sheet.
void TdlgSumForm::RemoveUntickedSheets(TSheetApplication& server, const std::vector<int>& numbers) {
  TWorkbook& book = server.ActiveWorkbook();
  for (int i = TableList->Count() - 1; i >= 0; --i) {
    const int sheetNo = numbers[static_cast<size_t>(i)];
    if (sheetNo == 0 || TableList->ItemChecked(i)) continue;
    if (sheetNo > book.Sheets().Count() || book.Sheets().Count() == 1) continue;
    book.Sheets(sheetNo).Select();
    book.Sheets(sheetNo).Delete();
  }
}

void TdlgSumForm::tbSumClick() {
  InitSummaryDefs();
  const int ticked = TableList->CheckedCount();
  if (ticked == 0) return;
  const std::vector<int> numbers = SheetNumbers();
  const int mode = SumType->ItemIndex();
  const int groupId = mode == kGroupMode ? static_cast<int>(tbGroup->Tag()) : 0;
  ITwoBarProgress& progress = Progress ? *Progress : ProgramTwoBarProgress();
  // Whatever ends the run, a half-made workbook is not left for the next one.
  TSummaryRun run;
  try {
    // Opened before any sheet is filled, so that a cover ticked alone is shown as well;
    // a template that cannot be opened is reported once.
    if (!OpenSummaryWorkbook()) return;
    {
      TTwoBarProgressShown shown(progress, ticked);
      FillTickedSheets(progress, numbers, mode, groupId);
    }
    TSheetApplication& server = *SummaryServer();
    server.SetDisplayAlerts(false);
    RemoveUntickedSheets(server, numbers);
    server.SetDisplayAlerts(true);
    server.Worksheets(1).Activate();
    ShowSummaryWorkbook();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  } catch (const ESheetError& e) {
    ShowRuntimeError(e.Message());
  }
}

} // namespace fw
