#pragma once
// The checks that a database file the person chose (an exchange file, a backup, a group
// file) must pass before any of its records are read into the working database. Such a
// file may be damaged, of another program, or built to do harm, and it may lie in a
// folder others can write to, so:
// - it is judged by its size and first bytes and then copied, through one handle opened
//   on it, into a private work folder (CopyChosenFile, ChosenFileCopy.h); everything after that reads the
//   copy, so the bytes that were checked are the bytes that are imported, whatever
//   happens to the chosen file meanwhile;
// - a file shorter than one page of our databases, one far larger than any file of ours
//   and one whose first bytes no database of ours can have are refused before anything
//   is copied (the engine would take an empty file for an empty database);
// - it is opened read-only, and every statement on it has a few seconds at most: one
//   that runs longer is stopped, and the file counts as damaged; the statements that copy
//   its records into the working database get the same time (TChosenFileTimeLimit);
// - no value, row or statement on a connection that reads it may pass
//   kChosenFileSizeLimit, so a value that claims more than the file holds (an overflow
//   chain that loops back on itself) can never fill the working database;
// - a file that declares a virtual table or a computed column is refused before anything
//   reads its tables, and so is one that fails the engine's quick check (IsSoundFile);
// - its tables are judged from the schema alone, so a view or a trigger it defines never
//   runs: a table must be a real table with every column of the working database's table,
//   each of the same kind, and its number columns must hold numbers.

#include <QString>
#include <chrono>

namespace fw {

class TADOConnection;

// The message for a chosen file that is not of the kind asked for.
inline const QString kFileFormatErrorMessage = QStringLiteral("文件格式错误,请重新选择！");

// The running time allowed to one statement on a chosen file.
inline constexpr std::chrono::milliseconds kChosenFileTimeLimit{5000};

// The bytes that one value or row, and one statement's text (the file's own definitions
// included), may take on a connection that reads a chosen file. A record of ours takes a
// few kilobytes, its widest value (a name) a few hundred bytes, and the longest definition
// a few kilobytes; a whole office's return passes with room to spare.
inline constexpr int kChosenFileSizeLimit = 1 << 20;

// The running time allowed to one statement that copies a checked file's records into the
// working database. The copy only reads real tables that passed the checks, so this is a
// last guard against a hang; it leaves a whole office's return on a slow machine room.
inline constexpr std::chrono::milliseconds kChosenFileCopyTimeLimit{60000};

// Opens connection read-only on the chosen file (keyed with password when not empty),
// every statement limited to kChosenFileTimeLimit and kChosenFileSizeLimit. Throws
// EDatabaseError as Open does.
void OpenChosenFile(TADOConnection& connection, const QString& path, const QString& password);

// Whether the chosen file open on connection may be read at all: it declares no virtual
// table (whose module even the engine's check would run) and no computed column (whose
// expression the check would compute for every row), and the engine's quick check
// finds every page, record and overflow chain sound (a chain that loops back on itself is
// found here). Throws EDatabaseError for anything but a fault of the file (Interrupted()
// when the check ran out of time).
bool IsSoundFile(TADOConnection& connection);

// Opens connection (read-write, for the rest of its life with kChosenFileSizeLimit) on
// path, the working copy of an existing file the person chose to write into (a list
// export's or a group export's target), and refuses it before anything of it is read or
// changed: one that declares a virtual table (kVirtualTableRefusal) or a computed column
// (kComputedColumnRefusal), or is not sound
// (Damaged()) throws EDatabaseError. Those checks get a chosen file's time; the writing
// that follows is not timed.
void OpenChosenTarget(TADOConnection& connection, const QString& path);

// Whether table of the chosen file (open on file) has the shape of the working database's
// table of that name (open on working): a table, not a view or a virtual table; every
// column of the working table present (names in any case) with a declared type of the same
// kind (integer, real, numeric, text, blob); and in every row, each column of a number
// kind holding a number or nothing. The file may have more columns. Every value of those
// columns is read, so one past kChosenFileSizeLimit throws here. Throws EDatabaseError
// from the engine (Interrupted() when the time ran out, TooBig() for such a value).
bool HasWorkingShape(TADOConnection& file, TADOConnection& working, const QString& table);

// The statements on a connection get the chosen file's time (`limit`) and size limit for
// as long as the object lives: reading a chosen file's tables can then neither hold the
// program nor fill the working database.
class TChosenFileTimeLimit {
public:
  explicit TChosenFileTimeLimit(TADOConnection& connection,
                                std::chrono::milliseconds limit = kChosenFileTimeLimit);
  ~TChosenFileTimeLimit();
  TChosenFileTimeLimit(const TChosenFileTimeLimit&) = delete;
  TChosenFileTimeLimit& operator=(const TChosenFileTimeLimit&) = delete;

private:
  TADOConnection& connection_;
  std::chrono::milliseconds previousTime_;
  int previousSize_;
};

} // namespace fw
