#include "platform/shell/TempFiles.h"

#include "platform/shell/FileWriter.h"
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
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fw {

namespace {

// ".fenwright-<pid>-..." (working files) or "fenwright-<pid>-..." (work folders).
const QRegularExpression& TemporaryName() {
  static const QRegularExpression pattern(QStringLiteral(R"(^\.?fenwright-\d{1,10}-.+)"));
  return pattern;
}

const std::string kJournalSuffix = "-journal";

qint64 OwnPid() { return static_cast<qint64>(::getpid()); }

int SyncDescriptor(int fd) {
  const int error = ::fsync(fd) == 0 ? 0 : errno;
  // Some file systems refuse to sync a folder; the rename is as durable as they allow.
  return error == EINVAL || error == EROFS ? 0 : error;
}

int SyncDescriptorOf(const QByteArray& path, int flags) {
  const int fd = ::open(path.constData(), flags | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = SyncDescriptor(fd);
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

// Whether the open file or folder fd still stands at path (and at all).
bool StillNamed(int fd, const QString& path) {
  struct stat opened {}, named {};
  return ::fstat(fd, &opened) == 0 && opened.st_nlink > 0 &&
         ::lstat(QFile::encodeName(path).constData(), &named) == 0 && SameEntry(opened, named);
}

// Takes the in-use lock on an open file or folder without waiting: false when another
// open of it (in any process) holds it.
bool TryLock(int fd) {
  int result;
  do result = ::flock(fd, LOCK_EX | LOCK_NB);
  while (result != 0 && errno == EINTR);
  return result == 0;
}

// Takes the lock on fd, just opened at path; false when a sweep holds it, or held it and
// removed the entry before letting go. On a file system without locks the entry is kept
// unlocked: no sweep can take it there either.
bool LockStillNamed(int fd, const QString& path) {
  if (!TryLock(fd) && errno == EWOULDBLOCK) return false;
  return StillNamed(fd, path);
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

// The entry `name` of the open folder, opened without following a link, checked to be
// the one listed and locked: the descriptor that holds the lock, or -1 when it cannot be
// had (gone, swapped, or in use).
int OpenUnlocked(int folderFd, const std::string& name, const struct stat& listed) {
  const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (S_ISDIR(listed.st_mode) ? O_DIRECTORY : 0);
  const int fd = ::openat(folderFd, name.c_str(), flags);
  if (fd < 0) return -1;
  struct stat opened {};
  if (::fstat(fd, &opened) == 0 && SameEntry(opened, listed) && TryLock(fd)) return fd;
  ::close(fd);
  return -1;
}

// Whether the working file `name` of the open folder is there and may be in use: a
// journal goes only with a working file that is gone or whose lock can be taken.
bool InUse(int folderFd, const std::string& name) {
  struct stat status {};
  if (::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) return errno != ENOENT;
  if (!S_ISREG(status.st_mode) || !OwnedByUser(status)) return true;
  const int fd = OpenUnlocked(folderFd, name, status);
  if (fd < 0) return true;
  ::close(fd);
  return false;
}

// How many fresh names a new temporary tries before it gives up.
constexpr int kNameAttempts = 100;

// A fresh name for a working file or a work folder in dir.
QString FreshTemporaryName(const QDir& dir) {
  return dir.absoluteFilePath(
      TempFilePrefix() + QStringLiteral("%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
}

// The name of the working file inside a work folder beside its destination.
const char kWorkFileName[] = "work";

// Whether the open folder is the private temporary folder, the only one where work
// folders without the dot are made and so the only one where such a folder may be taken
// for one.
bool IsPrivateTempFolder(int folderFd) {
  const QString own = PrivateTempFolder();
  return !own.isEmpty() && StillNamed(folderFd, own);
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

TTemporary::TTemporary(TTemporary&& other) noexcept : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {
  other.path_.clear();
}

TTemporary& TTemporary::operator=(TTemporary&& other) noexcept {
  if (this != &other) {
    Release();
    path_ = std::move(other.path_);
    other.path_.clear();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void TTemporary::Release() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

TTemporary HoldWorkFolder(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return TTemporary();
  if (!LockStillNamed(fd, path)) {
    ::close(fd);
    return TTemporary();
  }
  return TTemporary(path, fd);
}

int RemoveStaleTemporaries(const QString& folder, const TSweepProbe& beforeRemoving) {
  const TDescriptor dir(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() < 0) return 0;
  const bool foldersToo = IsPrivateTempFolder(dir.Get());
  int removed = 0;
  for (const std::string& name : ListNames(dir.Get())) {
    const QString text = QFile::decodeName(name.c_str());
    if (!TemporaryName().match(text).hasMatch()) continue;
    struct stat status {};
    if (::fstatat(dir.Get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 || !OwnedByUser(status)) continue;
    // A working file and a work folder beside a destination start with the dot, a work
    // folder in the private temporary folder does not; links and anything else are never
    // ours.
    const bool file = S_ISREG(status.st_mode);
    const bool folder = S_ISDIR(status.st_mode);
    if (!file && !folder) continue;
    if (!text.startsWith(QLatin1Char('.')) && !(folder && foldersToo)) continue;
    if (file && name.ends_with(kJournalSuffix)) {
      if (InUse(dir.Get(), name.substr(0, name.size() - kJournalSuffix.size()))) continue;
      if (beforeRemoving) beforeRemoving(text);
      if (RemoveEntryAt(dir.Get(), name, status, 0)) ++removed;
      continue;
    }
    // Judged and removed under the lock: the owner cannot take it meanwhile.
    const TDescriptor held(OpenUnlocked(dir.Get(), name, status));
    if (held.Get() < 0) continue;
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

TTemporary CreateTempFile(const QString& folder, int* error) {
  RemoveStaleTemporaries(folder);
  const QDir dir(folder);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const QString path = FreshTemporaryName(dir);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) {
      if (error) *error = errno;
      return TTemporary();
    }
    if (fd < 0) continue;
    // A sweep elsewhere may take the fresh file between its making and the lock: then
    // another name is tried.
    if (LockStillNamed(fd, path)) {
      if (error) *error = 0;
      return TTemporary(path, fd);
    }
    ::close(fd);
  }
  if (error) *error = EEXIST;
  return TTemporary();
}

TTemporary CreateWorkFolderBeside(const QString& folder, int* error) {
  RemoveStaleTemporaries(folder);
  const QDir dir(folder);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const QString path = FreshTemporaryName(dir);
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0) {
      if (errno == EEXIST) continue;
      if (error) *error = errno;
      return TTemporary();
    }
    // Made by this process a moment ago: what is opened must be that folder, ours and
    // closed to others, whatever someone put at the name since.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat status {};
    if (fd >= 0 && ::fstat(fd, &status) == 0 && OwnedByUser(status) && ::fchmod(fd, 0700) == 0 && LockStillNamed(fd, path)) {
      if (error) *error = 0;
      return TTemporary(path, fd);
    }
    if (fd >= 0) ::close(fd);
  }
  if (error) *error = EEXIST;
  return TTemporary();
}

void RemoveWorkFolder(TTemporary& folder) {
  if (!folder.IsValid()) return;
  struct stat held {};
  if (::fstat(folder.Descriptor(), &held) == 0) {
    // Emptied through its own handle, then removed from its parent only while the entry
    // there is still this folder.
    EmptyFolderAt(folder.Descriptor(), 1);
    const QFileInfo named(folder.Path());
    const TDescriptor parent(::open(QFile::encodeName(named.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parent.Get() >= 0) RemoveEntryAt(parent.Get(), QFile::encodeName(named.fileName()).toStdString(), held, 0);
  }
  folder = TTemporary();
}

TWorkFileBeside::~TWorkFileBeside() {
  if (fd_ >= 0) ::close(fd_);
  RemoveWorkFolder(folder_);
}

int TWorkFileBeside::Create(const QString& destination) {
  int error = 0;
  folder_ = CreateWorkFolderBeside(QFileInfo(destination).absolutePath(), &error);
  if (!folder_.IsValid()) return error;
  fd_ = ::openat(folder_.Descriptor(), kWorkFileName, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  return fd_ < 0 ? errno : 0;
}

QString TWorkFileBeside::Path() const { return folder_.Path() + QLatin1Char('/') + QLatin1String(kWorkFileName); }

int TWorkFileBeside::Descriptor() {
  struct stat held {}, named {};
  if (fd_ >= 0 && ::fstat(fd_, &held) == 0 &&
      ::fstatat(folder_.Descriptor(), kWorkFileName, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameEntry(held, named))
    return fd_;
  const int fd = ::openat(folder_.Descriptor(), kWorkFileName, O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
  return fd_;
}

int TWorkFileBeside::OpenWriter(TFileWriter& writer) {
  const int fd = Descriptor();
  if (fd < 0) return errno;
  const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  return copy < 0 ? errno : writer.Adopt(copy);
}

int TWorkFileBeside::OpenWriter(TFileWriter& writer, const QString& name) const {
  return writer.OpenAt(folder_.Descriptor(), name);
}

int TWorkFileBeside::OpenReader(const QString& name) const {
  return ::openat(folder_.Descriptor(), QFile::encodeName(name).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
}

int TWorkFileBeside::MoveIntoPlace(const QString& destination) {
  const int fd = Descriptor();
  if (fd < 0) return errno;
  if (const int error = SyncDescriptor(fd)) return error;
  if (!StillNamed(folder_.Descriptor(), folder_.Path())) return ESTALE;
  if (::renameat(folder_.Descriptor(), kWorkFileName, AT_FDCWD, QFile::encodeName(destination).constData()) != 0)
    return errno;
  return SyncFolder(QFileInfo(destination).absolutePath());
}

int SyncFile(const QString& path) { return SyncDescriptorOf(QFile::encodeName(path), O_RDONLY); }

int SyncFolder(const QString& folder) { return SyncDescriptorOf(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY); }

int RenameIntoPlace(TTemporary& temporary, const QString& destination) {
  if (const int error = SyncFile(temporary.Path())) return error;
  if (std::rename(QFile::encodeName(temporary.Path()).constData(), QFile::encodeName(destination).constData()) != 0)
    return errno;
  temporary.Release();
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
  case ESTALE:
    return QStringLiteral("工作文件夹已被其他程序改动");
  default:
    return QString::fromLocal8Bit(std::strerror(error));
  }
}

} // namespace fw
