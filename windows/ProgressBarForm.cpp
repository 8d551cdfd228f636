#include "windows/ProgressBarForm.h"

#include "controls/navigation/FwAnimator.h"
#include "controls/navigation/FwProgressBar.h"
#include "platform/ui/Application.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"

namespace fw {

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

  FwAnimator1 = new TFwAnimator(this);
  FwAnimator1->SetParent(this);
  FwAnimator1->SetBounds(10, 20, 40, 40);
  FwAnimator1->SetDelay(200);
  FwAnimator1->SetTransparent(true);

  Timer1 = new TTimer(this);
  Timer1->SetInterval(100);
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this](TObject*) { TimerTick(); };
}

void TProgressBarForm::ShowProgress(const QString& caption) {
  SetCaption(caption);
  Show();
  if (Application) Application->ProcessMessages();
}

void TProgressBarForm::StartProgress(int total, int position) {
  FwProgressBar1->SetTotalParts(unsigned(std::max(total, 0)));
  FwProgressBar1->SetPartsComplete(unsigned(std::max(position, 0)));
  ShowCounts();
  Label2->SetVisible(true);
  Label3->SetVisible(true);
  ticks_ = 0;
  estimate_ = -1;
  Timer1->SetEnabled(FwProgressBar1->Percent() < 100 || FwProgressBar1->TotalParts() == 0);
}

void TProgressBarForm::StepProgress() {
  FwProgressBar1->StepIt();
  Repaint();
  if (Application) Application->ProcessMessages();
}

void TProgressBarForm::HideProgress() { Hide(); }

void TProgressBarForm::DoHide() {
  Label2->SetVisible(false);
  Label3->SetVisible(false);
  Timer1->SetEnabled(false);
  TForm::DoHide();
}

void TProgressBarForm::ShowCounts() {
  const int done = int(FwProgressBar1->PartsComplete());
  const int total = int(FwProgressBar1->TotalParts());
  Label2->SetCaption(QStringLiteral("已完成 %1").arg(done));
  Label3->SetCaption(QStringLiteral("待完成 %1").arg(total - done));
}

void TProgressBarForm::TimerTick() {
  ++ticks_;
  const int done = int(FwProgressBar1->PartsComplete());
  const int total = int(FwProgressBar1->TotalParts());
  if (ticks_ < 51 || done <= 0) {
    ShowCounts();
    return;
  }
  // Linear estimate in ticks of the time the parts left will take.
  const int left = total - done;
  estimate_ = int((qint64(ticks_) * left + done - 1) / done);
  Label2->SetCaption(QStringLiteral("已完成 %1 用时%2秒").arg(done).arg(ticks_ / 10));
  Label3->SetCaption(QStringLiteral("待完成 %1 尚需%2秒").arg(left).arg((estimate_ + 9) / 10));
}

} // namespace fw
