#include "platform/sheet/OoxmlText.h"
#include "platform/sheet/SheetTypes.h"
#include "platform/sheet/WorkbookStyles.h"

#include <gtest/gtest.h>

namespace {

// A style sheet such as a template brings: custom formats, a theme font, a fill, a border,
// a cell style and differential formats the model does not use.
constexpr const char* kTemplateStyles = R"(<?xml version="1.0" encoding="UTF-8"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="2"><numFmt numFmtId="170" formatCode="0.0_ "/><numFmt numFmtId="176" formatCode="yyyy-mm"/></numFmts>
<fonts count="2"><font><sz val="11"/><name val="等线"/><scheme val="minor"/></font><font><b/><sz val="14"/><name val="宋体"/></font></fonts>
<fills count="3"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill><fill><patternFill patternType="solid"><fgColor rgb="FFFFFF00"/></patternFill></fill></fills>
<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>
<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>
<cellXfs count="3"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/><xf numFmtId="170" fontId="1" fillId="2" borderId="0" xfId="0" applyFill="1"><protection locked="0"/></xf><xf numFmtId="176" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>
<cellStyles count="1"><cellStyle name="常规" xfId="0" builtinId="0"/></cellStyles>
<dxfs count="1"><dxf><font><b/></font></dxf></dxfs>
</styleSheet>)";

TEST(Styles, TemplateEntriesStayAndChangesDeriveFromThem) {
  fw::TWorkbookStyles styles;
  styles.Load(kTemplateStyles);
  ASSERT_EQ(styles.XfCount(), 3);
  EXPECT_EQ(styles.NumberFormat(1), "0.0_ ");
  EXPECT_EQ(styles.NumberFormat(2), "yyyy-mm");
  EXPECT_TRUE(styles.Font(1).Bold);

  const int left = styles.WithHorizontalAlignment(1, fw::xlLeft);
  EXPECT_EQ(left, 3);
  EXPECT_EQ(styles.NumberFormat(left), "0.0_ "); // the rest of the format stays
  EXPECT_TRUE(styles.Font(left).Bold);
  EXPECT_EQ(styles.WithHorizontalAlignment(1, fw::xlLeft), left); // equal entries are shared
  EXPECT_EQ(styles.NumberFormat(1), "0.0_ ");
  EXPECT_EQ(styles.HorizontalAlignment(1), fw::xlGeneral); // the shared entry is untouched

  const struct {
    const char* Code;
    int Id;
  } formats[] = {{"yyyy-mm", 176}, {"0.00", 2}, {"@", 49}, {"#,##0", 3}, {"General", 0}, {"#,##0_ ", 177}};
  for (const auto& f : formats) {
    const int xf = styles.WithNumberFormat(0, f.Code);
    EXPECT_EQ(styles.NumberFormat(xf), f.Code);
    const QByteArray xml = styles.Save();
    EXPECT_TRUE(xml.contains(QByteArray("numFmtId=\"") + QByteArray::number(f.Id) + "\"")) << f.Code;
  }

  // A new font name drops the theme scheme, which would otherwise win over the name.
  const int named = styles.WithFontName(0, "宋体");
  EXPECT_EQ(styles.Font(named).Name, "宋体");
  EXPECT_FALSE(styles.Save().contains("<font><sz val=\"11\"/><name val=\"宋体\"/><scheme"));

  const QByteArray saved = styles.Save();
  for (const char* kept : {"FFFFFF00", "<dxfs count=\"1\">", "<protection locked=\"0\"/>", "cellXfs count=\""})
    EXPECT_TRUE(saved.contains(kept)) << kept;
  fw::TWorkbookStyles again;
  again.Load(saved);
  EXPECT_EQ(again.XfCount(), styles.XfCount());
  EXPECT_EQ(again.ValidXf(1000), 0);
}

TEST(Styles, DamagedStyleSheetsAreRefused) {
  fw::TWorkbookStyles styles;
  for (const char* xml : {"", "<styleSheet><fonts>", "<notStyles/>"})
    EXPECT_THROW(styles.Load(xml), fw::ESheetError) << xml;
  EXPECT_EQ(styles.XfCount(), 1); // still the default styles
}

TEST(OoxmlText, EscapesRoundTrip) {
  const char* texts[] = {"plain", "a&b<c>d", "换行\n制表\t", "回车\r", "控制\x01\x1f", "_x0041_", "_x12_", "__x0041__"};
  for (const char* text : texts) {
    const QString original = QString::fromUtf8(text);
    QByteArray escaped = fw::EscapeOoxmlText(original);
    for (char c : escaped) EXPECT_FALSE(c > 0 && c < 0x20 && c != '\n' && c != '\t') << text;
    escaped.replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
    EXPECT_EQ(fw::DecodeOoxmlText(escaped.constData()), original) << text;
  }
}

} // namespace
