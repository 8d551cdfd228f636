#include "controls/common/FwToolbar.h"

#include "controls/common/FwRegIniFile.h"
#include "controls/common/FwSpacer.h"
#include "controls/common/FwGraphics.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Setters.h"

#include <QChildEvent>

namespace fw {

TFwToolbar::TFwToolbar(TComponent* owner) : TFwCustomPanel(owner), background_(std::make_unique<TBitmap>()) {
  resize(32, 32);
  SetFullRepaint(false);
  SetAlign(TAlign::alTop);
  SetShowDockClientCaptions(false);
  ApplyAutoStyle();
}

TFwToolbar::~TFwToolbar() {
  SetDestroying();
  if (images_) images_->RemoveFreeNotification(this);
  if (regIniFile_) regIniFile_->RemoveFreeNotification(this);
}

// --- properties -------------------------------------------------------------------------

namespace {
bool OnAToolbar(const TWinControl* parent) { return dynamic_cast<const TFwToolbar*>(parent) != nullptr; }
} // namespace

void TFwToolbar::SetAutoResize(bool value) {
  if (StoreIfChanged(autoResize_, value && !OnAToolbar(Parent()))) Relayout();
}

void TFwToolbar::SetParent(TWinControl* parent) {
  // Switched off before joining, so that the outer toolbar never sees a size of its own.
  if (OnAToolbar(parent)) autoResize_ = false;
  TFwCustomPanel::SetParent(parent);
}

void TFwToolbar::SetAutoStyle(bool value) {
  if (value == autoStyle_) return;
  autoStyle_ = value;
  if (autoStyle_) ApplyAutoStyle();
}

void TFwToolbar::ApplyAutoStyle() {
  if (!autoStyle_) return;
  settingStyle_ = true;
  TFwCustomPanel::SetBorderInner(TFrameStyleEx::fsNone);
  TFwCustomPanel::SetBorderOuter(showDivider_ ? TFrameStyleEx::fsGroove : TFrameStyleEx::fsNone);
  TSides sides = sdTop;
  if (Align() == TAlign::alBottom) sides = sdBottom;
  else if (Align() == TAlign::alLeft) sides = sdLeft;
  else if (Align() == TAlign::alRight) sides = sdRight;
  TFwCustomPanel::SetBorderSides(sides);
  settingStyle_ = false;
}

// A border set by hand ends the automatic style.
void TFwToolbar::SetBorderInner(TFrameStyleEx value) {
  if (!settingStyle_) autoStyle_ = false;
  TFwCustomPanel::SetBorderInner(value);
}
void TFwToolbar::SetBorderOuter(TFrameStyleEx value) {
  if (!settingStyle_) autoStyle_ = false;
  TFwCustomPanel::SetBorderOuter(value);
}
void TFwToolbar::SetBorderSides(TSides value) {
  if (!settingStyle_) autoStyle_ = false;
  TFwCustomPanel::SetBorderSides(value);
}

void TFwToolbar::SetShowDivider(bool value) {
  if (value == showDivider_) return;
  showDivider_ = value;
  settingStyle_ = true;
  TFwCustomPanel::SetBorderOuter(value ? TFrameStyleEx::fsGroove : TFrameStyleEx::fsNone);
  settingStyle_ = false;
}

void TFwToolbar::SetButtonLayout(TButtonLayout value) {
  if (!applyingPreset_) textOptions_ = TFwToolbarTextOptions::ttoCustom;
  if (value == buttonLayout_) return;
  buttonLayout_ = value;
  Notify(FW_TB_BUTTONLAYOUT);
  // The layout decides how much room a caption needs.
  Notify(FW_TB_BUTTONSIZE);
  Relayout();
}

void TFwToolbar::SetButtonWidth(int value) {
  if (!applyingPreset_) textOptions_ = TFwToolbarTextOptions::ttoCustom;
  if (value == buttonWidth_) return;
  buttonWidth_ = value;
  Notify(FW_TB_BUTTONSIZE);
  Relayout();
}

void TFwToolbar::SetButtonHeight(int value) {
  if (!applyingPreset_) textOptions_ = TFwToolbarTextOptions::ttoCustom;
  if (value == buttonHeight_) return;
  buttonHeight_ = value;
  Notify(FW_TB_BUTTONSIZE);
  Relayout();
}

void TFwToolbar::SetShowButtonCaptions(bool value) {
  if (!applyingPreset_) textOptions_ = TFwToolbarTextOptions::ttoCustom;
  if (value == showButtonCaptions_) return;
  showButtonCaptions_ = value;
  Notify(FW_TB_SHOWCAPTIONS);
  // A caption can widen a button that follows the toolbar's size.
  Notify(FW_TB_BUTTONSIZE);
  Relayout();
}

void TFwToolbar::SetVisualStyle(TFwVisualStyle value) {
  if (value == VisualStyle()) return;
  TFwCustomPanel::SetVisualStyle(value);
  Notify(FW_TB_VISUALSTYLE);
}

void TFwToolbar::SetGradientColorStyle(TFwGradientColorStyle value) {
  if (value == GradientColorStyle()) return;
  TFwCustomPanel::SetGradientColorStyle(value);
  Notify(FW_TB_VISUALSTYLE);
}

void TFwToolbar::SetImages(TImageList* value) {
  if (value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = value;
  if (images_) images_->FreeNotification(this);
  imageChangeLink_.SetSender(images_);
  Invalidate();
}

void TFwToolbar::SetRegIniFile(TFwRegIniFile* value) { StoreReference(*this, regIniFile_, value); }

void TFwToolbar::Notification(TComponent* component, TOperation operation) {
  TFwCustomPanel::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == images_) images_ = nullptr;
  if (component == regIniFile_) regIniFile_ = nullptr;
}

void TFwToolbar::SetMargin(int value) {
  if (StoreIfChanged(margin_, value)) Relayout();
}
void TFwToolbar::SetTopMargin(int value) {
  if (StoreIfChanged(topMargin_, value)) Relayout();
}
void TFwToolbar::SetRowHeight(int value) {
  if (StoreIfChanged(rowHeight_, value)) Relayout();
}
void TFwToolbar::SetWrapControls(bool value) {
  if (StoreIfChanged(wrapControls_, value)) Relayout();
}

void TFwToolbar::SetOrientation(TOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  for (TControl* c : controls_)
    if (auto* spacer = dynamic_cast<TFwSpacer*>(c)) spacer->SetOrientation(value);
  Relayout();
}

void TFwToolbar::SetTextOptions(TFwToolbarTextOptions value) {
  if (StoreIfChanged(textOptions_, value)) ApplyTextOptions();
}

void TFwToolbar::ApplyTextOptions() {
  const bool vertical = orientation_ == TOrientation::orVertical;
  applyingPreset_ = true;
  switch (textOptions_) {
    case TFwToolbarTextOptions::ttoNoTextLabels:
      SetButtonLayout(TButtonLayout::blGlyphLeft);
      ApplyButtonSettings(25, 25, false);
      SetRowHeight(25);
      break;
    case TFwToolbarTextOptions::ttoShowTextLabels:
      SetButtonLayout(TButtonLayout::blGlyphTop);
      ApplyButtonSettings(60, 40, true);
      SetRowHeight(vertical ? 60 : 40);
      break;
    case TFwToolbarTextOptions::ttoSelectiveTextOnRight:
      SetButtonLayout(TButtonLayout::blGlyphLeft);
      ApplyButtonSettings(60, 25, true);
      SetRowHeight(vertical ? 60 : 25);
      break;
    case TFwToolbarTextOptions::ttoCustom: break;
  }
  applyingPreset_ = false;
}

void TFwToolbar::ApplyButtonSettings(int width, int height, bool showCaptions) {
  showButtonCaptions_ = showCaptions;
  buttonWidth_ = width;
  buttonHeight_ = height;
  const TButtonLayout layout =
      showCaptions && height >= 31 ? TButtonLayout::blGlyphTop : TButtonLayout::blGlyphLeft;
  for (TControl* c : controls_)
    if (auto* b = dynamic_cast<TFwToolButton*>(c)) {
      b->SetBounds(b->Left(), b->Top(), width, height);
      b->SetShowCaption(showCaptions);
      b->SetLayout(layout);
    }
  rowHeight_ = orientation_ == TOrientation::orVertical ? width : height;
  Relayout();
}

void TFwToolbar::Notify(UINT notice) {
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(notice);
}

// --- the control list -------------------------------------------------------------------

int TFwToolbar::IndexOfControl(const TControl* control) const {
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i] == control) return int(i);
  return -1;
}

