// Opening the working database: a keyed file loses its key for good, a plain one stays
// plain, and every failure gives the outcome whose message the window shows.
#include "core/DatabaseOpening.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseMaintenance.h"
#include "core/DatabasePassword.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/FileLock.h"
#include "platform/shell/Folders.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace fw;

class DatabaseOpening : public ::testing::Test {
protected:
  void SetUp() override {
    previousFolder_ = ProgramFolder();
    SetProgramFolder(copy_.Path());
  }
  void TearDown() override { SetProgramFolder(previousFolder_); }

  QString DefaultFile() const { return ProgramFile(kDefaultDatabaseName); }

  void Run(const QString& sql, const QString& options = QStringLiteral("Mode=ReadWrite;")) {
    TADOConnection c;
    c.SetConnectionString(JetConnectionString(DefaultFile(), options));
    c.Open();
    c.Execute(sql);
  }

  bool IsPlain(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(15) == "SQLite format 3";
  }

  fwtest::ProgramFolderCopy copy_;
  TADOConnection connection_;
  QString previousFolder_;
};

TEST_F(DatabaseOpening, KeyedFileOpensAndLosesItsKeyForGood) {
  Run("update ct_label set db_name = '市总工会'");
  Run("ALTER DATABASE PASSWORD [" + DatabasePassword() + "] null", "Mode=Share Exclusive;");
  ASSERT_FALSE(IsPlain(DefaultFile()));
  EditionSettings.OfflineMode = 0;

  // The plain file that takes the keyed one's place is held from the start.
  TFileLock hold, another;
  EXPECT_EQ(OpenWorkingDatabase(connection_, QString(), &hold), TDatabaseOpening::Opened);
  EXPECT_EQ(another.Lock(DefaultFile()), TFileLock::TOutcome::HeldElsewhere);
  EXPECT_EQ(DatabasePath, DefaultFile());
  EXPECT_EQ(DatabaseLabel, "市总工会");
  EXPECT_EQ(EditionSettings.OfflineMode, 1);
  EXPECT_TRUE(connection_.Connected());
  EXPECT_FALSE(connection_.Exclusive());
  connection_.Close();
  EXPECT_TRUE(IsPlain(DefaultFile()));

  // The second opening finds it plain at once.
  EXPECT_EQ(OpenWorkingDatabase(connection_), TDatabaseOpening::Opened);
  EXPECT_TRUE(IsPlain(DefaultFile()));
}

TEST_F(DatabaseOpening, FailuresGiveTheirOutcomeAndLeaveTheConnectionClosed) {
  struct Case {
    const char* name;
    std::function<QString(const QString& defaultFile)> prepare; // the path to open
    TDatabaseOpening outcome;
  };
  auto garbage = [](const QString& path) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(QByteArray(4096, 'x'));
  };
  const std::vector<Case> cases = {
      {"default file missing", [](const QString& d) { QFile::remove(d); return QString(); },
       TDatabaseOpening::DataFileMissing},
      {"other file missing", [](const QString& d) { return d + ".none"; }, TDatabaseOpening::DataFileMissing},
      {"not a database", [&](const QString& d) { garbage(d); return QString(); }, TDatabaseOpening::BadInstallation},
      {"not a database, default missing",
       [&](const QString& d) {
         garbage(d + ".other");
         QFile::remove(d);
         return d + ".other";
       },
       TDatabaseOpening::DataFileMissing},
      {"no label table",
       [this](const QString&) {
         Run("drop table ct_label");
         return QString();
       },
       TDatabaseOpening::BadInstallation},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fwtest::ProgramFolderCopy fresh;
    SetProgramFolder(fresh.Path());
    const QString path = c.prepare(DefaultFile());
    EXPECT_EQ(OpenWorkingDatabase(connection_, path), c.outcome);
    EXPECT_FALSE(connection_.Connected());
  }
}

