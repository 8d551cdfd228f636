// Temporary files: recognisable names, the removal of what no process uses any more,
// and the write that tells a full disk from other failures.
#include "platform/shell/FileWriter.h"
#include "platform/shell/Folders.h"
#include "platform/shell/TempFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace fw;

void Touch(const QString& path, const QByteArray& bytes = "x") {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Holds the in-use lock of path in a child process of its own until the object goes.
class TLockingChild {
public:
  explicit TLockingChild(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    int ready[2], release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
    child_ = ::fork();
    if (child_ == 0) {
      ::close(release[1]);  // the read below ends when the parent closes its end
      const int fd = ::open(name.constData(), O_RDONLY);
      char byte = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
      if (::write(ready[1], &byte, 1) != 1 || ::read(release[0], &byte, 1) < 0) ::_exit(1);
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char byte = 0;
    locked_ = ::read(ready[0], &byte, 1) == 1 && byte == 'y';
    ::close(ready[0]);
    release_ = release[1];
  }
  ~TLockingChild() {
    if (release_ >= 0) ::close(release_);
    if (child_ > 0) ::waitpid(child_, nullptr, 0);
  }
  bool Locked() const { return locked_; }

private:
  pid_t child_ = -1;
  int release_ = -1;
  bool locked_ = false;
};

// The sweep judges by the lock a working process holds, not by a name or a process id:
// a working file of ours that nobody holds goes with its journal, whatever process id
// its name carries, and so does a work folder beside a destination with what is in it;
// one whose lock is held, by a second open of this process or by another process, stays
// with its journal, and so does a work folder being written in; and a folder under a work
// folder's name outside the private temporary folder (someone else's renamed folder)
// stays with all that is in it.
TEST(TempFiles, TheSweepTakesOnlyOwnUnlockedWorkingFiles) {
  QTemporaryDir dir;
  const qint64 ended = fwtest::EndedProcessId();
  const auto name = [](const char* pattern, qint64 pid) { return QString::fromLatin1(pattern).arg(pid); };
  const QStringList swept = {name(".fenwright-%1-0badf00d.tmp", ended), name(".fenwright-%1-0badf00d.tmp-journal", ended),
                             name(".fenwright-%1-00000002.tmp", ::getppid())};  // a live id, no lock
  const QString heldHere = name(".fenwright-%1-00000003.tmp", ended);
  const QString heldByChild = name(".fenwright-%1-00000004.tmp", ended);
  const QString renamed = name("fenwright-%1-x", ended);
  const QStringList kept = {heldHere, heldHere + "-journal", heldByChild,
                            renamed, QStringLiteral(".fenwright-abcdef.tmp"),  // no process id: not ours
                            name("fenwright-%1-x.txt", ended),                 // a file without the dot
                            QStringLiteral("报表.xlsx")};
  for (const QString& entry : swept + kept)
    if (entry != renamed) Touch(dir.filePath(entry));
  ASSERT_TRUE(QDir(dir.path()).mkpath(renamed + "/月报"));
  Touch(dir.filePath(renamed + "/月报/一月.xlsx"));
  const QString staleBeside = name(".fenwright-%1-0000000a.tmp", ended);
  const QString writingBeside = name(".fenwright-%1-0000000b.tmp", ended);
  for (const QString& folder : {staleBeside, writingBeside}) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(folder));
    Touch(dir.filePath(folder + "/work-journal"));
  }
  const int writing = ::open(QFile::encodeName(dir.filePath(writingBeside)).constData(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::flock(writing, LOCK_EX), 0);
  const int second = ::open(QFile::encodeName(dir.filePath(heldHere)).constData(), O_RDONLY);
  ASSERT_GE(second, 0);
  ASSERT_EQ(::flock(second, LOCK_EX), 0);
  const TLockingChild child(dir.filePath(heldByChild));
  ASSERT_TRUE(child.Locked());

  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 4);
  QStringList expected = kept + QStringList{writingBeside};
  expected.sort();
  QStringList left = Entries(dir.path());
  left.sort();
  EXPECT_EQ(left, expected);
  EXPECT_TRUE(QFileInfo::exists(dir.filePath(renamed + "/月报/一月.xlsx")));
  ::close(second);
  ::close(writing);
}

