// TFwGroup: the model side (properties, style defaults, opening and closing, selection,
// the bar's list). Measuring and painting are in FwGroupPaint.cpp, the mouse in
// FwGroupMouse.cpp.
#include "controls/navigation/FwGroup.h"

#include "controls/common/FwRapidFireButton.h"
#include "controls/navigation/FwGroupBar.h"
#include "controls/navigation/FwGroupController.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListError.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/Setters.h"

#include <QPointer>

namespace fw {

namespace {

TFwRapidFireButton* MakeScrollButton(TFwGroup& group, TFwScrollStyle direction) {
  auto* button = new TFwRapidFireButton(&group);
  button->SetScrollStyle(direction);
  button->SetVisible(false);
  button->SetParent(&group);
  // Reparenting leaves the widget merely not shown; hide it explicitly so that showing
  // the group does not show it.
  button->QWidget::setVisible(false);
  button->SetBounds(0, 0, 17, 17);
  return button;
}

} // namespace

TFwGroup::TFwGroup(TComponent* owner) : TCustomControl(owner), items_(*this) {
  setAcceptDrops(true);  // to follow drags that pass over it (it takes no drop)
  SetParentColor(false);
  SetColor(clBtnFace);
  colorDefault_ = true;
  applyingStyle_ = true;
  Font().SetColor(clWindowText);
  applyingStyle_ = false;
  captionFont_.SetStyle(fsBold);
  captionFont_.SetColor(clHighlight);
  itemStaticFont_.Assign(Font());
  captionFont_.OnChange = [this](TFont&) {
    if (!applyingStyle_) captionFontChanged_ = true;
    Relayout();
  };
  itemStaticFont_.OnChange = [this](TFont&) {
    if (!applyingStyle_) itemStaticFontChanged_ = true;
    Relayout();
  };
  resize(160, 50);
  upButton_ = MakeScrollButton(*this, TFwScrollStyle::scsUp);
  upButton_->OnClick = [this](TObject*) { ScrollItems(-1); };
  downButton_ = MakeScrollButton(*this, TFwScrollStyle::scsDown);
  downButton_->OnClick = [this](TObject*) { ScrollItems(1); };
}

TFwGroup::~TFwGroup() {
  SetGroupController(nullptr);
  if (groupBar_) groupBar_->RemoveGroup(this);
  rightClickItem_ = nullptr;
}

// ---- bar membership ----------------------------------------------------------------

void TFwGroup::SetGroupBar(TFwGroupBar* bar) {
  if (bar == groupBar_) return;
  if (groupBar_) groupBar_->RemoveGroup(this);
  if (bar) bar->InsertGroup(this);
}

void TFwGroup::SetParent(TWinControl* parent) {
  if (parent == Parent() && (!parent || groupBar_)) return;
  if (!parent) {
    if (groupBar_)
      SetGroupBar(nullptr);
    else
      TCustomControl::SetParent(nullptr);
    return;
  }
  auto* bar = dynamic_cast<TFwGroupBar*>(parent);
  if (!bar)
    throw EFwGroupBarError(QStringLiteral("TFwGroup components can only be placed in a TFwGroupBar component"));
  SetGroupBar(bar);
}

int TFwGroup::GroupIndex() const { return groupBar_ ? groupBar_->IndexOfGroup(this) : -1; }

void TFwGroup::SetGroupIndex(int value) {
  if (!groupBar_) return;
  const int last = groupBar_->GroupCount() - 1;
  // A negative index is as invalid as one past the end.
  if (value < 0 || value > last)
    throw EListError(QStringLiteral("%1 is an invalid GroupIndex value. GroupIndex must be between 0 and %2")
                         .arg(value)
                         .arg(last));
  groupBar_->MoveGroup(this, value);
}

void TFwGroup::Relayout() {
  InvalidateItemBoxes();
  if (groupBar_)
    groupBar_->LayOutGroups();
  else
    PlaceScrollButtons();
  Invalidate();
}

// ---- style defaults ----------------------------------------------------------------

void TFwGroup::SetGroupStyle(TFwGroupBarStyle style) {
  const TFwGroupBarStyle old = style_;
  style_ = style;
  const bool noContent = items_.Count() == 0 && ControlCount() <= 2;
  applyingStyle_ = true;
  switch (style) {
  case TFwGroupBarStyle::gbsCategoryView:
    dividerColor_ = clHighlight;
    if (old != style) dividerVisible_ = false;
    if (old == TFwGroupBarStyle::gbsOutlook) {
      opened_ = true;
      if (noContent) openedHeight_ = 50;
    }
    if (old == TFwGroupBarStyle::gbsTaskList) canClose_ = true;
    break;
  case TFwGroupBarStyle::gbsTaskList:
    dividerVisible_ = true;
    dividerColor_ = clHighlight;
    canClose_ = false;
    if (old == TFwGroupBarStyle::gbsOutlook) {
      opened_ = true;
      if (noContent) openedHeight_ = 50;
    }
    break;
  case TFwGroupBarStyle::gbsOutlook:
    canClose_ = true;
    if (!Loading() && groupBar_) opened_ = GroupIndex() == 0;
    break;
  }
  if (!fontChanged_) Font().SetColor(clWindowText);
  if (!captionFontChanged_) {
    captionFont_.SetStyle(style == TFwGroupBarStyle::gbsOutlook ? TFontStyles(0) : TFontStyles(fsBold));
    captionFont_.SetColor(style == TFwGroupBarStyle::gbsCategoryView ? clHighlight : clWindowText);
  }
  applyingStyle_ = false;
  ApplyStyleColors();
  PlaceScrollButtons();
  Invalidate();
}

void TFwGroup::ApplyStyleColors() {
  applyingStyle_ = true;
  switch (style_) {
  case TFwGroupBarStyle::gbsCategoryView:
    if (colorDefault_) {
      const bool themed = groupBar_ && groupBar_->VisualStyle() == TFwVisualStyle::vsWinXP && ThemeServicesActive();
      SetColor(themed ? GetXPThemeColor(0) : clBtnFace);
    }
    if (captionColorDefault_) captionColor_ = clHighlightText;
    break;
  case TFwGroupBarStyle::gbsTaskList:
    if (colorDefault_) {
      if (groupBar_) SetColor(groupBar_->Color());
      SetParentColor(true);
    }
    if (captionColorDefault_) captionColor_ = clWindow;
    break;
  case TFwGroupBarStyle::gbsOutlook:
    if (colorDefault_) SetColor(clBtnShadow);
    if (captionColorDefault_) captionColor_ = clBtnFace;
    break;
  }
  applyingStyle_ = false;
  Invalidate();
}

void TFwGroup::ColorChanged() {
  if (!applyingStyle_) colorDefault_ = false;
  TCustomControl::ColorChanged();
}

void TFwGroup::FontChanged() {
  if (!applyingStyle_ && !ParentFont()) fontChanged_ = true;
  if (!itemStaticFontChanged_) {
    const bool saved = applyingStyle_;
    applyingStyle_ = true;
    itemStaticFont_.Assign(Font());
    applyingStyle_ = saved;
  }
  TCustomControl::FontChanged();
  InvalidateItemBoxes();
  if (groupBar_) groupBar_->LayOutGroups();
}

void TFwGroup::VisibleChanged() {
  TCustomControl::VisibleChanged();
  if (groupBar_) groupBar_->LayOutGroups();
}

void TFwGroup::SetCaptionColor(TColor value) {
  captionColorDefault_ = false;
  SetAndInvalidate(*this, captionColor_, value);
}

void TFwGroup::SetCaptionColorDefault(bool value) {
  if (value == captionColorDefault_) return;
  captionColorDefault_ = value;
  if (value) ApplyStyleColors();
}

void TFwGroup::SetColorDefault(bool value) {
  if (value == colorDefault_) return;
  colorDefault_ = value;
  if (value) ApplyStyleColors();
}

// ---- plain properties --------------------------------------------------------------

void TFwGroup::SetCaptionHeight(int value) {
  value = std::max(16, value);
  if (value == captionHeight_) return;
  captionHeight_ = value;
  Relayout();
}

void TFwGroup::SetCaptionImageIndex(int value) {
  if (StoreIfChanged(captionImageIndex_, value)) Relayout();
}

void TFwGroup::SetCaptionStyle(TFwCaptionStyle value) {
  if (StoreIfChanged(captionStyle_, value)) Relayout();
}

void TFwGroup::SetDividerVisible(bool value) { SetAndInvalidate(*this, dividerVisible_, value); }

void TFwGroup::SetItemHeight(int value) {
  if (StoreIfChanged(itemHeight_, value)) Relayout();
}

void TFwGroup::SetItemIndent(int value) {
  value = std::clamp(value, 0, 255);
  if (value == itemIndent_) return;
  itemIndent_ = value;
  Relayout();
}

void TFwGroup::SetItemStyle(TFwItemStyle value) {
  if (StoreIfChanged(itemStyle_, value)) Relayout();
}

void TFwGroup::SetItemSelectionStyle(TFwItemSelectionStyle value) { SetAndInvalidate(*this, itemSelectionStyle_, value); }
void TFwGroup::SetShowItemSelection(bool value) { SetAndInvalidate(*this, showItemSelection_, value); }
void TFwGroup::SetSpecial(bool value) { SetAndInvalidate(*this, special_, value); }

void TFwGroup::SetOpenedHeight(int value) {
  // An open group with nothing in it keeps a useful minimum rather than a stored size.
  if (!Loading() && items_.Count() == 0 && ControlCount() <= 2) value = 50;
  if (value == openedHeight_) return;
  openedHeight_ = value;
  if (opened_) Relayout();
}

void TFwGroup::SetCanClose(bool value) {
  if (value == canClose_) return;
  // A category-view group that may not close is always open.
  if (!value && style_ == TFwGroupBarStyle::gbsCategoryView) SetOpened(true);
  canClose_ = value;
  Relayout();
}

TImageList* TFwGroup::UsedLargeImages() const {
  return largeImages_ ? largeImages_ : groupBar_ ? groupBar_->LargeImages() : nullptr;
}

TImageList* TFwGroup::UsedSmallImages() const {
  return smallImages_ ? smallImages_ : groupBar_ ? groupBar_->SmallImages() : nullptr;
}

void TFwGroup::SetLargeImages(TImageList* list) {
  if (list == largeImages_) return;
  if (largeImages_) largeImages_->RemoveFreeNotification(this);
  largeImages_ = list;
  largeImagesLink_.SetSender(list);
  if (list) list->FreeNotification(this);
  Relayout();
}

void TFwGroup::SetSmallImages(TImageList* list) {
  if (list == smallImages_) return;
  if (smallImages_) smallImages_->RemoveFreeNotification(this);
  smallImages_ = list;
  smallImagesLink_.SetSender(list);
  if (list) list->FreeNotification(this);
  Relayout();
}

void TFwGroup::SetItemPopupMenu(TPopupMenu* menu) {
  if (menu == itemPopupMenu_) return;
  if (itemPopupMenu_) itemPopupMenu_->RemoveFreeNotification(this);
  itemPopupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TFwGroup::SetGroupController(TFwGroupController* controller) {
  if (controller == controller_) return;
  if (controller_) {
    controller_->RemoveFreeNotification(this);
    controller_->UnregisterGroup(this);
  }
  controller_ = controller;
  if (controller_) {
    controller_->FreeNotification(this);
    controller_->RegisterGroup(this);
  }
}

void TFwGroup::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == largeImages_) SetLargeImages(nullptr);
  if (component == smallImages_) SetSmallImages(nullptr);
  if (component == itemPopupMenu_) itemPopupMenu_ = nullptr;
  if (component == controller_) controller_ = nullptr;
}

