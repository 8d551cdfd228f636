#include "platform/ui/Image.h"

#include <QImageReader>
#include <QPainter>

namespace fw {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { resize(105, 105); }

void TImage::SetPicture(const QImage& picture) {
  picture_ = picture;
  if (autoSize_ && !picture_.isNull()) SetBounds(Left(), Top(), picture_.width(), picture_.height());
  Invalidate();
}

bool TImage::LoadFromFile(const QString& fileName) {
  QImageReader reader(fileName);
  const QImage image = reader.read();
  SetPicture(image);
  return !image.isNull();
}

void TImage::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  Invalidate();
}

void TImage::SetProportional(bool value) {
  if (value == proportional_) return;
  proportional_ = value;
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  if (autoSize_ && !picture_.isNull()) SetBounds(Left(), Top(), picture_.width(), picture_.height());
}

TRect TImage::DestRect() const {
  int w = picture_.width();
  int h = picture_.height();
  const int cw = Width();
  const int ch = Height();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      // Fit inside, keeping the picture's shape.
      if (static_cast<long long>(cw) * h > static_cast<long long>(ch) * w) {
        w = static_cast<int>(static_cast<long long>(w) * ch / h);
        h = ch;
      } else {
        h = static_cast<int>(static_cast<long long>(h) * cw / w);
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Bounds(0, 0, w, h);
  if (center_) r = Bounds((cw - w) / 2, (ch - h) / 2, w, h);
  return r;
}

void TImage::Paint() {
  QPainter* painter = ActivePainter();
  if (painter && !picture_.isNull()) painter->drawImage(DestRect().ToQt(), picture_);
  TGraphicControl::Paint();
}

} // namespace fw
