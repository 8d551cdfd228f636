#include "windows/shared/VKValidEdit.h"

namespace fw {

TVKValidEdit::TVKValidEdit(TComponent* owner) : TFwEdit(owner) { checkType_ = TCheckType::tcForbid; }

bool TVKValidEdit::Admits(QChar key) const {
  if (key == QChar(8)) return true;
  if (key == QLatin1Char('\r') && TabOnEnter()) return true;
  // Otherwise Enter is a character like any other: it passes unless forbidden, or
  // when listed as valid.
  if (checkType_ == TCheckType::tcForbid) return !forbidChars_.contains(key);
  return validChars_.contains(key);
}

void TVKValidEdit::KeyPress(QChar& key) {
  // A refused character is discarded without a sound (a refused paste still beeps
  // once, in the text filter).
  if (!Admits(key)) {
    key = QChar();
    return;
  }
  TFwEdit::KeyPress(key);
}

} // namespace fw
