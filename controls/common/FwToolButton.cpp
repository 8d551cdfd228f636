#include "controls/common/FwToolButton.h"

#include "platform/ui/Accelerator.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "controls/common/FwGlyphs.h"
#include "controls/common/FwGraphics.h"
#include "controls/common/FwToolbar.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/Setters.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QShortcut>

namespace fw {

namespace {
qint64 TickCount() { return QDateTime::currentMSecsSinceEpoch(); }
} // namespace

TFwToolButton::TFwToolButton(TComponent* owner) : TGraphicControl(owner) {
  SetColor(clBtnFace);
  resize(25, 25);
}

TFwToolButton::~TFwToolButton() {
  if (images_) images_->RemoveFreeNotification(this);
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
}

// --- properties -------------------------------------------------------------------------

void TFwToolButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  // The group shares one AllowAllUp.
  if (Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TFwToolButton*>(Parent()->Controls(i)); b && b != this && groupIndex_ != 0 &&
                                                                          b->groupIndex_ == groupIndex_)
        b->allowAllUp_ = value;
}

void TFwToolButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;  // the last button of a group cannot be released
  down_ = value;
  if (down_) {
    state_ = TFwToolButtonState::exclusive;
    TellGroup();
  } else if (state_ == TFwToolButtonState::exclusive) {
    state_ = TFwToolButtonState::up;
  }
  Invalidate();
}

void TFwToolButton::TellGroup() {
  if (!Parent() || groupIndex_ == 0) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TFwToolButton*>(Parent()->Controls(i)); b && b != this)
      b->GroupButtonPressed(groupIndex_, this);
}

void TFwToolButton::GroupButtonPressed(int groupIndex, const TFwToolButton* sender) {
  if (groupIndex != groupIndex_) return;
  if (down_) {
    down_ = false;
    if (state_ == TFwToolButtonState::exclusive) state_ = TFwToolButtonState::up;
    Invalidate();
  }
  allowAllUp_ = sender->allowAllUp_;
}

void TFwToolButton::SetFlat(bool value) { SetAndInvalidate(*this, flat_, value); }

void TFwToolButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  if (groupIndex_ == 0 && down_) {
    down_ = false;
    state_ = TFwToolButtonState::up;
  }
  Invalidate();
}

void TFwToolButton::SetImageIndex(int value) { SetAndInvalidate(*this, imageIndex_, value); }
void TFwToolButton::SetDownIndex(int value) { SetAndInvalidate(*this, downIndex_, value); }
void TFwToolButton::SetDisabledIndex(int value) { SetAndInvalidate(*this, disabledIndex_, value); }
void TFwToolButton::SetHotIndex(int value) { SetAndInvalidate(*this, hotIndex_, value); }

