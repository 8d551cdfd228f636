#include "platform/ui/GraphicControl.h"

#include "platform/ui/WinControl.h"

#include <QPaintEvent>
#include <QPainter>

namespace fw {

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) { setFocusPolicy(Qt::NoFocus); }

void TGraphicControl::SetParent(TWinControl* parent) {
  TControl::SetParent(parent);
  // Beneath every windowed sibling, as a control drawn on its parent's surface, and
  // above the graphic controls placed before it.
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    if (auto* win = dynamic_cast<TWinControl*>(parent->Controls(i))) {
      stackUnder(win);
      return;
    }
  }
  raise();
}

void TGraphicControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TGraphicControl::paintEvent(QPaintEvent* event) {
  canvas_.PaintEvent(*this, *event, Font(), Color(), [this] { Paint(); });
}

} // namespace fw
