#include "core/DatabaseFiles.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"

#include <stdexcept>

namespace fw {

QString JetConnectionString(const QString& file, const QString& options) {
  return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + QuoteConnectionValue(file) + ";" + options;
}

QString ErrorText(const std::exception& error) {
  if (const auto* db = dynamic_cast<const EDatabaseError*>(&error)) return db->Message();
  return QString::fromUtf8(error.what());
}

QStringList TableColumns(TADOConnection& connection, const QString& table) {
  TADOQuery query(&connection);
  query.SetSQL("select * from " + table + " where 1=0");
  query.Open();
  const QStringList names = query.FieldNames();
  query.Close();
  return names;
}

bool HasTable(TADOConnection& connection, const QString& table) {
  return connection.TableNames().contains(table, Qt::CaseInsensitive);
}

QStringList CommonColumns(const QStringList& targetColumns, const QStringList& sourceColumns) {
  QStringList common;
  for (const QString& column : targetColumns)
    if (sourceColumns.contains(column, Qt::CaseInsensitive)) common << column;
  return common;
}

QString BuildCopyByNameSql(const QString& target, const QString& source, const QStringList& columns,
                           const QString& where) {
  if (columns.isEmpty()) return QString();
  QStringList quoted;
  quoted.reserve(columns.size());
  for (const QString& column : columns) quoted << "[" + column + "]";
  const QString list = quoted.join(',');
  QString sql = "INSERT INTO " + target + " (" + list + ") SELECT " + list + " FROM " + source;
  if (!where.isEmpty()) sql += " WHERE " + where;
  return sql;
}

int CopyRowsByName(TADOConnection& connection, const QString& target, const QString& source, const QString& where) {
  const QStringList columns = CommonColumns(TableColumns(connection, target), TableColumns(connection, source));
  if (columns.isEmpty()) throw std::runtime_error(("数据表" + target + "与要复制的数据没有相同的列").toStdString());
  return connection.Execute(BuildCopyByNameSql(target, source, columns, where));
}

TAttachedFile::TAttachedFile(TADOConnection& connection, const QString& file, const QString& password)
    : connection_(connection), alias_(connection.AttachDatabase(file, password)) {}

TAttachedFile::~TAttachedFile() {
  try {
    if (connection_.Connected()) connection_.DetachDatabase(alias_);
  } catch (const std::exception&) {
  }
}

} // namespace fw
