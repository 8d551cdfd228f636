#include "platform/db/AdoTable.h"

#include "platform/db/JetSql.h"

namespace fw {

void TADOTable::SetTableName(const QString& name) {
  Close();
  tableName_ = name;
}

void TADOTable::SetIndexFieldNames(const QString& fields) {
  indexFieldNames_ = fields;
  if (Active()) SetSort(QString(fields).replace(QLatin1Char(';'), QLatin1Char(',')));
}

QString TADOTable::CommandText() const {
  QString sql = QStringLiteral("SELECT * FROM %1").arg(QuoteIdent(tableName_));
  QStringList order;
  for (const QString& f : indexFieldNames_.split(QLatin1Char(';'), Qt::SkipEmptyParts)) order << QuoteIdent(f.trimmed());
  if (!order.isEmpty()) sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
  return sql;
}

} // namespace fw
