#include "platform/ui/Memo.h"

#include "platform/ui/FilteredTextArea.h"

#include <QPlainTextEdit>

namespace fw {

TMemo::TMemo(TComponent* owner) : TWinControl(owner), memo_(new TFilteredTextArea<QPlainTextEdit, TMemo>(*this)) {
  resize(185, 89);
  SetParentColor(false);
  SetColor(clWindow);
  AdoptInner(memo_);
  SetTabStop(true);
  memo_->setTabChangesFocus(true);
  SetScrollBars(TScrollStyle::ssNone);
  QObject::connect(memo_, &QPlainTextEdit::textChanged, memo_, [this] { DoChange(); });
}

QStringList TMemo::Lines() const {
  const QString text = memo_->toPlainText();
  if (text.isEmpty()) return {};
  QStringList lines = text.split(QLatin1Char('\n'));
  return lines;
}

void TMemo::SetLines(const QStringList& lines) { SetText(lines.join(QLatin1Char('\n'))); }

void TMemo::AddLine(const QString& line) { memo_->appendPlainText(line); }

bool TMemo::ReadOnly() const { return memo_->isReadOnly(); }

void TMemo::SetReadOnly(bool value) { memo_->setReadOnly(value); }

void TMemo::SetWordWrap(bool value) {
  wordWrap_ = value;
  memo_->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle value) {
  scrollBars_ = value;
  const bool h = value == TScrollStyle::ssHorizontal || value == TScrollStyle::ssBoth;
  const bool v = value == TScrollStyle::ssVertical || value == TScrollStyle::ssBoth;
  memo_->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  memo_->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

bool TMemo::FilterIncomingText(QString& text) { return FilterTextByKeyPress(text, true); }

void TMemo::DoChange() {
  if (OnChange) OnChange(this);
}

QString TMemo::GetText() const { return memo_->toPlainText(); }

void TMemo::StoreText(const QString& value) { memo_->setPlainText(value); }

} // namespace fw
