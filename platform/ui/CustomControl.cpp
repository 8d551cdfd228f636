#include "platform/ui/CustomControl.h"

#include <QPaintEvent>
#include <QPainter>

namespace fw {

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomControl::paintEvent(QPaintEvent* event) {
  canvas_.PaintEvent(*this, *event, Font(), Color(), [this] { Paint(); });
}

} // namespace fw
