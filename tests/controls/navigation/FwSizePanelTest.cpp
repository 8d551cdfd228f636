#include "controls/navigation/FwSizePanel.h"
#include "controls/navigation/FwSplitCursors.h"
#include "platform/ui/Panel.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace fw;

namespace {

// A left-aligned panel as the main window has it, in a 400 x 300 window.
struct Window {
  TPanel host{nullptr};
  TFwSizePanel* panel = new TFwSizePanel(&host);
  int hotSpotClicks = 0;

  explicit Window(bool realTime = true) {
    host.SetBounds(0, 0, 400, 300);
    panel->SetParent(&host);
    panel->SetWidth(108);
    panel->SetSizeBarStyle(TSplitterStyle::ssBump);
    panel->SetSizeBarWidth(7);
    panel->SetHotSpotVisible(true);
    panel->SetRealTimeDrag(realTime);
    panel->OnHotSpotClick = [this](TObject*) { ++hotSpotClicks; };
    host.show();
  }
  // The middle of the hot spot, and a point on the bar outside it.
  QPoint HotSpot() const {
    const TRect r = panel->HotSpotRect();
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  QPoint BarOutsideHotSpot() const { return QPoint(panel->SizeBarRect().Left + 3, 5); }
  bool Shows(TFwSplitCursor which) const {
    return panel->cursor().shape() == Qt::BitmapCursor &&
           panel->cursor().pixmap().cacheKey() == SplitCursor(which).pixmap().cacheKey();
  }
  void Click(QPoint p) { QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, p); }
  void Drag(QPoint from, int dx) {
    QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(panel, from + QPoint(dx, 0));
    QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, from + QPoint(dx, 0));
  }
};

} // namespace

TEST(FwSizePanel, HotSpotCollapsesToTheBarAndRestores) {
  Window w;
  EXPECT_EQ(w.panel->SizeBarRect(), Rect(101, 0, 108, w.panel->Height()));
  w.Click(w.HotSpot());
  EXPECT_TRUE(w.panel->HotSpotClosed());
  EXPECT_EQ(w.panel->Width(), 8);
  EXPECT_EQ(w.panel->HotSpotPosition(), 108);
  w.Click(w.HotSpot());
  EXPECT_FALSE(w.panel->HotSpotClosed());
  EXPECT_EQ(w.panel->Width(), 108);
  EXPECT_EQ(w.hotSpotClicks, 2);

  w.panel->SetMarginMin(20);
  w.Click(w.HotSpot());
  EXPECT_EQ(w.panel->Width(), 28);
  w.Click(w.HotSpot());
  w.panel->SetHotSpotIgnoreMargins(true);
  w.Click(w.HotSpot());
  EXPECT_EQ(w.panel->Width(), 8);
}

TEST(FwSizePanel, DraggingResizesWithinTheRoomAndReopens) {
  Window w;
  w.Drag(w.BarOutsideHotSpot(), 40);
  EXPECT_EQ(w.panel->Width(), 148);
  w.Drag(w.BarOutsideHotSpot(), 1000);
  EXPECT_EQ(w.panel->Width(), 400);  // the whole free room
  w.Drag(w.BarOutsideHotSpot(), -1000);
  EXPECT_EQ(w.panel->Width(), 8);    // the bar and its pixel at least

  // From the collapsed state a drag to the right opens the panel without a click.
  w.panel->SetWidth(108);
  w.Click(w.HotSpot());
  ASSERT_TRUE(w.panel->HotSpotClosed());
  w.Drag(w.BarOutsideHotSpot(), 50);
  EXPECT_FALSE(w.panel->HotSpotClosed());
  EXPECT_EQ(w.panel->Width(), 58);
  EXPECT_EQ(w.hotSpotClicks, 1);
}

TEST(FwSizePanel, PressMoveReleaseInTheHotSpotIsADrag) {
  Window w;
  w.Drag(w.HotSpot(), 5);
  EXPECT_FALSE(w.panel->HotSpotClosed());
  EXPECT_EQ(w.panel->Width(), 113);
  EXPECT_EQ(w.hotSpotClicks, 0);
}

