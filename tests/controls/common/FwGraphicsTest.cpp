// Gradient fills (end colours, band thickness, symmetry) and the bitmap helpers.
#include "controls/common/FwColors.h"
#include "controls/common/FwGraphics.h"
#include "PixelTools.h"

#include <gtest/gtest.h>

using namespace fw;
using namespace fwtest;

namespace {

constexpr int W = 40, H = 30;
const TColor kStart = RGB(0, 0, 0), kStop = RGB(240, 120, 60);

QImage Gradient(TGradientDirection d, TColor start = kStart, TColor stop = kStop, int smoothing = 1, int w = W,
                int h = H) {
  QImage image = Blank(w + 4, h + 4, QColor(1, 2, 3));
  TCanvas canvas(&image);
  PaintGradient(canvas, Bounds(2, 2, w, h), d, start, stop, smoothing);
  canvas.Flush();
  return image.copy(2, 2, w, h);
}

// One step of the gradient across n lines, plus rounding.
int Step(int n) { return 240 / n + 2; }

} // namespace

TEST(FwGradient, EndDirectionsRunFromStartToStop) {
  struct Case {
    TGradientDirection Direction;
    QPoint StartPixel, StopPixel;
    int Lines;
    bool RowsUniform;  // horizontal bands
  };
  const Case cases[] = {
      {TGradientDirection::gdHorizontalEnd, {5, 0}, {5, H - 1}, H, true},
      {TGradientDirection::gdVerticalEnd, {0, 5}, {W - 1, 5}, W, false},
      {TGradientDirection::gdHorizontalCenter, {5, 0}, {5, H / 2 - 1}, H / 2, true},
      {TGradientDirection::gdVerticalCenter, {0, 5}, {W / 2 - 1, 5}, W / 2, false},
  };
  for (const Case& c : cases) {
    const QImage g = Gradient(c.Direction);
    EXPECT_EQ(At(g, c.StopPixel.x(), c.StopPixel.y()), kStop) << int(c.Direction);
    EXPECT_LE(Distance(At(g, c.StartPixel.x(), c.StartPixel.y()), kStart), Step(c.Lines)) << int(c.Direction);
    // Bands run straight across the whole bitmap (the strip was replicated).
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const TColor expected = c.RowsUniform ? At(g, 0, y) : At(g, x, 0);
        ASSERT_EQ(At(g, x, y), expected) << int(c.Direction) << " at " << x << "," << y;
      }
  }
}

TEST(FwGradient, CentreDirectionsAreSymmetric) {
  const QImage h = Gradient(TGradientDirection::gdHorizontalCenter);
  EXPECT_LE(Distance(At(h, 0, H - 1), kStart), Step(H / 2));
  for (int y = 0; y < H / 2; ++y) EXPECT_LE(Distance(At(h, 0, y), At(h, 0, H - 1 - y)), Step(H / 2)) << y;
  const QImage v = Gradient(TGradientDirection::gdVerticalCenter);
  EXPECT_LE(Distance(At(v, W - 1, 0), kStart), Step(W / 2));
}

TEST(FwGradient, BandsKeepTheMinimumThickness) {
  struct Case {
    int Smoothing, MinBand;
  };
  const Case cases[] = {{0, 1}, {1, 1}, {4, 4}, {8, 8}, {64, 255 / 64 + 1}};
  for (const Case& c : cases) {
    const QImage g = Gradient(TGradientDirection::gdHorizontalEnd, clBlack, clWhite, c.Smoothing, 10, 60);
    // Bands are painted from the bottom up; all but the last (top) one are at least MinBand rows.
    int run = 1, bands = 0;
    for (int y = 58; y >= 0; --y) {
      if (At(g, 0, y) == At(g, 0, y + 1)) {
        ++run;
        continue;
      }
      EXPECT_GE(run, c.MinBand) << "smoothing " << c.Smoothing << " row " << y;
      run = 1;
      ++bands;
    }
    if (c.Smoothing <= 1) {
      EXPECT_EQ(bands, 59);
    }  // black to white over 60 rows changes every row
  }
}

