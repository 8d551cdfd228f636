#pragma once
// A file that already stands at a name the person chose to write to, opened once and
// without following a link, so that everything judged about it (what it is, whether a
// running copy holds it) and everything read from it is about that one file, whatever is
// put at the name meanwhile (while a question about it is open, say).
//
// The handle that opens it (O_PATH) neither reads nor locks, so closing it drops no
// record lock of the database engine, even on the working database; a handle that reads
// is opened from it only when asked for.

#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace fw {

class TExistingFile {
public:
  enum class TKind {
    Missing,      // nothing stands at the name (or it cannot be reached)
    Link,         // a symbolic link: never followed
    NotPlainFile, // a folder, a device, a pipe ...
    PlainFile,
  };

  explicit TExistingFile(const QString& path);
  ~TExistingFile();
  TExistingFile(const TExistingFile&) = delete;
  TExistingFile& operator=(const TExistingFile&) = delete;

  QString Path() const { return path_; }
  TKind Kind() const { return kind_; }

  // Whether the file is the one that other leads to (the same inode).
  bool IsFile(const QString& other) const;

  // A descriptor reading the plain file, opened from the handle once and held until the
  // object goes; -1 (errno set) when it cannot be had. Closing it drops this process's
  // record locks on the file: never ask it of the working database.
  int Reader() const;

  // Whether a TFileLock, in any process, holds the plain file (through Reader).
  bool LockHeld() const;

  // The first `size` bytes of the plain file (fewer when it is shorter or cannot be read).
  QByteArray Head(qint64 size) const;

private:
  QString path_;
  TKind kind_ = TKind::Missing;
  int handle_ = -1;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  mutable int reader_ = -1;
};

} // namespace fw
