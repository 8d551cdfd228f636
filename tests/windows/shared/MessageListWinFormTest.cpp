// The message list window: the grid's rows in call order, rows that grow to their texts
// and never shrink, the double-click jump with its re-entry guard, the window on top of
// the program's windows and usable over a modal one, 900 x 258 with its frame, and the
// page rules listed into it (grabbed to fw_message_list.png).
#include "windows/shared/MessageListWinForm.h"

#include "core/PageRules.h"
#include "grid/EasyGrid.h"
#include "tests/core/WorkingDatabase.h"
#include "tests/support/RuleRecords.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace fw;

struct Jump {
  int Page;
  QString Field;
  bool InProgress;
  friend bool operator==(const Jump&, const Jump&) = default;
};

// The entry form's side of a jump: records what it is asked, and runs `During` inside.
class FakeJumpTarget : public IRuleJumpTarget {
public:
  void JumpToRule(int page, const QString& field) override {
    Jumps.push_back({page, field, List && List->JumpInProgress()});
    if (During) During();
  }
  std::vector<Jump> Jumps;
  TMessageListWinForm* List = nullptr;
  std::function<void()> During;
};

class MessageListTest : public ::testing::Test {
protected:
  MessageListTest() {
    Target.List = &List;
    List.SetJumpTarget(&Target);
  }

