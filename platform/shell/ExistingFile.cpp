#include "platform/shell/ExistingFile.h"

#include "platform/shell/FileLock.h"
#include "platform/shell/FileWriter.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

TExistingFile::TExistingFile(const QString& path) : path_(path) {
  handle_ = ::open(QFile::encodeName(path).constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
  struct stat status {};
  if (handle_ < 0 || ::fstat(handle_, &status) != 0) return;
  device_ = status.st_dev;
  inode_ = status.st_ino;
  kind_ = S_ISLNK(status.st_mode) ? TKind::Link : S_ISREG(status.st_mode) ? TKind::PlainFile : TKind::NotPlainFile;
}

TExistingFile::~TExistingFile() {
  if (reader_ >= 0) ::close(reader_);
  if (handle_ >= 0) ::close(handle_);
}

bool TExistingFile::IsFile(const QString& other) const {
  struct stat status {};
  return kind_ != TKind::Missing && ::stat(QFile::encodeName(other).constData(), &status) == 0 &&
         status.st_dev == device_ && status.st_ino == inode_;
}

int TExistingFile::Reader() const {
  if (reader_ >= 0) return reader_;
  if (kind_ != TKind::PlainFile) {
    errno = EINVAL;
    return -1;
  }
  // The handle's own entry in /proc leads to the file it opened, never back to the name.
  const QByteArray own = "/proc/self/fd/" + QByteArray::number(handle_);
  const int fd = ::open(own.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  struct stat status {};
  if (fd >= 0 && (::fstat(fd, &status) != 0 || status.st_dev != device_ || status.st_ino != inode_)) {
    ::close(fd);
    errno = ESTALE;
    return -1;
  }
  reader_ = fd;
  return reader_;
}

bool TExistingFile::LockHeld() const {
  const int fd = Reader();
  return fd >= 0 && FileLockHeld(fd);
}

QByteArray TExistingFile::Head(qint64 size) const {
  const int fd = Reader();
  if (fd < 0) return QByteArray();
  QByteArray head(size, Qt::Uninitialized);
  head.truncate(std::max<qint64>(ReadAt(fd, head.data(), size, 0), 0));
  return head;
}

} // namespace fw
