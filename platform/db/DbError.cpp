#include "platform/db/DbError.h"

#include <sqlite3.h>

namespace fw {

EDatabaseError::EDatabaseError(const QString& message, const QString& sql, int code)
    : std::runtime_error(message.toStdString()), message_(message), sql_(sql), code_(code) {}

bool EDatabaseError::DiskFull() const { return (code_ & 0xFF) == SQLITE_FULL; }

bool EDatabaseError::Interrupted() const { return (code_ & 0xFF) == SQLITE_INTERRUPT; }

bool EDatabaseError::Damaged() const {
  const int primary = code_ & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

} // namespace fw
