#include "controls/navigation/FwSplitCursors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <array>

namespace fw {

namespace {

constexpr int kSize = 32;
constexpr int kMiddle = kSize / 2;

// The cursor for a vertical bar (arrows left and right), drawn black with a white rim so
// that it shows on any face; turned a quarter for a horizontal bar.
QPixmap DrawCursor(bool vertical, bool hotSpot) {
  QImage image(kSize, kSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  if (vertical) {
    p.translate(kMiddle, kMiddle);
    p.rotate(90);
    p.translate(-kMiddle, -kMiddle);
  }
  const QPolygon left{{kMiddle - 5, kMiddle - 4}, {kMiddle - 9, kMiddle}, {kMiddle - 5, kMiddle + 4}};
  const QPolygon right{{kMiddle + 4, kMiddle - 4}, {kMiddle + 8, kMiddle}, {kMiddle + 4, kMiddle + 4}};
  // The rim first, one pixel round every part, then the black parts over it.
  for (const bool rim : {true, false}) {
    const QColor ink = rim ? Qt::white : Qt::black;
    const int grow = rim ? 1 : 0;
    p.setPen(rim ? QPen(ink, 3) : QPen(ink, 1));
    p.setBrush(ink);
    p.drawPolygon(left);
    p.drawPolygon(right);
    // The arrows' shafts, outside the bar.
    p.fillRect(kMiddle - 6 - grow, kMiddle - grow, 4 + 2 * grow, 1 + 2 * grow, ink);
    p.fillRect(kMiddle + 2 - grow, kMiddle - grow, 4 + 2 * grow, 1 + 2 * grow, ink);
    // The bar: two lines, with the hot spot filled between them.
    p.fillRect(kMiddle - 2 - grow, kMiddle - 8 - grow, 1 + 2 * grow, 17 + 2 * grow, ink);
    p.fillRect(kMiddle + 1 - grow, kMiddle - 8 - grow, 1 + 2 * grow, 17 + 2 * grow, ink);
    if (hotSpot) p.fillRect(kMiddle - 2 - grow, kMiddle - 4 - grow, 4 + 2 * grow, 9 + 2 * grow, ink);
  }
  p.end();
  return QPixmap::fromImage(image);
}

} // namespace

const QCursor& SplitCursor(TFwSplitCursor which) {
  // Made on first use and never freed: a cursor outlives every window that shows it, and
  // a picture must not be released after the application has gone.
  static std::array<QCursor*, 4> cursors{};
  QCursor*& cursor = cursors[size_t(which)];
  if (!cursor) {
    const bool vertical = which == TFwSplitCursor::VertSplit || which == TFwSplitCursor::VertHotSpot;
    const bool hotSpot = which == TFwSplitCursor::HorzHotSpot || which == TFwSplitCursor::VertHotSpot;
    cursor = new QCursor(DrawCursor(vertical, hotSpot), kMiddle, kMiddle);
  }
  return *cursor;
}

} // namespace fw
