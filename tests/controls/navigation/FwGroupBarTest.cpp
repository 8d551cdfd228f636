#include "MainGroupBar.h"
#include "controls/common/FwColors.h"
#include "controls/common/FwRapidFireButton.h"
#include "controls/common/FwRegIniFile.h"
#include "controls/navigation/FwGroupController.h"
#include "controls/navigation/FwSizePanel.h"
#include "platform/ui/ListError.h"
#include "platform/ui/Panel.h"
#include "platform/ui/PopupMenu.h"
#include "support/TestSupport.h"

#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace fw;
using fwtest::MainGroupBar;

namespace {

QString Log(const std::vector<QString>& log) { return QStringList(log.begin(), log.end()).join(QLatin1Char(' ')); }

// Three plain groups of `count` small items each in a bar of the given style.
struct SimpleBar {
  std::vector<QString> log;  // declared first: it outlives the groups that write to it
  TComponent root{nullptr};
  TFwGroupBar* bar = new TFwGroupBar(&root);
  std::vector<TFwGroup*> groups;

  SimpleBar(TFwGroupBarStyle style, int count = 3, int groupCount = 3) {
    bar->SetStyle(style);
    bar->resize(160, 400);
    for (int g = 0; g < groupCount; ++g) {
      auto* group = new TFwGroup(&root);
      group->SetCaption(QStringLiteral("G%1").arg(g + 1));
      group->SetGroupBar(bar);
      for (int i = 0; i < count; ++i) {
        TFwGroupItem* item = group->Items().Add();
        item->SetCaption(QStringLiteral("item %1").arg(i));
        item->OnClick = [this, g, i](TObject*) { log.push_back(QStringLiteral("click%1.%2").arg(g + 1).arg(i)); };
      }
      const QString n = QString::number(g + 1);
      group->OnCanOpen = [this, n](TObject*, bool&) { log.push_back("canopen" + n); };
      group->OnCanClose = [this, n](TObject*, bool&) { log.push_back("canclose" + n); };
      group->OnOpen = [this, n](TObject*) { log.push_back("open" + n); };
      group->OnClose = [this, n](TObject*) { log.push_back("close" + n); };
      groups.push_back(group);
    }
  }
};

QPoint Centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

// Counts the paints a widget receives.
struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// A left click delivered at once, without running the event loop (and so without a paint).
void ClickNow(QWidget* widget, QPoint p) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, p, widget->mapToGlobal(p), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
  }
}

} // namespace

TEST(FwGroupBar, OutlookLayoutGivesTheOpenGroupWhatTheCaptionsLeave) {
  MainGroupBar m;
  ASSERT_EQ(m.bar->ClientHeight(), 708);
  EXPECT_EQ(m.groups[0]->Height(), 668);
  EXPECT_EQ(m.groups[0]->Top(), 0);
  EXPECT_EQ(m.groups[1]->Top(), 668);
  EXPECT_EQ(m.groups[1]->Height(), 20);
  EXPECT_EQ(m.groups[2]->Top(), 688);

  m.groups[2]->SetOpened(true);
  EXPECT_EQ(m.groups[0]->Height(), 20);
  EXPECT_EQ(m.groups[1]->Top(), 20);
  EXPECT_EQ(m.groups[2]->Top(), 40);
  EXPECT_EQ(m.groups[2]->Height(), 668);

  // A bar too short for the captions leaves the open group empty, never negative.
  m.bar->SetHeight(30);
  EXPECT_EQ(m.groups[2]->Height(), 0);
}

TEST(FwGroupBar, OutlookOpenRulesAndEventOrder) {
  SimpleBar s(TFwGroupBarStyle::gbsOutlook);
  EXPECT_TRUE(s.groups[0]->Opened());
  EXPECT_FALSE(s.groups[1]->Opened());

  s.groups[1]->SetOpened(true);
  EXPECT_EQ(Log(s.log), "canopen2 close1 close2 close3 open2");
  EXPECT_FALSE(s.groups[0]->Opened());
  EXPECT_TRUE(s.groups[1]->Opened());

  s.log.clear();
  s.groups[1]->SetOpened(false);  // closing the open Outlook group does nothing
  EXPECT_TRUE(s.groups[1]->Opened());
  EXPECT_EQ(Log(s.log), "canclose2");

  s.log.clear();
  s.groups[2]->OnCanOpen = [&](TObject*, bool& allow) {
    s.log.push_back("refused");
    allow = false;
  };
  s.groups[2]->ToggleOpened();
  EXPECT_EQ(Log(s.log), "refused");
  EXPECT_TRUE(s.groups[1]->Opened());
}

