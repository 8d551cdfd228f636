#include "controls/navigation/FwGroupBar.h"

#include "controls/common/FwGraphics.h"
#include "controls/navigation/FwGroup.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Setters.h"

#include "controls/common/FwColors.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace fw {

namespace {

constexpr int kLineStep = 10;  // pixels per scroll line and per wheel notch

} // namespace

TFwGroupBar::TFwGroupBar(TComponent* owner) : TCustomControl(owner) {
  border_.FlatColorAdjustment = 30;
  SetParentColor(false);
  SetColor(clBtnShadow);
  resize(160, 200);
  SetAlign(TAlign::alLeft);
  setFocusPolicy(Qt::ClickFocus);
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->hide();
  scrollBar_->setSingleStep(kLineStep);
  QObject::connect(scrollBar_, &QScrollBar::valueChanged, [this](int value) {
    if (!updatingScroll_) SetScrollPosition(value);
  });
  // A control inside a group that takes the keyboard focus opens its group.
  QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (!now || Destroying() || !isAncestorOf(now)) return;
    for (TFwGroup* g : groups_)
      if (g->isAncestorOf(now) && !g->Opened()) {
        g->SetOpened(true);
        break;
      }
  });
}

TFwGroupBar::~TFwGroupBar() {
  SetDestroying();
  // The groups may outlive the bar (other owners) or go with its widget: either way
  // they must not call back into a bar that is going.
  for (TFwGroup* group : groups_) group->groupBar_ = nullptr;
  groups_.clear();
}

int TFwGroupBar::IndexOfGroup(const TFwGroup* group) const {
  const auto it = std::find(groups_.begin(), groups_.end(), group);
  return it == groups_.end() ? -1 : int(it - groups_.begin());
}

TFwGroup* TFwGroupBar::OpenGroup() const {
  TFwGroup* open = nullptr;
  for (TFwGroup* g : groups_)
    if (g->Opened()) open = g;
  return open ? open : groups_.empty() ? nullptr : groups_.front();
}

// ---- the group list ----------------------------------------------------------------

void TFwGroupBar::InsertGroup(TFwGroup* group) {
  groups_.push_back(group);
  group->groupBar_ = this;
  group->TCustomControl::SetParent(this);
  group->SetGroupStyle(style_);
  LayOutGroups();
}

void TFwGroupBar::RemoveGroup(TFwGroup* group) {
  const int index = IndexOfGroup(group);
  if (index < 0) return;
  const bool reopen = style_ == TFwGroupBarStyle::gbsOutlook ||
                      (style_ == TFwGroupBarStyle::gbsCategoryView && exclusiveMode_);
  const TFwGroup* open = OpenGroup();
  const bool wasOpen = open == group && group->Opened();
  // A window that is being freed takes its groups with it: no neighbour opens then, so
  // no handler of the half-freed window runs.
  const bool ownerGoing = Owner() && Owner()->Destroying();
  group->groupBar_ = nullptr;
  if (!Destroying() && !group->Destroying()) {
    group->QWidget::hide();
    group->TCustomControl::SetParent(nullptr);
  }
  groups_.erase(groups_.begin() + index);
  if (Destroying()) return;
  if (reopen && wasOpen && !ownerGoing && !groups_.empty()) {
    TFwGroup* next = groups_[size_t(std::max(0, index - 1))];
    next->SetOpened(true);
  }
  LayOutGroups();
}

void TFwGroupBar::MoveGroup(TFwGroup* group, int index) {
  const int from = IndexOfGroup(group);
  if (from < 0 || from == index) return;
  groups_.erase(groups_.begin() + from);
  groups_.insert(groups_.begin() + index, group);
  LayOutGroups();
}

// ---- properties --------------------------------------------------------------------

void TFwGroupBar::SetStyle(TFwGroupBarStyle value) {
  if (value == style_) return;
  style_ = value;
  switch (value) {
  case TFwGroupBarStyle::gbsCategoryView:
    SetColor(clBtnShadow);
    groupBorderSize_ = 8;
    break;
  case TFwGroupBarStyle::gbsTaskList:
    SetColor(clWindow);
    groupBorderSize_ = 4;
    break;
  case TFwGroupBarStyle::gbsOutlook:
    SetColor(clBtnShadow);
    groupBorderSize_ = 0;
    break;
  }
  scrollPosition_ = 0;
  for (TFwGroup* g : groups_) g->SetGroupStyle(value);
  LayOutGroups();
  Invalidate();
}

