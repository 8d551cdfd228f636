// Offline exchange file against real databases: export then import, clashing codes,
// backups read by the importer, damaged files, files of the wrong shape and failures that
// must change nothing. The import shows nothing: its outcome is checked here, its
// dialogue with the main window's tests.
#include "core/DatabasePassword.h"
#include "core/ExchangeFile.h"
#include "core/ImportFileCheck.h"
#include "core/OfflineExchange.h"
#include "platform/shell/FileWriter.h"
#include "platform/shell/TempFiles.h"
#include "tests/core/WorkingDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QtEndian>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

using namespace fw;

using fwtest::Chosen;
using fwtest::FileBytes;
using fwtest::TestRecord;
using fwtest::WorkingDatabase;

const std::vector<TestRecord> kTwoRecords = {{110101000001, "一", 1, 1, 1.5}, {110101000002, "二", 1, 2, 2.5}};

class OfflineExchange : public ::testing::Test {
protected:
  void SetUp() override {
    hooks.FixedNow = QDateTime(QDate(2014, 12, 3), QTime(9, 30));
    oldTmp_ = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp_.path()));
  }
  void TearDown() override {
    if (oldTmp_.isNull())
      qunsetenv("TMPDIR");
    else
      qputenv("TMPDIR", oldTmp_);
  }

  // Working folders that the importer left in the temporary folder.
  QStringList ImportLeftovers() const {
    return QDir(PrivateTempFolder()).entryList({QStringLiteral("fenwright-*")}, QDir::AllEntries | QDir::Hidden);
  }

  QString Docs(const QString& name) const { return QDir(folders.DocumentsDir()).filePath(name); }
  QStringList DocsEntries() const { return QDir(folders.DocumentsDir()).entryList(QDir::Files | QDir::Hidden); }
  QString LastMessage() const { return hooks.Messages.empty() ? QString() : hooks.Messages.back().Text; }

  // Exports source's finished records under label to the documents folder.
  QString Export(WorkingDatabase& source, const QString& label, const QString& name = QStringLiteral("交换")) {
    source.Activate();
    hooks.InputAnswers.push_back(label);
    hooks.SaveAnswers.push_back(Chosen(Docs(name)));
    EXPECT_TRUE(ExportOfflineDat(source.Connection)) << LastMessage().toStdString();
    return Docs(name + ".dat");
  }

  // Imports file into target, answering the label question with Answer.
  TImportOutcome Import(WorkingDatabase& target, const QString& file) {
    target.Activate();
    return ImportOfflineFile(target.Connection, file, [this](const QString& label) {
      LabelsAsked << label;
      return Answer;
    });
  }

  // A plain copy of a working database with records, changed by the statements given,
  // in the documents folder (as a backup the person might choose).
  QString ChangedDatabase(const QString& name, const QStringList& statements) {
    WorkingDatabase scratch;
    scratch.Add(kTwoRecords);
    for (const QString& sql : statements) scratch.Connection.Execute(sql);
    scratch.Connection.Close();
    const QString file = Docs(name);
    EXPECT_TRUE(QFile::copy(scratch.Path(), file));
    return file;
  }

  // The working database's definition of dt_data.
  static QString DataDefinition() {
    WorkingDatabase db;
    TADOQuery query(&db.Connection);
    query.SetSQL(QStringLiteral("select sql from sqlite_master where name = 'dt_data'"));
    query.Open();
    return query.Fields(0)->AsString();
  }

  bool Answer = true;
  QStringList LabelsAsked;

  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;

private:
  QTemporaryDir tmp_;
  QByteArray oldTmp_;
};

const std::vector<TestRecord> kMixedRecords = {
    {110101000003, "第三工会", 1, 30, 12.5},  {110101000001, "第一工会", 1, 10, 0.25},
    {110101000002, "暂存工会", 0, 20, 3},     {110101000004, "有错工会", 2, 40, 7},
    {999999999999, "O'Brien, 工会", 1, 99, 1e9}};

