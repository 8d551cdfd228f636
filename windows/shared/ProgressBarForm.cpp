#include "windows/shared/ProgressBarForm.h"

#include "controls/navigation/FwAnimator.h"
#include "controls/navigation/FwProgressBar.h"
#include "platform/ui/Application.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"
#include "windows/shared/ProgressParts.h"

namespace fw {

TProgressBarForm* ProgressBarForm = nullptr;

TProgressBarForm::TProgressBarForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetBorderIcons(0);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(463);
  SetClientHeight(78);
  // The rest of the program takes no input while a job runs.
  setWindowModality(Qt::ApplicationModal);

  Label1 = new TLabel(this);
  Label1->SetParent(this);
  Label1->SetBounds(56, 10, 0, 0);
  Label1->SetCaption(QStringLiteral("正在处理："));

  FwProgressBar1 = new TFwProgressBar(this);
  FwProgressBar1->SetParent(this);
  FwProgressBar1->SetBounds(56, 28, 395, 20);
  FwProgressBar1->SetNumSegments(100);
  FwProgressBar1->SetInteriorOffset(0);
  FwProgressBar1->OnChange = [this](TObject*, int percent) {
    if (percent >= 100) Timer1->SetEnabled(false);
  };

  Label2 = new TLabel(this);
  Label2->SetParent(this);
  Label2->SetBounds(56, 54, 0, 0);
  Label2->SetVisible(false);

  Label3 = new TLabel(this);
  Label3->SetParent(this);
  Label3->SetBounds(260, 54, 0, 0);
  Label3->SetVisible(false);

  FwAnimator1 = AddBusyAnimator(this, this, 14, 24);

  Timer1 = new TTimer(this);
  Timer1->SetInterval(100);
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this](TObject*) { TimerTick(); };
}

TProgressBarForm::~TProgressBarForm() {
  if (ProgressBarForm == this) ProgressBarForm = nullptr;
}

void TProgressBarForm::ShowProgress(const QString& caption) {
  SetCaption(caption);
  Show();
  if (Application) Application->ProcessMessages();
}

void TProgressBarForm::StartProgress(int total, int position) {
  FwProgressBar1->SetTotalParts(unsigned(std::max(total, 0)));
  FwProgressBar1->SetPartsComplete(unsigned(std::max(position, 0)));
  ticks_ = 0;
  estimate_ = -1;
  ShowCounts();
  Label2->SetVisible(true);
  Label3->SetVisible(true);
  Timer1->SetEnabled(FwProgressBar1->Percent() < 100 || FwProgressBar1->TotalParts() == 0);
}

void TProgressBarForm::StepProgress() {
  const int before = FwProgressBar1->Percent();
  FwProgressBar1->StepIt();
  // The bar looks different only when its percent changes: repainting the window for
  // every part of a run of many thousand parts took longer than the work itself.
  if (FwProgressBar1->Percent() != before) Repaint();
  if (Application) Application->ProcessMessages();
}

void TProgressBarForm::HideProgress() { Hide(); }

int TProgressBarForm::Percent() const { return FwProgressBar1->Percent(); }

void TProgressBarForm::DoHide() {
  Label2->SetVisible(false);
  Label3->SetVisible(false);
  Timer1->SetEnabled(false);
  TForm::DoHide();
}

void TProgressBarForm::ShowCounts() {
  const TProgressTexts texts =
      ProgressTexts(ticks_, int(FwProgressBar1->PartsComplete()), int(FwProgressBar1->TotalParts()), estimate_);
  Label2->SetCaption(texts.Done);
  Label3->SetCaption(texts.Left);
}

void TProgressBarForm::TimerTick() {
  ++ticks_;
  ShowCounts();
}

IProgress& ProgramProgress() {
  static TSilentProgress silent;
  if (ProgressBarForm) return *ProgressBarForm;
  return silent;
}

} // namespace fw
