#pragma once
// TFwPollingStatus: a status pane re-evaluated on every tick of one timer that all
// polling panes share (500 ms by default). Active and Interval act on that one timer,
// so they change every polling pane at once. The list of panes and its timer live from
// the first polling pane to the last.

#include "controls/navigation/FwCustomStatusPane.h"

namespace fw {

class TTimer;

class TFwPollingStatus : public TFwCustomStatusPane {
public:
  explicit TFwPollingStatus(TComponent* owner);
  ~TFwPollingStatus() override;

  bool Active() const;
  void SetActive(bool value);
  int Interval() const;
  void SetInterval(int value);

  // One poll: what a tick does for this pane.
  virtual void Poll();

  TNotifyEvent OnTimerExpired;

protected:
  virtual void DoTimerExpired();
};

// The shared timer (nullptr while no polling pane exists); tests tick it by hand.
TTimer* FwPollingTimer();
// The number of registered polling panes.
int FwPollingPaneCount();

} // namespace fw
