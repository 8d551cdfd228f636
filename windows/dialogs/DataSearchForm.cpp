#include "windows/dialogs/DataSearchForm.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwGroupBox.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/SearchConditions.h"
#include "windows/dialogs/DataSearchCodeForm.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/VKValidEdit.h"

namespace fw {

TdlgDataSearchForm* dlgDataSearchForm = nullptr;

namespace {

constexpr int kClientWidth = 560;
constexpr int kClientHeight = 124;
constexpr int kRowTop = 32;
constexpr int kNumberDigits = 15;

TVKValidEdit* NewNumberEdit(TWinControl* parent, const QString& name, int left) {
  auto* edit = new TVKValidEdit(parent->ParentForm());
  edit->SetName(name);
  edit->SetParent(parent);
  edit->SetBounds(left, kRowTop, 100, 21);
  edit->SetCheckType(TCheckType::tcValidate);
  edit->SetValidChars(QStringLiteral("0123456789"));
  edit->SetMaxLength(kNumberDigits);
  return edit;
}

TSearchBound BoundOf(const TVKValidEdit* number, const TFwButtonEdit* op) {
  return TSearchBound{number->Text(), static_cast<int>(op->Tag())};
}

} // namespace

TdlgDataSearchForm::TdlgDataSearchForm(TComponent* owner, TADOConnection* connection)
    : TForm(owner), connection_(ConnectionOrProgram(connection)) {
  SetUpDialog(*this, QStringLiteral("dlgDataSearchForm"), QStringLiteral("指标查询"), kClientWidth, kClientHeight);

  GroupBox1 = new TFwGroupBox(this);
  GroupBox1->SetName(QStringLiteral("GroupBox1"));
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(8, 8, kClientWidth - 16, 70);
  GroupBox1->SetCaption(QStringLiteral("指标范围"));

  AddLabel(GroupBox1, 8, kRowTop + 4, QStringLiteral("  指标"));
  DataField = AddDropDownEdit(GroupBox1, QStringLiteral("DataField"), Bounds(52, kRowTop, 72, 21));
  DataField->OnButtonClick = [this](TObject*) { DataFieldButtonClick(); };
  AddLabel(GroupBox1, 130, kRowTop + 4, QStringLiteral("的范围："));
  lc1 = AddCodeEdit(GroupBox1, QStringLiteral("lc1"), Bounds(186, kRowTop, 52, 21), SearchOperators());
  Number1 = NewNumberEdit(GroupBox1, QStringLiteral("Number1"), 242);
  AddLabel(GroupBox1, 350, kRowTop + 4, QStringLiteral("且"));
  lc3 = AddCodeEdit(GroupBox1, QStringLiteral("lc3"), Bounds(370, kRowTop, 52, 21), SearchOperators());
  Number2 = NewNumberEdit(GroupBox1, QStringLiteral("Number2"), 426);
  // The pickers are worked with the mouse; F4 opens none of them.
  for (TFwButtonEdit* edit : {DataField, lc1, lc3}) {
    edit->SetTag(-1);
    edit->SetButtonShortCut(0);
  }

  FwToolbar1 = AddBottomButtonBar(*this, TFwToolbarTextOptions::ttoSelectiveTextOnRight);
  tbSum = AddBarButton(FwToolbar1, QStringLiteral("tbSum"), QStringLiteral("查  找"),
                       {.Icon = BarIcon::Find, .Hint = "查找指标满足条件的数据", .Width = 75}, [this] { tbSumClick(); });
  tbReturn = AddReturnButton(FwToolbar1, QStringLiteral("tbReturn"));
  FitButtonBar(*FwToolbar1);
}

TdlgDataSearchForm::~TdlgDataSearchForm() {
  if (dlgDataSearchForm == this) dlgDataSearchForm = nullptr;
}

void TdlgDataSearchForm::DoShow() {
  for (TFwButtonEdit* edit : {DataField, lc1, lc3}) {
    edit->SetText(QString());
    edit->SetTag(-1);
  }
  Number1->SetText(QString());
  Number2->SetText(QString());
  StartAtFirstControl(*this);
  TForm::DoShow();
}

void TdlgDataSearchForm::DataFieldButtonClick() {
  if (!DataSearchCodeForm) DataSearchCodeForm = NewForm<TDataSearchCodeForm>(this, connection_);
  TDataSearchCodeForm& picker = *DataSearchCodeForm;
  if (picker.ShowModal() != mrOk) return;
  DataField->SetText(picker.Chosen);
  DataField->SetTag(picker.Chosen.isEmpty() ? -1 : 0);
}

void TdlgDataSearchForm::tbSumClick() {
  RunSearch(IndicatorCondition(DataField->Text(), BoundOf(Number1, lc1), BoundOf(Number2, lc3)), Number1, Number2,
            RunQueryList);
}

} // namespace fw
