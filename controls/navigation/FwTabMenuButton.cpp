#include "controls/navigation/FwTabMenuButton.h"

#include "controls/common/FwGlyphs.h"
#include "controls/navigation/FwTabControl.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"

#include <QMenu>
#include <QPointer>

namespace fw {

TFwTabMenuButton::TFwTabMenuButton(TFwCustomTabControl& tabControl, TComponent* owner)
    : TFwTabButton(tabControl, owner), menu_(new TPopupMenu(this)) {}

int TFwTabMenuButton::TabOfItem(int item) const {
  return item >= 0 && item < int(itemTabs_.size()) ? itemTabs_[size_t(item)] : -1;
}

void TFwTabMenuButton::FillMenu() {
  TFwCustomTabControl& control = TabControl();
  menu_->SetImages(control.Images());
  menu_->Items()->Clear();
  itemTabs_.clear();
  const TFwTabDataList& tabs = control.Tabs();
  for (int i = 0; i < tabs.Count(); ++i) {
    const TFwTabData& tab = tabs.Items(i);
    if (!tab.Visible) continue;
    auto* item = new TMenuItem(menu_);
    item->SetCaption(tab.Caption);
    item->SetEnabled(tab.Enabled);
    item->SetChecked(i == control.TabIndex());
    item->SetImageIndex(!tab.Enabled && tab.DisabledIndex != -1 ? tab.DisabledIndex : tab.ImageIndex);
    QPointer<TFwCustomTabControl> guard(&control);
    item->OnClick = [guard, i](TObject*) {
      if (guard) guard->SetTabIndex(i);
    };
    menu_->Items()->Add(item);
    itemTabs_.push_back(i);
  }
}

TPoint TFwTabMenuButton::MenuPosition(int menuWidth) const {
  const TPoint topLeft = ClientToScreen(Point(0, 0));
  const TPoint bottomRight = ClientToScreen(Point(Width(), Height()));
  const bool reverse = TabControl().TabSequence() == TFwTabSequence::tsReverse;
  switch (TabControl().TabOrientation()) {
  case TFwTabOrientation::toTop:
    return reverse ? TPoint{topLeft.X, bottomRight.Y} : TPoint{bottomRight.X - menuWidth, bottomRight.Y};
  case TFwTabOrientation::toLeft: return {bottomRight.X, topLeft.Y};
  case TFwTabOrientation::toBottom:
    // From the button's top edge down over the button; a menu that would leave the
    // screen is moved onto it.
    return reverse ? topLeft : TPoint{bottomRight.X - menuWidth, topLeft.Y};
  case TFwTabOrientation::toRight: return {topLeft.X - menuWidth, topLeft.Y};
  }
  return topLeft;
}

void TFwTabMenuButton::ButtonClick() {
  FillMenu();
  QPointer<TFwTabMenuButton> guard(this);
  if (OnDisplayMenu) OnDisplayMenu(this);
  if (!guard || menu_->Items()->Count() == 0) return;
  const QSize size = menu_->Menu() ? menu_->Menu()->sizeHint() : QSize();
  const TPoint at = MenuPosition(size.width());
  menu_->SetPopupComponent(this);
  menu_->Popup(at.X, at.Y);
}

void TFwTabMenuButton::DrawGlyph(TCanvas& canvas, const TRect& r) {
  DrawDropDownArrow(canvas, r, fwGlyphClassic, TabControl().Tabs().Count() > 0, Pressed());
}

} // namespace fw
