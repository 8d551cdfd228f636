#pragma once
// A workbook written as a stream, for lists of any length: each worksheet's rows go into
// the package as they are given, compressed on the way (on worker threads), and nothing
// of a row is kept once it is written, so memory stays the same whatever the number of
// rows. Texts are written inline, cell formats are the workbook's styles (derived once
// through Styles()), and the columns to fit are measured as their cells pass, the widths
// then written ahead of the rows.
//
// The file reads back like a workbook saved from the model (TWorkbook, which remains the
// way to fill templates or to change cells in any order): numbers stay numbers, texts
// are taken as typed (TypedText), fitted columns are as wide as AutoFit makes them.
//
// Every failure throws ESheetError and leaves the target as it was: the package is
// written beside it and put in its place only by Save.

#include "platform/sheet/DeflateRuns.h"
#include "platform/sheet/ShownWidths.h"
#include "platform/sheet/SheetContent.h"
#include "platform/sheet/WorkbookStyles.h"
#include "platform/sheet/ZipStreamWriter.h"
#include "platform/shell/FileWriter.h"

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

namespace fw {

class TXmlPiece;

class TStreamedWorkbook {
public:
  explicit TStreamedWorkbook(const QString& path);
  ~TStreamedWorkbook();
  TStreamedWorkbook(const TStreamedWorkbook&) = delete;
  TStreamedWorkbook& operator=(const TStreamedWorkbook&) = delete;

  // The cell formats; the first sheet is the active one.
  TWorkbookStyles& Styles() { return styles_; }

  // Starts the next worksheet, finishing the one before. Throws for a name no sheet can
  // have or that another sheet of the workbook has.
  void AddSheet(const QString& name);
  // Before the sheet's first row: the format of a whole column (its empty cells show it;
  // written cells carry their own), and the columns fitted to their widest shown text.
  void SetColumnFormat(int col, int xf);
  void FitColumns(int first, int last);

  // Rows in ascending order; within a row, cells in ascending columns, each with its cell
  // format. Throws for places outside the sheet or out of order, for a number that is
  // not finite and for a text longer than a cell holds.
  void BeginRow(int row);
  void SetNumber(int col, double value, int xf);
  void SetText(int col, const QString& text, int xf);

  // Finishes the last sheet and the package, and puts it in place of the target.
  void Save();

private:
  void CheckNextCell(int col);
  void CellHead(TXmlPiece& cell, int col, int xf) const;
  void OpenRowWith(int col);
  void Measure(int col, double units, int xf);
  void Append(const char* data, std::size_t size);
  bool IsTextFormat(int xf);
  void FinishSheet();
  void SpoolRun(const TDeflateRun& run);

  TWorkbookStyles styles_;
  TZipStreamWriter zip_;
  QStringList sheetNames_;
  std::vector<signed char> textFormats_;  // by cell format: -1 not yet known

  // The sheet being written: column settings, the fitted range and its widest texts,
  // the place of the last cell and the used area.
  std::map<int, TSheetColumn> columns_;
  int fitFirst_ = 0, fitLast_ = -1;
  std::vector<double> widest_;
  std::unique_ptr<TShownWidths> shown_;
  int row_ = 0, lastCol_ = 0;
  bool rowOpen_ = false, anyCell_ = false;
  TCellRect used_;
  // The sheet's rows, compressed into a working file until the sheet's head is known.
  TFileWriter spool_;
  std::unique_ptr<TParallelDeflate> rows_;
};

} // namespace fw
