#include "controls/common/FwGraphics.h"

#include "controls/common/FwColors.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace fw {

namespace {

// Colour channels in 16.16 fixed point, stepping from one colour toward another.
struct ColorStepper {
  long long R, G, B, dR, dG, dB;
  ColorStepper(TColor from, TColor to, int steps) {
    R = static_cast<long long>(GetRValue(from)) << 16;
    G = static_cast<long long>(GetGValue(from)) << 16;
    B = static_cast<long long>(GetBValue(from)) << 16;
    dR = ((static_cast<long long>(GetRValue(to)) << 16) - R) / steps;
    dG = ((static_cast<long long>(GetGValue(to)) << 16) - G) / steps;
    dB = ((static_cast<long long>(GetBValue(to)) << 16) - B) / steps;
  }
  TColor Color() const { return RGB(int(R >> 16), int(G >> 16), int(B >> 16)); }
  void Step() { R += dR, G += dG, B += dB; }
};

int MinBandThickness(int smoothing, bool box) {
  if (smoothing <= 0) return 1;
  if (smoothing <= 8) return smoothing;
  return (box ? 256 : 255) / smoothing + 1;
}

using BandFill = std::function<void(int lo, int hi, TColor color)>;

// One pass of the strip routine: `count` lines starting at `first` and walking by `dir`,
// from colour `from` toward `to`. Lines join a band while the colour stays the same or
// the band is thinner than minBand; each band is filled once. A pass of no lines paints
// nothing (and divides by nothing).
void StripPass(int first, int count, int dir, TColor from, TColor to, int minBand, const BandFill& fill) {
  if (count <= 0) return;
  ColorStepper c(from, to, count);
  int line = first, done = 0;
  while (done < count) {
    const TColor band = c.Color();
    const int bandStart = line;
    int thickness = 0;
    do {
      c.Step();
      line += dir;
      ++done;
      ++thickness;
    } while (done < count && (c.Color() == band || thickness < minBand));
    const int bandEnd = line - dir;
    fill(std::min(bandStart, bandEnd), std::max(bandStart, bandEnd) + 1, band);
  }
}

void FillBand(TCanvas& canvas, const TRect& r, TColor color) {
  canvas.Brush().SetColor(color);
  canvas.FillRect(r);
}

// Horizontal bands (start at the top) in an 8-pixel column, or vertical bands (start at
// the left) in an 8-pixel row, then copied across the bitmap.
void PaintStrip(TCanvas& canvas, int w, int h, bool horizontalBands, bool centre, TColor start, TColor stop,
                int minBand) {
  const int length = horizontalBands ? h : w;
  const int stripW = horizontalBands ? std::min(8, w) : w;
  const int stripH = horizontalBands ? h : std::min(8, h);
  const BandFill fill = [&](int lo, int hi, TColor color) {
    FillBand(canvas, horizontalBands ? Rect(0, lo, stripW, hi) : Rect(lo, 0, hi, stripH), color);
  };
  if (!centre) {
    StripPass(length - 1, length, -1, stop, start, minBand, fill);
  } else {
    const int middle = (length + 1) / 2;  // lines 0..middle-1 form the first half
    StripPass(middle - 1, middle, -1, stop, start, minBand, fill);
    StripPass(length - 1, length - middle, -1, start, stop, minBand, fill);
  }
  ReplicateBlt(canvas, 0, 0, stripW, stripH, w, h);
}

// The top-left quadrant of a box gradient: L-shaped bands growing from the centre (stop
// colour) to the edges (start colour); then mirrored onto the other three quadrants.
void PaintBox(TBitmap& bitmap, TGradientDirection direction, TColor start, TColor stop, int minBand) {
  TCanvas& canvas = bitmap.Canvas();
  const int w = bitmap.Width(), h = bitmap.Height();
  if (start == stop || w < 3 || h <= 2) {
    FillBand(canvas, Rect(0, 0, w, h), start);
    return;
  }
  const int hw = (w - 1) / 2, hh = (h - 1) / 2;
  const bool shortenX = direction == TGradientDirection::gdHorizontalBox || direction == TGradientDirection::gdBigSquareBox;
  const bool shortenY = direction == TGradientDirection::gdVerticalBox || direction == TGradientDirection::gdBigSquareBox;
  const int sweepX = std::max(0, hw - (shortenX ? w / 4 : 0));
  const int sweepY = std::max(0, hh - (shortenY ? h / 4 : 0));
  const int steps = std::max(sweepX, sweepY) + 1;

  ColorStepper c(stop, start, steps);
  const long long decX = (static_cast<long long>(sweepX) << 16) / steps;
  const long long decY = (static_cast<long long>(sweepY) << 16) / steps;
  long long posX = static_cast<long long>(sweepX) << 16, posY = static_cast<long long>(sweepY) << 16;
  int prevX = hw + 1, prevY = hh + 1;
  TColor band = c.Color();
  int thickness = 0;
  for (int i = 1; i <= steps; ++i) {
    c.Step();
    posX -= decX;
    posY -= decY;
    ++thickness;
    // The last step always closes the band at the quadrant's edges.
    const bool last = i == steps;
    if (!last && !(c.Color() != band && thickness >= minBand) && posX >= 0 && posY >= 0) continue;
    // Positions round up, so the outermost band is the one nearest the start colour.
    const int x = last ? 0 : std::max(0, int((posX + 0xFFFF) >> 16));
    const int y = last ? 0 : std::max(0, int((posY + 0xFFFF) >> 16));
    if (y < prevY) FillBand(canvas, Rect(x, y, hw + 1, prevY), band);
    if (x < prevX) FillBand(canvas, Rect(x, prevY, prevX, hh + 1), band);
    prevX = std::min(prevX, x);
    prevY = std::min(prevY, y);
    band = c.Color();
    thickness = 0;
  }
  // Mirror: the top half upside down onto the bottom half, then the left half onto the right.
  const QImage top = bitmap.Image().copy(0, 0, w, h - hh - 1).mirrored(false, true);
  canvas.DrawImage(0, hh + 1, top);
  const QImage left = bitmap.Image().copy(0, 0, w - hw - 1, h).mirrored(true, false);
  canvas.DrawImage(hw + 1, 0, left);
}

// Diagonal bands from the start colour at the bottom-left corner to the stop colour at
// the top-right corner, as quadrilaterals between successive cut lines.
void PaintDiagonalUp(TCanvas& canvas, int w, int h, TColor start, TColor stop, int minBand) {
  const int steps = int(std::lround(std::sqrt(double(w) * w + double(h) * h))) + 1;
  const int half = std::max(1, steps / 2);
  ColorStepper c(start, stop, steps);
  const long long stepX = (static_cast<long long>(w) << 16) / half;
  const long long stepY = (static_cast<long long>(h) << 16) / half;
  auto at = [](long long v) { return int(v >> 16); };

  // Phase 1: the cut runs from the left edge (moving up) to the bottom edge (moving right).
  // Phase 2: from the top edge (moving right) to the right edge (moving up).
  for (int phase = 0; phase < 2; ++phase) {
    TPoint prevA = phase == 0 ? TPoint{0, h} : TPoint{0, 0};
    TPoint prevB = phase == 0 ? TPoint{0, h} : TPoint{w, h};
    TColor band = c.Color();
    int thickness = 0;
    for (int k = 1; k <= half; ++k) {
      c.Step();
      ++thickness;
      const bool last = k == half;
      if (!last && (c.Color() == band || thickness < minBand)) continue;
      TPoint a, b;
      if (phase == 0) {
        a = last ? TPoint{0, 0} : TPoint{0, h - at(stepY * k)};
        b = last ? TPoint{w, h} : TPoint{at(stepX * k), h};
      } else {
        a = last ? TPoint{w, 0} : TPoint{at(stepX * k), 0};
        b = last ? TPoint{w, 0} : TPoint{w, h - at(stepY * k)};
      }
      if (!(a == prevA && b == prevB)) {
        canvas.Brush().SetColor(band);
        canvas.Polygon({prevA, a, b, prevB});
      }
      prevA = a;
      prevB = b;
      band = c.Color();
      thickness = 0;
    }
  }
}

} // namespace

