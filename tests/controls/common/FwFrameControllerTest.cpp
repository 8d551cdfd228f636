// The frame controller's pushes: registration, the per-control mask, the setters' side
// effects, update brackets, loading, and clean-up when either side goes away.
#include "controls/common/FwFrameController.h"
#include "controls/common/FwRegIniFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace fw;
using P = TFwFrameControllerProperty;

namespace {

// A framed control that records every value it is given, by property.
class RecordingClient : public IFwFrameClient {
public:
  explicit RecordingClient(TFwFrameControllerNotifications mask = fcnAll) : mask_(mask) {}
  TFwFrameControllerNotifications FrameControllerNotifications() const override { return mask_; }

  void ApplyColor(TColor v) override { Color = v; Record(P::fcpColor); }
  void ApplyFocusColor(TColor v) override { FocusColor = v; Record(P::fcpFocusColor); }
  void ApplyDisabledColor(TColor) override { Record(P::fcpDisabledColor); }
  void ApplyReadOnlyColor(TColor) override { Record(P::fcpReadOnlyColor); }
  void ApplyReadOnlyColorOnFocus(bool v) override { ReadOnlyOnFocus = v; Record(P::fcpReadOnlyColorOnFocus); }
  void ApplyParentColor(bool v) override { ParentColor = v; Record(P::fcpParentColor); }
  void ApplyFlatButtonColor(TColor) override { Record(P::fcpFlatButtonColor); }
  void ApplyFlatButtons(bool) override { Record(P::fcpFlatButtons); }
  void ApplyFrameColor(TColor v) override { FrameColor = v; Record(P::fcpFrameColor); }
  void ApplyFrameHotColor(TColor) override { Record(P::fcpFrameHotColor); }
  void ApplyFrameHotTrack(bool) override { Record(P::fcpFrameHotTrack); }
  void ApplyFrameHotStyle(TFrameStyle) override { Record(P::fcpFrameHotStyle); }
  void ApplyFrameSides(TSides v) override { Sides = v; Record(P::fcpFrameSides); }
  void ApplyFrameStyle(TFrameStyle v) override { Style = v; Record(P::fcpFrameStyle); }
  void ApplyFrameVisible(bool v) override { Visible = v; Record(P::fcpFrameVisible); }
  void ApplyFramingPreference(TFramingPreference) override { Record(P::fcpFramingPreference); }

  std::vector<P> Pushed;
  TColor Color = clNone, FocusColor = clNone, FrameColor = clNone;
  bool ParentColor = false, Visible = false, ReadOnlyOnFocus = false;
  TSides Sides = 0;
  TFrameStyle Style = TFrameStyle::fsNone;
  std::function<void()> OnPush;

private:
  void Record(P p) {
    Pushed.push_back(p);
    // A copy: the callback may free this client (and with it OnPush).
    const std::function<void()> callback = OnPush;
    if (callback) callback();
  }
  TFwFrameControllerNotifications mask_;
};

// A control that reads the controller itself.
class SelfReadingClient : public IFwFrameClient {
public:
  bool UpdateFromFrameController(const TFwFrameController& c) override {
    ++Updates;
    FrameColor = c.FrameColor();
    return true;
  }
  void ApplyFrameColor(TColor) override { ++SetterCalls; }
  int Updates = 0, SetterCalls = 0;
  TColor FrameColor = clNone;
};

} // namespace

TEST(FwFrameController, RegistrationPushesEverythingOnceInOrder) {
  TFwFrameController controller;
  RecordingClient client;
  controller.AddControl(&client);
  controller.AddControl(&client);
  EXPECT_EQ(controller.ControlCount(), 1);
  const std::vector<P> expected = {
      P::fcpParentColor, P::fcpColor,          P::fcpDisabledColor,  P::fcpReadOnlyColor,  P::fcpReadOnlyColorOnFocus,
      P::fcpFocusColor,  P::fcpFlatButtonColor, P::fcpFlatButtons,   P::fcpFrameColor,     P::fcpFrameHotColor,
      P::fcpFrameHotTrack, P::fcpFrameHotStyle, P::fcpFrameSides,    P::fcpFrameStyle,     P::fcpFrameVisible,
      P::fcpFramingPreference};
  EXPECT_EQ(client.Pushed, expected);
  EXPECT_EQ(client.Color, clWindow);
  EXPECT_EQ(client.FrameColor, clBtnShadow);
  EXPECT_EQ(client.Sides, sdAll);
  EXPECT_EQ(client.Style, TFrameStyle::fsFlat);
}

