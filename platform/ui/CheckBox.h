#pragma once
// TCheckBox: a check box with its caption. A change of state, by the user or in code,
// raises OnClick, as the class library does.

#include "platform/ui/WinControl.h"

class QCheckBox;

namespace fw {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return State() == TCheckBoxState::cbChecked; }
  void SetChecked(bool value) { SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState State() const;
  void SetState(TCheckBoxState value);
  bool AllowGrayed() const;
  void SetAllowGrayed(bool value);

  QCheckBox* Widget() const { return box_; }

protected:
  QString GetText() const override;
  void StoreText(const QString& value) override;
  // The action's Checked reaches the box without a click.
  void ActionLinked(const TAction& action, bool checkDefaults) override;
  void FollowAction(const TActionChange& change) override;

private:
  void SetCheckedFromAction(bool value);
  QCheckBox* box_;
};

} // namespace fw
