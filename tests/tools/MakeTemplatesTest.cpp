// The summary and print templates of the program folder: their sheets, titles, headings
// and labels agree with the summary definitions and the field list; the generator refuses
// damaged descriptions without leaving files behind.
#include "core/SummaryDefs.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/sheet/SheetApplication.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace fw;

struct FieldInfo {
  QString Hint;
  int PageId = -1;
  int PrintPage = -1;
  QString PrintPlace;
};

class Templates : public ::testing::Test {
protected:
  void SetUp() override {
    TADOConnection connection;
    connection.SetConnectionString("Data Source=" + copy_.FilePath("2014NB_qz.mdb"));
    connection.Open();
    TADOQuery query(&connection);
    query.SetSQL("select FieldName, Hint, PageID, printPageID, printplace from dt_fieldlist order by ID");
    query.Open();
    for (query.First(); !query.Eof(); query.Next()) {
      fieldOrder_ << query.Fields(0)->AsString();
      fields_.insert(query.Fields(0)->AsString(), {query.Fields(1)->AsString(), query.Fields(2)->AsInteger(),
                                                   query.Fields(3)->AsInteger(), query.Fields(4)->AsString()});
    }
  }

  TWorkbook& Open(const char* name) { return app_->Workbooks().Open(copy_.FilePath(QString::fromUtf8(name))); }

  fwtest::ProgramFolderCopy copy_;
  std::unique_ptr<TSheetApplication> app_ = CreateOleObject("Excel.Application");
  QStringList fieldOrder_;
  QHash<QString, FieldInfo> fields_;
};

TEST_F(Templates, SummarySheetsFollowTheDefinitions) {
  TWorkbook& book = Open("2014基层以上汇总表.xltx");
  ASSERT_EQ(book.Sheets().Count(), 19);
  EXPECT_EQ(book.Sheets(1).Name(), "封面");
  EXPECT_EQ(book.Sheets(1).Range("A1").Font().Name(), "宋体");
  for (const TSummarySheetDef& def : SummarySheetDefs()) {
    TWorksheet& sheet = book.Sheets(def.SheetNo);
    SCOPED_TRACE(def.Title.toStdString());
    EXPECT_LE(sheet.Name().size(), 31);
    EXPECT_EQ(sheet.Range("A1").Value().toString(), def.Title);
    EXPECT_TRUE(sheet.Range("A2").IsEmpty()) << "the mode caption goes into A2";
    EXPECT_EQ(sheet.Range("A8").Value().toString(), "甲");

    // Headings from column B in item order: a field's title over as many columns as the
    // item has result columns, the answers beneath, the column numbers in row 8.
    int col = 2;
    for (const TSummaryItem& item : def.Items) {
      const int width = static_cast<int>(SummaryItemColumns(item).size());
      const TRange heading = sheet.Cells(2, col).MergeArea();
      EXPECT_EQ(heading.ColumnsCount(), width) << "column " << col;
      if (item.Kind == TSummaryKind::Count)
        EXPECT_EQ(heading.Value().toString(), "汇总单位数");
      else if (item.Kind == TSummaryKind::Numeric || item.Kind == TSummaryKind::YesNo)
        EXPECT_EQ(heading.Value().toString(), fields_.value(item.Field).Hint) << item.Field.toStdString();
      else
        EXPECT_TRUE(fields_.value(item.Field).Hint.startsWith(heading.Value().toString())) << item.Field.toStdString();
      if (item.Kind == TSummaryKind::YesNo) {
        EXPECT_EQ(sheet.Cells(6, col).Value().toString(), "是");
        EXPECT_EQ(sheet.Cells(6, col + 1).Value().toString(), "否");
      }
      col += width;
    }
    const int columns = SummaryColumnCount(def.SheetNo);
    EXPECT_EQ(col, columns + 2);
    for (int i = 1; i <= columns; ++i) EXPECT_EQ(sheet.Cells(8, i + 1).Value().toDouble(), i);
    EXPECT_TRUE(sheet.Cells(8, columns + 2).IsEmpty());
    // The first data row is framed to the last column and holds nothing yet.
    EXPECT_EQ(sheet.Cells(9, columns + 1).Borders().LineStyle(), xlContinuous);
    EXPECT_EQ(sheet.Cells(9, columns + 2).Borders().LineStyle(), xlLineStyleNone);
    EXPECT_TRUE(sheet.Cells(9, 1).IsEmpty());
    EXPECT_TRUE(sheet.Cells(9, 2).IsEmpty());
  }
}