void TFwToolButton::SetImages(TImageList* value) {
  if (value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = value;
  if (images_) images_->FreeNotification(this);
  imageChangeLink_.SetSender(images_);
  Invalidate();
}

void TFwToolButton::SetDropDownMenu(TPopupMenu* value) {
  if (value == dropDownMenu_) return;
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = value;
  if (dropDownMenu_) dropDownMenu_->FreeNotification(this);
}

void TFwToolButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == images_) {
    images_ = nullptr;
    Invalidate();
  }
  if (component == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TFwToolButton::SetLayout(TButtonLayout value) {
  useToolbarButtonLayout_ = false;
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TFwToolButton::SetToolStyle(TFwToolStyle value) {
  if (value == toolStyle_) return;
  toolStyle_ = value;
  SetGroupIndex(0);
  if (!Loading()) {
    const int change = value == TFwToolStyle::tsDropDown ? FwDropDownArrowWidth : -FwDropDownArrowWidth;
    SetSizeKeepingFlag(Width() + change, Height());
  }
  Invalidate();
}

void TFwToolButton::SetShowCaption(bool value) {
  useToolbarShowCaption_ = false;
  if (value == showCaption_) return;
  showCaption_ = value;
  Invalidate();
}

void TFwToolButton::SetTransparent(bool value) { SetAndInvalidate(*this, transparent_, value); }

void TFwToolButton::SetVisualStyle(TFwVisualStyle value) {
  useToolbarVisualStyle_ = false;
  if (value == visualStyle_) return;
  visualStyle_ = value;
  Invalidate();
}

void TFwToolButton::SetGradientColorStyle(TFwGradientColorStyle value) { SetAndInvalidate(*this, gradientColorStyle_, value); }

void TFwToolButton::SetSelectionColorStart(TColor value) { SetAndInvalidate(*this, selectionColorStart_, value); }
void TFwToolButton::SetSelectionColorStop(TColor value) { SetAndInvalidate(*this, selectionColorStop_, value); }
void TFwToolButton::SetSelectionFrameColor(TColor value) { SetAndInvalidate(*this, selectionFrameColor_, value); }

// Switching a UseToolbar... flag back on takes the toolbar's current value at once.
void TFwToolButton::SetUseToolbarButtonLayout(bool value) {
  if (value == useToolbarButtonLayout_) return;
  useToolbarButtonLayout_ = value;
  if (value && Parent()) Perform(FW_TB_BUTTONLAYOUT);
}
void TFwToolButton::SetUseToolbarButtonSize(bool value) {
  if (value == useToolbarButtonSize_) return;
  useToolbarButtonSize_ = value;
  if (value && Parent()) Perform(FW_TB_BUTTONSIZE);
}
void TFwToolButton::SetUseToolbarShowCaption(bool value) {
  if (value == useToolbarShowCaption_) return;
  useToolbarShowCaption_ = value;
  if (value && Parent()) Perform(FW_TB_SHOWCAPTIONS);
}
void TFwToolButton::SetUseToolbarVisualStyle(bool value) {
  if (value == useToolbarVisualStyle_) return;
  useToolbarVisualStyle_ = value;
  if (value && Parent()) Perform(FW_TB_VISUALSTYLE);
}

void TFwToolButton::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != Width() || height != Height();
  if (!applyingSize_ && resized) useToolbarButtonSize_ = false;
  TGraphicControl::SetBounds(left, top, width, height);
  if (resized)
    if (TFwToolbar* bar = Toolbar()) bar->ControlChanged();
}

void TFwToolButton::SetSizeKeepingFlag(int width, int height) {
  applyingSize_ = true;
  SetBounds(Left(), Top(), width, height);
  applyingSize_ = false;
}

// --- toolbar notices --------------------------------------------------------------------

TFwToolbar* TFwToolButton::Toolbar() const { return dynamic_cast<TFwToolbar*>(Parent()); }

void TFwToolButton::SetParent(TWinControl* parent) {
  TGraphicControl::SetParent(parent);
  if (parent && !Loading()) SendAllNotices();
}

void TFwToolButton::Loaded() {
  TGraphicControl::Loaded();
  if (Parent()) SendAllNotices();
}

void TFwToolButton::SendAllNotices() {
  for (UINT notice : {FW_TB_SHOWCAPTIONS, FW_TB_BUTTONLAYOUT, FW_TB_BUTTONSIZE, FW_TB_VISUALSTYLE}) Perform(notice);
}

void TFwToolButton::WndProc(TMessage& message) {
  if (message.Msg >= FW_TB_SHOWCAPTIONS && message.Msg <= FW_TB_VISUALSTYLE) {
    ToolbarNotice(message.Msg);
    return;
  }
  TGraphicControl::WndProc(message);
}

void TFwToolButton::ToolbarNotice(UINT notice) {
  TFwToolbar* bar = Toolbar();
  if (!bar) return;
  switch (notice) {
    case FW_TB_SHOWCAPTIONS:
      if (!useToolbarShowCaption_) return;
      SetShowCaption(bar->ShowButtonCaptions());
      useToolbarShowCaption_ = true;
      break;
    case FW_TB_BUTTONLAYOUT:
      if (!useToolbarButtonLayout_) return;
      SetLayout(bar->ButtonLayout());
      useToolbarButtonLayout_ = true;
      break;
    case FW_TB_BUTTONSIZE: {
      if (!useToolbarButtonSize_) return;
      int width = bar->ButtonWidth();
      if (showCaption_ && !Caption().isEmpty()) {
        const bool side = layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
        const int needed = side ? ImageSize().width() + CaptionWidth() + 12 : CaptionWidth() + 8;
        width = std::max(width, needed);
      }
      if (toolStyle_ == TFwToolStyle::tsDropDown) width += FwDropDownArrowWidth;
      SetSizeKeepingFlag(width, bar->ButtonHeight());
      break;
    }
    case FW_TB_VISUALSTYLE:
      if (!useToolbarVisualStyle_) return;
      SetVisualStyle(bar->VisualStyle());
      SetGradientColorStyle(bar->GradientColorStyle());
      useToolbarVisualStyle_ = true;
      break;
    default: break;
  }
}

// --- layout -----------------------------------------------------------------------------

QSize TFwToolButton::ImageSize() const { return images_ ? QSize(images_->Width(), images_->Height()) : QSize(0, 0); }

int TFwToolButton::CaptionWidth() const {
  return QFontMetrics(Font().ToQFont()).horizontalAdvance(StripAccelChars(Caption()));
}

TRect TFwToolButton::ArrowRect() const {
  if (toolStyle_ != TFwToolStyle::tsDropDown) return TRect{};
  return Rect(Width() - FwDropDownArrowWidth, 0, Width(), Height());
}

TRect TFwToolButton::ContentRect() const {
  TRect r = Rect(0, 0, Width(), Height());
  if (toolStyle_ == TFwToolStyle::tsDropDown) r.Right -= FwDropDownArrowWidth;
  return Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
}

namespace {
bool CaptionShown(bool showCaption, const QString& caption) { return showCaption && !caption.isEmpty(); }
} // namespace

TRect TFwToolButton::ImageRect() const {
  const TRect c = ContentRect();
  const QSize is = ImageSize();
  const int iw = is.width(), ih = is.height();
  TRect r;
  if (!CaptionShown(showCaption_, Caption())) {
    r = CenterRect(c, iw, ih);
  } else {
    const int th = CaptionRect().Height();
    const int total = ih + th + 4;
    switch (layout_) {
      case TButtonLayout::blGlyphLeft: r = Bounds(c.Left + 2, c.Top + (c.Height() - ih) / 2, iw, ih); break;
      case TButtonLayout::blGlyphRight: r = Bounds(c.Right - iw - 2, c.Top + (c.Height() - ih) / 2, iw, ih); break;
      case TButtonLayout::blGlyphTop:
        r = Bounds(c.Left + (c.Width() - iw) / 2, (Height() - total) / 2, iw, ih);
        break;
      case TButtonLayout::blGlyphBottom:
        r = Bounds(c.Left + (c.Width() - iw) / 2, c.Top + th + (Height() - total) / 2, iw, ih);
        break;
    }
  }
  if (Pressed() && visualStyle_ != TFwVisualStyle::vsGradient) r = Bounds(r.Left + 1, r.Top + 1, iw, ih);
  return r;
}

TRect TFwToolButton::CaptionRect() const {
  const TRect c = ContentRect();
  const QSize is = ImageSize();
  QFontMetrics fm(Font().ToQFont());
  const int th = fm.boundingRect(QRect(0, 0, std::max(1, c.Width()), 10000), Qt::AlignCenter | Qt::TextWordWrap,
                                 StripAccelChars(Caption()))
                     .height();
  const int total = is.height() + th + 4;
  TRect r = c;
  switch (layout_) {
    // The caption keeps 4 pixels from the image's side even without an image list.
    case TButtonLayout::blGlyphLeft:
      r.Left = c.Left + is.width() + 4;
      break;
    case TButtonLayout::blGlyphRight:
      r.Right = c.Right - is.width() - 4;
      break;
    case TButtonLayout::blGlyphTop:
      r.Top = c.Top + (Height() - total) / 2 + is.height();
      r.Bottom = r.Top + th;
      break;
    case TButtonLayout::blGlyphBottom:
      r.Top = c.Top + (Height() - total) / 2;
      r.Bottom = r.Top + th;
      break;
  }
  if (Pressed() && visualStyle_ != TFwVisualStyle::vsGradient)
    r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  return r;
}

bool TFwToolButton::HasClickHandler() const { return OnClick || Action(); }

bool TFwToolButton::Pressed() const {
  return state_ == TFwToolButtonState::down || state_ == TFwToolButtonState::exclusive ||
         (state_ == TFwToolButtonState::menuDropped && !HasClickHandler());
}

// --- look -------------------------------------------------------------------------------

TFwToolButtonLook TFwToolButton::Look() const {
  TFwToolButtonLook look;
  look.Style = visualStyle_;
  look.Flat = flat_;
  look.Enabled = Enabled();
  look.Hot = mouseOver_ && look.Enabled;
  look.Pressed = Pressed();
  look.Dropped = state_ == TFwToolButtonState::menuDropped;
  look.Sticky = state_ == TFwToolButtonState::exclusive && visualStyle_ != TFwVisualStyle::vsGradient &&
                !(flat_ && mouseOver_);
  look.Face = Rect(0, 0, Width(), Height());
  if (toolStyle_ == TFwToolStyle::tsDropDown) look.Face.Right -= FwDropDownArrowWidth;
  look.Arrow = ArrowRect();
  look.Image = ImageRect();
  look.ShowCaption = CaptionShown(showCaption_, Caption());
  look.Caption = CaptionRect();

  const bool down = state_ == TFwToolButtonState::down || state_ == TFwToolButtonState::exclusive;
  look.ImageIndex = imageIndex_;
  if (!look.Enabled && disabledIndex_ >= 0)
    look.ImageIndex = disabledIndex_;
  else if (down && downIndex_ >= 0)
    look.ImageIndex = downIndex_;
  else if (look.Hot && hotIndex_ >= 0)
    look.ImageIndex = hotIndex_;

  // The caption turns to the highlight text while the mouse holds a classic button down.
  look.CaptionColor = Font().Color();
  if (!look.Enabled)
    look.CaptionColor = clBtnShadow;
  else if (state_ == TFwToolButtonState::down && visualStyle_ != TFwVisualStyle::vsGradient)
    look.CaptionColor = clHighlightText;

  look.ArrowColors = GetSelectionColors(gradientColorStyle_);
  look.FaceColors = gradientColorStyle_ == TFwGradientColorStyle::gcsCustom
                        ? TSelectionColors{selectionFrameColor_, selectionColorStart_, selectionColorStop_}
                        : look.ArrowColors;
  // A pressed button runs from a darker start colour.
  if (look.Pressed) look.FaceColors.Start = DarkerColor(look.FaceColors.Start, 40);
  return look;
}

// --- painting ---------------------------------------------------------------------------

void TFwToolButton::Paint() {
  const TFwToolButtonLook look = Look();
  TCanvas& canvas = Canvas();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(Rect(0, 0, Width(), Height()));
  }
  // A sticky button shows a dither of its colour and a lighter shade.
  if (look.Sticky) {
    const TColor light = LighterColor(Color(), 20);
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) canvas.SetPixel(x, y, (x + y) % 2 ? light : Color());
  }
  if (!look.Arrow.IsEmpty()) PaintDropDownArrow(canvas, look);
  PaintBackgroundAndFrame(canvas, look);
  PaintImage(canvas, look);
  if (look.ShowCaption) PaintCaption(canvas, look);
}

