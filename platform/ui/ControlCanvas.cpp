#include "platform/ui/ControlCanvas.h"

namespace fw {

TControlCanvas::Scope::Scope(TControlCanvas& owner, QPainter* painter, const TFont& font, TColor color)
    : owner_(owner), canvas_(std::make_unique<TCanvas>(painter)), previous_(owner.active_) {
  canvas_->Font().Assign(font);
  canvas_->Brush().SetColor(color);
  owner_.active_ = canvas_.get();
}

TControlCanvas::Scope::~Scope() { owner_.active_ = previous_; }

} // namespace fw