void TFwGroup::Loaded() {
  TCustomControl::Loaded();
  for (int i = 0; i < items_.Count(); ++i)
    if (TAction* action = items_[i]->Action()) items_[i]->TakeActionValues(*action, true);
  PlaceScrollButtons();
}

void TFwGroup::ActionBound(bool bound) { actionItemCount_ += bound ? 1 : -1; }

// ---- items and selection -----------------------------------------------------------

void TFwGroup::ItemsChanged() {
  topItem_ = std::clamp(topItem_, 0, std::max(0, items_.Count() - 1));
  Relayout();
}

void TFwGroup::ItemDestroyed(TFwGroupItem* item) {
  if (rightClickItem_ == item) rightClickItem_ = nullptr;
}

TFwGroupItem* TFwGroup::SelectedItem() const {
  return selectedIndex_ >= 0 && selectedIndex_ < items_.Count() ? items_[selectedIndex_] : nullptr;
}

void TFwGroup::SetSelectedIndex(int value) {
  if (value == selectedIndex_) return;
  if (value == -1) {
    for (int i = 0; i < items_.Count(); ++i) items_[i]->selected_ = false;
    selectedIndex_ = -1;
    Invalidate();
    return;
  }
  if (value < 0 || value >= items_.Count()) return;
  items_[value]->SetSelected(true);
  selectedIndex_ = value;
}

