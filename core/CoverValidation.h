#pragma once
// The cover check that runs before a survey record may be held, saved, checked against
// the logic rules or left from its cover page: unit code, name, region, level, filling
// state, form filler and telephone, tested in a fixed order up to the first failure.
//
// The check reads the entry form's cover editors and moves the focus through
// ICoverEditors, which the entry form implements, so that the core needs no widgets.

#include "core/SurveyModel.h"

#include <QString>

namespace fw {

class TADOQuery;

// What the cover check needs from the entry form. Editors are named after their dt_data
// columns ("c901".."c907").
class ICoverEditors {
public:
  virtual ~ICoverEditors() = default;
  // The editor's text as it stands.
  virtual QString FieldText(const QString& name) const = 0;
  // The editor's value as an integer (a numeric editor's IntValue).
  virtual qint64 FieldIntValue(const QString& name) const = 0;
  // Moves the focus to the editor.
  virtual void FocusField(const QString& name) = 0;
  // The unit code belongs to another record: the form disables its two store buttons
  // (tbHold, tbSave) and returns to the cover page. Runs before the focus moves.
  virtual void CoverCodeTaken() = 0;
};

struct TCoverCheckState {
  bool IsAddNew = false;  // the form adds a new record
  qint64 LoadedCode = 0;  // c901 of the record as loaded or last stored; 0 for a new record
};

// The lowest unit code; a unit code has exactly 12 digits.
inline constexpr qint64 kLowestUnitCode = 100000000000LL;

// True when the text is a unit code: 12 digits, the value at least kLowestUnitCode.
bool IsValidUnitCode(const QString& text);

// The telephone rule: with a hyphen (area code joined by "-") 11 to 13 characters,
// without one 7, 8, 11 or 12; a text without any digit fails.
bool IsValidTelephone(const QString& text);

// True when the text holds an ASCII letter or digit.
bool HasAsciiAlnum(const QString& text);

// Runs the cover tests in order. On the first failure: one plain message box with the
// test's message, the focus to the editor concerned, result false. The uniqueness count
// runs on queryTool (its SQL is replaced) with the code bound as a parameter; the region
// is looked up on queryTool's connection. The level and state codes come from the lists
// given (by default the open database's LevelCodeList and StateCodeList).
bool ValidateCoverData(ICoverEditors& form, TADOQuery& queryTool, const TCoverCheckState& state,
                       const TMenuItemDataArray& levelCodes = LevelCodeList,
                       const TMenuItemDataArray& stateCodes = StateCodeList);

} // namespace fw
