#pragma once
// Opening the working database at start-up: plainly, or — for a file still protected by
// the database password — alone with the password, which is then removed from the file
// for good, so that the working database never keeps a password. The caller (the main
// window) only shows the message of a failure.

#include <QString>

namespace fw {

class TADOConnection;

enum class TDatabaseOpening {
  Opened,          // open on the connection; DatabasePath and DatabaseLabel are set
  DataFileMissing, // no such file (or, after a failed open, no default database either)
  BadInstallation, // the file opens neither way, or holds no survey database
};

// Opens path (the program folder's default database when empty) on connection, which
// is closed first; fixes the edition settings; sets DatabasePath and reads DatabaseLabel
// from ct_label. After a failure the connection is closed.
TDatabaseOpening OpenWorkingDatabase(TADOConnection& connection, const QString& path = QString());

} // namespace fw
