#include "controls/common/FwFormatFloat.h"

#include <QStringList>
#include <cmath>

namespace fw {

namespace {

// The sections of a format, split at ";" outside quotes.
QStringList Sections(const QString& format) {
  QStringList result{QString()};
  QChar quote;
  for (QChar c : format) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      quote = c;
    } else if (c == QLatin1Char(';')) {
      result.append(QString());
      continue;
    }
    result.last() += c;
  }
  return result;
}

bool IsPlaceholder(QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); }

// One section read apart: literal text before and after the number, and the number's
// digit rules.
struct NumberPattern {
  QString prefix;
  QString suffix;
  int minInt = 0;      // integer digits always shown
  int minDec = 0;      // decimals always shown
  int maxDec = 0;      // decimals shown at most
  bool thousands = false;
  bool hasNumber = false;
};

NumberPattern ReadPattern(const QString& section) {
  NumberPattern p;
  enum { Before, Integer, Decimals, After } part = Before;
  QChar quote;
  for (QChar c : section) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
      else (part == Before ? p.prefix : p.suffix) += c;
      continue;
    }
    if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      quote = c;
      if (part != Before) part = After;
      continue;
    }
    const bool numberChar = IsPlaceholder(c) || c == QLatin1Char(',') || c == QLatin1Char('.');
    if (numberChar && part != After) {
      if (part == Before) part = Integer;
      if (c == QLatin1Char('.')) {
        part = Decimals;
      } else if (c == QLatin1Char(',')) {
        if (part == Integer) p.thousands = true;
      } else if (part == Integer) {
        p.hasNumber = true;
        if (c == QLatin1Char('0') || p.minInt > 0) ++p.minInt;
      } else {
        p.hasNumber = true;
        ++p.maxDec;
        if (c == QLatin1Char('0')) p.minDec = p.maxDec;
      }
      continue;
    }
    if (part != Before) part = After;
    (part == Before ? p.prefix : p.suffix) += c;
  }
  return p;
}

QString GroupThousands(const QString& digits) {
  QString result;
  const int n = int(digits.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) result += QLatin1Char(',');
    result += digits.at(i);
  }
  return result;
}

// |value| by the pattern; negative tells whether the shown digits are not all zero.
QString FormatNumber(const NumberPattern& p, double magnitude, bool& nonZero) {
  const double scale = std::pow(10.0, p.maxDec);
  const double rounded = std::round(magnitude * scale) / scale;
  const QString fixed = QString::number(rounded, 'f', p.maxDec);
  QString intPart = fixed.section(QLatin1Char('.'), 0, 0);
  QString decPart = p.maxDec > 0 ? fixed.section(QLatin1Char('.'), 1, 1) : QString();
  nonZero = rounded != 0.0;
  while (intPart.startsWith(QLatin1Char('0'))) intPart.remove(0, 1);
  while (intPart.size() < p.minInt) intPart.prepend(QLatin1Char('0'));
  while (decPart.size() > p.minDec && decPart.endsWith(QLatin1Char('0'))) decPart.chop(1);
  if (p.thousands) intPart = GroupThousands(intPart);
  return decPart.isEmpty() ? intPart : intPart + QLatin1Char('.') + decPart;
}

} // namespace

QString FormatFloat(const QString& format, double value) {
  if (!std::isfinite(value)) return QString::number(value);
  const QStringList sections = Sections(format);
  const auto usable = [&](int i) { return i < sections.size() && !sections.at(i).isEmpty(); };
  int index = 0;
  if (value < 0 && usable(1)) index = 1;
  else if (value == 0 && usable(2)) index = 2;
  const NumberPattern p = ReadPattern(sections.at(index));
  if (!p.hasNumber) return p.prefix + p.suffix;
  bool nonZero = false;
  const QString number = FormatNumber(p, std::fabs(value), nonZero);
  const bool sign = value < 0 && index == 0 && nonZero;
  return p.prefix + (sign ? QStringLiteral("-") : QString()) + number + p.suffix;
}

double StrToFloatDef(const QString& text, double fallback) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  return ok && std::isfinite(value) ? value : fallback;
}

} // namespace fw
