// The list export to a workbook and to a database file: the cells and formats of the
// workbook list, a long streamed list read back cell by cell, the dialog and its naming
// rule, the refusals, and the files of either kind never half-written.
#include "core/DatabaseFiles.h"
#include "core/DatabaseOpening.h"
#include "core/FileUtils.h"
#include "core/ListExport.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/Schema.h"
#include "platform/shell/FileWriter.h"
#include "platform/sheet/SheetApplication.h"
#include "tests/core/RecordingProgress.h"
#include "tests/core/WorkingDatabase.h"

#include <QDir>
#include <unistd.h>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace {

using namespace fw;
using fwtest::Chosen;
using fwtest::FileBytes;
using fwtest::RecordingProgress;
using fwtest::WorkingDatabase;

class ListExport : public ::testing::Test {
protected:
  void SetUp() override {
    hooks.FixedNow = QDateTime(QDate(2015, 1, 20), QTime(8, 0));
    db.Connection.Execute(QStringLiteral("create table t_list (id INTEGER, name VARCHAR(30), cid VARCHAR(20), flag BIT, "
                                         "day DATE, amount DOUBLE, skipped INTEGER)"));
    db.Connection.Execute(QStringLiteral("insert into t_list values (1, ?, '0012', -1, '2014-03-05', 1234.5, 9)"),
                          QVariantList{QStringLiteral("O'Brien 工会")});
    db.Connection.Execute(QStringLiteral("insert into t_list (id, flag) values (2, 0)"));
  }

  std::unique_ptr<TADOQuery> Query(const QString& sql, TADOConnection* connection = nullptr) {
    auto query = std::make_unique<TADOQuery>(connection ? connection : &db.Connection);
    query->SetSQL(sql);
    query->Open();
    return query;
  }

  // A connection of its own to an exported database file.
  static std::unique_ptr<TADOConnection> OpenFile(const QString& file) {
    auto connection = std::make_unique<TADOConnection>();
    connection->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file);
    connection->Open();
    return connection;
  }

  QString Docs(const QString& name) const { return QDir(folders.DocumentsDir()).filePath(name); }
  QStringList DocsEntries() const { return QDir(folders.DocumentsDir()).entryList(QDir::Files | QDir::Hidden); }
  QStringList MessageTexts() const {
    QStringList texts;
    for (const auto& m : hooks.Messages) texts << m.Text;
    return texts;
  }

  static TFieldData Shown(const char* name, const char* hint, bool shown = true) {
    TFieldData d;
    d.ShowName = QString::fromLatin1(name);
    d.Hint = QString::fromUtf8(hint);
    d.QueryShow = shown;
    return d;
  }

  WorkingDatabase db;
  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  RecordingProgress progress;
};

