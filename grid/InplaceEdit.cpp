#include "grid/InplaceEdit.h"

#include "grid/CellText.h"
#include "grid/CustomEasyGrid.h"
#include "grid/NumberInput.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/FilteredTextArea.h"
#include "platform/ui/VirtualKeys.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>

namespace fw {

namespace {

// The grid's mask letters and the Qt input-mask letters of the same meaning.
QChar MaskLetterToQt(QChar c, bool& known) {
  known = true;
  switch (c.unicode()) {
  case u'0': return u'9';  // required digit
  case u'9': return u'0';  // optional digit
  case u'L': return u'A';  // required letter
  case u'l': return u'a';
  case u'A': return u'N';  // required letter or digit
  case u'a': return u'n';
  case u'C': return u'X';  // required character
  case u'c': return u'x';
  case u'#': return u'#';
  case u'>': return u'>';
  case u'<': return u'<';
  default: known = false; return c;
  }
}

bool IsQtMaskLetter(QChar c) { return QStringLiteral("AaNnXx90DdHhBb#><![]{};\\").contains(c); }

// The wrapping box of the editor: every route by which text arrives in one piece passes
// the editor's filter, and a press soon after a press on the grid is a double click.
class TInplaceTextBox : public TFilteredTextArea<QPlainTextEdit, TInplaceEdit> {
public:
  explicit TInplaceTextBox(TInplaceEdit& owner) : TFilteredTextArea(owner), owner_(owner) {
    // The text starts two pixels in from the cell's left, top and right edges.
    setViewportMargins(2, 2, 2, 0);
  }

protected:
  void mousePressEvent(QMouseEvent* event) override {
    const bool second = event->button() == Qt::LeftButton && owner_.TakeDoubleClick();
    QPlainTextEdit::mousePressEvent(event);
    if (!second) return;
    // A double click takes the word under the pointer, as the box does for its own.
    QTextCursor word = cursorForPosition(event->position().toPoint());
    word.select(QTextCursor::WordUnderCursor);
    setTextCursor(word);
  }

private:
  TInplaceEdit& owner_;
};

} // namespace

QString EditMaskToInputMask(const QString& mask) {
  if (mask.isEmpty()) return QString();
  const QStringList fields = mask.split(u';');
  const QString body = fields.value(0);
  QString out;
  for (qsizetype i = 0; i < body.size(); ++i) {
    const QChar c = body.at(i);
    if (c == u'\\' && i + 1 < body.size()) {
      out += u'\\';
      out += body.at(++i);
      continue;
    }
    if (c == u'!') continue;  // blanks leading or trailing: Qt keeps its own order
    bool known = false;
    const QChar q = MaskLetterToQt(c, known);
    if (known) {
      out += q;
    } else {
      if (IsQtMaskLetter(c)) out += u'\\';
      out += c;
    }
  }
  const QString blank = fields.size() >= 3 ? fields.at(2) : QString();
  out += u';';
  out += blank.isEmpty() ? QChar(u'_') : blank.at(0);
  return out;
}

TInplaceEdit::TInplaceEdit(TCustomEasyGrid* grid) : TEdit(grid), grid_(grid), box_(new TInplaceTextBox(*this)) {
  Widget()->setFrame(false);
  // The text starts two pixels in from the cell's left, top and right edges.
  Widget()->setTextMargins(2, 2, 2, 0);
  box_->setFrameShape(QFrame::NoFrame);
  box_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box_->document()->setDocumentMargin(0);
  QObject::connect(box_, &QPlainTextEdit::textChanged, box_, [this] { DoChange(); });
  SetTabStop(false);
  Widget()->setFocusPolicy(Qt::StrongFocus);
  SetVisible(false);
  SetParent(grid);
  // Unmasked editing (the usual case) happens in the wrapping box.
  Widget()->hide();
  AdoptInner(box_);
  box_->setFocusPolicy(Qt::StrongFocus);
}

const TCellInfo& TInplaceEdit::Cell() const { return grid_->GetCellInfo(col_, row_); }

QWidget* TInplaceEdit::EditWidget() const { return Masked() ? static_cast<QWidget*>(Widget()) : box_; }

void TInplaceEdit::SetEditMask(const QString& mask) {
  const bool wasMasked = Masked();
  editMask_ = mask;
  Widget()->setInputMask(EditMaskToInputMask(mask));
  if (Masked() == wasMasked && Inner() == EditWidget()) return;
  QWidget* leaving = Masked() ? static_cast<QWidget*>(box_) : Widget();
  AdoptInner(EditWidget());
  EditWidget()->setFocusPolicy(Qt::StrongFocus);
  leaving->hide();
}

QString TInplaceEdit::GetText() const { return Masked() ? TEdit::GetText() : box_->toPlainText(); }

void TInplaceEdit::StoreText(const QString& value) {
  if (Masked())
    TEdit::StoreText(value);
  else
    box_->setPlainText(value);
}

QString TInplaceEdit::EditText() const {
  const QString text = Text();
  if (!Masked()) return text;
  // A masked field left blank reads as its literals only: that is an empty text.
  for (QChar c : text)
    if (c.isLetterOrNumber()) return text;
  return QString();
}

// ---- Caret and selection ------------------------------------------------------------------

int TInplaceEdit::SelStart() const {
  if (Masked()) return TEdit::SelStart();
  return box_->textCursor().selectionStart();
}

void TInplaceEdit::SetSelStart(int value) {
  if (Masked()) {
    TEdit::SetSelStart(value);
    return;
  }
  QTextCursor cursor = box_->textCursor();
  cursor.setPosition(std::clamp(value, 0, int(box_->toPlainText().size())));
  box_->setTextCursor(cursor);
}

int TInplaceEdit::SelLength() const {
  if (Masked()) return TEdit::SelLength();
  const QTextCursor cursor = box_->textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

void TInplaceEdit::SetSelLength(int value) {
  if (Masked()) {
    TEdit::SetSelLength(value);
    return;
  }
  QTextCursor cursor = box_->textCursor();
  const int start = cursor.selectionStart();
  cursor.setPosition(start);
  cursor.setPosition(std::clamp(start + value, 0, int(box_->toPlainText().size())), QTextCursor::KeepAnchor);
  box_->setTextCursor(cursor);
}

QString TInplaceEdit::SelText() const {
  if (Masked()) return TEdit::SelText();
  return box_->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

void TInplaceEdit::SetSelText(const QString& value) {
  if (Masked())
    TEdit::SetSelText(value);
  else
    box_->textCursor().insertText(value);
}

void TInplaceEdit::SelectAll() {
  if (Masked())
    TEdit::SelectAll();
  else
    box_->selectAll();
}

void TInplaceEdit::SetReadOnly(bool value) {
  TEdit::SetReadOnly(value);
  box_->setReadOnly(value);
}

bool TInplaceEdit::CaretAtStart() const { return SelLength() == 0 && SelStart() == 0; }

bool TInplaceEdit::CaretAtEnd() const { return SelLength() == 0 && SelStart() == int(Text().size()); }

// ---- Showing and ending ---------------------------------------------------------------------

void TInplaceEdit::ShowForCell(int col, int row) {
  const TGridRect merge = grid_->GetCellInfo(col, row).MergeRect;
  col_ = merge.Left;
  row_ = merge.Top;
  UpdateContents();
  UpdateBounds();
  SetVisible(true);
  raise();
  if (grid_->IsGridFocused() || grid_->hasFocus()) SetFocus();
  SelectAll();
}

void TInplaceEdit::UpdateContents() {
  SetEditMask(QString());
  Clear();
  const TCellInfo& cell = Cell();
  if (cell.ShowForeText) {
    switch (cell.DataStyle) {
    case TDataStyle::dsText: SetEditMask(grid_->GetEditMask(col_, row_)); break;
    case TDataStyle::dsDate: SetEditMask(QStringLiteral("9999/99/99;1; ")); break;
    case TDataStyle::dsTime: SetEditMask(QStringLiteral("00:00:00;1; ")); break;
    default: break;
    }
  }
  QString text = grid_->GetEditText(col_, row_);
  if (cell.ShowForeText && cell.DataStyle == TDataStyle::dsNumber && cell.ThousandSep)
    text = RemoveThousandSeparators(text);
  SetMaxLength(cell.ShowForeText ? grid_->GetEditLimit() : 0);
  SetText(text);
  startText_ = EditText();
  SetReadOnly(!grid_->CanEditModify());
  // The grid's handlers may have changed the cell store; read the record again.
  const TCellInfo& shown = Cell();
  SetColor(shown.Color);
  TFont font;
  font.SetName(shown.FontName);
  font.SetSize(shown.FontSize);
  font.SetStyle(shown.FontStyle);
  font.SetColor(shown.FontColor);
  SetFont(font);
}

void TInplaceEdit::UpdateBounds() {
  if (col_ < 0) return;
  const TRect r = grid_->CellRangeRect(Cell().MergeRect);
  // Two pixels in from every side of the merged range, so the thick focus frame stays
  // visible around the editor. The client area starts inside the grid's border.
  const int border = grid_->BorderWidth();
  SetBounds(border + r.Left + 2, border + r.Top + 2, std::max(0, r.Width() - 4), std::max(0, r.Height() - 4));
  if (!Masked()) box_->ensureCursorVisible();
}

bool TInplaceEdit::Commit() {
  if (col_ < 0 || finishing_) return true;
  const QString text = EditText();
  // The mask judges every text the user changed, an emptied one too: a time field has
  // required digits, so it cannot be left blank here (the grid's Delete key clears it).
  if (Masked() && text != startText_ && !Widget()->hasAcceptableInput()) {
    ValidateError();
    return false;
  }
  // A text the cell cannot store (a date that is no date) shows the grid's error box
  // and stays in the editor to be put right, instead of being thrown away.
  const TCellInfo& cell = Cell();
  if (cell.ShowForeText && text != cell.ForeText && !grid_->NormalizeForeText(col_, row_, text)) return false;
  QPointer<TInplaceEdit> self(this);
  finishing_ = true;
  grid_->SetEditText(col_, row_, text);
  if (!self) return true;
  finishing_ = false;
  Finish();
  return true;
}

void TInplaceEdit::Rollback() {
  if (col_ < 0 || finishing_) return;
  SetText(startText_);
  Finish();
}

void TInplaceEdit::Finish() {
  QPointer<TInplaceEdit> self(this);
  finishing_ = true;
  const int col = col_, row = row_;
  const QString text = EditText();
  if (EditWidget()->hasFocus() && grid_->isVisible()) grid_->setFocus(Qt::OtherFocusReason);
  SetVisible(false);
  col_ = row_ = -1;
  grid_->EditorHidden(col, row, text);
  if (self) finishing_ = false;
}

void TInplaceEdit::ValidateError() {
  ShowMessage(QStringLiteral("请输入正确格式的数据。"), QStringLiteral("提示"), MB_OK | MB_ICONINFORMATION);
}

void TInplaceEdit::DoExit() {
  TEdit::DoExit();
  if (col_ < 0 || finishing_) return;
  // The focus leaving for the grid itself keeps the editor; leaving the grid ends it.
  const QWidget* focus = QApplication::focusWidget();
  if (focus && (focus == grid_ || grid_->isAncestorOf(focus))) return;
  grid_->HideEditor();
}

void TInplaceEdit::NoteClick() { lastClick_ = Now(); }

bool TInplaceEdit::TakeDoubleClick() {
  const QDateTime now = Now();
  const bool within = lastClick_.isValid() && lastClick_.msecsTo(now) >= 0 &&
                      lastClick_.msecsTo(now) < QApplication::doubleClickInterval();
  // The press that makes a double click starts no new one.
  lastClick_ = within ? QDateTime() : now;
  return within;
}

// ---- Keys ----------------------------------------------------------------------------------

void TInplaceEdit::KeyDown(WORD& key, TShiftState shift) {
  TEdit::KeyDown(key, shift);
  if (!key || col_ < 0) return;
  // Without the right to modify, keys that would change the text do nothing.
  const bool modifying = key == VK_DELETE || (key == 'V' && (shift & ssCtrl)) || (key == 'X' && (shift & ssCtrl)) ||
                         (key == VK_INSERT && (shift & ssShift));
  if (modifying && !grid_->CanEditModify()) {
    key = 0;
    return;
  }
  switch (key) {
  case VK_RETURN:
    key = 0;
    if (!(grid_->Options() & goAlwaysShowEditor)) {
      grid_->HideEditor();
    } else if (SelLength() == int(Text().size())) {
      SetSelStart(int(Text().size()));
    } else {
      SelectAll();
    }
    return;
  case VK_ESCAPE:
    // The grid's Esc hides the editor, which stores its text.
    break;
  case VK_TAB:
    // With goTabs Tab moves on to the next cell, as in the grid; otherwise it is dropped.
    if ((shift & ssAlt) || !(grid_->Options() & goTabs)) {
      key = 0;
      return;
    }
    break;
  case VK_UP:
  case VK_DOWN:
  case VK_PRIOR:
  case VK_NEXT: break;
  case VK_INSERT:
    if (shift) return;
    break;
  case VK_LEFT:
  case VK_HOME:
    if ((shift & ssCtrl) || !CaretAtStart()) return;
    break;
  case VK_RIGHT:
  case VK_END:
    if ((shift & ssCtrl) || !CaretAtEnd()) return;
    break;
  default: return;
  }
  // A key that would leave the text is the grid's, for moving between cells.
  grid_->KeyDown(key, shift);
}

void TInplaceEdit::KeyPress(QChar& key) {
  QPointer<TInplaceEdit> self(this);
  grid_->KeyPress(key);
  if (!self || key.isNull() || col_ < 0) return;
  EditKeyPress(key);
}

void TInplaceEdit::EditKeyPress(QChar& key) {
  QPointer<TInplaceEdit> self(this);
  TEdit::KeyPress(key);
  if (!self || key.isNull() || col_ < 0) return;
  const char16_t code = key.unicode();
  if (code >= 32 && !grid_->CanEditAcceptKey(key)) {
    Beep();
    key = QChar();
    return;
  }
  if (code == u'\t' || code == 27 || code == u'\r' || code == u'\n') {
    key = QChar();
    return;
  }
  // Without the right to modify, typing and Backspace are dropped.
  if ((code == u'\b' || code >= 32) && !grid_->CanEditModify()) {
    key = QChar();
    return;
  }
  if (Cell().DataStyle == TDataStyle::dsNumber && code >= 32) {
    InsertNumberCharacter(key);
    key = QChar();
  }
}

void TInplaceEdit::InsertNumberCharacter(QChar ch) {
  // The character goes in at the selection's start and the selection stays part of the
  // text (unlike a paste, which replaces it). A character the number rule refuses is
  // dropped without a sound.
  const int start = SelStart();
  QString candidate = Text();
  candidate.insert(start, ch);
  int caret = start + 1;
  if (!ValidateNumberInput(Cell(), candidate, caret)) return;
  SetText(candidate);
  SetSelStart(caret);
}

bool TInplaceEdit::FilterIncomingText(QString& text) {
  if (col_ < 0 || !grid_->CanEditModify()) return false;
  if (Cell().DataStyle == TDataStyle::dsText) {
    // One line in the masked field, any number in the wrapping box.
    return Masked() ? TEdit::FilterIncomingText(text) : FilterTextByKeyPress(text, true);
  }
  const int start = SelStart();
  QString candidate = Text();
  candidate.replace(start, SelLength(), text);
  int caret = start + int(text.size());
  // A paste the number rule refuses is dropped without a sound.
  if (!ValidateNumberInput(Cell(), candidate, caret)) return false;
  // The editor takes the whole candidate itself, so nothing is left to insert.
  SetText(candidate);
  SetSelStart(caret);
  return false;
}

void TInplaceEdit::TypeCharacter(QChar ch) {
  QChar key = ch;
  EditKeyPress(key);
  if (key.isNull()) return;
  if (key != u'\b') {
    SetSelText(QString(key));
    return;
  }
  // Backspace takes the selection away, or the character before the caret.
  if (SelLength() == 0 && SelStart() > 0) {
    const int start = SelStart() - 1;
    SetSelStart(start);
    SetSelLength(1);
  }
  SetSelText(QString());
}

} // namespace fw
