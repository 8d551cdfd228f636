// The blinking list, driven by the clock hook and direct ticks instead of real waiting.
#include "controls/common/FwBlinkList.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace fw;

namespace {

class Blinker : public IFwBlinkClient {
public:
  bool BlinkQuery() override { return WantsToBlink; }
  void BlinkPhaseChanged(bool on) override {
    Phases.push_back(on);
    const std::function<void()> callback = OnPhase;  // the callback may free this control
    if (callback) callback();
  }
  bool WantsToBlink = true;
  std::vector<bool> Phases;
  std::function<void()> OnPhase;
};

QDateTime T0() { return QDateTime(QDate(2014, 12, 1), QTime(9, 0, 0)); }

} // namespace

TEST(FwBlinkList, TwoControlsFlipTogetherEvery500ms) {
  fwtest::ScriptedHooks hooks;
  hooks.FixedNow = T0();
  {
    Blinker a, b;
    AddBlinkingControl(&a);
    AddBlinkingControl(&b);
    AddBlinkingControl(&a);
    TFwBlinkingControlsList* list = BlinkingList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_TRUE(list->PhaseOn());
    EXPECT_TRUE(list->Timer().isActive());

    hooks.FixedNow = T0().addMSecs(499);
    list->TimerFired();  // woken early: nothing yet
    EXPECT_TRUE(a.Phases.empty());
    hooks.FixedNow = T0().addMSecs(500);
    list->TimerFired();
    EXPECT_EQ(a.Phases, std::vector<bool>{false});
    EXPECT_EQ(b.Phases, std::vector<bool>{false});
    EXPECT_EQ(list->Timer().interval(), list->OffInterval());

    list->SetOnInterval(300);
    hooks.FixedNow = T0().addMSecs(1000);
    list->TimerFired();
    EXPECT_EQ(a.Phases, (std::vector<bool>{false, true}));
    EXPECT_EQ(list->Timer().interval(), 300);
    hooks.FixedNow = T0().addMSecs(1299);
    list->TimerFired();
    EXPECT_EQ(a.Phases.size(), 2u);

    // A control that no longer wants to blink is asked but not told.
    b.WantsToBlink = false;
    list->Tick();
    EXPECT_EQ(a.Phases.size(), 3u);
    EXPECT_EQ(b.Phases.size(), 2u);
  }
  // Both controls went away: the list went with them.
  EXPECT_EQ(BlinkingList(), nullptr);
}

TEST(FwBlinkList, ControlsLeavingOrFreedWhileTicking) {
  fwtest::ScriptedHooks hooks;
  hooks.FixedNow = T0();
  auto a = std::make_unique<Blinker>();
  auto b = std::make_unique<Blinker>();
  Blinker c;
  AddBlinkingControl(a.get());
  AddBlinkingControl(b.get());
  AddBlinkingControl(&c);
  a->OnPhase = [&] { b.reset(); };        // frees the next control in the list
  c.OnPhase = [&] { RemoveBlinkingControl(&c), ReleaseBlinkingList(); };
  BlinkingList()->Tick();
  EXPECT_EQ(c.Phases.size(), 1u);
  ASSERT_NE(BlinkingList(), nullptr);    // not freed from inside its own tick
  EXPECT_EQ(BlinkingList()->Count(), 1);
  a.reset();
  EXPECT_EQ(BlinkingList(), nullptr);

  // Release only frees an empty list.
  Blinker d;
  AddBlinkingControl(&d);
  ReleaseBlinkingList();
  EXPECT_NE(BlinkingList(), nullptr);
  RemoveBlinkingControl(&d);
  ReleaseBlinkingList();
  EXPECT_EQ(BlinkingList(), nullptr);
}