void TFwToolButton::PaintBackgroundAndFrame(TCanvas& canvas, const TFwToolButtonLook& look) {
  const TRect& r = look.Face;
  if (look.Style == TFwVisualStyle::vsClassic) {
    if (look.Pressed)
      DrawBorderAll(canvas, r, look.Flat ? TFrameStyleEx::fsStatus : TFrameStyleEx::fsButtonDown);
    else if (look.Hot || !look.Flat)
      DrawBorderAll(canvas, r, look.Flat ? TFrameStyleEx::fsPopup : TFrameStyleEx::fsButtonUp);
    return;
  }
  if (!look.Hot && !look.Pressed) return;
  PaintGradient(canvas, r, TGradientDirection::gdVerticalEnd, look.FaceColors.Start, look.FaceColors.Stop);
  DrawFlatFrame(canvas, r, look.FaceColors.Frame);
}

void TFwToolButton::PaintDropDownArrow(TCanvas& canvas, const TFwToolButtonLook& look) {
  const TRect& r = look.Arrow;
  if (look.Style == TFwVisualStyle::vsClassic) {
    if (look.Dropped)
      DrawBorderAll(canvas, r, TFrameStyleEx::fsStatus);
    else if (look.Hot || !look.Flat)
      DrawBorderAll(canvas, r, TFrameStyleEx::fsPopup);
  } else if (look.Hot || look.Dropped) {
    PaintGradient(canvas, r, TGradientDirection::gdVerticalEnd, look.ArrowColors.Start, look.ArrowColors.Stop);
    DrawFlatFrame(canvas, r, look.ArrowColors.Frame);
  }
  DrawDropDownArrow(canvas, r, look.Style == TFwVisualStyle::vsClassic ? fwGlyphClassic : fwGlyphXP, look.Enabled,
                    look.Dropped);
}

