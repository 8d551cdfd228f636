#pragma once
// A progress window stand-in that records every call, for tests of long work.
#include "core/Progress.h"

#include <QStringList>

namespace fwtest {

class RecordingProgress : public fw::IProgress {
public:
  void ShowProgress(const QString& caption) override { Events << "show " + caption; }
  void StartProgress(int total, int position) override { Events << QStringLiteral("start %1 %2").arg(total).arg(position); }
  void StepProgress() override { Events << "step"; }
  void HideProgress() override { Events << "hide"; }
  QStringList Events;
};

} // namespace fwtest