  TEasyGrid& Grid() { return *List.Grid; }
  QStringList RowTexts(int row) {
    QStringList texts;
    for (int col = 1; col <= 4; ++col) texts << Grid().GetForeText(col, row);
    return texts;
  }
  void AddThree() {
    List.AddMessage("z003<=z001", "[会员人数]不能大于[职工人数]", "z003", 1);
    List.AddMessage("x002<=x001", "[x2]不能大于[x1]", "x002", 2);
    List.AddMessage("g002>g001", "如果g001>0，那么g002必须大于g001", "g002", 12);
  }
  // A click that makes the row current, then the double click's second press.
  void DoubleClickRow(int row) {
    const TRect r = Grid().CellRect(1, row);
    const QPoint at(r.Left + 5, r.Top + 5);
    QTest::mouseClick(&Grid(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(&Grid(), Qt::LeftButton, Qt::NoModifier, at);
  }

  fwtest::ScriptedHooks Hooks;
  TMessageListWinForm List{nullptr};
  FakeJumpTarget Target;
};

TEST_F(MessageListTest, StartsHiddenAsAnEmptyToolWindow) {
  EXPECT_FALSE(List.isVisible());
  EXPECT_EQ(List.Caption(), "逻辑错误列表");
  EXPECT_TRUE(List.windowFlags().testFlag(Qt::Tool));
  // Above every window of the program (the application steps it back for other programs).
  EXPECT_EQ(List.FormStyle(), TFormStyle::fsStayOnTop);
  EXPECT_TRUE(List.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(List.Width(), 900);
  EXPECT_EQ(List.Height(), 258);
  EXPECT_TRUE(List.IsMessageListEmpty());
  EXPECT_EQ(Grid().ColCount(), 5);
  EXPECT_EQ(Grid().RowCount(), 2);
  EXPECT_EQ(Grid().BorderStyle(), TBorderStyle::bsNone);
  EXPECT_EQ(RowTexts(0), (QStringList{"逻辑关系", "说明", "页号", "变量"}));
}

TEST_F(MessageListTest, RowsInCallOrderAndClearing) {
  AddThree();
  EXPECT_FALSE(List.IsMessageListEmpty());
  ASSERT_EQ(Grid().RowCount(), 4);
  EXPECT_EQ(RowTexts(1), (QStringList{"z003<=z001", "[会员人数]不能大于[职工人数]", "1", "z003"}));
  EXPECT_EQ(RowTexts(2), (QStringList{"x002<=x001", "[x2]不能大于[x1]", "2", "x002"}));
  EXPECT_EQ(RowTexts(3)[2], "12");

  List.ShowMessageList();
  List.ClearMessageList();
  EXPECT_TRUE(List.IsMessageListEmpty());
  EXPECT_FALSE(List.isVisible());
  EXPECT_EQ(Grid().RowCount(), 2);
  EXPECT_EQ(RowTexts(1), (QStringList{"", "", "", ""}));

  // Row 1 is used again for the first message after a clear.
  List.AddMessage("b", "c", "d", 4);
  EXPECT_EQ(Grid().RowCount(), 2);
  EXPECT_EQ(RowTexts(1), (QStringList{"b", "c", "4", "d"}));
}

TEST_F(MessageListTest, RowsGrowToTheirTextsAndNeverShrink) {
  List.AddMessage("", "", "z001", 1);
  EXPECT_EQ(Grid().GetRowHeights(1), 18);  // nothing to show: the default height

  List.AddMessage("短", "短", "z001", 1);
  const int oneLine = Grid().GetRowHeights(2);
  EXPECT_GT(oneLine, 18);

  // A text a little narrower than the column but wider than the room the grid draws it
  // in (the column less its 4-pixel margins) takes two lines.
  TCanvas& canvas = Grid().Canvas();
  canvas.Font().SetName(Grid().GetCellInfo(1, 1).FontName);
  canvas.Font().SetSize(Grid().GetCellInfo(1, 1).FontSize);
  QString text;
  while (canvas.TextWidth(text + "职") <= 340) text += "职";
  ASSERT_GT(canvas.TextWidth(text), 332);
  List.AddMessage(text, "短", "z001", 1);
  const int twoLines = Grid().GetRowHeights(3);
  EXPECT_EQ(twoLines - 8, 2 * (oneLine - 8));

  // The explanation column grows the row as well, and the taller of the two wins.
  List.AddMessage("短", text + text + text, "z001", 1);
  EXPECT_GE(Grid().GetRowHeights(4), 3 * (oneLine - 8) + 8);

  // Row 1 keeps its height after a clear when the new texts need less; new rows start low.
  List.ClearMessageList();
  List.AddMessage(text, "", "z001", 1);
  List.ClearMessageList();
  List.AddMessage("短", "", "z001", 1);
  EXPECT_EQ(Grid().GetRowHeights(1), twoLines);
  List.AddMessage("", "", "z001", 1);
  EXPECT_EQ(Grid().GetRowHeights(2), 18);
}

TEST_F(MessageListTest, DoubleClickJumpsToTheRowsPageAndField) {
  AddThree();
  List.ShowMessageList();
  DoubleClickRow(2);
  ASSERT_EQ(Target.Jumps.size(), 1u);
  EXPECT_EQ(Target.Jumps[0], (Jump{2, "x002", true}));
  EXPECT_FALSE(List.JumpInProgress());
  EXPECT_EQ(Grid().Selection().Top, 1);
  EXPECT_EQ(Grid().Selection().Bottom, 1);

  // A field no editor has still goes to the form, which turns to the page.
  List.AddMessage("r", "e", "nosuch", 7);
  DoubleClickRow(4);
  EXPECT_EQ(Target.Jumps.back(), (Jump{7, "nosuch", true}));
}

TEST_F(MessageListTest, JumpIsNotEnteredAgainWhileItRuns) {
  AddThree();
  Target.During = [this] { List.GridDblClick(&Grid()); };
  List.GridDblClick(&Grid());
  EXPECT_EQ(Target.Jumps.size(), 1u);
  EXPECT_FALSE(List.JumpInProgress());
}

// The empty list's row jumps like any other: to page 0, the cover, and no field.
TEST_F(MessageListTest, EmptyListJumpsToTheCoverAndNoTargetNowhere) {
  List.GridDblClick(&Grid());
  ASSERT_EQ(Target.Jumps.size(), 1u);
  EXPECT_EQ(Target.Jumps[0], (Jump{0, "", true}));
  Target.Jumps.clear();
  AddThree();
  List.SetJumpTarget(nullptr);
  List.GridDblClick(&Grid());
  EXPECT_TRUE(Target.Jumps.empty());
  EXPECT_FALSE(List.JumpInProgress());
}

TEST(MessageListWindow, WindowFreedDuringTheJumpIsNotTouched) {
  QPointer<TMessageListWinForm> list = new TMessageListWinForm(nullptr);
  FakeJumpTarget target;
  target.During = [&] { delete list.data(); };
  list->SetJumpTarget(&target);
  list->AddMessage("r", "e", "z001", 1);
  list->GridDblClick(nullptr);
  EXPECT_TRUE(list.isNull());
  EXPECT_EQ(target.Jumps.size(), 1u);
}

TEST_F(MessageListTest, ShownAtItsPlaceAboveTheModalWindowAndUsable) {
  TForm entry(nullptr);
  entry.setWindowModality(Qt::ApplicationModal);
  entry.SetBounds(0, 0, 400, 300);
  entry.SetVisible(true);
  ASSERT_EQ(QApplication::activeModalWidget(), &entry);

  AddThree();
  List.ShowMessageList();
  EXPECT_TRUE(List.isVisible());
  // 900 x 258 with the frame the desktop adds.
  EXPECT_EQ(List.frameGeometry(), QRect(150, 500, 900, 258));
  ASSERT_NE(List.windowHandle(), nullptr);
  EXPECT_EQ(List.windowHandle()->transientParent(), entry.windowHandle());
  EXPECT_TRUE(List.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  // The modal entry form does not block it: a double click sent to its window (as the
  // desktop sends it, through the program's check of modal windows) gets through.
  const TRect r = Grid().CellRect(1, 3);
  const QPoint at = Grid().mapTo(&List, QPoint(r.Left + 5, r.Top + 5));
  QTest::mouseClick(List.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(List.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(Target.Jumps.size(), 1u);
  entry.SetVisible(false);
}

// The page rules of a record that breaks three of them, listed into the window.
TEST(MessageListWindow, PageRulesListedIntoTheWindow) {
  fwtest::ScriptedHooks hooks;
  fwtest::WorkingDatabase db;
  fwtest::FakeRuleEditors editors;
  TADOQuery columns(&db.Connection);
  columns.SetSQL(QStringLiteral("select * from dt_data where 1=0"));
  columns.Open();
  editors = fwtest::FakeRuleEditors(columns.FieldNames());
  editors.Load(fwtest::CleanRuleRecord());
  editors.Set("z003", 12);  // above z001: page 1
  editors.Set("x003", 2);   // without x001: page 2
  editors.Set("b029", 5);   // without b028: page 4

  TMessageListWinForm list(nullptr);
  TPageRuleEngine engine(db.Connection, editors, list);
  EXPECT_FALSE(engine.CheckAllPages());
  EXPECT_TRUE(list.isVisible());
  ASSERT_EQ(list.Grid->RowCount(), 4);
  EXPECT_EQ(list.Grid->GetForeText(4, 1), "z003");
  EXPECT_EQ(list.Grid->GetForeText(3, 2), "2");
  EXPECT_EQ(list.Grid->GetForeText(3, 3), "4");
  EXPECT_TRUE(list.Grid->GetForeText(2, 1).endsWith("]"));

  fwtest::SaveShot(list.grab().toImage(), "fw_message_list.png");
  EXPECT_EQ(list.frameGeometry().size(), QSize(900, 258));
}

} // namespace
