#pragma once
// TToolForm: a hidden window ("ThePublicForm", never shown) that holds the popup menu of
// code lists beside code edits (CodePopupMenu.h) and handles its items.

#include "platform/ui/Form.h"
#include "platform/ui/PopupMenu.h"

namespace fw {

class TToolForm : public TForm {
public:
  explicit TToolForm(TComponent* owner);
  ~TToolForm() override;

  TPopupMenu* CodePopupMenu = nullptr;

  // A chosen code: the popup's target edit takes the item's caption (trimmed) and its
  // code as tag, then the popup's callback, when one was given, is told the code.
  void CodeMenuItemClick(TObject* sender);
};

extern TToolForm* ToolForm;

} // namespace fw
