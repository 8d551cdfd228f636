#pragma once
// TQuestionDlg: the program's question with up to four answers, 是 (bit 1, result 6),
// 否 (bit 2, result 7), 全都是 (bit 4, result 10) and 全都否 (bit 8, result 9). Closing it
// without a button answers 2. The dialog sizes itself to the question and the buttons
// asked for. AskQuestion shows one; InstallQuestionDialogHook makes it the answer of the
// question hook, through which the rest of the program asks.

#include "platform/ui/Form.h"

namespace fw {

class TLabel;
class TFwToolbar;
class TFwToolButton;

class TQuestionDlg : public TForm {
public:
  explicit TQuestionDlg(TComponent* owner);

  // Shows the buttons of the bits set and lays the dialog out for the text.
  void Prepare(const QString& question, int buttons);

  TLabel* Question = nullptr;
  TFwToolbar* DlgToolBar = nullptr;
  TFwToolButton* tbOK = nullptr;
  TFwToolButton* tbCancel = nullptr;
  TFwToolButton* tbCopyAll = nullptr;
  TFwToolButton* tbNotToAll = nullptr;

protected:
  void DoShow() override;

private:
  TFwToolButton* AddButton(const QString& caption, TModalResult result);
  void LayOut();
};

// Frees the previous question dialog, asks the question with the buttons of `buttons`
// and returns the answer (6, 7, 10, 9, or 2 when the dialog was closed).
int AskQuestion(const QString& question, int buttons);

// Makes AskQuestion the program's question hook.
void InstallQuestionDialogHook();

} // namespace fw
