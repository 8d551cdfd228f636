#include "platform/shell/FileWriter.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fw {

namespace {

struct TWriteFault {
  std::atomic<qint64> BytesLeft{-1}; // -1: no fault
  std::atomic<int> Error{0};
};

TWriteFault& Fault() {
  static TWriteFault fault;
  return fault;
}

// How much of size may still be written before the injected fault; size when none.
qint64 AllowedBytes(qint64 size) {
  const qint64 left = Fault().BytesLeft.load();
  return left < 0 ? size : std::min(size, left);
}

} // namespace

TFileWriter::~TFileWriter() { Close(); }

int TFileWriter::Open(const QString& path) {
  Close();
  fd_ = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return fd_ < 0 ? errno : 0;
}

int TFileWriter::OpenAt(int folderFd, const QString& name) {
  Close();
  fd_ = ::openat(folderFd, QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                 0644);
  return fd_ < 0 ? errno : 0;
}

int TFileWriter::Adopt(int fd) {
  Close();
  if (fd < 0) return EBADF;
  if (::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) != 0) {
    const int error = errno;
    ::close(fd);
    return error;
  }
  fd_ = fd;
  return 0;
}

int TFileWriter::Write(const char* data, qint64 size) {
  if (fd_ < 0) return EBADF;
  while (size > 0) {
    const qint64 allowed = AllowedBytes(size);
    if (allowed == 0) return Fault().Error.load();
    const ssize_t written = ::write(fd_, data, static_cast<size_t>(allowed));
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (Fault().BytesLeft.load() >= 0) Fault().BytesLeft -= written;
    data += written;
    size -= written;
  }
  return 0;
}

qint64 ReadAt(int fd, char* data, qint64 size, qint64 offset) {
  qint64 done = 0;
  while (done < size) {
    const ssize_t got = ::pread(fd, data + done, static_cast<size_t>(size - done), static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

int TFileWriter::Close() {
  if (fd_ < 0) return 0;
  const int result = ::close(fd_) == 0 ? 0 : errno;
  fd_ = -1;
  return result;
}

void InjectWriteFault(qint64 bytes, int error) {
  Fault().Error = error;
  Fault().BytesLeft = std::max<qint64>(bytes, 0);
}

void ClearWriteFault() { Fault().BytesLeft = -1; }

} // namespace fw
