#include "platform/db/Sql.h"

namespace fw {

QString QuotedStr(const QString& value, QChar quote) {
  QString result;
  result.reserve(value.size() + 2);
  result += quote;
  for (QChar c : value) {
    result += c;
    if (c == quote) result += c;
  }
  result += quote;
  return result;
}

} // namespace fw
