#include "platform/ui/CustomControl.h"

#include <QPaintEvent>
#include <QPainter>

namespace fw {

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomControl::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // Pixels are tested, so nothing is smoothed.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font());
  activePainter_ = &painter;
  paintRect_ = TRect::FromQt(event->rect());
  TControlCanvas::Scope scope(canvas_, &painter, Font(), Color());
  Paint();
  activePainter_ = nullptr;
}

} // namespace fw
