#include "core/DatabaseOpening.h"

#include "core/DatabaseFiles.h"
#include "core/DatabaseMaintenance.h"
#include "core/DatabasePassword.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/ExistingFile.h"
#include "platform/shell/FileLock.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"

#include <QDir>
#include <QFileInfo>

namespace fw {

namespace {

QString ExclusiveConnectionString(const QString& path, const QString& password) {
  return JetConnectionString(path, QStringLiteral("Mode=Share Exclusive;Persist Security Info=False;"
                                                  "Jet OLEDB:Engine Type=5;Jet OLEDB:Database Password=") +
                                       password);
}

QString DefaultDatabasePath() { return ProgramFile(QString::fromLatin1(kDefaultDatabaseName)); }

bool TryOpenPlain(TADOConnection& connection, const QString& path) {
  try {
    connection.SetConnectionString(WorkingConnectionString(path));
    connection.Open();
    return true;
  } catch (const EDatabaseError&) {
    return false;
  }
}

// The file is protected by the database password: open it alone with the password and
// take the password away (the layer writes the plain copy beside the file and swaps it
// in), then leave the plain connection string for the next open.
bool RemovePassword(TADOConnection& connection, const QString& path, const QString& password) {
  try {
    connection.SetConnectionString(ExclusiveConnectionString(path, password));
    connection.Open();
    connection.Execute(QStringLiteral("ALTER DATABASE PASSWORD null [") + password + ']');
    connection.Close();
    connection.SetConnectionString(WorkingConnectionString(path));
    return true;
  } catch (const EDatabaseError&) {
    connection.Close();
    return false;
  }
}

// The label of the database; throws EDatabaseError for a file without ct_label.
QString ReadDatabaseLabel(TADOConnection& connection) {
  TADOQuery label(&connection);
  label.SetSQL(QStringLiteral("select * from ct_label"));
  label.Open();
  return label.IsEmpty() ? QString() : label.FieldByName(QStringLiteral("db_name"))->AsString();
}

// Shows that file is a database in use when it is one; returns whether it is.
bool RefuseWhenInUse(bool inUse, const QString& file) {
  if (inUse)
    ShowMessage(kDatabaseInUseTargetMessage.arg(QDir::toNativeSeparators(file)), QString(), MB_OK | MB_ICONWARNING);
  return inUse;
}

} // namespace

TDatabaseOpening OpenWorkingDatabase(TADOConnection& connection, const QString& requested, TFileLock* hold) {
  if (connection.Connected()) connection.Close();
  FixEditionSettings();
  const QString path = requested.isEmpty() ? DefaultDatabasePath() : requested;
  if (!QFileInfo(path).isFile()) return TDatabaseOpening::DataFileMissing;
  if (hold && hold->Lock(path) == TFileLock::TOutcome::HeldElsewhere) return TDatabaseOpening::InUse;
  const bool plain = TryOpenPlain(connection, path);
  if (!plain && !RemovePassword(connection, path, DatabasePassword()))
    return QFileInfo(DefaultDatabasePath()).isFile() ? TDatabaseOpening::BadInstallation
                                                     : TDatabaseOpening::DataFileMissing;
  // Removing the password put a new file in the database's place (and left the connection
  // closed, so no lock of the engine goes with the old file's descriptor).
  if (!plain && hold && hold->Lock(path) == TFileLock::TOutcome::HeldElsewhere) {
    connection.Close();
    return TDatabaseOpening::InUse;
  }
  DatabasePath = path;
  try {
    DatabaseLabel = ReadDatabaseLabel(connection);
  } catch (const EDatabaseError&) {
    // A file that opens but is no survey database.
    connection.Close();
    return TDatabaseOpening::BadInstallation;
  }
  return TDatabaseOpening::Opened;
}

bool RefuseDatabaseInUse(const QString& file) {
  // The working database is told by its inode, never probed: closing the probe's
  // descriptor would drop the engine's own locks on it.
  const bool working = !DatabasePath.isEmpty() && SameFile(file, DatabasePath);
  return RefuseWhenInUse(working || FileLockHeld(file), file);
}

bool RefuseExistingTarget(const TExistingFile& target) {
  switch (target.Kind()) {
  case TExistingFile::TKind::Missing:
    return false;
  case TExistingFile::TKind::Link:
  case TExistingFile::TKind::NotPlainFile:
    ShowMessage(kTargetNotPlainFileMessage.arg(QDir::toNativeSeparators(target.Path())), QString(),
                MB_OK | MB_ICONWARNING);
    return true;
  case TExistingFile::TKind::PlainFile:
    break;
  }
  // As above: the working database is told by its inode before anything reads it.
  const bool working = !DatabasePath.isEmpty() && target.IsFile(DatabasePath);
  return RefuseWhenInUse(working || target.LockHeld(), target.Path());
}

} // namespace fw
