#pragma once
// TFilteredTextArea<QtEdit, Owner>: the Qt multi-line text widget (QPlainTextEdit,
// QTextEdit) inside TMemo and TRichEdit. Text that arrives in one piece - paste, drop,
// middle-click paste, input-method commits - passes the owner's key filter first, and
// Enter is left to the form (its default button) unless the owner wants returns.

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace fw {

template <class QtEdit, class Owner>
class TFilteredTextArea : public QtEdit {
public:
  explicit TFilteredTextArea(Owner& owner) : owner_(owner) {}

protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !owner_.WantReturns()) {
      event->ignore();
      return;
    }
    QtEdit::keyPressEvent(event);
  }

  // Paste, drop and middle-click paste all arrive here; they bring plain text.
  void insertFromMimeData(const QMimeData* source) override {
    if (!source->hasText() || this->isReadOnly()) return;
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!owner_.FilterIncomingText(text)) return;
    this->insertPlainText(text);
  }

  void inputMethodEvent(QInputMethodEvent* event) override {
    QString commit = event->commitString();
    if (commit.isEmpty()) {
      QtEdit::inputMethodEvent(event);
      return;
    }
    const bool accepted = owner_.FilterIncomingText(commit);
    QInputMethodEvent replaced(event->preeditString(), event->attributes());
    replaced.setCommitString(accepted ? commit : QString(), event->replacementStart(), event->replacementLength());
    QtEdit::inputMethodEvent(&replaced);
  }

private:
  Owner& owner_;
};

} // namespace fw
