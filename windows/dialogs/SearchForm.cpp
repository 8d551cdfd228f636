#include "windows/dialogs/SearchForm.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwGroupBox.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/SearchConditions.h"
#include "platform/shell/Hooks.h"
#include "windows/shared/DialogParts.h"

namespace fw {

TdlgSearchForm* dlgSearchForm = nullptr;

namespace {

constexpr int kClientWidth = 519;
constexpr int kClientHeight = 132;
constexpr int kCodeDigits = 12;
// The range of the unit codes the bounds are compared with.
constexpr double kLargestCode = 99999999999999.0;
constexpr int kRowTop = 34;

TFwNumericEdit* NewCodeEdit(TWinControl* parent, const QString& name, int left, int width) {
  auto* edit = new TFwNumericEdit(parent->ParentForm());
  edit->SetName(name);
  edit->SetParent(parent);
  edit->SetBounds(left, kRowTop, width, 21);
  edit->SetDisplayFormat(QStringLiteral("#;(#)"));
  edit->SetAlignment(TLeftRight::taLeftJustify);
  edit->SetAllowBlank(true);
  edit->SetMaxLength(kCodeDigits);
  edit->SetCheckRange(true);
  edit->SetMax(kLargestCode);
  edit->SetText(QString());
  return edit;
}

// The number of an edit as decimal text; empty when nothing is entered.
TSearchBound BoundOf(TFwNumericEdit* number, const TFwButtonEdit* op) {
  TSearchBound bound;
  bound.Operator = static_cast<int>(op->Tag());
  if (!number->Text().trimmed().isEmpty()) bound.Number = QString::number(number->IntValue());
  return bound;
}

} // namespace

void RunSearch(const TSearchCondition& condition, TWinControl* firstBound, TWinControl* secondBound,
               const TQueryListRunner& runQueryList) {
  if (condition.Ok()) {
    if (runQueryList) runQueryList(condition.Where);
    return;
  }
  ShowMessage(condition.Error);
  if (condition.Bound == 1) firstBound->SetFocus();
  if (condition.Bound == 2) secondBound->SetFocus();
}

TdlgSearchForm::TdlgSearchForm(TComponent* owner) : TForm(owner) {
  SetUpDialog(*this, QStringLiteral("dlgSearchForm"), QStringLiteral("查询数据"), kClientWidth, kClientHeight);

  GroupBox1 = new TFwGroupBox(this);
  GroupBox1->SetName(QStringLiteral("GroupBox1"));
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(8, 8, kClientWidth - 16, 76);
  GroupBox1->SetCaption(QStringLiteral("编号范围"));
  AddLabel(GroupBox1, 12, kRowTop + 4, QStringLiteral("编号"));
  lc1 = AddCodeEdit(GroupBox1, QStringLiteral("lc1"), Bounds(44, kRowTop, 52, 21), SearchOperators());
  number1 = NewCodeEdit(GroupBox1, QStringLiteral("number1"), 100, 130);
  lc2 = AddCodeEdit(GroupBox1, QStringLiteral("lc2"), Bounds(240, kRowTop, 52, 21), SearchConnectors());
  AddLabel(GroupBox1, 302, kRowTop + 4, QStringLiteral("编号"));
  lc3 = AddCodeEdit(GroupBox1, QStringLiteral("lc3"), Bounds(334, kRowTop, 52, 21), SearchOperators());
  number2 = NewCodeEdit(GroupBox1, QStringLiteral("number2"), 390, 101);
  // The conditions are filled in from the keyboard: Enter walks on like Tab, F4 opens a
  // picker's list.
  for (TFwButtonEdit* edit : {lc1, lc2, lc3}) {
    edit->SetTabOnEnter(true);
    edit->SetAltBtnKind(TButtonKind::bkDropDown);
  }

  FwToolbar1 = AddBottomButtonBar(*this, TFwToolbarTextOptions::ttoSelectiveTextOnRight);
  tbSum = AddBarButton(FwToolbar1, QStringLiteral("tbSum"), QStringLiteral("查  找"),
                       {.Icon = BarIcon::Find, .Hint = "查找编号范围内的数据", .Width = 75}, [this] { tbSumClick(); });
  tbReturn = AddReturnButton(FwToolbar1, QStringLiteral("tbReturn"));
  FitButtonBar(*FwToolbar1);
}

TdlgSearchForm::~TdlgSearchForm() {
  if (dlgSearchForm == this) dlgSearchForm = nullptr;
}

void TdlgSearchForm::DoShow() {
  number1->SetText(QString());
  number2->SetText(QString());
  SetCode(lc1, SearchOperators(), 1);
  SetCode(lc3, SearchOperators(), 1);
  SetCode(lc2, SearchConnectors(), 1);
  // The operators already read "=": the dialog opens ready for the first code.
  StartAtFirstControl(*this, number1);
  TForm::DoShow();
}

void TdlgSearchForm::tbSumClick() {
  RunSearch(CodeRangeCondition(BoundOf(number1, lc1), static_cast<int>(lc2->Tag()), BoundOf(number2, lc3)), number1,
            number2, RunQueryList);
}

} // namespace fw
