#include "platform/ui/Action.h"

#include "platform/ui/ActionList.h"

#include <algorithm>

namespace fw {

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
  // A client may unregister others while it forgets us, so take them one at a time.
  while (!clients_.empty()) {
    TActionClient* client = clients_.back();
    clients_.pop_back();
    client->ActionFreed(*this);
  }
}

bool TBasicAction::Execute() {
  Update();
  if (!ExecuteEnabled() || !OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(TActionClient* client) {
  if (client && std::find(clients_.begin(), clients_.end(), client) == clients_.end()) clients_.push_back(client);
}

void TBasicAction::UnRegisterChanges(TActionClient* client) {
  clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

void TBasicAction::Change() {
  // Copy: a client's reaction may register or unregister clients.
  const std::vector<TActionClient*> clients = clients_;
  for (TActionClient* client : clients)
    if (std::find(clients_.begin(), clients_.end(), client) != clients_.end()) client->ActionChanged(*this);
}

TAction::TAction(TComponent* owner) : TBasicAction(owner) {}

TAction::~TAction() { SetActionList(nullptr); }

void TAction::SetCaption(const QString& value) {
  if (value == caption_) return;
  caption_ = value;
  Change();
}

void TAction::SetHint(const QString& value) {
  if (value == hint_) return;
  hint_ = value;
  Change();
}

void TAction::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  Change();
}

void TAction::SetShortCut(TShortCut value) {
  if (value == shortCut_) return;
  shortCut_ = value;
  Change();
}

void TAction::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Change();
}

void TAction::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Change();
}

void TAction::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  Change();
}

void TAction::SetActionList(TActionList* list) {
  if (list == actionList_) return;
  if (actionList_) actionList_->RemoveAction(this);
  if (list) list->AddAction(this);
}

bool TAction::Execute() {
  // The action list may take over the execution, as it may take over the update.
  Update();
  if (!enabled_) return false;
  if (actionList_ && actionList_->OnExecute) {
    bool handled = false;
    actionList_->OnExecute(this, handled);
    if (handled) return true;
  }
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TAction::Update() {
  if (actionList_ && actionList_->OnUpdate) {
    bool handled = false;
    actionList_->OnUpdate(this, handled);
    if (handled) return true;
  }
  return TBasicAction::Update();
}

} // namespace fw
