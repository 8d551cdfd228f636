#include "platform/ui/CheckBox.h"

#include <QCheckBox>

namespace fw {

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner), box_(new QCheckBox) {
  resize(97, 17);
  AdoptInner(box_);
  SetTabStop(true);
  QObject::connect(box_, &QCheckBox::stateChanged, box_, [this] { Click(); });
}

TCheckBoxState TCheckBox::State() const {
  switch (box_->checkState()) {
  case Qt::Checked: return TCheckBoxState::cbChecked;
  case Qt::PartiallyChecked: return TCheckBoxState::cbGrayed;
  default: return TCheckBoxState::cbUnchecked;
  }
}

void TCheckBox::SetState(TCheckBoxState value) {
  const Qt::CheckState state = value == TCheckBoxState::cbChecked ? Qt::Checked
                               : value == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                                   : Qt::Unchecked;
  box_->setCheckState(state);
}

bool TCheckBox::AllowGrayed() const { return box_->isTristate(); }

void TCheckBox::SetAllowGrayed(bool value) { box_->setTristate(value); }

QString TCheckBox::GetText() const { return box_->text(); }

void TCheckBox::StoreText(const QString& value) { box_->setText(value); }

void TCheckBox::ActionLinked(const TAction& action, bool checkDefaults) {
  TWinControl::ActionLinked(action, checkDefaults);
  TakeActionValue(action.Checked(), !Checked(), checkDefaults, [this](bool v) { SetCheckedFromAction(v); });
}

void TCheckBox::FollowAction(const TActionChange& change) {
  TWinControl::FollowAction(change);
  change.Follow(&TActionValues::Checked, Checked(), [this](bool v) { SetCheckedFromAction(v); });
}

void TCheckBox::SetCheckedFromAction(bool value) {
  const QSignalBlocker block(box_);
  box_->setChecked(value);
}

} // namespace fw
