#pragma once
// Writing and reading the offline exchange file (".dat") against the working database:
// the main window's "上报到离线版" (ExportOfflineDat) and "数据导入" (FastImportDat).
//
// Both ask the person only through the hooks (input box, file dialogs, message boxes) and
// open connections of their own to the other file while they run. Records are always
// copied by column name, the label is stored through a bound parameter, files are written
// under a temporary name and renamed into place only when complete, and an import is all
// or nothing.

#include <QString>

namespace fw {

class TADOConnection;

// Refusal messages of the two uploads when a record is not in state 1.
inline const QString kOfflineExportRefusal = QStringLiteral("存在临时保存或逻辑错误的数据，不能上报!");
inline const QString kUploadExportRefusal = QStringLiteral("存在临时保存或逻辑错误的数据，不能导出上报数据!");

// Runs "select count(*) as cnt from dt_data where RecordState<>1" on connection. When a
// record is not finished, shows refusal and returns false; true when every record is in
// state 1 (an empty database included).
bool CheckRecordsFinished(TADOConnection& connection, const QString& refusal);

// The writer. Asks for the supplying unit's name (never "默认数据库"), then for the file
// (save dialog in the documents folder), and writes the records of state 1 of the working
// database (DatabasePath, open on connection) with the typed name as label. Shows
// "数据已经被正确导出到：'<file>'！" on success; on an error shows "运行中发生错误：<reason>,
// 请与软件发行者联系。" and leaves no file behind. Returns true when the file was written.
// The caller has already refused unfinished records (CheckRecordsFinished).
bool ExportOfflineDat(TADOConnection& connection);

// The reader, importing into table (the main window passes "dt_data") of the working
// database open on connection. Asks for the file (open dialog, ".dat" exchange files or
// ".mdb" backups), recognises it by trial, checks its tables, asks whether to import the
// records of the named unit, and imports all of them in one transaction or none. A unit
// code that already exists imports nothing and lists the clashing codes in
// "数据导入编号冲突.txt" in the documents folder, opened with the default program.
// Returns false only when the person declines the import question; on true the caller
// requeries its record list and returns to its record.
bool FastImportDat(TADOConnection& connection, const QString& table = QStringLiteral("dt_data"));

} // namespace fw
