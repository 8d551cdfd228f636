#pragma once
// TCustomControl: a windowed control that paints itself. Paint() runs from Qt's paint
// event with the painter of that event active.

#include "platform/ui/ControlCanvas.h"
#include "platform/ui/WinControl.h"

class QPainter;

namespace fw {

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner);

  // The canvas of the paint in progress (on its painter, with the control's font and
  // colour); outside painting a canvas on nothing that still measures text.
  TCanvas& Canvas() { return canvas_.Get(); }

  TNotifyEvent OnPaint;

protected:
  // Draws the control; the default raises OnPaint.
  virtual void Paint();
  // The painter of the paint event in progress (nullptr outside Paint); Canvas() draws on it.
  QPainter* ActivePainter() const { return canvas_.ActivePainter(); }
  // Binds Canvas() to another painter for a while: controls that paint parts of
  // themselves through inner widgets (a grid's cells) open one around that painting.
  TControlCanvas& CanvasHolder() { return canvas_; }
  // The part of the control the paint event asks for.
  TRect PaintRect() const { return canvas_.PaintRect(); }

  void paintEvent(QPaintEvent* event) override;

private:
  TControlCanvas canvas_;
};

} // namespace fw
