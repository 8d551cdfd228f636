#include "controls/common/FwSpacer.h"

#include "controls/common/FwToolbar.h"
#include "platform/ui/Setters.h"

namespace fw {

TFwSpacer::TFwSpacer(TComponent* owner) : TGraphicControl(owner) { resize(8, 25); }

void TFwSpacer::SetGrooved(bool value) { SetAndInvalidate(*this, grooved_, value); }

void TFwSpacer::SetOrientation(TOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
  if (auto* bar = dynamic_cast<TFwToolbar*>(Parent())) bar->ControlChanged();
}

void TFwSpacer::Paint() {
  if (!grooved_) return;
  TCanvas& canvas = Canvas();
  // A two-line groove across the middle of the long axis: shadow, then highlight.
  if (Width() <= Height()) {
    const int x = Width() / 2 - 1;
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(x, 0);
    canvas.LineTo(x, Height());
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(x + 1, 0);
    canvas.LineTo(x + 1, Height());
  } else {
    const int y = Height() / 2 - 1;
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(0, y);
    canvas.LineTo(Width(), y);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(0, y + 1);
    canvas.LineTo(Width(), y + 1);
  }
}

} // namespace fw
