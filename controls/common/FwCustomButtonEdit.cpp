#include "controls/common/FwCustomButtonEdit.h"

#include "platform/shell/Hooks.h"
#include "platform/ui/Setters.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPointer>
#include <QRegion>

namespace fw {

TFwCustomButtonEdit::TFwCustomButtonEdit(TComponent* owner) : TFwEdit(owner) {
  pair_ = new TFwButtonPair(this);
  pair_->SetParent(this);
  pair_->SetFocusControl(this);
  pair_->OnButtonClick = [this](TObject*) { DoButtonClick(); };
  pair_->OnAltBtnClick = [this](TObject*) { DoAltBtnClick(); };
  pair_->OnButtonPress = [this](TFwControlButton*, bool& abandon) { ButtonPressed(abandon); };
  pair_->SetColor(flatButtonColor_);
  ApplyKind(1);
  ApplyKind(2);
  SetWidth(121);
  ResizeButtons();
}

// ---- per-button properties ------------------------------------------------------------------

void TFwCustomButtonEdit::SetKind(int index, TButtonKind value) {
  TButtonKind& kind = kinds_[index - 1];
  if (kind == value) return;
  kind = value;
  if (!Loading()) ApplyKind(index);
}

void TFwCustomButtonEdit::ApplyKind(int index) {
  TFwControlButton* b = Btn(index);
  const TButtonKind kind = kinds_[index - 1];
  if (kind == TButtonKind::bkDropDown) {
    b->SetGlyph(TBitmap());
    b->SetStyle(TFwControlButtonStyle::cbsDropDown);
  } else if (kind != TButtonKind::bkCustom) {
    b->SetGlyph(StockButtonGlyph(kind));
    b->SetNumGlyphs(2);
    b->SetStyle(TFwControlButtonStyle::cbsNone);
  }
}

void TFwCustomButtonEdit::SetBtnVisible(int index, bool value) {
  if (Btn(index)->Visible() == value) return;
  Btn(index)->SetVisible(value);
  ResizeButtons();
}

void TFwCustomButtonEdit::SetBtnWidth(int index, int value) {
  if (Btn(index)->Width() == value || value < 0) return;
  Btn(index)->SetWidth(value);
  ResizeButtons();
}

void TFwCustomButtonEdit::SetHideButtonsOnReadOnly(bool value) {
  if (StoreIfChanged(hideButtonsOnReadOnly_, value)) ReadOnlyChanged();
}

void TFwCustomButtonEdit::SetFlatButtons(bool value) {
  if (value == flatButtons_) return;
  flatButtons_ = value;
  UpdatePairLook();
  ResizeButtons();
}

void TFwCustomButtonEdit::SetFlatButtonColor(TColor value) {
  if (StoreIfChanged(flatButtonColor_, value)) UpdatePairLook();
}

// Flat buttons lie flat in the edit's colour while the edit is neither focused nor under
// the mouse, and stand out as buttons in FlatButtonColor while it is.
void TFwCustomButtonEdit::UpdatePairLook() {
  const bool lie = flatButtons_ && !Focused() && !Framing().HasFocus() && !Framing().MouseOver();
  pair_->SetFlat(lie);
  pair_->SetColor(lie ? Color() : flatButtonColor_);
}

// ---- layout ------------------------------------------------------------------------------------

void TFwCustomButtonEdit::ResizeButtons() {
  if (Loading() || laying_ || !pair_) return;
  const QFontMetrics fm(Font().ToQFont());
  if (fm.height() + 2 > Height()) {
    // The taller edit lays the buttons out again when it is resized.
    SetHeight(fm.height() + 2);
    return;
  }
  laying_ = true;
  const int w = pair_->ShownWidth();
  // The pair stands inside the edit's sunken border (its own frame or the base's), at
  // the right end of the client area, one pixel taller than it: the buttons, one pixel
  // less high than the pair, end at the client's bottom. As a child window is clipped to
  // its parent's client area, the pair's last row is not shown over the border.
  const int border = 2;
  pair_->SetBounds(Width() - w - border, border, w, std::max(0, Height() - 3));
  pair_->setMask(QRegion(0, 0, w, std::max(0, Height() - 2 * border)));
  pair_->ArrangeButtons();
  pair_->SetVisible(!ButtonsHidden());
  SetEditRect();
  laying_ = false;
  Invalidate();
}

// The text ends two pixels before the buttons: the margin is measured from the right
// edge of the text box, which lies outside the border when the base draws the border.
int TFwCustomButtonEdit::ButtonMargin() const {
  if (ButtonsHidden()) return 0;
  return std::max(0, ClientRect().Right - pair_->Left() + 2);
}

void TFwCustomButtonEdit::SetEditRect() {
  Widget()->setTextMargins(0, 0, ButtonMargin(), 0);
}

TRect TFwCustomButtonEdit::TextRect() const {
  TRect r = ClientRect();
  r.Right = std::max(r.Left, r.Right - ButtonMargin());
  return r;
}

void TFwCustomButtonEdit::Loaded() {
  TFwEdit::Loaded();
  ApplyKind(1);
  ApplyKind(2);
  ResizeButtons();
}

void TFwCustomButtonEdit::Resize() {
  TFwEdit::Resize();
  ResizeButtons();
}

void TFwCustomButtonEdit::ReadOnlyChanged() {
  TFwEdit::ReadOnlyChanged();
  ResizeButtons();
}

void TFwCustomButtonEdit::FontChanged() {
  TFwEdit::FontChanged();
  ResizeButtons();
}

void TFwCustomButtonEdit::SetAlignment(TLeftRight value) {
  TFwEdit::SetAlignment(value);
  SetEditRect();
}

void TFwCustomButtonEdit::FramingRelayout() {
  TFwEdit::FramingRelayout();
  ResizeButtons();
}

void TFwCustomButtonEdit::UpdateFrame(bool viaMouse, bool inFrame) {
  TFwEdit::UpdateFrame(viaMouse, inFrame);
  if (flatButtons_) UpdatePairLook();
}

void TFwCustomButtonEdit::ColorChanged() {
  TFwEdit::ColorChanged();
  if (pair_ && flatButtons_) UpdatePairLook();
}

void TFwCustomButtonEdit::EnabledChanged() {
  TFwEdit::EnabledChanged();
  pair_->SetEnabled(Enabled());
  if (flatButtons_) UpdatePairLook();
}

void TFwCustomButtonEdit::DoEnter() {
  SetEditRect();
  TFwEdit::DoEnter();
}

void TFwCustomButtonEdit::DoExit() {
  TFwEdit::DoExit();
  SetEditRect();
}

// ---- buttons -------------------------------------------------------------------------------

// A press on a button takes the focus into the edit first when the edit is a tab stop;
// when the focus does not arrive (a handler moved it on), the press makes no click.
void TFwCustomButtonEdit::ButtonPressed(bool& abandon) {
  if (!TabStop() || !CanFocus() || Focused()) return;
  QPointer<TFwCustomButtonEdit> self(this);
  SetFocus();
  if (!self || !Focused()) abandon = true;
}

void TFwCustomButtonEdit::DoButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TFwCustomButtonEdit::DoAltBtnClick() {
  if (OnAltBtnClick) OnAltBtnClick(this);
}

// ---- keys ------------------------------------------------------------------------------------

void TFwCustomButtonEdit::KeyDown(WORD& key, TShiftState shift) {
  QPointer<TFwCustomButtonEdit> self(this);
  TFwEdit::KeyDown(key, shift);
  if (!self || key == 0) return;
  if (!allowKeyEdit_) {
    const bool cut = (key == 'X' && (shift & ssCtrl)) || (key == VK_DELETE && (shift & ssShift));
    const bool paste = (key == 'V' && (shift & ssCtrl)) || (key == VK_INSERT && (shift & ssShift));
    if (key == VK_DELETE && !cut) {
      key = 0;
      Beep();
      return;
    }
    if (cut || paste) {
      key = 0;
      return;
    }
  }
  const TShortCut pressed = ShortCut(key, shift);
  for (int index : {2, 1}) {
    TFwControlButton* b = Btn(index);
    const TShortCut wanted = shortCuts_[index - 1];
    if (wanted == 0 || pressed != wanted || !b->Visible() || !b->Enabled() || !pair_->Visible()) continue;
    key = 0;
    index == 2 ? DoButtonClick() : DoAltBtnClick();
    return;
  }
}

void TFwCustomButtonEdit::KeyPress(QChar& key) {
  QPointer<TFwCustomButtonEdit> self(this);
  TFwEdit::KeyPress(key);
  if (!self || key.isNull() || allowKeyEdit_) return;
  if (key.isPrint() || key == QLatin1Char('\b')) {
    key = QChar();
    Beep();
  }
}

} // namespace fw
