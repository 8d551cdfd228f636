#include "controls/common/FwBorders.h"

#include "controls/common/FwColors.h"

namespace fw {

namespace {

struct EdgeColors {
  TColor OuterUL, OuterLR, InnerUL, InnerLR;
};

constexpr EdgeColors kRaised{cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow};
constexpr EdgeColors kLowered{clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight};
constexpr EdgeColors kButtonUp{clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow};
constexpr EdgeColors kButtonDown{clBtnText, clBtnText, clBtnShadow, clBtnShadow};

// Upper-left and lower-right colours of the single-line styles.
struct LineColors {
  TColor C1, C2;
};

LineColors SystemLineColors(TFrameStyleEx style) {
  switch (style) {
  case TFrameStyleEx::fsFlat: return {cl3DDkShadow, cl3DDkShadow};
  case TFrameStyleEx::fsGroove: return {clBtnShadow, clBtnHighlight};
  case TFrameStyleEx::fsBump: return {clBtnHighlight, clBtnShadow};
  case TFrameStyleEx::fsStatus: return {clBtnShadow, clBtnHighlight};
  case TFrameStyleEx::fsPopup: return {clBtnHighlight, clBtnShadow};
  case TFrameStyleEx::fsFlatBold: return {clBtnShadow, clBtnShadow};
  default: return {clNone, clNone};
  }
}

TRect DrawEdges(TCanvas& canvas, const TRect& r, const EdgeColors& e, TSides sides) {
  const TRect inner = DrawBevel(canvas, r, e.OuterUL, e.OuterLR, 1, sides);
  return DrawBevel(canvas, inner, e.InnerUL, e.InnerLR, 1, sides);
}

TRect Shrink(const TRect& r, TSides sides, int n) {
  TRect out = r;
  if (sides & sdLeft) out.Left += n;
  if (sides & sdTop) out.Top += n;
  if (sides & sdRight) out.Right -= n;
  if (sides & sdBottom) out.Bottom -= n;
  return out;
}

// Etched lines (groove and bump): two offset lines, with single corner pixels set so the
// lines meet cleanly where not all sides are drawn.
TRect DrawEtched(TCanvas& canvas, const TRect& r, TColor c1, TColor c2, TSides sides) {
  const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  const bool left = sides & sdLeft, top = sides & sdTop, right = sides & sdRight, bottom = sides & sdBottom;
  if (right) canvas.SetPixel(R - 1, T, c2);
  else if (top) canvas.SetPixel(R - 1, T, c1);
  if (bottom) canvas.SetPixel(L, B - 1, c2);
  else if (left) canvas.SetPixel(L, B - 1, c1);
  if (top && !left) canvas.SetPixel(L, T + 1, c2);
  if (left && !top) canvas.SetPixel(L + 1, T, c2);
  if (bottom && !right) canvas.SetPixel(R - 1, B - 2, c1);
  if (right && !bottom) canvas.SetPixel(R - 2, B - 1, c1);
  DrawSides(canvas, Rect(L + 1, T + 1, R, B), c2, c2, sides);
  DrawSides(canvas, Rect(L, T, R - 1, B - 1), c1, c1, sides);
  return Shrink(r, sides, 2);
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

// A 1-pixel ring on all four sides.
void Ring(TCanvas& canvas, const TRect& r, TColor color) { DrawSides(canvas, r, color, color, sdAll); }

// One layer of DrawInnerOuterBorders.
TRect DrawLayer(TCanvas& canvas, const TRect& r, TFrameStyleEx style, bool inner, const TInnerOuterBorders& b,
                TColor flat) {
  switch (style) {
  case TFrameStyleEx::fsFlat:
    if (inner && b.FullInnerFlat) return DrawBevel(canvas, r, flat, flat, 1, sdAll);
    return DrawBevel(canvas, r, flat, flat, 1, b.Sides);
  case TFrameStyleEx::fsFlatBold: return DrawBevel(canvas, r, flat, flat, 2, b.Sides);
  case TFrameStyleEx::fsFlatRounded: {
    const bool band = b.BorderWidth > 0 || b.BorderInner != TFrameStyleEx::fsNone;
    if (!inner) {
      if (!b.Transparent) {
        Ring(canvas, r, b.OuterColor);
        Ring(canvas, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), band ? b.BorderColor : b.Color);
      } else if (band) {
        Ring(canvas, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), b.BorderColor);
      }
    } else {
      Ring(canvas, r, b.BorderColor);
      if (!b.Transparent) Ring(canvas, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), b.Color);
    }
    return DrawFlatRoundedBorder(canvas, r, flat, b.Sides);
  }
  case TFrameStyleEx::fsPopup: return DrawBevel(canvas, r, b.BorderHighlight, b.BorderShadow, b.BevelWidth, b.Sides);
  case TFrameStyleEx::fsStatus: return DrawBevel(canvas, r, b.BorderShadow, b.BorderHighlight, b.BevelWidth, b.Sides);
  default: return DrawBorder(canvas, r, style, b.Sides);
  }
}

} // namespace

