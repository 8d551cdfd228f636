#include "core/ImportFileCheck.h"

#include "core/DatabaseFiles.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/db/Schema.h"

#include <QHash>

namespace fw {

namespace {

// "typeof([a]) in ('text','blob') or typeof([b]) in (...) ..." over the number columns:
// a value that is neither a number nor nothing. (The two-word list is compared much faster
// than the three numeric kinds, and this scan reads every record of the file.)
QString NotANumberCondition(const QStringList& numberColumns) {
  QStringList tests;
  tests.reserve(numberColumns.size());
  for (const QString& column : numberColumns)
    tests << "typeof([" + column + "]) in ('text','blob')";
  return tests.join(QStringLiteral(" or "));
}

bool HoldsOnlyNumbers(TADOConnection& file, const QString& table, const QStringList& numberColumns) {
  if (numberColumns.isEmpty()) return true;
  TADOQuery query(&file);
  query.SetSQL("select 1 from [" + table + "] where " + NotANumberCondition(numberColumns) + " limit 1");
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
  if (DeclaresVirtualTable(connection)) return false;
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
  RefuseVirtualTables(connection);
  connection.QuickCheck();
}

bool HasWorkingShape(TADOConnection& file, TADOConnection& working, const QString& table) {
  if (SchemaObjectKind(file, table) != TSchemaObjectKind::Table) return false;
  QHash<QString, TTypeAffinity> present;
  for (const TColumnDefinition& column : TableDefinition(file, table))
    present.insert(column.Name.toLower(), TypeAffinity(column.DeclaredType));
  QStringList numberColumns;
  for (const TColumnDefinition& column : TableDefinition(working, table)) {
    const TTypeAffinity wanted = TypeAffinity(column.DeclaredType);
    const auto found = present.constFind(column.Name.toLower());
    if (found == present.constEnd() || *found != wanted) return false;
    if (IsNumberAffinity(wanted)) numberColumns << column.Name;
  }
  return HoldsOnlyNumbers(file, table, numberColumns);
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
