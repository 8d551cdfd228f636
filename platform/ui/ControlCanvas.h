#pragma once
// TControlCanvas: the canvas a control paints through. While the control paints, the
// canvas sits on the painter of the paint in progress, starting with the control's font
// and colour; outside painting it is a canvas on nothing, which still measures text in
// its font. TCustomControl and TGraphicControl each keep one.

#include "platform/ui/Canvas.h"

#include <memory>

class QPainter;

namespace fw {

class TControlCanvas {
public:
  TCanvas& Get() { return active_ ? *active_ : idle_; }
  bool Painting() const { return active_ != nullptr; }

  // Binds the canvas to `painter` until the scope ends. Scopes nest: the inner one puts
  // the outer canvas back when it ends.
  class Scope {
  public:
    Scope(TControlCanvas& owner, QPainter* painter, const TFont& font, TColor color);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

  private:
    TControlCanvas& owner_;
    std::unique_ptr<TCanvas> canvas_;
    TCanvas* previous_;
  };

private:
  TCanvas* active_ = nullptr;
  TCanvas idle_;
};

} // namespace fw
