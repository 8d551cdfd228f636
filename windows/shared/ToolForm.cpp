#include "windows/shared/ToolForm.h"

#include "platform/ui/MenuItem.h"

namespace fw {

TToolForm* ToolForm = nullptr;

TToolForm::TToolForm(TComponent* owner) : TForm(owner) {
  if (!ToolForm) ToolForm = this;
  SetName(QStringLiteral("ToolForm"));
  SetCaption(QStringLiteral("ThePublicForm"));
  CodePopupMenu = new TPopupMenu(this);
  CodePopupMenu->SetName(QStringLiteral("CodePopupMenu"));
}

TToolForm::~TToolForm() {
  if (ToolForm == this) ToolForm = nullptr;
}

void TToolForm::CodeMenuItemClick(TObject* sender, TControl* target, const std::function<void(int code)>& callback) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || !target) return;
  target->SetText(item->Caption().trimmed());
  target->SetTag(item->Tag());
  if (callback) callback(static_cast<int>(item->Tag()));
}

} // namespace fw
