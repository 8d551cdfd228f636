#include "../common/PixelTools.h"
#include "controls/navigation/FwTabControl.h"
#include "controls/navigation/FwTabScroller.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Timer.h"
#include "platform/ui/VirtualKeys.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace fw;

namespace {

QPoint Centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

// A tab control with the given captions, shown so that it gets mouse and key events.
struct Strip {
  std::vector<QString> log;
  TComponent root{nullptr};
  TFwCustomTabControl* tabs = new TFwCustomTabControl(&root);

  explicit Strip(const QStringList& captions, int width = 300, int height = 100) {
    tabs->resize(width, height);
    for (const QString& caption : captions) tabs->Tabs().Add().Caption = caption;
    tabs->RebuildTabs();
    tabs->OnChanging = [this](TObject*, int index, bool& allow) {
      log.push_back(QStringLiteral("changing%1").arg(index));
      if (refuse.contains(index)) allow = false;
    };
    tabs->OnChange = [this](TObject*) { log.push_back(QStringLiteral("change%1").arg(tabs->TabIndex())); };
    tabs->OnTabClick = [this](TObject*) { log.push_back(QStringLiteral("click%1").arg(tabs->TabIndex())); };
  }
  QString Log() {
    const QString text = QStringList(log.begin(), log.end()).join(QLatin1Char(' '));
    log.clear();
    return text;
  }
  QList<int> refuse;
};

QStringList EntryCaptions() {
  QStringList captions{QStringLiteral("封面")};
  for (int i = 1; i <= 11; ++i) {
    captions << QStringLiteral("表%1").arg(i);
    if (i == 4) captions << QStringLiteral("表4续");
  }
  return captions;
}

// The data-entry form's page strip: thirteen tabs at the bottom in several rows.
void LookLikeEntryForm(TFwCustomTabControl& t) {
  t.SetTabOrientation(TFwTabOrientation::toBottom);
  t.SetMultiLine(true);
  t.SetTabHints(true);
  t.SetFlatColor(0x009C9B91);
  t.SetColor(0x00F5F6F7);
  t.TabColors().SetHighlightBar(0x00149BF0);
  t.SetTabStop(false);
  t.SetFixedDimension(19);
}

// A list of 16 x 16 images, each filled with one colour.
TImageList* SolidImages(TComponent& owner, std::initializer_list<Qt::GlobalColor> colours) {
  auto* images = new TImageList(&owner);
  images->SetWidth(16);
  images->SetHeight(16);
  for (Qt::GlobalColor colour : colours) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    images->Add(image);
  }
  return images;
}

} // namespace

TEST(FwTabControl, EntryFormStripScreenshot) {
  Strip s(EntryCaptions(), 520, 200);
  LookLikeEntryForm(*s.tabs);
  s.tabs->SetTabIndex(0);
  const QImage image = s.tabs->grab().toImage();
  fwtest::SaveShot(image, "tabs-entry.png");
  fwtest::SaveShot(image.copy(0, 140, 260, 60).scaled(780, 180), "tabs-entry-zoom.png");
  EXPECT_GE(s.tabs->RowCount(), 1);
}

// Other looks side by side, for looking at by eye (saved only when FW_SHOTS is set).
TEST(FwTabControl, GalleryScreenshot) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  QImage sheet(660, 400, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  struct Look {
    TFwTabOrientation orientation;
    TFwTabStyle style;
    bool multiLine;
    int x, y, w, h;
  } looks[] = {
      {TFwTabOrientation::toTop, TFwTabStyle::tsSingleSlant, false, 0, 0, 220, 120},
      {TFwTabOrientation::toTop, TFwTabStyle::tsDoubleSlant, true, 220, 0, 220, 120},
      {TFwTabOrientation::toBottom, TFwTabStyle::tsRoundCorners, false, 440, 0, 220, 120},
      {TFwTabOrientation::toLeft, TFwTabStyle::tsCutCorner, false, 0, 130, 200, 260},
      {TFwTabOrientation::toRight, TFwTabStyle::tsBackSlant, false, 220, 130, 200, 260},
      {TFwTabOrientation::toTop, TFwTabStyle::tsCutCorner, true, 440, 130, 220, 260},
  };
  for (const Look& look : looks) {
    Strip s(EntryCaptions(), look.w, look.h);
    s.tabs->SetTabOrientation(look.orientation);
    s.tabs->SetTabStyle(look.style);
    s.tabs->SetMultiLine(look.multiLine);
    s.tabs->SetTabOverlap(2);
    s.tabs->SetTabIndex(3);
    s.tabs->show();
    painter.drawImage(look.x, look.y, s.tabs->grab().toImage());
  }
  painter.end();
  fwtest::SaveShot(sheet, "tabs-gallery.png");
}

TEST(FwTabRegionCache, KeepsMostRecentFirstWithinCapacity) {
  TFwTabRegionCache cache(2);
  const TRect a{0, 0, 10, 10}, b{10, 0, 20, 10}, c{20, 0, 30, 10};
  cache.Add(a, QRegion(a.ToQt()));
  cache.Add(b, QRegion(b.ToQt()));
  cache.Add(a, QRegion(a.ToQt()));  // moves a to the front; b is now the oldest
  cache.Add(c, QRegion(c.ToQt()));
  EXPECT_EQ(cache.Count(), 2);
  EXPECT_NE(cache.Find(a), nullptr);
  EXPECT_EQ(cache.Find(b), nullptr);
  EXPECT_NE(cache.Find(c), nullptr);
  cache.SetCapacity(1);
  EXPECT_EQ(cache.Find(a), nullptr);  // shrinking frees from the end
  EXPECT_NE(cache.Find(c), nullptr);
  cache.SetCapacity(-1);
  for (int i = 0; i < 20; ++i) cache.Add(TRect{i, 0, i + 5, 5}, QRegion());
  EXPECT_EQ(cache.Count(), 21);
  for (int bad : {0, -2}) EXPECT_THROW(cache.SetCapacity(bad), std::invalid_argument);
}