TEST(FwGroupBar, CategoryAndTaskListOpenRules) {
  SimpleBar c(TFwGroupBarStyle::gbsCategoryView);
  c.groups[0]->SetOpened(false);
  EXPECT_EQ(Log(c.log), "canclose1 close1");
  EXPECT_EQ(c.groups[0]->Height(), c.groups[0]->CaptionHeight());
  c.groups[1]->SetCanClose(false);
  c.groups[1]->SetOpened(false);
  EXPECT_TRUE(c.groups[1]->Opened());
  // Its caption still lights up under the pointer, but a click on it does nothing.
  c.bar->show();
  QTest::mouseMove(c.groups[1], QPoint(30, 5));
  EXPECT_EQ(c.groups[1]->CaptionState(), hsHot);
  QTest::mouseClick(c.groups[1], Qt::LeftButton, Qt::NoModifier, QPoint(30, 5));
  EXPECT_TRUE(c.groups[1]->Opened());

  c.bar->SetExclusiveMode(true);
  EXPECT_TRUE(c.groups[0]->Opened());
  EXPECT_FALSE(c.groups[2]->Opened());
  c.log.clear();
  c.groups[2]->SetOpened(true);
  EXPECT_TRUE(c.groups[2]->Opened());
  EXPECT_FALSE(c.groups[0]->Opened());
  EXPECT_EQ(Log(c.log), "canopen3 open3 canclose1 close1 canclose2");

  SimpleBar t(TFwGroupBarStyle::gbsTaskList);
  t.groups[0]->SetOpened(false);
  EXPECT_TRUE(t.groups[0]->Opened());
}

TEST(FwGroupBar, RemovingTheOpenGroupOpensANeighbour) {
  struct Case {
    int open, removed, expectedOpen;  // indexes after the removal
  };
  for (const Case c : {Case{1, 1, 0}, Case{0, 0, 0}, Case{2, 0, 1}}) {
    SimpleBar s(TFwGroupBarStyle::gbsOutlook);
    s.groups[c.open]->SetOpened(true);
    TFwGroup* removed = s.groups[c.removed];
    removed->SetGroupBar(nullptr);
    EXPECT_EQ(s.bar->GroupCount(), 2);
    EXPECT_EQ(removed->GroupIndex(), -1);
    EXPECT_TRUE(s.bar->Groups(c.expectedOpen)->Opened()) << c.open << " " << c.removed;
    EXPECT_EQ(s.bar->OpenGroup(), s.bar->Groups(c.expectedOpen));
  }
  SimpleBar single(TFwGroupBarStyle::gbsOutlook, 1, 1);
  delete single.groups[0];
  EXPECT_EQ(single.bar->GroupCount(), 0);
}

TEST(FwGroupBar, GroupIndexMovesAndRefusesOutOfRange) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView);
  s.groups[2]->SetGroupIndex(0);
  EXPECT_EQ(s.bar->Groups(0), s.groups[2]);
  EXPECT_LT(s.groups[2]->Top(), s.groups[0]->Top());
  for (int bad : {-1, 3}) {
    try {
      s.groups[0]->SetGroupIndex(bad);
      FAIL() << bad;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(),
                QStringLiteral("%1 is an invalid GroupIndex value. GroupIndex must be between 0 and 2").arg(bad));
    }
  }
  EXPECT_EQ(s.groups[0]->GroupIndex(), 1);
  TPanel other(nullptr);
  EXPECT_THROW(s.groups[0]->SetParent(&other), EFwGroupBarError);
  EXPECT_EQ(s.groups[0]->GroupBar(), s.bar);
}

