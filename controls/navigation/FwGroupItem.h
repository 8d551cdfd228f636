#pragma once
// TFwGroupItem: one clickable entry of a group (caption, image, state, click handler),
// usually bound to an action whose caption, enabled, visible, hint, image and checked
// state it follows. TFwGroupItems is a group's ordered list of items; indexes are the
// contract by which windows show and hide single items.

#include "controls/navigation/FwGroupTypes.h"
#include "platform/ui/Action.h"
#include "platform/ui/ActionLink.h"

#include <memory>
#include <vector>

namespace fw {

class TFwGroup;
class TFwGroupItems;
class TFwGroupItem;

// Ties an item to an action: a value follows the action only while the item still shows
// what the action had (the rule of TActionLink).
class TFwGroupItemActionLink : public TActionClient {
public:
  TFwGroupItemActionLink(TFwGroupItem& item, TAction& action);
  ~TFwGroupItemActionLink() override;

  TAction* Action() const { return action_; }
  void ActionChanged(TBasicAction& action) override;
  void ActionFreed(TBasicAction& action) override;
  // The hint to show for the item: the item's hint with the action's shortcut added.
  QString HintWithShortCut(const QString& hint) const;

private:
  TFwGroupItem& item_;
  TAction* action_;
  TActionLink seen_;
};

class TFwGroupItem : public TComponent {
public:
  ~TFwGroupItem() override;

  TFwGroupItems& Collection() const { return *collection_; }
  TFwGroup* Group() const;
  int Index() const;

  TAction* Action() const { return link_ ? link_->Action() : nullptr; }
  void SetAction(TAction* action);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& value);
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor value);
  TFontStyles FontStyle() const { return fontStyle_; }
  void SetFontStyle(TFontStyles value);
  QString Hint() const { return hint_; }
  void SetHint(const QString& value) { hint_ = value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  int IndentLevel() const { return indentLevel_; }
  void SetIndentLevel(int value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Selected() const { return selected_; }
  void SetSelected(bool value);

  TNotifyEvent OnClick;

  // The caption "-" makes the item a separator.
  bool IsSeparator() const { return caption_ == QLatin1String("-"); }
  // An item with neither OnClick nor Action shows in the static font and cannot be clicked.
  bool Clickable() const { return OnClick || link_; }
  // Whether the item has a click handler: its own OnClick, or its action's OnExecute that
  // a bound item takes as its OnClick. Only such an item shows the hand cursor.
  bool HasClickHandler() const;
  // The item's click: its own OnClick, else the action.
  void Click();
  // Copies Action, Caption, DisabledIndex, Enabled, FontColor, FontStyle, Hint, ImageIndex,
  // Visible and OnClick.
  void Assign(const TFwGroupItem& source);
  // Gives an action the item's caption, enabled state, hint, image, visibility and click
  // handler (as the action's OnExecute).
  void AssignTo(TAction& action) const;
  // The hint shown for the item (with the action's shortcut when it has one).
  QString DisplayHint() const;

  // Run-time state, kept by the group's mouse handling.
  int HotState() const { return hotState_; }
  bool MouseDownFlag() const { return mouseDown_; }
  // Where the item's image and caption stand in its group (empty while not shown).
  TRect ImageRect() const;
  TRect CaptionRect() const;

private:
  friend class TFwGroupItems;
  friend class TFwGroup;
  friend class TFwGroupItemActionLink;
  explicit TFwGroupItem(TFwGroupItems& collection);
  void Changed();
  // Takes the action's values; with checkDefaults only into values still at their default.
  void TakeActionValues(const TAction& action, bool checkDefaults);
  void ForgetAction();

  TFwGroupItems* collection_;
  QString caption_;
  bool captionSet_ = false;
  int disabledIndex_ = -1;
  bool enabled_ = true;
  TColor fontColor_ = fwGroupColorDefault;
  TFontStyles fontStyle_ = 0;
  QString hint_;
  int imageIndex_ = -1;
  int indentLevel_ = 0;
  bool visible_ = true;
  bool selected_ = false;
  std::unique_ptr<TFwGroupItemActionLink> link_;
  bool mouseDown_ = false;
  int hotState_ = hsNormal;
};

class TFwGroupItems {
public:
  explicit TFwGroupItems(TFwGroup& group) : group_(group) {}
  ~TFwGroupItems();
  TFwGroupItems(const TFwGroupItems&) = delete;
  TFwGroupItems& operator=(const TFwGroupItems&) = delete;

  TFwGroup& Owner() const { return group_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TFwGroupItem* Items(int index) const { return items_.at(size_t(index)); }
  TFwGroupItem* operator[](int index) const { return Items(index); }
  int IndexOf(const TFwGroupItem* item) const;

  TFwGroupItem* Add();
  TFwGroupItem* Insert(int index);
  void Delete(int index);
  void Clear();
  // Copies another list item by item.
  void Assign(const TFwGroupItems& source);

  // Changes between BeginUpdate and EndUpdate are reported once, at the end.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // Reports a change of the list (the group re-measures and repaints).
  void Changed();

private:
  friend class TFwGroupItem;
  void Remove(TFwGroupItem* item);

  TFwGroup& group_;
  std::vector<TFwGroupItem*> items_;
  int updateCount_ = 0;
  bool changePending_ = false;
};

} // namespace fw
