#pragma once
// TQuestionDlg: the program's question with up to four answers, 是 (bit 1, result 6),
// 否 (bit 2, result 7), 全都是 (bit 4, result 10) and 全都否 (bit 8, result 9). Closing it
// without a button (or with Escape) answers 2. Enter gives the answer of the default
// button: the first shown, or the second or third with MB_DEFBUTTON2/3 among the bits,
// so that a question that discards data defaults to its safe answer. The dialog sizes
// itself to the question and the buttons asked for. AskQuestion shows one;
// InstallQuestionDialogHook makes it the answer of the question hook, through which the
// rest of the program asks.

#include "platform/ui/Form.h"

#include <vector>

namespace fw {

class TLabel;
class TFwToolbar;
class TFwToolButton;
struct TBarButtonLook;

class TQuestionDlg : public TForm {
public:
  explicit TQuestionDlg(TComponent* owner);

  // Shows the buttons of the bits set, chooses the default button and lays the dialog
  // out for the text.
  void Prepare(const QString& question, int buttons);
  // The button Enter presses (nullptr when none is shown).
  TFwToolButton* DefaultButton() const { return defaultButton_; }

  TLabel* Question = nullptr;
  TFwToolbar* DlgToolBar = nullptr;
  TFwToolButton* tbOK = nullptr;
  TFwToolButton* tbCancel = nullptr;
  TFwToolButton* tbCopyAll = nullptr;
  TFwToolButton* tbNotToAll = nullptr;

protected:
  void DoShow() override;
  void KeyDown(WORD& key, TShiftState shift) override;

private:
  TFwToolButton* AddButton(const QString& name, const QString& caption, const TBarButtonLook& look,
                           TModalResult result);
  void LayOut();

  struct Answer {
    TFwToolButton* Button;
    TModalResult Result;
  };
  std::vector<Answer> answers_; // in the order the buttons show
  TFwToolButton* defaultButton_ = nullptr;
  TModalResult defaultResult_ = mrNone;
};

// Frees the previous question dialog, asks the question with the buttons of `buttons`
// (and its MB_DEFBUTTON* bits) and returns the answer (6, 7, 10, 9, or 2 when the dialog
// was closed).
int AskQuestion(const QString& question, int buttons);

// Makes AskQuestion the program's question hook.
void InstallQuestionDialogHook();

} // namespace fw
