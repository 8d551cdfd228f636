#pragma once
// The text boxes' filter on text that arrives in one piece: an input-method commit, and
// (for the multi-line box) paste, drop and middle-click paste. The filter is the
// control's key filter (TEdit::FilterIncomingText, TMemo::FilterIncomingText): it may
// change the text, or refuse it whole.

#include <QPlainTextEdit>
#include <functional>

class QInputMethodEvent;

namespace fw {

// Returns false to refuse the text; otherwise the text as it is to be inserted.
using TTextFilter = std::function<bool(QString& text)>;

// Hands an input-method event on with its commit filtered, and emptied when refused (a
// refused commit still ends the composition, so the pre-edit text goes). An event
// without a commit is handed on as it is.
void HandOnFiltered(QInputMethodEvent* event, const TTextFilter& filter,
                    const std::function<void(QInputMethodEvent*)>& handOn);

// A multi-line plain-text box whose incoming text passes the filter.
class TFilteredPlainTextEdit : public QPlainTextEdit {
public:
  explicit TFilteredPlainTextEdit(TTextFilter filter) : filter_(std::move(filter)) {}

protected:
  // Paste, drop and middle-click paste all arrive here.
  void insertFromMimeData(const QMimeData* source) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

private:
  TTextFilter filter_;
};

} // namespace fw