TEST_F(ListExport, WorkbookListHasItsRowsColumnsAndFormats) {
  auto query = Query(QStringLiteral("select * from t_list order by id"));
  const TFieldDataArray fields{Shown("id", "编号"),   Shown("skipped", "不导出", false), Shown("name", "名称"),
                               Shown("cid", "代码"), Shown("flag", "标志"),             Shown("day", "日期"),
                               Shown("amount", "金额")};
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("名单"))));
  ASSERT_TRUE(SaveQueryAsExcel(*query, QStringLiteral("单位/数据:列表"), fields, progress)) << MessageTexts().join('\n').toStdString();

  ASSERT_EQ(hooks.SaveRequests.size(), 1u);
  EXPECT_EQ(hooks.SaveRequests[0].Title, QStringLiteral("导出文件存放为"));
  EXPECT_EQ(hooks.SaveRequests[0].Filter, QStringLiteral("Excel 文件(*.xlsx)|*.xlsx"));
  EXPECT_EQ(hooks.SaveRequests[0].FileName, QStringLiteral("单位_数据_列表-2015-01-20"));
  EXPECT_EQ(hooks.SaveRequests[0].InitialDir, folders.DocumentsDir());
  const QString file = Docs(QStringLiteral("名单.xlsx"));
  EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("Excel文件已经正确导出到：'") + file});
  EXPECT_EQ(progress.Events, (QStringList{"show 数据导出...", "start 2 1", "step", "show 数据导出...100%", "step", "hide"}));
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("名单.xlsx")});
  EXPECT_EQ(query->RecNo(), 1); // the list's cursor stays where it was

  TSheetApplication app(QStringLiteral("Excel.Application"));
  TWorksheet& sheet = app.Workbooks().Open(file).Sheets(1);
  EXPECT_EQ(sheet.Name(), QStringLiteral("单位_数据_列表"));
  EXPECT_EQ(sheet.CellValue(2, 1), QVariant(QStringLiteral("导出日期:")));
  EXPECT_TRUE(sheet.Cells(2, 1).Font().Bold());
  EXPECT_EQ(sheet.Cells(2, 1).Font().Size(), 12);
  EXPECT_EQ(sheet.CellValue(2, 2), QVariant(QStringLiteral("2015-01-20")));
  EXPECT_EQ(sheet.Cells(2, 2).NumberFormatLocal(), QStringLiteral("@"));

  // The skipped descriptor leaves no gap.
  const QStringList titles{"编号", "名称", "代码", "标志", "日期", "金额"};
  for (int c = 0; c < titles.size(); ++c) EXPECT_EQ(sheet.CellValue(3, c + 1).toString(), titles[c]) << c;
  EXPECT_TRUE(sheet.Cells(3, 7).IsEmpty());
  EXPECT_TRUE(sheet.Cells(4, 1).IsEmpty());

  const QStringList formats{"#,##0_ ", "@", "@", "@", "yyyy-mm", "￥#,##0.00;￥-#,##0.00"};
  for (int c = 0; c < formats.size(); ++c) EXPECT_EQ(sheet.Cells(5, c + 1).NumberFormatLocal(), formats[c]) << c;

  EXPECT_EQ(sheet.CellValue(5, 1), QVariant(1.0));
  EXPECT_EQ(sheet.CellValue(5, 2), QVariant(QStringLiteral("O'Brien 工会")));
  EXPECT_EQ(sheet.CellValue(5, 3), QVariant(QStringLiteral("0012"))); // kept as text
  EXPECT_EQ(sheet.CellValue(5, 4), QVariant(QStringLiteral("是")));
  EXPECT_EQ(sheet.CellValue(5, 5), QVariant(QStringLiteral("2014-03")));
  EXPECT_EQ(sheet.CellValue(5, 6), QVariant(1234.5));
  EXPECT_EQ(sheet.CellValue(6, 1), QVariant(2.0));
  EXPECT_TRUE(sheet.Cells(6, 2).IsEmpty());
  EXPECT_EQ(sheet.CellValue(6, 4), QVariant(QStringLiteral("不是")));
  EXPECT_EQ(sheet.CellValue(6, 5), QVariant(0.0)); // an empty date
  EXPECT_TRUE(sheet.Cells(6, 6).IsEmpty());
  EXPECT_TRUE(sheet.Cells(7, 1).IsEmpty());
  EXPECT_GT(sheet.Cells(1, 2).ColumnWidth(), sheet.Content().DefaultColumnWidth); // fitted to "O'Brien 工会"
}

