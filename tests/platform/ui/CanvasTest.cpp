// Pixel rules of TCanvas: half-open rectangles, lines without their end point, the
// one-pixel-less clear-pen rectangle, polygon filling, clipping and text placement.
#include "platform/ui/Bitmap.h"
#include "platform/ui/Canvas.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

QImage White(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

TColor At(const QImage& image, int x, int y) {
  const QRgb c = image.pixel(x, y);
  return RGB(qRed(c), qGreen(c), qBlue(c));
}

// Bounding box of the pixels that differ from white.
QRect Inked(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (At(image, x, y) != clWhite) box |= QRect(x, y, 1, 1);
  return box;
}

int CountColor(const QImage& image, TColor color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += At(image, x, y) == color;
  return n;
}

} // namespace

TEST(Canvas, FillRectIsHalfOpen) {
  QImage image = White(10, 10);
  {
    TCanvas canvas(&image);
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(2, 3, 6, 5));
  }
  EXPECT_EQ(Inked(image), QRect(QPoint(2, 3), QPoint(5, 4)));
  EXPECT_EQ(CountColor(image, clRed), 8);
}

TEST(Canvas, RectangleOutlinesWithPenAndFillsWithBrush) {
  QImage image = White(12, 12);
  {
    TCanvas canvas(&image);
    canvas.Pen().SetColor(clBlue);
    canvas.Brush().SetColor(clRed);
    canvas.Rectangle(1, 1, 6, 5);
  }
  EXPECT_EQ(Inked(image), QRect(QPoint(1, 1), QPoint(5, 4)));
  EXPECT_EQ(At(image, 1, 1), clBlue);
  EXPECT_EQ(At(image, 5, 4), clBlue);
  EXPECT_EQ(At(image, 2, 2), clRed);
  EXPECT_EQ(At(image, 4, 3), clRed);
  EXPECT_EQ(CountColor(image, clRed), 3 * 2);
}

TEST(Canvas, RectangleWithClearPenFillsOnePixelLess) {
  QImage image = White(12, 12);
  {
    TCanvas canvas(&image);
    canvas.Pen().SetStyle(TPenStyle::psClear);
    canvas.Brush().SetColor(clGreen);
    canvas.Rectangle(1, 1, 6, 5);
  }
  EXPECT_EQ(Inked(image), QRect(QPoint(1, 1), QPoint(4, 3)));
}

TEST(Canvas, LinesExcludeTheirEndPoint) {
  struct Case {
    TPoint From, To;
    QRect Expected;
    int Count;
  };
  const Case cases[] = {
      {{2, 5}, {8, 5}, QRect(QPoint(2, 5), QPoint(7, 5)), 6},  // right
      {{8, 5}, {2, 5}, QRect(QPoint(3, 5), QPoint(8, 5)), 6},  // left
      {{4, 1}, {4, 9}, QRect(QPoint(4, 1), QPoint(4, 8)), 8},  // down
      {{4, 9}, {4, 1}, QRect(QPoint(4, 2), QPoint(4, 9)), 8},  // up
      {{1, 1}, {6, 6}, QRect(QPoint(1, 1), QPoint(5, 5)), 5},  // diagonal
      {{3, 3}, {3, 3}, QRect(), 0},                            // empty
  };
  for (const Case& c : cases) {
    QImage image = White(12, 12);
    {
      TCanvas canvas(&image);
      canvas.MoveTo(c.From.X, c.From.Y);
      canvas.LineTo(c.To.X, c.To.Y);
      EXPECT_EQ(canvas.PenPos(), c.To);
    }
    EXPECT_EQ(Inked(image), c.Expected) << c.From.X << "," << c.From.Y << " -> " << c.To.X << "," << c.To.Y;
    EXPECT_EQ(CountColor(image, clBlack), c.Count);
  }
}

TEST(Canvas, DottedPenLeavesGaps) {
  QImage image = White(20, 3);
  {
    TCanvas canvas(&image);
    canvas.Pen().SetStyle(TPenStyle::psDot);
    canvas.MoveTo(0, 1);
    canvas.LineTo(12, 1);
  }
  EXPECT_EQ(CountColor(image, clBlack), 6);
  EXPECT_EQ(At(image, 2, 1), clBlack);
  EXPECT_EQ(At(image, 3, 1), clWhite);
}

TEST(Canvas, PolygonFillsLikeTheDesktop) {
  // The classic drop-down triangle: rows of 7, 5, 3 and 1 pixels.
  QImage image = White(20, 20);
  {
    TCanvas canvas(&image);
    canvas.Pen().SetStyle(TPenStyle::psClear);
    canvas.Brush().SetColor(clBlack);
    canvas.Polygon({{10, 8}, {7, 4}, {14, 4}});
  }
  const int widths[] = {7, 5, 3, 1};
  for (int row = 0; row < 4; ++row) {
    int n = 0;
    for (int x = 0; x < 20; ++x) n += At(image, x, 4 + row) == clBlack;
    EXPECT_EQ(n, widths[row]) << "row " << row;
  }
  EXPECT_EQ(Inked(image), QRect(QPoint(7, 4), QPoint(13, 7)));
}

