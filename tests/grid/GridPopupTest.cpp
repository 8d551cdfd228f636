// The report grid's popup menu: its thirteen numbered items, which of them are enabled
// for a plain cell, a merged range, a selection cutting a merged range and a grid
// without editing, the right button that moves the current cell first, and the items'
// operations.

#include "grid/CellClipboard.h"
#include "grid/EasyGrid.h"
#include "grid/FormCellProp.h"
#include "grid/InplaceEdit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Button.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Form.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "support/TestSupport.h"
#include "GridOnForm.h"
#include "MergeModel.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

class GridPopup : public fwtest::GridOnForm {
protected:
  GridPopup() : GridOnForm({620, 360, 600, 340, 7, 10}) { grid->SetOptions(grid->Options() | goEditing); }
  ~GridPopup() override {
    if (QMenu* menu = grid->CellPopupMenu()->Menu()) menu->hide();
  }
  // The enabled items by number, as a string of '1' and '0'.
  QString Enabled() {
    QString s;
    for (int n = piCut; n <= piCellFormat; ++n) s += grid->PopupMenuItem(n)->Enabled() ? u'1' : u'0';
    return s;
  }
  void RightClick(int col, int row) {
    const TRect r = grid->CellRect(col, row);
    const int b = grid->BorderWidth();
    QTest::mousePress(grid, Qt::RightButton, {}, QPoint(b + r.Left + 10, b + r.Top + 10));
    QTest::mouseRelease(grid, Qt::RightButton, {}, QPoint(b + r.Left + 10, b + r.Top + 10));
  }
  bool MenuShown() { return grid->CellPopupMenu()->Menu()->isVisible(); }
  // A fresh grid in place of the fixture's, focused, with texts in every data cell but
  // the last column and row (which the shifts push out).
  void Rebuild(TEasyGridOptions options) {
    delete grid;
    grid = new TEasyGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 600, 340);
    grid->SetColCount(7);
    grid->SetRowCount(10);
    for (int c = 1; c < 6; ++c)
      for (int r = 1; r < 9; ++r) grid->SetForeText(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    grid->SetOptions(grid->Options() | options);
    grid->SetFocus();
    QApplication::processEvents();
  }
  // The counts, every text with its cell, and the cell block on the clipboard.
  std::string State() {
    QStringList s{QStringLiteral("%1x%2").arg(grid->ColCount()).arg(grid->RowCount())};
    for (int c = 1; c < grid->ColCount(); ++c)
      for (int r = 1; r < grid->RowCount(); ++r)
        if (!grid->GetForeText(c, r).isEmpty()) s << QStringLiteral("%1,%2=").arg(c).arg(r) + grid->GetForeText(c, r);
    s << QString::fromLatin1(CellBlockFromClipboard().toHex());
    return s.join(u' ').toStdString();
  }
};

TEST_F(GridPopup, ThirteenNumberedItemsUnderTwoSubmenus) {
  const char* captions[] = {"剪切(&T)",         "复制(&C)",         "粘贴(&P)",  "横向插入单元格",
                            "纵向插入单元格",   "插入整行",         "插入整列",  "横向删除单元格",
                            "纵向删除单元格",   "删除整行",         "删除整列",  "清除单元格内容(&N)",
                            "设置单元格格式(&F)..."};
  for (int n = 0; n <= 12; ++n) {
    ASSERT_TRUE(grid->PopupMenuItem(n)) << n;
    EXPECT_EQ(grid->PopupMenuItem(n)->Caption(), QString::fromUtf8(captions[n])) << n;
  }
  TMenuItem* root = grid->CellPopupMenu()->Items();
  QStringList top;
  for (int i = 0; i < root->Count(); ++i) top << root->Items(i)->Caption();
  EXPECT_EQ(top, (QStringList{"剪切(&T)", "复制(&C)", "粘贴(&P)", "-", "插入(&I)...", "删除(&D)...",
                              "清除单元格内容(&N)", "-", "设置单元格格式(&F)..."}));
  EXPECT_EQ(grid->PopupMenuItem(piInsertRows)->Parent()->Caption(), QStringLiteral("插入(&I)..."));
  EXPECT_EQ(grid->PopupMenuItem(piDeleteCols)->Parent()->Caption(), QStringLiteral("删除(&D)..."));
}

TEST_F(GridPopup, ItemsAreEnabledForTheSelectionAndTheClipboard) {
  PutCellBlockOnClipboard(QByteArray());
  RightClick(3, 3);
  ASSERT_TRUE(MenuShown());
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(Enabled(), QStringLiteral("1101111111111"));  // nothing to paste
  grid->CellPopupMenu()->Menu()->hide();

  grid->CopyCellsToClipboard({3, 3, 3, 3});
  grid->MergeCells({4, 4, 5, 5}, false);
  RightClick(5, 5);  // a member: the range's origin becomes the current cell
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->Selection(), GridRect(4, 4, 5, 5));
  EXPECT_EQ(Enabled(), QStringLiteral("1111111111111"));
  grid->CellPopupMenu()->Menu()->hide();

  // A selection holding part of a merged range: nothing.
  grid->SetSelection({3, 4, 4, 4});
  RightClick(3, 4);  // inside the selection: it stays
  EXPECT_EQ(grid->Selection(), GridRect(3, 4, 4, 4));
  EXPECT_EQ(Enabled(), QStringLiteral("0000000000000"));
  EXPECT_FALSE(grid->PopupMenuItem(piInsertRows)->Parent()->Enabled());
  grid->CellPopupMenu()->Menu()->hide();

  // A grid without editing only copies.
  grid->SetOptions(grid->Options() & ~unsigned(goEditing));
  RightClick(2, 7);
  EXPECT_EQ(Enabled(), QStringLiteral("0100000000000"));
  EXPECT_FALSE(grid->PopupMenuItem(piDeleteRows)->Parent()->Enabled());
  grid->CellPopupMenu()->Menu()->hide();

  // Without ShowPopup the right button only moves the current cell.
  grid->SetShowPopup(false);
  RightClick(6, 8);
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(grid->Col(), 6);
}

