// Glyph shapes and the three progress-bar faces, read back from painted pixels.
#include "controls/common/FwColors.h"
#include "controls/common/FwGlyphs.h"
#include "PixelTools.h"

#include <gtest/gtest.h>

using namespace fw;
using namespace fwtest;

namespace {

template <typename Painter>
QImage Paint(int w, int h, Painter painter) {
  QImage image = Blank(w, h);
  TCanvas canvas(&image);
  painter(canvas);
  canvas.Flush();
  return image;
}

std::vector<int> RowWidths(const QImage& image, TColor color) {
  std::vector<int> widths;
  for (int y = 0; y < image.height(); ++y) {
    const int n = Count(image, color, QRect(0, y, image.width(), 1));
    if (n) widths.push_back(n);
  }
  return widths;
}

// Runs of `color` along row y (LED blocks).
int Runs(const QImage& image, int y, TColor color) {
  int runs = 0;
  for (int x = 0; x < image.width(); ++x)
    if (At(image, x, y) == color && (x == 0 || At(image, x - 1, y) != color)) ++runs;
  return runs;
}

// Bounding box of the pixels that are neither of two colours (the text of a bar).
QRect Text(const QImage& image, TColor a, TColor b) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (At(image, x, y) != a && At(image, x, y) != b && At(image, x, y) != clWhite) box |= QRect(x, y, 1, 1);
  return box;
}

} // namespace

TEST(FwGlyphs, DropDownArrow) {
  const QImage classic = Paint(20, 20, [](TCanvas& c) { DrawDropDownArrow(c, Rect(0, 0, 20, 20), 0, true, false); });
  // Centre (10, 9) (one up for an even height), tip row 11: rows of 7, 5, 3, 1.
  EXPECT_EQ(Inked(classic), QRect(QPoint(7, 7), QPoint(13, 10)));
  EXPECT_EQ(RowWidths(classic, clBlack), (std::vector<int>{7, 5, 3, 1}));

  const QImage pressed = Paint(20, 20, [](TCanvas& c) { DrawDropDownArrow(c, Rect(0, 0, 20, 20), 0, true, true); });
  EXPECT_EQ(Inked(pressed), QRect(QPoint(8, 8), QPoint(14, 11)));

  for (int style : {fwGlyphClassic, fwGlyphXP}) {
    const QImage disabled =
        Paint(20, 20, [&](TCanvas& c) { DrawDropDownArrow(c, Rect(0, 0, 20, 20), style, false, false); });
    const QRect ink = Inked(disabled);
    ASSERT_FALSE(ink.isNull());
    EXPECT_EQ(Count(disabled, ColorToRGB(clBtnShadow)), Count(disabled, ColorToRGB(clBtnShadow), ink)) << style;
    EXPECT_EQ(At(disabled, ink.center().x(), ink.bottom()), ColorToRGB(clBtnShadow)) << style;
  }

  const QImage xp = Paint(20, 20, [](TCanvas& c) { DrawDropDownArrow(c, Rect(0, 0, 20, 20), 1, true, false); });
  const QRect chevron = Inked(xp);
  EXPECT_EQ(chevron.bottom(), 12);  // tip row cy + 4 = 13, excluded
  EXPECT_EQ(chevron.height(), 6);  // the wing tips at cy - 3 meet in a vertex and stay empty
  EXPECT_EQ(chevron.width(), 9);
  EXPECT_EQ(At(xp, 10, 12), GlyphColor(1, true));
  EXPECT_EQ(At(xp, 10, 8), clWhite);  // the notch of the chevron
}

TEST(FwGlyphs, ArrowsTurnAndStayCentred) {
  struct Case {
    TFwScrollStyle Direction;
    int W, H;
  };
  const Case cases[] = {{TFwScrollStyle::scsDown, 7, 4},
                        {TFwScrollStyle::scsUp, 7, 4},
                        {TFwScrollStyle::scsLeft, 4, 7},
                        {TFwScrollStyle::scsRight, 4, 7}};
  QImage images[4];
  for (int i = 0; i < 4; ++i) {
    const Case& c = cases[i];
    images[i] = Paint(21, 21, [&](TCanvas& cv) { DrawArrowGlyph(cv, Rect(0, 0, 21, 21), 0, true, false, c.Direction); });
    const QRect ink = Inked(images[i]);
    EXPECT_EQ(ink.size(), QSize(c.W, c.H)) << i;
    EXPECT_EQ(ink.left(), (21 - c.W) / 2) << i;
    EXPECT_EQ(ink.top(), (21 - c.H) / 2) << i;
  }
  // Up is down upside down; right is down with rows and columns exchanged.
  const QRect d = Inked(images[0]), u = Inked(images[1]), r = Inked(images[3]);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) {
      const TColor down = At(images[0], d.left() + x, d.top() + y);
      EXPECT_EQ(At(images[1], u.left() + x, u.top() + 3 - y), down);
      EXPECT_EQ(At(images[3], r.left() + y, r.top() + x), down);
    }
  EXPECT_TRUE(Inked(Paint(21, 21, [](TCanvas& cv) {
                      DrawArrowGlyph(cv, Rect(0, 0, 21, 21), 0, true, false, TFwScrollStyle::scsNone);
                    })).isNull());
}

