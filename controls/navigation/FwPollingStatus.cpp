#include "controls/navigation/FwPollingStatus.h"

#include "platform/ui/Timer.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace fw {

namespace {

// The panes and their timer.
struct TFwPollingList {
  std::vector<TFwPollingStatus*> panes;
  std::unique_ptr<TTimer> timer;

  TFwPollingList() : timer(std::make_unique<TTimer>(nullptr)) {
    timer->SetInterval(500);
    timer->SetEnabled(true);
    timer->OnTimer = [this](TObject*) { Tick(); };
  }

  void Tick();
};

std::shared_ptr<TFwPollingList>& List() {
  static std::shared_ptr<TFwPollingList> list;
  return list;
}

void TFwPollingList::Tick() {
  // A handler may free panes, the last one too, which lets go of the list: the tick holds
  // the list until it is over, polls a copy and polls only panes still registered.
  const std::shared_ptr<TFwPollingList> self = List();
  const std::vector<TFwPollingStatus*> snapshot = panes;
  for (TFwPollingStatus* pane : snapshot)
    if (std::find(panes.begin(), panes.end(), pane) != panes.end() && pane->Visible()) pane->Poll();
}

} // namespace

TTimer* FwPollingTimer() { return List() ? List()->timer.get() : nullptr; }
int FwPollingPaneCount() { return List() ? int(List()->panes.size()) : 0; }

TFwPollingStatus::TFwPollingStatus(TComponent* owner) : TFwCustomStatusPane(owner) {
  if (!List()) List() = std::make_shared<TFwPollingList>();
  List()->panes.push_back(this);
}

TFwPollingStatus::~TFwPollingStatus() {
  auto& list = List();
  if (!list) return;
  std::erase(list->panes, this);
  if (list->panes.empty()) list.reset();
}

bool TFwPollingStatus::Active() const { return List() && List()->timer->Enabled(); }
void TFwPollingStatus::SetActive(bool value) {
  if (List()) List()->timer->SetEnabled(value);
}
int TFwPollingStatus::Interval() const { return List() ? List()->timer->Interval() : 500; }
void TFwPollingStatus::SetInterval(int value) {
  if (List()) List()->timer->SetInterval(value);
}

void TFwPollingStatus::Poll() { DoTimerExpired(); }

void TFwPollingStatus::DoTimerExpired() {
  if (OnTimerExpired) OnTimerExpired(this);
}

} // namespace fw
