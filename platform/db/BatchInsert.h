#pragma once
// A known number of rows handed to one statement many at a time, within the engine's
// limit on the values one statement may take: one prepared statement takes a batch of
// rows ("INSERT INTO t (c, ...) VALUES (...), (...), ...", "DELETE FROM t WHERE k IN
// (?, ?, ...)"), run again for every full batch; the rows of a last, shorter batch go
// through a statement of their own number. The values are given cell by cell (a text is
// copied as it is bound), without a variant for each: a copy of a long list binds
// millions of them.
//
// A batch that fails changes none of its rows; the error (EDatabaseError) does not say
// which row failed, so a caller that must tell runs the batch's rows again one at a time
// (batches of one row).

#include "platform/db/RowStore.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

namespace fw {

class TADOConnection;
class TSqlStatement;

class TBatchStatement {
public:
  // The statement is `head`, then `rowMarks` (the marks of one row's `columns` values)
  // once for each row of the batch, joined by commas, then `tail`. `rows` rows will be
  // given, `rowsPerBatch` (at most what the engine's parameter limit allows) at a time.
  // Throws EDatabaseError when the statement is refused (an unknown table or column).
  TBatchStatement(TADOConnection& connection, const QString& head, const QString& rowMarks, int columns,
                  const QString& tail, int rows, int rowsPerBatch);
  ~TBatchStatement();
  TBatchStatement(const TBatchStatement&) = delete;
  TBatchStatement& operator=(const TBatchStatement&) = delete;

  // The next value of the row being given, columns in order.
  void Add(const TCell& value);
  // The row is complete; a complete batch is run (throws EDatabaseError).
  void EndRow();
  // Rows the batches run so far inserted, changed or deleted.
  int Changes() const { return changes_; }

private:
  void StartBatch();
  std::unique_ptr<TSqlStatement> Prepare(int rows) const;

  TADOConnection& connection_;
  QString head_;      // "INSERT INTO t (c, ...) VALUES "
  QString rowMarks_;  // "(?, ...)"
  QString tail_;
  int columns_;
  int rowsLeft_;      // rows still to be given
  int rowsPerBatch_;
  std::unique_ptr<TSqlStatement> full_, last_;
  TSqlStatement* current_ = nullptr;
  int batchRows_ = 0;  // rows the current statement takes
  int bound_ = 0;      // values bound into it
  int changes_ = 0;
};

// Rows appended to a table, the values of each in the order of `columns`.
class TBatchInsert : public TBatchStatement {
public:
  TBatchInsert(TADOConnection& connection, const QString& table, const QStringList& columns, int rows, int rowsPerBatch);
};

// Deletes the rows of `table` whose `key` holds one of `keys`, up to 999 keys to a
// statement, in one transaction: every row goes or, when a statement fails
// (EDatabaseError), none. Returns the number of rows deleted.
int DeleteRowsByKey(TADOConnection& connection, const QString& table, const QString& key, const QVariantList& keys);

} // namespace fw
