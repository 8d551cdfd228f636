// The cell-format dialog: what it shows for the current cell and a mixed selection,
// every property written back on OK, the controls it leaves alone, its edits' limits,
// the colour dialog, the grid's two events and the page it remembers.

#include "grid/EasyGrid.h"
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
#include "support/TestSupport.h"
#include "GridOnForm.h"
#include "MergeModel.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace fw;

class CellFormat : public fwtest::GridOnForm {
protected:
  CellFormat() : GridOnForm({600, 400, 560, 360, 8, 8, false}) { grid->SetOptions(grid->Options() | goEditing); }
  // Opens the dialog for the selection and runs `script` on it while it is shown; the
  // script's answer closes it unless a button did.
  int Run(const std::function<int(TFormCellProp&)>& script, int page = -1) {
    ScopedModalScript modal([&](TForm& f) { return script(static_cast<TFormCellProp&>(f)); });
    int result = -1;
    grid->AfterSetCellProp = [&](TObject*, TGridRect) { result = mrOk; };
    grid->ShowCellPropDialog(page);
    return result;
  }
  void Select(const TGridRect& r) {
    grid->SetCurrentCell(r.Left, r.Top);
    grid->SetSelection(r);
  }

};

TEST_F(CellFormat, ShowsTheCurrentCell) {
  const TGridRect cell{2, 2, 2, 2};
  grid->SetRangeCellProp(cell, TCellProp::DataStyle, TDataStyle::dsNumber);
  grid->SetRangeCellProp(cell, TCellProp::IntLength, 6);
  grid->SetRangeCellProp(cell, TCellProp::ThousandSep, true);
  grid->SetRangeCellProp(cell, TCellProp::AlignMode, TAlignMode::taBottom);
  grid->SetRangeCellProp(cell, TCellProp::FontStyle, int(fsBold | fsUnderline));
  grid->SetRangeCellProp(cell, TCellProp::FontSize, 12);
  grid->SetRangeCellProp(cell, TCellProp::DrawTop, true);
  grid->SetRangeCellProp(cell, TCellProp::LineWidth, 3);
  grid->SetRangeCellProp(cell, TCellProp::PenStyle, TPenStyle::psDashDot);
  grid->SetRangeCellProp(cell, TCellProp::Color, int(clYellow));
  Select(cell);
  Run([](TFormCellProp& d) {
    EXPECT_EQ(d.LbxCellType->ItemIndex(), 1);
    EXPECT_TRUE(d.EdtIntLength->Visible());  // number controls shown for numbers
    EXPECT_EQ(d.MemExample->Lines().value(1), QStringLiteral("12345.6789"));
    EXPECT_EQ(d.LblExplain->Caption(), QStringLiteral("数值类型的单元格用于一般数字的显示和输入。"));
    EXPECT_EQ(d.EdtMaxLength->Text(), QStringLiteral("255"));
    EXPECT_EQ(d.EdtIntLength->Text(), QStringLiteral("6"));
    EXPECT_TRUE(d.CbxThousandSep->Checked());
    EXPECT_FALSE(d.CbxThousandSep->AllowGrayed());
    EXPECT_EQ(d.CmbHorzAlign->ItemIndex(), 1);
    EXPECT_EQ(d.CmbVertAlign->ItemIndex(), 2);
    EXPECT_TRUE(d.CbxWordBreak->Checked());
    EXPECT_FALSE(d.CbxMerge->Checked());
    EXPECT_EQ(d.LbxFontName->Item(d.LbxFontName->ItemIndex()), QStringLiteral("宋体"));
    EXPECT_EQ(d.LbxFontStyle->ItemIndex(), -1);  // underline is no item of the list
    EXPECT_TRUE(d.CbxUnderline->Checked());
    EXPECT_EQ(d.LbxFontSize->Item(d.LbxFontSize->ItemIndex()), QStringLiteral("12"));
    EXPECT_EQ(d.EdtFontSize->Text(), QStringLiteral("12"));
    EXPECT_EQ(d.LblPreview->Font().Size(), 12);
    EXPECT_TRUE(d.CbxTop->Checked());
    EXPECT_FALSE(d.CbxLeft->Checked());
    EXPECT_EQ(d.EdtLineWidth->Text(), QStringLiteral("3"));
    EXPECT_EQ(d.CmbPenStyle->ItemIndex(), 3);
    EXPECT_EQ(d.PnlColor->Color(), clYellow);
    EXPECT_TRUE(d.PnlColor->Visible());
    return mrCancel;
  });
}

