#pragma once
// TFwPageControl: a tab control whose tabs stand for pages (TFwTabSheet). It keeps the
// tab list in step with its pages, shows the active page in the card and hides the
// others. Selecting a tab asks OnChanging with the old page still active; when allowed
// the new page is shown before TabIndex changes, so OnChange and OnPageChange see the
// new page. Ctrl+Tab and Ctrl+Shift+Tab step through the pages with a shown tab.
// As a dock site it gives every control docked into it a sheet of its own.

#include "controls/navigation/FwTabControl.h"

#include <QPointer>
#include <functional>
#include <vector>

namespace fw {

class TFwTabSheet;

class TFwPageControl : public TFwCustomTabControl {
public:
  using TTabOrderChangeEvent = std::function<void(TObject*, int oldIndex, int newIndex)>;

  explicit TFwPageControl(TComponent* owner);
  ~TFwPageControl() override;

  TFwTabSheet* Pages(int index) const { return pages_.at(size_t(index)); }
  int PageCount() const { return int(pages_.size()); }
  int IndexOfPage(const TFwTabSheet* page) const;

  TFwTabSheet* ActivePage() const { return activePage_; }
  // A page of another page control is ignored. A page without a shown tab (or nullptr)
  // is switched to directly; otherwise its tab is selected, which asks OnChanging.
  void SetActivePage(TFwTabSheet* page);
  int ActivePageIndex() const { return activePage_ ? IndexOfPage(activePage_) : -1; }
  void SetActivePageIndex(int index);
  // The page shown after loading, in place of ActivePage.
  TFwTabSheet* ActivePageDefault() const { return activePageDefault_; }
  void SetActivePageDefault(TFwTabSheet* page);
  bool SaveResources() const { return saveResources_; }
  void SetSaveResources(bool value) { saveResources_ = value; }
  bool DblClickUndocks() const { return dblClickUndocks_; }
  void SetDblClickUndocks(bool value) { dblClickUndocks_ = value; }

  // The next page in page order after (or before) current, cyclic; nullptr when the
  // search comes back to its start or there are no pages. A current page outside the
  // list starts the search from the first (or last) page.
  TFwTabSheet* FindNextPage(TFwTabSheet* current, bool goForward, bool checkTabVisible) const;
  // Activates the next page with a shown tab, through the change query.
  void SelectNextPage(bool goForward);
  // Frees the active page, then selects the tab before it (or the first).
  void CloseActivePage();
  // Moves the active page to another position.
  void MoveActivePage(int index);
  // The close button closes the active page; a dragged tab takes the active page to the
  // place of the page whose tab it was dropped on.
  void CloseActiveTab() override { CloseActivePage(); }
  void MoveActiveTab(int tabIndex) override;

  // Docking. A control docked into a dock site gets a new sheet of its own: the sheet's
  // caption is the first line of the control's caption when the control is a window, its
  // tab shows while the control is visible, and the sheet becomes active when it is.
  // Caption and visibility changes of the control follow into the sheet; when the
  // control leaves the sheet (or is freed) the sheet goes and the next page is shown.
  // With DblClickUndocks a double click on such a sheet's tab floats the control as a
  // window of its own.
  bool DockSite() const { return dockSite_; }
  void SetDockSite(bool value) { dockSite_ = value; }
  // Docks control into a new sheet; nullptr when this is no dock site.
  TFwTabSheet* DockClient(TControl* control);
  // The control docked in a sheet, or nullptr.
  TControl* DockedControl(const TFwTabSheet* sheet) const;
  // Takes a docked control out as a window of its own at its place on the screen, or
  // with its top left corner at a screen point.
  void Undock(TControl* control);
  void Undock(TControl* control, TPoint screenPos);
  // A left press on the tab of a sheet holding a docked control begins dragging that
  // control; once the pointer has moved the drag distance the drag is under way, and the
  // release ends it: over a page control that is a dock site the control is docked there
  // (over this one it stays), elsewhere it floats with its corner at the pointer.
  TControl* DockDragControl() const { return dockDrag_.Control; }
  bool DockDragging() const { return dockDrag_.Moved; }

  // Turning coloured tabs off gives every page the control's colour again.
  void SetUseColoredTabs(bool value);

  void RebuildTabs() override;

  TNotifyEvent OnPageChange;
  TTabOrderChangeEvent OnTabOrderChange;

protected:
  void DoChanging(int newIndex, bool& allowChange) override;
  void DoChange() override;
  virtual void DoPageChange();
  virtual void DoTabOrderChange(int oldIndex, int newIndex);
  bool DoPaintCardBackground(TCanvas& canvas, int row, const TRect& r) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void ColorChanged() override;
  bool DialogKey(QKeyEvent& event, QWidget* origin) override;
  void focusInEvent(QFocusEvent* event) override;
  void DblClick() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  friend class TFwTabSheet;
  void InsertPage(TFwTabSheet* page);
  void RemovePage(TFwTabSheet* page);
  void MovePage(TFwTabSheet* page, int index);
  TFwTabSheet* PageForTab(int tabIndex) const;
  // True while this control or its window is being freed: no events are raised then.
  bool Closing() const;
  // Shows page in place of the active page, without events, and keeps the focus out of
  // the page that is hidden.
  void ChangeActivePage(TFwTabSheet* page);

  // Docking (FwPageDocking.cpp).
  struct TDocked {
    TControl* Control;
    // The control as the component a free notification names.
    const TComponent* Component;
    TFwTabSheet* Sheet;
  };
  void DockedCaptionChanged(const TDocked& docked);
  // The control left its sheet, or is being freed (then it is not touched): the sheet goes.
  void DockedControlLeft(const TComponent* control, bool freeing);
  void EndDockDrag(TControl* control, TPoint screenPos);
  struct TDockDrag {
    QPointer<TControl> Control;
    TPoint Start;
    bool Moved = false;
  };

  std::vector<TFwTabSheet*> pages_;
  std::vector<TDocked> docked_;
  TDockDrag dockDrag_;
  bool dockSite_ = false;
  TFwTabSheet* activePage_ = nullptr;
  TFwTabSheet* activePageDefault_ = nullptr;
  bool saveResources_ = false;
  bool dblClickUndocks_ = true;
  bool updating_ = false;
  bool silentIndex_ = false;
};

} // namespace fw
