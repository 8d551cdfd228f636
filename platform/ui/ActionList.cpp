#include "platform/ui/ActionList.h"

#include "platform/ui/ImageList.h"

#include <algorithm>

namespace fw {

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
  for (TAction* action : actions_) action->actionList_ = nullptr;
  actions_.clear();
}

void TActionList::SetImages(TImageList* images) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
}

void TActionList::UpdateActions() {
  const std::vector<TAction*> actions = actions_;
  for (TAction* action : actions)
    if (std::find(actions_.begin(), actions_.end(), action) != actions_.end()) action->Update();
}

void TActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

void TActionList::AddAction(TAction* action) {
  actions_.push_back(action);
  action->actionList_ = this;
}

void TActionList::RemoveAction(TAction* action) {
  actions_.erase(std::remove(actions_.begin(), actions_.end(), action), actions_.end());
  action->actionList_ = nullptr;
}

} // namespace fw
