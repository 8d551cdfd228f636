#pragma once
// Gradient fills and bitmap helpers of the control library. Gradients are painted into
// one off-screen bitmap in solid bands and copied to the canvas once; only one strip or
// one quadrant is computed and the rest is block-copied.

#include "controls/common/FwCommon.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Canvas.h"

#include <QImage>

namespace fw {

// Fills r with a two-colour gradient. smoothing sets the minimum band thickness
// (1..8 pixels; 0 acts as 1; above 8 it is 255 div smoothing + 1). An empty rectangle
// paints nothing.
void PaintGradient(TCanvas& canvas, const TRect& r, TGradientDirection direction, TColor start, TColor stop,
                   int smoothing = 1);

// The gradient only in a 2-pixel ring along r's edge (high-colour displays only). The
// caller's clip is as it was afterwards.
void DrawGradientRing(TCanvas& canvas, const TRect& r, TGradientDirection direction, TColor start, TColor stop);

// Bar background of group bars: a top-to-bottom gradient (reversed on request) unless
// the visual style is classic or the display has 256 colours or fewer.
void DrawGroupBarBackground(TCanvas& canvas, const TRect& r, TFwVisualStyle visualStyle, TColor start, TColor stop,
                            bool reversed, TFwGradientColorStyle colorStyle);

// Spreads the painted stripWidth x stripHeight block at (x, y) of an image-backed canvas
// over totalWidth x totalHeight by doubling copies.
void ReplicateBlt(TCanvas& canvas, int x, int y, int stripWidth, int stripHeight, int totalWidth, int totalHeight);

// Tiles the bitmap over r from its top-left corner; the last tiles are cut at r's edges.
void TileBitmap(TCanvas& canvas, const TBitmap& bitmap, const TRect& r);

// Copies source of the bitmap stretched onto dest, leaving out the transparent colour.
void StretchTransparentBitmap(TCanvas& canvas, const TBitmap& bitmap, const TRect& dest, TColor transparent,
                              const TRect& source);
inline void StretchTransparentBitmapSimple(TCanvas& canvas, const TBitmap& bitmap, const TRect& dest,
                                           TColor transparent, const TRect& source) {
  StretchTransparentBitmap(canvas, bitmap, dest, transparent, source);
}

// The image as the desktop greys a disabled one: each pixel a grey level half as strong
// (128 + grey / 2), its opacity scaled to opacityPercent.
QImage Greyed(const QImage& source, int opacityPercent = 100);

// Turns the bitmap upside down in place: row y goes to row Height - 1 - y.
void FlipBitmapVertical(TBitmap& bitmap);

} // namespace fw
