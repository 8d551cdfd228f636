#include "windows/shared/VKValidEdit.h"

#include "platform/shell/Hooks.h"

namespace fw {

TVKValidEdit::TVKValidEdit(TComponent* owner) : TFwEdit(owner) { checkType_ = TCheckType::tcForbid; }

bool TVKValidEdit::Admits(QChar key) const {
  if (key == QChar(8)) return true;
  if (key == QLatin1Char('\r')) return TabOnEnter();
  if (checkType_ == TCheckType::tcForbid) return !forbidChars_.contains(key);
  return validChars_.contains(key);
}

void TVKValidEdit::KeyPress(QChar& key) {
  if (!Admits(key)) {
    key = QChar();
    // A refused paste beeps once in the text filter; a refused key beeps here.
    if (!filteringText_) Beep();
    return;
  }
  TFwEdit::KeyPress(key);
}

bool TVKValidEdit::FilterIncomingText(QString& text) {
  filteringText_ = true;
  const bool admitted = TFwEdit::FilterIncomingText(text);
  filteringText_ = false;
  return admitted;
}

} // namespace fw