// A long, wide list streamed into a workbook reads back cell by cell: whole and real
// numbers as numbers, dates as their month, texts that the file must escape as they
// were, a number-like text of a text column as text, empty values as empty cells.
TEST_F(ListExport, StreamedWorkbookReadsBackCellByCell) {
  constexpr int kRows = 1100, kCounts = 159;
  QStringList columns{"id INTEGER", "amount DOUBLE", "day DATE", "name VARCHAR(60)", "code VARCHAR(12)"};
  QStringList marks(5, QStringLiteral("?"));
  for (int i = 1; i <= kCounts; ++i) {
    columns << QStringLiteral("n%1 INTEGER").arg(i, 3, 10, QLatin1Char('0'));
    marks << QStringLiteral("?");
  }
  const QStringList texts{"<甲&乙>", "\"quoted\" 'single'", "_x0041_ stays", "  blanks  ", "line\nbreak\ttab",
                          QString(QChar(1)) + "control"};
  auto value = [&](int r, int c) -> QVariant {
    switch (c) {
    case 0: return r;
    case 1: return r % 7 == 0 ? QVariant() : QVariant(r * 1.25 - 100);
    case 2: return r % 5 == 0 ? QVariant() : QVariant(QStringLiteral("2014-%1-05").arg(r % 12 + 1, 2, 10, QLatin1Char('0')));
    case 3: return texts[r % texts.size()] + QString::number(r);
    case 4: return r % 3 == 0 ? QVariant() : QVariant(QStringLiteral("%1").arg(r, 6, 10, QLatin1Char('0')));
    default: return r % 11 == c % 11 ? QVariant() : QVariant((r * c) % 2001 - 1000);
    }
  };
  db.Connection.Execute(QStringLiteral("create table wide (") + columns.join(QStringLiteral(", ")) + ')');
  db.Connection.BeginTrans();
  for (int r = 0; r < kRows; ++r) {
    QVariantList row;
    for (int c = 0; c < columns.size(); ++c) row << value(r, c);
    db.Connection.Execute(QStringLiteral("insert into wide values (") + marks.join(',') + ')', row);
  }
  db.Connection.CommitTrans();
  auto query = Query(QStringLiteral("select * from wide order by id"));
  ASSERT_EQ(query->FieldCount(), 164);
  const QString file = Docs(QStringLiteral("wide.xlsx"));
  WriteListWorkbook(*query, DescribeFields(*query), QStringLiteral("宽表"), QDate(2015, 1, 20), file, {});

  // What each cell should read back as.
  auto expected = [&](int r, int c) -> QVariant {
    const QVariant v = value(r, c);
    if (c == 2) return v.isNull() ? QVariant(0.0) : QVariant(v.toString().left(7));
    if (v.isNull() || c == 3 || c == 4) return v;
    return v.toDouble();
  };
  TSheetApplication app(QStringLiteral("Excel.Application"));
  TWorksheet& sheet = app.Workbooks().Open(file).Sheets(1);
  EXPECT_EQ(sheet.Name(), QStringLiteral("宽表"));
  EXPECT_EQ(sheet.CellValue(3, 164), QVariant(QStringLiteral("n159")));
  int wrong = 0;
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < 164; ++c)
      if (sheet.CellValue(r + kListFirstRecordRow, c + 1) != expected(r, c) && ++wrong <= 5)
        ADD_FAILURE() << "row " << r << " column " << c << ": " << sheet.CellText(r + kListFirstRecordRow, c + 1).toStdString();
  EXPECT_EQ(wrong, 0);
  EXPECT_TRUE(sheet.Cells(kRows + kListFirstRecordRow, 1).IsEmpty());
  EXPECT_EQ(sheet.Cells(kListFirstRecordRow, 2).NumberFormatLocal(), QStringLiteral("￥#,##0.00;￥-#,##0.00"));
  EXPECT_EQ(sheet.Cells(kListFirstRecordRow, 5).NumberFormatLocal(), QStringLiteral("@"));
}

