#include "windows/dialogs/OptionSetupForm.h"

#include "controls/common/FwComboBox.h"
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwRadioButton.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/RegistrySettings.h"
#include "platform/ime/InputMethods.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/TabSheet.h"
#include "windows/shared/DialogParts.h"

#include <QPointer>
#include <QTimer>

namespace fw {

TdlgOptionSetupForm* dlgOptionSetupForm = nullptr;

namespace {

constexpr int kClientWidth = 400;
constexpr int kClientHeight = 248;
constexpr int kChoiceIndent = 24;
constexpr int kImeItemHeight = 12;

QString EnvSettingKey() { return ProductKey(kProductName) + kEnvSettingSubKey; }

} // namespace

TdlgOptionSetupForm::TdlgOptionSetupForm(TComponent* owner) : TForm(owner) {
  SetUpDialog(*this, QStringLiteral("dlgOptionSetupForm"), QStringLiteral("软件参数设置"), kClientWidth, kClientHeight);
  CreatePage();
  FwToolbar1 = AddBottomButtonBar(*this);
  OKBtn = AddBarButton(FwToolbar1, QStringLiteral("OKBtn"), QStringLiteral("确定"),
                       {.Icon = BarIcon::Ok, .Hint = "保存设置并关闭本窗口"}, [this] { OKBtnClick(); });
  AddBarSpacer(FwToolbar1);
  CancelBtn = AddBarButton(FwToolbar1, QStringLiteral("CancelBtn"), QStringLiteral("取消"),
                           {.Icon = BarIcon::Cancel, .Hint = "不保存设置，关闭本窗口"}, [this] { SetModalResult(mrCancel); });
  FitButtonBar(*FwToolbar1);
}

TdlgOptionSetupForm::~TdlgOptionSetupForm() {
  if (dlgOptionSetupForm == this) dlgOptionSetupForm = nullptr;
}

void TdlgOptionSetupForm::CreatePage() {
  // The desktop's own page control: one page, no tab control of the library.
  PageControl1 = new TPageControl(this);
  PageControl1->SetName(QStringLiteral("PageControl1"));
  PageControl1->SetParent(this);
  PageControl1->SetBounds(8, 8, kClientWidth - 16, kClientHeight - 52);
  TabSheet1 = new TTabSheet(this);
  TabSheet1->SetName(QStringLiteral("TabSheet1"));
  TabSheet1->SetCaption(QStringLiteral("软件环境"));
  TabSheet1->SetPageControl(PageControl1);
  PageControl1->SetActivePageIndex(TabSheet1->PageIndex());

  AddLabel(TabSheet1, 16, 16, QStringLiteral("选择使用的输入法:"));
  cbIme = new TFwComboBox(this);
  cbIme->SetName(QStringLiteral("cbIme"));
  cbIme->SetParent(TabSheet1);
  cbIme->SetBounds(16 + kChoiceIndent, 36, 260, 21);
  // A pick list of the installed input methods: nothing typed.
  cbIme->SetStyle(TComboBoxStyle::csDropDownList);
  cbIme->SetAllowEdit(false);
  cbIme->SetItemHeight(kImeItemHeight);
  cbIme->OnDropDown = [this](TObject*) { cbImeDropDown(); };

  StylePanel = NewChoicePanel(70, QStringLiteral("录入窗口风格:"));
  InputWndStyle = NewChoice(StylePanel, "InputWndStyle", kChoiceIndent, QStringLiteral("传统"));
  InputWndStyle2 = NewChoice(StylePanel, "InputWndStyle2", kChoiceIndent + 110, QStringLiteral("简约"));
  InputWndStyle->OnClick = [this](TObject*) { StyleClicked(false); };
  InputWndStyle2->OnClick = [this](TObject*) { StyleClicked(true); };

  ImportPanel = NewChoicePanel(124, QStringLiteral("导入错误处理方式："));
  CancelAll = NewChoice(ImportPanel, "CancelAll", kChoiceIndent, QStringLiteral("有错就全部放弃"));
  discardWrongItem = NewChoice(ImportPanel, "discardWrongItem", kChoiceIndent + 150, QStringLiteral("只放弃出错的数据"));
}

// Each pair of choices sits on a panel of its own, so that checking one of them
// unchecks only its partner.
TFwPanel* TdlgOptionSetupForm::NewChoicePanel(int top, const QString& caption) {
  auto* panel = new TFwPanel(this);
  panel->SetParent(TabSheet1);
  panel->SetBorderOuter(TFrameStyleEx::fsNone);
  panel->SetParentColor(true);
  panel->SetBounds(16, top, kClientWidth - 60, 46);
  AddLabel(panel, 0, 0, caption);
  return panel;
}

TFwRadioButton* TdlgOptionSetupForm::NewChoice(TFwPanel* panel, const char* name, int left, const QString& caption) {
  return AddRadioButton(panel, QString::fromLatin1(name), caption, Bounds(left, 20, 140, 18));
}

// The page shows the settings in force; checking its choices here stores nothing.
void TdlgOptionSetupForm::DoShow() {
  showingPage_ = true;
  // A pick list shows only a listed name: the list is there before the name is picked.
  FillImeList(ImePrefer);
  (::fw::InputWndStyle ? InputWndStyle2 : InputWndStyle)->SetChecked(true);
  (ImportPrinciple != 0 ? discardWrongItem : CancelAll)->SetChecked(true);
  showingPage_ = false;
  TForm::DoShow();
}

void TdlgOptionSetupForm::StyleClicked(bool simple) {
  if (showingPage_) return;
  ::fw::InputWndStyle = simple;
  RegWriteInteger(QStringLiteral("InputWndStyle"), simple ? 1 : 0, TRootKey::HKEY_LOCAL_MACHINE, EnvSettingKey());
}

void TdlgOptionSetupForm::FillImeList(const QString& text) {
  QStringList names = InstalledInputMethodTitles();
  // A stored choice whose input method is gone stays listed and picked, so that 确定
  // does not erase it.
  if (!text.isEmpty() && !names.contains(text)) names << text;
  if (names != cbIme->Items()) cbIme->SetItems(names);
  cbIme->SetText(text);
}

void TdlgOptionSetupForm::cbImeDropDown() {
  const QStringList before = cbIme->Items();
  FillImeList(cbIme->Text());
  if (cbIme->Items() == before) return;
  // The list opened at the size of the items it had: it opens again over the new ones.
  QTimer::singleShot(0, cbIme, [combo = QPointer<TFwComboBox>(cbIme)] {
    if (!combo || !combo->DroppedDown()) return;
    combo->SetDroppedDown(false);
    combo->SetDroppedDown(true);
  });
}

void TdlgOptionSetupForm::OKBtnClick() {
  const QString key = EnvSettingKey();
  ImePrefer = cbIme->Text();
  RegWriteString(QStringLiteral("ImePrefer"), ImePrefer, TRootKey::HKEY_LOCAL_MACHINE, key);
  ImportPrinciple = CancelAll->Checked() ? 0 : 1;
  RegWriteInteger(QStringLiteral("ImportPrinciple"), ImportPrinciple, TRootKey::HKEY_LOCAL_MACHINE, key);
  SetModalResult(mrOk);
}

} // namespace fw
