#include "platform/ui/Canvas.h"

#include "platform/ui/Bitmap.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cstdlib>

namespace fw {

namespace {

// Dash patterns of the desktop's 1-pixel pens, in pixels on / off.
std::vector<int> DashPattern(TPenStyle style) {
  switch (style) {
  case TPenStyle::psDash: return {18, 6};
  case TPenStyle::psDot: return {3, 3};
  case TPenStyle::psDashDot: return {9, 6, 3, 6};
  case TPenStyle::psDashDotDot: return {9, 3, 3, 3, 3, 3};
  default: return {};
  }
}

bool DashOn(const std::vector<int>& pattern, int pos) {
  if (pattern.empty()) return true;
  int period = 0;
  for (int n : pattern) period += n;
  pos %= period;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pos < pattern[i]) return i % 2 == 0;
    pos -= pattern[i];
  }
  return true;
}

Qt::BrushStyle ToQtBrushStyle(TBrushStyle style) {
  switch (style) {
  case TBrushStyle::bsSolid: return Qt::SolidPattern;
  case TBrushStyle::bsClear: return Qt::NoBrush;
  case TBrushStyle::bsHorizontal: return Qt::HorPattern;
  case TBrushStyle::bsVertical: return Qt::VerPattern;
  case TBrushStyle::bsFDiagonal: return Qt::FDiagPattern;
  case TBrushStyle::bsBDiagonal: return Qt::BDiagPattern;
  case TBrushStyle::bsCross: return Qt::CrossPattern;
  case TBrushStyle::bsDiagCross: return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

// Integer ceiling of num / den for den > 0.
int CeilDiv(long long num, long long den) {
  long long q = num / den;
  if (num % den != 0 && num > 0) ++q;
  return static_cast<int>(q);
}

// Text with the "&" accelerator marks taken out: "&&" gives "&", "&x" gives x, which is
// then underlined (the first one only).
struct PrefixedText {
  QString Text;
  int Underline = -1;
};

PrefixedText ProcessPrefix(const QString& text) {
  PrefixedText out;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&' && out.Underline < 0) out.Underline = int(out.Text.size());
    }
    out.Text += text[i];
  }
  return out;
}

// Shortens a path by replacing the middle with "..." so that the last part (after the
// final separator) stays readable.
QString ElidePath(const QFontMetrics& fm, const QString& text, int width) {
  if (fm.horizontalAdvance(text) <= width) return text;
  const int sep = std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u'/'));
  if (sep < 0) return fm.elidedText(text, Qt::ElideRight, width);
  const QString tail = text.mid(sep);
  QString head = text.left(sep);
  while (!head.isEmpty()) {
    head.chop(1);
    const QString candidate = head + QStringLiteral("...") + tail;
    if (fm.horizontalAdvance(candidate) <= width) return candidate;
  }
  return fm.elidedText(QStringLiteral("...") + tail, Qt::ElideRight, width);
}

QImage WithTransparentColor(const QImage& source, TColor transparent) {
  QImage out = source.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQColor(transparent).rgb() & 0x00FFFFFFu;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((line[x] & 0x00FFFFFFu) == key) line[x] = 0;
  }
  return out;
}

} // namespace

TCanvas::TCanvas() = default;

TCanvas::TCanvas(QPaintDevice* device) : device_(device) {}

TCanvas::TCanvas(QPainter* painter) : device_(painter ? painter->device() : nullptr), painter_(painter) {
  if (painter_) {
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  }
}

TCanvas::~TCanvas() { Flush(); }

void TCanvas::Attach(QPaintDevice* device) {
  Flush();
  device_ = device;
}

void TCanvas::Flush() {
  if (owned_ && owned_->isActive()) owned_->end();
  if (owned_) painter_ = nullptr;
}

QPainter* TCanvas::Painter() { return Begin(); }

QPainter* TCanvas::Begin() {
  if (painter_ && painter_->isActive()) return painter_;
  if (!device_) return nullptr;
  if (device_->width() <= 0 || device_->height() <= 0) return nullptr;
  if (!owned_) owned_ = std::make_unique<QPainter>();
  if (!owned_->begin(device_)) return nullptr;
  painter_ = owned_.get();
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, false);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  ApplyClip();
  return painter_;
}

