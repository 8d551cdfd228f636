#pragma once
// TFwControlButton: the small arrow or drop-down button of the control library (17 x 21
// by default), with an optional glyph strip and auto-repeat: held down, it clicks again
// InitialDelay ms after the press and then every Delay ms while the pointer stays on it.

#include "controls/common/FwCommon.h"
#include "platform/ui/GraphicControl.h"

#include <memory>

namespace fw {

class TBitmap;
class TTimer;

enum class TFwControlButtonStyle { cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown };

class TFwControlButton : public TGraphicControl {
public:
  explicit TFwControlButton(TComponent* owner);
  ~TFwControlButton() override;

  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  // The glyph is copied; a strip of square cells sets NumGlyphs.
  const TBitmap& Glyph() const { return *glyph_; }
  void SetGlyph(const TBitmap& value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  bool RepeatClicks() const { return repeatClicks_; }
  void SetRepeatClicks(bool value) { repeatClicks_ = value; }
  int InitialDelay() const { return initialDelay_; }
  void SetInitialDelay(int value) { initialDelay_ = value; }
  int Delay() const { return delay_; }
  void SetDelay(int value) { delay_ = value; }
  TFwControlButtonStyle Style() const { return style_; }
  void SetStyle(TFwControlButtonStyle value);

  bool Pressed() const { return pressed_; }
  bool MouseInControl() const { return mouseOver_; }
  // The repeat timer (nullptr until first needed); tests tick it by hand.
  TTimer* RepeatTimer() const { return repeatTimer_.get(); }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

private:
  void RepeatTick();

  bool pressed_ = false;
  bool tracking_ = false;
  bool flat_ = false;
  bool mouseOver_ = false;
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  bool repeatClicks_ = false;
  std::unique_ptr<TTimer> repeatTimer_;
  int initialDelay_ = 400;
  int delay_ = 100;
  TFwControlButtonStyle style_ = TFwControlButtonStyle::cbsNone;
};

} // namespace fw