// The sweep never follows a symbolic link and touches only this user's entries: links
// planted under stale names, a stale folder and file swapped for links after they were
// judged, and another user's stale entries all stay, and so does everything the links
// point to; in a stale folder of ours a link goes as a link.
TEST(TempFiles, SweepNeverFollowsALinkNorTouchesAnotherUsersEntries) {
  const fwtest::ScopedTempFolder temp;
  QTemporaryDir victim, aside;
  const QDir dir(PrivateTempFolder());  // work folders are judged there only
  const qint64 ended = fwtest::EndedProcessId();
  const auto stale = [&](const char* name) { return dir.filePath(QString::fromLatin1(name).arg(ended)); };
  const QStringList victims = {victim.filePath("a.txt"), victim.filePath("b.txt"), victim.filePath("sub/c.txt")};
  ASSERT_TRUE(QDir(victim.path()).mkdir("sub"));
  for (const QString& file : victims) Touch(file);

  const QStringList links = {stale("fenwright-%1-planted"), stale(".fenwright-%1-planted.tmp"),
                             stale("fenwright-%1-swapped"), stale(".fenwright-%1-swapped.tmp")};
  ASSERT_TRUE(QFile::link(victim.path(), links[0]));
  ASSERT_TRUE(QFile::link(victims[0], links[1]));
  ASSERT_TRUE(QDir().mkpath(stale("fenwright-%1-swapped/sub")));
  Touch(stale(".fenwright-%1-swapped.tmp"));
  const QStringList others = {stale("fenwright-%1-nobody"), stale("fenwright-%1-nobody/x.dat"),
                              stale(".fenwright-%1-nobody.tmp")};
  ASSERT_TRUE(QDir().mkpath(others[0]));
  Touch(others[1]);
  Touch(others[2]);
  for (const QString& path : others) ASSERT_EQ(::lchown(QFile::encodeName(path).constData(), 65534, 65534), 0);
  ASSERT_TRUE(QDir().mkpath(stale("fenwright-%1-ours/deep")));
  ASSERT_TRUE(QFile::link(victim.path(), stale("fenwright-%1-ours/deep/link")));

  QStringList judged;
  const int removed = RemoveStaleTemporaries(dir.path(), [&](const QString& name) {
    judged << name;
    if (!name.contains(QLatin1String("swapped"))) return;
    const QString path = dir.filePath(name);
    ASSERT_TRUE(QFile::rename(path, QDir(aside.path()).filePath(name)));
    ASSERT_TRUE(QFile::link(name.startsWith(QLatin1Char('.')) ? victims[0] : victim.path(), path));
  });

  EXPECT_EQ(removed, 1);
  EXPECT_FALSE(QFileInfo::exists(stale("fenwright-%1-ours")));
  judged.sort();
  EXPECT_EQ(judged, (QStringList{QStringLiteral(".fenwright-%1-swapped.tmp").arg(ended),
                                 QStringLiteral("fenwright-%1-ours").arg(ended),
                                 QStringLiteral("fenwright-%1-swapped").arg(ended)}));
  for (const QString& file : victims) EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
  for (const QString& link : links) EXPECT_TRUE(QFileInfo(link).isSymLink()) << link.toStdString();
  for (const QString& path : others) EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
}

