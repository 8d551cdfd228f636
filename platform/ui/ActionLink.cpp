#include "platform/ui/ActionLink.h"

namespace fw {

TActionValues TActionValues::Of(const TAction& action) {
  return {action.Caption(), action.Hint(),    action.ImageIndex(), action.Enabled(),
          action.Visible(), action.Checked(), action.ShortCut()};
}

TActionChange TActionLink::Changed(const TAction& action) {
  TActionChange change{seen_, TActionValues::Of(action)};
  seen_ = change.Now;
  return change;
}

} // namespace fw
