#pragma once
// Printing one organisation's annual return: its values put into a workbook made from the
// print template "2014打印表.xltx" of the program folder, one template sheet per printed
// page, and the workbook shown (opened with the default program) with sheet 1 active, so
// that the user prints it from there. Where each value lands is data: dt_fieldlist gives
// every field's sheet (printPageID) and cell (printplace). Nothing is written to the
// database.

#include "core/Progress.h"

namespace fw {

class TADOConnection;
class TDataSet;

inline constexpr const char* kPrintTemplateName = "2014打印表.xltx";

// Prints the record whose unit code is c901 through "Excel.Application"; when that server
// or the template cannot be opened, through PrintRecordViaEt. Returns false, after a
// message, when no spreadsheet server can be created or the template cannot be opened. Errors of the
// database (EDatabaseError: no such record, a field view_data lacks) and of the workbook
// (ESheetError: a page without a sheet, a bad cell address, a workbook that cannot be
// shown) are raised; the progress window is hidden on every path.
bool PrintSurveyRecord(TADOConnection& connection, double c901, IProgress& progress);

// The same through "et.Application" alone, which also fits the first four columns of the
// last filled sheet to their contents.
bool PrintRecordViaEt(TADOConnection& connection, double c901, IProgress& progress);

// PrintSurveyRecord for the current record of a data set that has a c901 column (the record list).
bool PrintSurveyRecord(TADOConnection& connection, const TDataSet& records, IProgress& progress);

} // namespace fw
