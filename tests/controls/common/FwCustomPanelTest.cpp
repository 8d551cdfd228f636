// Panel borders, client areas, enabling and grid; the group box's caption offsets.
#include "controls/common/FwControlButton.h"
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwGroupBox.h"
#include "controls/common/FwPanelDockManager.h"
#include "controls/common/FwRegIniFile.h"
#include "controls/common/FwSpacer.h"
#include "controls/common/FwStatusBar.h"
#include "controls/common/FwToolbar.h"
#include "ButtonTestHost.h"
#include "PixelTools.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"

#include <QFontMetrics>
#include <QTest>

#include <gtest/gtest.h>

using namespace fw;


TEST(FwCustomPanel, FlatAndRaisedBordersAndTheClientArea) {
  TForm form(nullptr);
  auto* panel = new TFwPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 40, 30);
  panel->SetColor(clWhite);
  panel->SetBorderOuter(TFrameStyleEx::fsFlat);
  panel->SetFlatColorAdjustment(0);
  panel->SetFlatColor(clRed);
  QImage image = panel->grab().toImage();
  EXPECT_EQ(fwtest::At(image, 0, 0), clRed);
  EXPECT_EQ(fwtest::At(image, 39, 29), clRed);
  EXPECT_EQ(fwtest::At(image, 1, 1), clWhite);

  panel->SetBorderOuter(TFrameStyleEx::fsRaised);
  panel->SetBorderSides(sdLeft | sdTop | sdRight);
  image = panel->grab().toImage();
  EXPECT_EQ(fwtest::At(image, 1, 10), ColorToRGB(clBtnHighlight));  // inner line of the raised edge
  EXPECT_EQ(fwtest::At(image, 20, 29), clWhite);  // no bottom border
  auto* child = new TFwPanel(&form);
  child->SetParent(panel);
  child->SetAlign(TAlign::alClient);
  EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 38, 30));
}

TEST(FwCustomPanel, EnablingGivesChildrenBackTheirState) {
  TForm form(nullptr);
  auto* panel = new TFwPanel(&form);
  panel->SetParent(&form);
  auto* on = new TFwPanel(&form);
  auto* off = new TFwPanel(&form);
  on->SetParent(panel);
  off->SetParent(panel);
  off->SetEnabled(false);
  panel->SetEnabled(false);
  EXPECT_FALSE(on->Enabled());
  panel->SetEnabled(true);
  EXPECT_TRUE(on->Enabled());
  EXPECT_FALSE(off->Enabled());
}

TEST(FwCustomPanel, DotGridSetsOnePixelPerCrossing) {
  TForm form(nullptr);
  auto* panel = new TFwPanel(&form);
  panel->SetParent(&form);
  panel->SetBorderOuter(TFrameStyleEx::fsNone);
  panel->SetBounds(0, 0, 20, 20);
  panel->SetColor(clWhite);
  panel->SetGridColor(clBlack);
  panel->SetShowGrid(true);
  EXPECT_EQ(fwtest::Count(panel->grab().toImage(), clBlack), 4);
}

TEST(FwGroupBox, CaptionMovesTheChildrenDownByStyle) {
  TForm form(nullptr);
  auto* box = new TFwGroupBox(&form);
  box->SetParent(&form);
  box->SetBounds(0, 0, 200, 105);
  box->SetCaption(QStringLiteral("编号范围"));
  auto* child = new TFwPanel(&form);
  child->SetParent(box);
  child->SetAlign(TAlign::alClient);
  const int h = QFontMetrics(box->Font().ToQFont()).height();
  struct Case {
    TFwGroupBoxStyle style;
    int top, left;
  };
  for (const Case c : {Case{TFwGroupBoxStyle::gsFlat, h + 1, 1}, Case{TFwGroupBoxStyle::gsStandard, h + 2, 2},
                       Case{TFwGroupBoxStyle::gsCustom, h + 2, 2}, Case{TFwGroupBoxStyle::gsTopLine, h, 0},
                       Case{TFwGroupBoxStyle::gsBanner, h + 8, 0}, Case{TFwGroupBoxStyle::gsUnderline, h + 4, 0}}) {
    box->SetGroupStyle(c.style);
    EXPECT_EQ(child->Top(), c.top) << int(c.style);
    EXPECT_EQ(child->Left(), c.left) << int(c.style);
  }
  box->SetCaption(QString());  // a custom box without a caption has no offset
  box->SetGroupStyle(TFwGroupBoxStyle::gsCustom);
  box->Realign();
  EXPECT_EQ(child->Top(), 2);
}