TEST(FwGroupBar, SelectedIndexAfterDelete) {
  struct Case {
    int selected, deleted, expected;
  };
  for (const Case c : {Case{1, 1, -1}, Case{2, 0, 1}, Case{0, 2, 0}}) {
    SimpleBar s(TFwGroupBarStyle::gbsCategoryView);
    TFwGroup* g = s.groups[0];
    g->SetSelectedIndex(c.selected);
    TFwGroupItem* selected = g->SelectedItem();
    g->Items().Delete(c.deleted);
    EXPECT_EQ(g->SelectedIndex(), c.expected) << c.selected << " " << c.deleted;
    if (c.expected >= 0) {
      EXPECT_EQ(g->SelectedItem(), selected);
    }
  }
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView);
  TFwGroup* g = s.groups[0];
  g->SetSelectedIndex(0);
  EXPECT_TRUE(g->Items()[0]->Selected());
  g->SetSelectedIndex(g->Items().Count());  // ignored
  EXPECT_EQ(g->SelectedIndex(), 0);
  g->Items()[2]->SetSelected(true);
  EXPECT_FALSE(g->Items()[0]->Selected());
  EXPECT_EQ(g->SelectedIndex(), 2);
  g->SetSelectedIndex(-1);
  EXPECT_FALSE(g->Items()[2]->Selected());
  EXPECT_EQ(g->SelectedItem(), nullptr);
}

TEST(FwGroupBar, UniqueSelectionAcrossGroups) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView);
  s.groups[0]->SetShowItemSelection(true);
  s.groups[1]->SetShowItemSelection(true);
  s.groups[2]->Items()[1]->SetSelected(true);  // does not show selection: keeps its own
  s.bar->SetUniqueItemSelection(true);
  EXPECT_EQ(s.groups[2]->SelectedIndex(), -1);  // turning it on clears every group
  s.groups[2]->Items()[1]->SetSelected(true);

  s.groups[0]->Items()[0]->SetSelected(true);
  s.groups[1]->Items()[2]->SetSelected(true);
  EXPECT_FALSE(s.groups[0]->Items()[0]->Selected());
  EXPECT_EQ(s.groups[0]->SelectedIndex(), -1);
  EXPECT_TRUE(s.groups[1]->Items()[2]->Selected());
  EXPECT_TRUE(s.groups[2]->Items()[1]->Selected());
}

TEST(FwGroupBar, ItemsFollowTheirActions) {
  MainGroupBar m;
  TAction* addNew = m.actions[0];
  TFwGroupItem* item = m.groups[0]->Items()[0];
  EXPECT_EQ(item->Caption(), QStringLiteral("添加新记录"));
  EXPECT_EQ(item->ImageIndex(), 0);
  addNew->SetCaption(QStringLiteral("新记录"));
  EXPECT_EQ(item->Caption(), QStringLiteral("新记录"));
  addNew->SetEnabled(false);
  EXPECT_FALSE(item->Enabled());
  addNew->SetVisible(false);
  EXPECT_FALSE(item->Visible());
  addNew->SetVisible(true);

  // A caption set by hand stays when the action changes.
  TAction* exportAction = m.actions[11];
  TFwGroupItem* exportItem = m.groups[1]->Items()[2];
  exportAction->SetCaption(QStringLiteral("上报"));
  EXPECT_EQ(exportItem->Caption(), QStringLiteral("上报到离线版"));

  // Checked reaches Selected only in a group that shows selection.
  addNew->SetEnabled(true);
  addNew->SetChecked(true);
  EXPECT_FALSE(item->Selected());
  addNew->SetChecked(false);
  m.groups[0]->SetShowItemSelection(true);
  addNew->SetChecked(true);
  EXPECT_TRUE(item->Selected());

  // A freed action leaves the item unbound.
  delete exportAction;
  EXPECT_EQ(exportItem->Action(), nullptr);
  EXPECT_FALSE(exportItem->Clickable());

  // An item gives an action its values and its click.
  TFwGroupItem* own = m.groups[0]->Items().Add();
  own->SetCaption(QStringLiteral("打印"));
  own->SetImageIndex(4);
  own->SetEnabled(false);
  int clicks = 0;
  own->OnClick = [&clicks](TObject*) { ++clicks; };
  TAction target(nullptr);
  own->AssignTo(target);
  EXPECT_EQ(target.Caption(), QStringLiteral("打印"));
  EXPECT_EQ(target.ImageIndex(), 4);
  EXPECT_FALSE(target.Enabled());
  ASSERT_TRUE(target.OnExecute);
  target.OnExecute(&target);
  EXPECT_EQ(clicks, 1);
}

