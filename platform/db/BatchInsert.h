#pragma once
// A known number of rows appended to one table many at a time: one prepared statement
// inserts a batch of rows ("INSERT INTO t (c, ...) VALUES (...), (...), ..."), run again
// for every full batch; the rows of a last, shorter batch go in through a statement of
// their own number. The values are given cell by cell (a text is copied as it is bound),
// without a variant for each: a copy of a long list binds millions of them.
//
// A batch that fails inserts none of its rows; the error (EDatabaseError) does not say
// which row failed, so a caller that must tell runs the batch's rows again one at a time
// (batches of one row).

#include "platform/db/RowStore.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace fw {

class TADOConnection;
class TSqlStatement;

class TBatchInsert {
public:
  // `rows` rows will be given, `rowsPerBatch` (at most what the engine's parameter limit
  // allows) inserted at a time. Throws EDatabaseError when the table or a column is
  // unknown.
  TBatchInsert(TADOConnection& connection, const QString& table, const QStringList& columns, int rows, int rowsPerBatch);
  ~TBatchInsert();
  TBatchInsert(const TBatchInsert&) = delete;
  TBatchInsert& operator=(const TBatchInsert&) = delete;

  // The next value of the row being given, columns in order.
  void Add(const TCell& value);
  // The row is complete; a complete batch is inserted (throws EDatabaseError).
  void EndRow();

private:
  void StartBatch();
  std::unique_ptr<TSqlStatement> Prepare(int rows) const;

  TADOConnection& connection_;
  QString head_;      // "INSERT INTO t (c, ...) VALUES "
  QString rowMarks_;  // "(?, ...)"
  int columns_;
  int rowsLeft_;      // rows still to be given
  int rowsPerBatch_;
  std::unique_ptr<TSqlStatement> full_, last_;
  TSqlStatement* current_ = nullptr;
  int batchRows_ = 0;  // rows the current statement takes
  int bound_ = 0;      // values bound into it
};

} // namespace fw
