#include "controls/common/FwColors.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace fw {

namespace {

// Nearest integer, halves to the even neighbour.
int Rnd(double x) { return static_cast<int>(std::nearbyint(x)); }

int ClampByte(int v) { return std::clamp(v, 0, 255); }

// Fixed colour families of the three schemes, indexed by scheme (0 blue, 1 olive, 2 silver).
struct SchemeRow {
  TColor SelectionFrame, SelectionStart, SelectionStop;
  TColor PanelStart, PanelStop;
  TColor BarStart, BarStop;
  TColor OutlookText, OutlookHotText;
  TColor ItemText, ItemHotText;
};

constexpr std::array<SchemeRow, 3> kSchemes = {{
    {0x00800000, 0x00C2EEFF, 0x00A0D9FF, 0x00FFEFE3, 0x00EABB99, 0x00E7A27B, 0x00D67563, 0x00A53C00, 0x00FF8E42,
     0x00C65D21, 0x00FF8E42},
    {0x00385D3F, 0x00C2EEFF, 0x00A0D9FF, 0x00EDFFFF, 0x0092C7B8, 0x00ADD9CC, 0x0084BDA5, 0x001C674B, 0x001D9272,
     0x002D6656, 0x001D9272},
    {0x006F4B4B, 0x00C2EEFF, 0x00A0D9FF, 0x00FFF9F9, 0x00D0BCBD, 0x00D4C8C4, 0x00C8B3B1, 0x003D3D3F, 0x007C7C7E,
     0x003D3D3F, 0x007C7C7E},
}};

// Category-view group colours per scheme: normal group, then special group.
constexpr std::array<std::array<TCategoryViewColors, 2>, 3> kCategoryView = {{
    {{{0x00FFFFFF, 0x00FFFFFF, 0x00F7D3C6, 0x00A53C00, 0x00FF8E42, 0x00FCFCFC, 0x00D9BAB3, 0x00C56A31, 0x00F7DFD6,
       0x00FFFFFF},
      {0x00C56A31, 0x00BE500F, 0x00CE5D29, 0x00FFFFFF, 0x00F7DFD6, 0x00C35E2F, 0x00DE9A6A, 0x00C56A31, 0x00FFF3EF,
       0x00FFFFFF}}},
    {{{0x00B8E7E0, 0x00D5F3F1, 0x00B8E7E0, 0x001C674B, 0x001D9272, 0x00FCFCFC, 0x00BED5CA, 0x0070A093, 0x00ECF6F6,
       0x00FFFFFF},
      {0x0070A093, 0x004E9682, 0x0067A896, 0x00FFFFFF, 0x00A9D6C8, 0x004FA382, 0x0081B7A9, 0x0070A093, 0x00ECF6F6,
       0x00FFFFFF}}},
    {{{0x00E0D7D6, 0x00FCFBFB, 0x00E0D7D6, 0x003D3D3F, 0x007C7C7E, 0x00FCFCFC, 0x00D1C5C3, 0x00BFB4B2, 0x00F5F1F0,
       0x00FFFFFF},
      {0x00AB9594, 0x00A58D8C, 0x00C7B6B4, 0x00FFFFFF, 0x00E0D7D6, 0x0096746E, 0x00DEC7C1, 0x00BFB4B2, 0x00F5F1F0,
       0x00FFFFFF}}},
}};

const SchemeRow& Scheme() { return kSchemes[std::size_t(std::clamp(XPColorScheme(), 0, 2))]; }

bool UseSchemeColors(TFwGradientColorStyle style) {
  return style == TFwGradientColorStyle::gcsMSOffice && ThemeServicesActive();
}

bool SilverScheme() { return XPColorScheme() == 2; }

} // namespace

THLS ColorToHLS(TColor color) {
  const TColor rgb = ColorToRGB(color);
  const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  const double l = (mx + mn) / 2;
  double h = 0, s = 0;
  if (mx != mn) {
    const double d = mx - mn;
    s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx) h = (g - b) / d;
    else if (g == mx) h = 2 + (b - r) / d;
    else h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
  }
  return {ClampByte(Rnd(240 * h)), ClampByte(Rnd(240 * s)), ClampByte(Rnd(240 * l))};
}

int GetHue(TColor color) { return ColorToHLS(color).H; }

TColor HLSToColor(int hue, int saturation, int luminance) {
  const double h = ClampByte(hue) / 239.0;
  const double s = ClampByte(saturation) / 240.0;
  const double l = ClampByte(luminance) / 240.0;
  const double m2 = l < 0.5 ? l * (1 + s) : l + s - l * s;
  if (m2 <= 0) return clBlack;
  const double m1 = 2 * l - m2;
  const int k = static_cast<int>(6 * h);
  const double f = 6 * h - k;
  const double up = m1 + (m2 - m1) * f, down = m2 - (m2 - m1) * f;
  double r, g, b;
  switch (k) {
  case 1: r = down, g = m2, b = m1; break;
  case 2: r = m1, g = m2, b = up; break;
  case 3: r = m1, g = down, b = m2; break;
  case 4: r = up, g = m1, b = m2; break;
  case 5: r = m2, g = m1, b = down; break;
  default: r = m2, g = up, b = m1; break;
  }
  // A saturation above 240 drives m1 below zero; clamping keeps every channel a byte.
  auto channel = [](double v) { return Rnd(255 * std::clamp(v, 0.0, 1.0)); };
  return RGB(channel(r), channel(g), channel(b));
}