void TFwToolButton::PaintImage(TCanvas& canvas, const TFwToolButtonLook& look) {
  if (!images_ || look.ImageIndex < 0 || look.ImageIndex >= images_->Count()) return;
  // A disabled button without a disabled image of its own shows its image greyed.
  const bool greyed = !look.Enabled && disabledIndex_ < 0;
  canvas.DrawImage(look.Image.Left, look.Image.Top, images_->Image(look.ImageIndex, !greyed));
}

void TFwToolButton::PaintCaption(TCanvas& canvas, const TFwToolButtonLook& look) {
  TRect r = look.Caption;
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Font().Assign(Font());
  canvas.Font().SetColor(look.CaptionColor);
  canvas.DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS);
}

// --- mouse ------------------------------------------------------------------------------

void TFwToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  if (toolStyle_ == TFwToolStyle::tsDropDown && dropDownMenu_) {
    const bool inArrow = x >= Width() - FwDropDownArrowWidth;
    if (!inArrow && HasClickHandler()) {
      // The press that closed the menu only re-arms the click.
      if (TickCount() - lastDropDownMs_ < 100) {
        clickAllowed_ = true;
        return;
      }
      clickAllowed_ = true;
      ButtonPress();
      return;
    }
    ArrowPress();
    return;
  }
  ButtonPress();
}

