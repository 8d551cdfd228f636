#include "platform/ui/ControlCanvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace fw {

TControlCanvas::Scope::Scope(TControlCanvas& owner, QPainter* painter, const TFont& font, TColor color)
    : owner_(owner), canvas_(std::make_unique<TCanvas>(painter)), previous_(owner.active_) {
  canvas_->Font().Assign(font);
  canvas_->Brush().SetColor(color);
  owner_.active_ = canvas_.get();
}

TControlCanvas::Scope::~Scope() { owner_.active_ = previous_; }

void TControlCanvas::PaintEvent(QWidget& widget, const QPaintEvent& event, const TFont& font, TColor color,
                                const std::function<void()>& paint) {
  QPainter painter(&widget);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(widget.font());
  QPainter* previousPainter = painter_;
  const TRect previousRect = paintRect_;
  painter_ = &painter;
  paintRect_ = TRect::FromQt(event.rect());
  {
    Scope scope(*this, &painter, font, color);
    paint();
  }
  painter_ = previousPainter;
  paintRect_ = previousRect;
}

} // namespace fw
