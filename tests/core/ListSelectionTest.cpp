// The list export's choice of columns and records: the sheets' letters and columns, the
// range rule, and the statements for all records, a range and a user group.
#include "core/ListSelection.h"
#include "platform/db/AdoQuery.h"
#include "tests/core/WorkingDatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::WorkingDatabase;

QStringList CodesOf(TADOConnection& connection, const TListStatement& statement) {
  TADOQuery query(&connection);
  query.SetSQL(statement.Sql);
  for (auto it = statement.Params.begin(); it != statement.Params.end(); ++it) query.ParamByName(it.key()).SetValue(it.value());
  query.Open();
  QStringList codes;
  for (; !query.Eof(); query.Next()) codes << query.FieldByName(QStringLiteral("c901"))->AsString();
  return codes;
}

TEST(ListSelection, SheetsMapToTheirLettersAndColumns) {
  EXPECT_EQ(QString(ExportSheetLetter(0)), QStringLiteral("z"));
  EXPECT_EQ(QString(ExportSheetLetter(3)), QStringLiteral("b"));
  EXPECT_EQ(QString(ExportSheetLetter(10)), QStringLiteral("g"));
  EXPECT_EQ(QString(ExportSheetLetter(11)), QStringLiteral("c"));
  EXPECT_TRUE(ExportSheetLetter(12).isNull());
  EXPECT_TRUE(ExportSheetLetter(-1).isNull());
  EXPECT_EQ(ListCoverColumns().join(','), QStringLiteral("c901,c902,c903,c904,c905,c906,c907,RecordState"));

  WorkingDatabase db;
  const QStringList z = SheetColumns(db.Connection, QLatin1Char('z'));
  ASSERT_EQ(z.size(), 16);
  EXPECT_EQ(z.first(), QStringLiteral("z001"));
  EXPECT_EQ(z.last(), QStringLiteral("z016"));
  EXPECT_EQ(SheetColumns(db.Connection, QLatin1Char('b')).size(), 39); // both pages of sheet 4
  EXPECT_EQ(SheetColumns(db.Connection, QLatin1Char('g')).size(), 4);
  // The cover's fields come first in every list, never as a sheet's.
  EXPECT_TRUE(SheetColumns(db.Connection, QLatin1Char('c')).isEmpty());
}

TEST(ListSelection, RangeNeedsTwoBoundsAndRaisesTheUpperOne) {
  const struct {
    const char* from;
    const char* to;
    bool ok;
    double low, high;
    bool raised;
  } cases[] = {
      {"", "110000000000", false, 0, 0, false},
      {"110000000000", "", false, 0, 0, false},
      {"0", "110000000000", false, 0, 0, false},
      {"110000000000", "000", false, 0, 0, false},
      {"110000000000", "120000000000", true, 110000000000.0, 120000000000.0, false},
      {"120000000000", "110000000000", true, 120000000000.0, 120000000000.0, true},
      {"5", "5", true, 5, 5, false},
  };
  for (const auto& c : cases) {
    TCodeRange range;
    EXPECT_EQ(ReadCodeRange(QString::fromLatin1(c.from), QString::fromLatin1(c.to), range), c.ok) << c.from << "/" << c.to;
    if (!c.ok) continue;
    EXPECT_EQ(range.From, c.low);
    EXPECT_EQ(range.To, c.high);
    EXPECT_EQ(range.ToRaised, c.raised);
  }
}

TEST(ListSelection, StatementsSelectTheChosenRecords) {
  WorkingDatabase db;
  db.Add({{110000000001, "一"}, {110000000002, "O'Neil"}, {120000000001, "三"}, {130000000001, "四"}});
  const QStringList columns = ListCoverColumns() + SheetColumns(db.Connection, QLatin1Char('g'));

  const TListStatement all = AllRecordsStatement(columns);
  EXPECT_EQ(CodesOf(db.Connection, all), (QStringList{"110000000001", "110000000002", "120000000001", "130000000001"}));
  TADOQuery shape(&db.Connection);
  shape.SetSQL(all.Sql);
  shape.Open();
  EXPECT_EQ(shape.FieldNames(), columns);

  TCodeRange range;
  ASSERT_TRUE(ReadCodeRange(QStringLiteral("120000000001"), QStringLiteral("110000000002"), range));
  EXPECT_EQ(CodesOf(db.Connection, RangeStatement(columns, range)), QStringList{"120000000001"});
  ASSERT_TRUE(ReadCodeRange(QStringLiteral("110000000002"), QStringLiteral("125000000000"), range));
  EXPECT_EQ(CodesOf(db.Connection, RangeStatement(columns, range)), (QStringList{"110000000002", "120000000001"}));

  TGroupBounds group{1, QStringLiteral("北京"), 110000000001, 130000000001, QStringLiteral(">"), QStringLiteral("<")};
  TListStatement statement;
  ASSERT_TRUE(GroupStatement(columns, group, statement));
  EXPECT_EQ(CodesOf(db.Connection, statement), (QStringList{"110000000002", "120000000001"}));
  group.LowSymbol = QStringLiteral(">=");
  group.HighSymbol = QStringLiteral(" <= ");
  ASSERT_TRUE(GroupStatement(columns, group, statement));
  EXPECT_EQ(CodesOf(db.Connection, statement).size(), 4);
}

TEST(ListSelection, GroupWithAForeignSymbolIsRefused) {
  const TGroupBounds good{1, QString(), 1, 2, QStringLiteral(">="), QStringLiteral("<")};
  for (const char* symbol : {"=", "<>", "", ">=0 or 1=1 --", "=>", "like"}) {
    TGroupBounds bad = good;
    bad.HighSymbol = QString::fromLatin1(symbol);
    TListStatement statement{QStringLiteral("unchanged"), {}};
    EXPECT_FALSE(GroupStatement(ListCoverColumns(), bad, statement)) << symbol;
    EXPECT_EQ(statement.Sql, QStringLiteral("unchanged"));
    bad = good;
    bad.LowSymbol = QString::fromLatin1(symbol);
    EXPECT_FALSE(GroupStatement(ListCoverColumns(), bad, statement)) << symbol;
  }
  for (const char* symbol : {">", ">=", "<", "<="}) EXPECT_TRUE(IsBoundSymbol(QString::fromLatin1(symbol)));
}

} // namespace
