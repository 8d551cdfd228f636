#include "windows/main/MainData.h"

namespace fw {

namespace {
TMainData* g_mainData = nullptr;
} // namespace

TMainData::TMainData()
    : SysADOConnection(std::make_unique<TADOConnection>()),
      AppQuery(std::make_unique<TADOQuery>(SysADOConnection.get())),
      ToolQuery(std::make_unique<TADOQuery>(SysADOConnection.get())),
      KeyQuery(std::make_unique<TADOQuery>(SysADOConnection.get())),
      AppFieldData(std::make_unique<TADOTable>(SysADOConnection.get())),
      ReportQuery(std::make_unique<TADOQuery>(SysADOConnection.get())),
      DataSource1(std::make_unique<TDataSource>(ReportQuery.get())) {
  SysADOConnection->SetLoginPrompt(false);
  AppFieldData->SetTableName(QStringLiteral("dt_fieldlist"));
  AppFieldData->SetIndexFieldNames(QStringLiteral("sequence"));
  ReportQuery->SetSQL(kReportQuerySql);
  if (!g_mainData) g_mainData = this;
}

TMainData::~TMainData() {
  if (g_mainData == this) g_mainData = nullptr;
}

TMainData* MainData() { return g_mainData; }

TADOConnection* ConnectionOrProgram(TADOConnection* given) {
  if (given) return given;
  return g_mainData ? g_mainData->SysADOConnection.get() : nullptr;
}

} // namespace fw
