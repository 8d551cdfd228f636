// Backup and compaction of the working database: the protected copy, the reopened main
// connection, and failures that leave every file as it was.
#include "core/DatabaseMaintenance.h"
#include "core/DatabaseOpening.h"
#include "core/DatabasePassword.h"
#include "core/ListExport.h"
#include "core/OfflineExchange.h"
#include "core/SiblingTempFile.h"
#include "platform/shell/FileLock.h"
#include "platform/shell/FileWriter.h"
#include "tests/core/RecordingProgress.h"
#include "tests/core/SmallFileSystem.h"
#include "tests/core/WorkingDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace fw;
using fwtest::Chosen;
using fwtest::FileBytes;
using fwtest::SmallFileSystem;
using fwtest::TestRecord;
using fwtest::WorkingDatabase;

// Records what the main window would do around the closing of its connection.
class RecordingUser : public IMainConnectionUser {
public:
  explicit RecordingUser(TADOConnection& connection) : connection_(connection) {}
  void MainConnectionClosing() override { Events << (connection_.Connected() ? "closing" : "closing-while-closed"); }
  void MainConnectionReopened() override { Events << (connection_.Connected() ? "reopened" : "reopened-but-closed"); }
  QStringList Events;

private:
  TADOConnection& connection_;
};

// Whether a lock holds the file that path leads to, asked by a process of its own: a
// probe of this process would drop the database engine's locks here when it closes.
bool HeldSeenFromAnotherProcess(const QString& path) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(FileLockHeld(path) ? 0 : 1);
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class DatabaseMaintenance : public ::testing::Test {
protected:
  QString Docs(const QString& name) const { return QDir(folders.DocumentsDir()).filePath(name); }
  QStringList DocsEntries() const { return QDir(folders.DocumentsDir()).entryList(QDir::Files | QDir::Hidden); }
  QString LastMessage() const { return hooks.Messages.empty() ? QString() : hooks.Messages.back().Text; }

  static std::vector<QVariantList> RowsOf(const QString& file, const QString& password) {
    TADOConnection connection;
    QString text = "Data Source=" + file + ";";
    if (!password.isEmpty()) text += "Jet OLEDB:Database Password=" + password;
    connection.SetConnectionString(text);
    connection.Open();
    TADOQuery query(&connection);
    query.SetSQL(QStringLiteral("select * from dt_data order by c901"));
    query.Open();
    std::vector<QVariantList> rows;
    for (; !query.Eof(); query.Next()) {
      QVariantList row;
      for (int i = 0; i < query.FieldCount(); ++i) row << query.Fields(i)->AsVariant();
      rows.push_back(row);
    }
    return rows;
  }

  static std::vector<TestRecord> Records(int count) {
    std::vector<TestRecord> records;
    for (int i = 0; i < count; ++i)
      records.push_back({110101000000 + i, QStringLiteral("第%1工会").arg(i), i % 3 == 0 ? 0 : 1, i, i * 0.5});
    return records;
  }

  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
};

TEST_F(DatabaseMaintenance, BackupOpensOnlyWithThePasswordAndHoldsTheSameRows) {
  WorkingDatabase db;
  db.Add(Records(20));
  RecordingUser user(db.Connection);
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("备份2014"))));

  ASSERT_TRUE(BackupDatabase(db.Connection, user));
  ASSERT_EQ(hooks.SaveRequests.size(), 1u);
  EXPECT_EQ(hooks.SaveRequests[0].Title, QStringLiteral("备份文件存放为"));
  EXPECT_EQ(hooks.SaveRequests[0].Filter, QStringLiteral("Access文件(*.mdb)|*.mdb"));
  EXPECT_EQ(LastMessage(), QStringLiteral("备份成功"));
  EXPECT_EQ(user.Events, (QStringList{"closing", "reopened"}));
  EXPECT_TRUE(db.Connection.Connected());
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("备份2014.mdb")});

  const QString backup = Docs(QStringLiteral("备份2014.mdb"));
  EXPECT_THROW(RowsOf(backup, QString()), std::exception);
  EXPECT_EQ(RowsOf(backup, DatabasePassword()), db.Rows());
  EXPECT_EQ(db.Rows().size(), 20u);
}

