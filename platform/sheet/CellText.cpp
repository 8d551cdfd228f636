#include "platform/sheet/CellText.h"

#include <charconv>
#include <cmath>

namespace fw {

QString NumberToText(double value) {
  if (!std::isfinite(value)) return QStringLiteral("0");
  char buffer[400];
  // Plain digits within the range a cell shows them so; an exponent only outside it.
  const double magnitude = std::fabs(value);
  const auto format = magnitude == 0 || (magnitude >= 1e-9 && magnitude < 1e15) ? std::chars_format::fixed
                                                                                : std::chars_format::scientific;
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
  QString text = QString::fromLatin1(buffer, result.ptr - buffer);
  text.replace(u'e', u'E');
  return text;
}

double RoundToSpreadsheetPrecision(double value) {
  if (!std::isfinite(value) || value == 0) return value;
  char buffer[40];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  double rounded = value;
  std::from_chars(buffer, written.ptr, rounded);
  return rounded;
}

std::optional<double> NumericTextValue(const QString& text) {
  // blanks, sign, digits with at most one point (at least one digit), exponent, blanks
  const QStringView view = QStringView(text).trimmed();
  qsizetype i = 0;
  const qsizetype n = view.size();
  if (i < n && (view[i] == u'+' || view[i] == u'-')) ++i;
  int digits = 0, significant = 0;
  bool point = false, leading = true;
  for (; i < n; ++i) {
    const QChar ch = view[i];
    if (ch >= u'0' && ch <= u'9') {
      ++digits;
      if (ch != u'0' || !leading) {
        leading = false;
        ++significant;
      }
    } else if (ch == u'.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (view[i] == u'e' || view[i] == u'E')) {
    ++i;
    if (i < n && (view[i] == u'+' || view[i] == u'-')) ++i;
    int exponentDigits = 0;
    for (; i < n && view[i] >= u'0' && view[i] <= u'9'; ++i) ++exponentDigits;
    if (exponentDigits == 0 || exponentDigits > 3) return std::nullopt;
  }
  // Beyond 15 significant digits a double no longer holds them all.
  if (i != n || significant > 15) return std::nullopt;
  bool ok = false;
  const double value = view.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

namespace {

// The general form: up to 11 significant characters, as a column of standard width shows.
QString GeneralText(double value) {
  QString text = NumberToText(value);
  if (text.size() <= 11) return text;
  const double magnitude = std::fabs(value);
  if (magnitude >= 1e11 || (magnitude < 1e-9 && magnitude > 0)) return QString::number(value, 'E', 5);
  return QString::number(value, 'g', 10);
}

bool IsDateTimeFormat(const QString& section) {
  bool quoted = false;
  for (int i = 0; i < section.size(); ++i) {
    const QChar ch = section[i];
    if (ch == u'"') quoted = !quoted;
    if (quoted) continue;
    if (ch == u'\\') { ++i; continue; }
    if (ch == u'[') { // colour or condition, not a date part
      while (i < section.size() && section[i] != u']') ++i;
      continue;
    }
    const QChar lower = ch.toLower();
    if (lower == u'y' || lower == u'd' || lower == u'h' || lower == u's' || lower == u'm') return true;
  }
  return false;
}

} // namespace

QString FormatCellNumber(double value, const QString& formatCode) {
  if (formatCode.isEmpty() || formatCode.compare(u"General", Qt::CaseInsensitive) == 0 || formatCode == u"@")
    return GeneralText(value);
  QString section = formatCode.section(u';', 0, 0);
  if (value < 0 && formatCode.count(u';') >= 1) {
    section = formatCode.section(u';', 1, 1);
    value = -value;
  }
  if (IsDateTimeFormat(section)) return QString(section).remove(u'"').remove(u'\\');

  QString prefix, suffix;
  int decimals = 0;
  bool grouping = false, percent = false, inNumber = false, afterPoint = false, seenDigit = false;
  for (int i = 0; i < section.size(); ++i) {
    const QChar ch = section[i];
    QString literal;
    if (ch == u'"') {
      const int end = section.indexOf(u'"', i + 1);
      literal = section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1);
      i = end < 0 ? section.size() : end;
    } else if (ch == u'\\' && i + 1 < section.size()) {
      literal = section[++i];
    } else if (ch == u'_' && i + 1 < section.size()) {
      literal = QStringLiteral(" "); // room the width of the next character
      ++i;
    } else if (ch == u'[') {
      while (i < section.size() && section[i] != u']') ++i;
      continue;
    } else if (ch == u'0' || ch == u'#' || ch == u'?') {
      seenDigit = inNumber = true;
      if (afterPoint) ++decimals;
      continue;
    } else if (ch == u'.' && inNumber) {
      afterPoint = true;
      continue;
    } else if (ch == u',' && inNumber) {
      grouping = true;
      continue;
    } else if (ch == u'%') {
      percent = true;
      literal = ch;
    } else if (ch == u'*') {
      ++i; // fill character: takes no fixed room
      continue;
    } else {
      literal = ch;
    }
    (seenDigit ? suffix : prefix) += literal;
  }
  if (!seenDigit) return prefix + suffix;
  if (percent) value *= 100;
  QString number = QString::number(value, 'f', decimals);
  if (grouping) {
    const bool negative = number.startsWith(u'-');
    const int point = number.indexOf(u'.');
    int intEnd = point < 0 ? number.size() : point;
    for (int pos = intEnd - 3; pos > (negative ? 1 : 0); pos -= 3) number.insert(pos, u',');
  }
  return prefix + number + suffix;
}

int TextWidthUnits(const QString& text) {
  int widest = 0, current = 0;
  for (int i = 0; i < text.size(); ++i) {
    char32_t code = text[i].unicode();
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      code = QChar::surrogateToUcs4(text[i], text[i + 1]);
      ++i;
    }
    if (code == u'\n') {
      widest = std::max(widest, current);
      current = 0;
      continue;
    }
    const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                      (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                      (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                      (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
    current += wide ? 2 : 1;
  }
  return std::max(widest, current);
}

} // namespace fw
