#include "windows/shared/CodePopupMenu.h"

#include "platform/ui/Control.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/WinControl.h"
#include "windows/shared/ToolForm.h"

#include <QPointer>

namespace fw {

QPointer<TControl> PopupTarget;

void PopupCodeMenu(TControl* control, const TMenuItemDataArray& codes) { PopupCodeMenuEx(control, codes, nullptr); }

void PopupCodeMenuEx(TControl* control, const TMenuItemDataArray& codes, std::function<void(int code)> callback) {
  // Each item carries its target, so a menu outliving its edit reaches no freed one.
  const QPointer<TControl> target(PopupTarget ? PopupTarget.data() : control);
  PopupTarget = nullptr;
  if (!control || !ToolForm) return;
  // Just inside the control's bottom-right corner, in screen coordinates.
  TPoint point{control->Left() + control->Width() - 10, control->Top() + control->Height() - 30};
  if (TWinControl* parent = control->Parent()) point = parent->ClientToScreen(point);

  TPopupMenu* menu = ToolForm->CodePopupMenu;
  menu->Items()->Clear();
  menu->SetTag(0);
  for (const TCode& code : codes) {
    auto* item = new TMenuItem(ToolForm);
    item->SetCaption(code.Name);
    item->SetTag(code.Code);
    item->SetChecked(code.Code == control->Tag());
    item->OnClick = [target, callback](TObject* sender) { ToolForm->CodeMenuItemClick(sender, target, callback); };
    menu->Items()->Add(item);
  }
  menu->Popup(point.X, point.Y);
}

} // namespace fw