TEST(FwSizePanel, LockBarKeepsTheSizeButNotTheHotSpot) {
  Window w;
  w.panel->SetLockBar(true);
  w.Drag(w.BarOutsideHotSpot(), 40);
  EXPECT_EQ(w.panel->Width(), 108);
  w.Drag(w.HotSpot(), 40);
  EXPECT_EQ(w.panel->Width(), 108);
  QTest::mouseMove(w.panel, w.BarOutsideHotSpot());
  EXPECT_FALSE(w.Shows(TFwSplitCursor::HorzSplit));
  w.Click(w.HotSpot());
  EXPECT_EQ(w.panel->Width(), 8);
  w.Click(w.HotSpot());
  EXPECT_EQ(w.panel->Width(), 108);

  QTest::mouseMove(w.panel, w.HotSpot());
  EXPECT_TRUE(w.Shows(TFwSplitCursor::HorzHotSpot));

  w.panel->SetLockBar(false);
  QTest::mouseMove(w.panel, QPoint(50, 50));
  QTest::mouseMove(w.panel, w.BarOutsideHotSpot());
  EXPECT_TRUE(w.Shows(TFwSplitCursor::HorzSplit));
  // The hot spot keeps its own cursor on a bar that can be dragged, too.
  QTest::mouseMove(w.panel, w.HotSpot());
  EXPECT_TRUE(w.Shows(TFwSplitCursor::HorzHotSpot));
  QTest::mouseMove(w.panel, QPoint(50, 50));  // later tests start with the pointer away
}

TEST(FwSizePanel, UnalignedSiblingsCountAtThePanelsSide) {
  Window w;
  EXPECT_EQ(w.panel->FreeRoom(), 400);
  auto* aligned = new TPanel(&w.host);
  aligned->SetParent(&w.host);
  aligned->SetAlign(TAlign::alRight);
  aligned->SetWidth(60);
  auto* loose = new TPanel(&w.host);
  loose->SetParent(&w.host);
  loose->SetBounds(200, 20, 50, 30);
  EXPECT_EQ(w.panel->FreeRoom(), 400 - 60 - 50);
  loose->SetVisible(false);
  EXPECT_EQ(w.panel->FreeRoom(), 400 - 60);
}

// Escape ends a drag, deferred or live, and the panel is back at the size it had at the
// press, collapsed again when it was collapsed.
TEST(FwSizePanel, EscapeEndsTheDragAtTheSizeOfThePress) {
  for (const bool realTime : {false, true}) {
    for (const bool collapsed : {false, true}) {
      Window w(realTime);
      if (collapsed) w.Click(w.HotSpot());
      const int before = w.panel->Width();
      const QPoint from = w.BarOutsideHotSpot();
      QTest::mousePress(w.panel, Qt::LeftButton, Qt::NoModifier, from);
      QTest::mouseMove(w.panel, from + QPoint(30, 0));
      EXPECT_EQ(w.panel->Width(), realTime ? before + 30 : before);  // deferred: only the line moves
      QTest::keyClick(&w.host, Qt::Key_Escape);
      EXPECT_FALSE(w.panel->Dragging());
      EXPECT_EQ(w.panel->Width(), before) << realTime << collapsed;
      EXPECT_EQ(w.panel->HotSpotClosed(), collapsed) << realTime;
      QTest::mouseMove(w.panel, from + QPoint(40, 0));
      QTest::mouseRelease(w.panel, Qt::LeftButton, Qt::NoModifier, from + QPoint(40, 0));
      EXPECT_EQ(w.panel->Width(), before);

      w.Drag(w.BarOutsideHotSpot(), 30);
      EXPECT_EQ(w.panel->Width(), before + 30);
    }
  }
}

