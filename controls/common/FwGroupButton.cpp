#include "controls/common/FwGroupButton.h"

#include "controls/common/FwCustomRadioGroup.h"
#include "platform/ui/VirtualKeys.h"

namespace fw {

TFwGroupButton::TFwGroupButton(TFwCustomRadioGroup& group) : TFwRadioButton(&group), group_(group) {
  SetVisible(false);
  SetParent(&group);
  SetEnabled(group.Enabled());
  SetParentFont(false);
}

TFwGroupButton::~TFwGroupButton() { group_.ButtonDestroyed(this); }

bool TFwGroupButton::GroupAllows() const { return group_.CanModify(group_.IndexOfButton(this)); }

void TFwGroupButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (GroupAllows()) TFwRadioButton::MouseDown(button, shift, x, y);
}

void TFwGroupButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (GroupAllows()) TFwRadioButton::MouseUp(button, shift, x, y);
}

void TFwGroupButton::KeyDown(WORD& key, TShiftState shift) {
  if ((key == VK_SPACE || key == VK_BACK) && !GroupAllows()) {
    key = 0;
    return;
  }
  if (key == VK_UP || key == VK_LEFT || key == VK_DOWN || key == VK_RIGHT) {
    const int step = (key == VK_UP || key == VK_LEFT) ? -1 : 1;
    key = 0;
    group_.FocusNeighbour(this, step);
    return;
  }
  TFwRadioButton::KeyDown(key, shift);
}

void TFwGroupButton::KeyPress(QChar& key) {
  if ((key == QLatin1Char(' ') || key == QChar(8)) && !GroupAllows()) {
    key = QChar();
    return;
  }
  TFwRadioButton::KeyPress(key);
}

} // namespace fw
