#include "platform/sheet/SheetApplication.h"
#include "platform/sheet/ZipArchive.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

using fw::TRange;
using fw::TWorkbook;
using fw::TWorksheet;

class Workbook : public ::testing::Test {
protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }

  // The part's XML, which must be well formed.
  static std::string Part(const QString& file, const QString& part) {
    fw::TZipReader zip(file);
    const QByteArray data = zip.Read(part);
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_buffer(data.constData(), data.size())) << part.toStdString();
    return data.toStdString();
  }

  QTemporaryDir dir_;
  std::unique_ptr<fw::TSheetApplication> app_ = fw::CreateOleObject("Excel.Application");
};

TEST_F(Workbook, CreatedByEitherIdentifier) {
  for (const char* id : {"Excel.Application", "et.Application", "excel.application"})
    EXPECT_NE(fw::CreateOleObject(id), nullptr) << id;
  EXPECT_THROW(fw::CreateOleObject("Word.Application"), fw::ESheetError);
}

// Cells that follow one another in a row are written without their address; a cell after
// a gap, or first in its row, keeps it.
TEST_F(Workbook, CellsAfterGapsKeepTheirPlaces) {
  TWorkbook& book = app_->Workbooks().Add();
  TWorksheet& sheet = book.Sheets(1);
  for (const char* address : {"A1", "B1", "D1", "E1", "C2", "D2", "AA3"}) sheet.Range(address).SetValue(address);
  sheet.Range("B2").Font().SetBold(true); // a formatted empty cell before C2
  book.SaveAs(Path("gaps.xlsx"));
  const std::string xml = Part(Path("gaps.xlsx"), "xl/worksheets/sheet1.xml");
  EXPECT_NE(xml.find("r=\"D1\""), std::string::npos);
  EXPECT_EQ(xml.find("r=\"E1\""), std::string::npos);

  TWorksheet& read = app_->Workbooks().Open(Path("gaps.xlsx")).Sheets(1);
  for (const char* address : {"A1", "B1", "D1", "E1", "C2", "D2", "AA3"})
    EXPECT_EQ(read.Range(address).Value().toString(), QString::fromLatin1(address)) << address;
  for (const char* address : {"C1", "A2", "B2", "Z3", "AB3"}) EXPECT_TRUE(read.Range(address).IsEmpty()) << address;
  EXPECT_TRUE(read.Range("B2").Font().Bold());
}

TEST_F(Workbook, ValuesSurviveSaveAndReopen) {
  TWorkbook& book = app_->Workbooks().Add();
  TWorksheet& sheet = book.Sheets(1);
  sheet.SetName("表一");
  sheet.Columns(4).SetNumberFormatLocal("@");
  struct Case {
    const char* Address;
    QVariant Written;
    QVariant Read;
  } cases[] = {
      {"A1", 12, 12.0},
      {"B1", "3.50", 3.5},                        // numeric text becomes a number
      {"C1", "工会组织建设状况", "工会组织建设状况"}, // Chinese text
      {"D1", "0012", "0012"},                     // a text column keeps the text
      {"E1", "'0012", "0012"},                    // the apostrophe asks for text
      {"F1", "  前后空格 ", "  前后空格 "},
      {"G1", "a<b>&\"c\"\x01_x0041_", "a<b>&\"c\"\x01_x0041_"},
      {"H1", "110101199001011234", "110101199001011234"}, // too many digits for a number
      {"AB12", -0.1, -0.1},
      {"I1", "-0", 0.0},
      {"A2", true, true},
      {"A3", "", QVariant()},
      {"A4", "行一\n行二", "行一\n行二"},
  };
  for (const Case& c : cases) sheet.Range(c.Address).SetValue(c.Written);
  sheet.Range("A1:C1").Font().SetBold(true);
  sheet.Cells(5, 1).EntireRow().SetRowHeight(24);
  sheet.Columns(2).SetColumnWidth(20);
  sheet.Range("A6:C7").Merge();
  sheet.Range("A8").SetFormula("=SUM(A1:B1)");
  book.SaveAs(Path("out.xlsx"));
  EXPECT_TRUE(book.Saved());
  book.Close();
  ASSERT_EQ(app_->Workbooks().Count(), 0);

  TWorksheet& back = app_->Workbooks().Open(Path("out.xlsx")).Sheets(1);
  EXPECT_EQ(back.Name(), "表一");
  for (const Case& c : cases) {
    const QVariant value = back.Range(c.Address).Value();
    EXPECT_EQ(value.typeId(), c.Read.typeId()) << c.Address;
    EXPECT_EQ(value, c.Read) << c.Address;
  }
  EXPECT_EQ(back.Range("I1").Text(), "0");
  EXPECT_TRUE(back.Range("B1").Font().Bold());
  EXPECT_FALSE(back.Range("D1").Font().Bold());
  EXPECT_EQ(back.Range("D9").NumberFormatLocal(), "@"); // the column's format
  EXPECT_DOUBLE_EQ(back.Rows(5).RowHeight(), 24);
  EXPECT_DOUBLE_EQ(back.Columns(2).ColumnWidth(), 20);
  EXPECT_TRUE(back.Range("A6:C7").MergeCells());
  EXPECT_EQ(back.Range("B7").MergeArea().Address(), "A6:C7");
  EXPECT_EQ(back.Range("A8").Formula(), "=SUM(A1:B1)");
  EXPECT_EQ(back.UsedRange().Address(), "A1:AB12");
  for (const char* part : {"[Content_Types].xml", "_rels/.rels", "docProps/core.xml", "docProps/app.xml",
                           "xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/worksheets/sheet1.xml",
                           "xl/styles.xml", "xl/sharedStrings.xml"})
    Part(Path("out.xlsx"), part);
}

