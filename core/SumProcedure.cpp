#include "core/SumProcedure.h"

#include "core/SheetValue.h"
#include "core/SummaryDefs.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/shell/ShownText.h"
#include "platform/sheet/SheetApplication.h"

#include <QRegularExpression>
#include <memory>

namespace fw {

namespace {

// The server of the summary run: created by the first sheet, released when shown.
std::unique_ptr<TSheetApplication> SumServer;

constexpr int kTargetRow = 9;

const QString& OpenFailedMessage() {
  static const QString text = QStringLiteral("打开汇总模版文件时发生错误，可能是没有安装MS Office或者WPS Office中的Excel");
  return text;
}

// Writes the columns of the query's current row into row 9: column 0 (the row's name) to
// column A, column 1 (the grouping value or the item number) left out, column j to
// column j, numbers as numbers. One step of the second bar per cell.
void WriteRow(TWorksheet& sheet, const TDataSet& query, ITwoBarProgress& progress) {
  for (int j = 0; j < query.FieldCount(); ++j) {
    if (j == 1) continue;
    sheet.Cells(kTargetRow, j == 0 ? 1 : j).SetValue(SheetCellValue(query.Fields(j)->AsVariant()));
    progress.IncSecond();
  }
}

void LeftAlignNames(TWorksheet& sheet, int rows) {
  sheet.Columns(1).EntireColumn().AutoFit();
  sheet.Range(QStringLiteral("A%1:A%2").arg(kTargetRow).arg(rows + kTargetRow - 1)).SetHorizontalAlignment(xlLeft);
}

// Modes 0 and 1: one grouped query, one row per code of the code table (the left join
// keeps the codes without records).
void FillByCode(TADOConnection& connection, ITwoBarProgress& progress, TWorksheet& sheet, const QString& list,
                const QString& codeTable, const QString& codeColumn) {
  TADOQuery query(&connection);
  query.SetSQL(QStringLiteral("select code.name,sum_table.*  from %1 code left join (select %2,").arg(codeTable, codeColumn) +
               list + QStringLiteral(" group by %1) sum_table").arg(codeColumn) +
               QStringLiteral(" on code.id = sum_table.%1 order by code.sequence desc").arg(codeColumn));
  query.Open();
  progress.InitSecond(query.RecordCount() * query.FieldCount());
  int k = 0;
  for (query.First(); !query.Eof(); query.Next()) {
    if (++k > 1) sheet.Cells(kTargetRow, 2).EntireRow().Insert();
    WriteRow(sheet, query, progress);
  }
  LeftAlignNames(sheet, k);
}

// A group's item order as stored. Only a plain ordering (column names with ASC or DESC)
// is taken: the text comes from the database and group files, and is placed into SQL.
QString GroupOrder(TADOConnection& connection, int groupId) {
  TADOQuery query(&connection);
  query.SetSQL(QStringLiteral("select orderstr from ct_group where id=:id"));
  query.ParamByName(QStringLiteral("id")).SetValue(groupId);
  query.Open();
  const QString order = query.IsEmpty() ? QString() : query.Fields(0)->AsString().trimmed();
  static const QRegularExpression plain(QStringLiteral(R"(^[A-Za-z_]\w*(\s+(asc|desc))?(\s*,\s*[A-Za-z_]\w*(\s+(asc|desc))?)*$)"),
                                        QRegularExpression::CaseInsensitiveOption);
  return plain.match(order).hasMatch() ? order : QStringLiteral("id ASC");
}

// A bound of a group item ("c901" + bound): a comparison and a number, nothing else.
QString CheckedBound(const QString& bound, const QString& title) {
  static const QRegularExpression valid(QStringLiteral(R"(^\s*(<=|>=|<>|<|>|=)\s*[+-]?\d+(\.\d+)?\s*$)"));
  if (!valid.match(bound).hasMatch())
    throw EDatabaseError(QStringLiteral("分组项“%1”的统计编码范围“%2”无效。").arg(ShownLabel(title), ShownLabel(bound)));
  return bound.trimmed();
}

// Mode 2: one query per item, each giving one row.
void FillByGroup(TADOConnection& connection, ITwoBarProgress& progress, TWorksheet& sheet, int sheetNo,
                 const QString& list, int groupId) {
  const QString order = InvertOrder(GroupOrder(connection, groupId));
  TADOQuery items(&connection);
  items.SetSQL(groupId == 0 ? QStringLiteral("select * from view_group_item order by ") + order
                            : QStringLiteral("select * from view_group_item where groupid=%1 order by ").arg(groupId) +
                                  order);
  items.Open();
  // The cells written per item: the name and the sheet's result columns.
  progress.InitSecond(items.RecordCount() * (SummaryColumnCount(sheetNo) + 1));
  TADOQuery sums(&connection);
  int k = 0;
  for (items.First(); !items.Eof(); items.Next()) {
    ++k;
    const QString title = items.FieldByName(QStringLiteral("Title"))->AsString();
    const QString low = CheckedBound(items.FieldByName(QStringLiteral("LowValue"))->AsString(), title);
    const QString high = CheckedBound(items.FieldByName(QStringLiteral("HighValue"))->AsString(), title);
    sums.SetSQL(QStringLiteral(" select :ItemName as ItemName,%1 as sid,").arg(k) + list + QStringLiteral(" and c901") +
                low + QStringLiteral(" and c901") + high);
    sums.ParamByName(QStringLiteral("ItemName")).SetValue(title);
    sums.Open();
    if (k > 1) sheet.Cells(kTargetRow, 2).EntireRow().Insert();
    WriteRow(sheet, sums, progress);
    sums.Close();
    LeftAlignNames(sheet, 1);
  }
}

// Fills one sheet of the open summary workbook.
void FillSummarySheet(TADOConnection& connection, ITwoBarProgress& progress, int sheetNo, int mode, int groupId) {
  SumServer->Workbooks(1).Activate();
  SumServer->ActiveWorkbook().Sheets(sheetNo).Select();
  TWorksheet& sheet = SumServer->ActiveWorkbook().Worksheets(sheetNo);
  const QString caption = SummaryModeCaption(mode);
  if (sheet.Cells(2, 1).IsEmpty())
    sheet.Cells(2, 1).SetValue(caption);
  else
    sheet.Cells(3, 1).SetValue(caption);

  const QString list = SummarySelectList(sheetNo);
  switch (mode) {
  case smLevels:
    FillByCode(connection, progress, sheet, list, QStringLiteral("CT_LevelCode"), QStringLiteral("c904"));
    break;
  case smStates:
    FillByCode(connection, progress, sheet, list, QStringLiteral("ct_state"), QStringLiteral("c907"));
    break;
  default:
    FillByGroup(connection, progress, sheet, sheetNo, list, groupId);
    break;
  }
}

} // namespace

QString SummaryModeCaption(int mode) {
  switch (mode) {
  case smLevels:
    return QStringLiteral("工会层次");
  case smStates:
    return QStringLiteral("填报状态");
  case smGroup:
    return QStringLiteral("分    组");
  }
  return QString();
}

QString InvertOrder(const QString& orderstr) {
  QString order = orderstr;
  if (order.contains(QLatin1String("DESC"), Qt::CaseSensitive)) {
    order.replace(order.indexOf(QLatin1String("desc"), 0, Qt::CaseInsensitive), 4, QStringLiteral("asc"));
  } else if (order.contains(QLatin1String("ASC"), Qt::CaseSensitive)) {
    order.replace(order.indexOf(QLatin1String("asc"), 0, Qt::CaseInsensitive), 3, QStringLiteral("desc"));
  }
  return order;
}

bool OpenSummaryWorkbook() {
  if (SumServer) return true;
  try {
    std::unique_ptr<TSheetApplication> app;
    try {
      app = CreateOleObject(QStringLiteral("Excel.Application"));
    } catch (const ESheetError&) {
      app = CreateOleObject(QStringLiteral("et.Application"));
    }
    app->Workbooks().Open(ProgramFile(QString::fromUtf8(kSummaryTemplateName)));
    SumServer = std::move(app);
    return true;
  } catch (const ESheetError&) {
    ShowMessage(OpenFailedMessage());
    return false;
  }
}

void BuildSummaryWorkbook(TADOConnection& connection, ITwoBarProgress& progress, int sheetNo, int mode,
                          int groupId) {
  if (sheetNo < kFirstSummarySheet || sheetNo > kLastSummarySheet) return;
  if (mode < smLevels || mode > smGroup) return;
  InitSummaryDefs();
  if (!OpenSummaryWorkbook()) return;
  try {
    FillSummarySheet(connection, progress, sheetNo, mode, groupId);
  } catch (...) {
    // A half-filled workbook is no summary: the next run starts afresh.
    SumServer.reset();
    throw;
  }
}

void ShowSummaryWorkbook() {
  const std::unique_ptr<TSheetApplication> app = std::move(SumServer);
  if (app) app->SetVisible(true);
}

TSheetApplication* SummaryServer() { return SumServer.get(); }

void DiscardSummaryWorkbook() { SumServer.reset(); }

} // namespace fw
