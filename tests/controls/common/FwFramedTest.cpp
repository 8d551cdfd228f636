// The framing every framed control takes from TFwFramed, tested once over each of them:
// state colours, the frame in its margin, hot tracking, sides, the frame controller.
#include "controls/common/FwComboBox.h"
#include "controls/common/FwEdit.h"
#include "controls/common/FwListBox.h"
#include "platform/ui/Form.h"
#include "PixelTools.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::At;

TColor Rgb(TColor c) { return ColorToRGB(c); }

template <class Control>
class FwFramed : public ::testing::Test {
protected:
  static constexpr bool HasReadOnly = requires(Control& c) { c.SetReadOnly(true); };
  // The combo box's face is the platform's own; edits and list boxes show their colour.
  static constexpr bool ShowsColor = !std::is_same_v<Control, TFwComboBox>;
  static constexpr int W = 150, H = 24;

  fwtest::ScriptedHooks hooks;
  TForm form{nullptr};
  Control* control = new Control(&form);
  TFwEdit* other = new TFwEdit(&form);

  FwFramed() {
    form.SetBounds(0, 0, 300, 200);
    control->SetParent(&form);
    control->SetBounds(10, 10, W, H);
    other->SetParent(&form);
    other->SetTop(100);
    form.Show();
    form.activateWindow();
    QApplication::processEvents();
    Focus(other);
  }
  void Focus(TWinControl* c) {
    c->SetFocus();
    QApplication::processEvents();
  }
  void Hover(bool in) {
    QEvent event(in ? QEvent::Enter : QEvent::Leave);
    QCoreApplication::sendEvent(control, &event);
  }
  QImage Grab() {
    QApplication::processEvents();
    return control->grab().toImage();
  }
  void SetReadOnly(bool value) {
    if constexpr (HasReadOnly) control->SetReadOnly(value);
  }
  // The outermost ring of the frame, at the middle of each side.
  static std::vector<QPoint> Ring() { return {{0, H / 2}, {W / 2, 0}, {W - 1, H / 2}, {W / 2, H - 1}}; }
};

using FramedControls = ::testing::Types<TFwEdit, TFwListBox, TFwComboBox>;
TYPED_TEST_SUITE(FwFramed, FramedControls);

TYPED_TEST(FwFramed, ColourAndFrameFollowTheState) {
  auto* c = this->control;
  c->SetFocusColor(clYellow);
  c->SetDisabledColor(clGray);
  c->SetReadOnlyColor(clTeal);
  c->SetFramingPreference(TFramingPreference::fpCustomFraming);
  c->SetFrameColor(clBlack);
  c->SetFrameHotColor(clRed);
  c->SetFrameHotTrack(true);
  EXPECT_TRUE(c->FrameVisible());
  struct Case {
    const char* name;
    bool enabled, focused, hovered, readOnly, readOnlyOnFocus;
    TColor color, frame;
  };
  const Case cases[] = {
      {"normal", true, false, false, false, false, clWindow, clBlack},
      {"hovered", true, false, true, false, false, clWindow, clRed},
      {"focused", true, true, false, false, false, clYellow, clRed},
      {"disabled", false, false, false, false, false, clGray, clBlack},
      {"read-only", true, false, false, true, false, clTeal, clBlack},
      {"read-only focused", true, true, false, true, false, clYellow, clRed},
      {"read-only focused, own colour", true, true, false, true, true, clTeal, clRed},
  };
  for (const Case& k : cases) {
    if (k.readOnly && !TestFixture::HasReadOnly) continue;
    // ReadOnlyColorOnFocus is only stored: it shows with the next change of state.
    this->Focus(this->other);
    c->SetEnabled(k.enabled);
    this->SetReadOnly(k.readOnly);
    c->SetReadOnlyColorOnFocus(k.readOnlyOnFocus);
    if (k.focused) this->Focus(c);
    this->Hover(k.hovered);
    EXPECT_EQ(c->Color(), k.color) << k.name;
    EXPECT_EQ(c->Framing().HasFocus(), k.focused) << k.name;
    EXPECT_EQ(c->Framing().MouseOver(), k.hovered) << k.name;
    const QImage image = this->Grab();
    for (QPoint p : TestFixture::Ring())
      EXPECT_EQ(At(image, p.x(), p.y()), Rgb(k.frame)) << k.name << " " << p.x() << "," << p.y();
    if (TestFixture::ShowsColor) {
      EXPECT_EQ(At(image, 60, TestFixture::H / 2), Rgb(k.color)) << k.name;
    }
    this->Hover(false);
  }
}

TYPED_TEST(FwFramed, HotTrackingShowsTheHotStyleOnlyWhenOn) {
  auto* c = this->control;
  c->SetFramingPreference(TFramingPreference::fpCustomFraming);
  c->SetFrameVisible(true);
  c->SetFrameColor(clBlack);
  c->SetFrameHotColor(clRed);
  c->SetFrameHotStyle(TFrameStyle::fsFlatBold);
  this->Hover(true);
  EXPECT_EQ(At(this->Grab(), 0, TestFixture::H / 2), Rgb(clBlack));  // not tracking: stays cold
  c->SetFrameHotTrack(true);
  QImage image = this->Grab();
  EXPECT_EQ(At(image, 0, TestFixture::H / 2), Rgb(clRed));
  EXPECT_EQ(At(image, 1, TestFixture::H / 2), Rgb(clRed));  // the bold style's second ring
  this->Hover(false);
  image = this->Grab();
  EXPECT_EQ(At(image, 0, TestFixture::H / 2), Rgb(clBlack));
  EXPECT_NE(At(image, 1, TestFixture::H / 2), Rgb(clRed));
}

