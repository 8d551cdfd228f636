// Radio buttons: exclusivity among siblings, tab stops, checking on keyboard focus,
// custom strips and the painted glyph.
#include "controls/common/FwRadioButton.h"

#include "ButtonTestHost.h"
#include "PixelTools.h"
#include "controls/common/FwCustomPanel.h"
#include "platform/ui/Bitmap.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

struct Host : fwtest::ActiveForm {
  TFwRadioButton* Radio(TWinControl* parent, int top) {
    auto* r = new TFwRadioButton(&form);
    r->SetParent(parent);
    r->SetBounds(10, top, 100, 17);
    r->SetCaption(QStringLiteral("选项"));
    return r;
  }
};

} // namespace

TEST(FwRadioButton, CheckingClearsOnlyTheSiblings) {
  Host host;
  auto* panel = new TFwCustomPanel(&host.form);
  panel->SetParent(&host.form);
  panel->SetBounds(200, 0, 150, 100);
  TFwRadioButton* a = host.Radio(&host.form, 10);
  TFwRadioButton* b = host.Radio(&host.form, 30);
  TFwRadioButton* c = host.Radio(&host.form, 50);
  TFwRadioButton* other = host.Radio(panel, 10);
  other->SetChecked(true);
  EXPECT_FALSE(a->TabStop());

  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(c->Checked());
  EXPECT_TRUE(other->Checked());
  EXPECT_TRUE(b->TabStop());
  EXPECT_FALSE(a->TabStop());
  // Checked again, or unchecked: no click.
  b->SetChecked(true);
  b->SetChecked(false);
  EXPECT_EQ(clicks, 1);
}

TEST(FwRadioButton, MouseChecksOnReleaseInsideKeyboardFocusOnArrival) {
  Host host;
  ASSERT_TRUE(host.active);
  TFwRadioButton* a = host.Radio(&host.form, 10);
  TFwRadioButton* b = host.Radio(&host.form, 30);
  a->SetChecked(true);

  fwtest::Press(b);
  EXPECT_TRUE(b->Focused());
  EXPECT_FALSE(b->Checked());  // the press alone checks nothing
  fwtest::Release(b, QPoint(5, 40));
  EXPECT_FALSE(b->Checked());
  fwtest::Press(b);
  fwtest::Release(b);
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());

  a->SetFocus();  // as Tab or a program moving the focus
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
}

TEST(FwRadioButton, AcceleratorFocusesAndChecks) {
  Host host;
  ASSERT_TRUE(host.active);
  TFwRadioButton* a = host.Radio(&host.form, 10);
  a->SetCaption(QStringLiteral("全部(&A)"));
  int clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; };
  QTest::keyClick(&host.form, Qt::Key_A, Qt::AltModifier);
  EXPECT_TRUE(a->Focused());
  EXPECT_TRUE(a->Checked());
  EXPECT_EQ(clicks, 1);
}

TEST(FwRadioButton, SixCellStripAndPaintedDot) {
  Host host;
  TFwRadioButton* r = host.Radio(&host.form, 10);
  r->SetColor(clWhite);
  r->SetHotTrack(true);
  r->SetFrameColor(0x0080511C);
  r->SetHighlightColor(0x0021A121);
  auto glyph = [&] { return r->grab().toImage().copy(r->GlyphRect().ToQt()); };
  EXPECT_GT(fwtest::Count(glyph(), 0x0080511C), 20);
  EXPECT_EQ(fwtest::Count(glyph(), 0x0021A121), 0);
  r->SetChecked(true);
  const QRect dot = fwtest::Inked(glyph().copy(2, 2, 9, 9));
  EXPECT_EQ(dot.center(), QPoint(4, 4));  // centred in the glyph
  EXPECT_GT(fwtest::Count(glyph(), 0x0021A121), 8);

  TBitmap strip(78, 13);
  r->SetCustomGlyphs(strip);
  EXPECT_EQ(r->GlyphWidth(), 13);
  EXPECT_EQ(r->GlyphHeight(), 13);
}
