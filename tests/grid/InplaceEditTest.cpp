// In-place editing of the report grid: the editor taking its cell's text and look,
// commit on Enter and Escape through SetForeText, the order of the editing events,
// read-only cells, the number rule on typed and pasted text, and edit masks.

#include "grid/EasyGrid.h"
#include "grid/InplaceEdit.h"
#include "platform/ui/Form.h"
#include "support/TestSupport.h"
#include "GridOnForm.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

class InplaceEditing : public fwtest::GridOnForm {
protected:
  InplaceEditing() : GridOnForm({600, 400, 500, 300, 6, 8}) { grid->SetOptions(grid->Options() | goEditing); }
  TInplaceEdit* Editor() { return grid->InplaceEditor(); }
  bool EditorVisible() { return Editor() && Editor()->Visible(); }
  QWidget* Line() { return Editor()->EditWidget(); }
  void NumberCell(int col, int row) {
    grid->SetRangeCellProp(GridRect(col, row, col, row), TCellProp::DataStyle, TDataStyle::dsNumber);
  }
  // Opens the editor on (col, row) with Enter: the whole text selected.
  void Open(int col, int row) {
    grid->SetCurrentCell(col, row);
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_TRUE(EditorVisible());
  }

};

TEST_F(InplaceEditing, EditorShowsOverTheCurrentCellWithItsTextAndLook) {
  grid->SetForeText(2, 3, QStringLiteral("原文"));
  grid->SetRangeCellProp(GridRect(2, 3, 2, 3), TCellProp::Color, clYellow);
  grid->SetRangeCellProp(GridRect(2, 3, 2, 3), TCellProp::FontSize, 12);
  Open(2, 3);
  EXPECT_EQ(Editor()->EditCol(), 2);
  EXPECT_EQ(Editor()->EditRow(), 3);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("原文"));
  EXPECT_EQ(Editor()->SelText(), QStringLiteral("原文"));
  EXPECT_EQ(Editor()->Color(), clYellow);
  EXPECT_EQ(Editor()->Font().Size(), 12);
  EXPECT_TRUE(grid->CellRect(2, 3).Contains(TPoint{Editor()->Left(), Editor()->Top()}));
  EXPECT_TRUE(grid->EditorMode());

  // A cell showing its back text edits that text.
  grid->SetRangeCellProp(GridRect(3, 3, 3, 3), TCellProp::ShowForeText, false);
  grid->SetBackText(3, 3, QStringLiteral("背面"));
  QTest::keyClick(Line(), Qt::Key_Escape);
  Open(3, 3);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("背面"));
}

TEST_F(InplaceEditing, EnterAndEscapeBothStoreThroughSetForeText) {
  NumberCell(2, 2);
  grid->SetForeText(2, 2, QStringLiteral("7"));
  int stores = 0;
  grid->OnSetForeText = [&](TObject*, int, int, QString&) { ++stores; };
  Open(2, 2);
  // A digit goes in front of a selection, so the selected "7" is cleared first.
  QTest::keyClick(Line(), Qt::Key_Backspace);
  QTest::keyClicks(Line(), QStringLiteral("12.5"));
  EXPECT_EQ(Editor()->Text(), QStringLiteral("12.5"));
  // The key goes up where the focus went, as a real keyboard's release does.
  QTest::keyPress(Line(), Qt::Key_Return);
  QTest::keyRelease(grid, Qt::Key_Return);
  EXPECT_FALSE(EditorVisible());
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("12.5"));
  EXPECT_EQ(stores, 1);
  EXPECT_FALSE(grid->EditorMode());

  // Enter opens the editor again; Escape hides it, which stores the text as well.
  QTest::keyClick(grid, Qt::Key_Return);
  ASSERT_TRUE(EditorVisible());
  QTest::keyClick(Line(), Qt::Key_End);
  QTest::keyClicks(Line(), QStringLiteral("9"));
  EXPECT_EQ(Editor()->Text(), QStringLiteral("12.59"));
  QTest::keyClick(Line(), Qt::Key_Escape);
  EXPECT_FALSE(EditorVisible());
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("12.59"));
  EXPECT_EQ(stores, 2);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_TRUE(grid->Focused());
}

