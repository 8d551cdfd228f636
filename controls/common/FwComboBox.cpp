#include "controls/common/FwComboBox.h"

namespace fw {

void TFwComboBox::SetValues(const QStringList& value) {
  values_ = value;
  // The stored value is chosen again among the new values.
  valuesChanging_ = true;
  SetValue(value_);
  valuesChanging_ = false;
}

QString TFwComboBox::GetItemValue(int index) const {
  if (index >= 0 && index < values_.size() && !values_[index].isEmpty()) return values_[index];
  if (index >= 0 && index < ItemCount()) return Items().at(index);
  return QString();
}

namespace {

// The item whose text is the given one regardless of letter case, or -1.
int IndexOfText(const QStringList& items, const QString& text) {
  for (int i = 0; i < items.size(); ++i)
    if (items[i].compare(text, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

} // namespace

QString TFwComboBox::Value() const {
  int index;
  if (Style() == TComboBoxStyle::csDropDownList)
    index = ItemIndex();
  else
    index = Text().isEmpty() ? -1 : IndexOfText(Items(), Text());
  if (index >= 0 && index < values_.size() && !values_[index].isEmpty()) return values_[index];
  return Text();
}

void TFwComboBox::SetValue(const QString& value) {
  if (value == value_ && !valuesChanging_) return;
  int found = -1;
  for (int i = 0; i < ItemCount() && found < 0; ++i)
    if (GetItemValue(i) == value) found = i;
  SetItemIndex(found);
  value_ = value;
}

} // namespace fw
