#pragma once
// TToolForm: a hidden window ("ThePublicForm", never shown) that holds the popup menu of
// code lists beside code edits (CodePopupMenu.h) and handles its items.

#include "platform/ui/Form.h"
#include "platform/ui/PopupMenu.h"

#include <functional>

namespace fw {

class TToolForm : public TForm {
public:
  explicit TToolForm(TComponent* owner);
  ~TToolForm() override;

  TPopupMenu* CodePopupMenu = nullptr;

  // A chosen code: the target edit takes the item's caption (trimmed) and its code as
  // tag, then the callback, when one was given, is told the code. Nothing happens when
  // the target is gone.
  void CodeMenuItemClick(TObject* sender, TControl* target, const std::function<void(int code)>& callback);
};

extern TToolForm* ToolForm;

} // namespace fw
