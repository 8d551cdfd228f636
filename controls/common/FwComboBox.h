#pragma once
// TFwComboBox: the framed combo box as windows place it, with a list of values kept
// beside the items: Value reads the value of the chosen item (its text when it has no
// value) and setting Value chooses the first item whose value it is.

#include "controls/common/FwCustomComboBox.h"

namespace fw {

class TFwComboBox : public TFwCustomComboBox {
public:
  explicit TFwComboBox(TComponent* owner) : TFwCustomComboBox(owner) {}

  const QStringList& Values() const { return values_; }
  virtual void SetValues(const QStringList& value);
  // Values[index] when it exists and is not empty, else the item's text, else empty.
  virtual QString GetItemValue(int index) const;
  virtual QString Value() const;
  virtual void SetValue(const QString& value);

private:
  QStringList values_;
  QString value_;
  bool valuesChanging_ = false;
};

} // namespace fw
