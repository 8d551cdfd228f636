#include "platform/ui/MenuItem.h"

#include "platform/ui/ImageList.h"
#include "platform/ui/Menu.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <algorithm>
#include <stdexcept>

namespace fw {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), qtAction_(std::make_unique<QAction>()) {
  QObject::connect(qtAction_.get(), &QAction::triggered, [this] { Click(); });
}

TMenuItem::~TMenuItem() {
  SetDestroying();
  if (action_) action_->UnRegisterChanges(this);
  action_ = nullptr;
  // Sub-items go with their parent; each leaves its owner's list as it goes.
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    items_.pop_back();
    child->parent_ = nullptr;
    child->Free();
  }
  if (parent_) parent_->Remove(this);
}

void TMenuItem::SetCaption(const QString& value) {
  if (value == caption_) return;
  caption_ = value;
  qtAction_->setSeparator(IsLine());
  // A separator with a text shows it as a heading: the line's "-" is no text.
  qtAction_->setText(IsLine() ? QString() : value);
}

void TMenuItem::SetShortCut(TShortCut value) {
  if (value == shortCut_) return;
  shortCut_ = value;
  qtAction_->setShortcut(ShortCutToKeySequence(value));
}

void TMenuItem::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  qtAction_->setCheckable(value);
  qtAction_->setChecked(value);
}

void TMenuItem::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  qtAction_->setEnabled(value);
}

void TMenuItem::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  qtAction_->setVisible(value);
}

void TMenuItem::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  UpdateImage();
}

void TMenuItem::SetHint(const QString& value) {
  if (value == hint_) return;
  hint_ = value;
  const int bar = value.indexOf(QLatin1Char('|'));
  qtAction_->setStatusTip(bar < 0 ? value : value.mid(bar + 1));
}

void TMenuItem::SetAction(TBasicAction* action) {
  if (action == action_) return;
  if (action_) action_->UnRegisterChanges(this);
  action_ = action;
  if (!action_) return;
  action_->RegisterChanges(this);
  auto* a = dynamic_cast<TAction*>(action_);
  if (!a) return;
  actionLink_.Reset(*a);
  SetCaption(a->Caption());
  SetEnabled(a->Enabled());
  SetVisible(a->Visible());
  SetChecked(a->Checked());
  SetShortCut(a->ShortCut());
  SetHint(a->Hint());
  SetImageIndex(a->ImageIndex());
}

// Each value follows the action while the item still shows what the action had.
void TMenuItem::ActionChanged(TBasicAction& action) {
  auto* a = dynamic_cast<TAction*>(&action);
  if (!a || &action != action_) return;
  const TActionChange change = actionLink_.Changed(*a);
  change.Follow(&TActionValues::Caption, caption_, [this](const QString& v) { SetCaption(v); });
  change.Follow(&TActionValues::Enabled, enabled_, [this](bool v) { SetEnabled(v); });
  change.Follow(&TActionValues::Visible, visible_, [this](bool v) { SetVisible(v); });
  change.Follow(&TActionValues::Checked, checked_, [this](bool v) { SetChecked(v); });
  change.Follow(&TActionValues::ShortCut, shortCut_, [this](TShortCut v) { SetShortCut(v); });
  change.Follow(&TActionValues::Hint, hint_, [this](const QString& v) { SetHint(v); });
  change.Follow(&TActionValues::ImageIndex, imageIndex_, [this](int v) { SetImageIndex(v); });
}

void TMenuItem::ActionFreed(TBasicAction& action) {
  if (&action == action_) action_ = nullptr;
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->parent_) throw std::logic_error("Menu inserted twice");
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw std::logic_error("Sub-menu is not in menu");
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  item->UpdateImage();
  RebuildEntries();
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("Menu index out of range");
  TMenuItem* item = items_[static_cast<size_t>(index)];
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  if (!Destroying()) RebuildEntries();
}

void TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
}

void TMenuItem::Clear() {
  while (!items_.empty()) items_.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (OnClick)
    OnClick(this);
  else if (action_)
    action_->Execute();
}

void TMenuItem::InitiateActions() {
  if (action_) action_->Update();
  const std::vector<TMenuItem*> items = items_;
  for (TMenuItem* item : items)
    if (IndexOf(item) >= 0) item->InitiateActions();
}

TMenu* TMenuItem::RootMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

void TMenuItem::UpdateImage() {
  TMenu* menu = RootMenu();
  TImageList* images = menu ? menu->Images() : nullptr;
  qtAction_->setIcon(images && imageIndex_ >= 0 ? images->Icon(imageIndex_) : QIcon());
}

QWidget* TMenuItem::EntriesWidget() const {
  if (menu_) return menu_->EntriesWidget();
  return qtMenu_.get();
}

void TMenuItem::RebuildEntries() {
  // An item with entries shows them in a menu of its own.
  if (!menu_ && !items_.empty() && !qtMenu_) {
    qtMenu_ = std::make_unique<QMenu>();
    qtAction_->setMenu(qtMenu_.get());
    // A menu that drops down shows its actions' current state.
    QObject::connect(qtMenu_.get(), &QMenu::aboutToShow, qtMenu_.get(), [this] {
      const std::vector<TMenuItem*> items = items_;
      for (TMenuItem* item : items)
        if (IndexOf(item) >= 0) item->InitiateActions();
    });
  }
  QWidget* widget = EntriesWidget();
  if (!widget) return;
  for (QAction* a : widget->actions()) widget->removeAction(a);
  for (TMenuItem* item : items_) widget->addAction(item->qtAction_.get());
}

} // namespace fw
