#include "platform/ui/ComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace fw {

namespace {

// Rows of the dropped-down list a set number of pixels high.
class TItemHeightDelegate : public QStyledItemDelegate {
public:
  TItemHeightDelegate(const int& height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), height_);
  }

private:
  const int& height_;
};

} // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), combo_(new QComboBox) {
  resize(145, 21);
  SetParentColor(false);
  SetColor(clWindow);
  AdoptInner(combo_);
  SetTabStop(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  SetStyle(TComboBoxStyle::csDropDown);
  QObject::connect(combo_, &QComboBox::activated, combo_, [this](int) {
    if (OnSelect) OnSelect(this);
    DoChange();
  });
}

void TComboBox::SetStyle(TComboBoxStyle value) {
  style_ = value;
  const bool editable = value == TComboBoxStyle::csDropDown;
  if (editable == combo_->isEditable() && (!editable || combo_->lineEdit())) return;
  combo_->setEditable(editable);
  if (QLineEdit* edit = combo_->lineEdit()) {
    if (maxLength_ > 0) edit->setMaxLength(maxLength_);
    QObject::connect(edit, &QLineEdit::textEdited, combo_, [this] { DoChange(); });
  }
}

QStringList TComboBox::Items() const {
  QStringList items;
  for (int i = 0; i < combo_->count(); ++i) items << combo_->itemText(i);
  return items;
}

void TComboBox::SetItems(const QStringList& items) {
  const QSignalBlocker block(combo_);
  const QString text = combo_->currentText();
  combo_->clear();
  combo_->addItems(items);
  // A list assigned anew selects nothing; an editable box keeps its text.
  combo_->setCurrentIndex(-1);
  if (combo_->isEditable()) combo_->setEditText(text);
}

void TComboBox::AddItem(const QString& item) {
  const QSignalBlocker block(combo_);
  const QString text = combo_->currentText();
  const int index = combo_->currentIndex();
  combo_->addItem(item);
  combo_->setCurrentIndex(index);
  if (combo_->isEditable()) combo_->setEditText(text);
}

void TComboBox::ClearItems() {
  const QSignalBlocker block(combo_);
  combo_->clear();
}

int TComboBox::ItemCount() const { return combo_->count(); }

int TComboBox::ItemIndex() const {
  // In an editable box a typed text that is no item means no item.
  if (combo_->isEditable() && combo_->currentIndex() >= 0 &&
      combo_->itemText(combo_->currentIndex()) != combo_->currentText())
    return -1;
  return combo_->currentIndex();
}

void TComboBox::SetItemIndex(int value) {
  const QSignalBlocker block(combo_);
  combo_->setCurrentIndex(value >= 0 && value < combo_->count() ? value : -1);
  if (combo_->isEditable() && value < 0) combo_->setEditText(QString());
}

int TComboBox::DropDownCount() const { return combo_->maxVisibleItems(); }

void TComboBox::SetDropDownCount(int value) { combo_->setMaxVisibleItems(value); }

void TComboBox::SetMaxLength(int value) {
  maxLength_ = std::max(0, value);
  if (QLineEdit* edit = combo_->lineEdit()) edit->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

int TComboBox::ItemHeight() const {
  return itemHeight_ > 0 ? itemHeight_ : QFontMetrics(combo_->font()).height();
}

void TComboBox::SetItemHeight(int value) {
  if (value <= 0 || value == itemHeight_) return;
  const bool first = itemHeight_ == 0;
  itemHeight_ = value;
  if (first) combo_->setItemDelegate(new TItemHeightDelegate(itemHeight_, combo_));
  combo_->view()->doItemsLayout();
}

void TComboBox::DoChange() {
  if (OnChange) OnChange(this);
}

QString TComboBox::GetText() const { return combo_->currentText(); }

void TComboBox::StoreText(const QString& value) {
  const QSignalBlocker block(combo_);
  if (combo_->isEditable()) {
    combo_->setEditText(value);
  } else {
    combo_->setCurrentIndex(combo_->findText(value));
  }
}

} // namespace fw