void TFwGroup::WndProc(TMessage& message) {
  if (message.Msg == CM_FWGROUPITEMSELECTED) {
    ItemSelected(reinterpret_cast<TFwGroupItem*>(message.LParam));
    return;
  }
  TCustomControl::WndProc(message);
}

void TFwGroup::ItemSelected(TFwGroupItem* item) {
  for (int i = 0; i < items_.Count(); ++i)
    if (items_[i] != item) items_[i]->selected_ = false;
  selectedIndex_ = item ? items_.IndexOf(item) : -1;
  Invalidate();
}

void TFwGroup::BroadcastSelection(TFwGroupItem* item) {
  if (!groupBar_ || !groupBar_->UniqueItemSelection()) return;
  for (int i = 0; i < groupBar_->GroupCount(); ++i) {
    TFwGroup* other = groupBar_->Groups(i);
    if (other != this && other->ShowItemSelection()) other->Perform(CM_FWGROUPITEMSELECTED, 0, LPARAM(item));
  }
}

void TFwGroup::FixSelectionAfterDelete(int index) {
  if (selectedIndex_ == index)
    selectedIndex_ = -1;
  else if (selectedIndex_ > index)
    --selectedIndex_;
}

void TFwGroup::SetTopItem(int value) {
  value = std::clamp(value, 0, std::max(0, items_.Count() - 1));
  if (value == topItem_) return;
  topItem_ = value;
  PlaceScrollButtons();
  Invalidate();
}

