#pragma once
// TTimer: OnTimer every Interval milliseconds while Enabled. Tick() runs one tick at
// once, so tests need not wait for real time.

#include "platform/ui/Component.h"

#include <functional>
#include <memory>

class QTimer;

namespace fw {

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int Interval() const { return interval_; }
  void SetInterval(int ms);

  // One tick as the timer would run it: OnTimer, when enabled.
  void Tick();
  // Whether the underlying timer is running (enabled with an interval above 0).
  bool Running() const;

  std::function<void(TObject*)> OnTimer;

private:
  void UpdateTimer();

  bool enabled_ = true;
  int interval_ = 1000;
  std::unique_ptr<QTimer> timer_;
};

} // namespace fw
