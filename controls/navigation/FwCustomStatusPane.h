#pragma once
// TFwCustomStatusPane: a light text pane for a TFwStatusBar. It shows its caption in a
// frame, can size itself to the caption and can blink on the program's shared blinking
// list. TFwStatusPane is the plain pane; the polling panes derive from it.

#include "controls/common/FwBlinkList.h"
#include "controls/common/FwCommon.h"
#include "controls/common/FwFrameController.h"
#include "platform/ui/GraphicControl.h"

namespace fw {

class TCanvas;
class TFwStatusBar;

class TFwCustomStatusPane : public TGraphicControl, public IFwBlinkClient, public IFwFrameClient {
public:
  explicit TFwCustomStatusPane(TComponent* owner);
  ~TFwCustomStatusPane() override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // The pane shows the application's hints: without an OnHint handler of the
  // application, a new hint becomes the caption of an AutoHint pane of the active window
  // (or of the main window).
  bool AutoHint() const { return autoHint_; }
  void SetAutoHint(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Blinking() const { return blinking_; }
  void SetBlinking(bool value);
  TColor BlinkColor() const { return blinkColor_; }
  void SetBlinkColor(TColor value);
  // The intervals belong to the shared blinking list and so act on every blinking pane.
  int BlinkIntervalOff() const;
  void SetBlinkIntervalOff(int value);
  int BlinkIntervalOn() const;
  void SetBlinkIntervalOn(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  int CaptionOffset() const { return captionOffset_; }
  void SetCaptionOffset(int value);
  int DefaultWidth() const { return defaultWidth_; }
  void SetDefaultWidth(int value);
  TColor FillColor() const { return fillColor_; }
  void SetFillColor(TColor value);
  bool ParentFillColor() const { return parentFillColor_; }
  void SetParentFillColor(bool value);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(int value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TFwFrameControllerNotifications FrameControllerNotifications() const override { return notifications_; }
  void SetFrameControllerNotifications(TFwFrameControllerNotifications value) { notifications_ = value; }

  // The colour the caption is drawn in now (the blink phase decides).
  TColor CaptionColor() const { return captionColor_; }
  // The rectangle the caption is placed in.
  virtual TRect TextRect() const;

  bool BlinkQuery() override { return blinking_; }
  void BlinkPhaseChanged(bool on) override;
  bool UpdateFromFrameController(const TFwFrameController& controller) override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  void Paint() override;
  virtual void DrawPaneFrame(TCanvas& canvas);
  virtual void DrawCaption(TCanvas& canvas, const QString& caption);
  virtual int TextWidth() const;
  void AdjustSize();
  TFwStatusBar* StatusBar() const;
  // Whether the pane's right edge reaches the size-grip end of its status bar.
  bool AtSizeGripEnd() const;

  void Loaded() override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void ParentColorChanged() override;
  void MouseEnter() override;
  void MouseLeave() override;
  // A pane at the size-grip end of its status bar lets the grip work through it.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

private:
  bool TakeHint(const QString& hint);

  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool autoHint_ = false;
  bool autoSize_ = false;
  bool blinking_ = false;
  TColor blinkColor_ = clHighlight;
  int borderWidth_ = 1;
  int captionOffset_ = 2;
  int defaultWidth_ = 40;
  TColor fillColor_ = clWindow;
  bool parentFillColor_ = true;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TFrameStyle frameStyle_ = TFrameStyle::fsFlat;
  bool transparent_ = true;
  TFwFrameControllerNotifications notifications_ = fcnAll;
  TColor savedFontColor_ = clWindowText;
  TColor captionColor_ = clWindowText;
};

class TFwStatusPane : public TFwCustomStatusPane {
public:
  using TFwCustomStatusPane::TFwCustomStatusPane;
};

} // namespace fw
