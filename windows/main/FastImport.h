#pragma once
// The dialogue of the main window's "数据导入": asks for the file, lets the core import it
// (ImportOfflineFile) and tells the person how it went.

#include <QString>

namespace fw {

class TADOConnection;

// Asks for the file (open dialog "选择导入文件": ".dat" exchange files or ".mdb" backups in
// the documents folder), asks whether to import the records of the unit the file names,
// imports them into table of the working database open on connection, and shows the
// outcome. A clash of unit codes writes "数据导入编号冲突.txt" to the documents folder and
// opens it with the default program. Returns false only when the person declines the
// import question; on true the caller requeries its record list and returns to its record.
bool FastImportDat(TADOConnection& connection, const QString& table = QStringLiteral("dt_data"));

} // namespace fw
