#pragma once
// The popup menu of a code list beside a code edit: the user picks a code by its name,
// the target edit shows the name and keeps the code as its tag.

#include "core/SurveyModel.h"

#include <QPointer>
#include <functional>

namespace fw {

class TControl;

// The edit that receives the chosen code; callers set it before they open the menu.
extern QPointer<TControl> PopupTarget;
// Called with the chosen code after the target took it (may be empty).
extern std::function<void(int code)> PopupCallback;

// PopupCodeMenuEx without a callback.
void PopupCodeMenu(TControl* control, const TMenuItemDataArray& codes);
// Fills the tool window's CodePopupMenu with the codes (the control's current code,
// its tag, checked) and pops it up near the control's bottom-right corner.
void PopupCodeMenuEx(TControl* control, const TMenuItemDataArray& codes, std::function<void(int code)> callback);

} // namespace fw
