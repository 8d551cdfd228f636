#include "controls/navigation/FwGroupController.h"

#include "controls/common/FwRegIniFile.h"
#include "controls/navigation/FwGroup.h"

#include <algorithm>

namespace fw {

TFwGroupController::TFwGroupController(TComponent* owner) : TComponent(owner) {
  captionFont_.SetStyle(fsBold);
  captionFont_.SetColor(clHighlight);
  font_.SetColor(clWindowText);
  itemStaticFont_.Assign(font_);
  captionFont_.OnChange = [this](TFont&) {
    if (!copyingFont_) captionFontChanged_ = true;
    UpdateGroups(gcpCaptionFont);
  };
  itemStaticFont_.OnChange = [this](TFont&) {
    if (!copyingFont_) itemStaticFontChanged_ = true;
    UpdateGroups(gcpItemStaticFont);
  };
  font_.OnChange = [this](TFont&) { FontChanged(); };
}

TFwGroupController::~TFwGroupController() {
  // Groups forget the controller through their free notification.
  groups_.clear();
}

void TFwGroupController::FontChanged() {
  // The caption and static fonts follow the controller's font until set by hand.
  copyingFont_ = true;
  if (!captionFontChanged_) {
    captionFont_.SetName(font_.Name());
    captionFont_.SetSize(font_.Size());
    captionFont_.SetStyle(fsBold);
  }
  if (!itemStaticFontChanged_) itemStaticFont_.Assign(font_);
  copyingFont_ = false;
  parentFont_ = false;
  UpdateGroups(gcpFont);
}

void TFwGroupController::SetColor(TColor v) {
  if (v == color_ && !parentColor_) return;
  color_ = v;
  parentColor_ = false;
  UpdateGroups(gcpColor);
}

void TFwGroupController::SetParentColor(bool v) {
  if (v == parentColor_) return;
  parentColor_ = v;
  UpdateGroups(gcpParentColor);
  if (!v) UpdateGroups(gcpColor);
}

void TFwGroupController::RegisterGroup(TFwGroup* group) {
  if (!group || std::find(groups_.begin(), groups_.end(), group) != groups_.end()) return;
  groups_.push_back(group);
  UpdateGroup(group, gcpAll);
}

void TFwGroupController::UnregisterGroup(TFwGroup* group) {
  groups_.erase(std::remove(groups_.begin(), groups_.end(), group), groups_.end());
}

void TFwGroupController::UpdateGroup(TFwGroup* group, int code) {
  if (updateCount_ > 0 || Loading() || !group) return;
  group->ControllerUpdate(code);
}

void TFwGroupController::UpdateGroups(int code) {
  if (updateCount_ > 0 || Loading()) return;
  const std::vector<TFwGroup*> groups = groups_;
  for (TFwGroup* group : groups) group->ControllerUpdate(code);
}

void TFwGroupController::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  if (updateCount_ == 0) UpdateGroups(gcpAll);
}

void TFwGroupController::Loaded() {
  TComponent::Loaded();
  UpdateGroups(gcpAll);
}

void TFwGroupController::SetRegIniFile(TFwRegIniFile* value) { StoreReference(*this, regIniFile_, value); }

void TFwGroupController::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == regIniFile_) regIniFile_ = nullptr;
}

void TFwGroupController::Assign(const TFwGroupController& s) {
  if (&s == this) return;
  BeginUpdate();
  borderColor_ = s.borderColor_;
  captionColor_ = s.captionColor_;
  captionColorStart_ = s.captionColorStart_;
  captionColorStop_ = s.captionColorStop_;
  captionFont_.Assign(s.captionFont_);
  captionHeight_ = s.captionHeight_;
  captionHotColor_ = s.captionHotColor_;
  color_ = s.color_;
  parentColor_ = s.parentColor_;
  dividerColor_ = s.dividerColor_;
  dividerVisible_ = s.dividerVisible_;
  font_.Assign(s.font_);
  parentFont_ = s.parentFont_;
  itemHeight_ = s.itemHeight_;
  itemHotColor_ = s.itemHotColor_;
  itemIndent_ = s.itemIndent_;
  itemStaticFont_.Assign(s.itemStaticFont_);
  selectionColor_ = s.selectionColor_;
  selectionShadowColor_ = s.selectionShadowColor_;
  selectionFrameColor_ = s.selectionFrameColor_;
  showItemSelection_ = s.showItemSelection_;
  itemSelectionStyle_ = s.itemSelectionStyle_;
  EndUpdate();
}

// ---- the group's side --------------------------------------------------------------

void TFwGroup::ControllerUpdate(int code) {
  TFwGroupController* c = controller_;
  if (!c) return;
  const bool all = code == gcpAll;
  if (all) {
    if (c->ParentColor())
      SetParentColor(true);
    else
      ControllerUpdate(gcpColor);
    if (c->ParentFont())
      SetParentFont(true);
    else
      ControllerUpdate(gcpFont);
  }
  if (all || code == gcpBorderColor) SetBorderColor(c->BorderColor());
  if (all || code == gcpCaptionColor) SetCaptionColor(c->CaptionColor());
  if (all || code == gcpCaptionColorStart) SetCaptionColorStart(c->CaptionColorStart());
  if (all || code == gcpCaptionColorStop) SetCaptionColorStop(c->CaptionColorStop());
  if (all || code == gcpCaptionFont) CaptionFont().Assign(c->CaptionFont());
  if (all || code == gcpCaptionHeight) SetCaptionHeight(c->CaptionHeight());
  if (all || code == gcpCaptionHotColor) SetCaptionHotColor(c->CaptionHotColor());
  if (code == gcpColor) SetColor(c->Color());
  if (code == gcpParentColor) SetParentColor(c->ParentColor());
  if (all || code == gcpDividerColor) SetDividerColor(c->DividerColor());
  if (all || code == gcpDividerVisible) SetDividerVisible(c->DividerVisible());
  if (code == gcpFont) Font().Assign(c->Font());
  if (code == gcpParentFont) SetParentFont(c->ParentFont());
  if (all || code == gcpItemHeight) SetItemHeight(c->ItemHeight());
  if (all || code == gcpItemHotColor) SetItemHotColor(c->ItemHotColor());
  if (all || code == gcpItemIndent) SetItemIndent(c->ItemIndent());
  if (all || code == gcpItemStaticFont) ItemStaticFont().Assign(c->ItemStaticFont());
  if (all || code == gcpSelectionColor) SetSelectionColor(c->SelectionColor());
  if (all || code == gcpSelectionShadowColor) SetSelectionShadowColor(c->SelectionShadowColor());
  if (all || code == gcpSelectionFrameColor) SetSelectionFrameColor(c->SelectionFrameColor());
  if (all || code == gcpShowItemSelection) SetShowItemSelection(c->ShowItemSelection());
  if (all || code == gcpItemSelectionStyle) SetItemSelectionStyle(c->ItemSelectionStyle());
}

} // namespace fw