TEST_F(OfflineExchange, ExportThenImportBringsBackTheFinishedRecordsAndTheLabel) {
  WorkingDatabase source;
  source.Add(kMixedRecords);
  hooks.InputAnswers.push_back(kDefaultDatabaseLabel); // refused, asked again
  const QString file = Export(source, QStringLiteral("某市总工会"));

  ASSERT_EQ(hooks.SaveRequests.size(), 1u);
  EXPECT_EQ(hooks.SaveRequests[0].Title, QStringLiteral("导出文件存放为"));
  EXPECT_EQ(hooks.SaveRequests[0].Filter, QStringLiteral("数据加密文件(*.dat)|*.dat"));
  EXPECT_EQ(hooks.SaveRequests[0].FileName, QStringLiteral("某市总工会-2014-12-03(离线版)"));
  EXPECT_EQ(hooks.Messages.front().Text, QStringLiteral("必须修改默认的名称！"));
  EXPECT_EQ(LastMessage(), "数据已经被正确导出到：'" + file + "'！");
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("交换.dat")}); // no working file left
  // On disk the file opens neither plainly nor with the password; with its header restored
  // it opens with the password.
  const QString restored = Docs(QStringLiteral("restored.mdb"));
  ASSERT_TRUE(QFile::copy(file, restored));
  for (const QString& password : {QString(), DatabasePassword()}) {
    TADOConnection raw;
    raw.SetConnectionString("Data Source=" + file + ";Jet OLEDB:Database Password=" + password);
    EXPECT_THROW(raw.Open(), std::exception);
  }
  ASSERT_TRUE(RestoreFileHeader(restored));
  {
    TADOConnection plain;
    plain.SetConnectionString("Data Source=" + restored + ";Jet OLEDB:Database Password=" + DatabasePassword());
    EXPECT_NO_THROW(plain.Open());
  }
  QFile::remove(restored);

  WorkingDatabase target;
  const size_t messages = hooks.Messages.size();
  const TImportOutcome outcome = Import(target, file);
  EXPECT_EQ(outcome.Result, TImportResult::Imported) << outcome.Error.toStdString();
  EXPECT_EQ(outcome.ImportedCount, 3);
  EXPECT_EQ(outcome.Label, QStringLiteral("某市总工会"));
  EXPECT_EQ(LabelsAsked, QStringList{QStringLiteral("某市总工会")});
  EXPECT_EQ(hooks.Messages.size(), messages); // the import itself shows nothing
  EXPECT_EQ(target.Rows(), source.RowsWithState(1));
  EXPECT_TRUE(ImportLeftovers().isEmpty());
}

TEST_F(OfflineExchange, LabelIsStoredAsTyped) {
  for (const QString& label : {QStringLiteral("O'Neil's 工会"), QStringLiteral("a\"b;c]--"), QStringLiteral(" 前后空格 ")}) {
    WorkingDatabase source, target;
    source.Add({{110101000001, "一", 1, 1, 1}});
    const QString file = Export(source, label, QStringLiteral("标识"));
    const TImportOutcome outcome = Import(target, file);
    EXPECT_EQ(outcome.Result, TImportResult::Imported);
    EXPECT_EQ(outcome.Label, label);
    EXPECT_EQ(target.Rows().size(), 1u);
  }
}

TEST_F(OfflineExchange, FailedExportLeavesNoFileAndKeepsAnExistingOne) {
  WorkingDatabase source;
  source.Add({{110101000001, "一", 1, 1, 1}});
  fwtest::WriteBytes(source.Folder.FilePath(QStringLiteral("view.dll")), QByteArray(8192, 'x'));
  fwtest::WriteBytes(Docs(QStringLiteral("旧.dat")), "earlier file");
  hooks.InputAnswers.push_back(QStringLiteral("某单位"));
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("旧.dat"))));

  EXPECT_FALSE(ExportOfflineDat(source.Connection));
  EXPECT_TRUE(LastMessage().startsWith(QStringLiteral("运行中发生错误："))) << LastMessage().toStdString();
  EXPECT_TRUE(LastMessage().endsWith(QStringLiteral(",请与软件发行者联系。")));
  EXPECT_TRUE(LastMessage().contains(Docs(QStringLiteral("旧.dat")))) << "names the chosen file";
  EXPECT_FALSE(LastMessage().contains(QStringLiteral(".fenwright-"))) << "never a working file";
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("旧.dat")});
  EXPECT_EQ(FileBytes(Docs(QStringLiteral("旧.dat"))), QByteArray("earlier file"));
}