// A workbook list that fails half way (a text longer than a cell holds, a disk that
// fills up) leaves no file behind, not even a working file, and says why.
TEST_F(ListExport, WorkbookThatFailsHalfWayLeavesNoFile) {
  db.Connection.Execute(QStringLiteral("create table names (id INTEGER, name VARCHAR(50))"));
  db.Connection.BeginTrans();
  for (int i = 0; i < 2000; ++i)
    db.Connection.Execute(QStringLiteral("insert into names values (?, ?)"),
                          QVariantList{i, i == 1000 ? QString(40000, QLatin1Char('x')) : QStringLiteral("单位%1").arg(i)});
  db.Connection.CommitTrans();
  const struct {
    const char* sql;
    qint64 faultAfter;  // bytes written before the disk is full; 0 none
    const char* cause;
  } cases[] = {
      {"select * from names order by id", 0, "文本过长"},
      {"select * from names where id <> 1000 order by id", 1000, "磁盘空间不足"},
  };
  for (const auto& c : cases) {
    hooks.Messages.clear();
    progress.Events.clear();
    auto rows = Query(QString::fromLatin1(c.sql));
    hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("名单"))));
    if (c.faultAfter > 0) InjectWriteFault(c.faultAfter, ENOSPC);
    EXPECT_FALSE(SaveQueryAsExcel(*rows, QStringLiteral("列表"), DescribeFields(*rows), progress));
    ClearWriteFault();
    ASSERT_EQ(hooks.Messages.size(), 1u) << c.cause;
    EXPECT_TRUE(hooks.Messages[0].Text.startsWith(QStringLiteral("运行中发生错误：")));
    EXPECT_TRUE(hooks.Messages[0].Text.contains(QString::fromUtf8(c.cause))) << hooks.Messages[0].Text.toStdString();
    EXPECT_EQ(progress.Events.last(), QStringLiteral("hide"));
    EXPECT_TRUE(DocsEntries().isEmpty()) << DocsEntries().join(' ').toStdString();
  }
}

TEST_F(ListExport, EmptyListsAndCancelledDialogsWriteNothing) {
  auto empty = Query(QStringLiteral("select * from t_list where id > 100"));
  EXPECT_FALSE(SaveQueryAsExcel(*empty, QStringLiteral("列表"), DescribeFields(*empty), progress));
  EXPECT_FALSE(SaveQueryAsAccess(*empty, QStringLiteral("列表"), progress));
  EXPECT_EQ(MessageTexts(), (QStringList{"SaveQueryAsExcel出错:数据表为空，不能导出！", "SaveQueryAsAccess:：出错:数据表为空，不能导出！"}));
  EXPECT_TRUE(hooks.SaveRequests.empty());

  hooks.Messages.clear();
  auto rows = Query(QStringLiteral("select * from t_list"));
  hooks.SaveAnswers.push_back(FileDialogResult{});        // cancelled
  hooks.SaveAnswers.push_back(Chosen(QStringLiteral("  "))); // no name
  EXPECT_FALSE(SaveQueryAsExcel(*rows, QStringLiteral("列表"), DescribeFields(*rows), progress));
  EXPECT_FALSE(SaveQueryAsAccess(*rows, QStringLiteral("列表"), progress));
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_TRUE(progress.Events.isEmpty());
  EXPECT_TRUE(DocsEntries().isEmpty());
}

TEST_F(ListExport, EndingIsAppendedToNamesLongerThanFourCharacters) {
  const struct {
    const char* chosen;
    const char* ending;
    const char* file;
  } cases[] = {
      {"abcd", ".xlsx", "abcd"},          {"a.xl", ".xlsx", "a.xl"},           {"lists", ".xlsx", "lists.xlsx"},
      {"x.xlsx", ".xlsx", "x.xlsx"},      {"list.XLSX", ".xlsx", "list.XLSX.xlsx"}, {"数据", ".mdb", "数据"},
      {"导出的数据", ".mdb", "导出的数据.mdb"}, {"a.mdb", ".mdb", "a.mdb"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WithEndingWhenLong(QString::fromUtf8(c.chosen), QString::fromLatin1(c.ending)), QString::fromUtf8(c.file)) << c.chosen;
}

TEST_F(ListExport, WorkbookRefusesMoreRecordsThanASheetHolds) {
  EXPECT_EQ(MaxListRecords(), 1048576 - 4);
  db.Connection.Execute(QStringLiteral("create table big (n INTEGER)"));
  TADOQuery insert(&db.Connection);
  insert.SetSQL(QStringLiteral("insert into big (n) values (:n)"));
  db.Connection.BeginTrans();
  for (int i = 0; i <= MaxListRecords(); ++i) {
    insert.ParamByName(QStringLiteral("n")).SetValue(i);
    insert.ExecSQL();
  }
  db.Connection.CommitTrans();
  auto rows = Query(QStringLiteral("select n from big"));
  EXPECT_FALSE(SaveQueryAsExcel(*rows, QStringLiteral("列表"), DescribeFields(*rows), progress));
  EXPECT_TRUE(hooks.SaveRequests.empty());
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, TooManyRecordsMessage(1048573));
  EXPECT_TRUE(progress.Events.isEmpty());
}

