#pragma once
// The cell block: the serialised form in which the report grid moves whole cells (every
// property, both texts and the merge range) between places and through the clipboard.
// All integers are 32-bit little-endian; a block is a 16-byte header (left, top, columns,
// rows of the source range) followed by the cells column by column, each column from
// top to bottom.

#include "grid/CellInfo.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace fw {

// Size of a serialised cell with three empty strings.
inline constexpr int kCellInfoFixedSize = 88;

// The clipboard format that carries a cell block.
extern const char* const kCellBlockMimeType;

// Byte length of the serialised cell (the fixed part plus the three strings).
int CellInfoSize(const TCellInfo& cell);
// Appends the serialised cell to out.
void SerializeCellInfo(const TCellInfo& cell, QByteArray& out);
// Reads one serialised cell at offset and moves offset past it; false (cell and offset
// untouched) when the bytes do not hold one whole, consistent cell.
bool DeserializeCellInfo(const QByteArray& data, qsizetype& offset, TCellInfo& cell);

struct TCellBlock {
  int Left = 0;
  int Top = 0;
  int Columns = 0;
  int Rows = 0;
  std::vector<TCellInfo> Cells;  // column by column

  const TCellInfo& At(int colIndex, int rowIndex) const { return Cells[std::size_t(colIndex * Rows + rowIndex)]; }
  TGridRect SourceRect() const { return {Left, Top, Left + Columns - 1, Top + Rows - 1}; }
};

QByteArray WriteCellBlock(const TCellBlock& block);
// Nothing when the bytes are not one whole block (short, bad counts, a source range
// outside the data cells a grid can have, a damaged cell or one with values no grid
// paints, or bytes left over).
std::optional<TCellBlock> ParseCellBlock(const QByteArray& data);
// True when every merge range the block's cells name lies inside the block and is named
// alike by all its members, so that the block can be put down whole.
bool CellBlockMergesSound(const TCellBlock& block);

// Replaces the clipboard's contents by the block (in the grid's format only).
void PutCellBlockOnClipboard(const QByteArray& bytes);
// The block the clipboard holds in the grid's format; empty when it holds none.
QByteArray CellBlockFromClipboard();

} // namespace fw
