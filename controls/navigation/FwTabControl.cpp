#include "controls/navigation/FwTabControl.h"

#include "controls/navigation/FwTabMenuButton.h"
#include "controls/navigation/FwTabScroller.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Setters.h"
#include "platform/ui/Timer.h"

#include <QFontMetrics>
#include <QPointer>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>

namespace fw {

TFwCustomTabControl::TFwCustomTabControl(TComponent* owner) : TCustomControl(owner) {
  SetTabStop(true);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  tabColors_.OnChange = [this] { Invalidate(); };
  textColors_.OnChange = [this] { Invalidate(); };
  hotTimer_ = new TTimer(this);
  hotTimer_->SetEnabled(false);
  hotTimer_->SetInterval(60);
  hotTimer_->OnTimer = [this](TObject*) { HotTrackTick(); };
  scroller_ = new TFwTabScroller(this);
  scroller_->SetParent(this);
  scroller_->SetVisible(false);
  scroller_->OnUpRightClick = [this](TObject*) {
    const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
    const bool forwardIsUpRight = tabOrientation_ == TFwTabOrientation::toRight ? reverse : !reverse;
    forwardIsUpRight ? ScrollForward() : ScrollBackward();
  };
  scroller_->OnDownLeftClick = [this](TObject*) {
    const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
    const bool forwardIsUpRight = tabOrientation_ == TFwTabOrientation::toRight ? reverse : !reverse;
    forwardIsUpRight ? ScrollBackward() : ScrollForward();
  };
  SetBounds(Left(), Top(), 300, 100);
}

TFwCustomTabControl::~TFwCustomTabControl() { hotTimer_->SetEnabled(false); }

void TFwCustomTabControl::RebuildTabs() { SetLayoutDirty(); }

void TFwCustomTabControl::SetLayoutDirty() {
  layoutDirty_ = true;
  Invalidate();
}

void TFwCustomTabControl::SetBackgroundColor(TColor value) {
  if (backgroundColor_ == value) return;
  backgroundColor_ = value;
  parentBackgroundColor_ = false;
  Invalidate();
}

void TFwCustomTabControl::SetParentBackgroundColor(bool value) {
  if (parentBackgroundColor_ == value) return;
  parentBackgroundColor_ = value;
  if (value) ParentColorChanged();
}

void TFwCustomTabControl::ParentColorChanged() {
  TCustomControl::ParentColorChanged();
  if (!parentBackgroundColor_ || !Parent()) return;
  if (backgroundColor_ != Parent()->Color()) {
    backgroundColor_ = Parent()->Color();
    Invalidate();
  }
}

void TFwCustomTabControl::SetImages(TImageList* list) {
  if (list == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = list;
  if (list) list->FreeNotification(this);
  imageChangeLink_.SetSender(list);
  SetLayoutDirty();
}

void TFwCustomTabControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) {
    images_ = nullptr;
    SetLayoutDirty();
  }
}

bool TFwCustomTabControl::HasImage(const TFwTabData& tab) const {
  return images_ && tab.ImageIndex != -1;
}

void TFwCustomTabControl::SetRowIndent(int value) {
  if (value < 0) return;
  if (StoreIfChanged(rowIndent_, value)) SetLayoutDirty();
}

void TFwCustomTabControl::SetFixedDimension(int value) {
  if (value <= 0 || value == fixedDimension_) return;
  fixedDimension_ = value;
  rowHeight_ = value;
  SetLayoutDirty();
}

void TFwCustomTabControl::SetRegionCacheCapacity(int value) {
  if (value < 1 && value != -1) return;
  regionCache_.SetCapacity(value);
}

void TFwCustomTabControl::Resize() {
  TCustomControl::Resize();
  layoutDirty_ = true;
  Invalidate();
}

void TFwCustomTabControl::FontChanged() {
  TCustomControl::FontChanged();
  SetLayoutDirty();
}

