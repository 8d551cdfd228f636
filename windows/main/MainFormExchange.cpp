// TMainForm: the actions that exchange files and maintain the working database — the
// offline file's export and import, the upload file, backup, compaction — and printing
// the current record. The work itself lies in the core; the window keeps its list.

#include "core/OfflineExchange.h"
#include "core/PrintRecord.h"
#include "core/Progress.h"
#include "core/UploadExport.h"
#include "controls/navigation/FwGroupItem.h"
#include "platform/ui/Action.h"
#include "windows/main/FastImport.h"
#include "windows/main/MainForm.h"
#include "windows/shared/GridProcedures.h"
#include "windows/shared/ProgressBarForm.h"

namespace fw {

IProgress& TMainForm::Progress() { return ProgramProgress(); }

void TMainForm::WireExchangeActions() {
  actFastImport->OnExecute = [this](TBasicAction* a) { actFastImportExecute(a); };
  actExport->OnExecute = [this](TBasicAction* a) { actExportExecute(a); };
  UploadItem->OnClick = [this](TObject* sender) { actExportCSVExecute(sender); };
  actBackup->OnExecute = [this](TBasicAction* a) { actBackupExecute(a); };
  actCompress->OnExecute = [this](TBasicAction* a) { actCompressExecute(a); };
  actPrint->OnExecute = [this](TBasicAction* a) { actPrintExecute(a); };
}

void TMainForm::actFastImportExecute(TObject*) {
  if (FastImportDat(*data_.SysADOConnection)) RequeryKeepingPlace(*data_.ReportQuery);
}

void TMainForm::actExportExecute(TObject*) {
  if (!ExportRefused()) ExportOfflineDat(*data_.SysADOConnection);
}

void TMainForm::actExportCSVExecute(TObject*) { ExportUploadFile(*data_.SysADOConnection, Progress()); }

void TMainForm::actBackupExecute(TObject*) {
  reopenAtFirst_ = false;
  BackupDatabase(*data_.SysADOConnection, *this);
}

void TMainForm::actCompressExecute(TObject*) {
  reopenAtFirst_ = true;
  CompactWorkingDatabase(*data_.SysADOConnection, *this, &databaseLock_);
}

void TMainForm::actPrintExecute(TObject*) {
  if (ListHasRecords()) PrintSurveyRecord(*data_.SysADOConnection, *data_.ReportQuery, Progress());
}

void TMainForm::MainConnectionClosing() {
  reopenBookmark_ = data_.ReportQuery->Active() ? data_.ReportQuery->GetBookmark() : TBookmark();
}

void TMainForm::MainConnectionReopened() {
  TADOQuery& list = *data_.ReportQuery;
  list.Open();
  if (!reopenAtFirst_ && list.BookmarkValid(reopenBookmark_)) list.GotoBookmark(reopenBookmark_);
  list.FreeBookmark(reopenBookmark_);
  reopenBookmark_ = TBookmark();
}

} // namespace fw
