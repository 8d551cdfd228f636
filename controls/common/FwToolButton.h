#pragma once
// TFwToolButton: the toolbar button of the control library. It shows an image of an
// image list (with separate images for the hot, down and disabled looks) and an optional
// caption, can stay down in a group (GroupIndex, AllowAllUp), can carry a drop-down menu
// opened from its arrow part, and is drawn in one of three looks. A button on a
// TFwToolbar takes the toolbar's button size, layout, caption switch and look for as
// long as the matching UseToolbar... flag is on; the toolbar tells it through the four
// notices below, which arrive as ToolbarNotice() calls.

#include "controls/common/FwColors.h"
#include "controls/common/FwCommon.h"
#include "platform/ui/GraphicControl.h"
#include "platform/ui/ImageList.h"

#include <QPointer>

class QShortcut;

namespace fw {

class TCanvas;
class TImageList;
class TPopupMenu;
class TFwToolbar;

// Notices of the toolbar to its buttons.
constexpr UINT FW_TB_SHOWCAPTIONS = 0xB3EA;  // take ShowButtonCaptions
constexpr UINT FW_TB_BUTTONLAYOUT = 0xB3EB;  // take ButtonLayout
constexpr UINT FW_TB_BUTTONSIZE = 0xB3EC;    // take ButtonWidth and ButtonHeight
constexpr UINT FW_TB_VISUALSTYLE = 0xB3ED;   // take VisualStyle and GradientColorStyle

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TFwToolStyle { tsButton, tsDropDown };
enum class TFwToolButtonState { up, disabled, down, exclusive, menuDropped };

// The width of the arrow part of a drop-down button.
constexpr int FwDropDownArrowWidth = 14;

// What a tool button looks like now, gathered from its state before it is painted.
struct TFwToolButtonLook {
  TFwVisualStyle Style = TFwVisualStyle::vsWinXP;
  bool Flat = true;
  bool Enabled = true;
  // The mouse is over the enabled button.
  bool Hot = false;
  // The face shows pressed (and, classic, its image and caption one pixel down): the
  // button is down, stuck down in its group, or its menu is open from the whole button.
  bool Pressed = false;
  // The drop-down menu is open: the arrow part shows pressed.
  bool Dropped = false;
  // Stuck down in its group: a classic face shows a dither.
  bool Sticky = false;
  bool ShowCaption = false;
  // The button part, the arrow part (empty unless a drop-down button), the image and the
  // caption, in the button's coordinates.
  TRect Face, Arrow, Image, Caption;
  // The image shown (disabled, down, hot or normal image), or -1.
  int ImageIndex = -1;
  TColor CaptionColor = clBtnText;
  // Gradient and frame of a hot or pressed face (darker while pressed) and of the arrow.
  TSelectionColors FaceColors{}, ArrowColors{};
};

class TFwToolButton : public TGraphicControl {
public:
  explicit TFwToolButton(TComponent* owner);
  ~TFwToolButton() override;

  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  int DownIndex() const { return downIndex_; }
  void SetDownIndex(int value);
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int value);
  int HotIndex() const { return hotIndex_; }
  void SetHotIndex(int value);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* value);
  TFwToolStyle ToolStyle() const { return toolStyle_; }
  void SetToolStyle(TFwToolStyle value);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TFwVisualStyle VisualStyle() const { return visualStyle_; }
  void SetVisualStyle(TFwVisualStyle value);
  TFwGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
  void SetGradientColorStyle(TFwGradientColorStyle value);
  TColor SelectionColorStart() const { return selectionColorStart_; }
  void SetSelectionColorStart(TColor value);
  TColor SelectionColorStop() const { return selectionColorStop_; }
  void SetSelectionColorStop(TColor value);
  TColor SelectionFrameColor() const { return selectionFrameColor_; }
  void SetSelectionFrameColor(TColor value);
  bool UseToolbarButtonLayout() const { return useToolbarButtonLayout_; }
  void SetUseToolbarButtonLayout(bool value);
  bool UseToolbarButtonSize() const { return useToolbarButtonSize_; }
  void SetUseToolbarButtonSize(bool value);
  bool UseToolbarShowCaption() const { return useToolbarShowCaption_; }
  void SetUseToolbarShowCaption(bool value);
  bool UseToolbarVisualStyle() const { return useToolbarVisualStyle_; }
  void SetUseToolbarVisualStyle(bool value);

  TFwToolButtonState State() const { return state_; }
  bool MouseInControl() const { return mouseOver_; }

  // A size set from outside stops following the toolbar's button size.
  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(TWinControl* parent) override;
  void Click() override;

  // The look the button is painted in now.
  TFwToolButtonLook Look() const;
  // Layout queries: the image, the caption and the arrow part.
  TRect ImageRect() const;
  TRect CaptionRect() const;
  TRect ArrowRect() const;
  QSize ImageSize() const;
  // The width of the caption in the button's font.
  int CaptionWidth() const;

  // Shows the drop-down menu under the button.
  virtual void ShowDropDownMenu();

  TNotifyEvent OnDropDown;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  void WndProc(TMessage& message) override;
  // One notice of the toolbar (FW_TB_...).
  virtual void ToolbarNotice(UINT notice);
  void Paint() override;
  virtual void PaintBackgroundAndFrame(TCanvas& canvas, const TFwToolButtonLook& look);
  virtual void PaintDropDownArrow(TCanvas& canvas, const TFwToolButtonLook& look);
  virtual void PaintImage(TCanvas& canvas, const TFwToolButtonLook& look);
  virtual void PaintCaption(TCanvas& canvas, const TFwToolButtonLook& look);

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void ActionLinked(const TAction& action, bool checkDefaults) override;
  void FollowAction(const TActionChange& change) override;
  virtual void DoDropDown();
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