TEST_F(ListExport, DatabaseTableHoldsTheValuesAndIsReplacedOnTheNextExport) {
  const QString file = Docs(QStringLiteral("查询结果.mdb"));
  auto all = Query(QStringLiteral("select * from t_list order by id"));
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("查询结果"))));
  ASSERT_TRUE(SaveQueryAsAccess(*all, QStringLiteral("Fenwright查询结果"), progress)) << MessageTexts().join('\n').toStdString();
  EXPECT_EQ(hooks.SaveRequests[0].Filter, QStringLiteral("Access文件(*.mdb)|*.mdb"));
  EXPECT_EQ(hooks.SaveRequests[0].FileName, QStringLiteral("Fenwright查询结果-2015-01-20"));
  EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("Access文件已经正确导出到：'") + file + QStringLiteral("'！")});
  EXPECT_EQ(progress.Events, (QStringList{"show 数据导出...", "start 2 0", "step", "show 数据导出...50%", "step",
                                          "show 数据导出...100%", "hide"}));

  // A second list into the same file, and the first again: each table is replaced whole.
  auto other = Query(QStringLiteral("select id, name from t_list where id = 2"));
  hooks.SaveAnswers.push_back(Chosen(file));
  ASSERT_TRUE(SaveQueryAsAccess(*other, QStringLiteral("其他"), progress));
  auto first = Query(QStringLiteral("select * from t_list where id = 1"));
  hooks.SaveAnswers.push_back(Chosen(file));
  ASSERT_TRUE(SaveQueryAsAccess(*first, QStringLiteral("Fenwright查询结果"), progress));
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("查询结果.mdb")});

  auto out = OpenFile(file);
  auto result = Query(QStringLiteral("select * from Fenwright查询结果"), out.get());
  ASSERT_EQ(result->RecordCount(), 1);
  EXPECT_EQ(result->FieldNames(), (QStringList{"id", "name", "cid", "flag", "day", "amount", "skipped"}));
  EXPECT_EQ(result->FieldByName("name")->AsString(), QStringLiteral("O'Brien 工会"));
  EXPECT_EQ(result->FieldByName("flag")->AsInteger(), -1);
  EXPECT_EQ(result->FieldByName("amount")->AsFloat(), 1234.5);
  EXPECT_EQ(result->FieldByName("cid")->AsString(), QStringLiteral("0012"));
  auto kept = Query(QStringLiteral("select * from 其他"), out.get());
  ASSERT_EQ(kept->RecordCount(), 1);
  // An empty number is written as 0, an empty text as an empty text.
  EXPECT_EQ(kept->FieldByName("id")->AsInteger(), 2);
  EXPECT_FALSE(kept->FieldByName("name")->IsNull());
  EXPECT_EQ(kept->FieldByName("name")->AsString(), QString());
}

TEST_F(ListExport, DatabaseTableWritesAnEmptyDateAsNullAndAnEmptyNumberAsZero) {
  auto second = Query(QStringLiteral("select * from t_list where id = 2"));
  const QString file = Docs(QStringLiteral("list.mdb"));
  QString failed = QStringLiteral("x");
  WriteListTable(*second, file, QStringLiteral("t"), {}, failed);
  EXPECT_TRUE(failed.isEmpty());
  auto out = OpenFile(file);
  auto row = Query(QStringLiteral("select * from t"), out.get());
  EXPECT_TRUE(row->FieldByName("day")->IsNull());
  EXPECT_FALSE(row->FieldByName("amount")->IsNull());
  EXPECT_EQ(row->FieldByName("amount")->AsFloat(), 0.0);
  EXPECT_EQ(row->FieldByName("skipped")->AsInteger(), 0);
  EXPECT_EQ(row->FieldByName("flag")->AsInteger(), 0);
}