void TFwCustomTabControl::SetTextOrientation(TOrientation value) {
  if (!StoreIfChanged(textOrientation_, value)) return;
  if (VerticalText() && !Loading() && !IsTrueTypeFont(Font())) Font().SetName(QStringLiteral("Verdana"));
  SetLayoutDirty();
}

void TFwCustomTabControl::Loaded() {
  TCustomControl::Loaded();
  if (VerticalText() && !IsTrueTypeFont(Font())) Font().SetName(QStringLiteral("Verdana"));
  savedHint_ = Hint();
  // The index stored while loading takes effect without change events: nothing was
  // shown before, so there is nothing to leave. The layout checks that it may be shown.
  if (tabIndex_ < -1 || tabIndex_ >= tabs_.Count()) tabIndex_ = -1;
  revealPending_ = tabIndex_ >= 0;
  SetLayoutDirty();
}

// ---- scrolling ----------------------------------------------------------------------

bool TFwCustomTabControl::ScrollForward() {
  EnsureLayout();
  const int last = LastVisible();
  if (!scrolling_ || last < 0 || FullyShown(last)) return false;
  int next = firstShown_ + 1;
  while (next < tabs_.Count() && !tabs_.Items(next).Visible) ++next;
  if (next >= tabs_.Count()) return false;
  firstShown_ = next;
  regionCache_.Clear();
  Invalidate();
  PlaceButtons();
  return true;
}

bool TFwCustomTabControl::ScrollBackward() {
  EnsureLayout();
  const int first = FirstVisible();
  if (!scrolling_ || first < 0 || FullyShown(first)) return false;
  int previous = firstShown_ - 1;
  while (previous >= 0 && !tabs_.Items(previous).Visible) --previous;
  if (previous < 0) return false;
  firstShown_ = previous;
  regionCache_.Clear();
  Invalidate();
  PlaceButtons();
  return true;
}

int TFwCustomTabControl::CloseSize() const {
  return showCloseButton_ && tabs_.Count() > 0 ? ButtonSizeRaw() : 0;
}

int TFwCustomTabControl::MenuSize() const {
  return showMenuButton_ && tabs_.Count() > 0 ? ButtonSizeRaw() : 0;
}

int TFwCustomTabControl::CloseAndMenuRoom() const {
  const int close = CloseSize(), menu = MenuSize();
  return (close ? close + 2 : 0) + (menu ? menu + 2 : 0);
}

template <class T>
T* TFwCustomTabControl::EnsureButton(T*& button) {
  if (!button) {
    button = new T(*this, this);
    button->SetParent(this);
  }
  return button;
}

// From the far end of the strip back: the close button, the menu button, then the
// scroller, two pixels apart (at the strip's start for a reverse run).
void TFwCustomTabControl::PlaceButtons() {
  const TRect s = StripRectRaw();
  const int b = ButtonSizeRaw();
  const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
  // Left tabs run upwards, the others rightwards or downwards: the end is where the run
  // ends.
  bool fromHigh = !reverse;
  int across = 0;
  switch (tabOrientation_) {
  case TFwTabOrientation::toTop: across = s.Bottom - b - 2; break;
  case TFwTabOrientation::toBottom: across = s.Top + 2; break;
  case TFwTabOrientation::toLeft: across = s.Right - b - 2; fromHigh = reverse; break;
  case TFwTabOrientation::toRight: across = s.Left + 2; break;
  }
  int pos = 0;
  if (Vertical()) pos = fromHigh ? s.Bottom + 1 - margin_ : s.Top + margin_;
  else pos = fromHigh ? s.Right - margin_ + (ShadowShown() ? -1 : 1) : s.Left + margin_;
  const auto next = [&](int length) {
    const int start = fromHigh ? pos - length : pos;
    pos = fromHigh ? start - 2 : start + length + 2;
    return Vertical() ? Bounds(across, start, b, length) : Bounds(start, across, length, b);
  };
  const auto dress = [&](TFwTabButton* button, const TRect& r) {
    button->SetBoundsRect(r);
    button->SetColors(tabColors_.Shadow(), tabColors_.Unselected(), useGradients_);
    button->SetFrameColor(OutlineColor());
    button->SetVisible(true);
    button->Invalidate();
  };
  if (CloseSize() > 0) {
    if (!closeButton_) {
      // The button's question is the control's OnClose.
      EnsureButton(closeButton_)->OnClose = [this](TObject*, bool& allowClose) {
        if (OnClose) OnClose(this, allowClose);
      };
    }
    dress(closeButton_, next(b));
  } else if (closeButton_) {
    closeButton_->SetVisible(false);
  }
  if (MenuSize() > 0) dress(EnsureButton(menuButton_), next(b));
  else if (menuButton_) menuButton_->SetVisible(false);
  if (scrolling_) PlaceScroller(next(2 * b - 1));
  else if (scroller_) scroller_->SetVisible(false);
}

