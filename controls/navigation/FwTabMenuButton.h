#pragma once
// TFwTabMenuButton: the button at the end of a tab strip that lists the tabs. A click
// fills its menu with one item per visible tab (caption, enabled state, a check on the
// selected tab, the tab's image or, for a disabled tab, its disabled image), raises
// OnDisplayMenu and pops the menu up at the button's outer corner. Choosing an item
// selects its tab as a click on the tab would.

#include "controls/navigation/FwTabButton.h"

#include <vector>

namespace fw {

class TPopupMenu;

class TFwTabMenuButton : public TFwTabButton {
public:
  TFwTabMenuButton(TFwCustomTabControl& tabControl, TComponent* owner);

  // The list of tabs, as filled by the last click.
  TPopupMenu* TabMenu() const { return menu_; }
  // The tab a menu item stands for.
  int TabOfItem(int item) const;
  // Fills the menu from the visible tabs.
  void FillMenu();
  // Where a menu of the given width goes: a corner of the button, the menu's left edge
  // there or, aligned right, its right edge.
  TPoint MenuPosition(int menuWidth) const;

  TNotifyEvent OnDisplayMenu;

protected:
  void ButtonClick() override;
  void DrawGlyph(TCanvas& canvas, const TRect& r) override;

private:
  TPopupMenu* menu_;
  std::vector<int> itemTabs_;
};

} // namespace fw
