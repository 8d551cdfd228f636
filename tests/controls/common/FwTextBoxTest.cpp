// The library's multi-line boxes, TFwMemo and TFwRichEdit: the caret's line and column
// with their events, Enter as Tab, the wheel by lines or pages, the clipboard event,
// the read-only colours and the rich edit's disabled state.
#include "controls/common/FwMemo.h"
#include "controls/common/FwRichEdit.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// A shown form with the box between two edits.
template <class Box>
struct Host {
  TForm form{nullptr};
  TEdit* before = new TEdit(&form);
  Box* box = new Box(&form);
  TEdit* after = new TEdit(&form);
  std::vector<std::pair<int, int>> lineCols;
  Host() {
    for (TControl* c : std::initializer_list<TControl*>{before, box, after}) c->SetParent(&form);
    before->SetTabOrder(0);
    box->SetTabOrder(1);
    after->SetTabOrder(2);
    box->SetBounds(0, 30, 200, 100);
    after->SetTop(140);
    form.SetBounds(0, 0, 240, 200);
    box->OnLineColChange = [this](TObject*, int line, int column) { lineCols.push_back({line, column}); };
    form.Show();
    form.activateWindow();
    QApplication::processEvents();
  }
};

template <class Box>
class FwTextBoxTest : public ::testing::Test {};
using Boxes = ::testing::Types<TFwMemo, TFwRichEdit>;
TYPED_TEST_SUITE(FwTextBoxTest, Boxes);

TYPED_TEST(FwTextBoxTest, LineAndColumnOfTheCaret) {
  Host<TypeParam> h;
  EXPECT_EQ(h.box->Line(), 1); // an empty box
  EXPECT_EQ(h.box->Column(), 1);
  h.box->SetText(QStringLiteral("abc\ndefgh\ni"));
  h.lineCols.clear();
  h.box->SetLine(2);
  EXPECT_EQ(h.box->Line(), 2);
  EXPECT_EQ(h.box->Column(), 1);
  h.box->SetColumn(4);
  EXPECT_EQ(h.box->Column(), 4);
  EXPECT_EQ(h.lineCols, (std::vector<std::pair<int, int>>{{2, 1}, {2, 4}}));
  // Past the line's end, and lines the text lacks, leave the caret where it was.
  h.box->SetColumn(7);
  h.box->SetLine(9);
  EXPECT_EQ(h.box->Line(), 2);
  EXPECT_EQ(h.box->Column(), 4);
  h.box->SetColumn(6); // just after the last character
  EXPECT_EQ(h.box->Column(), 6);
  EXPECT_EQ(h.lineCols.size(), 3u);
}

// A paragraph that wraps counts as several lines, as the box shows them: each step of
// the caret down a shown line is one line on.
TYPED_TEST(FwTextBoxTest, WrappedParagraphCountsItsDisplayLines) {
  Host<TypeParam> h;
  h.box->SetText(QStringLiteral("ab\n") + QStringLiteral("word ").repeated(30) + QStringLiteral("\nz"));
  auto* edit = h.box->Widget();
  auto lineStart = [edit](int downs) {
    edit->moveCursor(QTextCursor::Start);
    for (int i = 0; i < downs; ++i) edit->moveCursor(QTextCursor::Down);
    return edit->textCursor().position();
  };
  std::vector<int> lines;
  edit->moveCursor(QTextCursor::Start);
  for (int before = -1; edit->textCursor().position() != before && lines.size() < 50;) {
    lines.push_back(h.box->Line());
    EXPECT_EQ(h.box->Column(), 1);
    before = edit->textCursor().position();
    edit->moveCursor(QTextCursor::Down);
  }
  ASSERT_GT(lines.size(), 4u);  // the paragraph took several lines
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], int(i) + 1);

  const int third = lineStart(2);  // the paragraph's second shown line
  edit->moveCursor(QTextCursor::Start);
  h.box->SetLine(3);
  EXPECT_EQ(edit->textCursor().position(), third);
  h.box->SetColumn(4);
  EXPECT_EQ(h.box->Line(), 3);
  EXPECT_EQ(h.box->Column(), 4);
  EXPECT_EQ(edit->textCursor().position(), third + 3);
}

