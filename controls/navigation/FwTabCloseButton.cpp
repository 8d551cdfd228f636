#include "controls/navigation/FwTabCloseButton.h"

#include "controls/common/FwGlyphs.h"
#include "controls/navigation/FwTabControl.h"

#include <QPointer>

namespace fw {

TFwTabCloseButton::TFwTabCloseButton(TFwCustomTabControl& tabControl, TComponent* owner)
    : TFwTabButton(tabControl, owner) {}

void TFwTabCloseButton::ButtonClick() {
  if (TabControl().TabIndex() < 0) return;
  bool allowClose = false;
  QPointer<TFwCustomTabControl> control(&TabControl());
  if (OnClose) OnClose(this, allowClose);
  if (allowClose && control) control->CloseActiveTab();
}

void TFwTabCloseButton::DrawGlyph(TCanvas& canvas, const TRect& r) {
  DrawCloseGlyph(canvas, r, fwGlyphClassic, TabControl().TabIndex() >= 0, Pressed());
}

} // namespace fw