// The file that will be written (with the ".dat" the program adds) is replaced only
// when the person agrees; Enter keeps it.
TEST_F(OfflineExchange, ExistingFileIsReplacedOnlyWhenAgreed) {
  WorkingDatabase source;
  source.Add({{110101000001, "一", 1, 1, 1}});
  const QString existing = Docs(QStringLiteral("旧.dat"));
  fwtest::WriteBytes(existing, "earlier file");
  hooks.InputAnswers.push_back(QStringLiteral("某单位"));
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("旧"))));
  hooks.MessageAnswers.push_back(IDNO);
  EXPECT_FALSE(ExportOfflineDat(source.Connection));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, existing + QStringLiteral(" 已存在。\n要替换它吗？"));
  EXPECT_EQ(hooks.Messages[0].Caption, QStringLiteral("导出文件存放为"));
  EXPECT_EQ(hooks.Messages[0].Flags & 0xF0F, MB_YESNO | MB_DEFBUTTON2);
  EXPECT_EQ(FileBytes(existing), QByteArray("earlier file"));

  const QString file = Export(source, QStringLiteral("某单位"), QStringLiteral("旧"));
  EXPECT_EQ(file, existing);
  EXPECT_EQ(LastMessage(), "数据已经被正确导出到：'" + file + "'！");
  EXPECT_NE(FileBytes(existing), QByteArray("earlier file"));
}

TEST_F(OfflineExchange, ClashingCodesImportNothingAndAreListedInOrder) {
  WorkingDatabase source, target;
  source.Add({{110101000005, "五", 1, 5, 5}, {110101000001, "一", 1, 1, 1}, {110101000003, "三", 1, 3, 3},
              {110101000002, "二", 1, 2, 2}});
  target.Add({{110101000003, "已有三", 1, 33, 0}, {110101000001, "已有一", 1, 11, 0}, {110101000009, "九", 0, 9, 0}});
  const auto before = target.Rows();
  const QString file = Export(source, QStringLiteral("上级"));

  const TImportOutcome outcome = Import(target, file);
  EXPECT_EQ(outcome.Result, TImportResult::Clash);
  ASSERT_EQ(outcome.Clashes.size(), 2u);
  EXPECT_EQ(outcome.Clashes[0].c901, 110101000001);
  EXPECT_EQ(outcome.Clashes[0].c902, QStringLiteral("一"));
  EXPECT_EQ(outcome.Clashes[1].c901, 110101000003);
  EXPECT_EQ(outcome.Clashes[1].c902, QStringLiteral("三"));
  EXPECT_EQ(target.Rows(), before);
  EXPECT_TRUE(target.Rows(QStringLiteral("dt_data_")).empty());
  EXPECT_TRUE(hooks.Opened.isEmpty());
  EXPECT_TRUE(ImportLeftovers().isEmpty());
}

TEST_F(OfflineExchange, FailureThatIsNoClashCarriesItsOwnReason) {
  WorkingDatabase source, target;
  source.Add({{110101000001, "一", 1, 1, 1}});
  target.Connection.Execute(QStringLiteral(
      "CREATE TRIGGER refuse BEFORE INSERT ON dt_data BEGIN SELECT RAISE(ABORT, '记录被拒绝'); END"));
  const QString file = Export(source, QStringLiteral("上级"));

  const TImportOutcome outcome = Import(target, file);
  EXPECT_EQ(outcome.Result, TImportResult::Failed);
  EXPECT_TRUE(outcome.Error.contains(QStringLiteral("记录被拒绝"))) << outcome.Error.toStdString();
  EXPECT_TRUE(target.Rows().empty());
}

