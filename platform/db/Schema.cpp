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

bool DeclaresComputedColumn(TADOConnection& connection) {
  connection.CheckConnected();
  // table_xinfo marks a computed column hidden 2 (computed when read) or 3 (stored).
  TSqlStatement query(connection.Handle(),
                      "SELECT 1 FROM pragma_table_list AS t, pragma_table_xinfo(t.name, 'main') AS c "
                      "WHERE t.schema = 'main' AND t.type = 'table' AND c.hidden IN (2, 3) LIMIT 1");
  return query.Step();
}

TSchemaObjectKind SchemaObjectKind(TADOConnection& connection, const QString& name) {
  connection.CheckConnected();
  // Columns: schema, name, type ("table", "view", "virtual", "shadow"), ncol, wr, strict.
  TSqlStatement query(connection.Handle(), "PRAGMA main.table_list");
  const QByteArray wanted = name.toUtf8();
  while (query.Step()) {
    const char* found = reinterpret_cast<const char*>(sqlite3_column_text(query.Handle(), 1));
    if (!found || sqlite3_stricmp(found, wanted.constData()) != 0) continue;
    const QString type = ColumnText(query.Handle(), 2);
    if (type == QLatin1String("view")) return TSchemaObjectKind::View;
    if (type == QLatin1String("virtual")) return TSchemaObjectKind::VirtualTable;
    return sqlite3_column_int(query.Handle(), 4) ? TSchemaObjectKind::TableWithoutRowid : TSchemaObjectKind::Table;
  }
  return TSchemaObjectKind::Missing;
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
