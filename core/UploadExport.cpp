#include "core/UploadExport.h"

#include "core/DatabaseFiles.h"
#include "core/DatabaseOpening.h"
#include "core/ExchangeFile.h"
#include "core/OfflineExchange.h"
#include "core/Progress.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"

namespace fw {

namespace {

// The upload file's name; false when the person cancels or keeps an existing file.
bool AskUploadFileName(QString& file) {
  FileDialogRequest request;
  request.Title = QStringLiteral("导出文件存放为");
  request.Filter = QStringLiteral("dat文件(*.dat)|*.dat");
  request.InitialDir = PersonalFolder();
  request.FileName = UploadProposedName(Now().date());
  const FileDialogResult answer = CurrentHooks().SaveFileDialog(request);
  if (!answer.Accepted || answer.FileName.trimmed().isEmpty()) return false;
  file = DatFileName(answer.FileName);
  return !RefuseDatabaseInUse(file) && ConfirmOverwrite(file, request.Title);
}

} // namespace

TUploadFieldList ReadUploadFieldList(TADOConnection& connection) {
  TADOQuery query(&connection);
  query.SetSQL(QStringLiteral(
      "select fieldName,QueryType from dt_fieldlist where sequence>0 and sequence<1000 order by sequence"));
  query.Open();
  TUploadFieldList fields;
  fields.reserve(static_cast<size_t>(query.RecordCount()));
  TField* name = query.FieldByName(QStringLiteral("fieldName"));
  TField* type = query.FieldByName(QStringLiteral("QueryType"));
  for (; !query.Eof(); query.Next())
    fields.push_back({name->AsString(), NormalizeQueryType(type->IsNull() ? 0 : type->AsLargeInt())});
  query.Close();
  return fields;
}

void TDataSetUploadRows::Prepare(const QStringList& fieldNames) {
  columns_.clear();
  columns_.reserve(static_cast<size_t>(fieldNames.size()));
  for (const QString& name : fieldNames) {
    int column = -1;
    for (int i = 0; i < dataSet_.FieldCount() && column < 0; ++i)
      if (dataSet_.Fields(i)->FieldName().compare(name, Qt::CaseInsensitive) == 0) column = i;
    columns_.push_back(column);
  }
  row_ = -1;
}

bool TDataSetUploadRows::Next() {
  if (row_ < dataSet_.RowCount()) ++row_;
  return row_ < dataSet_.RowCount();
}

QVariant TDataSetUploadRows::Value(int index) const {
  const int column = columns_[static_cast<size_t>(index)];
  return column < 0 ? QVariant() : dataSet_.Value(row_, column);
}

bool ExportUploadFile(TADOConnection& connection, IProgress& progress) {
  try {
    if (!CheckRecordsFinished(connection, kUploadExportRefusal)) return false;
  } catch (const std::exception& e) {
    ShowMessage("运行中发生错误：" + ErrorText(e));
    return false;
  }
  QString file;
  if (!AskUploadFileName(file)) return false;

  try {
    const TUploadFieldList fields = ReadUploadFieldList(connection);
    TADOQuery records(&connection);
    records.SetSQL(QStringLiteral("select * from dt_data"));
    records.Open();
    // The caption carries the percent of this run's bar (total the rows, position 1),
    // which the export does not advance; taken before the bar is set it would be the
    // percent that the window's last job left behind.
    progress.StartProgress(records.RecordCount(), 1);
    TProgressShown shown(progress, QStringLiteral("导出上报数据...") + QString::number(progress.Percent()) + '%');
    TDataSetUploadRows rows(records);
    const QByteArray text = BuildUploadText(fields, rows);
    records.Close();
    WriteUploadFile(text, file, UploadKey().toLatin1());
  } catch (const std::exception& e) {
    ShowMessage("运行中发生错误：" + ErrorText(e));
    return false;
  }
  ShowMessage(QStringLiteral("导出上报数据成功"));
  return true;
}

} // namespace fw
