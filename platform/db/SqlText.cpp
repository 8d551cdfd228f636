#include "platform/db/SqlText.h"

namespace fw {

void TSqlText::Clear() {
  lines_.clear();
  Changed();
}

void TSqlText::Add(const QString& line) {
  lines_ << line;
  Changed();
}

void TSqlText::SetText(const QString& text) {
  lines_ = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
  Changed();
}

void TSqlText::Changed() {
  if (OnChange) OnChange();
}

} // namespace fw
