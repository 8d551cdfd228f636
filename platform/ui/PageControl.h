#pragma once
// TPageControl: the desktop's page control, a set of pages (TTabSheet) of which one is
// shown, chosen by its tab along the top.

#include "platform/ui/WinControl.h"

class QTabWidget;

namespace fw {

class TTabSheet;

class TPageControl : public TWinControl {
public:
  explicit TPageControl(TComponent* owner);

  int PageCount() const;
  TTabSheet* Pages(int index) const;
  int IndexOf(const TTabSheet* page) const;
  int ActivePageIndex() const;
  // An index outside the pages is ignored.
  void SetActivePageIndex(int index);
  TTabSheet* ActivePage() const { return Pages(ActivePageIndex()); }

  QTabWidget* Widget() const { return tabs_; }

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void PageCaptionChanged(TTabSheet* page);

  QTabWidget* tabs_;
};

} // namespace fw
