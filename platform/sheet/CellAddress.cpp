#include "platform/sheet/CellAddress.h"

namespace fw {

int ColumnNumber(QStringView letters) {
  if (letters.isEmpty() || letters.size() > 3) return 0;
  int n = 0;
  for (QChar ch : letters) {
    const char16_t c = ch.toUpper().unicode();
    if (c < u'A' || c > u'Z') return 0;
    n = n * 26 + (c - u'A' + 1);
  }
  return n <= kMaxSheetColumns ? n : 0;
}

QString ColumnLetters(int col) {
  if (col < 1 || col > kMaxSheetColumns) return {};
  QString letters;
  while (col > 0) {
    const int rem = (col - 1) % 26;
    letters.prepend(QChar(u'A' + rem));
    col = (col - 1) / 26;
  }
  return letters;
}

bool ParseCellAddress(QStringView text, int& row, int& col) {
  text = text.trimmed();
  qsizetype i = 0;
  if (i < text.size() && text[i] == u'$') ++i;
  const qsizetype lettersStart = i;
  while (i < text.size() && text[i].isLetter() && text[i].unicode() < 128) ++i;
  const int c = ColumnNumber(text.mid(lettersStart, i - lettersStart));
  if (c == 0) return false;
  if (i < text.size() && text[i] == u'$') ++i;
  const QStringView digits = text.mid(i);
  if (digits.isEmpty() || digits.size() > 7) return false;
  int r = 0;
  for (QChar ch : digits) {
    if (ch < u'0' || ch > u'9') return false;
    r = r * 10 + (ch.unicode() - u'0');
  }
  if (r < 1 || r > kMaxSheetRows) return false;
  row = r;
  col = c;
  return true;
}

bool ParseCellArea(QStringView text, TCellRect& area) {
  const qsizetype colon = text.indexOf(u':');
  int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
  if (colon < 0) {
    if (!ParseCellAddress(text, r1, c1)) return false;
    area = {r1, c1, r1, c1};
    return true;
  }
  if (!ParseCellAddress(text.left(colon), r1, c1) || !ParseCellAddress(text.mid(colon + 1), r2, c2))
    return false;
  area = {std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
  return true;
}

QString CellAddress(int row, int col) { return ColumnLetters(col) + QString::number(row); }

QString CellAreaAddress(const TCellRect& area) {
  if (area.Top == area.Bottom && area.Left == area.Right) return CellAddress(area.Top, area.Left);
  return CellAddress(area.Top, area.Left) + u':' + CellAddress(area.Bottom, area.Right);
}

} // namespace fw
