#pragma once
// Writing a workbook as an OOXML package: a workbook (.xlsx) or a template (.xltx).

#include <QString>

namespace fw {

class TWorkbook;

// Writes the package to a temporary file beside path and renames it into place; throws
// ESheetError (and leaves path as it was) when that fails.
void WriteWorkbookPackage(const TWorkbook& book, const QString& path, bool asTemplate);

} // namespace fw
