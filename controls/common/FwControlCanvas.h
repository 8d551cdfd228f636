#pragma once
// The canvas a control paints through inside its Paint(): a TCanvas over the painter of
// the paint event in progress, set to the control's font. Controls create one at the top
// of Paint() so that every painter of the library draws with the desktop's pixel rules.

#include "platform/ui/Canvas.h"
#include "platform/ui/Graphics.h"

class QPainter;

namespace fw {

class TFwControlCanvas : public TCanvas {
public:
  TFwControlCanvas(QPainter* painter, const TFont& font) : TCanvas(painter) { Font().Assign(font); }
};

} // namespace fw