TEST_F(CellFormat, OkWritesEveryPropertyOverTheSelectionAndTheDialogShowsThemAgain) {
  Select({2, 2, 4, 3});
  hooks.ColorAnswers = {int(clRed), int(clBlue)};
  const int result = Run([](TFormCellProp& d) {
    d.BtnFontColor->Click();
    d.BtnColor->Click();
    d.LbxCellType->SetItemIndex(1);
    d.EdtMaxLength->SetText(QStringLiteral("12"));
    d.EdtIntLength->SetText(QStringLiteral("7"));
    d.EdtDecLength->SetText(QStringLiteral("3"));
    d.CbxAllowNegative->SetChecked(false);
    d.CbxThousandSep->SetChecked(true);
    d.CbxTrailingZero->SetChecked(true);
    d.CbxZeroNull->SetChecked(true);
    d.CmbHorzAlign->SetItemIndex(2);
    d.CmbVertAlign->SetItemIndex(1);
    d.CbxWordBreak->SetChecked(false);
    d.CbxMerge->SetChecked(false);
    d.LbxFontName->SetItemIndex(d.LbxFontName->Items().indexOf(QStringLiteral("黑体")));
    d.LbxFontStyle->SetItemIndex(3);
    d.CbxUnderline->SetChecked(true);
    d.EdtFontSize->SetText(QStringLiteral("14"));
    d.CbxLeft->SetChecked(true);
    d.CbxRight->SetChecked(true);
    d.CbxTop->SetChecked(true);
    d.CbxBottom->SetChecked(true);
    d.EdtLineWidth->SetText(QStringLiteral("2"));
    d.CmbPenStyle->SetItemIndex(2);
    d.CbxReadOnly->SetChecked(true);
    d.BtnOk->Click();
    return mrNone;
  });
  EXPECT_EQ(result, mrOk);
  for (int c = 2; c <= 4; ++c)
    for (int r = 2; r <= 3; ++r) {
      const TCellInfo& x = grid->GetCellInfo(c, r);
      EXPECT_EQ(x.DataStyle, TDataStyle::dsNumber);
      EXPECT_EQ(x.MaxLength, 12);
      EXPECT_EQ(x.IntLength, 7);
      EXPECT_EQ(x.DecLength, 3);
      EXPECT_FALSE(x.AllowNegative);
      EXPECT_TRUE(x.ThousandSep && x.TrailingZero && x.ZeroNull);
      EXPECT_EQ(x.AlignMode, TAlignMode::taRight);
      EXPECT_FALSE(x.AutoWordBreak);
      EXPECT_EQ(x.FontName, QStringLiteral("黑体"));
      EXPECT_EQ(x.FontStyle, TFontStyles(fsBold | fsItalic | fsUnderline));
      EXPECT_EQ(x.FontSize, 14);
      EXPECT_TRUE(x.DrawLeft && x.DrawRight && x.DrawTop && x.DrawBottom);
      EXPECT_EQ(x.LineWidth, 2);
      EXPECT_EQ(x.PenStyle, TPenStyle::psDot);
      EXPECT_TRUE(x.ReadOnly);
      EXPECT_EQ(x.FontColor, clRed);
      EXPECT_EQ(x.Color, clBlue);
    }
  EXPECT_EQ(grid->GetCellInfo(5, 3).DataStyle, TDataStyle::dsText);  // outside the selection
  EXPECT_TRUE(grid->AutoUpdate());

  // Opened again on the same cells, the dialog shows every value it wrote.
  Run([](TFormCellProp& d) {
    EXPECT_EQ(d.LbxCellType->ItemIndex(), 1);
    EXPECT_EQ(d.EdtMaxLength->Text(), QStringLiteral("12"));
    EXPECT_EQ(d.EdtIntLength->Text(), QStringLiteral("7"));
    EXPECT_EQ(d.EdtDecLength->Text(), QStringLiteral("3"));
    EXPECT_EQ(d.CbxAllowNegative->State(), TCheckBoxState::cbUnchecked);
    for (TCheckBox* box : {d.CbxThousandSep, d.CbxTrailingZero, d.CbxZeroNull, d.CbxUnderline, d.CbxLeft,
                           d.CbxRight, d.CbxTop, d.CbxBottom, d.CbxReadOnly})
      EXPECT_EQ(box->State(), TCheckBoxState::cbChecked) << box->Caption().toStdString();
    EXPECT_EQ(d.CbxWordBreak->State(), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(d.CbxMerge->State(), TCheckBoxState::cbGrayed);  // six cells, six ranges
    EXPECT_EQ(d.CmbHorzAlign->ItemIndex(), 2);
    EXPECT_EQ(d.CmbVertAlign->ItemIndex(), 1);
    EXPECT_EQ(d.LbxFontName->Item(d.LbxFontName->ItemIndex()), QStringLiteral("黑体"));
    EXPECT_EQ(d.LbxFontStyle->ItemIndex(), -1);  // bold italic and underlined
    EXPECT_EQ(d.EdtFontSize->Text(), QStringLiteral("14"));
    EXPECT_EQ(d.PnlFontColor->Color(), clRed);
    EXPECT_EQ(d.EdtLineWidth->Text(), QStringLiteral("2"));
    EXPECT_EQ(d.CmbPenStyle->ItemIndex(), 2);
    EXPECT_EQ(d.PnlColor->Color(), clBlue);
    EXPECT_TRUE(d.PnlColor->Visible());
    return mrCancel;
  });
}

TEST_F(CellFormat, ColoursComeFromTheColourDialog) {
  Select({2, 2, 2, 2});
  hooks.ColorAnswers = {int(clRed), int(clBlue)};
  Run([](TFormCellProp& d) {
    d.BtnFontColor->Click();
    d.BtnColor->Click();
    EXPECT_EQ(d.LblPreview->Font().Color(), clRed);
    d.BtnColor->Click();  // cancelled: the panel keeps blue
    d.BtnOk->Click();
    return mrNone;
  });
  ASSERT_EQ(hooks.ColorRequests.size(), 3u);
  EXPECT_EQ(hooks.ColorRequests[0], clBlack);  // the dialog starts at the panel's colour
  EXPECT_EQ(hooks.ColorRequests[2], clBlue);
  EXPECT_EQ(grid->GetCellInfo(2, 2).FontColor, clRed);
  EXPECT_EQ(grid->GetCellInfo(2, 2).Color, clBlue);
}

TEST_F(CellFormat, DifferingValuesAreBlankAndLeftAsTheyAre) {
  grid->SetRangeCellProp({2, 2, 2, 2}, TCellProp::FontSize, 12);
  grid->SetRangeCellProp({3, 2, 3, 2}, TCellProp::DataStyle, TDataStyle::dsNumber);
  grid->SetRangeCellProp({3, 2, 3, 2}, TCellProp::Color, int(clAqua));
  grid->SetRangeCellProp({3, 2, 3, 2}, TCellProp::DrawLeft, true);
  grid->SetRangeCellProp({2, 2, 3, 2}, TCellProp::FontStyle, int(fsUnderline));
  Select({2, 2, 3, 2});
  Run([](TFormCellProp& d) {
    EXPECT_EQ(d.LbxFontSize->ItemIndex(), -1);
    EXPECT_TRUE(d.EdtFontSize->Text().isEmpty());
    EXPECT_EQ(d.LbxCellType->ItemIndex(), -1);
    EXPECT_FALSE(d.EdtIntLength->Visible());  // no type: no number controls
    EXPECT_FALSE(d.PnlColor->Visible());
    EXPECT_TRUE(d.PnlFontColor->Visible());
    EXPECT_EQ(d.CbxLeft->State(), TCheckBoxState::cbGrayed);
    EXPECT_EQ(d.CbxRight->State(), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(d.CbxMerge->State(), TCheckBoxState::cbGrayed);  // each cell its own range
    // Bold for underlined cells, underline left ticked: both.
    d.LbxFontStyle->SetItemIndex(2);
    d.BtnOk->Click();
    return mrNone;
  });
  EXPECT_EQ(grid->GetCellInfo(2, 2).FontSize, 12);
  EXPECT_EQ(grid->GetCellInfo(3, 2).FontSize, 9);
  EXPECT_EQ(grid->GetCellInfo(2, 2).DataStyle, TDataStyle::dsText);
  EXPECT_EQ(grid->GetCellInfo(3, 2).DataStyle, TDataStyle::dsNumber);
  EXPECT_EQ(grid->GetCellInfo(3, 2).Color, clAqua);
  EXPECT_TRUE(grid->GetCellInfo(3, 2).DrawLeft);
  EXPECT_FALSE(grid->GetCellInfo(2, 2).DrawLeft);
  EXPECT_EQ(grid->GetCellInfo(2, 2).FontStyle, TFontStyles(fsBold | fsUnderline));
  EXPECT_FALSE(grid->IsCellMerged(2, 2));
}

TEST_F(CellFormat, MergeBoxMergesAndUnmerges) {
  grid->SetForeText(2, 2, QStringLiteral("a"));
  grid->SetForeText(3, 3, QStringLiteral("b"));
  Select({2, 2, 3, 3});
  hooks.MessageAnswers = {IDOK};
  Run([](TFormCellProp& d) {
    d.CbxMerge->SetChecked(true);
    d.BtnOk->Click();
    return mrNone;
  });
  ASSERT_EQ(hooks.Messages.size(), 1u);  // two texts: the merge asks
  EXPECT_EQ(grid->GetCellInfo(3, 3).MergeRect, GridRect(2, 2, 3, 3));
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
  Run([](TFormCellProp& d) {
    EXPECT_TRUE(d.CbxMerge->Checked());
    d.CbxMerge->SetChecked(false);
    d.BtnOk->Click();
    return mrNone;
  });
  EXPECT_FALSE(grid->IsCellMerged(3, 3));
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("a"));
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
}

TEST_F(CellFormat, EditsTakeOnlyNumbersWithinTheirLimits) {
  Select({2, 2, 2, 2});
  Run([](TFormCellProp& d) {
    d.EdtLineWidth->SetText(QString());
    QTest::keyClicks(d.EdtLineWidth->Widget(), QStringLiteral("3a0x0"));
    EXPECT_EQ(d.EdtLineWidth->Text(), QStringLiteral("5"));  // 300 is cut to 5
    d.EdtMaxLength->SetText(QStringLiteral("999"));
    EXPECT_EQ(d.EdtMaxLength->Text(), QStringLiteral("255"));
    d.EdtFontSize->SetText(QStringLiteral("1000"));
    EXPECT_EQ(d.EdtFontSize->Text(), QStringLiteral("409"));
    d.EdtFontSize->SetText(QString());
    EXPECT_EQ(d.LblPreview->Font().Size(), 1);
    d.LbxFontSize->SetItemIndex(3);
    return mrCancel;
  });
  EXPECT_EQ(grid->GetCellInfo(2, 2).LineWidth, 1);
}

// An edit holding only "-" used to make OK fail with a conversion error half way.
TEST_F(CellFormat, AnEditHoldingNoNumberKeepsTheDialogOpenAndWritesNothing) {
  Select({2, 2, 2, 2});
  bool asked = false;
  grid->BeforeSetCellProp = [&](TObject*, TGridRect, bool&) { asked = true; };
  const int result = Run([](TFormCellProp& d) {
    d.EdtFontSize->SetText(QStringLiteral("20"));
    d.EdtIntLength->SetText(QStringLiteral("-"));
    d.BtnOk->Click();
    EXPECT_EQ(d.ModalResult(), mrNone);
    return mrCancel;
  });
  EXPECT_EQ(result, -1);
  EXPECT_FALSE(asked);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("“整数部分长度”中的内容不是正确的数值。"));
  EXPECT_EQ(grid->GetCellInfo(2, 2).FontSize, 9);
}

