// Temporary files: recognisable names, the removal of what dead processes left behind,
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
#include <gtest/gtest.h>
#include <sys/stat.h>
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

// What a killed writer leaves: its working file with a journal, and a work folder. Only
// those of processes that are gone are removed; anything else in the folder stays.
TEST(TempFiles, StaleTemporariesOfEndedProcessesGoOthersStay) {
  QTemporaryDir dir;
  const qint64 ended = fwtest::EndedProcessId();
  const qint64 own = ::getpid();
  const qint64 parent = ::getppid(); // alive, and not this process
  const QString endedFile = QStringLiteral(".fenwright-%1-0badf00d.tmp").arg(ended);
  const QStringList kept = {QStringLiteral(".fenwright-%1-00000001.tmp").arg(own),
                            QStringLiteral(".fenwright-%1-00000002.tmp").arg(parent),
                            QStringLiteral("fenwright-%1-AbCdEf").arg(parent),
                            QStringLiteral(".fenwright-abcdef.tmp"), // no process id: not ours to judge
                            QStringLiteral("fenwright-%1-x.txt").arg(ended), // a file without the dot
                            QStringLiteral("报表.xlsx")};
  Touch(dir.filePath(endedFile), QByteArray(5000, 'd'));
  Touch(dir.filePath(endedFile + "-journal"));
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("fenwright-%1-XyZ123/sub").arg(ended)));
  Touch(dir.filePath(QStringLiteral("fenwright-%1-XyZ123/sub/temp.dat").arg(ended)));
  for (const QString& name : kept) {
    if (name.startsWith(QLatin1String("fenwright-")) && !name.endsWith(QLatin1String(".txt")))
      ASSERT_TRUE(QDir(dir.path()).mkdir(name));
    else
      Touch(dir.filePath(name));
  }

  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 3);
  QStringList expected = kept;
  expected.sort();
  QStringList left = Entries(dir.path());
  left.sort();
  EXPECT_EQ(left, expected);
}

// The sweep never follows a symbolic link and touches only this user's entries: links
// planted under stale names, a stale folder and file swapped for links after they were
// judged, and another user's stale entries all stay, and so does everything the links
// point to; in a stale folder of ours a link goes as a link.
TEST(TempFiles, SweepNeverFollowsALinkNorTouchesAnotherUsersEntries) {
  QTemporaryDir dir, victim, aside;
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

TEST(TempFiles, ProcessAliveKnowsTheLivingFromTheEnded) {
  EXPECT_TRUE(ProcessAlive(::getpid()));
  EXPECT_TRUE(ProcessAlive(1)); // another user's process counts as alive
  EXPECT_FALSE(ProcessAlive(fwtest::EndedProcessId()));
  EXPECT_FALSE(ProcessAlive(0));
  EXPECT_FALSE(ProcessAlive(-5));
}

// A write into a folder first clears what ended processes left there; the new working
// file carries this process's id and is a fresh, empty file.
TEST(TempFiles, NewWorkingFileClearsTheFolderFirst) {
  QTemporaryDir dir;
  const QString stale = dir.filePath(QStringLiteral(".fenwright-%1-12345678.tmp").arg(fwtest::EndedProcessId()));
  Touch(stale);
  int error = -1;
  const QString created = CreateTempFile(dir.path(), &error);
  ASSERT_FALSE(created.isEmpty());
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(QFileInfo(created).fileName().startsWith(TempFilePrefix()));
  EXPECT_EQ(QFileInfo(created).size(), 0);
  EXPECT_FALSE(QFile::exists(stale));
  EXPECT_NE(CreateTempFile(dir.path(), nullptr), created);

  EXPECT_TRUE(CreateTempFile(dir.filePath("missing"), &error).isEmpty());
  EXPECT_EQ(error, ENOENT);
}

TEST(TempFiles, RenameIntoPlaceReplacesTheDestination) {
  QTemporaryDir dir;
  const QString destination = dir.filePath("目标.dat");
  Touch(destination, "old");
  const QString temp = CreateTempFile(dir.path(), nullptr);
  Touch(temp, "new");
  EXPECT_EQ(RenameIntoPlace(temp, destination), 0);
  QFile file(destination);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "new");
  EXPECT_EQ(Entries(dir.path()), QStringList{"目标.dat"});
  EXPECT_EQ(RenameIntoPlace(dir.filePath("gone.tmp"), destination), ENOENT);
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
