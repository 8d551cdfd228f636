#include "platform/db/ConnectionString.h"

namespace fw {

namespace {

bool IsQuote(QChar c) { return c == QLatin1Char('"') || c == QLatin1Char('\''); }

// One "key=value" pair read from text at pos, which is left after its ";". A value that
// starts with a quote runs to the matching quote, a doubled quote standing for one, and
// keeps every character in between (";", "=", spaces); anything after the closing quote
// up to the ";" is no part of it. Any other value runs to the next ";", trimmed.
struct TPair {
  QString Key;
  QString Value;
  bool HasValue = false;
};

TPair ReadPair(const QString& text, qsizetype& pos) {
  const qsizetype n = text.size();
  TPair pair;
  while (pos < n && text[pos] != QLatin1Char('=') && text[pos] != QLatin1Char(';')) pair.Key += text[pos++];
  if (pos >= n || text[pos] == QLatin1Char(';')) {
    ++pos;
    return pair;
  }
  ++pos; // '='
  pair.HasValue = true;
  while (pos < n && text[pos].isSpace()) ++pos;
  if (pos < n && IsQuote(text[pos])) {
    const QChar quote = text[pos++];
    while (pos < n) {
      if (text[pos] == quote) {
        if (pos + 1 < n && text[pos + 1] == quote) {
          pair.Value += quote;
          pos += 2;
          continue;
        }
        ++pos;
        break;
      }
      pair.Value += text[pos++];
    }
    while (pos < n && text[pos] != QLatin1Char(';')) ++pos;
  } else {
    while (pos < n && text[pos] != QLatin1Char(';')) pair.Value += text[pos++];
    pair.Value = pair.Value.trimmed();
  }
  ++pos; // ';'
  return pair;
}

} // namespace

QString QuoteConnectionValue(const QString& value) {
  QString inner = value;
  inner.replace(QLatin1String("\""), QLatin1String("\"\""));
  return QLatin1Char('"') + inner + QLatin1Char('"');
}

TConnectionString TConnectionString::Parse(const QString& text) {
  TConnectionString result;
  qsizetype pos = 0;
  while (pos < text.size()) {
    const TPair pair = ReadPair(text, pos);
    if (!pair.HasValue) continue;
    const QString key = pair.Key.simplified().toLower();
    if (key == QLatin1String("data source")) {
      result.DataSource = pair.Value;
    } else if (key == QLatin1String("mode")) {
      result.Mode = pair.Value;
    } else if (key == QLatin1String("jet oledb:database password") || key == QLatin1String("password") ||
               key == QLatin1String("pwd")) {
      result.Password = pair.Value;
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
