#pragma once
// TComponent: the ownership and naming base of every object of the class library.
//
// An owner frees the components it owns when it goes, last created first. A component
// freed by another route (its Qt parent widget, an explicit delete) leaves its owner's
// list at once, so every object is deleted exactly once. Components that keep pointers
// to others ask for a free notification and drop the pointer in Notification().

#include <QString>
#include <cstdint>
#include <vector>

namespace fw {

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
  explicit TComponent(TComponent* owner = nullptr);
  virtual ~TComponent();

  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }

  QString Name() const { return name_; }
  virtual void SetName(const QString& name);
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  // The owned component with this name, compared without regard to case; nullptr if none.
  TComponent* FindComponent(const QString& name) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  // Asks to be told (through Notification with opRemove) when `component` is freed.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Building: windows call BeginLoad before they create and set up their components and
  // EndLoad after; EndLoad runs Loaded() on every component owned (directly or not), in
  // the order they were created, then on this one. Components created meanwhile by a
  // loading owner are loading too.
  void BeginLoad();
  void EndLoad();
  bool Loading() const { return loading_; }

  // Runs BeforeDestruction and deletes the component: the route that raises the
  // destruction events (a form's OnDestroy). Owners free their components this way.
  void Free();
  bool Destroying() const { return destroying_; }

protected:
  // Called while the object is still whole, before its destructor runs.
  virtual void BeforeDestruction() {}
  virtual void Notification(TComponent* component, TOperation operation);
  // Called by EndLoad once the component is set up; Loading() is already false.
  virtual void Loaded() {}
  // Frees every owned component, the last inserted first. Derived destructors that
  // need their owned components gone while they are still whole call this early.
  void DestroyComponents();
  void SetDestroying() { destroying_ = true; }

private:
  void Unlink(std::vector<TComponent*>& list, TComponent* component);

  TComponent* owner_ = nullptr;
  QString name_;
  std::intptr_t tag_ = 0;
  bool destroying_ = false;
  bool loading_ = false;
  bool beforeDestructionDone_ = false;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

// The sender type of events.
using TObject = TComponent;

// Frees the object (through TComponent::Free) and clears the pointer first, so that
// code reached during the destruction sees an empty global.
template <class T>
void FreeAndNil(T*& object) {
  T* doomed = object;
  object = nullptr;
  if (doomed) doomed->Free();
}

// Points a component's reference at another component: the free notification moves from
// the old one to the new one, so `observer` hears when the one it keeps goes. Returns
// whether the reference changed.
template <class T>
bool StoreReference(TComponent& observer, T*& field, T* value) {
  if (field == value) return false;
  if (field) field->RemoveFreeNotification(&observer);
  field = value;
  if (field) field->FreeNotification(&observer);
  return true;
}

} // namespace fw