TEST(FwGroupBar, HotTrackingAndClicks) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView, 4);
  TFwGroup* g = s.groups[0];
  g->Items()[1]->OnClick = nullptr;  // a static item
  s.bar->show();
  const QPoint first = Centre(g->Items()[0]->CaptionRect());
  const QPoint still = Centre(g->Items()[1]->CaptionRect());
  const QPoint third = Centre(g->Items()[2]->CaptionRect());
  std::vector<TFwGroupItem*> over;
  g->OnMouseOverItem = [&](TObject*, TFwGroupItem* item) { over.push_back(item); };

  const auto hotItems = [g] {
    std::vector<int> hot;
    for (int i = 0; i < g->Items().Count(); ++i)
      if (g->Items()[i]->HotState() != hsNormal) hot.push_back(i);
    return hot;
  };
  QTest::mouseMove(g, first);
  EXPECT_EQ(hotItems(), std::vector<int>{0});
  // Straight from one item to another: the old one cools as the new one lights up.
  QTest::mouseMove(g, third);
  EXPECT_EQ(hotItems(), std::vector<int>{2});
  // An item without a click handler is never hot.
  QTest::mouseMove(g, still);
  EXPECT_EQ(hotItems(), std::vector<int>{});
  EXPECT_EQ(over, (std::vector<TFwGroupItem*>{g->Items()[0], g->Items()[2], nullptr}));

  QTest::mouseClick(g, Qt::LeftButton, Qt::NoModifier, still);
  QTest::mouseClick(g, Qt::LeftButton, Qt::NoModifier, third);
  EXPECT_EQ(Log(s.log), "click1.2");
  EXPECT_EQ(g->SelectedIndex(), 2);

  // A caption click closes the category-view group.
  s.log.clear();
  QTest::mouseClick(g, Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
  EXPECT_FALSE(g->Opened());
  EXPECT_EQ(Log(s.log), "canclose1 close1");
}

// The hand shows over a caption whose click opens or closes its group and over an item
// with a click handler, its own or its action's; every caption and clickable item lights up.
TEST(FwGroupBar, TheHandShowsOverCaptionsThatOpenAndItemsThatClick) {
  const struct {
    TFwGroupBarStyle style;
    bool canClose, hand;
  } captions[] = {
      {TFwGroupBarStyle::gbsCategoryView, true, true},
      {TFwGroupBarStyle::gbsCategoryView, false, false},
      {TFwGroupBarStyle::gbsTaskList, true, false},
      {TFwGroupBarStyle::gbsOutlook, false, true},
  };
  for (const auto& c : captions) {
    SimpleBar s(c.style);
    TFwGroup* g = s.groups[0];
    g->SetCanClose(c.canClose);
    s.bar->show();
    QTest::mouseMove(g, QPoint(20, 40));  // a move to where the last bar's pointer was is none
    QTest::mouseMove(g, QPoint(20, 5));
    EXPECT_EQ(g->CaptionState(), hsHot) << int(c.style) << c.canClose;
    EXPECT_EQ(g->cursor().shape() == Qt::PointingHandCursor, c.hand) << int(c.style) << c.canClose;
  }
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView);
  TFwGroup* g = s.groups[0];
  TAction handled(nullptr), unhandled(nullptr);
  handled.OnExecute = [](TBasicAction*) {};
  for (TAction* action : {&handled, &unhandled}) {
    TFwGroupItem* item = g->Items()[action == &handled ? 1 : 2];
    action->SetCaption(item->Caption());
    item->OnClick = nullptr;
    item->SetAction(action);
  }
  s.bar->show();
  const bool hands[] = {true, true, false};
  for (int i = 0; i < 3; ++i) {
    QTest::mouseMove(g, Centre(g->Items()[i]->CaptionRect()));
    EXPECT_EQ(g->Items()[i]->HotState(), hsHot) << i;
    EXPECT_EQ(g->cursor().shape() == Qt::PointingHandCursor, hands[i]) << i;
  }
}

