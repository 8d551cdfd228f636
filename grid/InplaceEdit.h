#pragma once
// TInplaceEdit: the report grid's in-place editor, a borderless edit laid over the cell
// being edited. Without an edit mask it is a multi-line box that wraps its text inside
// the cell; a cell with a mask (dates, times, a mask the grid's handler gives) edits in
// a one-line masked field. It takes the cell's mask, text, colour and font when it is
// shown, tests every key and paste of number cells with ValidateNumberInput, and ends
// in one of two ways: Commit stores the text through the grid's SetEditText (Enter,
// Esc, leaving the cell or the grid, an operation on cells), Rollback puts the starting
// text back and stores nothing (the edited cell went away).

#include "platform/ui/Edit.h"

#include <QDateTime>

class QPlainTextEdit;

namespace fw {

class TCustomEasyGrid;
struct TCellInfo;

// Turns an edit mask written in the grid's notation ("9999/99/99;1; ": mask, keep
// literals, blank character; 0 a required digit, 9 an optional one) into Qt's input
// mask notation. An empty mask stays empty.
QString EditMaskToInputMask(const QString& mask);

class TInplaceEdit : public TEdit {
public:
  explicit TInplaceEdit(TCustomEasyGrid* grid);

  TCustomEasyGrid* Grid() const { return grid_; }
  // The cell being edited (the origin of its merged range); -1 while none is.
  int EditCol() const { return col_; }
  int EditRow() const { return row_; }
  // The text the editor was given when it was shown.
  const QString& StartText() const { return startText_; }
  QString EditMask() const { return editMask_; }
  // An empty mask edits in the wrapping box, any other in the masked field.
  void SetEditMask(const QString& mask);
  bool Masked() const { return !editMask_.isEmpty(); }
  // The Qt widget that edits now (the wrapping box or the masked field).
  QWidget* EditWidget() const;
  QPlainTextEdit* TextBox() const { return box_; }
  // The text as it would be stored: a masked text with no character typed is empty.
  QString EditText() const;

  // Caret and selection of whichever widget edits now.
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  QString SelText() const;
  void SetSelText(const QString& value);
  void SelectAll();
  void SetReadOnly(bool value);

  // Takes the cell's mask, text, colour and font and shows the editor over it with the
  // whole text selected.
  void ShowForCell(int col, int row);
  // Lays the editor over its cell again (after scrolling or resizing).
  void UpdateBounds();
  // Stores the text through the grid's SetEditText and hides the editor. A text the
  // mask does not accept shows the format message instead, and one the cell cannot
  // store (no date, no time) the grid's error box; the editor then stays and false is
  // returned.
  bool Commit();
  // Puts the starting text back and hides the editor without storing anything.
  void Rollback();
  // A character typed while the grid had the focus, delivered as if typed here.
  void TypeCharacter(QChar ch);
  // A press on the grid: a press into the editor within the double-click time after it
  // counts as a double click.
  void NoteClick();
  // True (once) when a press now follows the last one within the double-click time.
  bool TakeDoubleClick();

  bool FilterIncomingText(QString& text) override;
  // Enter never goes into the text: it stores it (or toggles the selection).
  bool WantReturns() const { return false; }
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(QChar& key) override;

protected:
  // The mask refused the text: the information box.
  virtual void ValidateError();
  // Takes mask, text, colour and font from the cell.
  virtual void UpdateContents();
  void DoExit() override;
  QString GetText() const override;
  void StoreText(const QString& value) override;

private:
  const TCellInfo& Cell() const;
  void Finish();
  bool CaretAtStart() const;
  bool CaretAtEnd() const;
  void InsertNumberCharacter(QChar ch);
  // The editor's own part of a key press, after the grid's.
  void EditKeyPress(QChar& key);

  TCustomEasyGrid* grid_;
  QPlainTextEdit* box_;
  int col_ = -1;
  int row_ = -1;
  QString startText_;
  QString editMask_;
  bool finishing_ = false;
  QDateTime lastClick_;
};

} // namespace fw
