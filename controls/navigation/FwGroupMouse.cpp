// TFwGroup: mouse handling, hot tracking, hints, cursors, popup menus and the Outlook
// scroll buttons.
#include "controls/common/FwRapidFireButton.h"
#include "controls/navigation/FwGroup.h"
#include "controls/navigation/FwGroupBar.h"
#include "platform/ui/PopupMenu.h"

#include <QDropEvent>
#include <QPointer>

namespace fw {

bool TFwGroup::InCaption(TPoint p) const { return Rect(0, 0, ClientWidth(), captionHeight_).Contains(p); }

bool TFwGroup::CaptionClickable() const {
  return style_ == TFwGroupBarStyle::gbsOutlook || (style_ == TFwGroupBarStyle::gbsCategoryView && canClose_);
}

TFwGroupItem* TFwGroup::ItemAt(TPoint p, bool clickableOnly) {
  if (InCaption(p)) return nullptr;
  for (const TFwGroupItemBox& box : ItemBoxes()) {
    if (box.Separator || !box.Hits(p)) continue;
    TFwGroupItem* item = items_[box.Index];
    if (item->Enabled() && (item->Clickable() || !clickableOnly)) return item;
  }
  return nullptr;
}

void TFwGroup::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  const TPoint p{x, y};
  if (button == TMouseButton::mbRight) {
    rightClickItem_ = ItemAt(p);
    return;
  }
  if (button != TMouseButton::mbLeft) return;
  if (InCaption(p)) {
    if (!Enabled() || !canClose_ || !CaptionClickable()) return;
    if (groupBar_ && groupBar_->isEnabled()) groupBar_->setFocus(Qt::MouseFocusReason);
    captionState_ = hsPressed;
    captionMouseDown_ = true;
    Invalidate();
    return;
  }
  if (TFwGroupItem* item = ClickableItemAt(p)) {
    item->hotState_ = hsPressed;
    item->mouseDown_ = true;
    QPointer<QWidget> self(this);
    item->SetSelected(true);
    if (!self) return;
    Invalidate();
  }
  if (TFwGroupItem* under = ItemAt(p)) SetSelectedIndex(under->Index());
}

void TFwGroup::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  const TPoint p{x, y};
  bool changed = false;
  // The caption lights up under the pointer in every style, also where a click on it
  // does nothing.
  const int caption = InCaption(p) ? (captionMouseDown_ ? hsPressed : hsHot) : hsNormal;
  if (caption != captionState_) {
    captionState_ = caption;
    changed = true;
  }
  TFwGroupItem* hot = ClickableItemAt(p);
  TFwGroupItem* previous = nullptr;
  if (TrackItems(hot, previous)) changed = true;
  if (changed) {
    QPointer<QWidget> self(this);
    if (hot != previous || !hot) DoMouseOverItem(hot);
    if (!self) return;
    Invalidate();
  }
  UpdateHintAndCursor(p);
}

void TFwGroup::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  const TPoint p{x, y};
  QPointer<QWidget> self(this);
  if (button == TMouseButton::mbRight) {
    TFwGroupItem* item = ItemAt(p);
    if (!item || item != rightClickItem_) return;
    DoItemPopupMenu(item);
    if (!self) return;
    if (itemPopupMenu_) {
      const TPoint screen = ClientToScreen(p);
      itemPopupMenu_->SetPopupComponent(this);
      itemPopupMenu_->Popup(screen.X, screen.Y);
    }
    return;
  }
  if (button != TMouseButton::mbLeft) return;
  if (captionMouseDown_) {
    captionMouseDown_ = false;
    captionState_ = InCaption(p) ? hsHot : hsNormal;
    Invalidate();
    if (InCaption(p)) ToggleOpened();
    return;
  }
  for (int i = 0; i < items_.Count(); ++i) {
    TFwGroupItem* item = items_[i];
    if (!item->mouseDown_) continue;
    item->mouseDown_ = false;
    const TFwGroupItemBox* box = BoxOf(*item);
    const bool still = box && item->Enabled() && box->Hits(p);
    item->hotState_ = still ? hsHot : hsNormal;
    Invalidate();
    if (still) item->Click();
    return;
  }
}

