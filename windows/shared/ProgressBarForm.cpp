#include "windows/shared/ProgressBarForm.h"

#include "controls/navigation/FwAnimator.h"
#include "controls/navigation/FwProgressBar.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"

#include <QPainter>
#include <cmath>

namespace fw {

TProgressBarForm* ProgressBarForm = nullptr;

namespace {

// The busy animation: eight dots on a circle, one of them dark, going round.
void AddBusyFrames(TImageList& images) {
  constexpr int kSize = 32, kDots = 8;
  images.SetWidth(kSize);
  images.SetHeight(kSize);
  for (int frame = 0; frame < kDots; ++frame) {
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    for (int dot = 0; dot < kDots; ++dot) {
      const double angle = dot * 2 * M_PI / kDots;
      const int x = int(std::lround(kSize / 2 + 11 * std::cos(angle))) - 3;
      const int y = int(std::lround(kSize / 2 + 11 * std::sin(angle))) - 3;
      p.setBrush(dot == frame ? QColor(10, 36, 106) : QColor(166, 180, 210));
      p.drawRect(x, y, 6, 6);
    }
    images.Add(image);
  }
}

} // namespace

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
  FwAnimator1->SetBounds(14, 24, 32, 32);
  FwAnimator1->SetDelay(200);
  FwAnimator1->SetTransparent(true);
  auto* frames = new TImageList(this);
  AddBusyFrames(*frames);
  FwAnimator1->SetImageList(frames);

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
  const int before = FwProgressBar1->Percent();
  FwProgressBar1->StepIt();
  // The bar looks different only when its percent changes: repainting the window for
  // every part of a run of many thousand parts took longer than the work itself.
  if (FwProgressBar1->Percent() != before) Repaint();
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

IProgress& ProgramProgress() {
  static TSilentProgress silent;
  if (ProgressBarForm) return *ProgressBarForm;
  return silent;
}

} // namespace fw