TEST(Canvas, AdjacentPolygonsTileWithoutOverlap) {
  // Two triangles sharing a diagonal, drawn in xor mode: any overlap or gap would show.
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(Qt::black);
  {
    TCanvas canvas(&image);
    canvas.Pen().SetStyle(TPenStyle::psClear);
    canvas.Pen().SetMode(TPenMode::pmXor);
    canvas.Brush().SetColor(clWhite);
    canvas.Polygon({{1, 1}, {9, 1}, {9, 8}});
    canvas.Polygon({{1, 1}, {9, 8}, {1, 8}});
  }
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 1 && x < 9 && y >= 1 && y < 8;
      EXPECT_EQ(At(image, x, y), inside ? clWhite : clBlack) << x << "," << y;
    }
}

TEST(Canvas, ClipIsSavedAndRestored) {
  QImage image = White(10, 10);
  {
    TCanvas canvas(&image);
    canvas.Brush().SetColor(clRed);
    const int level = canvas.SaveDC();
    canvas.IntersectClipRect(Rect(0, 0, 5, 10));
    canvas.ExcludeClipRect(Rect(0, 0, 5, 5));
    canvas.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(CountColor(image, clRed), 25);
    EXPECT_TRUE(canvas.RestoreDC(level));
    EXPECT_FALSE(canvas.HasClip());
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect(Rect(9, 9, 10, 10));
    EXPECT_FALSE(canvas.RestoreDC());
  }
  EXPECT_EQ(At(image, 9, 9), clBlue);
  EXPECT_EQ(At(image, 2, 2), clWhite);
  EXPECT_EQ(At(image, 2, 7), clRed);
}

TEST(Canvas, PixelsReadAndWrite) {
  QImage image = White(4, 4);
  TCanvas canvas(&image);
  canvas.SetPixel(1, 2, clTeal);
  EXPECT_EQ(canvas.Pixel(1, 2), clTeal);
  EXPECT_EQ(canvas.Pixel(0, 0), clWhite);
  EXPECT_EQ(canvas.Pixel(4, 0), clNone);
  EXPECT_EQ(canvas.Pixel(-1, 0), clNone);
}

TEST(Canvas, DrawTextPlacesAndMeasures) {
  QImage image = White(200, 40);
  TCanvas canvas(&image);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const int w = canvas.TextWidth(QStringLiteral("File"));
  const int h = canvas.TextHeight(QStringLiteral("X"));
  ASSERT_GT(w, 0);

  struct Case {
    QString Text;
    unsigned Flags;
    int Width;
  };
  const Case cases[] = {
      {QStringLiteral("&File"), DT_SINGLELINE, w},
      {QStringLiteral("File"), DT_SINGLELINE | DT_NOPREFIX, w},
      {QStringLiteral("a&&b"), DT_SINGLELINE, canvas.TextWidth(QStringLiteral("a&b"))},
      {QStringLiteral("a&&b"), DT_SINGLELINE | DT_NOPREFIX, canvas.TextWidth(QStringLiteral("a&&b"))},
      {QString(), DT_SINGLELINE, 0},
  };
  for (const Case& c : cases) {
    TRect r = Rect(10, 5, 100, 30);
    const int height = canvas.DrawText(c.Text, r, c.Flags | DT_CALCRECT);
    EXPECT_EQ(r.Width(), c.Width) << c.Text.toStdString();
    EXPECT_EQ(height, c.Text.isEmpty() ? 0 : h);
    EXPECT_EQ(r.Height(), height);
  }

  // Word breaking stacks lines; the widest line sets the right edge.
  TRect wrap = Rect(0, 0, w + w / 2, 100);
  EXPECT_EQ(canvas.DrawText(QStringLiteral("File File File"), wrap, DT_WORDBREAK | DT_CALCRECT), 3 * h);
  EXPECT_EQ(wrap.Width(), w);
  TRect lines = Rect(0, 0, 200, 100);
  EXPECT_EQ(canvas.DrawText(QStringLiteral("a\r\nb\nc"), lines, DT_CALCRECT), 3 * h);
}

TEST(Canvas, DrawTextAlignsInsideTheRectangle) {
  struct Case {
    unsigned Flags;
    int Left, Top;  // expected place of the ink box, -1 for "do not check"
  };
  QImage probe = White(10, 10);
  TCanvas measure(&probe);
  const int w = measure.TextWidth(QStringLiteral("HH"));
  const int h = measure.TextHeight(QStringLiteral("HH"));
  const TRect box = Rect(20, 10, 120, 50);
  const Case cases[] = {
      {DT_SINGLELINE | DT_LEFT, box.Left, box.Top},
      {DT_SINGLELINE | DT_RIGHT, box.Right - w, box.Top},
      {DT_SINGLELINE | DT_CENTER | DT_VCENTER, box.Left + (box.Width() - w) / 2, box.Top + (box.Height() - h) / 2},
      {DT_SINGLELINE | DT_BOTTOM, box.Left, box.Bottom - h},
      {DT_VCENTER, box.Left, box.Top},  // vertical placement needs single-line
  };
  for (const Case& c : cases) {
    QImage image = White(140, 60);
    {
      TCanvas canvas(&image);
      canvas.Brush().SetColor(clYellow);  // opaque: the line's cell is filled
      TRect r = box;
      canvas.DrawText(QStringLiteral("HH"), r, c.Flags);
    }
    const QRect ink = Inked(image);
    EXPECT_EQ(ink.left(), c.Left) << c.Flags;
    EXPECT_EQ(ink.top(), c.Top) << c.Flags;
    EXPECT_EQ(ink.width(), w) << c.Flags;
    EXPECT_EQ(ink.height(), h) << c.Flags;
  }
}

