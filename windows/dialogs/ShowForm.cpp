#include "windows/dialogs/ShowForm.h"

#include "controls/common/FwCheckBox.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "controls/navigation/FwPageControl.h"
#include "controls/navigation/FwTabSheet.h"
#include "core/DatabaseFiles.h"
#include "core/FieldDisplay.h"
#include "core/Messages.h"
#include "platform/shell/Hooks.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"

#include <map>

namespace fw {

TdlgShowForm* dlgShowForm = nullptr;

namespace {

// Two columns of check boxes on a page.
constexpr int kBoxWidth = 438;
constexpr int kBoxHeight = 35;
constexpr int kRowPitch = 30;
constexpr int kClientWidth = 2 * kBoxWidth + 20;
constexpr int kClientHeight = 580;

// The program's database, as the main window holds it.
TADOConnection* ProgramConnection() { return MainData() ? MainData()->SysADOConnection.get() : nullptr; }

} // namespace

TdlgShowForm::TdlgShowForm(TComponent* owner) : TForm(owner) {
  SetUpDialog(*this, QStringLiteral("dlgShowForm"), QStringLiteral("自定义列表项"), kClientWidth, kClientHeight);
  SetBorderIcons(biSystemMenu);

  FwToolbar1 = AddBottomButtonBar(*this);
  FwToolbar1->SetAlign(TAlign::alBottom);
  tbReturn = AddBarButton(FwToolbar1, QStringLiteral("tbReturn"), QStringLiteral("关  闭"),
                          kReturnLook, [this] { tbReturnClick(); });
  AddBarSpacer(FwToolbar1);
  tbSave = AddBarButton(FwToolbar1, QStringLiteral("tbSave"), QStringLiteral("确  定"),
                        {.Icon = BarIcon::Ok, .Hint = "保存列表显示的设置|勾选的指标作为主窗口列表的列", .Width = 75},
                        [this] { tbSaveClick(); });

  DataPage = new TFwPageControl(this);
  DataPage->SetName(QStringLiteral("DataPage"));
  DataPage->SetParent(this);
  DataPage->SetBounds(0, 0, kClientWidth, kClientHeight - 42);
  DataPage->SetTabOrientation(TFwTabOrientation::toBottom);
  DataPage->SetTabStyle(TFwTabStyle::tsRoundCorners);
  DataPage->SetTabHints(true);
  SetDataPageColors(*DataPage);
  try {
    BuildPages();
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
  }
  if (DataPage->PageCount() > 0) DataPage->SetActivePageIndex(0);
}

TdlgShowForm::~TdlgShowForm() {
  if (dlgShowForm == this) dlgShowForm = nullptr;
}

TFwTabSheet* TdlgShowForm::AddPage(const QString& caption) {
  auto* sheet = new TFwTabSheet(this);
  sheet->SetCaption(caption);
  sheet->SetColor(kDataPageColor);
  sheet->SetPageControl(DataPage);
  return sheet;
}

// A page per sheet, in page order; the fields of a page in two columns.
void TdlgShowForm::BuildPages() {
  TADOConnection* connection = ProgramConnection();
  if (!connection) return;
  std::map<int, std::pair<TFwTabSheet*, int>> pages; // page id -> sheet, boxes on it
  for (const TFieldDisplayItem& field : ReadFieldDisplay(*connection)) {
    auto page = pages.find(field.PageID);
    if (page == pages.end()) page = pages.emplace(field.PageID, std::make_pair(AddPage(field.SheetName), 0)).first;
    const int i = page->second.second++;
    auto* box = new TFwCheckBox(this);
    box->SetParent(page->second.first);
    box->SetBounds((i % 2) * kBoxWidth + 4, (i / 2) * kRowPitch + 6, kBoxWidth, kBoxHeight);
    box->Font().SetName(QStringLiteral("宋体"));
    box->Font().SetSize(9);
    box->SetCaption(field.FieldName + QStringLiteral("--") + field.Hint);
    box->SetTag(field.Id);
    box->SetChecked(field.Visible);
    FieldBoxes.push_back(box);
  }
}

void TdlgShowForm::tbSaveClick() {
  TADOConnection* connection = ProgramConnection();
  if (!connection) return;
  std::vector<int> visible;
  for (TFwCheckBox* box : FieldBoxes)
    if (box->Checked()) visible.push_back(static_cast<int>(box->Tag()));
  try {
    SaveVisibleFields(*connection, visible);
    if (OnFieldListSaved) OnFieldListSaved();
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
    return;
  }
  ShowMessage(QStringLiteral("保存成功"));
}

void TdlgShowForm::tbReturnClick() { Close(); }

} // namespace fw
