#pragma once
// TFwGroupBar: the container of TFwGroup groups. It stacks them in list order by its
// Style (category view and task list: one below the other, scrolled by a vertical scroll
// bar; Outlook: closed captions above and below one open group that fills the rest),
// paints its background and border, and lends its image lists and look to the groups.

#include "controls/common/FwBorders.h"
#include "controls/navigation/FwGroupTypes.h"
#include "platform/ui/CustomControl.h"
#include "platform/ui/ImageList.h"

#include <vector>

class QScrollBar;

namespace fw {

class TCanvas;
class TFwGroup;

class TFwGroupBar : public TCustomControl {
public:
  explicit TFwGroupBar(TComponent* owner);
  ~TFwGroupBar() override;

  int GroupCount() const { return static_cast<int>(groups_.size()); }
  TFwGroup* Groups(int index) const { return groups_.at(size_t(index)); }
  int IndexOfGroup(const TFwGroup* group) const;
  // The open group of an Outlook bar: the last one marked open, else the first.
  TFwGroup* OpenGroup() const;

  TFwGroupBarStyle Style() const { return style_; }
  void SetStyle(TFwGroupBarStyle value);
  bool ExclusiveMode() const { return exclusiveMode_; }
  void SetExclusiveMode(bool value);
  bool UniqueItemSelection() const { return uniqueItemSelection_; }
  void SetUniqueItemSelection(bool value);
  int GroupBorderSize() const { return groupBorderSize_; }
  void SetGroupBorderSize(int value);
  TFwVisualStyle VisualStyle() const { return visualStyle_; }
  void SetVisualStyle(TFwVisualStyle value);
  TFwGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
  void SetGradientColorStyle(TFwGradientColorStyle value);
  TColor GradientColorStart() const { return gradientColorStart_; }
  void SetGradientColorStart(TColor value);
  TColor GradientColorStop() const { return gradientColorStop_; }
  void SetGradientColorStop(TColor value);
  TFwGroupBarGradientPath GradientPath() const { return gradientPath_; }
  void SetGradientPath(TFwGroupBarGradientPath value);
  TImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TImageList* list);
  TImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TImageList* list);

  // Border (drawn around the client area).
  TFrameStyleEx BorderOuter() const { return border_.BorderOuter; }
  void SetBorderOuter(TFrameStyleEx value);
  TFrameStyleEx BorderInner() const { return border_.BorderInner; }
  void SetBorderInner(TFrameStyleEx value);
  TSides BorderSides() const { return border_.Sides; }
  void SetBorderSides(TSides value);
  int BevelWidth() const { return border_.BevelWidth; }
  void SetBevelWidth(int value);
  TColor BorderColor() const { return border_.BorderColor; }
  void SetBorderColor(TColor value);
  TColor BorderHighlight() const { return border_.BorderHighlight; }
  void SetBorderHighlight(TColor value);
  TColor BorderShadow() const { return border_.BorderShadow; }
  void SetBorderShadow(TColor value);
  TColor FlatColor() const { return border_.FlatColor; }
  void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return border_.FlatColorAdjustment; }
  void SetFlatColorAdjustment(int value);

  // Scrolling (category view and task list).
  int ScrollPosition() const { return scrollPosition_; }
  void SetScrollPosition(int value);
  int ScrollRange() const { return scrollRange_; }
  void UpdateScrollInfo();
  // Scrolls so that the group shows (after it was opened).
  void ScrollInView(TFwGroup* group);
  // Lays the groups out again.
  void LayOutGroups();

  // The area the groups stand in: inside the border and left of the scroll bar.
  TRect ClientRect() const override;

protected:
  void Paint() override;
  virtual void PaintTo(TCanvas& canvas);
  void AlignControls() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void ColorChanged() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void wheelEvent(QWheelEvent* event) override;
  // The desktop's theme changed: the colour scheme is read again and everything repaints.
  bool event(QEvent* event) override;

private:
  friend class TFwGroup;
  void InsertGroup(TFwGroup* group);
  void RemoveGroup(TFwGroup* group);
  void MoveGroup(TFwGroup* group, int index);
  void LayOutOutlook(const TRect& client);
  void LayOutStacked(const TRect& client);
  int CaptionImageExcess(const TFwGroup& group) const;
  int FrameWidth(TFrameStyleEx style) const;
  void InvalidateGroups();
  void BorderChanged();
  // An image list of the bar changed its images or their size.
  void ImagesChanged();

  std::vector<TFwGroup*> groups_;
  TFwGroupBarStyle style_ = TFwGroupBarStyle::gbsCategoryView;
  bool exclusiveMode_ = false;
  bool uniqueItemSelection_ = false;
  int groupBorderSize_ = 8;
  TFwVisualStyle visualStyle_ = TFwVisualStyle::vsGradient;
  TFwGradientColorStyle gradientColorStyle_ = TFwGradientColorStyle::gcsSystem;
  TColor gradientColorStart_ = clBtnFace;
  TColor gradientColorStop_ = clBtnShadow;
  TFwGroupBarGradientPath gradientPath_ = TFwGroupBarGradientPath::gpTopToBottom;
  TImageList* largeImages_ = nullptr;
  TImageList* smallImages_ = nullptr;
  TChangeLink largeImagesLink_{[this] { ImagesChanged(); }};
  TChangeLink smallImagesLink_{[this] { ImagesChanged(); }};
  TInnerOuterBorders border_;
  QScrollBar* scrollBar_ = nullptr;
  int scrollPosition_ = 0;
  int scrollRange_ = 0;
  int scrollPage_ = 0;
  bool layingOut_ = false;
  bool updatingScroll_ = false;
};

} // namespace fw
