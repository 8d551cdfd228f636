#pragma once
// TFwGroup: a collapsible group of a group bar. It holds a list of items, opens and
// closes by the rules of its bar's style (category view, task list, Outlook), keeps the
// item selection, measures itself for the bar's layout, paints its caption and items, and
// turns mouse actions into opening, item clicks, hot tracking, hints and popup menus.
// A group can only stand in a TFwGroupBar.

#include "controls/common/FwColors.h"
#include "controls/navigation/FwGroupItem.h"
#include "controls/navigation/FwGroupTypes.h"
#include "platform/ui/CustomControl.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Setters.h"

namespace fw {

class TCanvas;
class TFwGroupBar;
class TFwGroupController;
class TFwRapidFireButton;
class TPopupMenu;

// Where one shown item stands in its group, as last measured (group coordinates).
struct TFwGroupItemBox {
  int Index = -1;  // the item's index in the group
  bool Separator = false;
  bool Clickable = false;  // as measured: a clickable item is measured in the group's font
  TRect Line;              // a separator's line
  TRect Image, Caption;    // what the mouse hits (Image empty when the item shows none)
  TRect Text;              // the box the caption is written into
  bool Hits(TPoint p) const { return Image.Contains(p) || Caption.Contains(p); }
};

class TFwGroup : public TCustomControl {
public:
  explicit TFwGroup(TComponent* owner);
  ~TFwGroup() override;

  // The bar the group stands in. Setting it moves the group from its old bar (if any).
  TFwGroupBar* GroupBar() const { return groupBar_; }
  void SetGroupBar(TFwGroupBar* bar);
  // Only a TFwGroupBar (or nothing) may be the parent: others raise EFwGroupBarError.
  void SetParent(TWinControl* parent) override;

  TFwGroupItems& Items() { return items_; }
  const TFwGroupItems& Items() const { return items_; }
  TFwGroupItem* SelectedItem() const;
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int value);
  int TopItem() const { return topItem_; }
  void SetTopItem(int value);
  int GroupIndex() const;
  // Moves the group to another place of its bar's list; outside 0..Count-1 raises EListError.
  void SetGroupIndex(int value);

  bool Opened() const { return opened_; }
  void SetOpened(bool value);
  virtual void ToggleOpened();
  int OpenedHeight() const { return openedHeight_; }
  void SetOpenedHeight(int value);
  bool CanClose() const { return canClose_; }
  void SetCanClose(bool value);