// A drag passing over a group lights the item under the pointer as the mouse does, but
// nothing can be dropped there; the end of the drag (leaving or dropping) leaves every
// item normal, also one whose button was down, so that its release clicks nothing.
TEST(FwGroupBar, ADragLightsTheItemUnderThePointerAndItsEndClearsTheItems) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView, 3);
  TFwGroup* g = s.groups[0];
  s.bar->show();
  const QPoint first = Centre(g->Items()[0]->CaptionRect());
  const QPoint third = Centre(g->Items()[2]->CaptionRect());
  const auto states = [g] {
    std::vector<int> hot;
    for (int i = 0; i < g->Items().Count(); ++i) hot.push_back(g->Items()[i]->HotState());
    return hot;
  };
  QMimeData data;
  data.setText(QStringLiteral("拖动"));
  const auto drag = [&](QEvent::Type type, QPoint p) {
    QDropEvent* event = type == QEvent::DragEnter ? new QDragEnterEvent(p, Qt::CopyAction, &data, Qt::LeftButton, {})
                        : type == QEvent::DragMove ? new QDragMoveEvent(p, Qt::CopyAction, &data, Qt::LeftButton, {})
                                                   : new QDropEvent(p, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(g, event);
    const bool accepted = event->isAccepted();
    delete event;
    return accepted;
  };

  EXPECT_TRUE(drag(QEvent::DragEnter, first));  // so that the moves arrive
  EXPECT_EQ(states(), (std::vector<int>{hsHot, hsNormal, hsNormal}));
  EXPECT_FALSE(drag(QEvent::DragMove, third));  // no drop here
  EXPECT_EQ(states(), (std::vector<int>{hsNormal, hsNormal, hsHot}));
  QDragLeaveEvent leave;
  QCoreApplication::sendEvent(g, &leave);
  EXPECT_EQ(states(), (std::vector<int>{hsNormal, hsNormal, hsNormal}));

  QTest::mousePress(g, Qt::LeftButton, {}, first);
  ASSERT_EQ(states()[0], hsPressed);
  drag(QEvent::DragEnter, third);
  EXPECT_EQ(states(), (std::vector<int>{hsNormal, hsNormal, hsHot}));
  drag(QEvent::Drop, third);
  EXPECT_EQ(states(), (std::vector<int>{hsNormal, hsNormal, hsNormal}));
  QTest::mouseRelease(g, Qt::LeftButton, {}, first);
  EXPECT_EQ(Log(s.log), "");
}

TEST(FwGroupBar, AShownHintChangesWithTheItemAtOnce) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView, 3);
  TFwGroup* g = s.groups[0];
  g->Items()[0]->SetHint(QStringLiteral("新建记录"));
  g->Items()[2]->SetHint(QStringLiteral("删除记录"));
  s.bar->show();
  const QPoint first = Centre(g->Items()[0]->CaptionRect());
  const QPoint third = Centre(g->Items()[2]->CaptionRect());
  QTest::mouseMove(g, first);
  ASSERT_EQ(g->toolTip(), QStringLiteral("新建记录"));
  // The pointer rested: the desktop shows the tip.
  QToolTip::showText(g->mapToGlobal(first), g->toolTip(), g);
  ASSERT_TRUE(QToolTip::isVisible());

  QTest::mouseMove(g, third);  // no rest on the new item
  EXPECT_EQ(QToolTip::text(), QStringLiteral("删除记录"));
  QTest::mouseMove(g, QPoint(20, 5));  // onto the caption, which has no hint: the tip goes
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
  QToolTip::hideText();
}

TEST(FwGroupBar, HitTestsFollowAResizeWithoutAPaint) {
  // One Outlook group of one large item: its image stands centred on the group's width.
  SimpleBar s(TFwGroupBarStyle::gbsOutlook, 1, 1);
  TFwGroup* g = s.groups[0];
  g->SetItemStyle(TFwItemStyle::isLarge);
  s.bar->show();
  QCoreApplication::processEvents();
  const TRect before = g->Items()[0]->ImageRect();
  ASSERT_FALSE(before.IsEmpty());
  PaintCounter counter;
  g->installEventFilter(&counter);

  s.bar->SetWidth(s.bar->Width() + 100);
  const TRect after = g->Items()[0]->ImageRect();
  EXPECT_EQ(after.Left, before.Left + 50);
  ClickNow(g, Centre(before));  // where the image stood: nothing there now
  EXPECT_EQ(Log(s.log), "");
  ClickNow(g, Centre(after));
  EXPECT_EQ(Log(s.log), "click1.0");
  EXPECT_EQ(counter.paints, 0);
}

