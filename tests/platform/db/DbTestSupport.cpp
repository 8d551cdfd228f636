#include "DbTestSupport.h"

#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/db/Sql.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace fwtest {

void CreateDatabase(const QString& path, const QString& key, const QStringList& statements) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
    throw std::runtime_error("cannot create test database");
  QStringList all;
  if (!key.isEmpty()) all << QStringLiteral("PRAGMA key = %1").arg(fw::QuotedStr(key));
  all << statements;
  if (statements.isEmpty()) all << QStringLiteral("CREATE TABLE dummy (id INTEGER PRIMARY KEY)");
  for (const QString& sql : all) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error ? error : "error";
      sqlite3_free(error);
      sqlite3_close(db);
      throw std::runtime_error(message + " in " + sql.toStdString());
    }
  }
  sqlite3_close(db);
}

QString ConnectionStringFor(const QString& path, const QString& password, bool exclusive) {
  QString s = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
              (exclusive ? QStringLiteral(";Mode=Share Exclusive;") : QStringLiteral(";Mode=ReadWrite;")) +
              QStringLiteral("Persist Security Info=False;Jet OLEDB:Engine Type=5;");
  if (!password.isEmpty()) s += QStringLiteral("Jet OLEDB:Database Password=") + password;
  return s;
}

DbFixtureBase::DbFixtureBase() {
  CreateDatabase(Path("main.mdb"), QString(),
                 {"CREATE TABLE dt_data (c901 INTEGER PRIMARY KEY, c902 VARCHAR(50) COLLATE NOCASE, c904 INTEGER, "
                  "z001 INTEGER, z002 REAL, RecordState INTEGER DEFAULT 0)",
                  "INSERT INTO dt_data VALUES (100000000001, 'Alpha', 10, 5, 1.5, 1)",
                  "INSERT INTO dt_data VALUES (100000000002, 'beta', 20, 7, 2.0, 1)",
                  "INSERT INTO dt_data VALUES (100000000003, 'Gamma', 10, 1, NULL, 0)",
                  "INSERT INTO dt_data VALUES (123456789012, 'Delta''s', 30, 9, 4.25, 2)",
                  "CREATE TABLE CT_Group (id INTEGER PRIMARY KEY, name VARCHAR(100) COLLATE NOCASE, orderstr TEXT)",
                  "CREATE TABLE DT_GroupItem (id INTEGER PRIMARY KEY, GroupID INTEGER, Title VARCHAR(50) COLLATE NOCASE, "
                  "LowBoundary REAL, HighBoundary REAL, LowSymbol VARCHAR(2), HighSymbol VARCHAR(2))",
                  "INSERT INTO CT_Group VALUES (1, 'First', 'id ASC')",
                  "INSERT INTO DT_GroupItem VALUES (1, 1, 'Low', 100000000000, 100000000002, '>=', '<')",
                  "CREATE VIEW view_group_item AS SELECT id, GroupID, Title, LowBoundary, HighBoundary, LowSymbol, "
                  "HighSymbol, LowSymbol || CAST(LowBoundary AS INTEGER) AS LowValue FROM DT_GroupItem",
                  "CREATE TRIGGER view_group_item_ins INSTEAD OF INSERT ON view_group_item BEGIN "
                  "INSERT INTO DT_GroupItem (id, GroupID, Title, LowBoundary, HighBoundary, LowSymbol, HighSymbol) "
                  "VALUES (NEW.id, NEW.GroupID, NEW.Title, NEW.LowBoundary, NEW.HighBoundary, NEW.LowSymbol, NEW.HighSymbol); END",
                  "CREATE TRIGGER view_group_item_upd INSTEAD OF UPDATE ON view_group_item BEGIN "
                  "UPDATE DT_GroupItem SET GroupID = NEW.GroupID, Title = NEW.Title, LowBoundary = NEW.LowBoundary, "
                  "HighBoundary = NEW.HighBoundary, LowSymbol = NEW.LowSymbol, HighSymbol = NEW.HighSymbol WHERE id = OLD.id; END",
                  "CREATE TRIGGER view_group_item_del INSTEAD OF DELETE ON view_group_item BEGIN "
                  "DELETE FROM DT_GroupItem WHERE id = OLD.id; END"});
  Db.SetLoginPrompt(false);
  Db.SetConnectionString(ConnectionStringFor(Path("main.mdb")));
  Db.Open();
}

std::unique_ptr<fw::TADOConnection> DbFixtureBase::Connect(const QString& file, const QString& password, bool exclusive) {
  auto c = std::make_unique<fw::TADOConnection>();
  c->SetConnectionString(ConnectionStringFor(file, password, exclusive));
  c->Open();
  return c;
}

QStringList DbFixtureBase::Files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }

QVariant ScalarOf(fw::TADOConnection& db, const QString& sql) {
  fw::TADOQuery q(&db);
  q.SQL().Add(sql);
  q.Open();
  return q.Fields(0)->AsVariant();
}

} // namespace fwtest
