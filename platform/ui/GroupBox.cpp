#include "platform/ui/GroupBox.h"

#include <QGroupBox>

namespace fw {

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner), box_(new QGroupBox) {
  resize(185, 105);
  AdoptInner(box_);
  // The frame is only a background: the focus goes to the controls inside it.
  setFocusProxy(nullptr);
  box_->setFocusPolicy(Qt::NoFocus);
}

QString TGroupBox::GetText() const { return box_->title(); }

void TGroupBox::StoreText(const QString& value) { box_->setTitle(value); }

} // namespace fw
