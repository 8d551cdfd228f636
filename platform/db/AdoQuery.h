#pragma once
// A data set over SQL text, with ":Name" parameters bound as SQLite parameters.

#include "platform/db/DataSet.h"
#include "platform/db/Parameters.h"
#include "platform/db/SqlText.h"

#include <memory>

namespace fw {

class TSqlStatement;

class TADOQuery : public TDataSet {
public:
  explicit TADOQuery(TADOConnection* connection = nullptr);
  ~TADOQuery() override;

  // Changing the text closes the query and rebuilds the parameter list.
  TSqlText& SQL() { return sql_; }
  const TSqlText& SQL() const { return sql_; }
  void SetSQL(const QString& text) { sql_.SetText(text); }

  TParameters& Parameters() { return parameters_; }
  TParameter& ParamByName(const QString& name) { return parameters_.ParamByName(name); }

  // Runs the text as a statement; returns the rows inserted, changed or deleted. A
  // plain single statement stays prepared, so a loop that changes only parameter
  // values and calls ExecSQL again does not parse the text again.
  int ExecSQL();
  int RowsAffected() const { return rowsAffected_; }

protected:
  QString CommandText() const override { return sql_.Text(); }
  void BindParameters(sqlite3_stmt* stmt) const override { parameters_.Bind(stmt); }
  void ReleaseStatements() override;

private:
  std::unique_ptr<TSqlStatement> prepared_;
  TSqlText sql_;
  TParameters parameters_;
  int rowsAffected_ = 0;
};

} // namespace fw