TEST(FwGroupBar, HitTestsFollowTheFirstItemWithoutAPaint) {
  SimpleBar s(TFwGroupBarStyle::gbsOutlook, 3, 1);
  TFwGroup* g = s.groups[0];
  s.bar->show();
  QCoreApplication::processEvents();
  const QPoint firstRow = Centre(g->Items()[0]->CaptionRect());
  PaintCounter counter;
  g->installEventFilter(&counter);

  g->SetTopItem(2);
  EXPECT_TRUE(g->Items()[0]->CaptionRect().IsEmpty());  // scrolled away
  EXPECT_EQ(Centre(g->Items()[2]->CaptionRect()), firstRow);
  ClickNow(g, firstRow);
  EXPECT_EQ(Log(s.log), "click1.2");
  EXPECT_EQ(counter.paints, 0);
}

TEST(FwGroupBar, OutlookScrollButtonsMoveTheFirstItem) {
  MainGroupBar m(300);
  m.bar->show();
  TFwGroup* g = m.groups[0];
  TFwRapidFireButton* down = g->ScrollDownButton();
  EXPECT_TRUE(down->isVisible());
  EXPECT_FALSE(g->ScrollUpButton()->isVisible());
  EXPECT_EQ(down->Left(), g->ClientWidth() - 21);
  EXPECT_EQ(down->Top(), g->ClientHeight() - 21);
  down->Click();
  EXPECT_EQ(g->TopItem(), 1);
  EXPECT_TRUE(g->ScrollUpButton()->isVisible());
  for (int i = 0; i < 20 && down->isVisible(); ++i) down->Click();
  EXPECT_FALSE(down->isVisible());
  EXPECT_LT(g->TopItem(), g->Items().Count());
  const int last = g->TopItem();
  g->ScrollUpButton()->Click();
  EXPECT_EQ(g->TopItem(), last - 1);
}

TEST(FwGroupBar, ControllerPushesSharedValues) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView);
  TFwGroupController controller(nullptr);
  controller.SetItemHeight(30);
  s.groups[0]->SetGroupController(&controller);
  s.groups[1]->SetGroupController(&controller);
  EXPECT_EQ(s.groups[0]->ItemHeight(), 30);
  controller.BeginUpdate();
  controller.SetCaptionHeight(10);
  EXPECT_EQ(s.groups[1]->CaptionHeight(), 20);  // waits for the end of the update
  controller.EndUpdate();
  EXPECT_EQ(s.groups[1]->CaptionHeight(), 16);  // never below 16
  EXPECT_EQ(s.groups[2]->CaptionHeight(), 20);
}

TEST(FwGroupBar, ControllerForgetsAFreedSettingsHolder) {
  TFwGroupController controller(nullptr);
  auto* settings = new TFwRegIniFile(nullptr);
  controller.SetRegIniFile(settings);
  EXPECT_EQ(controller.RegIniFile(), settings);
  delete settings;
  EXPECT_EQ(controller.RegIniFile(), nullptr);
}

TEST(FwGroupBar, ClosingAGroupAtTheBottomLeavesNoEmptySpaceBelow) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView, 6);
  s.bar->SetHeight(200);
  s.bar->SetScrollPosition(100000);
  const int before = s.bar->ScrollPosition();
  ASSERT_GT(before, 0);
  s.groups[2]->SetOpened(false);
  // The last group's bottom (plus the gap) ends at the client's bottom, or the bar is
  // back at the top.
  EXPECT_LT(s.bar->ScrollPosition(), before);
  TFwGroup* last = s.groups[2];
  const int gap = s.bar->ClientRect().Bottom - (last->Top() + last->Height());
  EXPECT_TRUE(s.bar->ScrollPosition() == 0 || gap == s.bar->GroupBorderSize()) << gap;
  EXPECT_EQ(s.bar->ScrollPosition(), std::max(0, s.bar->ScrollRange() - s.bar->ClientHeight()));
}

