// Painting of the report grid, read from the pixels of a grabbed image: grid lines by
// region, backgrounds by state, frame lines, text placement, merged ranges, scrolling.

#include "grid/EasyGrid.h"
#include "platform/ui/Form.h"

#include <QImage>
#include <map>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

QRgb Rgb(TColor color) { return ToQColor(ColorToRGB(color)).rgb() | 0xFF000000u; }

class GridPaint : public ::testing::Test {
protected:
  GridPaint() : form(nullptr) {
    form.resize(600, 400);
    grid = new TEasyGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 500, 300);
    // Pixels are read in client coordinates: no border around them.
    grid->SetBorderStyle(TBorderStyle::bsNone);
    grid->SetColCount(6);
    grid->SetRowCount(8);
  }
  QImage Grab() { return grid->grab().toImage(); }
  QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }
  // The extent of pixels that differ from `background` inside r.
  TRect Ink(const QImage& image, const TRect& r, TColor background) {
    TRect ink{r.Right, r.Bottom, r.Left, r.Top};
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (At(image, x, y) != Rgb(background)) {
          ink.Left = std::min(ink.Left, x);
          ink.Top = std::min(ink.Top, y);
          ink.Right = std::max(ink.Right, x + 1);
          ink.Bottom = std::max(ink.Bottom, y + 1);
        }
    return ink;
  }

  TForm form;
  TEasyGrid* grid;
};

TEST_F(GridPaint, LinesByRegionAndTheAreaBeyondTheCells) {
  grid->SetFixedCols(1);
  grid->SetFixedRows(1);
  grid->SetFixedLineColor(clRed);
  grid->SetClientLineColor(clBlue);
  grid->SetColor(clAqua);
  grid->SetColWidths(5, 20);
  grid->SetRowCount(5);
  const QImage image = Grab();
  struct Case {
    const char* Where;
    int X, Y;
    TColor Color;
  };
  const Case cases[] = {
      {"title column, right line", 80, 100, clBlack},
      {"title row, bottom line", 200, 30, clBlack},
      {"frozen column, right line", 161, 100, clRed},
      {"frozen row, bottom line", 200, 61, clRed},
      {"client, vertical line", 242, 100, clBlue},
      {"client, horizontal line", 200, 92, clBlue},
      {"data cell inside", 200, 100, clWhite},
      {"beyond the last column", 450, 100, clAqua},
      {"below the last row", 200, 170, clAqua},
  };
  for (const Case& c : cases) EXPECT_EQ(At(image, c.X, c.Y), Rgb(c.Color)) << c.Where;
}

TEST_F(GridPaint, BackgroundsByState) {
  grid->SetHighLightColor(clNavy);
  grid->SetRangeCellProp(GridRect(1, 1, 5, 7), TCellProp::Color, clYellow);
  grid->SetSelection(GridRect(1, 1, 2, 2));  // current cell (1, 1)
  struct Case {
    const char* Name;
    TEasyGridOptions Extra;
    TColor Current, OtherSelected, Unselected;
  };
  const Case cases[] = {
      {"plain", 0, clYellow, clNavy, clYellow},
      {"focus selected", goDrawFocusSelected, clNavy, clNavy, clYellow},
  };
  for (const Case& tc : cases) {
    grid->SetOptions(grid->Options() | tc.Extra);
    const QImage image = Grab();
    const TRect cur = grid->CellRect(1, 1), other = grid->CellRect(2, 2), out = grid->CellRect(4, 4);
    EXPECT_EQ(At(image, cur.Left + 10, cur.Top + 15), Rgb(tc.Current)) << tc.Name;
    EXPECT_EQ(At(image, other.Left + 10, other.Top + 15), Rgb(tc.OtherSelected)) << tc.Name;
    EXPECT_EQ(At(image, out.Left + 10, out.Top + 15), Rgb(tc.Unselected)) << tc.Name;
    // Title cells keep the title colour inside their raised edge.
    const TRect title = grid->CellRect(0, 5);
    EXPECT_EQ(At(image, title.Left + 3, title.Top + 3), Rgb(grid->TitleColor())) << tc.Name;
    EXPECT_EQ(At(image, title.Right - 1, title.Top + 10), Rgb(clBtnShadow)) << tc.Name;
  }
}

