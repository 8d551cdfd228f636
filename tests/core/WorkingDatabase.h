#pragma once
// A private working database for the exchange tests: a temporary copy of the program
// folder whose "2014NB_qz.mdb" is open on a connection, made the program's database
// (ProgramFolder, DatabasePath) while the test runs, with helpers to fill and read dt_data.

#include "core/DatabaseMaintenance.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "tests/support/TestSupport.h"

#include <QVariant>
#include <cstdint>
#include <vector>

namespace fwtest {

struct TestRecord {
  std::int64_t Code = 0;
  QString Name;
  int State = 1;
  int Members = 0;   // z001
  double Amount = 0; // b004, an amount
};

class WorkingDatabase {
public:
  WorkingDatabase() { Activate(); }

  // Makes this copy the program folder and the open database of the program.
  void Activate() {
    fw::SetProgramFolder(Folder.Path());
    fw::DatabasePath = Path();
    fw::DatabaseLabel = fw::kDefaultDatabaseLabel;
    if (!Connection.Connected()) {
      Connection.SetConnectionString(fw::WorkingConnectionString(Path()));
      Connection.Open();
    }
  }

  QString Path() const { return Folder.FilePath(QString::fromLatin1(fw::kDefaultDatabaseName)); }

  void Add(const std::vector<TestRecord>& records) {
    Connection.BeginTrans();
    for (const TestRecord& r : records)
      Connection.Execute(QStringLiteral("insert into dt_data (c901, c902, RecordState, z001, b004) values (?, ?, ?, ?, ?)"),
                         QVariantList{QVariant::fromValue<qint64>(r.Code), r.Name, r.State, r.Members, r.Amount});
    Connection.CommitTrans();
  }

  // Every row of a table, whole, in order of c901.
  std::vector<QVariantList> Rows(const QString& table = QStringLiteral("dt_data")) {
    fw::TADOQuery query(&Connection);
    query.SetSQL("select * from " + table + " order by c901");
    query.Open();
    std::vector<QVariantList> rows;
    for (; !query.Eof(); query.Next()) {
      QVariantList row;
      for (int i = 0; i < query.FieldCount(); ++i) row << query.Fields(i)->AsVariant();
      rows.push_back(row);
    }
    return rows;
  }

  std::vector<QVariantList> RowsWithState(int state) {
    std::vector<QVariantList> all = Rows(), kept;
    const int column = StateColumn();
    for (const QVariantList& row : all)
      if (row[column].toInt() == state) kept.push_back(row);
    return kept;
  }

  int StateColumn() {
    fw::TADOQuery query(&Connection);
    query.SetSQL(QStringLiteral("select * from dt_data where 1=0"));
    query.Open();
    return static_cast<int>(query.FieldNames().indexOf(QStringLiteral("RecordState")));
  }

  ProgramFolderCopy Folder;
  fw::TADOConnection Connection;
};

} // namespace fwtest
