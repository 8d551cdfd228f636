#include "controls/common/FwMemo.h"

#include <QPlainTextEdit>

namespace fw {

// The plain text box scrolls by lines: the scroll value is the first line shown.
void TFwMemo::ScrollLineToTop(const QTextBlock& block) {
  Widget()->verticalScrollBar()->setValue(block.firstLineNumber());
}

} // namespace fw
