#pragma once
// TFwBalloonHints: while it lives, every hint of the program shows as a balloon in its
// hint window (TFwCustomHintWindow) instead of a plain tool tip. It waits HintPause
// milliseconds with the pointer resting on a control that has a hint (HintShortPause when
// the pointer moves on from a control whose hint was showing), shows the hint's short
// part, and hides it after the application's HintHidePause, on a click or key, or when
// the pointer leaves. Both waits run on TTimers, so tests tick them.
//
// Several components may live at once; the one made last is in charge until it goes.

#include "controls/navigation/FwBalloonBitmaps.h"
#include "controls/navigation/FwHintTypes.h"
#include "platform/ui/Graphics.h"

#include <QPoint>
#include <QPointer>
#include <memory>

class QWidget;

namespace fw {

class TFwCustomHintWindow;
class TTimer;

class TFwBalloonHints : public TComponent {
public:
  explicit TFwBalloonHints(TComponent* owner);
  ~TFwBalloonHints() override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TFwBalloonBitmaps& Bitmaps() { return bitmaps_; }
  int CaptionWidth() const { return captionWidth_; }
  void SetCaptionWidth(int value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  TFwHintCorner Corner() const { return corner_; }
  void SetCorner(TFwHintCorner value);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value) { font_.Assign(value); }
  int HintPause() const { return hintPause_; }
  void SetHintPause(int value) { hintPause_ = value; }
  int HintShortPause() const { return hintShortPause_; }
  void SetHintShortPause(int value) { hintShortPause_ = value; }
  bool Shadow() const { return shadow_; }
  void SetShadow(bool value);
  bool ShowBalloon() const { return showBalloon_; }
  void SetShowBalloon(bool value);

  TFwSetHintWinSizeEvent OnSetHintWinSize;
  TFwSetHintRectEvent OnSetHintRect;
  TShowHintEvent OnShowHint;

  // The hint window (nullptr only if something freed it).
  TFwCustomHintWindow* HintWindow() const { return window_; }
  // Whether this component shows the program's hints now (the last one made does).
  bool InCharge() const;
  // The wait before a hint shows and the wait before it goes (tests tick them).
  TTimer& ShowTimer() const { return *showTimer_; }
  TTimer& HideTimer() const { return *hideTimer_; }
  // Hides the hint on show and forgets the control it belonged to.
  void CancelHint();

  // Called by the hint window when it is freed.
  void WindowGone(TFwCustomHintWindow* window);

private:
  class Tracker;
  friend class Tracker;

  void PointerAt(QWidget* widget, QPoint global);
  void PointerLeft(QWidget* widget);
  void Interrupted();
  void ShowNow();
  void HideNow();
  bool HintShowing() const;
  void StartTimer(TTimer& timer, int ms);

  TAlignment alignment_ = TAlignment::taLeftJustify;
  TFwBalloonBitmaps bitmaps_;
  int captionWidth_ = 100;
  TColor color_ = clInfoBk;
  TColor frameColor_ = clBlack;
  TFwHintCorner corner_ = TFwHintCorner::hcUpperRight;
  TFont font_;
  int hintPause_ = 500;
  int hintShortPause_ = 0;
  bool shadow_ = false;
  bool showBalloon_ = true;

  TFwCustomHintWindow* window_ = nullptr;
  TTimer* showTimer_ = nullptr;
  TTimer* hideTimer_ = nullptr;
  std::unique_ptr<Tracker> tracker_;
  // The control whose hint the pointer rests on, its hint, and where the pointer is.
  QPointer<QWidget> control_;
  QPointer<QWidget> carrier_;  // the widget that carries the hint (control_ or one inside it)
  QString text_;
  QPoint pointer_;
  int hideTimeout_ = 0;
  // The pointer left a control while its hint showed: the next hint comes after the short pause.
  bool shortPauseNext_ = false;
};

} // namespace fw
