#pragma once
// TGraphicControl: a control without a window of its own on the original desktop
// (labels, images, status panes). Here it is a widget that never takes the focus and
// stays beneath its windowed siblings.

#include "platform/ui/Control.h"

class QPainter;

namespace fw {

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);

  void SetParent(TWinControl* parent) override;

  TNotifyEvent OnPaint;

protected:
  // Draws the control; the default raises OnPaint.
  virtual void Paint();
  // The painter of the paint event in progress (nullptr outside Paint).
  // TCanvas hook: the control's Canvas is to be bound to this painter around Paint().
  QPainter* ActivePainter() const { return activePainter_; }
  TRect PaintRect() const { return paintRect_; }

  void paintEvent(QPaintEvent* event) override;

private:
  QPainter* activePainter_ = nullptr;
  TRect paintRect_;
};

} // namespace fw
