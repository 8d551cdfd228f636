#pragma once
// TFwRapidFireButton: a speed button that keeps clicking while it is held down: the first
// repeated click comes InitialDelay ms after the press, then one every Delay ms until the
// release. The group bar's scroll buttons are such buttons, with an arrow (ScrollStyle).

#include "controls/common/FwCommon.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/Timer.h"

#include <algorithm>

namespace fw {

class TFwRapidFireButton : public TSpeedButton {
public:
  explicit TFwRapidFireButton(TComponent* owner);

  int InitialDelay() const { return initialDelay_; }
  void SetInitialDelay(int ms) { initialDelay_ = std::clamp(ms, 0, 0xFFFF); }
  int Delay() const { return delay_; }
  void SetDelay(int ms) { delay_ = std::clamp(ms, 0, 0xFFFF); }
  TFwScrollStyle ScrollStyle() const { return scrollStyle_; }
  void SetScrollStyle(TFwScrollStyle value);

  // The repeat timer: created on the first press, owned by the button (tests tick it).
  TTimer* RepeatTimer() const { return timer_; }

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  void TimerExpired();

  int initialDelay_ = 400;
  int delay_ = 100;
  TFwScrollStyle scrollStyle_ = TFwScrollStyle::scsNone;
  bool repeat_ = true;
  bool focusRect_ = false;
  TTimer* timer_ = nullptr;
};

} // namespace fw
