// Radio buttons: exclusivity among siblings, tab stops, checking on keyboard focus,
// custom strips and the painted glyph.
#include "controls/common/FwRadioButton.h"

#include "controls/common/FwCheckBox.h"
#include "controls/common/FwColors.h"

#include "ButtonTestHost.h"
#include "PixelTools.h"
#include "support/TestSupport.h"
#include "controls/common/FwCustomPanel.h"

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

TEST(FwRadioButton, PaintedRingAndDot) {
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

  // Hot: a ring inside the frame shaded from the hot frame colour at the top left to the
  // hot fill colour at the bottom right; the frame, dot and middle stay.
  r->Perform(CM_MOUSELEAVE);
  const QImage normal = glyph();
  r->Perform(CM_MOUSEENTER);
  const QImage hot = glyph();
  const TColor hotFrame = 0x149BF0, hotFill = BlendColors(0x00FFFFFF, hotFrame, 190);
  const TColor topLeft = fwtest::At(hot, 3, 3), bottomRight = fwtest::At(hot, 9, 9);
  EXPECT_LT(fwtest::Distance(topLeft, hotFrame), fwtest::Distance(topLeft, hotFill)) << std::hex << topLeft;
  EXPECT_LT(fwtest::Distance(bottomRight, hotFill), fwtest::Distance(bottomRight, hotFrame)) << std::hex << bottomRight;
  EXPECT_NE(topLeft, bottomRight);
  for (const QPoint p : {QPoint(6, 0), QPoint(6, 6), QPoint(0, 6)}) EXPECT_EQ(hot.pixel(p), normal.pixel(p)) << p.x();
}

// Check boxes and radio buttons in their states side by side, saved under the build
// folder (fw_buttons.png) to be looked at after a change.
TEST(FwRadioButton, PictureOfCheckBoxesAndRadioButtons) {
  Host host;
  ASSERT_TRUE(host.active);
  host.form.SetColor(clWhite);
  const QString captions[] = {QStringLiteral("未选"), QStringLiteral("选中"), QStringLiteral("灰色"),
                              QStringLiteral("禁用"), QStringLiteral("热点"), QStringLiteral("焦点")};
  std::vector<TFwCheckBox*> boxes;
  for (int i = 0; i < 6; ++i) {
    auto* b = new TFwCheckBox(&host.form);
    b->SetParent(&host.form);
    b->SetBounds(10, 10 + 22 * i, 90, 17);
    b->SetCaption(captions[i]);
    b->SetHotTrack(true);
    b->SetFrameColor(0x0080511C);
    b->SetHighlightColor(0x0021A121);
    b->SetAllowGrayed(true);
    b->Perform(CM_MOUSELEAVE);
    boxes.push_back(b);
  }
  boxes[1]->SetChecked(true);
  boxes[2]->SetState(TCheckBoxState::cbGrayed);
  boxes[3]->SetChecked(true);
  boxes[3]->SetEnabled(false);
  boxes[4]->Perform(CM_MOUSEENTER);
  boxes[5]->SetFocus();
  auto* panel = new TFwCustomPanel(&host.form);
  panel->SetParent(&host.form);
  panel->SetBounds(110, 0, 110, 150);
  for (int i = 0; i < 4; ++i) {
    // The classic one sits on the form, so that checking it leaves the panel's alone.
    TFwRadioButton* r = i == 3 ? host.Radio(&host.form, 10 + 22 * 6) : host.Radio(panel, 10 + 22 * i);
    r->SetHotTrack(i != 3);
    r->SetFrameColor(0x0080511C);
    r->SetHighlightColor(0x0021A121);
    r->SetCaption(i == 3 ? QStringLiteral("经典") : captions[i]);
    r->Perform(CM_MOUSELEAVE);
    if (i == 1 || i == 3) r->SetChecked(true);
    if (i == 2) r->Perform(CM_MOUSEENTER);
  }
  const QImage picture = host.form.grab(QRect(0, 0, 230, 170)).toImage();
  EXPECT_GT(fwtest::Count(picture, 0x0021A121), 60);
  fwtest::SaveShot(picture.scaled(picture.size() * 3), QStringLiteral("fw_buttons.png"));
}
