// Offline exchange file against real databases: export then import, the clash report,
// backups read by the importer, damaged files and failures that must change nothing.
#include "core/DatabasePassword.h"
#include "core/ExchangeFile.h"
#include "core/OfflineExchange.h"
#include "tests/core/WorkingDatabase.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::Chosen;
using fwtest::FileBytes;
using fwtest::TestRecord;
using fwtest::WorkingDatabase;

const QString kFormatError = QStringLiteral("文件格式错误,请重新选择！");

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
  QStringList ImportLeftovers() const { return QDir(tmp_.path()).entryList({QStringLiteral("fenwright-*")}, QDir::AllEntries | QDir::Hidden); }

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

  bool Import(WorkingDatabase& target, const QString& file, int filterIndex = 1) {
    target.Activate();
    hooks.OpenAnswers.push_back(Chosen(file, filterIndex));
    return FastImportDat(target.Connection);
  }

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
  ASSERT_TRUE(Import(target, file));
  ASSERT_EQ(hooks.OpenRequests.size(), 1u);
  EXPECT_EQ(hooks.OpenRequests[0].Title, QStringLiteral("选择导入文件"));
  EXPECT_EQ(hooks.OpenRequests[0].Filter, QStringLiteral("数据加密文件(*.dat)|*.dat|数据备份文件(*.mdb)|*.mdb"));
  const auto& question = hooks.Messages[hooks.Messages.size() - 2];
  EXPECT_EQ(question.Text, QStringLiteral("确认准备导入标记声明为【某市总工会】的数据么？"));
  EXPECT_EQ(question.Caption, QStringLiteral("提示："));
  EXPECT_EQ(question.Flags & 0xFF, MB_YESNO | MB_ICONWARNING);
  EXPECT_EQ(LastMessage(), "数据已经被正确地从'" + file + "'导入！");
  EXPECT_EQ(target.Rows(), source.RowsWithState(1));
  EXPECT_EQ(target.Rows().size(), 3u);
  EXPECT_TRUE(ImportLeftovers().isEmpty());
}

TEST_F(OfflineExchange, LabelIsStoredAsTyped) {
  for (const QString& label : {QStringLiteral("O'Neil's 工会"), QStringLiteral("a\"b;c]--"), QStringLiteral(" 前后空格 ")}) {
    WorkingDatabase source, target;
    source.Add({{110101000001, "一", 1, 1, 1}});
    const QString file = Export(source, label, QStringLiteral("标识"));
    ASSERT_TRUE(Import(target, file));
    EXPECT_EQ(hooks.Messages[hooks.Messages.size() - 2].Text, "确认准备导入标记声明为【" + label + "】的数据么？");
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
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("旧.dat")});
  EXPECT_EQ(FileBytes(Docs(QStringLiteral("旧.dat"))), QByteArray("earlier file"));
}

TEST_F(OfflineExchange, ClashingCodesImportNothingAndAreReportedInOrder) {
  WorkingDatabase source, target;
  source.Add({{110101000005, "五", 1, 5, 5}, {110101000001, "一", 1, 1, 1}, {110101000003, "三", 1, 3, 3},
              {110101000002, "二", 1, 2, 2}});
  target.Add({{110101000003, "已有三", 1, 33, 0}, {110101000001, "已有一", 1, 11, 0}, {110101000009, "九", 0, 9, 0}});
  const auto before = target.Rows();
  const QString file = Export(source, QStringLiteral("上级"));

  ASSERT_TRUE(Import(target, file));
  EXPECT_EQ(target.Rows(), before);
  EXPECT_TRUE(target.Rows(QStringLiteral("dt_data_")).empty());
  const QString report = Docs(kImportClashReportName);
  EXPECT_EQ(hooks.Opened, QStringList{report});
  EXPECT_EQ(LastMessage(), ImportClashMessage(report));
  const QString text = QString::fromUtf8(FileBytes(report));
  EXPECT_EQ(text, QStringLiteral("在准备导入的文件中，如下的记录与现有的记录发生编号冲突\n") + QString(80, '-') +
                      QStringLiteral("\n(110101000001,一)\n(110101000003,三)\n"));
  EXPECT_TRUE(ImportLeftovers().isEmpty());
}

