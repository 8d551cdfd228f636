#pragma once
// TFwSpacer: the gap between tool buttons, optionally with a groove down its middle.
// Changing the orientation swaps its width and height.

#include "controls/common/FwCommon.h"
#include "platform/ui/GraphicControl.h"

namespace fw {

class TFwSpacer : public TGraphicControl {
public:
  explicit TFwSpacer(TComponent* owner);

  bool Grooved() const { return grooved_; }
  void SetGrooved(bool value);
  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation value);

protected:
  void Paint() override;

private:
  bool grooved_ = false;
  TOrientation orientation_ = TOrientation::orHorizontal;
};

} // namespace fw
