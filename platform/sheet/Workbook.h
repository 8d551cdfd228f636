#pragma once
// A workbook: its worksheets in order (numbered from 1), its styles, and saving as an
// OOXML workbook (.xlsx) or template (.xltx).

#include "platform/sheet/WorkbookStyles.h"
#include "platform/sheet/Worksheet.h"

#include <QString>
#include <memory>
#include <vector>

namespace fw {

class TSheetApplication;
class TWorkbook;

// The Sheets / Worksheets collection of a workbook.
class TSheets {
public:
  explicit TSheets(TWorkbook& book) : book_(&book) {}
  int Count() const;
  TWorksheet& Item(int index);            // from 1; throws outside 1..Count
  TWorksheet& Item(const QString& name);  // case does not matter; throws when missing
  TWorksheet& operator()(int index) { return Item(index); }
  TWorksheet& operator()(const QString& name) { return Item(name); }
  // A new empty worksheet before the active one; it becomes the active sheet.
  TWorksheet& Add();

private:
  TWorkbook* book_;
};

// A name of the workbook (print area, print titles, ...), kept as read.
struct TDefinedName {
  QString Name;
  int LocalSheet = -1; // 0-based sheet position it belongs to, -1 for the whole workbook
  bool Hidden = false;
  QString Formula;
};

class TWorkbook {
public:
  // An empty workbook of one worksheet; Name is the caption given.
  TWorkbook(TSheetApplication& app, const QString& name);

  TSheetApplication& Application() const { return *app_; }
  QString Name() const { return name_; }       // caption: file name, or "工作簿1" when new
  QString FullName() const { return fullName_; } // file last opened or saved as; empty when new
  bool Saved() const { return saved_; }
  void SetSaved(bool saved) { saved_ = saved; }

  TSheets& Sheets() { return sheets_; }
  TSheets& Worksheets() { return sheets_; }
  TWorksheet& Sheets(int index) { return sheets_.Item(index); }
  TWorksheet& Sheets(const QString& name) { return sheets_.Item(name); }
  TWorksheet& Worksheets(int index) { return sheets_.Item(index); }
  TWorksheet& Worksheets(const QString& name) { return sheets_.Item(name); }
  TWorksheet& ActiveSheet();

  void Activate(); // becomes the application's active workbook

  // Writes the workbook to the file: a template (.xltx) when the name ends so, else a
  // workbook (.xlsx). The file is written beside the target and renamed into place, so a
  // failed save leaves the old file as it was. Throws ESheetError.
  void SaveAs(const QString& path);
  // Writes a copy in the workbook format without changing the name or the saved state.
  void SaveCopyAs(const QString& path) const;
  // Removes the workbook from the application; unsaved changes are dropped. The object is
  // destroyed: do not use it afterwards.
  void Close();

  // Internals shared with the package reader and writer.
  TWorkbookStyles& Styles() { return styles_; }
  const TWorkbookStyles& Styles() const { return styles_; }
  std::vector<std::unique_ptr<TWorksheet>>& SheetList() { return sheetList_; }
  const std::vector<std::unique_ptr<TWorksheet>>& SheetList() const { return sheetList_; }
  std::vector<TDefinedName>& DefinedNames() { return definedNames_; }
  const std::vector<TDefinedName>& DefinedNames() const { return definedNames_; }
  QByteArray& Theme() { return theme_; }
  const QByteArray& Theme() const { return theme_; }
  bool Date1904 = false;
  int ActiveIndex() const { return active_; } // 0-based
  void SetActiveIndex(int index);
  void SetNames(const QString& name, const QString& fullName);
  // Removes the sheet: later sheets move up one, names of the sheet go. Throws for the
  // last remaining sheet.
  void DeleteSheet(TWorksheet& sheet);
  TWorksheet& AddSheet(int position, const QString& name); // 0-based position
  QString NewSheetName() const;

private:
  void Write(const QString& path, bool asTemplate) const;

  TSheetApplication* app_;
  QString name_;
  QString fullName_;
  bool saved_ = true;
  TSheets sheets_{*this};
  std::vector<std::unique_ptr<TWorksheet>> sheetList_;
  int active_ = 0;
  TWorkbookStyles styles_;
  std::vector<TDefinedName> definedNames_;
  QByteArray theme_;
};

} // namespace fw
