#include "controls/navigation/FwSizePanelDockManager.h"

#include "controls/navigation/FwSizePanel.h"

#include <algorithm>

namespace fw {

TFwSizePanelDockManager::TFwSizePanelDockManager(TFwCustomSizePanel& site) : TFwPanelDockManager(site), panel_(site) {}

void TFwSizePanelDockManager::AdjustDockRect(TRect& r) const {
  TFwPanelDockManager::AdjustDockRect(r);
  const TRect bar = panel_.SizeBarRect();
  if (bar.IsEmpty()) return;
  if (bar.Left > 0) r.Right = std::min(r.Right, bar.Left);                        // bar on the right
  else if (bar.Top > 0) r.Bottom = std::min(r.Bottom, bar.Top);                   // bar at the bottom
  else if (bar.Width() < panel_.Width()) r.Left = std::max(r.Left, bar.Right);    // bar on the left
  else r.Top = std::max(r.Top, bar.Bottom);                                       // bar at the top
}

} // namespace fw
