#pragma once
// TProgressBar2LineForm: the two-bar progress window for nested work, an outer bar over
// the parts of the job and an inner bar over the current part. Like the one-bar window
// it keeps the rest of the program from taking input while it is up.

#include "core/Progress.h"
#include "platform/ui/Form.h"

namespace fw {

class TLabel;
class TFwProgressBar;

class TProgressBar2LineForm : public TForm, public ITwoBarProgress {
public:
  explicit TProgressBar2LineForm(TComponent* owner);
  ~TProgressBar2LineForm() override;

  void ShowProgress() override;
  void InitFirst(int total) override;
  void InitSecond(int total) override;
  void IncFirst() override;
  void IncSecond() override;
  void HideProgress() override;

  TLabel* Label1 = nullptr;
  TFwProgressBar* ProgressBar1 = nullptr;
  TLabel* Label2 = nullptr;
  TFwProgressBar* FwProgressBar2 = nullptr;

private:
  void Refresh();
};

// The window the program entry creates at start; the long jobs report through it.
extern TProgressBar2LineForm* ProgressBar2LineForm;

// ProgressBar2LineForm when it exists, else progress that goes nowhere (windows built
// without the program entry, as in tests).
ITwoBarProgress& ProgramTwoBarProgress();

} // namespace fw
