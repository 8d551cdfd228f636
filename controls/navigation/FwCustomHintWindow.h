#pragma once
// TFwCustomHintWindow: the window that shows a hint as a rounded balloon with a stem
// pointing at the pointer (or, without the balloon look, as a framed rectangle),
// optionally with a soft shadow. It is a top-level tool-tip window that never takes the
// focus. Its shape is cut to the painted pixels, so the stem and the rounded corners let
// what lies beneath show through.
//
// The balloon component (TFwBalloonHints) links itself to its window and hands over its
// settings; the window reads ShowBalloon, Shadow, the pictures and the sizing events
// through that link. Without a link the window draws plain rectangles.

#include "controls/navigation/FwHintTypes.h"
#include "platform/ui/CustomControl.h"

#include <QImage>
#include <QPointer>

namespace fw {

class TFwBalloonHints;
class TFwBalloonBitmaps;

class TFwCustomHintWindow : public TCustomControl {
public:
  // Narrowest window, so that a very short hint still has room for the stem.
  static constexpr int MinWidth = 55;

  explicit TFwCustomHintWindow(TComponent* owner);
  ~TFwCustomHintWindow() override;

  // Takes over the component's settings and keeps a link to it (nullptr unlinks).
  void LinkBalloonHints(TFwBalloonHints* balloon);
  TFwBalloonHints* BalloonHints() const { return balloon_; }

  int CaptionWidth() const { return captionWidth_; }
  void SetCaptionWidth(int value);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TFwHintCorner Corner() const { return corner_; }
  void SetCorner(TFwHintCorner value);
  // The corner of the hint on show: Corner, unless the screen's edge made it flip.
  TFwHintCorner CornerInEffect() const { return cornerInEffect_; }
  void SetBitmaps(TFwBalloonBitmaps* bitmaps);
  // Repaints (and reshapes) a hint on show after a setting changed.
  void SettingsChanged();

  // The show-hint handler: takes the linked component's colour and caption width, then
  // lets the component's OnShowHint adjust or refuse the hint; keeps what it decided.
  void DoShowHint(QString& hintStr, bool& canShow, THintInfo& hintInfo);
  // The text rectangle of a hint at the origin: the text wrapped at maxWidth, 6 pixels
  // wider and 2 higher.
  TRect CalcHintRect(int maxWidth, const QString& hint);
  // Shows the hint; `rect` is the text rectangle placed where a hint without a stem
  // would go. The balloon's stem points at the pointer position of the hint.
  void ActivateHint(TRect rect, const QString& hint);
  // Hides the hint.
  void ReleaseHint();
  bool HintActive() const { return active_; }
  // The pointer position, in screen coordinates, that the hint was shown for.
  TPoint AnchorPos() const { return anchor_; }

  // The balloon as painted, shape outside left transparent (for the screen and tests).
  QImage RenderImage();

protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;

  // Pointer over the hint: moving more than 2 pixels from where the hint was shown
  // cancels it; moves and clicks go on to the hint's control.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  bool BalloonLook() const;
  bool ShadowOn() const;
  void DoSetHintRect(TCanvas& canvas, TRect& rect, const QString& hint);
  void DoSetHintWinSize(TCanvas& canvas, int& width, int& height, const QString& hint);
  void MeasureToText();
  void FitOnScreen(const TRect& rect, int w, int h, int& x, int& y);
  void PassOn(QMouseEvent& event);
  void UpdateShape();

  TFwBalloonHints* balloon_ = nullptr;
  TFwBalloonBitmaps* bitmaps_ = nullptr;
  int captionWidth_ = 100;
  TColor frameColor_ = clInfoText;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TFwHintCorner corner_ = TFwHintCorner::hcUpperRight;
  TFwHintCorner cornerInEffect_ = TFwHintCorner::hcUpperRight;
  THintInfo hintInfo_;
  QPointer<QWidget> hintControl_;
  bool active_ = false;
  TRect lastRect_;
  TPoint anchor_;
  QImage image_;
};

} // namespace fw
