#pragma once
// TFwCustomTabControl: an owner-drawn tab strip with a card (the page area) beside it.
// It keeps its own list of tab records, sizes every tab from its caption and the tab
// style, lays the tabs out in one row (with a scroller when they do not fit) or in
// several stacked rows, paints tabs, cards and frame itself, and changes the selected
// tab by mouse, keys and caption accelerators with a changing query that a handler may
// refuse. At the far end of the strip it can show a close button and a button listing
// the tabs; tabs can be dragged to a new place. Captions run across the strip or, with
// TextOrientation orVertical, turned a quarter along it.
//
// Geometry works in strip coordinates (x along the strip from its start, y across from
// the outer edge), as if the tabs stood on top; one mapping turns them into client
// coordinates for each orientation and sequence. Layout runs lazily before painting,
// hit testing and aligning children.

#include "controls/common/FwCommon.h"
#include "controls/navigation/FwTabCloseButton.h"
#include "controls/navigation/FwTabTypes.h"
#include "controls/navigation/FwTabs.h"
#include "platform/ui/CustomControl.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Setters.h"

#include <functional>
#include <vector>

class QShortcut;

namespace fw {

class TCanvas;
class TFwTabMenuButton;
class TFwTabScroller;
class TImageList;
class TTimer;

// What one tab looks like now, gathered from the control's state before it is painted.
// Rectangles are in client coordinates.
struct TFwTabLook {
  bool Selected = false;
  bool Hot = false;
  bool Enabled = true;
  // The selected tab of a focused control shows a dotted focus rectangle.
  bool FocusRect = false;
  bool Bold = false;
  // The tab's shape as drawn, the area its background fills, the part that holds image
  // and caption, and the part of that left to the caption.
  TRect Drawn, Background, Content, Caption;
  // The image (the tab's own, or its disabled one), greyed for a disabled tab without
  // one of its own; -1 when none shows.
  int ImageIndex = -1;
  bool ImageGreyed = false;
  TRect Image;
  // The background: a plain fill, or a gradient from start to stop.
  TColor Fill = clBtnFace;
  bool Gradient = false;
  TGradientDirection GradientDirection = TGradientDirection::gdVerticalEnd;
  TColor GradientStart = clBtnFace, GradientStop = clBtnFace;
  // The caption's colour, and the embossed copy one pixel down-right under it (a
  // disabled tab; clNone otherwise).
  TColor TextColor = clBtnText;
  TColor TextEmboss = clNone;
  // The bar along the tab's outer edge (hot or selected tab with htsTab), or clNone.
  TColor HighlightBar = clNone;
  // The caption's turn in tenths of a degree, counter-clockwise: 0 across, 900 reading
  // upwards (vertical text on top, left and bottom tabs), 2700 reading downwards (right tabs).
  int TextEscapement = 0;
};

class TFwCustomTabControl : public TCustomControl {
public:
  using TTabChangingEvent = std::function<void(TObject*, int newIndex, bool& allowChange)>;
  using TGetTextColorEvent = std::function<void(TObject*, int tabIndex, TFwTextStyle style, TColor& color, bool& handled)>;
  using TPaintBackgroundEvent = std::function<void(TObject*, TCanvas&, const TRect&, bool& handled)>;
  using TPaintCardBackgroundEvent = std::function<void(TObject*, TCanvas&, int row, const TRect&, bool& handled)>;
  using TPaintTabBackgroundEvent = std::function<void(TObject*, TCanvas&, int tabIndex, const TRect&, bool& handled)>;

  explicit TFwCustomTabControl(TComponent* owner);
  ~TFwCustomTabControl() override;

  // The tab records. After changing them call RebuildTabs() so the layout runs again.
  TFwTabDataList& Tabs() { return tabs_; }
  const TFwTabDataList& Tabs() const { return tabs_; }
  virtual void RebuildTabs();

  // Selection.
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int value);

