#pragma once
// TControlCanvas: the canvas a control paints through. While the control paints, the
// canvas sits on the painter of the paint in progress, starting with the control's font
// and colour; outside painting it is a canvas on nothing, which still measures text in
// its font. TCustomControl and TGraphicControl each keep one.

#include "platform/ui/Canvas.h"

#include <functional>
#include <memory>

class QPainter;
class QPaintEvent;
class QWidget;

namespace fw {

class TControlCanvas {
public:
  TCanvas& Get() { return active_ ? *active_ : idle_; }
  bool Painting() const { return active_ != nullptr; }

  // Runs Paint for a paint event of Widget: a painter without smoothing (pixels are
  // tested), the canvas bound to it with the control's font and colour, and the painter
  // and the asked-for rectangle known while Paint runs.
  void PaintEvent(QWidget& widget, const QPaintEvent& event, const TFont& font, TColor color,
                  const std::function<void()>& paint);
  // The painter of the paint event in progress (nullptr outside one).
  QPainter* ActivePainter() const { return painter_; }
  // The part of the control the paint event in progress asks for.
  TRect PaintRect() const { return paintRect_; }

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
  QPainter* painter_ = nullptr;
  TRect paintRect_;
};

} // namespace fw
