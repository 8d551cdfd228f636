#pragma once
// A rectangle of cells of one worksheet, as the automation vocabulary's Range: got from
// TWorksheet::Cells, Range, Rows and Columns, and from EntireRow / EntireColumn. A range
// is a small handle (copy it freely); it is valid while its worksheet exists.
//
// Reading a property gives the value of the range's first cell; setting one changes every
// cell of the range. On an entire row or column, formats go to the row or column itself
// (so cells written later take them), values to the cells already there.

#include "platform/sheet/SheetTypes.h"

#include <QString>
#include <QVariant>
#include <functional>

namespace fw {

class TWorksheet;
class TSheetFont;
class TSheetBorders;

class TRange {
public:
  enum class TKind { Cells, EntireRows, EntireColumns };

  TRange(TWorksheet& sheet, const TCellRect& area, TKind kind = TKind::Cells);

  TWorksheet& Worksheet() const { return *sheet_; }
  const TCellRect& Area() const { return area_; }
  TKind Kind() const { return kind_; }
  int Row() const { return area_.Top; }
  int Column() const { return area_.Left; }
  int RowsCount() const { return area_.Bottom - area_.Top + 1; }
  int ColumnsCount() const { return area_.Right - area_.Left + 1; }
  QString Address() const; // "A1", "B2:C4", "3:5", "A:C"

  // Sub-ranges, counted from 1 within this range.
  TRange Cells(int row, int col) const;
  TRange Rows(int index) const;
  TRange Columns(int index) const;
  TRange EntireRow() const;
  TRange EntireColumn() const;

  // Value: a number (double), a text (QString), a boolean, or an invalid QVariant when
  // empty. Setting: numbers are stored as numbers; a text that reads as a number is
  // stored as that number unless the cell's format is text ("@"); a text starting with
  // "'" is stored as the text after the mark; an invalid QVariant or empty text empties.
  QVariant Value() const;
  void SetValue(const QVariant& value) const;
  bool IsEmpty() const; // the first cell holds no value
  QString Text() const; // the first cell as shown: numbers in its number format
  QString Formula() const; // "=..." for a formula, else the value as text
  void SetFormula(const QString& formula) const; // a text starting with "=" is a formula
  void ClearContents() const;

  QString NumberFormatLocal() const;
  void SetNumberFormatLocal(const QString& format) const;
  int HorizontalAlignment() const;
  void SetHorizontalAlignment(int alignment) const; // xlGeneral, xlLeft, xlCenter, xlRight, xlJustify
  int VerticalAlignment() const;
  void SetVerticalAlignment(int alignment) const; // xlTop, xlCenter, xlBottom
  bool WrapText() const;
  void SetWrapText(bool wrap) const;
  TSheetFont Font() const;
  TSheetBorders Borders() const;

  double ColumnWidth() const; // characters
  void SetColumnWidth(double width) const;
  double RowHeight() const; // points
  void SetRowHeight(double height) const;
  // Fits the widths of the range's columns to the texts of its rows (of the whole column
  // for an entire column): wide characters count double, bigger fonts widen.
  void AutoFit() const;

  // On an entire row range: inserts as many rows above it (see TSheetContent::InsertRows).
  void Insert() const;

  void Merge() const; // one merged area; values other than the top left one are dropped
  void UnMerge() const;
  bool MergeCells() const; // the range lies within one merged area
  void SetMergeCells(bool merge) const { merge ? Merge() : UnMerge(); }
  TRange MergeArea() const; // the merged area of the first cell, else that cell

  void Select() const;   // activates the worksheet
  void Activate() const; // activates the worksheet

  // Applies a format change to every cell of the range (or to its rows or columns);
  // `derive` maps a cell format to the changed one. Used by TSheetFont and TSheetBorders.
  void ChangeStyle(const std::function<int(int)>& derive) const;
  int FirstStyle() const; // the format that shows in the first cell

private:
  bool ValueArea(TCellRect& area) const;

  TWorksheet* sheet_;
  TCellRect area_;
  TKind kind_;
};

// Range.Font: the font of the range's cells.
class TSheetFont {
public:
  explicit TSheetFont(const TRange& range);
  bool Bold() const;
  void SetBold(bool bold) const;
  bool Italic() const;
  void SetItalic(bool italic) const;
  double Size() const;
  void SetSize(double size) const;
  QString Name() const;
  void SetName(const QString& name) const;

private:
  TRange range_;
};

// Range.Borders: all edges of every cell of the range.
class TSheetBorders {
public:
  explicit TSheetBorders(const TRange& range);
  int LineStyle() const; // xlContinuous or xlLineStyleNone
  void SetLineStyle(int lineStyle) const;
  void SetWeight(int weight) const; // xlHairline, xlThin, xlMedium, xlThick

private:
  TRange range_;
};

} // namespace fw
