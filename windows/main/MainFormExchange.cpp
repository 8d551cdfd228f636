// TMainForm: the actions that exchange files and maintain the working database — the
// offline file's export and import, the upload file, backup, compaction — and printing
// the current record. The work itself lies in the core; the window keeps its list.

#include "core/OfflineExchange.h"
#include "core/PrintRecord.h"
#include "core/Progress.h"
#include "core/UploadExport.h"
#include "controls/navigation/FwGroupItem.h"
#include "platform/ui/Action.h"
#include "windows/main/MainForm.h"
#include "windows/shared/ProgressBarForm.h"

namespace fw {

IProgress& TMainForm::Progress() { return ProgressWindow(); }

void TMainForm::WireExchangeActions() {
  actFastImport->OnExecute = [this](TBasicAction*) {
    if (FastImportDat(*SysADOConnection)) RequeryAtBookmark();
  };
  actExport->OnExecute = [this](TBasicAction*) {
    if (!ExportRefused()) ExportOfflineDat(*SysADOConnection);
  };
  UploadItem->OnClick = [this](TObject*) { ExportUploadFile(*SysADOConnection, Progress()); };
  actBackup->OnExecute = [this](TBasicAction*) {
    reopenAtFirst_ = false;
    BackupDatabase(*SysADOConnection, *this);
  };
  actCompress->OnExecute = [this](TBasicAction*) {
    reopenAtFirst_ = true;
    CompactWorkingDatabase(*SysADOConnection, *this);
  };
  actPrint->OnExecute = [this](TBasicAction*) {
    if (ListHasRecords()) PrintSurveyRecord(*SysADOConnection, *ReportQuery, Progress());
  };
}

void TMainForm::MainConnectionClosing() {
  reopenBookmark_ = ReportQuery->Active() ? ReportQuery->GetBookmark() : TBookmark();
}

void TMainForm::MainConnectionReopened() {
  ReportQuery->Open();
  if (!reopenAtFirst_ && ReportQuery->BookmarkValid(reopenBookmark_)) ReportQuery->GotoBookmark(reopenBookmark_);
  ReportQuery->FreeBookmark(reopenBookmark_);
  reopenBookmark_ = TBookmark();
}

} // namespace fw
