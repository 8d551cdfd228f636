#include "controls/common/FwEdit.h"
#include "controls/common/FwFrameController.h"
#include "platform/ui/Form.h"
#include "PixelTools.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::At;

struct Fixture {
  TForm form{nullptr};
  TFwEdit* edit = new TFwEdit(&form);
  TFwEdit* other = new TFwEdit(&form);
  Fixture() {
    form.SetBounds(0, 0, 300, 200);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 121, 21);
    other->SetParent(&form);
    other->SetTop(60);
    form.Show();
    form.activateWindow();
    QApplication::processEvents();
  }
  void Focus(TWinControl* c) {
    c->SetFocus();
    QApplication::processEvents();
  }
  QImage Grab() { return edit->grab().toImage(); }
  void Hover(bool in) {
    QEvent event(in ? QEvent::Enter : QEvent::Leave);
    QCoreApplication::sendEvent(edit, &event);
  }
};

TColor Rgb(TColor c) { return ColorToRGB(c); }

TEST(FwCustomEdit, BackgroundFollowsTheState) {
  Fixture f;
  f.edit->SetFocusColor(clYellow);
  f.edit->SetDisabledColor(clGray);
  f.edit->SetReadOnlyColor(clTeal);
  struct Case {
    const char* name;
    bool enabled, focused, readOnly, readOnlyOnFocus;
    TColor expected;
  };
  const Case cases[] = {
      {"normal", true, false, false, false, clWindow},
      {"focused", true, true, false, false, clYellow},
      {"disabled", false, false, false, false, clGray},
      {"read-only", true, false, true, false, clTeal},
      {"read-only focused", true, true, true, false, clYellow},
      {"read-only focused, own colour", true, true, true, true, clTeal},
  };
  for (const Case& c : cases) {
    // ReadOnlyColorOnFocus is only stored: it shows with the next change of state.
    f.Focus(f.other);
    f.edit->SetEnabled(c.enabled);
    f.edit->SetReadOnly(c.readOnly);
    f.edit->SetReadOnlyColorOnFocus(c.readOnlyOnFocus);
    f.Focus(c.focused ? static_cast<TWinControl*>(f.edit) : f.other);
    EXPECT_EQ(f.edit->Color(), c.expected) << c.name;
    const QImage image = f.Grab();
    EXPECT_EQ(At(image, 60, 10), Rgb(c.expected)) << c.name;
  }
}

TEST(FwCustomEdit, ColourSetFromOutsideTakesTheFocusColourAlong) {
  Fixture f;
  f.edit->SetColor(clAqua);
  EXPECT_EQ(f.edit->FocusColor(), clAqua);
  f.edit->SetFocusColor(clYellow);
  f.edit->SetColor(clLime);
  EXPECT_EQ(f.edit->FocusColor(), clYellow);
  f.Focus(f.edit);
  f.Focus(f.other);
  EXPECT_EQ(f.edit->Color(), clLime);
}

TEST(FwCustomEdit, FramePaintedInTheMarginAndHotWhileHoveredOrFocused) {
  Fixture f;
  f.edit->SetFramingPreference(TFramingPreference::fpCustomFraming);
  f.edit->SetFrameColor(clBlack);
  f.edit->SetFrameHotColor(clRed);
  f.edit->SetFrameHotStyle(TFrameStyle::fsFlatBold);
  f.edit->SetFrameHotTrack(true);
  EXPECT_TRUE(f.edit->FrameVisible());
  EXPECT_FALSE(f.edit->Widget()->hasFrame());
  EXPECT_EQ(f.edit->Widget()->geometry(), QRect(2, 2, 117, 17));
  struct Case {
    const char* name;
    bool hover, focus;
    TColor outer, second;
  };
  const Case cases[] = {
      {"cold", false, false, clBlack, clWindow},
      {"hovered", true, false, clRed, clRed},
      {"focused", false, true, clRed, clRed},
  };
  for (const Case& c : cases) {
    f.Focus(c.focus ? static_cast<TWinControl*>(f.edit) : f.other);
    f.Hover(c.hover);
    const QImage image = f.Grab();
    for (QPoint p : {QPoint(0, 10), QPoint(60, 0), QPoint(120, 10), QPoint(60, 20)})
      EXPECT_EQ(At(image, p.x(), p.y()), Rgb(c.outer)) << c.name << " " << p.x() << "," << p.y();
    EXPECT_EQ(At(image, 1, 10), Rgb(c.second)) << c.name;
  }
  f.edit->SetFrameVisible(false);
  EXPECT_TRUE(f.edit->Widget()->hasFrame());
  EXPECT_EQ(f.edit->Widget()->geometry(), QRect(0, 0, 121, 21));
}

