// Offline exchange file: header transform on disk, file names, copy-by-name statement and
// the import clash report.
#include "core/DatabaseFiles.h"
#include "core/ExchangeFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace fw;

QByteArray PatternBytes(qsizetype size, int seed) {
  QByteArray data(size, '\0');
  quint32 state = 2463534242u + static_cast<quint32>(seed);
  for (qsizetype i = 0; i < size; ++i) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    data[i] = static_cast<char>(state & 0xFF);
  }
  return data;
}

void WriteFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(f.write(data), data.size());
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(HeaderTransform, ByteValuesAndInverse) {
  struct Case { unsigned char plain, stored; };
  for (const Case c : {Case{0x00, 0x05}, Case{0x01, 0x04}, Case{0x53, 0x52}, Case{0xFD, 0xF8}, Case{0xFE, 0x07},
                       Case{0xFF, 0x06}}) {
    EXPECT_EQ(ScrambleByte(c.plain), c.stored) << int(c.plain);
    EXPECT_EQ(RestoreByte(c.stored), c.plain) << int(c.stored);
  }
  // A bijection: every stored value comes back to its own plain value.
  for (int b = 0; b < 256; ++b) EXPECT_EQ(RestoreByte(ScrambleByte(static_cast<unsigned char>(b))), b);
}

// Sizes around the 1024-byte boundary, an empty file and one of several chunks.
class HeaderFileRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(HeaderFileRoundTrip, ChangesOnlyTheHeaderAndComesBack) {
  const int size = GetParam();
  QTemporaryDir dir;
  const QString path = dir.filePath("交换.dat");
  const QByteArray original = PatternBytes(size, size);
  WriteFile(path, original);

  ASSERT_TRUE(ScrambleFileHeader(path));
  const QByteArray scrambled = ReadFile(path);
  ASSERT_EQ(scrambled.size(), original.size()) << "the file must neither grow nor shrink";
  for (qsizetype i = 0; i < scrambled.size(); ++i) {
    const auto plain = static_cast<unsigned char>(original[i]);
    const auto expected = i < kScrambledHeaderSize ? ScrambleByte(plain) : plain;
    ASSERT_EQ(static_cast<unsigned char>(scrambled[i]), expected) << "byte " << i;
  }

  ASSERT_TRUE(RestoreFileHeader(path));
  EXPECT_EQ(ReadFile(path), original);
}

INSTANTIATE_TEST_SUITE_P(Sizes, HeaderFileRoundTrip, ::testing::Values(0, 1, 16, 1023, 1024, 1025, 4096, 3 << 20));

TEST(HeaderTransform, MissingFileChangesNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("none.dat");
  EXPECT_FALSE(ScrambleFileHeader(path));
  EXPECT_FALSE(RestoreFileHeader(path));
  EXPECT_FALSE(QFile::exists(path));
}

// A file here starts with a random salt: whatever its first bytes (0x05, 0x66 or 0x00),
// restoring undoes exactly the transform and never writes a signature over them.
TEST(HeaderTransform, AnyFirstByteRoundTrips) {
  QTemporaryDir dir;
  for (const char first : {'\x05', '\x66', '\x00', '\xFA'}) {
    const QString path = dir.filePath("salt.dat");
    QByteArray original = PatternBytes(2048, first);
    original[0] = first;
    WriteFile(path, original);
    ASSERT_TRUE(ScrambleFileHeader(path));
    ASSERT_TRUE(RestoreFileHeader(path));
    EXPECT_EQ(ReadFile(path), original) << int(first);
  }
}

// A stand-in for the database: a file "opens" plainly when it begins with the engine's
// signature, with the password when it begins with "KEYED". Records every path it was
// asked about.
const QByteArray kSignature("SQLite format 3\0", 16);

struct FakeTrial {
  QStringList Tried;
  bool operator()(const QString& path, bool keyed) {
    Tried << path + (keyed ? " keyed" : " plain");
    return ReadFile(path).startsWith(keyed ? QByteArray("KEYED") : kSignature);
  }
};

