#pragma once
// TFwCustomRadioGroup: a group box with one radio button per line of Items, laid out in
// columns, and ItemIndex kept in step with the checked button. The buttons are child
// controls the group creates and dresses with its item properties. A descendant may
// refuse the user's choice of an item through CanModify.

#include "controls/common/FwGroupBox.h"
#include "platform/ui/Setters.h"

#include <QStringList>
#include <vector>

namespace fw {

class TFwGroupButton;

class TFwCustomRadioGroup : public TFwGroupBox {
public:
  explicit TFwCustomRadioGroup(TComponent* owner);
  ~TFwCustomRadioGroup() override;

  const QStringList& Items() const { return items_; }
  virtual void SetItems(const QStringList& value);
  void AddItem(const QString& text);
  void DeleteItem(int index);
  // -1 (nothing checked) .. Count-1; other values are clamped.
  int ItemIndex() const { return itemIndex_; }
  virtual void SetItemIndex(int value);
  // 1..16; other values are clamped.
  int Columns() const { return columns_; }
  virtual void SetColumns(int value);
  const TFont& ItemFont() const { return itemFont_; }
  virtual void SetItemFont(const TFont& value);
  int ItemHeight() const { return itemHeight_; }
  virtual void SetItemHeight(int value) { if (StoreIfChanged(itemHeight_, value)) ArrangeButtons(); }
  int VerticalSpacing() const { return verticalSpacing_; }
  virtual void SetVerticalSpacing(int value) { if (StoreIfChanged(verticalSpacing_, value)) ArrangeButtons(); }
  int StartXPos() const { return startXPos_; }
  virtual void SetStartXPos(int value) { if (StoreIfChanged(startXPos_, value)) ArrangeButtons(); }
  int StartYPos() const { return startYPos_; }
  virtual void SetStartYPos(int value) { if (StoreIfChanged(startYPos_, value)) ArrangeButtons(); }
  bool SpaceEvenly() const { return spaceEvenly_; }
  virtual void SetSpaceEvenly(bool value) { if (StoreIfChanged(spaceEvenly_, value)) ArrangeButtons(); }
  TColor ItemFrameColor() const { return itemFrameColor_; }
  virtual void SetItemFrameColor(TColor value) { if (StoreIfChanged(itemFrameColor_, value)) ArrangeButtons(); }
  bool ItemHotTrack() const { return itemHotTrack_; }
  virtual void SetItemHotTrack(bool value) { if (StoreIfChanged(itemHotTrack_, value)) ArrangeButtons(); }
  TColor ItemHighlightColor() const { return itemHighlightColor_; }
  virtual void SetItemHighlightColor(TColor value) { if (StoreIfChanged(itemHighlightColor_, value)) ArrangeButtons(); }
  TColor ItemHotTrackColor() const { return itemHotTrackColor_; }
  virtual void SetItemHotTrackColor(TColor value) { if (StoreIfChanged(itemHotTrackColor_, value)) ArrangeButtons(); }

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  virtual TFwGroupButton* Button(int index) const;
  int IndexOfButton(const TFwGroupButton* button) const;
  // Whether the user may check the item at index; always here.
  virtual bool CanModify(int index) const;

  bool UpdateFromFrameController(const TFwFrameController& controller) override;

  TNotifyEvent OnChange;

protected:
  virtual void SetButtonCount(int count);
  virtual void ArrangeButtons();
  virtual void UpdateButtons();
  virtual void DoChange();
  void TextChanged() override;
  void EnabledChanged() override;
  void Resize() override;

private:
  friend class TFwGroupButton;
  void ButtonClicked(TFwGroupButton* button);
  void ButtonDestroyed(TFwGroupButton* button);
  void FocusNeighbour(TFwGroupButton* from, int step);
  void CheckButton(int index);
  std::vector<int> ColumnWidths(int rows) const;

  std::vector<TFwGroupButton*> buttons_;
  QStringList items_;
  int itemIndex_ = -1;
  int columns_ = 1;
  TFont itemFont_;
  int itemHeight_ = 17;
  int verticalSpacing_ = 3;
  int startXPos_ = 8;
  int startYPos_ = 2;
  bool spaceEvenly_ = false;
  TColor itemFrameColor_ = clBtnShadow;
  bool itemHotTrack_ = false;
  TColor itemHighlightColor_ = clHighlight;
  TColor itemHotTrackColor_ = 0x00149BF0;
  bool updating_ = false;
  bool destroying_ = false;
};

} // namespace fw