TEST_F(OfflineExchange, FailureThatIsNoClashShowsItsOwnReason) {
  WorkingDatabase source, target;
  source.Add({{110101000001, "一", 1, 1, 1}});
  target.Connection.Execute(QStringLiteral(
      "CREATE TRIGGER refuse BEFORE INSERT ON dt_data BEGIN SELECT RAISE(ABORT, '记录被拒绝'); END"));
  const QString file = Export(source, QStringLiteral("上级"));

  ASSERT_TRUE(Import(target, file));
  EXPECT_TRUE(target.Rows().empty());
  EXPECT_TRUE(hooks.Opened.isEmpty());
  EXPECT_TRUE(LastMessage().startsWith(QStringLiteral("运行中发生错误：")));
  EXPECT_TRUE(LastMessage().contains(QStringLiteral("记录被拒绝"))) << LastMessage().toStdString();
}

TEST_F(OfflineExchange, BackupsAreReadByTheImporter) {
  WorkingDatabase source, target;
  source.Add(kMixedRecords);
  source.Connection.Execute(QStringLiteral("update ct_label set db_name = '备份单位'"));
  source.Connection.Close();
  // A plain copy of a working database, chosen with the backup filter and a short name.
  QFile::copy(source.Path(), Docs(QStringLiteral("plain.mdb")));
  ASSERT_TRUE(Import(target, Docs(QStringLiteral("plain")), 2));
  EXPECT_EQ(hooks.Messages[hooks.Messages.size() - 2].Text, QStringLiteral("确认准备导入标记声明为【备份单位】的数据么？"));
  source.Activate();
  EXPECT_EQ(target.Rows(), source.Rows()); // a backup carries every record
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("plain.mdb")});
}

TEST_F(OfflineExchange, DeclinedQuestionReturnsFalseAndImportsNothing) {
  WorkingDatabase source, target;
  source.Add({{110101000001, "一", 1, 1, 1}});
  const QString file = Export(source, QStringLiteral("上级"));
  hooks.MessageAnswers.push_back(IDNO);
  EXPECT_FALSE(Import(target, file));
  EXPECT_TRUE(target.Rows().empty());
}

// Files that cannot be imported: each shows its message and changes nothing.
TEST_F(OfflineExchange, UnreadableFilesChangeNothing) {
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
    QString message;
  };
  const std::vector<Case> cases = {
      {"random bytes", random, kFormatError},
      {"cut inside the header", exported.left(1000), kFormatError},
      {"cut inside the first page", exported.left(3000), kFormatError},
      {"cut in the middle", exported.left(exported.size() / 2), kFormatError},
      {"another program's file", zip, kFormatError},
      {"scrambled text", scrambledText, kFormatError},
  };
  WorkingDatabase target;
  target.Add({{110101000001, "已有", 0, 1, 1}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file = Docs(QStringLiteral("坏.dat"));
    fwtest::WriteBytes(file, c.bytes);
    const QByteArray databaseBefore = FileBytes(target.Path());
    hooks.Messages.clear();
    EXPECT_TRUE(Import(target, file));
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(FileBytes(file), c.bytes);
    EXPECT_EQ(FileBytes(target.Path()), databaseBefore);
    EXPECT_EQ(DocsEntries(), (QStringList{QStringLiteral("交换.dat"), QStringLiteral("坏.dat")}));
    EXPECT_TRUE(ImportLeftovers().isEmpty());
  }
}

TEST_F(OfflineExchange, MissingFileAndMissingTable) {
  WorkingDatabase target;
  EXPECT_TRUE(Import(target, Docs(QStringLiteral("没有.dat"))));
  EXPECT_EQ(LastMessage(), QStringLiteral("您选择的文件并不存在，请选择其它文件。"));

  // A database of another program: it opens, but holds no dt_data.
  {
    WorkingDatabase scratch;
    scratch.Connection.Execute(QStringLiteral("drop table dt_data"));
    scratch.Connection.Close();
    QFile::copy(scratch.Path(), Docs(QStringLiteral("other.mdb")));
  }
  EXPECT_TRUE(Import(target, Docs(QStringLiteral("other.mdb")), 2));
  EXPECT_EQ(LastMessage(), QStringLiteral("您选择的文件中不存在名字为\"dt_data\"的数据表"));
}

} // namespace