TEST_F(GridPaint, MergedRangesHaveNoInnerLinesAndShowWhenTheirOriginIsScrolledOut) {
  grid->MergeCells(GridRect(2, 3, 3, 4), false);
  grid->SetRangeCellProp(GridRect(2, 3, 3, 4), TCellProp::Color, clLime);
  QImage image = Grab();
  const TRect r = grid->CellRangeRect(GridRect(2, 3, 3, 4));
  EXPECT_EQ(r, Rect(162, 93, 323, 154));
  EXPECT_EQ(At(image, 242, 100), Rgb(clLime));  // where the vertical line would be
  EXPECT_EQ(At(image, 200, 123), Rgb(clLime));  // where the horizontal line would be
  EXPECT_EQ(At(image, 323, 100), Rgb(clSilver));  // the range's own right line
  // Without scroll bars nothing pulls the view back although every column fits.
  grid->SetScrollBars(TScrollStyle::ssNone);
  grid->SetTopLeft(3, 1);
  image = Grab();
  const TRect shown = grid->CellRect(3, 3);
  EXPECT_EQ(shown.Left, 81);
  EXPECT_EQ(At(image, shown.Left + 10, shown.Top + 10), Rgb(clLime));
}

TEST_F(GridPaint, FrameLinesLieOnTheGridLines) {
  grid->SetRangeCellProp(GridRect(2, 2, 2, 2), TCellProp::DrawBottom, true);
  grid->SetRangeCellProp(GridRect(2, 2, 2, 2), TCellProp::DrawLeft, true);
  const QImage image = Grab();
  const TRect r = grid->CellRect(2, 2);  // 162, 62, 242, 92
  EXPECT_EQ(At(image, 200, r.Bottom), Rgb(clBlack));
  EXPECT_EQ(At(image, r.Left - 1, 75), Rgb(clBlack));
  EXPECT_EQ(At(image, r.Right, 75), Rgb(clSilver));  // no right frame
  EXPECT_EQ(At(image, 200, r.Top - 1), Rgb(clSilver));  // no top frame
}

TEST_F(GridPaint, TextPlacementByAlignment) {
  grid->SetDefaultRowHeight(60);
  grid->SetDefaultColWidth(120);
  grid->SetSelection(GridRect(4, 4, 4, 4));
  struct Case {
    TAlignMode Mode;
    bool Left, Right, Top, Bottom;  // which inner edges the ink must touch (within 2 px)
  };
  const Case cases[] = {
      {TAlignMode::taTopLeft, true, false, true, false},
      {TAlignMode::taBottomRight, false, true, false, true},
      {TAlignMode::taCenter, false, false, false, false},
  };
  for (const Case& tc : cases) {
    grid->SetRangeCellProp(GridRect(1, 1, 1, 1), TCellProp::AlignMode, tc.Mode);
    grid->SetForeText(1, 1, QStringLiteral("中文"));
    const QImage image = Grab();
    const TRect cell = grid->CellRect(1, 1);
    const TRect inner{cell.Left + 4, cell.Top + 4, cell.Right - 4, cell.Bottom - 4};
    const TRect ink = Ink(image, cell, clWhite);
    ASSERT_FALSE(ink.IsEmpty()) << int(tc.Mode);
    EXPECT_GE(ink.Left, inner.Left);
    EXPECT_LE(ink.Right, inner.Right);
    EXPECT_GE(ink.Top, inner.Top);
    EXPECT_LE(ink.Bottom, inner.Bottom);
    EXPECT_EQ(ink.Left - inner.Left <= 2, tc.Left) << int(tc.Mode);
    EXPECT_EQ(inner.Right - ink.Right <= 2, tc.Right) << int(tc.Mode);
    EXPECT_EQ(ink.Top - inner.Top <= 3, tc.Top) << int(tc.Mode);
    EXPECT_EQ(inner.Bottom - ink.Bottom <= 3, tc.Bottom) << int(tc.Mode);
    if (tc.Mode == TAlignMode::taCenter) {
      EXPECT_LE(std::abs((ink.Left + ink.Right) - (inner.Left + inner.Right)), 3);
      EXPECT_LE(std::abs((ink.Top + ink.Bottom) - (inner.Top + inner.Bottom)), 4);
    }
  }
}

TEST_F(GridPaint, WrappedTextEndsAboveTheBottomMarginAndStaysInTheCell) {
  grid->SetRowHeights(1, 80);
  grid->SetSelection(GridRect(4, 4, 4, 4));
  grid->SetRangeCellProp(GridRect(1, 1, 1, 1), TCellProp::AlignMode, TAlignMode::taBottomRight);
  grid->SetForeText(1, 1, QStringLiteral("违反逻辑关系的说明文字很长"));
  const QImage image = Grab();
  const TRect cell = grid->CellRect(1, 1);
  const TRect ink = Ink(image, cell, clWhite);
  EXPECT_GE(ink.Height(), 20);  // two lines at least
  EXPECT_LE(ink.Bottom, cell.Bottom - 4);
  EXPECT_GE(ink.Bottom, cell.Bottom - 7);
  EXPECT_GE(ink.Left, cell.Left + 4);
}

