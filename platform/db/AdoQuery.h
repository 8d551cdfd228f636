#pragma once
// A data set over SQL text, with ":Name" parameters bound as SQLite parameters.

#include "platform/db/DataSet.h"
#include "platform/db/Parameters.h"
#include "platform/db/SqlText.h"

namespace fw {

class TADOQuery : public TDataSet {
public:
  explicit TADOQuery(TADOConnection* connection = nullptr);

  // Changing the text closes the query and rebuilds the parameter list.
  TSqlText& SQL() { return sql_; }
  const TSqlText& SQL() const { return sql_; }
  void SetSQL(const QString& text) { sql_.SetText(text); }

  TParameters& Parameters() { return parameters_; }
  TParameter& ParamByName(const QString& name) { return parameters_.ParamByName(name); }

  // Runs the text as a statement; returns the rows inserted, changed or deleted.
  int ExecSQL();
  int RowsAffected() const { return rowsAffected_; }

protected:
  QString CommandText() const override { return sql_.Text(); }
  void BindParameters(sqlite3_stmt* stmt) const override { parameters_.Bind(stmt); }

private:
  TSqlText sql_;
  TParameters parameters_;
  int rowsAffected_ = 0;
};

} // namespace fw
