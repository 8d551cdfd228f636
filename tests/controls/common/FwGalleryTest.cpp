// A gallery, run only when FW_SHOTS names a folder: every border style, gradient
// direction, glyph and progress face painted into one picture there
// (fw_paint_gallery.png), to be looked at after a change.
#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "controls/common/FwGlyphs.h"
#include "controls/common/FwGraphics.h"
#include "PixelTools.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(FwGallery, PaintsEverythingIntoOnePicture) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  constexpr int kCell = 56, kScale = 3;
  TBitmap gallery(12 * kCell, 5 * kCell);
  TCanvas& c = gallery.Canvas();
  c.Brush().SetColor(clBtnFace);
  c.FillRect(Rect(0, 0, gallery.Width(), gallery.Height()));

  // Row 0: every border style in system colours; row 1: derived from clInfoBk, rounded last.
  for (int s = 0; s <= int(TFrameStyleEx::fsFlatRounded); ++s) {
    const TRect cell = Bounds(s * kCell + 4, 4, kCell - 8, kCell - 8);
    DrawBorderAll(c, cell, TFrameStyleEx(s));
    c.Brush().SetColor(clInfoBk);
    c.FillRect(Bounds(s * kCell + 4, kCell + 4, kCell - 8, kCell - 8));
    if (TFrameStyleEx(s) == TFrameStyleEx::fsFlatRounded)
      DrawFlatRoundedBorder(c, Bounds(s * kCell + 4, kCell + 4, kCell - 8, kCell - 8), clNavy, sdAll);
    else
      DrawColorBorderAll(c, Bounds(s * kCell + 4, kCell + 4, kCell - 8, kCell - 8), clInfoBk, TFrameStyleEx(s));
  }
  // Row 2: the ten gradient directions, then a ring and a focus border with brackets.
  for (int d = 0; d <= int(TGradientDirection::gdBigSquareBox); ++d)
    PaintGradient(c, Bounds(d * kCell + 4, 2 * kCell + 4, kCell - 8, kCell - 8), TGradientDirection(d), clNavy,
                  clYellow);
  DrawGradientRing(c, Bounds(10 * kCell + 4, 2 * kCell + 4, kCell - 8, kCell - 8), TGradientDirection::gdVerticalEnd,
                   clRed, clBlue);
  DrawFocusBorder(c, Bounds(11 * kCell + 4, 2 * kCell + 4, kCell - 8, kCell - 8));
  DrawCornerBrackets(c, Bounds(11 * kCell + 10, 2 * kCell + 10, kCell - 20, kCell - 20), clRed, 6);

  // Row 3: glyphs, classic and XP, enabled and disabled.
  int x = 0;
  for (int style : {fwGlyphClassic, fwGlyphXP})
    for (bool enabled : {true, false}) {
      const auto cell = [&] { return Bounds(x++ * kCell / 2 + 2, 3 * kCell + 14, kCell / 2 - 4, kCell / 2 - 4); };
      TRect r = cell();
      DrawButtonBorder(c, r, false, sdAll);
      DrawDropDownArrow(c, r, style, enabled, false);
      for (TFwScrollStyle d : {TFwScrollStyle::scsLeft, TFwScrollStyle::scsUp, TFwScrollStyle::scsRight,
                               TFwScrollStyle::scsDown}) {
        r = cell();
        DrawButtonBorder(c, r, false, sdAll);
        DrawArrowGlyph(c, r, style, enabled, false, d);
      }
      r = cell();
      DrawButtonBorder(c, r, false, sdAll);
      DrawCloseGlyph(c, r, style, enabled, false);
    }

  // Row 4: the three progress faces, horizontal and vertical.
  c.Font().SetName(QStringLiteral("宋体"));
  const int y4 = 4 * kCell;
  DrawTraditionalBar(c, Bounds(4, y4 + 4, 200, 18), TOrientation::orHorizontal, false, true, 45, clWhite, clNavy);
  DrawLEDBar(c, Bounds(4, y4 + 28, 200, 18), TOrientation::orHorizontal, false, false, 45, 20, clWhite, clGreen);
  DrawGradientBar(c, Bounds(220, y4 + 4, 200, 18), TOrientation::orHorizontal, false, true, 60,
                  TGradientDirection::gdHorizontalCenter, clWhite, clSilver, clNavy, clAqua);
  DrawTraditionalBar(c, Bounds(440, y4 + 4, 20, 48), TOrientation::orVertical, false, false, 70, clWhite, clRed);
  DrawLEDBar(c, Bounds(470, y4 + 4, 20, 48), TOrientation::orVertical, false, false, 70, 8, clWhite, clGreen);
  DrawGradientBar(c, Bounds(500, y4 + 4, 20, 48), TOrientation::orVertical, false, false, 70,
                  TGradientDirection::gdVerticalCenter, clWhite, clSilver, clNavy, clAqua);

  fwtest::SaveShot(gallery.Image().scaled(gallery.Width() * kScale, gallery.Height() * kScale),
                   QStringLiteral("fw_paint_gallery.png"));
}