TEST(FwTabControl, RegionCapacityBelowOneIsIgnored) {
  Strip s({"a", "b"});
  s.tabs->SetRegionCacheCapacity(0);
  EXPECT_EQ(s.tabs->RegionCacheCapacity(), 1);
  s.tabs->SetRegionCacheCapacity(-1);
  EXPECT_EQ(s.tabs->RegionCacheCapacity(), -1);
}

// Every orientation and sequence: tabs run along the strip in list order (or the other
// way round for the reverse sequence), stand on the card's edge, and stay in the control.
struct OrientationCase {
  TFwTabOrientation orientation;
  TFwTabSequence sequence;
  int dx, dy;  // direction of the run in client coordinates
};

class TabOrientationLayout : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(TabOrientationLayout, TabsRunAlongTheStripAndMeetTheCard) {
  const OrientationCase c = GetParam();
  Strip s({"One", "Two", "Three"}, 300, 300);
  s.tabs->SetTabOrientation(c.orientation);
  s.tabs->SetTabSequence(c.sequence);
  s.tabs->SetTabIndex(0);
  const TRect strip = s.tabs->StripRect();
  const TRect card = s.tabs->CardRect(0);
  TRect previous;
  for (int i = 0; i < 3; ++i) {
    const TRect r = s.tabs->TabDrawRect(i);
    SCOPED_TRACE(i);
    EXPECT_GE(r.Left, 0);
    EXPECT_GE(r.Top, 0);
    EXPECT_LE(r.Right, 300);
    EXPECT_LE(r.Bottom, 300);
    EXPECT_GE(r.Left, strip.Left);
    EXPECT_LE(r.Right, strip.Right);
    EXPECT_GE(r.Top, strip.Top);
    EXPECT_LE(r.Bottom, strip.Bottom);
    // The tab's base lies on the card's tab-side edge.
    switch (c.orientation) {
    case TFwTabOrientation::toTop: EXPECT_EQ(r.Bottom, card.Top); break;
    case TFwTabOrientation::toBottom: EXPECT_EQ(r.Top, card.Bottom); break;
    case TFwTabOrientation::toLeft: EXPECT_EQ(r.Right, card.Left); break;
    case TFwTabOrientation::toRight: EXPECT_EQ(r.Left, card.Right); break;
    }
    if (i > 0) {
      if (c.dx) {
        EXPECT_EQ(c.dx > 0, r.Left > previous.Left);
      }
      if (c.dy) {
        EXPECT_EQ(c.dy > 0, r.Top > previous.Top);
      }
    }
    previous = r;
    EXPECT_EQ(s.tabs->TabAtPos({Centre(r).x(), Centre(r).y()}), i);
  }
  // The display rectangle lies inside the card's frame.
  const TRect display = s.tabs->DisplayRect();
  EXPECT_EQ(display.Left, card.Left + 1);
  EXPECT_EQ(display.Top, card.Top + 1);
  EXPECT_EQ(display.Right, card.Right);
  EXPECT_EQ(display.Bottom, card.Bottom);
}

INSTANTIATE_TEST_SUITE_P(
    AllSides, TabOrientationLayout,
    ::testing::Values(OrientationCase{TFwTabOrientation::toTop, TFwTabSequence::tsStandard, 1, 0},
                      OrientationCase{TFwTabOrientation::toBottom, TFwTabSequence::tsStandard, 1, 0},
                      OrientationCase{TFwTabOrientation::toLeft, TFwTabSequence::tsStandard, 0, -1},
                      OrientationCase{TFwTabOrientation::toRight, TFwTabSequence::tsStandard, 0, 1},
                      OrientationCase{TFwTabOrientation::toTop, TFwTabSequence::tsReverse, -1, 0},
                      OrientationCase{TFwTabOrientation::toBottom, TFwTabSequence::tsReverse, -1, 0},
                      OrientationCase{TFwTabOrientation::toLeft, TFwTabSequence::tsReverse, 0, 1},
                      OrientationCase{TFwTabOrientation::toRight, TFwTabSequence::tsReverse, 0, -1}));

// Each style: neighbours overlap by the style's slant, and a fixed width or height wins.
TEST(FwTabControl, StylesOverlapNeighboursBySlantAndHonourFixedSizes) {
  struct Case {
    TFwTabStyle style;
    int overlapOf;  // -1: half the row height, -2: the row height, else the tab overlap
  } cases[] = {{TFwTabStyle::tsSingleSlant, -1}, {TFwTabStyle::tsBackSlant, -1}, {TFwTabStyle::tsDoubleSlant, -2},
               {TFwTabStyle::tsCutCorner, 3}, {TFwTabStyle::tsRoundCorners, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.style));
    Strip s({"Alpha", "B", "Gamma"}, 400, 100);
    s.tabs->SetTabStyle(c.style);
    s.tabs->SetTabOverlap(3);
    const int h = s.tabs->RowHeight();
    const int slant = c.overlapOf == -1 ? h / 2 : c.overlapOf == -2 ? h : 3;
    const TRect a = s.tabs->TabDrawRect(0), b = s.tabs->TabDrawRect(1);
    EXPECT_EQ(b.Left, a.Right - slant + 1);
    EXPECT_EQ(a.Height(), h);
    s.tabs->SetTabWidth(70);
    s.tabs->SetTabHeight(30);
    EXPECT_EQ(s.tabs->TabDrawRect(0).Width(), 70);
    EXPECT_EQ(s.tabs->TabDrawRect(1).Width(), 70);
    EXPECT_EQ(s.tabs->RowHeight(), 30);
  }
}

