#include "platform/db/BatchInsert.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/SqlStatement.h"

#include <sqlite3.h>

#include <algorithm>

namespace fw {

namespace {

QString InsertHead(const QString& table, const QStringList& columns) {
  QStringList names;
  for (const QString& column : columns) names << QuoteIdent(column);
  return QStringLiteral("INSERT INTO ") + QuoteIdent(table) + QStringLiteral(" (") + names.join(QLatin1Char(',')) +
         QStringLiteral(") VALUES ");
}

QString InsertRowMarks(int columns) {
  return QLatin1Char('(') + QStringList(columns, QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
}

} // namespace

TBatchStatement::TBatchStatement(TADOConnection& connection, const QString& head, const QString& rowMarks, int columns,
                                 const QString& tail, int rows, int rowsPerBatch)
    : connection_(connection), head_(head), rowMarks_(rowMarks), tail_(tail), columns_(std::max(1, columns)),
      rowsLeft_(std::max(0, rows)) {
  connection_.CheckConnected();
  // The engine takes a limited number of parameters in one statement.
  const int limit = sqlite3_limit(connection_.Handle(), SQLITE_LIMIT_VARIABLE_NUMBER, -1) / std::max(1, columns_);
  rowsPerBatch_ = std::clamp(rowsPerBatch, 1, std::max(1, limit));
  // The statement is made even for no rows, so that a wrong table or column shows at once.
  full_ = Prepare(std::clamp(rowsLeft_, 1, rowsPerBatch_));
  StartBatch();
}

TBatchStatement::~TBatchStatement() = default;

std::unique_ptr<TSqlStatement> TBatchStatement::Prepare(int rows) const {
  const QString all = QStringList(rows, rowMarks_).join(QLatin1Char(','));
  return std::make_unique<TSqlStatement>(connection_.Handle(), (head_ + all + tail_).toUtf8());
}

void TBatchStatement::StartBatch() {
  bound_ = 0;
  batchRows_ = std::min(rowsLeft_, rowsPerBatch_);
  if (batchRows_ == rowsPerBatch_ || batchRows_ == 0) {
    current_ = full_.get();
  } else {
    last_ = Prepare(batchRows_);
    current_ = last_.get();
  }
}

void TBatchStatement::Add(const TCell& value) {
  if (bound_ >= batchRows_ * columns_) throw EDatabaseError(QStringLiteral("More values were given than the rows announced."));
  sqlite3_stmt* stmt = current_->Handle();
  const int index = ++bound_;
  int rc = SQLITE_OK;
  switch (value.Type) {
  case TCellType::Null: rc = sqlite3_bind_null(stmt, index); break;
  case TCellType::Int: rc = sqlite3_bind_int64(stmt, index, value.Int); break;
  case TCellType::Float: rc = sqlite3_bind_double(stmt, index, value.Float); break;
  case TCellType::Text: rc = sqlite3_bind_text(stmt, index, value.Text, value.TextLength, SQLITE_TRANSIENT); break;
  }
  if (rc != SQLITE_OK) throw EDatabaseError(QString::fromUtf8(sqlite3_errstr(rc)));
}

void TBatchStatement::EndRow() {
  if (bound_ % columns_ != 0 || bound_ == 0)
    throw EDatabaseError(QStringLiteral("A row must give a value for each of the %1 columns.").arg(columns_));
  if (bound_ < batchRows_ * columns_) return;
  rowsLeft_ -= batchRows_;
  TSqlStatement& statement = *current_;
  StartBatch();
  // A failing batch is reset by Step; either way the statement is ready for the next.
  statement.Step();
  statement.Reset();
  changes_ += sqlite3_changes(connection_.Handle());
}

TBatchInsert::TBatchInsert(TADOConnection& connection, const QString& table, const QStringList& columns, int rows,
                           int rowsPerBatch)
    : TBatchStatement(connection, InsertHead(table, columns), InsertRowMarks(int(columns.size())), int(columns.size()),
                      QString(), rows, rowsPerBatch) {}

int DeleteRowsByKey(TADOConnection& connection, const QString& table, const QString& key, const QVariantList& keys) {
  if (keys.isEmpty()) return 0;
  const QString head =
      QStringLiteral("DELETE FROM ") + QuoteIdent(table) + QStringLiteral(" WHERE ") + QuoteIdent(key) + QStringLiteral(" IN (");
  connection.BeginTrans();
  try {
    // A few hundred keys a statement: the engine prepares a list of many thousand far
    // more slowly than it runs the same keys in several statements.
    constexpr int kKeysPerStatement = 999;
    TBatchStatement remove(connection, head, QStringLiteral("?"), 1, QStringLiteral(")"), int(keys.size()), kKeysPerStatement);
    QByteArray text;
    for (const QVariant& value : keys) {
      remove.Add(TCell::FromVariant(value, &text));
      remove.EndRow();
    }
    connection.CommitTrans();
    return remove.Changes();
  } catch (...) {
    connection.RollbackTrans();
    throw;
  }
}

} // namespace fw
