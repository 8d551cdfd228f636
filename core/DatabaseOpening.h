#pragma once
// Opening the working database at start-up: plainly, or — for a file still protected by
// the database password — alone with the password, which is then removed from the file
// for good, so that the working database never keeps a password. The caller (the main
// window) only shows the message of a failure.
//
// One running copy of the program per working database: two copies saving the same record
// would each overwrite what the other saved. The copy that opens a working database holds
// a lock on the database file itself (TFileLock) for as long as it runs, so that no other
// name of the file (a link, a copied program folder) reaches it unheld; the kernel lets the
// lock go when that copy ends, killed or not. Compaction and a removed password put a new
// file in the database's place: the lock moves onto it at once.

#include <QString>

namespace fw {

class TADOConnection;
class TExistingFile;
class TFileLock;

enum class TDatabaseOpening {
  Opened,          // open on the connection; DatabasePath and DatabaseLabel are set
  DataFileMissing, // no such file (or, after a failed open, no default database either)
  BadInstallation, // the file opens neither way, or holds no survey database
  InUse,           // another running copy of the program holds it
};

// Opens path (the program folder's default database when empty) on connection, which
// is closed first; fixes the edition settings; sets DatabasePath and reads DatabaseLabel
// from ct_label. After a failure the connection is closed. With hold given the database
// is first held in it (see above) and refused when another copy holds it; a file that
// cannot be locked (one this user may not open) does not stop the opening.
TDatabaseOpening OpenWorkingDatabase(TADOConnection& connection, const QString& path = QString(),
                                     TFileLock* hold = nullptr);

// The message for a chosen file that an export or a backup would replace while a running
// copy works on it.
inline const QString kDatabaseInUseTargetMessage =
    QStringLiteral("您选择的文件“%1”是正在使用的数据库文件，不能被覆盖，请选择其它文件。");

// True when file is the working database (DatabasePath, by whatever name) or a database
// that a running copy of the program holds; then the message above is shown, naming it.
// A file written in place of either would pull it from under the copy that works on it.
bool RefuseDatabaseInUse(const QString& file);

// The message for an existing file chosen to be written into that is a link, a folder or
// anything but a plain file.
inline const QString kTargetNotPlainFileMessage =
    QStringLiteral("您选择的文件“%1”是链接或不是普通文件，不能写入，请选择其它文件。");

// Judges an existing file that an export is about to read and write into, on the file
// opened once (TExistingFile) and never again by its name: a link or anything but a plain
// file is refused (kTargetNotPlainFileMessage), and so are the working database and a
// database a running copy holds (as RefuseDatabaseInUse). Shows the message; true when
// refused. A name at which nothing stands (any more) is not refused.
bool RefuseExistingTarget(const TExistingFile& target);

} // namespace fw
