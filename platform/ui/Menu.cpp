#include "platform/ui/Menu.h"

#include "platform/ui/ImageList.h"

#include <functional>

namespace fw {

TMenu::TMenu(TComponent* owner) : TComponent(owner) {
  items_ = new TMenuItem(this);
  items_->menu_ = this;
}

TMenu::~TMenu() {
  // The entries go while the menu's widget still exists.
  SetDestroying();
  DestroyComponents();
  items_ = nullptr;
}

void TMenu::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  std::function<void(TMenuItem*)> refresh = [&](TMenuItem* item) {
    item->UpdateImage();
    for (int i = 0; i < item->Count(); ++i) refresh(item->Items(i));
  };
  if (items_) refresh(items_);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == images_) images_ = nullptr;
  if (component == items_) items_ = nullptr;
}

void TMenu::AttachItems() {
  if (items_) items_->RebuildEntries();
}

} // namespace fw
