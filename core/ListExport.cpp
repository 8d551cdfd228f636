#include "core/ListExport.h"

#include "core/CodeLookup.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseOpening.h"
#include "core/FileUtils.h"
#include "core/ImportFileCheck.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "core/SiblingTempFile.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/BatchInsert.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/shell/ExistingFile.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/sheet/StreamedWorkbook.h"

#include <cmath>
#include <memory>
#include <stdexcept>
#include <vector>

namespace fw {

namespace {

const QString kSaveDialogTitle = QStringLiteral("导出文件存放为");
// Records of the database export inserted by one statement.
constexpr int kRecordsPerBatch = 64;

// The progress window of one export: the caption carries the bar's percent, changed only
// when the percent does; the window is hidden when the object goes.
class TExportProgress {
public:
  TExportProgress(IProgress& progress, int total, int done) : progress_(progress), total_(total), done_(done) {
    progress_.ShowProgress(kListExportCaption);
    progress_.StartProgress(total, done);
  }
  ~TExportProgress() { progress_.HideProgress(); }
  TExportProgress(const TExportProgress&) = delete;
  TExportProgress& operator=(const TExportProgress&) = delete;

  void Step() {
    if (done_ < total_) ++done_;
    progress_.StepProgress();
    const int percent = total_ > 0 ? int(std::nearbyint(double(done_) / total_ * 100.0)) : 0;
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    progress_.ShowProgress(kListExportCaption + QString::number(percent) + QLatin1Char('%'));
  }

private:
  IProgress& progress_;
  int total_;
  int done_;
  int shownPercent_ = -1;
};

// Asks for the export's file; false when cancelled, no name was given or the person
// would not use a file that exists, or the file is a database in use. A workbook then
// replaces the file; a database file keeps its other tables and only gets the list's table anew.
bool AskListFile(const QString& title, const QString& filter, const QString& ending, QString& file) {
  FileDialogRequest request;
  request.Title = kSaveDialogTitle;
  request.Filter = filter;
  request.InitialDir = PersonalFolder();
  request.FileName = ListExportProposedName(title, Now().date());
  const FileDialogResult answer = CurrentHooks().SaveFileDialog(request);
  if (!answer.Accepted || answer.FileName.trimmed().isEmpty()) return false;
  file = WithEndingWhenLong(answer.FileName, ending);
  // Written in place of a database a running copy works on, the file would pull it away.
  if (RefuseDatabaseInUse(file)) return false;
  return ConfirmOverwrite(file, request.Title);
}

bool IsWholeNumberType(TFieldType type) { return type == ftSmallint || type == ftInteger || type == ftLargeint; }
bool IsRealNumberType(TFieldType type) { return type == ftFloat || type == ftCurrency; }

// ---- workbook ----

// How the values of one column reach the sheet.
enum class TCellRule { Number, Boolean, Date, TextMark, Text };

struct TListColumn {
  int Field = 0; // index in the data set
  TCellRule Rule = TCellRule::Text;
  QString Title;
  int Format = 0; // cell format of the column's cells
};

TCellRule RuleFor(const TField& field) {
  if (field.DataType() == ftBoolean) return TCellRule::Boolean;
  if (field.DataType() == ftDateTime) return TCellRule::Date;
  // Its text with a leading mark, so the sheet keeps it as text.
  if (field.FieldName().compare(QLatin1String("cid"), Qt::CaseInsensitive) == 0) return TCellRule::TextMark;
  if (IsWholeNumberType(field.DataType()) || IsRealNumberType(field.DataType())) return TCellRule::Number;
  return TCellRule::Text;
}

// The place of a field among the data set's fields; throws like FieldByName when missing.
int FieldPosition(const TDataSet& data, const QString& name) {
  const TField* field = data.FieldByName(name);
  for (int i = 0; i < data.FieldCount(); ++i)
    if (data.Fields(i) == field) return i;
  return 0;
}

// The columns of the descriptors shown, with their titles and cell formats; formatted
// columns get their format for the whole column too.
std::vector<TListColumn> LayOutColumns(TStreamedWorkbook& book, const TDataSet& data, const TFieldDataArray& fields) {
  std::vector<TListColumn> columns;
  for (const TFieldData& d : fields) {
    if (!d.QueryShow) continue;
    const int position = FieldPosition(data, d.ShowName);
    TListColumn column{position, RuleFor(*data.Fields(position)), d.Hint, 0};
    const QString format = ListColumnFormat(data.Fields(position)->DataType());
    if (!format.isEmpty()) {
      column.Format = book.Styles().WithNumberFormat(0, format);
      book.SetColumnFormat(int(columns.size()) + 1, column.Format);
    }
    columns.push_back(column);
  }
  return columns;
}

// The format of the column at a place (1-based), the general one for none.
int ColumnFormat(const std::vector<TListColumn>& columns, int col) {
  return col <= int(columns.size()) ? columns[size_t(col) - 1].Format : 0;
}

// "导出日期:" in 12 points bold, and today's date as text beside it.
void WriteExportDate(TStreamedWorkbook& book, const std::vector<TListColumn>& columns, const QDate& today) {
  TWorkbookStyles& styles = book.Styles();
  book.BeginRow(kListDateRow);
  book.SetText(1, QStringLiteral("导出日期:"), styles.WithFontBold(styles.WithFontSize(ColumnFormat(columns, 1), 12), true));
  book.SetText(2, today.toString(QStringLiteral("yyyy-MM-dd")), styles.WithNumberFormat(ColumnFormat(columns, 2), QStringLiteral("@")));
}

bool CellIsTrue(const TCell& cell) {
  switch (cell.Type) {
  case TCellType::Int: return cell.Int != 0;
  case TCellType::Float: return cell.Float != 0;
  case TCellType::Text: return cell.ToText().toDouble() != 0;
  case TCellType::Null: break;
  }
  return false;
}

// One value of a record into its cell, by the column's rule.
void WriteListCell(TStreamedWorkbook& book, int col, const TListColumn& column, const TCell& cell) {
  switch (column.Rule) {
  case TCellRule::Number:
    // The number itself: what its text would be read as.
    if (cell.Type == TCellType::Int) book.SetNumber(col, double(cell.Int), column.Format);
    else if (cell.Type == TCellType::Float) book.SetNumber(col, cell.Float, column.Format);
    else if (cell.Type == TCellType::Text) book.SetText(col, cell.ToText(), column.Format);
    return;
  case TCellRule::Boolean:
    book.SetText(col, CellIsTrue(cell) ? QStringLiteral("是") : QStringLiteral("不是"), column.Format);
    return;
  case TCellRule::Date: {
    const QDateTime when = QDateTime::fromString(cell.ToText(), Qt::ISODate);
    if (when.isValid()) book.SetText(col, when.toString(QStringLiteral("yyyy-MM")), column.Format);
    else book.SetNumber(col, 0, column.Format);
    return;
  }
  case TCellRule::TextMark:
    book.SetText(col, QLatin1Char('\'') + cell.ToText(), column.Format);
    return;
  case TCellRule::Text:
    book.SetText(col, cell.ToText(), column.Format);
    return;
  }
}

// ---- database file ----

QString QuotedName(const QString& name) { return QLatin1Char('[') + name + QLatin1Char(']'); }

QString CreateTableSql(const TDataSet& data, const QString& title) {
  QStringList columns;
  for (int i = 0; i < data.FieldCount(); ++i)
    columns << QuotedName(data.Fields(i)->FieldName()) + QLatin1Char(' ') + JetFieldTypeText(*data.Fields(i));
  return QStringLiteral("Create Table ") + QuotedName(title) + QLatin1Char('(') + columns.join(QLatin1Char(',')) + QLatin1Char(')');
}

// How a field's values are stored in the exported table: texts as they are (an empty
// text for none), an empty date as null, an empty number as 0.
enum class TTableRule { Text, Date, Number, Boolean };

TTableRule TableRuleFor(const TField& field) {
  if (field.DataType() == ftDateTime) return TTableRule::Date;
  if (field.DataType() == ftBoolean) return TTableRule::Boolean;
  return field.IsNumeric() ? TTableRule::Number : TTableRule::Text;
}

bool IsBlank(const TCell& cell) {
  switch (cell.Type) {
  case TCellType::Int:
  case TCellType::Float: return false;
  case TCellType::Text: return cell.ToText().trimmed().isEmpty();
  case TCellType::Null: break;
  }
  return true;
}

// The cell of a text; `storage` holds its bytes.
TCell TextCell(const QString& text, QByteArray& storage) {
  storage = text.toUtf8();
  TCell cell;
  cell.Type = TCellType::Text;
  cell.Text = storage.constData();
  cell.TextLength = int(storage.size());
  return cell;
}

TCell IntCell(qint64 value) {
  TCell cell;
  cell.Type = TCellType::Int;
  cell.Int = value;
  return cell;
}

// A record's value as the table stores it (a boolean as -1 or 0); a text made here
// lives in `storage`.
TCell TableCell(const TDataSet& data, int row, int column, TTableRule rule, QByteArray& storage) {
  const TCell cell = data.Cell(row, column, &storage);
  switch (rule) {
  case TTableRule::Number:
    return IsBlank(cell) ? IntCell(0) : cell;
  case TTableRule::Boolean:
    return IntCell(!IsBlank(cell) && CellIsTrue(cell) ? -1 : 0);
  case TTableRule::Date:
    return IsBlank(cell) ? TCell() : cell.Type == TCellType::Text ? cell : TextCell(cell.ToText(), storage);
  case TTableRule::Text:
    break;
  }
  if (cell.Type == TCellType::Text) return cell;
  return TextCell(cell.ToText(), storage);  // an empty text for none
}

// Records first..end-1 into the table, through `insert`.
void InsertRecords(TBatchInsert& insert, const TDataSet& data, const std::vector<TTableRule>& rules, int first, int end,
                   const std::function<void()>& recordDone) {
  QByteArray storage;
  for (int row = first; row < end; ++row) {
    for (int c = 0; c < data.FieldCount(); ++c) insert.Add(TableCell(data, row, c, rules[size_t(c)], storage));
    insert.EndRow();
    if (recordDone) recordDone();
  }
}

// A value as an SQL literal of the statement text: texts and dates quoted (quotes
// doubled), an empty date as null, numbers as they are.
QString LiteralText(const TCell& cell, TTableRule rule) {
  if (cell.Type == TCellType::Null) return QStringLiteral("null");
  if (rule == TTableRule::Number || rule == TTableRule::Boolean) return cell.ToText();
  return QLatin1Char('\'') + cell.ToText().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

// A batch inserts all its records or none: they are inserted again one at a time to find
// the one that failed (the transaction is rolled back afterwards anyway). Empty when each
// goes in alone.
QString FailedRecordOf(TADOConnection& out, const TDataSet& data, const QString& title,
                       const std::vector<TTableRule>& rules, int first, int end) {
  TBatchInsert one(out, title, data.FieldNames(), end - first, 1);
  for (int row = first; row < end; ++row) {
    try {
      InsertRecords(one, data, rules, row, row + 1, {});
    } catch (const EDatabaseError&) {
      return ListInsertStatement(data, title, row);
    }
  }
  return QString();
}

void FillTable(TADOConnection& out, const TDataSet& data, const QString& title, const std::function<void()>& recordDone,
               QString& failedRecord) {
  const bool hadTable = TableExists(out, title);
  out.BeginTrans();
  try {
    if (hadTable) out.Execute(QStringLiteral("drop table ") + QuotedName(title));
    out.Execute(CreateTableSql(data, title));
    std::vector<TTableRule> rules;
    for (int c = 0; c < data.FieldCount(); ++c) rules.push_back(TableRuleFor(*data.Fields(c)));
    // One statement, prepared once, inserts the records a batch at a time.
    TBatchInsert insert(out, title, data.FieldNames(), data.RowCount(), kRecordsPerBatch);
    for (int first = 0; first < data.RowCount(); first += kRecordsPerBatch) {
      const int end = std::min(data.RowCount(), first + kRecordsPerBatch);
      try {
        InsertRecords(insert, data, rules, first, end, recordDone);
      } catch (const EDatabaseError&) {
        failedRecord = FailedRecordOf(out, data, title, rules, first, end);
        throw;
      }
    }
  } catch (...) {
    out.RollbackTrans();
    throw;
  }
  out.CommitTrans();
}

} // namespace

QString ListInsertStatement(const TDataSet& data, const QString& title, int row) {
  QStringList names;
  QStringList values;
  QByteArray storage;
  for (int c = 0; c < data.FieldCount(); ++c) {
    const TTableRule rule = TableRuleFor(*data.Fields(c));
    names << QLatin1Char('[') + data.Fields(c)->FieldName() + QLatin1Char(']');
    values << LiteralText(TableCell(data, row, c, rule, storage), rule);
  }
  return QStringLiteral("INSERT INTO ") + title + QStringLiteral("  (") + names.join(QLatin1Char(',')) +
         QStringLiteral(") Values(") + values.join(QLatin1Char(',')) + QLatin1Char(')');
}

int MaxListRecords() { return kMaxSheetRows - (kListFirstRecordRow - 1); }

QString TooManyRecordsMessage(int records) {
  return QStringLiteral("要导出的记录有%1条，超过了一个工作表最多能容纳的%2条，不能导出为Excel文件。请缩小范围后分批导出。")
      .arg(records)
      .arg(MaxListRecords());
}

QString JetFieldTypeText(const TField& field) {
  switch (field.DataType()) {
  case ftString:
  case ftWideString:
    return QStringLiteral("VARCHAR(%1)").arg(field.Size() > 0 ? field.Size() : 255);
  case ftSmallint:
  case ftInteger:
  case ftLargeint:
    return QStringLiteral("INTEGER");
  case ftFloat:
  case ftCurrency:
    return QStringLiteral("DOUBLE");
  case ftDateTime:
    return QStringLiteral("DATE");
  case ftBoolean:
    return QStringLiteral("BIT");
  case ftMemo:
    return QStringLiteral("MEMO");
  case ftUnknown:
    break;
  }
  return QStringLiteral("VARCHAR(255)");
}

QString ListColumnFormat(TFieldType type) {
  if (type == ftDateTime) return QStringLiteral("yyyy-mm");
  if (type == ftString || type == ftWideString || type == ftBoolean) return QStringLiteral("@");
  if (IsRealNumberType(type)) return QStringLiteral("￥#,##0.00;￥-#,##0.00");
  if (type == ftSmallint || type == ftInteger) return QStringLiteral("#,##0_ ");
  return QString();
}

TFieldDataArray DescribeFields(const TDataSet& data) {
  TFieldDataArray fields;
  for (int i = 0; i < data.FieldCount(); ++i) {
    TFieldData d;
    d.ShowName = data.Fields(i)->FieldName();
    d.Hint = d.ShowName;
    d.FieldType = JetFieldTypeText(*data.Fields(i));
    d.QueryShow = true;
    fields.push_back(d);
  }
  return fields;
}

QString ListExportProposedName(const QString& title, const QDate& today) {
  return SafeFileNamePart(title) + QLatin1Char('-') + today.toString(QStringLiteral("yyyy-MM-dd"));
}

QString ListSheetName(const QString& title) {
  QString name = title;
  for (QChar& c : name)
    if (QStringLiteral(":\\/?*[]").contains(c)) c = QLatin1Char('_');
  name = name.left(31);
  return name.trimmed().isEmpty() ? QStringLiteral("Sheet1") : name;
}

void WriteListWorkbook(const TDataSet& data, const TFieldDataArray& fields, const QString& title, const QDate& today,
                       const QString& file, const std::function<void()>& recordDone) {
  TStreamedWorkbook book(file);
  book.AddSheet(ListSheetName(title));
  const std::vector<TListColumn> columns = LayOutColumns(book, data, fields);
  book.FitColumns(1, std::min(int(fields.size()) + 1, kMaxSheetColumns));
  WriteExportDate(book, columns, today);
  book.BeginRow(kListTitleRow);
  for (size_t c = 0; c < columns.size(); ++c) book.SetText(int(c) + 1, columns[c].Title, columns[c].Format);
  QByteArray storage;
  for (int row = 0; row < data.RowCount(); ++row) {
    book.BeginRow(row + kListFirstRecordRow);
    for (size_t c = 0; c < columns.size(); ++c)
      WriteListCell(book, int(c) + 1, columns[c], data.Cell(row, columns[c].Field, &storage));
    if (recordDone) recordDone();
  }
  book.Save();
}

void WriteListTable(const TDataSet& data, const QString& file, const QString& title,
                    const std::function<void()>& recordDone, QString& failedRecord) {
  WriteListTable(data, TExistingFile(file), title, recordDone, failedRecord);
}

void WriteListTable(const TDataSet& data, const TExistingFile& file, const QString& title,
                    const std::function<void()>& recordDone, QString& failedRecord) {
  failedRecord.clear();
  const bool existing = file.Kind() == TExistingFile::TKind::PlainFile;
  if (!existing && file.Kind() != TExistingFile::TKind::Missing)
    throw std::runtime_error(kTargetNotPlainFileMessage.arg(file.Path()).toStdString());
  TSiblingTempFile work(file.Path());
  // An existing file is kept: the export adds its table to a copy of it.
  if (existing) work.CopyFrom(file);
  {
    TADOConnection out;
    // An existing file is judged before its table of the list's name is dropped.
    OpenChosenTarget(out, work.Path());
    FillTable(out, data, title, recordDone, failedRecord);
    out.Close();
  }
  work.MoveIntoPlace();
}

bool SaveQueryAsExcel(const TDataSet& data, const QString& title, const TFieldDataArray& fields, IProgress& progress) {
  if (!data.Active() || data.IsEmpty()) {
    ShowMessage(kExcelListEmptyMessage);
    return false;
  }
  if (data.RecordCount() > MaxListRecords()) {
    ShowMessage(TooManyRecordsMessage(data.RecordCount()), QString(), MB_OK | MB_ICONWARNING);
    return false;
  }
  QString file;
  if (!AskListFile(title, kExcelListFilter, kExcelListEnding, file)) return false;
  try {
    TExportProgress shown(progress, data.RecordCount(), 1);
    WriteListWorkbook(data, fields, title, Now().date(), file, [&shown] { shown.Step(); });
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
    return false;
  }
  ShowMessage(QStringLiteral("Excel文件已经正确导出到：'") + file);
  return true;
}

bool SaveQueryAsAccess(const TDataSet& data, const QString& title, IProgress& progress) {
  if (!data.Active() || data.IsEmpty()) {
    ShowMessage(kAccessListEmptyMessage);
    return false;
  }
  QString file;
  if (!AskListFile(title, kAccessListFilter, kAccessListEnding, file)) return false;
  // The file as it is now, after the question: only what was judged is read.
  const TExistingFile existing(file);
  if (RefuseExistingTarget(existing)) return false;
  QString failedRecord;
  try {
    TExportProgress shown(progress, data.RecordCount(), 0);
    WriteListTable(data, existing, title, [&shown] { shown.Step(); }, failedRecord);
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
    ShowMessage(failedRecord);
    return false;
  }
  ShowMessage(QStringLiteral("Access文件已经正确导出到：'") + file + QStringLiteral("'！"));
  return true;
}

} // namespace fw
