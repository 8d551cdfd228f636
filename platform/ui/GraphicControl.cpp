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
  QPainter painter(this);
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