void TFwToolbar::SetToolbarControls(const std::vector<TControl*>& order) {
  std::vector<TControl*> result;
  for (TControl* c : order)
    if (c && c->Parent() == this && std::find(result.begin(), result.end(), c) == result.end()) result.push_back(c);
  for (int i = 0; i < ControlCount(); ++i)
    if (std::find(result.begin(), result.end(), Controls(i)) == result.end()) result.push_back(Controls(i));
  controls_ = std::move(result);
  Relayout();
}

void TFwToolbar::SetToolbarControls(const QStringList& names) {
  std::vector<TControl*> order;
  for (const QString& name : names)
    for (int i = 0; i < ControlCount(); ++i)
      if (Controls(i)->Name().compare(name, Qt::CaseInsensitive) == 0) order.push_back(Controls(i));
  SetToolbarControls(order);
}

void TFwToolbar::childEvent(QChildEvent* event) {
  TFwCustomPanel::childEvent(event);
  if (event->type() == QEvent::ChildAdded) {
    auto* control = dynamic_cast<TControl*>(event->child());
    if (control && IndexOfControl(control) < 0) {
      controls_.push_back(control);
      control->installEventFilter(this);
      if (auto* spacer = dynamic_cast<TFwSpacer*>(control)) spacer->SetOrientation(orientation_);
    }
  } else if (event->type() == QEvent::ChildRemoved) {
    // The child may be half destroyed: compare addresses only.
    const QObject* gone = event->child();
    const auto before = controls_.size();
    std::erase_if(controls_, [gone](TControl* c) { return static_cast<QObject*>(c) == gone; });
    if (controls_.size() != before && !Destroying()) Relayout();
  }
  if (event->type() == QEvent::ChildAdded && !positioning_) Relayout();
}

