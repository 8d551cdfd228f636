#include "controls/common/FwLabel.h"
#include "controls/common/FwURLLabel.h"
#include "platform/ui/Form.h"
#include "PixelTools.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::At;
using fwtest::Count;
using fwtest::Inked;

// A fixed-size label on a white face with black text.
struct Fixture {
  TForm form{nullptr};
  TFwLabel* label = new TFwLabel(&form);
  explicit Fixture(const QString& caption, int w = 200, int h = 40) {
    form.SetBounds(0, 0, 300, 200);
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetParentColor(false);
    label->SetColor(clWhite);
    label->Font().SetColor(clBlack);
    label->SetCaption(caption);
    label->SetBounds(0, 0, w, h);
  }
  QImage Grab() { return label->grab().toImage(); }
};

TEST(FwLabel, AlignmentAndLayoutPlaceTheText) {
  Fixture f("Abc");
  struct Case {
    TAlignment align;
    TTextLayout layout;
    int centreX;  // expected centre of the ink, within 6 pixels
    int centreY;
  };
  const Case cases[] = {
      {TAlignment::taLeftJustify, TTextLayout::tlTop, -1, -1},
      {TAlignment::taRightJustify, TTextLayout::tlBottom, -1, -1},
      {TAlignment::taCenter, TTextLayout::tlCenter, 100, 20},
  };
  for (const Case& c : cases) {
    f.label->SetAlignment(c.align);
    f.label->SetLayout(c.layout);
    const QRect ink = Inked(f.Grab());
    ASSERT_FALSE(ink.isNull());
    if (c.align == TAlignment::taLeftJustify) {
      EXPECT_LE(ink.left(), 3);
    }
    if (c.align == TAlignment::taRightJustify) {
      EXPECT_GE(ink.right(), 195);
    }
    if (c.layout == TTextLayout::tlTop) {
      EXPECT_LE(ink.top(), 6);
    }
    if (c.layout == TTextLayout::tlBottom) {
      EXPECT_GE(ink.bottom(), 35);
    }
    if (c.centreX >= 0) {
      EXPECT_LE(std::abs(ink.center().x() - c.centreX), 6);
    }
    if (c.centreY >= 0) {
      EXPECT_LE(std::abs(ink.center().y() - c.centreY), 6);
    }
  }
}

TEST(FwLabel, WordWrapBreaksIntoLines) {
  Fixture f("aaa bbb ccc ddd eee fff", 60, 100);
  const int oneLine = Inked(f.Grab()).height();
  f.label->SetWordWrap(true);
  EXPECT_GT(Inked(f.Grab()).height(), 2 * oneLine);
  EXPECT_LE(Inked(f.Grab()).right(), 59);
}

TEST(FwLabel, EndEllipsisShortensALongCaptionAndEndsAutoSize) {
  Fixture f("MMMMMMMMMMMMMMMMMMMMMMMM", 80, 20);
  EXPECT_EQ(Inked(f.Grab()).right(), 79);  // clipped at the edge
  f.label->SetAutoSize(true);
  f.label->SetCondenseCaption(TFwCondenseCaption::ccAtEnd);
  EXPECT_FALSE(f.label->AutoSize());
  f.label->SetWidth(80);
  f.label->SetCaption("MMMMMMMMMMMMMMMMMMMMMMMMM");
  EXPECT_EQ(f.label->Width(), 80);
  const QRect ink = Inked(f.Grab());
  EXPECT_LT(ink.right(), 79);
  EXPECT_GT(ink.width(), 40);
}

TEST(FwLabel, DisabledTextIsTwoToneWithoutStyleCopies) {
  Fixture f("Abc");
  f.label->SetColor(clBtnFace);
  f.label->SetTextStyle(TTextStyle::tsShadow);
  f.label->SetShadowColor(clRed);
  QImage image = f.Grab();
  EXPECT_GT(Count(image, clRed), 0);
  f.label->SetEnabled(false);
  image = f.Grab();
  EXPECT_EQ(Count(image, clRed), 0);
  EXPECT_EQ(Count(image, clBlack), 0);
  EXPECT_GT(Count(image, ColorToRGB(clBtnShadow)), 0);
  EXPECT_GT(Count(image, ColorToRGB(clBtnHighlight)), 0);
}

TEST(FwLabel, FlatBorderOnChosenSidesAndAutoSizeAllowsForIt) {
  Fixture f("");
  f.label->SetBorderOuter(TFrameStyleEx::fsFlat);
  f.label->SetFlatColor(clBlack);
  f.label->SetFlatColorAdjustment(0);
  f.label->SetBorderSides(sdLeft | sdTop);
  QImage image = f.Grab();
  EXPECT_EQ(At(image, 0, 20), clBlack);
  EXPECT_EQ(At(image, 100, 0), clBlack);
  EXPECT_EQ(At(image, 199, 20), clWhite);
  EXPECT_EQ(At(image, 100, 39), clWhite);

  TFwLabel plain(nullptr);
  plain.SetCaption("Abc");
  TFwLabel framed(nullptr);
  framed.SetBorderOuter(TFrameStyleEx::fsFlat);
  framed.SetCaption("Abc");
  EXPECT_EQ(framed.Width(), plain.Width() + 2);
  EXPECT_EQ(framed.Height(), plain.Height() + 2);
}

TEST(FwLabel, AngleIsNormalisedAndTurnsTheLabelFlat) {
  TFwLabel label(nullptr);
  const std::pair<int, int> cases[] = {{-30, 330}, {400, 40}, {360, 0}, {90, 90}};
  for (const auto& [set, kept] : cases) {
    label.SetAngle(set);
    EXPECT_EQ(label.Angle(), kept) << set;
  }
  EXPECT_EQ(label.Rotation(), TRotation::roFlat);
  label.SetRotation(TRotation::roNone);
  EXPECT_EQ(label.Angle(), 0);
}

