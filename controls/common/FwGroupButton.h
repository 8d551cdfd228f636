#pragma once
// TFwGroupButton: a radio button that a radio group creates for one of its lines. It asks
// the group before the user may check it: a mouse press or release, Space or Backspace
// is passed on only when the group's CanModify allows it. The arrow keys move to the
// previous or next button of the group.

#include "controls/common/FwRadioButton.h"

namespace fw {

class TFwCustomRadioGroup;

class TFwGroupButton : public TFwRadioButton {
public:
  explicit TFwGroupButton(TFwCustomRadioGroup& group);
  ~TFwGroupButton() override;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(QChar& key) override;

private:
  bool GroupAllows() const;
  TFwCustomRadioGroup& group_;
};

} // namespace fw