TEST_F(Workbook, InsertedRowsMoveCellsMergesHeightsAndFormats) {
  TWorksheet& sheet = app_->Workbooks().Add().Sheets(1);
  sheet.Range("A7:C7").Merge();      // above: stays
  sheet.Range("D8:D9").Merge();      // across the insertion point: grows
  sheet.Range("A12:B12").Merge();    // below: moves
  sheet.Range("A9:C9").Borders().SetLineStyle(fw::xlContinuous);
  sheet.Range("B9").SetNumberFormatLocal("#,##0");
  sheet.Rows(9).SetRowHeight(20);
  sheet.Cells(12, 1).SetValue("合计");
  // As a summary fills: write row 9, then insert above it for each further row.
  for (int k = 1; k <= 3; ++k) {
    if (k > 1) sheet.Cells(9, 2).EntireRow().Insert();
    sheet.Cells(9, 1).SetValue(QString("层次%1").arg(k));
    sheet.Cells(9, 2).SetValue(k * 1000);
  }
  auto check = [](TWorksheet& s) {
    EXPECT_EQ(s.Cells(9, 1).Value(), "层次3");
    EXPECT_EQ(s.Cells(10, 1).Value(), "层次2");
    EXPECT_EQ(s.Cells(11, 1).Value(), "层次1");
    EXPECT_EQ(s.Cells(14, 1).Value(), "合计");
    EXPECT_TRUE(s.Range("A7:C7").MergeCells());
    EXPECT_EQ(s.Range("D8").MergeArea().Address(), "D8:D11");
    EXPECT_EQ(s.Range("A14").MergeArea().Address(), "A14:B14");
    EXPECT_FALSE(s.Range("A12").MergeCells());
    for (int r = 9; r <= 11; ++r) {
      EXPECT_DOUBLE_EQ(s.Rows(r).RowHeight(), 20) << r;
      EXPECT_EQ(s.Cells(r, 3).Borders().LineStyle(), fw::xlContinuous) << r;
      EXPECT_EQ(s.Cells(r, 2).Text(), QString::number(12 - r) + ",000") << r;
    }
    EXPECT_EQ(s.Cells(12, 3).Borders().LineStyle(), fw::xlLineStyleNone);
  };
  check(sheet);
  sheet.Parent().SaveAs(Path("insert.xlsx"));
  check(app_->Workbooks().Open(Path("insert.xlsx")).Sheets(1));
}

