// The page rule engine: substitution of editor values, explanations in words, pages
// checked into a message list, rules that cannot be evaluated, and every shipped rule
// row firing on a record that breaks exactly it.
#include "core/PageRules.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/Field.h"
#include "tests/core/WorkingDatabase.h"
#include "tests/support/RuleRecords.h"

#include <QRegularExpression>
#include <gtest/gtest.h>


namespace {

using namespace fw;
using fwtest::ListedRule;

class PageRulesTest : public ::testing::Test {
protected:
  PageRulesTest() : Editors(DataColumns()) { Editors.Load(fwtest::CleanRuleRecord()); }

  QStringList DataColumns() {
    TADOQuery query(&Db.Connection);
    query.SetSQL(QStringLiteral("select * from dt_data where 1=0"));
    query.Open();
    return query.FieldNames();
  }

  QString Hint(const QString& field) {
    TADOQuery query(&Db.Connection);
    query.SetSQL(QStringLiteral("select Hint from DT_FieldList where FieldName = :f"));
    query.ParamByName(QStringLiteral("f")).SetValue(field);
    query.Open();
    return query.FieldByName(QStringLiteral("Hint"))->AsString();
  }

  // Replaces the rules of page 1 by the expressions given, in order; each row's rule
  // text is its expression and its focus z001.
  void SetPageOneRules(const QStringList& expressions) {
    Db.Connection.Execute(QStringLiteral("delete from dt_logic where page_id = 1"));
    int id = 1000;
    for (const QString& expression : expressions)
      Db.Connection.Execute(QStringLiteral("insert into dt_logic (id, page_id, expression, focus, explain, rule) "
                                           "values (?, 1, ?, 'z001', 'z001[=]5', ?)"),
                            QVariantList{id++, expression, expression});
  }

  QStringList MessageTexts() const { return Hooks.MessageTexts(); }

