#include "platform/db/BatchInsert.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/SqlStatement.h"

#include <sqlite3.h>

#include <algorithm>

namespace fw {

TBatchInsert::TBatchInsert(TADOConnection& connection, const QString& table, const QStringList& columns, int rows,
                           int rowsPerBatch)
    : connection_(connection), columns_(int(columns.size())), rowsLeft_(std::max(0, rows)) {
  connection_.CheckConnected();
  QStringList names, marks;
  for (const QString& column : columns) {
    names << QuoteIdent(column);
    marks << QStringLiteral("?");
  }
  head_ = QStringLiteral("INSERT INTO ") + QuoteIdent(table) + QStringLiteral(" (") + names.join(QLatin1Char(',')) +
          QStringLiteral(") VALUES ");
  rowMarks_ = QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
  // The engine takes a limited number of parameters in one statement.
  const int limit = sqlite3_limit(connection_.Handle(), SQLITE_LIMIT_VARIABLE_NUMBER, -1) / std::max(1, columns_);
  rowsPerBatch_ = std::clamp(rowsPerBatch, 1, std::max(1, limit));
  // The statement is made even for no rows, so that a wrong table or column shows at once.
  full_ = Prepare(std::clamp(rowsLeft_, 1, rowsPerBatch_));
  StartBatch();
}

TBatchInsert::~TBatchInsert() = default;

std::unique_ptr<TSqlStatement> TBatchInsert::Prepare(int rows) const {
  QStringList all;
  for (int r = 0; r < rows; ++r) all << rowMarks_;
  return std::make_unique<TSqlStatement>(connection_.Handle(), (head_ + all.join(QLatin1Char(','))).toUtf8());
}

void TBatchInsert::StartBatch() {
  bound_ = 0;
  batchRows_ = std::min(rowsLeft_, rowsPerBatch_);
  if (batchRows_ == rowsPerBatch_ || batchRows_ == 0) {
    current_ = full_.get();
  } else {
    last_ = Prepare(batchRows_);
    current_ = last_.get();
  }
}

void TBatchInsert::Add(const TCell& value) {
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

void TBatchInsert::EndRow() {
  if (bound_ % columns_ != 0 || bound_ == 0)
    throw EDatabaseError(QStringLiteral("A row must give a value for each of the %1 columns.").arg(columns_));
  if (bound_ < batchRows_ * columns_) return;
  rowsLeft_ -= batchRows_;
  TSqlStatement& statement = *current_;
  StartBatch();
  // A failing batch is reset by Step; either way the statement is ready for the next.
  statement.Step();
  statement.Reset();
}

} // namespace fw
