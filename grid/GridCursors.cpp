#include "grid/GridCursors.h"

#include "grid/CustomEasyGrid.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <map>

namespace fw {

namespace {

constexpr int kSize = 32;

struct TPicture {
  QImage Image;
  QPoint HotSpot;
};

QImage Blank() {
  QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Outlined(QPainter& p, const QPolygon& shape) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawPolygon(shape);
}

// A broad white plus with a black outline: the cursor over cells.
TPicture CellCross() {
  QImage image = Blank();
  QPainter p(&image);
  const QPolygon cross({{12, 4}, {19, 4}, {19, 12}, {27, 12}, {27, 19}, {19, 19}, {19, 27},
                        {12, 27}, {12, 19}, {4, 19}, {4, 12}, {12, 12}});
  Outlined(p, cross);
  return {image, {15, 15}};
}

// A magnifying glass; plus or minus in the lens.
TPicture Magnifier(bool plus) {
  QImage image = Blank();
  QPainter p(&image);
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(18, 18, 27, 27);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawEllipse(QPoint(11, 11), 8, 8);
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(7, 11, 15, 11);
  if (plus) p.drawLine(11, 7, 11, 15);
  return {image, {11, 11}};
}

// The arrow, with one box (copying) or two stacked boxes (filling) beside its tip.
TPicture ArrowWithBoxes(int boxes) {
  QImage image = Blank();
  QPainter p(&image);
  const QPolygon arrow({{0, 0}, {0, 17}, {4, 13}, {7, 20}, {10, 19}, {7, 12}, {12, 12}});
  Outlined(p, arrow);
  for (int i = boxes - 1; i >= 0; --i) {
    const QRect box(13 + 4 * i, 16 + 4 * i, 11, 9);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
  }
  // A plus in the front box: the cells are copied, not moved.
  p.drawLine(16, 20, 22, 20);
  p.drawLine(19, 18, 19, 23);
  return {image, {0, 0}};
}

const TPicture* Picture(TCursor cursor) {
  static std::map<TCursor, TPicture> pictures;
  auto it = pictures.find(cursor);
  if (it != pictures.end()) return &it->second;
  TPicture picture;
  switch (cursor) {
  case crEasyGridCell: picture = CellCross(); break;
  case crEasyGridZoomIn: picture = Magnifier(true); break;
  case crEasyGridZoomOut: picture = Magnifier(false); break;
  case crDrag: picture = ArrowWithBoxes(1); break;
  case crMultiDrag: picture = ArrowWithBoxes(2); break;
  default: return nullptr;
  }
  return &pictures.emplace(cursor, picture).first->second;
}

} // namespace

QImage GridCursorImage(TCursor cursor) {
  const TPicture* picture = Picture(cursor);
  return picture ? picture->Image : QImage();
}

QCursor GridCursor(TCursor cursor) {
  if (const TPicture* picture = Picture(cursor))
    return QCursor(QPixmap::fromImage(picture->Image), picture->HotSpot.x(), picture->HotSpot.y());
  return QCursor(CursorShape(cursor));
}

} // namespace fw
