// The shipped survey database read through the database layer: rules, lookups, names.
#include "core/CodeLookup.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using namespace fw;

class SurveyDatabaseTest : public ::testing::Test {
protected:
  void SetUp() override {
    connection.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                                   folder.FilePath(kDefaultDatabaseName) + ";Mode=ReadWrite;");
    connection.Open();
  }

  // Every field code of an expression replaced by a value, as the page rule engine does.
  static QString Substitute(const QString& expression, const QString& value) {
    static const QRegularExpression identifier("[A-Za-z][A-Za-z0-9]*");
    QString result;
    qsizetype last = 0;
    for (auto it = identifier.globalMatch(expression); it.hasNext();) {
      const auto match = it.next();
      const QString word = match.captured();
      const bool keyword = QStringList{"AND", "OR", "NOT"}.contains(word.toUpper());
      result += expression.mid(last, match.capturedStart() - last) + (keyword ? word : value);
      last = match.capturedEnd();
    }
    return result + expression.mid(last);
  }

  int Evaluate(const QString& expression) {
    TADOQuery query(&connection);
    query.SQL().Add("select " + expression + " as rt");
    query.Open();
    return query.FieldByName("rt")->AsInteger();
  }

  fwtest::ProgramFolderCopy folder;
  fwtest::ScriptedHooks hooks;
  TADOConnection connection;
};

TEST_F(SurveyDatabaseTest, EveryRuleEvaluatesToJetTruthOnAZeroRecord) {
  TADOQuery rules(&connection);
  rules.SQL().Add("select * from dt_logic order by id");
  rules.Open();
  ASSERT_GT(rules.RecordCount(), 80);
  int broken = 0;
  for (rules.First(); !rules.Eof(); rules.Next()) {
    const QString expression = rules.FieldByName("expression")->AsString();
    const int result = Evaluate(Substitute(expression, "0"));
    EXPECT_TRUE(result == 0 || result == -1) << expression.toStdString();
    if (result == -1) ++broken;
  }
  // A zero record has neither base-level unions nor upper-level ones: "z001+z008>0" breaks.
  EXPECT_GE(broken, 1);
  EXPECT_TRUE(hooks.Messages.empty());
}

TEST_F(SurveyDatabaseTest, RegionNamesAndTables) {
  EXPECT_FALSE(GetCityCombName(connection, 110105).isEmpty());
  EXPECT_EQ(GetCityCombName(connection, 999999), "");
  TADOConnection closed;
  EXPECT_EQ(GetCityCombName(closed, 99999), ""); // below 100000: no query at all
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(GetCityCombName(closed, 110105), ""); // the error is shown, not thrown
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.startsWith("运行中发生错误："));

  for (const char* name : {"dt_fieldlist", "DT_FieldList", "CT_Group", "ct_group", "view_data", "ct_state"})
    EXPECT_TRUE(TableExists(connection, name)) << name;
  EXPECT_FALSE(TableExists(connection, "dt_nothing"));
}

TEST_F(SurveyDatabaseTest, BothSpellingsOfATableAreOneTable) {
  connection.Execute("update DT_FieldList set Visible=0 where FieldName='z001'");
  TADOQuery query(&connection);
  query.SQL().Add("select Visible from dt_fieldlist where fieldname='Z001'");
  query.Open();
  ASSERT_EQ(query.RecordCount(), 1);
  EXPECT_FALSE(query.FieldByName("Visible")->AsBoolean());
}

TEST_F(SurveyDatabaseTest, TwelveDigitCodeReadsBackInFull) {
  connection.Execute("insert into dt_data (c901, c902) values (440106123456, '测试''工会')");
  TADOQuery query(&connection);
  query.SQL().Add("SELECT *  from view_data order by c901 asc");
  query.Open();
  ASSERT_EQ(query.RecordCount(), 1);
  EXPECT_EQ(query.FieldByName("c901")->AsString(), "440106123456");
  EXPECT_DOUBLE_EQ(query.FieldByName("c901")->AsFloat(), 440106123456.0);
  EXPECT_EQ(query.FieldByName("c902")->AsString(), "测试'工会");
  // A clashing code is refused by the key.
  EXPECT_ANY_THROW(connection.Execute("insert into dt_data (c901) values (440106123456)"));
}

TEST(SurveyModel, QueryTypeOutsideItsRangeLoadsAsZero) {
  struct Case { long long stored; int expected; };
  for (const Case c : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{3, 3}, Case{4, 0}, Case{-1, 0}, Case{300, 0}})
    EXPECT_EQ(NormalizeQueryType(c.stored), c.expected) << c.stored;
}

} // namespace
