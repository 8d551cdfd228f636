#pragma once
// TPopupMenu: a context menu. Popup(x, y) raises OnPopup, brings the entries' actions up
// to date and shows the menu at the screen point; a chosen entry runs its Click.

#include "platform/ui/Menu.h"

#include <QPointer>
#include <functional>

#include <QMenu>

namespace fw {

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  virtual void Popup(int x, int y);
  // The control whose context menu this is while it pops up.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component);
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }

  QMenu* Menu() const { return menu_; }

  std::function<void(TObject*)> OnPopup;

protected:
  QWidget* EntriesWidget() const override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  QPointer<QMenu> menu_;
  TComponent* popupComponent_ = nullptr;
  bool autoPopup_ = true;
};

} // namespace fw