bool TFwGroup::TrackItems(TFwGroupItem* hot, TFwGroupItem*& previous) {
  // Every item takes its new state, so no two items ever look hot at once.
  bool changed = false;
  previous = nullptr;
  for (int i = 0; i < items_.Count(); ++i) {
    TFwGroupItem* item = items_[i];
    if (item->hotState_ != hsNormal && !item->mouseDown_) previous = item;
    const int state = item == hot ? (item->mouseDown_ ? hsPressed : hsHot) : hsNormal;
    if (state != item->hotState_) {
      item->hotState_ = state;
      changed = true;
    }
  }
  return changed;
}

void TFwGroup::ClearItemStates() {
  for (int i = 0; i < items_.Count(); ++i) {
    items_[i]->hotState_ = hsNormal;
    items_[i]->mouseDown_ = false;
  }
  Invalidate();
}

// The enter is accepted only so that the moves arrive; each move is refused, so nothing
// can be dropped here.
void TFwGroup::dragEnterEvent(QDragEnterEvent* event) {
  dragMoveEvent(event);
  event->accept();
}

void TFwGroup::dragMoveEvent(QDragMoveEvent* event) {
  TFwGroupItem* previous = nullptr;
  const QPoint p = event->position().toPoint();
  if (TrackItems(ClickableItemAt(Point(p.x(), p.y())), previous)) Invalidate();
  event->ignore();
}

void TFwGroup::dragLeaveEvent(QDragLeaveEvent* event) {
  ClearItemStates();
  event->accept();
}

void TFwGroup::dropEvent(QDropEvent* event) {
  ClearItemStates();
  event->ignore();
}

void TFwGroup::ResetHotStates() {
  captionState_ = hsNormal;
  for (int i = 0; i < items_.Count(); ++i) items_[i]->hotState_ = hsNormal;
  setToolTip(QString());
  unsetCursor();
  Invalidate();
}

void TFwGroup::MouseEnter() {
  TCustomControl::MouseEnter();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TFwGroup::MouseLeave() {
  TCustomControl::MouseLeave();
  ResetHotStates();
  QPointer<QWidget> self(this);
  DoMouseOverItem(nullptr);
  if (self && OnMouseLeave) OnMouseLeave(this);
}

void TFwGroup::DoMouseOverItem(TFwGroupItem* item) {
  if (OnMouseOverItem) OnMouseOverItem(this, item);
}

void TFwGroup::DoItemPopupMenu(TFwGroupItem* item) {
  if (OnItemPopupMenu) OnItemPopupMenu(this, item);
}

void TFwGroup::DoContextPopup(TPoint screenPos, bool& handled) {
  // Over an item the item's own popup (on the release) replaces the context menu.
  if (ItemAt(ScreenToClient(screenPos))) {
    handled = true;
    return;
  }
  TCustomControl::DoContextPopup(screenPos, handled);
}

void TFwGroup::UpdateHintAndCursor(TPoint p) {
  QString tip;
  bool hand = false;
  if (captionState_ != hsNormal) {
    tip = PlainToolTip(GetShortHint(Hint()));
    // Only a caption that opens or closes its group shows the hand.
    hand = CaptionClickable();
  } else {
    for (int i = 0; i < items_.Count(); ++i)
      if (items_[i]->hotState_ != hsNormal) {
        tip = PlainToolTip(items_[i]->DisplayHint());
        hand = items_[i]->HasClickHandler();
      }
  }
  if (toolTip() != tip) {
    const QString old = toolTip();
    setToolTip(tip);
    ShowChangedToolTip(*this, old);
  }
  if (hand)
    setCursor(Qt::PointingHandCursor);
  else if (Cursor() == crDefault)
    unsetCursor();
  else
    setCursor(CursorShape(Cursor()));
}

// ---- Outlook scroll buttons --------------------------------------------------------

bool TFwGroup::ItemsOverflow() { return items_.Count() > 0 && GetItemsHeight() > ClientHeight(); }

void TFwGroup::PlaceScrollButtons() {
  if (!upButton_ || !downButton_) return;
  const int x = ClientWidth() - 21;
  upButton_->SetBounds(x, captionHeight_ + 4, 17, 17);
  downButton_->SetBounds(x, opened_ ? ClientHeight() - 21 : captionHeight_ + 4, 17, 17);
  const bool active = groupBar_ && style_ == TFwGroupBarStyle::gbsOutlook && opened_;
  upButton_->SetVisible(active && topItem_ >= 1);
  downButton_->SetVisible(active && topItem_ < items_.Count() - 1 && ItemsOverflow());
}

void TFwGroup::Resize() {
  PlaceScrollButtons();
  TCustomControl::Resize();
}

} // namespace fw
