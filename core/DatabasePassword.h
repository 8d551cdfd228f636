#pragma once
// The database password that protects the offline exchange file, its template and every
// backup. It is built at run time from a constant stored in the program and lives only in
// the local variables of the operation that needs it.

#include <QString>
#include <span>
#include <utility>

namespace fw {

// Applies a series of single-character replacements (each replaces every occurrence of
// the first character by the second) over the whole text, then a series of exchanges of
// two character positions (0-based; a position past the end is skipped). The database
// password and the upload key are both built this way, each with its own series.
QString ScrambleConstant(const QString& constant, std::span<const std::pair<char, char>> replacements,
                         std::span<const std::pair<int, int>> exchanges);

// The ten-character constant of letters and digits from which the password is built.
QString DatabasePasswordConstant();

// Applies a fixed series of single-character replacements over the whole text, then a
// fixed series of exchanges of two character positions. The result has the length of the
// constant and is the same on every call; an empty constant gives an empty text.
// Two installations exchange files only when both build the same password, so the steps
// must never change.
QString BuildDatabasePassword(const QString& constant);

// The password of this installation: BuildDatabasePassword(DatabasePasswordConstant()).
QString DatabasePassword();

} // namespace fw
