// Border painters: the lines and corner pixels of every style, and the rectangles they return.
#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "PixelTools.h"

#include <gtest/gtest.h>

using namespace fw;
using namespace fwtest;

namespace {

const TColor kBack = RGB(1, 2, 3);

struct Painted {
  QImage Image;
  TRect Inner;
};

template <typename Painter>
Painted Paint(Painter painter, int w = 10, int h = 10) {
  Painted p{Blank(w, h, QColor(1, 2, 3)), {}};
  TCanvas canvas(&p.Image);
  p.Inner = painter(canvas, Rect(0, 0, w, h));
  canvas.Flush();
  return p;
}

TColor Sys(TColor c) { return ColorToRGB(c); }

} // namespace

TEST(FwBorders, SystemStylesOnAllSides) {
  // Pixels: outer top (5,0), outer left (0,5), outer right (9,5), outer bottom (5,9), the
  // top-right corner (9,0), then the second line top (5,1) and right (8,5).
  struct Case {
    TFrameStyleEx Style;
    TColor Top, Left, Right, Bottom, TopRight, InnerTop, InnerRight;
    TRect Inner;
  };
  const TColor dk = Sys(cl3DDkShadow), sh = Sys(clBtnShadow), hi = Sys(clBtnHighlight), lt = Sys(cl3DLight),
               tx = Sys(clBtnText);
  const Case cases[] = {
      {TFrameStyleEx::fsNone, kBack, kBack, kBack, kBack, kBack, kBack, kBack, Rect(0, 0, 10, 10)},
      {TFrameStyleEx::fsFlatRounded, kBack, kBack, kBack, kBack, kBack, kBack, kBack, Rect(0, 0, 10, 10)},
      {TFrameStyleEx::fsFlat, dk, dk, dk, dk, dk, kBack, kBack, Rect(1, 1, 9, 9)},
      {TFrameStyleEx::fsStatus, sh, sh, hi, hi, hi, kBack, kBack, Rect(1, 1, 9, 9)},
      {TFrameStyleEx::fsPopup, hi, hi, sh, sh, sh, kBack, kBack, Rect(1, 1, 9, 9)},
      {TFrameStyleEx::fsFlatBold, sh, sh, sh, sh, sh, sh, sh, Rect(2, 2, 8, 8)},
      {TFrameStyleEx::fsLowered, sh, sh, hi, hi, hi, dk, lt, Rect(2, 2, 8, 8)},
      {TFrameStyleEx::fsRaised, lt, lt, dk, dk, dk, hi, sh, Rect(2, 2, 8, 8)},
      {TFrameStyleEx::fsButtonUp, hi, hi, dk, dk, dk, lt, sh, Rect(2, 2, 8, 8)},
      {TFrameStyleEx::fsButtonDown, tx, tx, tx, tx, tx, sh, sh, Rect(2, 2, 8, 8)},
      {TFrameStyleEx::fsGroove, sh, sh, hi, hi, hi, hi, sh, Rect(2, 2, 8, 8)},
      {TFrameStyleEx::fsBump, hi, hi, sh, sh, sh, sh, hi, Rect(2, 2, 8, 8)},
  };
  for (const Case& c : cases) {
    const Painted p = Paint([&](TCanvas& cv, TRect r) { return DrawBorderAll(cv, r, c.Style); });
    const int s = int(c.Style);
    EXPECT_EQ(At(p.Image, 5, 0), c.Top) << s;
    EXPECT_EQ(At(p.Image, 0, 5), c.Left) << s;
    EXPECT_EQ(At(p.Image, 9, 5), c.Right) << s;
    EXPECT_EQ(At(p.Image, 5, 9), c.Bottom) << s;
    EXPECT_EQ(At(p.Image, 9, 0), c.TopRight) << s;
    EXPECT_EQ(At(p.Image, 5, 1), c.InnerTop) << s;
    EXPECT_EQ(At(p.Image, 8, 5), c.InnerRight) << s;
    EXPECT_EQ(p.Inner, c.Inner) << s;
    EXPECT_EQ(At(p.Image, 5, 5), kBack) << s;  // the inside is left alone
  }
}

