#include "grid/InplaceEdit.h"

#include "grid/CellText.h"
#include "grid/CustomEasyGrid.h"
#include "grid/NumberInput.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/VirtualKeys.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>

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

TInplaceEdit::TInplaceEdit(TCustomEasyGrid* grid) : TEdit(grid), grid_(grid) {
  Widget()->setFrame(false);
  // The text starts two pixels in from the cell's left, top and right edges.
  Widget()->setTextMargins(2, 2, 2, 0);
  SetTabStop(false);
  Widget()->setFocusPolicy(Qt::StrongFocus);
  SetVisible(false);
  SetParent(grid);
}

const TCellInfo& TInplaceEdit::Cell() const { return grid_->GetCellInfo(col_, row_); }

void TInplaceEdit::SetEditMask(const QString& mask) {
  editMask_ = mask;
  Widget()->setInputMask(EditMaskToInputMask(mask));
}

QString TInplaceEdit::EditText() const {
  const QString text = Text();
  if (editMask_.isEmpty()) return text;
  // A masked field left blank reads as its literals only: that is an empty text.
  for (QChar c : text)
    if (c.isLetterOrNumber()) return text;
  return QString();
}

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
  // Inside the cell's lines: the left and top line belong to the cell before.
  SetBounds(r.Left + 1, r.Top + 1, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1));
}

bool TInplaceEdit::Commit() {
  if (col_ < 0 || finishing_) return true;
  const QString text = EditText();
  // The mask judges only a text the user changed, and a blank field is no error.
  if (!editMask_.isEmpty() && text != startText_ && !text.isEmpty() && !Widget()->hasAcceptableInput()) {
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
  if (Widget()->hasFocus() && grid_->isVisible()) grid_->setFocus(Qt::OtherFocusReason);
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

bool TInplaceEdit::CaretAtStart() const { return SelLength() == 0 && Widget()->cursorPosition() == 0; }

bool TInplaceEdit::CaretAtEnd() const {
  return SelLength() == 0 && Widget()->cursorPosition() == int(Widget()->text().size());
}

void TInplaceEdit::KeyDown(WORD& key, TShiftState shift) {
  TEdit::KeyDown(key, shift);
  if (!key || col_ < 0) return;
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
    key = 0;
    Rollback();
    return;
  case VK_TAB: key = 0; return;
  case VK_UP:
  case VK_DOWN:
  case VK_PRIOR:
  case VK_NEXT: break;
  case VK_LEFT:
  case VK_HOME:
    if (!CaretAtStart()) return;
    break;
  case VK_RIGHT:
  case VK_END:
    if (!CaretAtEnd()) return;
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
  if ((code == u'\b' || code >= 32) && !grid_->CanEditModify()) {
    Beep();
    key = QChar();
    return;
  }
  if (Cell().DataStyle == TDataStyle::dsNumber && code >= 32) {
    InsertNumberCharacter(key);
    key = QChar();
  }
}

void TInplaceEdit::InsertNumberCharacter(QChar ch) {
  // The character takes the place of the selection, as a paste does.
  const int start = SelStart();
  QString candidate = Text();
  candidate.remove(start, SelLength());
  candidate.insert(start, ch);
  int caret = start + 1;
  if (!ValidateNumberInput(Cell(), candidate, caret)) {
    Beep();
    return;
  }
  SetText(candidate);
  SetSelStart(caret);
}

bool TInplaceEdit::FilterIncomingText(QString& text) {
  if (col_ < 0) return false;
  if (!grid_->CanEditModify()) {
    Beep();
    return false;
  }
  if (Cell().DataStyle == TDataStyle::dsText) return TEdit::FilterIncomingText(text);
  const int start = SelStart();
  QString candidate = Text();
  candidate.replace(start, SelLength(), text);
  int caret = start + int(text.size());
  if (!ValidateNumberInput(Cell(), candidate, caret)) {
    Beep();
    return false;
  }
  // The editor takes the whole candidate itself, so nothing is left to insert.
  SetText(candidate);
  SetSelStart(caret);
  return false;
}

void TInplaceEdit::TypeCharacter(QChar ch) {
  QChar key = ch;
  EditKeyPress(key);
  if (!key.isNull()) SetSelText(QString(key));
}

} // namespace fw
