#include "controls/navigation/FwPageControl.h"

#include "controls/navigation/FwTabSheet.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListError.h"
#include "platform/ui/VirtualKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <algorithm>

namespace fw {

namespace {

bool FocusInside(const QWidget* container) {
  const QWidget* focus = QApplication::focusWidget();
  return focus && container && (focus == container || container->isAncestorOf(focus));
}

} // namespace

TFwPageControl::TFwPageControl(TComponent* owner) : TFwCustomTabControl(owner) {
  SetUseColoredTabs(false);
  SetHeight(150);
}

TFwPageControl::~TFwPageControl() {
  // The sheets belong to the form: they only leave this control.
  for (TFwTabSheet* page : pages_) page->pageControl_ = nullptr;
  pages_.clear();
  activePage_ = nullptr;
}

int TFwPageControl::IndexOfPage(const TFwTabSheet* page) const {
  const auto it = std::find(pages_.begin(), pages_.end(), page);
  return it == pages_.end() ? -1 : int(it - pages_.begin());
}

TFwTabSheet* TFwPageControl::PageForTab(int tabIndex) const {
  if (tabIndex < 0) return nullptr;
  for (TFwTabSheet* page : pages_)
    if (page->TabVisible() && tabIndex-- == 0) return page;
  return nullptr;
}

// ---- pages joining and leaving ----------------------------------------------------------

void TFwPageControl::InsertPage(TFwTabSheet* page) {
  pages_.push_back(page);
  page->pageControl_ = this;
  RebuildTabs();
}

void TFwPageControl::RemovePage(TFwTabSheet* page) {
  const int index = IndexOfPage(page);
  if (index < 0) return;
  // While the window is being torn down nobody is left to hear of page changes.
  const bool closing = Closing() || (page->Owner() && page->Owner()->Destroying());
  if (page == activePage_) {
    if (closing) activePage_ = nullptr;
    else SetActivePage(nullptr);
  }
  pages_.erase(pages_.begin() + index);
  page->pageControl_ = nullptr;
  if (page == activePageDefault_) SetActivePageDefault(nullptr);
  RebuildTabs();
}

void TFwPageControl::MovePage(TFwTabSheet* page, int index) {
  const int count = PageCount();
  if (index > count - 1)
    throw EListError(QStringLiteral("%1 is an invalid PageIndex value. PageIndex must be between 0 and %2").arg(index).arg(count - 1));
  if (index < 0) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
  const int old = IndexOfPage(page);
  if (old < 0 || old == index) return;
  pages_.erase(pages_.begin() + old);
  pages_.insert(pages_.begin() + index, page);
  RebuildTabs();
  DoTabOrderChange(old, index);
}

void TFwPageControl::RebuildTabs() {
  TFwTabDataList& tabs = Tabs();
  tabs.Clear();
  for (TFwTabSheet* page : pages_) {
    if (!page->TabVisible()) continue;
    TFwTabData& tab = tabs.Add();
    tab.Caption = page->Caption();
    tab.Color = page->Color();
    tab.DisabledIndex = page->DisabledIndex();
    tab.Enabled = page->TabEnabled();
    tab.Hint = page->Hint();
    tab.ImageIndex = page->ImageIndex();
    tab.Visible = true;
  }
  if (activePage_) {
    // The active page keeps its tab selected wherever the tab moved; nothing is left or
    // entered, so no change events.
    const int tab = activePage_->TabIndex();
    silentIndex_ = true;
    if (tab < 0) SetTabIndex(-1);
    else if (tab != TabIndex()) AssignTabIndex(tab);
    silentIndex_ = false;
  }
  TFwCustomTabControl::RebuildTabs();
}

// ---- the active page ----------------------------------------------------------------------

void TFwPageControl::SetActivePage(TFwTabSheet* page) {
  if (page && page->PageControl() != this) return;
  if (Loading()) {
    activePage_ = page;
    return;
  }
  const int tab = page ? page->TabIndex() : -1;
  if (tab < 0) {
    ChangeActivePage(page);
    DoPageChange();
    SetTabIndex(-1);
    return;
  }
  if (tab == TabIndex() && page != activePage_) {
    // The tab is already selected (a page whose tab came back): there is no tab change to
    // ask about, so the page is shown directly.
    ChangeActivePage(page);
    DoPageChange();
    return;
  }
  SetTabIndex(tab);
}

void TFwPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) {
    SetActivePage(nullptr);
    return;
  }
  SetActivePage(pages_[size_t(index)]);
}

void TFwPageControl::SetActivePageDefault(TFwTabSheet* page) {
  if (page == activePageDefault_) return;
  if (activePageDefault_) activePageDefault_->RemoveFreeNotification(this);
  activePageDefault_ = page;
  if (page) page->FreeNotification(this);
}

void TFwPageControl::Notification(TComponent* component, TOperation operation) {
  TFwCustomTabControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == activePageDefault_) activePageDefault_ = nullptr;
  DockedControlLeft(component, true);
}

