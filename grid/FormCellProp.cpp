#include "grid/FormCellProp.h"

#include "grid/CustomEasyGrid.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Memo.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Panel.h"

#include <QPointer>
#include <optional>

namespace fw {

namespace {

constexpr int kMaxLength = 255;
constexpr int kMaxLineWidth = 5;
constexpr int kMaxFontSize = 409;

struct TTypeText {
  QStringList Examples;
  const char* Explanation;
};

const TTypeText& TypeText(int index) {
  static const TTypeText texts[] = {
      {{QStringLiteral("中文字符"), QStringLiteral("12345678"), QStringLiteral("ABCDEFG HIJKLMN"),
        QStringLiteral(",.<>!@#$%^&*()")},
       "常规类型的单元格可以输入任意字符,而不作特殊的处理。"},
      {{QStringLiteral("123"), QStringLiteral("12345.6789"), QStringLiteral("-98765.4321"), QStringLiteral("0.0005")},
       "数值类型的单元格用于一般数字的显示和输入。"},
      {{QStringLiteral("1999-01-01")}, "日期类型的单元格允许按日期格式显示和输入内容。"},
      {{QStringLiteral("8:30"), QStringLiteral("00:00:01"), QStringLiteral("12:00:00"), QStringLiteral("23:59:59")},
       "时间类型的单元格允许按时间格式显示和输入内容。"},
  };
  return texts[index];
}

// The four style items: 常规, 倾斜, 加粗, 加粗倾斜.
const TFontStyles kStyleItems[] = {0, fsItalic, fsBold, fsBold | fsItalic};

int StyleItemOf(TFontStyles style) {
  for (int i = 0; i < 4; ++i)
    if (kStyleItems[i] == style) return i;
  return -1;
}

// The integer in an edit: decimal, optionally signed, or hexadecimal after "$".
std::optional<int> ReadInteger(const QString& text) {
  bool ok = false;
  const int value = text.startsWith(u'$') ? text.mid(1).toInt(&ok, 16) : text.toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

// The length, size and width edits take digits and the characters of a number only.
// Enter and Esc are no text: they go on to the dialog's 确定 and 取消.
void NumberKeys(TEdit* edit) {
  edit->OnKeyPress = [](TObject*, QChar& key) {
    if (key == u'\b' || key == u'#' || key == u'$' || key == u'-' || (key >= u'0' && key <= u'9')) return;
    if (key == u'\r' || key == u'\x1b') return;
    key = QChar();
  };
}

// The label before an edit, without its colon: the name a message gives the edit.
QString FieldName(const TLabel* label) {
  QString name = label->Caption();
  name.remove(u':').remove(u'：');
  return name;
}

void SetGrayable(TCheckBox* box, bool checked) {
  box->SetAllowGrayed(false);
  box->SetChecked(checked);
}

void Gray(TCheckBox* box) {
  box->SetAllowGrayed(true);
  box->SetState(TCheckBoxState::cbGrayed);
}

} // namespace

TFormCellProp::TFormCellProp(TCustomEasyGrid* grid) : TForm(grid), grid_(grid) {
  BuildControls();
  ConnectEvents();
}

int TFormCellProp::PageCount() const { return PageControl->PageCount(); }
int TFormCellProp::ActivePageIndex() const { return PageControl->ActivePageIndex(); }

void TFormCellProp::SetActivePageIndex(int index) {
  PageControl->SetActivePageIndex(std::clamp(index, 0, PageCount() - 1));
}

void TFormCellProp::ConnectEvents() {
  LbxCellType->OnClick = [this](TObject*) { LbxCellTypeClick(); };
  BtnOk->OnClick = [this](TObject*) { BtnOkClick(); };
  for (TEdit* edit : {EdtMaxLength, EdtIntLength, EdtDecLength, EdtFontSize, EdtLineWidth}) NumberKeys(edit);
  for (TEdit* edit : {EdtMaxLength, EdtIntLength, EdtDecLength})
    edit->OnChange = [this, edit](TObject*) { LimitEdit(edit, kMaxLength); };
  EdtLineWidth->OnChange = [this](TObject*) { LimitEdit(EdtLineWidth, kMaxLineWidth); };
  EdtFontSize->OnChange = [this](TObject*) {
    LimitEdit(EdtFontSize, kMaxFontSize);
    UpdatePreviewFont();
  };
  LbxFontSize->OnClick = [this](TObject*) {
    if (LbxFontSize->ItemIndex() >= 0) EdtFontSize->SetText(LbxFontSize->Item(LbxFontSize->ItemIndex()));
  };
  LbxFontName->OnClick = [this](TObject*) { UpdatePreviewFont(); };
  LbxFontStyle->OnClick = [this](TObject*) { UpdatePreviewFont(); };
  CbxUnderline->OnClick = [this](TObject*) { UpdatePreviewFont(); };
  BtnFontColor->OnClick = [this](TObject*) { PickColor(PnlFontColor); };
  BtnColor->OnClick = [this](TObject*) { PickColor(PnlColor); };
  // Half an alignment is no alignment: choosing one side completes the other.
  CmbHorzAlign->OnSelect = [this](TObject*) {
    if (CmbVertAlign->ItemIndex() < 0) CmbVertAlign->SetItemIndex(0);
  };
  CmbVertAlign->OnSelect = [this](TObject*) {
    if (CmbHorzAlign->ItemIndex() < 0) CmbHorzAlign->SetItemIndex(0);
  };
}

void TFormCellProp::DoShow() {
  FormShow();
  TForm::DoShow();
}

// ---- Showing ------------------------------------------------------------------------------

void TFormCellProp::FormShow() {
  const TCellInfo& current = grid_->GetCellInfo(grid_->Col(), grid_->Row());
  FillFromCell(current);
  range_ = grid_->Selection();
  BlankDiffering(current);
  LbxCellTypeClick();
}

void TFormCellProp::FillFromCell(const TCellInfo& cell) {
  LbxCellType->SetItemIndex(int(cell.DataStyle) < LbxCellType->Count() ? int(cell.DataStyle) : -1);
  EdtMaxLength->SetText(QString::number(cell.MaxLength));
  EdtIntLength->SetText(QString::number(cell.IntLength));
  EdtDecLength->SetText(QString::number(cell.DecLength));
  SetGrayable(CbxAllowNegative, cell.AllowNegative);
  SetGrayable(CbxThousandSep, cell.ThousandSep);
  SetGrayable(CbxTrailingZero, cell.TrailingZero);
  SetGrayable(CbxZeroNull, cell.ZeroNull);
  SetGrayable(CbxWordBreak, cell.AutoWordBreak);
  SetGrayable(CbxMerge, !cell.MergeRect.IsSingleCell());
  CmbHorzAlign->SetItemIndex(int(cell.AlignMode) % 3);
  CmbVertAlign->SetItemIndex(int(cell.AlignMode) / 3);
  LbxFontName->SetItemIndex(LbxFontName->Items().indexOf(cell.FontName));
  LbxFontStyle->SetItemIndex(StyleItemOf(cell.FontStyle));
  LbxFontSize->SetItemIndex(LbxFontSize->Items().indexOf(QString::number(cell.FontSize)));
  EdtFontSize->SetText(QString::number(cell.FontSize));
  SetGrayable(CbxUnderline, cell.FontStyle & fsUnderline);
  PnlFontColor->SetColor(cell.FontColor);
  PnlFontColor->Show();
  SetGrayable(CbxLeft, cell.DrawLeft);
  SetGrayable(CbxRight, cell.DrawRight);
  SetGrayable(CbxTop, cell.DrawTop);
  SetGrayable(CbxBottom, cell.DrawBottom);
  EdtLineWidth->SetText(QString::number(cell.LineWidth));
  CmbPenStyle->SetItemIndex(int(cell.PenStyle));
  PnlColor->SetColor(cell.Color);
  PnlColor->Show();
  SetGrayable(CbxReadOnly, cell.ReadOnly);
  TFont preview = LblPreview->Font();
  preview.SetName(cell.FontName);
  preview.SetSize(cell.FontSize);
  preview.SetStyle(cell.FontStyle);
  preview.SetColor(cell.FontColor);
  LblPreview->SetFont(preview);
}

void TFormCellProp::BlankDiffering(const TCellInfo& current) {
  // For each property: does any cell of the range hold another value than the current cell?
  auto differs = [this](auto value) {
    for (int c = range_.Left; c <= range_.Right; ++c)
      for (int r = range_.Top; r <= range_.Bottom; ++r)
        if (value(grid_->GetCellInfo(c, r))) return true;
    return false;
  };
  auto differsIn = [&](auto member) {
    return differs([&](const TCellInfo& x) { return !(x.*member == current.*member); });
  };
  if (differsIn(&TCellInfo::DataStyle)) LbxCellType->SetItemIndex(-1);
  if (differsIn(&TCellInfo::MaxLength)) EdtMaxLength->Clear();
  if (differsIn(&TCellInfo::IntLength)) EdtIntLength->Clear();
  if (differsIn(&TCellInfo::DecLength)) EdtDecLength->Clear();
  if (differsIn(&TCellInfo::AllowNegative)) Gray(CbxAllowNegative);
  if (differsIn(&TCellInfo::ThousandSep)) Gray(CbxThousandSep);
  if (differsIn(&TCellInfo::TrailingZero)) Gray(CbxTrailingZero);
  if (differsIn(&TCellInfo::ZeroNull)) Gray(CbxZeroNull);
  if (differsIn(&TCellInfo::AutoWordBreak)) Gray(CbxWordBreak);
  if (differsIn(&TCellInfo::MergeRect)) Gray(CbxMerge);
  if (differsIn(&TCellInfo::AlignMode)) {
    CmbHorzAlign->SetItemIndex(-1);
    CmbVertAlign->SetItemIndex(-1);
  }
  if (differsIn(&TCellInfo::FontName)) LbxFontName->SetItemIndex(-1);
  if (differsIn(&TCellInfo::FontStyle)) LbxFontStyle->SetItemIndex(-1);
  if (differs([&](const TCellInfo& x) { return (x.FontStyle & fsUnderline) != (current.FontStyle & fsUnderline); }))
    Gray(CbxUnderline);
  if (differsIn(&TCellInfo::FontSize)) {
    LbxFontSize->SetItemIndex(-1);
    EdtFontSize->Clear();
  }
  if (differsIn(&TCellInfo::FontColor)) PnlFontColor->Hide();
  if (differsIn(&TCellInfo::DrawLeft)) Gray(CbxLeft);
  if (differsIn(&TCellInfo::DrawRight)) Gray(CbxRight);
  if (differsIn(&TCellInfo::DrawTop)) Gray(CbxTop);
  if (differsIn(&TCellInfo::DrawBottom)) Gray(CbxBottom);
  if (differsIn(&TCellInfo::LineWidth)) EdtLineWidth->Clear();
  if (differsIn(&TCellInfo::PenStyle)) CmbPenStyle->SetItemIndex(-1);
  if (differsIn(&TCellInfo::Color)) PnlColor->Hide();
  if (differsIn(&TCellInfo::ReadOnly)) Gray(CbxReadOnly);
}

void TFormCellProp::LbxCellTypeClick() {
  const int index = LbxCellType->ItemIndex();
  if (index >= 0 && index < 4) {
    MemExample->SetLines(TypeText(index).Examples);
    LblExplain->SetCaption(QString::fromUtf8(TypeText(index).Explanation));
  } else {
    MemExample->Clear();
    LblExplain->SetCaption(QString());
  }
  const bool number = index == int(TDataStyle::dsNumber);
  for (TControl* control : std::initializer_list<TControl*>{LblMaxLength, LblIntLength, LblDecLength, EdtMaxLength,
                                                           EdtIntLength, EdtDecLength, CbxAllowNegative, CbxThousandSep,
                                                           CbxTrailingZero, CbxZeroNull})
    control->SetVisible(number);
}

// ---- Editing ------------------------------------------------------------------------------

void TFormCellProp::LimitEdit(TEdit* edit, int limit) {
  const std::optional<int> value = ReadInteger(edit->Text());
  if (value && *value > limit) edit->SetText(QString::number(limit));
}

void TFormCellProp::UpdatePreviewFont() {
  TFont font = LblPreview->Font();
  if (LbxFontName->ItemIndex() >= 0) font.SetName(LbxFontName->Item(LbxFontName->ItemIndex()));
  const std::optional<int> size = ReadInteger(EdtFontSize->Text());
  font.SetSize(size && *size > 0 ? *size : 1);
  TFontStyles style = font.Style();
  if (LbxFontStyle->ItemIndex() >= 0) style = kStyleItems[LbxFontStyle->ItemIndex()];
  if (CbxUnderline->State() == TCheckBoxState::cbChecked) style |= fsUnderline;
  if (CbxUnderline->State() == TCheckBoxState::cbUnchecked) style &= ~unsigned(fsUnderline);
  font.SetStyle(style);
  if (PnlFontColor->Visible()) font.SetColor(PnlFontColor->Color());
  LblPreview->SetFont(font);
}

void TFormCellProp::PickColor(TPanel* panel) {
  TColor color = panel->Color();
  if (!ExecuteColorDialog(color)) return;
  panel->SetColor(color);
  panel->Show();
  if (panel == PnlFontColor) UpdatePreviewFont();
}

// ---- OK ---------------------------------------------------------------------------------------

void TFormCellProp::BtnOkClick() {
  // Every edit that holds something must hold a number the cells can take; otherwise the
  // dialog says which and stays open, with nothing written.
  struct TCheck {
    TEdit* Edit;
    QString Name;
    int Least;
  };
  const TCheck checks[] = {{EdtMaxLength, FieldName(LblMaxLength), 0},
                           {EdtIntLength, FieldName(LblIntLength), 0},
                           {EdtDecLength, FieldName(LblDecLength), 0},
                           {EdtFontSize, QStringLiteral("字号"), 1},
                           {EdtLineWidth, QStringLiteral("边框线宽"), 0}};
  for (const TCheck& check : checks) {
    if (check.Edit->Text().isEmpty()) continue;
    const std::optional<int> value = ReadInteger(check.Edit->Text());
    if (!value || *value < check.Least) {
      ShowMessage(QStringLiteral("“%1”中的内容不是正确的数值。").arg(check.Name), QStringLiteral("提示"),
                  MB_OK | MB_ICONERROR);
      check.Edit->SetFocus();
      return;
    }
  }
  bool canSet = true;
  QPointer<TFormCellProp> self(this);
  if (grid_->BeforeSetCellProp) grid_->BeforeSetCellProp(grid_, range_, canSet);
  if (!self) return;
  if (canSet) {
    grid_->SetAutoUpdate(false);
    WriteProperties();
    grid_->SetAutoUpdate(true);
  }
  SetModalResult(mrOk);
}

void TFormCellProp::WriteProperties() {
  TCustomEasyGrid& g = *grid_;
  const TGridRect r = range_;
  auto number = [&](TEdit* edit, TCellProp id) {
    if (!edit->Text().isEmpty()) g.SetRangeCellProp(r, id, *ReadInteger(edit->Text()));
  };
  auto flag = [&](TCheckBox* box, TCellProp id) {
    if (box->State() != TCheckBoxState::cbGrayed) g.SetRangeCellProp(r, id, box->Checked());
  };
  auto item = [&](int index, TCellProp id) {
    if (index >= 0) g.SetRangeCellProp(r, id, index);
  };
  auto color = [&](TPanel* panel, TCellProp id) {
    if (panel->Visible()) g.SetRangeCellProp(r, id, int(panel->Color()));
  };

  number(EdtMaxLength, TCellProp::MaxLength);
  number(EdtIntLength, TCellProp::IntLength);
  number(EdtDecLength, TCellProp::DecLength);
  flag(CbxAllowNegative, TCellProp::AllowNegative);
  flag(CbxThousandSep, TCellProp::ThousandSep);
  flag(CbxTrailingZero, TCellProp::TrailingZero);
  flag(CbxZeroNull, TCellProp::ZeroNull);
  item(LbxCellType->ItemIndex(), TCellProp::DataStyle);
  if (CmbHorzAlign->ItemIndex() >= 0 && CmbVertAlign->ItemIndex() >= 0)
    g.SetRangeCellProp(r, TCellProp::AlignMode, CmbHorzAlign->ItemIndex() + 3 * CmbVertAlign->ItemIndex());
  flag(CbxWordBreak, TCellProp::AutoWordBreak);
  if (CbxMerge->State() == TCheckBoxState::cbChecked)
    g.MergeCells(r, true);
  else if (CbxMerge->State() == TCheckBoxState::cbUnchecked)
    g.UnmergeCells(r);
  if (LbxFontName->ItemIndex() >= 0)
    g.SetRangeCellProp(r, TCellProp::FontName, LbxFontName->Item(LbxFontName->ItemIndex()));
  if (LbxFontStyle->ItemIndex() >= 0) g.SetRangeCellProp(r, TCellProp::FontStyle, kStyleItems[LbxFontStyle->ItemIndex()]);
  // Underline is one bit of each cell's style: the rest of the style stays as it is.
  if (CbxUnderline->State() != TCheckBoxState::cbGrayed) {
    const TGridRect cells{std::max(r.Left, 1), std::max(r.Top, 1), std::min(r.Right, g.ColCount() - 1),
                          std::min(r.Bottom, g.RowCount() - 1)};
    for (int c = cells.Left; c <= cells.Right; ++c)
      for (int row = cells.Top; row <= cells.Bottom; ++row) {
        TFontStyles style = g.GetCellInfo(c, row).FontStyle;
        style = CbxUnderline->Checked() ? (style | fsUnderline) : (style & ~unsigned(fsUnderline));
        g.SetRangeCellProp({c, row, c, row}, TCellProp::FontStyle, style);
      }
  }
  number(EdtFontSize, TCellProp::FontSize);
  color(PnlFontColor, TCellProp::FontColor);
  flag(CbxLeft, TCellProp::DrawLeft);
  flag(CbxTop, TCellProp::DrawTop);
  flag(CbxRight, TCellProp::DrawRight);
  flag(CbxBottom, TCellProp::DrawBottom);
  number(EdtLineWidth, TCellProp::LineWidth);
  item(CmbPenStyle->ItemIndex(), TCellProp::PenStyle);
  color(PnlColor, TCellProp::Color);
  flag(CbxReadOnly, TCellProp::ReadOnly);
}

} // namespace fw
