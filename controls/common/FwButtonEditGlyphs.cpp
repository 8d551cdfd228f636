#include "controls/common/FwButtonEditGlyphs.h"

#include "platform/ui/Types.h"

#include <QPainter>
#include <array>
#include <memory>

namespace fw {

namespace {

QColor ToQColor(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// Draws one 10 x 10 cell of a kind at x offset `left` in `ink`.
void DrawCell(QPainter& p, TButtonKind kind, int left, const QColor& ink) {
  p.setPen(ink);
  p.setBrush(Qt::NoBrush);
  p.translate(left, 0);
  switch (kind) {
  case TButtonKind::bkLookup:  // three dots
    for (int x : {1, 4, 7}) p.fillRect(x, 6, 2, 2, ink);
    break;
  case TButtonKind::bkCalendar:  // a sheet with a heading bar and a grid of days
    p.drawRect(1, 1, 7, 7);
    p.fillRect(1, 1, 8, 2, ink);
    for (int x : {3, 5, 7})
      for (int y : {4, 6}) p.drawPoint(x, y);
    break;
  case TButtonKind::bkAccept:  // a tick
    p.drawLine(1, 5, 3, 7);
    p.drawLine(1, 6, 3, 8);
    p.drawLine(3, 7, 8, 2);
    p.drawLine(3, 8, 8, 3);
    break;
  case TButtonKind::bkReject:  // a cross
    p.drawLine(2, 2, 7, 7);
    p.drawLine(3, 2, 8, 7);
    p.drawLine(7, 2, 2, 7);
    p.drawLine(8, 2, 3, 7);
    break;
  case TButtonKind::bkFolder:  // a folder with its tab
    p.drawRect(0, 3, 8, 5);
    p.drawLine(1, 2, 3, 2);
    break;
  case TButtonKind::bkFind:
  case TButtonKind::bkSearch:  // a magnifier
    p.drawRect(1, 1, 4, 4);
    p.drawLine(5, 5, 8, 8);
    p.drawLine(6, 5, 8, 7);
    if (kind == TButtonKind::bkSearch) p.drawPoint(3, 3);
    break;
  default: break;
  }
  p.translate(-left, 0);
}

std::unique_ptr<TBitmap> MakeStrip(TButtonKind kind) {
  QImage image(20, 10, QImage::Format_RGB32);
  image.fill(ToQColor(clBtnFace));
  if (kind != TButtonKind::bkCustom && kind != TButtonKind::bkDropDown) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    DrawCell(p, kind, 0, ToQColor(clBtnText));
    DrawCell(p, kind, 10, ToQColor(clBtnShadow));
  }
  auto bitmap = std::make_unique<TBitmap>();
  if (kind != TButtonKind::bkCustom && kind != TButtonKind::bkDropDown) bitmap->Assign(image);
  return bitmap;
}

} // namespace

const TBitmap& StockButtonGlyph(TButtonKind kind) {
  static std::array<std::unique_ptr<TBitmap>, 9> strips;
  auto& slot = strips.at(size_t(kind));
  if (!slot) slot = MakeStrip(kind);
  return *slot;
}

} // namespace fw