TEST_F(Workbook, TemplateOpensAsNewBookAndSavesAsWorkbook) {
  TWorkbook& made = app_->Workbooks().Add();
  made.Sheets(1).SetName("封面");
  made.Sheets().Add().SetName("表一");   // added before the active sheet
  made.Sheets("表一").Range("A1").SetValue("表一  工会组织建设状况(1)");
  made.Sheets("表一").Range("A1").Font().SetBold(true);
  made.Sheets("表一").Range("A1").Borders().SetWeight(fw::xlMedium);
  made.SaveAs(Path("模板.xltx"));
  EXPECT_NE(Part(Path("模板.xltx"), "[Content_Types].xml").find("spreadsheetml.template.main+xml"), std::string::npos);
  made.Close();

  TWorkbook& book = app_->Workbooks().Open(Path("模板.xltx"));
  EXPECT_EQ(book.Name(), "模板1");
  EXPECT_TRUE(book.FullName().isEmpty()); // saving never overwrites the template
  ASSERT_EQ(book.Sheets().Count(), 2);
  EXPECT_EQ(book.Sheets(1).Name(), "表一");
  EXPECT_EQ(book.Sheets(2).Name(), "封面");
  const int xfsBefore = book.Styles().XfCount();
  TRange title = book.Sheets("封面").Range("A1");
  title.SetValue("x");
  TRange heading = book.Sheets(1).Range("A1");
  heading.SetHorizontalAlignment(fw::xlLeft);
  EXPECT_TRUE(heading.Font().Bold()); // the template's style is kept and extended
  EXPECT_EQ(heading.Borders().LineStyle(), fw::xlContinuous);
  EXPECT_EQ(heading.HorizontalAlignment(), fw::xlLeft);
  book.Sheets(1).Range("B1").SetValue(1);
  book.Sheets(1).Range("B1").Font().SetBold(true);
  book.Sheets(1).Range("B1").Borders().SetWeight(fw::xlMedium);
  book.Sheets(1).Range("B1").SetHorizontalAlignment(fw::xlLeft);
  EXPECT_EQ(book.Styles().XfCount(), xfsBefore + 1); // equal formats share one entry
  book.SaveAs(Path("汇总.xlsx"));
  const std::string types = Part(Path("汇总.xlsx"), "[Content_Types].xml");
  EXPECT_NE(types.find("spreadsheetml.sheet.main+xml"), std::string::npos);
  EXPECT_EQ(types.find("template"), std::string::npos);
  EXPECT_EQ(app_->Workbooks().Open(Path("汇总.xlsx")).Sheets(1).Range("A1").HorizontalAlignment(), fw::xlLeft);
}

TEST_F(Workbook, SheetsAreNumberedFromOneAndDeletedWithoutGaps) {
  TWorkbook& book = app_->Workbooks().Add();
  book.Sheets(1).SetName("一");
  book.Sheets().Add().SetName("二"); // a new sheet goes before the active one
  book.Sheets(2).Activate();
  book.Sheets().Add().SetName("三");
  ASSERT_EQ(book.Sheets().Count(), 3);
  EXPECT_EQ(book.Sheets(1).Name(), "二");
  EXPECT_EQ(book.Sheets(2).Name(), "三");
  EXPECT_EQ(book.Sheets(3).Name(), "一");
  EXPECT_EQ(app_->ActiveSheet().Name(), "三");
  const QString third = book.Sheets(3).Name();
  book.Sheets(2).Delete();
  ASSERT_EQ(book.Sheets().Count(), 2);
  EXPECT_EQ(book.Sheets(2).Name(), third);
  EXPECT_THROW(book.Sheets(3), fw::ESheetError);
  EXPECT_THROW(book.Sheets(1).SetName(third.toLower()), fw::ESheetError);
  EXPECT_THROW(book.Sheets(1).SetName("a/b"), fw::ESheetError);
  book.Sheets(1).Delete();
  EXPECT_THROW(book.Sheets(1).Delete(), fw::ESheetError); // the last sheet stays
  EXPECT_EQ(app_->ActiveSheet().Name(), third);
}

TEST_F(Workbook, AutoFitCountsWideCharactersDouble) {
  TWorksheet& sheet = app_->Workbooks().Add().Sheets(1);
  sheet.Cells(1, 1).SetValue("工会组织建设状况"); // 16 units
  sheet.Cells(2, 1).SetValue("abc");
  sheet.Cells(1, 2).SetValue("abcdefgh");
  sheet.Range("A3:C3").Merge(); // a merged title does not widen its first column
  sheet.Cells(3, 1).SetValue("很长很长很长很长很长很长很长很长的标题");
  sheet.Columns(3).SetColumnWidth(5);
  sheet.Columns(1).EntireColumn().AutoFit();
  sheet.Range("B1:C1").EntireColumn().AutoFit();
  EXPECT_NEAR(sheet.Columns(1).ColumnWidth(), 17, 1);
  EXPECT_NEAR(sheet.Columns(2).ColumnWidth(), 9, 1);
  EXPECT_DOUBLE_EQ(sheet.Columns(3).ColumnWidth(), 5); // nothing to fit: unchanged
  EXPECT_GT(sheet.Columns(1).ColumnWidth(), 2 * sheet.Columns(2).ColumnWidth() - 3);
}

