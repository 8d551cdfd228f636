// The forward-only reader: the columns asked for in their order, the query's own order,
// counting, the end staying the end, refusals, and rows changed by the same connection
// while the reader is on its way.

#include "DbTestSupport.h"

#include "platform/db/DbError.h"
#include "platform/db/RecordReader.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

class RecordReaderTest : public ::testing::Test, public fwtest::DbFixtureBase {};

TEST_F(RecordReaderTest, ReadsTheColumnsAskedForInTheQuerysOrder) {
  const QString sql = QStringLiteral("select * from [dt_data] where c904 <= 20 order by c902 desc");
  EXPECT_EQ(TRecordReader::CountRows(Db, sql), 3);
  TRecordReader all(Db, sql);
  EXPECT_EQ(all.ColumnNames(), (QStringList{"c901", "c902", "c904", "z001", "z002", "RecordState"}));

  TRecordReader reader(Db, sql, {"Z002", "c902", "c901"});
  EXPECT_EQ(reader.ColumnCount(), 3);
  EXPECT_EQ(reader.ColumnIndex("C901"), 2);
  EXPECT_EQ(reader.ColumnIndex("z001"), -1);
  EXPECT_EQ(reader.Cell(0).Type, TCellType::Null);  // before the first row
  QStringList rows;
  while (reader.Next()) {
    const TCell amount = reader.Cell(0);
    rows << reader.Cell(1).ToText() + '/' + reader.Cell(2).ToText() + '/' +
                (amount.Type == TCellType::Null ? QStringLiteral("null") : amount.ToText());
  }
  EXPECT_EQ(rows, (QStringList{"Gamma/100000000003/null", "beta/100000000002/2", "Alpha/100000000001/1.5"}));
  // The end stays the end: the query does not start over.
  EXPECT_FALSE(reader.Next());
  EXPECT_EQ(reader.Cell(1).Type, TCellType::Null);

  EXPECT_THROW(TRecordReader(Db, sql, {"c901", "nosuch"}), EDatabaseError);
  EXPECT_THROW(TRecordReader(Db, QStringLiteral("update dt_data set z001 = 0")), EDatabaseError);
  EXPECT_THROW(TRecordReader::CountRows(Db, QStringLiteral("select * from nosuch")), EDatabaseError);
}

// A run that marks each record it has read (as the batch check does) reads every record
// once, the marks written inside a transaction while the reader goes on.
TEST_F(RecordReaderTest, RowsMarkedBehindTheReaderDoNotDisturbIt) {
  Db.BeginTrans();
  for (int i = 0; i < 3000; ++i)
    Db.Execute(QStringLiteral("insert into dt_data (c901, c902, RecordState) values (?, ?, 0)"),
               QVariantList{110000000000LL + i, QStringLiteral("单位%1").arg(i)});
  Db.CommitTrans();
  TRecordReader reader(Db, QStringLiteral("select * from dt_data where c901 between 110000000000 and 110000002999"), {"c901", "RecordState"});
  Db.BeginTrans();
  qint64 expected = 110000000000LL;
  int read = 0;
  while (reader.Next()) {
    ASSERT_EQ(reader.Cell(0).Int, expected++);
    EXPECT_EQ(reader.Cell(1).Int, 0);
    ++read;
    // States grow the record (0 takes no room, 2 a byte), so pages are rearranged.
    Db.Execute(QStringLiteral("update dt_data set RecordState = 2, c902 = c902 || '的数据有错误' where c901 = ?"),
               QVariantList{qlonglong(reader.Cell(0).Int)});
  }
  Db.CommitTrans();
  EXPECT_EQ(read, 3000);
  EXPECT_EQ(fwtest::ScalarOf(Db, QStringLiteral("select count(*) from dt_data where RecordState = 2")).toInt(), 3001);
}

} // namespace
