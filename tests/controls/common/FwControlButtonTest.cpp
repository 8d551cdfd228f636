// Control button: auto-repeat and glyph cells.
#include "controls/common/FwControlButton.h"
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwGroupBox.h"
#include "controls/common/FwSpacer.h"
#include "controls/common/FwStatusBar.h"
#include "controls/common/FwToolbar.h"
#include "PixelTools.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"

#include <QFontMetrics>
#include <QTest>

#include <gtest/gtest.h>

using namespace fw;


TEST(FwControlButton, RepeatsWhileHeldAndClicksOnReleaseInside) {
  TForm form(nullptr);
  auto* b = new TFwControlButton(&form);
  b->SetParent(&form);
  EXPECT_EQ(b->Width(), 17);
  EXPECT_EQ(b->Height(), 21);
  b->SetRepeatClicks(true);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_NE(b->RepeatTimer(), nullptr);
  EXPECT_EQ(b->RepeatTimer()->Interval(), 400);
  for (int i = 0; i < 7; ++i) b->RepeatTimer()->Tick();  // 0.4 s, then six times 0.1 s
  EXPECT_EQ(b->RepeatTimer()->Interval(), 100);
  EXPECT_EQ(clicks, 7);
  QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 8);
  EXPECT_FALSE(b->RepeatTimer()->Enabled());

  TBitmap strip(30, 10);
  b->SetGlyph(strip);
  EXPECT_EQ(b->NumGlyphs(), 3);
  TBitmap wide(60, 10);
  b->SetGlyph(wide);
  EXPECT_EQ(b->NumGlyphs(), 1);
}

TEST(FwControlButton, GlyphCellStandsOnTheButtonsFace) {
  TForm form(nullptr);
  auto* b = new TFwControlButton(&form);
  b->SetParent(&form);
  b->SetBounds(0, 0, 20, 20);
  b->SetFlat(true);
  b->SetColor(clYellow);
  // One 10 x 10 cell: a grey background with a black 2 x 2 mark in the middle.
  TBitmap cell(10, 10);
  cell.Canvas().Brush().SetColor(clBtnFace);
  cell.Canvas().FillRect(Rect(0, 0, 10, 10));
  cell.Canvas().Brush().SetColor(clBlack);
  cell.Canvas().FillRect(Rect(4, 4, 6, 6));
  b->SetGlyph(cell);
  b->SetNumGlyphs(1);
  const QImage image = b->grab().toImage();
  // The cell's background is left out; its mark is drawn.
  EXPECT_EQ(fwtest::Count(image, ColorToRGB(clBtnFace), QRect(5, 5, 10, 10)), 0);
  EXPECT_EQ(fwtest::At(image, 6, 6), ColorToRGB(clYellow));
  EXPECT_EQ(fwtest::Count(image, ColorToRGB(clBlack), QRect(5, 5, 10, 10)), 4);
}
