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
};

TColor Rgb(TColor c) { return ColorToRGB(c); }

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
