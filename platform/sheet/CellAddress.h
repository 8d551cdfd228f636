#pragma once
// A1-style cell addresses: column letters ("A" = 1, "Z" = 26, "AA" = 27, ..., "XFD")
// followed by a row number; "$" marks and surrounding blanks are accepted, case is not
// significant.

#include "platform/sheet/SheetTypes.h"

#include <QString>
#include <QStringView>

namespace fw {

// "A" -> 1, "AB" -> 28; 0 when the text is not a column within the sheet's limit.
int ColumnNumber(QStringView letters);

// 1 -> "A", 28 -> "AB"; empty for a number outside 1..kMaxSheetColumns.
QString ColumnLetters(int col);

// "B3" -> "B3" with row 3, col 2; false for anything else (also out of the sheet's limits).
bool ParseCellAddress(QStringView text, int& row, int& col);

// "A1", "A1:C3", "C3:A1" (normalised) -> rectangle; false when not an address or area.
bool ParseCellArea(QStringView text, TCellRect& area);

// (3, 2) -> "B3".
QString CellAddress(int row, int col);

// "A1" for a single cell, else "A1:C3".
QString CellAreaAddress(const TCellRect& area);

} // namespace fw
