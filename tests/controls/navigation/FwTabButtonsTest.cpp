// The tab strip's end buttons (close, tab list) and turned captions.
#include "../common/PixelTools.h"
#include "controls/navigation/FwTabControl.h"
#include "controls/navigation/FwTabMenuButton.h"
#include "controls/navigation/FwTabScroller.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using namespace fw;

namespace {

struct Strip {
  TComponent root{nullptr};
  TFwCustomTabControl* tabs = new TFwCustomTabControl(&root);
  explicit Strip(int count, int width = 300, int height = 100) {
    tabs->resize(width, height);
    for (int i = 0; i < count; ++i) tabs->Tabs().Add().Caption = QStringLiteral("表%1").arg(i + 1);
    tabs->RebuildTabs();
    tabs->SetShowShadow(false);
  }
};

} // namespace

TEST(FwTabButtons, CloseMenuAndScrollerStandInARowAtTheFarEnd) {
  Strip s(3);
  s.tabs->SetShowCloseButton(true);
  s.tabs->SetShowMenuButton(true);
  const TRect strip = s.tabs->StripRect();
  const int b = s.tabs->ButtonSize();
  const TRect close = s.tabs->CloseButton()->BoundsRect();
  const TRect menu = s.tabs->MenuButton()->BoundsRect();
  EXPECT_EQ(close, Bounds(strip.Right - b + 1, strip.Bottom - b - 2, b, b));
  EXPECT_EQ(menu, Bounds(close.Left - 2 - b, close.Top, b, b));
  // The tabs keep clear of the buttons.
  EXPECT_LE(s.tabs->TabDrawRect(2).Right, menu.Left);
  EXPECT_FALSE(s.tabs->ScrollingNeeded());

  // More tabs than fit: the scroller comes next, and the last tab is scrolled to.
  for (int i = 0; i < 10; ++i) s.tabs->Tabs().Add().Caption = QStringLiteral("更多%1").arg(i);
  s.tabs->RebuildTabs();
  ASSERT_TRUE(s.tabs->ScrollingNeeded());
  EXPECT_EQ(s.tabs->Scroller()->BoundsRect(), Bounds(menu.Left - 2 - (2 * b - 1), close.Top, 2 * b - 1, b));

  // Hidden again, or without tabs, the buttons go.
  s.tabs->SetShowMenuButton(false);
  s.tabs->DisplayRect();
  EXPECT_FALSE(s.tabs->MenuButton()->isVisibleTo(s.tabs));
  s.tabs->Tabs().Clear();
  s.tabs->RebuildTabs();
  s.tabs->DisplayRect();
  EXPECT_FALSE(s.tabs->CloseButton()->isVisibleTo(s.tabs));
}

TEST(FwTabButtons, ButtonsFollowTheStripRoundTheCard) {
  struct Case {
    TFwTabOrientation orientation;
    TFwTabSequence sequence;
    // Which corner of the strip the close button sits at: along the low or high end.
    bool atHighEnd;
  };
  for (const Case c : {Case{TFwTabOrientation::toBottom, TFwTabSequence::tsStandard, true},
                       Case{TFwTabOrientation::toTop, TFwTabSequence::tsReverse, false},
                       Case{TFwTabOrientation::toLeft, TFwTabSequence::tsStandard, false},
                       Case{TFwTabOrientation::toRight, TFwTabSequence::tsStandard, true}}) {
    Strip s(2, 300, 300);
    s.tabs->SetTabOrientation(c.orientation);
    s.tabs->SetTabSequence(c.sequence);
    s.tabs->SetShowCloseButton(true);
    const TRect strip = s.tabs->StripRect();
    const TRect close = s.tabs->CloseButton()->BoundsRect();
    EXPECT_TRUE(strip.Contains(Point(close.Left, close.Top))) << int(c.orientation);
    const bool vertical = c.orientation == TFwTabOrientation::toLeft || c.orientation == TFwTabOrientation::toRight;
    const int along = vertical ? close.Top : close.Left;
    const int middle = vertical ? (strip.Top + strip.Bottom) / 2 : (strip.Left + strip.Right) / 2;
    EXPECT_EQ(along > middle, c.atHighEnd) << int(c.orientation);
  }
}