// Enter typed in any number edit closes the dialog as 确定 does, Esc as 取消 does: the
// edits' key filter lets both keys go on to the dialog.
TEST_F(CellFormat, EnterAndEscInTheNumberEditsCloseTheDialog) {
  grid->SetRangeCellProp({2, 2, 2, 2}, TCellProp::DataStyle, TDataStyle::dsNumber);
  Select({2, 2, 2, 2});
  const struct {
    TEdit* TFormCellProp::*edit;
    int page;
  } edits[] = {{&TFormCellProp::EdtMaxLength, 0}, {&TFormCellProp::EdtIntLength, 0},
               {&TFormCellProp::EdtDecLength, 0}, {&TFormCellProp::EdtFontSize, 2},
               {&TFormCellProp::EdtLineWidth, 3}};
  for (const auto& e : edits) {
    for (const auto& [key, answer] : {std::pair{Qt::Key_Return, mrOk}, std::pair{Qt::Key_Escape, mrCancel}}) {
      SCOPED_TRACE(testing::Message() << "page " << e.page << " key " << key);
      int closedWith = mrNone;
      Run([&](TFormCellProp& d) {
        d.SetActivePageIndex(e.page);
        TEdit* edit = d.*e.edit;
        edit->SetFocus();
        QTest::keyClick(edit->Widget(), key);
        closedWith = d.ModalResult();
        return mrNone;
      });
      EXPECT_EQ(closedWith, answer);
    }
  }
}

