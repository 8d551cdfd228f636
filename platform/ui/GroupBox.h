#pragma once
// TGroupBox: the desktop's group box, a captioned frame round a group of controls. Its
// children are placed in its own coordinates, the caption band included, and are drawn
// over the frame.

#include "platform/ui/WinControl.h"

class QGroupBox;

namespace fw {

class TGroupBox : public TWinControl {
public:
  explicit TGroupBox(TComponent* owner);

  QGroupBox* Widget() const { return box_; }

protected:
  QString GetText() const override;
  void StoreText(const QString& value) override;

private:
  QGroupBox* box_;
};

} // namespace fw
