#pragma once
// A private copy of a file the person chose to read (an exchange file, a backup, a group
// file), and the exchange file's header transform by which such a file is recognised.
//
// The chosen file is opened once, judged by its size and first bytes read through that
// handle, and copied through the same handle into a private work folder; everything
// after that reads the copy, so the bytes that were checked are the bytes that are
// imported, whatever happens to the chosen file meanwhile. A file shorter than one page of
// our databases, one far larger than any file of ours and one whose first bytes no
// database of ours can have are refused before anything is copied (the engine would take
// an empty file for an empty database).

#include <QByteArray>
#include <QString>
#include <memory>

namespace fw {

class TWorkFolder;

// ---- The header transform of the exchange file ----

// Number of leading bytes that the header transform covers.
inline constexpr int kScrambledHeaderSize = 1024;

// The transform of one byte and its inverse: stored = ((plain + 2) mod 256) XOR 7.
constexpr unsigned char ScrambleByte(unsigned char plain) { return static_cast<unsigned char>((plain + 2) ^ 7); }
constexpr unsigned char RestoreByte(unsigned char stored) { return static_cast<unsigned char>((stored ^ 7) - 2); }

// Applies the transform (or its inverse) to every byte of the buffer.
void ScrambleBytes(char* data, qsizetype size);
void RestoreBytes(char* data, qsizetype size);

// ---- The private copy ----

// Our keyed files use pages of 1024 bytes (plain ones 4096): nothing shorter can be one.
inline constexpr qint64 kSmallestDatabaseFile = 1024;

// The largest chosen file taken. An office's whole return (100,000 records) makes an
// exchange file or a backup of about 50 MB; a file ten times that is none of ours, and
// copying it would fill the temporary folder (which may live in memory).
inline constexpr qint64 kLargestChosenFile = qint64(512) << 20;

// What the first kSmallestDatabaseFile bytes of a chosen file allow it to be.
enum class TChosenHeader {
  Plain,     // the engine's signature: a database without key
  Scrambled, // the signature through the exchange file's header transform
  Random,    // bytes that look random: a keyed database (a random salt, then cipher
             // text), its header transformed or not
  Foreign,   // none of these (also a file too short to judge)
};

// Judges the first bytes of a file. A keyed database's first bytes are random, so any
// values can occur there; what is refused is only what random bytes never give: fewer
// than half of the 256 byte values among the first 1024 bytes (random ones show about 251).
TChosenHeader JudgeChosenHeader(const QByteArray& head);

// A private copy of a chosen file.
struct TChosenFileCopy {
  TChosenHeader Header = TChosenHeader::Foreign;
  QString Path; // "temp.dat" in Folder; empty when the file was refused
  std::unique_ptr<TWorkFolder> Folder;

  TChosenFileCopy();
  TChosenFileCopy(TChosenFileCopy&&) noexcept;
  TChosenFileCopy& operator=(TChosenFileCopy&&) noexcept;
  ~TChosenFileCopy();
};

// Opens file once (a link is followed; anything but a regular file is refused), judges it
// by the size and the first bytes read through that handle and, unless it is refused,
// copies exactly what the handle reads, never more than kLargestChosenFile bytes, into a
// new private work folder. Refused, with nothing written: a file shorter than
// kSmallestDatabaseFile, one longer than kLargestChosenFile (also when it grows past it
// while being copied), one with a Foreign header. The chosen file is never changed.
// Throws std::runtime_error naming file and the cause when it cannot be read or the copy
// cannot be written (a full temporary folder, say).
TChosenFileCopy CopyChosenFile(const QString& file);

} // namespace fw