TEST_F(CellFormat, BeforeSetCellPropMayRefuseAndAfterSetCellPropStillComes) {
  Select({2, 2, 3, 2});
  std::vector<TGridRect> asked;
  grid->BeforeSetCellProp = [&](TObject*, TGridRect range, bool& can) {
    asked.push_back(range);
    can = false;
  };
  const int result = Run([](TFormCellProp& d) {
    d.EdtFontSize->SetText(QStringLiteral("20"));
    d.BtnOk->Click();
    return mrNone;
  });
  EXPECT_EQ(result, mrOk);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], GridRect(2, 2, 3, 2));
  EXPECT_EQ(grid->GetCellInfo(2, 2).FontSize, 9);
}

TEST_F(CellFormat, TheDialogOpensOnThePageLastUsed) {
  Select({2, 2, 2, 2});
  Run([](TFormCellProp& d) {
    EXPECT_EQ(d.ActivePageIndex(), 0);
    d.SetActivePageIndex(2);
    return mrCancel;
  });
  EXPECT_EQ(grid->CellPropPage(), 2);
  Run([](TFormCellProp& d) {
    EXPECT_EQ(d.ActivePageIndex(), 2);
    return mrCancel;
  });
  Run([](TFormCellProp& d) {
    EXPECT_EQ(d.ActivePageIndex(), 3);  // beyond the last: the last
    return mrCancel;
  }, 9);
  // The popup menu's item opens it.
  int shown = 0;
  ScopedModalScript modal([&](TForm& f) {
    ++shown;
    EXPECT_EQ(f.Caption(), QStringLiteral("单元格格式"));
    return mrCancel;
  });
  grid->PopupMenuClick(piCellFormat);
  EXPECT_EQ(shown, 1);
}