void TFwToolButton::ButtonPress() {
  if (!(down_ && state_ != TFwToolButtonState::exclusive)) {
    state_ = TFwToolButtonState::down;
    Invalidate();
  }
  dragging_ = true;
}

void TFwToolButton::ArrowPress() {
  if (!dropDownMenu_->Items() || dropDownMenu_->Items()->Count() == 0) return;
  // The press that closed the menu a moment ago does not open it again.
  if (TickCount() - lastDropDownMs_ < 100) {
    clickAllowed_ = true;
    return;
  }
  state_ = TFwToolButtonState::menuDropped;
  Repaint();
  clickAllowed_ = false;
  ShowDropDownMenu();
}

void TFwToolButton::ShowDropDownMenu() {
  if (!dropDownMenu_) return;
  // The handler may free the button, or take its menu away (clear it or free it): then
  // nothing is shown, and a button still there looks as before the press.
  QPointer<TFwToolButton> self(this);
  DoDropDown();
  if (!self) return;
  if (!dropDownMenu_) {
    if (state_ == TFwToolButtonState::menuDropped)
      state_ = down_ ? TFwToolButtonState::exclusive : TFwToolButtonState::up;
    Invalidate();
    return;
  }
  const TPoint anchor = ClientToScreen(Point(0, Height()));
  int x = anchor.X;
  const TRect work = GetMonitorWorkRect(anchor);
  int menuWidth = 0;
  QFontMetrics fm(QMenu().font());
  if (TMenuItem* items = dropDownMenu_->Items())
    for (int i = 0; i < items->Count(); ++i)
      menuWidth = std::max(menuWidth, fm.horizontalAdvance(items->Items(i)->Caption()) + 56);
  if (x + menuWidth > work.Right) x = ClientToScreen(Point(Width(), 0)).X - menuWidth;
  dropDownMenu_->SetPopupComponent(this);
  if (QMenu* menu = dropDownMenu_->Menu()) {
    QPointer<TFwToolButton> self(this);
    QObject::connect(menu, &QMenu::aboutToHide, this, [self] {
      if (self) self->DropDownClosed();
    }, Qt::SingleShotConnection);
  }
  dropDownMenu_->Popup(x, anchor.Y);
}