TEST(FwTabControl, SideTabsTakeFixedWidthAcrossTheStrip) {
  Strip s({"Alpha", "B"}, 200, 300);
  s.tabs->SetTabOrientation(TFwTabOrientation::toLeft);
  s.tabs->SetTabWidth(60);
  EXPECT_EQ(s.tabs->TabDrawRect(0).Width(), 60);
  EXPECT_EQ(s.tabs->TabDrawRect(1).Width(), 60);
  EXPECT_EQ(s.tabs->StripRect().Width(), 60);
}

TEST(FwTabControl, MultiLineWrapsIntoRowsThatFitTheStrip) {
  Strip s(EntryCaptions(), 260, 200);
  LookLikeEntryForm(*s.tabs);
  const int rows = s.tabs->RowCount();
  EXPECT_GE(rows, 2);
  const TRect strip = s.tabs->StripRect();
  EXPECT_EQ(strip.Height(), s.tabs->RowHeight() + (rows - 1) * (s.tabs->RowHeight() - s.tabs->RowOverlap()));
  std::vector<int> perRow(size_t(rows), 0);
  for (int i = 0; i < s.tabs->Tabs().Count(); ++i) {
    const TFwTabData& tab = s.tabs->Tabs().Items(i);
    ASSERT_LT(tab.Row, rows);
    ++perRow[size_t(tab.Row)];
    const TRect r = s.tabs->TabDrawRect(i);
    EXPECT_GE(r.Left, 0) << i;
    EXPECT_LE(r.Right, strip.Right) << i;
  }
  for (int n : perRow) EXPECT_GT(n, 0);
  // Narrowing the control adds rows; a tab wider than the strip takes a row of its own.
  s.tabs->Tabs().Items(3).Caption = QStringLiteral("一个很长很长很长很长很长很长的标题");
  s.tabs->RebuildTabs();
  s.tabs->RowCount();
  const int wide = s.tabs->Tabs().Items(3).Row;
  for (int i = 0; i < s.tabs->Tabs().Count(); ++i)
    if (i != 3) {
      EXPECT_NE(s.tabs->Tabs().Items(i).Row, wide) << i;
    }
  EXPECT_LE(s.tabs->TabDrawRect(3).Right, strip.Right);
}

TEST(FwTabControl, SelectingATabInABackRowBringsItsRowToTheCard) {
  Strip s({"aaaa", "bbbb", "cccc", "dddd", "eeee", "ffff"}, 130, 200);
  s.tabs->SetMultiLine(true);
  s.tabs->SetTabIndex(0);
  ASSERT_EQ(s.tabs->RowCount(), 3);
  std::vector<int> before;
  for (int i = 0; i < 6; ++i) before.push_back(s.tabs->Tabs().Items(i).Row);
  ASSERT_EQ(before[0], 0);
  ASSERT_EQ(before[5], 2);
  s.tabs->SetTabIndex(5);
  EXPECT_EQ(s.tabs->Tabs().Items(5).Row, 0);
  // Rows keep their cyclic order: each moved back by two.
  for (int i = 0; i < 6; ++i) EXPECT_EQ(s.tabs->Tabs().Items(i).Row, (before[size_t(i)] + 1) % 3) << i;
  // The selected tab's row stays in front after the layout runs again.
  s.tabs->resize(131, 200);
  s.tabs->RebuildTabs();
  EXPECT_EQ(s.tabs->Tabs().Items(s.tabs->TabIndex()).Row, 0);
  EXPECT_EQ(s.tabs->TabDrawRect(5).Bottom, s.tabs->CardRect(0).Top);
}

TEST(FwTabControl, AlignTabsStretchesEveryRowToTheStripLength) {
  Strip s({"aaaa", "bb", "cccccc", "d", "eeee", "ff"}, 150, 200);
  s.tabs->SetMultiLine(true);
  s.tabs->SetAlignTabs(true);
  s.tabs->SetMargin(0);
  const int rows = s.tabs->RowCount();
  ASSERT_GE(rows, 2);
  const int available = s.tabs->StripRect().Width() - (rows - 1) * s.tabs->RowIndent();
  for (int row = 0; row < rows; ++row) {
    int right = 0;
    for (int i = 0; i < 6; ++i)
      if (s.tabs->Tabs().Items(i).Row == row) right = std::max(right, s.tabs->Tabs().Items(i).Rect.Right);
    EXPECT_EQ(right, available) << row;
  }
}

TEST(FwTabControl, NegativeRowIndentIsIgnored) {
  Strip s({"a"});
  s.tabs->SetRowIndent(-3);
  EXPECT_EQ(s.tabs->RowIndent(), 5);
}

TEST(FwTabControl, ControlWithoutTabsHasNoHitNoScrollerAndTheCardForDisplay) {
  Strip s({});
  s.tabs->show();
  EXPECT_EQ(s.tabs->TabAtPos({10, 5}), -1);
  EXPECT_FALSE(s.tabs->ScrollingNeeded());
  EXPECT_FALSE(s.tabs->Scroller()->isVisible());
  s.tabs->SetTabIndex(0);
  EXPECT_EQ(s.tabs->TabIndex(), -1);
}

