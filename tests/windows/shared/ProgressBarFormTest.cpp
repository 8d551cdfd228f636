// The progress windows: labels, time estimates, the timer's end, and input blocking.
#include "windows/shared/ProgressBar2LineForm.h"
#include "windows/shared/ProgressBarForm.h"

#include "controls/navigation/FwProgressBar.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(ProgressBarForm, LabelsShowCountsThenTimes) {
  TProgressBarForm form(nullptr);
  EXPECT_FALSE(form.Label2->Visible());
  form.StartProgress(10, 0);
  EXPECT_EQ(form.Label2->Caption(), QStringLiteral("已完成 0"));
  EXPECT_EQ(form.Label3->Caption(), QStringLiteral("待完成 10"));
  EXPECT_TRUE(form.Label2->Visible());
  EXPECT_TRUE(form.Timer1->Enabled());
  for (int i = 0; i < 3; ++i) form.StepProgress();
  for (int i = 0; i < 50; ++i) form.Timer1->Tick();
  EXPECT_EQ(form.Label2->Caption(), QStringLiteral("已完成 3"));  // plain counts for five seconds
  EXPECT_EQ(form.Estimate(), -1);
  for (int i = 0; i < 10; ++i) form.Timer1->Tick();
  EXPECT_EQ(form.Label2->Caption(), QStringLiteral("已完成 3 用时6秒"));
  EXPECT_EQ(form.Label3->Caption(), QStringLiteral("待完成 7 尚需14秒"));
}

TEST(ProgressBarForm, NothingDoneGivesNoEstimate) {
  TProgressBarForm form(nullptr);
  form.StartProgress(5, 0);
  for (int i = 0; i < 80; ++i) form.Timer1->Tick();
  EXPECT_EQ(form.Label3->Caption(), QStringLiteral("待完成 5"));
  EXPECT_EQ(form.Estimate(), -1);
}

TEST(ProgressBarForm, FullBarStopsTheTimerAndHidingResets) {
  TProgressBarForm form(nullptr);
  form.ShowProgress(QStringLiteral("导出数据"));
  EXPECT_EQ(form.Caption(), QStringLiteral("导出数据"));
  EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
  form.StartProgress(2, 1);
  EXPECT_EQ(form.FwProgressBar1->Percent(), 50);
  EXPECT_EQ(form.Percent(), 50);
  form.StepProgress();
  EXPECT_FALSE(form.Timer1->Enabled());
  form.StartProgress(4, 0);
  EXPECT_EQ(form.Ticks(), 0);
  form.HideProgress();
  EXPECT_FALSE(form.Label2->Visible());
  EXPECT_FALSE(form.Label3->Visible());
  EXPECT_FALSE(form.Timer1->Enabled());
}

TEST(ProgressBar2LineForm, TwoBarsCountTheirOwnParts) {
  TProgressBar2LineForm form(nullptr);
  form.ShowProgress();
  form.InitFirst(4);
  form.InitSecond(3);
  form.IncFirst();
  form.IncSecond();
  form.IncSecond();
  EXPECT_EQ(form.ProgressBar1->Percent(), 25);
  EXPECT_EQ(form.FwProgressBar2->Percent(), 67);
  form.InitSecond(8);
  EXPECT_EQ(form.FwProgressBar2->Percent(), 0);
  EXPECT_EQ(form.ProgressBar1->Percent(), 25);
  form.HideProgress();
  EXPECT_FALSE(form.Visible());
}
