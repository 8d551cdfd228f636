#pragma once
// The two maintenance operations of the main window that work on the working database
// file as a whole: the backup ("数据备份") and the compaction ("压缩数据库文件"). Both close
// the main connection while they work on the file and open it again afterwards.
//
// Neither ever leaves the working database half-written nor an unprotected backup behind:
// new files are written under a private name beside their destination and renamed into
// place only when complete.

#include <QString>

namespace fw {

class TADOConnection;
class TFileLock;

// What the main window does around the closing of its connection.
class IMainConnectionUser {
public:
  virtual ~IMainConnectionUser() = default;
  // Before the main connection closes: the record list remembers its current record.
  virtual void MainConnectionClosing() = 0;
  // After the main connection is open again (also after a failure): the record list is
  // reopened and, after a backup, returned to the remembered record.
  virtual void MainConnectionReopened() = 0;
};

// The main connection's connection string on the working database file.
QString WorkingConnectionString(const QString& databasePath);

// The backup. Asks for the file (save dialog "备份文件存放为", "Access文件(*.mdb)|*.mdb", in
// the documents folder; an existing file is replaced only when the person agrees), closes
// connection, writes a copy of the working database
// (DatabasePath) protected by the database password, shows "备份成功", and reopens
// connection on the working database in any case. An error is shown with its reason and
// leaves no file. The working database and one another running copy holds are refused
// (RefuseDatabaseInUse) and left untouched. Returns true when the backup was written.
bool BackupDatabase(TADOConnection& connection, IMainConnectionUser& user);

// Rewrites the database file fileName compactly, in place; the file must not be open.
// The compacted copy replaces the file in one rename, so a failure leaves it unchanged.
// An error shows "运行中发生错误：" + the reason and returns false. A hold on the file
// (the running copy's, see DatabaseOpening.h) is taken on the compacted file before it
// takes the file's place, and let go of on the old file only after that.
bool CompactDatabase(const QString& fileName, TFileLock* hold = nullptr);

// The main window's compaction: closes connection, compacts the working database
// (DatabasePath), shows "压缩操作成功" on success, and reopens connection in any case.
bool CompactWorkingDatabase(TADOConnection& connection, IMainConnectionUser& user, TFileLock* hold = nullptr);

} // namespace fw