TEST(FwBorders, GrooveOnTheBottomAlone) {
  const Painted p = Paint([](TCanvas& cv, TRect r) { return DrawBorder(cv, r, TFrameStyleEx::fsGroove, sdBottom); });
  EXPECT_EQ(p.Inner, Rect(0, 0, 10, 8));
  EXPECT_EQ(Inked(p.Image, kBack), QRect(0, 8, 10, 2));
  EXPECT_EQ(Count(p.Image, Sys(clBtnShadow), QRect(0, 8, 10, 1)), 10);     // shadow at B-2, corner (R-1, B-2) included
  EXPECT_EQ(Count(p.Image, Sys(clBtnHighlight), QRect(0, 9, 10, 1)), 10);  // highlight at B-1, corner (L, B-1) included
}

TEST(FwBorders, GrooveCornersWithTwoSides) {
  // Top and left only: the etched lines end cleanly at the open corners.
  const Painted p =
      Paint([](TCanvas& cv, TRect r) { return DrawBorder(cv, r, TFrameStyleEx::fsGroove, sdTop | sdLeft); });
  EXPECT_EQ(p.Inner, Rect(2, 2, 10, 10));
  EXPECT_EQ(At(p.Image, 9, 0), Sys(clBtnShadow));     // top drawn, right not: c1
  EXPECT_EQ(At(p.Image, 0, 9), Sys(clBtnShadow));     // left drawn, bottom not: c1
  EXPECT_EQ(At(p.Image, 9, 1), Sys(clBtnHighlight));
  EXPECT_EQ(At(p.Image, 1, 9), Sys(clBtnHighlight));
  EXPECT_EQ(At(p.Image, 0, 0), Sys(clBtnShadow));
  EXPECT_EQ(At(p.Image, 1, 1), Sys(clBtnHighlight));
}

TEST(FwBorders, SidesAndBevels) {
  const Painted none = Paint([](TCanvas& cv, TRect r) { return DrawSides(cv, r, clRed, clBlue, 0); });
  EXPECT_EQ(none.Inner, Rect(0, 0, 10, 10));
  EXPECT_TRUE(Inked(none.Image, kBack).isNull());

  const Painted skip = Paint([](TCanvas& cv, TRect r) { return DrawSides(cv, r, clNone, clBlue, sdAll); });
  EXPECT_EQ(skip.Inner, Rect(1, 1, 9, 9));  // shrinks even where nothing was drawn
  EXPECT_EQ(At(skip.Image, 0, 5), kBack);
  EXPECT_EQ(At(skip.Image, 9, 0), clBlue);
  EXPECT_EQ(At(skip.Image, 0, 9), clBlue);

  const Painted right = Paint([](TCanvas& cv, TRect r) { return DrawBevel(cv, r, clRed, clBlue, 3, sdRight); });
  EXPECT_EQ(right.Inner, Rect(0, 0, 7, 10));
  EXPECT_EQ(Inked(right.Image, kBack), QRect(7, 0, 3, 10));
  const Painted zero = Paint([](TCanvas& cv, TRect r) { return DrawBevel(cv, r, clRed, clBlue, 0, sdAll); });
  EXPECT_TRUE(Inked(zero.Image, kBack).isNull());
}

TEST(FwBorders, ColourDerivedStyles) {
  const TColor base = clInfoBk;
  auto D = [&](int n) { return DarkerColor(base, n); };
  auto L = [&](int n) { return LighterColor(base, n); };
  struct Case {
    TFrameStyleEx Style;
    TColor Top, Right, InnerTop, InnerRight;
  };
  const Case cases[] = {
      {TFrameStyleEx::fsFlat, D(50), D(50), kBack, kBack},
      {TFrameStyleEx::fsStatus, D(50), L(100), kBack, kBack},
      {TFrameStyleEx::fsPopup, L(100), D(50), kBack, kBack},
      {TFrameStyleEx::fsFlatBold, D(50), D(50), D(50), D(50)},
      {TFrameStyleEx::fsLowered, D(50), L(100), D(100), L(50)},
      {TFrameStyleEx::fsRaised, L(50), D(100), L(100), D(50)},
      {TFrameStyleEx::fsButtonUp, L(100), D(100), L(40), D(50)},
      {TFrameStyleEx::fsButtonDown, D(100), D(100), D(50), D(50)},
      {TFrameStyleEx::fsGroove, D(50), L(100), L(100), D(50)},
      {TFrameStyleEx::fsBump, L(100), D(50), D(50), L(100)},
  };
  for (const Case& c : cases) {
    const Painted p = Paint([&](TCanvas& cv, TRect r) { return DrawColorBorderAll(cv, r, base, c.Style); });
    EXPECT_EQ(At(p.Image, 5, 0), c.Top) << int(c.Style);
    EXPECT_EQ(At(p.Image, 9, 5), c.Right) << int(c.Style);
    EXPECT_EQ(At(p.Image, 5, 1), c.InnerTop) << int(c.Style);
    EXPECT_EQ(At(p.Image, 8, 5), c.InnerRight) << int(c.Style);
  }
}

