// The field-rule language of dt_fieldlist: value lists and comparisons against the
// organisation level, including the forms that never hold.
#include "core/FieldRules.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

struct RuleCase {
  const char* rule;
  int level;
  bool holds;
};

class FieldRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(FieldRuleTest, HoldsAsExpected) {
  const RuleCase& c = GetParam();
  EXPECT_EQ(ParseFieldRule(c.level, QString::fromUtf8(c.rule)), c.holds) << c.rule << " at level " << c.level;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FieldRuleTest,
    ::testing::Values(
        // Value lists.
        RuleCase{"in [1,2,3]", 1, true}, RuleCase{"in [1,2,3]", 3, true}, RuleCase{"in [1,2,3]", 4, false},
        RuleCase{"in [1, 2]", 2, true},  // a blank after the comma
        RuleCase{"in [300]", 300, false}, RuleCase{"in [300]", 44, false},  // above 255 is ignored
        RuleCase{"in [1,x,4]", 4, true}, RuleCase{"in [\"4\"]", 4, true}, RuleCase{"in 1,2", 1, false},  // no "["
        RuleCase{"in [1,2", 2, true},  // no "]": nothing is cut
        RuleCase{"in [1,2,4]", -1, false}, RuleCase{"in [1 - 3]", 2, false},  // no ranges
        // Comparisons.
        RuleCase{"<4", 3, true}, RuleCase{"<4", 4, false}, RuleCase{">=10", 10, true}, RuleCase{">=10", 9, false},
        RuleCase{">10", 11, true}, RuleCase{"=5", 5, true}, RuleCase{"<=2", 2, true}, RuleCase{"<=2", 3, false},
        RuleCase{"<>5", 4, true}, RuleCase{"<>5", 5, false}, RuleCase{" < 4 ", 1, false},  // leading blank: no operator
        RuleCase{"< 4", 1, true},
        // Operators outside the six, no operator, no number.
        RuleCase{"=>", 5, false}, RuleCase{"=>5", 6, false}, RuleCase{"><5", 1, false}, RuleCase{"5", 5, false},
        RuleCase{"<x", 1, false}, RuleCase{"", 1, false}));

TEST(ValueSetTest, SplitsAtCommasBlanksAndKeepsQuotedItems) {
  const TValueSet set = ParseValueSet(QStringLiteral(" 1,2 3\t255,256,-1,\"7\",\"8 9\",,x,010"));
  TValueSet expected;
  for (int v : {1, 2, 3, 255, 7, 10}) expected.set(size_t(v));
  EXPECT_EQ(set, expected);
  EXPECT_TRUE(ParseValueSet(QString()).none());
}

} // namespace
