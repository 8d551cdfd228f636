#include "platform/ui/Component.h"

#include <algorithm>
#include <stdexcept>

namespace fw {

TComponent::TComponent(TComponent* owner) {
  if (owner) {
    owner->InsertComponent(this);
    loading_ = owner->loading_;
  }
}

TComponent::~TComponent() {
  destroying_ = true;
  // Tell everyone who holds a pointer to us, then free what we own, then leave our owner.
  // Each step works on a copy or re-reads the list, because the callbacks may change it.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    Unlink(other->freeNotifies_, this);
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(const QString& name) {
  if (name == name_) return;
  if (owner_ && !name.isEmpty()) {
    TComponent* clash = owner_->FindComponent(name);
    if (clash && clash != this)
      throw std::runtime_error(("A component named " + name.toStdString() + " already exists"));
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(const QString& name) const {
  if (name.isEmpty()) return nullptr;
  for (TComponent* c : components_)
    if (c->name_.compare(name, Qt::CaseInsensitive) == 0) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, TOperation::opRemove);
  Unlink(components_, component);
  component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  Unlink(freeNotifies_, component);
  Unlink(component->freeNotifies_, this);
}

void TComponent::BeginLoad() {
  loading_ = true;
  for (TComponent* c : components_) c->BeginLoad();
}

void TComponent::EndLoad() {
  // Copy: a Loaded() handler may create or free components.
  const std::vector<TComponent*> owned = components_;
  for (TComponent* c : owned)
    if (std::find(components_.begin(), components_.end(), c) != components_.end()) c->EndLoad();
  if (!loading_) return;
  loading_ = false;
  Loaded();
}

void TComponent::Free() {
  if (!beforeDestructionDone_) {
    beforeDestructionDone_ = true;
    BeforeDestruction();
  }
  delete this;
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::DestroyComponents() {
  // The last created goes first. Freeing one may free others (a widget deletes its child
  // widgets); those leave this list themselves, so the loop always re-reads it.
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    Notification(c, TOperation::opRemove);
    c->Free();
  }
}

void TComponent::Unlink(std::vector<TComponent*>& list, TComponent* component) {
  auto it = std::find(list.begin(), list.end(), component);
  if (it != list.end()) list.erase(it);
}

} // namespace fw
