#pragma once
// TActionList: the actions of a window. Its OnUpdate and OnExecute see every action
// first and may handle it for all of them.

#include "platform/ui/Action.h"

#include <functional>
#include <vector>

namespace fw {

class TImageList;

class TActionList : public TComponent {
public:
  explicit TActionList(TComponent* owner);
  ~TActionList() override;

  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TAction* Actions(int index) const { return actions_.at(static_cast<size_t>(index)); }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  // Runs every action's update (what the application does when it is idle).
  void UpdateActions();

  std::function<void(TBasicAction*, bool& handled)> OnUpdate;
  std::function<void(TBasicAction*, bool& handled)> OnExecute;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TAction;
  void AddAction(TAction* action);
  void RemoveAction(TAction* action);

  std::vector<TAction*> actions_;
  TImageList* images_ = nullptr;
};

} // namespace fw