TEST(FwTabControl, SingleRowScrollsOneTabAtATimeWithTheArrows) {
  QStringList captions;
  for (int i = 0; i < 12; ++i) captions << QStringLiteral("Tab %1").arg(i);
  Strip s(captions, 240, 120);
  s.tabs->show();
  ASSERT_TRUE(s.tabs->ScrollingNeeded());
  TFwTabScroller* scroller = s.tabs->Scroller();
  ASSERT_TRUE(scroller->isVisible());
  EXPECT_FALSE(scroller->DownLeftEnabled());
  EXPECT_TRUE(scroller->UpRightEnabled());
  // The scroller sits at the far end of the strip, inside it.
  const TRect strip = s.tabs->StripRect();
  EXPECT_LE(scroller->Left() + scroller->Width(), strip.Right + 1);
  EXPECT_GE(scroller->Top(), strip.Top);
  // No shown tab runs under the scroller.
  for (int i = 0; i < 12; ++i)
    if (s.tabs->TabFullyShown(i)) {
      EXPECT_LE(s.tabs->TabDrawRect(i).Right, scroller->Left() + 1) << i;
    }

  QTest::mouseClick(scroller, Qt::LeftButton, Qt::NoModifier, QPoint(scroller->Width() - 3, scroller->Height() / 2));
  EXPECT_EQ(s.tabs->FirstShownTab(), 1);
  EXPECT_TRUE(scroller->DownLeftEnabled());
  int steps = 1;
  while (s.tabs->ScrollForward()) ++steps;
  EXPECT_TRUE(s.tabs->TabFullyShown(11));
  EXPECT_FALSE(s.tabs->TabFullyShown(0));
  EXPECT_FALSE(scroller->UpRightEnabled());
  EXPECT_LT(steps, 12);
  QTest::mouseClick(scroller, Qt::LeftButton, Qt::NoModifier, QPoint(2, scroller->Height() / 2));
  EXPECT_EQ(s.tabs->FirstShownTab(), steps - 1);
  // Selecting a tab before the first shown one scrolls back to it.
  s.tabs->SetTabIndex(0);
  EXPECT_EQ(s.tabs->FirstShownTab(), 0);
  s.tabs->SetTabIndex(11);
  EXPECT_TRUE(s.tabs->TabFullyShown(11));
}

TEST(FwTabControl, TabSelectedBeforeTheFirstLayoutIsScrolledIntoView) {
  QStringList captions;
  for (int i = 0; i < 12; ++i) captions << QStringLiteral("Tab %1").arg(i);
  Strip s(captions, 240, 120);
  s.tabs->SetTabIndex(10);
  EXPECT_TRUE(s.tabs->TabFullyShown(10));
  EXPECT_GT(s.tabs->FirstShownTab(), 0);
  // A later relayout leaves the user's scrolling alone; selecting the tab again brings it
  // back into view without asking anything.
  while (s.tabs->ScrollBackward()) {}
  s.tabs->RebuildTabs();
  EXPECT_EQ(s.tabs->FirstShownTab(), 0);
  s.Log();
  s.tabs->SetTabIndex(10);
  EXPECT_TRUE(s.tabs->TabFullyShown(10));
  EXPECT_EQ(s.Log(), "");
}

TEST(FwTabControl, ScrollerRepeatsWhileHeld) {
  QStringList captions;
  for (int i = 0; i < 12; ++i) captions << QStringLiteral("Tab %1").arg(i);
  Strip s(captions, 240, 120);
  s.tabs->show();
  TFwTabScroller* scroller = s.tabs->Scroller();
  const QPoint right(scroller->Width() - 3, scroller->Height() / 2);
  QTest::mousePress(scroller, Qt::LeftButton, Qt::NoModifier, right);
  EXPECT_EQ(s.tabs->FirstShownTab(), 0);
  EXPECT_EQ(scroller->RepeatTimer()->Interval(), 400);
  scroller->RepeatTimer()->Tick();
  scroller->RepeatTimer()->Tick();
  EXPECT_EQ(s.tabs->FirstShownTab(), 2);
  EXPECT_EQ(scroller->RepeatTimer()->Interval(), 100);
  // Released outside the half: no further click.
  QTest::mouseRelease(scroller, Qt::LeftButton, Qt::NoModifier, QPoint(-20, -20));
  EXPECT_EQ(s.tabs->FirstShownTab(), 2);
  EXPECT_FALSE(scroller->RepeatTimer()->Enabled());
}

TEST(FwTabControl, ClicksSelectThroughTheChangingQuery) {
  Strip s({"One", "Two", "Three", "Four"});
  s.tabs->show();
  s.tabs->SetTabIndex(0);
  s.Log();
  auto click = [&](int i) { QTest::mouseClick(s.tabs, Qt::LeftButton, Qt::NoModifier, Centre(s.tabs->TabDrawRect(i))); };
  click(2);
  EXPECT_EQ(s.Log(), "changing2 change2 click2");
  s.refuse = {1};
  click(1);
  EXPECT_EQ(s.Log(), "changing1");
  EXPECT_EQ(s.tabs->TabIndex(), 2);
  // The selected tab again: a click, no change (a control that takes focus first asks for it).
  s.tabs->SetTabStop(false);
  click(2);
  EXPECT_EQ(s.Log(), "click2");
  // A disabled tab cannot be clicked.
  s.tabs->Tabs().Items(3).Enabled = false;
  s.tabs->RebuildTabs();
  click(3);
  EXPECT_EQ(s.Log(), "");
  EXPECT_EQ(s.tabs->TabIndex(), 2);
  // Nor selected in code.
  s.tabs->SetTabIndex(3);
  EXPECT_EQ(s.tabs->TabIndex(), 2);
  s.tabs->SetTabIndex(7);
  EXPECT_EQ(s.tabs->TabIndex(), -1);
}

