// Status bar: the size grip and simple mode.
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
