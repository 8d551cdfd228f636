#pragma once
// TFwCustomButtonEdit: a framed edit with up to two small buttons inside its right
// edge (Button, and AltBtn when shown), held by a TFwButtonPair. A button shows the
// stock glyph of its kind, the drop-down face, or a glyph of the caller's; it is
// clicked by the mouse or by its keyboard shortcut (F4 for Button by default) and
// raises OnButtonClick or OnAltBtnClick. With AllowKeyEdit off the text can only be
// chosen through the buttons: typing, Backspace, Delete and paste are refused with a
// beep, cut is ignored (also from the context menu).
// The text never runs under the buttons.

#include "controls/common/FwButtonEditGlyphs.h"
#include "controls/common/FwButtonPair.h"
#include "controls/common/FwEdit.h"
#include "platform/ui/VirtualKeys.h"

namespace fw {

class TFwCustomButtonEdit : public TFwEdit {
public:
  explicit TFwCustomButtonEdit(TComponent* owner);

  bool AllowKeyEdit() const { return allowKeyEdit_; }
  void SetAllowKeyEdit(bool value) { allowKeyEdit_ = value; }
  bool HideButtonsOnReadOnly() const { return hideButtonsOnReadOnly_; }
  virtual void SetHideButtonsOnReadOnly(bool value);
  bool FlatButtons() const { return flatButtons_; }
  void SetFlatButtons(bool value);
  TColor FlatButtonColor() const { return flatButtonColor_; }
  void SetFlatButtonColor(TColor value);

  // Per button: index 1 = AltBtn, 2 = Button.
  TButtonKind ButtonKind() const { return kinds_[1]; }
  void SetButtonKind(TButtonKind value) { SetKind(2, value); }
  TButtonKind AltBtnKind() const { return kinds_[0]; }
  void SetAltBtnKind(TButtonKind value) { SetKind(1, value); }
  TShortCut ButtonShortCut() const { return shortCuts_[1]; }
  void SetButtonShortCut(TShortCut value) { shortCuts_[1] = value; }
  TShortCut AltBtnShortCut() const { return shortCuts_[0]; }
  void SetAltBtnShortCut(TShortCut value) { shortCuts_[0] = value; }
  bool ButtonVisible() const { return Btn(2)->Visible(); }
  void SetButtonVisible(bool value) { SetBtnVisible(2, value); }
  bool AltBtnVisible() const { return Btn(1)->Visible(); }
  void SetAltBtnVisible(bool value) { SetBtnVisible(1, value); }
  int ButtonWidth() const { return Btn(2)->Width(); }
  void SetButtonWidth(int value) { SetBtnWidth(2, value); }
  int AltBtnWidth() const { return Btn(1)->Width(); }
  void SetAltBtnWidth(int value) { SetBtnWidth(1, value); }
  QString ButtonHint() const { return Btn(2)->Hint(); }
  void SetButtonHint(const QString& value) { Btn(2)->SetHint(value); }
  QString AltBtnHint() const { return Btn(1)->Hint(); }
  void SetAltBtnHint(const QString& value) { Btn(1)->SetHint(value); }
  const TBitmap& ButtonGlyph() const { return Btn(2)->Glyph(); }
  void SetButtonGlyph(const TBitmap& value) { Btn(2)->SetGlyph(value); }
  const TBitmap& AltBtnGlyph() const { return Btn(1)->Glyph(); }
  void SetAltBtnGlyph(const TBitmap& value) { Btn(1)->SetGlyph(value); }
  int ButtonNumGlyphs() const { return Btn(2)->NumGlyphs(); }
  void SetButtonNumGlyphs(int value) { Btn(2)->SetNumGlyphs(value); }
  int AltBtnNumGlyphs() const { return Btn(1)->NumGlyphs(); }
  void SetAltBtnNumGlyphs(int value) { Btn(1)->SetNumGlyphs(value); }

  // The button object by index (1 = AltBtn, 2 = Button) and the pair that holds them.
  TFwControlButton* Btn(int index) const { return index == 1 ? pair_->AltBtn() : pair_->Button(); }
  TFwButtonPair* ButtonPair() const { return pair_; }
  // The part of the edit the text may use: the client area without the buttons.
  TRect TextRect() const;

  void SetAlignment(TLeftRight value) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(QChar& key) override;
  bool CanRemoveText() const override { return allowKeyEdit_ && !ReadOnly(); }

  TNotifyEvent OnAltBtnClick;
  TNotifyEvent OnButtonClick;

protected:
  virtual void DoAltBtnClick();
  virtual void DoButtonClick();
  // Places the pair and its buttons and sets the text margin.
  virtual void ResizeButtons();
  // Keeps the text clear of the buttons.
  virtual void SetEditRect();

  void Loaded() override;
  void Resize() override;
  void ReadOnlyChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void EnabledChanged() override;
  void UpdateFrame(bool viaMouse, bool inFrame) override;
  void FramingRelayout() override;
  void DoEnter() override;
  void DoExit() override;
  // A frame controller sets the flat-button look too.
  void ApplyFlatButtons(bool value) override { SetFlatButtons(value); }
  void ApplyFlatButtonColor(TColor value) override { SetFlatButtonColor(value); }

private:
  void SetKind(int index, TButtonKind value);
  void ApplyKind(int index);
  void SetBtnVisible(int index, bool value);
  void SetBtnWidth(int index, int value);
  int ButtonMargin() const;
  bool ButtonsHidden() const { return ReadOnly() && hideButtonsOnReadOnly_; }
  void ButtonPressed(bool& abandon);
  void UpdatePairLook();

  TFwButtonPair* pair_ = nullptr;
  bool allowKeyEdit_ = true;
  bool hideButtonsOnReadOnly_ = true;
  bool flatButtons_ = false;
  TColor flatButtonColor_ = clBtnFace;
  TButtonKind kinds_[2] = {TButtonKind::bkLookup, TButtonKind::bkLookup};
  TShortCut shortCuts_[2] = {0, VK_F4};
  bool laying_ = false;
};

} // namespace fw
