// The WHERE clauses of the code-range search and the indicator query, and the input they
// refuse.
#include "core/SearchConditions.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

enum Op { none = -1, eq = 1, gt = 2, lt = 3, ge = 4, le = 5 };
constexpr int kAnd = 1;
constexpr int kOr = 2;

struct Case {
  const char* name;
  TSearchBound first;
  int connector;
  TSearchBound second;
  const char* where; // empty: refused
  const char* error;
  int bound;
};

TEST(SearchConditions, CodeRange) {
  const Case cases[] = {
      {"first only", {" 110000000000 ", eq}, kAnd, {"", eq}, "where c901=110000000000", "", 0},
      {"both with 和", {"110000000000", ge}, kAnd, {"120000000000", lt}, "where c901>=110000000000 AND c901<120000000000", "", 0},
      {"either with 或", {"110000000001", le}, kOr, {"120000000001", ge}, "where c901<=110000000001 OR c901>=120000000001", "", 0},
      // The second number alone takes the second operator and no connector.
      {"second only", {"  ", eq}, kOr, {"120000000000", gt}, "where c901>120000000000", "", 0},
      {"nothing", {"", eq}, kAnd, {" ", eq}, "", "请至少输入一个条件", 0},
      {"pasted text", {"1 or 1=1", eq}, kAnd, {"", eq}, "", "第一个条件的数值只能是数字", 1},
      {"unknown operator", {"1", 9}, kAnd, {"", eq}, "", "第一个条件缺少比较符", 1},
      {"unknown connector", {"1", eq}, 7, {"2", eq}, "", "请选择两个条件之间的连接方式", 0},
  };
  for (const Case& c : cases) {
    const TSearchCondition result = CodeRangeCondition(c.first, c.connector, c.second);
    EXPECT_EQ(result.Where.toStdString(), c.where) << c.name;
    EXPECT_EQ(result.Error.toStdString(), c.error) << c.name;
    EXPECT_EQ(result.Bound, c.bound) << c.name;
  }
}

TEST(SearchConditions, Indicator) {
  const struct {
    const char* name;
    const char* indicator;
    TSearchBound first, second;
    const char* where;
    const char* error;
    int bound;
  } cases[] = {
      {"both bounds", "z001", {"5", gt}, {"10", le}, "where z001>5 and z001<=10", "", 0},
      {"first only", "b004", {"0", eq}, {"", none}, "where b004=0", "", 0},
      {"second only", "z001", {"", none}, {"10", lt}, "where z001<10", "", 0},
      {"no indicator", " ", {"5", gt}, {"", none}, "", "请选择指标", 0},
      {"no number", "z001", {"", gt}, {"", none}, "", "请至少输入一个条件", 1},
      {"number without operator", "z001", {"5", none}, {"", none}, "", "第一个条件缺少比较符", 1},
      {"operator without number", "z001", {"5", gt}, {"", lt}, "", "第二个条件缺少数值", 2},
      {"second number without operator", "z001", {"", none}, {"7", none}, "", "第二个条件缺少比较符", 2},
      {"c901 of twelve digits", "c901", {"110000000000", ge}, {"119999999999", le},
       "where c901>=110000000000 and c901<=119999999999", "", 0},
      {"c901 short bound", "c901", {"110000000000", ge}, {"11999999999", le}, "", "c901必须为12位", 2},
      {"c901 long bound", "c901", {"1100000000001", ge}, {"", none}, "", "c901必须为12位", 1},
      {"indicator not a column", "z001;drop", {"5", gt}, {"", none}, "", "指标“z001;drop”无效，请重新选择指标", 0},
      {"pasted number", "z001", {"5 or 1=1", gt}, {"", none}, "", "第一个条件的数值只能是数字", 1},
  };
  for (const auto& c : cases) {
    const TSearchCondition result = IndicatorCondition(QString::fromUtf8(c.indicator), c.first, c.second);
    EXPECT_EQ(result.Where.toStdString(), c.where) << c.name;
    EXPECT_EQ(result.Error.toStdString(), c.error) << c.name;
    EXPECT_EQ(result.Bound, c.bound) << c.name;
  }
}

TEST(SearchConditions, CodeLists) {
  EXPECT_EQ(SearchOperators().size(), 5u);
  EXPECT_EQ(SearchOperators()[3].Name, QStringLiteral(">="));
  EXPECT_EQ(SearchConnectors()[1].Name, QStringLiteral("或"));
  EXPECT_EQ(ConnectorSql(1), QStringLiteral(" AND "));
  EXPECT_EQ(ConnectorSql(2), QStringLiteral(" OR "));
}

} // namespace
