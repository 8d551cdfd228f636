#pragma once
// Database files for the layer's tests: each test makes its own in a temporary folder.

#include "platform/db/AdoConnection.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace fwtest {

// Creates a database file (keyed when `key` is not empty) and runs `statements` in it.
void CreateDatabase(const QString& path, const QString& key, const QStringList& statements);

// "Provider=...;Data Source=<file>;..." in the program's form.
QString ConnectionStringFor(const QString& path, const QString& password = QString(), bool exclusive = false);

// A temporary folder with a small survey-like database "main.mdb" opened on Db.
class DbFixtureBase {
public:
  DbFixtureBase();
  QString Path(const QString& name) const { return dir_.filePath(name); }
  std::unique_ptr<fw::TADOConnection> Connect(const QString& file, const QString& password = QString(), bool exclusive = false);
  // Files in the folder (to check that nothing is left behind).
  QStringList Files() const;

  fw::TADOConnection Db;

private:
  QTemporaryDir dir_;
};

// Reads one value with a fresh connection: "select <expr>" style helper.
QVariant ScalarOf(fw::TADOConnection& db, const QString& sql);

} // namespace fwtest
