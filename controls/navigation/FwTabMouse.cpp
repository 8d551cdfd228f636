// Interaction of TFwCustomTabControl: hot tracking with its 60 ms timer and tab hints,
// selecting by mouse, stepping the selection with the arrow, Home and End keys, and the
// captions' accelerators.

#include "controls/navigation/FwTabControl.h"
#include "platform/ui/Accelerator.h"
#include "platform/ui/Timer.h"
#include "platform/ui/VirtualKeys.h"

#include <QApplication>
#include <QPointer>
#include <QShortcut>

namespace fw {

void TFwCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  pointer_ = {x, y};
  // A press on an enabled tab becomes a drag once the pointer has moved far enough.
  if (allowTabDragging_ && !dragging_ && (shift & ssLeft) && pressedTab_ >= 0 && pressedTab_ < tabs_.Count() &&
      tabs_.Items(pressedTab_).Enabled &&
      std::abs(x - dragStart_.X) + std::abs(y - dragStart_.Y) >= QApplication::startDragDistance())
    dragging_ = true;
  if (dragging_) {
    DragMove({x, y});
    return;
  }
  if (!hotTrack_ && !tabHints_) return;
  const int hit = TabAtPos({x, y});
  if (hit < 0) {
    ClearHot();
    return;
  }
  if (hit == hotTab_) return;
  // Keep the control's own hint while tab hints stand in for it.
  if (hotTab_ < 0 && tabHints_) savedHint_ = Hint();
  hotTab_ = hit;
  if (hotTrack_) Invalidate();
  if (tabHints_) {
    const QString old = toolTip();
    SetHint(tabs_.Items(hit).Hint);
    ShowChangedToolTip(*this, old);
  }
  if (!hotTimer_->Enabled()) hotTimer_->SetEnabled(true);
}

void TFwCustomTabControl::MouseLeave() {
  TCustomControl::MouseLeave();
  // The pointer is nowhere over the control now; the next timer tick clears the hot tab.
  pointer_ = {-1, -1};
}

// The timer catches a pointer that left the tabs without a further mouse move.
void TFwCustomTabControl::HotTrackTick() {
  if (TabAtPos(pointer_) < 0) ClearHot();
}

void TFwCustomTabControl::ClearHot() {
  hotTimer_->SetEnabled(false);
  if (hotTab_ < 0) return;
  hotTab_ = -1;
  Invalidate();
  if (tabHints_) {
    const QString old = toolTip();
    SetHint(savedHint_);
    ShowChangedToolTip(*this, old);
  }
}

void TFwCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  QPointer<TFwCustomTabControl> guard(this);
  TCustomControl::MouseDown(button, shift, x, y);
  if (!guard || button != TMouseButton::mbLeft || !Enabled()) return;
  const int hit = TabAtPos({x, y});
  pressedTab_ = hit;
  dragStart_ = {x, y};
  if (hit < 0 || !tabs_.Items(hit).Enabled) return;
  if (TabStop() && hit == tabIndex_) {
    SetFocus();
    if (!Focused()) return;
  }
  SetTabIndex(hit);
  if (guard && tabIndex_ == hit) DoTabClick();
}

void TFwCustomTabControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  QPointer<TFwCustomTabControl> guard(this);
  TCustomControl::MouseUp(button, shift, x, y);
  if (!guard || button != TMouseButton::mbLeft) return;
  if (dragging_) DragDrop({x, y});
  pressedTab_ = -1;
}

