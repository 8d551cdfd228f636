#pragma once
// Group files: a plain database file (no password) that carries the grouping schemes
// from one installation to another as copies of the group tables (GroupTables:
// CT_Group, DT_GroupItem). The group list dialog's 导出 and 导入 run these.
//
// Both ask for the file through the file-dialog hooks, starting in the documents
// folder, report through the message hook and the progress given, and reach the other
// file only by attaching it, so no path is ever spelled into SQL.

#include <QString>
#include <QStringList>

namespace fw {

class IProgress;
class TADOConnection;

inline const QString kGroupFileFilter = QStringLiteral("Access文件(*.mdb)|*.mdb");
inline const QString kGroupImportDoneMessage = QStringLiteral("数据分组导入操作完成！");
// A database the program has open (the source or the working database) chosen as the
// group file.
inline const QString kGroupFileInUseMessage = QStringLiteral("您选择的文件正在被系统使用，请选择其它文件。");
// An existing file chosen for the export that is no plain database (an encrypted backup).
inline const QString kGroupFileNotWritableMessage =
    QStringLiteral("您选择的文件“%1”不是可以写入分组数据的数据库文件，请选择其它文件。");

// The message for a group file that lacks one of the tables.
QString MissingGroupTableMessage(const QString& table);

// Writes the tables from sourceFile (the group list passes the default database file
// in the program folder) into a file chosen in the save dialog ("导出文件存放为"; ".mdb"
// is appended to a name longer than 4 characters that lacks it). An existing file is
// written into only when the person agrees (ConfirmOverwrite); it keeps every other
// table, and its copies of the tables are replaced. After the question the file is
// opened once and judged on that: a link, anything but a plain file and a database in
// use are refused (RefuseExistingTarget), and so is a file that is no plain database
// (kGroupFileNotWritableMessage). The file is written beside it and renamed into place
// only when complete, so a failure leaves an existing file as it was. The source and the
// open database are refused as the file (kGroupFileInUseMessage). Shows "数据已经被正确导出到：'<file>'！" on success,
// "运行中发生错误：<reason>,请与软件发行者联系。" on failure. Returns true when written.
bool ExportGroupTables(const QString& sourceFile, const QStringList& tables, IProgress& progress);

// Replaces the tables of the database open on connection with those of a file chosen
// in the open dialog ("选择导入文件"). The file is read once, into a private copy
// (CopyChosenFile, ChosenFileCopy.h), and both the checks and the copy of the rows read
// that copy. The file must hold every one of the tables: a missing one is named in
// MissingGroupTableMessage and nothing is changed; the open database itself is refused
// (kGroupFileInUseMessage), and so is a file that is no plain database, whose tables are
// views, or that declares a virtual table (kFileFormatErrorMessage), judged from its
// schema alone on a read-only connection with the time limit of a chosen file, which
// also bounds every statement of the copy. Rows are copied by column name inside one
// transaction: on any error the database keeps its groups and the reason is shown.
// Returns true when the tables were replaced.
bool ImportGroupTables(TADOConnection& connection, const QStringList& tables, IProgress& progress);

} // namespace fw
