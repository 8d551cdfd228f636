#include "platform/ui/MainMenu.h"

#include <QMenuBar>

namespace fw {

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner), bar_(new QMenuBar) {
  bar_->setNativeMenuBar(false);
  AttachItems();
}

TMainMenu::~TMainMenu() {
  SetDestroying();
  DestroyComponents();
  delete bar_.data();
}

QWidget* TMainMenu::EntriesWidget() const { return bar_.data(); }

} // namespace fw
