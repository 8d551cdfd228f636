#pragma once
// Opening the working database at start-up: plainly, or — for a file still protected by
// the database password — alone with the password, which is then removed from the file
// for good, so that the working database never keeps a password. The caller (the main
// window) only shows the message of a failure.
//
// One running copy of the program per working database: two copies saving the same record
// would each overwrite what the other saved. The copy that opens a working database holds
// a lock on a companion file beside it (DatabaseLockPath) for as long as it runs; the
// kernel lets the lock go when that copy ends, killed or not. The database file itself is
// not locked, because compaction and a changed password put a new file in its place.

#include <QString>

namespace fw {

class TADOConnection;
class TFileLock;

enum class TDatabaseOpening {
  Opened,          // open on the connection; DatabasePath and DatabaseLabel are set
  DataFileMissing, // no such file (or, after a failed open, no default database either)
  BadInstallation, // the file opens neither way, or holds no survey database
  InUse,           // another running copy of the program holds it
};

// The companion file whose lock marks a working database as held: ".<name>.lock" beside
// the file the path leads to (through links, so every way to the file meets one lock).
QString DatabaseLockPath(const QString& databasePath);

// Opens path (the program folder's default database when empty) on connection, which
// is closed first; fixes the edition settings; sets DatabasePath and reads DatabaseLabel
// from ct_label. After a failure the connection is closed. With hold given the database
// is first held in it (see above) and refused when another copy holds it; a folder that
// takes no lock file does not stop the opening.
TDatabaseOpening OpenWorkingDatabase(TADOConnection& connection, const QString& path = QString(),
                                     TFileLock* hold = nullptr);

} // namespace fw