bool TFwCustomTabControl::WantsDialogKey(WORD key) const {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TFwCustomTabControl::KeyDown(WORD& key, TShiftState shift) {
  // Escape ends a drag where it began.
  if (key == VK_ESCAPE && dragging_) {
    EndDrag();
    key = 0;
    return;
  }
  TCustomControl::KeyDown(key, shift);
  if (tabs_.Count() == 0 || key == 0) return;
  const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
  const bool left = tabOrientation_ == TFwTabOrientation::toLeft;
  switch (key) {
  case VK_HOME:
  case VK_END: {
    // Home goes to the start of the run as the user sees it.
    const bool flipped = left ? !reverse : reverse;
    SelectEnd((key == VK_END) != flipped);
    key = 0;
    break;
  }
  case VK_LEFT:
  case VK_UP:
  case VK_RIGHT:
  case VK_DOWN: {
    const bool rightOrDown = key == VK_RIGHT || key == VK_DOWN;
    const bool forward = left ? (rightOrDown == reverse) : (rightOrDown != reverse);
    StepSelection(forward);
    key = 0;
    break;
  }
  default: break;
  }
}

// Tries the tabs after (or before) the selected one in turn, wrapping around, until one
// may be selected; a refusal from OnChanging moves on to the next candidate.
void TFwCustomTabControl::StepSelection(bool forward) {
  const int count = tabs_.Count();
  const int current = tabIndex_;
  int candidate = current < 0 ? (forward ? -1 : count) : current;
  for (int step = 0; step < count; ++step) {
    candidate = ((forward ? candidate + 1 : candidate - 1) + count) % count;
    if (candidate == current || SelectByKey(candidate)) return;
  }
}

void TFwCustomTabControl::SelectEnd(bool last) {
  const int count = tabs_.Count();
  for (int k = 0; k < count; ++k) {
    const int candidate = last ? count - 1 - k : k;
    if (candidate == tabIndex_ || SelectByKey(candidate)) return;
  }
}

// Selects the tab as a key would when OnChanging allows it. True when the walk is over:
// the tab was selected, or a handler freed the control.
bool TFwCustomTabControl::SelectByKey(int candidate) {
  QPointer<TFwCustomTabControl> guard(this);
  const bool allowed = MayChangeTo(candidate);
  if (!guard) return true;
  if (!allowed) return false;
  internalChange_ = true;
  SetTabIndex(candidate);
  if (!guard) return true;
  internalChange_ = false;
  DoTabClick();
  return true;
}

// One window-wide Alt shortcut per accelerator letter of the captions.
void TFwCustomTabControl::UpdateAccelerators() {
  QString keys;
  for (int i = 0; i < tabs_.Count(); ++i) {
    const QChar key = AcceleratorChar(tabs_.Items(i).Caption);
    if (!key.isNull() && !keys.contains(key)) keys += key;
  }
  if (keys == acceleratorKeys_) return;
  acceleratorKeys_ = keys;
  for (QShortcut* shortcut : accelerators_) delete shortcut;
  accelerators_.clear();
  for (QChar key : keys) {
    QShortcut* shortcut = nullptr;
    UpdateAcceleratorShortcut(shortcut, this, QStringLiteral("&") + key, [this, key] { AcceleratorPressed(key); });
    accelerators_.push_back(shortcut);
  }
}

// The first enabled, visible tab with the letter takes it: the control takes the focus
// and, focused, selects the tab through the change query.
void TFwCustomTabControl::AcceleratorPressed(QChar key) {
  if (!CanFocus()) return;
  EnsureLayout();
  for (int i = 0; i < tabs_.Count(); ++i) {
    const TFwTabData& tab = tabs_.Items(i);
    if (!tab.Visible || !tab.Enabled || AcceleratorChar(tab.Caption) != key) continue;
    QPointer<TFwCustomTabControl> guard(this);
    SetFocus();
    if (!guard || !Focused()) return;
    const int old = tabIndex_;
    SetTabIndex(i);
    if (guard && tabIndex_ == i && old != i) DoTabClick();
    return;
  }
}

void TFwCustomTabControl::focusInEvent(QFocusEvent* event) {
  Invalidate();
  TCustomControl::focusInEvent(event);
}

void TFwCustomTabControl::focusOutEvent(QFocusEvent* event) {
  Invalidate();
  TCustomControl::focusOutEvent(event);
}

} // namespace fw
