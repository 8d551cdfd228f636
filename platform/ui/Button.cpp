#include "platform/ui/Button.h"

#include "platform/ui/Form.h"

#include <QPointer>
#include <QPushButton>

namespace fw {

TButton::TButton(TComponent* owner) : TWinControl(owner), button_(new QPushButton) {
  resize(75, 25);
  AdoptInner(button_);
  SetTabStop(true);
  button_->setAutoDefault(false);
  QObject::connect(button_, &QPushButton::clicked, button_, [this] { Click(); });
}

void TButton::SetDefault(bool value) {
  default_ = value;
  // Only the look: which button Enter clicks is the form's business.
  button_->setDefault(value);
}

void TButton::Click() {
  QPointer<TButton> self(this);
  if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
  if (self) TWinControl::Click();
}

QString TButton::GetText() const { return button_->text(); }

void TButton::StoreText(const QString& value) { button_->setText(value); }

} // namespace fw
