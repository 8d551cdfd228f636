// The main window's actions with their captions, categories and images, the main menu,
// the list's popup menu, the group bar's items and the enabling rules.
#include "windows/main/MainForm.h"

#include "controls/navigation/FwGroup.h"
#include "controls/navigation/FwGroupItem.h"
#include "core/SurveyModel.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/MainMenu.h"
#include "platform/ui/PopupMenu.h"

namespace fw {

namespace {

const QString kDataProcess = QStringLiteral("DataProcess");
const QString kSysSetup = QStringLiteral("SysSetup");
const QString kSearch = QStringLiteral("Search");

struct ActionRow {
  TAction* TMainForm::*member;
  const char* name;
  const char* caption;
  const QString* category; // nullptr: none
  int image;               // -1: none
};

// Every action of the window with its caption, category and image. The handlers are set
// where their feature is wired (MainFormExchange.cpp); an action without one stays
// disabled.
const ActionRow kActions[] = {
    {&TMainForm::actAddNew, "actAddNew", "添加新记录", &kDataProcess, 0},
    {&TMainForm::actModify, "actModify", "修改选中的记录", &kDataProcess, 4},
    {&TMainForm::actDelete, "actDelete", "删除记录", &kDataProcess, 3},
    {&TMainForm::actFastImport, "actFastImport", "数据导入", &kDataProcess, 5},
    {&TMainForm::actExport, "actExport", "数据上报", &kDataProcess, 18},
    {&TMainForm::actOptions, "actOptions", "参数设置", &kSysSetup, 7},
    {&TMainForm::actGroup, "actGroup", "数据分组", &kDataProcess, 17},
    {&TMainForm::actSum, "actSum", "数据汇总", &kDataProcess, 16},
    {&TMainForm::actCheckSelected, "actCheckSelected", "检查选中数据的逻辑", &kDataProcess, -1},
    {&TMainForm::actCheck, "actCheck", "检查数据的逻辑", &kDataProcess, 19},
    {&TMainForm::actCompress, "actCompress", "压缩数据库文件", &kSysSetup, 20},
    {&TMainForm::actLocate, "actLocate", "按条件查找定位数据", &kSearch, -1},
    {&TMainForm::actSearch, "actSearch", "按编号范围查找数据", &kSearch, -1},
    {&TMainForm::actBackup, "actBackup", "数据备份", &kDataProcess, 21},
    {&TMainForm::actAbout, "actAbout", "关于", nullptr, -1},
    {&TMainForm::actSaveList, "actSaveList", "导出数据列表", &kDataProcess, 25},
    {&TMainForm::actRecordGrid, "actRecordGrid", "自定义列表显示", &kDataProcess, 8},
    {&TMainForm::actPrint, "actPrint", "打印选中记录的年报表", &kDataProcess, 26},
    {&TMainForm::actConditionSearch, "actConditionSearch", "指标查询", &kDataProcess, 1},
};

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, TAction* action) {
  auto* item = new TMenuItem(owner);
  if (action) item->SetAction(action);
  else item->SetCaption(QStringLiteral("-"));
  parent->Add(item);
  return item;
}

// A group-bar item in the order the bar lists it: an action's, the upload export (an
// item without action, with its own click handler) or a function this edition hides.
struct GroupItemRow {
  TAction* TMainForm::*action; // nullptr: no action
  const char* hiddenCaption;   // a hidden function's caption; nullptr: the upload item
};

constexpr GroupItemRow kUploadRow{nullptr, nullptr};

// The functions that are no part of this edition keep their items, hidden for good:
// they have neither action nor click handler, and nothing shows them.
const GroupItemRow kGroup1Items[] = {
    {&TMainForm::actAddNew, nullptr},
    {nullptr, "逐条导入"},
    {&TMainForm::actModify, nullptr},
    {&TMainForm::actDelete, nullptr},
    {&TMainForm::actCheck, nullptr},
    {nullptr, "规则导出"},
    {&TMainForm::actConditionSearch, nullptr},
    {&TMainForm::actSum, nullptr},
    {&TMainForm::actGroup, nullptr},
    {&TMainForm::actSaveList, nullptr},
    {&TMainForm::actPrint, nullptr},
};
const GroupItemRow kGroup2Items[] = {
    {&TMainForm::actFastImport, nullptr},
    {nullptr, "CSV数据导入"},
    {nullptr, "多文件导入"},
    {nullptr, "打开默认数据库"},
    {&TMainForm::actBackup, nullptr},
    {nullptr, "数据恢复"},
    {&TMainForm::actExport, nullptr},
    kUploadRow,
    {nullptr, "分组导出"},
    {nullptr, "分组导入"},
};
const GroupItemRow kGroup3Items[] = {
    {&TMainForm::actCompress, nullptr},
    {nullptr, "数据整理"},
    {nullptr, "10年导11年"},
    {&TMainForm::actOptions, nullptr},
    {&TMainForm::actRecordGrid, nullptr},
    {nullptr, "打开数据库"},
    {nullptr, "修改数据库标签"},
};

} // namespace