TEST(FwTabControl, LayoutMovesTheSelectionOffAHiddenOrDisabledTab) {
  Strip s({"a", "b", "c", "d"});
  s.tabs->SetTabIndex(1);
  s.Log();
  s.tabs->Tabs().Items(1).Visible = false;
  s.refuse = {2};
  s.tabs->RebuildTabs();
  EXPECT_EQ(s.tabs->RowCount(), 1);
  EXPECT_EQ(s.Log(), "changing2 changing3 change3");
  EXPECT_EQ(s.tabs->TabIndex(), 3);
  // Nothing further on: the search turns back.
  s.tabs->Tabs().Items(3).Enabled = false;
  s.refuse = {};
  s.tabs->RebuildTabs();
  EXPECT_EQ(s.tabs->RowCount(), 1);
  EXPECT_EQ(s.tabs->TabIndex(), 2);
  // No tab left to select: the selection goes as for an index outside the tabs, without a
  // change.
  s.Log();
  for (int i = 0; i < 4; ++i) s.tabs->Tabs().Items(i).Enabled = false;
  s.tabs->RebuildTabs();
  EXPECT_EQ(s.tabs->RowCount(), 1);
  EXPECT_EQ(s.tabs->TabIndex(), -1);
  EXPECT_EQ(s.Log(), "");
}

TEST(FwTabControl, IndexSetWhileLoadingTakesEffectWithoutEvents) {
  Strip s({"a", "b", "c"});
  s.tabs->BeginLoad();
  s.tabs->SetTabIndex(2);
  s.tabs->EndLoad();
  EXPECT_EQ(s.tabs->TabIndex(), 2);
  EXPECT_EQ(s.Log(), "");
}

TEST(FwTabControl, HiddenTabTakesNoRoomAndIsNeverHit) {
  Strip s({"One", "Two", "Three"});
  const TRect third = s.tabs->TabDrawRect(2);
  s.tabs->Tabs().Items(1).Visible = false;
  s.tabs->RebuildTabs();
  EXPECT_LT(s.tabs->TabDrawRect(2).Left, third.Left);
  EXPECT_NE(s.tabs->TabAtPos({Centre(s.tabs->TabDrawRect(2)).x(), Centre(s.tabs->TabDrawRect(2)).y()}), 1);
}

