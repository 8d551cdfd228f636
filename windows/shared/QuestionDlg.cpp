#include "windows/shared/QuestionDlg.h"

#include "controls/common/FwToolbar.h"
#include "controls/common/FwToolButton.h"
#include "platform/shell/Hooks.h"
#include "platform/shell/ShownText.h"
#include "platform/ui/Application.h"
#include "platform/ui/Label.h"
#include "windows/shared/DialogParts.h"

#include <QPointer>

namespace fw {

namespace {
// The dialog of the last question; the next question frees it.
QPointer<TQuestionDlg>& LastDialog() {
  static QPointer<TQuestionDlg> dialog;
  return dialog;
}
} // namespace

TQuestionDlg::TQuestionDlg(TComponent* owner) : TForm(owner) {
  SetCaption(QStringLiteral("提示信息"));
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(451);
  SetClientHeight(135);
  // Enter and Escape reach the dialog whichever button holds the focus.
  SetKeyPreview(true);

  Question = new TLabel(this);
  Question->SetParent(this);
  Question->SetBounds(24, 24, 0, 0);
  Question->SetAutoSize(true);

  DlgToolBar = new TFwToolbar(this);
  DlgToolBar->SetName(QStringLiteral("DlgToolBar"));
  DlgToolBar->SetParent(this);
  DlgToolBar->SetAlign(TAlign::alNone);
  DlgToolBar->SetAutoStyle(false);
  DlgToolBar->SetBorderSides(0);
  DlgToolBar->SetBorderOuter(TFrameStyleEx::fsGroove);
  DlgToolBar->SetBorderInner(TFrameStyleEx::fsNone);
  DlgToolBar->SetVisualStyle(TFwVisualStyle::vsClassic);
  DlgToolBar->SetButtonWidth(60);
  DlgToolBar->SetShowButtonCaptions(true);
  DlgToolBar->SetBounds(0, 0, 297, 29);

  // The answers are shown as asked for; a gap shows only between two shown answers.
  tbOK = AddButton(QStringLiteral("tbOK"), QStringLiteral("是"), {.Icon = BarIcon::Ok, .Hint = "回答“是”", .Looks = blkNone}, mrYes);
  AddBarSpacer(DlgToolBar);
  tbCancel = AddButton(QStringLiteral("tbCancel"), QStringLiteral("否"),
                       {.Icon = BarIcon::Cancel, .Hint = "回答“否”", .Looks = blkNone}, mrNo);
  AddBarSpacer(DlgToolBar);
  tbCopyAll = AddButton(QStringLiteral("tbCopyAll"), QStringLiteral("全都是"),
                        {.Icon = BarIcon::YesToAll, .Hint = "全都是|这一个和以后同样的问题都回答“是”", .Looks = blkNone},
                        mrYesToAll);
  AddBarSpacer(DlgToolBar);
  tbNotToAll = AddButton(QStringLiteral("tbNotToAll"), QStringLiteral("全都否"),
                         {.Icon = BarIcon::NoToAll, .Hint = "全都否|这一个和以后同样的问题都回答“否”", .Looks = blkNone},
                         mrNoToAll);
  ShowSpacersBetweenButtons(*DlgToolBar);
}

TFwToolButton* TQuestionDlg::AddButton(const QString& name, const QString& caption, const TBarButtonLook& look,
                                       TModalResult result) {
  TFwToolButton* button = AddBarButton(DlgToolBar, name, caption, look);
  button->SetVisible(false);
  button->OnClick = [this, result](TObject*) { SetModalResult(result); };
  answers_.push_back({button, result});
  return button;
}

void TQuestionDlg::Prepare(const QString& question, int buttons) {
  Question->SetCaption(CutForShowing(question, kShownTextLength));
  tbOK->SetVisible(buttons & 1);
  tbCancel->SetVisible(buttons & 2);
  tbCopyAll->SetVisible(buttons & 4);
  tbNotToAll->SetVisible(buttons & 8);
  ShowSpacersBetweenButtons(*DlgToolBar);
  std::vector<Answer> shown;
  for (const Answer& a : answers_)
    if (a.Button->Visible()) shown.push_back(a);
  const size_t wanted = static_cast<size_t>((buttons & 0xF00) >> 8);
  const Answer chosen = shown.empty() ? Answer{nullptr, mrNone} : shown[wanted < shown.size() ? wanted : 0];
  defaultButton_ = chosen.Button;
  defaultResult_ = chosen.Result;
  LayOut();
}

void TQuestionDlg::KeyDown(WORD& key, TShiftState shift) {
  TForm::KeyDown(key, shift);
  if (key == VK_RETURN && defaultButton_) {
    key = 0;
    SetModalResult(defaultResult_);
  } else if (key == VK_ESCAPE) {
    key = 0;
    SetModalResult(mrCancel);
  }
}

void TQuestionDlg::DoShow() {
  LayOut();
  TForm::DoShow();
}

void TQuestionDlg::LayOut() {
  // The toolbar loses the width of every hidden button.
  int barWidth = 297;
  for (TFwToolButton* b : {tbOK, tbCancel, tbCopyAll, tbNotToAll})
    if (!b->Visible()) barWidth -= b->Width();
  DlgToolBar->SetWidth(barWidth);
  int clientWidth = Question->Left() + Question->Width() + 25;
  if (int(1.5 * barWidth) >= clientWidth) clientWidth = int(1.5 * barWidth);
  const int clientHeight = int(1.5 * DlgToolBar->Height()) + Question->Top() + Question->Height();
  SetClientWidth(clientWidth);
  SetClientHeight(clientHeight);
  DlgToolBar->SetBounds(clientWidth - barWidth, clientHeight - DlgToolBar->Height(), barWidth,
                        DlgToolBar->Height());
  DlgToolBar->PositionControls();
}

int AskQuestion(const QString& question, int buttons) {
  delete LastDialog().data();
  TComponent* owner = Application ? static_cast<TComponent*>(Application->MainForm()) : nullptr;
  auto* dialog = NewForm<TQuestionDlg>(owner);
  LastDialog() = dialog;
  dialog->Prepare(question, buttons);
  const int result = dialog->ShowModal();
  return result == mrNone ? mrCancel : result;
}

void InstallQuestionDialogHook() {
  Hooks hooks = CurrentHooks();
  hooks.Question = AskQuestion;
  InstallHooks(hooks);
}

} // namespace fw