TEST(FwGroupBar, ImageListChangesMeasureTheGroupsAgain) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView, 2, 1);
  TImageList small(nullptr);
  small.SetWidth(16);
  small.SetHeight(16);
  s.bar->SetSmallImages(&small);
  s.groups[0]->Items()[0]->SetImageIndex(0);
  EXPECT_EQ(s.groups[0]->Items()[1]->CaptionRect().Left, 16 + 12);
  small.SetWidth(24);  // only the list changes
  EXPECT_EQ(s.groups[0]->Items()[1]->CaptionRect().Left, 24 + 12);

  TImageList own(nullptr);
  s.groups[0]->SetSmallImages(&own);
  own.SetWidth(20);
  EXPECT_EQ(s.groups[0]->Items()[1]->CaptionRect().Left, 20 + 12);
  s.groups[0]->SetSmallImages(nullptr);
  s.bar->SetSmallImages(nullptr);
}

TEST(FwGroupBar, ThemeChangeReadsTheColourSchemeAgain) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView);
  EXPECT_EQ(s.bar->FlatColorAdjustment(), 30);
  const int scheme = XPColorScheme();
  SetXPColorScheme(2);
  QEvent themeChange(QEvent::ThemeChange);
  QCoreApplication::sendEvent(s.bar, &themeChange);
  EXPECT_EQ(XPColorScheme(), GetXPColorScheme());
  SetXPColorScheme(scheme);
}

TEST(FwGroupBar, MainWindowBarScreenshot) {
  // The left column of the main window: the bar fills a size panel.
  MainGroupBar m;
  auto* column = new TFwSizePanel(&m.root);
  column->SetBounds(0, 0, 108, 708);
  column->SetColor(16373953);
  column->SetGradientColorStop(16373953);
  column->SetHotSpotColor(16373953);
  column->SetHotSpotVisible(true);
  column->SetRealTimeDrag(true);
  column->SetSizeBarStyle(TSplitterStyle::ssBump);
  column->SetSizeBarWidth(7);
  column->SetVisualStyle(TFwVisualStyle::vsGradient);
  m.bar->SetParent(column);
  m.bar->SetAlign(TAlign::alClient);
  column->show();
  EXPECT_EQ(m.bar->Width(), 100);
  EXPECT_EQ(m.groups[0]->Height(), 668);
  const QImage image = column->grab().toImage();
  fwtest::SaveShot(image, QStringLiteral("fw_group_bar.png"));
  // Enlarged copies of the open caption and of the closed captions, to look at details.
  fwtest::SaveShot(image.copy(0, 0, 108, 240).scaled(324, 720), QStringLiteral("fw_group_bar_top.png"));
  fwtest::SaveShot(image.copy(0, 600, 108, 108).scaled(324, 324), QStringLiteral("fw_group_bar_bottom.png"));
  // The open body runs in the group colour's blue; the closed captions stand at the bottom.
  const QColor body = image.pixelColor(3, 300);
  EXPECT_GT(body.blue(), body.red());
  EXPECT_EQ(m.groups[2]->Top(), 688);
}

// A gallery, run only when FW_SHOTS names a folder.
TEST(FwGroupBar, CategoryViewAndTaskListScreenshot) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  TComponent root(nullptr);
  auto* small = new TImageList(&root);
  for (int i = 0; i < 4; ++i) small->Add(fwtest::IconImage(QStringLiteral("folder"), i).scaled(16, 16));
  QImage sheet(400, 360, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  int x = 0;
  for (TFwGroupBarStyle style : {TFwGroupBarStyle::gbsCategoryView, TFwGroupBarStyle::gbsTaskList}) {
    auto* bar = new TFwGroupBar(&root);
    bar->SetStyle(style);
    bar->SetSmallImages(small);
    bar->SetBounds(0, 0, 180, 360);
    for (int g = 0; g < 3; ++g) {
      auto* group = new TFwGroup(&root);
      group->SetCaption(QStringLiteral("分组 %1").arg(g + 1));
      group->SetGroupBar(bar);
      group->SetSpecial(g == 2);
      group->SetShowItemSelection(true);
      for (int i = 0; i < 4; ++i) {
        TFwGroupItem* item = group->Items().Add();
        item->SetCaption(i == 2 ? QStringLiteral("-") : QStringLiteral("项目 %1").arg(i));
        item->SetImageIndex(i);
        if (i != 3) item->OnClick = [](TObject*) {};
      }
      if (g == 1) group->SetOpened(false);
    }
    bar->Groups(0)->SetSelectedIndex(1);
    bar->show();
    painter.drawImage(x, 0, bar->grab().toImage());
    x += 200;
  }
  painter.end();
  fwtest::SaveShot(sheet, QStringLiteral("fw_group_styles.png"));
}

