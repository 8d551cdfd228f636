#include "windows/shared/ProgressParts.h"

#include "controls/navigation/FwAnimator.h"
#include "platform/ui/ImageList.h"

#include <QImage>
#include <QPainter>
#include <cmath>

namespace fw {

namespace {
constexpr int kTicksBeforeTimes = 51;
constexpr int kTicksPerSecond = 10;
} // namespace

namespace {

void AddBusyFrames(TImageList& images) {
  constexpr int kSize = 32, kDots = 8;
  images.SetWidth(kSize);
  images.SetHeight(kSize);
  for (int frame = 0; frame < kDots; ++frame) {
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    for (int dot = 0; dot < kDots; ++dot) {
      const double angle = dot * 2 * M_PI / kDots;
      const int x = int(std::lround(kSize / 2 + 11 * std::cos(angle))) - 3;
      const int y = int(std::lround(kSize / 2 + 11 * std::sin(angle))) - 3;
      p.setBrush(dot == frame ? QColor(10, 36, 106) : QColor(166, 180, 210));
      p.drawRect(x, y, 6, 6);
    }
    images.Add(image);
  }
}

} // namespace

TFwAnimator* AddBusyAnimator(TComponent* owner, TWinControl* parent, int left, int top) {
  auto* animator = new TFwAnimator(owner);
  animator->SetParent(parent);
  animator->SetBounds(left, top, 32, 32);
  animator->SetDelay(200);
  animator->SetTransparent(true);
  auto* frames = new TImageList(owner);
  AddBusyFrames(*frames);
  animator->SetImageList(frames);
  return animator;
}

TProgressTexts ProgressTexts(int ticks, int done, int total, int& estimate) {
  const int left = total - done;
  if (ticks < kTicksBeforeTimes || done <= 0)
    return {QStringLiteral("已完成 %1").arg(done), QStringLiteral("待完成 %1").arg(left)};
  // Rounded up: a part begun is a part to wait for.
  estimate = int((qint64(ticks) * left + done - 1) / done);
  return {QStringLiteral("已完成 %1 用时%2秒").arg(done).arg(ticks / kTicksPerSecond),
          QStringLiteral("待完成 %1 尚需%2秒").arg(left).arg((estimate + kTicksPerSecond - 1) / kTicksPerSecond)};
}

} // namespace fw