TEST_F(OfflineExchange, BackupsAreReadByTheImporter) {
  WorkingDatabase source, target;
  source.Add(kMixedRecords);
  source.Connection.Execute(QStringLiteral("update ct_label set db_name = '备份单位'"));
  source.Connection.Close();
  QFile::copy(source.Path(), Docs(QStringLiteral("plain.mdb")));
  const TImportOutcome outcome = Import(target, Docs(QStringLiteral("plain.mdb")));
  EXPECT_EQ(outcome.Result, TImportResult::Imported);
  EXPECT_EQ(outcome.Label, QStringLiteral("备份单位"));
  source.Activate();
  EXPECT_EQ(target.Rows(), source.Rows()); // a backup carries every record
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("plain.mdb")});
}

TEST_F(OfflineExchange, DeclinedQuestionImportsNothing) {
  WorkingDatabase source, target;
  source.Add({{110101000001, "一", 1, 1, 1}});
  const QString file = Export(source, QStringLiteral("上级"));
  Answer = false;
  EXPECT_EQ(Import(target, file).Result, TImportResult::Declined);
  EXPECT_TRUE(target.Rows().empty());
}

// Files that cannot be read as a database of ours: each is refused as of the wrong
// format, and neither it nor the working database changes.
TEST_F(OfflineExchange, UnreadableFilesAreRefusedAndChangeNothing) {
  WorkingDatabase source;
  source.Add(kMixedRecords);
  const QByteArray exported = FileBytes(Export(source, QStringLiteral("上级")));
  QByteArray random(64 * 1024, '\0');
  QRandomGenerator generator(7);
  for (char& c : random) c = static_cast<char>(generator.bounded(256));
  QByteArray zip = QByteArray("PK\x03\x04", 4) + QByteArray(2000, 'z');
  QByteArray scrambledText = "SQLite format 3" + QByteArray(5000, 'a');
  ScrambleBytes(scrambledText.data(), 1024);

  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const std::vector<Case> cases = {
      {"empty", QByteArray()},
      {"one byte", QByteArray(1, '\0')},
      {"random bytes", random},
      {"cut inside the header", exported.left(1000)},
      {"cut inside the first page", exported.left(3000)},
      {"cut in the middle", exported.left(exported.size() / 2)},
      {"another program's file", zip},
      {"scrambled text", scrambledText},
  };
  WorkingDatabase target;
  target.Add({{110101000001, "已有", 0, 1, 1}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file = Docs(QStringLiteral("坏.dat"));
    fwtest::WriteBytes(file, c.bytes);
    const QByteArray databaseBefore = FileBytes(target.Path());
    LabelsAsked.clear();
    EXPECT_EQ(Import(target, file).Result, TImportResult::FormatError);
    EXPECT_TRUE(LabelsAsked.isEmpty());
    EXPECT_EQ(FileBytes(file), c.bytes);
    EXPECT_EQ(FileBytes(target.Path()), databaseBefore);
    EXPECT_EQ(DocsEntries(), (QStringList{QStringLiteral("交换.dat"), QStringLiteral("坏.dat")}));
    EXPECT_TRUE(ImportLeftovers().isEmpty());
  }
}

const QString kDropData = QStringLiteral("drop view view_data; drop view view_datasearch; drop table dt_data; ");

// A sum of `terms` calls that each take the engine a while, nested so that no expression
// runs deeper than a few levels.
QString SlowSum(int terms) {
  QStringList parts(terms, QStringLiteral("length(replace(hex(zeroblob(250000)), 0, 12))"));
  while (parts.size() > 1) {
    QStringList next;
    for (qsizetype i = 0; i < parts.size(); i += 20) next << "(" + parts.mid(i, 20).join(QLatin1Char('+')) + ")";
    parts = next;
  }
  return parts.value(0);
}

// Databases whose tables are not those of an exchange file, or that the engine cannot
// read: refused as of the wrong format before a record is read, within a chosen file's
// time, and nothing changes.
TEST_F(OfflineExchange, FilesOfTheWrongShapeAreRefusedAndChangeNothing) {
  const QString recreate = kDropData;
  struct Case {
    const char* name;
    QStringList statements;
  };
  const std::vector<Case> cases = {
      {"dt_data missing columns",
       {recreate + "create table dt_data (c901 INTEGER PRIMARY KEY, c902 VARCHAR(100), RecordState INTEGER)",
        "insert into dt_data values (110101000007, '七', 1)"}},
      {"text in a number column", {"update dt_data set z001 = '三十' where c901 = 110101000002"}},
      {"bytes in an amount column", {"update dt_data set b004 = x'00ff' where c901 = 110101000001"}},
      {"a number column declared as text",
       {"alter table dt_data rename to dt_old", QString(DataDefinition()).replace("z001 INTEGER", "z001 TEXT"),
        "insert into dt_data select * from dt_old", "drop table dt_old"}},
      {"ct_label a view", {"drop table ct_label", "create view ct_label as select 'x' as db_name"}},
      {"ct_label missing", {"drop table ct_label"}},
      {"ct_label without its column", {"drop table ct_label", "create table ct_label (name TEXT)"}},
      {"a full-text table beside", fwtest::DeclareVirtualTable("notes", "fts4", "body")},
      {"dt_data a view stored as a table",
       {"alter table dt_data rename to dt_kept", "create view dt_data as select * from dt_kept",
        "PRAGMA writable_schema = 1", "update sqlite_master set type = 'table' where name = 'dt_data'"}},
      // Files that brought the earlier engine down: statistics that give a table without
      // row ids rows of no size, and a table whose schema entry is made from a query.
      {"dt_data without row ids, rows of no size",
       {recreate + DataDefinition() + " WITHOUT ROWID", "insert into dt_data (c901, RecordState) values (110101000007, 1)",
        "ANALYZE", "delete from sqlite_stat1", "insert into sqlite_stat1 values ('dt_data', NULL, '2 sz=0')"}},
      {"ct_label made from a query",
       {"PRAGMA writable_schema = 1",
        "update sqlite_master set sql = 'CREATE TABLE ct_label AS SELECT 1 AS db_name' where name = 'ct_label'"}},
      // A computed column takes no room in the rows, so it can be written into the
      // definition of a filled table; the engine's checks would compute it for every row.
      {"dt_data with a slow computed column",
       {"PRAGMA writable_schema = 1",
        "update sqlite_master set sql = substr(sql, 1, length(sql) - 1) || ', slow INTEGER AS (" + SlowSum(4000) +
            ") NOT NULL)' where name = 'dt_data'"}},
  };
  WorkingDatabase target;
  target.Add({{110101000009, "已有", 1, 9, 9}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file = ChangedDatabase(QStringLiteral("形状.mdb"), c.statements);
    const QByteArray fileBefore = FileBytes(file);
    const QByteArray databaseBefore = FileBytes(target.Path());
    LabelsAsked.clear();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Import(target, file).Result, TImportResult::FormatError);
    EXPECT_LT(clock.elapsed(), kChosenFileTimeLimit.count());
    EXPECT_TRUE(LabelsAsked.isEmpty());
    EXPECT_EQ(FileBytes(file), fileBefore);
    EXPECT_EQ(FileBytes(target.Path()), databaseBefore);
    QFile::remove(file);
  }
}

// A dt_data that is a view would keep the engine busy without end if it were ever run; it
// is refused at once, from the schema alone (this test takes a fraction of a second).
TEST_F(OfflineExchange, DataTableThatIsAViewIsRefusedWithoutRunningIt) {
  const QString file = ChangedDatabase(
      QStringLiteral("视图.mdb"),
      {kDropData + "create view dt_data as with recursive n(c901) as (select 1 union all select c901 + 1 from n) "
                   "select c901, c901 as RecordState from n"});
  WorkingDatabase target;
  const QByteArray databaseBefore = FileBytes(target.Path());
  EXPECT_EQ(Import(target, file).Result, TImportResult::FormatError);
  EXPECT_TRUE(LabelsAsked.isEmpty());
  EXPECT_EQ(FileBytes(target.Path()), databaseBefore);
}

// The file can change under its name while the label question is open (anyone can swap
// it in a shared or synced exchange folder): the import copies what was checked and named
// in the question, never what lies at the name when 是 is pressed, be it text in a number
// column or a data table that is an endless view. So for a plain backup and for a keyed
// exchange file (its header restored, so that it is read without a private copy of its
// own).
TEST_F(OfflineExchange, FileSwappedDuringTheQuestionIsNotImported) {
  WorkingDatabase source;
  source.Add(kTwoRecords);
  const QString keyed = Export(source, QStringLiteral("上级"));
  ASSERT_TRUE(RestoreFileHeader(keyed));
  const QString plain = ChangedDatabase(QStringLiteral("备份.mdb"), {});
  const QString textInNumber =
      ChangedDatabase(QStringLiteral("文本.mdb"), {"update dt_data set z001 = '三十' where c901 = 110101000002"});
  const QString endlessView = ChangedDatabase(
      QStringLiteral("视图.mdb"),
      {kDropData + "create view dt_data as with recursive n(c901) as (select 1 union all select c901 + 1 from n) "
                   "select c901, c901 as RecordState from n"});
  for (const QString& original : {plain, keyed}) {
    for (const QString& hostile : {textInNumber, endlessView}) {
      SCOPED_TRACE((QFileInfo(original).fileName() + " -> " + QFileInfo(hostile).fileName()).toStdString());
      const QString chosen = Docs(QStringLiteral("共享.dat"));
      QFile::remove(chosen);
      ASSERT_TRUE(QFile::copy(original, chosen));
      WorkingDatabase target;
      const TImportOutcome outcome = ImportOfflineFile(target.Connection, chosen, [&](const QString&) {
        EXPECT_TRUE(QFile::remove(chosen) && QFile::copy(hostile, chosen));
        return true;
      });
      EXPECT_EQ(outcome.Result, TImportResult::Imported) << outcome.Error.toStdString();
      EXPECT_EQ(target.Rows(), source.Rows());
      EXPECT_TRUE(ImportLeftovers().isEmpty());
    }
  }
}

// A file far larger than any of ours (a sparse one of 3 GiB, which costs no disk) is
// refused from its size before anything is copied: with every write past 16 MiB failing,
// the outcome is still the plain format error. So whether its first bytes are a keyed
// exchange file's or a plain database's.
TEST_F(OfflineExchange, HugeFileIsRefusedBeforeItIsCopied) {
  WorkingDatabase source;
  source.Add(kTwoRecords);
  const QByteArray exchange = FileBytes(Export(source, QStringLiteral("上级")));
  const QByteArray plain = FileBytes(ChangedDatabase(QStringLiteral("备份.mdb"), {}));
  WorkingDatabase target;
  const QByteArray databaseBefore = FileBytes(target.Path());
  for (const QByteArray& head : {exchange, plain}) {
    const QString file = Docs(QStringLiteral("巨大.dat"));
    fwtest::WriteBytes(file, head);
    ASSERT_TRUE(QFile::resize(file, qint64(3) << 30));
    InjectWriteFault(qint64(16) << 20, ENOSPC);
    const TImportOutcome outcome = Import(target, file);
    ClearWriteFault();
    EXPECT_EQ(outcome.Result, TImportResult::FormatError) << outcome.Error.toStdString();
    EXPECT_TRUE(LabelsAsked.isEmpty());
    EXPECT_TRUE(ImportLeftovers().isEmpty());
    EXPECT_EQ(FileBytes(target.Path()), databaseBefore);
    QFile::remove(file);
  }
}

// Makes the chain of overflow pages that holds a value of nothing but `fill` loop back on
// itself: its first page points to itself. False when there is no such chain.
bool LoopOverflowChain(const QString& file, char fill) {
  QByteArray bytes = FileBytes(file);
  if (bytes.size() < 100) return false;
  const int declaredPageSize = qFromBigEndian<quint16>(bytes.constData() + 16);
  const int pageSize = declaredPageSize == 1 ? 65536 : declaredPageSize;
  auto start = [&](int page) { return bytes.data() + qsizetype(page - 1) * pageSize; };
  QSet<int> full;
  for (int page = 2; qsizetype(page) * pageSize <= bytes.size(); ++page)
    if (QByteArray(start(page) + 4, pageSize - 4).count(fill) == pageSize - 4) full.insert(page);
  QSet<int> pointedTo;
  for (int page : full) pointedTo.insert(int(qFromBigEndian<quint32>(start(page))));
  for (int page : full) {
    if (pointedTo.contains(page)) continue;
    qToBigEndian<quint32>(quint32(page), start(page));
    fwtest::WriteBytes(file, bytes);
    return true;
  }
  return false;
}

// A backup whose c902 runs over overflow pages that loop back on themselves (so that
// reading it goes round and round), or whose c902 is far longer than any value of ours
// (text or bytes), is refused as of the wrong format before a record is read, and the
// working database does not grow by a byte.
TEST_F(OfflineExchange, FileWithALoopingOrHugeValueIsRefusedAndChangesNothing) {
  struct Case {
    const char* name;
    const char* value;
    bool loop;
  };
  const Case cases[] = {{"a looping chain", "replace(hex(zeroblob(300000)), '0', 'Q')", true},
                        {"text past the size limit", "replace(hex(zeroblob(1500000)), '0', 'Q')", false},
                        {"bytes past the size limit", "zeroblob(3000000)", false}};
  WorkingDatabase target;
  target.Add({{110101000009, "已有", 1, 9, 9}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file = ChangedDatabase(
        QStringLiteral("环.mdb"),
        {QStringLiteral("update dt_data set c902 = %1 where c901 = 110101000001").arg(QLatin1String(c.value))});
    if (c.loop) {
      ASSERT_TRUE(LoopOverflowChain(file, 'Q'));
    }
    const QByteArray databaseBefore = FileBytes(target.Path());
    LabelsAsked.clear();
    EXPECT_EQ(Import(target, file).Result, TImportResult::FormatError);
    EXPECT_TRUE(LabelsAsked.isEmpty());
    EXPECT_EQ(QFileInfo(target.Path()).size(), databaseBefore.size());
    EXPECT_EQ(FileBytes(target.Path()), databaseBefore);
    QFile::remove(file);
  }
}

// The name of the chosen file cannot make the import read another one: "p\";x=.dat"
// beside a good file "p" is itself checked and refused (text in a number column), and "p"
// is neither read nor changed.
TEST_F(OfflineExchange, ChosenFileNameCannotNameAnotherFile) {
  const QString decoy = ChangedDatabase(QStringLiteral("p"), {});
  const QString chosen =
      ChangedDatabase(QStringLiteral("p\";x=.dat"), {"update dt_data set z001 = '三十' where c901 = 110101000002"});
  const QByteArray decoyBefore = FileBytes(decoy);
  WorkingDatabase target;
  const QByteArray databaseBefore = FileBytes(target.Path());
  EXPECT_EQ(Import(target, chosen).Result, TImportResult::FormatError);
  EXPECT_TRUE(LabelsAsked.isEmpty());
  EXPECT_EQ(FileBytes(decoy), decoyBefore);
  EXPECT_EQ(FileBytes(target.Path()), databaseBefore);
}

// The shape asks for the working database's columns, not for nothing more: further
// columns and objects of the file are left alone.
TEST_F(OfflineExchange, FileWithMoreColumnsIsImported) {
  const QString file = ChangedDatabase(
      QStringLiteral("更多.mdb"),
      {"alter table dt_data add column remark TEXT", "update dt_data set remark = '备注'"});
  WorkingDatabase target;
  const TImportOutcome outcome = Import(target, file);
  EXPECT_EQ(outcome.Result, TImportResult::Imported) << outcome.Error.toStdString();
  EXPECT_EQ(outcome.ImportedCount, 2);
}

TEST_F(OfflineExchange, MissingFileAndMissingTable) {
  WorkingDatabase target;
  EXPECT_EQ(Import(target, Docs(QStringLiteral("没有.dat"))).Result, TImportResult::FileMissing);

  // A database of another program: it opens, but holds no dt_data.
  const QString other = ChangedDatabase(QStringLiteral("other.mdb"),
                                        {QStringLiteral("drop view view_data; drop view view_datasearch; drop table dt_data")});
  EXPECT_EQ(Import(target, other).Result, TImportResult::NoTableInFile);
}

} // namespace
