#include "controls/navigation/FwGroupItem.h"

#include "controls/navigation/FwGroup.h"
#include "platform/ui/Setters.h"

#include <QKeySequence>
#include <algorithm>

namespace fw {

// ---- action link -------------------------------------------------------------------

TFwGroupItemActionLink::TFwGroupItemActionLink(TFwGroupItem& item, TAction& action)
    : item_(item), action_(&action), seen_(Take(action)) {
  action.RegisterChanges(this);
}

TFwGroupItemActionLink::~TFwGroupItemActionLink() {
  if (action_) action_->UnRegisterChanges(this);
}

TFwGroupItemActionLink::Snapshot TFwGroupItemActionLink::Take(const TAction& action) {
  return {action.Caption(), action.Hint(), action.ImageIndex(), action.Enabled(), action.Visible(), action.Checked()};
}

void TFwGroupItemActionLink::ActionChanged(TBasicAction& action) {
  if (&action != action_) return;
  const Snapshot now = Take(*action_);
  const Snapshot old = seen_;
  seen_ = now;
  // A value follows the action only while the item still shows what the action had.
  if (now.Caption != old.Caption && item_.caption_ == old.Caption) item_.SetCaption(now.Caption);
  if (now.Hint != old.Hint && item_.hint_ == old.Hint) item_.hint_ = now.Hint;
  if (now.ImageIndex != old.ImageIndex && item_.imageIndex_ == old.ImageIndex) item_.SetImageIndex(now.ImageIndex);
  if (now.Enabled != old.Enabled && item_.enabled_ == old.Enabled) item_.SetEnabled(now.Enabled);
  if (now.Visible != old.Visible && item_.visible_ == old.Visible) item_.SetVisible(now.Visible);
  if (now.Checked != old.Checked && item_.Group()->ShowItemSelection() && item_.selected_ == old.Checked)
    item_.SetSelected(now.Checked);
}

void TFwGroupItemActionLink::ActionFreed(TBasicAction& action) {
  if (&action != action_) return;
  action_ = nullptr;
  item_.ForgetAction();  // frees this link
}

QString TFwGroupItemActionLink::HintWithShortCut(const QString& hint) const {
  if (!action_ || action_->ShortCut() == 0 || hint.isEmpty()) return hint;
  return QStringLiteral("%1 (%2)").arg(hint, ShortCutToText(action_->ShortCut()));
}

// ---- item --------------------------------------------------------------------------

TFwGroupItem::TFwGroupItem(TFwGroupItems& collection) : TComponent(nullptr), collection_(&collection) {}

TFwGroupItem::~TFwGroupItem() {
  link_.reset();
  if (collection_) collection_->Remove(this);
}

TFwGroup* TFwGroupItem::Group() const { return &collection_->Owner(); }

TRect TFwGroupItem::ImageRect() const {
  const TFwGroupItemBox* box = Group()->BoxOf(*this);
  return box ? box->Image : TRect{};
}

TRect TFwGroupItem::CaptionRect() const {
  const TFwGroupItemBox* box = Group()->BoxOf(*this);
  return box ? box->Caption : TRect{};
}

int TFwGroupItem::Index() const { return collection_->IndexOf(this); }

void TFwGroupItem::Changed() { collection_->Changed(); }

void TFwGroupItem::SetAction(TAction* action) {
  if (action == Action()) return;
  if (link_) {
    link_.reset();
    Group()->ActionBound(false);
  }
  if (!action) return;
  Group()->ActionBound(true);
  link_ = std::make_unique<TFwGroupItemActionLink>(*this, *action);
  TakeActionValues(*action, Group()->Loading() || action->Loading());
}

void TFwGroupItem::ForgetAction() {
  if (!link_) return;
  link_.reset();
  Group()->ActionBound(false);
  Changed();
}

void TFwGroupItem::TakeActionValues(const TAction& action, bool checkDefaults) {
  collection_->BeginUpdate();
  if (!checkDefaults || caption_.isEmpty() || !captionSet_) SetCaption(action.Caption());
  if (!checkDefaults || enabled_) SetEnabled(action.Enabled());
  if (!checkDefaults || hint_.isEmpty()) hint_ = action.Hint();
  if (!checkDefaults || imageIndex_ == -1) SetImageIndex(action.ImageIndex());
  if (!checkDefaults || visible_) SetVisible(action.Visible());
  collection_->Changed();
  collection_->EndUpdate();
}

void TFwGroupItem::SetCaption(const QString& value) {
  captionSet_ = true;
  if (value == caption_) return;
  caption_ = value;
  Changed();
}

void TFwGroupItem::SetDisabledIndex(int value) {
  if (StoreIfChanged(disabledIndex_, value)) Changed();
}

void TFwGroupItem::SetEnabled(bool value) {
  if (StoreIfChanged(enabled_, value)) Changed();
}

void TFwGroupItem::SetFontColor(TColor value) {
  if (StoreIfChanged(fontColor_, value)) Changed();
}

void TFwGroupItem::SetFontStyle(TFontStyles value) {
  if (StoreIfChanged(fontStyle_, value)) Changed();
}

void TFwGroupItem::SetImageIndex(int value) {
  if (StoreIfChanged(imageIndex_, value)) Changed();
}

void TFwGroupItem::SetIndentLevel(int value) {
  value = std::clamp(value, 0, 255);
  if (value == indentLevel_) return;
  indentLevel_ = value;
  Changed();
}

void TFwGroupItem::SetVisible(bool value) {
  if (StoreIfChanged(visible_, value)) Changed();
}

void TFwGroupItem::SetSelected(bool value) {
  if (value == selected_) return;
  selected_ = value;
  if (value) {
    TFwGroup* group = Group();
    group->Perform(CM_FWGROUPITEMSELECTED, 0, LPARAM(this));
    group->BroadcastSelection(this);
  }
  Group()->Invalidate();
}

void TFwGroupItem::Click() {
  if (OnClick)
    OnClick(this);
  else if (TAction* action = Action())
    action->Execute();
}

void TFwGroupItem::Assign(const TFwGroupItem& source) {
  if (&source == this) return;
  collection_->BeginUpdate();
  SetAction(source.Action());
  SetCaption(source.caption_);
  SetDisabledIndex(source.disabledIndex_);
  SetEnabled(source.enabled_);
  SetFontColor(source.fontColor_);
  SetFontStyle(source.fontStyle_);
  hint_ = source.hint_;
  SetImageIndex(source.imageIndex_);
  SetVisible(source.visible_);
  OnClick = source.OnClick;
  collection_->Changed();
  collection_->EndUpdate();
}

QString TFwGroupItem::DisplayHint() const {
  const QString hint = GetShortHint(hint_);
  return link_ ? link_->HintWithShortCut(hint) : hint;
}

// ---- item list ---------------------------------------------------------------------

TFwGroupItems::~TFwGroupItems() {
  updateCount_ = 1;  // the group is going: no more change reports
  while (!items_.empty()) {
    TFwGroupItem* item = items_.back();
    items_.pop_back();
    item->collection_ = nullptr;
    delete item;
  }
}

int TFwGroupItems::IndexOf(const TFwGroupItem* item) const {
  const auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : int(it - items_.begin());
}

TFwGroupItem* TFwGroupItems::Add() { return Insert(Count()); }

TFwGroupItem* TFwGroupItems::Insert(int index) {
  index = std::clamp(index, 0, Count());
  auto* item = new TFwGroupItem(*this);
  items_.insert(items_.begin() + index, item);
  Changed();
  return item;
}

void TFwGroupItems::Delete(int index) { delete Items(index); }

void TFwGroupItems::Clear() {
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

void TFwGroupItems::Remove(TFwGroupItem* item) {
  const int index = IndexOf(item);
  if (index < 0) return;
  items_.erase(items_.begin() + index);
  group_.ItemDestroyed(item);
  group_.FixSelectionAfterDelete(index);
  Changed();
}

void TFwGroupItems::Assign(const TFwGroupItems& source) {
  if (&source == this) return;
  BeginUpdate();
  Clear();
  for (TFwGroupItem* item : source.items_) Add()->Assign(*item);
  EndUpdate();
}

void TFwGroupItems::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  if (updateCount_ == 0 && changePending_) Changed();
}

void TFwGroupItems::Changed() {
  // The boxes go at once: they name items by index, and a paint may come before EndUpdate.
  group_.InvalidateItemBoxes();
  if (updateCount_ > 0) {
    changePending_ = true;
    return;
  }
  changePending_ = false;
  group_.ItemsChanged();
}

} // namespace fw