void PaintGradient(TCanvas& canvas, const TRect& r, TGradientDirection direction, TColor start, TColor stop,
                   int smoothing) {
  start = ColorToRGB(start);
  stop = ColorToRGB(stop);
  const int w = std::abs(r.Right - r.Left), h = std::abs(r.Bottom - r.Top);
  if (w == 0 || h == 0) return;

  TBitmap bitmap(w, h);
  TCanvas& bc = bitmap.Canvas();
  bc.Pen().SetStyle(TPenStyle::psClear);
  bc.Brush().SetStyle(TBrushStyle::bsSolid);
  switch (direction) {
  case TGradientDirection::gdHorizontalEnd:
  case TGradientDirection::gdHorizontalCenter:
    PaintStrip(bc, w, h, true, direction == TGradientDirection::gdHorizontalCenter, start, stop,
               MinBandThickness(smoothing, false));
    break;
  case TGradientDirection::gdVerticalEnd:
  case TGradientDirection::gdVerticalCenter:
    PaintStrip(bc, w, h, false, direction == TGradientDirection::gdVerticalCenter, start, stop,
               MinBandThickness(smoothing, false));
    break;
  case TGradientDirection::gdHorizontalBox:
  case TGradientDirection::gdVerticalBox:
  case TGradientDirection::gdSquareBox:
  case TGradientDirection::gdBigSquareBox:
    PaintBox(bitmap, direction, start, stop, MinBandThickness(smoothing, true));
    break;
  case TGradientDirection::gdDiagonalUp:
  case TGradientDirection::gdDiagonalDown:
    if (start == stop) {
      FillBand(bc, Rect(0, 0, w, h), start);
      break;
    }
    PaintDiagonalUp(bc, w, h, start, stop, MinBandThickness(smoothing, false));
    // Down runs from the top-left corner to the bottom-right: the same turned upside down.
    if (direction == TGradientDirection::gdDiagonalDown) FlipBitmapVertical(bitmap);
    break;
  }
  canvas.Draw(r.Left, r.Top, bitmap);
}

