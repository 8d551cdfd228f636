#include "controls/common/FwCustomEdit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace fw {

void TFwCustomEdit::SetAlignment(TLeftRight value) {
  if (value == alignment_) return;
  alignment_ = value;
  Widget()->setAlignment((value == TLeftRight::taRightJustify ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TFwCustomEdit::KeyPress(QChar& key) {
  if (tabOnEnter_ && key == QLatin1Char('\r')) {
    key = QChar();
    // The Tab arrives after this key is done, as the next key the user typed would.
    QCoreApplication::postEvent(Widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    return;
  }
  TEdit::KeyPress(key);
}

} // namespace fw
