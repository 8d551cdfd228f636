#include "controls/navigation/FwTabSheet.h"

#include "controls/navigation/FwPageControl.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Setters.h"

namespace fw {

TFwTabSheet::TFwTabSheet(TComponent* owner) : TCustomControl(owner) {
  SetParentColor(false);
  SetColor(clBtnFace);
  SetAlign(TAlign::alClient);
  // A new sheet stays hidden until it becomes the active page.
  SetVisible(false);
}

TFwTabSheet::~TFwTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TFwTabSheet::SetPageControl(TFwPageControl* value) {
  if (value == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  SetParent(value);
  if (value) value->InsertPage(this);
}

int TFwTabSheet::PageIndex() const {
  return pageControl_ ? pageControl_->IndexOfPage(this) : -1;
}

void TFwTabSheet::SetPageIndex(int value) {
  if (!pageControl_) return;
  pageControl_->MovePage(this, value);
}

int TFwTabSheet::TabIndex() const {
  if (!tabVisible_ || !pageControl_) return -1;
  int index = 0;
  for (int i = 0; i < pageControl_->PageCount(); ++i) {
    const TFwTabSheet* page = pageControl_->Pages(i);
    if (page == this) return index;
    if (page->TabVisible()) ++index;
  }
  return -1;
}

void TFwTabSheet::TabChanged() {
  if (pageControl_) pageControl_->RebuildTabs();
}

void TFwTabSheet::SetDisabledIndex(int value) {
  if (StoreIfChanged(disabledIndex_, value)) TabChanged();
}

void TFwTabSheet::SetImageIndex(int value) {
  if (StoreIfChanged(imageIndex_, value)) TabChanged();
}

void TFwTabSheet::SetTabEnabled(bool value) {
  if (StoreIfChanged(tabEnabled_, value)) TabChanged();
}

void TFwTabSheet::SetTabVisible(bool value) {
  if (StoreIfChanged(tabVisible_, value)) TabChanged();
}

void TFwTabSheet::ColorChanged() {
  TCustomControl::ColorChanged();
  // A sheet coloured apart from its page control needs coloured tabs to show it.
  if (pageControl_ && Color() != pageControl_->Color() && !pageControl_->UseColoredTabs())
    pageControl_->SetUseColoredTabs(true);
  TabChanged();
  Invalidate();
}

void TFwTabSheet::TextChanged() {
  TCustomControl::TextChanged();
  TabChanged();
}

bool TFwTabSheet::DoPaintBackground(TCanvas& canvas, const TRect& r) {
  bool handled = false;
  if (OnPaintBackground) OnPaintBackground(this, canvas, r, handled);
  return handled;
}

void TFwTabSheet::Paint() {
  TCanvas& canvas = Canvas();
  const TRect r = Rect(0, 0, Width(), Height());
  if (!DoPaintBackground(canvas, r)) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
  }
  TCustomControl::Paint();
}

} // namespace fw
