#include "controls/common/FwURLLabel.h"

#include "platform/shell/Hooks.h"

#include <QPointer>

namespace fw {

TFwURLLabel::TFwURLLabel(TComponent* owner) : TFwCustomLabel(owner) {
  Font().SetColor(clHighlight);
  Font().SetStyle(Font().Style() | fsUnderline);
  SetTextStyle(TTextStyle::tsNormal);
  SetCursor(crHandPoint);
}

void TFwURLLabel::SetVisited(bool value) {
  visited_ = value;
  UpdateFontColor();
}

void TFwURLLabel::SetUnvisitedColor(TColor value) {
  unvisitedColor_ = value;
  UpdateFontColor();
}

void TFwURLLabel::SetVisitedColor(TColor value) {
  visitedColor_ = value;
  UpdateFontColor();
}

void TFwURLLabel::UpdateFontColor() { Font().SetColor(visited_ ? visitedColor_ : unvisitedColor_); }

void TFwURLLabel::Click() {
  QPointer<QWidget> self(this);
  TFwCustomLabel::Click();
  if (!self) return;
  const QString target = url_.trimmed().isEmpty() ? Caption().trimmed() : url_.trimmed();
  if (target.isEmpty()) return;
  if (OpenWithDefaultProgram(target)) SetVisited(true);
}

} // namespace fw
