#pragma once
// TFwTabScroller: the pair of arrows a single-row tab strip shows when its tabs do not
// fit. Holding a half down repeats its click (first after 400 ms, then every 100 ms)
// while the pointer stays inside it; releasing inside clicks once more.

#include "controls/common/FwCommon.h"
#include "platform/ui/CustomControl.h"

#include <functional>

namespace fw {

class TTimer;

class TFwTabScroller : public TCustomControl {
public:
  explicit TFwTabScroller(TComponent* owner);

  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation value);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  // Whether each arrow can still move the strip; a blocked arrow is drawn disabled.
  void SetArrowsEnabled(bool downLeft, bool upRight);
  bool DownLeftEnabled() const { return downLeftEnabled_; }
  bool UpRightEnabled() const { return upRightEnabled_; }
  // Fill colours (gradient from start to stop when gradients are used).
  void SetColors(TColor start, TColor stop, bool gradient);
  TTimer* RepeatTimer() const { return repeatTimer_; }
  // The two halves in client coordinates: left or bottom, right or top.
  TRect DownLeftRect() const;
  TRect UpRightRect() const;

  TNotifyEvent OnUpRightClick;
  TNotifyEvent OnDownLeftClick;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  enum class THalf { None, DownLeft, UpRight };
  THalf HalfAt(int x, int y) const;
  void FireClick(THalf half);
  void RepeatTick();
  void PaintHalf(TCanvas& canvas, THalf half);

  TOrientation orientation_ = TOrientation::orHorizontal;
  TColor frameColor_ = clBtnShadow;
  TColor start_ = clBtnFace;
  TColor stop_ = clWindow;
  bool gradient_ = true;
  bool downLeftEnabled_ = true;
  bool upRightEnabled_ = true;
  THalf pressed_ = THalf::None;
  bool pointerInside_ = false;
  TTimer* repeatTimer_ = nullptr;
};

} // namespace fw
