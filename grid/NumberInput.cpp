#include "grid/NumberInput.h"

namespace fw {

namespace {

bool OnlyNumberCharacters(const QString& s) {
  for (QChar c : s)
    if (c != u'-' && c != u'.' && (c < u'0' || c > u'9')) return false;
  return true;
}

bool BeginsWithDoubleZero(const QString& s) { return s.size() >= 2 && s.startsWith(QStringLiteral("00")); }

// Whole numbers: no point, at most IntLength digits after an optional leading minus.
bool ValidWholeNumber(const TCellInfo& cell, QString s) {
  if (s.contains(u'.')) return false;
  if (s.startsWith(u'-')) s.remove(0, 1);
  if (s.contains(u'-')) return false;
  if (s.size() > cell.IntLength) return false;
  return !BeginsWithDoubleZero(s);
}

bool ValidDecimalNumber(const TCellInfo& cell, QString& candidate, int& caretPos) {
  QString s = candidate;
  bool signedText = false;
  if (cell.AllowNegative && s.startsWith(u'-')) {
    s.remove(0, 1);
    signedText = true;
    if (s.isEmpty()) return true;
  }
  const qsizetype point = s.indexOf(u'.');  // 0-based; -1 when none
  if (point >= 0 && s.size() - point - 1 > cell.DecLength) return false;
  if (point < 0 && s.size() > cell.IntLength) return false;
  if (point > cell.IntLength) return false;
  if (BeginsWithDoubleZero(s)) return false;
  if (point == 0) {
    // A text that starts with the point gets its leading zero at once.
    candidate.insert(signedText ? 1 : 0, u'0');
    ++caretPos;
  }
  if (point >= 0) s.remove(point, 1);
  return !s.contains(u'-') && !s.contains(u'.');
}

} // namespace

bool ValidateNumberInput(const TCellInfo& cell, QString& candidate, int& caretPos) {
  if (cell.DataStyle != TDataStyle::dsNumber) return true;
  if (candidate.isEmpty()) return true;
  if (cell.MaxLength > 0 && candidate.size() > cell.MaxLength) return false;
  if (!OnlyNumberCharacters(candidate)) return false;
  if (!cell.AllowNegative && candidate.contains(u'-')) return false;
  if (cell.DecLength <= 0) return ValidWholeNumber(cell, candidate);
  QString working = candidate;
  int caret = caretPos;
  if (!ValidDecimalNumber(cell, working, caret)) return false;
  candidate = working;
  caretPos = caret;
  return true;
}

} // namespace fw
