#include "controls/common/FwIntegerList.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

std::vector<int> Values(const TFwIntegerList& list) {
  std::vector<int> v;
  for (int i = 0; i < list.Count(); ++i) v.push_back(list.Items(i));
  return v;
}

} // namespace

TEST(FwIntegerList, RangeRules) {
  TFwIntegerList list;
  // Min = Max means no range.
  list.Add(-1000000);
  list.Add(1000000);
  EXPECT_EQ(list.Count(), 2);
  list.Clear();

  list.Add(3);
  try {
    list.SetMin(5);
    FAIL() << "a minimum above a value must be refused";
  } catch (const EOutOfRange& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Unable to set new minimum value.\rList contains values below 5"));
  }
  EXPECT_EQ(list.Min(), 0);
  EXPECT_EQ(Values(list), std::vector<int>{3});
  EXPECT_THROW(list.SetMax(2), EOutOfRange);
  EXPECT_EQ(list.Max(), 0);

  list.SetMin(1);
  EXPECT_EQ(list.Max(), 1);  // raised to the new minimum
  list.SetMax(10);
  try {
    list.Add(11);
    FAIL() << "a value above the range must be refused";
  } catch (const EOutOfRange& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Value must be within 1..10"));
  }
  EXPECT_THROW(list.SetItems(0, 0), EOutOfRange);
  EXPECT_EQ(Values(list), std::vector<int>{3});

  TFwIntegerList empty;
  empty.SetMax(-1);
  EXPECT_EQ(empty.Min(), -1);
  EXPECT_EQ(empty.Max(), -1);
}

TEST(FwIntegerList, DuplicatesTable) {
  struct Case {
    const char* name;
    bool sorted;
    TDuplicates duplicates;
    std::vector<int> adds;
    std::vector<int> expected;
    std::vector<int> indexes;  // what each Add returned; -2 marks an EListError
  };
  const std::vector<Case> cases = {
      {"unsorted ignore", false, TDuplicates::dupIgnore, {7, 3, 7}, {7, 3}, {0, 1, 0}},
      {"unsorted accept", false, TDuplicates::dupAccept, {7, 3, 7}, {7, 3, 7}, {0, 1, 2}},
      {"sorted ignore", true, TDuplicates::dupIgnore, {7, 3, 7, 5}, {3, 5, 7}, {0, 0, 1, 1}},
      {"sorted accept", true, TDuplicates::dupAccept, {7, 3, 7}, {3, 7, 7}, {0, 0, 1}},
      {"sorted error", true, TDuplicates::dupError, {7, 3, 7}, {3, 7}, {0, 0, -2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFwIntegerList list;
    list.SetDuplicates(c.duplicates);
    list.SetSorted(c.sorted);
    std::vector<int> indexes;
    for (int v : c.adds) {
      try {
        indexes.push_back(list.Add(v));
      } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Duplicates not allowed"));
        indexes.push_back(-2);
      }
    }
    EXPECT_EQ(Values(list), c.expected);
    EXPECT_EQ(indexes, c.indexes);
  }
}

TEST(FwIntegerList, FindWithAndWithoutDuplicates) {
  for (TDuplicates dup : {TDuplicates::dupIgnore, TDuplicates::dupAccept}) {
    TFwIntegerList list;
    list.SetDuplicates(TDuplicates::dupAccept);
    list.SetSorted(true);
    for (int v : {1, 4, 4, 4, 9}) list.Add(v);
    list.SetDuplicates(dup);
    int index = -1;
    EXPECT_TRUE(list.Find(4, index));
    // Accepting duplicates finds the first of equal values; otherwise the search stops at
    // the first equal value it meets.
    if (dup == TDuplicates::dupAccept)
      EXPECT_EQ(index, 1);
    else
      EXPECT_EQ(list.Items(index), 4);
    EXPECT_FALSE(list.Find(5, index));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(list.Find(0, index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Find(10, index));
    EXPECT_EQ(index, 5);
  }
}

TEST(FwIntegerList, InsertMoveAndSort) {
  TFwIntegerList list;
  list.SetDuplicates(TDuplicates::dupAccept);
  for (int v : {5, 1, 4}) list.Add(v);
  list.Insert(list.Count(), 2);
  EXPECT_EQ(Values(list), (std::vector<int>{5, 1, 4, 2}));
  try {
    list.Insert(list.Count() + 1, 9);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (5)"));
  }
  EXPECT_THROW(list.Insert(-1, 9), EListError);
  list.Move(0, 3);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 4, 2, 5}));
  list.Exchange(0, 1);
  EXPECT_EQ(Values(list), (std::vector<int>{4, 1, 2, 5}));
  EXPECT_EQ(list.IndexOf(2), 2);
  EXPECT_EQ(list.IndexOf(8), -1);
  EXPECT_THROW(list.Delete(4), EListError);

  list.SetSorted(true);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 4, 5}));
  EXPECT_THROW(list.Insert(0, 3), EListError);
  EXPECT_EQ(list.Add(3), 2);

  TFwIntegerList copy;
  copy.Assign(list);
  EXPECT_TRUE(copy.Equals(list));
  copy.Delete(0);
  EXPECT_FALSE(copy.Equals(list));
}
