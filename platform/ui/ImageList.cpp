#include "platform/ui/ImageList.h"

#include <QPixmap>

namespace fw {

QImage DisabledImage(const QImage& image) {
  QImage grey = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < grey.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
    for (int x = 0; x < grey.width(); ++x) {
      const QRgb c = line[x];
      // Lightened grey at half the opacity: still the same picture, plainly unavailable.
      const int g = 128 + qGray(c) / 2;
      line[x] = qRgba(g, g, g, qAlpha(c) / 2);
    }
  }
  return grey;
}

TChangeLink::~TChangeLink() { SetSender(nullptr); }

void TChangeLink::SetSender(TImageList* list) {
  if (list == sender_) return;
  if (sender_) sender_->UnRegisterChanges(this);
  if (list) list->RegisterChanges(this);
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
  for (TChangeLink* link : links_) link->sender_ = nullptr;
}

void TImageList::RegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ == this) return;
  if (link->sender_) link->sender_->UnRegisterChanges(link);
  links_.push_back(link);
  link->sender_ = this;
}

void TImageList::UnRegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ != this) return;
  std::erase(links_, link);
  link->sender_ = nullptr;
}

// A new size empties the list: the images no longer fit.
void TImageList::SetWidth(int value) {
  if (value == width_ || value <= 0) return;
  width_ = value;
  images_.clear();
  Changed();
}

void TImageList::SetHeight(int value) {
  if (value == height_ || value <= 0) return;
  height_ = value;
  images_.clear();
  Changed();
}

int TImageList::Add(const QImage& image) {
  QImage img = image.convertToFormat(QImage::Format_ARGB32);
  if (img.width() != width_ || img.height() != height_)
    img = img.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  images_.push_back(img);
  Changed();
  return Count() - 1;
}

int TImageList::AddStrip(const QImage& strip) {
  const int first = Count();
  for (int x = 0; x + width_ <= strip.width(); x += width_)
    images_.push_back(strip.copy(x, 0, width_, height_).convertToFormat(QImage::Format_ARGB32));
  Changed();
  return first;
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  images_.erase(images_.begin() + index);
  Changed();
}

void TImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Changed();
}

QImage TImageList::Image(int index, bool enabled) const {
  return enabled ? Image(index) : DisabledImage(Image(index));
}

QImage TImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return {};
  return images_[static_cast<size_t>(index)];
}

QIcon TImageList::Icon(int index) const {
  if (index < 0 || index >= Count()) return {};
  return QIcon(QPixmap::fromImage(images_[static_cast<size_t>(index)]));
}

void TImageList::Changed() {
  if (OnChange) OnChange(this);
  // A link's handler may move links: tell those registered at the start that still are.
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links)
    if (link->sender_ == this && link->OnChange) link->OnChange();
}

} // namespace fw
