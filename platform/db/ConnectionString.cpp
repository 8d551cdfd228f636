#include "platform/db/ConnectionString.h"

#include <QStringList>

namespace fw {

namespace {

// Splits at ';' outside double quotes; a value may be quoted to hold a ';'.
QStringList SplitPairs(const QString& text) {
  QStringList parts;
  QString current;
  bool quoted = false;
  for (QChar c : text) {
    if (c == QLatin1Char('"')) {
      quoted = !quoted;
      current += c;
    } else if (c == QLatin1Char(';') && !quoted) {
      parts << current;
      current.clear();
    } else {
      current += c;
    }
  }
  parts << current;
  return parts;
}

QString Unquote(QString value) {
  value = value.trimmed();
  if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
    value = value.mid(1, value.size() - 2);
  return value;
}

} // namespace

TConnectionString TConnectionString::Parse(const QString& text) {
  TConnectionString result;
  for (const QString& pair : SplitPairs(text)) {
    const int eq = pair.indexOf(QLatin1Char('='));
    if (eq < 0) continue;
    const QString key = pair.left(eq).simplified().toLower();
    const QString value = Unquote(pair.mid(eq + 1));
    if (key == QLatin1String("data source")) {
      result.DataSource = value;
    } else if (key == QLatin1String("mode")) {
      result.Mode = value;
    } else if (key == QLatin1String("jet oledb:database password") || key == QLatin1String("password") ||
               key == QLatin1String("pwd")) {
      result.Password = value;
      result.HasPassword = true;
    }
  }
  return result;
}

bool TConnectionString::Exclusive() const {
  const QString mode = Mode.simplified().toLower();
  return mode.contains(QLatin1String("exclusive")) || mode.contains(QLatin1String("deny read write"));
}

bool TConnectionString::ReadOnly() const { return Mode.simplified().compare(QLatin1String("read"), Qt::CaseInsensitive) == 0; }

} // namespace fw