TEST_F(InplaceEditing, EditingEventsComeInOrder) {
  QStringList log;
  grid->OnGetEditMask = [&](TObject*, int c, int r, QString&) { log << QStringLiteral("mask %1,%2").arg(c).arg(r); };
  grid->OnGetEditText = [&](TObject*, int, int, QString& v) {
    log << QStringLiteral("get ") + v;
    v = QStringLiteral("given");  // the handler decides the starting text
  };
  grid->OnSetForeText = [&](TObject*, int, int, QString& v) { log << QStringLiteral("fore ") + v; };
  grid->OnSetEditText = [&](TObject*, int, int, const QString& v) { log << QStringLiteral("set ") + v; };
  grid->OnHideEdit = [&](TObject*, int c, int r, const QString& v) {
    log << QStringLiteral("hide %1,%2 ").arg(c).arg(r) + v;
  };
  grid->SetForeText(1, 1, QStringLiteral("old"));
  log.clear();
  Open(1, 1);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("given"));
  QTest::keyClicks(Line(), QStringLiteral("new"));
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_EQ(log, (QStringList{QStringLiteral("mask 1,1"), QStringLiteral("get old"), QStringLiteral("fore new"),
                              QStringLiteral("set new"), QStringLiteral("hide 1,1 new")}));
  EXPECT_EQ(grid->GetForeText(1, 1), QStringLiteral("new"));

  // Escape closes the editor the same way.
  log.clear();
  Open(1, 1);
  QTest::keyClicks(Line(), QStringLiteral("zz"));
  QTest::keyClick(Line(), Qt::Key_Escape);
  EXPECT_EQ(log, (QStringList{QStringLiteral("mask 1,1"), QStringLiteral("get new"), QStringLiteral("fore zz"),
                              QStringLiteral("set zz"), QStringLiteral("hide 1,1 zz")}));
}

TEST_F(InplaceEditing, ReadOnlyCellsAndGridsWithoutEditingRefuseTheEditor) {
  grid->SetRangeCellProp(GridRect(2, 2, 2, 2), TCellProp::ReadOnly, true);
  grid->SetForeText(2, 2, QStringLiteral("fixed"));
  grid->SetCurrentCell(2, 2);
  QTest::keyClick(grid, Qt::Key_F2);
  EXPECT_FALSE(EditorVisible());
  QTest::keyClicks(grid, QStringLiteral("ab"));
  EXPECT_FALSE(EditorVisible());
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("fixed"));

  grid->SetOptions(grid->Options() & ~unsigned(goEditing));
  grid->SetCurrentCell(3, 3);
  QTest::keyClick(grid, Qt::Key_F2);
  EXPECT_FALSE(EditorVisible());
  grid->SetOptions(grid->Options() | goEditing | goRowSelect);
  QTest::keyClick(grid, Qt::Key_F2);
  EXPECT_FALSE(EditorVisible());
}

TEST_F(InplaceEditing, ATypedCharacterOpensTheEditorInPlaceOfTheText) {
  grid->SetForeText(2, 2, QStringLiteral("old"));
  grid->SetCurrentCell(2, 2);
  QTest::keyClicks(grid, QStringLiteral("n"));
  ASSERT_TRUE(EditorVisible());
  QTest::keyClicks(Line(), QStringLiteral("ew"));
  EXPECT_EQ(Editor()->Text(), QStringLiteral("new"));
  // Moving to another cell stores the text.
  grid->SetCurrentCell(3, 3);
  EXPECT_FALSE(EditorVisible());
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("new"));
}

// Text composed by an input method over a closed cell opens the editor and goes into it,
// as typed characters do. The grid takes composed text only while typing can open the
// editor.
TEST_F(InplaceEditing, AnInputMethodCommitOverAClosedCellOpensTheEditorWithIt) {
  const auto takesComposedText = [this] {
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(grid, &query);
    return query.value(Qt::ImEnabled).toBool();
  };
  grid->SetForeText(2, 2, QStringLiteral("old"));
  grid->SetCurrentCell(2, 2);
  ASSERT_TRUE(takesComposedText());
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("工会"));
  QApplication::sendEvent(grid, &commit);
  ASSERT_TRUE(EditorVisible());
  EXPECT_EQ(Editor()->Text(), QStringLiteral("工会"));
  grid->SetCurrentCell(3, 3);
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("工会"));
  grid->SetOptions(grid->Options() | goRowSelect);
  EXPECT_FALSE(takesComposedText());
  grid->SetOptions(grid->Options() & ~(goRowSelect | goEditing));
  EXPECT_FALSE(takesComposedText());
}

