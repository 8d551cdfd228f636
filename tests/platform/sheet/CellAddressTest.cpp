#include "platform/sheet/CellAddress.h"
#include "platform/sheet/CellText.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(CellAddress, ParsesA1Addresses) {
  struct Case {
    const char* Text;
    bool Ok;
    int Row, Col;
  } cases[] = {
      {"A1", true, 1, 1},           {"b3", true, 3, 2},          {"Z9", true, 9, 26},
      {"AA1", true, 1, 27},         {"AB12", true, 12, 28},      {"$C$3", true, 3, 3},
      {" D4 ", true, 4, 4},         {"XFD1048576", true, 1048576, 16384},
      {"A0", false, 0, 0},          {"1A", false, 0, 0},         {"", false, 0, 0},
      {"XFE1", false, 0, 0},        {"A1048577", false, 0, 0},   {"A1B", false, 0, 0},
      {"甲1", false, 0, 0},         {"A-1", false, 0, 0},
  };
  for (const Case& c : cases) {
    int row = 0, col = 0;
    EXPECT_EQ(fw::ParseCellAddress(QString::fromUtf8(c.Text), row, col), c.Ok) << c.Text;
    if (c.Ok) {
      EXPECT_EQ(row, c.Row) << c.Text;
      EXPECT_EQ(col, c.Col) << c.Text;
    }
  }
}

TEST(CellAddress, ColumnLettersRoundTrip) {
  for (int col : {1, 26, 27, 28, 52, 53, 702, 703, 16384}) {
    EXPECT_EQ(fw::ColumnNumber(fw::ColumnLetters(col)), col);
  }
  EXPECT_EQ(fw::ColumnLetters(28), "AB");
  EXPECT_EQ(fw::ColumnLetters(0), "");
  EXPECT_EQ(fw::CellAddress(12, 28), "AB12");
}

TEST(CellAddress, AreasAreNormalised) {
  fw::TCellRect area;
  ASSERT_TRUE(fw::ParseCellArea(u"C3:A1", area));
  EXPECT_EQ(area, (fw::TCellRect{1, 1, 3, 3}));
  EXPECT_EQ(fw::CellAreaAddress(area), "A1:C3");
  EXPECT_FALSE(fw::ParseCellArea(u"A1:", area));
}

TEST(CellText, NumericTexts) {
  struct Case {
    const char* Text;
    bool Number;
    double Value;
  } cases[] = {
      {"12", true, 12},        {" -3.5 ", true, -3.5}, {"0012", true, 12},  {".5", true, 0.5},
      {"1e3", true, 1000},     {"+7", true, 7},        {"12a", false, 0},   {"", false, 0},
      {"1,234", false, 0},     {"inf", false, 0},      {"nan", false, 0},   {"一二", false, 0},
      {"110101199001011234", false, 0}, // 18 digits: a double would change them
      {"123456789012345", true, 123456789012345.0},
  };
  for (const Case& c : cases) {
    const auto value = fw::NumericTextValue(QString::fromUtf8(c.Text));
    EXPECT_EQ(value.has_value(), c.Number) << c.Text;
    if (c.Number && value) {
      EXPECT_DOUBLE_EQ(*value, c.Value) << c.Text;
    }
  }
}

TEST(CellText, RoundingToSpreadsheetPrecision) {
  struct Case {
    double Value;
    double Rounded;
  } cases[] = {
      {1549404.0200000003, 1549404.02},
      {0.1 + 0.2, 0.3},
      {1.0 / 3, 0.333333333333333},
      {-2.0 / 3, -0.666666666666667},
      {123456789012.34567, 123456789012.346},
      {110000000001.0, 110000000001.0},
      {1e-20 / 3, 3.33333333333333e-21},
      {0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(fw::RoundToSpreadsheetPrecision(c.Value), c.Rounded) << c.Value;
  EXPECT_TRUE(std::isinf(fw::RoundToSpreadsheetPrecision(HUGE_VAL)));
}

TEST(CellText, NumbersInFormats) {
  struct Case {
    double Value;
    const char* Format;
    const char* Shown;
  } cases[] = {
      {12, "General", "12"},
      {0.1, "", "0.1"},
      {1234567.891, "#,##0.00", "1,234,567.89"},
      {-1234, "#,##0", "-1,234"},
      {1234.5, "￥#,##0.00;￥-#,##0.00", "￥1,234.50"},
      {-1234.5, "￥#,##0.00;￥-#,##0.00", "￥-1,234.50"},
      {0.256, "0.0%", "25.6%"},
      {42, "#,##0_ ", "42 "},
      {41000, "yyyy-mm", "yyyy-mm"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fw::FormatCellNumber(c.Value, QString::fromUtf8(c.Format)), QString::fromUtf8(c.Shown)) << c.Format;
  EXPECT_EQ(fw::NumberToText(1.5e20), "1.5E+20");
  EXPECT_EQ(fw::NumberToText(2000000), "2000000");
  EXPECT_EQ(fw::NumberToText(0.1), "0.1");
  EXPECT_EQ(fw::NumberToText(-0.000125), "-0.000125");
  EXPECT_EQ(fw::FormatCellNumber(2000000, "General"), "2000000");
}

TEST(CellText, WideCharactersCountDouble) {
  EXPECT_EQ(fw::TextWidthUnits("abc"), 3);
  EXPECT_EQ(fw::TextWidthUnits("工会abc"), 7);
  EXPECT_EQ(fw::TextWidthUnits("（全角）"), 8);
  EXPECT_EQ(fw::TextWidthUnits("ab\n工会组织"), 8);
}

} // namespace
