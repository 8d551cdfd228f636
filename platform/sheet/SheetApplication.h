#pragma once
// The spreadsheet automation server as the program drives it: created by identifier,
// holding open workbooks, and "visible": the active workbook saved into the user's cache
// folder and opened with the desktop's default program (or, when none can open it, kept
// in the documents folder with a word to the user where it is).

#include "platform/sheet/Workbook.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace fw {

class TSheetApplication;

// The Workbooks collection.
class TWorkbooks {
public:
  explicit TWorkbooks(TSheetApplication& app) : app_(&app) {}
  int Count() const;
  TWorkbook& Item(int index); // from 1; throws outside 1..Count
  TWorkbook& operator()(int index) { return Item(index); }
  // Opens a workbook or template file. A template (.xltx, or a template content type)
  // gives a new unsaved workbook made from it, named after it with "1" appended, so
  // saving never overwrites the template. Throws ESheetError for a missing, damaged or
  // foreign file. The workbook becomes the last item and the active workbook.
  TWorkbook& Open(const QString& path);
  // A new workbook with one empty worksheet; it becomes the active workbook.
  TWorkbook& Add();
  // A new workbook made from the template file.
  TWorkbook& Add(const QString& templatePath);

private:
  TSheetApplication* app_;
};

class TSheetApplication {
public:
  explicit TSheetApplication(const QString& progId);
  ~TSheetApplication();
  TSheetApplication(const TSheetApplication&) = delete;
  TSheetApplication& operator=(const TSheetApplication&) = delete;

  QString ProgId() const { return progId_; }

  TWorkbooks& Workbooks() { return workbooks_; }
  TWorkbook& Workbooks(int index) { return workbooks_.Item(index); }
  // The active workbook and its active sheet; throw when no workbook is open.
  TWorkbook& ActiveWorkbook();
  TWorksheet& ActiveSheet();
  TWorksheet& Sheets(int index) { return ActiveWorkbook().Sheets(index); }
  TWorksheet& Worksheets(int index) { return ActiveWorkbook().Worksheets(index); }

  bool Visible() const { return visible_; }
  // true: the active workbook is saved under a fresh name into the user's cache folder
  // (see CacheFolder) and opened with the default program (fw::OpenWithDefaultProgram).
  // When no program can open it, the workbook is saved into the documents folder
  // instead, under the same kind of name, and the user is told where it is
  // (fw::TellWhereFileIs); when the documents folder takes no file (a full disk), the
  // copy in the cache folder is named and the notice says why it is there. Throws ESheetError when no workbook is open or the file
  // cannot be written.
  void SetVisible(bool visible);
  // Stored only: deleting sheets and saving never ask in this model.
  bool DisplayAlerts() const { return displayAlerts_; }
  void SetDisplayAlerts(bool on) { displayAlerts_ = on; }

  // Closes every workbook without saving.
  void Quit();

  // $XDG_CACHE_HOME/fenwright, else ~/.cache/fenwright.
  static QString CacheFolder();
  // The path the last SetVisible(true) wrote.
  QString LastShownFile() const { return lastShown_; }

  // Internals for the collections.
  std::vector<std::unique_ptr<TWorkbook>>& BookList() { return books_; }
  void SetActiveWorkbook(TWorkbook* book) { active_ = book; }
  void RemoveWorkbook(TWorkbook& book);
  // 1, 2, ... for each caption base ("工作簿", or a template's name), as new books are numbered.
  int NextBookNumber(const QString& base) { return ++bookNumbers_[base]; }

private:
  QString progId_;
  TWorkbooks workbooks_{*this};
  std::vector<std::unique_ptr<TWorkbook>> books_;
  TWorkbook* active_ = nullptr;
  bool visible_ = false;
  bool displayAlerts_ = true;
  QHash<QString, int> bookNumbers_;
  QString lastShown_;
};

// Creates the automation server for an identifier: "Excel.Application" and
// "et.Application" (case does not matter) both give the workbook model; any other
// identifier throws ESheetError, so the caller can fall back to the other one.
std::unique_ptr<TSheetApplication> CreateOleObject(const QString& progId);

} // namespace fw
