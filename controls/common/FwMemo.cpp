#include "controls/common/FwMemo.h"

#include <QPlainTextEdit>

namespace fw {

// The plain text box scrolls by display lines: the scroll value is the first line shown.
void TFwMemo::ScrollLineToTop(int position) { Widget()->verticalScrollBar()->setValue(DisplayLineAt(position).Number); }

} // namespace fw
