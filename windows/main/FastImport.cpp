#include "windows/main/FastImport.h"

#include "core/DatabaseFiles.h"
#include "core/ExchangeFile.h"
#include "core/ImportFileCheck.h"
#include "core/OfflineExchange.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/shell/ShownText.h"

namespace fw {

namespace {

constexpr int kSystemModal = 0x1000;

QString RunError(const QString& reason) { return "运行中发生错误：" + reason + "请与软件发行者联系。"; }

QString QuotedName(const QString& table) { return "\"" + table + "\""; }

bool AskToImport(const QString& label) {
  return ShowMessage("确认准备导入标记声明为【" + ShownLabel(label) + "】的数据么？", QStringLiteral("提示："),
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | kSystemModal) == IDYES;
}

// The report of the clashing codes, opened for the person; the message names it.
void ReportClash(std::vector<TClashRecord> clashes) {
  QString report;
  try {
    report = WriteImportClashReport(PersonalFolder(), std::move(clashes));
  } catch (const std::exception& e) {
    ShowMessage(RunError(ErrorText(e)));
    return;
  }
  OpenWithDefaultProgram(report);
  ShowMessage(ImportClashMessage(report));
}

void ShowOutcome(TImportOutcome outcome, const QString& chosen, const QString& table) {
  switch (outcome.Result) {
  case TImportResult::Imported:
    ShowMessage("数据已经被正确地从'" + chosen + "'导入！");
    break;
  case TImportResult::Declined:
    break;
  case TImportResult::FileMissing:
    ShowMessage(QStringLiteral("您选择的文件并不存在，请选择其它文件。"));
    break;
  case TImportResult::FormatError:
    ShowMessage(kFileFormatErrorMessage);
    break;
  case TImportResult::NoTableInFile:
    ShowMessage("您选择的文件中不存在名字为" + QuotedName(table) + "的数据表");
    break;
  case TImportResult::NoTableInSystem:
    ShowMessage("系统中不存在名字为" + QuotedName(table) + "的数据表");
    break;
  case TImportResult::Clash:
    ReportClash(std::move(outcome.Clashes));
    break;
  case TImportResult::Failed:
    ShowMessage(RunError(outcome.Error));
    break;
  }
}

} // namespace

bool FastImportDat(TADOConnection& connection, const QString& table) {
  FileDialogRequest request;
  request.Title = QStringLiteral("选择导入文件");
  request.Filter = QStringLiteral("数据加密文件(*.dat)|*.dat|数据备份文件(*.mdb)|*.mdb");
  request.InitialDir = PersonalFolder();
  const FileDialogResult answer = CurrentHooks().OpenFileDialog(request);
  if (!answer.Accepted || answer.FileName.trimmed().isEmpty()) return true;
  const QString file = ImportFileName(answer.FileName, answer.FilterIndex);

  TImportOutcome outcome = ImportOfflineFile(connection, file, AskToImport, table);
  const bool declined = outcome.Result == TImportResult::Declined;
  ShowOutcome(std::move(outcome), file, table);
  return !declined;
}

} // namespace fw
