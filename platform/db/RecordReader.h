#pragma once
// A forward-only reader of a query's rows: one row at a time, straight from the engine,
// nothing kept but the current row. A run that visits each record once (a check, a
// copy) reads as many records as it likes in the same little memory, and it can read
// just the columns it needs. A data set stays the choice for anything that moves back,
// takes bookmarks, edits, sorts or filters.
//
// The reader holds a statement of its connection: let it go before the connection
// closes. Rows the connection changes while the reader is on the way (the records it
// has passed) do not disturb it.

#include "platform/db/RowStore.h"
#include "platform/db/StatementRow.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace fw {

class TADOConnection;
class TSqlStatement;

class TRecordReader {
public:
  // Prepares the query (Jet SQL, as a data set takes it) on the connection, opening a
  // closed connection first. `columns` names the columns to read, in that order; empty
  // reads every column of the query. Throws EDatabaseError for a statement that returns
  // no records and for a column the query does not give.
  TRecordReader(TADOConnection& connection, const QString& sql, const QStringList& columns = {});
  ~TRecordReader();
  TRecordReader(const TRecordReader&) = delete;
  TRecordReader& operator=(const TRecordReader&) = delete;

  int ColumnCount() const { return int(names_.size()); }
  QStringList ColumnNames() const { return names_; }
  // The place of a column (names compare without regard to case), -1 when it is not read.
  int ColumnIndex(const QString& name) const;

  // Moves to the next row (the first, at the first call); false when there is none
  // more, and from then on. Throws EDatabaseError when the engine fails.
  bool Next();
  // A value of the current row (Null before the first and after the last). A text
  // points into the engine's row: use it before the next call of Next.
  TCell Cell(int column) const;

  // The number of rows the query gives, counted by the engine without handing them out.
  static int CountRows(TADOConnection& connection, const QString& sql);

private:
  TADOConnection& connection_;
  QStringList attached_;
  std::unique_ptr<TSqlStatement> statement_;
  QStringList names_;
  TStatementRow row_;
  bool onRow_ = false;
  bool finished_ = false;
};

} // namespace fw
