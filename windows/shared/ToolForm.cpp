#include "windows/shared/ToolForm.h"

#include "windows/shared/CodePopupMenu.h"

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

void TToolForm::CodeMenuItemClick(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || !PopupTarget) return;
  PopupTarget->SetText(item->Caption().trimmed());
  PopupTarget->SetTag(item->Tag());
  if (PopupCallback) PopupCallback(static_cast<int>(item->Tag()));
}

} // namespace fw
