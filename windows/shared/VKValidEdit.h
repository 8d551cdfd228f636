#pragma once
// TVKValidEdit: the framed edit that admits only listed characters (tcValidate) or
// refuses listed characters (tcForbid). The test applies to every way text arrives:
// typed keys, input-method commits, paste and drops. A refused typed character is
// discarded silently; a paste or commit holding one is dropped whole with the text
// filter's beep.

#include "controls/common/FwEdit.h"

namespace fw {

enum class TCheckType { tcValidate, tcForbid };

class TVKValidEdit : public TFwEdit {
public:
  explicit TVKValidEdit(TComponent* owner);

  QString ValidChars() const { return validChars_; }
  void SetValidChars(const QString& value) { validChars_ = value; }
  QString ForbidChars() const { return forbidChars_; }
  void SetForbidChars(const QString& value) { forbidChars_ = value; }
  TCheckType CheckType() const { return checkType_; }
  void SetCheckType(TCheckType value) { checkType_ = value; }

  // Whether the character may reach the text under the current lists (Backspace always,
  // Enter always when TabOnEnter is on).
  bool Admits(QChar key) const;

  void KeyPress(QChar& key) override;

private:
  QString validChars_;
  QString forbidChars_;
  TCheckType checkType_ = TCheckType::tcForbid;
};

// The characters the entry form's text fields refuse: quote, double quote, back quote.
inline const QString kQuoteChars = QStringLiteral("'\"`");

} // namespace fw