TEST(FwFrameController, MaskFiltersEveryPush) {
  TFwFrameController controller;
  RecordingClient client(fcnAll & ~FcpBit(P::fcpFrameStyle));
  client.Style = TFrameStyle::fsGroove;
  controller.AddControl(&client);
  controller.SetFrameStyle(TFrameStyle::fsLowered);
  controller.BeginUpdate();
  controller.EndUpdate();
  EXPECT_EQ(client.Style, TFrameStyle::fsGroove);
  EXPECT_EQ(std::count(client.Pushed.begin(), client.Pushed.end(), P::fcpFrameStyle), 0);

  RecordingClient onlyColour(FcpBit(P::fcpFrameColor));
  controller.AddControl(&onlyColour);
  controller.SetFrameColor(clRed);
  controller.SetFocusColor(clYellow);
  EXPECT_EQ(onlyColour.Pushed, (std::vector<P>{P::fcpFrameColor, P::fcpFrameColor}));
  EXPECT_EQ(onlyColour.FrameColor, clRed);
}

TEST(FwFrameController, SettersAndTheirSideEffects) {
  struct Case {
    const char* Name;
    std::function<void(TFwFrameController&)> Change;
    std::vector<P> Pushed;
  };
  const std::vector<Case> cases = {
      {"colour moves an equal focus colour", [](TFwFrameController& c) { c.SetColor(clYellow); }, {P::fcpColor}},
      {"unchanged value pushes nothing", [](TFwFrameController& c) { c.SetFrameColor(clBtnShadow); }, {}},
      {"parent colour on", [](TFwFrameController& c) { c.SetParentColor(true); }, {P::fcpParentColor}},
      {"hot track on", [](TFwFrameController& c) { c.SetFrameHotTrack(true); },
       {P::fcpFrameVisible, P::fcpFrameHotTrack}},
      {"read-only on focus waits", [](TFwFrameController& c) { c.SetReadOnlyColorOnFocus(true); }, {}},
  };
  for (const Case& c : cases) {
    TFwFrameController controller;
    RecordingClient client;
    controller.AddControl(&client);
    client.Pushed.clear();
    c.Change(controller);
    EXPECT_EQ(client.Pushed, c.Pushed) << c.Name;
  }

  TFwFrameController controller;
  controller.SetColor(clYellow);
  EXPECT_EQ(controller.FocusColor(), clYellow);  // they were equal: both move
  controller.SetFocusColor(clAqua);
  controller.SetColor(clLime);
  EXPECT_EQ(controller.FocusColor(), clAqua);    // they differed: focus colour stays

  controller.SetParentColor(true);
  RecordingClient client;
  controller.AddControl(&client);
  EXPECT_TRUE(client.ParentColor);
  EXPECT_EQ(client.Color, clNone);  // a full push with ParentColor leaves Color alone
  client.Pushed.clear();
  controller.SetParentColor(false);
  EXPECT_EQ(client.Pushed, (std::vector<P>{P::fcpParentColor, P::fcpColor}));
  controller.SetParentColor(true);
  controller.SetColor(clRed);
  EXPECT_FALSE(controller.ParentColor());

  controller.SetReadOnlyColorOnFocus(true);
  EXPECT_FALSE(client.ReadOnlyOnFocus);
  controller.BeginUpdate();
  controller.EndUpdate();
  EXPECT_TRUE(client.ReadOnlyOnFocus);
}

TEST(FwFrameController, HotTrackResetsSidesUnlessLoading) {
  TFwFrameController built;
  built.SetFrameSides(sdBottom);
  built.SetFrameHotTrack(true);
  EXPECT_EQ(built.FrameSides(), sdAll);
  EXPECT_TRUE(built.FrameVisible());

  // The entry form's underline controller, built in code between BeginLoad and EndLoad.
  TFwFrameController line;
  RecordingClient edit;
  line.AddControl(&edit);
  line.BeginLoad();
  line.SetFrameColor(clBlack);
  line.SetFrameHotColor(clBlue);
  line.SetFrameHotStyle(TFrameStyle::fsFlat);
  line.SetFrameSides(sdBottom);
  line.SetFrameHotTrack(true);
  line.SetFramingPreference(TFramingPreference::fpCustomFraming);
  edit.Pushed.clear();
  line.EndLoad();
  EXPECT_EQ(edit.Pushed.size(), 16u);
  EXPECT_EQ(edit.Sides, TSides(sdBottom));
  EXPECT_TRUE(edit.Visible);
  EXPECT_EQ(edit.FrameColor, clBlack);
}