TEST(FwBorders, RoundedFocusAndBrackets) {
  const Painted rounded = Paint([](TCanvas& cv, TRect r) { return DrawFlatRoundedBorder(cv, r, clRed, sdAll); });
  EXPECT_EQ(rounded.Inner, Rect(2, 2, 8, 8));
  for (const QPoint cut : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(9, 9), QPoint(8, 9), QPoint(9, 8)})
    EXPECT_EQ(At(rounded.Image, cut.x(), cut.y()), kBack) << cut.x() << "," << cut.y();
  for (const QPoint on : {QPoint(2, 0), QPoint(7, 0), QPoint(1, 1), QPoint(8, 1), QPoint(8, 8), QPoint(1, 8)})
    EXPECT_EQ(At(rounded.Image, on.x(), on.y()), clRed) << on.x() << "," << on.y();
  EXPECT_EQ(Count(rounded.Image, clRed), 4 * 6 + 4);

  const Painted open = Paint([](TCanvas& cv, TRect r) { return DrawFlatRoundedBorder(cv, r, clRed, sdTop); });
  EXPECT_EQ(open.Inner, Rect(0, 2, 10, 10));
  EXPECT_EQ(Count(open.Image, clRed), 10);  // no neighbours: the line runs to both ends

  const Painted focus = Paint([](TCanvas& cv, TRect r) { return DrawFocusBorder(cv, r); });
  EXPECT_EQ(focus.Inner, Rect(1, 1, 9, 9));
  EXPECT_EQ(At(focus.Image, 0, 0), kBack);
  EXPECT_EQ(At(focus.Image, 1, 0), clBlack);
  EXPECT_EQ(At(focus.Image, 2, 0), kBack);
  EXPECT_EQ(At(focus.Image, 0, 1), clBlack);
  EXPECT_EQ(At(focus.Image, 9, 3), clBlack);

  const Painted brackets = Paint([](TCanvas& cv, TRect r) { return DrawCornerBrackets(cv, r, clBlue, 3); });
  EXPECT_EQ(brackets.Inner, Rect(1, 1, 9, 9));
  EXPECT_EQ(Count(brackets.Image, clBlue), 4 * 5);
  for (const QPoint on : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(9, 0), QPoint(7, 0), QPoint(9, 2),
                          QPoint(9, 9), QPoint(0, 9), QPoint(0, 7)})
    EXPECT_EQ(At(brackets.Image, on.x(), on.y()), clBlue) << on.x() << "," << on.y();
  EXPECT_EQ(At(brackets.Image, 3, 0), kBack);
  EXPECT_EQ(At(brackets.Image, 0, 3), kBack);
}

