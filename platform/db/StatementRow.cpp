#include "platform/db/StatementRow.h"

#include <sqlite3.h>

namespace fw {

void TStatementRow::Learn() {
  known_ = false;
  if (columns_ < 2) return;
  const char* base = reinterpret_cast<const char*>(sqlite3_column_value(stmt_, 0));
  const char* next = reinterpret_cast<const char*>(sqlite3_column_value(stmt_, 1));
  const std::ptrdiff_t stride = next - base;
  if (stride <= 0) return;
  for (int c = 2; c < columns_; ++c)
    if (reinterpret_cast<const char*>(sqlite3_column_value(stmt_, c)) != base + stride * c) return;
  base_ = base;
  stride_ = stride;
  known_ = true;
}

void TStatementRow::Start(sqlite3_stmt* stmt, int columns) {
  if (stmt != stmt_ || columns != columns_) {
    stmt_ = stmt;
    columns_ = columns;
    Learn();
  }
  direct_ = known_ && reinterpret_cast<const char*>(sqlite3_column_value(stmt_, 0)) == base_ &&
            reinterpret_cast<const char*>(sqlite3_column_value(stmt_, columns_ - 1)) == base_ + stride_ * (columns_ - 1);
}

sqlite3_value* TStatementRow::CalledValue(int column) const { return sqlite3_column_value(stmt_, column); }

} // namespace fw