TEST(FwFrameController, UpdateBracketsPushOnceAtTheOutermostEnd) {
  TFwFrameController controller;
  RecordingClient client;
  controller.AddControl(&client);
  client.Pushed.clear();
  controller.BeginUpdate();
  controller.BeginUpdate();
  controller.SetFrameColor(clRed);
  controller.SetColor(clGreen);
  controller.EndUpdate();
  EXPECT_TRUE(client.Pushed.empty());
  controller.EndUpdate();
  EXPECT_EQ(client.Pushed.size(), 16u);
  EXPECT_EQ(client.FrameColor, clRed);
  EXPECT_EQ(client.Color, clGreen);
  controller.EndUpdate();  // unbalanced: counts stay at zero and push again
  EXPECT_EQ(client.Pushed.size(), 32u);

  TFwFrameController source;
  source.SetFrameStyle(TFrameStyle::fsGroove);
  source.SetFrameSides(sdLeft | sdTop);
  client.Pushed.clear();
  controller.Assign(source);
  EXPECT_EQ(client.Pushed.size(), 16u);
  EXPECT_EQ(client.Style, TFrameStyle::fsGroove);
  EXPECT_EQ(client.Sides, TSides(sdLeft | sdTop));
}

TEST(FwFrameController, SelfReadingControlsAreAskedOnce) {
  TFwFrameController controller;
  SelfReadingClient label;
  label.SetFrameController(&controller);
  EXPECT_EQ(label.Updates, 1);
  controller.SetFrameColor(clRed);
  EXPECT_EQ(label.Updates, 2);
  EXPECT_EQ(label.FrameColor, clRed);
  EXPECT_EQ(label.SetterCalls, 0);
}

TEST(FwFrameController, NeitherSideLeavesADanglingReference) {
  TFwFrameController controller;
  {
    RecordingClient gone;
    gone.SetFrameController(&controller);
    EXPECT_EQ(controller.ControlCount(), 1);
  }
  EXPECT_EQ(controller.ControlCount(), 0);
  controller.SetFrameColor(clRed);  // would touch freed memory if the entry stayed

  // Moving to another controller leaves the first.
  TFwFrameController other;
  RecordingClient moving;
  moving.SetFrameController(&controller);
  moving.SetFrameController(&other);
  EXPECT_EQ(controller.ControlCount(), 0);
  EXPECT_TRUE(other.Contains(&moving));
  moving.SetFrameController(nullptr);
  EXPECT_EQ(other.ControlCount(), 0);
  EXPECT_EQ(moving.FrameController(), nullptr);

  RecordingClient survivor;
  {
    TFwFrameController shortLived;
    survivor.SetFrameController(&shortLived);
  }
  EXPECT_EQ(survivor.FrameController(), nullptr);
}

TEST(FwFrameController, AControlFreedDuringAPushIsSkipped) {
  TFwFrameController controller;
  auto first = std::make_unique<RecordingClient>();
  auto second = std::make_unique<RecordingClient>();
  controller.AddControl(first.get());
  controller.AddControl(second.get());
  first->OnPush = [&] { second.reset(); };
  controller.SetFrameColor(clRed);
  EXPECT_EQ(controller.ControlCount(), 1);
  first->OnPush = [&] { first.reset(); };
  controller.BeginUpdate();
  controller.EndUpdate();  // the full push stops at the freed control
  EXPECT_EQ(controller.ControlCount(), 0);
}

TEST(FwFrameController, ForgetsItsSettingsHolderWhenThatIsFreed) {
  TFwFrameController controller;
  RecordingClient client;
  controller.AddControl(&client);
  client.Pushed.clear();
  auto* settings = new TFwRegIniFile(nullptr);
  controller.SetRegIniFile(settings);
  EXPECT_EQ(controller.RegIniFile(), settings);
  EXPECT_TRUE(client.Pushed.empty());  // nothing of it reaches the controls
  delete settings;
  EXPECT_EQ(controller.RegIniFile(), nullptr);
}

TEST(FwFrameController, OwnedControllerPushesOnceWhenItsOwnerFinishesLoading) {
  TComponent form;
  auto* controller = new TFwFrameController(&form);
  RecordingClient client;
  form.BeginLoad();
  controller->AddControl(&client);
  client.Pushed.clear();
  controller->SetFrameSides(sdBottom);
  controller->SetFrameHotTrack(true);  // loading: the sides stay
  client.Pushed.clear();
  form.EndLoad();
  EXPECT_EQ(client.Pushed.size(), 16u);
  EXPECT_EQ(client.Sides, TSides(sdBottom));
}