TEST(FwGlyphs, CloseCrossIsCentredAndRestoresTheBrush) {
  QImage image = Blank(20, 20);
  TCanvas canvas(&image);
  canvas.Brush().SetColor(clTeal);
  DrawCloseGlyph(canvas, Rect(0, 0, 20, 20), 0, true, false);
  EXPECT_EQ(canvas.Brush().Color(), clTeal);
  canvas.Flush();
  const QRect ink = Inked(image);
  EXPECT_EQ(ink.size(), QSize(8, 7));
  EXPECT_EQ(ink.topLeft(), QPoint(6, 6));
  // Both diagonals reach all four corners; the middle of each edge stays empty; the
  // cross is symmetric both ways.
  for (const QPoint corner : {QPoint(6, 6), QPoint(13, 6), QPoint(6, 12), QPoint(13, 12)})
    EXPECT_EQ(At(image, corner.x(), corner.y()), clBlack) << corner.x() << "," << corner.y();
  EXPECT_EQ(At(image, 9, 6), clWhite);
  EXPECT_EQ(At(image, 6, 9), clWhite);
  for (int y = 6; y <= 12; ++y)
    for (int x = 6; x <= 13; ++x) {
      EXPECT_EQ(At(image, x, y), At(image, 19 - x, y));
      EXPECT_EQ(At(image, x, y), At(image, x, 18 - y));
    }
}

TEST(FwProgress, TraditionalBar) {
  const TColor back = clSilver, bar = clNavy;
  const TRect r = Rect(20, 0, 120, 20);
  struct Case {
    int Percent;
    int FilledRight;  // last column of the filled part + 1
  };
  const Case cases[] = {{0, 20}, {50, 70}, {100, 120}, {150, 120}, {-5, 20}, {33, 53}};
  for (const Case& c : cases) {
    const QImage img = Paint(140, 20, [&](TCanvas& cv) {
      DrawTraditionalBar(cv, r, TOrientation::orHorizontal, false, false, c.Percent, back, bar);
    });
    EXPECT_EQ(Count(img, bar), (c.FilledRight - 20) * 20) << c.Percent;
    EXPECT_EQ(Count(img, back), (120 - c.FilledRight) * 20) << c.Percent;
  }
  // The text sits at the middle of the bar whatever its left edge.
  for (int percent : {0, 100}) {
    const QImage img = Paint(140, 20, [&](TCanvas& cv) {
      DrawTraditionalBar(cv, r, TOrientation::orHorizontal, false, true, percent, back, bar);
    });
    const TColor text = percent == 0 ? bar : back;
    const TColor face = percent == 0 ? back : bar;
    QRect ink;
    for (int y = 0; y < 20; ++y)
      for (int x = 20; x < 120; ++x)
        if (At(img, x, y) == text) ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isNull()) << percent;
    EXPECT_NEAR(ink.center().x(), 70, 2) << percent;
    EXPECT_EQ(Count(img, text) + Count(img, face), 100 * 20) << percent;  // the whole text in one colour
  }
  // Vertical bars fill from the bottom; transparent ones leave the unfilled part alone.
  const QImage vert = Paint(10, 100, [&](TCanvas& cv) {
    DrawTraditionalBar(cv, Rect(0, 0, 10, 100), TOrientation::orVertical, true, false, 30, back, bar);
  });
  EXPECT_EQ(Inked(vert), QRect(0, 70, 10, 30));
}