// The program's own temporaries live in a folder of the user's that only the user can
// enter; a name taken by a link or by another user's folder is never used.
TEST(TempFiles, PrivateTempFolderIsOneOnlyTheUserCanEnter) {
  fwtest::ScopedTempFolder temp;
  fwtest::ScopedUserFolders users;
  const QString shared = QDir(temp.Path()).filePath(QStringLiteral("fenwright-%1").arg(::geteuid()));
  const auto mode = [](const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
  };
  EXPECT_EQ(PrivateTempFolder(), shared);
  EXPECT_EQ(mode(shared), 0700);
  const TWorkFolder work;
  ASSERT_TRUE(work.IsValid());
  EXPECT_EQ(QFileInfo(work.Path()).path(), shared);
  EXPECT_TRUE(QFileInfo(work.Path()).fileName().startsWith(QStringLiteral("fenwright-%1-").arg(::getpid())));
  // The start clears what ended runs left there.
  const QString staleWork = QDir(shared).filePath(QStringLiteral("fenwright-%1-QwErTy").arg(fwtest::EndedProcessId()));
  ASSERT_TRUE(QDir().mkpath(staleWork + "/sub"));
  Touch(staleWork + "/sub/temp.dat");
  RemoveStaleTemporariesAtStart();
  EXPECT_FALSE(QFileInfo::exists(staleWork));
  EXPECT_TRUE(QFileInfo::exists(work.Path()));

  ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0777), 0);
  EXPECT_EQ(PrivateTempFolder(), shared);
  EXPECT_EQ(mode(shared), 0700);

  QTemporaryDir elsewhere;
  ASSERT_EQ(::chmod(QFile::encodeName(elsewhere.path()).constData(), 0755), 0);
  const QString own = UserCacheFolder() + QStringLiteral("/tmp");
  ASSERT_TRUE(QDir(temp.Path()).rename(QFileInfo(shared).fileName(), QStringLiteral("moved")));
  ASSERT_TRUE(QFile::link(elsewhere.path(), shared));
  EXPECT_EQ(PrivateTempFolder(), own);
  EXPECT_EQ(mode(own), 0700);
  EXPECT_EQ(mode(elsewhere.path()), 0755);

  ASSERT_TRUE(QFile::remove(shared));
  ASSERT_TRUE(QDir().mkdir(shared));
  ASSERT_EQ(::chown(QFile::encodeName(shared).constData(), 65534, 65534), 0);
  EXPECT_EQ(PrivateTempFolder(), own);
}

// A write into a folder first clears what ended processes left there; the new working
// file carries this process's id, is a fresh, empty file and is held: a sweep leaves it.
TEST(TempFiles, NewWorkingFileClearsTheFolderFirst) {
  QTemporaryDir dir;
  const QString stale = dir.filePath(QStringLiteral(".fenwright-%1-12345678.tmp").arg(fwtest::EndedProcessId()));
  Touch(stale);
  int error = -1;
  const TTemporary created = CreateTempFile(dir.path(), &error);
  ASSERT_TRUE(created.IsValid());
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(QFileInfo(created.Path()).fileName().startsWith(TempFilePrefix()));
  EXPECT_EQ(QFileInfo(created.Path()).size(), 0);
  EXPECT_FALSE(QFile::exists(stale));
  const TTemporary other = CreateTempFile(dir.path(), nullptr);
  EXPECT_NE(other.Path(), created.Path());
  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 0);
  EXPECT_TRUE(QFile::exists(created.Path()));

  EXPECT_FALSE(CreateTempFile(dir.filePath("missing"), &error).IsValid());
  EXPECT_EQ(error, ENOENT);
}

TEST(TempFiles, RenameIntoPlaceReplacesTheDestination) {
  QTemporaryDir dir;
  const QString destination = dir.filePath("目标.dat");
  Touch(destination, "old");
  TTemporary temp = CreateTempFile(dir.path(), nullptr);
  Touch(temp.Path(), "new");
  EXPECT_EQ(RenameIntoPlace(temp, destination), 0);
  QFile file(destination);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "new");
  EXPECT_EQ(Entries(dir.path()), QStringList{"目标.dat"});
  TTemporary gone = CreateTempFile(dir.path(), nullptr);
  ASSERT_TRUE(QFile::remove(gone.Path()));
  EXPECT_EQ(RenameIntoPlace(gone, destination), ENOENT);
}

TEST(FileWriter, InjectedFullDiskStopsTheWriteWithItsCause) {
  QTemporaryDir dir;
  TFileWriter writer;
  ASSERT_EQ(writer.Open(dir.filePath("a.bin")), 0);
  InjectWriteFault(10, ENOSPC);
  EXPECT_EQ(writer.Write(QByteArray(8, 'a')), 0);
  EXPECT_EQ(writer.Write(QByteArray(8, 'b')), ENOSPC);
  ClearWriteFault();
  EXPECT_EQ(writer.Write(QByteArray(2, 'c')), 0);
  EXPECT_EQ(writer.Close(), 0);
  EXPECT_EQ(QFileInfo(dir.filePath("a.bin")).size(), 12); // 8 + the 2 that fitted + 2
  EXPECT_EQ(FileErrorCause(ENOSPC), QStringLiteral("磁盘空间不足"));
  EXPECT_EQ(FileErrorCause(EDQUOT), QStringLiteral("磁盘空间不足"));
}

} // namespace
