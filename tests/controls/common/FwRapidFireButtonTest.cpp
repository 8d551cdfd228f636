#include "controls/common/FwRapidFireButton.h"
#include "platform/ui/Panel.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace fw;

namespace {

struct Fixture {
  TPanel host{nullptr};
  TFwRapidFireButton* button = new TFwRapidFireButton(&host);
  int clicks = 0;
  Fixture() {
    host.resize(100, 100);
    button->SetParent(&host);
    button->SetBounds(10, 10, 17, 17);
    button->OnClick = [this](TObject*) { ++clicks; };
    host.show();
  }
};

} // namespace

TEST(FwRapidFireButton, RepeatsWhileHeldAndStopsOnRelease) {
  Fixture f;
  f.button->SetInitialDelay(20);
  f.button->SetDelay(5);
  QTest::mousePress(f.button, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
  TTimer* timer = f.button->RepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 20);
  EXPECT_EQ(f.clicks, 0);

  timer->Tick();
  EXPECT_EQ(timer->Interval(), 5);
  EXPECT_EQ(f.clicks, 1);
  for (int i = 0; i < 3; ++i) timer->Tick();
  EXPECT_EQ(f.clicks, 4);

  // Held but moved off the button: shown up, so no repeats.
  QTest::mouseMove(f.button, QPoint(60, 60));
  timer->Tick();
  EXPECT_EQ(f.clicks, 4);
  QTest::mouseMove(f.button, QPoint(8, 8));
  timer->Tick();
  EXPECT_EQ(f.clicks, 5);

  QTest::mouseRelease(f.button, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
  EXPECT_EQ(f.clicks, 6);  // the release is the ordinary click
  EXPECT_FALSE(timer->Enabled());
  timer->Tick();
  EXPECT_EQ(f.clicks, 6);
}

TEST(FwRapidFireButton, DefaultsAndArrow) {
  Fixture f;
  EXPECT_EQ(f.button->InitialDelay(), 400);
  EXPECT_EQ(f.button->Delay(), 100);
  EXPECT_EQ(f.button->RepeatTimer(), nullptr);
  f.button->SetScrollStyle(TFwScrollStyle::scsDown);
  const QImage image = f.button->grab().toImage();
  // The arrow is drawn in the glyph colour somewhere in the middle of the face.
  int dark = 0;
  for (int y = 4; y < 13; ++y)
    for (int x = 4; x < 13; ++x) dark += qGray(image.pixel(x, y)) < 60;
  EXPECT_GT(dark, 3);
}