TEST_F(InplaceEditing, NumberCellsTakeOnlyTextsTheNumberRuleAccepts) {
  NumberCell(2, 2);  // 3 whole places, 2 decimals, negatives allowed
  struct Case {
    const char* start;
    int caret;
    int selection;
    const char* keys;
    const char* expected;
    int beeps;  // refusals are silent
  };
  const Case cases[] = {
      {"12", 2, 0, "a", "12", 0},
      {"12", 2, 0, "3", "123", 0},
      {"123", 3, 0, "4", "123", 0},
      {"", 0, 0, ".", "0.", 0},
      {"-", 1, 0, ".", "-0.", 0},
      {"1.25", 4, 0, "1", "1.25", 0},
      {"45", 0, 2, "9", "945", 0},  // a selection is kept, the digit goes in front of it
      {"4", 1, 0, "-", "4", 0},
  };
  for (const Case& c : cases) {
    Open(2, 2);
    Editor()->SetText(QString::fromUtf8(c.start));
    Editor()->SetSelStart(c.caret);
    Editor()->SetSelLength(c.selection);
    const int before = hooks.Beeps;
    QTest::keyClicks(Line(), QString::fromUtf8(c.keys));
    EXPECT_EQ(Editor()->Text(), QString::fromUtf8(c.expected)) << c.start << " + " << c.keys;
    EXPECT_EQ(hooks.Beeps - before, c.beeps) << c.start << " + " << c.keys;
    QTest::keyClick(Line(), Qt::Key_Escape);
  }
  EXPECT_TRUE(hooks.Messages.empty());
}

TEST_F(InplaceEditing, PastesIntoNumberCellsPassTheNumberRule) {
  NumberCell(2, 2);
  Open(2, 2);
  Editor()->SetText(QStringLiteral("1"));
  Editor()->SetSelStart(1);
  QApplication::clipboard()->setText(QStringLiteral("2.5"));
  QTest::keyClick(Line(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("12.5"));
  EXPECT_EQ(Editor()->SelStart(), 4);
  QApplication::clipboard()->setText(QStringLiteral("x7"));
  QTest::keyClick(Line(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("12.5"));
  // A paste over a selection replaces it; one that would leave two points is refused.
  Editor()->SetSelStart(0);
  Editor()->SetSelLength(2);
  QApplication::clipboard()->setText(QStringLiteral(".7"));
  QTest::keyClick(Line(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("12.5"));
  Editor()->SetSelStart(0);
  Editor()->SetSelLength(2);
  QApplication::clipboard()->setText(QStringLiteral("9"));
  QTest::keyClick(Line(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("9.5"));
  // Refused pastes of number cells are dropped without a sound.
  EXPECT_EQ(hooks.Beeps, 0);
}

TEST_F(InplaceEditing, NumberCellWithThousandSeparatorsEditsThePlainNumber) {
  NumberCell(2, 2);
  grid->SetRangeCellProp(GridRect(2, 2, 2, 2), TCellProp::ThousandSep, true);
  grid->SetRangeCellProp(GridRect(2, 2, 2, 2), TCellProp::IntLength, 6);
  grid->SetForeText(2, 2, QStringLiteral("1234.5"));
  const QString shown = grid->GetForeText(2, 2);
  EXPECT_NE(shown, QStringLiteral("1234.5"));  // grouped
  Open(2, 2);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("1234.5"));
  // Unchanged, the stored text keeps its separators.
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_EQ(grid->GetForeText(2, 2), shown);
}

TEST_F(InplaceEditing, EditMasksRefuseIncompleteTextsWithTheFormatMessage) {
  grid->OnGetEditMask = [](TObject*, int, int, QString& v) { v = QStringLiteral("000;1;_"); };
  Open(2, 2);
  QTest::keyClicks(Line(), QStringLiteral("12"));
  QTest::keyClick(Line(), Qt::Key_Return);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("请输入正确格式的数据。"));
  EXPECT_EQ(hooks.Messages[0].Caption, QStringLiteral("提示"));
  EXPECT_TRUE(EditorVisible());
  EXPECT_TRUE(grid->GetForeText(2, 2).isEmpty());
  // Nor may the current cell move away from the refused text.
  grid->SetCurrentCell(3, 3);
  EXPECT_EQ(grid->Col(), 2);
  QTest::keyClicks(Line(), QStringLiteral("3"));
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_FALSE(EditorVisible());
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("123"));
  // An emptied time field does not fit its mask either; the grid's Delete key clears
  // the cell.
  grid->SetRangeCellProp(GridRect(3, 2, 3, 2), TCellProp::DataStyle, TDataStyle::dsTime);
  grid->SetForeText(3, 2, QStringLiteral("08:30:00"));
  hooks.Messages.clear();
  Open(3, 2);
  QTest::keyClick(Line(), Qt::Key_Backspace);
  QTest::keyClick(Line(), Qt::Key_Return);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("请输入正确格式的数据。"));
  EXPECT_TRUE(EditorVisible());
  EXPECT_EQ(grid->GetForeText(3, 2), QStringLiteral("08:30:00"));
  QTest::keyClicks(Line(), QStringLiteral("083000"));
  QTest::keyClick(Line(), Qt::Key_Return);
  ASSERT_FALSE(EditorVisible());
  QTest::keyClick(grid, Qt::Key_Delete);
  EXPECT_TRUE(grid->GetForeText(3, 2).isEmpty());
}