  fwtest::ScriptedHooks Hooks;
  fwtest::WorkingDatabase Db;
  fwtest::FakeRuleEditors Editors;
  fwtest::RecordingMessageList List;
  TPageRuleEngine Engine{Db.Connection, Editors, List};
};

TEST_F(PageRulesTest, SubstitutesEditorValuesForFieldCodes) {
  Editors.Set("z001", 5);
  Editors.Set("z002", 2);
  Editors.Set("z003", 4);
  Editors.Set("b004", 2.5);
  Editors.Set("b007", 0.1);
  Editors.Set("b014", 1234567.89);
  Editors.Set("b022", 1e20);
  Editors.Set("b025", -3);
  const struct {
    const char* expression;
    const char* substituted;
  } cases[] = {
      {"z001 < z002 + z003", "5 < 2 + 4"},
      {"Z001<z002", "5<2"},                                  // names without regard to case
      {"z001 and z002 OR Not(z003)", "5 and 2 OR Not(4)"},   // logical words kept as written
      {"z001 > 0.5", "5 > 0.5"},                             // numbers pass unchanged
      {"b004 = 2.5", "2.5 = 2.5"},                           // real values exactly
      {"b007+b014", "0.1+1234567.89"},
      {"b022", "100000000000000000000"},                     // never with an exponent
      {"z001-b025", "5-(-3)"},                               // a negative value stays one operand
      {"z001 = '會員'", "5 = '會員'"},                       // Chinese text is no identifier
  };
  for (const auto& c : cases) {
    QStringList unknown;
    EXPECT_EQ(Engine.SubstituteExpr(QString::fromUtf8(c.expression), &unknown), QString::fromUtf8(c.substituted))
        << c.expression;
    EXPECT_TRUE(unknown.isEmpty()) << c.expression;
  }
  EXPECT_TRUE(Hooks.Messages.empty());

  // Comma and full stop do not end an identifier: two codes joined by a comma are one name.
  QStringList unknown;
  EXPECT_EQ(Engine.SubstituteExpr(QStringLiteral("z001,z002 > 0"), &unknown), QStringLiteral(" > 0"));
  EXPECT_EQ(unknown, QStringList{"z001,z002"});
  EXPECT_EQ(MessageTexts(), QStringList{"Control name parse error : z001,z002"});
}

TEST_F(PageRulesTest, EvaluatesThroughTheDatabase) {
  Editors.Set("z001", 5);
  Editors.Set("z002", 2);
  Editors.Set("z003", 4);
  EXPECT_EQ(Engine.EvalRuleExpr(QStringLiteral("z001 < z002 + z003")).Verdict, TRuleVerdict::Broken);
  EXPECT_EQ(Engine.EvalRuleExpr(QStringLiteral("z001 > z002 + z003")).Verdict, TRuleVerdict::Holds);
  // A value other than true means the rule holds.
  EXPECT_EQ(Engine.EvalRuleExpr(QStringLiteral("z001 + 1")).Verdict, TRuleVerdict::Holds);
  // A literal with Chinese text (whose GBK bytes hold letters) stays intact.
  EXPECT_EQ(Engine.EvalRuleExpr(QStringLiteral("z001 > 0 and '會員' = '會員'")).Verdict, TRuleVerdict::Broken);
  // A real value takes part exactly, as the batch check reads it: 0.4 is not 0.
  Editors.Set("b004", 0.4);
  EXPECT_EQ(Engine.EvalRuleExpr(QStringLiteral("b003 <> 1 and b004 <> 0")).Verdict, TRuleVerdict::Broken);
}

TEST_F(PageRulesTest, ExpressionsThatCannotBeEvaluated) {
  Editors.Set("z002", 0);
  const struct {
    const char* expression;
    const char* problem;
  } cases[] = {
      {"z001 / z002 > 1", "除数为零"},
      {"z001 >", "表达式有误"},
      {"zz9 > 0", "找不到变量 zz9"},
      // Without its name the rest would read " - 3 > 0", which the database accepts.
      {"zz - 3 > 0", "找不到变量 zz"},
  };
  for (const auto& c : cases) {
    const TRuleEvaluation result = Engine.EvalRuleExpr(QString::fromUtf8(c.expression));
    EXPECT_EQ(result.Verdict, TRuleVerdict::NotEvaluated) << c.expression;
    EXPECT_TRUE(result.Problem.startsWith(QString::fromUtf8(c.problem))) << result.Problem.toStdString();
  }
}

TEST_F(PageRulesTest, ExplanationsInWords) {
  const QString z001 = "[" + Hint("z001") + "]", z003 = "[" + Hint("z003") + "]";
  const QString z010 = "[" + Hint("z010") + "]", z011 = "[" + Hint("z011") + "]";
  ASSERT_NE(z001, z003);
  EXPECT_EQ(Engine.ExplainToText("z003[<=]z001"), z003 + "不能大于" + z001);
  EXPECT_EQ(Engine.ExplainToText("z003 z001"), z003 + " " + z001);
  EXPECT_EQ(Engine.ExplainToText("q999[<=]z001"), "q999不能大于" + z001);  // unknown code kept
  EXPECT_EQ(Engine.ExplainToText("如果z010[=]1，那么z011[<=]3；"), "如果" + z010 + "必须等于1，那么" + z011 + "不能大于3；");
  EXPECT_EQ(Engine.ExplainToText("z001、z003的和[>]0"), z001 + "、" + z003 + "的和必须大于0");
  EXPECT_EQ(Engine.ExplainToText("j016[<>]1"), "[" + Hint("j016") + "]<>1");
  EXPECT_EQ(Engine.ExplainToText("z003+z001[>=]z001"), z003 + "+" + z001 + "不能小于" + z001);
  EXPECT_EQ(Engine.ExplainToText("如果c904<4"), "如果[" + Hint("c904") + "]<4");

  const struct {
    const char* token;
    const char* words;
  } operators[] = {{"<=", "不能大于"}, {">=", "不能小于"}, {"=", "必须等于"}, {">", "必须大于"}, {"[<]", "必须小于"}};
  for (const auto& o : operators)
    EXPECT_EQ(Engine.TranslateExplainToken(QString::fromUtf8(o.token)), QString::fromUtf8(o.words)) << o.token;
  EXPECT_TRUE(Hooks.Messages.empty());
}

TEST_F(PageRulesTest, FieldListThatCannotBeReadLeavesCodes) {
  Db.Connection.Execute(QStringLiteral("drop table dt_fieldlist"));
  EXPECT_EQ(Engine.TranslateExplainToken(QStringLiteral("z001")), QStringLiteral("z001"));
  ASSERT_EQ(Hooks.Messages.size(), 1u);
  EXPECT_TRUE(Hooks.Messages[0].Text.startsWith("运行中发生错误："));
  EXPECT_TRUE(Hooks.Messages[0].Text.endsWith(",当前的Key为z001"));
}

TEST_F(PageRulesTest, PagesOutsideTheSheetsLeaveTheListAlone) {
  List.AddMessage("r", "e", "z001", 3);
  List.Shown = true;
  const auto before = List.Rows;
  for (int page : {0, 13, -1}) {
    EXPECT_FALSE(Engine.CheckPageRules(page, true)) << page;
    EXPECT_EQ(List.Rows, before);
    EXPECT_EQ(List.Clears, 0);
    EXPECT_TRUE(List.Shown);
  }
}

TEST_F(PageRulesTest, PageCheckListsBrokenRulesAndShowsTheList) {
  Editors.Set("z003", 11);
  Editors.Set("z002", 12);
  EXPECT_FALSE(Engine.CheckPageRules(1, true));
  ASSERT_EQ(List.Rows.size(), 2u);
  const QString z001 = "[" + Hint("z001") + "]";
  EXPECT_EQ(List.Rows[0], (ListedRule{"z003<=z001", "[" + Hint("z003") + "]不能大于" + z001, "z003", 1}));
  EXPECT_EQ(List.Rows[1], (ListedRule{"z002<=z001", "[" + Hint("z002") + "]不能大于" + z001, "z002", 1}));
  EXPECT_TRUE(List.Shown);

  // Without clearing, a later page adds to the list; with clearing it starts anew.
  EXPECT_FALSE(Engine.CheckPageRules(2, false));
  EXPECT_EQ(List.Rows.size(), 2u);
  Editors.Load(fwtest::CleanRuleRecord());
  EXPECT_TRUE(Engine.CheckPageRules(1, true));
  EXPECT_TRUE(List.Rows.empty());
  EXPECT_FALSE(List.Shown);
}

TEST_F(PageRulesTest, AllPagesInOrderAfterOneClear) {
  Editors.Set("g002", 1);  // page 12
  Editors.Set("x002", 1);  // page 2
  Editors.Set("z002", 11); // page 1
  List.AddMessage("old", "old", "z001", 5);
  EXPECT_FALSE(Engine.CheckAllPages());
  EXPECT_EQ(List.Clears, 1);
  ASSERT_GE(List.Rows.size(), 3u);
  std::vector<int> pages;
  for (const auto& row : List.Rows) pages.push_back(row.Page);
  EXPECT_TRUE(std::is_sorted(pages.begin(), pages.end()));
  EXPECT_EQ(pages.front(), 1);
  EXPECT_EQ(pages.back(), 12);

  Editors.Load(fwtest::CleanRuleRecord());
  EXPECT_TRUE(Engine.CheckAllPages());
  EXPECT_TRUE(List.Rows.empty());
}

TEST_F(PageRulesTest, FailingRuleIsListedAndTheRestOfThePageRuns) {
  SetPageOneRules({"z001 / z002 > 1", "z001 >", "zz - 3 > 0", "z001 = 10", "z001 = 6"});
  EXPECT_FALSE(Engine.CheckPageRules(1, true));
  ASSERT_EQ(List.Rows.size(), 4u);
  EXPECT_EQ(List.Rows[0], (ListedRule{"z001 / z002 > 1", NotEvaluatedExplanation("除数为零"), "z001", 1}));
  EXPECT_EQ(List.Rows[1].Rule, "z001 >");
  EXPECT_TRUE(List.Rows[1].Explanation.startsWith("此逻辑关系无法计算（表达式有误"));
  EXPECT_EQ(List.Rows[2], (ListedRule{"zz - 3 > 0", NotEvaluatedExplanation("找不到变量 zz"), "z001", 1}));
  EXPECT_EQ(List.Rows[3], (ListedRule{"z001 = 10", "[" + Hint("z001") + "]必须等于5", "z001", 1}));
  EXPECT_TRUE(List.Shown);
  EXPECT_EQ(MessageTexts(), QStringList{"Control name parse error : zz"});
}

TEST_F(PageRulesTest, UnknownEditorNameFailsItsRulesOnly) {
  Editors.Remove("z003");
  EXPECT_FALSE(Engine.CheckPageRules(1, true));
  ASSERT_EQ(List.Rows.size(), 1u);
  EXPECT_EQ(List.Rows[0], (ListedRule{"z003<=z001", NotEvaluatedExplanation("找不到变量 z003"), "z003", 1}));
  EXPECT_EQ(MessageTexts(), QStringList{"Control name parse error : z003"});
}

TEST_F(PageRulesTest, RulesThatCannotBeReadKeepTheRecordFromPassing) {
  Db.Connection.Execute(QStringLiteral("drop table dt_logic"));
  EXPECT_FALSE(Engine.CheckPageRules(4, true));
  ASSERT_EQ(List.Rows.size(), 1u);
  EXPECT_EQ(List.Rows[0].Page, 4);
  EXPECT_TRUE(List.Rows[0].Explanation.startsWith("无法读取本页的逻辑规则"));
  ASSERT_EQ(Hooks.Messages.size(), 1u);
  EXPECT_TRUE(Hooks.Messages[0].Text.startsWith("运行中发生错误："));
}

// ---- Every shipped rule row ------------------------------------------------------------

using fwtest::RuleRow;

class ShippedRulesTest : public PageRulesTest {
protected:
  std::vector<RuleRow> Rules() { return fwtest::ReadRuleRows(Db.Connection, QStringLiteral("page_id, id")); }

