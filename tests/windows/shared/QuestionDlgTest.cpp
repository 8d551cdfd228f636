// The question dialog: buttons and width for each bit set, answers, the hook.
#include "windows/shared/QuestionDlg.h"

#include "controls/common/FwToolbar.h"
#include "controls/common/FwToolButton.h"
#include "platform/shell/Hooks.h"
#include "platform/shell/ShownText.h"
#include "platform/ui/Label.h"
#include "tests/windows/shared/BarLooks.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace fw;

namespace {
struct Seen {
  bool ok = false, no = false, all = false, none = false;
  int width = 0;
  int barRight = 0, barBottom = 0;
};

Seen Look(TForm& form) {
  auto& dlg = dynamic_cast<TQuestionDlg&>(form);
  Seen s;
  s.ok = dlg.tbOK->Visible();
  s.no = dlg.tbCancel->Visible();
  s.all = dlg.tbCopyAll->Visible();
  s.none = dlg.tbNotToAll->Visible();
  s.width = dlg.ClientWidth();
  s.barRight = dlg.DlgToolBar->Left() + dlg.DlgToolBar->Width();
  s.barBottom = dlg.DlgToolBar->Top() + dlg.DlgToolBar->Height();
  EXPECT_EQ(s.barRight, dlg.ClientWidth());
  EXPECT_EQ(s.barBottom, dlg.ClientHeight());
  return s;
}
} // namespace

TEST(QuestionDlg, ShowsTheButtonsOfTheBitsAndSizesToThem) {
  struct Case {
    int bits;
    bool ok, no, all, none;
  };
  std::map<int, int> widths;
  for (const Case c : {Case{1, true, false, false, false}, Case{3, true, true, false, false},
                       Case{7, true, true, true, false}, Case{15, true, true, true, true},
                       Case{8, false, false, false, true}}) {
    Seen seen;
    ScopedModalScript script([&](TForm& form) {
      seen = Look(form);
      return int(mrYes);
    });
    EXPECT_EQ(AskQuestion(QStringLiteral("是否继续？"), c.bits), mrYes);
    EXPECT_EQ(seen.ok, c.ok) << c.bits;
    EXPECT_EQ(seen.no, c.no) << c.bits;
    EXPECT_EQ(seen.all, c.all) << c.bits;
    EXPECT_EQ(seen.none, c.none) << c.bits;
    widths[c.bits] = seen.width;
  }
  EXPECT_LT(widths[3], widths[15]);
  EXPECT_EQ(widths[15], int(1.5 * 297));
}

TEST(QuestionDlg, EachButtonGivesItsAnswerAndClosingGivesTwo) {
  struct Case {
    int button;  // 0..3, or -1 to close the window
    int answer;
  };
  for (const Case c : {Case{0, 6}, Case{1, 7}, Case{2, 10}, Case{3, 9}, Case{-1, 2}}) {
    ScopedModalScript script([&](TForm& form) {
      auto& dlg = dynamic_cast<TQuestionDlg&>(form);
      TFwToolButton* buttons[] = {dlg.tbOK, dlg.tbCancel, dlg.tbCopyAll, dlg.tbNotToAll};
      if (c.button < 0) {
        dlg.Close();
        return int(mrNone);
      }
      QTest::mouseClick(buttons[c.button], Qt::LeftButton, {}, QPoint(5, 5));
      return int(mrNone);
    });
    EXPECT_EQ(AskQuestion(QStringLiteral("覆盖文件？"), 15), c.answer) << c.button;
  }
}

