#pragma once
// TProgressBarForm: the one-bar progress window. StartProgress shows the counts done and
// to do; after five seconds (ticks of 100 ms) the labels add the seconds used and a
// linear estimate of the seconds left. While the window is up the rest of the program
// takes no input, so no second job can start under a running one.

#include "core/Progress.h"
#include "platform/ui/Form.h"

namespace fw {

class TLabel;
class TTimer;
class TFwProgressBar;
class TFwAnimator;

class TProgressBarForm : public TForm, public IProgress {
public:
  explicit TProgressBarForm(TComponent* owner);
  ~TProgressBarForm() override;

  void ShowProgress(const QString& caption) override;
  void StartProgress(int total, int position) override;
  void StepProgress() override;
  void HideProgress() override;
  int Percent() const override;

  // One tick of Timer1 (every 100 ms while a run is going).
  void TimerTick();
  int Ticks() const { return ticks_; }
  int Estimate() const { return estimate_; }

  TLabel* Label1 = nullptr;
  TFwProgressBar* FwProgressBar1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TFwAnimator* FwAnimator1 = nullptr;
  TTimer* Timer1 = nullptr;

protected:
  void DoHide() override;

private:
  void ShowCounts();

  int ticks_ = 0;
  int estimate_ = -1;
};

// The window the program entry creates at start; the long jobs report through it.
extern TProgressBarForm* ProgressBarForm;

// ProgressBarForm when it exists, else progress that goes nowhere (windows built
// without the program entry, as in tests).
IProgress& ProgramProgress();

} // namespace fw
