#pragma once
// The checks that a database file the person chose (an exchange file, a backup) must pass
// before any of its records are read into the working database. Such a file may be
// damaged, of another program, or built to do harm, so:
// - a file shorter than one page of our databases is refused before the engine opens it
//   (the engine would take an empty file for an empty database);
// - it is opened read-only, and every statement on it has a few seconds at most: one
//   that runs longer is stopped, and the file counts as damaged;
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

// Our keyed files use pages of 1024 bytes (plain ones 4096): nothing shorter can be one.
inline constexpr qint64 kSmallestDatabaseFile = 1024;

// The running time allowed to one statement on a chosen file.
inline constexpr std::chrono::milliseconds kChosenFileTimeLimit{5000};

// Whether the file is too short to be a database of ours.
bool TooShortForDatabase(const QString& path);

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

} // namespace fw
