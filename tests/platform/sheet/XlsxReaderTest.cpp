#include "platform/sheet/SheetApplication.h"
#include "platform/sheet/ZipArchive.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A package as another program might write it: prefixed element names, inline and rich
// texts, cells without addresses, a shared formula, no styles part, a page set-up that
// refers to a printer settings part, and attributes of extension namespaces.
QString WriteForeignPackage(const QString& path) {
  fw::TZipWriter zip;
  zip.Add("[Content_Types].xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
</Types>)");
  zip.Add("_rels/.rels", R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="/xl/workbook.xml"/></Relationships>)");
  zip.Add("xl/workbook.xml", R"(<x:workbook xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<x:bookViews><x:workbookView activeTab="1"/></x:bookViews>
<x:sheets><x:sheet name="甲" sheetId="5" r:id="R1"/><x:sheet name="乙" sheetId="2" r:id="R2"/></x:sheets>
<x:definedNames><x:definedName name="_xlnm.Print_Area" localSheetId="1">乙!$A$1:$C$3</x:definedName></x:definedNames>
</x:workbook>)");
  zip.Add("xl/_rels/workbook.xml.rels", R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="R1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/a.xml"/>
<Relationship Id="R2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/b.xml"/>
</Relationships>)");
  zip.Add("xl/worksheets/a.xml", R"(<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<x:sheetData><x:row><x:c t="inlineStr"><x:is><x:t>行_x000D_内</x:t></x:is></x:c><x:c t="inlineStr"><x:is><x:r><x:t>工会</x:t></x:r><x:r><x:t xml:space="preserve"> 组织</x:t></x:r><x:rPh><x:t>ゴ</x:t></x:rPh></x:is></x:c><x:c><x:v>4.25</x:v></x:c></x:row>
<x:row><x:c t="b"><x:v>1</x:v></x:c><x:c t="e"><x:v>#N/A</x:v></x:c></x:row></x:sheetData></x:worksheet>)");
  zip.Add("xl/worksheets/b.xml", R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" xmlns:x14ac="http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac" mc:Ignorable="x14ac">
<sheetFormatPr defaultRowHeight="15" x14ac:dyDescent="0.25"/>
<cols><col min="1" max="3" width="12.5" customWidth="1"/></cols>
<sheetData><row r="2" spans="1:3" x14ac:dyDescent="0.25"><c r="A2"><v>1</v></c><c r="B2"><f t="shared" ref="B2:C2" si="0">A2*2</f><v>2</v></c><c r="C2"><f t="shared" si="0"/><v>4</v></c></row></sheetData>
<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>
<pageSetup paperSize="9" orientation="landscape" r:id="rId1"/>
<drawing r:id="rId2"/>
</worksheet>)");
  zip.Save(path);
  return path;
}

TEST(XlsxReader, ReadsPackagesOfOtherProducers) {
  QTemporaryDir dir;
  auto app = fw::CreateOleObject("et.Application");
  fw::TWorkbook& book = app->Workbooks().Open(WriteForeignPackage(dir.filePath("foreign.xlsx")));
  auto check = [](fw::TWorkbook& b) {
    ASSERT_EQ(b.Sheets().Count(), 2);
    EXPECT_EQ(b.Sheets(1).Name(), "甲");
    EXPECT_EQ(b.ActiveSheet().Name(), "乙");
    fw::TWorksheet& a = b.Sheets(1);
    EXPECT_EQ(a.Range("A1").Value(), "行\r内");
    EXPECT_EQ(a.Range("B1").Value(), "工会 组织"); // runs joined, phonetic hint left out
    EXPECT_EQ(a.Range("C1").Value(), 4.25);
    EXPECT_EQ(a.Range("A2").Value(), true);
    EXPECT_EQ(a.Range("B2").Value(), "#N/A");
    fw::TWorksheet& s = b.Sheets("乙");
    EXPECT_EQ(s.Range("B2").Formula(), "=A2*2");
    EXPECT_EQ(s.Range("C2").Value(), 4.0); // a shared formula's copy keeps its value
    EXPECT_DOUBLE_EQ(s.Columns(3).ColumnWidth(), 12.5);
    EXPECT_DOUBLE_EQ(s.Rows(7).RowHeight(), 15);
    ASSERT_EQ(b.DefinedNames().size(), 1u);
    EXPECT_EQ(b.DefinedNames()[0].LocalSheet, 1);
  };
  check(book);
  book.SaveAs(dir.filePath("again.xlsx"));
  {
    fw::TZipReader zip(dir.filePath("again.xlsx"));
    const QByteArray sheet = zip.Read("xl/worksheets/sheet2.xml");
    EXPECT_TRUE(sheet.contains("<pageSetup paperSize=\"9\" orientation=\"landscape\"/>")) << sheet.constData();
    EXPECT_FALSE(sheet.contains("x14ac"));
    EXPECT_FALSE(sheet.contains("drawing"));
  }
  check(app->Workbooks().Open(dir.filePath("again.xlsx")));
  // Deleting the first sheet carries the second sheet's print area along.
  book.Sheets(1).Delete();
  EXPECT_EQ(book.DefinedNames()[0].LocalSheet, 0);
}

TEST(XlsxReader, DeeplyNestedKeptPartsDoNotExhaustTheStack) {
  QTemporaryDir dir;
  auto app = fw::CreateOleObject("Excel.Application");
  fw::TWorkbook& book = app->Workbooks().Add();
  book.Sheets(1).Cells(1, 1).SetValue("深");
  book.SaveAs(dir.filePath("plain.xlsx"));
  fw::TZipReader plain(dir.filePath("plain.xlsx"));
  fw::TZipWriter zip;
  for (const char* part : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                           "xl/styles.xml", "xl/sharedStrings.xml"})
    zip.Add(part, plain.Read(part));
  QByteArray sheet = plain.Read("xl/worksheets/sheet1.xml");
  const int depth = 200000;
  sheet.replace("<sheetViews>", "<sheetViews>" + QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth));
  zip.Add("xl/worksheets/sheet1.xml", sheet);
  zip.Save(dir.filePath("deep.xlsx"));
  fw::TWorkbook& deep = app->Workbooks().Open(dir.filePath("deep.xlsx"));
  EXPECT_EQ(deep.Sheets(1).Cells(1, 1).Value(), "深");
}

} // namespace
