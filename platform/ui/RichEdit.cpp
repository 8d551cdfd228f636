#include "platform/ui/RichEdit.h"

#include "platform/ui/FilteredTextArea.h"

#include <QFile>
#include <QFileInfo>
#include <QTextEdit>

namespace fw {

namespace {

bool IsHtmlFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

} // namespace

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner), edit_(new TFilteredTextArea<QTextEdit, TRichEdit>(*this)) {
  resize(185, 89);
  SetParentColor(false);
  SetColor(clWindow);
  AdoptInner(edit_);
  SetTabStop(true);
  edit_->setTabChangesFocus(true);
  edit_->setAcceptRichText(false);
  SetScrollBars(TScrollStyle::ssBoth);
  QObject::connect(edit_, &QTextEdit::textChanged, edit_, [this] { DoChange(); });
}

bool TRichEdit::ReadOnly() const { return edit_->isReadOnly(); }

void TRichEdit::SetReadOnly(bool value) { edit_->setReadOnly(value); }

void TRichEdit::SetWordWrap(bool value) {
  wordWrap_ = value;
  edit_->setLineWrapMode(value ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TRichEdit::SetScrollBars(TScrollStyle value) {
  scrollBars_ = value;
  const bool h = value == TScrollStyle::ssHorizontal || value == TScrollStyle::ssBoth;
  const bool v = value == TScrollStyle::ssVertical || value == TScrollStyle::ssBoth;
  edit_->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  edit_->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

QStringList TRichEdit::Lines() const {
  const QString text = edit_->toPlainText();
  if (text.isEmpty()) return {};
  return text.split(QLatin1Char('\n'));
}

void TRichEdit::Clear() { edit_->clear(); }

bool TRichEdit::LoadFromFile(const QString& path) {
  Clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QString content = QString::fromUtf8(file.readAll());
  if (IsHtmlFile(path)) edit_->setHtml(content);
  else edit_->setPlainText(content);
  return true;
}

QString TRichEdit::Html() const { return edit_->toHtml(); }

void TRichEdit::SetHtml(const QString& html) { edit_->setHtml(html); }

bool TRichEdit::FilterIncomingText(QString& text) { return FilterTextByKeyPress(text, true); }

void TRichEdit::DoChange() {
  if (OnChange) OnChange(this);
}

QString TRichEdit::GetText() const { return edit_->toPlainText(); }

void TRichEdit::StoreText(const QString& value) { edit_->setPlainText(value); }

} // namespace fw