TEST_F(Workbook, VisibleSavesIntoTheCacheFolderAndOpensIt) {
  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  EXPECT_THROW(app_->SetVisible(true), fw::ESheetError); // nothing open
  TWorkbook& book = app_->Workbooks().Add();
  book.Sheets(1).Cells(1, 1).SetValue("打印");
  app_->SetVisible(true);
  app_->SetVisible(true);
  ASSERT_EQ(hooks.Opened.size(), 2);
  EXPECT_NE(hooks.Opened[0], hooks.Opened[1]);
  for (const QString& shown : hooks.Opened) {
    EXPECT_EQ(QFileInfo(shown).absolutePath(), QDir(folders.CacheDir()).filePath("fenwright"));
    EXPECT_TRUE(shown.endsWith(".xlsx"));
    EXPECT_EQ(app_->Workbooks().Open(shown).Sheets(1).Cells(1, 1).Value(), "打印");
  }
  EXPECT_TRUE(app_->Visible());
  EXPECT_TRUE(book.FullName().isEmpty());
}

TEST_F(Workbook, DamagedFilesAreRefusedCleanly) {
  TWorkbook& good = app_->Workbooks().Add();
  good.Sheets(1).Cells(1, 1).SetValue("x");
  good.SaveAs(Path("good.xlsx"));
  good.Close();
  QFile goodFile(Path("good.xlsx"));
  ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
  const QByteArray bytes = goodFile.readAll();

  auto write = [this](const QString& name, const QByteArray& data) {
    QFile f(Path(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    return Path(name);
  };
  auto zipOf = [this](const QString& name, std::vector<std::pair<QString, QByteArray>> parts) {
    fw::TZipWriter zip;
    for (auto& [part, data] : parts) zip.Add(part, data);
    zip.Save(Path(name));
    return Path(name);
  };
  fw::TZipReader reader(Path("good.xlsx"));
  std::vector<std::pair<QString, QByteArray>> brokenSheet;
  for (const char* part : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                           "xl/styles.xml", "xl/sharedStrings.xml"})
    brokenSheet.emplace_back(part, reader.Read(part));
  brokenSheet.emplace_back("xl/worksheets/sheet1.xml", "<worksheet><sheetData><row r=\"1\">");
  QByteArray flipped = bytes;
  for (int i = 40; i < 60; ++i) flipped[i] = char(~flipped[i]); // inside the first part's data

  const QString files[] = {
      Path("missing.xlsx"),
      write("text.xlsx", "这不是工作簿"),
      write("empty.xlsx", QByteArray()),
      write("truncated.xlsx", bytes.left(bytes.size() / 2)),
      write("flipped.xlsx", flipped),
      zipOf("plain.zip", {{"readme.txt", "hello"}}),
      zipOf("document.xlsx", {{"[Content_Types].xml", R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>)"},
                              {"_rels/.rels", R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)"},
                              {"word/document.xml", "<document/>"}}),
      zipOf("brokensheet.xlsx", brokenSheet),
  };
  for (const QString& file : files) {
    try {
      app_->Workbooks().Open(file);
      ADD_FAILURE() << "opened " << file.toStdString();
    } catch (const fw::ESheetError& e) {
      EXPECT_FALSE(e.Message().isEmpty());
      EXPECT_TRUE(e.Message().contains(QFileInfo(file).fileName())) << e.what();
    }
  }
  EXPECT_EQ(app_->Workbooks().Count(), 0);
}

TEST_F(Workbook, FailedSaveLeavesNothingBehind) {
  TWorkbook& book = app_->Workbooks().Add();
  book.Sheets(1).Cells(1, 1).SetValue(1);
  book.SaveAs(Path("keep.xlsx"));
  book.Sheets(1).Cells(1, 1).SetValue(2);
  QDir().mkdir(Path("folder.xlsx"));
  EXPECT_THROW(book.SaveAs(Path("folder.xlsx")), fw::ESheetError);
  EXPECT_THROW(book.SaveAs(Path("no/such/folder/a.xlsx")), fw::ESheetError);
  EXPECT_FALSE(book.Saved());
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.xlsx"});
}

TEST_F(Workbook, BadValuesChangeNothing) {
  TWorksheet& sheet = app_->Workbooks().Add().Sheets(1);
  sheet.Cells(1, 1).SetValue("原值");
  EXPECT_THROW(sheet.Cells(1, 1).SetValue(QString(fw::kMaxCellTextLength + 1, u'长')), fw::ESheetError);
  EXPECT_THROW(sheet.Cells(1, 1).SetValue(std::numeric_limits<double>::infinity()), fw::ESheetError);
  EXPECT_EQ(sheet.Cells(1, 1).Value(), "原值");
  EXPECT_THROW(sheet.Cells(0, 1), fw::ESheetError);
  EXPECT_THROW(sheet.Range("A1:"), fw::ESheetError);
  EXPECT_THROW(sheet.Cells(1, 1).Insert(), fw::ESheetError);
  EXPECT_THROW(app_->Workbooks(2), fw::ESheetError);
}

} // namespace
