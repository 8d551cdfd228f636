// The compiled logic rules: expressions evaluated exactly as the database evaluates the
// page rules (the page rule engine is the oracle), the shipped rules against the rule
// texts they are shown with, and rules of several rows.
#include "core/CompiledRules.h"
#include "core/RuleExplain.h"
#include "platform/db/AdoQuery.h"
#include "tests/core/WorkingDatabase.h"
#include "tests/support/RuleRecords.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace fw;

// Slots are the fields in the order given.
TSlotResolver SlotsOf(const QStringList& fields) {
  return [fields](const QString& name) {
    for (int i = 0; i < fields.size(); ++i)
      if (fields[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
  };
}

class CompiledRulesTest : public ::testing::Test {
protected:
  QStringList DataColumns() {
    TADOQuery query(&Db.Connection);
    query.SetSQL(QStringLiteral("select * from dt_data where 1=0"));
    query.Open();
    return query.FieldNames();
  }

  fwtest::ScriptedHooks Hooks;
  fwtest::WorkingDatabase Db;
  fwtest::FakeRuleEditors Editors;
  fwtest::RecordingMessageList List;
  TPageRuleEngine Engine{Db.Connection, Editors, List};
};

TEST_F(CompiledRulesTest, ExpressionsEvaluateAsTheDatabaseEvaluatesThem) {
  const QStringList fields = {"z001", "z002", "z003", "b004"};
  const struct {
    const char* expression;
    std::vector<double> values;  // z001, z002, z003, b004
  } cases[] = {
      {"z001 < z002 + z003", {5, 2, 4, 0}},
      {"z001 > z002 + z003", {5, 2, 4, 0}},
      {"Z001 = 5 AND z002 = 2", {5, 2, 4, 0}},
      {"z001 + 1", {-2, 0, 0, 0}},                    // any value but -1 holds; -1 breaks
      {"z001 * 2 - z002 / 4 = 9.5", {5, 2, 0, 0}},
      {"not z001 = z002", {5, 2, 0, 0}},              // not takes the comparison
      {"z001 = 1 and z002 > 3 or z003 = 0", {2, 0, 0, 0}},
      {"z001 > 2 = -1", {5, 0, 0, 0}},                // a comparison's true is -1
      {"z001 > z002 < z003", {5, 2, 1, 0}},           // comparisons group from the left
      {"-z001 < -4", {5, 0, 0, 0}},
      {"z001 - -z002 = 7", {5, 2, 0, 0}},
      {"z001 > 0.5", {1, 0, 0, 0}},
      {"b004 and z001", {5, 0, 0, 0.5}},              // any number but 0 is true
      {"b004 and z001", {5, 0, 0, 1.5}},
      {"not b004", {0, 0, 0, 0.5}},
      {"b004 = 2.5 and z001 = 5", {5, 0, 0, 2.5}},
      // Division by zero cannot be evaluated, wherever it is, ...
      {"z001 / z002 > 1", {5, 0, 0, 0}},
      {"z002 = 0 and z001 / z002 > 1", {5, 0, 0, 0}},
      {"0.0 and z001 / z002 > 1", {5, 0, 0, 0}},
      {"-z002 and z001 / z002 > 1", {5, 0, 0, 0}},
      {"(z002 and z001) and z001 / z002 > 1", {5, 0, 0, 0}},
      {"z003 and z001 / z002 > 1", {5, 0, 1, 0}},
      // ... except beside a whole number written as such, which decides at once an "and"
      // when it is 0 and an "or" when it is not.
      {"z002 and z001 / z002 > 1", {5, 0, 0, 0}},
      {"z001 / z002 > 1 and z002", {5, 0, 0, 0}},
      {"0 and z001 / z002 > 1", {5, 0, 0, 0}},
      {"z001 or z001 / z002 > 1", {5, 0, 0, 0}},
      {"z001 / z002 > 1 or 3", {5, 0, 0, 0}},
      // NULL from an overflowing sum passes through, and "and"/"or" may decide anyway.
      {"b004 * 10 - b004 * 10 > 0", {5, 0, 0, 1e308}},
      {"not (b004 * 10 - b004 * 10 > 0)", {5, 0, 0, 1e308}},
      {"(b004 * 10 - b004 * 10 > 0) and z001 = 1", {5, 0, 0, 1e308}},
      {"(b004 * 10 - b004 * 10 > 0) and z001 = 5", {5, 0, 0, 1e308}},
      {"(b004 * 10 - b004 * 10 > 0) or z001 = 5", {5, 0, 0, 1e308}},
      {"b004 * 10 > z001", {5, 0, 0, 1e308}},
      // Names that are no field, and texts that are no expression.
      {"zz9 > 0", {0, 0, 0, 0}},
      {"zz - 3 > 0 and z001 > qq", {0, 0, 0, 0}},
      {"z001 >", {0, 0, 0, 0}},
      {"(z001 > 1", {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const QString expression = QString::fromUtf8(c.expression);
    for (int i = 0; i < fields.size(); ++i) Editors.Set(fields[i], c.values[size_t(i)]);
    const TRuleEvaluation expected = Engine.EvalRuleExpr(expression);
    const TRuleEvaluation actual = TRuleProgram::Compile(expression, SlotsOf(fields)).Evaluate(c.values.data());
    EXPECT_EQ(actual.Verdict, expected.Verdict) << c.expression;
    // The database's own words for a syntax error are not ours; the kind of problem is.
    const QString kind = expected.Problem.startsWith(QStringLiteral("表达式有误")) ? QStringLiteral("表达式有误")
                                                                                      : expected.Problem;
    EXPECT_TRUE(actual.Problem.startsWith(kind)) << c.expression << ": " << actual.Problem.toStdString();
  }
}

TEST_F(CompiledRulesTest, DeepExpressionsAndUnknownNames) {
  // Forty nested sums need more room than the evaluation keeps at hand.
  QString expression = QStringLiteral("z001");
  for (int i = 0; i < 40; ++i) expression = QStringLiteral("z001 + (%1)").arg(expression);
  const double z001 = 2;
  EXPECT_EQ(TRuleProgram::Compile(expression + QStringLiteral(" = 82"), SlotsOf({"z001"})).Evaluate(&z001).Verdict,
            TRuleVerdict::Broken);

  // Every occurrence of an unknown name is named, as the page rules name them.
  const TRuleProgram unknown = TRuleProgram::Compile(QStringLiteral("q1 > q1 + z001,z002"), SlotsOf({"z001"}));
  EXPECT_FALSE(unknown.Compiled());
  EXPECT_EQ(unknown.Problem(), QStringLiteral("找不到变量 q1、q1、z001,z002"));
  EXPECT_EQ(unknown.Evaluate(&z001).Verdict, TRuleVerdict::NotEvaluated);
}

TEST_F(CompiledRulesTest, RuleOfSeveralRowsIsReportedOnceWithTheFirstRowThatFires) {
  const QStringList fields = {"z001", "z002"};
  const TCompiledRuleSet set = TCompiledRuleSet::Build(
      {{1, "z001 > 1", "z001", "first", "A"},
       {1, "z001 > 2", "z002", "second", "A"},
       {1, "z001 / z002 > 0", "z001", "third", "B"},
       {2, "z001 > 0", "z001", "fourth", "B"}},  // same text on another page: another rule
      fields);
  ASSERT_EQ(set.Rules().size(), 3u);
  EXPECT_EQ(set.Rules()[0].Rows.size(), 2u);
  EXPECT_EQ(set.SlotFields(), fields);

  std::vector<TBrokenRule> broken;
  const double three[] = {3, 0};
  EXPECT_FALSE(set.Check(three, broken));
  ASSERT_EQ(broken.size(), 3u);
  EXPECT_EQ(broken[0].Rule, 0);
  EXPECT_EQ(broken[0].Row, 0);
  EXPECT_EQ(set.Explanation(broken[0]), QStringLiteral("first"));
  EXPECT_TRUE(broken[1].NotEvaluated());
  EXPECT_EQ(set.Explanation(broken[1]), NotEvaluatedExplanation(QStringLiteral("除数为零")));
  EXPECT_EQ(set.Explanation(broken[2]), QStringLiteral("fourth"));

  const double zero[] = {0, 1};
  EXPECT_TRUE(set.Check(zero, broken));
  EXPECT_TRUE(broken.empty());
}

// The shipped rows against the rule texts the user reads: a record breaks a rule exactly
// when its text is false, and a rule with two explanations gives the first in its case.
TEST_F(CompiledRulesTest, ShippedRowsBreakExactlyWhenTheRuleTextIsFalse) {
  const QStringList columns = DataColumns();
  TRuleExplainer explainer(Db.Connection);
  const TCompiledRuleSet set = TCompiledRuleSet::Load(Db.Connection, columns, explainer);
  ASSERT_EQ(set.Rules().size(), 83u);

  // Rule number (1-based) -> the field and value that select the first explanation.
  const std::map<int, std::pair<QString, double>> firstCase = {
      {9, {"z010", 1}},  {19, {"x001", 0}}, {42, {"b023", 0}}, {45, {"b035", 1}}, {52, {"f009", 1}},
      {73, {"s006", 1}}, {80, {"w004", 0}}, {82, {"g001", 0}}, {83, {"g003", 0}}};
  const TSlotResolver slotOf = [&](const QString& name) {
    return int(set.SlotFields().indexOf(name.toLower()));
  };
  std::vector<TRuleProgram> texts;
  for (const TCompiledRule& rule : set.Rules()) {
    texts.push_back(TRuleProgram::Compile(rule.Rule, slotOf));
    ASSERT_TRUE(texts.back().Compiled()) << rule.Rule.toStdString();
    const int number = int(texts.size());
    EXPECT_EQ(rule.Rows.size(), firstCase.count(number) ? 2u : 1u) << number;
  }

  std::mt19937 random(15);
  std::vector<double> values(size_t(set.SlotFields().size()));
  std::vector<int> brokenPerRule(texts.size());
  for (int record = 0; record < 4000; ++record) {
    for (size_t slot = 0; slot < values.size(); ++slot) {
      const unsigned pick = random() % 10;
      values[slot] = pick < 6 ? double(pick % 3) : pick < 9 ? double(random() % 8) : (random() % 40) / 4.0;
      if (set.SlotFields()[int(slot)] == QLatin1String("c904")) values[slot] = 1 + random() % 12;  // a level code
    }
    for (size_t r = 0; r < texts.size(); ++r) {
      const TCompiledRule& rule = set.Rules()[r];
      const bool textHolds = texts[r].Evaluate(values.data()).Verdict == TRuleVerdict::Broken;  // true is -1
      int firing = -1;
      for (size_t row = 0; row < rule.Rows.size(); ++row)
        if (rule.Rows[row].Condition.Evaluate(values.data()).Verdict == TRuleVerdict::Broken) {
          EXPECT_EQ(firing, -1) << "two rows of one rule fire: " << rule.Rule.toStdString();
          firing = int(row);
        }
      ASSERT_EQ(firing >= 0, !textHolds) << "rule " << r + 1 << ", record " << record;
      if (firing < 0) continue;
      ++brokenPerRule[r];
      const auto found = firstCase.find(int(r) + 1);
      if (found == firstCase.end()) continue;
      const bool inFirstCase = values[size_t(slotOf(found->second.first))] == found->second.second;
      EXPECT_EQ(firing, inFirstCase ? 0 : 1) << "rule " << r + 1;
    }
  }
  for (size_t r = 0; r < brokenPerRule.size(); ++r) EXPECT_GT(brokenPerRule[r], 0) << "rule " << r + 1 << " never broke";
}

} // namespace