TEST_F(DatabaseMaintenance, ExistingBackupIsReplacedOnlyWhenAgreed) {
  WorkingDatabase db;
  db.Add(Records(4));
  RecordingUser user(db.Connection);
  const QString existing = Docs(QStringLiteral("上次备份.mdb"));
  fwtest::WriteBytes(existing, "earlier backup");
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("上次备份"))));
  hooks.MessageAnswers.push_back(IDNO);
  EXPECT_FALSE(BackupDatabase(db.Connection, user));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, existing + QStringLiteral(" 已存在。\n要替换它吗？"));
  EXPECT_EQ(hooks.Messages[0].Flags & 0xF0F, MB_YESNO | MB_DEFBUTTON2);
  EXPECT_TRUE(user.Events.isEmpty()) << "the connection stays open";
  EXPECT_EQ(FileBytes(existing), QByteArray("earlier backup"));

  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("上次备份"))));
  ASSERT_TRUE(BackupDatabase(db.Connection, user));
  EXPECT_EQ(RowsOf(existing, DatabasePassword()), db.Rows());
}

TEST_F(DatabaseMaintenance, KeyedBackupIsReadByTheImporter) {
  WorkingDatabase db, other;
  db.Add(Records(5));
  db.Activate();
  RecordingUser user(db.Connection);
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("abcd"))));
  ASSERT_TRUE(BackupDatabase(db.Connection, user));
  ASSERT_TRUE(QFileInfo::exists(Docs(QStringLiteral("abcd.mdb"))));

  other.Activate();
  const TImportOutcome outcome =
      ImportOfflineFile(other.Connection, Docs(QStringLiteral("abcd.mdb")), [](const QString&) { return true; });
  EXPECT_EQ(outcome.Result, TImportResult::Imported);
  EXPECT_EQ(other.Rows(), db.Rows());
}