private:
  TFwToolbar* Toolbar() const;
  void SendAllNotices();
  void GroupButtonPressed(int groupIndex, const TFwToolButton* sender);
  void TellGroup();
  bool HasClickHandler() const;
  // The one definition of a pressed face (TFwToolButtonLook::Pressed).
  bool Pressed() const;
  TRect ContentRect() const;
  void ArrowPress();
  void ButtonPress();
  void DropDownClosed();
  void SetSizeKeepingFlag(int width, int height);
  void UpdateAccelerator();
  void AcceleratorPressed();

  bool allowAllUp_ = false;
  bool down_ = false;
  bool dragging_ = false;
  bool flat_ = true;
  int groupIndex_ = 0;
  int imageIndex_ = -1;
  int downIndex_ = -1;
  int disabledIndex_ = -1;
  int hotIndex_ = -1;
  TImageList* images_ = nullptr;
  // Repaints when the images change.
  TChangeLink imageChangeLink_{[this] { Invalidate(); }};
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  TPopupMenu* dropDownMenu_ = nullptr;
  qint64 lastDropDownMs_ = 0;
  bool clickAllowed_ = true;
  bool suppressClick_ = false;
  TFwToolStyle toolStyle_ = TFwToolStyle::tsButton;
  bool showCaption_ = false;
  bool transparent_ = true;
  TFwVisualStyle visualStyle_ = TFwVisualStyle::vsWinXP;
  TFwGradientColorStyle gradientColorStyle_ = TFwGradientColorStyle::gcsSystem;
  TColor selectionColorStart_ = clBtnFace;
  TColor selectionColorStop_ = clBtnShadow;
  TColor selectionFrameColor_ = cl3DDkShadow;
  bool useToolbarButtonLayout_ = true;
  bool useToolbarButtonSize_ = true;
  bool useToolbarShowCaption_ = true;
  bool useToolbarVisualStyle_ = true;
  bool applyingSize_ = false;
  bool mouseOver_ = false;
  TFwToolButtonState state_ = TFwToolButtonState::up;
  // Alt + the caption's accelerator, while the caption has one.
  QShortcut* accelerator_ = nullptr;
};

} // namespace fw
