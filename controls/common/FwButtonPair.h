#pragma once
// TFwButtonPair: the child window of a button edit that holds its two small buttons,
// Button (shown) and AltBtn (hidden until asked for). Presses and clicks of either
// button are routed through the pair to its edit; Enabled, Color and Flat of the pair
// are passed on to both buttons.

#include "controls/common/FwControlButton.h"
#include "platform/ui/WinControl.h"

namespace fw {

class TFwButtonPair : public TWinControl {
public:
  explicit TFwButtonPair(TComponent* owner);

  TFwControlButton* AltBtn() const { return altBtn_; }
  TFwControlButton* Button() const { return button_; }
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value) { focusControl_ = value; }
  bool Flat() const { return flat_; }
  void SetFlat(bool value);

  // Width of the buttons that are shown (0 when none).
  int ShownWidth() const;
  // Places the shown buttons from the left edge, Button first, each one pixel less high
  // than the pair.
  void ArrangeButtons();

  void SetEnabled(bool value) override;

  TNotifyEvent OnAltBtnClick;
  TNotifyEvent OnButtonClick;
  // A left press on either button, before the button takes it; setting `abandon`
  // drops the press so that it makes no click.
  std::function<void(TFwControlButton*, bool& abandon)> OnButtonPress;

protected:
  virtual void DoAltBtnClick();
  virtual void DoButtonClick();
  void ColorChanged() override;

private:
  void Wire(TFwControlButton* button, bool alt);

  TFwControlButton* altBtn_ = nullptr;
  TFwControlButton* button_ = nullptr;
  TWinControl* focusControl_ = nullptr;
  bool flat_ = false;
  bool abandoned_ = false;
};

} // namespace fw