TEST_F(DatabaseMaintenance, FailedBackupLeavesNoFileAndReopensTheConnection) {
  WorkingDatabase db;
  db.Add(Records(3));
  const auto rows = db.Rows();
  struct Case {
    const char* name;
    QString chosen;
  };
  const std::vector<Case> cases = {
      {"folder missing", Docs(QStringLiteral("没有/备份.mdb"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingUser user(db.Connection);
    hooks.SaveAnswers.push_back(Chosen(c.chosen));
    EXPECT_FALSE(BackupDatabase(db.Connection, user));
    EXPECT_TRUE(LastMessage().startsWith(QStringLiteral("运行中发生错误："))) << LastMessage().toStdString();
    EXPECT_EQ(user.Events, (QStringList{"closing", "reopened"}));
    EXPECT_TRUE(DocsEntries().isEmpty());
    EXPECT_EQ(db.Rows(), rows); // the working database still opens without a password
  }
}

// The working database (by another name, a hard link) and a database another running copy
// holds (a separate process) are never written over, by a backup or a list export: each is
// refused with the message that names it before anything closes, and stays byte for byte
// as it was.
TEST_F(DatabaseMaintenance, BackupAndListExportRefuseADatabaseInUse) {
  if (fwtest::ChildRole() == QStringLiteral("other copy")) {
    TFileLock hold;
    ASSERT_EQ(hold.Lock(qEnvironmentVariable("FW_DATABASE")), TFileLock::TOutcome::Locked);
    std::puts("held");
    std::fflush(stdout);
    QThread::sleep(60);  // until it is killed
    return;
  }
  WorkingDatabase otherCopy;
  otherCopy.Connection.Close();
  WorkingDatabase db;
  db.Add(Records(3));
  const auto rows = db.Rows();
  const QString linked = Docs(QStringLiteral("工作库.mdb"));
  ASSERT_EQ(::link(QFile::encodeName(db.Path()).constData(), QFile::encodeName(linked).constData()), 0);
  QProcessEnvironment held;
  held.insert(QStringLiteral("FW_DATABASE"), otherCopy.Path());
  const std::unique_ptr<QProcess> other = fwtest::StartTestInChild(QStringLiteral("other copy"), held);
  QByteArray said;
  while (!said.contains("held") && other->waitForReadyRead(30000)) said += other->readAll();
  ASSERT_TRUE(said.contains("held")) << said.toStdString();

  TADOQuery list(&db.Connection);
  list.SetSQL(QStringLiteral("select c901, c902 from dt_data"));
  list.Open();
  fwtest::RecordingProgress progress;
  RecordingUser user(db.Connection);
  const std::vector<std::pair<const char*, std::function<bool()>>> writers = {
      {"backup", [&] { return BackupDatabase(db.Connection, user); }},
      {"list export", [&] { return SaveQueryAsAccess(list, QStringLiteral("列表"), progress); }},
  };
  for (const QString& target : {linked, otherCopy.Path()}) {
    for (const auto& [name, write] : writers) {
      SCOPED_TRACE(name + (" into " + target).toStdString());
      const QByteArray before = FileBytes(target);
      hooks.Messages.clear();
      hooks.SaveAnswers.push_back(Chosen(target));
      EXPECT_FALSE(write());
      ASSERT_EQ(hooks.Messages.size(), 1u);
      EXPECT_EQ(hooks.Messages[0].Text, kDatabaseInUseTargetMessage.arg(target));
      EXPECT_EQ(FileBytes(target), before);
    }
  }
  EXPECT_TRUE(user.Events.isEmpty());
  EXPECT_TRUE(progress.Events.isEmpty());
  EXPECT_EQ(db.Rows(), rows);
}

// The disk fills up while the backup is written: the message says so and names the file
// the person chose, nothing is left in its folder, and the working database opens again.
// Before writing, the backup clears what ended processes left in that folder.
TEST_F(DatabaseMaintenance, FullDiskDuringABackupIsReportedAsSuch) {
  WorkingDatabase db;
  db.Add(Records(50));
  const auto rows = db.Rows();
  const QString stale = Docs(QStringLiteral(".fenwright-%1-00c0ffee.tmp").arg(fwtest::EndedProcessId()));
  fwtest::WriteBytes(stale, QByteArray(4096, 's'));
  const QString chosen = Docs(QStringLiteral("备份.mdb"));
  RecordingUser user(db.Connection);
  hooks.SaveAnswers.push_back(Chosen(chosen));

  InjectWriteFault(64 * 1024, ENOSPC);
  const bool written = BackupDatabase(db.Connection, user);
  ClearWriteFault();
  EXPECT_FALSE(written);
  EXPECT_EQ(LastMessage(), "运行中发生错误：写入文件失败 " + chosen + "：磁盘空间不足");
  EXPECT_TRUE(DocsEntries().isEmpty());
  EXPECT_EQ(user.Events, (QStringList{"closing", "reopened"}));
  EXPECT_EQ(db.Rows(), rows);
}

TEST_F(DatabaseMaintenance, CompactionKeepsEveryRowAndShrinksTheFile) {
  WorkingDatabase db;
  db.Add(Records(3000));
  db.Connection.Execute(QStringLiteral("delete from dt_data where c901 >= 110101000100"));
  const auto rows = db.Rows();
  const qint64 before = QFileInfo(db.Path()).size();
  const QStringList tables = db.Connection.TableNames();
  const auto recordList = db.Rows(QStringLiteral("view_data"));
  RecordingUser user(db.Connection);

  ASSERT_TRUE(CompactWorkingDatabase(db.Connection, user)) << LastMessage().toStdString();
  EXPECT_EQ(LastMessage(), QStringLiteral("压缩操作成功"));
  EXPECT_EQ(user.Events, (QStringList{"closing", "reopened"}));
  EXPECT_TRUE(db.Connection.Connected());
  EXPECT_EQ(db.Rows(), rows);
  EXPECT_EQ(db.Connection.TableNames(), tables); // views included
  EXPECT_EQ(db.Rows(QStringLiteral("view_data")), recordList);
  EXPECT_LT(QFileInfo(db.Path()).size(), before / 2);
  // Nothing is left beside the working database.
  EXPECT_FALSE(QDir(db.Folder.Path()).entryList(QDir::Files | QDir::Hidden).join(',').contains(".tmp"));
}

// The compacted file takes the working database's place while the running copy holds the
// database: at every step of the write, seen from another process, the file at the
// database's name is held, the old one until the new one stands there.
TEST_F(DatabaseMaintenance, CompactionNeverLeavesTheDatabaseUnheld) {
  WorkingDatabase db;
  db.Add(Records(50));
  TFileLock hold;
  ASSERT_EQ(hold.Lock(db.Path()), TFileLock::TOutcome::Locked);
  RecordingUser user(db.Connection);
  std::vector<TSiblingStep> unheld;
  SetSiblingProbe([&](TSiblingStep step, const QString& destination) {
    if (!HeldSeenFromAnotherProcess(destination)) unheld.push_back(step);
  });
  const bool compacted = CompactWorkingDatabase(db.Connection, user, &hold);
  SetSiblingProbe({});
  ASSERT_TRUE(compacted) << LastMessage().toStdString();
  EXPECT_TRUE(unheld.empty()) << "unheld at step " << int(unheld.front());
  EXPECT_TRUE(HeldSeenFromAnotherProcess(db.Path()));
}

TEST_F(DatabaseMaintenance, FailedCompactionLeavesTheFileByteIdentical) {
  WorkingDatabase db;
  db.Add(Records(10));
  db.Connection.Close();

  // A file that is no database, and a database protected by a password.
  const QString damaged = db.Folder.FilePath(QStringLiteral("damaged.mdb"));
  fwtest::WriteBytes(damaged, QByteArray(10000, '\x5a'));
  const QString keyed = db.Folder.FilePath(QStringLiteral("view.dll"));
  for (const QString& file : {damaged, keyed}) {
    SCOPED_TRACE(file.toStdString());
    const QByteArray before = FileBytes(file);
    hooks.Messages.clear();
    EXPECT_FALSE(CompactDatabase(file));
    EXPECT_TRUE(LastMessage().startsWith(QStringLiteral("运行中发生错误："))) << LastMessage().toStdString();
    EXPECT_EQ(FileBytes(file), before);
  }
  EXPECT_FALSE(QDir(db.Folder.Path()).entryList(QDir::Files | QDir::Hidden).join(',').contains(".tmp"));

  // The main window's compaction of a damaged working database reopens all the same.
  DatabasePath = damaged;
  RecordingUser user(db.Connection);
  hooks.Messages.clear();
  EXPECT_FALSE(CompactWorkingDatabase(db.Connection, user));
  EXPECT_EQ(user.Events, QStringList{QStringLiteral("closing-while-closed")}); // the reopening failed
  EXPECT_NE(LastMessage(), QStringLiteral("压缩操作成功"));
}

// Compaction met for real on a disk too full for the compacted copy, and in a folder on a
// read-only disk: the message names the working database and gives the cause in Chinese,
// and the database is left byte for byte as it was.
TEST_F(DatabaseMaintenance, CompactionOnAFullOrReadOnlyDiskSaysWhyInChinese) {
  WorkingDatabase db;
  db.Add(Records(2000));
  db.Connection.Close();
  const QByteArray original = FileBytes(db.Path());
  SmallFileSystem disk(original.size() + 64 * 1024);
  if (!disk.Mounted()) GTEST_SKIP() << "a file system of the test's own cannot be mounted here";
  const QString file = disk.FilePath(QStringLiteral("2014NB_qz.mdb"));
  fwtest::WriteBytes(file, original);
  ASSERT_EQ(FileBytes(file), original);

  const struct {
    const char* fault;
    QString cause;
  } cases[] = {
      {"full", QStringLiteral("磁盘空间不足")},
      {"read-only", QStringLiteral("磁盘是只读的")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    if (QByteArray(c.fault) == "read-only") {
      ASSERT_TRUE(disk.MakeReadOnly());
    }
    hooks.Messages.clear();
    EXPECT_FALSE(CompactDatabase(file));
    EXPECT_EQ(LastMessage(), "运行中发生错误：写入文件失败 " + file + "：" + c.cause);
    EXPECT_EQ(FileBytes(file), original);
    EXPECT_EQ(QDir(QFileInfo(file).absolutePath()).entryList(QDir::Files | QDir::Hidden), QStringList{"2014NB_qz.mdb"});
  }
}

} // namespace
