#pragma once
// TGraphicControl: a control without a window of its own on the original desktop
// (labels, images, status panes). Here it is a widget that never takes the focus and
// stays beneath its windowed siblings.

#include "platform/ui/Control.h"
#include "platform/ui/ControlCanvas.h"

class QPainter;

namespace fw {

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);

  void SetParent(TWinControl* parent) override;

  // The canvas of the paint in progress (on its painter, with the control's font and
  // colour); outside painting a canvas on nothing that still measures text.
  TCanvas& Canvas() { return canvas_.Get(); }

  TNotifyEvent OnPaint;

protected:
  // Draws the control; the default raises OnPaint.
  virtual void Paint();
  // The painter of the paint event in progress (nullptr outside Paint); Canvas() draws on it.
  QPainter* ActivePainter() const { return canvas_.ActivePainter(); }
  TRect PaintRect() const { return canvas_.PaintRect(); }

  void paintEvent(QPaintEvent* event) override;

private:
  TControlCanvas canvas_;
};

} // namespace fw