// The dialog is built from the desktop's page control and group boxes; its four pages
// are grabbed for looking at (FW_SHOTS names a folder to save them in).
TEST_F(CellFormat, StandardPagesAndGroupBoxesAndPictures) {
  grid->SetRangeCellProp({2, 2, 2, 2}, TCellProp::DataStyle, TDataStyle::dsNumber);
  Select({2, 2, 2, 2});
  const QString folder = qEnvironmentVariable("FW_SHOTS");
  Run([&](TFormCellProp& d) {
    QStringList tabs, groups;
    for (int page = 0; page < d.PageCount(); ++page) tabs << d.PageControl->Widget()->tabText(page);
    EXPECT_EQ(tabs, (QStringList{"类 型", "对 齐", "字 体", "其 他"}));
    for (QWidget* child : d.findChildren<QWidget*>())
      if (auto* group = dynamic_cast<TGroupBox*>(child)) groups << group->Widget()->title();
    QStringList expected{"文本对齐", "文本控制", "预览", "边框风格", "背景颜色", "单元格只读属性"};
    groups.sort();
    expected.sort();
    EXPECT_EQ(groups, expected);
    for (int page = 0; page < d.PageCount(); ++page) {
      d.SetActivePageIndex(page);
      QApplication::processEvents();
      const QImage image = d.grab().toImage();
      EXPECT_EQ(image.size(), QSize(d.Width(), d.Height()));
      if (!folder.isEmpty()) image.save(QDir(folder).filePath(QStringLiteral("cellprop-%1.png").arg(page)));
    }
    return mrCancel;
  });
}

} // namespace