TEST(FwTabButtons, TheMenuListsTheShownTabsAndSelectsTheChosenOne) {
  Strip s(4);
  s.tabs->Tabs().Items(1).Visible = false;
  s.tabs->Tabs().Items(2).Enabled = false;
  s.tabs->RebuildTabs();
  s.tabs->SetShowMenuButton(true);
  s.tabs->SetTabIndex(3);
  s.tabs->show();
  TFwTabMenuButton* button = s.tabs->MenuButton();
  ASSERT_NE(button, nullptr);
  int displays = 0;
  button->OnDisplayMenu = [&](TObject*) { ++displays; };
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(displays, 1);
  TMenuItem* items = button->TabMenu()->Items();
  ASSERT_EQ(items->Count(), 3);
  EXPECT_EQ(items->Items(1)->Caption(), QStringLiteral("表3"));
  EXPECT_FALSE(items->Items(1)->Enabled());
  EXPECT_TRUE(items->Items(2)->Checked());
  EXPECT_FALSE(items->Items(0)->Checked());
  EXPECT_EQ(button->TabOfItem(2), 3);

  items->Items(0)->Click();
  EXPECT_EQ(s.tabs->TabIndex(), 0);
  if (button->TabMenu()->Menu()) button->TabMenu()->Menu()->hide();

  // The menu (120 wide) opens at one of the button's corners, with its left edge there
  // or (aligned right) its right edge.
  const struct {
    TFwTabOrientation orientation;
    TFwTabSequence sequence;
    bool right, bottom, alignedRight;
  } cases[] = {
      {TFwTabOrientation::toTop, TFwTabSequence::tsStandard, true, true, true},
      {TFwTabOrientation::toTop, TFwTabSequence::tsReverse, false, true, false},
      {TFwTabOrientation::toLeft, TFwTabSequence::tsStandard, true, false, false},
      {TFwTabOrientation::toBottom, TFwTabSequence::tsStandard, true, false, true},
      {TFwTabOrientation::toBottom, TFwTabSequence::tsReverse, false, false, false},
      {TFwTabOrientation::toRight, TFwTabSequence::tsStandard, false, false, true},
  };
  for (const auto& c : cases) {
    s.tabs->SetTabOrientation(c.orientation);
    s.tabs->SetTabSequence(c.sequence);
    button = s.tabs->MenuButton();
    const TPoint topLeft = button->ClientToScreen(Point(0, 0));
    const TPoint bottomRight = button->ClientToScreen(Point(button->Width(), button->Height()));
    const TPoint at = button->MenuPosition(120);
    EXPECT_EQ(at.X, (c.right ? bottomRight.X : topLeft.X) - (c.alignedRight ? 120 : 0))
        << int(c.orientation) << int(c.sequence);
    EXPECT_EQ(at.Y, c.bottom ? bottomRight.Y : topLeft.Y) << int(c.orientation) << int(c.sequence);
  }
}

TEST(FwTabButtons, TurnedCaptionsStandTheTabsOnEnd) {
  Strip s(3, 300, 160);
  const TRect flat = s.tabs->TabDrawRect(0);
  s.tabs->SetTextOrientation(TOrientation::orVertical);
  const TRect turned = s.tabs->TabDrawRect(0);
  EXPECT_GT(flat.Width(), flat.Height());
  EXPECT_GT(turned.Height(), flat.Height());
  EXPECT_EQ(s.tabs->TabLook(0).TextEscapement, 900);
  s.tabs->SetTabOrientation(TFwTabOrientation::toRight);
  EXPECT_EQ(s.tabs->TabLook(0).TextEscapement, 2700);
  s.tabs->SetTabOrientation(TFwTabOrientation::toLeft);
  EXPECT_EQ(s.tabs->TabLook(0).TextEscapement, 900);
  // Turned text on side tabs makes narrow tabs.
  const TRect side = s.tabs->TabDrawRect(0);
  EXPECT_GT(side.Height(), side.Width());

  // The caption's ink is taller than wide.
  s.tabs->SetTabOrientation(TFwTabOrientation::toTop);
  s.tabs->Tabs().Items(0).Caption = QStringLiteral("表一二三");
  s.tabs->RebuildTabs();
  s.tabs->SetTabIndex(1);
  const TFwTabLook look = s.tabs->TabLook(0);
  const QImage image = s.tabs->grab().toImage().copy(look.Caption.ToQt());
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (fwtest::Distance(fwtest::At(image, x, y), look.TextColor) < 60) ink |= QRect(x, y, 1, 1);
  ASSERT_FALSE(ink.isNull());
  EXPECT_GT(ink.height(), 2 * ink.width());
}