// The text shown for a record that could not be written: the whole INSERT statement with
// the values the table would get written in (quotes doubled, an empty date null, an
// empty number 0, a boolean -1 or 0).
TEST_F(ListExport, FailedRecordIsShownAsItsInsertStatement) {
  auto rows = Query(QStringLiteral("select * from t_list order by id"));
  const QString head = QStringLiteral("INSERT INTO 查询结果  ([id],[name],[cid],[flag],[day],[amount],[skipped]) Values(");
  EXPECT_EQ(ListInsertStatement(*rows, QStringLiteral("查询结果"), 0),
            head + QStringLiteral("1,'O''Brien 工会','0012',-1,'2014-03-05',1234.5,9)"));
  EXPECT_EQ(ListInsertStatement(*rows, QStringLiteral("查询结果"), 1), head + QStringLiteral("2,'','',0,null,0,0)"));
}

// A file that exists is used only when the person agrees, asked about the name with the
// ending added; the question's default is No, and No leaves the file as it was, byte for
// byte. Yes: a workbook replaces the file, a database file gets the list's table anew and
// keeps its other tables.
TEST_F(ListExport, ExistingFileIsUsedOnlyAfterAsking) {
  auto rows = Query(QStringLiteral("select * from t_list"));
  const QString workbook = Docs(QStringLiteral("名单.xlsx"));
  fwtest::WriteBytes(workbook, QByteArray("the user's own workbook"));
  const QString database = Docs(QStringLiteral("名单.mdb"));
  QString failed;
  auto one = Query(QStringLiteral("select * from t_list where id = 1"));
  WriteListTable(*one, database, QStringLiteral("列表"), {}, failed);
  WriteListTable(*one, database, QStringLiteral("其他"), {}, failed);

  struct Case {
    QString file;
    std::function<bool()> save;
  };
  const Case cases[] = {
      {workbook, [&] { return SaveQueryAsExcel(*rows, QStringLiteral("列表"), DescribeFields(*rows), progress); }},
      {database, [&] { return SaveQueryAsAccess(*rows, QStringLiteral("列表"), progress); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    hooks.Messages.clear();
    const QByteArray before = FileBytes(c.file);
    hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("名单"))));
    hooks.MessageAnswers.push_back(IDNO);
    EXPECT_FALSE(c.save());
    ASSERT_EQ(hooks.Messages.size(), 1u);
    EXPECT_TRUE(hooks.Messages[0].Text.startsWith(QDir::toNativeSeparators(c.file)));
    EXPECT_TRUE(hooks.Messages[0].Flags & MB_DEFBUTTON2);
    EXPECT_EQ(FileBytes(c.file), before);

    hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("名单"))));
    hooks.MessageAnswers.push_back(IDYES);
    EXPECT_TRUE(c.save());
    EXPECT_NE(FileBytes(c.file), before);
  }
  auto out = OpenFile(database);
  EXPECT_EQ(Query(QStringLiteral("select * from 列表"), out.get())->RecordCount(), 2);
  EXPECT_EQ(Query(QStringLiteral("select * from 其他"), out.get())->RecordCount(), 1);
}

// While the question about an existing file is open, someone swaps the file for a link, or
// for a hard link, to the working database: the export opens the file once, without
// following a link, refuses the link and the database in use, and copies nothing of the
// working database anywhere.
TEST_F(ListExport, TargetSwappedWhileAskingIsJudgedAsItIsOpened) {
  auto rows = Query(QStringLiteral("select * from t_list"));
  const QString file = Docs(QStringLiteral("名单.mdb"));
  const QByteArray working = FileBytes(db.Path());
  const struct {
    const char* swap;
    bool (*link)(const QString& target, const QString& name);
    QString message;
  } cases[] = {
      {"symbolic link", [](const QString& t, const QString& n) { return QFile::link(t, n); },
       kTargetNotPlainFileMessage},
      {"hard link",
       [](const QString& t, const QString& n) {
         return ::link(QFile::encodeName(t).constData(), QFile::encodeName(n).constData()) == 0;
       },
       kDatabaseInUseTargetMessage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.swap);
    QString failed;
    WriteListTable(*rows, file, QStringLiteral("旧"), {}, failed);
    hooks.Messages.clear();
    hooks.SaveAnswers.push_back(Chosen(file));
    hooks.MessageAnswers.push_back(IDYES);
    bool swapped = false;
    hooks.WhileMessageOpen = [&](const QString&) {
      if (std::exchange(swapped, true)) return;
      QFile::remove(file);
      ASSERT_TRUE(c.link(db.Path(), file));
    };
    EXPECT_FALSE(SaveQueryAsAccess(*rows, QStringLiteral("列表"), progress));
    hooks.WhileMessageOpen = nullptr;
    EXPECT_EQ(hooks.MessageTexts().last(), c.message.arg(file));
    EXPECT_EQ(FileBytes(db.Path()), working);
    EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("名单.mdb")});
    QFile::remove(file);
  }
}

