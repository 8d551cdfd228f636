#include "platform/ui/Timer.h"

#include <QTimer>

namespace fw {

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), timer_(std::make_unique<QTimer>()) {
  QObject::connect(timer_.get(), &QTimer::timeout, [this] { Tick(); });
  UpdateTimer();
}

TTimer::~TTimer() {
  // The timer may be freed from its own tick (the handler frees the owner), while Qt is
  // still inside the QTimer's event: let Qt delete it once that is over.
  timer_->stop();
  QObject::disconnect(timer_.get(), nullptr, nullptr, nullptr);
  timer_.release()->deleteLater();
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  UpdateTimer();
}

void TTimer::Tick() {
  if (!enabled_ || !OnTimer) return;
  // The handler may free the timer (or its owner): run a copy of it.
  auto handler = OnTimer;
  handler(this);
}

bool TTimer::Running() const { return timer_->isActive(); }

void TTimer::UpdateTimer() {
  timer_->stop();
  if (enabled_ && interval_ > 0) {
    timer_->setInterval(interval_);
    timer_->start();
  }
}

} // namespace fw
