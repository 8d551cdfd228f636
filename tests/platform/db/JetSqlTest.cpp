// The Jet SQL forms the program sends, checked by what the engine returns for them.

#include "DbTestSupport.h"

#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

class JetSqlTest : public ::testing::Test, public fwtest::DbFixtureBase {};

struct RtCase {
  const char* expression;
  int expected;  // read through AsInteger, as the rule engine does
};

TEST_F(JetSqlTest, TablelessSelectReadsJetTrueAndFalse) {
  const RtCase cases[] = {
      {"5 < 2 + 4", -1},
      {"5 < 2 + 4 and 1=0", 0},
      {"not (1>2)", -1},
      {"not 1>2", -1},
      {"3+4", 7},
      {"5 > 2 + 4", 0},
      {"1=1 or 1=0", -1},
      {"(1=0 or 2=2) and 3<>3", 0},
      {"2 * 3 = 6", -1},
      {"7 / 2 * 2 = 7", -1},          // real division
      {"7 \\ 2", 3},                  // integer division
      {"7 mod 3", 1},
      {"2 + 3 * 4", 14},
      {"-2 + 5", 3},
      {"int(3.7)", 3},
      {"int(-3.2)", -4},
      {"iif(1 > 0, 10, 20)", 10},
      {"iif(1 < 0, 10, 20)", 20},
      {"true", -1},
      {"false", 0},
      {"(5 > 3) + 1", 0},             // Jet's true is -1 in arithmetic too
      {"'abc' = 'ABC'", -1},          // text compares without regard to case
      {"0.5 < 1", -1},
      {"10 >= 10 and 10 <= 10", -1},
      {"3 between 1 and 5", -1},
      {"3 in (1, 2)", 0},
      {"5--3", 8},                    // no comments in Jet
      {"2^3", 8},
  };
  for (const RtCase& c : cases) {
    SCOPED_TRACE(c.expression);
    TADOQuery q(&Db);
    q.SQL().Clear();
    q.SQL().Add(QStringLiteral("select %1 as rt").arg(QLatin1String(c.expression)));
    q.Open();
    EXPECT_EQ(q.FieldByName("rt")->AsInteger(), c.expected);
  }
}

TEST_F(JetSqlTest, RealDivisionGivesFractionsAndWholeNumbersReadWithoutDecimals) {
  EXPECT_EQ(fwtest::ScalarOf(Db, "select 7/2 as rt").toDouble(), 3.5);
  TADOQuery q(&Db);
  q.SetSQL("select 6/2 as a, 1/3 as b, 2.5*2 as c");
  q.Open();
  EXPECT_EQ(q.FieldByName("a")->AsString(), "3");
  EXPECT_EQ(q.FieldByName("b")->AsString(), "0.3333333333333333");
  EXPECT_EQ(q.FieldByName("b")->AsFloat(), 1.0 / 3);
  EXPECT_EQ(q.FieldByName("c")->AsString(), "5");
}

TEST_F(JetSqlTest, DivisionByZeroInARuleIsAnError) {
  TADOQuery q(&Db);
  q.SetSQL("select 1/0 > 2 as rt");
  EXPECT_THROW(q.Open(), EDatabaseError);
}