void TFwGroupBar::SetExclusiveMode(bool value) {
  if (style_ != TFwGroupBarStyle::gbsCategoryView || value == exclusiveMode_) return;
  exclusiveMode_ = value;
  if (!value || groups_.empty()) return;
  groups_.front()->SetOpened(true);
  for (size_t i = 1; i < groups_.size(); ++i) groups_[i]->SetOpened(false);
  LayOutGroups();
}

void TFwGroupBar::SetUniqueItemSelection(bool value) {
  if (value == uniqueItemSelection_) return;
  uniqueItemSelection_ = value;
  if (value)
    for (TFwGroup* g : groups_) g->SetSelectedIndex(-1);
}

void TFwGroupBar::SetGroupBorderSize(int value) {
  if (value == groupBorderSize_) return;
  groupBorderSize_ = std::max(0, value);
  LayOutGroups();
}

void TFwGroupBar::InvalidateGroups() {
  Invalidate();
  for (TFwGroup* g : groups_) g->Invalidate();
}

void TFwGroupBar::SetVisualStyle(TFwVisualStyle value) {
  if (value == visualStyle_) return;
  visualStyle_ = value;
  for (TFwGroup* g : groups_) g->ApplyStyleColors();
  InvalidateGroups();
}

void TFwGroupBar::SetGradientColorStyle(TFwGradientColorStyle value) {
  if (StoreIfChanged(gradientColorStyle_, value)) InvalidateGroups();
}

void TFwGroupBar::SetGradientColorStart(TColor value) {
  if (StoreIfChanged(gradientColorStart_, value)) InvalidateGroups();
}

void TFwGroupBar::SetGradientColorStop(TColor value) {
  if (StoreIfChanged(gradientColorStop_, value)) InvalidateGroups();
}

void TFwGroupBar::SetGradientPath(TFwGroupBarGradientPath value) { SetAndInvalidate(*this, gradientPath_, value); }

void TFwGroupBar::SetLargeImages(TImageList* list) {
  if (list == largeImages_) return;
  if (largeImages_) largeImages_->RemoveFreeNotification(this);
  largeImages_ = list;
  largeImagesLink_.SetSender(list);
  if (list) list->FreeNotification(this);
  ImagesChanged();
}

void TFwGroupBar::SetSmallImages(TImageList* list) {
  if (list == smallImages_) return;
  if (smallImages_) smallImages_->RemoveFreeNotification(this);
  smallImages_ = list;
  smallImagesLink_.SetSender(list);
  if (list) list->FreeNotification(this);
  ImagesChanged();
}

void TFwGroupBar::ImagesChanged() {
  // Groups measure their items and captions by the images they use.
  for (TFwGroup* g : groups_) g->InvalidateItemBoxes();
  LayOutGroups();
  InvalidateGroups();
}

void TFwGroupBar::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == largeImages_) SetLargeImages(nullptr);
  if (component == smallImages_) SetSmallImages(nullptr);
}

void TFwGroupBar::Loaded() {
  TCustomControl::Loaded();
  LayOutGroups();
}

bool TFwGroupBar::event(QEvent* event) {
  if (event->type() == QEvent::ThemeChange) {
    SetXPColorScheme(GetXPColorScheme());
    InvalidateGroups();
  }
  return TCustomControl::event(event);
}

void TFwGroupBar::ColorChanged() {
  TCustomControl::ColorChanged();
  InvalidateGroups();
}

void TFwGroupBar::BorderChanged() {
  LayOutGroups();
  Invalidate();
}

void TFwGroupBar::SetBorderOuter(TFrameStyleEx value) { if (StoreIfChanged(border_.BorderOuter, value)) BorderChanged(); }
void TFwGroupBar::SetBorderInner(TFrameStyleEx value) { if (StoreIfChanged(border_.BorderInner, value)) BorderChanged(); }
void TFwGroupBar::SetBorderSides(TSides value) { if (StoreIfChanged(border_.Sides, value)) BorderChanged(); }
void TFwGroupBar::SetBevelWidth(int value) { if (StoreIfChanged(border_.BevelWidth, value)) BorderChanged(); }
void TFwGroupBar::SetBorderColor(TColor value) { if (StoreIfChanged(border_.BorderColor, value)) BorderChanged(); }
void TFwGroupBar::SetBorderHighlight(TColor value) { if (StoreIfChanged(border_.BorderHighlight, value)) BorderChanged(); }
void TFwGroupBar::SetBorderShadow(TColor value) { if (StoreIfChanged(border_.BorderShadow, value)) BorderChanged(); }
void TFwGroupBar::SetFlatColor(TColor value) { if (StoreIfChanged(border_.FlatColor, value)) BorderChanged(); }
void TFwGroupBar::SetFlatColorAdjustment(int value) { if (StoreIfChanged(border_.FlatColorAdjustment, value)) BorderChanged(); }

