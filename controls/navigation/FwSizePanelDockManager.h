#pragma once
// TFwSizePanelDockManager: the dock manager of a size panel. Docked clients keep clear of
// the size bar as well as of their grabbers, so the bar stays free to drag.

#include "controls/common/FwPanelDockManager.h"

namespace fw {

class TFwCustomSizePanel;

class TFwSizePanelDockManager : public TFwPanelDockManager {
public:
  explicit TFwSizePanelDockManager(TFwCustomSizePanel& site);

  void AdjustDockRect(TRect& r) const override;

private:
  TFwCustomSizePanel& panel_;
};

} // namespace fw