QRect TCanvas::DeviceRect() const {
  return device_ ? QRect(0, 0, device_->width(), device_->height()) : QRect();
}

int TCanvas::DeviceWidth() const { return device_ ? device_->width() : 0; }
int TCanvas::DeviceHeight() const { return device_ ? device_->height() : 0; }

const QImage* TCanvas::Image() const {
  if (device_ && device_->devType() == QInternal::Image) return static_cast<const QImage*>(device_);
  return nullptr;
}

void TCanvas::ApplyMode(QPainter& p, TPenMode mode) const {
  switch (mode) {
  case TPenMode::pmNot: p.setCompositionMode(QPainter::RasterOp_NotDestination); break;
  case TPenMode::pmXor: p.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
  case TPenMode::pmNotCopy: p.setCompositionMode(QPainter::RasterOp_NotSource); break;
  default: p.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
  }
}

// One solid run in the pen's mode.
void TCanvas::FillSpan(QPainter& p, const QRect& r, const QColor& color) {
  if (r.isEmpty()) return;
  p.fillRect(r, color);
}

void TCanvas::FillWithBrush(QPainter& p, const QRect& r) {
  if (r.isEmpty() || brush_.Style() == TBrushStyle::bsClear) return;
  ApplyMode(p, pen_.Mode());
  p.fillRect(r, QBrush(ToQColor(brush_.Color()), ToQtBrushStyle(brush_.Style())));
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---- rectangles -------------------------------------------------------------

void TCanvas::FillRect(const TRect& r) {
  QPainter* p = Begin();
  if (!p || r.IsEmpty()) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (brush_.Style() == TBrushStyle::bsClear) return;
  p->fillRect(r.ToQt(), QBrush(ToQColor(brush_.Color()), ToQtBrushStyle(brush_.Style())));
}

void TCanvas::FrameRect(const TRect& r) {
  QPainter* p = Begin();
  if (!p || r.IsEmpty()) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  const QColor c = ToQColor(brush_.Color());
  p->fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
  p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
  p->fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
  p->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TCanvas::Rectangle(const TRect& r) {
  QPainter* p = Begin();
  if (!p || pen_.Mode() == TPenMode::pmNop) return;
  if (pen_.Style() == TPenStyle::psClear) {
    // Without an outline the desktop fills one pixel less on the right and bottom.
    FillWithBrush(*p, QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    return;
  }
  const int w = std::max(1, pen_.Width());
  FillWithBrush(*p, QRect(r.Left + w, r.Top + w, r.Width() - 2 * w, r.Height() - 2 * w));
  if (w == 1) {
    int dash = 0;
    StrokeLine(*p, {r.Left, r.Top}, {r.Right - 1, r.Top}, dash);
    StrokeLine(*p, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, dash);
    StrokeLine(*p, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}, dash);
    StrokeLine(*p, {r.Left, r.Bottom - 1}, {r.Left, r.Top}, dash);
    return;
  }
  ApplyMode(*p, pen_.Mode());
  const QColor c = ToQColor(pen_.Color());
  p->fillRect(QRect(r.Left, r.Top, r.Width(), w), c);
  p->fillRect(QRect(r.Left, r.Bottom - w, r.Width(), w), c);
  p->fillRect(QRect(r.Left, r.Top + w, w, r.Height() - 2 * w), c);
  p->fillRect(QRect(r.Right - w, r.Top + w, w, r.Height() - 2 * w), c);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---- lines and polygons -----------------------------------------------------

// Draws the pixels from a towards b, b excluded (Bresenham). dashPos carries the dash
// pattern from one segment to the next.
void TCanvas::StrokeLine(QPainter& p, TPoint a, TPoint b, int& dashPos) {
  if (pen_.Style() == TPenStyle::psClear || pen_.Mode() == TPenMode::pmNop) return;
  QColor color = ToQColor(pen_.Color());
  if (pen_.Mode() == TPenMode::pmBlack) color = Qt::black;
  if (pen_.Mode() == TPenMode::pmWhite) color = Qt::white;
  ApplyMode(p, pen_.Mode());
  if (pen_.Width() > 1) {
    QPen qpen(color, pen_.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(qpen);
    p.drawLine(a.ToQt(), b.ToQt());
    p.setPen(Qt::NoPen);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }
  const std::vector<int> pattern = DashPattern(pen_.Style());
  const int dx = std::abs(b.X - a.X), dy = std::abs(b.Y - a.Y);
  if (pattern.empty() && (dx == 0 || dy == 0)) {
    // Straight lines in one run.
    const QRect run = dy == 0 ? QRect(std::min(a.X, b.X + (b.X < a.X ? 1 : 0)), a.Y, dx, 1)
                              : QRect(a.X, std::min(a.Y, b.Y + (b.Y < a.Y ? 1 : 0)), 1, dy);
    FillSpan(p, run, color);
  } else {
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    int err = dx - dy, x = a.X, y = a.Y;
    while (x != b.X || y != b.Y) {
      if (DashOn(pattern, dashPos++)) FillSpan(p, QRect(x, y, 1, 1), color);
      const int e2 = 2 * err;
      if (e2 > -dy) { err -= dy; x += sx; }
      if (e2 < dx) { err += dx; y += sy; }
    }
  }
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::LineTo(int x, int y) {
  QPainter* p = Begin();
  const TPoint to{x, y};
  if (p) {
    int dash = 0;
    StrokeLine(*p, penPos_, to, dash);
  }
  penPos_ = to;
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  QPainter* p = Begin();
  if (!p || points.size() < 2) return;
  int dash = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) StrokeLine(*p, points[i], points[i + 1], dash);
}

// Scan conversion with the desktop's rule: a pixel is filled when its top-left corner
// lies inside the polygon (alternate filling), left and top edges included.
void TCanvas::FillPolygon(QPainter& p, const std::vector<TPoint>& points) {
  int minY = points[0].Y, maxY = points[0].Y;
  for (const TPoint& pt : points) {
    minY = std::min(minY, pt.Y);
    maxY = std::max(maxY, pt.Y);
  }
  ApplyMode(p, pen_.Mode());
  const QBrush brush(ToQColor(brush_.Color()), ToQtBrushStyle(brush_.Style()));
  std::vector<int> xs;
  for (int y = minY; y < maxY; ++y) {
    xs.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
      TPoint a = points[i], b = points[(i + 1) % points.size()];
      if (a.Y == b.Y) continue;
      if (a.Y > b.Y) std::swap(a, b);
      if (y < a.Y || y >= b.Y) continue;
      // x = a.X + (y - a.Y) * (b.X - a.X) / (b.Y - a.Y), rounded up.
      const long long den = b.Y - a.Y;
      const long long num = static_cast<long long>(a.X) * den + static_cast<long long>(y - a.Y) * (b.X - a.X);
      xs.push_back(CeilDiv(num, den));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
      if (xs[i + 1] > xs[i]) p.fillRect(QRect(xs[i], y, xs[i + 1] - xs[i], 1), brush);
  }
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  QPainter* p = Begin();
  if (!p || points.size() < 2) return;
  if (brush_.Style() != TBrushStyle::bsClear && points.size() >= 3) FillPolygon(*p, points);
  int dash = 0;
  for (std::size_t i = 0; i < points.size(); ++i) StrokeLine(*p, points[i], points[(i + 1) % points.size()], dash);
}

// ---- pixels -------------------------------------------------------------------

TColor TCanvas::Pixel(int x, int y) const {
  const QImage* image = Image();
  if (!image || !image->rect().contains(x, y)) return clNone;
  const QRgb rgb = image->pixel(x, y);
  return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  QPainter* p = Begin();
  if (!p) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

// ---- text ---------------------------------------------------------------------

int TCanvas::TextWidth(const QString& text) const { return QFontMetrics(font_.ToQFont()).horizontalAdvance(text); }

int TCanvas::TextHeight(const QString& text) const {
  Q_UNUSED(text);
  return QFontMetrics(font_.ToQFont()).height();
}

void TCanvas::DrawTextLine(QPainter& p, const QRect& r, int qtFlags, const QString& text, bool opaque) {
  if (opaque) p.fillRect(r, ToQColor(brush_.Color()));
  p.setPen(ToQColor(font_.Color()));
  p.drawText(r, qtFlags, text);
  p.setPen(Qt::NoPen);
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  QPainter* p = Begin();
  const int w = TextWidth(text);
  if (p) {
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setFont(font_.ToQFont());
    DrawTextLine(*p, QRect(x, y, w, TextHeight(text)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text,
                 brush_.Style() == TBrushStyle::bsSolid);
  }
  penPos_ = {x + w, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text, TAlignment alignment) {
  QPainter* p = Begin();
  if (!p) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (brush_.Style() != TBrushStyle::bsClear) p->fillRect(r.ToQt(), ToQColor(brush_.Color()));
  const int w = TextWidth(text);
  int left = x;
  if (alignment == TAlignment::taCenter) left = x - w / 2;
  if (alignment == TAlignment::taRightJustify) left = x - w;
  p->save();
  p->setClipRect(r.ToQt(), Qt::IntersectClip);
  p->setFont(font_.ToQFont());
  DrawTextLine(*p, QRect(left, y, w, TextHeight(text)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text,
               false);
  p->restore();
}

int TCanvas::DrawText(const QString& text, TRect& r, unsigned flags) {
  const QFont qfont = font_.ToQFont();
  const QFontMetrics fm(qfont);
  const int lineHeight = fm.height();

  QString source = text;
  source.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (flags & DT_EXPANDTABS) source.replace(u'\t', QStringLiteral("        "));
  PrefixedText prefixed = (flags & DT_NOPREFIX) ? PrefixedText{source, -1} : ProcessPrefix(source);
  if (flags & DT_SINGLELINE) prefixed.Text.replace(u'\n', u' ');

  // Break into lines: at line feeds, and at word boundaries when word-breaking.
  struct Line {
    QString Text;
    int Start = 0;
  };
  std::vector<Line> lines;
  if (!prefixed.Text.isEmpty()) {
    int start = 0;
    const QStringList paragraphs = prefixed.Text.split(u'\n');
    for (const QString& paragraph : paragraphs) {
      if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE) && !paragraph.isEmpty()) {
        QTextLayout layout(paragraph, qfont);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine tl = layout.createLine(); tl.isValid(); tl = layout.createLine()) {
          tl.setLineWidth(std::max(1, r.Width()));
          QString part = paragraph.mid(tl.textStart(), tl.textLength());
          while (part.endsWith(u' ')) part.chop(1);
          lines.push_back({part, start + tl.textStart()});
        }
        layout.endLayout();
      } else {
        lines.push_back({paragraph, start});
      }
      start += int(paragraph.size()) + 1;
    }
  }

  // Ellipses apply to lines that are not word-broken.
  const bool elide = (flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) && !(flags & DT_CALCRECT);
  if (elide && !(flags & DT_WORDBREAK)) {
    for (Line& line : lines) {
      const QString before = line.Text;
      line.Text = (flags & DT_PATH_ELLIPSIS) ? ElidePath(fm, line.Text, r.Width())
                                             : fm.elidedText(line.Text, Qt::ElideRight, r.Width());
      if (line.Text != before) prefixed.Underline = -1;
    }
  }

  int widest = 0;
  for (const Line& line : lines) widest = std::max(widest, fm.horizontalAdvance(line.Text));
  const int height = int(lines.size()) * lineHeight;

  if (flags & DT_CALCRECT) {
    r.Right = r.Left + widest;
    r.Bottom = r.Top + height;
    return height;
  }
  QPainter* p = Begin();
  if (!p) return height;

  int top = r.Top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER) top = r.Top + (r.Height() - height) / 2;
    else if (flags & DT_BOTTOM) top = r.Bottom - height;
  }
  p->save();
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (!(flags & DT_NOCLIP)) p->setClipRect(r.ToQt(), Qt::IntersectClip);
  p->setFont(qfont);
  const bool opaque = brush_.Style() == TBrushStyle::bsSolid;
  for (const Line& line : lines) {
    const int w = fm.horizontalAdvance(line.Text);
    int left = r.Left;
    if (flags & DT_CENTER) left = r.Left + (r.Width() - w) / 2;
    else if (flags & DT_RIGHT) left = r.Right - w;
    DrawTextLine(*p, QRect(left, top, w, lineHeight), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line.Text,
                 opaque);
    const int u = prefixed.Underline - line.Start;
    if (prefixed.Underline >= 0 && u >= 0 && u < line.Text.size()) {
      const int ux = left + fm.horizontalAdvance(line.Text.left(u));
      const int uw = fm.horizontalAdvance(line.Text.mid(u, 1));
      p->fillRect(QRect(ux, top + fm.ascent() + std::max(1, fm.underlinePos()), uw, std::max(1, fm.lineWidth())),
                  ToQColor(font_.Color()));
    }
    top += lineHeight;
  }
  p->restore();
  return height;
}

// ---- clipping -------------------------------------------------------------------

void TCanvas::ApplyClip() {
  if (!painter_ || !painter_->isActive()) return;
  if (clip_) painter_->setClipRegion(*clip_);
  else painter_->setClipping(false);
}

void TCanvas::IntersectClipRect(const TRect& r) {
  const QRegion rect(r.IsEmpty() ? QRect() : r.ToQt());
  clip_ = clip_ ? clip_->intersected(rect) : rect;
  ApplyClip();
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  const QRegion base = clip_ ? *clip_ : QRegion(DeviceRect());
  clip_ = r.IsEmpty() ? base : base.subtracted(QRegion(r.ToQt()));
  ApplyClip();
}

void TCanvas::SelectClipRect(const TRect& r) { SelectClipRegion(QRegion(r.IsEmpty() ? QRect() : r.ToQt())); }

void TCanvas::SelectClipRegion(const QRegion& region) {
  clip_ = region;
  ApplyClip();
}

void TCanvas::ClearClip() {
  clip_.reset();
  ApplyClip();
}

QRegion TCanvas::ClipRegion() const { return clip_ ? *clip_ : QRegion(DeviceRect()); }

TRect TCanvas::ClipRect() const { return TRect::FromQt(ClipRegion().boundingRect()); }

int TCanvas::SaveDC() {
  saved_.push_back({clip_, penPos_});
  return int(saved_.size());
}

bool TCanvas::RestoreDC(int level) {
  const int target = level < 0 ? int(saved_.size()) + level + 1 : level;
  if (target < 1 || target > int(saved_.size())) return false;
  const SavedState state = saved_[std::size_t(target - 1)];
  saved_.resize(std::size_t(target - 1));
  clip_ = state.clip;
  penPos_ = state.penPos;
  ApplyClip();
  return true;
}

// ---- bitmaps --------------------------------------------------------------------

void TCanvas::DrawImage(int x, int y, const QImage& image) {
  QPainter* p = Begin();
  if (!p || image.isNull()) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(QPoint(x, y), image);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  if (bitmap.Transparent()) DrawImage(x, y, WithTransparentColor(bitmap.Image(), bitmap.TransparentColor()));
  else DrawImage(x, y, bitmap.Image());
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
  QPainter* p = Begin();
  if (!p || bitmap.Empty() || dest.IsEmpty()) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (bitmap.Transparent()) p->drawImage(dest.ToQt(), WithTransparentColor(bitmap.Image(), bitmap.TransparentColor()));
  else p->drawImage(dest.ToQt(), bitmap.Image());
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  const QImage* image = source.Image();
  if (!image || dest.IsEmpty() || sourceRect.IsEmpty()) return;
  // A copy first: the source may be this very canvas.
  const QImage part = image->copy(sourceRect.ToQt());
  QPainter* p = Begin();
  if (!p) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(dest.ToQt(), part);
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& source, TColor transparent) {
  if (bitmap.Empty() || dest.IsEmpty() || source.IsEmpty()) return;
  QImage part = bitmap.Image().copy(source.ToQt()).convertToFormat(QImage::Format_RGB32);
  const QRgb key = ToQColor(transparent).rgb() & 0x00FFFFFFu;
  const QRgb fill = ToQColor(brush_.Color()).rgb() | 0xFF000000u;
  for (int y = 0; y < part.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
    for (int x = 0; x < part.width(); ++x)
      if ((line[x] & 0x00FFFFFFu) == key) line[x] = fill;
  }
  QPainter* p = Begin();
  if (!p) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(dest.ToQt(), part);
}

} // namespace fw
