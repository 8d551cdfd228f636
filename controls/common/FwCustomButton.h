#pragma once
// TFwCustomButton: the windowed, focusable, self-painted button base of the control
// library. It owns the press-and-release protocol (a click completes only when the left
// button is released over the control), hot tracking, focus and enable handling, an
// optional transparent background and the caption drawing with vertical alignment and
// 3-D text styles. Descendants paint themselves and say what a completed click does.

#include "controls/common/FwCommon.h"
#include "platform/ui/CustomControl.h"

namespace fw {

class TFwCustomButton : public TCustomControl {
public:
  explicit TFwCustomButton(TComponent* owner);

  TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
  virtual void SetAlignmentVertical(TAlignmentVertical value);
  TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(TColor value);
  TFwHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  void SetHotTrackColorType(TFwHotTrackColorType value);
  bool HotTrack() const { return hotTrack_; }
  virtual void SetHotTrack(bool value);
  TColor HighlightColor() const { return highlightColor_; }
  virtual void SetHighlightColor(TColor value);
  bool LightTextStyle() const { return lightTextStyle_; }
  virtual void SetLightTextStyle(bool value);
  TTextStyle TextStyle() const { return textStyle_; }
  virtual void SetTextStyle(TTextStyle value);
  TColor TextHighlightColor() const { return textHighlightColor_; }
  virtual void SetTextHighlightColor(TColor value);
  TColor TextShadowColor() const { return textShadowColor_; }
  virtual void SetTextShadowColor(TColor value);
  int TextShadowDepth() const { return textShadowDepth_; }
  virtual void SetTextShadowDepth(int value);
  // Hot repaints also while desktop themes are active (they never are here).
  bool ThemeHotTrack() const { return themeHotTrack_; }
  virtual void SetThemeHotTrack(bool value);
  // Transparent: the background is left unpainted, so the parent shows through.
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);

  // The transient states: the pointer is over the control; the left button went down on
  // it (tracking) and the pointer is inside (pressed).
  bool MouseInControl() const { return mouseOver_; }
  bool Tracking() const { return tracking_; }
  bool Pressed() const { return pressed_; }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void Click() override;

protected:
  // Repaints what shows the hot and pressed states; nothing here, descendants repaint.
  virtual void RepaintDisplay() {}
  // The part of the control that shows the hot state.
  virtual TRect GetHotRect() const { return ClientRect(); }
  // Draws the caption into rect with the DT_* flags, placed vertically by
  // AlignmentVertical and styled by TextStyle (engraved while disabled). Returns the
  // rectangle the text took (its measured width and height at its place).
  virtual TRect DrawCaption(TCanvas& canvas, TRect rect, unsigned flags);
  // What a completed click does: here the click event.
  virtual void ButtonClick();

  // Marks the control pressed or not and repaints the display when that changed.
  void SetPressed(bool value);

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();
  void EnabledChanged() override;
  // Fills the background with Color unless Transparent.
  void PaintBackground(TCanvas& canvas);

  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  void InvalidateHot();
  void DrawCaptionCopy(TCanvas& canvas, const QString& text, TRect rect, int dx, int dy, TColor color,
                       unsigned flags);

  TAlignmentVertical alignmentVertical_ = TAlignmentVertical::avCenter;
  TColor hotTrackColor_ = 0x149BF0;
  TFwHotTrackColorType hotTrackColorType_ = TFwHotTrackColorType::htctActual;
  TColor highlightColor_ = clHighlight;
  bool lightTextStyle_ = false;
  TTextStyle textStyle_ = TTextStyle::tsNormal;
  TColor textHighlightColor_ = clBtnHighlight;
  TColor textShadowColor_ = clBtnShadow;
  int textShadowDepth_ = 2;
  bool tracking_ = false;
  bool hotTrack_ = false;
  bool mouseOver_ = false;
  bool pressed_ = false;
  bool transparent_ = false;
  bool themeHotTrack_ = true;
  // The layer clicks on every release inside after a press; here the completed-click
  // action decides, so that click is swallowed.
  bool swallowLayerClick_ = false;
};

} // namespace fw
