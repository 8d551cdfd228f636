#include "controls/navigation/FwGroupItem.h"

#include "controls/navigation/FwGroup.h"
#include "platform/ui/Setters.h"

#include <QKeySequence>
#include <algorithm>

namespace fw {

// ---- action link -------------------------------------------------------------------

TFwGroupItemActionLink::TFwGroupItemActionLink(TFwGroupItem& item, TAction& action) : item_(item), action_(&action) {
  seen_.Reset(action);
  action.RegisterChanges(this);
}

TFwGroupItemActionLink::~TFwGroupItemActionLink() {
  if (action_) action_->UnRegisterChanges(this);
}

void TFwGroupItemActionLink::ActionChanged(TBasicAction& action) {
  if (&action != action_) return;
  const TActionChange change = seen_.Changed(*action_);
  TFwGroupItem& i = item_;
  change.Follow(&TActionValues::Caption, i.caption_, [&i](const QString& v) { i.SetCaption(v); });
  change.Follow(&TActionValues::Hint, i.hint_, [&i](const QString& v) { i.hint_ = v; });
  change.Follow(&TActionValues::ImageIndex, i.imageIndex_, [&i](int v) { i.SetImageIndex(v); });
  change.Follow(&TActionValues::Enabled, i.enabled_, [&i](bool v) { i.SetEnabled(v); });
  change.Follow(&TActionValues::Visible, i.visible_, [&i](bool v) { i.SetVisible(v); });
  // Checked shows as the item's selection, where the group shows one.
  if (i.Group()->ShowItemSelection())
    change.Follow(&TActionValues::Checked, i.selected_, [&i](bool v) { i.SetSelected(v); });
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
  TakeActionValue(action.Caption(), caption_.isEmpty() || !captionSet_, checkDefaults,
                  [this](const QString& v) { SetCaption(v); });
  TakeActionValue(action.Enabled(), enabled_, checkDefaults, [this](bool v) { SetEnabled(v); });
  TakeActionValue(action.Hint(), hint_.isEmpty(), checkDefaults, [this](const QString& v) { hint_ = v; });
  TakeActionValue(action.ImageIndex(), imageIndex_ == -1, checkDefaults, [this](int v) { SetImageIndex(v); });
  TakeActionValue(action.Visible(), visible_, checkDefaults, [this](bool v) { SetVisible(v); });
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

bool TFwGroupItem::HasClickHandler() const {
  const TAction* action = Action();
  return OnClick || (action && action->OnExecute);
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

void TFwGroupItem::AssignTo(TAction& action) const {
  action.SetCaption(caption_);
  action.SetEnabled(enabled_);
  action.SetHint(hint_);
  action.SetImageIndex(imageIndex_);
  action.SetVisible(visible_);
  if (OnClick)
    action.OnExecute = [click = OnClick](TBasicAction* sender) { click(sender); };
  else
    action.OnExecute = nullptr;
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
