#pragma once
// Whole-file copying used by backups and exchange files.

#include <QString>

namespace fw {

// Copies the whole source file to the destination, which is created or overwritten.
// The copy is written under a temporary name beside the destination, synced and renamed
// at the end, so a failed copy never leaves a half-written destination. Throws
// std::runtime_error naming the source, or EFileWriteError naming the destination.
void CopyFileStream(const QString& source, const QString& destination);

} // namespace fw
