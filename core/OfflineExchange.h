#pragma once
// Writing and reading the offline exchange file (".dat") against the working database:
// the main window's "上报到离线版" (ExportOfflineDat) and the work behind "数据导入"
// (ImportOfflineFile; its dialogue lies with the main window).
//
// Both open connections of their own to the other file while they run. Records are always
// copied by column name, the label is stored through a bound parameter, files are written
// under a temporary name and renamed into place only when complete, and an import is all
// or nothing.

#include "core/ExchangeFile.h"

#include <QString>
#include <functional>
#include <vector>

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
// (save dialog in the documents folder; an existing file is replaced only when the person
// agrees, see ConfirmOverwrite), and writes the records of state 1 of the working
// database (DatabasePath, open on connection) with the typed name as label. Shows
// "数据已经被正确导出到：'<file>'！" on success; on an error shows "运行中发生错误：<reason>,
// 请与软件发行者联系。" and leaves no file behind. Returns true when the file was written.
// The caller has already refused unfinished records (CheckRecordsFinished).
bool ExportOfflineDat(TADOConnection& connection);

// ---- The reader ----

enum class TImportResult {
  Imported,         // every record of the file is in the working database
  Declined,         // the confirmation said no; nothing changed
  FileMissing,      // no such file
  FormatError,      // not an exchange file or backup of the right shape, or damaged
  NoTableInFile,    // the file has no table of that name
  NoTableInSystem,  // the working database has no table of that name
  Clash,            // unit codes of the file exist already; nothing was imported
  Failed,           // anything else; nothing was imported
};

struct TImportOutcome {
  TImportResult Result = TImportResult::Failed;
  QString Label;                    // the supplying unit named in the file (once read)
  int ImportedCount = 0;            // Imported: records added
  std::vector<TClashRecord> Clashes; // Clash: the file's records whose code exists, by c901
  QString Error;                    // Failed: the reason
};

// Asked once the file has passed its checks, with the file's label; false declines.
using TImportConfirmation = std::function<bool(const QString& label)>;

// Imports the records of the exchange file or backup `file` into table (the main window's
// import passes "dt_data") of the working database open on connection. Shows nothing and
// asks only through confirm. The file is read once, into a private copy, and everything
// after works on that copy, so what is imported is what was checked and named in the
// question. The copy is recognised by trial and checked first (see ImportFileCheck.h: its
// dt_data and ct_label must have the working database's shape); then all of its records
// are copied by column name in one transaction, or none, with the time of a chosen file:
// a unit code that exists already gives Clash with the clashing records. The chosen file
// is never changed, and the copy is gone when this returns.
TImportOutcome ImportOfflineFile(TADOConnection& connection, const QString& file, const TImportConfirmation& confirm,
                                 const QString& table = QStringLiteral("dt_data"));

} // namespace fw