  // Look. Properties marked shared in the controller follow it while one is set.
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value) { SetAndInvalidate(*this, borderColor_, value); }
  TColor CaptionColor() const { return captionColor_; }
  void SetCaptionColor(TColor value);
  bool CaptionColorDefault() const { return captionColorDefault_; }
  void SetCaptionColorDefault(bool value);
  bool ColorDefault() const { return colorDefault_; }
  void SetColorDefault(bool value);
  TColor CaptionColorStart() const { return captionColorStart_; }
  void SetCaptionColorStart(TColor value) { SetAndInvalidate(*this, captionColorStart_, value); }
  TColor CaptionColorStop() const { return captionColorStop_; }
  void SetCaptionColorStop(TColor value) { SetAndInvalidate(*this, captionColorStop_, value); }
  TFont& CaptionFont() { return captionFont_; }
  TColor CaptionHotColor() const { return captionHotColor_; }
  void SetCaptionHotColor(TColor value) { SetAndInvalidate(*this, captionHotColor_, value); }
  int CaptionHeight() const { return captionHeight_; }
  void SetCaptionHeight(int value);
  int CaptionImageIndex() const { return captionImageIndex_; }
  void SetCaptionImageIndex(int value);
  TFwCaptionStyle CaptionStyle() const { return captionStyle_; }
  void SetCaptionStyle(TFwCaptionStyle value);
  TColor DividerColor() const { return dividerColor_; }
  void SetDividerColor(TColor value) { SetAndInvalidate(*this, dividerColor_, value); }
  bool DividerVisible() const { return dividerVisible_; }
  void SetDividerVisible(bool value);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int value);
  TColor ItemHotColor() const { return itemHotColor_; }
  void SetItemHotColor(TColor value) { SetAndInvalidate(*this, itemHotColor_, value); }
  int ItemIndent() const { return itemIndent_; }
  void SetItemIndent(int value);
  TFont& ItemStaticFont() { return itemStaticFont_; }
  TFwItemStyle ItemStyle() const { return itemStyle_; }
  void SetItemStyle(TFwItemStyle value);
  TFwItemSelectionStyle ItemSelectionStyle() const { return itemSelectionStyle_; }
  void SetItemSelectionStyle(TFwItemSelectionStyle value);
  TColor SelectionColor() const { return selectionColor_; }
  void SetSelectionColor(TColor value) { SetAndInvalidate(*this, selectionColor_, value); }
  TColor SelectionShadowColor() const { return selectionShadowColor_; }
  void SetSelectionShadowColor(TColor value) { SetAndInvalidate(*this, selectionShadowColor_, value); }
  TColor SelectionFrameColor() const { return selectionFrameColor_; }
  void SetSelectionFrameColor(TColor value) { SetAndInvalidate(*this, selectionFrameColor_, value); }
  bool ShowItemSelection() const { return showItemSelection_; }
  void SetShowItemSelection(bool value);
  bool Special() const { return special_; }
  void SetSpecial(bool value);

  // Image lists fall back to the bar's.
  TImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TImageList* list);
  TImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TImageList* list);
  TImageList* UsedLargeImages() const;
  TImageList* UsedSmallImages() const;
  TPopupMenu* ItemPopupMenu() const { return itemPopupMenu_; }
  void SetItemPopupMenu(TPopupMenu* menu);
  // The item under the last right click (while its popup menu is shown).
  TFwGroupItem* PopupItem() const { return rightClickItem_; }
  TFwGroupController* GroupController() const { return controller_; }
  void SetGroupController(TFwGroupController* controller);

  // The style the group is painted in (its bar's); adopting a style sets the defaults.
  TFwGroupBarStyle GroupStyle() const { return style_; }
  void SetGroupStyle(TFwGroupBarStyle style);

  // Measuring: the height of the caption and the visible items from TopItem.
  int GetItemsHeight();
  // Where the shown items stand. The boxes are measured again when the group's width,
  // first item or image size changed, or after a change of the items, fonts or metrics.
  const std::vector<TFwGroupItemBox>& ItemBoxes();
  // The box of one item, or nullptr while it is not shown.
  const TFwGroupItemBox* BoxOf(const TFwGroupItem& item);
  // Left edge of small captions: 8, or the small image width + 12 when items have images.
  virtual int CaptionIndent() const;
  // Hot state of the caption (0 normal, 1 hot, 2 pressed).
  int CaptionState() const { return captionState_; }

  // The Outlook scroll buttons (placed by the bar's layout).
  TFwRapidFireButton* ScrollUpButton() const { return upButton_; }
  TFwRapidFireButton* ScrollDownButton() const { return downButton_; }
  void PlaceScrollButtons();

  // Called by the group controller with a property code (0 = all).
  void ControllerUpdate(int code);

  TFwCanCloseEvent OnCanClose;
  TFwCanOpenEvent OnCanOpen;
  TNotifyEvent OnClose;
  TNotifyEvent OnOpen;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TFwMouseOverItemEvent OnMouseOverItem;
  TFwGroupItemPopupMenuEvent OnItemPopupMenu;

protected:
  virtual void DoCanClose(bool& allow);
  virtual void DoCanOpen(bool& allow);
  virtual void DoClose();
  virtual void DoOpen();
  virtual void DoMouseOverItem(TFwGroupItem* item);
  virtual void DoItemPopupMenu(TFwGroupItem* item);
  // The item-selected notice: deselects every other selected item of this group.
  virtual void ItemSelected(TFwGroupItem* item);
  virtual void FixSelectionAfterDelete(int index);

  void Paint() override;
  virtual void PaintTo(TCanvas& canvas);
  virtual void PaintCategoryView(TCanvas& canvas);
  virtual void PaintOutlookHeader(TCanvas& canvas);
  virtual void PaintTaskList(TCanvas& canvas);
  virtual void DrawOpenCloseButton(TCanvas& canvas, const TRect& r, TColor face, TColor shade, TColor glyph);
  virtual void DrawItems(TCanvas& canvas);

  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // A drag passing over the group lights the item under the pointer; the group takes no
  // drop, and the end of the drag leaves every item normal.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void DoContextPopup(TPoint screenPos, bool& handled) override;
  void ColorChanged() override;
  void FontChanged() override;
  void VisibleChanged() override;
  void Resize() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