TEST_F(InplaceEditing, DateCellsEditWithTheDateMaskAndStoreIsoDates) {
  grid->SetRangeCellProp(GridRect(2, 2, 2, 2), TCellProp::DataStyle, TDataStyle::dsDate);
  Open(2, 2);
  EXPECT_EQ(Editor()->EditMask(), QStringLiteral("9999/99/99;1; "));
  QTest::keyClicks(Line(), QStringLiteral("20140506"));
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_FALSE(EditorVisible());
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("2014-05-06"));
  // A stored date comes back into the mask and is stored unchanged.
  Open(2, 2);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("2014/05/06"));
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("2014-05-06"));
  // A date that does not exist shows the grid's error box and stays in the editor.
  Open(2, 2);
  QTest::keyClicks(Line(), QStringLiteral("20141345"));
  QTest::keyClick(Line(), Qt::Key_Return);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.startsWith(QStringLiteral("单元格[2,2]内容不合法,请写入正确的日期。")));
  EXPECT_TRUE(EditorVisible());
  EXPECT_EQ(Editor()->Text(), QStringLiteral("2014/13/45"));
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("2014-05-06"));
  // Escape stores too: the same refusal, and the editor stays until the date is right.
  QTest::keyClick(Line(), Qt::Key_Escape);
  EXPECT_EQ(hooks.Messages.size(), 2u);
  EXPECT_TRUE(EditorVisible());
  Editor()->SelectAll();
  QTest::keyClicks(Line(), QStringLiteral("20140507"));
  QTest::keyClick(Line(), Qt::Key_Escape);
  EXPECT_FALSE(EditorVisible());
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("2014-05-07"));
  hooks.Messages.clear();
  // Left blank, the date stays empty without a message.
  grid->SetForeText(2, 2, QString());
  Open(2, 2);
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_TRUE(grid->GetForeText(2, 2).isEmpty());
  EXPECT_TRUE(hooks.Messages.empty());
}

TEST(EditMaskToInputMask, TranslatesTheMaskLetters) {
  EXPECT_EQ(EditMaskToInputMask(QStringLiteral("9999/99/99;1; ")), QStringLiteral("0000/00/00; "));
  EXPECT_EQ(EditMaskToInputMask(QStringLiteral("00:00:00;1; ")), QStringLiteral("99:99:99; "));
  EXPECT_EQ(EditMaskToInputMask(QStringLiteral("LlAaCc")), QStringLiteral("AaNnXx;_"));
  EXPECT_EQ(EditMaskToInputMask(QStringLiteral("\\0X")), QStringLiteral("\\0\\X;_"));
  EXPECT_TRUE(EditMaskToInputMask(QString()).isEmpty());
}

} // namespace