// ---- geometry ----------------------------------------------------------------------

int TFwGroupBar::FrameWidth(TFrameStyleEx style) const {
  switch (style) {
  case TFrameStyleEx::fsNone: return 0;
  case TFrameStyleEx::fsFlat: return 1;
  case TFrameStyleEx::fsStatus:
  case TFrameStyleEx::fsPopup: return border_.BevelWidth;
  default: return 2;
  }
}

TRect TFwGroupBar::ClientRect() const {
  TRect r = Rect(0, 0, width(), height());
  const int w = FrameWidth(border_.BorderOuter) + FrameWidth(border_.BorderInner);
  if (border_.Sides & sdLeft) r.Left += w;
  if (border_.Sides & sdTop) r.Top += w;
  if (border_.Sides & sdRight) r.Right -= w;
  if (border_.Sides & sdBottom) r.Bottom -= w;
  if (scrollBar_ && !scrollBar_->isHidden()) r.Right -= scrollBar_->sizeHint().width();
  r.Right = std::max(r.Left, r.Right);
  r.Bottom = std::max(r.Top, r.Bottom);
  return r;
}

int TFwGroupBar::CaptionImageExcess(const TFwGroup& group) const {
  if (group.CaptionImageIndex() < 0) return 0;
  const TImageList* list =
      group.CaptionStyle() == TFwCaptionStyle::csLarge ? group.UsedLargeImages() : group.UsedSmallImages();
  if (!list || list->Height() <= group.CaptionHeight()) return 0;
  return list->Height() - group.CaptionHeight() + 4;
}

void TFwGroupBar::AlignControls() { LayOutGroups(); }

void TFwGroupBar::LayOutGroups() {
  if (layingOut_ || Destroying()) return;
  layingOut_ = true;
  const TRect client = ClientRect();
  if (style_ == TFwGroupBarStyle::gbsOutlook)
    LayOutOutlook(client);
  else
    LayOutStacked(client);
  layingOut_ = false;
  UpdateScrollInfo();
  for (TFwGroup* g : groups_) g->PlaceScrollButtons();
}

void TFwGroupBar::LayOutOutlook(const TRect& client) {
  TFwGroup* open = OpenGroup();
  if (open && !open->opened_) open->opened_ = true;
  const int border = groupBorderSize_;
  int closedSpace = 2 * border;
  for (TFwGroup* g : groups_)
    if (g != open && g->Visible()) closedSpace += g->CaptionHeight() + border;
  const int width = client.Width() - 2 * border;
  int top = client.Top + border;
  for (TFwGroup* g : groups_) {
    if (!g->Visible()) {
      g->SetBounds(client.Left + border, top, width, 0);
      continue;
    }
    // The open group takes what the captions leave, and never less than nothing.
    const int height = g == open ? std::max(0, client.Height() - closedSpace) : g->CaptionHeight();
    g->SetBounds(client.Left + border, top, width, height);
    top += height + border;
  }
}

void TFwGroupBar::LayOutStacked(const TRect& client) {
  const int border = groupBorderSize_;
  const int width = client.Width() - 2 * border;
  int bottom = client.Top - scrollPosition_;
  for (TFwGroup* g : groups_) {
    if (!g->Visible()) {
      g->SetBounds(client.Left + border, bottom, width, 0);
      continue;
    }
    int height;
    if (style_ == TFwGroupBarStyle::gbsCategoryView && !g->Opened())
      height = g->CaptionHeight();
    else if (g->Items().Count() == 0)
      height = g->OpenedHeight();
    else {
      // Measure at the width the group will have.
      if (g->Width() != width) g->SetBounds(g->Left(), g->Top(), width, g->Height());
      height = g->GetItemsHeight();
    }
    const int top = bottom + border + CaptionImageExcess(*g);
    g->SetBounds(client.Left + border, top, width, height);
    bottom = top + height;
  }
}

// ---- scrolling ---------------------------------------------------------------------

