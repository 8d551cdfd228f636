// The colour arithmetic on the 0..240 HLS scale and the scheme colour families.
#include "controls/common/FwColors.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(FwColors, ColorToHLS) {
  struct Case {
    TColor Color;
    THLS Expected;
  };
  const Case cases[] = {
      {clWhite, {0, 0, 240}},
      {clBlack, {0, 0, 0}},
      {clRed, {0, 240, 120}},
      {clLime, {80, 240, 120}},
      {clBlue, {160, 240, 120}},
      {clGray, {0, 0, 120}},
      {clBtnFace, ColorToHLS(RGB(212, 208, 200))},  // system colours resolve first
      // 240 * h is exactly 152.5 here: halves go to the even neighbour.
      {RGB(0, 3, 16), {152, 240, 8}},
  };
  for (const Case& c : cases) EXPECT_EQ(ColorToHLS(c.Color), c.Expected) << std::hex << c.Color;
  EXPECT_EQ(GetHue(RGB(0, 3, 16)), 152);
}

TEST(FwColors, HLSToColor) {
  struct Case {
    int H, S, L;
    TColor Expected;
  };
  const Case cases[] = {
      {0, 0, 0, clBlack},
      {0, 0, 240, clWhite},
      {0, 240, 120, clRed},
      {80, 240, 120, RGB(0, 255, 2)},       // hue divisor 239: not quite pure green
      {0, 0, 8, RGB(8, 8, 8)},              // 8.5 rounds to the even 8
      {0, 0, 255, clWhite},                 // luminance above 240 clips at white
      {0, 255, 60, RGB(131, 0, 0)},         // saturation above 240: channels clamped, not wrapped
      {0, 255, 255, RGB(254, 255, 255)},
  };
  for (const Case& c : cases) EXPECT_EQ(HLSToColor(c.H, c.S, c.L), c.Expected) << c.H << "," << c.S << "," << c.L;
}

TEST(FwColors, DarkerLighterAdjust) {
  EXPECT_EQ(DarkerColor(RGB(90, 150, 200), 255), clBlack);
  EXPECT_EQ(LighterColor(clGray, 255), clWhite);
  EXPECT_EQ(AdjustColor(clTeal, 0), clTeal);
  EXPECT_EQ(AdjustColor(clTeal, -30), DarkerColor(clTeal, 30));
  EXPECT_EQ(AdjustColor(clTeal, 30), LighterColor(clTeal, 30));
  const THLS base = ColorToHLS(clTeal);
  EXPECT_EQ(ColorToHLS(DarkerColor(clTeal, 20)).L, base.L - 20);
  EXPECT_EQ(GetHue(LighterColor(clTeal, 20)), base.H);
  EXPECT_EQ(DarkerColor(clBtnFace, 10), HLSToColor(ColorToHLS(RGB(212, 208, 200)).H,
                                                   ColorToHLS(RGB(212, 208, 200)).S,
                                                   ColorToHLS(RGB(212, 208, 200)).L - 10));
}

TEST(FwColors, BlendCloseComplement) {
  const TColor a = RGB(10, 200, 30), b = RGB(250, 0, 128);
  EXPECT_EQ(BlendColors(a, b, 255), a);
  EXPECT_EQ(BlendColors(a, b, 0), b);
  EXPECT_EQ(BlendColors(clWhite, clBlack, 128), RGB(128, 128, 128));
  EXPECT_EQ(BlendColors(clHighlight, clWindow, 255), RGB(10, 36, 106));

  EXPECT_TRUE(ColorsTooClose(clTeal, clTeal));
  EXPECT_TRUE(ColorsTooClose(HLSToColor(100, 200, 100), HLSToColor(110, 10, 150)));
  EXPECT_FALSE(ColorsTooClose(HLSToColor(100, 200, 60), HLSToColor(100, 200, 120)));
  EXPECT_FALSE(ColorsTooClose(HLSToColor(100, 200, 100), HLSToColor(120, 200, 100)));

  EXPECT_EQ(GetHue(ComplementaryColor(clRed, 120)), 120);
  TColor hue200 = clNone;
  for (int h = 190; h < 210 && hue200 == clNone; ++h)
    if (GetHue(HLSToColor(h, 240, 120)) == 200) hue200 = HLSToColor(h, 240, 120);
  ASSERT_NE(hue200, clNone);
  EXPECT_EQ(ComplementaryColor(hue200, 100), HLSToColor(80, 240, 100));
  EXPECT_EQ(ColorToHLS(ComplementaryColor(clRed, 60)).S, 240);
}

