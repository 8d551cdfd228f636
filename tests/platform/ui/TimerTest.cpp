#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

TEST(Timer, TickRunsOnTimerOnlyWhileEnabled) {
  TComponent owner(nullptr);
  auto* timer = new TTimer(&owner);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) { ++ticks; };
  timer->SetInterval(40);
  EXPECT_TRUE(timer->Running());
  timer->Tick();
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->Running());
  timer->Tick();
  EXPECT_EQ(ticks, 1);
  timer->SetEnabled(true);
  timer->SetInterval(0);
  EXPECT_FALSE(timer->Running());
}

TEST(Timer, HandlerMayFreeTheTimersOwner) {
  auto* form = new TForm(nullptr);
  auto* timer = new TTimer(form);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) {
    ++ticks;
    delete form;
  };
  timer->Tick();
  EXPECT_EQ(ticks, 1);
}

} // namespace