// Enter answers with the default button: the first shown, or the one MB_DEFBUTTON2/3
// names among those shown; Escape answers 2 like closing the window.
TEST(QuestionDlg, EnterGivesTheDefaultAnswerAndEscapeTwo) {
  struct Case {
    int bits;
    Qt::Key key;
    int answer;
  };
  const Case cases[] = {
      {1 | 2, Qt::Key_Return, 6},
      {1 | 2 | MB_DEFBUTTON2, Qt::Key_Return, 7},
      {1 | 2 | MB_DEFBUTTON2, Qt::Key_Enter, 7},
      {15 | MB_DEFBUTTON3, Qt::Key_Return, 10},
      {2 | 4, Qt::Key_Return, 7},                  // 否 first of the two shown
      {2 | 8 | MB_DEFBUTTON2, Qt::Key_Return, 9},  // the second shown is 全都否
      {1 | 2 | MB_DEFBUTTON3, Qt::Key_Return, 6},  // no third button: the first
      {1 | 2 | MB_DEFBUTTON2, Qt::Key_Escape, 2},
  };
  for (const Case& c : cases) {
    ScopedModalScript script([&](TForm& form) {
      QTest::keyClick(&form, c.key);
      return int(mrNone);
    });
    EXPECT_EQ(AskQuestion(QStringLiteral("删除选中的记录？"), c.bits), c.answer) << c.bits << " " << c.key;
  }
}

TEST(QuestionDlg, LongQuestionWidensTheDialog) {
  int width = 0;
  ScopedModalScript script([&](TForm& form) {
    width = form.ClientWidth();
    auto& dlg = dynamic_cast<TQuestionDlg&>(form);
    EXPECT_EQ(width, dlg.Question->Left() + dlg.Question->Width() + 25);
    return int(mrNo);
  });
  AskQuestion(QString(60, QChar(0x6570)), 3);
  EXPECT_GT(width, int(1.5 * 297));
}

// A question quoting a huge text from a file shows at once, cut short.
TEST(QuestionDlg, AHugeQuestionIsCutShort) {
  const QString huge = QStringLiteral("<b>导入") + QString(1 << 20, QLatin1Char('x'));
  QString shown;
  ScopedModalScript script([&](TForm& form) {
    shown = dynamic_cast<TQuestionDlg&>(form).Question->Caption();
    return int(mrNo);
  });
  EXPECT_EQ(AskQuestion(huge, 3), mrNo);
  EXPECT_EQ(shown, CutForShowing(huge, kShownTextLength));
}

TEST(QuestionDlg, TheHookAsksThroughTheDialog) {
  const Hooks saved = CurrentHooks();
  InstallQuestionDialogHook();
  QString asked;
  {
    ScopedModalScript script([&](TForm& form) {
      asked = dynamic_cast<TQuestionDlg&>(form).Question->Caption();
      return int(mrNoToAll);
    });
    EXPECT_EQ(CurrentHooks().Question(QStringLiteral("删除记录？"), 15), IDNOTOALL);
  }
  EXPECT_EQ(asked, QStringLiteral("删除记录？"));
  InstallHooks(saved);
}

// The answers with their pictures (no hot ones) on a grooved classic bar; a gap shows only
// between two shown answers.
TEST(QuestionDlg, AnswersWithPicturesAndGapsOnlyBetweenShownAnswers) {
  TQuestionDlg dlg(nullptr);
  fwtest::ExpectBars(dlg, {{"DlgToolBar", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, false, TFrameStyleEx::fsGroove, 3, 3, 0}});
  dlg.Prepare(QStringLiteral("是否继续？"), 15);
  fwtest::ExpectBars(dlg, {{"DlgToolBar", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, false, TFrameStyleEx::fsGroove, 3, 0, 0}});
  fwtest::ExpectButtons(dlg, {{"tbOK", 0, blkNone, false, false, false},
                              {"tbCancel", 0, blkNone, false, false, false},
                              {"tbCopyAll", 0, blkNone, false, false, true},
                              {"tbNotToAll", 0, blkNone, false, false, true}});
  dlg.Prepare(QStringLiteral("是否继续？"), 5);
  fwtest::ExpectBars(dlg, {{"DlgToolBar", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, false, TFrameStyleEx::fsGroove, 3, 2, 0}});
  EXPECT_EQ(dlg.tbCopyAll->Left() - (dlg.tbOK->Left() + dlg.tbOK->Width()), 8);
}