bool TFwToolbar::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
      if (watched->parent() == this) ControlChanged();
      break;
    default: break;
  }
  return TFwCustomPanel::eventFilter(watched, event);
}

void TFwToolbar::ControlChanged() {
  if (!positioning_) Relayout();
}

// --- layout -----------------------------------------------------------------------------

void TFwToolbar::Relayout() {
  if (Loading() || Destroying()) return;
  PositionControls();
}

void TFwToolbar::AlignControls() {
  TFwCustomPanel::AlignControls();
  Relayout();
}

void TFwToolbar::Resize() {
  TFwCustomPanel::Resize();
  if (!positioning_) Relayout();
}

void TFwToolbar::AlignChanged() {
  TFwCustomPanel::AlignChanged();
  ApplyAutoStyle();
  if (autoResize_) {
    if (Align() == TAlign::alLeft || Align() == TAlign::alRight) SetWidth(32);
    else SetHeight(32);
  }
  Relayout();
}

void TFwToolbar::Loaded() {
  TFwCustomPanel::Loaded();
  ApplyAutoStyle();
  Notify(FW_TB_SHOWCAPTIONS);
  Notify(FW_TB_BUTTONLAYOUT);
  Notify(FW_TB_BUTTONSIZE);
  Notify(FW_TB_VISUALSTYLE);
  Relayout();
}

void TFwToolbar::PositionControls() {
  if (positioning_) return;
  positioning_ = true;
  const bool horizontal = orientation_ == TOrientation::orHorizontal;
  int pos = margin_;
  int line = 1;
  int widest = 0;
  bool wrapped = false;
  bool first = true;
  for (TControl* c : controls_) {
    if (!c->Visible()) continue;
    const int extent = horizontal ? c->Width() : c->Height();
    const int room = horizontal ? Width() : Height();
    if (wrapControls_ && !first && room - margin_ < pos + extent) {
      widest = std::max(widest, pos);
      pos = margin_;
      ++line;
      wrapped = true;
    }
    first = false;
    if (horizontal) {
      const int y = (line - 1) * rowHeight_ + topMargin_ + rowHeight_ / 2 - c->Height() / 2;
      c->SetBounds(pos, y, c->Width(), c->Height());
    } else {
      const int x = (line - 1) * rowHeight_ + margin_ + rowHeight_ / 2 - c->Width() / 2;
      c->SetBounds(x, pos, c->Width(), c->Height());
    }
    pos += extent;
  }
  widest = std::max(widest, pos);
  rows_ = line;
  if (autoResize_) {
    const TAlign a = Align();
    if (horizontal) {
      if ((a == TAlign::alLeft || a == TAlign::alRight) && wrapped) SetSize(margin_ + widest, Height());
      else if (a == TAlign::alTop || a == TAlign::alBottom) SetSize(Width(), rowHeight_ * rows_ + 2 * topMargin_);
    } else {
      if ((a == TAlign::alTop || a == TAlign::alBottom) && wrapped) SetSize(Width(), margin_ + widest);
      else if (a == TAlign::alLeft || a == TAlign::alRight) SetSize(rowHeight_ * rows_ + 2 + topMargin_, Height());
    }
  }
  positioning_ = false;
}

void TFwToolbar::SetSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  SetBounds(Left(), Top(), width, height);
  Invalidate();
  if (Parent()) Parent()->Realign();
}

// --- painting ---------------------------------------------------------------------------

void TFwToolbar::Paint() {
  TCanvas& canvas = Canvas();
  const TRect inner = PaintBordersAndFace(canvas);
  if (!background_->Empty()) {
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(inner);
    TileBitmap(canvas, *background_, inner);
    canvas.RestoreDC(saved);
  }
  if (OnPaint) OnPaint(this);
}

} // namespace fw