TEST(FwGradient, BoxesHaveTheStopColourInTheMiddle) {
  const TGradientDirection boxes[] = {TGradientDirection::gdHorizontalBox, TGradientDirection::gdVerticalBox,
                                      TGradientDirection::gdSquareBox, TGradientDirection::gdBigSquareBox};
  for (TGradientDirection d : boxes) {
    const QImage g = Gradient(d, kStart, kStop, 1, 41, 31);
    EXPECT_EQ(At(g, 20, 15), kStop) << int(d);
    for (const QPoint corner : {QPoint(0, 0), QPoint(40, 0), QPoint(0, 30), QPoint(40, 30)})
      EXPECT_LE(Distance(At(g, corner.x(), corner.y()), kStart), 24) << int(d);
    for (int y = 0; y < 31; ++y)
      for (int x = 0; x < 41; ++x) {
        ASSERT_EQ(At(g, x, y), At(g, 40 - x, y)) << int(d) << " " << x << "," << y;
        ASSERT_EQ(At(g, x, y), At(g, x, 30 - y)) << int(d) << " " << x << "," << y;
      }
  }
  // Shortening the sweep widens the block of stop colour along that axis.
  const QImage square = Gradient(TGradientDirection::gdSquareBox, kStart, kStop, 1, 41, 31);
  const QImage wide = Gradient(TGradientDirection::gdHorizontalBox, kStart, kStop, 1, 41, 31);
  EXPECT_GT(Count(wide, kStop, QRect(0, 15, 41, 1)), Count(square, kStop, QRect(0, 15, 41, 1)));
}

TEST(FwGradient, DiagonalsRunCornerToCorner) {
  const QImage up = Gradient(TGradientDirection::gdDiagonalUp);
  EXPECT_LE(Distance(At(up, 0, H - 1), kStart), 10);
  EXPECT_LE(Distance(At(up, W - 1, 0), kStop), 10);
  EXPECT_EQ(Count(up, RGB(1, 2, 3)), 0);  // every pixel painted
  const QImage down = Gradient(TGradientDirection::gdDiagonalDown);
  EXPECT_LE(Distance(At(down, 0, 0), kStart), 10);
  EXPECT_LE(Distance(At(down, W - 1, H - 1), kStop), 10);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) ASSERT_EQ(At(down, x, y), At(up, x, H - 1 - y));
}

TEST(FwGradient, DegenerateSizesAndEqualColours) {
  for (int d = 0; d <= int(TGradientDirection::gdBigSquareBox); ++d) {
    const auto dir = TGradientDirection(d);
    const QImage same = Gradient(dir, clTeal, clTeal);
    EXPECT_EQ(Count(same, clTeal), W * H) << d;
    // One row or one column: no division by zero, every pixel painted.
    const QImage row = Gradient(dir, kStart, kStop, 1, 20, 1);
    EXPECT_EQ(Count(row, RGB(1, 2, 3)), 0) << d;
    const QImage column = Gradient(dir, kStart, kStop, 1, 1, 20);
    EXPECT_EQ(Count(column, RGB(1, 2, 3)), 0) << d;
  }
  EXPECT_EQ(Count(Gradient(TGradientDirection::gdSquareBox, clRed, clBlue, 1, 20, 1), clRed), 20);
  // A shortened sweep of zero (4 pixels across a shortened axis) still ends, stop colour in the middle.
  const QImage flat = Gradient(TGradientDirection::gdVerticalBox, kStart, kStop, 1, 40, 4);
  EXPECT_EQ(Count(flat, RGB(1, 2, 3)), 0);
  EXPECT_EQ(At(flat, 19, 1), kStop);
  const QImage thin = Gradient(TGradientDirection::gdHorizontalBox, kStart, kStop, 1, 4, 40);
  EXPECT_EQ(Count(thin, RGB(1, 2, 3)), 0);
  EXPECT_EQ(At(thin, 1, 19), kStop);
  QImage image = Blank(10, 10);
  TCanvas canvas(&image);
  PaintGradient(canvas, Rect(3, 3, 3, 9), TGradientDirection::gdHorizontalEnd, clRed, clBlue);
  canvas.Flush();
  EXPECT_TRUE(Inked(image).isNull());
}

TEST(FwGradient, RingPaintsTheEdgeAndGivesTheClipBack) {
  QImage image = Blank(20, 20);
  TCanvas canvas(&image);
  canvas.IntersectClipRect(Rect(0, 0, 20, 15));
  DrawGradientRing(canvas, Rect(2, 2, 18, 18), TGradientDirection::gdHorizontalEnd, clRed, clRed);
  EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 20, 15));
  canvas.Flush();
  EXPECT_EQ(At(image, 2, 2), clRed);
  EXPECT_EQ(At(image, 3, 10), clRed);
  EXPECT_EQ(At(image, 4, 4), clWhite);       // inside the ring
  EXPECT_EQ(At(image, 2, 16), clWhite);      // outside the caller's clip
  EXPECT_EQ(Count(image, clRed), 16 * 13 - 12 * 11);
}

