// TFormCellProp: the window and its four pages, control by control.

#include "grid/FormCellProp.h"

#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Memo.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Panel.h"
#include "platform/ui/TabSheet.h"

#include <QFontDatabase>

namespace fw {

namespace {

template <class T>
T* Place(TWinControl* parent, int left, int top, int width, int height) {
  T* control = new T(parent->ParentForm() ? static_cast<TComponent*>(parent->ParentForm()) : parent);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

TLabel* AddLabel(TWinControl* parent, const QString& text, int left, int top) {
  auto* label = Place<TLabel>(parent, left, top, 10, 12);
  label->SetCaption(text);
  return label;
}

TGroupBox* Group(TWinControl* parent, const QString& text, int left, int top, int width, int height) {
  auto* group = Place<TGroupBox>(parent, left, top, width, height);
  group->SetCaption(text);
  return group;
}

TCheckBox* Check(TWinControl* parent, const QString& text, int left, int top, int width = 140) {
  auto* box = Place<TCheckBox>(parent, left, top, width, 18);
  box->SetCaption(text);
  return box;
}

TComboBox* Choice(TWinControl* parent, const QStringList& items, int left, int top, int width) {
  auto* combo = Place<TComboBox>(parent, left, top, width, 20);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  combo->SetItems(items);
  return combo;
}

// The names the list of fonts offers: every family of the screen, and the names the
// program's texts ask for (宋体 and the like), which resolve to installed families.
QStringList ScreenFontNames() {
  QStringList names = QFontDatabase::families();
  for (const QString& alias : SubstitutedNames())
    if (!names.contains(alias, Qt::CaseInsensitive)) names << alias;
  names.sort(Qt::CaseInsensitive);
  return names;
}

} // namespace

void TFormCellProp::BuildControls() {
  SetCaption(QStringLiteral("单元格格式"));
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetPosition(TPosition::poScreenCenter);
  TFont font;
  font.SetName(QStringLiteral("宋体"));
  font.SetHeight(-12);
  SetFont(font);
  SetClientWidth(441);
  SetClientHeight(341);

  PageControl = Place<TPageControl>(this, 8, 8, 425, 292);
  auto sheet = [this](const char* caption) {
    auto* page = new TTabSheet(this);
    page->SetCaption(QString::fromUtf8(caption));
    page->SetPageControl(PageControl);
    return page;
  };
  PageType = sheet("类 型");
  PageAlign = sheet("对 齐");
  PageFont = sheet("字 体");
  PageOther = sheet("其 他");
  BuildTypePage();
  BuildAlignPage();
  BuildFontPage();
  BuildOtherPage();
  PageControl->SetActivePageIndex(0);

  BtnOk = Place<TButton>(this, 270, 308, 75, 25);
  BtnOk->SetCaption(QStringLiteral("确定(&Y)"));
  BtnOk->SetDefault(true);
  BtnCancel = Place<TButton>(this, 356, 308, 75, 25);
  BtnCancel->SetCaption(QStringLiteral("取消(&N)"));
  BtnCancel->SetCancel(true);
  BtnCancel->SetModalResult(mrCancel);
}

void TFormCellProp::BuildTypePage() {
  TWinControl* page = PageType;
  AddLabel(page, QStringLiteral("单元格类型"), 12, 10);
  LbxCellType = Place<TListBox>(page, 12, 28, 130, 96);
  LbxCellType->SetItems({QStringLiteral("常规"), QStringLiteral("数值"), QStringLiteral("日期"), QStringLiteral("时间")});
  AddLabel(page, QStringLiteral("示例"), 156, 10);
  MemExample = Place<TMemo>(page, 156, 28, 248, 96);
  MemExample->SetReadOnly(true);
  MemExample->SetTabStop(false);
  LblExplain = Place<TLabel>(page, 12, 132, 392, 30);
  LblExplain->SetAutoSize(false);
  LblExplain->SetWordWrap(true);

  LblMaxLength = AddLabel(page, QStringLiteral("最大长度(包含小数点在内):"), 12, 172);
  EdtMaxLength = Place<TEdit>(page, 176, 168, 60, 21);
  EdtMaxLength->SetText(QStringLiteral("255"));
  LblIntLength = AddLabel(page, QStringLiteral("整数部分长度:"), 12, 199);
  EdtIntLength = Place<TEdit>(page, 176, 195, 60, 21);
  EdtIntLength->SetText(QStringLiteral("10"));
  LblDecLength = AddLabel(page, QStringLiteral("小数部分长度:"), 12, 226);
  EdtDecLength = Place<TEdit>(page, 176, 222, 60, 21);
  EdtDecLength->SetText(QStringLiteral("10"));
  CbxAllowNegative = Check(page, QStringLiteral("是否允许输入负数"), 256, 168, 150);
  CbxThousandSep = Check(page, QStringLiteral("使用千分分隔符"), 256, 189, 150);
  CbxTrailingZero = Check(page, QStringLiteral("在小数部分末尾补零"), 256, 210, 150);
  CbxZeroNull = Check(page, QStringLiteral("数值为零时不显示内容"), 256, 231, 150);
}

void TFormCellProp::BuildAlignPage() {
  TGroupBox* align = Group(PageAlign, QStringLiteral("文本对齐"), 12, 10, 392, 96);
  AddLabel(align, QStringLiteral("水平对齐"), 16, 32);
  CmbHorzAlign = Choice(align, {QStringLiteral("文本居左"), QStringLiteral("文本居中"), QStringLiteral("文本居右")}, 90,
                        28, 160);
  AddLabel(align, QStringLiteral("垂直对齐"), 16, 64);
  CmbVertAlign = Choice(align, {QStringLiteral("文本居上"), QStringLiteral("文本居中"), QStringLiteral("文本居下")}, 90,
                        60, 160);
  TGroupBox* control = Group(PageAlign, QStringLiteral("文本控制"), 12, 118, 392, 80);
  CbxWordBreak = Check(control, QStringLiteral("自动换行"), 16, 28);
  CbxMerge = Check(control, QStringLiteral("合并单元格"), 16, 52);
}

void TFormCellProp::BuildFontPage() {
  TWinControl* page = PageFont;
  AddLabel(page, QStringLiteral("字体名(&F)"), 12, 8);
  LbxFontName = Place<TListBox>(page, 12, 24, 186, 130);
  LbxFontName->SetItems(ScreenFontNames());
  AddLabel(page, QStringLiteral("字形(&O)"), 206, 8);
  LbxFontStyle = Place<TListBox>(page, 206, 24, 96, 130);
  LbxFontStyle->SetItems(
      {QStringLiteral("常规"), QStringLiteral("倾斜"), QStringLiteral("加粗"), QStringLiteral("加粗倾斜")});
  AddLabel(page, QStringLiteral("字号(&S)"), 310, 8);
  EdtFontSize = Place<TEdit>(page, 310, 24, 94, 21);
  LbxFontSize = Place<TListBox>(page, 310, 48, 94, 106);
  QStringList sizes;
  for (int size : {6, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}) sizes << QString::number(size);
  LbxFontSize->SetItems(sizes);

  CbxUnderline = Check(page, QStringLiteral("下划线(&U)"), 12, 164, 100);
  AddLabel(page, QStringLiteral("字体颜色(&C)"), 206, 166);
  PnlFontColor = Place<TPanel>(page, 282, 162, 94, 21);
  PnlFontColor->SetBevelOuter(TPanelBevel::bvLowered);
  BtnFontColor = Place<TButton>(page, 380, 162, 24, 21);
  BtnFontColor->SetCaption(QStringLiteral("…"));

  TGroupBox* preview = Group(page, QStringLiteral("预览"), 12, 188, 392, 58);
  LblPreview = Place<TLabel>(preview, 8, 22, 376, 30);
  LblPreview->SetAutoSize(false);
  LblPreview->SetAlignment(TAlignment::taCenter);
  LblPreview->SetLayout(TTextLayout::tlCenter);
  LblPreview->SetParentFont(false);
  LblPreview->SetCaption(QStringLiteral("中文字体 English"));
}

void TFormCellProp::BuildOtherPage() {
  TGroupBox* frame = Group(PageOther, QStringLiteral("边框风格"), 12, 8, 392, 126);
  CbxLeft = Check(frame, QStringLiteral("左边边框"), 16, 26, 100);
  CbxRight = Check(frame, QStringLiteral("右边边框"), 130, 26, 100);
  CbxTop = Check(frame, QStringLiteral("顶部边框"), 16, 50, 100);
  CbxBottom = Check(frame, QStringLiteral("底部边框"), 130, 50, 100);
  AddLabel(frame, QStringLiteral("边框线宽"), 16, 80);
  EdtLineWidth = Place<TEdit>(frame, 80, 76, 50, 21);
  EdtLineWidth->SetText(QStringLiteral("1"));
  AddLabel(frame, QStringLiteral("点宽"), 136, 80);
  AddLabel(frame, QStringLiteral("边框线型"), 16, 104);
  CmbPenStyle = Choice(frame,
                       {QStringLiteral("实线"), QStringLiteral("长虚线"), QStringLiteral("短虚线"),
                        QStringLiteral("长短相间虚线"), QStringLiteral("两短一长相间虚线"), QStringLiteral("空白线"),
                        QStringLiteral("框架线")},
                       80, 100, 160);

  TGroupBox* back = Group(PageOther, QStringLiteral("背景颜色"), 12, 138, 392, 52);
  PnlColor = Place<TPanel>(back, 16, 23, 94, 21);
  PnlColor->SetBevelOuter(TPanelBevel::bvLowered);
  BtnColor = Place<TButton>(back, 114, 23, 24, 21);
  BtnColor->SetCaption(QStringLiteral("…"));

  TGroupBox* readOnly = Group(PageOther, QStringLiteral("单元格只读属性"), 12, 194, 392, 52);
  CbxReadOnly = Check(readOnly, QStringLiteral("设置单元格为只读"), 16, 25, 200);
}

} // namespace fw
