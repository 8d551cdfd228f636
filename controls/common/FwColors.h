#pragma once
// Colour arithmetic of the control library: a hue/luminance/saturation model on the
// 0..240 scale from which darker, lighter and complementary colours are derived, a
// per-channel blend, a closeness test, and the colour families of the desktop's three
// colour schemes (blue, olive, silver). Every routine resolves system colours first.

#include "controls/common/FwCommon.h"
#include "platform/ui/Types.h"

#include <QString>

namespace fw {

struct THLS {
  int H = 0;  // 0..240
  int S = 0;
  int L = 0;
  friend bool operator==(const THLS&, const THLS&) = default;
};

// RGB to HLS, each value rounded to the nearest integer (halves to even).
THLS ColorToHLS(TColor color);
int GetHue(TColor color);
// HLS (each 0..255; luminance above 240 gives channels clipped at full intensity) to RGB.
// Channels are clamped to 0..1, so out-of-range saturations cannot corrupt the colour.
TColor HLSToColor(int hue, int saturation, int luminance);

TColor DarkerColor(TColor color, int amount);   // luminance - amount, not below 0
TColor LighterColor(TColor color, int amount);  // luminance + amount, not above 255
TColor AdjustColor(TColor color, int amount);   // < 0 darker, 0 unchanged, > 0 lighter
// Per-channel mix; weight 0..255 belongs to color1 (255 gives color1, 0 gives color2).
TColor BlendColors(TColor color1, TColor color2, int weight);
// Hue closer than 20 and luminance closer than 60; saturation is not compared.
bool ColorsTooClose(TColor color1, TColor color2);
// The hue turned by 120 at full saturation with the given luminance.
TColor ComplementaryColor(TColor color, int luminance);

// Scheme number for the desktop's colour-scheme name: "HOMESTEAD" olive (1),
// "METALLIC" silver (2), anything else blue (0).
int ColorSchemeFromName(const QString& name);
// The desktop's scheme. This desktop has no theme manager, so the name is empty and the
// scheme is blue.
int GetXPColorScheme();
// True when the screen shows more than 256 colours.
bool IsHighColorDisplay();
// One colour of the desktop theme; clBtnFace while themes are not active.
TColor GetXPThemeColor(int index);

struct TSelectionColors {
  TColor Frame, Start, Stop;
};
struct TGradientColors {
  TColor Start, Stop;
};
struct TStatusBarColors {
  TColor Start, Stop, Frame;
};
struct TCategoryViewColors {
  TColor Caption, CaptionStart, CaptionStop, CaptionText, CaptionHotText;
  TColor Button, ButtonShadow, BodyLine, Body, BodyFrame;
};
struct TOutlookColors {
  TColor CaptionStart, CaptionStop, Text, HotText;
};
struct TGroupItemColors {
  TColor Text, HotText;
};

// Scheme colours are used for gcsMSOffice while themes are active; otherwise colours
// derived from the system colours. Callers handle gcsCustom with their own colours.
TSelectionColors GetSelectionColors(TFwGradientColorStyle style);
TGradientColors GetPanelColors(TFwGradientColorStyle style);
TStatusBarColors GetStatusBarColors(TFwGradientColorStyle style);
TGradientColors GetGroupBarColors(TFwGradientColorStyle style);
TCategoryViewColors GetCategoryViewColors(TFwGradientColorStyle style, bool specialGroup);
TOutlookColors GetOutlookColors(TFwGradientColorStyle style);
TGroupItemColors GetGroupItemColors(TFwGradientColorStyle style);

} // namespace fw
