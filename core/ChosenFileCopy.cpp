#include "core/ChosenFileCopy.h"

#include "platform/shell/FileWriter.h"
#include "platform/shell/Folders.h"
#include "platform/shell/TempFiles.h"

#include <QFile>
#include <bitset>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

const QByteArray kEngineSignature("SQLite format 3\0", 16);
constexpr qint64 kCopyChunk = 1 << 20;

[[noreturn]] void FailOn(const QString& what, const QString& file, const QString& cause) {
  throw std::runtime_error((what + file + "：" + cause).toStdString());
}

QString SystemCause(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// A descriptor opened for reading, closed when the object goes.
class TReadHandle {
public:
  explicit TReadHandle(const QString& file) : file_(file) {
    // Not blocking: a pipe put in the file's place must not hold the program.
    fd_ = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) FailOn(QStringLiteral("无法打开文件 "), file, SystemCause(errno));
  }
  ~TReadHandle() { ::close(fd_); }
  TReadHandle(const TReadHandle&) = delete;
  TReadHandle& operator=(const TReadHandle&) = delete;

  // The size of a regular file, -1 for anything else.
  qint64 RegularFileSize() const {
    struct stat status {};
    if (::fstat(fd_, &status) != 0) FailOn(QStringLiteral("读取文件失败 "), file_, SystemCause(errno));
    return S_ISREG(status.st_mode) ? static_cast<qint64>(status.st_size) : -1;
  }

  // The next size bytes (fewer only at the end of the file).
  QByteArray Read(qint64 size) {
    QByteArray data(size, Qt::Uninitialized);
    const qint64 got = ReadAt(fd_, data.data(), size, offset_);
    if (got < 0) FailOn(QStringLiteral("读取文件失败 "), file_, SystemCause(errno));
    offset_ += got;
    data.truncate(got);
    return data;
  }

private:
  QString file_;
  int fd_ = -1;
  qint64 offset_ = 0;
};

// Writes head and then the rest of what in reads into path; false (the caller drops the
// copy) when the whole would pass kLargestChosenFile.
bool CopyRest(TReadHandle& in, const QByteArray& head, const QString& path, const QString& file) {
  TFileWriter out;
  auto check = [&file](int error) {
    if (error) FailOn(QStringLiteral("无法复制文件 "), file, FileErrorCause(error));
  };
  check(out.Open(path));
  check(out.Write(head));
  qint64 total = head.size();
  for (;;) {
    const QByteArray chunk = in.Read(std::min(kCopyChunk, kLargestChosenFile + 1 - total));
    if (chunk.isEmpty()) break;
    total += chunk.size();
    if (total > kLargestChosenFile) return false;
    check(out.Write(chunk));
  }
  check(out.Close());
  return true;
}

} // namespace

void ScrambleBytes(char* data, qsizetype size) {
  for (qsizetype i = 0; i < size; ++i)
    data[i] = static_cast<char>(ScrambleByte(static_cast<unsigned char>(data[i])));
}

void RestoreBytes(char* data, qsizetype size) {
  for (qsizetype i = 0; i < size; ++i)
    data[i] = static_cast<char>(RestoreByte(static_cast<unsigned char>(data[i])));
}

TChosenHeader JudgeChosenHeader(const QByteArray& head) {
  if (head.size() < kSmallestDatabaseFile) return TChosenHeader::Foreign;
  if (head.startsWith(kEngineSignature)) return TChosenHeader::Plain;
  QByteArray restored = head.left(kEngineSignature.size());
  RestoreBytes(restored.data(), restored.size());
  if (restored == kEngineSignature) return TChosenHeader::Scrambled;
  std::bitset<256> seen;
  for (qsizetype i = 0; i < kSmallestDatabaseFile; ++i) seen.set(static_cast<unsigned char>(head[i]));
  return seen.count() >= 128 ? TChosenHeader::Random : TChosenHeader::Foreign;
}

TChosenFileCopy::TChosenFileCopy() = default;
TChosenFileCopy::TChosenFileCopy(TChosenFileCopy&&) noexcept = default;
TChosenFileCopy& TChosenFileCopy::operator=(TChosenFileCopy&&) noexcept = default;
TChosenFileCopy::~TChosenFileCopy() = default;

TChosenFileCopy CopyChosenFile(const QString& file) {
  TReadHandle in(file);
  const qint64 size = in.RegularFileSize();
  if (size < kSmallestDatabaseFile || size > kLargestChosenFile) return {};
  const QByteArray head = in.Read(kSmallestDatabaseFile);
  const TChosenHeader header = JudgeChosenHeader(head);
  if (header == TChosenHeader::Foreign) return {};
  auto folder = std::make_unique<TWorkFolder>();
  if (!folder->IsValid()) FailOn(QStringLiteral("无法复制文件 "), file, QStringLiteral("不能建立临时文件夹"));
  const QString path = folder->FilePath(QStringLiteral("temp.dat"));
  if (!CopyRest(in, head, path, file)) return {}; // the folder and the part copied go here
  TChosenFileCopy copy;
  copy.Header = header;
  copy.Path = path;
  copy.Folder = std::move(folder);
  return copy;
}

} // namespace fw
