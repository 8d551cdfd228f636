#include "windows/dialogs/DeleteForm.h"

#include "controls/common/FwRadioButton.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/CoverValidation.h"
#include "core/Messages.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/GroupBox.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/GridProcedures.h"
#include "windows/shared/VKValidEdit.h"

namespace fw {

TdlgDeleteForm* dlgDeleteForm = nullptr;

namespace {

constexpr int kClientWidth = 265;
constexpr int kClientHeight = 177;
const QString kDigits = QStringLiteral("0123456789");

bool Confirmed() {
  return ShowMessage(kDeleteWarningText, kDeleteWarningCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// The number an edit holds; text that is no number counts as 0 (no bound).
double BoundOf(const TVKValidEdit& edit) {
  bool ok = false;
  const double value = edit.Text().trimmed().toDouble(&ok);
  return ok ? value : 0;
}

} // namespace

TdlgDeleteForm::TdlgDeleteForm(TComponent* owner, TDBGrid* recordGrid) : TForm(owner), recordGrid_(recordGrid) {
  SetUpDialog(*this, QStringLiteral("dlgDeleteForm"), QStringLiteral("选择删除的方式"), kClientWidth, kClientHeight);
  CreateChoices();
  FwToolbar1 = AddBottomButtonBar(*this, TFwToolbarTextOptions::ttoSelectiveTextOnRight);
  tbDelete = AddBarButton(FwToolbar1, QStringLiteral("tbDelete"), QStringLiteral("删  除"),
                          {.Icon = BarIcon::Delete, .Hint = "删除选中方式的数据|按选中的方式删除数据，删除后不能恢复",
                           .OwnCaption = true},
                          [this] { tbDeleteClick(); });
  AddBarSpacer(FwToolbar1);
  tbReturn = AddBarButton(FwToolbar1, QStringLiteral("tbReturn"), QStringLiteral("返  回"),
                          {.Icon = BarIcon::Return, .Hint = "关闭本窗口", .OwnCaption = true}, [this] { Close(); });
  FitButtonBar(*FwToolbar1);
}

TdlgDeleteForm::~TdlgDeleteForm() {
  if (dlgDeleteForm == this) dlgDeleteForm = nullptr;
}

void TdlgDeleteForm::CreateChoices() {
  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName(QStringLiteral("GroupBox1"));
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(8, 6, kClientWidth - 16, kClientHeight - 50);
  GroupBox1->SetCaption(QStringLiteral("删除的内容"));

  auto choice = [this](const char* name, int top, const QString& caption) {
    return AddRadioButton(GroupBox1, QString::fromLatin1(name), caption, Bounds(14, top, 200, 18));
  };
  Selected = choice("Selected", 26, QStringLiteral("选中的数据"));
  AllRecord = choice("AllRecord", 48, QStringLiteral("所有的数据"));
  Range = choice("Range", 70, QStringLiteral("指定单位编号的范围"));
  Selected->SetChecked(true);

  auto bound = [this](const char* name, int left) {
    auto* edit = new TVKValidEdit(this);
    edit->SetName(QString::fromLatin1(name));
    edit->SetParent(GroupBox1);
    edit->SetBounds(left, 96, 90, 21);
    edit->SetCheckType(TCheckType::tcValidate);
    edit->SetValidChars(kDigits);
    return edit;
  };
  AddLabel(GroupBox1, 14, 99, QStringLiteral("从"));
  c901_1 = bound("c901_1", 30);
  AddLabel(GroupBox1, 128, 99, QStringLiteral("到"));
  c901_2 = bound("c901_2", 144);
}

void TdlgDeleteForm::tbDeleteClick() {
  if (!MainData()) return;
  try {
    if (Selected->Checked()) DeleteSelected();
    else if (AllRecord->Checked()) DeleteAll();
    else if (Range->Checked()) DeleteRange();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  RequeryList();
}

void TdlgDeleteForm::DeleteSelected() {
  TADOQuery& list = *MainData()->ReportQuery;
  if (recordGrid_ && list.Active()) DeleteSelectedRecords(*recordGrid_, list, QStringLiteral("dt_data"), QStringLiteral("c901"));
}

void TdlgDeleteForm::DeleteAll() {
  if (Confirmed()) DeleteInTransaction(QStringLiteral("delete from dt_data"), {});
}

void TdlgDeleteForm::DeleteRange() {
  for (TVKValidEdit* edit : {c901_1, c901_2})
    if (edit->Text().isEmpty()) edit->SetText(QStringLiteral("0"));
  double from = BoundOf(*c901_1);
  double to = BoundOf(*c901_2);
  if (from == 0 || to == 0) {
    ShowMessage(kDeleteRangeMissing);
    return;
  }
  // Typing admits digits only; a pasted or set text may still stand below 1.
  // A bound below 1 stands for the lowest unit code.
  if (from < 1) from = static_cast<double>(kLowestUnitCode);
  if (from > to) {
    to = from;
    c901_2->SetText(c901_1->Text());
  }
  if (Confirmed()) DeleteInTransaction(QStringLiteral("delete from dt_data where c901>=? and c901<=?"), {from, to});
}

void TdlgDeleteForm::DeleteInTransaction(const QString& sql, const QVariantList& values) {
  TADOConnection& connection = *MainData()->SysADOConnection;
  try {
    connection.BeginTrans();
    connection.Execute(sql, values);
    connection.CommitTrans();
  } catch (const EDatabaseError& e) {
    if (connection.InTransaction()) connection.RollbackTrans();
    ShowRuntimeError(e.Message());
  }
}

// Back on the record the list was on, else on the one now at its place.
void TdlgDeleteForm::RequeryList() {
  try {
    RequeryKeepingPlace(*MainData()->ReportQuery);
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
}

} // namespace fw
