#include "core/GroupFiles.h"

#include "core/ChosenFileCopy.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseOpening.h"
#include "core/ExchangeFile.h"
#include "core/ImportFileCheck.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "core/SiblingTempFile.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/DbError.h"
#include "platform/db/Schema.h"
#include "platform/shell/ExistingFile.h"
#include "platform/shell/FileLock.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

namespace fw {

namespace {

const QString kGroupExportTitle = QStringLiteral("导出文件存放为");

void OpenPlain(TADOConnection& connection, const QString& file) {
  connection.SetLoginPrompt(false);
  connection.SetConnectionString(JetConnectionString(file, QStringLiteral("Persist Security Info=False;")));
  connection.Open();
}

// The file chosen in a group-file dialog, or empty when the person cancelled. A group
// file takes the backup's rule: ".mdb" is added to a name longer than 4 characters.
QString ChooseGroupFile(bool saving) {
  FileDialogRequest request;
  request.Title = saving ? kGroupExportTitle : QStringLiteral("选择导入文件");
  request.Filter = kGroupFileFilter;
  request.InitialDir = PersonalFolder();
  const FileDialogResult answer = saving ? CurrentHooks().SaveFileDialog(request) : CurrentHooks().OpenFileDialog(request);
  if (!answer.Accepted || answer.FileName.trimmed().isEmpty()) return QString();
  return BackupFileName(answer.FileName);
}

// A database the program has open is never a group file: writing one would replace the
// file under its connection, reading one would copy the tables onto themselves. `isUsed`
// tells whether the chosen file is the one a name of inUse leads to.
bool RefuseFileInUse(const std::function<bool(const QString&)>& isUsed, const QStringList& inUse) {
  for (const QString& used : inUse) {
    if (!used.isEmpty() && isUsed(used)) {
      ShowMessage(kGroupFileInUseMessage);
      return true;
    }
  }
  return false;
}

bool RefuseFileInUse(const QString& file, const QStringList& inUse) {
  return RefuseFileInUse([&file](const QString& used) { return SameFile(file, used); }, inUse);
}

// The existing file to export into, as it stands after the question, judged on the file
// opened once: not a database in use, nor a link, nor a file that is no plain database
// (an encrypted backup, say: its tables cannot be reached, and it is left as it is).
bool RefuseExportTarget(const TExistingFile& target, const QStringList& inUse) {
  if (RefuseFileInUse([&target](const QString& used) { return target.IsFile(used); }, inUse) ||
      RefuseExistingTarget(target))
    return true;
  if (target.Kind() != TExistingFile::TKind::PlainFile ||
      JudgeChosenHeader(target.Head(kSmallestDatabaseFile)) == TChosenHeader::Plain)
    return false;
  ShowMessage(kGroupFileNotWritableMessage.arg(QDir::toNativeSeparators(target.Path())), QString(),
              MB_OK | MB_ICONWARNING);
  return true;
}

// Fills a working copy of file (a copy of the existing file, else an empty database)
// with the tables of sourceFile, then moves it into place.
void WriteGroupFile(const QString& sourceFile, const QStringList& tables, const TExistingFile& file,
                    IProgress& progress) {
  TSiblingTempFile temp(file.Path());
  if (file.Kind() == TExistingFile::TKind::PlainFile) temp.CopyFrom(file);
  temp.Fill([&](const QString& path) {
    TADOConnection out;
    // An existing file is judged before any of its tables is dropped.
    OpenChosenTarget(out, path);
    {
      TAttachedFile source(out, sourceFile);
      TProgressShown shown(progress, QStringLiteral("导出分组数据..."));
      progress.StartProgress(static_cast<int>(tables.size()), 0);
      progress.StepProgress();
      for (const QString& table : tables) {
        if (HasTable(out, table)) {
          try {
            out.Execute("drop table " + table);
          } catch (const EDatabaseError&) {
            // The copy below fails with the reason when the table is still there.
          }
        }
        out.Execute("SELECT * into " + table + " from " + source.Table(table));
        progress.StepProgress();
      }
    }
    out.Close();
  });
  temp.MoveIntoPlace();
}

// What the checks found in a chosen group file.
struct TGroupFileCheck {
  enum class TVerdict { Usable, MissingTable, NotPlainTables };
  TVerdict Verdict = TVerdict::Usable;
  QString Table;  // the missing one
};

// Judges the private copy of the file: it must be a plain database (a refused file gave no
// copy), and on a read-only connection of its own whose statements have a few seconds at
// most, it must declare no virtual table and pass the engine's quick check, and from its
// schema alone each of the tables, in order, must be there and be a real table. A view
// standing in for one would run on the working connection, a virtual table reach the
// engine's modules. A file whose schema the engine finds damaged is not a group file.
TGroupFileCheck CheckGroupFile(const TChosenFileCopy& copy, const QStringList& tables) {
  const TGroupFileCheck notPlain{TGroupFileCheck::TVerdict::NotPlainTables, QString()};
  if (copy.Header != TChosenHeader::Plain) return notPlain;
  try {
    TADOConnection chosen;
    OpenChosenFile(chosen, copy.Path, QString());
    if (!IsSoundFile(chosen)) return notPlain;
    for (const QString& table : tables) {
      switch (SchemaObjectKind(chosen, table)) {
      case TSchemaObjectKind::Table:
        break;
      case TSchemaObjectKind::Missing:
        return {TGroupFileCheck::TVerdict::MissingTable, table};
      default:
        return notPlain;
      }
    }
  } catch (const EDatabaseError& e) {
    if (e.Damaged()) return notPlain;
    throw;
  }
  return {};
}

// Replaces every table's rows with the file's, copied by column name, in one
// transaction; the file is attached before the transaction begins.
void ReplaceGroupTables(TADOConnection& connection, const QStringList& tables, const QString& file,
                        IProgress& progress) {
  const TChosenFileTimeLimit limit(connection);
  TAttachedFile attached(connection, file);
  TProgressShown shown(progress, QStringLiteral("导入分组数据..."));
  progress.StartProgress(static_cast<int>(tables.size()), 0);
  progress.StepProgress();
  connection.BeginTrans();
  try {
    for (const QString& table : tables) {
      connection.Execute("delete from " + table);
      CopyRowsByName(connection, table, attached.Table(table));
      progress.StepProgress();
    }
    connection.CommitTrans();
  } catch (...) {
    if (connection.InTransaction()) connection.RollbackTrans();
    throw;
  }
}

} // namespace

QString MissingGroupTableMessage(const QString& table) {
  return "您选择的文件中不存在名字为\"" + table + "\"的数据表";
}

bool ExportGroupTables(const QString& sourceFile, const QStringList& tables, IProgress& progress) {
  try {
    TADOConnection source;
    OpenPlain(source, sourceFile);
  } catch (const std::exception& e) {
    ShowMessage(PublisherErrorText(ErrorText(e)));
    return false;
  }
  const QString file = ChooseGroupFile(true);
  const QStringList inUse = {sourceFile, DatabasePath};
  if (file.isEmpty() || RefuseFileInUse(file, inUse) || RefuseDatabaseInUse(file) ||
      !ConfirmOverwrite(file, kGroupExportTitle))
    return false;
  // The file as it is now, after the question: only what was judged is read.
  const TExistingFile existing(file);
  if (RefuseExportTarget(existing, inUse)) return false;
  try {
    WriteGroupFile(sourceFile, tables, existing, progress);
  } catch (const std::exception& e) {
    ShowMessage(PublisherErrorText(ErrorText(e)));
    return false;
  }
  ShowMessage("数据已经被正确导出到：'" + file + "'！");
  return true;
}

bool ImportGroupTables(TADOConnection& connection, const QStringList& tables, IProgress& progress) {
  const QString file = ChooseGroupFile(false);
  if (file.isEmpty()) return false;
  if (!QFileInfo(file).isFile()) {
    ShowMessage(QStringLiteral("您选择的文件并不存在，请选择其它文件。"));
    return false;
  }
  if (RefuseFileInUse(file, {connection.FileName(), DatabasePath})) return false;
  try {
    // The file is read once, into a private copy: what is checked is what is copied.
    const TChosenFileCopy copy = CopyChosenFile(file);
    const TGroupFileCheck check = CheckGroupFile(copy, tables);
    if (check.Verdict == TGroupFileCheck::TVerdict::MissingTable) {
      ShowMessage(MissingGroupTableMessage(check.Table));
      return false;
    }
    if (check.Verdict == TGroupFileCheck::TVerdict::NotPlainTables) {
      ShowMessage(kFileFormatErrorMessage);
      return false;
    }
    ReplaceGroupTables(connection, tables, copy.Path, progress);
  } catch (const std::exception& e) {
    ShowMessage(PublisherErrorText(ErrorText(e)));
    return false;
  }
  ShowMessage(kGroupImportDoneMessage);
  return true;
}

} // namespace fw
