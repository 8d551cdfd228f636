// Normalisation of number, date and time texts, and how a cell refuses a text it cannot
// read.

#include "grid/CellText.h"
#include "grid/EasyGrid.h"
#include "platform/shell/Hooks.h"
#include "support/TestSupport.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// Chinese number and date conventions, as the program's users have them.
class CellText : public ::testing::Test {
protected:
  CellText() : previous_(QLocale()) { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }
  ~CellText() override { QLocale::setDefault(previous_); }

private:
  QLocale previous_;
};

TEST_F(CellText, NumberFormats) {
  struct Case {
    const char* Text;
    int Int, Dec;
    bool ThousandSep, ZeroNull, TrailingZero;
    const char* Expected;  // nullptr: refused
  };
  const Case cases[] = {
      {"1234.5", 3, 2, true, false, false, "1,234.5"},
      {"1234.5", 3, 2, true, false, true, "1,234.50"},
      {"1,234.5", 3, 2, false, false, true, "1234.50"},
      {"-1234567.891", 3, 2, true, false, false, "-1,234,567.89"},
      // A typed zero is kept as zero; only ZeroNull blanks it.
      {"0", 3, 2, false, false, true, "0.00"},
      {"0", 3, 2, false, false, false, "0"},
      {"0.", 3, 2, false, false, false, "0"},
      {"0", 3, 2, true, true, false, ""},
      {"0.", 3, 2, false, true, true, ""},
      {"-", 3, 2, false, false, true, ""},
      {"", 3, 2, false, false, true, ""},
      {"0.00", 3, 2, false, false, false, "0"},
      {"0.00", 3, 2, false, false, true, "0.00"},
      {"0.00", 3, 2, false, true, true, ""},
      {"-0.001", 3, 2, false, false, true, "0.00"},
      {"12.5", 3, 0, false, false, false, "13"},
      {"100", 3, 2, false, false, false, "100"},
      {" 7 ", 3, 2, false, false, false, "7"},
      {"abc", 3, 2, false, false, false, nullptr},
      {"1.2.3", 3, 2, false, false, false, nullptr},
  };
  for (const Case& c : cases) {
    const auto r = FormatCellNumber(QString::fromUtf8(c.Text), c.Int, c.Dec, c.ThousandSep, c.ZeroNull, c.TrailingZero);
    if (!c.Expected) {
      EXPECT_FALSE(r.has_value()) << c.Text;
    } else {
      ASSERT_TRUE(r.has_value()) << c.Text;
      EXPECT_EQ(*r, QString::fromUtf8(c.Expected)) << c.Text;
    }
  }
}

TEST_F(CellText, DatesAndTimes) {
  EXPECT_EQ(NormalizeDateText(QStringLiteral("2014/5/6")), QStringLiteral("2014-05-06"));
  EXPECT_EQ(NormalizeDateText(QStringLiteral("2014-12-31")), QStringLiteral("2014-12-31"));
  EXPECT_FALSE(NormalizeDateText(QStringLiteral("2014/2/30")).has_value());
  EXPECT_FALSE(NormalizeDateText(QStringLiteral("明天")).has_value());
  EXPECT_EQ(NormalizeTimeText(QStringLiteral("8:30")), QStringLiteral("08:30:00"));
  EXPECT_EQ(NormalizeTimeText(QStringLiteral("23:59:59")), QStringLiteral("23:59:59"));
  EXPECT_FALSE(NormalizeTimeText(QStringLiteral("24:00")).has_value());
  EXPECT_FALSE(NormalizeTimeText(QStringLiteral("8")).has_value());
}

TEST_F(CellText, CellsNormaliseOrRefuseWithAnErrorBox) {
  fwtest::ScriptedHooks hooks;
  TEasyGrid grid(nullptr);
  grid.SetRangeCellProp(GridRect(1, 1, 1, 1), TCellProp::DataStyle, TDataStyle::dsNumber);
  grid.SetRangeCellProp(GridRect(2, 3, 2, 3), TCellProp::DataStyle, TDataStyle::dsDate);
  int events = 0;
  grid.OnSetForeText = [&](TObject*, int, int, QString&) { ++events; };
  grid.SetForeText(1, 1, QStringLiteral("12.5"));
  EXPECT_EQ(grid.GetForeText(1, 1), QStringLiteral("12.5"));
  grid.SetForeText(2, 3, QStringLiteral("2014/5/6"));
  EXPECT_EQ(grid.GetForeText(2, 3), QStringLiteral("2014-05-06"));
  EXPECT_EQ(events, 2);
  EXPECT_TRUE(hooks.Messages.empty());

  grid.SetForeText(2, 3, QStringLiteral("不是日期"));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("单元格[2,3]内容不合法,请写入正确的日期。"));
  EXPECT_EQ(hooks.Messages[0].Caption, QStringLiteral("提示"));
  EXPECT_EQ(grid.GetForeText(2, 3), QStringLiteral("2014-05-06"));
  grid.SetRangeCellProp(GridRect(1, 1, 1, 1), TCellProp::ForeText, "x");
  EXPECT_EQ(hooks.Messages.back().Text, QStringLiteral("单元格[1,1]内容不合法,请写入正确的数值。"));
  EXPECT_EQ(grid.GetForeText(1, 1), QStringLiteral("12.5"));
  EXPECT_EQ(events, 2);  // refusals fire nothing
}

} // namespace

namespace {

using namespace fw;

// A zero typed into a number cell used to vanish whatever the cell said about zeros.
TEST_F(CellText, ATypedZeroStaysUnlessTheCellBlanksZeros) {
  TEasyGrid grid(nullptr);
  grid.SetRangeCellProp(GridRect(1, 1, 2, 1), TCellProp::DataStyle, TDataStyle::dsNumber);
  grid.SetRangeCellProp(GridRect(2, 1, 2, 1), TCellProp::ZeroNull, true);
  grid.SetForeText(1, 1, QStringLiteral("0"));
  EXPECT_EQ(grid.GetForeText(1, 1), QStringLiteral("0"));
  grid.SetForeText(2, 1, QStringLiteral("0"));
  EXPECT_TRUE(grid.GetForeText(2, 1).isEmpty());
}

} // namespace
