#pragma once
// TFwStatusBar: the bottom bar of a window. It hosts status panes, can show one simple
// caption in place of them (SimpleStatus), draws a size grip in its rightmost 13 pixels
// while its form can be resized and is not maximised, and can scale its panes with its
// width (AutoScalePanes). Panes and a progress bar that cover the grip pass it through
// (PassSizeGrip), so the grip sizes the window under the clock pane too.

#include "controls/common/FwCustomPanel.h"

namespace fw {

class TFwStatusBar : public TFwCustomPanel {
public:
  explicit TFwStatusBar(TComponent* owner);

  bool AutoStyle() const { return autoStyle_; }
  void SetAutoStyle(bool value);
  bool AutoScalePanes() const { return autoScalePanes_; }
  void SetAutoScalePanes(bool value);
  bool ShowSizeGrip() const { return showSizeGrip_; }
  void SetShowSizeGrip(bool value);
  bool SimpleStatus() const { return simpleStatus_; }
  void SetSimpleStatus(bool value);
  QString SimpleCaption() const { return simpleCaption_; }
  void SetSimpleCaption(const QString& value);
  TFrameStyle SimpleFrameStyle() const { return simpleFrameStyle_; }
  void SetSimpleFrameStyle(TFrameStyle value);

  void SetBorderInner(TFrameStyleEx value) override;
  void SetBorderOuter(TFrameStyleEx value) override;
  void SetBorderSides(TSides value) override;
  void SetBorderWidth(int value) override;

  TRect ClientRect() const override;
  // The size grip's place, and whether it is shown now (sizeable, not maximised form).
  TRect SizeGripRect() const { return Rect(Width() - 13, 0, Width(), Height()); }
  bool SizeGripVisible() const;
  // Whether a point of a child lies over the grip as children pass it through: within the
  // bar's rightmost 12 pixels while the grip shows.
  bool GripUnder(const TControl& child, TPoint childPoint) const;
  // Starts sizing the form from its bottom-right corner, the pointer pressed at the
  // screen point: the window system's sizing, or the bar's own where the window system
  // offers none (the corner then follows the pointer until the left button comes up).
  void BeginGripSizing(TPoint screenPoint);

protected:
  void Paint() override;
  void GetGradientColors(TColor& start, TColor& stop) const override;
  void Loaded() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void Resize() override;
  virtual void DrawSizeGrip(TCanvas& canvas);

private:
  void PutBackStatusBarLook();
  void TrackGripCursor(TControl& control, bool overGrip);
  friend bool PassSizeGrip(TControl& child, int x, int y, bool press);

  bool autoStyle_ = true;
  bool autoScalePanes_ = false;
  bool showSizeGrip_ = true;
  bool simpleStatus_ = false;
  QString simpleCaption_;
  TFrameStyle simpleFrameStyle_ = TFrameStyle::fsFlat;
  bool settingStyle_ = false;
  int lastWidth_ = -1;
};

// Lets the size grip of the child's status bar work through the child: over the grip
// the cursor is the sizing cursor, and a left press starts sizing the form (then true is
// returned and the press is the grip's). Nothing happens outside a status bar.
bool PassSizeGrip(TControl& child, int x, int y, bool press);

} // namespace fw