TRect DrawSides(TCanvas& canvas, const TRect& r, TColor c1, TColor c2, TSides sides) {
  const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetMode(TPenMode::pmCopy);
  if (c1 != clNone && (sides & (sdLeft | sdTop))) {
    canvas.Pen().SetColor(c1);
    if (sides & sdLeft) Line(canvas, L, T, L, B);
    if (sides & sdTop) Line(canvas, L, T, R, T);
  }
  if (c2 != clNone && (sides & (sdRight | sdBottom))) {
    canvas.Pen().SetColor(c2);
    if (sides & sdRight) Line(canvas, R - 1, T, R - 1, B);
    if (sides & sdBottom) Line(canvas, L, B - 1, R, B - 1);
  }
  return Shrink(r, sides, 1);
}

TRect DrawBevel(TCanvas& canvas, const TRect& r, TColor c1, TColor c2, int width, TSides sides) {
  TRect out = r;
  for (int i = 0; i < width; ++i) out = DrawSides(canvas, out, c1, c2, sides);
  return out;
}

TRect DrawCtl3DBorder(TCanvas& canvas, const TRect& r, bool lowered, TSides sides) {
  return DrawEdges(canvas, r, lowered ? kLowered : kRaised, sides);
}

TRect DrawButtonBorder(TCanvas& canvas, const TRect& r, bool down, TSides sides) {
  return DrawEdges(canvas, r, down ? kButtonDown : kButtonUp, sides);
}

TRect DrawColorButtonBorder(TCanvas& canvas, const TRect& r, TColor color, bool down, TSides sides) {
  if (down) {
    const TColor outer = DarkerColor(color, 100), inner = DarkerColor(color, 50);
    return DrawEdges(canvas, r, {outer, outer, inner, inner}, sides);
  }
  return DrawEdges(canvas, r,
                   {LighterColor(color, 100), DarkerColor(color, 100), LighterColor(color, 40), DarkerColor(color, 50)},
                   sides);
}

TRect DrawBorder(TCanvas& canvas, const TRect& r, TFrameStyleEx style, TSides sides) {
  const LineColors c = SystemLineColors(style);
  switch (style) {
  case TFrameStyleEx::fsFlat:
  case TFrameStyleEx::fsStatus:
  case TFrameStyleEx::fsPopup: return DrawSides(canvas, r, c.C1, c.C2, sides);
  case TFrameStyleEx::fsLowered: return DrawCtl3DBorder(canvas, r, true, sides);
  case TFrameStyleEx::fsRaised: return DrawCtl3DBorder(canvas, r, false, sides);
  case TFrameStyleEx::fsButtonDown: return DrawButtonBorder(canvas, r, true, sides);
  case TFrameStyleEx::fsButtonUp: return DrawButtonBorder(canvas, r, false, sides);
  case TFrameStyleEx::fsFlatBold: return DrawBevel(canvas, r, c.C1, c.C2, 2, sides);
  case TFrameStyleEx::fsGroove:
  case TFrameStyleEx::fsBump: return DrawEtched(canvas, r, c.C1, c.C2, sides);
  default: return r;
  }
}

TRect DrawColorBorder(TCanvas& canvas, const TRect& r, TColor color, TSides sides, TFrameStyleEx style) {
  auto D = [color](int n) { return DarkerColor(color, n); };
  auto L = [color](int n) { return LighterColor(color, n); };
  switch (style) {
  case TFrameStyleEx::fsFlat: return DrawSides(canvas, r, D(50), D(50), sides);
  case TFrameStyleEx::fsStatus: return DrawSides(canvas, r, D(50), L(100), sides);
  case TFrameStyleEx::fsPopup: return DrawSides(canvas, r, L(100), D(50), sides);
  case TFrameStyleEx::fsFlatBold: return DrawBevel(canvas, r, D(50), D(50), 2, sides);
  case TFrameStyleEx::fsLowered: return DrawEdges(canvas, r, {D(50), L(100), D(100), L(50)}, sides);
  case TFrameStyleEx::fsRaised: return DrawEdges(canvas, r, {L(50), D(100), L(100), D(50)}, sides);
  case TFrameStyleEx::fsButtonUp: return DrawColorButtonBorder(canvas, r, color, false, sides);
  case TFrameStyleEx::fsButtonDown: return DrawColorButtonBorder(canvas, r, color, true, sides);
  case TFrameStyleEx::fsGroove: return DrawEtched(canvas, r, D(50), L(100), sides);
  case TFrameStyleEx::fsBump: return DrawEtched(canvas, r, L(100), D(50), sides);
  default: return r;
  }
}

