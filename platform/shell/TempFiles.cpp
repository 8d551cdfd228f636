#include "platform/shell/TempFiles.h"

#include "platform/shell/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace fw {

namespace {

// ".fenwright-<pid>-..." (working files) or "fenwright-<pid>-..." (work folders).
const QRegularExpression& TemporaryName() {
  static const QRegularExpression pattern(QStringLiteral(R"(^\.?fenwright-(\d{1,10})-.+)"));
  return pattern;
}

qint64 OwnPid() { return static_cast<qint64>(::getpid()); }

int SyncDescriptorOf(const QByteArray& path, int flags) {
  const int fd = ::open(path.constData(), flags | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = ::fsync(fd) == 0 ? 0 : errno;
  // Some file systems refuse to sync a folder; the rename is as durable as they allow.
  if (error == EINVAL || error == EROFS) error = 0;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

} // namespace

QString TempFilePrefix() { return QStringLiteral(".fenwright-%1-").arg(OwnPid()); }

QString WorkFolderTemplate() { return QDir::tempPath() + QStringLiteral("/fenwright-%1-XXXXXX").arg(OwnPid()); }

bool ProcessAlive(qint64 pid) {
  if (pid <= 0 || pid > 0x7fffffff) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

int RemoveStaleTemporaries(const QString& folder) {
  const QDir dir(folder);
  int removed = 0;
  const QFileInfoList entries =
      dir.entryInfoList({QStringLiteral("*fenwright-*")}, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System |
                                                              QDir::NoDotAndDotDot | QDir::NoSymLinks);
  for (const QFileInfo& entry : entries) {
    const QRegularExpressionMatch match = TemporaryName().match(entry.fileName());
    if (!match.hasMatch()) continue;
    // A working file always starts with the dot, a work folder never does.
    if (entry.fileName().startsWith(QLatin1Char('.')) != entry.isFile()) continue;
    const qint64 pid = match.captured(1).toLongLong();
    if (pid == OwnPid() || ProcessAlive(pid)) continue;
    const bool gone = entry.isDir() ? QDir(entry.absoluteFilePath()).removeRecursively()
                                    : QFile::remove(entry.absoluteFilePath());
    if (gone) ++removed;
  }
  return removed;
}

void RemoveStaleTemporariesAtStart() {
  // Every folder the program writes into of its own accord; a folder the user chose is
  // cleared by the next write into it (CreateTempFile).
  const QStringList folders = {ProgramFolder(), QDir::tempPath(), PersonalFolder(), UserCacheFolder(),
                               UserConfigFolder()};
  for (const QString& folder : folders) RemoveStaleTemporaries(folder);
}

QString CreateTempFile(const QString& folder, int* error) {
  RemoveStaleTemporaries(folder);
  const QDir dir(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString path = dir.absoluteFilePath(
        TempFilePrefix() + QStringLiteral("%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      if (error) *error = 0;
      return path;
    }
    if (errno != EEXIST) {
      if (error) *error = errno;
      return QString();
    }
  }
  if (error) *error = EEXIST;
  return QString();
}

int SyncFile(const QString& path) { return SyncDescriptorOf(QFile::encodeName(path), O_RDONLY); }

int SyncFolder(const QString& folder) { return SyncDescriptorOf(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY); }

int RenameIntoPlace(const QString& temporary, const QString& destination) {
  if (const int error = SyncFile(temporary)) return error;
  if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(destination).constData()) != 0)
    return errno;
  return SyncFolder(QFileInfo(destination).absolutePath());
}

QString FileErrorCause(int error) {
  switch (error) {
  case ENOSPC:
  case EDQUOT:
    return QStringLiteral("磁盘空间不足");
  case EFBIG:
    return QStringLiteral("文件超过了系统允许的大小");
  case EACCES:
  case EPERM:
    return QStringLiteral("没有写入权限");
  case EROFS:
    return QStringLiteral("磁盘是只读的");
  case ENOENT:
  case ENOTDIR:
    return QStringLiteral("文件夹不存在");
  case EIO:
    return QStringLiteral("磁盘读写错误");
  case EBUSY:
  case ETXTBSY:
    return QStringLiteral("文件正被其他程序使用");
  default:
    return QString::fromLocal8Bit(std::strerror(error));
  }
}

} // namespace fw
