// Check box: the click cycle by mouse and Space, custom glyph strips, the frame
// controller, the action, and the painted glyph, focus rectangle and disabled caption.
#include "controls/common/FwCheckBox.h"

#include "ButtonTestHost.h"
#include "PixelTools.h"
#include "platform/ui/Action.h"
#include "platform/ui/Bitmap.h"

#include <gtest/gtest.h>

using namespace fw;
using S = TCheckBoxState;

namespace {

constexpr TColor kFrame = 0x0080511C;
constexpr TColor kMark = 0x0021A121;

struct Host : fwtest::ActiveForm {
  TFwCheckBox* Box(int top = 10) {
    auto* b = new TFwCheckBox(&form);
    b->SetParent(&form);
    b->SetBounds(10, top, 120, 17);
    b->SetColor(clWhite);
    b->SetCaption(QStringLiteral("统计"));
    b->SetFrameColor(kFrame);
    b->SetHighlightColor(kMark);
    b->SetHotTrack(true);
    return b;
  }
};

QImage Glyph(TFwCheckBox* b) { return b->grab().toImage().copy(b->GlyphRect().ToQt()); }

} // namespace

TEST(FwCheckBox, ClicksCycleThroughTheStates) {
  struct Case {
    const char* name;
    bool allowGrayed;
    S start;
    std::vector<S> after;  // the state after each click
  };
  const Case cases[] = {
      {"two states", false, S::cbUnchecked, {S::cbChecked, S::cbUnchecked, S::cbChecked}},
      {"three states", true, S::cbUnchecked, {S::cbGrayed, S::cbChecked, S::cbUnchecked, S::cbGrayed}},
      {"grayed from code without AllowGrayed", false, S::cbGrayed, {S::cbChecked, S::cbUnchecked}},
  };
  Host host;
  ASSERT_TRUE(host.active);
  TFwCheckBox* b = host.Box();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool byKey : {false, true}) {
      b->SetAllowGrayed(c.allowGrayed);
      b->SetState(c.start);
      int clicks = 0;
      b->OnClick = [&](TObject*) { ++clicks; };
      for (size_t i = 0; i < c.after.size(); ++i) {
        if (byKey) {
          b->SetFocus();
          QTest::keyClick(b, Qt::Key_Space);
        } else {
          fwtest::Press(b);
          fwtest::Release(b);
        }
        EXPECT_EQ(b->State(), c.after[i]) << (byKey ? "Space, step " : "mouse, step ") << i;
      }
      EXPECT_EQ(clicks, int(c.after.size()));
      b->OnClick = nullptr;
    }
  }
}

TEST(FwCheckBox, OnlyARealChangeOfStateClicks) {
  Host host;
  TFwCheckBox* b = host.Box();
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->SetState(S::cbUnchecked);
  b->SetChecked(false);
  EXPECT_EQ(clicks, 0);
  b->SetChecked(true);
  EXPECT_TRUE(b->Checked());
  b->SetState(S::cbGrayed);
  EXPECT_FALSE(b->Checked());
  EXPECT_EQ(clicks, 2);
}

TEST(FwCheckBox, EnterAndEscapeDoNotToggle) {
  Host host;
  ASSERT_TRUE(host.active);
  TFwCheckBox* b = host.Box();
  b->SetFocus();
  QTest::keyClick(b, Qt::Key_Return);
  EXPECT_EQ(b->State(), S::cbUnchecked);
  // Space down shows the press; Escape takes it back, so the release toggles nothing.
  QTest::keyPress(b, Qt::Key_Space);
  EXPECT_TRUE(b->Pressed());
  QTest::keyClick(b, Qt::Key_Escape);
  EXPECT_FALSE(b->Pressed());
  QTest::keyRelease(b, Qt::Key_Space);
  EXPECT_EQ(b->State(), S::cbUnchecked);
}

TEST(FwCheckBox, ActionCarriesCheckedWithoutAClick) {
  Host host;
  TFwCheckBox* b = host.Box();
  TAction action(nullptr);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->SetAction(&action);
  action.SetChecked(true);
  EXPECT_TRUE(b->Checked());
  EXPECT_EQ(clicks, 0);
  b->SetAction(nullptr);
}

TEST(FwCheckBox, CustomStripGivesGlyphSizeAndCellByState) {
  Host host;
  ASSERT_TRUE(host.active);
  TFwCheckBox* b = host.Box();
  // Nine cells of 13 x 13, cell i filled with colour i.
  TBitmap strip(117, 13);
  for (int i = 0; i < 9; ++i) {
    strip.Canvas().Brush().SetColor(RGB(10 * i, 100, 200));
    strip.Canvas().FillRect(Bounds(13 * i, 0, 13, 13));
  }
  b->SetCustomGlyphs(strip);
  EXPECT_TRUE(b->UseCustomGlyphs());
  EXPECT_EQ(b->GlyphWidth(), 13);
  EXPECT_EQ(b->GlyphHeight(), 13);
  auto cellShown = [&] { return GetRValue(fwtest::At(Glyph(b), 6, 6)) / 10; };
  b->SetState(S::cbUnchecked);
  EXPECT_EQ(cellShown(), 0);
  b->SetState(S::cbGrayed);
  EXPECT_EQ(cellShown(), 2);
  fwtest::Press(b);
  EXPECT_EQ(cellShown(), 5);
  fwtest::Release(b, QPoint(500, 5));
  b->SetState(S::cbChecked);
  EXPECT_EQ(cellShown(), 1);
  b->SetEnabled(false);
  EXPECT_EQ(cellShown(), 7);

  b->SetCustomGlyphs(TBitmap());
  EXPECT_FALSE(b->UseCustomGlyphs());
  EXPECT_EQ(b->GlyphWidth(), 13);
  EXPECT_GT(fwtest::Count(Glyph(b), ColorToRGB(kFrame)), 0);  // the painted glyph again
}

