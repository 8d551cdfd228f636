#pragma once
// TMessageListWinForm ("逻辑错误列表"): the broken logic rules of the record open in the
// entry form, one row each (rule, explanation, page, field). The page rule engine clears
// and fills it; a double click on a row takes the entry form to the rule's page and
// field. Created once at start, hidden between uses; it stays on top of every window of
// the program, dialogs opened after it too, while the program is the active one (never
// over other programs or the program's boxes), and the modal entry form does not block it.

#include "core/PageRuleLinks.h"
#include "platform/ui/Form.h"

namespace fw {

class TEasyGrid;

class TMessageListWinForm : public TForm, public IMessageList {
public:
  explicit TMessageListWinForm(TComponent* owner);
  ~TMessageListWinForm() override;

  // The columns of the grid (column 0 holds the row numbers).
  enum : int { colRule = 1, colExplanation = 2, colPage = 3, colFocus = 4 };

  void ClearMessageList() override;
  void AddMessage(const QString& rule, const QString& explanation, const QString& focus, int page) override;
  bool IsMessageListEmpty() const override { return !rowsPresent_; }
  void ShowMessageList() override;
  void HideMessageList() override;
  bool JumpInProgress() const override { return jumping_; }

  // Where a double click takes the user; nullptr (the default) turns the double click
  // into nothing. The entry form sets itself while it exists.
  void SetJumpTarget(IRuleJumpTarget* target) { jumpTarget_ = target; }
  IRuleJumpTarget* JumpTarget() const { return jumpTarget_; }

  // The double click on the grid: the current row's page and field to the jump target
  // (the empty list's blank row gives page 0, the cover). Does nothing while a jump is
  // being carried out.
  void GridDblClick(TObject* sender);

  TEasyGrid* Grid = nullptr;

protected:
  void DoShow() override;
  void moveEvent(QMoveEvent* event) override;

private:
  void BuildGrid();
  // Sets a text cell of `row` and grows the row to the height the text needs.
  void SetGrowingText(int col, int row, const QString& text);
  void BelongToFrontWindow();
  void KeepOuterSize();

  bool rowsPresent_ = false;
  // What the desktop's frame adds around the client area, as far as the size allows for it.
  QSize frameAllowed_{0, 0};
  bool jumping_ = false;
  IRuleJumpTarget* jumpTarget_ = nullptr;
};

extern TMessageListWinForm* MessageListWinForm;

} // namespace fw
