#pragma once
// TMainData: the main window's connection to the working database and the named data
// sets that every window shares with it. The main window owns the one instance; a dialog
// includes this header, never the main window's, and reaches it through MainData().
//
// The members are made in the order they are declared and go the other way round: the
// data source before the data sets, the data sets before the connection.

#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/AdoTable.h"
#include "platform/db/DataSource.h"

#include <memory>

namespace fw {

// The record list's statement.
inline const QString kReportQuerySql = QStringLiteral("SELECT *  from view_data order by c901 asc");

class TMainData {
public:
  TMainData();
  ~TMainData();
  TMainData(const TMainData&) = delete;
  TMainData& operator=(const TMainData&) = delete;

  const std::unique_ptr<TADOConnection> SysADOConnection;
  // Scratch query: the label, counts, rule evaluation, the scopes of checks.
  const std::unique_ptr<TADOQuery> AppQuery;
  // The rows of dt_logic for the page rules.
  const std::unique_ptr<TADOQuery> ToolQuery;
  // DT_FieldList, for the hints of fields in rule messages.
  const std::unique_ptr<TADOQuery> KeyQuery;
  // dt_fieldlist in sequence order: the field descriptors.
  const std::unique_ptr<TADOTable> AppFieldData;
  // The record list over view_data.
  const std::unique_ptr<TADOQuery> ReportQuery;
  // Links the record list to ReportQuery.
  const std::unique_ptr<TDataSource> DataSource1;
};

// The main window's data (the first TMainData made that still exists); nullptr while
// there is none.
TMainData* MainData();

// The connection a dialog works on: the one it was given, else the main data's (nullptr
// when there is neither).
TADOConnection* ConnectionOrProgram(TADOConnection* given);

} // namespace fw
