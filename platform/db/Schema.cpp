#include "platform/db/Schema.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/JetSql.h"
#include "platform/db/SqlStatement.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace fw {

namespace {

QString ColumnText(sqlite3_stmt* statement, int column) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

} // namespace

bool DeclaresVirtualTable(sqlite3* db, const QString& schema) {
  static const QRegularExpression plain(QStringLiteral(R"(^CREATE\s+(TABLE|INDEX|UNIQUE\s+INDEX|VIEW|TRIGGER)\s)"),
                                        QRegularExpression::CaseInsensitiveOption);
  TSqlStatement query(db, QStringLiteral("SELECT sql FROM %1.sqlite_master WHERE sql IS NOT NULL").arg(QuoteIdent(schema)).toUtf8());
  while (query.Step())
    if (!plain.match(ColumnText(query.Handle(), 0)).hasMatch()) return true;
  return false;
}

bool DeclaresVirtualTable(TADOConnection& connection, const QString& schema) {
  connection.CheckConnected();
  return DeclaresVirtualTable(connection.Handle(), schema);
}

TSchemaObjectKind SchemaObjectKind(TADOConnection& connection, const QString& name) {
  connection.CheckConnected();
  TSqlStatement query(connection.Handle(),
                      "SELECT type, sql FROM main.sqlite_master WHERE name = ? COLLATE NOCASE AND type IN ('table', 'view')");
  const QByteArray text = name.toUtf8();
  sqlite3_bind_text(query.Handle(), 1, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  if (!query.Step()) return TSchemaObjectKind::Missing;
  if (ColumnText(query.Handle(), 0) == QLatin1String("view")) return TSchemaObjectKind::View;
  if (ColumnText(query.Handle(), 1).simplified().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive))
    return TSchemaObjectKind::VirtualTable;
  return TSchemaObjectKind::Table;
}

std::vector<TColumnDefinition> TableDefinition(TADOConnection& connection, const QString& table) {
  connection.CheckConnected();
  TSqlStatement query(connection.Handle(), QStringLiteral("PRAGMA main.table_info(%1)").arg(QuoteIdent(table)).toUtf8());
  std::vector<TColumnDefinition> columns;
  while (query.Step()) columns.push_back({ColumnText(query.Handle(), 1), ColumnText(query.Handle(), 2)});
  return columns;
}

TTypeAffinity TypeAffinity(const QString& declaredType) {
  const QString type = declaredType.toUpper();
  if (type.contains(QLatin1String("INT"))) return TTypeAffinity::Integer;
  if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB")) || type.contains(QLatin1String("TEXT")))
    return TTypeAffinity::Text;
  if (type.contains(QLatin1String("BLOB")) || type.trimmed().isEmpty()) return TTypeAffinity::Blob;
  if (type.contains(QLatin1String("REAL")) || type.contains(QLatin1String("FLOA")) || type.contains(QLatin1String("DOUB")))
    return TTypeAffinity::Real;
  return TTypeAffinity::Numeric;
}

bool IsNumberAffinity(TTypeAffinity affinity) {
  return affinity == TTypeAffinity::Integer || affinity == TTypeAffinity::Real || affinity == TTypeAffinity::Numeric;
}

} // namespace fw
