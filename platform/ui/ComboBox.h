#pragma once
// TComboBox: a drop-down list, editable (csDropDown) or a fixed choice
// (csDropDownList). OnChange follows the user's choice and typing; OnSelect the choice.

#include "platform/ui/WinControl.h"

#include <QStringList>

class QComboBox;

namespace fw {

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TWinControl {
public:
  explicit TComboBox(TComponent* owner);

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  QStringList Items() const;
  void SetItems(const QStringList& items);
  void AddItem(const QString& item);
  void ClearItems();
  int ItemCount() const;
  int ItemIndex() const;
  void SetItemIndex(int value);
  int DropDownCount() const;
  void SetDropDownCount(int value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  // The height of a row of the dropped-down list; until set, the font's line height.
  int ItemHeight() const;
  void SetItemHeight(int value);

  QComboBox* Widget() const { return combo_; }

  std::function<void(TObject*)> OnChange;
  std::function<void(TObject*)> OnSelect;

protected:
  virtual void DoChange();
  QString GetText() const override;
  void StoreText(const QString& value) override;

private:
  QComboBox* combo_;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int maxLength_ = 0;
  int itemHeight_ = 0;
};

} // namespace fw
