#include "platform/shell/FileLock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fw {

namespace {

int OpenLockFile(const QByteArray& name) {
  const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  // A lock file another user made may be read-only here; flock needs no write access.
  return fd >= 0 ? fd : ::open(name.constData(), O_RDONLY | O_CLOEXEC);
}

} // namespace

TFileLock::~TFileLock() { Unlock(); }

TFileLock::TOutcome TFileLock::Lock(const QString& path) {
  Unlock();
  const int fd = OpenLockFile(QFile::encodeName(path));
  if (fd < 0) return TOutcome::NotPossible;
  int result;
  do result = ::flock(fd, LOCK_EX | LOCK_NB);
  while (result != 0 && errno == EINTR);
  if (result != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? TOutcome::HeldElsewhere : TOutcome::NotPossible;
  }
  fd_ = fd;
  return TOutcome::Locked;
}

void TFileLock::Unlock() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

} // namespace fw