TEST(FwProgress, LEDBar) {
  const TColor back = clWhite, bar = clGreen;
  struct Case {
    int Length, Segments, Percent, Lit, Total;
  };
  const Case cases[] = {
      {60, 20, 100, 10, 10},  // short bar: 10 segments of 6 pixels
      {100, 10, 55, 5, 10},
      {100, 10, 0, 0, 10},
      {100, 7, 100, 7, 7},    // 14 px each, 2 px left over: no extra segment
      {100, 8, 100, 8, 8},
      {100, 30, 150, 33, 33}, // 3 px each, one extra segment; percent clamped
  };
  for (const Case& c : cases) {
    QImage img = Blank(c.Length, 12, Qt::yellow);
    {
      TCanvas cv(&img);
      DrawLEDBar(cv, Rect(0, 0, c.Length, 12), TOrientation::orHorizontal, false, false, c.Percent, c.Segments, back,
                 bar);
    }
    EXPECT_EQ(Runs(img, 6, bar), c.Lit) << c.Length << "/" << c.Segments;
    QImage full = Blank(c.Length, 12);
    {
      TCanvas cv(&full);
      DrawLEDBar(cv, Rect(0, 0, c.Length, 12), TOrientation::orHorizontal, false, false, 100, c.Segments, back, bar);
    }
    EXPECT_EQ(Runs(full, 6, bar), c.Total) << c.Length << "/" << c.Segments;
    EXPECT_EQ(Count(img, ColorToRGB(clYellow)), 0) << "every pixel painted";
  }
  QImage six = Blank(60, 12, Qt::yellow);
  {
    TCanvas cv(&six);
    DrawLEDBar(cv, Rect(0, 0, 60, 12), TOrientation::orHorizontal, false, false, 100, 20, back, bar);
  }
  EXPECT_EQ(At(six, 0, 6), back);   // the shared outline
  EXPECT_EQ(At(six, 1, 6), bar);
  EXPECT_EQ(At(six, 5, 6), bar);
  EXPECT_EQ(At(six, 6, 6), back);   // one-pixel gap every 6 pixels
  EXPECT_EQ(At(six, 7, 6), bar);

  // No segments, or no room for them: nothing is painted (and nothing divides by zero).
  for (const auto& [length, segments] : {std::pair{100, 0}, std::pair{5, 10}, std::pair{0, 10}, std::pair{100, -3}}) {
    const QImage img = Paint(120, 12, [&](TCanvas& cv) {
      DrawLEDBar(cv, Rect(0, 0, length, 12), TOrientation::orHorizontal, false, false, 50, segments, clRed, clBlue);
    });
    EXPECT_TRUE(Inked(img).isNull()) << length << "/" << segments;
  }

  // Vertical: lit blocks grow from the bottom; transparent leaves the rest alone.
  const QImage vert = Paint(12, 100, [&](TCanvas& cv) {
    DrawLEDBar(cv, Rect(0, 0, 12, 100), TOrientation::orVertical, true, false, 50, 10, back, clRed);
  });
  const QRect lit = Inked(vert);
  EXPECT_GE(lit.top(), 50);
  EXPECT_EQ(lit.bottom(), 98);
}

TEST(FwProgress, GradientBar) {
  const QImage img = Paint(120, 20, [&](TCanvas& cv) {
    DrawGradientBar(cv, Rect(0, 0, 100, 20), TOrientation::orHorizontal, false, false, 50,
                    TGradientDirection::gdVerticalEnd, clWhite, clGray, clBlack, clBlue);
  });
  EXPECT_EQ(At(img, 49, 10), clBlue);  // the filled part ends in the bar's stop colour
  EXPECT_LE(Distance(At(img, 0, 10), clBlack), 10);
  EXPECT_EQ(At(img, 99, 10), clGray);  // the unfilled part ends in the back stop colour
  EXPECT_LE(Distance(At(img, 50, 10), clWhite), 10);
  EXPECT_EQ(At(img, 100, 10), clWhite);

  const QImage clear = Paint(100, 20, [&](TCanvas& cv) {
    DrawGradientBar(cv, Rect(0, 0, 100, 20), TOrientation::orHorizontal, true, true, 30,
                    TGradientDirection::gdHorizontalEnd, clRed, clRed, clBlue, clBlue);
  });
  EXPECT_EQ(Count(clear, clBlue, QRect(0, 0, 30, 20)) + Count(clear, clRed, QRect(0, 0, 30, 20)), 30 * 20);
  const QRect text = Text(clear, clBlue, clRed);
  EXPECT_TRUE(text.isNull());  // text only in the two given colours
  EXPECT_GT(Count(clear, clBlue, QRect(30, 0, 70, 20)), 0);  // bar-coloured text over the unfilled part
}
