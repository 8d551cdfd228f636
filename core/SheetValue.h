#pragma once
// How a value read from the database goes into a workbook cell (summaries, the printed
// record): a number stays a number, never passing through its text.

#include <QVariant>

namespace fw {

// The cell value for a database value: an integer or a real number becomes a number (a
// real one rounded to the 15 significant digits a spreadsheet keeps, so that a sum of
// amounts such as 1549404.0200000003 is the number 1549404.02); a text stays the text, to
// be taken by the workbook's own rule for texts; nothing (NULL) gives an invalid QVariant,
// which empties the cell.
QVariant SheetCellValue(const QVariant& value);

} // namespace fw
