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

#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

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

  EXPECT_EQ(OpenWorkingDatabase(connection_), TDatabaseOpening::Opened);
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

// One running copy of the program per working database. While another copy holds it (this
// test, started again as a separate process) the opening is refused and leaves nothing
// open; once that copy is killed the database opens. The hold stays when compaction puts
// a new file in the database's place.
TEST_F(DatabaseOpening, ARunningCopyHoldsTheWorkingDatabaseUntilItEnds) {
  if (fwtest::ChildRole() == QStringLiteral("running copy")) {
    TFileLock hold;
    ASSERT_EQ(OpenWorkingDatabase(connection_, qEnvironmentVariable("FW_DATABASE"), &hold), TDatabaseOpening::Opened);
    std::puts("held");
    std::fflush(stdout);
    QThread::sleep(60);  // until it is killed
    return;
  }
  QProcessEnvironment database;
  database.insert(QStringLiteral("FW_DATABASE"), DefaultFile());
  const std::unique_ptr<QProcess> runningCopy = fwtest::StartTestInChild(QStringLiteral("running copy"), database);
  ASSERT_TRUE(WaitForOutput(*runningCopy, "held")) << runningCopy->readAll().toStdString();

  TFileLock mine;
  EXPECT_EQ(OpenWorkingDatabase(connection_, QString(), &mine), TDatabaseOpening::InUse);
  EXPECT_FALSE(connection_.Connected());
  EXPECT_FALSE(mine.Locked());

  ::kill(pid_t(runningCopy->processId()), SIGKILL);
  ASSERT_TRUE(runningCopy->waitForFinished(30000));
  ASSERT_EQ(OpenWorkingDatabase(connection_, QString(), &mine), TDatabaseOpening::Opened);

  connection_.Close();
  ASSERT_TRUE(CompactDatabase(DefaultFile()));
  TADOConnection second;
  TFileLock secondHold;
  EXPECT_EQ(OpenWorkingDatabase(second, QString(), &secondHold), TDatabaseOpening::InUse);
  mine.Unlock();
  EXPECT_EQ(OpenWorkingDatabase(second, QString(), &secondHold), TDatabaseOpening::Opened);
}

} // namespace