TEST(FwCustomEdit, ControllerPushesTheUnderlinedLook) {
  Fixture f;
  TFwFrameController line;
  line.BeginLoad();
  line.SetFrameColor(clBlack);
  line.SetFrameHotColor(clBlue);
  line.SetFrameHotStyle(TFrameStyle::fsFlat);
  line.SetFrameHotTrack(true);
  line.SetFrameSides(sdBottom);
  line.SetFrameVisible(true);
  line.SetFramingPreference(TFramingPreference::fpCustomFraming);
  line.EndLoad();
  f.Focus(f.other);
  f.edit->SetFrameController(&line);
  EXPECT_EQ(f.edit->FrameSides(), TSides(sdBottom));
  EXPECT_TRUE(f.edit->FrameHotTrack());
  QImage image = f.Grab();
  EXPECT_EQ(At(image, 60, 20), Rgb(clBlack));
  EXPECT_EQ(At(image, 60, 0), Rgb(clWindow));
  EXPECT_EQ(At(image, 0, 10), Rgb(clWindow));
  f.Hover(true);
  image = f.Grab();
  EXPECT_EQ(At(image, 60, 20), Rgb(clBlue));
  // A value the control does not accept stays its own.
  f.Hover(false);
  f.edit->SetFrameControllerNotifications(fcnAll & ~FcpBit(TFwFrameControllerProperty::fcpFrameColor));
  line.SetFrameColor(clGreen);
  EXPECT_EQ(f.edit->FrameColor(), clBlack);
  line.SetFrameHotColor(clMaroon);
  EXPECT_EQ(f.edit->FrameHotColor(), clMaroon);
}

TEST(FwCustomEdit, ControllerAndEditOutliveEachOther) {
  auto* controller = new TFwFrameController;
  {
    TFwEdit edit(nullptr);
    edit.SetFrameController(controller);
    EXPECT_EQ(controller->ControlCount(), 1);
  }
  EXPECT_EQ(controller->ControlCount(), 0);
  TFwEdit edit(nullptr);
  edit.SetFrameController(controller);
  delete controller;
  EXPECT_EQ(edit.FrameController(), nullptr);
}

TEST(FwCustomEdit, EnterMovesOnLikeTabWhenAsked) {
  Fixture f;
  f.Focus(f.edit);
  QTest::keyClick(f.edit->Widget(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(f.edit->Focused());
  f.edit->SetTabOnEnter(true);
  QTest::keyClick(f.edit->Widget(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(f.other->Focused());
}

} // namespace

namespace {

using namespace fw;

TEST(FwCustomEdit, BoxControllerGivesTheParentsColourAndTealReadOnly) {
  Fixture f;
  f.form.SetColor(clSilver);
  f.Focus(f.other);
  TFwFrameController box;
  box.BeginLoad();
  box.SetReadOnlyColor(clTeal);
  box.SetReadOnlyColorOnFocus(true);
  box.SetFrameColor(clBtnText);
  box.SetFrameHotColor(clRed);
  box.SetFrameHotStyle(TFrameStyle::fsLowered);
  box.SetFrameHotTrack(true);
  box.SetFramingPreference(TFramingPreference::fpCustomFraming);
  box.SetParentColor(true);
  box.EndLoad();
  f.edit->SetFrameController(&box);
  EXPECT_TRUE(f.edit->ParentColor());
  EXPECT_EQ(f.edit->Color(), clSilver);
  QImage image = f.Grab();
  EXPECT_EQ(At(image, 60, 10), Rgb(clSilver));
  EXPECT_EQ(At(image, 0, 10), Rgb(clBtnText));
  f.edit->SetReadOnly(true);
  f.Focus(f.edit);
  image = f.Grab();
  EXPECT_EQ(At(image, 60, 10), Rgb(clTeal));
  EXPECT_NE(At(image, 0, 10), Rgb(clBtnText));  // the lowered hot frame
  f.Focus(f.other);
  f.edit->SetReadOnly(false);
  EXPECT_EQ(f.edit->Color(), clSilver);
}

} // namespace
