#pragma once
// TFwTabCloseButton: the close button at the end of a tab strip. A click, while a tab is
// selected, asks OnClose with AllowClose starting false; only a handler that sets it
// true has the strip close its active tab. Without a handler nothing is ever closed.

#include "controls/navigation/FwTabButton.h"

#include <functional>

namespace fw {

using TFwTabCloseEvent = std::function<void(TObject* sender, bool& allowClose)>;

class TFwTabCloseButton : public TFwTabButton {
public:
  TFwTabCloseButton(TFwCustomTabControl& tabControl, TComponent* owner);

  TFwTabCloseEvent OnClose;

protected:
  void ButtonClick() override;
  void DrawGlyph(TCanvas& canvas, const TRect& r) override;
};

} // namespace fw