TEST(FwPanelDockManager, DockedClientsMakeRoomForTheirGrabber) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* site = new TFwPanel(&form);
  site->SetParent(&form);
  site->SetBounds(0, 0, 300, 60);
  site->SetColor(clWhite);
  site->SetBorderOuter(TFrameStyleEx::fsNone);
  auto* client = new TFwPanel(&form);
  client->SetCaption(QStringLiteral("工具"));
  EXPECT_FALSE(site->DockClient(client, Rect(10, 5, 110, 55)));  // not a dock site yet
  site->SetDockSite(true);
  ASSERT_NE(site->DockManager(), nullptr);

  site->SetAlign(TAlign::alTop);  // grabbers on the left
  EXPECT_TRUE(site->DockClient(client, Rect(10, 5, 110, 55)));
  EXPECT_EQ(client->BoundsRect(), Rect(24, 5, 110, 55));
  EXPECT_EQ(site->DockManager()->GrabberRect(client), Rect(10, 5, 24, 55));
  const QImage image = site->grab().toImage();
  EXPECT_EQ(fwtest::At(image, 11, 50), ColorToRGB(clInactiveCaption));
  EXPECT_EQ(fwtest::At(image, 5, 50), clWhite);

  delete client;  // a freed client leaves no grabber behind
  EXPECT_EQ(site->DockManager()->ClientCount(), 0);
  EXPECT_EQ(fwtest::At(site->grab().toImage(), 11, 50), clWhite);

  site->SetAlign(TAlign::alLeft);  // grabbers on top
  auto* other = new TFwPanel(&form);
  site->DockClient(other, Rect(0, 0, 50, 50));
  EXPECT_EQ(other->Top(), 14);
  EXPECT_EQ(site->DockManager()->CloseRect(other), Rect(35, 1, 48, 12));
}

TEST(FwGroupBox, AltAndTheCaptionsAcceleratorFocusTheFirstChild) {
  fwtest::ActiveForm host;
  ASSERT_TRUE(host.active);
  auto* box = new TFwGroupBox(&host.form);
  box->SetParent(&host.form);
  box->SetBounds(0, 0, 200, 105);
  box->SetCaption(QStringLiteral("编号范围(&R)"));
  auto* first = new TEdit(&host.form);
  auto* second = new TEdit(&host.form);
  for (TEdit* e : {second, first}) e->SetParent(box);  // child order differs from tab order
  first->SetTabOrder(0);
  second->SetTabOrder(1);
  auto* outside = new TEdit(&host.form);
  outside->SetParent(&host.form);
  outside->SetTop(150);
  outside->SetFocus();

  QTest::keyClick(&host.form, Qt::Key_R, Qt::AltModifier);
  EXPECT_TRUE(first->Focused());

  // A disabled box takes no accelerator.
  outside->SetFocus();
  box->SetEnabled(false);
  QTest::keyClick(&host.form, Qt::Key_R, Qt::AltModifier);
  EXPECT_TRUE(outside->Focused());
}

TEST(FwToolbar, AlignmentChangeReappliesTheBordersAndTheSizeAcross) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* bar = new TFwToolbar(&form);
  bar->SetParent(&form);
  bar->SetAlign(TAlign::alLeft);
  EXPECT_EQ(bar->BorderSides(), TSides(sdLeft));
  EXPECT_EQ(bar->Width(), 32);

  // The size across is reset to 32 even when the new alignment keeps the size.
  bar->SetAlign(TAlign::alNone);
  bar->SetBounds(0, 0, 120, 80);
  bar->SetAlign(TAlign::alRight);
  EXPECT_EQ(bar->BorderSides(), TSides(sdRight));
  EXPECT_EQ(bar->Width(), 32);
  bar->SetAlign(TAlign::alBottom);
  EXPECT_EQ(bar->BorderSides(), TSides(sdBottom));
  EXPECT_EQ(bar->Height(), 29);  // then the rows' height: 25 + 2 x 2

  // Without AutoStyle and AutoResize the borders and size stay.
  bar->SetAutoStyle(false);
  bar->SetAutoResize(false);
  bar->SetAlign(TAlign::alNone);
  bar->SetBounds(0, 0, 120, 80);
  bar->SetAlign(TAlign::alTop);
  EXPECT_EQ(bar->BorderSides(), TSides(sdBottom));
  EXPECT_EQ(bar->Height(), 80);
}

TEST(FwToolbar, AFreedSettingsFileIsForgotten) {
  TForm form(nullptr);
  auto* bar = new TFwToolbar(&form);
  auto* settings = new TFwRegIniFile(&form);
  EXPECT_TRUE(settings->SettingsChanged());
  settings->SetSettingsChanged(false);
  settings->SetPath(QStringLiteral("工具栏"));
  EXPECT_TRUE(settings->SettingsChanged());
  bar->SetRegIniFile(settings);
  delete settings;
  EXPECT_EQ(bar->RegIniFile(), nullptr);
}
