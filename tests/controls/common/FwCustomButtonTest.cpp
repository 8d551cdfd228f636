// Button base: press-move-release protocol, hot tracking, enabling, caption drawing.
#include "controls/common/FwCustomButton.h"

#include "ButtonTestHost.h"
#include "PixelTools.h"
#include "platform/ui/Canvas.h"

#include <gtest/gtest.h>

using namespace fw;
using fwtest::MoveTo;
using fwtest::Press;
using fwtest::Release;

namespace {

// The base with its caption painter reachable from the test.
class CaptionButton : public TFwCustomButton {
public:
  using TFwCustomButton::TFwCustomButton;
  TRect PaintCaption(TCanvas& canvas, TRect r, unsigned flags) { return DrawCaption(canvas, r, flags); }
};

struct Host : fwtest::ActiveForm {
  CaptionButton* Button() {
    auto* b = new CaptionButton(&form);
    b->SetParent(&form);
    b->SetBounds(10, 10, 100, 20);
    return b;
  }
};

} // namespace

TEST(FwCustomButton, PressMoveReleaseClicksOnlyWhenReleasedInside) {
  struct Case {
    const char* name;
    std::vector<QPoint> moves;
    bool pressedAfterMoves;
    QPoint release;
    int clicks;
  };
  const Case cases[] = {
      {"straight click", {}, true, {5, 5}, 1},
      {"dragged out, released outside", {{150, 5}}, false, {150, 5}, 0},
      {"dragged out and back in", {{150, 5}, {-1, 5}, {50, 10}}, true, {50, 10}, 1},
      {"bottom edge still counts as pressed", {{5, 20}}, true, {5, 19}, 1},
      {"below the bottom edge", {{5, 21}}, false, {5, 21}, 0},
      {"released on the right edge", {{100, 5}}, false, {100, 5}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Host host;
    ASSERT_TRUE(host.active);
    CaptionButton* b = host.Button();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Press(b);
    EXPECT_TRUE(b->Focused());
    EXPECT_TRUE(b->Pressed());
    EXPECT_TRUE(b->Tracking());
    for (QPoint p : c.moves) MoveTo(b, p);
    EXPECT_EQ(b->Pressed(), c.pressedAfterMoves);
    Release(b, c.release);
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_FALSE(b->Pressed());
    EXPECT_FALSE(b->Tracking());
  }
}

TEST(FwCustomButton, DisabledButtonNeitherTakesFocusNorTracks) {
  Host host;
  ASSERT_TRUE(host.active);
  CaptionButton* b = host.Button();
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->SetEnabled(false);
  Press(b);
  EXPECT_FALSE(b->Focused());
  EXPECT_FALSE(b->Tracking());
  Release(b);
  EXPECT_EQ(clicks, 0);

  // Disabling in the middle of a press ends it.
  b->SetEnabled(true);
  Press(b);
  ASSERT_TRUE(b->Tracking());
  b->SetEnabled(false);
  EXPECT_FALSE(b->Focused());
  EXPECT_FALSE(b->Pressed());
  b->SetEnabled(true);
  Release(b);
  EXPECT_EQ(clicks, 0);
}

TEST(FwCustomButton, MouseEnterAndLeaveRaiseTheirEvents) {
  Host host;
  CaptionButton* b = host.Button();
  std::vector<std::string> log;
  b->OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
  b->OnMouseLeave = [&](TObject*) { log.push_back("leave"); };
  b->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(b->MouseInControl());
  b->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(b->MouseInControl());
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
}

namespace {

// Ink box of the caption drawn with the given style on white.
QRect CaptionInk(CaptionButton* b, unsigned flags = DT_LEFT, TRect* taken = nullptr) {
  QImage image = fwtest::Blank(100, 40);
  {
    TCanvas canvas(&image);
    const TRect r = b->PaintCaption(canvas, Rect(10, 5, 90, 35), flags);
    if (taken) *taken = r;
  }
  return fwtest::Inked(image);
}

} // namespace

TEST(FwCustomButton, TextStylesAddTheirCopiesAroundTheCaption) {
  struct Case {
    const char* name;
    TTextStyle style;
    bool light;
    unsigned flags;
    int left, top, right, bottom;  // growth of the ink box against the plain caption
  };
  const Case cases[] = {
      {"raised", TTextStyle::tsRaised, false, DT_LEFT, 1, 1, 1, 1},
      {"raised, light", TTextStyle::tsRaised, true, DT_LEFT, 1, 1, 0, 0},
      {"recessed", TTextStyle::tsRecessed, false, DT_LEFT, 1, 1, 1, 1},
      {"recessed, light", TTextStyle::tsRecessed, true, DT_LEFT, 0, 0, 1, 1},
      {"shadow", TTextStyle::tsShadow, false, DT_LEFT, 0, 0, 3, 3},
      // Right aligned, the caption moves the depth to the left and the shadow stays put.
      {"shadow, right aligned", TTextStyle::tsShadow, false, DT_RIGHT, 0, 0, 3, 3},
  };
  Host host;
  CaptionButton* b = host.Button();
  b->SetCaption(QStringLiteral("Caption"));
  b->Font().SetColor(clBlack);
  b->SetTextHighlightColor(clRed);
  b->SetTextShadowDepth(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    b->SetTextStyle(TTextStyle::tsNormal);
    b->SetLightTextStyle(false);
    QRect plain = CaptionInk(b, c.flags);
    b->SetTextStyle(c.style);
    b->SetLightTextStyle(c.light);
    const QRect styled = CaptionInk(b, c.flags);
    EXPECT_EQ(plain.left() - styled.left(), c.left);
    EXPECT_EQ(plain.top() - styled.top(), c.top);
    EXPECT_EQ(styled.right() - plain.right(), c.right);
    EXPECT_EQ(styled.bottom() - plain.bottom(), c.bottom);
  }
}

TEST(FwCustomButton, VerticalAlignmentPlacesTheTextLine) {
  Host host;
  CaptionButton* b = host.Button();
  b->SetCaption(QStringLiteral("Caption"));
  TRect top, center, bottom;
  b->SetAlignmentVertical(TAlignmentVertical::avTop);
  CaptionInk(b, DT_LEFT, &top);
  b->SetAlignmentVertical(TAlignmentVertical::avCenter);
  CaptionInk(b, DT_LEFT, &center);
  b->SetAlignmentVertical(TAlignmentVertical::avBottom);
  CaptionInk(b, DT_LEFT, &bottom);
  const int h = top.Height();
  ASSERT_GT(h, 0);
  EXPECT_EQ(top.Top, 5);
  EXPECT_EQ(center.Top, (5 + 35 - h) / 2);
  // The bottom line ends one pixel above the rectangle's bottom.
  EXPECT_EQ(bottom.Bottom, 35 - 1);
}

TEST(FwCustomButton, DisabledCaptionIsEngravedInSystemColours) {
  Host host;
  CaptionButton* b = host.Button();
  b->SetCaption(QStringLiteral("Caption"));
  b->Font().SetColor(clRed);
  b->SetEnabled(false);
  QImage image = fwtest::Blank(100, 40, QColor(128, 128, 0));
  {
    TCanvas canvas(&image);
    b->PaintCaption(canvas, Rect(10, 5, 90, 35), DT_LEFT);
  }
  EXPECT_EQ(fwtest::Count(image, clRed), 0);
  EXPECT_GT(fwtest::Count(image, ColorToRGB(clBtnShadow)), 0);
  EXPECT_GT(fwtest::Count(image, ColorToRGB(clBtnHighlight)), 0);
}
