#pragma once
// One worksheet of a workbook: its name, its place in the workbook, and the cells,
// reached through ranges as in the automation vocabulary (Cells, Range, Rows, Columns).

#include "platform/sheet/SheetContent.h"
#include "platform/sheet/SheetRange.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace fw {

class TWorkbook;

// Pieces of a sheet's XML kept from the file they were read from and written back
// unchanged (view, default sizes, protection, page set-up, print options, breaks).
struct TWorksheetXmlParts {
  QByteArray SheetPr;
  QByteArray SheetViews;
  QByteArray SheetFormatPr;
  QByteArray SheetProtection;
  QByteArray PageSetup; // printOptions, pageMargins, pageSetup, headerFooter, rowBreaks, colBreaks
};

// Throws ESheetError for a name no worksheet can have: empty, longer than 31 characters,
// holding one of : \ / ? * [ ] or a control character, or a quote at either end.
void CheckSheetName(const QString& name);

class TWorksheet {
public:
  TWorksheet(TWorkbook& book, const QString& name);

  TWorkbook& Parent() const { return *book_; }
  QString Name() const { return name_; }
  // Throws for an empty name, more than 31 characters, one of : \ / ? * [ ] or a name
  // another sheet of the workbook has (case does not matter).
  void SetName(const QString& name);
  int Index() const; // 1-based position in the workbook
  bool Hidden() const { return hidden_; }
  void SetHidden(bool hidden) { hidden_ = hidden; }

  void Activate();
  void Select() { Activate(); }
  void Delete(); // see TWorkbook::DeleteSheet

  TRange Cells(int row, int col); // throws outside the sheet
  TRange Range(const QString& address); // "A1", "$B$2", "A1:C3"; throws for anything else
  TRange Range(const TRange& first, const TRange& last);
  TRange Rows(int row);
  TRange Rows(int first, int last);
  TRange Columns(int col);
  TRange Columns(const QString& letters); // "A" or "A:C"
  TRange UsedRange(); // A1 on an empty sheet

  // Cell access behind TRange (row and column from 1).
  QVariant CellValue(int row, int col) const;
  void SetCellValue(int row, int col, const QVariant& value);
  QString CellFormula(int row, int col) const;
  void SetCellFormula(int row, int col, const QString& formula);
  QString CellText(int row, int col) const;

  TSheetContent& Content() { return content_; }
  const TSheetContent& Content() const { return content_; }
  TWorksheetXmlParts& XmlParts() { return parts_; }
  const TWorksheetXmlParts& XmlParts() const { return parts_; }

  // Marks the workbook as changed since it was last saved.
  void Changed();

private:
  TWorkbook* book_;
  QString name_;
  bool hidden_ = false;
  TSheetContent content_;
  TWorksheetXmlParts parts_;
};

} // namespace fw
