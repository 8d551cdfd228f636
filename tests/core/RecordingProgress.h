#pragma once
// A progress window stand-in that records every call, for tests of long work.
#include "core/Progress.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace fwtest {

class RecordingProgress : public fw::IProgress {
public:
  void ShowProgress(const QString& caption) override { Events << "show " + caption; }
  void StartProgress(int total, int position) override {
    Events << QStringLiteral("start %1 %2").arg(total).arg(position);
    BarPercent = total > 0 ? int(std::nearbyint(100.0 * std::clamp(position, 0, total) / total)) : 0;
  }
  void StepProgress() override { Events << "step"; }
  void HideProgress() override { Events << "hide"; }
  int Percent() const override { return BarPercent; }
  QStringList Events;
  // The bar's percent: until a run starts, what the window's last job left.
  int BarPercent = 0;
};

} // namespace fwtest
