#pragma once
// The popup menu of a code list beside a code edit: the user picks a code by its name,
// the target edit shows the name and keeps the code as its tag.

#include "core/SurveyModel.h"

#include <QPointer>
#include <functional>

namespace fw {

class TControl;

// PopupCodeMenuEx without a callback.
void PopupCodeMenu(TControl* control, const TMenuItemDataArray& codes);
// Fills the tool window's CodePopupMenu with the codes (the control's current code,
// its tag, checked) and pops it up near the control's bottom-right corner. A chosen
// item goes to `control` itself (nothing happens when it has been freed meanwhile), then
// to the callback with the code.
void PopupCodeMenuEx(TControl* control, const TMenuItemDataArray& codes, std::function<void(int code)> callback);
// The same for a menu popped up beside `anchor` (a button next to its edit) whose chosen
// item goes to `target`.
void PopupCodeMenuFor(TControl* anchor, TControl* target, const TMenuItemDataArray& codes,
                      std::function<void(int code)> callback = nullptr);

} // namespace fw