TEST_F(ListExport, FailedDatabaseExportLeavesTheFileAsItWas) {
  const QString file = Docs(QStringLiteral("old.mdb"));
  fwtest::WriteBytes(file, QByteArray("not a database at all, but the user's file"));
  const QByteArray before = FileBytes(file);
  auto rows = Query(QStringLiteral("select * from t_list"));
  hooks.SaveAnswers.push_back(Chosen(file));
  hooks.MessageAnswers.push_back(IDYES); // use the file that exists
  EXPECT_FALSE(SaveQueryAsAccess(*rows, QStringLiteral("t"), progress));
  ASSERT_EQ(hooks.Messages.size(), 3u);
  EXPECT_TRUE(hooks.Messages[1].Text.startsWith(QStringLiteral("运行中发生错误：")));
  EXPECT_TRUE(hooks.Messages[1].Text.endsWith(QStringLiteral(",请与系统管理员或软件发行者联系。")));
  EXPECT_EQ(hooks.Messages[2].Text, QString()); // no record had been written yet
  EXPECT_EQ(progress.Events.last(), QStringLiteral("hide"));
  EXPECT_EQ(FileBytes(file), before);
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("old.mdb")});

  // A list whose fields cannot make a table: the file keeps its own tables.
  hooks.Messages.clear();
  auto plain = Query(QStringLiteral("select id from t_list"));
  const QString good = Docs(QStringLiteral("good.mdb"));
  QString failed;
  WriteListTable(*plain, good, QStringLiteral("keep"), {}, failed);
  const QByteArray goodBefore = FileBytes(good);
  auto twice = Query(QStringLiteral("select id, id from t_list"));
  EXPECT_ANY_THROW(WriteListTable(*twice, good, QStringLiteral("keep"), {}, failed));
  EXPECT_EQ(FileBytes(good), goodBefore);
  EXPECT_EQ(DocsEntries(), (QStringList{QStringLiteral("good.mdb"), QStringLiteral("old.mdb")}));

  // A file with a virtual table (here of the list's name, which the export would drop), or
  // with a computed column (whose expression the engine's check would compute), is not
  // written into.
  const struct {
    const char* name;
    QStringList statements;
    QString refusal;
  } refused[] = {
      {"virtual.mdb", fwtest::DeclareVirtualTable(QStringLiteral("keep"), QStringLiteral("fts4"), QStringLiteral("id")),
       kVirtualTableRefusal},
      {"computed.mdb", {QStringLiteral("create table other (a INTEGER, b INTEGER AS (a * 2) NOT NULL)")}, kComputedColumnRefusal},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.name);
    const QString target = Docs(QString::fromLatin1(c.name));
    fwtest::WriteBytes(target, QByteArray());
    {
      TADOConnection db;
      db.SetConnectionString(JetConnectionString(target));
      db.Open();
      for (const QString& sql : c.statements) db.Execute(sql);
    }
    const QByteArray targetBefore = FileBytes(target);
    try {
      WriteListTable(*plain, target, QStringLiteral("keep"), {}, failed);
      ADD_FAILURE() << "written";
    } catch (const std::exception& e) {
      EXPECT_EQ(ErrorText(e), c.refusal);
    }
    EXPECT_EQ(FileBytes(target), targetBefore);
  }
}

} // namespace