TColor DarkerColor(TColor color, int amount) {
  const THLS hls = ColorToHLS(color);
  return HLSToColor(hls.H, hls.S, std::max(hls.L - amount, 0));
}

TColor LighterColor(TColor color, int amount) {
  const THLS hls = ColorToHLS(color);
  return HLSToColor(hls.H, hls.S, std::min(hls.L + amount, 255));
}

TColor AdjustColor(TColor color, int amount) {
  if (amount < 0) return DarkerColor(color, -amount);
  if (amount == 0) return color;
  return LighterColor(color, amount);
}

TColor BlendColors(TColor color1, TColor color2, int weight) {
  const TColor c1 = ColorToRGB(color1), c2 = ColorToRGB(color2);
  const double w = std::clamp(weight, 0, 255) / 255.0;
  auto mix = [w](int a, int b) { return Rnd(a * w + b * (1 - w)); };
  return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)), mix(GetBValue(c1), GetBValue(c2)));
}

bool ColorsTooClose(TColor color1, TColor color2) {
  const THLS a = ColorToHLS(color1), b = ColorToHLS(color2);
  return std::abs(a.H - b.H) < 20 && std::abs(a.L - b.L) < 60;
}

TColor ComplementaryColor(TColor color, int luminance) {
  const int h = GetHue(color);
  return HLSToColor(h < 120 ? h + 120 : h - 120, 240, luminance);
}

int ColorSchemeFromName(const QString& name) {
  const QString upper = name.toUpper();
  if (upper == QLatin1String("HOMESTEAD")) return 1;
  if (upper == QLatin1String("METALLIC")) return 2;
  return 0;
}

int GetXPColorScheme() { return ColorSchemeFromName(QString()); }

bool IsHighColorDisplay() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return !screen || screen->depth() > 8;
}

TColor GetXPThemeColor(int index) {
  Q_UNUSED(index);
  // Theme services are never active here (see ThemeServicesActive).
  return clBtnFace;
}

TSelectionColors GetSelectionColors(TFwGradientColorStyle style) {
  TSelectionColors c;
  if (UseSchemeColors(style)) {
    c = {Scheme().SelectionFrame, Scheme().SelectionStart, Scheme().SelectionStop};
  } else {
    const TColor base = BlendColors(clHighlight, clWindow, 77);
    c = {clHighlight, LighterColor(base, 20), base};
  }
  if (!HighColorDisplay()) c.Start = c.Stop;
  return c;
}

TGradientColors GetPanelColors(TFwGradientColorStyle style) {
  if (UseSchemeColors(style)) return {Scheme().PanelStart, Scheme().PanelStop};
  return {clWindow, DarkerColor(clBtnFace, 10)};
}

TStatusBarColors GetStatusBarColors(TFwGradientColorStyle style) {
  if (UseSchemeColors(style)) return {Scheme().PanelStop, Scheme().PanelStart, Scheme().PanelStop};
  return {DarkerColor(clBtnFace, 20), clWindow, DarkerColor(clBtnFace, 40)};
}

TGradientColors GetGroupBarColors(TFwGradientColorStyle style) {
  if (UseSchemeColors(style)) return {Scheme().BarStart, Scheme().BarStop};
  return {BlendColors(clBlack, clBtnFace, 40), BlendColors(clBlack, clBtnFace, 80)};
}

TCategoryViewColors GetCategoryViewColors(TFwGradientColorStyle style, bool specialGroup) {
  if (UseSchemeColors(style))
    return kCategoryView[std::size_t(std::clamp(XPColorScheme(), 0, 2))][specialGroup ? 1 : 0];
  if (specialGroup) {
    return {clHighlight, clHighlight,   DarkerColor(clHighlight, 20), clHighlightText,
            LighterColor(clHighlight, 30), clHighlight, LighterColor(clHighlight, 30), clHighlight,
            clBtnFace,   0x00FFFFFF};
  }
  return {clBtnFace,
          clWindow,
          DarkerColor(clBtnFace, 10),
          SilverScheme() ? clBlack : DarkerColor(clHighlight, 30),
          SilverScheme() ? TColor(0x00555556) : clHighlight,
          clWindow,
          DarkerColor(clBtnFace, 20),
          clHighlight,
          clBtnFace,
          0x00FFFFFF};
}

TOutlookColors GetOutlookColors(TFwGradientColorStyle style) {
  const TGradientColors panel = GetPanelColors(style);
  if (UseSchemeColors(style)) return {panel.Start, panel.Stop, Scheme().OutlookText, Scheme().OutlookHotText};
  if (SilverScheme()) return {panel.Start, panel.Stop, clBlack, 0x00555556};
  return {panel.Start, panel.Stop, DarkerColor(clHighlight, 30), clHighlight};
}

TGroupItemColors GetGroupItemColors(TFwGradientColorStyle style) {
  if (UseSchemeColors(style)) return {Scheme().ItemText, Scheme().ItemHotText};
  if (SilverScheme()) return {clBlack, 0x0000FF00};
  return {DarkerColor(clHighlight, 30), clHighlight};
}

} // namespace fw
