#include "platform/ui/PageControl.h"

#include "platform/ui/TabSheet.h"

#include <QTabWidget>

namespace fw {

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner), tabs_(new QTabWidget) {
  resize(289, 193);
  AdoptInner(tabs_);
  SetTabStop(true);
}

int TPageControl::PageCount() const { return tabs_->count(); }

TTabSheet* TPageControl::Pages(int index) const { return dynamic_cast<TTabSheet*>(tabs_->widget(index)); }

int TPageControl::IndexOf(const TTabSheet* page) const { return tabs_->indexOf(const_cast<TTabSheet*>(page)); }

int TPageControl::ActivePageIndex() const { return tabs_->currentIndex(); }

void TPageControl::SetActivePageIndex(int index) {
  if (index >= 0 && index < PageCount()) tabs_->setCurrentIndex(index);
}

void TPageControl::InsertPage(TTabSheet* page) { tabs_->addTab(page, page->Caption()); }

void TPageControl::PageCaptionChanged(TTabSheet* page) {
  const int index = IndexOf(page);
  if (index >= 0) tabs_->setTabText(index, page->Caption());
}

} // namespace fw
