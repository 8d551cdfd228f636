#pragma once
// TMenu: what a main menu and a popup menu share: the root item whose sub-items are the
// menu's entries, and the image list of the entries' images.

#include "platform/ui/MenuItem.h"

class QWidget;

namespace fw {

class TImageList;

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_; }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

protected:
  void Notification(TComponent* component, TOperation operation) override;
  // The Qt widget that shows the root item's entries (a menu bar or a popup menu).
  virtual QWidget* EntriesWidget() const = 0;
  // Attaches the root item to the menu; subclasses call it once their widget exists.
  void AttachItems();

private:
  friend class TMenuItem;
  TMenuItem* items_ = nullptr;
  TImageList* images_ = nullptr;
};

} // namespace fw
