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
#include "windows/shared/ProgressBarForm.h"

namespace fw {

IProgress& TMainForm::Progress() { return ProgramProgress(); }

void TMainForm::WireExchangeActions() {
  actFastImport->OnExecute = [this](TBasicAction*) {
    if (FastImportDat(*data_.SysADOConnection)) RequeryAtBookmark();
  };
  actExport->OnExecute = [this](TBasicAction*) {
    if (!ExportRefused()) ExportOfflineDat(*data_.SysADOConnection);
  };
  UploadItem->OnClick = [this](TObject*) { ExportUploadFile(*data_.SysADOConnection, Progress()); };
  actBackup->OnExecute = [this](TBasicAction*) {
    reopenAtFirst_ = false;
    BackupDatabase(*data_.SysADOConnection, *this);
  };
  actCompress->OnExecute = [this](TBasicAction*) {
    reopenAtFirst_ = true;
    CompactWorkingDatabase(*data_.SysADOConnection, *this);
  };
  actPrint->OnExecute = [this](TBasicAction*) {
    if (ListHasRecords()) PrintSurveyRecord(*data_.SysADOConnection, *data_.ReportQuery, Progress());
  };
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
