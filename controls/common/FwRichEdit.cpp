#include "controls/common/FwRichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QTextEdit>
#include <QTextLayout>

namespace fw {

TFwRichEdit::TFwRichEdit(TComponent* owner) : TFwTextBox<TRichEdit>(owner) {}

// Disabling takes the input away but leaves the text as it was drawn: the box reads as
// before, in its disabled colour.
void TFwRichEdit::SetEnabled(bool value) {
  if (value == Enabled()) return;
  if (!value && Parent() && Focused()) MoveFocusAway();
  if (!value) enabledInteraction_ = Widget()->textInteractionFlags();
  TRichEdit::SetEnabled(value);
  if (!value) {
    // The widgets stay enabled, so that the text is not drawn greyed; they take no input.
    QWidget::setEnabled(true);
    Widget()->setTextInteractionFlags(Qt::NoTextInteraction);
    Widget()->setFocusPolicy(Qt::NoFocus);
  } else {
    Widget()->setTextInteractionFlags(enabledInteraction_);
    Widget()->setFocusPolicy(Qt::StrongFocus);
  }
  UpdateColors();
}

// The focus goes to the next control of the window that takes it by Tab.
void TFwRichEdit::MoveFocusAway() {
  for (QWidget* w = Widget()->nextInFocusChain(); w && w != Widget(); w = w->nextInFocusChain()) {
    if (w == this || isAncestorOf(w)) continue;
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && w->window() == window()) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
  Widget()->clearFocus();
}

// The formatted box scrolls by pixels: the line's top becomes the scroll value.
void TFwRichEdit::ScrollLineToTop(int position) {
  const QTextBlock block = Widget()->document()->findBlock(position);
  const QRectF box = Widget()->document()->documentLayout()->blockBoundingRect(block);
  const QTextLine line = block.layout()->lineForTextPosition(position - block.position());
  Widget()->verticalScrollBar()->setValue(int(box.top() + (line.isValid() ? line.y() : 0)));
}

} // namespace fw
