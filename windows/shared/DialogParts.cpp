#include "windows/shared/DialogParts.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwCheckList.h"
#include "controls/common/FwRadioButton.h"
#include "controls/common/FwSpacer.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "controls/navigation/FwPageControl.h"
#include "controls/navigation/FwTabSheet.h"
#include "platform/ui/Form.h"
#include "core/CodeLookup.h"
#include "platform/ui/Label.h"
#include "windows/shared/BarImageList.h"
#include "windows/shared/CodePopupMenu.h"

namespace fw {

namespace {
// The form a part sits on owns it, so the part goes with the form.
TComponent* OwnerFor(TControl* parent) {
  if (TForm* form = parent->ParentForm()) return form;
  return parent;
}
} // namespace

void SetDataPageColors(TFwPageControl& pages) {
  pages.SetFlatColor(kDataPageFlatColor);
  pages.SetColor(kDataPageColor);
  pages.TabColors().SetHighlightBar(kDataPageHighlightBar);
  for (int i = 0; i < pages.PageCount(); ++i) pages.Pages(i)->SetColor(kDataPageColor);
}

void SetUpDialog(TForm& form, const QString& name, const QString& caption, int clientWidth, int clientHeight) {
  form.SetName(name);
  form.SetCaption(caption);
  form.SetBorderStyle(TFormBorderStyle::bsDialog);
  form.SetPosition(TPosition::poScreenCenter);
  form.Font().SetName(QStringLiteral("宋体"));
  form.Font().SetSize(9);
  form.SetClientWidth(clientWidth);
  form.SetClientHeight(clientHeight);
}

void StartAtFirstControl(TForm& form, TWinControl* first) {
  form.SetActiveControl(nullptr);
  if (QWidget* focused = form.focusWidget()) focused->clearFocus();
  if (first) form.SetActiveControl(first);
}

TLabel* AddLabel(TWinControl* parent, int left, int top, const QString& caption) {
  auto* label = new TLabel(OwnerFor(parent));
  label->SetParent(parent);
  label->SetAutoSize(true);
  label->SetBounds(left, top, 0, 0);
  label->SetCaption(caption);
  return label;
}

TFwToolbar* AddButtonBar(TWinControl* parent, const TRect& bounds) {
  auto* bar = new TFwToolbar(OwnerFor(parent));
  bar->SetParent(parent);
  bar->SetAlign(TAlign::alNone);
  bar->SetAutoStyle(false);
  bar->SetBorderInner(TFrameStyleEx::fsNone);
  bar->SetBorderOuter(TFrameStyleEx::fsNone);
  bar->SetBorderSides(0);
  bar->SetBorderWidth(0);
  bar->SetVisualStyle(TFwVisualStyle::vsClassic);
  bar->SetShowButtonCaptions(true);
  bar->SetButtonWidth(kBarButtonWidth);
  bar->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  return bar;
}

TFwToolbar* AddButtonBar(TWinControl* parent, const TRect& bounds, TFwToolbarTextOptions textOptions) {
  TFwToolbar* bar = AddButtonBar(parent, bounds);
  bar->SetTextOptions(textOptions);
  return bar;
}

TFwToolbar* AddBottomButtonBar(TForm& form) {
  const int right = form.ClientWidth() - 4;
  TFwToolbar* bar = AddButtonBar(&form, Bounds(right, form.ClientHeight() - 37, 0, 29));
  bar->SetName(QStringLiteral("FwToolbar1"));
  bar->SetImages(FormBarImages(form));
  return bar;
}

TFwToolbar* AddBottomButtonBar(TForm& form, TFwToolbarTextOptions textOptions) {
  TFwToolbar* bar = AddBottomButtonBar(form);
  bar->SetTextOptions(textOptions);
  return bar;
}

int ButtonBarContentWidth(const TFwToolbar& bar) {
  int width = 2 * bar.Margin();
  for (TControl* c : bar.ToolbarControls())
    if (c->Visible()) width += c->Width();
  return width;
}

void FitButtonBar(TFwToolbar& bar) {
  const int width = ButtonBarContentWidth(bar);
  const int right = bar.Left() + bar.Width();
  bar.SetBounds(right - width, bar.Top(), width, bar.Height());
}

void DressToolButton(TFwToolButton& button, TForm& form, const TBarButtonLook& look) {
  FormBarImages(form)->Dress(button, QString::fromLatin1(look.Icon), look.Looks);
  button.SetHint(QString::fromUtf8(look.Hint));
  button.SetShowHint(true);
  if (look.Width > 0) button.SetWidth(look.Width);
  if (look.OwnStyle) {
    button.SetVisualStyle(TFwVisualStyle::vsClassic);
    button.SetGradientColorStyle(TFwGradientColorStyle::gcsSystem);
    button.SetShowCaption(true);
  }
  if (look.OwnCaption) button.SetShowCaption(true);
}

TFwToolButton* AddBarButton(TFwToolbar* bar, const QString& name, const QString& caption, const TBarButtonLook& look,
                            std::function<void()> onClick) {
  auto* button = new TFwToolButton(OwnerFor(bar));
  button->SetName(name);
  button->SetCaption(caption);
  DressToolButton(*button, *bar->ParentForm(), look);
  button->SetParent(bar);
  if (onClick) button->OnClick = [onClick = std::move(onClick)](TObject*) { onClick(); };
  return button;
}

TFwSpacer* AddBarSpacer(TFwToolbar* bar, bool grooved) {
  TComponent* owner = OwnerFor(bar);
  int number = 1;
  while (owner->FindComponent(QStringLiteral("FwSpacer%1").arg(number))) ++number;
  auto* spacer = new TFwSpacer(owner);
  spacer->SetName(QStringLiteral("FwSpacer%1").arg(number));
  spacer->SetGrooved(grooved);
  spacer->SetParent(bar);
  return spacer;
}

TFwToolButton* AddReturnButton(TFwToolbar* bar, const QString& name) {
  AddBarSpacer(bar);
  TForm* form = bar->ParentForm();
  return AddBarButton(bar, name, QStringLiteral("返  回"), kReturnLook, [form] { form->Close(); });
}

TFwSpacer* AddHiddenBarSpacer(TFwToolbar* bar) {
  TFwSpacer* spacer = AddBarSpacer(bar);
  spacer->SetVisible(false);
  return spacer;
}

void ShowSpacersBetweenButtons(TFwToolbar& bar) {
  const std::vector<TControl*>& controls = bar.ToolbarControls();
  const auto buttonShownFrom = [&](size_t from) {
    for (size_t i = from; i < controls.size(); ++i)
      if (!dynamic_cast<TFwSpacer*>(controls[i]) && controls[i]->Visible()) return true;
    return false;
  };
  bool buttonBefore = false;
  for (size_t i = 0; i < controls.size(); ++i) {
    auto* spacer = dynamic_cast<TFwSpacer*>(controls[i]);
    if (!spacer) {
      buttonBefore = buttonBefore || controls[i]->Visible();
      continue;
    }
    const bool shown = buttonBefore && buttonShownFrom(i + 1);
    spacer->SetVisible(shown);
    if (shown) buttonBefore = false;
  }
}

void DressGlyphButton(TFwCustomGlyphButton& button) {
  button.SetHotTrack(true);
  button.SetFrameColor(kGlyphFrameColor);
  button.SetHighlightColor(kGlyphMarkColor);
}

TFwRadioButton* AddRadioButton(TWinControl* parent, const QString& name, const QString& caption, const TRect& bounds) {
  auto* radio = new TFwRadioButton(OwnerFor(parent));
  radio->SetName(name);
  radio->SetParent(parent);
  radio->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  radio->SetCaption(caption);
  // The face beneath shows through: a desktop group box draws a face of its own.
  radio->SetTransparent(true);
  DressGlyphButton(*radio);
  return radio;
}

TFwCheckList* AddSheetList(TForm& form, const TRect& bounds) {
  auto* list = new TFwCheckList(&form);
  list->SetName(QStringLiteral("TableList"));
  list->SetParent(&form);
  list->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  list->SetItemHeight(17);
  list->SetFrameVisible(true);
  list->SetFrameColor(0x00B99D7F);
  list->SetHighlightColor(kGlyphMarkColor);
  list->SetItemFrameColor(kGlyphFrameColor);
  list->SetGroupColor(clGradientInactiveCaption);
  TFont groupFont = list->GroupFont();
  groupFont.SetColor(clBlue);
  groupFont.SetStyle(groupFont.Style() | fsBold);
  list->SetGroupFont(groupFont);
  return list;
}

TFwButtonEdit* AddDropDownEdit(TWinControl* parent, const QString& name, const TRect& bounds) {
  auto* edit = new TFwButtonEdit(OwnerFor(parent));
  edit->SetName(name);
  edit->SetParent(parent);
  edit->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  edit->SetButtonKind(TButtonKind::bkDropDown);
  edit->SetButtonWidth(kPickerButtonWidth);
  edit->SetAllowKeyEdit(false);
  return edit;
}

TFwButtonEdit* AddCodeEdit(TWinControl* parent, const QString& name, const TRect& bounds, const TMenuItemDataArray& codes) {
  TFwButtonEdit* edit = AddDropDownEdit(parent, name, bounds);
  edit->OnButtonClick = [edit, &codes](TObject*) { PopupCodeMenu(edit, codes); };
  return edit;
}

void SetCode(TFwButtonEdit* edit, const TMenuItemDataArray& codes, int code) {
  edit->SetText(GetCodeName(codes, code));
  edit->SetTag(code);
}

} // namespace fw
