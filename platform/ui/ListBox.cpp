#include "platform/ui/ListBox.h"

#include <QEvent>
#include <QListWidget>
#include <QPointer>

namespace fw {

TListBox::TListBox(TComponent* owner) : TWinControl(owner), list_(new QListWidget) {
  resize(121, 97);
  SetParentColor(false);
  SetColor(clWindow);
  AdoptInner(list_);
  SetTabStop(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  QObject::connect(list_, &QListWidget::currentRowChanged, list_, [this](int) {
    if (!settingInCode_) Click();
  });
  list_->viewport()->installEventFilter(this);
}

// Mouse events land on the list's viewport, which the inner widget's filter never sees.
bool TListBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    QPointer<QWidget> self(this);
    DblClick();
    if (!self) return true;
  }
  return TWinControl::eventFilter(watched, event);
}

QStringList TListBox::Items() const {
  QStringList items;
  for (int i = 0; i < list_->count(); ++i) items << list_->item(i)->text();
  return items;
}

void TListBox::SetItems(const QStringList& items) {
  settingInCode_ = true;
  list_->clear();
  list_->addItems(items);
  list_->setCurrentRow(-1);
  settingInCode_ = false;
}

void TListBox::AddItem(const QString& item) {
  settingInCode_ = true;
  list_->addItem(item);
  settingInCode_ = false;
}

void TListBox::InsertItem(int index, const QString& item) {
  settingInCode_ = true;
  list_->insertItem(index, item);
  settingInCode_ = false;
}

void TListBox::MoveItem(int from, int to) {
  if (from < 0 || from >= list_->count() || to < 0 || to >= list_->count() || from == to) return;
  settingInCode_ = true;
  const int current = list_->currentRow();
  list_->insertItem(to, list_->takeItem(from));
  list_->setCurrentRow(current);
  settingInCode_ = false;
}

void TListBox::DeleteItem(int index) {
  if (index < 0 || index >= list_->count()) return;
  settingInCode_ = true;
  delete list_->takeItem(index);
  settingInCode_ = false;
}

void TListBox::ClearItems() {
  settingInCode_ = true;
  list_->clear();
  settingInCode_ = false;
}

int TListBox::Count() const { return list_->count(); }

QString TListBox::Item(int index) const {
  const QListWidgetItem* item = list_->item(index);
  return item ? item->text() : QString();
}

int TListBox::ItemIndex() const { return list_->currentRow(); }

void TListBox::SetItemIndex(int value) {
  settingInCode_ = true;
  list_->setCurrentRow(value >= 0 && value < list_->count() ? value : -1);
  settingInCode_ = false;
}

void TListBox::SetMultiSelect(bool value) {
  multiSelect_ = value;
  list_->setSelectionMode(value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
  const QListWidgetItem* item = list_->item(index);
  return item && item->isSelected();
}

void TListBox::SetSelected(int index, bool value) {
  if (QListWidgetItem* item = list_->item(index)) item->setSelected(value);
}

int TListBox::SelCount() const { return multiSelect_ ? static_cast<int>(list_->selectedItems().size()) : -1; }

} // namespace fw
