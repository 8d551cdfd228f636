#pragma once
// TCustomControl: a windowed control that paints itself. Paint() runs from Qt's paint
// event with the painter of that event active.

#include "platform/ui/WinControl.h"

class QPainter;

namespace fw {

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner);

  TNotifyEvent OnPaint;

protected:
  // Draws the control; the default raises OnPaint.
  virtual void Paint();
  // The painter of the paint event in progress (nullptr outside Paint).
  // TCanvas hook: the control's Canvas is to be bound to this painter around Paint().
  QPainter* ActivePainter() const { return activePainter_; }
  // The part of the control the paint event asks for.
  TRect PaintRect() const { return paintRect_; }

  void paintEvent(QPaintEvent* event) override;

private:
  QPainter* activePainter_ = nullptr;
  TRect paintRect_;
};

} // namespace fw