TYPED_TEST(FwFramed, SidesAndTheMarginOfTheFrame) {
  auto* c = this->control;
  const QRect whole(0, 0, TestFixture::W, TestFixture::H);
  EXPECT_EQ(c->Widget()->geometry(), whole);
  c->SetFramingPreference(TFramingPreference::fpCustomFraming);
  c->SetFrameColor(clBlack);
  c->SetFrameVisible(true);
  EXPECT_EQ(c->Widget()->geometry(), whole.adjusted(2, 2, -2, -2));
  EXPECT_EQ(c->ClientRect(), Rect(2, 2, TestFixture::W - 2, TestFixture::H - 2));
  c->SetFrameSides(sdBottom);
  QImage image = this->Grab();
  EXPECT_EQ(At(image, 60, TestFixture::H - 1), Rgb(clBlack));
  EXPECT_NE(At(image, 60, 0), Rgb(clBlack));
  EXPECT_NE(At(image, 0, TestFixture::H / 2), Rgb(clBlack));
  // Turning hot tracking on gives the frame all four sides again.
  c->SetFrameHotTrack(true);
  EXPECT_EQ(c->FrameSides(), TSides(sdAll));
  EXPECT_EQ(At(this->Grab(), 60, 0), Rgb(clBlack));
  c->SetFrameVisible(false);
  EXPECT_EQ(c->Widget()->geometry(), whole);
  EXPECT_NE(At(this->Grab(), 60, 0), Rgb(clWindow));  // the platform's own border again
}

TYPED_TEST(FwFramed, ColourSetFromOutsideTakesTheFocusColourAlong) {
  auto* c = this->control;
  c->SetColor(clAqua);
  EXPECT_EQ(c->FocusColor(), clAqua);
  c->SetFocusColor(clYellow);
  c->SetColor(clLime);
  EXPECT_EQ(c->FocusColor(), clYellow);
  this->Focus(c);
  EXPECT_EQ(c->Color(), clYellow);
  this->Focus(this->other);
  EXPECT_EQ(c->Color(), clLime);
}

TYPED_TEST(FwFramed, MouseEventsComeBeforeTheFrameFollows) {
  auto* c = this->control;
  QStringList log;
  c->OnMouseEnter = [&](TObject*) { log << QStringLiteral("enter %1").arg(c->Framing().MouseOver()); };
  c->OnMouseLeave = [&](TObject*) { log << QStringLiteral("leave %1").arg(c->Framing().MouseOver()); };
  this->Hover(true);
  this->Hover(false);
  EXPECT_EQ(log.join(QLatin1Char(',')), "enter 0,leave 1");
}

TYPED_TEST(FwFramed, ControllerPushesTheUnderlinedLook) {
  auto* c = this->control;
  TFwFrameController line;
  line.BeginLoad();
  line.SetFrameColor(clBlack);
  line.SetFrameHotColor(clBlue);
  line.SetFrameHotStyle(TFrameStyle::fsFlat);
  line.SetFrameHotTrack(true);
  line.SetFrameSides(sdBottom);
  line.SetFrameVisible(true);
  line.SetFocusColor(clAqua);
  line.SetFramingPreference(TFramingPreference::fpCustomFraming);
  line.EndLoad();
  this->Focus(this->other);
  c->SetFrameController(&line);
  EXPECT_EQ(c->FrameSides(), TSides(sdBottom));
  EXPECT_TRUE(c->FrameHotTrack());
  const int bottom = TestFixture::H - 1;
  QImage image = this->Grab();
  EXPECT_EQ(At(image, 60, bottom), Rgb(clBlack));
  EXPECT_NE(At(image, 60, 0), Rgb(clBlack));
  this->Hover(true);
  EXPECT_EQ(At(this->Grab(), 60, bottom), Rgb(clBlue));
  this->Hover(false);
  this->Focus(c);
  EXPECT_EQ(c->Color(), clAqua);
  // A value the control does not accept stays its own.
  c->SetFrameControllerNotifications(fcnAll & ~FcpBit(TFwFrameControllerProperty::fcpFrameColor));
  line.SetFrameColor(clGreen);
  EXPECT_EQ(c->FrameColor(), clBlack);
  line.SetFrameHotColor(clMaroon);
  EXPECT_EQ(c->FrameHotColor(), clMaroon);
}

TYPED_TEST(FwFramed, ControllerAndControlOutliveEachOther) {
  auto* controller = new TFwFrameController;
  {
    TypeParam control(nullptr);
    control.SetFrameController(controller);
    EXPECT_EQ(controller->ControlCount(), 1);
  }
  EXPECT_EQ(controller->ControlCount(), 0);
  TypeParam control(nullptr);
  control.SetFrameController(controller);
  delete controller;
  EXPECT_EQ(control.FrameController(), nullptr);
}

} // namespace