TEST_F(GridPaint, DrawCellEventComesForEveryPaintedCellOnce) {
  grid->MergeCells(GridRect(1, 1, 2, 1), false);
  grid->SetRangeCellProp(GridRect(3, 3, 3, 3), TCellProp::AlignMode, TAlignMode::taBottom);
  grid->SetForeText(3, 3, QStringLiteral("底"));
  std::vector<std::pair<int, int>> seen;
  std::map<std::pair<int, int>, TRect> rects;
  grid->OnDrawCell = [&](TObject*, int c, int r, TRect rect, TEasyGridDrawState state) {
    seen.push_back({c, r});
    rects[std::pair{c, r}] = rect;
    if (c == 0 || r == 0) {
      EXPECT_TRUE(state & gdTitled);
    }
  };
  Grab();
  EXPECT_EQ(std::count(seen.begin(), seen.end(), std::pair{1, 1}), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), std::pair{2, 1}), 0);  // member of (1, 1)'s range
  EXPECT_EQ(std::count(seen.begin(), seen.end(), std::pair{0, 0}), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), std::pair{5, 7}), 1);
  auto drawn = [&](int c, int r) { return rects[std::pair{c, r}]; };
  // Titles get their whole rectangle, other cells the text area inside the margins.
  EXPECT_EQ(drawn(2, 0), grid->CellRect(2, 0));
  const TRect empty = grid->CellRect(4, 4);
  EXPECT_EQ(drawn(4, 4), Rect(empty.Left + 4, empty.Top + 4, empty.Right - 4, empty.Bottom - 4));
  const TRect bottom = grid->CellRect(3, 3);
  EXPECT_EQ(drawn(3, 3).Bottom, bottom.Bottom - 4);
  EXPECT_GT(drawn(3, 3).Top, bottom.Top + 4);  // moved down to the text's top
}

TEST_F(GridPaint, ThickFocusFrameWithFillHandle) {
  grid->SetAlwaysDrawFocus(true);
  grid->SetSelection(GridRect(2, 2, 3, 3));
  const QImage image = Grab();
  const TRect s = grid->CellRangeRect(GridRect(2, 2, 3, 3));
  EXPECT_EQ(At(image, s.Left + 20, s.Top), Rgb(clBlack));
  EXPECT_EQ(At(image, s.Left, s.Top + 20), Rgb(clBlack));
  EXPECT_EQ(At(image, s.Right - 2, s.Bottom - 2), Rgb(clBlack));  // the fill handle
  EXPECT_EQ(At(image, s.Left + 20, s.Top + 2), Rgb(clWhite));       // the inner outline
  EXPECT_EQ(At(image, s.Left + 20, s.Top + 10), Rgb(clBlack));      // selected, not current: highlight
}

TEST_F(GridPaint, AmpersandsInCellTextAreShownAsTyped) {
  grid->SetSelection(GridRect(4, 4, 4, 4));
  const TRect cell = grid->CellRect(1, 1);
  grid->SetForeText(1, 1, QStringLiteral("&"));
  const int one = Ink(Grab(), cell, clWhite).Width();
  grid->SetForeText(1, 1, QStringLiteral("&&"));
  const int two = Ink(Grab(), cell, clWhite).Width();
  EXPECT_GT(one, 0);
  EXPECT_GT(two, one * 3 / 2);  // two characters, not one mnemonic escape
}

TEST_F(GridPaint, HiddenColumnTakesNoRoomAndPaintsNothing) {
  grid->SetRangeCellProp(GridRect(2, 1, 2, 7), TCellProp::Color, clRed);
  grid->SetColWidths(2, -1);
  const QImage image = Grab();
  EXPECT_EQ(grid->CellRect(3, 1).Left, grid->CellRect(1, 1).Right + 1);
  for (int x = grid->CellRect(1, 1).Left; x < grid->CellRect(3, 1).Right; ++x)
    EXPECT_NE(At(image, x, 40), Rgb(clRed)) << x;
}

TEST_F(GridPaint, ASingleBorderSurroundsTheClient) {
  grid->SetBorderStyle(TBorderStyle::bsSingle);
  QImage image = Grab();
  // Sunken: shadow and dark shadow on the upper left, light and face on the lower right.
  EXPECT_EQ(At(image, 0, 100), Rgb(clBtnShadow));
  EXPECT_EQ(At(image, 1, 100), Rgb(cl3DDkShadow));
  EXPECT_EQ(At(image, 499, 100), Rgb(clBtnHighlight));
  EXPECT_EQ(At(image, 498, 100), Rgb(clBtnFace));
  EXPECT_EQ(At(image, 200, 299), Rgb(clBtnHighlight));
  // The cells start two pixels in: the title column's line lies at 80 + 2.
  EXPECT_EQ(At(image, 82, 100), Rgb(clBlack));
  EXPECT_EQ(grid->ClientWidth(), 496);
  grid->SetCtl3D(false);
  image = Grab();
  EXPECT_EQ(At(image, 0, 100), Rgb(clWindowFrame));
  EXPECT_EQ(At(image, 81, 100), Rgb(clBlack));
  EXPECT_EQ(grid->ClientWidth(), 498);
}

} // namespace