TEST(FwLabel, TurnedTextStandsUpright) {
  Fixture f("Abcdefgh", 100, 100);
  f.label->SetAngle(90);
  const QRect ink = Inked(f.Grab());
  ASSERT_FALSE(ink.isNull());
  EXPECT_GT(ink.height(), ink.width());
}

// Curved text runs clockwise round the anchor, starting at the angle: 0 at the top,
// 90 at the left, 180 at the bottom.
TEST(FwLabel, CurvedTextRunsRoundTheAnchorFromTheAngle) {
  struct Case {
    int angle;
    TCenterPoint anchor;
    QRect expected;  // where all the ink must lie
    QPoint firstInk;  // a pixel area the first letter must touch
  };
  const Case cases[] = {
      {0, TCenterPoint::cpCenter, QRect(95, 0, 105, 100), QPoint(100, 30)},
      {90, TCenterPoint::cpCenter, QRect(0, 0, 100, 105), QPoint(30, 100)},
      {180, TCenterPoint::cpCenter, QRect(0, 95, 105, 105), QPoint(100, 170)},
      {0, TCenterPoint::cpLowerLeft, QRect(0, 0, 200, 200), QPoint(0, 30)},
  };
  for (const Case& c : cases) {
    Fixture f(QStringLiteral("WWWW"), 200, 200);
    f.label->Font().SetSize(14);
    f.label->SetRotation(TRotation::roCurve);
    f.label->SetCenterPoint(c.anchor);
    f.label->SetAngle(c.angle);
    const QImage image = f.Grab();
    const QRect ink = Inked(image);
    ASSERT_FALSE(ink.isNull()) << c.angle;
    EXPECT_TRUE(c.expected.contains(ink)) << c.angle << " ink " << ink.x() << "," << ink.y() << " " << ink.width()
                                          << "x" << ink.height();
    // The first letter stands near its place on the circle.
    const QRect near(c.firstInk - QPoint(30, 30), QSize(60, 60));
    EXPECT_FALSE(Inked(image.copy(near)).isNull()) << c.angle;
  }
}

TEST(FwLabel, DisabledCurvedTextIsTwoTone) {
  Fixture f(QStringLiteral("WWW"), 200, 200);
  f.label->SetRotation(TRotation::roCurve);
  f.label->SetColor(clYellow);
  f.label->SetTextStyle(TTextStyle::tsShadow);
  f.label->SetEnabled(false);
  const QImage image = f.Grab();
  EXPECT_GT(Count(image, ColorToRGB(clBtnShadow)), 0);
  EXPECT_GT(Count(image, ColorToRGB(clBtnHighlight)), 0);
  EXPECT_EQ(Count(image, clBlack), 0);
}

TEST(FwLabel, FrameControllerGivesTheBoxLookOnlyWhenItsFrameIsVisible) {
  Fixture f("");
  TFwFrameController box;
  box.SetFrameColor(clBtnText);
  box.SetFrameSides(sdBottom);
  f.label->SetFrameController(&box);
  EXPECT_EQ(f.label->BorderOuter(), TFrameStyleEx::fsNone);
  box.SetFrameVisible(true);
  EXPECT_EQ(f.label->BorderOuter(), TFrameStyleEx::fsFlat);
  EXPECT_EQ(f.label->BorderSides(), TSides(sdBottom));
  EXPECT_EQ(f.label->FlatColor(), clBtnText);
  EXPECT_EQ(f.label->FlatColorAdjustment(), 0);
  EXPECT_EQ(At(f.Grab(), 100, 39), ColorToRGB(clBtnText));
}

TEST(FwLabel, BlinkingSharesOneListAndColoursTheText) {
  Fixture f("Abc");
  TFwLabel second(nullptr);
  f.label->SetBlinkIntervalOn(300);
  EXPECT_EQ(second.BlinkIntervalOn(), 300);
  f.label->SetBlinkColor(clRed);
  f.label->SetBlinking(true);
  ASSERT_NE(BlinkingList(), nullptr);
  BlinkingList()->Tick();
  if (!BlinkingList()->PhaseOn()) BlinkingList()->Tick();
  EXPECT_EQ(f.label->DrawingColor(), clRed);
  EXPECT_GT(Count(f.Grab(), clRed), 0);
  f.label->SetBlinking(false);
  EXPECT_EQ(Count(f.Grab(), clRed), 0);
  f.label->SetBlinkIntervalOn(500);
}

TEST(FwLabel, FlyByColourWhileHovered) {
  Fixture f("Abc");
  f.label->SetFlyByEnabled(true);
  f.label->SetFlyByColor(clBlue);
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(f.label, &enter);
  EXPECT_GT(Count(f.Grab(), clBlue), 0);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(f.label, &leave);
  EXPECT_EQ(Count(f.Grab(), clBlue), 0);
  EXPECT_EQ(f.label->Font().Color(), clBlack);
}

TEST(FwURLLabel, OpensItsAddressOrCaptionAndTurnsVisited) {
  fwtest::ScriptedHooks hooks;
  TFwURLLabel label(nullptr);
  label.SetCaption(" www.example.org ");
  EXPECT_EQ(label.Font().Color(), clHighlight);
  label.Click();
  EXPECT_TRUE(label.Visited());
  EXPECT_EQ(label.Font().Color(), TColor(0x00800080));
  label.SetURL("http://example.org/a");
  label.Click();
  EXPECT_EQ(hooks.Opened, (QStringList{"www.example.org", "http://example.org/a"}));
}

} // namespace
