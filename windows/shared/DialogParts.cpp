#include "windows/shared/DialogParts.h"

#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "platform/ui/Label.h"

namespace fw {

TLabel* NewLabel(TComponent* owner, TWinControl* parent, int left, int top, const QString& caption) {
  auto* label = new TLabel(owner);
  label->SetParent(parent);
  label->SetAutoSize(true);
  label->SetBounds(left, top, 0, 0);
  label->SetCaption(caption);
  return label;
}

TFwToolbar* NewToolbar(TComponent* owner, TWinControl* parent, const QString& name, int buttonWidth) {
  auto* bar = new TFwToolbar(owner);
  bar->SetName(name);
  bar->SetParent(parent);
  bar->SetAlign(TAlign::alNone);
  bar->SetAutoStyle(false);
  bar->SetBorderSides(0);
  bar->SetShowButtonCaptions(true);
  bar->SetButtonWidth(buttonWidth);
  return bar;
}

TFwToolButton* NewToolButton(TComponent* owner, TFwToolbar* bar, const QString& name, const QString& caption,
                             std::function<void()> onClick) {
  auto* button = new TFwToolButton(owner);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetParent(bar);
  if (onClick) button->OnClick = [onClick = std::move(onClick)](TObject*) { onClick(); };
  return button;
}

} // namespace fw
