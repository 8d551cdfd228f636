#pragma once
// Border and frame painters of the control library. Each takes a rectangle and a set of
// sides and returns the rectangle left inside what it drew, so borders stack (outer
// border, a band of border colour, inner border) and the caller paints its content into
// what remains. Colours come either from fixed system-colour tables per style or from
// one base colour through the HLS arithmetic. A line colour of clNone draws nothing.

#include "controls/common/FwCommon.h"
#include "platform/ui/Canvas.h"

namespace fw {

// One line per side: left and top in c1, right and bottom in c2. The result moves each
// side in the mask inward by 1, whether or not its colour was drawn.
TRect DrawSides(TCanvas& canvas, const TRect& r, TColor c1, TColor c2, TSides sides);
// DrawSides `width` times inward (a width of 0 or less draws nothing).
TRect DrawBevel(TCanvas& canvas, const TRect& r, TColor c1, TColor c2, int width, TSides sides);
// Two-line 3D edges from the system tables (raised/lowered, button up/down).
TRect DrawCtl3DBorder(TCanvas& canvas, const TRect& r, bool lowered, TSides sides);
TRect DrawButtonBorder(TCanvas& canvas, const TRect& r, bool down, TSides sides);
// A button edge in shades of one colour.
TRect DrawColorButtonBorder(TCanvas& canvas, const TRect& r, TColor color, bool down, TSides sides);

// A border of the given style in system colours; fsNone (and fsFlatRounded, which is no
// frame style) leaves the rectangle as it is.
TRect DrawBorder(TCanvas& canvas, const TRect& r, TFrameStyleEx style, TSides sides);
inline TRect DrawBorderAll(TCanvas& canvas, const TRect& r, TFrameStyleEx style) {
  return DrawBorder(canvas, r, style, sdAll);
}
// The same border in colours derived from one base colour.
TRect DrawColorBorder(TCanvas& canvas, const TRect& r, TColor color, TSides sides, TFrameStyleEx style);
inline TRect DrawColorBorderAll(TCanvas& canvas, const TRect& r, TColor color, TFrameStyleEx style) {
  return DrawColorBorder(canvas, r, color, sdAll, style);
}

// A closed 1-pixel rectangle; returns r shrunk by 1.
TRect DrawFlatFrame(TCanvas& canvas, const TRect& r, TColor color);
// Only the four corners, each as two strokes of `length` pixels; returns r shrunk by 1.
TRect DrawCornerBrackets(TCanvas& canvas, const TRect& r, TColor color, int length);
// 1-pixel sides with 2-pixel cut corners; returns r shrunk by 2 on the drawn sides.
TRect DrawFlatRoundedBorder(TCanvas& canvas, const TRect& r, TColor color, TSides sides);
// A dotted black rectangle (every second pixel, starting one after each corner).
TRect DrawFocusBorder(TCanvas& canvas, const TRect& r);

// What DrawInnerOuterBorders draws: an outer border, a band of BorderColor
// BorderWidth pixels wide, and an inner border.
struct TInnerOuterBorders {
  TFrameStyleEx BorderOuter = TFrameStyleEx::fsNone;
  TFrameStyleEx BorderInner = TFrameStyleEx::fsNone;
  int BorderWidth = 0;
  TSides Sides = sdAll;
  int BevelWidth = 1;
  TColor BorderColor = clBtnFace;
  TColor BorderHighlight = clBtnHighlight;
  TColor BorderShadow = clBtnShadow;
  TColor FlatColor = clBtnShadow;
  int FlatColorAdjustment = 0;
  TColor Color = clBtnFace;       // the control's colour
  TColor OuterColor = clBtnFace;  // the colour behind the control (shown in rounded corners)
  bool Transparent = false;
  bool FullInnerFlat = false;     // an inner fsFlat closes on all four sides
};
TRect DrawInnerOuterBorders(TCanvas& canvas, const TRect& r, const TInnerOuterBorders& b);

// The frame of a framed edit, memo or list box on (0, 0, width, height): unless
// transparent a 2-pixel band in the control colour first (erasing the previous frame),
// then the frame in the given style.
void DrawFrame(TCanvas& canvas, int width, int height, bool transparent, TSides sides, TColor frameColor,
               TColor controlColor, TFrameStyleEx style);

} // namespace fw