TEST_F(JetSqlTest, StatementFormsOnTables) {
  struct Case {
    const char* sql;
    QVariant expected;
  };
  const Case cases[] = {
      {"select count(*) as cnt from [dt_data]", 4},
      {"select count(*) from DT_DATA where c902 = 'ALPHA'", 1},
      {"select count(*) from dt_data where [c902] like 'g%'", 1},
      {"select c902 & '-' & c904 from dt_data where c901 = 100000000001", "Alpha-10"},
      {"select MAX(c901)+1 from dt_data", 123456789013LL},
      {"select z001 / 2 from dt_data where c901 = 100000000001", 2.5},
      {"select z001 mod 4 from dt_data where c901 = 100000000002", 3},
      {"select int(z002) from dt_data where c901 = 123456789012", 4},
      {"select count(*) from dt_data where (RecordState = 1) = true", 2},
      {"select count(*) from dt_data where c904=10 and RecordState<>1", 1},
      {"select iif(z001 > 6, 'big', 'small') from dt_data where c901 = 100000000002", "big"},
      {"select z001--1 from dt_data where c901 = 100000000002", 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    const QVariant v = fwtest::ScalarOf(Db, c.sql);
    if (c.expected.typeId() == QMetaType::QString) EXPECT_EQ(v.toString(), c.expected.toString());
    else EXPECT_DOUBLE_EQ(v.toDouble(), c.expected.toDouble());
  }
}

TEST_F(JetSqlTest, QueriesAsTheSummaryAndSearchesWriteThem) {
  Db.Execute("create table CT_LevelCode (id INTEGER PRIMARY KEY, name VARCHAR(50), sequence INTEGER)");
  Db.Execute("insert into CT_LevelCode values (10, 'ten', 2), (20, 'twenty', 1), (40, 'none', 3)");
  TADOQuery q(&Db);
  q.SetSQL("select code.name,sum_table.*  from CT_LevelCode code left join (select c904,sum(z001) as z001,count(*) as n "
           "from dt_data group by c904) sum_table on code.id = sum_table.c904 order by code.sequence");
  q.Open();
  QStringList rows;
  for (q.First(); !q.Eof(); q.Next())
    rows << q.FieldByName("name")->AsString() + ":" + q.FieldByName("z001")->AsString() + ":" + q.FieldByName("n")->AsString();
  EXPECT_EQ(rows, (QStringList{"twenty:7:1", "ten:6:2", "none::"}));

  q.SetSQL(QString::asprintf("select c902 from dt_data where c901>=%f and c901<=%f order by c901", 100000000002.0, 123456789012.0));
  q.Open();
  EXPECT_EQ(q.RecordCount(), 3);
  q.SetSQL("select c902 from dt_data where c902 like'%ELT%' order by c901");
  q.Open();
  EXPECT_EQ(q.FieldByName("c902")->AsString(), "Delta's");
}

TEST_F(JetSqlTest, MaxOfEmptyTableIsNull) {
  Db.Execute("delete from dt_data");
  TADOQuery q(&Db);
  q.SetSQL("select MAX(c901)+1 as n from dt_data");
  q.Open();
  EXPECT_TRUE(q.FieldByName("n")->IsNull());
}

TEST(JetSqlTranslation, RewritesOnlyOutsideLiterals) {
  struct Case {
    const char* jet;
    const char* sqlite;
  };
  const Case cases[] = {
      {"select * from [ct group]", "select * from \"ct group\""},
      {"select 'a & b / [c]' from t", "select 'a & b / [c]' from t"},
      {"select a & b from t", "select a || b from t"},
      {"update t set v = true where w = false", "update t set v = -1 where w = 0"},
      {"select * from t where name = 'x'", "select * from t where name = 'x' COLLATE NOCASE"},
      {"select * from t where c901 = :ReocrdID", "select * from t where c901 = :ReocrdID"},
  };
  for (const Case& c : cases) EXPECT_EQ(TranslateJetSql(c.jet), QString::fromUtf8(c.sqlite)) << c.jet;
  EXPECT_EQ(JetParameterNames("select * from t where a = :ReocrdID and b = ':x' or c = :ReocrdID"), QStringList{"ReocrdID"});
}

TEST(JetSqlTranslation, RecognisesPasswordStatements) {
  const TJetStatement remove = TranslateJetStatement("ALTER DATABASE PASSWORD null [ab'c]");
  EXPECT_EQ(remove.StatementKind, TJetStatement::Kind::AlterPassword);
  EXPECT_TRUE(remove.NewIsNull);
  EXPECT_EQ(remove.OldPassword, "ab'c");
  const TJetStatement set = TranslateJetStatement("ALTER DATABASE PASSWORD  [pw1] null");
  EXPECT_EQ(set.NewPassword, "pw1");
  EXPECT_TRUE(set.OldIsNull);
  EXPECT_THROW(TranslateJetStatement("ALTER DATABASE PASSWORD"), EDatabaseError);
}

} // namespace
