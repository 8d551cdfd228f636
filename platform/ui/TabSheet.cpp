#include "platform/ui/TabSheet.h"

#include "platform/ui/PageControl.h"

namespace fw {

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

void TTabSheet::SetPageControl(TPageControl* value) {
  if (pageControl_ || !value) return;
  pageControl_ = value;
  SetParent(value);
  value->InsertPage(this);
}

int TTabSheet::PageIndex() const { return pageControl_ ? pageControl_->IndexOf(this) : -1; }

void TTabSheet::StoreText(const QString& value) {
  caption_ = value;
  if (pageControl_) pageControl_->PageCaptionChanged(this);
}

} // namespace fw
