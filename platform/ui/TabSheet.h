#pragma once
// TTabSheet: one page of a page control (PageControl.h). Its children are placed in the
// page's own coordinates; its caption is the page's tab.

#include "platform/ui/WinControl.h"

namespace fw {

class TPageControl;

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* owner);

  TPageControl* PageControl() const { return pageControl_; }
  // Adds the sheet as the page control's last page (once; a sheet does not move).
  void SetPageControl(TPageControl* value);
  int PageIndex() const;

protected:
  QString GetText() const override { return caption_; }
  void StoreText(const QString& value) override;

private:
  TPageControl* pageControl_ = nullptr;
  QString caption_;
};

} // namespace fw
