#pragma once
// TMainMenu: a form's menu bar. The root item's entries are the bar's menus; a form
// shows the bar once it is given the menu (TForm::SetMenu).

#include "platform/ui/Menu.h"

#include <QPointer>

#include <QMenuBar>

namespace fw {

class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  QMenuBar* MenuBar() const { return bar_; }

protected:
  QWidget* EntriesWidget() const override;

private:
  // Guarded: the form the bar sits in may delete it first.
  QPointer<QMenuBar> bar_;
};

} // namespace fw
