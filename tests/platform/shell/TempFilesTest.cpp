// Temporary files: recognisable names, the removal of what dead processes left behind,
// and the write that tells a full disk from other failures.
#include "platform/shell/FileWriter.h"
#include "platform/shell/TempFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
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
