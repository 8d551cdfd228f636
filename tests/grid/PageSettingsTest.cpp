// The page-settings data a report grid carries: resolution values, starting values of
// the page description and of the grid's own settings.

#include "grid/EasyGrid.h"
#include "grid/PageSettings.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

TEST(PageSettings, MetricsWithoutAPrinterUseA4At180DotsPerInch) {
  InitPageMetrics(96, 96, std::nullopt);
  EXPECT_FALSE(HasPrinter());
  const TPageMetrics& m = PageMetrics();
  EXPECT_EQ(m.PrinterDotsPerInchX, 180);
  EXPECT_EQ(m.PrinterDotsPerInchY, 180);
  EXPECT_EQ(m.ScreenPixelsPerMMX, 4);
  EXPECT_EQ(m.PrinterDotsPerMMX, 7);
  const TCommonPageInfo page;
  EXPECT_EQ(page.PaperWidth, 794);
  EXPECT_EQ(page.PaperHeight, 1122);
  EXPECT_EQ(page.LeftMargin, 76);
  EXPECT_EQ(page.RightMargin, 76);
  EXPECT_EQ(page.TopMargin, 100);
  EXPECT_EQ(page.BottomMargin, 100);
  EXPECT_EQ(page.Distances[0], 20);
  EXPECT_EQ(page.Scale, 100);
  EXPECT_EQ(page.Int3, 9999);
  EXPECT_TRUE(page.Flag2);
  EXPECT_EQ(page.Reserved.size(), 256u);
  for (auto b : page.Reserved) EXPECT_EQ(b, 0);
}

TEST(PageSettings, APrinterGivesItsPageScaledToTheScreen) {
  InitPageMetrics(96, 96, TPrinterMetrics{600, 300, 4800, 3300});
  EXPECT_TRUE(HasPrinter());
  const TCommonPageInfo page;
  EXPECT_EQ(page.PaperWidth, 768);    // 4800 dots * 96/600
  EXPECT_EQ(page.PaperHeight, 1056);  // 3300 dots * 96/300
  // A printer reporting no resolution divides by nothing.
  InitPageMetrics(96, 96, TPrinterMetrics{0, 0, 100, 100});
  EXPECT_GT(PageMetrics().ScreenToPrinterX, 0.0);
  InitPageMetrics(96, 96, std::nullopt);
}

TEST(PageSettings, HeadersTitlesAndGridSettingsStartAsDeclared) {
  InitPageMetrics(96, 96, std::nullopt);
  TEasyGrid grid(nullptr);
  TEasyGridPageInfo& info = grid.PageInfo();
  const bool switches[] = {true, true, false, true, true, false, false, false, true, false};
  for (int i = 0; i < TEasyGridPageInfo::kSwitchCount; ++i) EXPECT_EQ(info.Switch(i), switches[i]) << i;
  EXPECT_EQ(info.PriorPageCaption(), QStringLiteral("  承前页  "));
  EXPECT_EQ(info.NextPageCaption(), QStringLiteral("  过次页  "));
  EXPECT_EQ(TEasyGridPageInfo::TextWidth(info.PriorPageCaption()), 10);
  EXPECT_EQ(TEasyGridPageInfo::TextWidth(info.NextPageCaption()), 10);
  for (int i = 0; i < TCommonPageInfo::kHeaderCount; ++i) {
    EXPECT_EQ(info.PageInfo().Header(i).FontSize, 9);
    EXPECT_EQ(info.PageInfo().Header(i).FontName, QStringLiteral("宋体"));
    EXPECT_TRUE(info.PageInfo().Header(i).Text.isEmpty());
  }
  for (int i = 0; i < TCommonPageInfo::kTitleCount; ++i) EXPECT_EQ(info.PageInfo().Title(i).FontSize, 24);
  EXPECT_THROW(info.PageInfo().Title(TCommonPageInfo::kTitleCount), std::out_of_range);

  // Values set are kept; a caption longer than its ten characters is cut.
  info.SetSwitch(2, true);
  info.PageInfo().Header(5).Text = QStringLiteral("第&p页");
  info.SetNextPageCaption(QStringLiteral("0123456789ABC"));
  info.SetPriorPageCaption(QStringLiteral(" 承前一页面 "));
  EXPECT_TRUE(grid.PageInfo().Switch(2));
  EXPECT_EQ(grid.PageInfo().PageInfo().Header(5).Text, QStringLiteral("第&p页"));
  EXPECT_EQ(grid.PageInfo().NextPageCaption(), QStringLiteral("0123456789"));
  EXPECT_EQ(grid.PageInfo().PriorPageCaption(), QStringLiteral(" 承前一页"));
}

} // namespace
