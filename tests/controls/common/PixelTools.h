#pragma once
// Small helpers for reading painted pixels in the control library's tests.
#include "platform/ui/Types.h"

#include <QImage>
#include <cstdlib>

namespace fwtest {

inline QImage Blank(int w, int h, QColor fill = Qt::white) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

inline fw::TColor At(const QImage& image, int x, int y) {
  const QRgb c = image.pixel(x, y);
  return fw::RGB(qRed(c), qGreen(c), qBlue(c));
}

// Largest channel difference between two colours.
inline int Distance(fw::TColor a, fw::TColor b) {
  a = fw::ColorToRGB(a);
  b = fw::ColorToRGB(b);
  return std::max({std::abs(fw::GetRValue(a) - fw::GetRValue(b)), std::abs(fw::GetGValue(a) - fw::GetGValue(b)),
                   std::abs(fw::GetBValue(a) - fw::GetBValue(b))});
}

// Bounding box of the pixels that differ from the background colour.
inline QRect Inked(const QImage& image, fw::TColor background = fw::clWhite) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (At(image, x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

inline int Count(const QImage& image, fw::TColor color, QRect area = QRect()) {
  if (area.isNull()) area = image.rect();
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += At(image, x, y) == color;
  return n;
}

} // namespace fwtest