TEST_F(Templates, PrintSheetsLabelEveryField) {
  TWorkbook& book = Open("2014打印表.xltx");
  ASSERT_EQ(book.Sheets().Count(), 12);
  EXPECT_EQ(book.Sheets(1).Name(), "封面");
  int printed = 0;
  for (const QString& name : fieldOrder_) {
    const FieldInfo& field = fields_[name];
    if (field.PageId < 0) continue;
    ++printed;
    SCOPED_TRACE(name.toStdString());
    TWorksheet& sheet = book.Sheets(field.PrintPage);
    const TRange cell = sheet.Range(field.PrintPlace);
    EXPECT_TRUE(cell.IsEmpty());
    EXPECT_EQ(cell.Borders().LineStyle(), xlContinuous);
    EXPECT_EQ(sheet.Cells(cell.Row(), 2).Value().toString(), field.Hint);
    EXPECT_EQ(sheet.Cells(cell.Row(), 3).Value().toString(), name);
  }
  EXPECT_EQ(printed, 163);
  // Text fields keep what is written as text: a telephone number is not turned into a number.
  EXPECT_EQ(book.Sheets(1).Range(fields_["c906"].PrintPlace).NumberFormatLocal(), "@");
}

#if defined(FW_MAKE_TEMPLATES) && defined(FW_TEMPLATE_SOURCES)

int RunTool(const QString& sources, const QString& fieldList, const QString& output, QByteArray* errors) {
  QProcess tool;
  tool.start(FW_MAKE_TEMPLATES, {sources, fieldList, output});
  if (!tool.waitForFinished(60000)) return -1;
  if (errors) *errors = tool.readAllStandardError();
  return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

void Edit(const QString& path, const QString& from, const QString& to) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(file.readAll());
  file.close();
  ASSERT_TRUE(from.isEmpty() || text.contains(from)) << from.toStdString();
  text = from.isEmpty() ? text + to : text.replace(from, to);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text.toUtf8());
}

TEST(MakeTemplates, DamagedDescriptionsWriteNothing) {
  const struct {
    const char* file;
    const char* from;
    const char* to;
    const char* message;
  } cases[] = {
      {"summary.tsv", "", "numeric\tz999\n", "z999"},
      {"summary.tsv", "表一(1)", "表一  工会组织建设状况(1)这是一个超过三十一个字符的工作表名称", "sheet name"},
      {"summary.tsv", "three\tz011\t联合会建设牵头单位\t党委|政府|工会", "three\tz011\t联合会建设牵头单位\t党委|政府", "answers"},
      {"summary.tsv", "sheet\t3\t", "sheet\t4\t", "out of order"},
      {"print.tsv", "page\t12\t表十一\t表十一  工会对外交流工作\t数  值\n", "", "no page line"},
      // z001's row ends with sequence 8, page 1, print page 2 and its place.
      {"dt_fieldlist.tsv", "\t8\t1\t2\tD5", "\t8\t1\t2\tB5", "print place"},
      {"dt_fieldlist.tsv", "\t8\t1\t2\tD5", "\t8\t1\t2\tD6", "share the cell"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    QTemporaryDir dir;
    const QString sources = dir.filePath("templates"), output = dir.filePath("out");
    QDir().mkpath(sources);
    QDir().mkpath(output);
    for (const char* name : {"summary.tsv", "print.tsv"})
      ASSERT_TRUE(QFile::copy(QString(FW_TEMPLATE_SOURCES) + "/" + name, sources + "/" + name));
    const QString fieldList = dir.filePath("dt_fieldlist.tsv");
    ASSERT_TRUE(QFile::copy(QStringLiteral(FW_TEMPLATE_SOURCES "/../database/dt_fieldlist.tsv"), fieldList));
    const QString edited = QString(c.file) == "dt_fieldlist.tsv" ? fieldList : sources + "/" + c.file;
    Edit(edited, QString::fromUtf8(c.from), QString::fromUtf8(c.to));

    QByteArray errors;
    EXPECT_NE(RunTool(sources, fieldList, output, &errors), 0);
    EXPECT_TRUE(errors.contains(c.message)) << errors.constData();
    const QStringList left = QDir(output).entryList(QDir::Files);
    // The summary template is complete before the print template is begun.
    if (QString(c.file) == "summary.tsv")
      EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
    else
      EXPECT_EQ(left, QStringList{"2014基层以上汇总表.xltx"});
  }
}

TEST(MakeTemplates, WritesBothTemplatesAndNothingElse) {
  QTemporaryDir dir;
  QByteArray errors;
  ASSERT_EQ(RunTool(FW_TEMPLATE_SOURCES, QStringLiteral(FW_TEMPLATE_SOURCES "/../database/dt_fieldlist.tsv"), dir.path(),
                    &errors),
            0)
      << errors.constData();
  QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  files.sort();
  EXPECT_EQ(files, QStringList({"2014基层以上汇总表.xltx", "2014打印表.xltx"}));
}
#endif

} // namespace