TRect DrawFlatFrame(TCanvas& canvas, const TRect& r, TColor color) { return DrawSides(canvas, r, color, color, sdAll); }

TRect DrawCornerBrackets(TCanvas& canvas, const TRect& r, TColor color, int length) {
  const int L = r.Left, T = r.Top, R = r.Right - 1, B = r.Bottom - 1, n = length;
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetColor(color);
  if (n > 0) {
    canvas.Polyline({{L, T + n - 1}, {L, T}, {L + n, T}});
    canvas.Polyline({{R - n + 1, T}, {R, T}, {R, T + n}});
    canvas.Polyline({{R, B - n + 1}, {R, B}, {R - n, B}});
    canvas.Polyline({{L + n - 1, B}, {L, B}, {L, B - n}});
  }
  return Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
}

TRect DrawFlatRoundedBorder(TCanvas& canvas, const TRect& r, TColor color, TSides sides) {
  const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  const bool left = sides & sdLeft, top = sides & sdTop, right = sides & sdRight, bottom = sides & sdBottom;
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetColor(color);
  if (left) Line(canvas, L, top ? T + 2 : T, L, bottom ? B - 2 : B);
  if (top) Line(canvas, left ? L + 2 : L, T, right ? R - 2 : R, T);
  if (right) Line(canvas, R - 1, top ? T + 2 : T, R - 1, bottom ? B - 2 : B);
  if (bottom) Line(canvas, left ? L + 2 : L, B - 1, right ? R - 2 : R, B - 1);
  if (left && top) canvas.SetPixel(L + 1, T + 1, color);
  if (top && right) canvas.SetPixel(R - 2, T + 1, color);
  if (right && bottom) canvas.SetPixel(R - 2, B - 2, color);
  if (bottom && left) canvas.SetPixel(L + 1, B - 2, color);
  return Shrink(r, sides, 2);
}

TRect DrawFocusBorder(TCanvas& canvas, const TRect& r) {
  const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  for (int x = L + 1; x < R; x += 2) {
    canvas.SetPixel(x, T, clBlack);
    canvas.SetPixel(x, B - 1, clBlack);
  }
  for (int y = T + 1; y < B; y += 2) {
    canvas.SetPixel(L, y, clBlack);
    canvas.SetPixel(R - 1, y, clBlack);
  }
  return Rect(L + 1, T + 1, R - 1, B - 1);
}

TRect DrawInnerOuterBorders(TCanvas& canvas, const TRect& r, const TInnerOuterBorders& b) {
  const TColor flat = AdjustColor(b.FlatColor, b.FlatColorAdjustment);
  TRect out = DrawLayer(canvas, r, b.BorderOuter, false, b, flat);
  if (b.BorderWidth > 0) out = DrawBevel(canvas, out, b.BorderColor, b.BorderColor, b.BorderWidth, b.Sides);
  return DrawLayer(canvas, out, b.BorderInner, true, b, flat);
}

void DrawFrame(TCanvas& canvas, int width, int height, bool transparent, TSides sides, TColor frameColor,
               TColor controlColor, TFrameStyleEx style) {
  const TRect r = Rect(0, 0, width, height);
  if (!transparent) DrawBevel(canvas, r, controlColor, controlColor, 2, sdAll);
  switch (style) {
  case TFrameStyleEx::fsFlat: DrawSides(canvas, r, frameColor, frameColor, sides); break;
  case TFrameStyleEx::fsFlatBold: DrawBevel(canvas, r, frameColor, frameColor, 2, sides); break;
  default:
    if (controlColor != clWindow) DrawColorBorder(canvas, r, controlColor, sides, style);
    else DrawBorder(canvas, r, style, sides);
    break;
  }
}

} // namespace fw