namespace {

using namespace fw;

TEST_F(InplaceEditing, DoubleClickOpensAndLeavingTheGridStores) {
  TEdit* other = new TEdit(&form);
  other->SetParent(&form);
  other->SetBounds(0, 320, 100, 21);
  grid->SetCurrentCell(3, 2);
  const TRect r = grid->CellRect(3, 2);
  QTest::mouseDClick(grid, Qt::LeftButton, {}, QPoint(r.Left + 5, r.Top + 5));
  ASSERT_TRUE(EditorVisible());
  QTest::keyClicks(Line(), QStringLiteral("typed"));
  other->SetFocus();
  QApplication::processEvents();
  EXPECT_FALSE(EditorVisible());
  EXPECT_EQ(grid->GetForeText(3, 2), QStringLiteral("typed"));
}

TEST_F(InplaceEditing, EditorFollowsItsCellWhenColumnsChangeOrTheGridScrolls) {
  Open(3, 3);
  const int left = Editor()->Left();
  grid->SetColWidths(1, grid->GetColWidths(1) + 20);
  EXPECT_EQ(Editor()->Left(), left + 20);
  EXPECT_EQ(Editor()->Left(), grid->BorderWidth() + grid->CellRect(3, 3).Left + 2);
  grid->SetTopLeft(2, 1);
  EXPECT_EQ(Editor()->Left(), grid->BorderWidth() + grid->CellRect(3, 3).Left + 2);
  // A shrink that takes the edited cell away closes the editor without storing.
  QTest::keyClicks(Line(), QStringLiteral("x"));
  grid->SetColCount(3);
  EXPECT_FALSE(EditorVisible());
}

// The editor lies 2 pixels inside its cell on every side, so each stroke of the thick
// focus frame stays in sight around it.
TEST_F(InplaceEditing, TheFocusFrameStaysVisibleAroundTheEditor) {
  grid->SetRangeCellProp(GridRect(2, 2, 2, 2), TCellProp::Color, clYellow);
  Open(2, 2);
  QApplication::processEvents();
  const QImage image = grid->grab().toImage();
  const int b = grid->BorderWidth();
  const TRect r = grid->CellRect(2, 2);
  const int midX = b + (r.Left + r.Right) / 2, midY = b + (r.Top + r.Bottom) / 2;
  const QRgb black = QColor(Qt::black).rgb(), yellow = QColor(Qt::yellow).rgb();
  EXPECT_EQ(image.pixel(midX, midY), yellow);  // the editor
  EXPECT_EQ(image.pixel(b + r.Left + 1, midY), black);
  EXPECT_EQ(image.pixel(midX, b + r.Top + 1), black);
  EXPECT_EQ(image.pixel(b + r.Right - 2, midY), black);
  EXPECT_EQ(image.pixel(midX, b + r.Bottom - 2), black);
}

TEST_F(InplaceEditing, AlwaysShownEditorMovesWithTheCurrentCellAndEnterTogglesTheSelection) {
  grid->SetForeText(3, 3, QStringLiteral("abc"));
  grid->SetOptions(grid->Options() | goAlwaysShowEditor);
  grid->SetCurrentCell(2, 2);
  ASSERT_TRUE(EditorVisible());
  QTest::keyClicks(Line(), QStringLiteral("kept"));
  grid->SetCurrentCell(3, 3);
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("kept"));
  ASSERT_TRUE(EditorVisible());
  EXPECT_EQ(Editor()->EditCol(), 3);
  EXPECT_EQ(Editor()->SelText(), QStringLiteral("abc"));
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_TRUE(EditorVisible());
  EXPECT_TRUE(Editor()->SelText().isEmpty());
  EXPECT_EQ(Editor()->SelStart(), 3);
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_EQ(Editor()->SelText(), QStringLiteral("abc"));
}

TEST_F(InplaceEditing, WithoutCanModifyTheEditorChangesNothing) {
  grid->SetForeText(2, 2, QStringLiteral("same"));
  grid->SetCanModify(false);
  Open(2, 2);
  QTest::keyClick(Line(), Qt::Key_End);
  QTest::keyClicks(Line(), QStringLiteral("x"));
  QTest::keyClick(Line(), Qt::Key_Backspace);
  QApplication::clipboard()->setText(QStringLiteral("y"));
  QTest::keyClick(Line(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("same"));
  EXPECT_EQ(hooks.Beeps, 0);
}

} // namespace

