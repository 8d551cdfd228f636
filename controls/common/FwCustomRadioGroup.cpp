#include "controls/common/FwCustomRadioGroup.h"

#include "controls/common/FwFrameController.h"
#include "controls/common/FwGroupButton.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Setters.h"

#include <QFontMetrics>
#include <QPointer>
#include <algorithm>

namespace fw {

namespace {

constexpr int kMaxColumns = 16;
constexpr int kGlyphSize = 13;
constexpr int kRadioGlyphCells = 6;

// The caption as shown: "&&" is an ampersand, a single "&" marks the accelerator.
QString WithoutAccelerator(const QString& caption) {
  QString out;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

} // namespace

TFwCustomRadioGroup::TFwCustomRadioGroup(TComponent* owner)
    : TFwGroupBox(owner), customGlyphs_(std::make_unique<TBitmap>()) {
  itemFont_.SetName(QStringLiteral("MS Sans Serif"));
  itemFont_.SetSize(8);
}

TFwCustomRadioGroup::~TFwCustomRadioGroup() {
  destroying_ = true;
  SetButtonCount(0);
}

// Items --------------------------------------------------------------------------------

void TFwCustomRadioGroup::SetItems(const QStringList& value) {
  if (items_ == value) return;
  items_ = value;
  UpdateButtons();
}

void TFwCustomRadioGroup::AddItem(const QString& text) {
  items_.append(text);
  UpdateButtons();
}

void TFwCustomRadioGroup::DeleteItem(int index) {
  if (index < 0 || index >= items_.size()) return;
  items_.removeAt(index);
  UpdateButtons();
}

void TFwCustomRadioGroup::SetItemIndex(int value) {
  value = std::clamp(value, -1, static_cast<int>(items_.size()) - 1);
  if (value == itemIndex_) return;
  itemIndex_ = value;
  CheckButton(value);
}

// Checks the button at index (none for -1) without the click that a user's check raises.
void TFwCustomRadioGroup::CheckButton(int index) {
  const bool wasUpdating = updating_;
  updating_ = true;
  if (index >= 0 && index < ButtonCount())
    buttons_[index]->SetChecked(true);
  else
    for (TFwGroupButton* button : buttons_) button->SetChecked(false);
  updating_ = wasUpdating;
}

void TFwCustomRadioGroup::SetColumns(int value) {
  if (StoreIfChanged(columns_, std::clamp(value, 1, kMaxColumns))) ArrangeButtons();
  Invalidate();
}

void TFwCustomRadioGroup::SetCustomGlyphs(const TBitmap& value) {
  customGlyphs_->Assign(value);
  useCustomGlyphs_ = !customGlyphs_->Empty();
  ArrangeButtons();
}

void TFwCustomRadioGroup::SetTransparent(bool value) {
  if (value == Transparent()) return;
  TFwGroupBox::SetTransparent(value);
  ArrangeButtons();
}

int TFwCustomRadioGroup::GlyphWidth() const {
  return useCustomGlyphs_ && !customGlyphs_->Empty() ? customGlyphs_->Width() / kRadioGlyphCells : kGlyphSize;
}

void TFwCustomRadioGroup::SetItemFont(const TFont& value) {
  itemFont_.Assign(value);
  ArrangeButtons();
}

TFwGroupButton* TFwCustomRadioGroup::Button(int index) const {
  return index >= 0 && index < ButtonCount() ? buttons_[index] : nullptr;
}

int TFwCustomRadioGroup::IndexOfButton(const TFwGroupButton* button) const {
  const auto it = std::find(buttons_.begin(), buttons_.end(), button);
  return it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
}

bool TFwCustomRadioGroup::CanModify(int) const { return true; }

void TFwCustomRadioGroup::DoChange() {
  if (OnChange) OnChange(this);
}

// Buttons ------------------------------------------------------------------------------

void TFwCustomRadioGroup::SetButtonCount(int count) {
  while (ButtonCount() < count) {
    auto* button = new TFwGroupButton(*this);
    buttons_.push_back(button);
    button->OnClick = [this, button](TObject*) { ButtonClicked(button); };
  }
  while (ButtonCount() > count) delete buttons_.back(); // removes itself from the list
}

void TFwCustomRadioGroup::ButtonDestroyed(TFwGroupButton* button) {
  std::erase(buttons_, button);
}

void TFwCustomRadioGroup::UpdateButtons() {
  SetButtonCount(static_cast<int>(items_.size()));
  // A removed line takes its index along: the choice stays on the last line left.
  itemIndex_ = std::min(itemIndex_, static_cast<int>(items_.size()) - 1);
  const bool wasUpdating = updating_;
  updating_ = true;
  for (int i = 0; i < ButtonCount(); ++i) buttons_[i]->SetCaption(items_[i]);
  updating_ = wasUpdating;
  CheckButton(itemIndex_);
  ArrangeButtons();
  Invalidate();
}

void TFwCustomRadioGroup::ButtonClicked(TFwGroupButton* button) {
  if (updating_ || destroying_) return;
  const int index = IndexOfButton(button);
  if (index < 0 || !button->Checked()) return;
  if (!CanModify(index)) {
    // Refused: the previous choice is checked again, with no click.
    CheckButton(itemIndex_);
    return;
  }
  const bool changed = index != itemIndex_;
  itemIndex_ = index;
  QPointer<QWidget> self(this);
  if (changed) DoChange();
  if (self) Click();
}

void TFwCustomRadioGroup::FocusNeighbour(TFwGroupButton* from, int step) {
  const int count = ButtonCount();
  int index = IndexOfButton(from);
  for (int tries = 0; tries < count; ++tries) {
    index = (index + step + count) % count;
    TFwGroupButton* target = buttons_[index];
    if (target->Enabled() && target->Visible()) {
      // Arriving by the keyboard checks the button; the click handler asks CanModify.
      target->SetFocus();
      return;
    }
  }
}

// Layout -------------------------------------------------------------------------------

std::vector<int> TFwCustomRadioGroup::ColumnWidths(int rows) const {
  std::vector<int> widths(columns_, 0);
  if (spaceEvenly_) {
    const int width = (Width() - startXPos_ - 2 * BorderWidth() - 10) / columns_;
    std::fill(widths.begin(), widths.end(), width);
    return widths;
  }
  const QFontMetrics metrics(itemFont_.ToQFont());
  for (int i = 0; i < ButtonCount(); ++i) {
    const int w = metrics.horizontalAdvance(WithoutAccelerator(items_[i])) + GlyphWidth() + 12;
    int& column = widths[i / rows];
    column = std::max(column, w);
  }
  return widths;
}

void TFwCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  const int rows = (ButtonCount() + columns_ - 1) / columns_;
  const std::vector<int> widths = ColumnWidths(rows);
  TRect client = ClientRect();
  AdjustClientRect(client);
  for (int i = 0; i < ButtonCount(); ++i) {
    const int column = i / rows;
    const int row = i % rows;
    int left = startXPos_;
    for (int c = 0; c < column; ++c) left += widths[c];
    const int top = client.Top + startYPos_ + row * (itemHeight_ + verticalSpacing_);
    const int width = spaceEvenly_ ? widths[column] : widths[column] - 4;
    TFwGroupButton* button = buttons_[i];
    DressButton(*button);
    button->SetBounds(left, top, width, itemHeight_);
    button->SetVisible(true);
  }
}

void TFwCustomRadioGroup::DressButton(TFwGroupButton& button) const {
  button.SetFont(itemFont_);
  button.SetTextStyle(textStyle_);
  button.SetLightTextStyle(lightTextStyle_);
  button.SetTextHighlightColor(textHighlightColor_);
  button.SetTextShadowColor(textShadowColor_);
  button.SetTextShadowDepth(textShadowDepth_);
  button.SetTransparent(Transparent());
  button.SetTransparentColor(transparentColor_);
  button.SetWinMaskColor(winMaskColor_);
  button.SetCustomGlyphs(*customGlyphs_);
  button.SetUseCustomGlyphs(useCustomGlyphs_);
  button.SetFrameColor(itemFrameColor_);
  button.SetHotTrack(itemHotTrack_);
  button.SetHighlightColor(itemHighlightColor_);
  button.SetHotTrackColor(itemHotTrackColor_);
  button.SetHotTrackColorType(itemHotTrackColorType_);
}

void TFwCustomRadioGroup::Resize() {
  TFwGroupBox::Resize();
  if (spaceEvenly_) ArrangeButtons();
}

void TFwCustomRadioGroup::TextChanged() {
  TFwGroupBox::TextChanged();
  ArrangeButtons();
}

void TFwCustomRadioGroup::AcceleratorPressed() {
  if (!CanFocus()) return;
  for (TFwGroupButton* button : buttons_)
    if (button->CanFocus()) {
      button->SetFocus();
      return;
    }
}

void TFwCustomRadioGroup::EnabledChanged() {
  TFwGroupBox::EnabledChanged();
  for (TFwGroupButton* button : buttons_) button->SetEnabled(Enabled());
}

bool TFwCustomRadioGroup::UpdateFromFrameController(const TFwFrameController& controller) {
  if (!controller.FrameVisible()) return false;
  if (GroupStyle() == TFwGroupBoxStyle::gsCustom) TFwGroupBox::UpdateFromFrameController(controller);
  SetItemFrameColor(controller.FrameColor());
  for (TFwGroupButton* button : buttons_) button->SetDisabledColor(controller.DisabledColor());
  return true;
}

} // namespace fw
