#include "platform/ui/FilteredTextBox.h"

#include <QInputMethodEvent>
#include <QMimeData>

namespace fw {

void HandOnFiltered(QInputMethodEvent* event, const TTextFilter& filter,
                    const std::function<void(QInputMethodEvent*)>& handOn) {
  QString commit = event->commitString();
  if (commit.isEmpty()) {
    handOn(event);
    return;
  }
  const bool accepted = filter(commit);
  QInputMethodEvent replaced(event->preeditString(), event->attributes());
  replaced.setCommitString(accepted ? commit : QString(), event->replacementStart(), event->replacementLength());
  handOn(&replaced);
}

void TFilteredPlainTextEdit::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText() || isReadOnly()) return;
  QString text = source->text();
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  if (!filter_(text)) return;
  insertPlainText(text);
}

void TFilteredPlainTextEdit::inputMethodEvent(QInputMethodEvent* event) {
  HandOnFiltered(event, filter_, [this](QInputMethodEvent* e) { QPlainTextEdit::inputMethodEvent(e); });
}

} // namespace fw
