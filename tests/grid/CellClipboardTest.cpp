// The cell block: serialised cells, whole blocks, and the refusal of damaged bytes.

#include "grid/CellClipboard.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace fw;

TCellInfo SampleCell() {
  TCellInfo c;
  c.DataStyle = TDataStyle::dsNumber;
  c.AlignMode = TAlignMode::taBottomRight;
  c.MergeRect = {2, 3, 4, 5};
  c.ReadOnly = true;
  c.DrawBottom = true;
  c.ThousandSep = true;
  c.MaxLength = 12;
  c.IntLength = 7;
  c.DecLength = 3;
  c.LineWidth = 2;
  c.PenStyle = TPenStyle::psDot;
  c.Reserved = -5;
  c.Color = 0x00FF8040;
  c.FontSize = 14;
  c.FontColor = 0x00123456;
  c.FontStyle = 0x05;
  c.FontName = QStringLiteral("宋体");
  c.ForeText = QStringLiteral("工会 12");
  c.BackText = QStringLiteral("back");
  return c;
}

TEST(CellClipboard, CellWithoutTextsIs88BytesAndSizeCountsStringBytes) {
  TCellInfo empty;
  QByteArray out;
  SerializeCellInfo(empty, out);
  EXPECT_EQ(out.size(), 88);
  EXPECT_EQ(CellInfoSize(empty), 88);
  const TCellInfo sample = SampleCell();
  out.clear();
  SerializeCellInfo(sample, out);
  EXPECT_EQ(out.size(), CellInfoSize(sample));
  EXPECT_EQ(out.size(), 88 + 6 + 9 + 4);  // UTF-8 bytes of the three texts
  // The merge range and the data style sit where the format puts them.
  EXPECT_EQ(out[4], char(1));
  EXPECT_EQ(out[5], char(8));
  EXPECT_EQ(out[6], char(2));
  EXPECT_EQ(out[18], char(5));
  EXPECT_EQ(out[22], char(1));
}

TEST(CellClipboard, CellRoundTripKeepsEveryField) {
  const TCellInfo sample = SampleCell();
  QByteArray out;
  SerializeCellInfo(sample, out);
  TCellInfo back;
  qsizetype offset = 0;
  ASSERT_TRUE(DeserializeCellInfo(out, offset, back));
  EXPECT_EQ(offset, out.size());
  EXPECT_EQ(back.DataStyle, sample.DataStyle);
  EXPECT_EQ(back.AlignMode, sample.AlignMode);
  EXPECT_EQ(back.MergeRect, sample.MergeRect);
  EXPECT_EQ(back.ReadOnly, true);
  EXPECT_EQ(back.DrawBottom, true);
  EXPECT_EQ(back.DrawRight, false);
  EXPECT_EQ(back.ThousandSep, true);
  EXPECT_EQ(back.MaxLength, 12);
  EXPECT_EQ(back.IntLength, 7);
  EXPECT_EQ(back.DecLength, 3);
  EXPECT_EQ(back.LineWidth, 2);
  EXPECT_EQ(back.PenStyle, TPenStyle::psDot);
  EXPECT_EQ(back.Reserved, -5);
  EXPECT_EQ(back.Color, sample.Color);
  EXPECT_EQ(back.FontSize, 14);
  EXPECT_EQ(back.FontColor, sample.FontColor);
  EXPECT_EQ(back.FontStyle, sample.FontStyle);
  EXPECT_EQ(back.FontName, sample.FontName);
  EXPECT_EQ(back.ForeText, sample.ForeText);
  EXPECT_EQ(back.BackText, sample.BackText);
}

TCellBlock SampleBlock() {
  TCellBlock block;
  block.Left = 3;
  block.Top = 4;
  block.Columns = 2;
  block.Rows = 3;
  for (int i = 0; i < 6; ++i) {
    TCellInfo c = SampleCell();
    c.ForeText = QString::number(i);
    block.Cells.push_back(c);
  }
  return block;
}

TEST(CellClipboard, BlockRoundTrip) {
  const QByteArray bytes = WriteCellBlock(SampleBlock());
  const std::optional<TCellBlock> back = ParseCellBlock(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->SourceRect(), GridRect(3, 4, 4, 6));
  ASSERT_EQ(back->Cells.size(), 6u);
  EXPECT_EQ(back->At(1, 2).ForeText, QStringLiteral("5"));
}

TEST(CellClipboard, DamagedBlocksAreRefused) {
  const QByteArray good = WriteCellBlock(SampleBlock());
  const auto setInt = [](QByteArray b, int at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
    return b;
  };
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"empty", QByteArray()},
      {"header only", good.left(16)},
      {"cut short", good.left(good.size() - 1)},
      {"bytes left over", good + QByteArray(1, 'x')},
      {"zero columns", setInt(good, 8, 0)},
      {"negative rows", setInt(good, 12, -1)},
      {"huge counts", setInt(setInt(good, 8, 1 << 20), 12, 1 << 20)},
      {"cell length too small", setInt(good, 16, 10)},
      {"cell length beyond the data", setInt(good, 16, 1 << 30)},
      {"font name length negative", setInt(good, 16 + 76, -3)},
      // The header's source range must lie in the data cells of a grid.
      {"left at the integer limit", setInt(good, 0, 0x7FFFFFFF)},
      {"left beyond the last column", setInt(good, 0, 256)},
      {"columns reaching past column 255", setInt(good, 0, 255)},
      {"top zero", setInt(good, 4, 0)},
      {"top near the integer limit", setInt(good, 4, 0x7FFFFFF0)},
      {"negative left", setInt(good, 0, -1)},
      // Values no grid paints.
      {"line width huge", setInt(good, 16 + 48, 1 << 30)},
      {"line width negative", setInt(good, 16 + 48, -1)},
      {"font size huge", setInt(good, 16 + 64, 100000)},
      {"merge right at the integer limit", setInt(good, 16 + 14, 0x7FFFFFFF)},
  };
  for (const auto& c : cases) EXPECT_FALSE(ParseCellBlock(c.bytes)) << c.name;
}

} // namespace
