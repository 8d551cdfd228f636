#pragma once
// The offline exchange file (".dat"): a database file protected by the database password
// whose first 1024 bytes are passed through a reversible byte transform, so that it does
// not open as a database without this program.
//
// Recognising a file. The reader never opens the chosen file itself: it judges it and
// copies it into a private work folder (CopyChosenFile, ChosenFileCopy.h) and works on
// the copy from there on. A database file of ours begins either with the engine's
// signature (a plain one) or with a random salt (a keyed one), so the first bytes tell a
// plain file from a scrambled plain one, but never whether a keyed one was scrambled:
// any value, 0x05 included, can occur there. A keyed copy is therefore opened by trial:
// as it is, and only when that fails again with its header restored in place. No
// signature is ever written over the start of a file.
//
// This unit also holds the pure rules the exchange windows share: the file names of the
// offline export, the import and the backup, and the text of the import clash report.

#include "core/ChosenFileCopy.h"
#include "platform/shell/Folders.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace fw {

// Transforms the first min(1024, file size) bytes of an existing file in place; a shorter
// file is transformed only as far as it goes and never grows. Returns false, changing
// nothing, when the file does not exist. Throws std::runtime_error (with the reason, in
// Chinese) when the file cannot be read, EFileWriteError when it cannot be written back.
bool ScrambleFileHeader(const QString& fileName);

// Undoes ScrambleFileHeader in place, whatever the first byte is (the caller has already
// found by trial that the file does not open as it is). Same results and errors.
bool RestoreFileHeader(const QString& fileName);

// The same on the file open (for reading and writing) on fd, which a writer already holds:
// the file is never looked up by a name again. shownName names it in the errors.
void ScrambleFileHeader(int fd, const QString& shownName);

// ---- Recognising a file by trial ----

// Tries to open path as a database, without (keyed false) or with (keyed true) the
// database password, and reports whether it could be read. It must do a real read (a
// wrong key is noticed only then) and must not change the file.
using TExchangeOpenTrial = std::function<bool(const QString& path, bool keyed)>;

struct TExchangeFileAccess {
  bool Opened = false; // false: the file was refused, or its copy did not open
  QString Path;        // the private copy to read, "temp.dat" in WorkFolder
  bool Keyed = false;  // it opened with the database password
  // The folder and the copy go with this object.
  std::unique_ptr<TWorkFolder> WorkFolder;
};

// Finds how fileName can be read: takes its private copy (CopyChosenFile; a refused file
// gives no copy and is not tried) and tries the copy by its header: a plain one without
// the password, a scrambled plain one with its header restored, a keyed one with the
// password as it is and then with its header restored. A copy that does not open is
// deleted at once; the chosen file is never changed. Throws std::runtime_error naming
// fileName and the cause when it cannot be read or the copy cannot be written.
TExchangeFileAccess OpenExchangeFileByTrial(const QString& fileName, const TExchangeOpenTrial& tryOpen);

// ---- Export label ----

// Asks for the name of the supplying unit (input box "设置数据库标识", proposal current).
// The default label "默认数据库" is refused with "必须修改默认的名称！" and asked again.
// Returns false when the user cancels; name receives the answer as typed.
bool AskExportLabel(const QString& current, QString& name);

// ---- File names ----

// The name the offline export proposes: label + "-" + date as "yyyy-mm-dd" + "(离线版)",
// every character of the label that a file name cannot hold replaced (SafeFileNamePart).
QString OfflineExportProposedName(const QString& label, const QDate& today);

// The file of the offline export and of the upload from the name chosen in the save
// dialog: ".dat" is appended unless the name is longer than 4 characters and already ends
// in ".dat" (exact case).
QString DatFileName(const QString& chosen);

// The import's file from the name chosen in the open dialog and the dialog's 1-based
// filter index (1 "数据加密文件(*.dat)", 2 "数据备份文件(*.mdb)"): a name longer than 4
// characters gets ".dat" (filter 1) or ".mdb" (filter 2) unless it already ends in it;
// shorter names are taken as they are.
QString ImportFileName(const QString& chosen, int filterIndex);

// The backup's file: ".mdb" is appended to a name longer than 4 characters that does not
// end in ".mdb" (exact case); shorter names get no extension.
QString BackupFileName(const QString& chosen);

// ---- Import clash report ----

// File name of the clash report, written to the user's documents folder.
inline const QString kImportClashReportName = QStringLiteral("数据导入编号冲突.txt");

struct TClashRecord {
  std::int64_t c901 = 0; // unit code
  QString c902;          // unit name
};

// The report text: the heading line, a line of 80 "-", then "(" + c901 + "," + c902 + ")"
// for each record in ascending order of c901 (written in full). Lines end with "\n".
QString BuildClashReport(std::vector<TClashRecord> records);

// Writes the report (UTF-8) as folder + "/" + kImportClashReportName, replacing an earlier
// one in one step, and returns its path. Throws EFileWriteError naming the report.
QString WriteImportClashReport(const QString& folder, std::vector<TClashRecord> records);

// The message shown after an import that clashed, naming the report's full path.
QString ImportClashMessage(const QString& reportPath);

} // namespace fw
