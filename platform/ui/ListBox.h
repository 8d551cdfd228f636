#pragma once
// TListBox: a list of text items with one current item or several selected ones.
// OnClick follows the user's change of the current item, not changes made in code;
// OnDblClick follows a double click anywhere in the list.

#include "platform/ui/WinControl.h"

#include <QStringList>

class QListWidget;

namespace fw {

class TListBox : public TWinControl {
public:
  explicit TListBox(TComponent* owner);

  QStringList Items() const;
  void SetItems(const QStringList& items);
  void AddItem(const QString& item);
  // Puts an item before index (index Count() appends); the current item stays the same item.
  void InsertItem(int index, const QString& item);
  // Moves an item with all it carries; the current index stays where it was.
  void MoveItem(int from, int to);
  void DeleteItem(int index);
  void ClearItems();
  int Count() const;
  QString Item(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  bool Selected(int index) const;
  void SetSelected(int index, bool value);
  int SelCount() const;

  QListWidget* Widget() const { return list_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QListWidget* list_;
  bool multiSelect_ = false;
  bool settingInCode_ = false;
};

} // namespace fw