TEST(FwColors, SchemeNames) {
  EXPECT_EQ(ColorSchemeFromName(QStringLiteral("HomeStead")), 1);
  EXPECT_EQ(ColorSchemeFromName(QStringLiteral("Metallic")), 2);
  EXPECT_EQ(ColorSchemeFromName(QStringLiteral("NormalColor")), 0);
  EXPECT_EQ(ColorSchemeFromName(QString()), 0);
  EXPECT_EQ(GetXPColorScheme(), 0);
  EXPECT_EQ(GetXPThemeColor(3), clBtnFace);
}

namespace {
// Sets the look globals for one test and puts them back.
struct LookScope {
  LookScope(bool themes, int scheme, bool highColor = true)
      : oldThemes(ThemeServicesActive()), oldScheme(XPColorScheme()), oldHigh(HighColorDisplay()) {
    SetThemeServicesActive(themes);
    SetXPColorScheme(scheme);
    SetHighColorDisplay(highColor);
  }
  ~LookScope() {
    SetThemeServicesActive(oldThemes);
    SetXPColorScheme(oldScheme);
    SetHighColorDisplay(oldHigh);
  }
  bool oldThemes;
  int oldScheme;
  bool oldHigh;
};
} // namespace

TEST(FwColors, SchemeColoursNeedThemes) {
  const auto office = TFwGradientColorStyle::gcsMSOffice;
  {
    LookScope look(false, 1);
    const TGradientColors panel = GetPanelColors(office);
    EXPECT_EQ(panel.Start, clWindow);
    EXPECT_EQ(panel.Stop, DarkerColor(clBtnFace, 10));
    const TSelectionColors sel = GetSelectionColors(office);
    EXPECT_EQ(sel.Frame, clHighlight);
    EXPECT_EQ(sel.Stop, BlendColors(clHighlight, clWindow, 77));
    EXPECT_EQ(sel.Start, LighterColor(sel.Stop, 20));
    const TStatusBarColors status = GetStatusBarColors(office);
    EXPECT_EQ(status.Start, DarkerColor(clBtnFace, 20));
    EXPECT_EQ(status.Frame, DarkerColor(clBtnFace, 40));
    EXPECT_EQ(GetGroupBarColors(office).Start, BlendColors(clBlack, clBtnFace, 40));
    EXPECT_EQ(GetCategoryViewColors(office, true).CaptionStop, DarkerColor(clHighlight, 20));
    EXPECT_EQ(GetGroupItemColors(office).HotText, clHighlight);
  }
  {
    struct Case {
      int Scheme;
      TColor SelectionFrame, PanelStart, BarStop, CategoryBody, SpecialCaption, ItemText;
    };
    const Case cases[] = {
        {0, 0x00800000, 0x00FFEFE3, 0x00D67563, 0x00F7DFD6, 0x00C56A31, 0x00C65D21},
        {1, 0x00385D3F, 0x00EDFFFF, 0x0084BDA5, 0x00ECF6F6, 0x0070A093, 0x002D6656},
        {2, 0x006F4B4B, 0x00FFF9F9, 0x00C8B3B1, 0x00F5F1F0, 0x00AB9594, 0x003D3D3F},
    };
    for (const Case& c : cases) {
      LookScope look(true, c.Scheme);
      EXPECT_EQ(GetSelectionColors(office).Frame, c.SelectionFrame) << c.Scheme;
      EXPECT_EQ(GetSelectionColors(office).Start, TColor(0x00C2EEFF));
      EXPECT_EQ(GetPanelColors(office).Start, c.PanelStart);
      EXPECT_EQ(GetGroupBarColors(office).Stop, c.BarStop);
      EXPECT_EQ(GetCategoryViewColors(office, false).Body, c.CategoryBody);
      EXPECT_EQ(GetCategoryViewColors(office, true).Caption, c.SpecialCaption);
      EXPECT_EQ(GetGroupItemColors(office).Text, c.ItemText);
      // The status bar runs the panel gradient the other way.
      EXPECT_EQ(GetStatusBarColors(office).Stop, c.PanelStart);
      EXPECT_EQ(GetOutlookColors(office).CaptionStart, c.PanelStart);
      // Other colour styles never use the scheme.
      EXPECT_EQ(GetPanelColors(TFwGradientColorStyle::gcsSystem).Start, clWindow);
    }
  }
  {
    LookScope look(false, 2);
    EXPECT_EQ(GetCategoryViewColors(office, false).CaptionText, clBlack);
    EXPECT_EQ(GetOutlookColors(office).HotText, TColor(0x00555556));
    EXPECT_EQ(GetGroupItemColors(office).HotText, TColor(0x0000FF00));
  }
  {
    LookScope look(true, 0, false);  // a palette display collapses the selection gradient
    const TSelectionColors sel = GetSelectionColors(office);
    EXPECT_EQ(sel.Start, sel.Stop);
  }
}
