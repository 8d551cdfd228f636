#pragma once
// The popup menu of a code list beside a code edit: the user picks a code by its name,
// the target edit shows the name and keeps the code as its tag.

#include "core/SurveyModel.h"

#include <QPointer>
#include <functional>

namespace fw {

class TControl;

// The edit that receives the next code chosen from the menu. A caller that pops the
// menu up for another control (a button beside its edit) sets it first; when it is not
// set, the control given receives the choice. Every popup takes it over for its own
// items and clears it, so that it never carries over to the next popup.
extern QPointer<TControl> PopupTarget;

// PopupCodeMenuEx without a callback.
void PopupCodeMenu(TControl* control, const TMenuItemDataArray& codes);
// Fills the tool window's CodePopupMenu with the codes (the control's current code,
// its tag, checked) and pops it up near the control's bottom-right corner. A chosen
// item goes to the target (PopupTarget when set, else `control`; nothing happens when
// it has been freed meanwhile), then to the callback with the code.
void PopupCodeMenuEx(TControl* control, const TMenuItemDataArray& codes, std::function<void(int code)> callback);

} // namespace fw
