#include "core/PrintRecord.h"

#include "core/SheetValue.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/sheet/SheetApplication.h"

#include <cmath>
#include <memory>

namespace fw {

namespace {

// Creates the server of progId and opens the template; nullptr when either fails.
std::unique_ptr<TSheetApplication> OpenPrintTemplate(const QString& progId) {
  try {
    std::unique_ptr<TSheetApplication> app = CreateOleObject(progId);
    app->Workbooks().Open(ProgramFile(QString::fromUtf8(kPrintTemplateName)));
    return app;
  } catch (const ESheetError&) {
    return nullptr;
  }
}

// Writes the record's values of one page's fields into the active sheet, numbers as numbers.
void FillPage(TADOConnection& connection, TSheetApplication& app, const TDataSet& record, int page) {
  app.ActiveWorkbook().Sheets(page).Select();
  TADOQuery fields(&connection);
  fields.SetSQL(QStringLiteral("select * from dt_fieldlist where printPageID=%1").arg(page));
  fields.Open();
  TField* name = fields.FieldByName(QStringLiteral("Fieldname"));
  TField* place = fields.FieldByName(QStringLiteral("printplace"));
  for (fields.First(); !fields.Eof(); fields.Next()) {
    const QVariant value = SheetCellValue(record.FieldByName(name->AsString())->AsVariant());
    app.ActiveSheet().Range(place->AsString().trimmed()).SetValue(value);
  }
}

// Fills the opened template with the record's pages and shows it with sheet 1 active.
// The fallback server fits the first four columns of the last filled sheet.
void FillAndShow(TADOConnection& connection, TSheetApplication& app, double c901, IProgress& progress,
                 bool fitColumns) {
  app.Workbooks(1).Activate();

  TADOQuery record(&connection);
  record.SetSQL(QStringLiteral("select * from view_data where c901=:c901"));
  record.ParamByName(QStringLiteral("c901")).SetValue(static_cast<qlonglong>(std::llround(c901)));
  record.Open();
  if (record.IsEmpty())
    throw EDatabaseError(QStringLiteral("统计编码为%1的记录不存在，无法打印。").arg(static_cast<qlonglong>(std::llround(c901))));

  TADOQuery pages(&connection);
  pages.SetSQL(QStringLiteral("select distinct printPageID from dt_fieldlist where pageid>=0 order by printPageID"));
  pages.Open();
  {
    TProgressShown shown(progress, QStringLiteral("打印选中记录的年报表"));
    progress.StartProgress(pages.RecordCount(), 0);
    for (pages.First(); !pages.Eof(); pages.Next()) {
      FillPage(connection, app, record, pages.Fields(0)->AsInteger());
      progress.StepProgress();
    }
    if (fitColumns && !pages.IsEmpty())
      for (int col = 1; col <= 4; ++col) app.ActiveSheet().Columns(col).EntireColumn().AutoFit();
  }
  app.ActiveWorkbook().Worksheets(1).Activate();
  app.SetVisible(true);
}

} // namespace

bool PrintSurveyRecord(TADOConnection& connection, double c901, IProgress& progress) {
  std::unique_ptr<TSheetApplication> app = OpenPrintTemplate(QStringLiteral("Excel.Application"));
  if (!app) return PrintRecordViaEt(connection, c901, progress);
  FillAndShow(connection, *app, c901, progress, false);
  return true;
}

bool PrintRecordViaEt(TADOConnection& connection, double c901, IProgress& progress) {
  std::unique_ptr<TSheetApplication> app = OpenPrintTemplate(QStringLiteral("et.Application"));
  if (!app) {
    ShowMessage(QStringLiteral("打开汇总模版文件时发生错误，可能是没有安装MS Office或wps Office中的Excel"));
    return false;
  }
  FillAndShow(connection, *app, c901, progress, true);
  return true;
}

bool PrintSurveyRecord(TADOConnection& connection, const TDataSet& records, IProgress& progress) {
  return PrintSurveyRecord(connection, records.FieldByName(QStringLiteral("c901"))->AsFloat(), progress);
}

} // namespace fw