TYPED_TEST(FwTextBoxTest, TypingAndClicksReportTheCaret) {
  Host<TypeParam> h;
  h.box->SetFocus();
  QTest::keyClicks(h.box->Widget(), QStringLiteral("ab"));
  QTest::keyClick(h.box->Widget(), Qt::Key_Return);
  QTest::keyClicks(h.box->Widget(), QStringLiteral("c"));
  ASSERT_FALSE(h.lineCols.empty());
  EXPECT_EQ(h.lineCols.back(), std::make_pair(2, 2));
  bool selected = false;
  h.box->OnClipboardChange = [&](TObject*, bool hasSelection, bool) { selected = hasSelection; };
  h.box->Widget()->selectAll();
  QTest::mouseRelease(h.box->Widget()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  QApplication::processEvents();
  EXPECT_TRUE(selected);
  // A click puts the caret where it lands and reports it.
  h.lineCols.clear();
  QTest::mouseClick(h.box->Widget()->viewport(), Qt::LeftButton, {}, QPoint(2, 3));
  QApplication::processEvents();
  ASSERT_FALSE(h.lineCols.empty());
  EXPECT_EQ(h.lineCols.back(), std::make_pair(1, 1));
}

TYPED_TEST(FwTextBoxTest, EnterMovesOnWithTabOnEnter) {
  Host<TypeParam> h;
  h.box->SetText(QStringLiteral("x"));
  h.box->SetTabOnEnter(true);
  h.box->SetFocus();
  QApplication::processEvents();
  QTest::keyClick(h.box->Widget(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(h.after->Focused());
  EXPECT_EQ(h.box->Text(), "x");
  h.box->SetTabOnEnter(false);
  h.box->SetFocus();
  QTest::keyClick(h.box->Widget(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(h.box->Focused());
  EXPECT_EQ(h.box->Lines().size(), 2);
}

TYPED_TEST(FwTextBoxTest, WheelScrollsLinesOrPages) {
  Host<TypeParam> h;
  QStringList lines;
  for (int i = 0; i < 200; ++i) lines << QString::number(i);
  h.box->SetText(lines.join('\n'));
  QApplication::processEvents();
  QScrollBar* bar = h.box->Widget()->verticalScrollBar();
  const int savedLines = QApplication::wheelScrollLines();
  QApplication::setWheelScrollLines(3);
  EXPECT_EQ(h.box->ScrollByWheel(-120), 3);
  EXPECT_EQ(bar->value(), 3 * bar->singleStep());
  EXPECT_EQ(h.box->ScrollByWheel(240), 3); // stops at the top
  EXPECT_EQ(bar->value(), 0);
  QApplication::setWheelScrollLines(kWheelPageScroll);
  EXPECT_EQ(h.box->ScrollByWheel(-120), 1);
  EXPECT_EQ(bar->value(), bar->pageStep());
  QApplication::setWheelScrollLines(savedLines);
  // A handler takes the wheel instead.
  int seen = 0;
  h.box->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    seen = delta;
    handled = true;
  };
  const int before = bar->value();
  QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(h.box->Widget()->viewport(), &wheel);
  EXPECT_EQ(seen, -120);
  EXPECT_EQ(bar->value(), before);
}

TYPED_TEST(FwTextBoxTest, ReadOnlyShowsItsColourUnfocusedAndTheFocusColourFocused) {
  Host<TypeParam> h;
  h.box->SetReadOnlyColor(clInfoBk);
  h.box->SetFocusColor(TColor(0xCCFFFF));
  h.box->SetReadOnly(true);
  EXPECT_EQ(h.box->Color(), clInfoBk);
  h.box->SetFocus();
  QApplication::processEvents();
  EXPECT_EQ(h.box->Color(), TColor(0xCCFFFF));
  h.after->SetFocus();
  QApplication::processEvents();
  EXPECT_EQ(h.box->Color(), clInfoBk);
}

TEST(FwRichEditTest, DisabledKeepsItsTextUngreyedAndGivesUpTheFocus) {
  Host<TFwRichEdit> h;
  h.box->SetDisabledColor(clInfoBk);
  h.box->SetText(QStringLiteral("注意"));
  h.box->SetFocus();
  QApplication::processEvents();
  ASSERT_TRUE(h.box->Focused());
  h.box->SetEnabled(false);
  QApplication::processEvents();
  EXPECT_FALSE(h.box->Enabled());
  EXPECT_FALSE(h.box->Focused());
  EXPECT_TRUE(h.box->Widget()->isEnabled()); // drawn as it was, not greyed
  EXPECT_EQ(h.box->Color(), clInfoBk);
  QTest::keyClicks(h.box->Widget(), QStringLiteral("x"));
  EXPECT_EQ(h.box->Text(), "注意");
  h.box->SetEnabled(true);
  h.box->SetFocus();
  QTest::keyClicks(h.box->Widget(), QStringLiteral("x"));
  EXPECT_EQ(h.box->Text(), "x注意");
}

TEST(FwMemoTest, DisabledMemoTakesTheDisabledColour) {
  Host<TFwMemo> h;
  h.box->SetDisabledColor(clBtnFace);
  h.box->SetEnabled(false);
  EXPECT_EQ(h.box->Color(), clBtnFace);
  h.box->SetEnabled(true);
  EXPECT_EQ(h.box->Color(), clWindow);
}

} // namespace
