#pragma once
// TFwTabSheet: one page of a TFwPageControl. It fills the page control's display
// rectangle, is shown only while it is the active page, and gives the page control what
// its tab shows (caption, colour, images, enabled, visible). A sheet that belongs to no
// page control is free and hidden.

#include "platform/ui/CustomControl.h"

#include <functional>

namespace fw {

class TCanvas;
class TFwPageControl;

class TFwTabSheet : public TCustomControl {
public:
  using TPaintBackgroundEvent = std::function<void(TObject*, TCanvas&, const TRect&, bool& handled)>;

  explicit TFwTabSheet(TComponent* owner);
  ~TFwTabSheet() override;

  TFwPageControl* PageControl() const { return pageControl_; }
  // Leaves the old page control (if any), then joins the new one as its last page.
  virtual void SetPageControl(TFwPageControl* value);
  // Position in the page control's pages; -1 without a page control.
  int PageIndex() const;
  // Moves the sheet among the pages. Throws EListError for an index outside the pages.
  virtual void SetPageIndex(int value);
  // The index of the sheet's tab: -1 while the tab is hidden, else the number of pages
  // before it whose tab is shown.
  int TabIndex() const;

  int DisabledIndex() const { return disabledIndex_; }
  virtual void SetDisabledIndex(int value);
  int ImageIndex() const { return imageIndex_; }
  virtual void SetImageIndex(int value);
  bool TabEnabled() const { return tabEnabled_; }
  virtual void SetTabEnabled(bool value);
  bool TabVisible() const { return tabVisible_; }
  virtual void SetTabVisible(bool value);

  TPaintBackgroundEvent OnPaintBackground;

protected:
  // Raises OnPaintBackground; true when the handler painted the background itself.
  virtual bool DoPaintBackground(TCanvas& canvas, const TRect& r);
  void Paint() override;
  void ColorChanged() override;
  void TextChanged() override;

private:
  friend class TFwPageControl;
  void TabChanged();

  TFwPageControl* pageControl_ = nullptr;
  int disabledIndex_ = -1;
  int imageIndex_ = -1;
  bool tabEnabled_ = true;
  bool tabVisible_ = true;
};

} // namespace fw