TEST(Canvas, DrawTextEllipsisAndClipStayInside) {
  QImage image = White(200, 30);
  {
    TCanvas canvas(&image);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    TRect r = Rect(10, 0, 60, 30);
    canvas.DrawText(QStringLiteral("A long caption that does not fit"), r, DT_SINGLELINE | DT_END_ELLIPSIS);
    TRect p = Rect(10, 0, 60, 30);
    canvas.DrawText(QStringLiteral("C:\\folder\\sub\\file.txt"), p, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    TRect c = Rect(100, 0, 120, 30);
    canvas.DrawText(QStringLiteral("Clipped text here"), c, DT_SINGLELINE);
  }
  const QRect ink = Inked(image);
  EXPECT_GE(ink.left(), 10);
  EXPECT_LE(ink.right(), 119);
  for (int y = 0; y < 30; ++y) {
    for (int x = 60; x < 100; ++x) ASSERT_EQ(At(image, x, y), clWhite) << x << "," << y;
    for (int x = 120; x < 200; ++x) ASSERT_EQ(At(image, x, y), clWhite) << x << "," << y;
  }
}

TEST(Canvas, TextRectFillsAndCentresOnTheReference) {
  QImage image = White(100, 20);
  TCanvas canvas(&image);
  const int w = canvas.TextWidth(QStringLiteral("88"));
  canvas.Brush().SetColor(clSilver);
  canvas.Font().SetColor(clBlack);
  canvas.TextRect(Rect(0, 0, 60, 20), 30, 2, QStringLiteral("88"), TAlignment::taCenter);
  canvas.Flush();
  EXPECT_EQ(At(image, 0, 0), clSilver);
  EXPECT_EQ(At(image, 59, 19), clSilver);
  EXPECT_EQ(At(image, 60, 0), clWhite);
  int left = 100, right = -1;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      if (At(image, x, y) == clBlack) left = std::min(left, x), right = std::max(right, x);
  EXPECT_GE(left, 30 - w / 2);
  EXPECT_LE(right, 30 + w / 2);
  EXPECT_NEAR((left + right) / 2.0, 30.0, 2.0);
}

TEST(Bitmap, ResizeKeepsPixelsAndFillsNewOnes) {
  TBitmap bitmap(4, 4);
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect(Rect(0, 0, 4, 4));
  bitmap.Canvas().Brush().SetColor(clBlue);
  bitmap.SetSize(6, 5);
  EXPECT_EQ(At(bitmap.Image(), 3, 3), clRed);
  EXPECT_EQ(At(bitmap.Image(), 5, 4), clBlue);
  bitmap.SetSize(0, 5);
  EXPECT_TRUE(bitmap.Empty());
  bitmap.Canvas().FillRect(Rect(0, 0, 4, 4));  // harmless on an empty bitmap
}

TEST(Bitmap, DrawLeavesOutTheTransparentColour) {
  TBitmap glyph(3, 3);
  glyph.Canvas().Brush().SetColor(clOlive);
  glyph.Canvas().FillRect(Rect(0, 0, 3, 3));
  glyph.Canvas().SetPixel(1, 1, clRed);
  EXPECT_EQ(glyph.TransparentColor(), clOlive);  // automatic: bottom-left pixel

  QImage image = White(10, 10);
  TCanvas canvas(&image);
  glyph.SetTransparent(true);
  canvas.Draw(2, 2, glyph);
  canvas.StretchDraw(Rect(5, 5, 8, 8), glyph);
  canvas.Brush().SetColor(clLime);
  canvas.BrushCopy(Rect(0, 7, 3, 10), glyph, Rect(0, 0, 3, 3), clOlive);
  canvas.Flush();
  EXPECT_EQ(CountColor(image, clOlive), 0);
  EXPECT_EQ(At(image, 3, 3), clRed);
  EXPECT_EQ(At(image, 6, 6), clRed);
  EXPECT_EQ(At(image, 0, 7), clLime);
  EXPECT_EQ(At(image, 1, 8), clRed);
  EXPECT_EQ(CountColor(image, clLime), 8);

  glyph.SetTransparent(false);
  canvas.Draw(0, 0, glyph);
  canvas.Flush();
  EXPECT_EQ(At(image, 0, 0), clOlive);
}
