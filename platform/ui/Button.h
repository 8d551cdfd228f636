#pragma once
// TButton: a push button. A click sets the form's ModalResult to the button's
// ModalResult (ending a modal show when not mrNone) and then raises OnClick. Enter in
// the form clicks the Default button (or the focused button), Escape the Cancel button.

#include "platform/ui/WinControl.h"

class QPushButton;

namespace fw {

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner);

  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

  void Click() override;

  QPushButton* Widget() const { return button_; }

protected:
  QString GetText() const override;
  void StoreText(const QString& value) override;

private:
  QPushButton* button_;
  int modalResult_ = 0;
  bool default_ = false;
  bool cancel_ = false;
};

} // namespace fw
