#include "platform/ui/PopupMenu.h"

#include <QMenu>

namespace fw {

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner), menu_(new QMenu) { AttachItems(); }

TPopupMenu::~TPopupMenu() {
  SetDestroying();
  DestroyComponents();
  delete menu_.data();
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (component == popupComponent_) return;
  if (popupComponent_) popupComponent_->RemoveFreeNotification(this);
  popupComponent_ = component;
  if (popupComponent_) popupComponent_->FreeNotification(this);
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  if (Items()) Items()->InitiateActions();
  if (menu_) menu_->popup(QPoint(x, y));
}

QWidget* TPopupMenu::EntriesWidget() const { return menu_.data(); }

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == TOperation::opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

} // namespace fw
