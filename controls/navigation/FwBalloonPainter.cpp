#include "controls/navigation/FwBalloonPainter.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwGraphics.h"
#include "controls/navigation/FwBalloonBitmaps.h"

#include <cmath>

namespace fw {

namespace {

// The outline of a rounded rectangle (the pixels of r, corners of radius `radius`) as a
// polygon whose edges lie on the outermost pixels, for Polygon to fill and stroke.
std::vector<TPoint> RoundRectPoints(const TRect& r, int radius) {
  const int right = r.Right - 1, bottom = r.Bottom - 1;
  radius = std::min({radius, (right - r.Left) / 2, (bottom - r.Top) / 2});
  std::vector<TPoint> points;
  if (radius <= 0) return {{r.Left, r.Top}, {right, r.Top}, {right, bottom}, {r.Left, bottom}};
  const struct { int cx, cy; double from; } corners[] = {
      {right - radius, r.Top + radius, -M_PI / 2},   // top right
      {right - radius, bottom - radius, 0.0},        // bottom right
      {r.Left + radius, bottom - radius, M_PI / 2},  // bottom left
      {r.Left + radius, r.Top + radius, M_PI},       // top left
  };
  const int steps = std::max(2, radius);
  for (const auto& c : corners)
    for (int i = 0; i <= steps; ++i) {
      const double a = c.from + (M_PI / 2) * i / steps;
      const TPoint p{c.cx + static_cast<int>(std::lround(radius * std::cos(a))),
                     c.cy + static_cast<int>(std::lround(radius * std::sin(a)))};
      if (points.empty() || !(points.back() == p)) points.push_back(p);
    }
  return points;
}

std::vector<TPoint> Offset(std::vector<TPoint> points, int dx, int dy) {
  for (TPoint& p : points) p = {p.X + dx, p.Y + dy};
  return points;
}

void FillShape(TCanvas& canvas, const std::vector<TPoint>& points, TColor line, TColor fill) {
  canvas.Pen().SetColor(line);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(fill);
  canvas.Polygon(points);
}

void PaintRectangle(TCanvas& canvas, const TFwBalloonLook& look, const TRect& body) {
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(look.Color);
  canvas.FillRect(body);
  if (!look.Shadow) {
    DrawSides(canvas, body, look.FrameColor, look.FrameColor, sdAll);
    return;
  }
  // Raised look: a light outer edge with a black shadow side, a shaded one inside it.
  const TRect inner = DrawSides(canvas, body, clBtnHighlight, clBlack, sdAll);
  DrawSides(canvas, inner, look.Color, clBtnShadow, sdAll);
}

void PaintBalloon(TCanvas& canvas, const TFwBalloonLook& look, const TRect& body) {
  const std::vector<TPoint> shape = RoundRectPoints(body, BalloonRadius);
  const std::vector<TPoint> stem = BalloonStemPoints(look);
  if (look.Shadow) {
    FillShape(canvas, Offset(shape, 2, 2), clBtnShadow, clBtnShadow);
    FillShape(canvas, Offset(shape, 1, 1), cl3DDkShadow, cl3DDkShadow);
    if (!stem.empty()) {
      FillShape(canvas, Offset(stem, 2, 2), clBtnShadow, clBtnShadow);
      FillShape(canvas, Offset(stem, 1, 1), cl3DDkShadow, cl3DDkShadow);
    }
  }
  FillShape(canvas, shape, look.FrameColor, look.Color);
  if (stem.empty()) return;
  FillShape(canvas, stem, look.FrameColor, look.Color);
  // The body's outline under the stem's base goes, so stem and body are one shape.
  const TPoint a = stem[0], b = stem[1];
  const int from = std::min(a.X, b.X) + 1, to = std::max(a.X, b.X);
  canvas.Pen().SetColor(look.Color);
  canvas.MoveTo(from, a.Y);
  canvas.LineTo(to, a.Y);
}

} // namespace

TRect BalloonBodyRect(const TFwBalloonLook& look) {
  TRect r = Rect(0, 0, look.Width, look.Height);
  if (look.Balloon) {
    if (IsLowerCorner(look.Corner)) r.Top += BalloonStemLength;
    if (IsUpperCorner(look.Corner)) r.Bottom -= BalloonStemLength;
  }
  if (look.Shadow) {
    r.Right -= 2;
    r.Bottom -= 2;
  }
  return r;
}

std::vector<TPoint> BalloonStemPoints(const TFwBalloonLook& look) {
  if (!look.Balloon || look.Corner == TFwHintCorner::hcNone) return {};
  const TRect body = BalloonBodyRect(look);
  // The stem sits at the end of the body nearest the pointer and runs towards the middle.
  const bool left = IsLeftCorner(look.Corner);
  const int edge = left ? body.Right - 1 - BalloonStemInset : body.Left + BalloonStemInset;
  const int far = left ? edge - BalloonStemLength : edge + BalloonStemLength;
  if (IsLowerCorner(look.Corner))
    return {{edge, body.Top}, {far, body.Top}, {edge, body.Top - BalloonStemLength}};
  return {{edge, body.Bottom - 1}, {far, body.Bottom - 1}, {edge, body.Bottom - 1 + BalloonStemLength}};
}

TRect BalloonTextRect(const TFwBalloonLook& look) {
  TRect r = BalloonBodyRect(look);
  if (look.Balloon) return Rect(r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4);
  const int dx = look.Alignment == TAlignment::taLeftJustify ? 2 : look.Alignment == TAlignment::taRightJustify ? -2 : 0;
  return Rect(r.Left + dx, r.Top + 2, r.Right + dx, r.Bottom + 2);
}

void PaintBalloonHint(TCanvas& canvas, const TFwBalloonLook& look) {
  const TRect body = BalloonBodyRect(look);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetWidth(1);
  if (look.Bitmaps && look.Bitmaps->AnyImage()) {
    const TBitmap& picture = look.Bitmaps->ForCorner(look.Corner);
    StretchTransparentBitmap(canvas, picture, Rect(0, 0, look.Width, look.Height), look.Bitmaps->TransparentColor(),
                             Rect(0, 0, picture.Width(), picture.Height()));
  } else if (look.Balloon) {
    PaintBalloon(canvas, look, body);
  } else {
    PaintRectangle(canvas, look, body);
  }
  if (look.Font) canvas.Font().Assign(*look.Font);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  unsigned flags = DT_WORDBREAK | DT_NOPREFIX;
  if (look.Alignment == TAlignment::taCenter) flags |= DT_CENTER;
  if (look.Alignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
  TRect text = BalloonTextRect(look);
  canvas.DrawText(look.Text, text, flags);
}

} // namespace fw