TEST(FwTabControl, ArrowKeysStepPastRefusedAndDisabledTabs) {
  struct Case {
    TFwTabOrientation orientation;
    TFwTabSequence sequence;
    int key;
    const char* log;
  } cases[] = {
      {TFwTabOrientation::toTop, TFwTabSequence::tsStandard, VK_RIGHT, "changing2 changing3 change3 click3"},
      {TFwTabOrientation::toBottom, TFwTabSequence::tsStandard, VK_DOWN, "changing2 changing3 change3 click3"},
      {TFwTabOrientation::toTop, TFwTabSequence::tsStandard, VK_LEFT, "changing0 change0 click0"},
      {TFwTabOrientation::toTop, TFwTabSequence::tsReverse, VK_LEFT, "changing2 changing3 change3 click3"},
      {TFwTabOrientation::toLeft, TFwTabSequence::tsStandard, VK_UP, "changing2 changing3 change3 click3"},
      {TFwTabOrientation::toLeft, TFwTabSequence::tsReverse, VK_UP, "changing0 change0 click0"},
      {TFwTabOrientation::toTop, TFwTabSequence::tsStandard, VK_END, "changing5 change5 click5"},
      {TFwTabOrientation::toTop, TFwTabSequence::tsStandard, VK_HOME, "changing0 change0 click0"},
      {TFwTabOrientation::toLeft, TFwTabSequence::tsStandard, VK_HOME, "changing5 change5 click5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log);
    Strip s({"a", "b", "c", "d", "e", "f"});
    s.tabs->SetTabOrientation(c.orientation);
    s.tabs->SetTabSequence(c.sequence);
    s.tabs->SetTabIndex(1);
    s.Log();
    s.refuse = {2};
    WORD key = WORD(c.key);
    s.tabs->KeyDown(key, 0);
    EXPECT_EQ(s.Log(), c.log);
  }
}

TEST(FwTabControl, ArrowKeysWrapAndStopWhenEveryOtherTabRefuses) {
  Strip s({"a", "b", "c"});
  s.tabs->show();
  s.tabs->SetTabIndex(2);
  s.Log();
  QTest::keyClick(s.tabs, Qt::Key_Right);
  EXPECT_EQ(s.Log(), "changing0 change0 click0");
  s.refuse = {1, 2};
  WORD key = VK_RIGHT;
  s.tabs->KeyDown(key, 0);
  EXPECT_EQ(s.Log(), "changing1 changing2");
  EXPECT_EQ(s.tabs->TabIndex(), 0);
}

TEST(FwTabControl, HotTabFollowsThePointerAndTheTimerClearsIt) {
  Strip s({"One", "Two", "Three"});
  s.tabs->SetTabHints(true);
  s.tabs->SetHint("control hint");
  s.tabs->Tabs().Items(1).Hint = "second tab";
  s.tabs->show();
  QTest::mouseMove(s.tabs, Centre(s.tabs->TabDrawRect(1)));
  EXPECT_EQ(s.tabs->HotTab(), 1);
  EXPECT_EQ(s.tabs->Hint(), "second tab");
  EXPECT_TRUE(s.tabs->HotTrackTimer()->Enabled());
  EXPECT_EQ(s.tabs->HotTrackTimer()->Interval(), 60);
  // A tick while the pointer is still there changes nothing.
  s.tabs->HotTrackTimer()->Tick();
  EXPECT_EQ(s.tabs->HotTab(), 1);
  // The pointer leaves without a further move over the control: the next tick clears it.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(s.tabs, &leave);
  s.tabs->HotTrackTimer()->Tick();
  EXPECT_EQ(s.tabs->HotTab(), -1);
  EXPECT_FALSE(s.tabs->HotTrackTimer()->Enabled());
  EXPECT_EQ(s.tabs->Hint(), "control hint");
  // Moving onto the card clears it at once.
  QTest::mouseMove(s.tabs, Centre(s.tabs->TabDrawRect(2)));
  EXPECT_EQ(s.tabs->HotTab(), 2);
  QTest::mouseMove(s.tabs, QPoint(150, 80));
  EXPECT_EQ(s.tabs->HotTab(), -1);
}

namespace {

int CountIn(const QImage& image, TColor color, const TRect& r) {
  return fwtest::Count(image, ColorToRGB(color), QRect(r.Left, r.Top, r.Width(), r.Height()) & image.rect());
}

} // namespace

TEST(FwTabControl, PaintsCardFrameWithAGapUnderTheSelectedTab) {
  Strip s(EntryCaptions(), 520, 160);
  LookLikeEntryForm(*s.tabs);
  s.tabs->SetTabIndex(2);
  const QImage image = s.tabs->grab().toImage();
  const TColor outline = ColorToRGB(0x009C9B91);
  const TRect card = s.tabs->CardRect(0);
  EXPECT_EQ(fwtest::At(image, card.Width() / 2, card.Height() / 2), ColorToRGB(0x00F5F6F7));
  EXPECT_EQ(fwtest::At(image, 0, card.Height() / 2), outline);
  EXPECT_EQ(fwtest::At(image, card.Right, card.Height() / 2), outline);
  EXPECT_EQ(fwtest::At(image, card.Width() / 2, 0), outline);
  // The tab-side edge is open under the selected tab and closed under the others.
  const TRect selected = s.tabs->TabDrawRect(2);
  const int edge = card.Bottom;
  EXPECT_EQ(CountIn(image, outline, TRect{selected.Left + 2, edge, selected.Right - 2, edge + 1}), 0);
  const TRect other = s.tabs->TabDrawRect(5);
  EXPECT_EQ(CountIn(image, outline, TRect{other.Left, edge, other.Right, edge + 1}), other.Width());
  // The selected tab carries the highlight bar at its outer edge; the others do not.
  const TColor bar = 0x00149BF0;
  EXPECT_GT(CountIn(image, bar, TRect{selected.Left, selected.Bottom - 4, selected.Right, selected.Bottom + 1}), 0);
  EXPECT_EQ(CountIn(image, bar, TRect{selected.Left, selected.Top, selected.Right, selected.Bottom - 4}), 0);
  EXPECT_EQ(CountIn(image, bar, other), 0);
  // The selected tab is filled with the card colour, the others with their own fill.
  EXPECT_EQ(fwtest::At(image, selected.Left + selected.Width() / 3, selected.Top + 2), ColorToRGB(0x00F5F6F7));
}

TEST(FwTabControl, HotTabShowsABarOrColouredText) {
  for (TFwTabHotTrackStyle style : {TFwTabHotTrackStyle::htsTab, TFwTabHotTrackStyle::htsText}) {
    SCOPED_TRACE(int(style));
    Strip s({"One", "Two", "Three"});
    s.tabs->SetHotTrackStyle(style);
    s.tabs->SetHotTrackColor(clRed);
    s.tabs->SetTabIndex(0);
    s.tabs->show();
    QTest::mouseMove(s.tabs, QPoint(150, 80));  // a move to the same place as before is not delivered
    QTest::mouseMove(s.tabs, Centre(s.tabs->TabDrawRect(1)));
    ASSERT_EQ(s.tabs->HotTab(), 1);
    const QImage image = s.tabs->grab().toImage();
    const TRect hot = s.tabs->TabDrawRect(1);
    const TRect topBar{hot.Left, hot.Top, hot.Right, hot.Top + 5};
    const TRect body{hot.Left, hot.Top + 6, hot.Right, hot.Bottom};
    if (style == TFwTabHotTrackStyle::htsTab) {
      EXPECT_GT(CountIn(image, clRed, topBar), hot.Width() / 2);
      EXPECT_EQ(CountIn(image, clRed, body), 0);
    } else {
      EXPECT_EQ(CountIn(image, clRed, topBar), 0);
      EXPECT_GT(CountIn(image, clRed, body), 0);  // the caption
    }
    EXPECT_EQ(CountIn(image, clRed, s.tabs->TabDrawRect(2)), 0);
  }
}

TEST(FwTabControl, DisabledCaptionIsEmbossedAndHandlersCanRecolour) {
  Strip s({"One", "Two"});
  s.tabs->TextColors().SetDisabledHighlight(clLime);
  s.tabs->TextColors().SetDisabledShadow(clBlue);
  s.tabs->Tabs().Items(1).Enabled = false;
  s.tabs->RebuildTabs();
  s.tabs->SetTabIndex(0);
  QImage image = s.tabs->grab().toImage();
  const TRect disabled = s.tabs->TabDrawRect(1);
  EXPECT_GT(CountIn(image, clLime, disabled), 0);
  EXPECT_GT(CountIn(image, clBlue, disabled), 0);
  s.tabs->OnGetTextColor = [](TObject*, int index, TFwTextStyle style, TColor& color, bool& handled) {
    if (index == 0 && style == TFwTextStyle::tsSelected) {
      color = clFuchsia;
      handled = true;
    }
  };
  s.tabs->SetHotTrack(false);
  image = s.tabs->grab().toImage();
  EXPECT_GT(CountIn(image, clFuchsia, s.tabs->TabDrawRect(0)), 0);
}

TEST(FwTabControl, TopTabsCastAShadowInsideTheControl) {
  Strip s({"One", "Two"}, 200, 100);
  s.tabs->SetBackgroundColor(clWhite);
  s.tabs->SetTabIndex(0);
  const QImage image = s.tabs->grab().toImage();
  const TRect card = s.tabs->CardRect(0);
  const int y = (card.Top + card.Bottom) / 2;
  const TColor near = fwtest::At(image, card.Right + 1, y), far = fwtest::At(image, card.Right + 2, y);
  EXPECT_LT(GetRValue(near), 255);
  EXPECT_LT(GetRValue(far), 255);
  EXPECT_LT(GetRValue(near), GetRValue(far));
  EXPECT_LE(card.Right + 2, 199);
}

TEST(FwTabControl, HandlersAndColouredTabsFillTheCard) {
  Strip s({"One", "Two"}, 200, 100);
  s.tabs->Tabs().Items(0).Color = clYellow;
  s.tabs->Tabs().Items(1).Color = clAqua;
  s.tabs->RebuildTabs();
  s.tabs->SetUseColoredTabs(true);
  s.tabs->SetTabIndex(0);
  QImage image = s.tabs->grab().toImage();
  const TRect card = s.tabs->CardRect(0);
  const QPoint mid = Centre(card);
  EXPECT_EQ(fwtest::At(image, mid.x(), mid.y()), ColorToRGB(clYellow));
  s.tabs->OnPaintCardBackground = [](TObject*, TCanvas& canvas, int, const TRect& r, bool& handled) {
    canvas.Brush().SetColor(clMaroon);
    canvas.FillRect(r);
    handled = true;
  };
  image = s.tabs->grab().toImage();
  EXPECT_EQ(fwtest::At(image, mid.x(), mid.y()), ColorToRGB(clMaroon));
}

TEST(FwTabControl, ImagesWidenTabsAndShowGreyedOrDisabledImages) {
  Strip s({"One", "Two", "Three"});
  TImageList* images = SolidImages(s.root, {Qt::red, Qt::blue});
  const int plain = s.tabs->TabDrawRect(0).Width();
  s.tabs->SetImages(images);
  for (int i = 0; i < 3; ++i) s.tabs->Tabs().Items(i).ImageIndex = 0;
  s.tabs->Tabs().Items(1).Enabled = false;                        // greyed image
  s.tabs->Tabs().Items(2).Enabled = false;
  s.tabs->Tabs().Items(2).DisabledIndex = 1;                      // its own disabled image
  s.tabs->RebuildTabs();
  s.tabs->SetTabIndex(0);
  s.tabs->SetHotTrack(false);  // no highlight bar over the image's top rows
  EXPECT_GE(s.tabs->TabDrawRect(0).Width(), plain + 16 + 2);
  const QImage image = s.tabs->grab().toImage();
  EXPECT_EQ(CountIn(image, clRed, s.tabs->TabDrawRect(0)), 256);
  EXPECT_EQ(CountIn(image, clRed, s.tabs->TabDrawRect(1)), 0);
  EXPECT_GT(CountIn(image, clBlue, s.tabs->TabDrawRect(2)), 200);  // the tab before overlaps a corner
  // The image stands left of the caption.
  const TRect tab = s.tabs->TabDrawRect(0);
  EXPECT_EQ(CountIn(image, clRed, TRect{tab.Left, tab.Top, tab.Left + 24, tab.Bottom}), 256);
  delete images;
  EXPECT_EQ(s.tabs->Images(), nullptr);
  EXPECT_EQ(s.tabs->TabDrawRect(0).Width(), plain);
}

TEST(FwTabControl, BackgroundFollowsTheParentUntilSetItself) {
  TComponent root(nullptr);
  auto* panel = new TPanel(&root);
  panel->SetColor(clTeal);
  auto* tabs = new TFwCustomTabControl(&root);
  tabs->SetParent(panel);
  EXPECT_EQ(tabs->BackgroundColor(), clTeal);
  panel->SetColor(clNavy);
  EXPECT_EQ(tabs->BackgroundColor(), clNavy);
  tabs->SetBackgroundColor(clOlive);
  EXPECT_FALSE(tabs->ParentBackgroundColor());
  panel->SetColor(clTeal);
  EXPECT_EQ(tabs->BackgroundColor(), clOlive);
}

TEST(FwTabControl, TabLookFollowsTheState) {
  Strip s({"One", "Two", "Three"});
  TFwCustomTabControl& t = *s.tabs;
  t.TextColors().SetDisabledHighlight(clLime);
  t.TextColors().SetDisabledShadow(clBlue);
  t.TextColors().SetUnselected(clNavy);
  t.Tabs().Items(2).Enabled = false;
  t.RebuildTabs();
  t.SetTabIndex(0);
  t.SetHotTrackColor(clRed);
  t.show();
  QTest::mouseMove(&t, QPoint(150, 80));
  QTest::mouseMove(&t, Centre(t.TabDrawRect(1)));
  ASSERT_EQ(t.HotTab(), 1);
  struct Case {
    int index;
    bool selected, hot, enabled;
    TColor text, emboss, bar;
  };
  const Case cases[] = {
      {0, true, false, true, clBtnText, clNone, t.TabColors().HighlightBar()},
      {1, false, true, true, clBtnText, clNone, clRed},
      {2, false, false, false, clBlue, clLime, clNone},
  };
  for (const Case& c : cases) {
    const TFwTabLook look = t.TabLook(c.index);
    EXPECT_EQ(look.Selected, c.selected) << c.index;
    EXPECT_EQ(look.Hot, c.hot) << c.index;
    EXPECT_EQ(look.Enabled, c.enabled) << c.index;
    EXPECT_EQ(look.TextColor, c.text) << c.index;
    EXPECT_EQ(look.TextEmboss, c.emboss) << c.index;
    EXPECT_EQ(look.HighlightBar, c.bar) << c.index;
    EXPECT_EQ(look.Drawn, t.TabDrawRect(c.index)) << c.index;
    EXPECT_EQ(look.Caption, look.Content) << c.index;  // no images
  }
  // The selected tab takes the card's colour; the others a gradient, lighter at the card.
  const TFwTabLook selected = t.TabLook(0), other = t.TabLook(1);
  EXPECT_FALSE(selected.Gradient);
  EXPECT_EQ(selected.Fill, t.Color());
  ASSERT_TRUE(other.Gradient);
  EXPECT_EQ(other.GradientStart, t.TabColors().Unselected());
  EXPECT_EQ(other.GradientStop, t.TabColors().Shadow());
  t.SetTabOrientation(TFwTabOrientation::toBottom);
  EXPECT_EQ(t.TabLook(1).GradientStart, t.TabColors().Shadow());
  // Unselected, without hot tracking, and bold only when selected.
  t.SetHotTrack(false);
  t.SetBoldCurrentTab(true);
  EXPECT_EQ(t.TabLook(1).TextColor, clNavy);
  EXPECT_EQ(t.TabLook(0).HighlightBar, clNone);
  EXPECT_TRUE(t.TabLook(0).Bold);
  EXPECT_FALSE(t.TabLook(1).Bold);
  // Coloured tabs: the selected one its colour, a white one shaded with the face colour.
  t.Tabs().Items(1).Color = clWhite;
  t.SetUseColoredTabs(true);
  t.SetUseGradients(false);
  EXPECT_EQ(t.TabLook(0).Fill, t.Tabs().Items(0).Color);
  EXPECT_FALSE(t.TabLook(1).Gradient);
  EXPECT_EQ(t.TabLook(1).Fill, clWhite);
}

// The focused control's dotted frame goes round image and caption; on a round tab, which
// stands out further when selected, its outer edge comes a pixel in.
TEST(FwTabControl, FocusRectSurroundsTheContentAndComesInOnARoundTab) {
  Strip s({"One", "Two"});
  TFwCustomTabControl& t = *s.tabs;
  t.SetImages(SolidImages(s.root, {Qt::red}));
  t.Tabs().Items(0).ImageIndex = 0;
  t.RebuildTabs();
  t.SetTabStyle(TFwTabStyle::tsRoundCorners);
  t.SetHotTrack(false);
  t.TextColors().SetSelected(clFuchsia);
  t.SetTabIndex(0);
  t.show();
  t.activateWindow();
  t.setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(t.hasFocus());
  const TRect content = t.TabLook(0).Content;
  const QImage image = t.grab().toImage();
  const int x = content.Left - 1;  // left of the image
  EXPECT_NE(fwtest::At(image, x, content.Top), ColorToRGB(clFuchsia));
  EXPECT_EQ(fwtest::At(image, x, content.Top + 1), ColorToRGB(clFuchsia));
  EXPECT_EQ(fwtest::At(image, x, content.Top + 3), ColorToRGB(clFuchsia));
}

TEST(FwTabControl, TabLookPlacesTheImageBeforeTheCaption) {
  Strip s({"One", "Two", "Three"});
  TFwCustomTabControl& t = *s.tabs;
  t.SetImages(SolidImages(s.root, {Qt::red, Qt::red}));
  for (int i = 0; i < 3; ++i) t.Tabs().Items(i).ImageIndex = 0;
  t.Tabs().Items(1).Enabled = false;
  t.Tabs().Items(2).Enabled = false;
  t.Tabs().Items(2).DisabledIndex = 1;
  t.RebuildTabs();
  const TFwTabLook plain = t.TabLook(0), greyed = t.TabLook(1), own = t.TabLook(2);
  EXPECT_EQ(plain.ImageIndex, 0);
  EXPECT_FALSE(plain.ImageGreyed);
  EXPECT_EQ(plain.Image.Left, plain.Content.Left);
  EXPECT_EQ(plain.Image.Width(), 16);
  EXPECT_EQ(plain.Caption.Left, plain.Image.Right + t.ImageMargin());
  EXPECT_EQ(plain.Caption.Right, plain.Content.Right);
  EXPECT_EQ(greyed.ImageIndex, 0);
  EXPECT_TRUE(greyed.ImageGreyed);
  EXPECT_EQ(own.ImageIndex, 1);
  EXPECT_FALSE(own.ImageGreyed);
  t.SetImagePosition(TFwImagePosition::ipStretch);
  EXPECT_EQ(t.TabLook(0).Image, t.TabLook(0).Content);
  EXPECT_EQ(t.TabLook(0).Caption, t.TabLook(0).Content);
}
