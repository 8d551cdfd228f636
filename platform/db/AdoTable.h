#pragma once
// A data set over one whole table, optionally ordered by IndexFieldNames ("a;b").

#include "platform/db/DataSet.h"

namespace fw {

class TADOTable : public TDataSet {
public:
  explicit TADOTable(TADOConnection* connection = nullptr) : TDataSet(connection) {}

  QString TableName() const { return tableName_; }
  void SetTableName(const QString& name);
  QString IndexFieldNames() const { return indexFieldNames_; }
  void SetIndexFieldNames(const QString& fields);  // an open table is re-sorted at once

protected:
  QString CommandText() const override;
  QString KnownTable() const override { return tableName_; }

private:
  QString tableName_;
  QString indexFieldNames_;
};

} // namespace fw