// The chosen file is judged by its first bytes, copied privately and only the copy is
// tried: a plain file without the password, a scrambled plain one restored, a keyed one
// (random first bytes) as it is and then restored. What no database of ours can be is
// refused untried.
TEST(OpenByTrial, OnlyThePrivateCopyIsTriedAsItsHeaderAllows) {
  QTemporaryDir dir;
  struct Case { QByteArray content; bool scramble; bool opened; bool keyed; int trials; };
  const std::vector<Case> cases = {
      {kSignature + PatternBytes(3000, 1), false, true, false, 1},        // plain backup
      {kSignature + PatternBytes(3000, 1), true, true, false, 1},         // scrambled plain file
      {"KEYED backup" + PatternBytes(3000, 2), false, true, true, 1},
      {"KEYED exchange" + PatternBytes(3000, 3), true, true, true, 2},
      {PatternBytes(5000, 4), false, false, false, 2},                    // random bytes
      {QByteArray(), false, false, false, 0},                             // empty file
      {kSignature + PatternBytes(1000, 5), false, false, false, 0},       // shorter than a page
      {"SQLite format 3" + QByteArray(5000, 'a'), true, false, false, 0}, // scrambled text
      {QByteArray(4096, '\0'), false, false, false, 0},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const QString path = dir.filePath(QString("选择%1.dat").arg(i));
    WriteFile(path, c.content);
    if (c.scramble) ScrambleFileHeader(path);
    const QByteArray onDisk = ReadFile(path);

    FakeTrial trial;
    QString copyPath;
    {
      const TExchangeFileAccess access = OpenExchangeFileByTrial(path, std::ref(trial));
      EXPECT_EQ(access.Opened, c.opened) << i;
      EXPECT_EQ(access.Keyed, c.keyed) << i;
      EXPECT_EQ(trial.Tried.size(), c.trials) << i;
      for (const QString& tried : trial.Tried) {
        copyPath = tried.section(' ', 0, 0);
        EXPECT_TRUE(copyPath.endsWith("/temp.dat")) << i << ": never the chosen file";
      }
      if (c.opened) {
        EXPECT_EQ(access.Path, copyPath);
        EXPECT_EQ(ReadFile(copyPath), c.content) << i;
      }
    }
    EXPECT_EQ(ReadFile(path), onDisk) << "the chosen file is never changed";
    if (!copyPath.isEmpty()) {
      EXPECT_FALSE(QFile::exists(copyPath)) << "the copy is always deleted";
    }
  }
  FakeTrial trial;
  EXPECT_FALSE(OpenExchangeFileByTrial(dir.filePath("none.dat"), std::ref(trial)).Opened);
  EXPECT_TRUE(trial.Tried.isEmpty());
}

TEST(ExportLabel, DefaultLabelIsRefusedUntilChangedOrCancelled) {
  struct Case { QString current; std::vector<QString> answers; bool accepted; QString name; int refusals; };
  const QString def = "默认数据库";
  const std::vector<Case> cases = {
      {def, {def, "市总工会"}, true, "市总工会", 1},
      {def, {def, def, "O'Brien 工会"}, true, "O'Brien 工会", 2},
      {def, {QString()}, false, "", 0},
      {def, {def, QString()}, false, "", 1},
      {"区工会", {"区工会"}, true, "区工会", 0},
  };
  for (const Case& c : cases) {
    fwtest::ScriptedHooks hooks;
    QStringList asked;
    std::deque<QString> answers(c.answers.begin(), c.answers.end());
    CurrentHooks().InputBox = [&](const QString& caption, const QString& prompt, QString& value) {
      asked << caption + "|" + prompt + "|" + value;
      const QString answer = answers.front();
      answers.pop_front();
      if (answer.isNull()) return false;
      value = answer;
      return true;
    };
    QString name;
    EXPECT_EQ(AskExportLabel(c.current, name), c.accepted) << c.name.toStdString();
    if (c.accepted) {
      EXPECT_EQ(name, c.name);
    }
    EXPECT_EQ(hooks.Messages.size(), size_t(c.refusals));
    for (const auto& m : hooks.Messages) EXPECT_EQ(m.Text, "必须修改默认的名称！");
    ASSERT_FALSE(asked.isEmpty());
    EXPECT_EQ(asked.first(), "设置数据库标识|请输入提供数据的单位的名称，长度不要超过200个汉字|" + c.current);
    EXPECT_TRUE(answers.empty());
  }
}

