#include "platform/db/RecordReader.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/SqlStatement.h"

#include <sqlite3.h>

namespace fw {

namespace {

const QString kNoRecords = QStringLiteral("The statement returns no records.");

// The query translated for the engine, without a closing semicolon, so that it can be
// read from as a subquery.
QString QueryText(TADOConnection& connection, const QString& sql, QStringList* attached) {
  const TJetStatement st = connection.Translate(sql, attached);
  QString text = st.Sql.trimmed();
  while (text.endsWith(QLatin1Char(';'))) text = text.chopped(1).trimmed();
  if (st.StatementKind != TJetStatement::Kind::Plain || text.isEmpty()) {
    connection.ReleaseAttachments(*attached);
    throw EDatabaseError(kNoRecords, sql);
  }
  return text;
}

QStringList StatementColumns(sqlite3_stmt* stmt) {
  QStringList names;
  for (int c = 0; c < sqlite3_column_count(stmt); ++c) names << QString::fromUtf8(sqlite3_column_name(stmt, c));
  return names;
}

} // namespace

TRecordReader::TRecordReader(TADOConnection& connection, const QString& sql, const QStringList& columns)
    : connection_(connection) {
  if (!connection_.Connected()) connection_.Open();
  const QString query = QueryText(connection_, sql, &attached_);
  try {
    QString text = query;
    if (!columns.isEmpty()) {
      // The query's own columns, checked by name; the engine then reads only those
      // asked for (the subquery is merged into the outer select).
      const TSqlStatement probe(connection_.Handle(), query.toUtf8());
      const QStringList available = probe.IsNull() ? QStringList() : StatementColumns(probe.Handle());
      QStringList list;
      for (const QString& name : columns) {
        if (!available.contains(name, Qt::CaseInsensitive))
          throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name), sql);
        list << QuoteIdent(name);
      }
      text = QStringLiteral("SELECT ") + list.join(QLatin1Char(',')) + QStringLiteral(" FROM (") + query +
             QStringLiteral(")");
    }
    statement_ = std::make_unique<TSqlStatement>(connection_.Handle(), text.toUtf8());
    if (statement_->IsNull() || sqlite3_column_count(statement_->Handle()) == 0) throw EDatabaseError(kNoRecords, sql);
    names_ = StatementColumns(statement_->Handle());
  } catch (...) {
    statement_.reset();
    connection_.ReleaseAttachments(attached_);
    throw;
  }
}

TRecordReader::~TRecordReader() {
  statement_.reset();
  connection_.ReleaseAttachments(attached_);
}

int TRecordReader::ColumnIndex(const QString& name) const {
  for (int c = 0; c < names_.size(); ++c)
    if (names_[c].compare(name, Qt::CaseInsensitive) == 0) return c;
  return -1;
}

bool TRecordReader::Next() {
  if (finished_) return false;
  onRow_ = statement_->Step();
  // A finished statement is reset at once, so that it holds nothing of the connection;
  // it is not stepped again (that would start it over).
  if (!onRow_) {
    finished_ = true;
    statement_->Reset();
    return false;
  }
  row_.Start(statement_->Handle(), ColumnCount());
  return true;
}

TCell TRecordReader::Cell(int column) const {
  TCell cell;
  if (!onRow_ || column < 0 || column >= ColumnCount()) return cell;
  sqlite3_value* value = row_.Value(column);
  switch (sqlite3_value_type(value)) {
  case SQLITE_INTEGER:
    cell.Type = TCellType::Int;
    cell.Int = sqlite3_value_int64(value);
    break;
  case SQLITE_FLOAT:
    cell.Type = TCellType::Float;
    cell.Float = sqlite3_value_double(value);
    break;
  case SQLITE_NULL:
    break;
  default:
    cell.Type = TCellType::Text;
    cell.Text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    cell.TextLength = sqlite3_value_bytes(value);
  }
  return cell;
}

int TRecordReader::CountRows(TADOConnection& connection, const QString& sql) {
  if (!connection.Connected()) connection.Open();
  QStringList attached;
  const QString query = QueryText(connection, sql, &attached);
  struct Release {
    TADOConnection& c;
    QStringList& a;
    ~Release() { c.ReleaseAttachments(a); }
  } release{connection, attached};
  TSqlStatement count(connection.Handle(), (QStringLiteral("SELECT count(*) FROM (") + query + QStringLiteral(")")).toUtf8());
  return count.Step() ? sqlite3_column_int(count.Handle(), 0) : 0;
}

} // namespace fw
