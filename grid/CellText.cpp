#include "grid/CellText.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTime>
#include <cmath>

namespace fw {

QString RemoveThousandSeparators(const QString& text) {
  QString s = text;
  s.remove(QLocale().groupSeparator());
  return s.trimmed();
}

namespace {

// Inserts the locale's thousand separator into the whole part of a plain "%f" text.
QString GroupThousands(const QString& plain) {
  const int start = plain.startsWith(u'-') ? 1 : 0;
  int end = plain.indexOf(u'.');
  if (end < 0) end = int(plain.size());
  QString out = plain;
  const QString sep = QLocale().groupSeparator();
  for (int pos = end - 3; pos > start; pos -= 3) out.insert(pos, sep);
  return out;
}

} // namespace

std::optional<QString> FormatCellNumber(const QString& text, int intLength, int decLength, bool thousandSep,
                                        bool zeroNull, bool trailingZero) {
  const QString s = RemoveThousandSeparators(text);
  // A typed 0 (or "0.") is a value like any other: it goes blank only when the cell
  // asks for blank zeros below.
  if (s.isEmpty() || s == u"-") return QString();
  bool ok = false;
  double v = QLocale::c().toDouble(s, &ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  if (v == 0 && zeroNull) return QString();
  const int decimals = std::clamp(decLength, 0, 18);
  QString r = QString::asprintf("%*.*f", std::clamp(intLength, 0, 64), decimals, v).trimmed();
  // A value that rounds to zero shows no sign.
  if (r.startsWith(u'-') && !r.contains(QRegularExpression(QStringLiteral("[1-9]")))) r.remove(0, 1);
  if (thousandSep) r = GroupThousands(r);
  if (!trailingZero && r.contains(u'.')) {
    while (r.endsWith(u'0')) r.chop(1);
  }
  if (r.endsWith(u'.')) r.chop(1);
  return r.trimmed();
}

std::optional<QString> NormalizeDateText(const QString& text) {
  const QStringList parts = text.trimmed().split(QRegularExpression(QStringLiteral("[^0-9]+")), Qt::SkipEmptyParts);
  if (parts.size() != 3) return std::nullopt;
  // The order of year, month and day follows the locale's short date format.
  const QString format = QLocale().dateFormat(QLocale::ShortFormat);
  const qsizetype y = format.indexOf(u'y'), m = format.indexOf(u'M'), d = format.indexOf(u'd');
  // A text that begins with four digits is year first whatever the locale says: that is
  // how the grid's own date editor writes it.
  const bool yearFirst = (y < m && m < d) || parts[0].size() == 4;
  int year = 0, month = 0, day = 0;
  if (yearFirst) {
    year = parts[0].toInt(), month = parts[1].toInt(), day = parts[2].toInt();
  } else if (d < m && m < y) {
    day = parts[0].toInt(), month = parts[1].toInt(), year = parts[2].toInt();
  } else {
    month = parts[0].toInt(), day = parts[1].toInt(), year = parts[2].toInt();
  }
  const int yearDigits = int(yearFirst ? parts[0].size() : parts[2].size());
  if (yearDigits <= 2) year += year < 50 ? 2000 : 1900;
  const QDate date(year, month, day);
  if (!date.isValid()) return std::nullopt;
  return date.toString(QStringLiteral("yyyy-MM-dd"));
}

std::optional<QString> NormalizeTimeText(const QString& text) {
  const QStringList parts = text.trimmed().split(u':');
  if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
  int values[3] = {0, 0, 0};
  for (qsizetype i = 0; i < parts.size(); ++i) {
    bool ok = false;
    values[i] = parts[i].trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
  }
  const QTime time(values[0], values[1], values[2]);
  if (!time.isValid()) return std::nullopt;
  return time.toString(QStringLiteral("hh:mm:ss"));
}

} // namespace fw
