#include "core/DatabaseMaintenance.h"

#include "core/DatabaseFiles.h"
#include "core/DatabaseOpening.h"
#include "core/DatabasePassword.h"
#include "core/ExchangeFile.h"
#include "core/SiblingTempFile.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/Sql.h"
#include "platform/shell/FileLock.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <utility>

namespace fw {

namespace {

const QString kExclusiveOptions =
    QStringLiteral("Mode=Share Exclusive;Persist Security Info=False;Jet OLEDB:Engine Type=5;");

void ShowRunError(const std::exception& error) { ShowMessage("运行中发生错误：" + ErrorText(error)); }

// A copy of source, protected by password, at destination.
void WriteProtectedCopy(const QString& source, const QString& destination, const QString& password) {
  TSiblingTempFile temp(destination);
  temp.CopyFrom(source);
  temp.Fill([&password](const QString& path) {
    TADOConnection copy;
    copy.SetLoginPrompt(false);
    copy.SetConnectionString(JetConnectionString(path, kExclusiveOptions));
    copy.Open();
    copy.Execute("ALTER DATABASE PASSWORD  [" + password + "] null");
    copy.Close();
  });
  temp.MoveIntoPlace();
}

// Writes every table, index, view and trigger of the open database into the empty file
// copy, row after row, which leaves no free pages and no fragmentation behind.
void WriteCompactCopy(TADOConnection& source, const QString& copy) {
  TADOQuery version(&source);
  version.SetSQL(QStringLiteral("PRAGMA main.user_version"));
  version.Open();
  const qint64 userVersion = version.Fields(0)->AsLargeInt();
  version.Close();
  const QString alias = source.AttachDatabase(copy);
  try {
    source.Execute("SELECT sqlcipher_export(" + QuotedStr(alias) + ")");
    source.Execute(QStringLiteral("PRAGMA %1.user_version = %2").arg(alias).arg(userVersion));
  } catch (...) {
    source.DetachDatabase(alias);
    throw;
  }
  source.DetachDatabase(alias);
}

// Closes the main connection for the length of a file operation and opens it again on
// the working database however the operation ends; a failure to reopen is shown.
class TMainConnectionClosed {
public:
  TMainConnectionClosed(TADOConnection& connection, IMainConnectionUser& user) : connection_(connection), user_(user) {
    user_.MainConnectionClosing();
    connection_.Close();
  }
  ~TMainConnectionClosed() {
    try {
      connection_.SetConnectionString(WorkingConnectionString(DatabasePath));
      connection_.Open();
      user_.MainConnectionReopened();
    } catch (const std::exception& e) {
      try {
        ShowRunError(e);
      } catch (...) {
      }
    }
  }
  TMainConnectionClosed(const TMainConnectionClosed&) = delete;
  TMainConnectionClosed& operator=(const TMainConnectionClosed&) = delete;

private:
  TADOConnection& connection_;
  IMainConnectionUser& user_;
};

} // namespace

QString WorkingConnectionString(const QString& databasePath) {
  return JetConnectionString(databasePath,
                             QStringLiteral("Mode=ReadWrite;Persist Security Info=False;Jet OLEDB:Engine Type=5;"));
}

bool BackupDatabase(TADOConnection& connection, IMainConnectionUser& user) {
  FileDialogRequest request;
  request.Title = QStringLiteral("备份文件存放为");
  request.Filter = QStringLiteral("Access文件(*.mdb)|*.mdb");
  request.InitialDir = PersonalFolder();
  const FileDialogResult answer = CurrentHooks().SaveFileDialog(request);
  if (!answer.Accepted || answer.FileName.trimmed().isEmpty()) return false;
  const QString file = BackupFileName(answer.FileName);
  if (RefuseDatabaseInUse(file) || !ConfirmOverwrite(file, request.Title)) return false;

  const TMainConnectionClosed closed(connection, user);
  try {
    WriteProtectedCopy(DatabasePath, file, DatabasePassword());
  } catch (const std::exception& e) {
    ShowRunError(e);
    return false;
  }
  ShowMessage(QStringLiteral("备份成功"));
  return true;
}

bool CompactDatabase(const QString& fileName, TFileLock* hold) {
  TFileLock compacted;
  try {
    if (!QFileInfo(fileName).isFile()) throw std::runtime_error(("找不到文件 " + fileName).toStdString());
    TSiblingTempFile temp(fileName);
    TADOConnection source;
    source.SetLoginPrompt(false);
    source.SetConnectionString(JetConnectionString(fileName, kExclusiveOptions));
    source.Open();
    temp.Fill([&source](const QString& path) {
      WriteCompactCopy(source, path);
      source.Close();
      // The compacted copy must read as a database before it replaces the original.
      TADOConnection check;
      check.SetConnectionString(JetConnectionString(path, QStringLiteral("Mode=Read;")));
      check.Open();
      check.Close();
    });
    QFile::setPermissions(temp.Path(), QFile::permissions(fileName));
    // The compacted file is held before it takes the database's place and the old one
    // until then, so that no other copy finds the database unheld for a moment; should
    // the move fail, the old file keeps its place and its hold.
    if (hold) compacted.Lock(temp.Path());
    temp.MoveIntoPlace();
    if (hold) *hold = std::move(compacted);
    return true;
  } catch (const std::exception& e) {
    // Renamed, only the folder's sync failed: the compacted file is the database now.
    if (hold && compacted.HoldsFileAt(fileName)) *hold = std::move(compacted);
    ShowRunError(e);
    return false;
  }
}

bool CompactWorkingDatabase(TADOConnection& connection, IMainConnectionUser& user, TFileLock* hold) {
  const TMainConnectionClosed closed(connection, user);
  const bool compacted = CompactDatabase(DatabasePath, hold);
  if (compacted) ShowMessage(QStringLiteral("压缩操作成功"));
  return compacted;
}

} // namespace fw
