#pragma once
// Small glyphs shared by several controls (the drop-down arrow of combo boxes and button
// edits, the direction arrows of control buttons and tab scrollers, the close cross of
// tabs) and the three faces of a progress bar. The controls decide state and colours;
// these routines only draw.

#include "controls/common/FwCommon.h"
#include "platform/ui/Canvas.h"

namespace fw {

// Glyph looks: 1 is the XP look, any other value the classic look.
constexpr int fwGlyphClassic = 0;
constexpr int fwGlyphXP = 1;

// The colour glyphs are drawn in: clBtnShadow when disabled, else black (classic) or the
// XP glyph colour, replaced by cl3DDkShadow when it would vanish against clWindow.
TColor GlyphColor(int style, bool enabled);

// A downward arrow centred in r (pressed moves it one pixel right and down).
void DrawDropDownArrow(TCanvas& canvas, const TRect& r, int style, bool enabled, bool pressed);
// An arrow pointing left, up, right or down, centred in r; scsNone draws nothing.
void DrawArrowGlyph(TCanvas& canvas, const TRect& r, int style, bool enabled, bool pressed, TFwScrollStyle direction);
// A diagonal cross centred in r.
void DrawCloseGlyph(TCanvas& canvas, const TRect& r, int style, bool enabled, bool pressed);

// Progress-bar faces. Horizontal bars fill from the left, vertical ones from the bottom;
// the percent is clamped to 0..100. With showPercent the text "n%" is centred on the
// bar and changes colour where the filled part passes under it.
void DrawTraditionalBar(TCanvas& canvas, const TRect& r, TOrientation orientation, bool transparent, bool showPercent,
                        int percent, TColor backColor, TColor barColor);
// A row of LED blocks. A bar with no segments, or too short to give each a pixel, draws
// nothing.
void DrawLEDBar(TCanvas& canvas, const TRect& r, TOrientation orientation, bool transparent, bool themed, int percent,
                int segments, TColor backColor, TColor barColor);
void DrawGradientBar(TCanvas& canvas, const TRect& r, TOrientation orientation, bool transparent, bool showPercent,
                     int percent, TGradientDirection direction, TColor backStart, TColor backStop, TColor barStart,
                     TColor barStop);

// The filled part of a bar at `percent` (clamped), as the faces use it.
TRect ProgressFilledRect(const TRect& r, TOrientation orientation, int percent);

} // namespace fw
