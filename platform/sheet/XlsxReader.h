#pragma once
// Reading an OOXML workbook or template package (.xlsx, .xltx) into a workbook.

#include <QString>

namespace fw {

class TWorkbook;

// Replaces the sheets, styles and names of `book` by those of the file. Returns true when
// the package is a template. Throws ESheetError with a message for the user when the file
// is missing, damaged or not a spreadsheet package; `book` is then not to be used.
bool ReadWorkbookPackage(const QString& path, TWorkbook& book);

} // namespace fw
