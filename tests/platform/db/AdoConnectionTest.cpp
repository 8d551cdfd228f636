// Opening files, keys, passwords, transactions and tables of other files.

#include "DbTestSupport.h"

#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/db/Sql.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <functional>

using namespace fw;

namespace {

class AdoConnectionTest : public ::testing::Test, public fwtest::DbFixtureBase {
protected:
  int Count(TADOConnection& db, const QString& table) {
    return fwtest::ScalarOf(db, QStringLiteral("select count(*) from %1").arg(table)).toInt();
  }
};

TEST_F(AdoConnectionTest, OpenFailsAtOnceAndCreatesNothing) {
  QFile junk(Path("junk.mdb"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write(QByteArray(4096, 'x'));
  junk.close();
  fwtest::CreateDatabase(Path("keyed.mdb"), "s3cret", {"CREATE TABLE t (a INTEGER)"});

  struct Case {
    const char* file;
    const char* password;
  };
  const Case failing[] = {{"missing.mdb", ""}, {"junk.mdb", ""}, {"keyed.mdb", ""}, {"keyed.mdb", "wrong"}};
  for (const Case& c : failing) {
    SCOPED_TRACE(std::string(c.file) + "/" + c.password);
    TADOConnection db;
    db.SetConnectionString(fwtest::ConnectionStringFor(Path(c.file), c.password));
    EXPECT_THROW(db.Open(), EDatabaseError);
    EXPECT_FALSE(db.Connected());
  }
  EXPECT_FALSE(QFile::exists(Path("missing.mdb")));

  auto keyed = Connect(Path("keyed.mdb"), "s3cret");
  EXPECT_TRUE(keyed->Connected());
  EXPECT_EQ(keyed->TableNames(), QStringList{"t"});
}

TEST_F(AdoConnectionTest, ConnectionStringPartsAreReadAndTheRestIgnored) {
  TADOConnection db;
  db.SetLoginPrompt(false);
  db.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Path("main.mdb") +
                         ";Mode=Share Exclusive;Persist Security Info=False;Jet OLEDB:Engine Type=5;");
  Db.Close();
  db.Open();
  EXPECT_TRUE(db.Exclusive());
  // A second connection cannot use an exclusively opened file.
  TADOConnection other;
  other.SetConnectionString(fwtest::ConnectionStringFor(Path("main.mdb")));
  EXPECT_THROW({ other.Open(); other.Execute("update dt_data set z001 = 0"); }, EDatabaseError);
}

TEST_F(AdoConnectionTest, ExecuteReturnsRowsAffectedAndReportsEngineErrors) {
  EXPECT_EQ(Db.Execute("update dt_data set RecordState = 1 where c904 = 10"), 2);
  EXPECT_EQ(Db.Execute("delete from dt_data where c901 = ?", QVariantList{100000000003LL}), 1);
  EXPECT_EQ(Db.Execute("insert into dt_data (c901, c902) values (:code, :name)",
                       QVariantMap{{"code", 200000000000LL}, {"name", "O'Brien \"quoted\""}}),
            1);
  EXPECT_EQ(fwtest::ScalarOf(Db, "select c902 from dt_data where c901 = 200000000000").toString(), "O'Brien \"quoted\"");
  try {
    Db.Execute("insert into no_such_table values (1)");
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_TRUE(e.Message().contains("no such table")) << e.Message().toStdString();
  }
  // A duplicate key fails as Jet's did (an import of a clashing code must fail).
  EXPECT_THROW(Db.Execute("insert into dt_data (c901) values (100000000001)"), EDatabaseError);
}

TEST_F(AdoConnectionTest, TransactionsCoverDdlAndRollBack) {
  Db.BeginTrans();
  EXPECT_TRUE(Db.InTransaction());
  Db.Execute("create table extra (a integer)");
  Db.Execute("delete from dt_data");
  Db.RollbackTrans();
  EXPECT_FALSE(Db.InTransaction());
  EXPECT_EQ(Count(Db, "dt_data"), 4);
  EXPECT_FALSE(Db.TableNames().contains("extra"));

  Db.BeginTrans();
  Db.Execute("delete from dt_data where c904 = 10");
  Db.CommitTrans();
  EXPECT_EQ(Count(Db, "dt_data"), 2);
  EXPECT_THROW(Db.CommitTrans(), EDatabaseError);
}

TEST_F(AdoConnectionTest, TableNamesListTablesAndViewsAsDeclared) {
  const QStringList names = Db.TableNames();
  EXPECT_TRUE(names.contains("CT_Group"));
  EXPECT_TRUE(names.contains("DT_GroupItem"));
  EXPECT_TRUE(names.contains("view_group_item"));
  EXPECT_FALSE(names.contains("sqlite_master"));
}

// ---- passwords -------------------------------------------------------------------

TEST_F(AdoConnectionTest, PasswordSetAndRemovedKeepsRows) {
  Db.Close();
  {
    auto db = Connect(Path("main.mdb"), QString(), true);
    db->Execute("ALTER DATABASE PASSWORD  [pw'1] null");
    EXPECT_TRUE(db->Connected());
    EXPECT_EQ(Count(*db, "dt_data"), 4);
  }
  {
    TADOConnection plain;
    plain.SetConnectionString(fwtest::ConnectionStringFor(Path("main.mdb")));
    EXPECT_THROW(plain.Open(), EDatabaseError);
  }
  {
    auto db = Connect(Path("main.mdb"), "pw'1");
    EXPECT_EQ(Count(*db, "dt_data"), 4);
    // Only an exclusive connection may change the password.
    EXPECT_THROW(db->Execute("ALTER DATABASE PASSWORD null [pw'1]"), EDatabaseError);
  }
  {
    auto db = Connect(Path("main.mdb"), "pw'1", true);
    EXPECT_THROW(db->Execute("ALTER DATABASE PASSWORD null [other]"), EDatabaseError);
    db->Execute("ALTER DATABASE PASSWORD null [pw'1]");
    EXPECT_EQ(fwtest::ScalarOf(*db, "select c902 from dt_data where c901 = 123456789012").toString(), "Delta's");
  }
  auto plain = Connect(Path("main.mdb"));
  EXPECT_EQ(Count(*plain, "dt_data"), 4);
  EXPECT_EQ(Files(), QStringList{"main.mdb"});
}

TEST_F(AdoConnectionTest, FailedPasswordChangeLeavesTheFileAndNoCopy) {
  Db.Close();
  // A damaged table page: the export fails half-way.
  fwtest::CreateDatabase(Path("damaged.mdb"), QString(), {"CREATE TABLE big (a TEXT)", "CREATE TABLE other (b TEXT)"});
  {
    auto db = Connect(Path("damaged.mdb"));
    db->BeginTrans();
    for (int i = 0; i < 200; ++i) db->Execute("insert into big values (?)", QVariantList{QString(500, QChar('a' + i % 26))});
    db->CommitTrans();
  }
  QFile f(Path("damaged.mdb"));
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  const qint64 size = f.size();
  f.seek(size / 2);
  f.write(QByteArray(8192, '\xff'));
  f.close();
  QFile original(Path("damaged.mdb"));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray before = original.readAll();
  original.close();

  auto db = Connect(Path("damaged.mdb"), QString(), true);
  EXPECT_THROW(db->Execute("ALTER DATABASE PASSWORD [pw] null"), EDatabaseError);
  EXPECT_TRUE(db->Connected());
  db->Close();
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  EXPECT_EQ(original.readAll(), before);
  EXPECT_EQ(Files(), (QStringList{"damaged.mdb", "main.mdb"}));
}

// ---- other files ----------------------------------------------------------------

TEST_F(AdoConnectionTest, CrossFileStatementsReachKeyedAndPlainFiles) {
  fwtest::CreateDatabase(Path("x.dat"), "pw", {"CREATE TABLE dt_data (c901 INTEGER PRIMARY KEY, c902 VARCHAR(50), c904 INTEGER, "
                                               "z001 INTEGER, z002 REAL, RecordState INTEGER DEFAULT 0)"});
  auto exportDb = Connect(Path("x.dat"), "pw");
  EXPECT_EQ(exportDb->Execute("insert into dt_data SELECT * from [;DATABASE=" + Path("main.mdb") + ";PWD=pw;].dt_data where RecordState=1"), 2);
  EXPECT_EQ(Count(*exportDb, "dt_data"), 2);
  // Reading back into the plain file from the keyed one.
  Db.Execute("delete from dt_data where RecordState=1");
  EXPECT_EQ(Db.Execute("INSERT INTO dt_data select * from [;DATABASE=" + Path("x.dat") + ";PWD=pw;].dt_data"), 2);
  EXPECT_EQ(Count(Db, "dt_data"), 4);
  // Attachments are released after each statement.
  TADOQuery list(&Db);
  list.SetSQL("PRAGMA database_list");
  list.Open();
  EXPECT_FALSE(list.Locate("name", "fwdb", loPartialKey));
}

TEST_F(AdoConnectionTest, CrossFileInsertInsideTransactionRollsBackInBothFiles) {
  fwtest::CreateDatabase(Path("x.dat"), "pw", {"CREATE TABLE dt_data (c901 INTEGER PRIMARY KEY, c902 VARCHAR(50), c904 INTEGER, "
                                               "z001 INTEGER, z002 REAL, RecordState INTEGER DEFAULT 0)",
                                               "INSERT INTO dt_data (c901, c902) VALUES (300000000001, 'new')",
                                               "INSERT INTO dt_data (c901, c902, RecordState) VALUES (100000000001, 'clash', 1)"});
  const QString ref = "[;DATABASE=" + Path("x.dat") + ";PWD=pw;].dt_data";

  // Copies run inside a transaction without attaching; a clash fails the whole copy.
  Db.BeginTrans();
  Db.Execute("delete from CT_Group");
  EXPECT_THROW(Db.Execute("INSERT INTO dt_data select * from " + ref), EDatabaseError);
  EXPECT_EQ(Count(Db, "dt_data"), 4);
  EXPECT_EQ(Db.Execute("INSERT INTO dt_data select * from " + ref + " where RecordState = 0"), 1);
  EXPECT_EQ(Count(Db, "dt_data"), 5);
  Db.RollbackTrans();
  EXPECT_EQ(Count(Db, "dt_data"), 4);
  EXPECT_EQ(Count(Db, "CT_Group"), 1);

  // Anything else must find the file attached before the transaction.
  const QString other = "delete from dt_data where c901 in (select c901 from " + ref + ")";
  Db.BeginTrans();
  EXPECT_THROW(Db.Execute(other), EDatabaseError);
  Db.RollbackTrans();
  const QString alias = Db.AttachDatabase(Path("x.dat"), "pw");
  Db.BeginTrans();
  EXPECT_EQ(Db.Execute(other), 1);
  Db.RollbackTrans();
  Db.DetachDatabase(alias);
  EXPECT_EQ(Count(Db, "dt_data"), 4);
  auto x = Connect(Path("x.dat"), "pw");
  EXPECT_EQ(Count(*x, "dt_data"), 2);
}

TEST_F(AdoConnectionTest, GroupTablesCopiedIntoAndOutOfAnotherFile) {
  fwtest::CreateDatabase(Path("group.mdb"), QString(), {"CREATE TABLE keepme (a INTEGER)"});
  const QString file = Path("group.mdb");
  for (const char* t : {"CT_Group", "DT_GroupItem"})
    Db.Execute(QStringLiteral("SELECT * into %1 in '%2' from %1").arg(QLatin1String(t), file));
  auto group = Connect(file);
  EXPECT_EQ(Count(*group, "CT_Group"), 1);
  EXPECT_EQ(Count(*group, "DT_GroupItem"), 1);
  EXPECT_TRUE(group->TableNames().contains("keepme"));
  // The copied table keeps its column types and key.
  EXPECT_EQ(fwtest::ScalarOf(*group, "select sql like '%INTEGER PRIMARY KEY%' from sqlite_master where name='CT_Group'").toInt(), 1);
  group->Execute("insert into CT_Group values (2, 'Second', 'id ASC')");
  group->Close();

  Db.BeginTrans();
  Db.Execute("delete from CT_Group");
  Db.Execute("insert into CT_Group select * from CT_Group in '" + file + "'");
  Db.CommitTrans();
  EXPECT_EQ(Count(Db, "CT_Group"), 2);
  EXPECT_EQ(Count(Db, "DT_GroupItem in '" + file + "'"), 1);
  // And out of the other file into this one.
  EXPECT_EQ(Db.Execute("SELECT * into GroupCopy from CT_Group in '" + file + "'"), 2);
  EXPECT_EQ(Count(Db, "GroupCopy"), 2);
  // A table that exists already is refused, as Jet does.
  EXPECT_THROW(Db.Execute("SELECT * into CT_Group in '" + file + "' from CT_Group"), EDatabaseError);
}

TEST_F(AdoConnectionTest, SelectIntoFromAnAttachedSchemaKeepsTheDefinition) {
  // The file is attached by the program, so its name never appears in the statement.
  const QString file = Path("it's.mdb");
  fwtest::CreateDatabase(file, QString(), {});
  auto out = Connect(file);
  const QString alias = out->AttachDatabase(Path("main.mdb"));
  EXPECT_EQ(out->Execute("SELECT * into CT_Group from " + alias + ".CT_Group"), 1);
  out->DetachDatabase(alias);
  EXPECT_EQ(fwtest::ScalarOf(*out, "select sql like '%INTEGER PRIMARY KEY%' from sqlite_master where name='CT_Group'").toInt(), 1);
  EXPECT_EQ(Count(*out, "CT_Group"), 1);
}

// ---- files of the earlier engine -------------------------------------------------

// What the earlier engine's shell (SQLCipher 3.x) prints for sql run on file, after the
// engine's version; empty when no shell of the earlier engine is installed.
QString EarlierEngineReads(const QString& file, const QString& key, const QString& sql) {
  const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
  if (shell.isEmpty()) return QString();
  QProcess process;
  process.start(shell, {QStringLiteral("-batch"), file});
  const QString keyed = key.isEmpty() ? QString() : QStringLiteral("PRAGMA key = %1;\n").arg(QuotedStr(key));
  process.write((keyed + "PRAGMA cipher_version;\n" + sql + "\n").toUtf8());
  process.closeWriteChannel();
  process.waitForFinished();
  const QString out = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  return out.startsWith(QLatin1String("3.")) ? out.section(QLatin1Char('\n'), 1) : QString();
}

// Files the earlier engine wrote (data/earlier-*.mdb, made by its 3.4.1 shell with the
// fixture's dt_data and two rows) open, attach and take a new row here, keyed or plain;
// those files and one this build writes (keyed when the case is) read in the earlier
// engine again.
TEST_F(AdoConnectionTest, FilesReadAndWrittenInTheEarlierEnginesFormat) {
  const bool earlierShell = EarlierEngineReads(Path("main.mdb"), QString(), "select 1;") == "1";
  const struct {
    const char* fixture;
    QString key;
  } cases[] = {{"earlier-plain.mdb", QString()}, {"earlier-keyed.mdb", QStringLiteral("earlier key")}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fixture);
    const QString earlier = Path(QString::fromLatin1(c.fixture));
    ASSERT_TRUE(QFile::copy(QStringLiteral(FW_TEST_SOURCE_DIR "/data/") + c.fixture, earlier));
    QFile::setPermissions(earlier, QFile::ReadOwner | QFile::WriteOwner);
    {
      auto db = Connect(earlier, c.key);
      EXPECT_EQ(fwtest::ScalarOf(*db, "select c902 || z002 from dt_data where c901 = 200000000001").toString(), "旧版甲0.5");
      db->Execute("insert into dt_data values (200000000003, '本版丙', 30, 5, 1.25, 1)");
    }
    const QString ref = "[;DATABASE=" + earlier + (c.key.isEmpty() ? QString() : ";PWD=" + c.key) + ";].dt_data";
    EXPECT_EQ(Db.Execute("insert into dt_data select * from " + ref), 3);
    Db.Execute("delete from dt_data where c901 > 200000000000");

    QString written = Path("main.mdb");
    if (!c.key.isEmpty()) {
      written = Path("written.mdb");
      ASSERT_TRUE(QFile::copy(Path("main.mdb"), written));
      Connect(written, QString(), true)->Execute("ALTER DATABASE PASSWORD [" + c.key + "] null");
      EXPECT_EQ(Count(*Connect(written, c.key), "dt_data"), 4);
    }
    if (!earlierShell) continue;
    EXPECT_EQ(EarlierEngineReads(earlier, c.key, "select group_concat(c902, ',') from dt_data;"), "旧版甲,旧版乙,本版丙");
    EXPECT_EQ(EarlierEngineReads(written, c.key, "select count(*) from dt_data;"), "4");
  }
  if (!earlierShell) GTEST_SKIP() << "no shell of the earlier engine (SQLCipher 3.x) to read the files in";
}

} // namespace

