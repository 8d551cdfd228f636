#include "core/ListExport.h"

#include "core/CodeLookup.h"
#include "core/DatabaseFiles.h"
#include "core/FileUtils.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "core/SiblingTempFile.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/sheet/CellAddress.h"
#include "platform/sheet/SheetApplication.h"

#include <QFileInfo>
#include <cmath>
#include <memory>
#include <vector>

namespace fw {

namespace {

const QString kSaveDialogTitle = QStringLiteral("导出文件存放为");

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

// How a chosen file that exists is treated: a workbook replaces it (after asking), a
// database file keeps its other tables and only gets the list's table anew.
enum class TExistingFile { Replace, Reuse };

// Asks for the export's file; false when cancelled, no name was given or the person
// would not replace an existing workbook.
bool AskListFile(const QString& title, const QString& filter, const QString& ending, TExistingFile existing,
                 QString& file) {
  FileDialogRequest request;
  request.Title = kSaveDialogTitle;
  request.Filter = filter;
  request.InitialDir = PersonalFolder();
  request.FileName = ListExportProposedName(title, Now().date());
  const FileDialogResult answer = CurrentHooks().SaveFileDialog(request);
  if (!answer.Accepted || answer.FileName.trimmed().isEmpty()) return false;
  file = WithEndingWhenLong(answer.FileName, ending);
  return existing == TExistingFile::Reuse || ConfirmOverwrite(file, request.Title);
}

bool IsWholeNumberType(TFieldType type) { return type == ftSmallint || type == ftInteger || type == ftLargeint; }
bool IsRealNumberType(TFieldType type) { return type == ftFloat || type == ftCurrency; }

// ---- workbook ----

// How the values of one column reach the sheet.
enum class TCellRule { Number, Boolean, Date, TextMark, Text };

struct TListColumn {
  int Field = 0; // index in the data set
  TCellRule Rule = TCellRule::Text;
};

TCellRule RuleFor(const TField& field) {
  if (field.DataType() == ftBoolean) return TCellRule::Boolean;
  if (field.DataType() == ftDateTime) return TCellRule::Date;
  // Its text with a leading mark, so the sheet keeps it as text.
  if (field.FieldName().compare(QLatin1String("cid"), Qt::CaseInsensitive) == 0) return TCellRule::TextMark;
  if (IsWholeNumberType(field.DataType()) || IsRealNumberType(field.DataType())) return TCellRule::Number;
  return TCellRule::Text;
}

QVariant SheetValue(const TDataSet& data, int row, const TListColumn& column) {
  switch (column.Rule) {
  case TCellRule::Number:
    // The number itself: what its text would be read as.
    return data.Value(row, column.Field);
  case TCellRule::Boolean: {
    const QVariant v = data.Value(row, column.Field);
    return v.isValid() && !v.isNull() && v.toDouble() != 0 ? QStringLiteral("是") : QStringLiteral("不是");
  }
  case TCellRule::Date: {
    const QDateTime when = QDateTime::fromString(data.Text(row, column.Field), Qt::ISODate);
    return when.isValid() ? QVariant(when.toString(QStringLiteral("yyyy-MM"))) : QVariant(0);
  }
  case TCellRule::TextMark:
    return QVariant(QLatin1Char('\'') + data.Text(row, column.Field));
  case TCellRule::Text:
    break;
  }
  return data.Text(row, column.Field);
}

// The place of a field among the data set's fields; throws like FieldByName when missing.
int FieldPosition(const TDataSet& data, const QString& name) {
  const TField* field = data.FieldByName(name);
  for (int i = 0; i < data.FieldCount(); ++i)
    if (data.Fields(i) == field) return i;
  return 0;
}

// Titles in row 3 and the column formats; the columns of the descriptors shown.
std::vector<TListColumn> LayOutColumns(TWorksheet& sheet, const TDataSet& data, const TFieldDataArray& fields) {
  std::vector<TListColumn> columns;
  for (const TFieldData& d : fields) {
    if (!d.QueryShow) continue;
    const int position = FieldPosition(data, d.ShowName);
    columns.push_back({position, RuleFor(*data.Fields(position))});
    sheet.Cells(kListTitleRow, int(columns.size())).SetValue(d.Hint);
  }
  for (size_t i = 0; i < columns.size(); ++i) {
    const QString format = ListColumnFormat(data.Fields(columns[i].Field)->DataType());
    if (!format.isEmpty()) sheet.Columns(int(i) + 1).SetNumberFormatLocal(format);
  }
  return columns;
}

void WriteExportDate(TWorksheet& sheet, const QDate& today) {
  TRange label = sheet.Cells(kListDateRow, 1);
  label.SetValue(QStringLiteral("导出日期:"));
  label.Font().SetSize(12);
  label.Font().SetBold(true);
  TRange date = sheet.Cells(kListDateRow, 2);
  date.SetNumberFormatLocal(QStringLiteral("@"));
  date.SetValue(today.toString(QStringLiteral("yyyy-MM-dd")));
}

// ---- database file ----

QString QuotedName(const QString& name) { return QLatin1Char('[') + name + QLatin1Char(']'); }

QString CreateTableSql(const TDataSet& data, const QString& title) {
  QStringList columns;
  for (int i = 0; i < data.FieldCount(); ++i)
    columns << QuotedName(data.Fields(i)->FieldName()) + QLatin1Char(' ') + JetFieldTypeText(*data.Fields(i));
  return QStringLiteral("Create Table ") + QuotedName(title) + QLatin1Char('(') + columns.join(QLatin1Char(',')) + QLatin1Char(')');
}

// The values are bound by position, in field order.
QString InsertSql(const TDataSet& data, const QString& title) {
  QStringList names, marks;
  for (int i = 0; i < data.FieldCount(); ++i) {
    names << QuotedName(data.Fields(i)->FieldName());
    marks << QStringLiteral("?");
  }
  return QStringLiteral("INSERT INTO ") + QuotedName(title) + QStringLiteral("  (") + names.join(QLatin1Char(',')) +
         QStringLiteral(") Values(") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
}

// How a field's values are stored in the exported table: texts as they are (an empty
// text for none), an empty date as null, an empty number as 0.
enum class TTableRule { Text, Date, Number, Boolean };

TTableRule TableRuleFor(const TField& field) {
  if (field.DataType() == ftDateTime) return TTableRule::Date;
  if (field.DataType() == ftBoolean) return TTableRule::Boolean;
  return field.IsNumeric() ? TTableRule::Number : TTableRule::Text;
}

bool IsBlank(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::LongLong:
  case QMetaType::Double:
  case QMetaType::Int:
    return false;
  case QMetaType::QString:
    return static_cast<const QString*>(value.constData())->trimmed().isEmpty();
  default:
    return value.isNull();
  }
}

QVariant TableValue(const TDataSet& data, int row, int column, TTableRule rule) {
  QVariant value = data.Value(row, column);
  switch (rule) {
  case TTableRule::Number:
    return IsBlank(value) ? QVariant(0) : value;
  case TTableRule::Boolean:
    return IsBlank(value) ? QVariant(0) : QVariant(value.toDouble() != 0);
  case TTableRule::Date:
    return IsBlank(value) ? QVariant() : QVariant(data.Text(row, column));
  case TTableRule::Text:
    break;
  }
  if (value.isNull()) return QVariant(QString(QLatin1String("")));
  return value.typeId() == QMetaType::QString ? value : QVariant(data.Text(row, column));
}

QString DescribeRecord(const TDataSet& data, const TParameters& values) {
  QStringList parts;
  for (int i = 0; i < data.FieldCount(); ++i)
    parts << data.Fields(i)->FieldName() + QLatin1Char('=') + values.Items(i).Value().toString();
  return QStringLiteral("出错的记录：") + parts.join(QStringLiteral(", "));
}

void FillTable(TADOConnection& out, const TDataSet& data, const QString& title, const std::function<void()>& recordDone,
               QString& failedRecord) {
  const bool hadTable = TableExists(out, title);
  out.BeginTrans();
  try {
    if (hadTable) out.Execute(QStringLiteral("drop table ") + QuotedName(title));
    out.Execute(CreateTableSql(data, title));
    // One statement, prepared once, run for every record with new values.
    TADOQuery insert(&out);
    insert.SetSQL(InsertSql(data, title));
    TParameters& params = insert.Parameters();
    for (int c = 0; c < data.FieldCount(); ++c) params.AddParameter(QString());
    std::vector<TTableRule> rules;
    for (int c = 0; c < data.FieldCount(); ++c) rules.push_back(TableRuleFor(*data.Fields(c)));
    for (int row = 0; row < data.RowCount(); ++row) {
      for (int c = 0; c < data.FieldCount(); ++c) params[c].SetValue(TableValue(data, row, c, rules[size_t(c)]));
      try {
        insert.ExecSQL();
      } catch (...) {
        failedRecord = DescribeRecord(data, params);
        throw;
      }
      if (recordDone) recordDone();
    }
  } catch (...) {
    out.RollbackTrans();
    throw;
  }
  out.CommitTrans();
}

} // namespace

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
  return title + QLatin1Char('-') + today.toString(QStringLiteral("yyyy-MM-dd"));
}

