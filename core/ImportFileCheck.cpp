#include "core/ImportFileCheck.h"

#include "core/DatabaseFiles.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/db/Schema.h"

#include <QHash>

namespace fw {

namespace {

// The condition of a row the copy must not take: "[a] >= '' collate binary or ..." over
// the number columns (a value that is neither a number nor nothing: the engine orders
// numbers before any text and text before any bytes, and the empty text stays text beside
// a number column; one comparison is much faster than asking each value's kind, and the
// collation named is one the engine has, whatever the file declares), then
// "length(cast([t] as text)) < 0 or ..." over the other columns, never true but making the
// engine read each value the copy will read, so that one past the size limit fails here,
// before any question is asked (the engine reads a value's kind, and the length of bytes,
// from the row's header alone).
QString RefusedRowCondition(const QStringList& numberColumns, const QStringList& otherColumns) {
  QStringList tests;
  tests.reserve(numberColumns.size() + otherColumns.size());
  for (const QString& column : numberColumns)
    tests << "[" + column + "] >= '' collate binary";
  for (const QString& column : otherColumns)
    tests << "length(cast([" + column + "] as text)) < 0";
  return tests.join(QStringLiteral(" or "));
}

// Why the file open on connection cannot be used because it would run code of its own
// once read or checked: a virtual table (its module) or a computed column (its
// expression). Empty when it declares neither.
QString OwnCodeRefusal(TADOConnection& connection) {
  if (DeclaresVirtualTable(connection)) return kVirtualTableRefusal;
  if (DeclaresComputedColumn(connection)) return kComputedColumnRefusal;
  return QString();
}

bool HoldsOnlyFittingValues(TADOConnection& file, const QString& table, const QStringList& numberColumns,
                            const QStringList& otherColumns) {
  if (numberColumns.isEmpty() && otherColumns.isEmpty()) return true;
  TADOQuery query(&file);
  query.SetSQL("select 1 from [" + table + "] where " + RefusedRowCondition(numberColumns, otherColumns) + " limit 1");
  query.Open();
  const bool clean = query.IsEmpty();
  query.Close();
  return clean;
}

} // namespace

void OpenChosenFile(TADOConnection& connection, const QString& path, const QString& password) {
  QString options = QStringLiteral("Mode=Read;Persist Security Info=False;");
  if (!password.isEmpty()) options += "Jet OLEDB:Database Password=" + password;
  connection.SetLoginPrompt(false);
  connection.SetStatementTimeLimit(kChosenFileTimeLimit);
  connection.SetSizeLimit(kChosenFileSizeLimit);
  connection.SetConnectionString(JetConnectionString(path, options));
  connection.Open();
}

bool IsSoundFile(TADOConnection& connection) {
  if (!OwnCodeRefusal(connection).isEmpty()) return false;
  try {
    connection.QuickCheck();
    return true;
  } catch (const EDatabaseError& e) {
    if (e.Damaged()) return false;
    throw;
  }
}

void OpenChosenTarget(TADOConnection& connection, const QString& path) {
  connection.SetLoginPrompt(false);
  connection.SetSizeLimit(kChosenFileSizeLimit);
  connection.SetConnectionString(JetConnectionString(path, QStringLiteral("Persist Security Info=False;")));
  const TChosenFileTimeLimit checks(connection);
  connection.Open();
  if (const QString refusal = OwnCodeRefusal(connection); !refusal.isEmpty()) throw EDatabaseError(refusal);
  connection.QuickCheck();
}

bool HasWorkingShape(TADOConnection& file, TADOConnection& working, const QString& table) {
  if (SchemaObjectKind(file, table) != TSchemaObjectKind::Table) return false;
  QHash<QString, TTypeAffinity> present;
  for (const TColumnDefinition& column : TableDefinition(file, table))
    present.insert(column.Name.toLower(), TypeAffinity(column.DeclaredType));
  QStringList numberColumns, otherColumns;
  for (const TColumnDefinition& column : TableDefinition(working, table)) {
    const TTypeAffinity wanted = TypeAffinity(column.DeclaredType);
    const auto found = present.constFind(column.Name.toLower());
    if (found == present.constEnd() || *found != wanted) return false;
    (IsNumberAffinity(wanted) ? numberColumns : otherColumns) << column.Name;
  }
  return HoldsOnlyFittingValues(file, table, numberColumns, otherColumns);
}

TChosenFileTimeLimit::TChosenFileTimeLimit(TADOConnection& connection, std::chrono::milliseconds limit)
    : connection_(connection), previousTime_(connection.StatementTimeLimit()), previousSize_(connection.SizeLimit()) {
  connection_.SetStatementTimeLimit(limit);
  connection_.SetSizeLimit(kChosenFileSizeLimit);
}

TChosenFileTimeLimit::~TChosenFileTimeLimit() {
  connection_.SetStatementTimeLimit(previousTime_);
  connection_.SetSizeLimit(previousSize_);
}

} // namespace fw
