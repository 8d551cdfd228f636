// Small shared helpers: accelerator stripping and character counts.
#include "controls/common/FwCommon.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(FwCommon, StripAccelChars) {
  struct Case {
    const char* Text;
    const char* Expected;
  };
  const Case cases[] = {
      {"&File", "File"}, {"a&&b", "a&b"},   {"&&", "&"},         {"a&", "a&"},  // the last character stays
      {"&", "&"},        {"", ""},          {"x&y&z", "xyz"},    {"&&&x", "&x"},
      {"保存(&S)", "保存(S)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StripAccelChars(QString::fromUtf8(c.Text)), QString::fromUtf8(c.Expected)) << c.Text;
  EXPECT_EQ(CountChar(u'&', QStringLiteral("a&&b&")), 3);
}

TEST(FwCommon, FontMeasures) {
  TFont font;
  EXPECT_GT(GetMinFontHeight(font), 2);
  EXPECT_GT(GetAvgCharWidth(font), 0);
  const TRect work = GetMonitorWorkRect({0, 0});
  EXPECT_GT(work.Width(), 0);
}
