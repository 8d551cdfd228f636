#include "platform/ui/Bitmap.h"

#include <QPainter>

namespace fw {

TBitmap::TBitmap() { canvas_.Attach(&image_); }

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() { canvas_.Flush(); }

void TBitmap::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == Width() && height == Height() && !image_.isNull()) return;
  canvas_.Flush();
  QImage resized(width, height, QImage::Format_RGB32);
  resized.fill(ToQColor(canvas_.Brush().Color()));
  if (!image_.isNull() && width > 0 && height > 0) {
    QPainter p(&resized);
    p.drawImage(QPoint(0, 0), image_);
  }
  image_ = resized;
  canvas_.Attach(&image_);
}

const QImage& TBitmap::Image() const {
  canvas_.Flush();
  return image_;
}

void TBitmap::Assign(const TBitmap& other) {
  if (&other == this) return;
  Assign(other.Image());
  transparent_ = other.transparent_;
  mode_ = other.mode_;
  transparentColor_ = other.transparentColor_;
}

void TBitmap::Assign(const QImage& image) {
  canvas_.Flush();
  image_ = image.convertToFormat(QImage::Format_RGB32);
  canvas_.Attach(&image_);
}

TColor TBitmap::TransparentColor() const {
  if (mode_ == TTransparentMode::tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (Empty()) return clDefault;
  const QRgb rgb = Image().pixel(0, Height() - 1);
  return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  mode_ = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
}

bool TBitmap::LoadFromFile(const QString& path) {
  QImage loaded;
  if (!loaded.load(path)) return false;
  Assign(loaded);
  return true;
}

bool TBitmap::SaveToFile(const QString& path) const { return Image().save(path); }

} // namespace fw