TEST(FwCheckBox, PaintsFrameMarkFocusAndDisabledCaption) {
  Host host;
  ASSERT_TRUE(host.active);
  TFwCheckBox* b = host.Box();
  b->Font().SetColor(clRed);
  b->Perform(CM_MOUSELEAVE);  // wherever the offscreen pointer is

  const QImage unchecked = Glyph(b);
  // A one-pixel frame around a white inside, no mark.
  EXPECT_EQ(fwtest::Count(unchecked, kFrame), 48);
  EXPECT_EQ(fwtest::Count(unchecked, kMark), 0);
  EXPECT_EQ(fwtest::Count(unchecked, clWhite), 11 * 11);

  b->SetState(S::cbChecked);
  const QImage checked = Glyph(b);
  EXPECT_EQ(fwtest::Count(checked, kMark), 7 * 3);  // seven columns of three
  EXPECT_EQ(fwtest::Inked(checked.copy(1, 1, 11, 11)), QRect(2, 2, 7, 7));

  b->SetState(S::cbGrayed);
  EXPECT_EQ(fwtest::Count(Glyph(b), kMark), 7 * 7);

  // Focus: a dotted black rectangle around the caption, none around the glyph.
  const QRect caption(b->GlyphWidth() + 4, 0, b->Width() - b->GlyphWidth() - 4, b->Height());
  EXPECT_EQ(fwtest::Count(b->grab().toImage(), clBlack, caption), 0);
  b->SetFocus();
  ASSERT_TRUE(b->Focused());
  EXPECT_GT(fwtest::Count(b->grab().toImage(), clBlack, caption), 8);

  // Hot: colours of the hot ring appear just inside the frame.
  b->Perform(CM_MOUSEENTER);
  const QImage hot = Glyph(b);
  EXPECT_LT(fwtest::Distance(fwtest::At(hot, 1, 1), 0x149BF0), 16);
  b->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(fwtest::At(Glyph(b), 1, 1), clWhite);

  // Disabled: the inside in DisabledColor and the caption engraved, never in the font colour.
  b->SetEnabled(false);
  const QImage disabled = b->grab().toImage();
  EXPECT_EQ(fwtest::At(disabled, 6, 4), ColorToRGB(clBtnFace));
  EXPECT_EQ(fwtest::Count(disabled, clRed), 0);
  EXPECT_GT(fwtest::Count(disabled, ColorToRGB(clBtnShadow), caption), 0);
}

TEST(FwCheckBox, FrameControllerDressesTheBoxWhenItsFrameIsVisible) {
  Host host;
  TFwCheckBox* b = host.Box();
  b->SetHotTrack(false);
  TFwFrameController controller;
  controller.SetFrameColor(clRed);
  b->SetFrameController(&controller);
  EXPECT_FALSE(b->HotTrack());  // frame not visible: nothing taken
  EXPECT_EQ(b->FrameColor(), kFrame);

  b->SetFrameControllerNotifications(FcpBit(TFwFrameControllerProperty::fcpFrameColor));
  controller.SetDisabledColor(clBlack);
  controller.SetFrameVisible(true);
  EXPECT_TRUE(b->HotTrack());
  EXPECT_EQ(b->FrameColor(), clRed);
  EXPECT_EQ(b->DisabledColor(), clBtnFace);  // not in the notifications
  b->SetFrameController(nullptr);
}

TEST(FwCheckBox, TransparentLeavesTheParentShowingThrough) {
  Host host;
  TFwCheckBox* b = host.Box();
  host.form.SetColor(clYellow);
  b->SetColor(clAqua);
  const QPoint empty(b->Width() - 2, b->Height() - 2);
  EXPECT_EQ(fwtest::At(b->grab().toImage(), empty.x(), empty.y()), clAqua);
  b->SetTransparent(true);
  const QImage seen = host.form.grab(b->geometry()).toImage();
  EXPECT_EQ(fwtest::At(seen, empty.x(), empty.y()), clYellow);
}

TEST(FwCheckBox, WithoutHotTrackTheGlyphHasTheClassicLook) {
  Host host;
  TFwCheckBox* b = host.Box();
  b->SetHotTrack(false);
  b->SetChecked(true);
  b->Perform(CM_MOUSEENTER);  // no hot look without HotTrack
  const QImage glyph = Glyph(b);
  EXPECT_EQ(fwtest::At(glyph, 0, 0), ColorToRGB(clBtnShadow));  // sunken edge
  EXPECT_EQ(fwtest::At(glyph, 12, 12), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(fwtest::Count(glyph, kFrame), 0);
  EXPECT_EQ(fwtest::Count(glyph, kMark), 0);
  EXPECT_EQ(fwtest::Count(glyph, ColorToRGB(clWindowText)), 7 * 3);
}
