#include "windows/shared/BarImageList.h"

#include "controls/common/FwToolButton.h"
#include "platform/ui/Form.h"
#include "windows/shared/ThemedImages.h"

#include <QColor>

namespace fw {

namespace {

constexpr int kDialogImageSize = 16;

// Every pixel moved towards white (amount > 0) or black (amount < 0) by |amount| percent.
QImage Shaded(const QImage& image, int amount) {
  QImage shaded = image.convertToFormat(QImage::Format_ARGB32);
  const int target = amount > 0 ? 255 : 0;
  const int part = std::abs(amount);
  const auto mix = [&](int c) { return c + (target - c) * part / 100; };
  for (int y = 0; y < shaded.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(shaded.scanLine(y));
    for (int x = 0; x < shaded.width(); ++x)
      line[x] = qRgba(mix(qRed(line[x])), mix(qGreen(line[x])), mix(qBlue(line[x])), qAlpha(line[x]));
  }
  return shaded;
}

QImage InLook(const QImage& image, TBarImageLook look) {
  switch (look) {
    case TBarImageLook::Hot: return Shaded(image, 35);
    case TBarImageLook::Disabled: return DisabledImage(image);
    case TBarImageLook::Down: return Shaded(image, -30);
    case TBarImageLook::Normal: break;
  }
  return image;
}

} // namespace

TBarImageList::TBarImageList(TComponent* owner, int size) : TImageList(owner) {
  PrepareIconTheme();
  SetWidth(size);
  SetHeight(size);
}

int TBarImageList::IndexOf(const QString& icon, TBarImageLook look) {
  const QString key = icon + QLatin1Char('/') + QString::number(int(look));
  if (const auto found = indexes_.constFind(key); found != indexes_.cend()) return *found;
  const QImage image = ThemedImage(icon, int(indexes_.size()), Width());
  const int index = Add(InLook(image, look));
  indexes_.insert(key, index);
  return index;
}

void TBarImageList::Dress(TFwToolButton& button, const QString& icon, unsigned looks) {
  button.SetImages(this);
  button.SetImageIndex(IndexOf(icon, TBarImageLook::Normal));
  if (looks & blkHot) button.SetHotIndex(IndexOf(icon, TBarImageLook::Hot));
  if (looks & blkDisabled) button.SetDisabledIndex(IndexOf(icon, TBarImageLook::Disabled));
  if (looks & blkDown) button.SetDownIndex(sharedDown_ >= 0 ? sharedDown_ : IndexOf(icon, TBarImageLook::Down));
}

int TBarImageList::ShareDownImage(const QString& icon) {
  sharedDown_ = IndexOf(icon, TBarImageLook::Down);
  return sharedDown_;
}

TBarImageList* FormBarImages(TForm& form) {
  const QString name = QStringLiteral("ImageList1");
  if (auto* list = dynamic_cast<TBarImageList*>(form.FindComponent(name))) return list;
  auto* list = new TBarImageList(&form, kDialogImageSize);
  list->SetName(name);
  return list;
}

} // namespace fw
