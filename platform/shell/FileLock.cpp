#include "platform/shell/FileLock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fw {

namespace {

// The locked byte: past the database engine's lock bytes (from 1 GiB on) and never
// written, since a lock may lie beyond the end of a file.
constexpr off_t kLockOffset = 0x7FFF0000;

struct flock LockRange(short type) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = kLockOffset;
  range.l_len = 1;
  return range;
}

// The file as it is, never made; a file this user may only read takes a shared lock,
// which still keeps every other copy from taking its own.
int OpenFile(const QByteArray& name, bool& writable) {
  constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  int fd = ::open(name.constData(), O_RDWR | kFlags);
  writable = fd >= 0;
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) fd = ::open(name.constData(), O_RDONLY | kFlags);
  return fd;
}

bool IsRegularFile(int fd, struct stat& info) { return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode); }

} // namespace

TFileLock::~TFileLock() { Unlock(); }

TFileLock::TFileLock(TFileLock&& other) noexcept { *this = std::move(other); }

TFileLock& TFileLock::operator=(TFileLock&& other) noexcept {
  if (this == &other) return *this;
  Unlock();
  fd_ = std::exchange(other.fd_, -1);
  device_ = other.device_;
  inode_ = other.inode_;
  return *this;
}

bool TFileLock::HoldsFileAt(const QString& path) const {
  struct stat now {};
  return fd_ >= 0 && ::stat(QFile::encodeName(path).constData(), &now) == 0 && now.st_dev == device_ &&
         now.st_ino == inode_;
}

TFileLock::TOutcome TFileLock::Lock(const QString& path) {
  if (HoldsFileAt(path)) return TOutcome::Locked;
  const QByteArray name = QFile::encodeName(path);
  bool writable = false;
  const int fd = OpenFile(name, writable);
  struct stat info {};
  if (fd < 0 || !IsRegularFile(fd, info)) {
    if (fd >= 0) ::close(fd);
    Unlock();
    return TOutcome::NotPossible;
  }
  struct flock range = LockRange(writable ? F_WRLCK : F_RDLCK);
  int result;
  do result = ::fcntl(fd, F_OFD_SETLK, &range);
  while (result != 0 && errno == EINTR);
  if (result != 0) {
    const bool held = errno == EAGAIN || errno == EACCES;
    ::close(fd);
    Unlock();
    return held ? TOutcome::HeldElsewhere : TOutcome::NotPossible;
  }
  // Closing the old descriptor drops this process's record locks on the old file only;
  // the lock moves when a new file replaced the old one under the same name.
  Unlock();
  fd_ = fd;
  device_ = info.st_dev;
  inode_ = info.st_ino;
  return TOutcome::Locked;
}

void TFileLock::Unlock() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

bool FileLockHeld(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat info {};
  // Only a plain file is opened: opening a device can do something of its own.
  if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  const bool held = FileLockHeld(fd);
  ::close(fd);
  return held;
}

bool FileLockHeld(int fd) {
  struct stat info {};
  struct flock range = LockRange(F_WRLCK);
  return IsRegularFile(fd, info) && ::fcntl(fd, F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
}

bool SameFile(const QString& a, const QString& b) {
  struct stat first {}, second {};
  return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
         ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

} // namespace fw