void TFwToolButton::DropDownClosed() {
  lastDropDownMs_ = TickCount();
  if (state_ == TFwToolButtonState::menuDropped) state_ = down_ ? TFwToolButtonState::exclusive : TFwToolButtonState::up;
  Invalidate();
  // A grouped button that is not down reports the drop-down as its click.
  if (groupIndex_ != 0 && !down_) TGraphicControl::Click();
}

void TFwToolButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  const bool inside = rect().contains(x, y);
  TFwToolButtonState look = inside ? TFwToolButtonState::down
                                   : (down_ ? TFwToolButtonState::exclusive : TFwToolButtonState::up);
  if (look != state_) {
    state_ = look;
    Invalidate();
  }
}

void TFwToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  const bool inside = rect().contains(x, y);
  if (toolStyle_ == TFwToolStyle::tsDropDown && state_ == TFwToolButtonState::menuDropped) {
    // The menu is up; the click waits until it closes.
    if (inside) suppressClick_ = true;
    return;
  }
  if (!dragging_) {
    if (inside && toolStyle_ == TFwToolStyle::tsDropDown && !clickAllowed_) suppressClick_ = true;
    return;
  }
  dragging_ = false;
  if (groupIndex_ == 0) {
    state_ = TFwToolButtonState::up;
    Invalidate();
    if (inside && toolStyle_ == TFwToolStyle::tsDropDown && !clickAllowed_) suppressClick_ = true;
    return;
  }
  if (inside) {
    const bool was = down_;
    SetDown(!down_);
    state_ = down_ ? TFwToolButtonState::exclusive : TFwToolButtonState::up;
    if (down_ == was) suppressClick_ = true;  // the click fires only when Down really changed
  } else {
    state_ = down_ ? TFwToolButtonState::exclusive : TFwToolButtonState::up;
  }
  Invalidate();
}

void TFwToolButton::Click() {
  if (suppressClick_) {
    suppressClick_ = false;
    return;
  }
  TGraphicControl::Click();
}

void TFwToolButton::MouseEnter() {
  mouseOver_ = true;
  DoMouseEnter();
  Invalidate();
}

void TFwToolButton::MouseLeave() {
  mouseOver_ = false;
  DoMouseLeave();
  Invalidate();
}

void TFwToolButton::EnabledChanged() {
  if (!Enabled()) state_ = TFwToolButtonState::disabled;
  else state_ = (groupIndex_ != 0 && down_) ? TFwToolButtonState::exclusive : TFwToolButtonState::up;
  Invalidate();
}

void TFwToolButton::TextChanged() {
  TGraphicControl::TextChanged();
  UpdateAccelerator();
}

void TFwToolButton::UpdateAccelerator() {
  UpdateAcceleratorShortcut(accelerator_, this, Caption(), [this] { AcceleratorPressed(); });
}

void TFwToolButton::AcceleratorPressed() {
  if (!Enabled() || !Visible() || !Parent() || !Parent()->Showing()) return;
  // A drop-down button without a click of its own opens its menu; any other clicks.
  if (toolStyle_ == TFwToolStyle::tsDropDown && dropDownMenu_ && !HasClickHandler()) {
    state_ = TFwToolButtonState::menuDropped;
    Invalidate();
    ShowDropDownMenu();
    return;
  }
  Click();
}

void TFwToolButton::ActionLinked(const TAction& action, bool checkDefaults) {
  TGraphicControl::ActionLinked(action, checkDefaults);
  TakeActionValue(action.ImageIndex(), imageIndex_ == -1, checkDefaults, [this](int v) { SetImageIndex(v); });
  TakeActionValue(action.Checked(), !down_, checkDefaults, [this](bool v) { SetDown(v); });
}

// The button's image and down state follow the action only while they agree with it.
void TFwToolButton::FollowAction(const TActionChange& change) {
  TGraphicControl::FollowAction(change);
  change.Follow(&TActionValues::ImageIndex, imageIndex_, [this](int v) { SetImageIndex(v); });
  change.Follow(&TActionValues::Checked, down_, [this](bool v) { SetDown(v); });
}

void TFwToolButton::DoDropDown() {
  if (OnDropDown) OnDropDown(this);
}
void TFwToolButton::DoMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TFwToolButton::DoMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

} // namespace fw
