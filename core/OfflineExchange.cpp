#include "core/OfflineExchange.h"

#include "core/DatabaseFiles.h"
#include "core/DatabasePassword.h"
#include "core/ExchangeFile.h"
#include "core/FileUtils.h"
#include "core/SiblingTempFile.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"

#include <QFileInfo>
#include <stdexcept>
#include <vector>

namespace fw {

namespace {

// Message box flags of the import question beyond Hooks.h's set: "No" is the default
// button and the box is system-modal.
constexpr int kDefaultButtonSecond = 0x100;
constexpr int kSystemModal = 0x1000;

const QString kExchangeFilter = QStringLiteral("数据加密文件(*.dat)|*.dat");
const QString kImportFilter = QStringLiteral("数据加密文件(*.dat)|*.dat|数据备份文件(*.mdb)|*.mdb");

QString ExchangeConnectionString(const QString& file, const QString& password) {
  QString text = JetConnectionString(file, QStringLiteral("Persist Security Info=False;"));
  if (!password.isEmpty()) text += "Jet OLEDB:Database Password=" + password;
  return text;
}

void OpenExchangeConnection(TADOConnection& connection, const QString& file, const QString& password) {
  connection.SetLoginPrompt(false);
  connection.SetConnectionString(ExchangeConnectionString(file, password));
  connection.Open();
}

// Opening reads the schema, so a wrong key or a file that is no database fails here;
// counting the records of table reads all of its pages, so a file cut short fails too.
bool OpensAsDatabase(const QString& file, const QString& password, const QString& table) {
  try {
    TADOConnection connection;
    OpenExchangeConnection(connection, file, password);
    if (HasTable(connection, table)) {
      TADOQuery count(&connection);
      count.SetSQL("select count(*) from " + table);
      count.Open();
      count.Close();
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

QString RunErrorForImport(const QString& reason) {
  return "运行中发生错误：" + reason + "请与软件发行者联系。";
}

QString QuotedName(const QString& table) { return "\"" + table + "\""; }

// ---- writing ----

// Fills a copy of the template beside file and moves it into place when complete.
void WriteOfflineDat(TADOConnection& main, const QString& file, const QString& label) {
  TSiblingTempFile temp(file);
  CopyFileStream(ProgramFile(QString::fromLatin1(kExchangeTemplateName)), temp.Path());
  const QStringList sourceColumns = TableColumns(main, QStringLiteral("dt_data"));
  {
    TADOConnection out;
    OpenExchangeConnection(out, temp.Path(), DatabasePassword());
    {
      // The working database is attached by name, never spelled into the statement, so
      // any character in its path is safe.
      TAttachedFile working(out, DatabasePath, QString());
      const QStringList columns = CommonColumns(TableColumns(out, QStringLiteral("dt_data")), sourceColumns);
      if (columns.isEmpty()) throw std::runtime_error("导出文件的数据表与系统的数据表没有相同的列");
      out.Execute(BuildCopyByNameSql(QStringLiteral("dt_data"), working.Table(QStringLiteral("dt_data")), columns,
                                     QStringLiteral("RecordState=1")));
    }
    // The name is bound, so a quote in it is stored as typed.
    if (out.Execute(QStringLiteral("update ct_label set db_name = ?"), QVariantList{label}) == 0)
      out.Execute(QStringLiteral("insert into ct_label (db_name) values (?)"), QVariantList{label});
    out.Close();
  }
  ScrambleFileHeader(temp.Path());
  temp.MoveIntoPlace();
}

// ---- reading ----

struct TImportSource {
  QString Label;
  QStringList Columns;
};

// The import's checks on the file and the working database; a message has been shown
// when this returns false.
bool ReadImportSource(TADOConnection& main, const TExchangeFileAccess& access, const QString& password,
                      const QString& table, TImportSource& source) {
  try {
    TADOConnection file;
    OpenExchangeConnection(file, access.Path, access.Keyed ? password : QString());
    if (!HasTable(file, table)) {
      ShowMessage("您选择的文件中不存在名字为" + QuotedName(table) + "的数据表");
      return false;
    }
    if (!HasTable(main, table)) {
      ShowMessage("系统中不存在名字为" + QuotedName(table) + "的数据表");
      return false;
    }
    source.Columns = TableColumns(file, table);
    TADOQuery labels(&file);
    labels.SetSQL(QStringLiteral("select * from ct_label"));
    labels.Open();
    if (!labels.IsEmpty()) source.Label = labels.FieldByName(QStringLiteral("db_name"))->AsString();
    labels.Close();
    file.Close();
    return true;
  } catch (const std::exception& e) {
    ShowMessage(RunErrorForImport(ErrorText(e)));
    return false;
  }
}

// The records of the file whose unit code already exists in table, found through the
// staging table table + "_". The work runs in a transaction that is rolled back at the
// end, so the staging table is left as it was.
std::vector<TClashRecord> FindClashingRecords(TADOConnection& main, const QString& table, const QString& fileTable,
                                              const QStringList& fileColumns) {
  const QString staging = table + "_";
  std::vector<TClashRecord> records;
  main.BeginTrans();
  try {
    main.Execute("delete from " + staging);
    const QStringList columns = CommonColumns(TableColumns(main, staging), fileColumns);
    main.Execute(BuildCopyByNameSql(staging, fileTable, columns));
    main.Execute("delete from " + staging + " where c901 not in (select c901 from " + table + ")");
    TADOQuery clashes(&main);
    clashes.SetSQL("select c901,c902 from " + staging + " order by c901");
    clashes.Open();
    for (; !clashes.Eof(); clashes.Next())
      records.push_back({clashes.FieldByName(QStringLiteral("c901"))->AsLargeInt(),
                         clashes.FieldByName(QStringLiteral("c902"))->AsString()});
    clashes.Close();
    main.RollbackTrans();
  } catch (...) {
    if (main.InTransaction()) main.RollbackTrans();
    throw;
  }
  return records;
}

void CopyAllRecords(TADOConnection& main, const QString& table, const QString& fileTable, const QStringList& columns) {
  main.BeginTrans();
  try {
    main.Execute(BuildCopyByNameSql(table, fileTable, columns));
    main.CommitTrans();
  } catch (...) {
    if (main.InTransaction()) main.RollbackTrans();
    throw;
  }
}

// After a failed import: a code clash gets its report and message; any other failure
// shows its own reason.
void ReportFailedImport(TADOConnection& main, const QString& table, const QString& fileTable,
                        const QStringList& fileColumns, const QString& reason) {
  std::vector<TClashRecord> clashes;
  try {
    clashes = FindClashingRecords(main, table, fileTable, fileColumns);
  } catch (const std::exception&) {
    clashes.clear();
  }
  if (clashes.empty()) {
    ShowMessage(RunErrorForImport(reason));
    return;
  }
  QString reportPath;
  try {
    reportPath = WriteImportClashReport(PersonalFolder(), std::move(clashes));
  } catch (const std::exception& e) {
    ShowMessage(RunErrorForImport(ErrorText(e)));
    return;
  }
  OpenWithDefaultProgram(reportPath);
  ShowMessage(ImportClashMessage(reportPath));
}

} // namespace

bool CheckRecordsFinished(TADOConnection& connection, const QString& refusal) {
  TADOQuery count(&connection);
  count.SetSQL(QStringLiteral("select count(*) as cnt from dt_data where RecordState<>1"));
  count.Open();
  const qint64 unfinished = count.FieldByName(QStringLiteral("cnt"))->AsLargeInt();
  count.Close();
  if (unfinished <= 0) return true;
  ShowMessage(refusal);
  return false;
}

bool ExportOfflineDat(TADOConnection& connection) {
  QString label;
  if (!AskExportLabel(DatabaseLabel, label)) return false;

  FileDialogRequest request;
  request.Title = QStringLiteral("导出文件存放为");
  request.Filter = kExchangeFilter;
  request.InitialDir = PersonalFolder();
  request.FileName = OfflineExportProposedName(label, Now().date());
  const FileDialogResult answer = CurrentHooks().SaveFileDialog(request);
  if (!answer.Accepted || answer.FileName.trimmed().isEmpty()) return false;
  const QString file = OfflineExportFileName(answer.FileName);

  try {
    WriteOfflineDat(connection, file, label);
  } catch (const std::exception& e) {
    ShowMessage("运行中发生错误：" + ErrorText(e) + ",请与软件发行者联系。");
    return false;
  }
  ShowMessage("数据已经被正确导出到：'" + file + "'！");
  return true;
}

bool FastImportDat(TADOConnection& connection, const QString& table) {
  FileDialogRequest request;
  request.Title = QStringLiteral("选择导入文件");
  request.Filter = kImportFilter;
  request.InitialDir = PersonalFolder();
  const FileDialogResult answer = CurrentHooks().OpenFileDialog(request);
  if (!answer.Accepted || answer.FileName.trimmed().isEmpty()) return true;
  const QString file = ImportFileName(answer.FileName, answer.FilterIndex);
  if (!QFileInfo(file).isFile()) {
    ShowMessage(QStringLiteral("您选择的文件并不存在，请选择其它文件。"));
    return true;
  }

  // The restored copy, when one is needed, lives in a private folder that goes with
  // access on every path.
  const QString password = DatabasePassword();
  TExchangeFileAccess access;
  try {
    access = OpenExchangeFileByTrial(file, [&password, &table](const QString& path, bool keyed) {
      return OpensAsDatabase(path, keyed ? password : QString(), table);
    });
  } catch (const std::exception& e) {
    ShowMessage(RunErrorForImport(ErrorText(e)));
    return true;
  }
  if (!access.Opened) {
    ShowMessage(QStringLiteral("文件格式错误,请重新选择！"));
    return true;
  }

  TImportSource source;
  if (!ReadImportSource(connection, access, password, table, source)) return true;

  const int answerYes = ShowMessage("确认准备导入标记声明为【" + source.Label + "】的数据么？", QStringLiteral("提示："),
                                    MB_YESNO | MB_ICONWARNING | kDefaultButtonSecond | kSystemModal);
  if (answerYes != IDYES) return false;

  try {
    TAttachedFile attached(connection, access.Path, access.Keyed ? password : QString());
    const QString fileTable = attached.Table(table);
    try {
      const QStringList columns = CommonColumns(TableColumns(connection, table), source.Columns);
      if (columns.isEmpty()) throw std::runtime_error("导入文件的数据表与系统的数据表没有相同的列");
      CopyAllRecords(connection, table, fileTable, columns);
    } catch (const std::exception& e) {
      ReportFailedImport(connection, table, fileTable, source.Columns, ErrorText(e));
      return true;
    }
  } catch (const std::exception& e) {
    ShowMessage(RunErrorForImport(ErrorText(e)));
    return true;
  }
  ShowMessage("数据已经被正确地从'" + file + "'导入！");
  return true;
}

} // namespace fw
