#include "platform/ui/Edit.h"

#include "platform/shell/Hooks.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpression>

namespace fw {

namespace {

// Only the first line of a multi-line text goes into a one-line box.
QString FirstLine(const QString& text) {
  const int end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  return end < 0 ? text : text.left(end);
}

// The line edit of a TEdit: every route by which text arrives in one piece passes the
// edit's key filter first.
class FilteredLineEdit : public QLineEdit {
public:
  explicit FilteredLineEdit(TEdit& owner) : owner_(owner) {}

  void FilteredPaste(QClipboard::Mode mode) {
    if (isReadOnly()) return;
    QString text = FirstLine(QGuiApplication::clipboard()->text(mode));
    if (text.isEmpty()) return;
    if (!owner_.FilterIncomingText(text)) return;
    insert(text);
  }

protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Paste)) {
      FilteredPaste(QClipboard::Clipboard);
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

  // Qt selects the whole text on a Tab entry by itself; the edit's AutoSelect decides.
  void focusInEvent(QFocusEvent* event) override {
    const Qt::FocusReason reason = event->reason();
    const bool byKey =
        reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    const bool selected = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (byKey && !selected && !owner_.AutoSelect()) deselect();
  }

  // A handler of the exit may have taken the focus back at once (a field that refuses to
  // be left): the focus-out is over then, and Qt's handling of it would clear the
  // selection and hide the caret of the entry that followed.
  void focusOutEvent(QFocusEvent* event) override {
    const Qt::FocusReason reason = event->reason();
    const bool windowChange = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    if (!windowChange && hasFocus()) return;
    QLineEdit::focusOutEvent(event);
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
      FilteredPaste(QClipboard::Selection);
      event->accept();
      return;
    }
    QLineEdit::mouseReleaseEvent(event);
  }

  void dropEvent(QDropEvent* event) override {
    if (!event->mimeData()->hasText() || isReadOnly()) {
      event->ignore();
      return;
    }
    // The filter judges the text where it lands: the caret goes to the drop point first,
    // and a refused drop gives the caret and selection back.
    const int caret = cursorPosition();
    const int selStart = selectionStart();
    const int selLength = selectionLength();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    QString text = FirstLine(event->mimeData()->text());
    if (!owner_.FilterIncomingText(text)) {
      if (selLength > 0) setSelection(selStart, selLength);
      else setCursorPosition(caret);
      event->ignore();
      return;
    }
    insert(text);
    event->acceptProposedAction();
  }

  void inputMethodEvent(QInputMethodEvent* event) override {
    QString commit = event->commitString();
    if (commit.isEmpty()) {
      QLineEdit::inputMethodEvent(event);
      return;
    }
    const bool accepted = owner_.FilterIncomingText(commit);
    // A refused commit still ends the composition, so the pre-edit text goes away.
    QInputMethodEvent replaced(event->preeditString(), event->attributes());
    replaced.setCommitString(accepted ? commit : QString(), event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&replaced);
  }

  // The edit's own menu rather than the standard one: the standard menu's paste goes
  // round the key filter, and its items cannot be told apart reliably in every Qt
  // version. Same items, same enabling rules, paste through the filter.
  void contextMenuEvent(QContextMenuEvent* event) override {
    QPointer<QMenu> menu = new QMenu(this);
    const bool writable = !isReadOnly();
    const bool selection = hasSelectedText();
    const bool visibleText = echoMode() == QLineEdit::Normal;
    const bool removable = writable && selection && owner_.CanRemoveText();
    auto add = [&](const char* text, QKeySequence::StandardKey key, bool enabled, auto slot) {
      QAction* action = menu->addAction(QLineEdit::tr(text), this, slot);
      if (key != QKeySequence::UnknownKey) action->setShortcut(key);
      action->setEnabled(enabled);
    };
    add("&Undo", QKeySequence::Undo, writable && isUndoAvailable(), [this] { undo(); });
    add("&Redo", QKeySequence::Redo, writable && isRedoAvailable(), [this] { redo(); });
    menu->addSeparator();
    add("Cu&t", QKeySequence::Cut, removable && visibleText, [this] { cut(); });
    add("&Copy", QKeySequence::Copy, selection && visibleText, [this] { copy(); });
    add("&Paste", QKeySequence::Paste, writable && !QGuiApplication::clipboard()->text().isEmpty(),
        [this] { FilteredPaste(QClipboard::Clipboard); });
    add("Delete", QKeySequence::UnknownKey, removable, [this] { del(); });
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, !text().isEmpty() && selectedText() != text(), [this] { selectAll(); });
    menu->exec(event->globalPos());
    delete menu.data();
  }

private:
  TEdit& owner_;
};

} // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner), edit_(new FilteredLineEdit(*this)) {
  resize(121, 21);
  SetParentColor(false);
  SetColor(clWindow);
  AdoptInner(edit_);
  SetTabStop(true);
  edit_->setFrame(true);
  QObject::connect(edit_, &QLineEdit::textChanged, edit_, [this] { DoChange(); });
}

void TEdit::SetMaxLength(int value) {
  maxLength_ = std::max(0, value);
  edit_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

bool TEdit::ReadOnly() const { return edit_->isReadOnly(); }

void TEdit::SetReadOnly(bool value) { edit_->setReadOnly(value); }

void TEdit::SetPasswordChar(QChar value) {
  passwordChar_ = value;
  edit_->setEchoMode(value.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

bool TEdit::Modified() const { return edit_->isModified(); }

void TEdit::SetModified(bool value) { edit_->setModified(value); }

int TEdit::SelStart() const { return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition(); }

void TEdit::SetSelStart(int value) { edit_->setCursorPosition(value); }

int TEdit::SelLength() const { return edit_->selectionLength(); }

void TEdit::SetSelLength(int value) { edit_->setSelection(SelStart(), value); }

QString TEdit::SelText() const { return edit_->selectedText(); }

void TEdit::SetSelText(const QString& value) { edit_->insert(value); }

void TEdit::SelectAll() { edit_->selectAll(); }

bool TEdit::FilterIncomingText(QString& text) { return FilterTextByKeyPress(text, false); }

void TEdit::DoChange() {
  if (OnChange) OnChange(this);
}

// Entered other than by a mouse press on the edit (keys, a program's SetFocus, a window
// shown): the whole text is selected, after any change of it on entry, so that typing
// replaces it. A press keeps the caret where the mouse puts it.
void TEdit::DoEnter() {
  if (autoSelect_ && !enteringByMouse_) edit_->selectAll();
  TWinControl::DoEnter();
}

bool TEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_ || event->type() != QEvent::FocusIn) return TWinControl::eventFilter(watched, event);
  enteringByMouse_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
  QPointer<TEdit> self(this);
  const bool handled = TWinControl::eventFilter(watched, event);
  if (self) enteringByMouse_ = false;
  return handled;
}

QString TEdit::GetText() const { return edit_->text(); }

void TEdit::StoreText(const QString& value) { edit_->setText(value); }

} // namespace fw
