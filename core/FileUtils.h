#pragma once
// Whole-file copying used by backups and exchange files, and the endings of chosen file names.

#include <QString>

namespace fw {

// Copies the whole source file to the destination, which is created or overwritten.
// The copy is written under a temporary name beside the destination, synced and renamed
// at the end, so a failed copy never leaves a half-written destination. Throws
// std::runtime_error naming the source, or EFileWriteError naming the destination.
void CopyFileStream(const QString& source, const QString& destination);

// A file name chosen in a save or open dialog with its ending: a name longer than four
// characters that does not end in `ending` (compared with case) gets it appended; a
// shorter name is taken as typed.
QString WithEndingWhenLong(const QString& chosen, const QString& ending);

} // namespace fw