QString ListSheetName(const QString& title) {
  QString name = title;
  for (QChar& c : name)
    if (QStringLiteral(":\\/?*[]").contains(c)) c = QLatin1Char('_');
  name = name.left(31);
  return name.trimmed().isEmpty() ? QStringLiteral("Sheet1") : name;
}

void FillListSheet(TWorksheet& sheet, const TDataSet& data, const TFieldDataArray& fields, const QDate& today,
                   const std::function<void()>& recordDone) {
  const std::vector<TListColumn> columns = LayOutColumns(sheet, data, fields);
  for (int row = 0; row < data.RowCount(); ++row) {
    const int sheetRow = row + kListFirstRecordRow;
    for (size_t c = 0; c < columns.size(); ++c) sheet.SetCellValue(sheetRow, int(c) + 1, SheetValue(data, row, columns[c]));
    if (recordDone) recordDone();
  }
  WriteExportDate(sheet, today);
  const int lastColumn = std::min(int(fields.size()) + 1, kMaxSheetColumns);
  sheet.Columns(QStringLiteral("A:") + ColumnLetters(lastColumn)).AutoFit();
}

void WriteListTable(const TDataSet& data, const QString& file, const QString& title,
                    const std::function<void()>& recordDone, QString& failedRecord) {
  failedRecord.clear();
  TSiblingTempFile work(file);
  // An existing file is kept: the export adds its table to a copy of it.
  if (QFileInfo(file).isFile()) CopyFileStream(file, work.Path());
  {
    TADOConnection out;
    out.SetLoginPrompt(false);
    out.SetConnectionString(JetConnectionString(work.Path(), QStringLiteral("Persist Security Info=False")));
    out.Open();
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
  if (!AskListFile(title, kExcelListFilter, kExcelListEnding, TExistingFile::Replace, file)) return false;
  try {
    std::unique_ptr<TSheetApplication> app = CreateOleObject(QStringLiteral("Excel.Application"));
    TWorkbook& book = app->Workbooks().Add();
    TWorksheet& sheet = book.Sheets(1);
    sheet.SetName(ListSheetName(title));
    {
      TExportProgress shown(progress, data.RecordCount(), 1);
      FillListSheet(sheet, data, fields, Now().date(), [&shown] { shown.Step(); });
    }
    book.SaveAs(file);
    book.Close();
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
  if (!AskListFile(title, kAccessListFilter, kAccessListEnding, TExistingFile::Reuse, file)) return false;
  QString failedRecord;
  try {
    TExportProgress shown(progress, data.RecordCount(), 0);
    WriteListTable(data, file, title, [&shown] { shown.Step(); }, failedRecord);
  } catch (const std::exception& e) {
    ShowRuntimeError(ErrorText(e));
    ShowMessage(failedRecord);
    return false;
  }
  ShowMessage(QStringLiteral("Access文件已经正确导出到：'") + file + QStringLiteral("'！"));
  return true;
}

} // namespace fw