TEST(FwBorders, InnerOuterBorders) {
  TInnerOuterBorders none;
  const Painted nothing = Paint([&](TCanvas& cv, TRect r) { return DrawInnerOuterBorders(cv, r, none); });
  EXPECT_EQ(nothing.Inner, Rect(0, 0, 10, 10));
  EXPECT_TRUE(Inked(nothing.Image, kBack).isNull());

  TInnerOuterBorders popup;
  popup.BorderOuter = TFrameStyleEx::fsPopup;
  popup.BevelWidth = 2;
  popup.BorderHighlight = clYellow;
  popup.BorderShadow = clNavy;
  const Painted pp = Paint([&](TCanvas& cv, TRect r) { return DrawInnerOuterBorders(cv, r, popup); });
  EXPECT_EQ(pp.Inner, Rect(2, 2, 8, 8));
  EXPECT_EQ(At(pp.Image, 5, 0), clYellow);
  EXPECT_EQ(At(pp.Image, 5, 1), clYellow);
  EXPECT_EQ(At(pp.Image, 9, 5), clNavy);
  EXPECT_EQ(At(pp.Image, 8, 5), clNavy);

  // Outer flat, a 2-pixel band, inner flat closed on all sides although only the top is asked for.
  TInnerOuterBorders stack;
  stack.BorderOuter = TFrameStyleEx::fsFlat;
  stack.BorderInner = TFrameStyleEx::fsFlat;
  stack.FullInnerFlat = true;
  stack.BorderWidth = 2;
  stack.BorderColor = clLime;
  stack.FlatColor = clRed;
  stack.Sides = sdTop;
  const Painted st = Paint([&](TCanvas& cv, TRect r) { return DrawInnerOuterBorders(cv, r, stack); });
  EXPECT_EQ(st.Inner, Rect(1, 4, 9, 9));
  EXPECT_EQ(At(st.Image, 5, 0), clRed);
  EXPECT_EQ(At(st.Image, 5, 1), clLime);
  EXPECT_EQ(At(st.Image, 5, 2), clLime);
  EXPECT_EQ(At(st.Image, 5, 3), clRed);
  EXPECT_EQ(At(st.Image, 0, 5), clRed);  // inner flat closes down the left
  EXPECT_EQ(At(st.Image, 9, 5), clRed);

  TInnerOuterBorders rounded;
  rounded.BorderOuter = TFrameStyleEx::fsFlatRounded;
  rounded.OuterColor = clYellow;
  rounded.Color = clBlue;
  rounded.FlatColor = clRed;
  const Painted rd = Paint([&](TCanvas& cv, TRect r) { return DrawInnerOuterBorders(cv, r, rounded); });
  EXPECT_EQ(rd.Inner, Rect(2, 2, 8, 8));
  EXPECT_EQ(At(rd.Image, 0, 0), clYellow);  // the colour behind shows in the cut corner
  EXPECT_EQ(At(rd.Image, 1, 1), clRed);
  EXPECT_EQ(At(rd.Image, 5, 0), clRed);
  EXPECT_EQ(At(rd.Image, 5, 1), clBlue);  // no band and no inner border: the ring takes the control colour
}

TEST(FwBorders, FrameOfFramedControls) {
  // Raised on a window-coloured control uses the system table; on another colour, shades of it.
  const Painted sys = Paint([](TCanvas& cv, TRect r) {
    DrawFrame(cv, r.Width(), r.Height(), false, sdAll, clRed, clWindow, TFrameStyleEx::fsRaised);
    return r;
  });
  EXPECT_EQ(At(sys.Image, 5, 0), Sys(cl3DLight));
  EXPECT_EQ(At(sys.Image, 5, 1), Sys(clBtnHighlight));
  EXPECT_EQ(At(sys.Image, 5, 2), kBack);
  const Painted info = Paint([](TCanvas& cv, TRect r) {
    DrawFrame(cv, r.Width(), r.Height(), false, sdAll, clRed, clInfoBk, TFrameStyleEx::fsRaised);
    return r;
  });
  EXPECT_EQ(At(info.Image, 5, 0), LighterColor(clInfoBk, 50));
  EXPECT_EQ(At(info.Image, 9, 5), DarkerColor(clInfoBk, 100));

  // Flat on the bottom only: the erased band shows the control colour elsewhere.
  const Painted under = Paint([](TCanvas& cv, TRect r) {
    DrawFrame(cv, r.Width(), r.Height(), false, sdBottom, clBlack, clWindow, TFrameStyleEx::fsFlat);
    return r;
  });
  EXPECT_EQ(At(under.Image, 5, 9), clBlack);
  EXPECT_EQ(At(under.Image, 5, 8), clWhite);
  EXPECT_EQ(At(under.Image, 0, 5), clWhite);
  EXPECT_EQ(At(under.Image, 5, 5), kBack);
  const Painted clear = Paint([](TCanvas& cv, TRect r) {
    DrawFrame(cv, r.Width(), r.Height(), true, sdBottom, clBlack, clWindow, TFrameStyleEx::fsFlat);
    return r;
  });
  EXPECT_EQ(At(clear.Image, 0, 5), kBack);
}
