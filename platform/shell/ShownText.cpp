#include "platform/shell/ShownText.h"

namespace fw {

QString CutForShowing(const QString& text, int length) {
  if (text.size() <= length || length < 1) return text;
  qsizetype kept = length - 1;
  if (kept > 0 && text.at(kept - 1).isHighSurrogate()) --kept;
  return text.left(kept) + QChar(0x2026);
}

QString ShownLabel(const QString& text) {
  QString line = text.left(kShownLabelLength + 1);
  for (QChar& c : line) {
    const QChar::Category category = c.category();
    if (category == QChar::Other_Control || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
      c = QLatin1Char(' ');
  }
  return CutForShowing(line, kShownLabelLength);
}

} // namespace fw
