// The entry form's keys: Enter and Down move to the next editor and Up to the previous
// one across all pages (Enter on the last editor of the last page saves the record),
// Ctrl+S holds, the telephone and form-filler fields filter what is typed, and the
// Chinese text fields switch to the preferred input method.
#include "windows/entry/SurveyDataForm.h"

#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwToolButton.h"
#include "controls/navigation/FwPageControl.h"
#include "core/RegistrySettings.h"
#include "platform/ime/InputMethods.h"
#include "platform/shell/Hooks.h"

#include <algorithm>

namespace fw {

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsLatinLetter(QChar c) {
  return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

// A refused character is discarded without a sound (a paste holding one is still
// dropped whole with the text filter's beep).
void Refuse(QChar& key) { key = QChar(); }

} // namespace

void TdlgSurveyDataForm::KeyDown(WORD& key, TShiftState shift) {
  // Ctrl+S holds the record whatever 临时保存 shows: after a save it stores the record
  // again as held.
  if ((shift & ssCtrl) && (key == 'S' || key == 's')) {
    key = 0;
    tbHoldClick();
    return;
  }
  TForm::KeyDown(key, shift);
}

void TdlgSurveyDataForm::EditKeyDown(TObject* sender, WORD& key, TShiftState shift) {
  if (shift & (ssCtrl | ssAlt)) return;
  auto* from = dynamic_cast<TWinControl*>(sender);
  if (key == VK_RETURN || key == VK_DOWN) {
    key = 0;
    FocusNextEditor(from);
  } else if (key == VK_UP) {
    key = 0;
    FocusPrevEditor(from);
  }
}

// The telephone: digits, "-" and Backspace.
void TdlgSurveyDataForm::EditKeyPress(TObject*, QChar& key) {
  if (key == QChar(8) || key == QLatin1Char('-') || IsDigit(key)) return;
  Refuse(key);
}

// The form filler is written in Chinese characters: no digits, Latin letters or ".".
void TdlgSurveyDataForm::c905KeyPress(TObject*, QChar& key) {
  if (key == QLatin1Char('.') || IsDigit(key) || IsLatinLetter(key)) Refuse(key);
}

void TdlgSurveyDataForm::EditBoxEnter(TObject*) { SwitchInputMethod(ImePrefer); }

// The editors of a page that take part in the Enter and arrow walk, in tab order.
std::vector<TWinControl*> TdlgSurveyDataForm::PageTabOrder(int page) const {
  std::vector<TWinControl*> list;
  TFwCustomPanel* panel = panels_.at(size_t(page));
  for (int i = 0; i < panel->ControlCount(); ++i)
    if (auto* control = dynamic_cast<TWinControl*>(panel->Controls(i)); control && control->TabStop()) list.push_back(control);
  std::stable_sort(list.begin(), list.end(), [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  return list;
}

// Focuses the first editor after (or before) `from` on the page that can take the
// focus; without `from` the walk starts at the page's start (or end).
bool TdlgSurveyDataForm::FocusAlong(int page, TWinControl* from, bool forward) {
  const std::vector<TWinControl*> list = PageTabOrder(page);
  const int count = int(list.size());
  int at = forward ? -1 : count;
  if (from) {
    const auto found = std::find(list.begin(), list.end(), from);
    if (found != list.end()) at = int(found - list.begin());
  }
  for (int i = forward ? at + 1 : at - 1; i >= 0 && i < count; i += forward ? 1 : -1) {
    if (list[size_t(i)]->Enabled() && list[size_t(i)]->CanFocus()) {
      list[size_t(i)]->SetFocus();
      return true;
    }
  }
  return false;
}

void TdlgSurveyDataForm::FocusFirstEditor() { FocusAlong(DataPage->ActivePageIndex(), nullptr, true); }

void TdlgSurveyDataForm::FocusNextEditor(TWinControl* from) {
  const int page = DataPage->ActivePageIndex();
  if (page < 0 || FocusAlong(page, from, true)) return;
  if (page == kEntryPageCount - 1) {
    // Past the last editor of the last sheet: the record is saved, as by 保存记录.
    tbSaveClick(IsAddNew ? tbAdd : tbSave);
    return;
  }
  DataPage->SetActivePageIndex(page + 1);
  if (DataPage->ActivePageIndex() == page + 1) FocusNextEditor(nullptr);
}

void TdlgSurveyDataForm::FocusPrevEditor(TWinControl* from) {
  // Backwards the walk wraps from the cover to the last page; it goes round once at most.
  for (int step = 0; step <= kEntryPageCount; ++step) {
    const int page = DataPage->ActivePageIndex();
    if (page < 0 || FocusAlong(page, step == 0 ? from : nullptr, false)) return;
    const int previous = page == 0 ? kEntryPageCount - 1 : page - 1;
    DataPage->SetActivePageIndex(previous);
    if (DataPage->ActivePageIndex() != previous) return;
  }
}

} // namespace fw