namespace {

using namespace fw;

TEST_F(InplaceEditing, TheEditorWrapsLongTextsInsideTheCellAndMasksEditOnOneLine) {
  grid->SetColWidths(2, 60);
  grid->SetRowHeights(2, 60);
  const QString text = QStringLiteral("中华全国总工会基层以上组织统计年报");
  grid->SetForeText(2, 2, text);
  Open(2, 2);
  QPlainTextEdit* box = Editor()->TextBox();
  ASSERT_EQ(Line(), box);
  EXPECT_FALSE(Editor()->Masked());
  EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  // The text breaks into several lines within the cell's width; nothing scrolls sideways.
  const QTextLayout* layout = box->document()->firstBlock().layout();
  ASSERT_TRUE(layout);
  EXPECT_GT(layout->lineCount(), 1);
  for (int i = 0; i < layout->lineCount(); ++i) EXPECT_LE(layout->lineAt(i).naturalTextWidth(), box->viewport()->width());
  EXPECT_LE(Editor()->Width(), 60);
  QTest::keyClick(Line(), Qt::Key_Escape);
  // A date cell edits in the masked one-line field.
  grid->SetRangeCellProp(GridRect(3, 2, 3, 2), TCellProp::DataStyle, TDataStyle::dsDate);
  Open(3, 2);
  EXPECT_TRUE(Editor()->Masked());
  EXPECT_EQ(Line(), Editor()->Widget());
  EXPECT_FALSE(box->isVisible());
  QTest::keyClick(Line(), Qt::Key_Escape);
  // Back in a text cell, the wrapping box again.
  Open(2, 2);
  EXPECT_EQ(Line(), box);
  EXPECT_TRUE(box->isVisible());
}

TEST_F(InplaceEditing, TypedEnterAndTabNeverBreakTheLine) {
  Open(2, 2);
  QTest::keyClicks(Line(), QStringLiteral("ab"));
  QTest::keyClick(Line(), Qt::Key_Tab);
  EXPECT_EQ(Editor()->Text(), QStringLiteral("ab"));
  // With goTabs, Tab stores the text and moves on to the next column.
  grid->SetOptions(grid->Options() | goTabs);
  QTest::keyClick(Line(), Qt::Key_Tab);
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("ab"));
  EXPECT_EQ(grid->Col(), 3);
  // A pasted text of several lines arrives whole in a text cell.
  Open(4, 2);
  QApplication::clipboard()->setText(QStringLiteral("一\r\n二"));
  QTest::keyClick(Line(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_EQ(grid->GetForeText(4, 2), QStringLiteral("一\n二"));
}

TEST_F(InplaceEditing, APressSoonAfterAPressOnTheGridIsADoubleClickInTheEditor) {
  grid->SetOptions(grid->Options() | goAlwaysShowEditor);
  grid->SetForeText(3, 3, QStringLiteral("alpha beta"));
  grid->SetCurrentCell(2, 2);
  ASSERT_TRUE(EditorVisible());
  hooks.FixedNow = QDateTime(QDate(2014, 3, 1), QTime(9, 0));
  const TRect r = grid->CellRect(3, 3);
  const int b = grid->BorderWidth();
  QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(b + r.Left + 5, b + r.Top + 5));
  ASSERT_EQ(Editor()->EditCol(), 3);
  Editor()->SetSelStart(0);
  hooks.FixedNow = hooks.FixedNow.addMSecs(100);
  QWidget* viewport = Editor()->TextBox()->viewport();
  QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(Editor()->SelText(), QStringLiteral("alpha"));  // a double click takes the word
  // Later than the double-click time it is a plain click.
  Editor()->SetSelStart(0);
  grid->SetCurrentCell(2, 2);
  QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(b + r.Left + 5, b + r.Top + 5));
  hooks.FixedNow = hooks.FixedNow.addSecs(5);
  QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(Editor()->SelText().isEmpty());
}

TEST_F(InplaceEditing, SettingOptionsShowsOrHidesTheAlwaysShownEditor) {
  grid->SetCurrentCell(2, 2);
  EXPECT_FALSE(EditorVisible());
  grid->SetOptions(grid->Options() | goAlwaysShowEditor);
  EXPECT_TRUE(EditorVisible());
  // An editor in use stays until it ends; without the option Enter ends it.
  grid->SetOptions(grid->Options() & ~unsigned(goAlwaysShowEditor));
  EXPECT_TRUE(EditorVisible());
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_FALSE(EditorVisible());
  // Row selection excludes an always-shown editor.
  grid->SetOptions(grid->Options() | goAlwaysShowEditor | goRowSelect);
  EXPECT_FALSE(grid->Options() & goAlwaysShowEditor);
  EXPECT_FALSE(EditorVisible());
  // Editing allowed later on a grid that always shows its editor: the editor shows.
  grid->SetOptions(goAlwaysShowEditor);
  EXPECT_FALSE(EditorVisible());
  grid->SetOptions(goAlwaysShowEditor | goEditing);
  EXPECT_TRUE(EditorVisible());
}

} // namespace

