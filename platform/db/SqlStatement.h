#pragma once
// Owner of one prepared SQLite statement: finalized when it goes; errors become
// EDatabaseError with the engine's message.

#include "platform/db/DbError.h"

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace fw {

class TSqlStatement {
public:
  TSqlStatement() = default;
  // Prepares the first statement of `sql`; `tail` receives the offset of the rest.
  TSqlStatement(sqlite3* db, const QByteArray& sql, int* tail = nullptr);
  ~TSqlStatement();
  TSqlStatement(TSqlStatement&& other) noexcept;
  TSqlStatement& operator=(TSqlStatement&& other) noexcept;
  TSqlStatement(const TSqlStatement&) = delete;
  TSqlStatement& operator=(const TSqlStatement&) = delete;

  sqlite3_stmt* Handle() const { return stmt_; }
  bool IsNull() const { return stmt_ == nullptr; }
  // Steps once: true while a row is ready, false when done; throws on error.
  bool Step();
  void Reset();

private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
  QString sql_;
};

// Runs statements that take no parameters and return nothing the caller needs.
void ExecRaw(sqlite3* db, const QString& sql);
// The engine's current error text of a connection.
QString EngineMessage(sqlite3* db);
// The engine's current error of a connection (its words, result code and the system's
// error behind it), for the statement given; for a failed open, from the result code
// alone when the open gave no connection.
EDatabaseError EngineError(sqlite3* db, const QString& sql);
EDatabaseError EngineError(sqlite3* db, int rc);

} // namespace fw
