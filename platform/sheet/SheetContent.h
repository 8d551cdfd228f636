#pragma once
// What one worksheet holds: rows of cells (ascending), column settings, merged areas and
// the pool of the sheet's texts. Cells are kept compact (no variant per cell): a list
// export of a large record list fills millions of them.

#include "platform/sheet/SheetTypes.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <map>
#include <vector>

namespace fw {

enum class TCellKind : quint8 { Empty, Number, Text, Boolean, Error };

struct TSheetCell {
  int Col = 0;
  int Style = 0;                     // index into the workbook's cell formats
  TCellKind Kind = TCellKind::Empty; // Empty: a cell that only carries a format
  int Text = -1;                     // Text and Error: index into the sheet's string pool
  int Formula = -1;                  // formula without "=", index into the pool; -1 none
  double Number = 0;                 // Number; Boolean as 0 or 1
};

// Throws ESheetError for a place outside the sheet.
void CheckCellPlace(int row, int col);

// How a text given as a cell's value is kept, as if typed into the spreadsheet program:
// a leading "'" keeps the rest as text, an empty text empties the cell, and a text that
// reads as a number (NumericTextValue) is that number unless the cell's format is text
// ("@"). Throws ESheetError for a text longer than a cell holds.
struct TTypedText {
  TCellKind Kind = TCellKind::Empty;
  double Number = 0;
  QStringView Text;  // Text: the given text without the mark
};
TTypedText TypedText(const QString& text, bool textFormat);

struct TSheetRow {
  std::vector<TSheetCell> Cells; // ascending by Col
  double Height = 0;             // points; used when CustomHeight
  bool CustomHeight = false;
  bool Hidden = false;
  int Style = -1; // format of the whole row, -1 none

  bool IsPlain() const { return Cells.empty() && !CustomHeight && !Hidden && Style < 0; }
};

struct TSheetColumn {
  double Width = 0; // in characters; used when CustomWidth
  bool CustomWidth = false;
  bool Hidden = false;
  int Style = -1; // format of the whole column, -1 none

  bool IsPlain() const { return !CustomWidth && !Hidden && Style < 0; }
  bool operator==(const TSheetColumn&) const = default;
};

class TSheetContent {
public:
  std::map<int, TSheetRow>& Rows() { return rows_; }
  const std::map<int, TSheetRow>& Rows() const { return rows_; }
  std::map<int, TSheetColumn>& Columns() { return columns_; }
  const std::map<int, TSheetColumn>& Columns() const { return columns_; }
  std::vector<TCellRect>& Merges() { return merges_; }
  const std::vector<TCellRect>& Merges() const { return merges_; }

  const TSheetCell* FindCell(int row, int col) const;
  // The cell, created when missing; a new cell takes the row's format, else the column's.
  TSheetCell& EnsureCell(int row, int col);
  // The row, created when missing.
  TSheetRow& EnsureRow(int row);
  // The format that shows at a place: the cell's, else the row's, else the column's, else 0.
  int StyleAt(int row, int col) const;

  int AddString(const QString& text);
  const QString& String(int index) const;

  // Moves rows row.. down by count: cells, heights, row formats and merged areas. The new
  // rows take the formats and height of the row that was at `row`, without its values.
  // Throws when content would be pushed past the last row of the sheet.
  void InsertRows(int row, int count);

  // The smallest rectangle holding every cell (formatted ones included) and merged area;
  // false when there is none.
  bool UsedArea(TCellRect& area) const;

  double DefaultColumnWidth = 9;   // characters
  double DefaultRowHeight = 13.5;  // points

private:
  std::map<int, TSheetRow> rows_;
  std::map<int, TSheetColumn> columns_;
  std::vector<TCellRect> merges_;
  QStringList strings_;
  QHash<QString, int> stringIndex_;
};

} // namespace fw
