#pragma once
// TMenuItem: one entry of a main menu or popup menu, or a submenu holding entries.
// Each item is a QAction; an item with entries carries a QMenu of its own. The caption
// marks its accelerator with "&"; the caption "-" is a separator. An item may follow an
// action (caption, hint, image, shortcut, enabled, visible, checked) and runs it on click.
//
// Ownership: the TComponent owner (usually the form) frees an item; an item also frees
// its sub-items when it goes, and a freed sub-item leaves its parent's list, so each
// item is deleted once whichever goes first.

#include "platform/ui/Action.h"
#include "platform/ui/ActionLink.h"
#include "platform/ui/Component.h"
#include "platform/ui/VirtualKeys.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace fw {

class TMenu;

class TMenuItem : public TComponent, public TActionClient {
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  QString Caption() const { return caption_; }
  void SetCaption(const QString& value);
  bool IsLine() const { return caption_ == QLatin1String("-"); }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  QString Hint() const { return hint_; }
  void SetHint(const QString& value);

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* action);

  // Sub-items. Delete and Remove take an item out without freeing it; Clear frees all.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Delete(int index);
  void Remove(TMenuItem* item);
  void Clear();
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

  // Runs the item as a click on it would: OnClick, else the action.
  virtual void Click();
  // Brings the actions of the item and its sub-items up to date.
  void InitiateActions();

  // The Qt side: the item's QAction, and its QMenu when it holds items.
  QAction* QtAction() const { return qtAction_.get(); }
  QMenu* QtMenu() const { return qtMenu_.get(); }

  std::function<void(TObject*)> OnClick;

protected:
  void ActionChanged(TBasicAction& action) override;
  void ActionFreed(TBasicAction& action) override;

private:
  friend class TMenu;
  void RebuildEntries();
  void UpdateImage();
  TMenu* RootMenu() const;
  QWidget* EntriesWidget() const;

  QString caption_;
  TShortCut shortCut_ = 0;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  int imageIndex_ = -1;
  QString hint_;
  TBasicAction* action_ = nullptr;
  TActionLink actionLink_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr; // set on the root item of a menu only
  std::vector<TMenuItem*> items_;
  // The menu is declared first so that the action that shows it goes first.
  std::unique_ptr<QMenu> qtMenu_;
  std::unique_ptr<QAction> qtAction_;
};

} // namespace fw