void TFwPageControl::ChangeActivePage(TFwTabSheet* page) {
  if (page == activePage_) return;
  TFwTabSheet* old = activePage_;
  const bool focusWasInOld = old && FocusInside(old);
  if (page) {
    page->BringToFront();
    page->SetVisible(true);
  }
  activePage_ = page;
  if (focusWasInOld) {
    // The focus leaves the hidden page for the first control of the new one, or for the
    // page control when the new page has none.
    TWinControl* target = page ? FirstFocusableChild(page) : nullptr;
    if (target) target->SetFocus();
    else if (CanFocus()) SetFocus();
  }
  if (old) old->SetVisible(false);
}

// ---- the change protocol ------------------------------------------------------------------

bool TFwPageControl::Closing() const {
  return Destroying() || (Owner() && Owner()->Destroying());
}

void TFwPageControl::DoChanging(int newIndex, bool& allowChange) {
  if (!updating_ && !Closing()) {
    QPointer<TFwPageControl> guard(this);
    TFwCustomTabControl::DoChanging(newIndex, allowChange);
    if (!guard) return;
  }
  if (allowChange) ChangeActivePage(PageForTab(newIndex));
}

void TFwPageControl::DoChange() {
  if (updating_ || silentIndex_ || Closing()) return;
  QPointer<TFwPageControl> guard(this);
  TFwCustomTabControl::DoChange();
  if (guard) DoPageChange();
}

void TFwPageControl::DoPageChange() {
  if (updating_ || Closing()) return;
  if (OnPageChange) OnPageChange(this);
}

void TFwPageControl::DoTabOrderChange(int oldIndex, int newIndex) {
  if (OnTabOrderChange) OnTabOrderChange(this, oldIndex, newIndex);
}

void TFwPageControl::Loaded() {
  TFwCustomTabControl::Loaded();
  updating_ = true;
  DisplayRect();  // runs the layout
  SetTabIndex(-1);
  TFwTabSheet* chosen = activePage_;
  if (activePageDefault_ && activePageDefault_ != activePage_) {
    if (activePage_) activePage_->SetVisible(false);
    chosen = activePageDefault_;
  }
  activePage_ = nullptr;
  RebuildTabs();
  SetActivePage(chosen);
  updating_ = false;
}

// ---- navigation ---------------------------------------------------------------------------

TFwTabSheet* TFwPageControl::FindNextPage(TFwTabSheet* current, bool goForward, bool checkTabVisible) const {
  const int count = PageCount();
  if (count == 0) return nullptr;
  int start = IndexOfPage(current);
  if (start < 0) start = goForward ? count - 1 : 0;
  int i = start;
  for (;;) {
    i = goForward ? (i + 1) % count : (i + count - 1) % count;
    TFwTabSheet* page = pages_[size_t(i)];
    if (page == current && IndexOfPage(current) >= 0) return nullptr;
    if (!checkTabVisible || page->TabVisible()) return page;
    if (i == start) return nullptr;
  }
}

void TFwPageControl::SelectNextPage(bool goForward) {
  TFwTabSheet* page = FindNextPage(activePage_, goForward, true);
  if (page && page != activePage_) SetActivePage(page);
}

void TFwPageControl::CloseActivePage() {
  if (!activePage_) return;
  const int tab = TabIndex();
  activePage_->Free();  // leaves the pages and clears ActivePage
  if (Tabs().Count() > 0) SetTabIndex(std::max(tab - 1, 0));
}

void TFwPageControl::MoveActivePage(int index) {
  if (activePage_) activePage_->SetPageIndex(index);
}

void TFwPageControl::MoveActiveTab(int tabIndex) {
  if (TFwTabSheet* target = PageForTab(tabIndex)) MoveActivePage(IndexOfPage(target));
}

bool TFwPageControl::DialogKey(QKeyEvent& event, QWidget* origin) {
  if (TFwCustomTabControl::DialogKey(event, origin)) return true;
  const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
  if (!tab || !(event.modifiers() & Qt::ControlModifier)) return false;
  if (!origin || !(origin == this || isAncestorOf(origin))) return false;
  const bool backwards = event.key() == Qt::Key_Backtab || (event.modifiers() & Qt::ShiftModifier);
  SelectNextPage(!backwards);
  return true;
}

void TFwPageControl::focusInEvent(QFocusEvent* event) {
  TFwCustomTabControl::focusInEvent(event);
  // With no tab to show the focus on, the focus goes into the page itself.
  if (activePage_ && activePage_->TabIndex() < 0)
    if (TWinControl* target = FirstFocusableChild(activePage_)) target->SetFocus();
}

// ---- colours and painting ------------------------------------------------------------------

void TFwPageControl::SetUseColoredTabs(bool value) {
  if (value == UseColoredTabs()) return;
  TFwCustomTabControl::SetUseColoredTabs(value);
  if (!value) ColorChanged();
}

void TFwPageControl::ColorChanged() {
  TFwCustomTabControl::ColorChanged();
  if (UseColoredTabs()) return;
  for (TFwTabSheet* page : pages_) page->SetColor(Color());
}

bool TFwPageControl::DoPaintCardBackground(TCanvas& canvas, int row, const TRect& r) {
  if (TFwCustomTabControl::DoPaintCardBackground(canvas, row, r)) return true;
  if (row != 0 || TabIndex() < 0 || !activePage_) return false;
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(activePage_->Color());
  canvas.FillRect(r);
  return true;
}

} // namespace fw
