#pragma once
// TFwGroupController: one set of colours, fonts and metrics shared by several groups.
// Each setter stores its value and pushes that one property (by its code) into every
// registered group; between BeginUpdate and EndUpdate pushing waits, and the last
// EndUpdate pushes everything. A group that registers receives everything at once.

#include "controls/navigation/FwGroupTypes.h"
#include "platform/ui/Component.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Setters.h"

#include <vector>

namespace fw {

class TFwGroup;
class TFwRegIniFile;

// Property codes of the controller (0 pushes all of them).
enum TFwGroupControllerProperty : int {
  gcpAll = 0,
  gcpBorderColor = 1,
  gcpCaptionColor,
  gcpCaptionColorStart,
  gcpCaptionColorStop,
  gcpCaptionFont,
  gcpCaptionHeight,
  gcpCaptionHotColor,
  gcpColor,
  gcpParentColor,
  gcpDividerColor,
  gcpDividerVisible,
  gcpFont,
  gcpParentFont,
  gcpItemHeight,
  gcpItemHotColor,
  gcpItemIndent,
  gcpItemStaticFont,
  gcpSelectionColor,
  gcpSelectionShadowColor,
  gcpSelectionFrameColor,
  gcpShowItemSelection,
  gcpItemSelectionStyle,
};

class TFwGroupController : public TComponent {
public:
  explicit TFwGroupController(TComponent* owner);
  ~TFwGroupController() override;

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor v) { if (StoreIfChanged(borderColor_, v)) UpdateGroups(gcpBorderColor); }
  TColor CaptionColor() const { return captionColor_; }
  void SetCaptionColor(TColor v) { if (StoreIfChanged(captionColor_, v)) UpdateGroups(gcpCaptionColor); }
  TColor CaptionColorStart() const { return captionColorStart_; }
  void SetCaptionColorStart(TColor v) { if (StoreIfChanged(captionColorStart_, v)) UpdateGroups(gcpCaptionColorStart); }
  TColor CaptionColorStop() const { return captionColorStop_; }
  void SetCaptionColorStop(TColor v) { if (StoreIfChanged(captionColorStop_, v)) UpdateGroups(gcpCaptionColorStop); }
  TFont& CaptionFont() { return captionFont_; }
  int CaptionHeight() const { return captionHeight_; }
  void SetCaptionHeight(int v) { if (StoreIfChanged(captionHeight_, std::max(16, v))) UpdateGroups(gcpCaptionHeight); }
  TColor CaptionHotColor() const { return captionHotColor_; }
  void SetCaptionHotColor(TColor v) { if (StoreIfChanged(captionHotColor_, v)) UpdateGroups(gcpCaptionHotColor); }
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TColor DividerColor() const { return dividerColor_; }
  void SetDividerColor(TColor v) { if (StoreIfChanged(dividerColor_, v)) UpdateGroups(gcpDividerColor); }
  bool DividerVisible() const { return dividerVisible_; }
  void SetDividerVisible(bool v) { if (StoreIfChanged(dividerVisible_, v)) UpdateGroups(gcpDividerVisible); }
  TFont& Font() { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v) { if (StoreIfChanged(parentFont_, v)) UpdateGroups(gcpParentFont); }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v) { if (StoreIfChanged(itemHeight_, v)) UpdateGroups(gcpItemHeight); }
  TColor ItemHotColor() const { return itemHotColor_; }
  void SetItemHotColor(TColor v) { if (StoreIfChanged(itemHotColor_, v)) UpdateGroups(gcpItemHotColor); }
  int ItemIndent() const { return itemIndent_; }
  void SetItemIndent(int v) { if (StoreIfChanged(itemIndent_, v)) UpdateGroups(gcpItemIndent); }
  TFont& ItemStaticFont() { return itemStaticFont_; }
  TColor SelectionColor() const { return selectionColor_; }
  void SetSelectionColor(TColor v) { if (StoreIfChanged(selectionColor_, v)) UpdateGroups(gcpSelectionColor); }
  TColor SelectionShadowColor() const { return selectionShadowColor_; }
  void SetSelectionShadowColor(TColor v) { if (StoreIfChanged(selectionShadowColor_, v)) UpdateGroups(gcpSelectionShadowColor); }
  TColor SelectionFrameColor() const { return selectionFrameColor_; }
  void SetSelectionFrameColor(TColor v) { if (StoreIfChanged(selectionFrameColor_, v)) UpdateGroups(gcpSelectionFrameColor); }
  bool ShowItemSelection() const { return showItemSelection_; }
  void SetShowItemSelection(bool v) { if (StoreIfChanged(showItemSelection_, v)) UpdateGroups(gcpShowItemSelection); }
  TFwItemSelectionStyle ItemSelectionStyle() const { return itemSelectionStyle_; }
  void SetItemSelectionStyle(TFwItemSelectionStyle v) { if (StoreIfChanged(itemSelectionStyle_, v)) UpdateGroups(gcpItemSelectionStyle); }

  int GroupCount() const { return static_cast<int>(groups_.size()); }
  void RegisterGroup(TFwGroup* group);
  void UnregisterGroup(TFwGroup* group);
  // Pushes one property (or all, code 0) into one group or into every group.
  void UpdateGroup(TFwGroup* group, int code);
  void UpdateGroups(int code);
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // Copies every value of another controller inside one update.
  void Assign(const TFwGroupController& source);

  // Where the shared settings would be kept; only held, and cleared when that component
  // is freed.
  TFwRegIniFile* RegIniFile() const { return regIniFile_; }
  void SetRegIniFile(TFwRegIniFile* value);

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void FontChanged();

  TColor borderColor_ = clBtnHighlight;
  TColor captionColor_ = clHighlightText;
  TColor captionColorStart_ = clWindow;
  TColor captionColorStop_ = clBtnFace;
  TFont captionFont_;
  int captionHeight_ = 20;
  TColor captionHotColor_ = clHotLight;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TColor dividerColor_ = clHighlight;
  bool dividerVisible_ = false;
  TFont font_;
  bool parentFont_ = true;
  int itemHeight_ = 20;
  TColor itemHotColor_ = clHotLight;
  int itemIndent_ = 20;
  TFont itemStaticFont_;
  TColor selectionColor_ = clBtnFace;
  TColor selectionShadowColor_ = clBtnShadow;
  TColor selectionFrameColor_ = cl3DDkShadow;
  bool showItemSelection_ = false;
  TFwItemSelectionStyle itemSelectionStyle_ = TFwItemSelectionStyle::issImage;

  bool captionFontChanged_ = false;
  bool itemStaticFontChanged_ = false;
  bool copyingFont_ = false;
  int updateCount_ = 0;
  std::vector<TFwGroup*> groups_;
  TFwRegIniFile* regIniFile_ = nullptr;
};

} // namespace fw
