#include "platform/db/SqlStatement.h"

#include "platform/db/DbError.h"

#include <sqlite3.h>

namespace fw {

QString EngineMessage(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

EDatabaseError EngineError(sqlite3* db, const QString& sql) {
  return EDatabaseError(EngineMessage(db), sql, sqlite3_extended_errcode(db), sqlite3_system_errno(db));
}

EDatabaseError EngineError(sqlite3* db, int rc) {
  if (!db) return EDatabaseError(QString::fromUtf8(sqlite3_errstr(rc)), QString(), rc);
  return EngineError(db, QString());
}

TSqlStatement::TSqlStatement(sqlite3* db, const QByteArray& sql, int* tail) : db_(db) {
  const char* rest = nullptr;
  const int rc = sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &stmt_, &rest);
  if (rc != SQLITE_OK) {
    const EDatabaseError error = EngineError(db, QString::fromUtf8(sql));
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    throw error;
  }
  if (tail) *tail = rest ? static_cast<int>(rest - sql.constData()) : static_cast<int>(sql.size());
  if (stmt_) sql_ = QString::fromUtf8(sqlite3_sql(stmt_));
}

TSqlStatement::~TSqlStatement() { sqlite3_finalize(stmt_); }

TSqlStatement::TSqlStatement(TSqlStatement&& other) noexcept
    : db_(other.db_), stmt_(other.stmt_), sql_(std::move(other.sql_)) {
  other.stmt_ = nullptr;
}

TSqlStatement& TSqlStatement::operator=(TSqlStatement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(stmt_);
    db_ = other.db_;
    stmt_ = other.stmt_;
    sql_ = std::move(other.sql_);
    other.stmt_ = nullptr;
  }
  return *this;
}

bool TSqlStatement::Step() {
  if (!stmt_) return false;
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  const EDatabaseError error = EngineError(db_, sql_);
  sqlite3_reset(stmt_);
  throw error;
}

void TSqlStatement::Reset() {
  if (stmt_) sqlite3_reset(stmt_);
}

void ExecRaw(sqlite3* db, const QString& sql) {
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    const QString message = error ? QString::fromUtf8(error) : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_free(error);
    throw EDatabaseError(message, sql, sqlite3_extended_errcode(db), sqlite3_system_errno(db));
  }
}

} // namespace fw