void TMainForm::CreateActions() {
  ActionList1 = new TActionList(this);
  ActionList1->SetName(QStringLiteral("ActionList1"));
  ActionList1->SetImages(LargeImages);
  for (const ActionRow& row : kActions) {
    auto* action = new TAction(this);
    action->SetName(QString::fromLatin1(row.name));
    action->SetCaption(QString::fromUtf8(row.caption));
    if (row.category) action->SetCategory(*row.category);
    action->SetImageIndex(row.image);
    action->SetActionList(ActionList1);
    this->*row.member = action;
  }
  ActionList1->OnUpdate = [this](TBasicAction* action, bool& handled) {
    if (auto* a = dynamic_cast<TAction*>(action)) UpdateActionState(a);
    handled = true;
  };
  for (int i = 0; i < ActionList1->ActionCount(); ++i) UpdateActionState(ActionList1->Actions(i));
}

bool TMainForm::ListHasRecords() const { return data_.ReportQuery->Active() && !data_.ReportQuery->IsEmpty(); }

bool TMainForm::ActionAllowed(const TAction* action) const {
  if (action == actModify || action == actDelete || action == actLocate || action == actSearch || action == actPrint)
    return ListHasRecords();
  if (action == actRecordGrid) return RecordGrid && RecordGrid->Visible();
  return true;
}

void TMainForm::UpdateActionState(TAction* action) {
  action->SetEnabled(ActionAllowed(action) && static_cast<bool>(action->OnExecute));
}

void TMainForm::CreateMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName(QStringLiteral("MainMenu1"));
  MainMenu1->SetImages(SmallImages);
  auto menu = [this](const QString& caption, std::initializer_list<TAction*> actions) {
    auto* top = new TMenuItem(this);
    top->SetCaption(caption);
    MainMenu1->Items()->Add(top);
    for (TAction* a : actions) NewItem(this, top, a);
    return top;
  };
  menu(QStringLiteral("数据记录"), {actAddNew, actModify, actDelete, actPrint});
  menu(QStringLiteral("查找"), {actLocate, actSearch});
  menu(QStringLiteral("逻辑检查"), {actCheckSelected, actCheck});
  menu(QStringLiteral("数据处理"), {actGroup, actSum});
  menu(QStringLiteral("工具"), {actOptions, actCompress, actRecordGrid});
  menu(QStringLiteral("关于"), {actAbout});
  mnuExit = menu(QStringLiteral("退出"), {});
  mnuExit->SetName(QStringLiteral("mnuExit"));
  mnuExit->OnClick = [this](TObject*) { Close(); };

  GridPopupMenu = new TPopupMenu(this);
  GridPopupMenu->SetName(QStringLiteral("GridPopupMenu"));
  GridPopupMenu->SetImages(SmallImages);
  for (TAction* a : {actAddNew, actModify, actDelete, static_cast<TAction*>(nullptr), actLocate, actSearch,
                     static_cast<TAction*>(nullptr), actCheckSelected, static_cast<TAction*>(nullptr), actRecordGrid,
                     actPrint})
    NewItem(this, GridPopupMenu->Items(), a);
}

namespace {
constexpr int kGroupOpenedHeight = 668;
} // namespace

void TMainForm::BindGroupItems() {
  auto bind = [this](TFwGroup* group, const auto& rows) {
    for (const GroupItemRow& row : rows) {
      TFwGroupItem* item = group->Items().Add();
      if (row.action) {
        TAction* action = this->*row.action;
        item->SetAction(action);
        if (action == actExport) ExportItem = item;
      } else if (row.hiddenCaption) {
        item->SetCaption(QString::fromUtf8(row.hiddenCaption));
        item->SetVisible(false);
      } else {
        UploadItem = item;
        UploadItem->SetCaption(QStringLiteral("上报到网络版"));
        UploadItem->SetImageIndex(6);
      }
    }
    // Set once the items are in: an empty group keeps a small minimum instead.
    group->SetOpenedHeight(kGroupOpenedHeight);
  };
  bind(FwGroup1, kGroup1Items);
  bind(FwGroup2, kGroup2Items);
  bind(FwGroup3, kGroup3Items);
}

// The group bar for the edition: the offline edition captions actExport's item
// "上报到离线版" and shows the 上报到网络版 item.
void TMainForm::ApplyEditionSettings() {
  const bool offline = EditionSettings.OfflineMode == 1;
  if (offline) ExportItem->SetCaption(QStringLiteral("上报到离线版"));
  UploadItem->SetVisible(offline);
}

} // namespace fw
