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
// - a file that declares a virtual table is refused before anything reads its tables;
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

// The running time allowed to one statement that copies a checked file's records into the
// working database. The copy only reads real tables that passed the checks, so this is a
// last guard against a hang; it leaves a whole office's return on a slow machine room.
inline constexpr std::chrono::milliseconds kChosenFileCopyTimeLimit{60000};

// Opens connection read-only on the chosen file (keyed with password when not empty),
// every statement limited to kChosenFileTimeLimit. Throws EDatabaseError as Open does.
void OpenChosenFile(TADOConnection& connection, const QString& path, const QString& password);

// Whether table of the chosen file (open on file) has the shape of the working database's
// table of that name (open on working): a table, not a view or a virtual table; every
// column of the working table present (names in any case) with a declared type of the same
// kind (integer, real, numeric, text, blob); and in every row, each column of a number
// kind holding a number or nothing. The file may have more columns. Throws EDatabaseError
// from the engine (Interrupted() when the time ran out).
bool HasWorkingShape(TADOConnection& file, TADOConnection& working, const QString& table);

// The statements on the working connection get the chosen file's time (`limit`) for as
// long as the object lives: reading a chosen file's tables can then never hold the program.
class TChosenFileTimeLimit {
public:
  explicit TChosenFileTimeLimit(TADOConnection& connection,
                                std::chrono::milliseconds limit = kChosenFileTimeLimit);
  ~TChosenFileTimeLimit();
  TChosenFileTimeLimit(const TChosenFileTimeLimit&) = delete;
  TChosenFileTimeLimit& operator=(const TChosenFileTimeLimit&) = delete;

private:
  TADOConnection& connection_;
  std::chrono::milliseconds previous_;
};

} // namespace fw
