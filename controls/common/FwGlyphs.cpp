#include "controls/common/FwGlyphs.h"

#include "controls/common/FwColors.h"
#include "controls/common/FwGraphics.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace fw {

namespace {

// The glyph colour of the XP look. The desktop theme that would supply it is never
// active, so it is the dark blue-grey of the XP drop-down glyph.
constexpr TColor kXPGlyphColor = 0x00854D4D;

// Pixels of a glyph, relative to its anchor.
struct GlyphPixels {
  std::vector<QRect> Runs;  // one-pixel-high runs
  QRect Bounds;
};

// The pixels a polygon (relative to (0, 0)) covers under the canvas's fill rule.
GlyphPixels Rasterize(const std::vector<TPoint>& points) {
  constexpr int kSize = 40, kOrigin = 20;
  QImage scratch(kSize, kSize, QImage::Format_RGB32);
  scratch.fill(Qt::white);
  {
    TCanvas c(&scratch);
    c.Pen().SetStyle(TPenStyle::psClear);
    c.Brush().SetColor(clBlack);
    std::vector<TPoint> shifted;
    for (const TPoint& p : points) shifted.push_back({p.X + kOrigin, p.Y + kOrigin});
    c.Polygon(shifted);
  }
  GlyphPixels out;
  for (int y = 0; y < kSize; ++y) {
    int start = -1;
    for (int x = 0; x <= kSize; ++x) {
      const bool on = x < kSize && qRed(scratch.pixel(x, y)) == 0;
      if (on && start < 0) start = x;
      if (!on && start >= 0) {
        const QRect run(start - kOrigin, y - kOrigin, x - start, 1);
        out.Runs.push_back(run);
        out.Bounds |= run;
        start = -1;
      }
    }
  }
  return out;
}

// Turns a downward glyph to another direction: mirrored rows for up, rows and columns
// exchanged for right, both for left.
GlyphPixels Turn(const GlyphPixels& down, TFwScrollStyle direction) {
  GlyphPixels out;
  for (const QRect& run : down.Runs) {
    for (int x = run.left(); x <= run.right(); ++x) {
      const int y = run.top();
      QPoint p;
      switch (direction) {
      case TFwScrollStyle::scsUp: p = {x, -1 - y}; break;
      case TFwScrollStyle::scsRight: p = {y, x}; break;
      case TFwScrollStyle::scsLeft: p = {-1 - y, x}; break;
      default: p = {x, y}; break;
      }
      out.Runs.push_back(QRect(p, QSize(1, 1)));
      out.Bounds |= out.Runs.back();
    }
  }
  return out;
}

void FillGlyph(TCanvas& canvas, const GlyphPixels& glyph, QPoint at, TColor color) {
  const TColor oldBrush = canvas.Brush().Color();
  const TBrushStyle oldStyle = canvas.Brush().Style();
  canvas.Brush().SetColor(color);
  for (const QRect& run : glyph.Runs) canvas.FillRect(TRect::FromQt(run.translated(at)));
  canvas.Brush().SetColor(oldBrush);
  canvas.Brush().SetStyle(oldStyle);
}

// The drop-down arrow's shapes, relative to the tip row y and centre column cx.
std::vector<TPoint> DownShape(int style) {
  if (style == fwGlyphXP) return {{0, 0}, {-4, -5}, {-3, -7}, {0, -3}, {3, -7}, {5, -5}};
  return {{0, 0}, {-3, -4}, {4, -4}};
}

int ClampPercent(int percent) { return std::clamp(percent, 0, 100); }

int RoundDiv(long long a, long long b) { return int(std::lround(double(a) / double(b))); }

// Draws the percentage text into one part of a bar: filled with `back` unless `fill` is
// false, the text in `textColor`, clipped to the part.
void BarText(TCanvas& canvas, const TRect& bar, const TRect& part, const QString& text, TColor textColor,
             TColor back, bool fill) {
  if (part.IsEmpty()) return;
  canvas.Font().SetColor(textColor);
  canvas.Brush().SetColor(back);
  canvas.Brush().SetStyle(fill ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
  const int y = bar.Top + (bar.Height() - canvas.TextHeight(QStringLiteral("X"))) / 2;
  canvas.TextRect(part, (bar.Left + bar.Right) / 2, y, text, TAlignment::taCenter);
}

TRect UnfilledRect(const TRect& r, const TRect& filled, TOrientation orientation) {
  if (orientation == TOrientation::orHorizontal) return Rect(filled.Right, r.Top, r.Right, r.Bottom);
  return Rect(r.Left, r.Top, r.Right, filled.Top);
}

// Saves the brush and font colour the bar painters change.
struct CanvasLook {
  explicit CanvasLook(TCanvas& c)
      : canvas(c), brushColor(c.Brush().Color()), brushStyle(c.Brush().Style()), fontColor(c.Font().Color()),
        penColor(c.Pen().Color()), penStyle(c.Pen().Style()) {}
  ~CanvasLook() {
    canvas.Brush().SetColor(brushColor);
    canvas.Brush().SetStyle(brushStyle);
    canvas.Font().SetColor(fontColor);
    canvas.Pen().SetColor(penColor);
    canvas.Pen().SetStyle(penStyle);
  }
  TCanvas& canvas;
  TColor brushColor;
  TBrushStyle brushStyle;
  TColor fontColor, penColor;
  TPenStyle penStyle;
};

} // namespace

TColor GlyphColor(int style, bool enabled) {
  if (!enabled) return clBtnShadow;
  if (style != fwGlyphXP) return clBlack;
  return ColorsTooClose(kXPGlyphColor, clWindow) ? cl3DDkShadow : kXPGlyphColor;
}

void DrawDropDownArrow(TCanvas& canvas, const TRect& r, int style, bool enabled, bool pressed) {
  int cx = r.Left + r.Width() / 2;
  int cy = r.Top + r.Height() / 2;
  if (r.Height() % 2 == 0) --cy;
  int y = cy + (style == fwGlyphXP ? 4 : 2);
  if (pressed) ++cx, ++y;
  FillGlyph(canvas, Rasterize(DownShape(style)), {cx, y}, GlyphColor(style, enabled));
}

void DrawArrowGlyph(TCanvas& canvas, const TRect& r, int style, bool enabled, bool pressed, TFwScrollStyle direction) {
  if (direction == TFwScrollStyle::scsNone) return;
  const GlyphPixels glyph = Turn(Rasterize(DownShape(style)), direction);
  // Centre the glyph's own extent in r, so every direction sits in the middle.
  const TRect place = CenterRect(r, glyph.Bounds.width(), glyph.Bounds.height());
  QPoint at(place.Left - glyph.Bounds.left(), place.Top - glyph.Bounds.top());
  if (pressed) at += QPoint(1, 1);
  FillGlyph(canvas, glyph, at, GlyphColor(style, enabled));
}

void DrawCloseGlyph(TCanvas& canvas, const TRect& r, int style, bool enabled, bool pressed) {
  // Two diagonal bars two pixels thick in an 8 x 8 box.
  const std::vector<TPoint> cross = {{0, 1}, {1, 0}, {4, 3}, {7, 0}, {8, 1}, {5, 4},
                                     {8, 7}, {7, 8}, {4, 5}, {1, 8}, {0, 7}, {3, 4}};
  const GlyphPixels glyph = Rasterize(cross);
  const TRect place = CenterRect(r, glyph.Bounds.width(), glyph.Bounds.height());
  QPoint at(place.Left - glyph.Bounds.left(), place.Top - glyph.Bounds.top());
  if (pressed) at += QPoint(1, 1);
  FillGlyph(canvas, glyph, at, GlyphColor(style, enabled));
}

TRect ProgressFilledRect(const TRect& r, TOrientation orientation, int percent) {
  percent = ClampPercent(percent);
  if (percent >= 100) return r;
  if (orientation == TOrientation::orHorizontal)
    return Rect(r.Left, r.Top, r.Left + RoundDiv(static_cast<long long>(r.Width()) * percent, 100), r.Bottom);
  return Rect(r.Left, r.Bottom - RoundDiv(static_cast<long long>(r.Height()) * percent, 100), r.Right, r.Bottom);
}

void DrawTraditionalBar(TCanvas& canvas, const TRect& r, TOrientation orientation, bool transparent, bool showPercent,
                        int percent, TColor backColor, TColor barColor) {
  if (r.IsEmpty()) return;
  CanvasLook look(canvas);
  percent = ClampPercent(percent);
  const QString text = showPercent ? QStringLiteral("%1%").arg(percent) : QString();
  const TRect filled = ProgressFilledRect(r, orientation, percent);
  // The text goes in twice, each time clipped to one part, so it changes colour where
  // the bar passes under it; filling the parts is what paints the bar.
  BarText(canvas, r, filled, text, backColor, barColor, true);
  BarText(canvas, r, UnfilledRect(r, filled, orientation), text, barColor, backColor, !transparent);
}

void DrawLEDBar(TCanvas& canvas, const TRect& r, TOrientation orientation, bool transparent, bool themed, int percent,
                int segments, TColor backColor, TColor barColor) {
  Q_UNUSED(themed);  // the themed chunks need theme services, which are never active
  const bool horizontal = orientation == TOrientation::orHorizontal;
  const int length = horizontal ? r.Width() : r.Height();
  int n = segments;
  if (n <= 0 || length <= 0) return;
  int s = length / n;
  if (length <= 80 && n >= 11) {
    n = 10;
    s = length / 10;
  }
  if (s <= 0) return;
  const int extra = (length - n * s) / s;
  if (extra >= 1) n += extra;
  const int margin = (length - n * s) / 2;

  CanvasLook look(canvas);
  // The cell of segment i along the bar, as [from, to) in pixels.
  auto cell = [&](int i) {
    if (horizontal) return Rect(r.Left + margin + i * s, r.Top, r.Left + margin + (i + 1) * s, r.Bottom);
    return Rect(r.Left, r.Bottom - margin - (i + 1) * s, r.Right, r.Bottom - margin - i * s);
  };
  if (!transparent) {
    canvas.Brush().SetColor(backColor);
    if (horizontal) {
      canvas.FillRect(Rect(r.Left, r.Top, r.Left + margin, r.Bottom));
      canvas.FillRect(Rect(r.Left + margin + n * s, r.Top, r.Right, r.Bottom));
    } else {
      canvas.FillRect(Rect(r.Left, r.Bottom - margin, r.Right, r.Bottom));
      canvas.FillRect(Rect(r.Left, r.Top, r.Right, r.Bottom - margin - n * s));
    }
  }
  // Blocks share their outline with the next one, leaving a one-pixel gap in the back
  // colour; transparent bars paint only the blocks' insides.
  auto block = [&](int i, TColor color) {
    TRect c = cell(i);
    if (horizontal) ++c.Right;
    else --c.Top;
    canvas.Brush().SetColor(color);
    if (!transparent) {
      canvas.Pen().SetStyle(TPenStyle::psSolid);
      canvas.Pen().SetColor(backColor);
      canvas.Rectangle(c);
    } else {
      canvas.Pen().SetStyle(TPenStyle::psClear);
      canvas.Rectangle(Rect(c.Left + 1, c.Top + 1, c.Right, c.Bottom));
    }
  };
  const int lit = ClampPercent(percent) * n / 100;
  for (int i = 0; i < lit; ++i) block(i, barColor);
  if (!transparent)
    for (int i = lit; i < n; ++i) block(i, backColor);
}

void DrawGradientBar(TCanvas& canvas, const TRect& r, TOrientation orientation, bool transparent, bool showPercent,
                     int percent, TGradientDirection direction, TColor backStart, TColor backStop, TColor barStart,
                     TColor barStop) {
  if (r.IsEmpty()) return;
  CanvasLook look(canvas);
  percent = ClampPercent(percent);
  const TRect filled = ProgressFilledRect(r, orientation, percent);
  const TRect unfilled = UnfilledRect(r, filled, orientation);
  PaintGradient(canvas, filled, direction, barStart, barStop, 1);
  if (!transparent) PaintGradient(canvas, unfilled, direction, backStart, backStop, 1);
  if (!showPercent) return;
  const QString text = QStringLiteral("%1%").arg(percent);
  BarText(canvas, r, filled, text, backStart, barStart, false);
  BarText(canvas, r, unfilled, text, barStart, backStart, false);
}

} // namespace fw