  // Look and layout properties; setters compare, store, then relayout or repaint.
  bool AllowTabDragging() const { return allowTabDragging_; }
  void SetAllowTabDragging(bool value) { allowTabDragging_ = value; }
  bool ShowCloseButton() const { return showCloseButton_; }
  void SetShowCloseButton(bool value) { if (StoreIfChanged(showCloseButton_, value)) SetLayoutDirty(); }
  bool ShowMenuButton() const { return showMenuButton_; }
  void SetShowMenuButton(bool value) { if (StoreIfChanged(showMenuButton_, value)) SetLayoutDirty(); }
  // orVertical turns the captions a quarter (a font that cannot turn becomes "Verdana").
  TOrientation TextOrientation() const { return textOrientation_; }
  void SetTextOrientation(TOrientation value);
  bool AlignTabs() const { return alignTabs_; }
  void SetAlignTabs(bool value) { if (StoreIfChanged(alignTabs_, value)) SetLayoutDirty(); }
  TColor BackgroundColor() const { return backgroundColor_; }
  void SetBackgroundColor(TColor value);
  bool BoldCurrentTab() const { return boldCurrentTab_; }
  void SetBoldCurrentTab(bool value) { if (StoreIfChanged(boldCurrentTab_, value)) SetLayoutDirty(); }
  int CutCornerSize() const { return cutCornerSize_; }
  void SetCutCornerSize(int value) { if (StoreIfChanged(cutCornerSize_, value)) SetLayoutDirty(); }
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor value) { SetAndInvalidate(*this, flatColor_, value); }
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(int value) { SetAndInvalidate(*this, flatColorAdjustment_, value); }
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool value) { SetAndInvalidate(*this, hotTrack_, value); }
  TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(TColor value) { SetAndInvalidate(*this, hotTrackColor_, value); }
  TFwHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  void SetHotTrackColorType(TFwHotTrackColorType value) { SetAndInvalidate(*this, hotTrackColorType_, value); }
  TFwTabHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
  void SetHotTrackStyle(TFwTabHotTrackStyle value) { SetAndInvalidate(*this, hotTrackStyle_, value); }
  // Tab images and where they sit against the caption.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* list);
  TFwImagePosition ImagePosition() const { return imagePosition_; }
  void SetImagePosition(TFwImagePosition value) { if (StoreIfChanged(imagePosition_, value)) SetLayoutDirty(); }
  TFwHorizontalAlignment ImageAlignment() const { return imageAlignment_; }
  void SetImageAlignment(TFwHorizontalAlignment value) { SetAndInvalidate(*this, imageAlignment_, value); }
  TFwVerticalAlignment ImageAlignmentVertical() const { return imageAlignmentVertical_; }
  void SetImageAlignmentVertical(TFwVerticalAlignment value) { SetAndInvalidate(*this, imageAlignmentVertical_, value); }
  int ImageMargin() const { return imageMargin_; }
  void SetImageMargin(int value) { if (StoreIfChanged(imageMargin_, value)) SetLayoutDirty(); }
  int Margin() const { return margin_; }
  void SetMargin(int value) { if (StoreIfChanged(margin_, value)) SetLayoutDirty(); }
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value) { if (StoreIfChanged(multiLine_, value)) SetLayoutDirty(); }
  bool ParentBackgroundColor() const { return parentBackgroundColor_; }
  void SetParentBackgroundColor(bool value);
  int RowIndent() const { return rowIndent_; }
  void SetRowIndent(int value);
  int RowOverlap() const { return rowOverlap_; }
  void SetRowOverlap(int value) { if (StoreIfChanged(rowOverlap_, value)) SetLayoutDirty(); }
  bool ShowCardFrame() const { return showCardFrame_; }
  void SetShowCardFrame(bool value) { if (StoreIfChanged(showCardFrame_, value)) SetLayoutDirty(); }
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool value) { SetAndInvalidate(*this, showFocusRect_, value); }
  bool ShowFullFrame() const { return showFullFrame_; }
  void SetShowFullFrame(bool value) { if (StoreIfChanged(showFullFrame_, value)) SetLayoutDirty(); }
  bool ShowShadow() const { return showShadow_; }
  void SetShowShadow(bool value) { if (StoreIfChanged(showShadow_, value)) SetLayoutDirty(); }
  bool SoftCorners() const { return softCorners_; }
  void SetSoftCorners(bool value) { SetAndInvalidate(*this, softCorners_, value); }
  TFwTabColors& TabColors() { return tabColors_; }
  void SetTabColors(const TFwTabColors& value) { tabColors_.Assign(value); }
  int TabHeight() const { return tabHeight_; }
  void SetTabHeight(int value) { if (StoreIfChanged(tabHeight_, value)) SetLayoutDirty(); }
  bool TabHints() const { return tabHints_; }
  void SetTabHints(bool value) { tabHints_ = value; }
  TFwTabOrientation TabOrientation() const { return tabOrientation_; }
  void SetTabOrientation(TFwTabOrientation value) { if (StoreIfChanged(tabOrientation_, value)) SetLayoutDirty(); }
  int TabOverlap() const { return tabOverlap_; }
  void SetTabOverlap(int value) { if (StoreIfChanged(tabOverlap_, value)) SetLayoutDirty(); }
  TFwTabSequence TabSequence() const { return tabSequence_; }
  void SetTabSequence(TFwTabSequence value) { if (StoreIfChanged(tabSequence_, value)) SetLayoutDirty(); }
  TFwTabStyle TabStyle() const { return tabStyle_; }
  void SetTabStyle(TFwTabStyle value) { if (StoreIfChanged(tabStyle_, value)) SetLayoutDirty(); }
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int value) { if (StoreIfChanged(tabWidth_, value)) SetLayoutDirty(); }
  TFwTextColors& TextColors() { return textColors_; }
  void SetTextColors(const TFwTextColors& value) { textColors_.Assign(value); }
  TFwHorizontalAlignment TextAlignment() const { return textAlignment_; }
  void SetTextAlignment(TFwHorizontalAlignment value) { SetAndInvalidate(*this, textAlignment_, value); }
  TFwVerticalAlignment TextAlignmentVertical() const { return textAlignmentVertical_; }
  void SetTextAlignmentVertical(TFwVerticalAlignment value) { SetAndInvalidate(*this, textAlignmentVertical_, value); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { SetAndInvalidate(*this, transparent_, value); }
  bool UseColoredTabs() const { return useColoredTabs_; }
  void SetUseColoredTabs(bool value) { SetAndInvalidate(*this, useColoredTabs_, value); }
  bool UseGradients() const { return useGradients_; }
  void SetUseGradients(bool value) { SetAndInvalidate(*this, useGradients_, value); }
  // The row height as stored with a form ("FixedDimension"). Once set, it is the row
  // height the layout keeps, whatever the captions' font would need.
  int FixedDimension() const { return rowHeight_; }
  void SetFixedDimension(int value);
  int RegionCacheCapacity() const { return regionCache_.Capacity(); }
  // Values below 1 other than -1 are ignored.
  void SetRegionCacheCapacity(int value);

  // Computed geometry (the layout runs first when it is dirty).
  int RowCount();
  int RowHeight();
  int FirstShownTab();
  bool ScrollingNeeded();
  // The tab's rectangle and region in client coordinates, as painted and hit.
  TRect TabDrawRect(int index);
  QRegion TabRegion(int index);
  bool TabFullyShown(int index);
  TRect StripRect();
  TRect CardRect(int row);
  // The rectangle child controls are aligned in.
  TRect DisplayRect();
  // The tab under a client point, or -1.
  int TabAtPos(TPoint p);
  // The look the tab is painted in now (the layout runs first when it is dirty).
  TFwTabLook TabLook(int index);
  int HotTab() const { return hotTab_; }
  // Scroll the single row by one tab; false when it could not move that way.
  bool ScrollForward();
  bool ScrollBackward();
  // The button size of the scroller arrows.
  int ButtonSize();
  TFwTabScroller* Scroller() const { return scroller_; }
  // The hot-tracking timer (60 ms); tests tick it.
  TTimer* HotTrackTimer() const { return hotTimer_; }
  // The close and tab-list buttons (the layout runs first; nullptr until first shown).
  TFwTabCloseButton* CloseButton() { EnsureLayout(); return closeButton_; }
  TFwTabMenuButton* MenuButton() { EnsureLayout(); return menuButton_; }

  // What the close button closes and where a dragged tab goes; nothing here, the page
  // control closes and moves its active page.
  virtual void CloseActiveTab() {}
  virtual void MoveActiveTab(int index) {}

  // Tab dragging: a drag in progress, the marker at the tab it would land by, and the
  // timer that scrolls the strip while the pointer is past its end (400 ms, then 300 ms).
  bool Dragging() const { return dragging_; }
  bool DragMarkerShown() const { return markerTab_ >= 0; }
  TRect DragMarkerRect() const { return markerRect_; }
  TTimer* DragScrollTimer() const { return dragTimer_; }

  // Arrow keys step the selection, Home and End jump to the ends.
  void KeyDown(WORD& key, TShiftState shift) override;

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;
  TNotifyEvent OnTabClick;
  TGetTextColorEvent OnGetTextColor;
  TPaintBackgroundEvent OnPaintBackground;
  TPaintCardBackgroundEvent OnPaintCardBackground;
  TPaintTabBackgroundEvent OnPaintTabBackground;
  // Asked by the close button (AllowClose starts false).
  TFwTabCloseEvent OnClose;

protected:
  virtual void DoChanging(int newIndex, bool& allowChange);
  virtual void DoChange();
  virtual void DoTabClick();
  virtual TColor DoGetTextColor(int tabIndex, TFwTextStyle style, TColor color);
  virtual bool DoPaintBackground(TCanvas& canvas, const TRect& r);
  virtual bool DoPaintCardBackground(TCanvas& canvas, int row, const TRect& r);
  virtual bool DoPaintTabBackground(TCanvas& canvas, int tabIndex, const TRect& r);
  // Marks the geometry for recomputation and repaints.
  void SetLayoutDirty();
  // Selects a tab without asking OnChanging (a descendant that already asked, or that
  // follows its own model); repaints and raises OnChange when the index changed.
  void AssignTabIndex(int index);
  // Where the left button last went down on the control.
  TPoint LastPress() const { return dragStart_; }
  // The drag marker: a 16 x 16 arrow inverted onto the control, so drawing it again
  // would take it off.
  virtual void DrawDragMarker(TCanvas& canvas, const TRect& r);

  void Paint() override;
  void AlignControls() override;
  void AdjustClientRect(TRect& rect) const override;
  void Resize() override;
  void FontChanged() override;
  void ParentColorChanged() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  bool WantsDialogKey(WORD key) const override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:

  // Layout (FwTabControl.cpp).
  void EnsureLayout();
  void RunLayout();
  bool Vertical() const;
  bool VerticalText() const { return textOrientation_ == TOrientation::orVertical; }
  int TextEscapement() const;
  bool ShadowShown() const;
  int Slant(int h) const;
  TPoint TabSize(const TFwTabData& tab);
  int StripLength() const;
  int StripThickness() const;
  TRect StripRectRaw() const;
  TRect CardRectRaw(int row) const;
  TRect DisplayRectRaw() const;
  int ButtonSizeRaw() const;
  // The close and menu buttons' sizes (0 when hidden or without tabs) and the room
  // they take at the end of a row.
  int CloseSize() const;
  int MenuSize() const;
  int CloseAndMenuRoom() const;
  int PlaceRows(const std::vector<int>& sizes, int available);
  void AlignRows(int available);
  void AdjustFirstShown();
  void ValidateTabIndex();
  bool FullyShown(int index) const;
  int Origin() const;
  TPoint MapPoint(int x, int y) const;
  TRect MapRect(const TRect& r) const;
  TRect DrawnStripRect(int index) const;
  std::vector<TPoint> TabPolygon(int index) const;
  void RotateRows(int selectedRow);
  bool BringIntoView(int index);
  int FirstVisible() const;
  int LastVisible() const;
  bool CanSelect(int index) const;
  bool MayChangeTo(int index);
  // Places the close button, the menu button and the scroller at the strip's far end.
  void PlaceButtons();
  void PlaceScroller(const TRect& r);
  template <class T>
  T* EnsureButton(T*& button);

  // Painting (FwTabPaint.cpp).
  void PaintTo(TCanvas& canvas);
  void PaintCard(TCanvas& canvas, int row);
  void PaintCardFrame(TCanvas& canvas, const TRect& card);
  void PaintTab(TCanvas& canvas, int index);
  void PaintTabBackground(TCanvas& canvas, const TFwTabLook& look);
  void PaintCaption(TCanvas& canvas, int index, const TFwTabLook& look);
  void PaintTurnedCaption(TCanvas& canvas, const QStringList& lines, const TFwTabLook& look, TColor color, int offset);
  void PaintFocusRect(TCanvas& canvas, const TFwTabLook& look);
  void PaintImage(TCanvas& canvas, const TFwTabLook& look);
  // Parts of TabLook: the image and the room it leaves, the background, the text colours.
  void PlaceImage(const TFwTabData& tab, TFwTabLook& look) const;
  void ChooseFill(const TFwTabData& tab, TFwTabLook& look) const;
  void ChooseTextColors(int index, TFwTabLook& look);
  bool HasImage(const TFwTabData& tab) const;
  void PaintHighlightBar(TCanvas& canvas, const TRect& r, TColor color);
  void PaintShadow(TCanvas& canvas, const TRect& card);
  TRect ContentRect(int index) const;
  TColor OutlineColor() const;
  TColor HotColor() const;
  TFont TabFont(bool bold) const;

  // Interaction (FwTabMouse.cpp).
  void HotTrackTick();
  void ClearHot();
  void StepSelection(bool forward);
  void SelectEnd(bool last);
  bool SelectByKey(int candidate);
  // Alt + a caption's accelerator (FwTabMouse.cpp).
  void UpdateAccelerators();
  void AcceleratorPressed(QChar key);

  // Tab dragging (FwTabDrag.cpp).
  void DragMove(TPoint p);
  void DragDrop(TPoint p);
  void EndDrag();
  void ShowMarker(int tab);
  void DragScrollTick();
  // Position along the strip (strip coordinates) of a client point.
  int AlongStrip(TPoint p) const;

  TFwTabDataList tabs_;
  TFwTabColors tabColors_;
  TFwTextColors textColors_;
  TFwTabRegionCache regionCache_{1};
  TFwTabScroller* scroller_ = nullptr;
  TFwTabCloseButton* closeButton_ = nullptr;
  TFwTabMenuButton* menuButton_ = nullptr;
  TTimer* hotTimer_ = nullptr;
  TTimer* dragTimer_ = nullptr;
  std::vector<QShortcut*> accelerators_;
  QString acceleratorKeys_;

  int tabIndex_ = -1;
  int rowHeight_ = 0;
  int fixedDimension_ = 0;
  TRect lastDisplay_;
  int rows_ = 1;
  int firstShown_ = 0;
  bool scrolling_ = false;
  int hotTab_ = -1;
  int pressedTab_ = -1;
  bool layoutDirty_ = true;
  bool layingOut_ = false;
  bool internalChange_ = false;
  bool revealPending_ = false;
  QString savedHint_;
  TPoint pointer_{-1, -1};
  bool dragging_ = false;
  TPoint dragStart_;
  int markerTab_ = -1;
  TRect markerRect_;

  TImageList* images_ = nullptr;
  // New or resized images may change the tab sizes.
  TChangeLink imageChangeLink_{[this] { SetLayoutDirty(); }};
  TFwImagePosition imagePosition_ = TFwImagePosition::ipLeft;
  TFwHorizontalAlignment imageAlignment_ = TFwHorizontalAlignment::haCenter;
  TFwVerticalAlignment imageAlignmentVertical_ = TFwVerticalAlignment::vaCenter;
  int imageMargin_ = 2;
  bool allowTabDragging_ = false;
  bool showCloseButton_ = false;
  bool showMenuButton_ = false;
  TOrientation textOrientation_ = TOrientation::orHorizontal;
  bool alignTabs_ = false;
  TColor backgroundColor_ = clBtnFace;
  bool boldCurrentTab_ = false;
  int cutCornerSize_ = 6;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 0;
  bool hotTrack_ = true;
  TColor hotTrackColor_ = 0x00149BF0;
  TFwHotTrackColorType hotTrackColorType_ = TFwHotTrackColorType::htctActual;
  TFwTabHotTrackStyle hotTrackStyle_ = TFwTabHotTrackStyle::htsTab;
  int margin_ = 0;
  bool multiLine_ = false;
  bool parentBackgroundColor_ = true;
  int rowIndent_ = 5;
  int rowOverlap_ = 5;
  bool showCardFrame_ = true;
  bool showFocusRect_ = true;
  bool showFullFrame_ = true;
  bool showShadow_ = true;
  bool softCorners_ = false;
  int tabHeight_ = 0;
  bool tabHints_ = false;
  TFwTabOrientation tabOrientation_ = TFwTabOrientation::toTop;
  int tabOverlap_ = -1;
  TFwTabSequence tabSequence_ = TFwTabSequence::tsStandard;
  TFwTabStyle tabStyle_ = TFwTabStyle::tsSingleSlant;
  int tabWidth_ = 0;
  TFwHorizontalAlignment textAlignment_ = TFwHorizontalAlignment::haCenter;
  TFwVerticalAlignment textAlignmentVertical_ = TFwVerticalAlignment::vaCenter;
  bool transparent_ = false;
  bool useColoredTabs_ = false;
  bool useGradients_ = true;
};

} // namespace fw
