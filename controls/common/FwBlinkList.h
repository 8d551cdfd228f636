#pragma once
// The blinking list: every blinking control of the program flips on one shared timer,
// so controls that blink together stay in step. Each tick flips the phase (on 500 ms,
// off 500 ms), asks each control in turn whether it still wants to blink (the query
// notice, 46056) and tells those that do the new phase (the phase notice, 46057).
//
// The timer only wakes the list; whether a flip is due is read from the clock hook, so
// tests drive the list by setting the clock and calling TimerFired(), or flip it
// directly with Tick(), without real waiting.

#include <QDateTime>
#include <QTimer>
#include <memory>
#include <vector>

namespace fw {

// Private notices of blinking controls; delivered as the virtual calls below.
constexpr int FW_BLINK_QUERY = 46056;  // answered by BlinkQuery()
constexpr int FW_BLINK_PHASE = 46057;  // delivered as BlinkPhaseChanged(on)

class IFwBlinkClient {
public:
  // A control destroyed while in the list leaves it.
  virtual ~IFwBlinkClient();
  // True while the control wants to blink.
  virtual bool BlinkQuery() = 0;
  // The new phase: true on, false off.
  virtual void BlinkPhaseChanged(bool on) = 0;

protected:
  IFwBlinkClient() = default;
};

class TFwBlinkingControlsList {
public:
  TFwBlinkingControlsList();
  ~TFwBlinkingControlsList();

  void Add(IFwBlinkClient* control);
  void Remove(IFwBlinkClient* control);
  bool Contains(const IFwBlinkClient* control) const;
  int Count() const { return int(controls_.size()); }

  bool PhaseOn() const { return phaseOn_; }
  int OnInterval() const { return onInterval_; }
  int OffInterval() const { return offInterval_; }
  void SetOnInterval(int ms) { onInterval_ = ms; }
  void SetOffInterval(int ms) { offInterval_ = ms; }

  // The timer event: flips when the clock says the current phase is over, otherwise
  // waits for the rest of it.
  void TimerFired();
  // Flips the phase now and tells the controls.
  void Tick();
  bool Ticking() const { return ticking_; }
  const QTimer& Timer() const { return timer_; }

private:
  std::vector<IFwBlinkClient*> controls_;
  QTimer timer_;
  QDateTime nextFlip_;
  bool phaseOn_ = true;
  bool ticking_ = false;
  int onInterval_ = 500;
  int offInterval_ = 500;
};

// The one list of the program: nullptr until the first control is added.
TFwBlinkingControlsList* BlinkingList();
void AddBlinkingControl(IFwBlinkClient* control);
void RemoveBlinkingControl(IFwBlinkClient* control);
// Frees the list when no control is left in it.
void ReleaseBlinkingList();

} // namespace fw
