// Thousands of damaged cell blocks on the clipboard, made by seeded random mutations of
// a real one: each paste must be refused with the grid unchanged, or put down whole,
// and the merge model must stay sound either way.

#include "grid/CellClipboard.h"
#include "grid/EasyGrid.h"
#include "support/TestSupport.h"
#include "MergeModel.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

using namespace fw;

constexpr int kCols = 10;
constexpr int kRows = 10;

std::unique_ptr<TEasyGrid> SourceGrid() {
  auto grid = std::make_unique<TEasyGrid>(nullptr);
  grid->SetColCount(kCols);
  grid->SetRowCount(kRows);
  grid->MergeCells({2, 2, 3, 3}, false);
  grid->SetForeText(2, 2, QStringLiteral("合并"));
  grid->SetForeText(4, 2, QStringLiteral("12"));
  grid->SetBackText(4, 3, QStringLiteral("back"));
  grid->SetRangeCellProp({4, 2, 4, 4}, TCellProp::Color, int(clYellow));
  grid->MergeCells({2, 4, 4, 4}, false);
  return grid;
}

QByteArray CellBytes(const TCellInfo& cell) {
  QByteArray out;
  SerializeCellInfo(cell, out);
  return out;
}

// Every cell of the grid, serialised: the whole state a paste could change.
std::vector<QByteArray> Snapshot(const TEasyGrid& grid) {
  std::vector<QByteArray> cells;
  for (int c = 0; c < grid.ColCount(); ++c)
    for (int r = 0; r < grid.RowCount(); ++r) cells.push_back(CellBytes(grid.GetCellInfo(c, r)));
  return cells;
}

// One random change of the bytes: a flipped byte, a planted integer (often at a field's
// place), a cut, or a repeated piece.
QByteArray Mutate(QByteArray bytes, std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int kind = pick(0, 4);
  if (bytes.isEmpty()) return bytes;
  const int at = pick(0, int(bytes.size()) - 1);
  switch (kind) {
  case 0: bytes[at] = char(bytes[at] ^ (1 << pick(0, 7))); break;
  case 1: {
    static const std::int32_t values[] = {0, 1, -1, 2, 7, 255, 256, 0x7FFFFFFF, std::int32_t(0x80000000), 65536, 88};
    const std::int32_t v = values[pick(0, int(std::size(values)) - 1)];
    const int place = pick(0, 1) ? (at & ~3) : at;  // aligned places hit the header and many fields
    for (int i = 0; i < 4 && place + i < bytes.size(); ++i) bytes[place + i] = char((v >> (8 * i)) & 0xFF);
    break;
  }
  case 2: bytes.truncate(at); break;
  case 3: bytes.insert(at, bytes.mid(pick(0, int(bytes.size()) - 1), pick(1, 12))); break;
  default: bytes[at] = char(pick(0, 255)); break;
  }
  return bytes;
}

TEST(ClipboardFuzz, DamagedBlocksAreRefusedOrPastedWhole) {
  fwtest::ScriptedHooks hooks;
  auto source = SourceGrid();
  source->CopyCellsToClipboard({2, 2, 4, 4});
  const QByteArray good = CellBlockFromClipboard();
  ASSERT_FALSE(good.isEmpty());

  std::mt19937 rng(20140101);
  int refused = 0, pasted = 0;
  for (int round = 0; round < 3000; ++round) {
    QByteArray bytes = Mutate(good, rng);
    if (round % 3 == 0) bytes = Mutate(bytes, rng);
    auto grid = std::make_unique<TEasyGrid>(nullptr);
    grid->SetColCount(kCols);
    grid->SetRowCount(kRows);
    grid->MergeCells({8, 1, 9, 2}, false);
    grid->SetForeText(6, 6, QStringLiteral("keep"));
    grid->SetCurrentCell(5, 5);
    const std::vector<QByteArray> before = Snapshot(*grid);
    PutCellBlockOnClipboard(bytes);
    hooks.Messages.clear();
    grid->PasteCells();
    ASSERT_TRUE(fwtest::MergeModelIsSound(*grid)) << "round " << round;

    const std::optional<TCellBlock> block = ParseCellBlock(bytes);
    if (!hooks.Messages.empty()) {
      ++refused;
      ASSERT_EQ(hooks.Messages.size(), 1u) << "round " << round;
      ASSERT_TRUE(Snapshot(*grid) == before) << "round " << round << ": a refused paste changed the grid";
      continue;
    }
    if (bytes.isEmpty()) {  // an empty block is no block: nothing happens
      ASSERT_TRUE(Snapshot(*grid) == before) << "round " << round;
      continue;
    }
    ASSERT_TRUE(block) << "round " << round << ": damaged bytes were pasted";
    ++pasted;
    // Put down whole: every cell of the target is the block's, its merge range moved
    // with it; every other cell is as it was.
    const int dc = 5 - block->Left, dr = 5 - block->Top;
    const TGridRect target{5, 5, 5 + block->Columns - 1, 5 + block->Rows - 1};
    std::size_t index = 0;
    for (int c = 0; c < kCols; ++c)
      for (int r = 0; r < kRows; ++r, ++index) {
        if (!target.Contains(c, r)) {
          ASSERT_EQ(CellBytes(grid->GetCellInfo(c, r)), before[index]) << "round " << round << " at " << c << "," << r;
          continue;
        }
        TCellInfo expected = block->At(c - 5, r - 5);
        const TGridRect m = expected.MergeRect;
        expected.MergeRect = {m.Left + dc, m.Top + dr, m.Right + dc, m.Bottom + dr};
        ASSERT_EQ(CellBytes(grid->GetCellInfo(c, r)), CellBytes(expected)) << "round " << round << " at " << c << "," << r;
      }
  }
  // The mutations reach both outcomes: harmless changes (a text byte, a colour) paste.
  EXPECT_GT(refused, 1000);
  EXPECT_GT(pasted, 300);
}

} // namespace
