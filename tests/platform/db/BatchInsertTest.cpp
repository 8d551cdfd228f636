// Rows appended in batches: full batches and a short last one, each kind of value, a
// batch that fails inserting none of its rows, and the refusals.

#include "DbTestSupport.h"

#include "platform/db/BatchInsert.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

class BatchInsertTest : public ::testing::Test, public fwtest::DbFixtureBase {};

TCell Cell(TCellType type, qint64 i = 0, double f = 0, const char* text = nullptr) {
  TCell cell;
  cell.Type = type;
  cell.Int = i;
  cell.Float = f;
  cell.Text = text;
  cell.TextLength = text ? int(qstrlen(text)) : 0;
  return cell;
}

TEST_F(BatchInsertTest, RowsGoInByTheBatchWithAShortLastOne) {
  Db.Execute(QStringLiteral("create table t (n INTEGER, x REAL, s VARCHAR(20) CHECK (s <> 'refused'), z INTEGER)"));
  const QStringList columns{"n", "x", "s", "z"};
  const QByteArray text = QStringLiteral("名称'\"").toUtf8();
  {
    TBatchInsert insert(Db, QStringLiteral("t"), columns, 130, 64);
    for (int r = 0; r < 130; ++r) {
      insert.Add(Cell(TCellType::Int, r));
      insert.Add(Cell(TCellType::Float, 0, r + 0.5));
      insert.Add(Cell(TCellType::Text, 0, 0, text.constData()));
      insert.Add(Cell(TCellType::Null));
      insert.EndRow();
      // Nothing goes in before its batch is complete.
      const int expected = r < 63 ? 0 : r < 127 ? 64 : r < 129 ? 128 : 130;
      ASSERT_EQ(fwtest::ScalarOf(Db, QStringLiteral("select count(*) from t")).toInt(), expected) << r;
    }
    EXPECT_THROW(insert.Add(Cell(TCellType::Int, 1)), EDatabaseError);  // more rows than announced
  }
  EXPECT_EQ(fwtest::ScalarOf(Db, QStringLiteral("select sum(n) from t")).toInt(), 129 * 130 / 2);
  EXPECT_EQ(fwtest::ScalarOf(Db, QStringLiteral("select x from t where n = 7")).toDouble(), 7.5);
  EXPECT_EQ(fwtest::ScalarOf(Db, QStringLiteral("select s from t where n = 129")).toString(), QStringLiteral("名称'\""));
  EXPECT_EQ(fwtest::ScalarOf(Db, QStringLiteral("select count(*) from t where z is null")).toInt(), 130);

  // A row the table refuses fails its batch whole.
  TBatchInsert refused(Db, QStringLiteral("t"), columns, 3, 3);
  for (const char* s : {"a", "refused", "c"}) {
    for (const TCell& cell : {Cell(TCellType::Int, 1000), Cell(TCellType::Null), Cell(TCellType::Text, 0, 0, s), Cell(TCellType::Null)})
      refused.Add(cell);
    if (qstrcmp(s, "c") == 0) EXPECT_THROW(refused.EndRow(), EDatabaseError);
    else refused.EndRow();
  }
  EXPECT_EQ(fwtest::ScalarOf(Db, QStringLiteral("select count(*) from t where n = 1000")).toInt(), 0);

  TBatchInsert short_(Db, QStringLiteral("t"), columns, 1, 10);
  short_.Add(Cell(TCellType::Int, 1));
  EXPECT_THROW(short_.EndRow(), EDatabaseError);  // a row without all its values
  EXPECT_THROW(TBatchInsert(Db, QStringLiteral("t"), {"n", "nosuch"}, 1, 10), EDatabaseError);
}

} // namespace