  // Which rows a record breaks, all rows in one statement (much faster than one each).
  std::vector<bool> Fired(const std::vector<RuleRow>& rules, const std::map<std::string, int>& record) {
    Editors.Load(record);
    QStringList expressions;
    for (const RuleRow& rule : rules) expressions << rule.Expression;
    return fwtest::TrueThroughDatabase(Engine, Db.Connection, expressions);
  }

  std::map<std::string, int> BreakingOnly(const std::vector<RuleRow>& rules, size_t target) {
    std::vector<QStringList> fields;
    for (const RuleRow& rule : rules) fields.push_back(rule.Fields);
    return fwtest::BreakingOnly(fields, target, [&](const fwtest::RuleRecord& record) { return Fired(rules, record); });
  }
};

TEST_F(ShippedRulesTest, CleanRecordBreaksNothing) {
  EXPECT_TRUE(Engine.CheckAllPages());
  EXPECT_TRUE(List.Rows.empty());
  EXPECT_EQ(List.Clears, 1);
  EXPECT_FALSE(List.Shown);
  EXPECT_TRUE(Hooks.Messages.empty());
}

TEST_F(ShippedRulesTest, EveryRuleRowFiresOnARecordThatBreaksExactlyIt) {
  const auto rules = Rules();
  ASSERT_GE(rules.size(), 83u);
  for (size_t target = 0; target < rules.size(); ++target) {
    const RuleRow& rule = rules[target];
    const auto record = BreakingOnly(rules, target);
    ASSERT_FALSE(record.empty()) << "no record breaks only: " << rule.Expression.toStdString();
    Editors.Load(record);
    EXPECT_FALSE(Engine.CheckAllPages()) << rule.Expression.toStdString();
    ASSERT_EQ(List.Rows.size(), 1u) << rule.Expression.toStdString();
    EXPECT_EQ(List.Rows[0], (ListedRule{rule.Rule, Engine.ExplainToText(rule.Explain), rule.Focus, rule.Page}));
    EXPECT_FALSE(List.Rows[0].Explanation.contains(QRegularExpression("\\b[a-z][0-9]{3}\\b")))
        << "a code without its hint: " << List.Rows[0].Explanation.toStdString();
  }
  EXPECT_TRUE(Hooks.Messages.empty());
}

} // namespace
