#pragma once
// Actions: a command with its caption, hint, image, shortcut and state in one place.
// Menu items, buttons and the group bar's items are its clients: they register
// with the action and follow every change of Caption, Enabled, Visible, Checked, Hint,
// ImageIndex and ShortCut; a click on a client runs Execute.

#include "platform/ui/Component.h"
#include "platform/ui/VirtualKeys.h"

#include <QString>
#include <functional>
#include <vector>

namespace fw {

class TBasicAction;
class TActionList;

// Implemented by whatever follows an action.
class TActionClient {
public:
  virtual ~TActionClient() = default;
  virtual void ActionChanged(TBasicAction& action) = 0;
  // The action is being freed; the client must forget it.
  virtual void ActionFreed(TBasicAction& action) = 0;
};

class TBasicAction : public TComponent {
public:
  explicit TBasicAction(TComponent* owner);
  ~TBasicAction() override;

  // Brings the state up to date (OnUpdate of the action list, else of the action), then
  // runs OnExecute when the action is enabled. Returns true when a handler ran.
  virtual bool Execute();
  // Runs the update handlers; returns true when one ran.
  virtual bool Update();

  void RegisterChanges(TActionClient* client);
  void UnRegisterChanges(TActionClient* client);
  int ClientCount() const { return static_cast<int>(clients_.size()); }

  std::function<void(TBasicAction*)> OnExecute;
  std::function<void(TBasicAction*)> OnUpdate;

protected:
  // Tells every client that the action's properties changed.
  void Change();
  virtual bool ExecuteEnabled() const { return true; }

private:
  std::vector<TActionClient*> clients_;
};

class TAction : public TBasicAction {
public:
  explicit TAction(TComponent* owner);
  ~TAction() override;

  QString Caption() const { return caption_; }
  void SetCaption(const QString& value);
  QString Category() const { return category_; }
  void SetCategory(const QString& value) { category_ = value; }
  QString Hint() const { return hint_; }
  void SetHint(const QString& value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);

  TActionList* ActionList() const { return actionList_; }
  void SetActionList(TActionList* list);

  bool Execute() override;
  bool Update() override;

protected:
  bool ExecuteEnabled() const override { return enabled_; }

private:
  friend class TActionList;

  QString caption_;
  QString category_;
  QString hint_;
  int imageIndex_ = -1;
  TShortCut shortCut_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  TActionList* actionList_ = nullptr;
};

} // namespace fw
