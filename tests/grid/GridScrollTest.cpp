// Scrolling the report grid: a grid of one data column scrolled by pixels, and the view
// moving what the window shows instead of painting it all again.

#include "grid/EasyGrid.h"
#include "platform/ui/Form.h"
#include "support/TestSupport.h"
#include "GridOnForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

using namespace fw;

class GridScroll : public fwtest::GridOnForm {
protected:
  GridScroll() : GridOnForm({500, 400, 400, 300, 5, 5}) {}
};

TEST_F(GridScroll, OneDataColumnScrollsByPixels) {
  grid->SetColCount(2);
  grid->SetColWidths(1, 900);
  QScrollBar* bar = grid->HorzScrollBar();
  ASSERT_TRUE(bar);
  const int title = grid->ColAxis().FixedBoundary();  // 81
  const int part = grid->ClientWidth() - title;
  const int max = 900 - part;
  EXPECT_EQ(bar->maximum(), max);
  EXPECT_FALSE(bar->isHidden());
  const int zero = QFontMetrics(grid->font()).horizontalAdvance(u'0');
  struct Case {
    const char* Name;
    int Start, Code, Pos, Expected;
  };
  const Case cases[] = {
      {"line right", 0, scLineDown, 0, zero},
      {"line left at the start", 0, scLineUp, 0, 0},
      {"page right", 10, scPageDown, 0, 10 + part},
      {"page left past the start", 10, scPageUp, 0, 0},
      {"thumb position", 0, scPosition, 123, 123},
      {"thumb tracking without goThumbTracking", 0, scTrack, 123, 0},
      {"left end", 200, scTop, 0, 0},
      {"right end", 0, scBottom, 0, max},
      {"beyond the end", 0, scPosition, max + 50, max},
  };
  for (const Case& c : cases) {
    grid->ScrollMessage(true, scPosition, c.Start);
    grid->ScrollMessage(true, c.Code, c.Pos);
    EXPECT_EQ(grid->HorzPixelOffset(), c.Expected) << c.Name;
    EXPECT_EQ(grid->LeftCol(), 1) << c.Name;
    EXPECT_EQ(grid->CellRect(1, 1).Left, title - c.Expected) << c.Name;
    EXPECT_EQ(bar->value(), c.Expected) << c.Name;
  }
  grid->SetOptions(grid->Options() | goThumbTracking);
  grid->ScrollMessage(true, scTrack, 77);
  EXPECT_EQ(grid->HorzPixelOffset(), 77);
  // A second column ends pixel scrolling.
  grid->SetColCount(3);
  EXPECT_EQ(grid->HorzPixelOffset(), 0);
  EXPECT_EQ(grid->CellRect(1, 1).Left, title);
}

// A bar whose axis has nothing to scroll (a range of 0..0) is hidden and leaves its room
// to the cells; it comes back when there is something to scroll.
TEST_F(GridScroll, BarsWithNothingToScrollAreHidden) {
  const struct {
    const char* Name;
    int Cols, Rows;
    bool Horz, Vert;
  } cases[] = {
      {"all fit", 3, 3, false, false},
      {"many rows", 3, 30, false, true},
      {"many of both", 20, 30, true, true},
  };
  const int border = grid->BorderWidth();
  for (const auto& c : cases) {
    grid->SetColCount(c.Cols);
    grid->SetRowCount(c.Rows);
    QApplication::processEvents();
    fwtest::SaveShot(grid->grab().toImage(), QStringLiteral("grid-bars-%1.png").arg(c.Name).replace(' ', '-'));
    EXPECT_EQ(grid->HorzScrollBar()->isVisible(), c.Horz) << c.Name;
    EXPECT_EQ(grid->VertScrollBar()->isVisible(), c.Vert) << c.Name;
    EXPECT_EQ(grid->HorzScrollBar()->maximum(), c.Horz ? 127 : 0) << c.Name;
    EXPECT_EQ(grid->VertScrollBar()->maximum(), c.Vert ? 127 : 0) << c.Name;
    EXPECT_EQ(grid->ClientWidth(), grid->Width() - 2 * border - (c.Vert ? grid->VertScrollBar()->width() : 0))
        << c.Name;
    EXPECT_EQ(grid->ClientHeight(), grid->Height() - 2 * border - (c.Horz ? grid->HorzScrollBar()->height() : 0))
        << c.Name;
  }
}

// Records the areas the grid is asked to paint.
class PaintRecorder : public QObject {
public:
  QRegion Painted;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

TEST_F(GridScroll, ScrollingMovesTheWindowContentsAndPaintsOnlyWhatShowsAnew) {
  grid->SetColCount(12);
  grid->SetRowCount(30);
  for (int c = 1; c < 12; ++c)
    for (int r = 1; r < 30; ++r) grid->SetForeText(c, r, QStringLiteral("%1-%2").arg(c).arg(r));
  QApplication::processEvents();
  PaintRecorder recorder;
  grid->installEventFilter(&recorder);
  const int border = grid->BorderWidth();
  const TRect client = grid->ClientRect();
  grid->SetTopLeft(2, 1);  // one column on
  QApplication::processEvents();
  // Painted afresh: the column that came into view and thin bands along the boundaries,
  // not the columns that only moved.
  const QPoint middle(border + client.Width() / 2, border + client.Height() / 2);
  EXPECT_FALSE(recorder.Painted.contains(middle));
  EXPECT_TRUE(recorder.Painted.contains(QPoint(border + client.Right - 5, middle.y())));
  recorder.Painted = QRegion();
  grid->SetTopLeft(2, 3);  // two rows on
  QApplication::processEvents();
  EXPECT_FALSE(recorder.Painted.contains(middle));
  EXPECT_TRUE(recorder.Painted.contains(QPoint(middle.x(), border + client.Bottom - 5)));
  // A jump further than the view paints it all.
  recorder.Painted = QRegion();
  grid->SetTopLeft(2, 25);
  QApplication::processEvents();
  EXPECT_TRUE(recorder.Painted.contains(middle));
  grid->removeEventFilter(&recorder);

  // What the window shows after the moves is what painting it whole shows.
  grid->SetTopLeft(3, 20);
  QApplication::processEvents();
  const QImage shown = QApplication::primaryScreen()->grabWindow(form.winId()).toImage();
  const QImage fresh = grid->grab().toImage();
  ASSERT_FALSE(shown.isNull());
  const QImage shownGrid = shown.copy(grid->geometry()).convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(shownGrid == fresh.convertToFormat(QImage::Format_RGB32));
}

} // namespace
