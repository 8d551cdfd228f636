#pragma once
// TFwTabButton: the small square button a tab strip shows at its end (the close button
// and the tab-list button derive from it). It is pressed by the left button, shows
// pressed while the pointer stays inside, and clicks when released inside. Its face is a
// gradient (or a fill) in the strip's tab colours inside a frame; descendants draw the
// glyph and say what a click does.

#include "controls/common/FwCommon.h"
#include "platform/ui/CustomControl.h"

namespace fw {

class TFwCustomTabControl;

class TFwTabButton : public TCustomControl {
public:
  TFwTabButton(TFwCustomTabControl& tabControl, TComponent* owner);

  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  // Face colours (a gradient from start to stop when gradients are used).
  void SetColors(TColor start, TColor stop, bool gradient);
  // The left button went down on the button and the pointer is inside it.
  bool Pressed() const { return pressed_ && inside_; }

protected:
  TFwCustomTabControl& TabControl() const { return tabControl_; }
  // What a completed click does.
  virtual void ButtonClick() = 0;
  // Draws the glyph into the face r.
  virtual void DrawGlyph(TCanvas& canvas, const TRect& r) = 0;

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  TFwCustomTabControl& tabControl_;
  TColor frameColor_ = clBtnShadow;
  TColor start_ = clBtnFace;
  TColor stop_ = clWindow;
  bool gradient_ = true;
  bool pressed_ = false;
  bool inside_ = false;
};

} // namespace fw
