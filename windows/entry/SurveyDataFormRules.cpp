// The entry form's behaviour while the user types: which sheet fields the level opens
// (the field rules of dt_fieldlist), what the filling state switches, the checks when a
// cover editor is left, the region, level and filling-state pickers, and the tracking
// of unstored changes.
#include "windows/entry/SurveyDataForm.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolButton.h"
#include "core/CodeLookup.h"
#include "core/FieldRules.h"
#include "platform/shell/Hooks.h"
#include "windows/shared/CityNameForm.h"
#include "windows/shared/CodePopupMenu.h"
#include "windows/shared/VKValidEdit.h"

#include <limits>

namespace fw {

namespace {

int AsCode(qint64 value) {
  return value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max() ? -1 : int(value);
}

// A text editor's text cut to its MaxLength (text can arrive longer by paste).
void CutToMaxLength(TVKValidEdit* edit) {
  if (edit->MaxLength() > 0 && edit->Text().size() > edit->MaxLength()) edit->SetText(edit->Text().left(edit->MaxLength()));
}

} // namespace

// --- Field rules and the filling state -----------------------------------------------

void TdlgSurveyDataForm::ApplyFieldRules(int level) {
  c904->SetValue(level);
  if (c907->IntValue() > 2) return;
  for (const TBoundField& b : bound_) {
    if (b.Field->Rule.isEmpty()) continue;
    const bool open = ParseFieldRule(level, b.Field->Rule);
    b.Control->SetEnabled(open);
    if (open) continue;
    // A closed field is emptied, so that changing the level reopens it empty.
    if (b.Text) b.Text->SetText(QString());
    else if (b.Numeric) b.Numeric->SetValue(0);
  }
}

void TdlgSurveyDataForm::OpenSheetEditors(bool open) {
  for (TFwNumericEdit* edit : sheetEditors_) {
    edit->SetEnabled(open);
    if (!open) edit->SetValue(0);
  }
}

void TdlgSurveyDataForm::SetFillingState(int state) {
  c907->SetValue(state);
  const bool reporting = state <= 2;
  if (reporting) {
    OpenSheetEditors(true);
    ApplyFieldRules(int(c904->IntValue()));
  } else {
    // The organisation does not report this year: its sheets stay empty.
    ClearMessages();
    OpenSheetEditors(false);
  }
  // After the editors, whose emptying counts as a change.
  tbCheck->SetEnabled(reporting);
  tbHold->SetEnabled(reporting);
}

// --- Exit checks of the cover editors -------------------------------------------------

// Shows the message (when there is one) and puts the focus back into the editor. The
// editor the focus is taken from is not checked meanwhile: two wrong editors would
// otherwise send the focus to and fro for ever.
bool TdlgSurveyDataForm::RefuseCoverExit(TObject* sender, TWinControl* editor, const QString& message) {
  if (sender && !message.isEmpty()) ShowMessage(message);
  refusingExit_ = true;
  if (editor->CanFocus()) editor->SetFocus();
  refusingExit_ = false;
  return false;
}

// A closed form checks nothing: the window system may still move the focus in it (when
// it hands the form back the activation a question box took, after the form went).
bool TdlgSurveyDataForm::SkipExitCheck(TObject* sender) const {
  return sender && (!Loaded || refusingExit_ || !isVisible());
}

void TdlgSurveyDataForm::c901Exit(TObject* sender) {
  if (refusingExit_ || !isVisible()) return;
  const QString text = c901->Text().trimmed();
  if (text.isEmpty()) RefuseCoverExit(c901, c901, QStringLiteral("必须输入工会统计编码"));
  else if (text.size() != 12) RefuseCoverExit(c901, c901, QStringLiteral("工会统计编码必须为12位"));
}

void TdlgSurveyDataForm::c902Exit(TObject* sender) {
  if (SkipExitCheck(sender)) return;
  CutToMaxLength(c902);
  if (c902->Text().trimmed().isEmpty()) RefuseCoverExit(sender, c902, QStringLiteral("必须输入本级工会名称"));
}

void TdlgSurveyDataForm::c903Exit(TObject* sender) {
  if (SkipExitCheck(sender)) return;
  const int code = AsCode(c903->IntValue());
  const QString name = Connection() && code >= 0 ? GetCityCombName(*Connection(), code) : QString();
  if (name.isEmpty()) {
    RefuseCoverExit(sender, c903, QStringLiteral("输入的行政区划代码错误，请重新输入，或用对话框选择"));
    return;
  }
  CityNameCtrl->SetText(name);
  CityNameCtrl->SetTag(code);
}

// A code editor of the cover left: its code's name goes to the picker beside it and the
// code is given back; an unknown code is refused (-1).
int TdlgSurveyDataForm::TakeCoverCode(TObject* sender, TFwNumericEdit* edit, TFwButtonEdit* picker,
                                      const TMenuItemDataArray& codes, const QString& message) {
  const int code = AsCode(edit->IntValue());
  const QString name = GetCodeName(codes, code);
  if (name.isEmpty()) {
    RefuseCoverExit(sender, edit, message);
    return -1;
  }
  picker->SetTag(code);
  picker->SetText(name);
  return code;
}

void TdlgSurveyDataForm::c904Exit(TObject* sender) {
  if (SkipExitCheck(sender)) return;
  const int code = TakeCoverCode(sender, c904, LevelName, LevelCodeList,
                                 QStringLiteral("输入的本级工会层次代码不合法，请重新输入或通过列表选择"));
  if (code >= 0) ApplyFieldRules(code);
}

void TdlgSurveyDataForm::c907Exit(TObject* sender) {
  if (SkipExitCheck(sender)) return;
  const int code = TakeCoverCode(sender, c907, StateName, StateCodeList,
                                 QStringLiteral("输入的填报状态代码不合法，请重新输入或通过列表选择"));
  if (code >= 0) SetFillingState(code);
}

void TdlgSurveyDataForm::c905Exit(TObject* sender) {
  if (SkipExitCheck(sender)) return;
  CutToMaxLength(c905);
  const QString filler = c905->Text().trimmed();
  if (filler.isEmpty()) RefuseCoverExit(sender, c905, QStringLiteral("必须输入填表人"));
  else if (HasAsciiAlnum(filler)) RefuseCoverExit(sender, c905, QStringLiteral("填表人必须为汉字"));
}

void TdlgSurveyDataForm::c906Exit(TObject* sender) {
  if (SkipExitCheck(sender)) return;
  CutToMaxLength(c906);
  // An empty telephone is told twice: it is required, and it fails the length rule.
  if (c906->Text().trimmed().isEmpty()) RefuseCoverExit(sender, c906, QStringLiteral("必须输入联系电话"));
  if (!IsValidTelephone(c906->Text()))
    RefuseCoverExit(sender, c906, QStringLiteral("联系电话必须是真实有效的7位、8位(可加区号)或11位!"));
}

// --- Pickers -------------------------------------------------------------------------

void TdlgSurveyDataForm::CityNameCtrlButtonClick() {
  TCityNameForm picker(nullptr, Connection());
  if (CityNameCtrl->Tag() > 0) picker.Code = int(CityNameCtrl->Tag());
  if (picker.ShowModal() != mrOk) return;
  c903->SetValue(picker.Code);
  CityNameCtrl->SetTag(picker.Code);
  CityNameCtrl->SetText(picker.CombName);
}

void TdlgSurveyDataForm::LevelNameButtonClick() {
  PopupCodeMenuEx(LevelName, LevelCodeList, [this](int code) { ApplyFieldRules(code); });
}

void TdlgSurveyDataForm::StateNameButtonClick() {
  PopupCodeMenuEx(StateName, StateCodeList, [this](int code) { SetFillingState(code); });
}

// --- Change tracking -----------------------------------------------------------------

void TdlgSurveyDataForm::ContentChange() {
  SetStoreButtons(true);
  tbPrint->SetEnabled(false);
}

} // namespace fw