namespace {

using namespace fw;

// Delete clears the selection and F2 opens the editor with the caret after the text;
// with Shift, a key that does not extend the selection makes the moving corner the
// current cell, after clearing (Delete) and before opening the editor (F2, a typed
// letter). Ctrl takes neither key.
TEST_F(InplaceEditing, DeleteAndF2WithShiftEndOnTheMovingCorner) {
  struct Case {
    const char* Name;
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    TGridRect Selection;  // afterwards; the current cell is its top-left
    bool Cleared;
    bool Editing;
    const char* Typed;  // the editor's text when typed into, else the cell's
  };
  const TGridRect range{2, 2, 3, 3};
  const TGridRect corner{3, 3, 3, 3};
  const Case cases[] = {
      {"delete", Qt::Key_Delete, Qt::NoModifier, range, true, false, nullptr},
      {"shift+delete", Qt::Key_Delete, Qt::ShiftModifier, corner, true, false, nullptr},
      {"ctrl+delete", Qt::Key_Delete, Qt::ControlModifier, range, false, false, nullptr},
      {"f2", Qt::Key_F2, Qt::NoModifier, range, false, true, nullptr},
      {"shift+f2", Qt::Key_F2, Qt::ShiftModifier, corner, false, true, nullptr},
      {"ctrl+f2", Qt::Key_F2, Qt::ControlModifier, range, false, false, nullptr},
      {"shift+a", Qt::Key_A, Qt::ShiftModifier, corner, false, true, "a"},
  };
  for (const Case& c : cases) {
    for (int col = 2; col <= 3; ++col)
      for (int row = 2; row <= 3; ++row) grid->SetForeText(col, row, QStringLiteral("%1%2").arg(col).arg(row));
    grid->SetCurrentCell(2, 2);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(grid->Selection(), range) << c.Name;
    QTest::keyClick(grid, c.Key, c.Mods);
    EXPECT_EQ(grid->Selection(), c.Selection) << c.Name;
    EXPECT_EQ(grid->Col(), c.Selection.Left) << c.Name;
    EXPECT_EQ(grid->Row(), c.Selection.Top) << c.Name;
    int texts = 0;
    for (int col = 2; col <= 3; ++col)
      for (int row = 2; row <= 3; ++row) texts += grid->GetForeText(col, row).isEmpty() ? 0 : 1;
    EXPECT_EQ(texts, c.Cleared ? 0 : 4) << c.Name;
    ASSERT_EQ(EditorVisible(), c.Editing) << c.Name;
    if (!c.Editing) continue;
    EXPECT_EQ(Editor()->EditCol(), c.Selection.Left) << c.Name;
    EXPECT_EQ(Editor()->EditRow(), c.Selection.Top) << c.Name;
    EXPECT_EQ(Editor()->Text(), c.Typed ? QString::fromUtf8(c.Typed) : grid->GetForeText(c.Selection.Left, c.Selection.Top))
        << c.Name;
    EXPECT_EQ(Editor()->SelStart(), int(Editor()->Text().size())) << c.Name;
    EXPECT_EQ(Editor()->SelLength(), 0) << c.Name;
    QTest::keyClick(Line(), Qt::Key_Escape);
  }
}

TEST_F(InplaceEditing, F2OpensWithTheCaretAfterTheTextAndBackspaceOpensToo) {
  grid->SetForeText(2, 2, QStringLiteral("abc"));
  grid->SetCurrentCell(2, 2);
  QTest::keyClick(grid, Qt::Key_F2);
  ASSERT_TRUE(EditorVisible());
  EXPECT_TRUE(Editor()->SelText().isEmpty());
  EXPECT_EQ(Editor()->SelStart(), 3);
  QTest::keyClicks(Line(), QStringLiteral("d"));
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_EQ(grid->GetForeText(2, 2), QStringLiteral("abcd"));
  // Backspace typed into the grid opens the editor and takes the selected text away.
  QTest::keyClick(grid, Qt::Key_Backspace);
  ASSERT_TRUE(EditorVisible());
  EXPECT_TRUE(Editor()->Text().isEmpty());
}

} // namespace
