// Toolbar layout: wrapping, the control order and auto-resize; status bar grip and
// simple mode; panel borders on pixels.
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwSpacer.h"
#include "controls/common/FwStatusBar.h"
#include "controls/common/FwToolbar.h"
#include "PixelTools.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {
struct Bar {
  TForm form{nullptr};
  TFwToolbar* bar = new TFwToolbar(&form);
  std::vector<TFwToolButton*> buttons;
  explicit Bar(int count, int width = 193) {
    form.SetBounds(0, 0, 400, 300);
    bar->SetParent(&form);
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(0, 0, width, 32);
    bar->SetButtonWidth(60);
    for (int i = 0; i < count; ++i) {
      auto* b = new TFwToolButton(&form);
      b->SetName(QStringLiteral("b%1").arg(i));
      b->SetParent(bar);
      buttons.push_back(b);
    }
    bar->PositionControls();
  }
};
} // namespace

TEST(FwToolbar, WrapsTheFourthButtonAtWidth193) {
  Bar t(4);
  EXPECT_EQ(t.bar->Rows(), 2);
  EXPECT_EQ(t.buttons[2]->Left(), 124);
  EXPECT_EQ(t.buttons[2]->Top(), 2);
  EXPECT_EQ(t.buttons[3]->Left(), 4);
  EXPECT_EQ(t.buttons[3]->Top(), 27);

  t.bar->SetWrapControls(false);
  EXPECT_EQ(t.bar->Rows(), 1);
  EXPECT_EQ(t.buttons[3]->Left(), 184);
}

TEST(FwToolbar, OrderListFollowsNamesAndForgetsFreedControls) {
  Bar t(3, 400);
  t.bar->SetToolbarControls(QStringList{"B2", "b0"});
  ASSERT_EQ(t.bar->ToolbarControls().size(), 3u);
  EXPECT_EQ(t.bar->ToolbarControls()[0], t.buttons[2]);
  EXPECT_EQ(t.bar->ToolbarControls()[2], t.buttons[1]);  // unnamed child follows
  EXPECT_EQ(t.buttons[2]->Left(), 4);
  delete t.buttons[0];
  ASSERT_EQ(t.bar->ToolbarControls().size(), 2u);
  EXPECT_EQ(t.buttons[1]->Left(), 64);  // laid out again without the gap
  auto* spacer = new TFwSpacer(&t.form);
  spacer->SetParent(t.bar);
  EXPECT_EQ(t.bar->ToolbarControls().back(), spacer);
}

TEST(FwToolbar, AutoResizeTakesTheRowsHeight) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 150, 200);
  auto* bar = new TFwToolbar(&form);
  bar->SetParent(&form);
  bar->SetButtonWidth(60);
  for (int i = 0; i < 3; ++i) (new TFwToolButton(&form))->SetParent(bar);
  bar->PositionControls();
  EXPECT_EQ(bar->Rows(), 2);
  EXPECT_EQ(bar->Height(), 25 * 2 + 2 * 2);
}

TEST(FwToolbar, ButtonSettingsEndThePreset) {
  Bar t(1);
  t.bar->SetTextOptions(TFwToolbarTextOptions::ttoShowTextLabels);
  EXPECT_EQ(t.buttons[0]->Height(), 40);
  EXPECT_EQ(t.buttons[0]->Layout(), TButtonLayout::blGlyphTop);
  EXPECT_EQ(t.bar->TextOptions(), TFwToolbarTextOptions::ttoShowTextLabels);
  t.bar->SetButtonWidth(70);
  EXPECT_EQ(t.bar->TextOptions(), TFwToolbarTextOptions::ttoCustom);
}

TEST(FwStatusBar, SizeGripOnlyOnASizeableRestoredForm) {
  struct Case {
    TFormBorderStyle border;
    bool grip;
  };
  for (const Case c : {Case{TFormBorderStyle::bsSizeable, true}, Case{TFormBorderStyle::bsDialog, false},
                       Case{TFormBorderStyle::bsSizeToolWin, true}, Case{TFormBorderStyle::bsSingle, false}}) {
    TForm form(nullptr);
    form.SetBorderStyle(c.border);
    form.SetBounds(0, 0, 200, 100);
    auto* bar = new TFwStatusBar(&form);
    bar->SetParent(&form);
    EXPECT_EQ(bar->SizeGripVisible(), c.grip);
    const QImage image = bar->grab().toImage();
    const int inGrip = fwtest::Count(image, ColorToRGB(clBtnHighlight), QRect(bar->Width() - 13, 0, 13, bar->Height()));
    EXPECT_EQ(inGrip > 0, c.grip);
  }
}

TEST(FwStatusBar, SimpleStatusHidesAndShowsThePanes) {
  TForm form(nullptr);
  auto* bar = new TFwStatusBar(&form);
  bar->SetParent(&form);
  auto* a = new TFwPanel(&form);
  auto* b = new TFwPanel(&form);
  a->SetParent(bar);
  b->SetParent(bar);
  EXPECT_EQ(bar->Height(), 19);
  bar->SetSimpleStatus(true);
  EXPECT_FALSE(a->Visible());
  EXPECT_FALSE(b->Visible());
  bar->SetSimpleStatus(false);
  EXPECT_TRUE(a->Visible());
  EXPECT_TRUE(b->Visible());
  bar->SetBorderOuter(TFrameStyleEx::fsRaised);
  EXPECT_FALSE(bar->AutoStyle());
}

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