// ---- files the person chose ------------------------------------------------------

namespace {

// A statement that would never end is stopped soon after its time (well within three
// times that), also when each of its rows makes a slow call, so that the engine takes
// seconds for a thousand of its steps; it is reported as interrupted, and the next
// statement gets its own time again.
TEST_F(AdoConnectionTest, StatementsRunPastTheTimeLimitAreStopped) {
  auto db = Connect(Path("main.mdb"));
  db->Execute(QStringLiteral("create table numbers (x integer)"));
  db->Execute(QStringLiteral("insert into numbers with recursive n(x) as (select 1 union all select x + 1 from n "
                             "where x < 2000) select x from n"));
  const std::chrono::milliseconds limit(500);
  db->SetStatementTimeLimit(limit);
  const QString endless =
      QStringLiteral("with recursive n(x) as (select 1 union all select x + 1 from n) select count(*) from n");
  const QString slowRows = QStringLiteral("select count(*) from numbers where length(randomblob(6000000)) > 0");
  for (const QString& sql : {endless, slowRows}) {
    SCOPED_TRACE(sql.toStdString());
    const auto start = std::chrono::steady_clock::now();
    try {
      db->Execute(sql);
      ADD_FAILURE() << "the statement must be stopped";
    } catch (const EDatabaseError& e) {
      EXPECT_TRUE(e.Interrupted()) << e.Message().toStdString();
      EXPECT_FALSE(e.Damaged());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3 * limit);
  }
  TADOQuery query(db.get());
  query.SetSQL(endless);
  EXPECT_THROW(query.Open(), EDatabaseError);
  EXPECT_EQ(Count(*db, "dt_data"), 4);

  db->SetStatementTimeLimit(std::chrono::milliseconds(0));
  EXPECT_EQ(fwtest::ScalarOf(*db, QStringLiteral("with recursive n(x) as (select 1 union all select x + 1 from n "
                                                 "where x < 200000) select count(*) from n"))
                .toInt(),
            200000);
}

TEST_F(AdoConnectionTest, ReadModeChangesNothing) {
  Db.Close();
  auto db = std::make_unique<TADOConnection>();
  db->SetConnectionString(fwtest::ConnectionStringFor(Path("main.mdb")) + "Mode=Read;");
  db->Open();
  EXPECT_EQ(Count(*db, "dt_data"), 4);
  try {
    db->Execute("delete from dt_data");
    ADD_FAILURE() << "a read-only connection must refuse to write";
  } catch (const EDatabaseError& e) {
    EXPECT_FALSE(e.DiskFull());
  }
  EXPECT_EQ(Count(*db, "dt_data"), 4);
}

// An engine that finds no room says so through its error, which callers turn into
// "磁盘空间不足" (a file limited to its present pages stands in for a full disk).
TEST_F(AdoConnectionTest, FullDatabaseIsReportedAsDiskFull) {
  const int pages = fwtest::ScalarOf(Db, "PRAGMA page_count").toInt();
  Db.Execute(QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
  try {
    Db.BeginTrans();
    for (int i = 0; i < 100; ++i) Db.Execute("insert into dt_data (c902) values (?)", QVariantList{QString(2000, 'x')});
    ADD_FAILURE() << "the file must fill up";
  } catch (const EDatabaseError& e) {
    EXPECT_TRUE(e.DiskFull()) << e.Message().toStdString();
  }
  Db.RollbackTrans();
  EXPECT_EQ(Count(Db, "dt_data"), 4);
}

} // namespace

namespace {

// The engine's faults a user can act on, told in Chinese from the result code and the
// system's error behind it; any other fault keeps the engine's words alone.
TEST(DatabaseErrors, FaultsAUserCanActOnHaveChineseReasons) {
  const QString full = QStringLiteral("磁盘空间不足"), readOnly = QStringLiteral("文件或它所在的文件夹是只读的，不能写入"),
                inUse = QStringLiteral("数据库文件正被其他程序使用"),
                damaged = QStringLiteral("数据库文件已损坏或不是有效的数据库文件"),
                missing = QStringLiteral("找不到数据库文件"), denied = QStringLiteral("没有访问该文件的权限");
  const struct {
    int code, systemError;
    QString reason;
  } cases[] = {
      {SQLITE_FULL, 0, full},
      {SQLITE_IOERR_WRITE, ENOSPC, full},
      {SQLITE_READONLY, 0, readOnly},
      {SQLITE_READONLY_CANTLOCK, EACCES, readOnly},
      {SQLITE_CANTOPEN, EROFS, readOnly},
      {SQLITE_BUSY, 0, inUse},
      {SQLITE_LOCKED, 0, inUse},
      {SQLITE_CORRUPT, 0, damaged},
      {SQLITE_NOTADB, 0, damaged},
      {SQLITE_CANTOPEN, ENOENT, missing},
      {SQLITE_CANTOPEN, EACCES, denied},
      {SQLITE_IOERR_READ, EPERM, denied},
      {SQLITE_PERM, 0, denied},
      {SQLITE_CANTOPEN, 0, QStringLiteral("无法打开数据库文件")},
      {SQLITE_IOERR_READ, EIO, QStringLiteral("磁盘读写错误")},
      {SQLITE_ERROR, 0, QString()},  // "no such table": the program's own fault, not the desk's
      {0, 0, QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + "/" + std::to_string(c.systemError));
    EXPECT_EQ(EngineFaultReason(c.code, c.systemError), c.reason);
    const EDatabaseError error(QStringLiteral("engine words"), QStringLiteral("select 1"), c.code, c.systemError);
    const QString expected = c.reason.isEmpty() ? QStringLiteral("engine words") : c.reason + "（engine words）";
    EXPECT_EQ(error.Message(), expected);
    EXPECT_EQ(QString::fromUtf8(error.what()), expected);
    EXPECT_EQ(error.EngineText(), QStringLiteral("engine words"));
  }
}

// The same faults met through the layer: a full disk (the file held to its pages), a
// read-only file, a database another program holds, a damaged file and a missing one.
TEST_F(AdoConnectionTest, FaultsMetThroughTheLayerReadInChinese) {
  QFile junk(Path("junk.mdb"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write(QByteArray(4096, 'x'));
  junk.close();
  const auto failure = [](const std::function<void()>& work) -> QString {
    try {
      work();
    } catch (const EDatabaseError& e) {
      return e.Message();
    }
    return QStringLiteral("no error");
  };
  const auto openAndWrite = [this](const QString& file, const QString& mode) {
    TADOConnection db;
    db.SetConnectionString(fwtest::ConnectionStringFor(Path(file)) + mode);
    db.Open();
    db.Execute("update dt_data set z001 = 1");
  };
  const struct {
    const char* fault;
    std::function<void()> work;
    QString reason;
  } cases[] = {
      {"full",
       [this] {
         Db.Execute(QStringLiteral("PRAGMA max_page_count = %1").arg(fwtest::ScalarOf(Db, "PRAGMA page_count").toInt()));
         for (int i = 0; i < 100; ++i)
           Db.Execute("insert into dt_data (c902) values (?)", QVariantList{QString(2000, 'x')});
       },
       QStringLiteral("磁盘空间不足（database or disk is full）")},
      {"read-only", [&] { openAndWrite("main.mdb", "Mode=Read;"); },
       QStringLiteral("文件或它所在的文件夹是只读的，不能写入（attempt to write a readonly database）")},
      {"held by another program",
       [&] {
         Db.Close();
         const auto holder = Connect(Path("main.mdb"), QString(), true);
         openAndWrite("main.mdb", QString());
       },
       QStringLiteral("数据库文件正被其他程序使用（database is locked）")},
      {"damaged", [&] { openAndWrite("junk.mdb", QString()); },
       QStringLiteral("数据库文件已损坏或不是有效的数据库文件（file is not a database）")},
      {"missing", [&] { openAndWrite("missing.mdb", QString()); },
       QStringLiteral("找不到数据库文件（Could not find file '%1'.）").arg(Path("missing.mdb"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    EXPECT_EQ(failure(c.work), c.reason);
  }
}

} // namespace
