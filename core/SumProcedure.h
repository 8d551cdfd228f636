#pragma once
// Summary workbooks: the survey records added up sheet by sheet into a workbook made from
// the template "2014基层以上汇总表.xltx" of the program folder, one row per organisation
// level, filing state or group item. Nothing is written to the database.
//
// One spreadsheet server serves a whole summary run: the first BuildSummaryWorkbook
// creates it and opens the template, ShowSummaryWorkbook shows the workbook and lets go
// of it. Between the two the caller may reach it through SummaryServer() (to delete the
// sheets the user did not ask for). A run that fails lets go of it too, so the next run
// starts on a fresh workbook: BuildSummaryWorkbook does when it raises, and a TSummaryRun
// held by the caller does on every other path.

#include "core/Progress.h"

#include <QString>

namespace fw {

class TADOConnection;
class TSheetApplication;

inline constexpr const char* kSummaryTemplateName = "2014基层以上汇总表.xltx";

// How the rows of a summary sheet are formed.
enum TSummaryMode : int {
  smLevels = 0, // one row per CT_LevelCode row
  smStates = 1, // one row per ct_state row
  smGroup = 2,  // one row per item of a group (ct_group, view_group_item)
};

// The caption written above the row names for a mode; empty for an unknown mode.
QString SummaryModeCaption(int mode);

// Inverts a group's item order: the first "desc" becomes "asc" when the text holds
// "DESC" in capitals, else the first "asc" becomes "desc" when it holds "ASC". Rows are
// inserted above each other, so running the items in the inverted order leaves them in
// the group's own order.
QString InvertOrder(const QString& orderstr);

// Opens the summary workbook when it is not open yet: creates the server
// ("Excel.Application", else "et.Application") and opens the template. Shows the message
// and returns false when either fails. BuildSummaryWorkbook opens it itself; a run that
// fills no sheet (the cover alone) opens it with this.
bool OpenSummaryWorkbook();

// Fills sheet sheetNo (2..19; anything else does nothing) of the summary workbook.
// groupId is used in smGroup mode only; 0 means the items of every group. The second bar
// of the progress window counts the cells written. When no spreadsheet server can be
// created or the template cannot be opened, a message is shown and the sheet is skipped
// (the next call tries again). Database errors (EDatabaseError) and workbook errors
// (ESheetError) are raised after the half-filled workbook has been let go.
void BuildSummaryWorkbook(TADOConnection& connection, ITwoBarProgress& progress, int sheetNo, int mode,
                          int groupId);

// Shows the summary workbook (saved into the user's cache folder and opened with the
// default program) and lets go of the server; does nothing when no sheet was filled.
// The server is released even when showing fails (ESheetError is raised then).
void ShowSummaryWorkbook();

// The server of the summary run in progress; nullptr when none.
TSheetApplication* SummaryServer();

// Lets go of the summary workbook without showing it.
void DiscardSummaryWorkbook();

// Held by the caller for the length of a summary run: whatever ends the run, the
// workbook is not left behind for the next one.
class TSummaryRun {
public:
  TSummaryRun() = default;
  ~TSummaryRun() { DiscardSummaryWorkbook(); }
  TSummaryRun(const TSummaryRun&) = delete;
  TSummaryRun& operator=(const TSummaryRun&) = delete;
};

} // namespace fw
