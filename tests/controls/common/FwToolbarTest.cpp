// Toolbar layout: wrapping, the control order, auto-resize and the text presets.
#include "controls/common/FwControlButton.h"
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwGroupBox.h"
#include "controls/common/FwSpacer.h"
#include "controls/common/FwStatusBar.h"
#include "controls/common/FwToolbar.h"
#include "PixelTools.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"

#include <QFontMetrics>
#include <QTest>

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

// A toolbar placed on another never sizes itself, whatever it is told, and a toolbar
// does not repaint whole on every resize as a plain panel does.
TEST(FwToolbar, OnAnotherToolbarItNeverResizesItself) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* outer = new TFwToolbar(&form);
  outer->SetParent(&form);
  auto* inner = new TFwToolbar(&form);
  inner->SetAlign(TAlign::alNone);
  inner->SetBounds(0, 0, 70, 20);
  inner->SetParent(outer);
  inner->SetAlign(TAlign::alTop);  // would reset the height to 32
  inner->SetButtonWidth(60);
  for (int i = 0; i < 3; ++i) (new TFwToolButton(&form))->SetParent(inner);
  inner->SetAutoResize(true);
  inner->PositionControls();
  EXPECT_FALSE(inner->AutoResize());
  EXPECT_EQ(inner->Height(), 20);
  EXPECT_TRUE(outer->AutoResize());

  EXPECT_FALSE(outer->FullRepaint());
  EXPECT_TRUE(TFwCustomPanel(nullptr).FullRepaint());
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
