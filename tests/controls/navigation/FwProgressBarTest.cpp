// Progress bar: percentages, clamping, change events and the fill length on pixels.
#include "controls/navigation/FwProgressBar.h"
#include "platform/ui/Form.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace fw;

TEST(FwProgressBar, PercentRoundsHalvesToEvenAndClamps) {
  struct Case {
    unsigned total, done;
    int percent;
  };
  for (const Case c : {Case{3, 1, 33}, Case{3, 2, 67}, Case{8, 1, 12}, Case{8, 3, 38}, Case{5, 9, 100}}) {
    TFwProgressBar bar(nullptr);
    bar.SetTotalParts(c.total);
    bar.SetPartsComplete(c.done);
    EXPECT_EQ(bar.Percent(), c.percent) << c.done << "/" << c.total;
    EXPECT_LE(bar.PartsComplete(), c.total);
  }
}

TEST(FwProgressBar, NoTotalKeepsThePercentAndANewTotalRestarts) {
  TFwProgressBar bar(nullptr);
  std::vector<int> changes;
  bar.OnChange = [&](TObject*, int p) { changes.push_back(p); };
  bar.SetPartsComplete(5);  // no total: clamps to 0, no division
  EXPECT_EQ(bar.PartsComplete(), 0u);
  EXPECT_EQ(bar.Percent(), 0);
  bar.SetTotalParts(4);  // a new total restarts at 0 % and says so, though it was 0 already
  bar.StepIt();
  bar.StepBy(1);
  EXPECT_EQ(bar.Percent(), 50);
  bar.SetTotalParts(10);
  EXPECT_EQ(bar.PartsComplete(), 0u);
  EXPECT_EQ(changes, (std::vector<int>{0, 25, 50, 0}));
  // Each part sets the percent again, also when the rounded percent stays.
  bar.SetTotalParts(300);
  bar.StepIt();
  EXPECT_EQ(changes, (std::vector<int>{0, 25, 50, 0, 0, 0}));
}

TEST(FwProgressBar, OrientationFollowsTheShape) {
  TFwProgressBar bar(nullptr);
  bar.SetBounds(0, 0, 20, 100);
  EXPECT_EQ(bar.Orientation(), TOrientation::orVertical);
  bar.SetBounds(0, 0, 100, 20);
  EXPECT_EQ(bar.Orientation(), TOrientation::orHorizontal);
}

TEST(FwProgressBar, FilledLengthFollowsThePercent) {
  TForm form(nullptr);
  auto* bar = new TFwProgressBar(&form);
  bar->SetParent(&form);
  bar->SetBounds(0, 0, 104, 20);
  bar->SetShowPercent(false);
  bar->SetBarColor(clRed);
  bar->SetTotalParts(4);
  bar->SetPartsComplete(1);
  const QImage image = bar->grab().toImage();
  // The lowered border takes 2 pixels a side: 100 interior pixels, 25 of them filled.
  int filled = 0;
  for (int x = 0; x < image.width(); ++x) filled += image.pixel(x, 10) == qRgb(255, 0, 0);
  EXPECT_EQ(filled, 25);
  EXPECT_EQ(image.pixel(2, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(27, 10), qRgb(255, 255, 255));
}
