#include "core/OfflineExchange.h"

#include "core/DatabaseFiles.h"
#include "core/DatabaseOpening.h"
#include "core/DatabasePassword.h"
#include "core/ExchangeFile.h"
#include "core/ImportFileCheck.h"
#include "core/SiblingTempFile.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"

#include <QFileInfo>
#include <stdexcept>
#include <vector>

namespace fw {

namespace {

const QString kExchangeFilter = QStringLiteral("数据加密文件(*.dat)|*.dat");

QString ExchangeConnectionString(const QString& file, const QString& password) {
  QString text = JetConnectionString(file, QStringLiteral("Persist Security Info=False;"));
  if (!password.isEmpty()) text += "Jet OLEDB:Database Password=" + password;
  return text;
}

// ---- writing ----

// Fills a copy of the template beside file and moves it into place when complete.
void WriteOfflineDat(const QString& file, const QString& label) {
  TSiblingTempFile temp(file);
  temp.CopyFrom(ProgramFile(QString::fromLatin1(kExchangeTemplateName)));
  temp.Fill([&label, &temp](const QString& path) {
    TADOConnection out;
    out.SetLoginPrompt(false);
    out.SetConnectionString(ExchangeConnectionString(path, DatabasePassword()));
    out.Open();
    {
      // The working database is attached by name, never spelled into the statement, so
      // any character in its path is safe.
      TAttachedFile working(out, DatabasePath, QString());
      CopyRowsByName(out, QStringLiteral("dt_data"), working.Table(QStringLiteral("dt_data")),
                     QStringLiteral("RecordState=1"));
    }
    // The name is bound, so a quote in it is stored as typed.
    if (out.Execute(QStringLiteral("update ct_label set db_name = ?"), QVariantList{label}) == 0)
      out.Execute(QStringLiteral("insert into ct_label (db_name) values (?)"), QVariantList{label});
    out.Close();
    // Through the working file's own handle: the header of no other file can be reached.
    ScrambleFileHeader(temp.Descriptor(), temp.Destination());
  });
  temp.MoveIntoPlace();
}

// ---- reading ----

// Opens with the checks of a chosen file; the engine's reading of the schema tells
// whether the key fits.
bool OpensAsDatabase(const QString& file, const QString& password) {
  try {
    TADOConnection connection;
    OpenChosenFile(connection, file, password);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

TImportOutcome Outcome(TImportResult result, const QString& error = QString()) {
  TImportOutcome outcome;
  outcome.Result = result;
  outcome.Error = error;
  return outcome;
}

// An engine failure while reading a chosen file: one that is damaged, one that holds a
// value past the size limit, or one that keeps the engine busy past its time, is a file of
// the wrong format.
bool UnreadableFile(const std::exception& error) {
  const auto* db = dynamic_cast<const EDatabaseError*>(&error);
  return db && (db->Damaged() || db->TooBig() || db->Interrupted());
}

TImportOutcome ReadFailure(const std::exception& error) {
  if (UnreadableFile(error)) return Outcome(TImportResult::FormatError);
  return Outcome(TImportResult::Failed, ErrorText(error));
}

// The import's checks on the file and the working database. Result Imported here means
// "passed", with the file's label.
TImportOutcome CheckImportSource(TADOConnection& main, const TExchangeFileAccess& access, const QString& password,
                                 const QString& table) {
  try {
    TADOConnection file;
    OpenChosenFile(file, access.Path, access.Keyed ? password : QString());
    if (!IsSoundFile(file)) return Outcome(TImportResult::FormatError);
    if (!HasTable(file, table)) return Outcome(TImportResult::NoTableInFile);
    if (!HasTable(main, table)) return Outcome(TImportResult::NoTableInSystem);
    if (!HasWorkingShape(file, main, table) || !HasWorkingShape(file, main, QStringLiteral("ct_label")))
      return Outcome(TImportResult::FormatError);
    TImportOutcome passed = Outcome(TImportResult::Imported);
    TADOQuery labels(&file);
    labels.SetSQL(QStringLiteral("select db_name from ct_label"));
    labels.Open();
    if (!labels.IsEmpty()) passed.Label = labels.Fields(0)->AsString();
    labels.Close();
    return passed;
  } catch (const std::exception& e) {
    return ReadFailure(e);
  }
}

// The records of the file whose unit code already exists in table, found through the
// staging table table + "_". The work runs in a transaction that is rolled back at the
// end, so the staging table is left as it was.
std::vector<TClashRecord> FindClashingRecords(TADOConnection& main, const QString& table, const QString& fileTable) {
  // The working database's tables are named with their schema, so that no table of the
  // attached file can stand in for one the working database lacks.
  const QString working = "main." + table;
  const QString staging = "main." + table + "_";
  std::vector<TClashRecord> records;
  main.BeginTrans();
  try {
    main.Execute("delete from " + staging);
    CopyRowsByName(main, staging, fileTable);
    main.Execute("delete from " + staging + " where c901 not in (select c901 from " + working + ")");
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

int CopyAllRecords(TADOConnection& main, const QString& table, const QString& fileTable) {
  main.BeginTrans();
  try {
    const int copied = CopyRowsByName(main, table, fileTable);
    main.CommitTrans();
    return copied;
  } catch (...) {
    if (main.InTransaction()) main.RollbackTrans();
    throw;
  }
}

// Copies every record of the checked copy, or none, in statements that get the copy's
// time: a failure is a clash when codes of the file exist already, else it carries
// its own reason. A file the engine cannot read in time is not searched for clashes, which
// would only read it again.
TImportOutcome CopyImportRecords(TADOConnection& main, const TExchangeFileAccess& access, const QString& password,
                                 const QString& table) {
  try {
    const TChosenFileTimeLimit limit(main, kChosenFileCopyTimeLimit);
    TAttachedFile attached(main, access.Path, access.Keyed ? password : QString());
    const QString fileTable = attached.Table(table);
    try {
      TImportOutcome outcome = Outcome(TImportResult::Imported);
      outcome.ImportedCount = CopyAllRecords(main, "main." + table, fileTable);
      return outcome;
    } catch (const std::exception& e) {
      if (UnreadableFile(e)) return ReadFailure(e);
      TImportOutcome failed = Outcome(TImportResult::Failed, ErrorText(e));
      try {
        failed.Clashes = FindClashingRecords(main, table, fileTable);
      } catch (const std::exception&) {
        failed.Clashes.clear();
      }
      if (!failed.Clashes.empty()) failed.Result = TImportResult::Clash;
      return failed;
    }
  } catch (const std::exception& e) {
    return Outcome(TImportResult::Failed, ErrorText(e));
  }
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

bool ExportOfflineDat(TADOConnection&) {
  QString label;
  if (!AskExportLabel(DatabaseLabel, label)) return false;

  FileDialogRequest request;
  request.Title = QStringLiteral("导出文件存放为");
  request.Filter = kExchangeFilter;
  request.InitialDir = PersonalFolder();
  request.FileName = OfflineExportProposedName(label, Now().date());
  const FileDialogResult answer = CurrentHooks().SaveFileDialog(request);
  if (!answer.Accepted || answer.FileName.trimmed().isEmpty()) return false;
  const QString file = DatFileName(answer.FileName);
  if (RefuseDatabaseInUse(file) || !ConfirmOverwrite(file, request.Title)) return false;

  try {
    WriteOfflineDat(file, label);
  } catch (const std::exception& e) {
    ShowMessage("运行中发生错误：" + ErrorText(e) + ",请与软件发行者联系。");
    return false;
  }
  ShowMessage("数据已经被正确导出到：'" + file + "'！");
  return true;
}

TImportOutcome ImportOfflineFile(TADOConnection& connection, const QString& file, const TImportConfirmation& confirm,
                                 const QString& table) {
  if (!QFileInfo(file).isFile()) return Outcome(TImportResult::FileMissing);

  // Everything from here reads the private copy, which goes with access on every path:
  // the file may change under its name while the question is open.
  const QString password = DatabasePassword();
  TExchangeFileAccess access;
  try {
    access = OpenExchangeFileByTrial(
        file, [&password](const QString& path, bool keyed) { return OpensAsDatabase(path, keyed ? password : QString()); });
  } catch (const std::exception& e) {
    return Outcome(TImportResult::Failed, ErrorText(e));
  }
  if (!access.Opened) return Outcome(TImportResult::FormatError);

  const TImportOutcome checked = CheckImportSource(connection, access, password, table);
  if (checked.Result != TImportResult::Imported) return checked;
  if (!confirm(checked.Label)) {
    TImportOutcome declined = Outcome(TImportResult::Declined);
    declined.Label = checked.Label;
    return declined;
  }
  TImportOutcome outcome = CopyImportRecords(connection, access, password, table);
  outcome.Label = checked.Label;
  return outcome;
}

} // namespace fw