private:
  friend class TFwGroupItem;
  friend class TFwGroupItems;
  friend class TFwGroupItemActionLink;
  friend class TFwGroupBar;

  struct ItemColors {
    TColor Normal, Hot, Pressed;
  };
  void ItemsChanged();
  void ItemDestroyed(TFwGroupItem* item);
  // Sends the item-selected notice to the other groups of the bar that show selection.
  void BroadcastSelection(TFwGroupItem* item);
  void ActionBound(bool bound);
  void Relayout();
  bool IsRedundantSeparator(int index) const;
  bool InCaption(TPoint p) const;
  // The enabled (and, when asked, clickable) item whose image or caption is at p.
  TFwGroupItem* ItemAt(TPoint p, bool clickableOnly = false);
  TFwGroupItem* ClickableItemAt(TPoint p) { return ItemAt(p, true); }
  void ResetHotStates();
  // Gives `hot` its hot look (pressed while its button is down) and every other item the
  // normal look; whether any item changed, and which item was hot before.
  bool TrackItems(TFwGroupItem* hot, TFwGroupItem*& previous);
  // Every item normal, no button down on any.
  void ClearItemStates();
  bool CaptionClickable() const;
  ItemColors GetItemColors() const;
  // What the measured boxes depend on besides the items and fonts.
  struct MeasureKey {
    int Width = -1, First = 0;
    const TImageList* Images = nullptr;
    int ImageWidth = 0, ImageHeight = 0;
    bool operator==(const MeasureKey&) const = default;
  };
  MeasureKey CurrentMeasureKey() const;
  bool ItemBoxesCurrent() const;
  void MeasureItems();
  // The items, fonts or metrics changed: the boxes are measured again when next read.
  void InvalidateItemBoxes();
  // The item's font as measured and painted (its colour and underline are the painter's).
  void ApplyItemFont(TCanvas& canvas, const TFwGroupItem& item) const;
  void DrawItem(TCanvas& canvas, const TFwGroupItemBox& box, const ItemColors& colors);
  void DrawItemHighlight(TCanvas& canvas, const TRect& imageRect, bool hot);
  void DrawItemImage(TCanvas& canvas, const TFwGroupItem& item, int x, int y);
  void ApplyStyleColors();
  void UpdateHintAndCursor(TPoint p);
  void ScrollItems(int delta);
  bool ItemsOverflow();

  TFwGroupItems items_;
  TFwGroupBar* groupBar_ = nullptr;
  TFwGroupController* controller_ = nullptr;
  TFwGroupBarStyle style_ = TFwGroupBarStyle::gbsCategoryView;
  bool opened_ = true;
  int openedHeight_ = 50;
  bool canClose_ = true;
  TColor borderColor_ = clBtnHighlight;
  TColor captionColor_ = clHighlightText;
  bool captionColorDefault_ = true;
  bool colorDefault_ = true;
  TColor captionColorStart_ = clWindow;
  TColor captionColorStop_ = clBtnFace;
  TFont captionFont_;
  TColor captionHotColor_ = clHotLight;
  int captionHeight_ = 20;
  int captionImageIndex_ = -1;
  TFwCaptionStyle captionStyle_ = TFwCaptionStyle::csSmall;
  TColor dividerColor_ = clHighlight;
  bool dividerVisible_ = false;
  int itemHeight_ = 20;
  TColor itemHotColor_ = clHotLight;
  int itemIndent_ = 20;
  TFont itemStaticFont_;
  TFwItemStyle itemStyle_ = TFwItemStyle::isSmall;
  TFwItemSelectionStyle itemSelectionStyle_ = TFwItemSelectionStyle::issImage;
  TColor selectionColor_ = clBtnFace;
  TColor selectionShadowColor_ = clBtnShadow;
  TColor selectionFrameColor_ = cl3DDkShadow;
  bool showItemSelection_ = false;
  bool special_ = false;
  TImageList* largeImages_ = nullptr;
  TImageList* smallImages_ = nullptr;
  // A change of an own list's images or size measures the group again.
  TChangeLink largeImagesLink_{[this] { Relayout(); }};
  TChangeLink smallImagesLink_{[this] { Relayout(); }};
  TPopupMenu* itemPopupMenu_ = nullptr;

  bool fontChanged_ = false;
  bool captionFontChanged_ = false;
  bool itemStaticFontChanged_ = false;
  bool applyingStyle_ = false;
  int captionState_ = hsNormal;
  bool captionMouseDown_ = false;
  int topItem_ = 0;
  int selectedIndex_ = -1;
  int actionItemCount_ = 0;
  TFwGroupItem* rightClickItem_ = nullptr;
  TFwRapidFireButton* upButton_ = nullptr;
  TFwRapidFireButton* downButton_ = nullptr;

  std::vector<TFwGroupItemBox> boxes_;
  MeasureKey measuredKey_;
  bool boxesValid_ = false;
  int itemsBottom_ = 0;
};

} // namespace fw