// Waits until the process has written text (false when it ends or 30 seconds pass first).
bool WaitForOutput(QProcess& process, const QByteArray& text) {
  QByteArray seen;
  while (!seen.contains(text)) {
    if (!process.waitForReadyRead(30000)) return false;
    seen += process.readAll();
  }
  return true;
}

// One running copy of the program per working database, held on the file itself. A copy
// started from a copied program folder (a hard link to the same database) by another clerk
// (another user where the tests run as root) under another umask holds it (this test,
// started again as a separate process): the opening by the
// database's own name is refused and leaves nothing open. Once that copy is killed the
// database opens; the hold moves onto the file compaction puts in its place. No lock file
// is made, and a link planted where the old one was is left as it is.
constexpr uid_t kOtherUser = 65534;

TEST_F(DatabaseOpening, ARunningCopyHoldsTheWorkingDatabaseUntilItEnds) {
  if (fwtest::ChildRole() == QStringLiteral("running copy")) {
    ::umask(077);
    // Run as root, the tests let the other clerk be another user.
    if (::getuid() == 0) {
      ASSERT_TRUE(::setgid(kOtherUser) == 0 && ::setuid(kOtherUser) == 0);
    }
    TFileLock hold;
    ASSERT_EQ(OpenWorkingDatabase(connection_, qEnvironmentVariable("FW_DATABASE"), &hold), TDatabaseOpening::Opened);
    std::puts("held");
    std::fflush(stdout);
    QThread::sleep(60);  // until it is killed
    return;
  }
  const QTemporaryDir copiedFolder, privateFolder;
  const QString linked = QDir(copiedFolder.path()).filePath(kDefaultDatabaseName);
  ASSERT_EQ(::link(QFile::encodeName(DefaultFile()).constData(), QFile::encodeName(linked).constData()), 0);
  // Both clerks may work on the database, whoever made the folders.
  for (const QString& folder : {copy_.Path(), copiedFolder.path()})
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(DefaultFile()).constData(), 0666), 0);
  const QString planted = QDir(privateFolder.path()).filePath(QStringLiteral("planted"));
  const QString oldLockName = ProgramFile(QStringLiteral(".2014NB_qz.mdb.lock"));
  ASSERT_TRUE(QFile::link(planted, oldLockName));
  const QStringList entries = QDir(copy_.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

  QProcessEnvironment database;
  database.insert(QStringLiteral("FW_DATABASE"), linked);
  const std::unique_ptr<QProcess> runningCopy = fwtest::StartTestInChild(QStringLiteral("running copy"), database);
  ASSERT_TRUE(WaitForOutput(*runningCopy, "held")) << runningCopy->readAll().toStdString();

  const mode_t previousMask = ::umask(022);
  TFileLock mine;
  EXPECT_EQ(OpenWorkingDatabase(connection_, QString(), &mine), TDatabaseOpening::InUse);
  EXPECT_FALSE(connection_.Connected());
  EXPECT_FALSE(mine.Locked());

  ::kill(pid_t(runningCopy->processId()), SIGKILL);
  ASSERT_TRUE(runningCopy->waitForFinished(30000));
  ASSERT_EQ(OpenWorkingDatabase(connection_, QString(), &mine), TDatabaseOpening::Opened);
  ::umask(previousMask);

  connection_.Close();
  ASSERT_TRUE(CompactDatabase(DefaultFile(), &mine));
  TADOConnection second;
  TFileLock secondHold;
  // The link still leads to the file compaction replaced, which nobody holds any more.
  EXPECT_EQ(OpenWorkingDatabase(second, linked, &secondHold), TDatabaseOpening::Opened);
  EXPECT_EQ(OpenWorkingDatabase(second, QString(), &secondHold), TDatabaseOpening::InUse);
  mine.Unlock();
  EXPECT_EQ(OpenWorkingDatabase(second, QString(), &secondHold), TDatabaseOpening::Opened);

  EXPECT_EQ(QDir(copy_.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), entries);
  EXPECT_EQ(QFileInfo(oldLockName).symLinkTarget(), planted);
  EXPECT_FALSE(QFileInfo::exists(planted));
}

} // namespace
