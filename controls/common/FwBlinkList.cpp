#include "controls/common/FwBlinkList.h"

#include "platform/shell/Hooks.h"

#include <algorithm>

namespace fw {

namespace {
std::unique_ptr<TFwBlinkingControlsList>& GlobalList() {
  static std::unique_ptr<TFwBlinkingControlsList> list;
  return list;
}
} // namespace

IFwBlinkClient::~IFwBlinkClient() {
  RemoveBlinkingControl(this);
  ReleaseBlinkingList();
}

TFwBlinkingControlsList::TFwBlinkingControlsList() {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(onInterval_);
  QObject::connect(&timer_, &QTimer::timeout, [this] { TimerFired(); });
  nextFlip_ = Now().addMSecs(onInterval_);
  timer_.start();
}

TFwBlinkingControlsList::~TFwBlinkingControlsList() { timer_.stop(); }

void TFwBlinkingControlsList::Add(IFwBlinkClient* control) {
  if (control && !Contains(control)) controls_.push_back(control);
}

void TFwBlinkingControlsList::Remove(IFwBlinkClient* control) {
  const auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it != controls_.end()) controls_.erase(it);
}

bool TFwBlinkingControlsList::Contains(const IFwBlinkClient* control) const {
  return std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

void TFwBlinkingControlsList::TimerFired() {
  const qint64 remaining = Now().msecsTo(nextFlip_);
  if (remaining > 0) {
    // Woken early (timers are not exact): wait for the rest of the phase only.
    timer_.start(int(remaining));
    return;
  }
  Tick();
}

void TFwBlinkingControlsList::Tick() {
  phaseOn_ = !phaseOn_;
  const int interval = phaseOn_ ? onInterval_ : offInterval_;
  nextFlip_ = Now().addMSecs(interval);
  timer_.start(interval);
  ticking_ = true;
  // A copy: a control may leave the list, or be destroyed, when told the phase.
  const std::vector<IFwBlinkClient*> snapshot = controls_;
  for (IFwBlinkClient* control : snapshot)
    if (Contains(control) && control->BlinkQuery() && Contains(control)) control->BlinkPhaseChanged(phaseOn_);
  ticking_ = false;
}

TFwBlinkingControlsList* BlinkingList() { return GlobalList().get(); }

void AddBlinkingControl(IFwBlinkClient* control) {
  if (!GlobalList()) GlobalList() = std::make_unique<TFwBlinkingControlsList>();
  GlobalList()->Add(control);
}

void RemoveBlinkingControl(IFwBlinkClient* control) {
  if (GlobalList()) GlobalList()->Remove(control);
}

void ReleaseBlinkingList() {
  // Never while the list is telling its controls the phase: it would free itself.
  if (GlobalList() && GlobalList()->Count() == 0 && !GlobalList()->Ticking()) GlobalList().reset();
}

} // namespace fw