void TFwGroupBar::UpdateScrollInfo() {
  if (updatingScroll_) return;
  const TRect client = ClientRect();
  int range = 2 * groupBorderSize_;
  if (style_ == TFwGroupBarStyle::gbsOutlook) {
    range = client.Height() - 1;
  } else if (!groups_.empty()) {
    const TFwGroup* first = groups_.front();
    const TFwGroup* last = groups_.back();
    range += last->Top() + last->Height() - first->Top() + CaptionImageExcess(*first);
  }
  const int page = client.Height();
  scrollRange_ = range;
  scrollPage_ = page;
  const bool needed = style_ != TFwGroupBarStyle::gbsOutlook && range > page;
  updatingScroll_ = true;
  // Content that shrank (a group closed) leaves no empty space below the last group
  // while the first is scrolled off: the position comes back as far as needed.
  const int lastPosition = needed ? range - page : 0;
  if (scrollPosition_ > lastPosition) {
    scrollPosition_ = lastPosition;
    updatingScroll_ = false;
    LayOutGroups();
    updatingScroll_ = true;
  }
  if (scrollBar_->isHidden() == needed) {
    scrollBar_->setVisible(needed);
    updatingScroll_ = false;
    LayOutGroups();
    updatingScroll_ = true;
  }
  if (needed) {
    const int w = scrollBar_->sizeHint().width();
    const TRect r = ClientRect();
    scrollBar_->setGeometry(r.Right, r.Top, w, r.Height());
    scrollBar_->setRange(0, std::max(0, range - page));
    scrollBar_->setPageStep(page);
    scrollBar_->setValue(scrollPosition_);
  }
  updatingScroll_ = false;
  Invalidate();
}

void TFwGroupBar::SetScrollPosition(int value) {
  value = std::clamp(value, 0, std::max(0, scrollRange_ - scrollPage_));
  if (value == scrollPosition_) return;
  scrollPosition_ = value;
  LayOutGroups();
}

void TFwGroupBar::ScrollInView(TFwGroup* group) {
  if (!group || style_ == TFwGroupBarStyle::gbsOutlook) return;
  const int clientHeight = ClientRect().Height();
  const int top = group->Top() - ClientRect().Top;
  const int bottom = top + group->Height();
  if (group->Height() > clientHeight || top < 0)
    SetScrollPosition(scrollPosition_ + top - groupBorderSize_);
  else if (bottom + groupBorderSize_ > clientHeight && top >= 1)
    SetScrollPosition(scrollPosition_ + bottom + groupBorderSize_ - clientHeight);
}

void TFwGroupBar::wheelEvent(QWheelEvent* event) {
  if (style_ == TFwGroupBarStyle::gbsOutlook) {
    event->ignore();
    return;
  }
  const int notches = event->angleDelta().y() / 120;
  SetScrollPosition(scrollPosition_ - notches * kLineStep);
  event->accept();
}

void TFwGroupBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) setFocus(Qt::MouseFocusReason);
  TCustomControl::MouseDown(button, shift, x, y);
}

// ---- painting ----------------------------------------------------------------------

void TFwGroupBar::Paint() {
  PaintTo(Canvas());
  TCustomControl::Paint();
}

void TFwGroupBar::PaintTo(TCanvas& canvas) {
  const TRect client = ClientRect();
  if (visualStyle_ != TFwVisualStyle::vsClassic && style_ == TFwGroupBarStyle::gbsCategoryView) {
    TColor start = gradientColorStart_, stop = gradientColorStop_;
    if (gradientColorStyle_ != TFwGradientColorStyle::gcsCustom) {
      const TGradientColors c = GetGroupBarColors(gradientColorStyle_);
      start = c.Start;
      stop = c.Stop;
    }
    DrawGroupBarBackground(canvas, client, visualStyle_, start, stop,
                           gradientPath_ == TFwGroupBarGradientPath::gpBottomToTop, gradientColorStyle_);
  } else {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
  }
  TInnerOuterBorders b = border_;
  b.Color = Color();
  b.OuterColor = Parent() ? Parent()->Color() : Color();
  DrawInnerOuterBorders(canvas, Rect(0, 0, width(), height()), b);
  // Caption images taller than their caption stand out above their group.
  for (TFwGroup* g : groups_) {
    const int excess = CaptionImageExcess(*g);
    if (excess == 0 || !g->Visible()) continue;
    const TImageList* list =
        g->CaptionStyle() == TFwCaptionStyle::csLarge ? g->UsedLargeImages() : g->UsedSmallImages();
    canvas.DrawImage(g->Left() + 8, g->Top() + (g->CaptionHeight() - list->Height()) / 2,
                     list->Image(g->CaptionImageIndex()));
  }
}

} // namespace fw