void TFwCustomTabControl::PlaceScroller(const TRect& r) {
  if (!scroller_) return;
  const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
  scroller_->SetOrientation(Vertical() ? TOrientation::orVertical : TOrientation::orHorizontal);
  scroller_->SetBoundsRect(r);
  const int first = FirstVisible(), last = LastVisible();
  const bool canBack = first >= 0 && !FullyShown(first);
  const bool canForward = last >= 0 && !FullyShown(last);
  const bool forwardIsUpRight = tabOrientation_ == TFwTabOrientation::toRight ? reverse : !reverse;
  scroller_->SetArrowsEnabled(forwardIsUpRight ? canBack : canForward, forwardIsUpRight ? canForward : canBack);
  scroller_->SetColors(tabColors_.Shadow(), tabColors_.Unselected(), useGradients_);
  scroller_->SetFrameColor(OutlineColor());
  scroller_->SetVisible(true);
}

// ---- selection ----------------------------------------------------------------------

bool TFwCustomTabControl::CanSelect(int index) const {
  if (index < 0 || index >= tabs_.Count()) return false;
  const TFwTabData& tab = tabs_.Items(index);
  return tab.Visible && tab.Enabled;
}

bool TFwCustomTabControl::MayChangeTo(int index) {
  if (!CanSelect(index)) return false;
  bool allow = true;
  DoChanging(index, allow);
  return allow;
}

void TFwCustomTabControl::SetTabIndex(int value) {
  if (Loading()) {
    tabIndex_ = value;
    return;
  }
  if (value < 0 || value >= tabs_.Count()) {
    if (tabIndex_ != -1) {
      tabIndex_ = -1;
      Invalidate();
    }
    return;
  }
  // The selected tab again asks nothing, but is still brought into view.
  if (value != tabIndex_ && !internalChange_) {
    QPointer<TFwCustomTabControl> guard(this);
    const bool allowed = MayChangeTo(value);
    if (!guard || !allowed) return;
  }
  AssignTabIndex(value);
}

void TFwCustomTabControl::AssignTabIndex(int value) {
  const int old = tabIndex_;
  tabIndex_ = value;
  bool scrolled = false;
  if ((layoutDirty_ || layingOut_) && value >= 0) revealPending_ = true;
  if (!layoutDirty_ && !layingOut_ && value >= 0) {
    if (multiLine_) {
      RotateRows(tabs_.Items(value).Row);
    } else {
      scrolled = BringIntoView(value);
    }
  }
  if (old != value || scrolled) {
    Invalidate();
    if (!layingOut_) PlaceButtons();
  }
  if (old != value) DoChange();
}

void TFwCustomTabControl::DoChanging(int newIndex, bool& allowChange) {
  if (OnChanging) OnChanging(this, newIndex, allowChange);
}

void TFwCustomTabControl::DoChange() {
  if (OnChange) OnChange(this);
}

void TFwCustomTabControl::DoTabClick() {
  if (OnTabClick) OnTabClick(this);
}

} // namespace fw