void DrawGradientRing(TCanvas& canvas, const TRect& r, TGradientDirection direction, TColor start, TColor stop) {
  if (!HighColorDisplay()) return;
  // Clip out the inside, paint, and give the caller back the clip it had.
  const int level = canvas.SaveDC();
  canvas.ExcludeClipRect(Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
  PaintGradient(canvas, r, direction, start, stop, 1);
  canvas.RestoreDC(level);
}

void DrawGroupBarBackground(TCanvas& canvas, const TRect& r, TFwVisualStyle visualStyle, TColor start, TColor stop,
                            bool reversed, TFwGradientColorStyle colorStyle) {
  // A themed explorer-bar background would go here; themes are never active.
  if (visualStyle == TFwVisualStyle::vsWinXP && ThemeServicesActive()) return;
  if (visualStyle == TFwVisualStyle::vsClassic || !HighColorDisplay()) return;
  TGradientColors colors{start, stop};
  if (colorStyle != TFwGradientColorStyle::gcsCustom) colors = GetGroupBarColors(colorStyle);
  if (reversed) std::swap(colors.Start, colors.Stop);
  PaintGradient(canvas, r, TGradientDirection::gdHorizontalEnd, colors.Start, colors.Stop, 1);
}

void ReplicateBlt(TCanvas& canvas, int x, int y, int stripWidth, int stripHeight, int totalWidth, int totalHeight) {
  if (stripWidth <= 0 || stripHeight <= 0 || !canvas.Image()) return;
  int w = std::min(stripWidth, totalWidth), h = std::min(stripHeight, totalHeight);
  while (w < totalWidth || h < totalHeight) {
    if (w < totalWidth) {
      const int copy = std::min(w, totalWidth - w);
      canvas.CopyRect(Bounds(x + w, y, copy, h), canvas, Bounds(x, y, copy, h));
      w += copy;
    } else {
      const int copy = std::min(h, totalHeight - h);
      canvas.CopyRect(Bounds(x, y + h, w, copy), canvas, Bounds(x, y, w, copy));
      h += copy;
    }
  }
}

void TileBitmap(TCanvas& canvas, const TBitmap& bitmap, const TRect& r) {
  if (bitmap.Empty() || r.IsEmpty()) return;
  const int level = canvas.SaveDC();
  canvas.IntersectClipRect(r);
  for (int y = r.Top; y < r.Bottom; y += bitmap.Height())
    for (int x = r.Left; x < r.Right; x += bitmap.Width()) canvas.DrawImage(x, y, bitmap.Image());
  canvas.RestoreDC(level);
}

void StretchTransparentBitmap(TCanvas& canvas, const TBitmap& bitmap, const TRect& dest, TColor transparent,
                              const TRect& source) {
  if (bitmap.Empty() || dest.IsEmpty() || source.IsEmpty()) return;
  TBitmap part;
  part.Assign(bitmap.Image().copy(source.ToQt()));
  part.SetTransparent(true);
  part.SetTransparentColor(ColorToRGB(transparent));
  canvas.StretchDraw(dest, part);
}

void FlipBitmapVertical(TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  bitmap.Assign(bitmap.Image().mirrored(false, true));
}

QImage Greyed(const QImage& source, int opacityPercent) {
  QImage image = source.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = 128 + qGray(line[x]) / 2;
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * opacityPercent / 100);
    }
  }
  return image;
}

} // namespace fw
