#include "windows/shared/CodePopupMenu.h"

#include "platform/ui/Control.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/WinControl.h"
#include "windows/shared/ToolForm.h"

#include <QPointer>

namespace fw {

void PopupCodeMenu(TControl* control, const TMenuItemDataArray& codes) { PopupCodeMenuEx(control, codes, nullptr); }

void PopupCodeMenuEx(TControl* control, const TMenuItemDataArray& codes, std::function<void(int code)> callback) {
  PopupCodeMenuFor(control, control, codes, std::move(callback));
}

void PopupCodeMenuFor(TControl* anchor, TControl* target, const TMenuItemDataArray& codes,
                      std::function<void(int code)> callback) {
  if (!anchor || !target || !ToolForm) return;
  // Each item carries its target, so a menu outliving its edit reaches no freed one.
  const QPointer<TControl> guardedTarget(target);
  // Just inside the anchor's bottom-right corner, in screen coordinates.
  TPoint point{anchor->Left() + anchor->Width() - 10, anchor->Top() + anchor->Height() - 30};
  if (TWinControl* parent = anchor->Parent()) point = parent->ClientToScreen(point);

  TPopupMenu* menu = ToolForm->CodePopupMenu;
  menu->Items()->Clear();
  menu->SetTag(0);
  for (const TCode& code : codes) {
    auto* item = new TMenuItem(ToolForm);
    item->SetCaption(code.Name);
    item->SetTag(code.Code);
    item->SetChecked(code.Code == target->Tag());
    item->OnClick = [guardedTarget, callback](TObject* sender) {
      ToolForm->CodeMenuItemClick(sender, guardedTarget, callback);
    };
    menu->Items()->Add(item);
  }
  menu->Popup(point.X, point.Y);
}

} // namespace fw