TEST(FwGradient, GroupBarBackground) {
  QImage image = Blank(10, 10);
  TCanvas canvas(&image);
  DrawGroupBarBackground(canvas, Rect(0, 0, 10, 10), TFwVisualStyle::vsClassic, clRed, clBlue, false,
                         TFwGradientColorStyle::gcsCustom);
  canvas.Flush();
  EXPECT_TRUE(Inked(image).isNull());
  DrawGroupBarBackground(canvas, Rect(0, 0, 10, 10), TFwVisualStyle::vsGradient, clRed, clBlue, true,
                         TFwGradientColorStyle::gcsCustom);
  canvas.Flush();
  // Reversed: the stop colour on top, the start colour at the bottom.
  EXPECT_LE(Distance(At(image, 5, 0), clBlue), Step(10));
  EXPECT_EQ(At(image, 5, 9), clRed);
}

TEST(FwBitmaps, FlipMapsRowYToHeightMinusOneMinusY) {
  TBitmap bitmap(2, 3);
  const TColor rows[] = {clRed, clLime, clBlue};
  for (int y = 0; y < 3; ++y) {
    bitmap.Canvas().Brush().SetColor(rows[y]);
    bitmap.Canvas().FillRect(Rect(0, y, 2, y + 1));
  }
  FlipBitmapVertical(bitmap);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(At(bitmap.Image(), 1, y), rows[2 - y]);
}

TEST(FwBitmaps, GreyedLightensToHalfStrengthGreyAndScalesOpacity) {
  QImage source(3, 1, QImage::Format_ARGB32);
  source.setPixel(0, 0, qRgba(0, 0, 0, 255));
  source.setPixel(1, 0, qRgba(255, 255, 255, 200));
  source.setPixel(2, 0, qRgba(255, 0, 0, 0));
  const QImage full = Greyed(source);
  EXPECT_EQ(full.pixel(0, 0), qRgba(128, 128, 128, 255));
  EXPECT_EQ(full.pixel(1, 0), qRgba(255, 255, 255, 200));
  EXPECT_EQ(qAlpha(full.pixel(2, 0)), 0);
  const QImage half = Greyed(source, 50);
  EXPECT_EQ(qAlpha(half.pixel(0, 0)), 127);
  EXPECT_EQ(qAlpha(half.pixel(1, 0)), 100);
  EXPECT_EQ(qGray(half.pixel(1, 0)), 255);
}

TEST(FwBitmaps, TileAndReplicate) {
  TBitmap tile(3, 2);
  tile.Canvas().Brush().SetColor(clRed);
  tile.Canvas().FillRect(Rect(0, 0, 3, 2));
  tile.Canvas().SetPixel(0, 0, clBlue);
  QImage image = Blank(12, 12);
  TCanvas canvas(&image);
  TileBitmap(canvas, tile, Rect(1, 1, 8, 6));
  canvas.Flush();
  EXPECT_EQ(Inked(image), QRect(QPoint(1, 1), QPoint(7, 5)));
  EXPECT_EQ(Count(image, clBlue), 3 * 3);
  EXPECT_EQ(At(image, 7, 5), clBlue);

  QImage strip = Blank(10, 7);
  TCanvas sc(&strip);
  sc.SetPixel(0, 0, clGreen);
  sc.SetPixel(1, 1, clNavy);
  ReplicateBlt(sc, 0, 0, 2, 2, 10, 7);
  sc.Flush();
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(At(strip, x, y), At(strip, x % 2, y % 2)) << x << "," << y;
}

TEST(FwBitmaps, StretchTransparent) {
  TBitmap glyph(2, 2);
  glyph.Canvas().Brush().SetColor(clOlive);
  glyph.Canvas().FillRect(Rect(0, 0, 2, 2));
  glyph.Canvas().SetPixel(1, 0, clRed);
  QImage image = Blank(10, 10);
  TCanvas canvas(&image);
  StretchTransparentBitmap(canvas, glyph, Rect(0, 0, 8, 8), clOlive, Rect(0, 0, 2, 2));
  canvas.Flush();
  EXPECT_EQ(Inked(image), QRect(4, 0, 4, 4));
  EXPECT_EQ(Count(image, clRed), 16);
}

TEST(FwCommon, CenterRect) {
  EXPECT_EQ(CenterRect(Rect(0, 0, 10, 10), 4, 4), Rect(3, 3, 7, 7));
  EXPECT_EQ(CenterRect(Rect(1, 1, 10, 10), 3, 5), Rect(4, 3, 7, 8));
}