TEST(ExchangeFileNames, OfflineExportImportAndBackup) {
  EXPECT_EQ(OfflineExportProposedName("市总工会", QDate(2014, 3, 7)), "市总工会-2014-03-07(离线版)");
  // A label is no folder: what a file name cannot hold becomes "_".
  EXPECT_EQ(OfflineExportProposedName("市/区:工会", QDate(2014, 3, 7)), "市_区_工会-2014-03-07(离线版)");

  struct Case { const char* chosen; const char* file; };
  for (const Case c : {Case{"abc", "abc.dat"}, Case{"abcd", "abcd.dat"}, Case{".dat", ".dat.dat"},
                       Case{"a.dat", "a.dat"}, Case{"abcde", "abcde.dat"}, Case{"a.DAT", "a.DAT.dat"},
                       Case{"/home/u/报表.dat", "/home/u/报表.dat"}})
    EXPECT_EQ(DatFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.file)) << c.chosen;

  struct ImportCase { const char* chosen; int filter; const char* file; };
  for (const ImportCase c : {ImportCase{"abcd", 1, "abcd"}, ImportCase{"abcd", 2, "abcd"},
                             ImportCase{"abcde", 1, "abcde.dat"}, ImportCase{"abcde", 2, "abcde.mdb"},
                             ImportCase{"x.dat", 1, "x.dat"}, ImportCase{"x.dat", 2, "x.dat.mdb"},
                             ImportCase{"x.mdb", 2, "x.mdb"}, ImportCase{"x.mdb", 1, "x.mdb.dat"}})
    EXPECT_EQ(ImportFileName(c.chosen, c.filter), c.file) << c.chosen << " filter " << c.filter;

  for (const Case c : {Case{"abcd", "abcd"}, Case{"abcde", "abcde.mdb"}, Case{"abc.MDB", "abc.MDB.mdb"},
                       Case{"备份.mdb", "备份.mdb"}, Case{"x.mdb", "x.mdb"}})
    EXPECT_EQ(BackupFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.file)) << c.chosen;
}

TEST(CopyByName, MatchesColumnsByNameNotPosition) {
  // The file's table has its columns in another order, another case, one extra and one missing.
  const QStringList target = {"c901", "c902", "z001", "RecordState", "c912"};
  const QStringList source = {"Z001", "recordstate", "c902", "extra", "C901"};
  const QStringList common = CommonColumns(target, source);
  EXPECT_EQ(common, (QStringList{"c901", "c902", "z001", "RecordState"}));

  EXPECT_EQ(BuildCopyByNameSql("dt_data", "src.dt_data", common),
            "INSERT INTO dt_data ([c901],[c902],[z001],[RecordState]) SELECT [c901],[c902],[z001],[RecordState] "
            "FROM src.dt_data");
  EXPECT_EQ(BuildCopyByNameSql("dt_data_", "src.dt_data", {"c901"}, "RecordState=1"),
            "INSERT INTO dt_data_ ([c901]) SELECT [c901] FROM src.dt_data WHERE RecordState=1");
  EXPECT_EQ(BuildCopyByNameSql("dt_data", "src.dt_data", CommonColumns(target, {"other"})), "");
}

TEST(ClashReport, CodesInAscendingOrderAndInFull) {
  const QString text = BuildClashReport({{440106000002LL, "乙工会"}, {110101000001LL, "甲,工会"}, {9, "短码"}});
  const QString expected = QString("在准备导入的文件中，如下的记录与现有的记录发生编号冲突\n") + QString(80, '-') + "\n" +
                           "(9,短码)\n(110101000001,甲,工会)\n(440106000002,乙工会)\n";
  EXPECT_EQ(text, expected);
  EXPECT_EQ(BuildClashReport({}), QString("在准备导入的文件中，如下的记录与现有的记录发生编号冲突\n") + QString(80, '-') + "\n");

  QTemporaryDir dir;
  const QString path = WriteImportClashReport(dir.path(), {{2, "乙"}, {1, "甲"}});
  EXPECT_EQ(path, dir.filePath("数据导入编号冲突.txt"));
  EXPECT_EQ(QString::fromUtf8(ReadFile(path)), BuildClashReport({{1, "甲"}, {2, "乙"}}));
  EXPECT_THROW(WriteImportClashReport(dir.filePath("missing"), {}), std::runtime_error);

  const QString message = ImportClashMessage("/home/u/文档/数据导入编号冲突.txt");
  EXPECT_TRUE(message.startsWith("导入过程中发生错误，准备导入的数据可能与现有的\n数据有重复的内容"));
  EXPECT_TRUE(message.endsWith(QString(12, ' ') + "/home/u/文档/数据导入编号冲突.txt。"));
}

} // namespace
