#include "windows/shared/ProgressBar2LineForm.h"

#include "controls/navigation/FwProgressBar.h"
#include "platform/ui/Application.h"
#include "platform/ui/Label.h"

namespace fw {

TProgressBar2LineForm* ProgressBar2LineForm = nullptr;

TProgressBar2LineForm::TProgressBar2LineForm(TComponent* owner) : TForm(owner) {
  SetCaption(QStringLiteral("操作进度指示"));
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetBorderIcons(0);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(416);
  SetClientHeight(110);
  setWindowModality(Qt::ApplicationModal);

  Label1 = new TLabel(this);
  Label1->SetParent(this);
  Label1->SetBounds(8, 8, 0, 0);
  Label1->SetCaption(QStringLiteral("总进度："));
  ProgressBar1 = new TFwProgressBar(this);
  ProgressBar1->SetParent(this);
  ProgressBar1->SetBounds(8, 26, 400, 22);
  ProgressBar1->SetNumSegments(100);
  ProgressBar1->SetInteriorOffset(0);

  Label2 = new TLabel(this);
  Label2->SetParent(this);
  Label2->SetBounds(8, 58, 0, 0);
  Label2->SetCaption(QStringLiteral("当前任务进度："));
  FwProgressBar2 = new TFwProgressBar(this);
  FwProgressBar2->SetParent(this);
  FwProgressBar2->SetBounds(8, 76, 400, 22);
  FwProgressBar2->SetNumSegments(100);
  FwProgressBar2->SetInteriorOffset(0);
}

TProgressBar2LineForm::~TProgressBar2LineForm() {
  if (ProgressBar2LineForm == this) ProgressBar2LineForm = nullptr;
}

void TProgressBar2LineForm::ShowProgress() {
  Show();
  Refresh();
}

void TProgressBar2LineForm::InitFirst(int total) {
  ProgressBar1->SetTotalParts(unsigned(std::max(total, 0)));
  ProgressBar1->SetPartsComplete(0);
  Refresh();
}

void TProgressBar2LineForm::InitSecond(int total) {
  FwProgressBar2->SetTotalParts(unsigned(std::max(total, 0)));
  FwProgressBar2->SetPartsComplete(0);
  Refresh();
}

void TProgressBar2LineForm::IncFirst() {
  ProgressBar1->StepIt();
  Refresh();
}

void TProgressBar2LineForm::IncSecond() {
  FwProgressBar2->StepIt();
  Refresh();
}

void TProgressBar2LineForm::HideProgress() { Hide(); }

void TProgressBar2LineForm::Refresh() {
  Repaint();
  if (Application) Application->ProcessMessages();
}

ITwoBarProgress& ProgramTwoBarProgress() {
  static TSilentProgress silent;
  if (ProgressBar2LineForm) return *ProgressBar2LineForm;
  return silent;
}

} // namespace fw
