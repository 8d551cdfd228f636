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
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// A descriptor closed when the object goes.
class TDescriptor {
public:
  explicit TDescriptor(int fd) : fd_(fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd_; }

private:
  int fd_;
};

// Deeper than any folder the program makes: a tree beyond it is left as it is.
constexpr int kMaxSweepDepth = 32;

bool OwnedByUser(const struct stat& status) { return status.st_uid == ::geteuid(); }

bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && (a.st_mode & S_IFMT) == (b.st_mode & S_IFMT);
}

// The names in the open folder (without "." and "..").
std::vector<std::string> ListNames(int folderFd) {
  std::vector<std::string> names;
  const int listFd = ::dup(folderFd);
  if (listFd < 0) return names;
  DIR* dir = ::fdopendir(listFd);
  if (!dir) {
    ::close(listFd);
    return names;
  }
  ::rewinddir(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

bool RemoveEntryAt(int folderFd, const std::string& name, const struct stat& listed, int depth);

// Removes what this user owns inside the open folder, through its handle.
void EmptyFolderAt(int folderFd, int depth) {
  for (const std::string& name : ListNames(folderFd)) {
    struct stat status {};
    if (::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) RemoveEntryAt(folderFd, name, status, depth);
  }
}

// Removes the entry `name` of the open folder when it is still the one that was judged
// (listed) and this user owns it. Nothing is ever reached through a symbolic link: a link
// is removed as a link, a folder is entered only through a handle opened without
// following links and checked to be the folder listed, and everything is removed by name
// relative to its folder's handle. So an entry swapped for a link, or a folder for
// another, after it was judged is left alone, and so is what the link points to.
bool RemoveEntryAt(int folderFd, const std::string& name, const struct stat& listed, int depth) {
  struct stat now {};
  if (::fstatat(folderFd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || !SameEntry(now, listed) || !OwnedByUser(now))
    return false;
  if (!S_ISDIR(now.st_mode)) return ::unlinkat(folderFd, name.c_str(), 0) == 0;
  if (depth >= kMaxSweepDepth) return false;
  const TDescriptor folder(::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat opened {};
  if (folder.Get() < 0 || ::fstat(folder.Get(), &opened) != 0 || !SameEntry(opened, listed)) return false;
  EmptyFolderAt(folder.Get(), depth + 1);
  return ::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR) == 0;
}

// 0 when path is a real folder (not a link) of this user that only the user can enter,
// made so when it is missing or lets others in; else the errno that tells why not.
int EnsurePrivateFolder(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) return errno;
  const TDescriptor folder(::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (folder.Get() < 0) return errno;
  struct stat status {};
  if (::fstat(folder.Get(), &status) != 0) return errno;
  if (!OwnedByUser(status)) return EPERM;
  if ((status.st_mode & 077) != 0 && ::fchmod(folder.Get(), 0700) != 0) return errno;
  return 0;
}

} // namespace

QString TempFilePrefix() { return QStringLiteral(".fenwright-%1-").arg(OwnPid()); }

QString PrivateTempFolder() {
  const QString shared = QDir::tempPath() + QStringLiteral("/fenwright-%1").arg(::geteuid());
  if (EnsurePrivateFolder(shared) == 0) return shared;
  const QString own = UserCacheFolder() + QStringLiteral("/tmp");
  if (EnsurePrivateFolder(own) == 0) return own;
  return QString();
}

QString WorkFolderTemplate() {
  const QString folder = PrivateTempFolder();
  return folder.isEmpty() ? QString() : folder + QStringLiteral("/fenwright-%1-XXXXXX").arg(OwnPid());
}

bool ProcessAlive(qint64 pid) {
  if (pid <= 0 || pid > 0x7fffffff) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

int RemoveStaleTemporaries(const QString& folder, const TSweepProbe& beforeRemoving) {
  const TDescriptor dir(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() < 0) return 0;
  int removed = 0;
  for (const std::string& name : ListNames(dir.Get())) {
    const QString text = QFile::decodeName(name.c_str());
    const QRegularExpressionMatch match = TemporaryName().match(text);
    if (!match.hasMatch()) continue;
    struct stat status {};
    if (::fstatat(dir.Get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 || !OwnedByUser(status)) continue;
    // A working file always starts with the dot, a work folder never does; links and
    // anything else are never ours.
    const bool file = S_ISREG(status.st_mode);
    if (!file && !S_ISDIR(status.st_mode)) continue;
    if (text.startsWith(QLatin1Char('.')) != file) continue;
    const qint64 pid = match.captured(1).toLongLong();
    if (pid == OwnPid() || ProcessAlive(pid)) continue;
    if (beforeRemoving) beforeRemoving(text);
    if (RemoveEntryAt(dir.Get(), name, status, 0)) ++removed;
  }
  return removed;
}

void RemoveStaleTemporariesAtStart() {
  // Every folder the program writes into of its own accord; a folder the user chose is
  // cleared by the next write into it (CreateTempFile).
  // The shared temporary folder still holds what earlier versions left there.
  const QStringList folders = {ProgramFolder(),  PrivateTempFolder(), QDir::tempPath(),
                               PersonalFolder(), UserCacheFolder(),   UserConfigFolder()};
  for (const QString& folder : folders)
    if (!folder.isEmpty()) RemoveStaleTemporaries(folder);
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
