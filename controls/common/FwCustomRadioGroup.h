#pragma once
// TFwCustomRadioGroup: a group box with one radio button per line of Items, laid out in
// columns, and ItemIndex kept in step with the checked button. The buttons are child
// controls the group creates and dresses with its item properties. A descendant may
// refuse the user's choice of an item through CanModify.

#include "controls/common/FwGroupBox.h"
#include "platform/ui/Setters.h"

#include <QStringList>
#include <memory>
#include <vector>

namespace fw {

class TBitmap;
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
  TFwHotTrackColorType ItemHotTrackColorType() const { return itemHotTrackColorType_; }
  virtual void SetItemHotTrackColorType(TFwHotTrackColorType value) {
    if (StoreIfChanged(itemHotTrackColorType_, value)) ArrangeButtons();
  }
  // The buttons' caption style.
  TTextStyle TextStyle() const { return textStyle_; }
  virtual void SetTextStyle(TTextStyle value) { if (StoreIfChanged(textStyle_, value)) ArrangeButtons(); }
  bool LightTextStyle() const { return lightTextStyle_; }
  virtual void SetLightTextStyle(bool value) { if (StoreIfChanged(lightTextStyle_, value)) ArrangeButtons(); }
  TColor TextHighlightColor() const { return textHighlightColor_; }
  virtual void SetTextHighlightColor(TColor value) { if (StoreIfChanged(textHighlightColor_, value)) ArrangeButtons(); }
  TColor TextShadowColor() const { return textShadowColor_; }
  virtual void SetTextShadowColor(TColor value) { if (StoreIfChanged(textShadowColor_, value)) ArrangeButtons(); }
  int TextShadowDepth() const { return textShadowDepth_; }
  virtual void SetTextShadowDepth(int value) { if (StoreIfChanged(textShadowDepth_, value)) ArrangeButtons(); }
  // A strip of six glyph cells for the buttons; a non-empty strip turns UseCustomGlyphs on.
  const TBitmap& CustomGlyphs() const { return *customGlyphs_; }
  virtual void SetCustomGlyphs(const TBitmap& value);
  bool UseCustomGlyphs() const { return useCustomGlyphs_; }
  virtual void SetUseCustomGlyphs(bool value) { if (StoreIfChanged(useCustomGlyphs_, value)) ArrangeButtons(); }
  TColor TransparentColor() const { return transparentColor_; }
  virtual void SetTransparentColor(TColor value) { if (StoreIfChanged(transparentColor_, value)) ArrangeButtons(); }
  TColor WinMaskColor() const { return winMaskColor_; }
  virtual void SetWinMaskColor(TColor value) { if (StoreIfChanged(winMaskColor_, value)) ArrangeButtons(); }
  // A transparent group has transparent buttons.
  void SetTransparent(bool value) override;
  // The glyph width the layout reserves: one cell of the custom strip, else 13.
  int GlyphWidth() const;

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
  // The caption's accelerator focuses the first button.
  void AcceleratorPressed() override;

private:
  friend class TFwGroupButton;
  // Gives a button the group's item font, colours, caption style and glyphs.
  void DressButton(TFwGroupButton& button) const;
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
  TFwHotTrackColorType itemHotTrackColorType_ = TFwHotTrackColorType::htctActual;
  TTextStyle textStyle_ = TTextStyle::tsNormal;
  bool lightTextStyle_ = false;
  TColor textHighlightColor_ = clBtnHighlight;
  TColor textShadowColor_ = clBtnShadow;
  int textShadowDepth_ = 2;
  std::unique_ptr<TBitmap> customGlyphs_;
  bool useCustomGlyphs_ = false;
  TColor transparentColor_ = 0x00008080;
  TColor winMaskColor_ = 0x00808000;
  bool updating_ = false;
  bool destroying_ = false;
};

} // namespace fw