TEST(FwGroupBar, RightClickOnAnItemShowsTheItemMenu) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView);
  TFwGroup* g = s.groups[0];
  auto* itemMenu = new TPopupMenu(&s.root);
  auto* groupMenu = new TPopupMenu(&s.root);
  g->SetItemPopupMenu(itemMenu);
  g->SetPopupMenu(groupMenu);
  std::vector<QString> log;
  itemMenu->OnPopup = [&](TObject*) { log.push_back("item menu"); };
  groupMenu->OnPopup = [&](TObject*) { log.push_back("group menu"); };
  g->OnItemPopupMenu = [&](TObject*, TFwGroupItem* item) { log.push_back(item->Caption()); };
  s.bar->show();
  QTest::mouseClick(g, Qt::RightButton, Qt::NoModifier, Centre(g->Items()[1]->CaptionRect()));
  EXPECT_EQ(Log(log), "item 1 item menu");
  EXPECT_EQ(g->PopupItem(), g->Items()[1]);
  itemMenu->Menu()->hide();
}

TEST(FwGroupBar, CategoryViewScrollsWhenGroupsDoNotFit) {
  SimpleBar s(TFwGroupBarStyle::gbsCategoryView, 6);
  s.bar->SetHeight(120);
  EXPECT_GT(s.bar->ScrollRange(), s.bar->ClientHeight());
  const int top = s.groups[1]->Top();
  s.bar->SetScrollPosition(10);
  EXPECT_EQ(s.groups[1]->Top(), top - 10);
  s.bar->SetScrollPosition(100000);  // clamped to range - page
  EXPECT_EQ(s.bar->ScrollPosition(), s.bar->ScrollRange() - s.bar->ClientHeight());
  // Once everything fits the position returns to 0.
  s.groups[0]->SetOpened(false);
  s.groups[1]->SetOpened(false);
  s.groups[2]->SetOpened(false);
  EXPECT_EQ(s.bar->ScrollPosition(), 0);
  EXPECT_EQ(s.groups[0]->Top(), 8);
}

TEST(FwGroupBar, OutlookCaptionAndItemColoursFollowTheMouse) {
  MainGroupBar m;
  m.bar->show();
  TFwGroup* closed = m.groups[1];
  const auto count = [](TFwGroup* g, TColor color, QRect area) {
    const QImage image = g->grab().toImage();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) n += FromQColor(image.pixelColor(x, y)) == color;
    return n;
  };
  const QRect caption(0, 0, closed->Width(), closed->CaptionHeight());
  EXPECT_GT(count(closed, 10828800, caption), 10);
  EXPECT_EQ(count(closed, 16748098, caption), 0);
  QTest::mouseMove(closed, QPoint(50, 10));
  EXPECT_EQ(closed->CaptionState(), hsHot);
  EXPECT_EQ(count(closed, 10828800, caption), 0);
  EXPECT_GT(count(closed, 16748098, caption), 10);
  QTest::mouseClick(closed, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
  EXPECT_TRUE(closed->Opened());

  // A hot large item gets a frame round its image in the selection frame colour.
  TFwGroup* open = m.groups[1];
  const TRect image = open->Items()[0]->ImageRect();
  const QRect around(image.Left - 2, image.Top - 2, image.Width() + 4, image.Height() + 4);
  const TColor frame = ColorToRGB(open->SelectionFrameColor());
  EXPECT_EQ(count(open, frame, around), 0);
  QTest::mouseMove(open, Centre(image));
  EXPECT_EQ(count(open, frame, around), 2 * around.width() + 2 * around.height() - 4);
}

TEST(FwGroupBar, FreeingTheWindowOpensNoGroup) {
  std::vector<QString> log;
  {
    TComponent window(nullptr);
    auto* bar = new TFwGroupBar(&window);
    bar->SetStyle(TFwGroupBarStyle::gbsOutlook);
    std::vector<TFwGroup*> groups;
    for (int i = 0; i < 3; ++i) {
      groups.push_back(new TFwGroup(&window));
      groups.back()->SetGroupBar(bar);
      groups.back()->OnOpen = [&log](TObject*) { log.push_back("open"); };
    }
    groups[2]->SetOpened(true);
    log.clear();
  }
  EXPECT_TRUE(log.empty());
}
