#pragma once
// List export: the rows of an open data set written to a file the user chooses, either
// as a workbook (.xlsx: the export date in row 2, the column titles in row 3, the records
// from row 5, column formats by field type, fitted widths) or as a table of a plain
// database file (.mdb), which the export creates when missing and otherwise reuses,
// replacing only the table of the same name. The data set is read where it stands: its
// order (a user's sort included) is the order written, and its cursor does not move.

#include "core/SurveyModel.h"
#include "platform/db/Field.h"

#include <QDate>
#include <QString>
#include <functional>

namespace fw {

class IProgress;
class TDataSet;
class TExistingFile;

inline const QString kExcelListEmptyMessage = QStringLiteral("SaveQueryAsExcel出错:数据表为空，不能导出！");
inline const QString kAccessListEmptyMessage = QStringLiteral("SaveQueryAsAccess:：出错:数据表为空，不能导出！");
inline const QString kListExportCaption = QStringLiteral("数据导出...");
inline const QString kExcelListFilter = QStringLiteral("Excel 文件(*.xlsx)|*.xlsx");
inline const QString kAccessListFilter = QStringLiteral("Access文件(*.mdb)|*.mdb");
inline const QString kExcelListEnding = QStringLiteral(".xlsx");
inline const QString kAccessListEnding = QStringLiteral(".mdb");

// Rows of the workbook list.
constexpr int kListDateRow = 2;
constexpr int kListTitleRow = 3;
constexpr int kListFirstRecordRow = 5;

// The most records one worksheet takes below the list's head rows.
int MaxListRecords();
// The refusal of a list longer than a worksheet holds.
QString TooManyRecordsMessage(int records);

// The type text of a field, for a table definition and for a field descriptor:
// "VARCHAR(<size>)" for text, "INTEGER" for whole numbers, "DOUBLE" for other numbers,
// "DATE" for dates; "BIT" for booleans and "MEMO" for long texts.
QString JetFieldTypeText(const TField& field);

// The number format of a workbook column for a field type, empty for none: dates
// "yyyy-mm", texts and booleans "@", real numbers "￥#,##0.00;￥-#,##0.00", whole
// numbers "#,##0_ ".
QString ListColumnFormat(TFieldType type);

// One descriptor per field of the data set, in order: ShowName and Hint the field's
// name, the field's type text, shown in the list.
TFieldDataArray DescribeFields(const TDataSet& data);

// The file name the save dialog proposes: title + "-" + the date as "yyyy-mm-dd", every
// character of the title that a file name cannot hold replaced (SafeFileNamePart).
QString ListExportProposedName(const QString& title, const QDate& today);

// The worksheet name for a title: characters a sheet name cannot hold become "_", and
// the name is cut to 31 characters.
QString ListSheetName(const QString& title);

// Writes the list as a workbook file: for each descriptor with QueryShow, in order, one
// column titled with its Hint in row 3 and formatted by the type of the data-set field
// named by its ShowName; one row per record from row 5; "导出日期:" and today's date in
// row 2; the used columns fitted to their contents; one worksheet named after the title.
// The rows are streamed into the file as they are read (memory stays flat however long
// the list). `recordDone` runs after each record. Throws (EDatabaseError for a
// descriptor naming no field, ESheetError); a failure leaves no file behind.
void WriteListWorkbook(const TDataSet& data, const TFieldDataArray& fields, const QString& title, const QDate& today,
                       const QString& file, const std::function<void()>& recordDone);

// The INSERT statement of record `row` into the table `title`, with its values written in
// as the table stores them (an empty number 0, an empty date null, a boolean -1 or 0):
// the text shown when that record could not be written. The export itself binds them.
QString ListInsertStatement(const TDataSet& data, const QString& title, int row);

// Writes every field of the data set into the table `title` of the database file, in one
// transaction: the table is dropped when the file has it and created anew, the records
// inserted with their values bound. The work is done on a copy beside the file that
// replaces it only when complete, so a failure leaves the file as it was (or absent).
// An existing file is the one opened once (TExistingFile), read through its own handle;
// a link or anything but a plain file there is refused (kTargetNotPlainFileMessage).
// `recordDone` runs after each record. Throws; `failedRecord` then holds the INSERT
// statement of the record that failed (empty when the failure came before the first record).
void WriteListTable(const TDataSet& data, const TExistingFile& file, const QString& title,
                    const std::function<void()>& recordDone, QString& failedRecord);
void WriteListTable(const TDataSet& data, const QString& file, const QString& title,
                    const std::function<void()>& recordDone, QString& failedRecord);

// The spreadsheet export: refuses an empty data set and a list longer than a worksheet,
// asks for the file (proposal title-date, ".xlsx" appended to a name longer than four
// characters; a file that exists is used only when the person agrees), writes the
// workbook with the progress window "数据导出..." and its percent, and reports the file
// written. Errors are shown as "运行中发生错误：...".
// Returns true when the file was written.
bool SaveQueryAsExcel(const TDataSet& data, const QString& title, const TFieldDataArray& fields, IProgress& progress);

// The database export, asked and reported the same way (".mdb"); after the question the
// existing file is opened once and judged on that (RefuseExistingTarget). After an error
// a second message shows the values of the record that failed.
bool SaveQueryAsAccess(const TDataSet& data, const QString& title, IProgress& progress);

} // namespace fw
