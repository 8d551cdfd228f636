#include "core/DatabaseFiles.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"

namespace fw {

QString JetConnectionString(const QString& file, const QString& options) {
  const QString source = file.contains(QLatin1Char(';')) ? "\"" + file + "\"" : file;
  return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + source + ";" + options;
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

TAttachedFile::TAttachedFile(TADOConnection& connection, const QString& file, const QString& password)
    : connection_(connection), alias_(connection.AttachDatabase(file, password)) {}

TAttachedFile::~TAttachedFile() {
  try {
    if (connection_.Connected()) connection_.DetachDatabase(alias_);
  } catch (const std::exception&) {
  }
}

} // namespace fw