// The borders go round the panel less its bar, so the one facing the window shows
// beside the bar instead of under it.
TEST(FwSizePanel, BordersLeaveOutTheBar) {
  Window w;
  w.panel->SetSizeBarStyle(TSplitterStyle::ssStandard);
  w.panel->SetHotSpotVisible(false);
  w.panel->SetVisualStyle(TFwVisualStyle::vsClassic);
  w.panel->SetColor(clWhite);
  w.panel->SetBorderOuter(TFrameStyleEx::fsFlat);
  const QImage image = w.panel->grab().toImage();
  const int y = w.panel->Height() / 2, right = w.panel->Width() - 7;
  const QColor border = image.pixelColor(0, y);
  EXPECT_NE(border, QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(right - 1, y), border);
  EXPECT_EQ(image.pixelColor(right - 2, y), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(right, y), QColor(Qt::white));  // the bar
}

TEST(FwSizePanel, BarWidthRulesAndClientArea) {
  TFwSizePanel panel(nullptr);
  panel.SetSizeBarStyle(TSplitterStyle::ssBump);
  EXPECT_EQ(panel.SizeBarWidth(), 6);
  panel.SetHotSpotVisible(true);
  EXPECT_EQ(panel.SizeBarWidth(), 7);
  panel.SetSizeBarWidth(4);
  EXPECT_EQ(panel.SizeBarWidth(), 7);

  panel.SetAlign(TAlign::alClient);
  EXPECT_TRUE(panel.SizeBarRect().IsEmpty());
  panel.SetAlign(TAlign::alTop);
  panel.SetBounds(0, 0, 200, 50);
  EXPECT_EQ(panel.SizeBarRect(), Rect(0, 43, 200, 50));

  // Without a parent there is no room to size: mouse handling changes nothing and
  // raises nothing.
  EXPECT_THROW(panel.FreeRoom(), std::runtime_error);
  panel.show();
  QTest::mousePress(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, 46));
  QTest::mouseMove(&panel, QPoint(5, 80));
  QTest::mouseRelease(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, 80));
  EXPECT_EQ(panel.Height(), 50);
}

TEST(FwSizePanel, ClientAreaLeavesTheBarFree) {
  Window w;
  TPanel* child = new TPanel(w.panel);
  child->SetParent(w.panel);
  child->SetAlign(TAlign::alClient);
  EXPECT_EQ(child->Width(), 100);
  w.Click(w.HotSpot());
  EXPECT_EQ(child->Width(), 0);
}

TEST(FwSizePanel, HotSpotLightsUpUnderTheMouse) {
  Window w;
  w.panel->SetHotSpotColor(RGB(10, 20, 30));
  w.panel->SetHotSpotHighlight(RGB(200, 210, 220));
  const auto fillAt = [&] {
    const QImage image = w.panel->grab().toImage();
    const TRect r = w.panel->HotSpotRect();
    return FromQColor(image.pixelColor(r.Left + 1, r.Top + 3));
  };
  EXPECT_EQ(fillAt(), RGB(10, 20, 30));
  QTest::mouseMove(w.panel, w.HotSpot());
  EXPECT_TRUE(w.panel->HotSpotHot());
  EXPECT_EQ(fillAt(), RGB(200, 210, 220));
  QTest::mouseMove(w.panel, QPoint(20, 20));
  EXPECT_FALSE(w.panel->HotSpotHot());
}

TEST(FwSizePanel, DockedClientsKeepClearOfTheSizeBar) {
  Window w;
  w.panel->SetDockSite(true);
  ASSERT_NE(w.panel->DockManager(), nullptr);
  EXPECT_EQ(w.panel->SizeBarRect(), Rect(108 - 8, 0, 108, w.panel->Height()));  // one pixel deeper on a dock site
  auto* client = new TFwPanel(&w.host);
  w.panel->DockClient(client, Rect(0, 0, 108, 120));
  // Below its grabber (the panel stands on the left), and left of the bar.
  EXPECT_EQ(client->BoundsRect(), Rect(0, 14, 100, 120));
}