TEST_F(GridPopup, ItemsRunTheirOperationsOnTheSelection) {
  grid->SetForeText(2, 3, QStringLiteral("甲"));
  grid->SetCurrentCell(2, 3);
  grid->PopupMenuItem(piInsertRows)->Click();
  EXPECT_EQ(grid->RowCount(), 11);
  EXPECT_EQ(grid->GetForeText(2, 4), QStringLiteral("甲"));
  grid->SetCurrentCell(2, 4);
  grid->PopupMenuItem(piCopy)->Click();
  grid->SetCurrentCell(5, 6);
  grid->PopupMenuItem(piPaste)->Click();
  EXPECT_EQ(grid->GetForeText(5, 6), QStringLiteral("甲"));
  grid->PopupMenuItem(piClearContents)->Click();
  EXPECT_TRUE(grid->GetForeText(5, 6).isEmpty());
  grid->SetCurrentCell(2, 4);
  grid->PopupMenuItem(piDeleteCols)->Click();
  EXPECT_EQ(grid->ColCount(), 6);
  EXPECT_TRUE(fwtest::MergeModelIsSound(*grid));
}

// Every item run while the editor holds a typed text leaves the grid as if that text
// had been stored in its cell first: no text reaches the record that moves into the
// editor's place, none comes back after a deletion and none is lost.
TEST_F(GridPopup, EveryItemStoresTheOpenEditorsTextInItsOwnCellFirst) {
  const QString typed = QStringLiteral("typed");
  // The cell-format item turns the selected cell into a number cell.
  ScopedModalScript dialog([](TForm& f) {
    auto& d = static_cast<TFormCellProp&>(f);
    d.LbxCellType->SetItemIndex(1);
    d.BtnOk->Click();
    return mrNone;
  });
  for (const TEasyGridOptions always : {0u, unsigned(goAlwaysShowEditor)})
    for (int item = piCut; item <= piCellFormat; ++item) {
      const std::string name = std::to_string(item) + (always ? " always shown" : "");
      // Stored by hand, with no editor anywhere.
      Rebuild(goEditing);
      grid->SetForeText(3, 4, typed);
      grid->CopyCellsToClipboard({1, 1, 1, 1});  // what Paste pastes
      grid->SetCurrentCell(3, 4);
      grid->PopupMenuItem(item)->Click();
      const std::string expected = State();

      // Typed into the editor of the current cell, which is open when the item runs.
      Rebuild(goEditing | always);
      grid->CopyCellsToClipboard({1, 1, 1, 1});
      grid->SetCurrentCell(3, 4);
      if (!always) QTest::keyClick(grid, Qt::Key_Return);
      ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->Visible()) << name;
      QTest::keyClicks(grid->InplaceEditor()->EditWidget(), typed);
      grid->PopupMenuItem(item)->Click();
      // The always-shown editor is back over the current cell with that cell's text.
      TInplaceEdit* editor = grid->InplaceEditor();
      EXPECT_EQ(editor->Visible(), always != 0) << name;
      if (always) {
        EXPECT_EQ(editor->Text(), grid->GetForeText(editor->EditCol(), editor->EditRow())) << name;
      }
      grid->SetCurrentCell(1, 1);  // an editor still open stores its text now
      EXPECT_EQ(State(), expected) << name;
      EXPECT_TRUE(fwtest::MergeModelIsSound(*grid)) << name;
    }
  EXPECT_TRUE(hooks.MessageTexts().isEmpty()) << hooks.MessageTexts().join(u'|').toStdString();
}

// The grid with merged cells and the popup open, for looking at (FW_SHOTS names a
// folder to save it in). The menu is a window of its own: it is grabbed and laid over
// the grid where it opened.
TEST_F(GridPopup, Picture) {
  grid->MergeCells({2, 2, 4, 3}, false);
  grid->SetForeText(2, 2, QStringLiteral("合并的单元格"));
  grid->SetRangeCellProp({2, 2, 4, 3}, TCellProp::AlignMode, TAlignMode::taCenter);
  grid->MergeCells({1, 5, 1, 7}, false);
  grid->SetForeText(1, 5, QStringLiteral("纵向合并"));
  grid->SetForeText(5, 6, QStringLiteral("12.5"));
  RightClick(3, 6);
  ASSERT_TRUE(MenuShown());
  QMenu* menu = grid->CellPopupMenu()->Menu();
  QApplication::processEvents();
  const QImage grid = form.grab().toImage();
  const QImage popup = menu->grab().toImage();
  const QPoint at = form.mapFromGlobal(menu->pos());
  QImage image(std::max(grid.width(), at.x() + popup.width()), std::max(grid.height(), at.y() + popup.height()),
               QImage::Format_RGB32);
  image.fill(Qt::darkGray);
  QPainter painter(&image);
  painter.drawImage(0, 0, grid);
  painter.drawImage(at, popup);
  painter.end();
  EXPECT_GT(menu->width(), 100);
  const QString folder = qEnvironmentVariable("FW_SHOTS");
  if (!folder.isEmpty()) image.save(QDir(folder).filePath(QStringLiteral("grid-popup.png")));
}

} // namespace
