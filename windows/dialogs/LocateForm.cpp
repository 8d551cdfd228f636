#include "windows/dialogs/LocateForm.h"

#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwRadioButton.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/Messages.h"
#include "core/RegistrySettings.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/ime/InputMethods.h"
#include "platform/shell/Hooks.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/VKValidEdit.h"

namespace fw {

TdlgLocateForm* dlgLocateForm = nullptr;

namespace {

constexpr int kClientWidth = 380;
constexpr int kClientHeight = 112;
constexpr int kEditLeft = 190;
constexpr int kEditWidth = kClientWidth - kEditLeft - 14;
constexpr int kCodeDigits = 12;

TFwRadioButton* NewRadio(TForm* form, const QString& name, const QString& caption, int top) {
  return AddRadioButton(form, name, caption, Bounds(14, top, kEditLeft - 20, 20));
}

} // namespace

QString ContainsPattern(const QString& part) {
  QString escaped;
  escaped.reserve(part.size() + 2);
  for (const QChar c : part) {
    if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) escaped += QLatin1Char('\\');
    escaped += c;
  }
  return QLatin1Char('%') + escaped + QLatin1Char('%');
}

TdlgLocateForm::TdlgLocateForm(TComponent* owner, TADOConnection* connection, TDataSet* records)
    : TForm(owner), connection_(ConnectionOrProgram(connection)),
      records_(records || !MainData() ? records : MainData()->ReportQuery.get()) {
  SetUpDialog(*this, QStringLiteral("dlgLocateForm"), QStringLiteral("定位数据记录"), kClientWidth, kClientHeight);
  ToolQuery = new TADOQuery(connection_);

  rad901 = NewRadio(this, QStringLiteral("rad901"), QStringLiteral("按编号定位（精确匹配）"), 14);
  rad902 = NewRadio(this, QStringLiteral("rad902"), QStringLiteral("按名称定位（模糊匹配）"), 44);
  rad901->SetChecked(true);

  c901 = new TFwNumericEdit(this);
  c901->SetName(QStringLiteral("c901"));
  c901->SetParent(this);
  c901->SetBounds(kEditLeft, 13, kEditWidth, 21);
  c901->SetDisplayFormat(QStringLiteral("#"));
  c901->SetAllowBlank(true);
  c901->SetMaxLength(kCodeDigits);
  c901->SetText(QString());
  c901->OnChange = [this](TObject*) { rad901->SetChecked(true); };

  c902 = new TVKValidEdit(this);
  c902->SetName(QStringLiteral("c902"));
  c902->SetParent(this);
  c902->SetBounds(kEditLeft, 43, kEditWidth, 21);
  c902->OnChange = [this](TObject*) { rad902->SetChecked(true); };
  // Names are typed in Chinese: entering the name switches to the preferred input method.
  c902->OnEnter = [](TObject*) { SwitchInputMethod(ImePrefer); };

  FwToolbar1 = AddBottomButtonBar(*this, TFwToolbarTextOptions::ttoSelectiveTextOnRight);
  tbSum = AddBarButton(FwToolbar1, QStringLiteral("tbSum"), QStringLiteral("定  位"),
                       {.Icon = BarIcon::Locate, .Hint = "定位到满足条件的记录", .Width = 75}, [this] { tbSumClick(); });
  tbReturn = AddReturnButton(FwToolbar1, QStringLiteral("tbReturn"));
  FitButtonBar(*FwToolbar1);
}

TdlgLocateForm::~TdlgLocateForm() {
  if (dlgLocateForm == this) dlgLocateForm = nullptr;
  delete ToolQuery;
}

void TdlgLocateForm::DoShow() {
  // Clearing an edit chooses its way of locating: the name goes first, so that the
  // code's way ends chosen.
  c902->SetText(QString());
  c901->SetText(QString());
  rad901->SetChecked(true);
  // Most look-ups are by code: the dialog opens ready for it to be typed.
  StartAtFirstControl(*this, c901);
  TForm::DoShow();
}

bool TdlgLocateForm::LocateCode(const QVariant& code) {
  return records_ && records_->Active() && records_->Locate(QStringLiteral("c901"), code);
}

bool TdlgLocateForm::LocateByCode() {
  if (c901->Text().size() != kCodeDigits) {
    ShowMessage(kCodeLengthMessage);
    return false;
  }
  if (LocateCode(c901->IntValue())) return true;
  ShowMessage(kNothingFoundMessage);
  return false;
}

// The name is bound, and its own "%" and "_" match only themselves.
bool TdlgLocateForm::LocateByName() {
  ToolQuery->Close();
  ToolQuery->SetSQL(QStringLiteral("select c901 from dt_data where c902 like :name escape '\\'"));
  ToolQuery->ParamByName(QStringLiteral("name")).SetValue(ContainsPattern(c902->Text().trimmed()));
  ToolQuery->Open();
  const bool found = !ToolQuery->IsEmpty() && LocateCode(ToolQuery->FieldByName(QStringLiteral("c901"))->AsVariant());
  ToolQuery->Close();
  if (!found) ShowMessage(kNothingFoundMessage);
  return found;
}

void TdlgLocateForm::tbSumClick() {
  bool found = false;
  try {
    found = rad901->Checked() ? LocateByCode() : LocateByName();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  if (found) SetModalResult(mrOk);
}

} // namespace fw