void TFwGroup::ScrollItems(int delta) { SetTopItem(topItem_ + delta); }

// ---- opening and closing -----------------------------------------------------------

void TFwGroup::DoCanClose(bool& allow) {
  if (OnCanClose) OnCanClose(this, allow);
}

void TFwGroup::DoCanOpen(bool& allow) {
  if (OnCanOpen) OnCanOpen(this, allow);
}

void TFwGroup::DoClose() {
  if (OnClose) OnClose(this);
}

void TFwGroup::DoOpen() {
  if (OnOpen) OnOpen(this);
}

void TFwGroup::ToggleOpened() { SetOpened(!opened_); }

void TFwGroup::SetOpened(bool value) {
  if (!groupBar_) {
    opened_ = value;
    return;
  }
  if (value == opened_) return;
  bool allow = true;
  if (value)
    DoCanOpen(allow);
  else
    DoCanClose(allow);
  if (!allow) return;
  QPointer<QWidget> self(this);
  TFwGroupBar* bar = groupBar_;
  switch (style_) {
  case TFwGroupBarStyle::gbsCategoryView:
    if (!canClose_) return;
    opened_ = value;
    if (value)
      DoOpen();
    else
      DoClose();
    if (!self) return;
    if (value && bar->ExclusiveMode())
      for (int i = 0; i < bar->GroupCount(); ++i)
        if (bar->Groups(i) != this) bar->Groups(i)->SetOpened(false);
    bar->LayOutGroups();
    if (value) {
      for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
      bar->ScrollInView(this);
    }
    break;
  case TFwGroupBarStyle::gbsTaskList:
    opened_ = true;
    break;
  case TFwGroupBarStyle::gbsOutlook: {
    if (!value) return;
    opened_ = true;
    for (int i = 0; i < bar->GroupCount(); ++i)
      if (bar->Groups(i) != this) bar->Groups(i)->opened_ = false;
    // Every group with a close handler hears of the change, the opened one included,
    // before the opened group's own open handler.
    std::vector<QPointer<QWidget>> groups;
    for (int i = 0; i < bar->GroupCount(); ++i) groups.emplace_back(bar->Groups(i));
    for (auto& g : groups)
      if (g) static_cast<TFwGroup*>(g.data())->DoClose();
    if (!self) return;
    DoOpen();
    if (self && groupBar_) groupBar_->LayOutGroups();
    break;
  }
  }
}

} // namespace fw
