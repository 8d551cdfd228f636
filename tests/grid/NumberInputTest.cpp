// The input rule of number cells, as a table: each row a cell's limits, a candidate
// text and caret, and what the rule must answer and leave behind.

#include "grid/NumberInput.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

struct Case {
  int intLength;
  int decLength;
  bool allowNegative;
  int maxLength;
  const char* candidate;
  int caret;
  bool accepted;
  const char* result;  // the candidate afterwards
  int resultCaret;
};

TCellInfo NumberCell(const Case& c) {
  TCellInfo cell;
  cell.DataStyle = TDataStyle::dsNumber;
  cell.IntLength = c.intLength;
  cell.DecLength = c.decLength;
  cell.AllowNegative = c.allowNegative;
  cell.MaxLength = c.maxLength;
  return cell;
}

TEST(ValidateNumberInput, CandidatesOfNumberCells) {
  const Case cases[] = {
      // Digits, sign and one point within 3 whole and 2 decimal places.
      {3, 2, true, 255, "123.45", 6, true, "123.45", 6},
      {3, 2, true, 255, "-123.45", 7, true, "-123.45", 7},
      {3, 2, true, 255, "", 0, true, "", 0},
      {3, 2, true, 255, "-", 1, true, "-", 1},
      {3, 2, true, 255, "1234", 4, false, "1234", 4},
      {3, 2, true, 255, "1234.5", 4, false, "1234.5", 4},
      {3, 2, true, 255, "12.345", 6, false, "12.345", 6},
      {3, 2, true, 255, "1-2", 2, false, "1-2", 2},
      {3, 2, true, 255, "--1", 2, false, "--1", 2},
      {3, 2, true, 255, "1.2.", 4, false, "1.2.", 4},
      {3, 2, true, 255, "00", 2, false, "00", 2},
      {3, 2, true, 255, "05", 2, true, "05", 2},
      {3, 2, true, 255, "1a", 2, false, "1a", 2},
      {3, 2, true, 255, "1,234", 2, false, "1,234", 2},  // separators are never typed
      {3, 2, true, 255, " 1", 1, false, " 1", 1},
      // A leading point gets its zero, and the caret moves with it.
      {3, 2, true, 255, ".", 1, true, "0.", 2},
      {3, 2, true, 255, "-.", 2, true, "-0.", 3},
      {3, 2, true, 255, ".5", 1, true, "0.5", 2},
      {3, 2, true, 255, "..", 1, false, "..", 1},
      // No sign when negatives are not allowed.
      {3, 2, false, 255, "-1", 1, false, "-1", 1},
      {3, 0, false, 255, "-1", 1, false, "-1", 1},
      // The length limit counts sign and point.
      {3, 2, true, 4, "-1.2", 4, true, "-1.2", 4},
      {3, 2, true, 4, "-1.25", 5, false, "-1.25", 5},
      {3, 2, true, 0, "123.45", 6, true, "123.45", 6},  // 0: no limit
      // Whole numbers: at most IntLength digits, signed or not.
      {3, 0, true, 255, "123", 3, true, "123", 3},
      {3, 0, true, 255, "-123", 4, true, "-123", 4},
      {3, 0, true, 255, "1234", 4, false, "1234", 4},
      {3, 0, false, 255, "12345", 5, false, "12345", 5},
      {3, 0, true, 255, "1.5", 3, false, "1.5", 3},
      {3, 0, true, 255, "1-", 2, false, "1-", 2},
      {3, 0, true, 255, "00", 2, false, "00", 2},
      {3, 0, true, 255, "-", 1, true, "-", 1},
  };
  for (const Case& c : cases) {
    const TCellInfo cell = NumberCell(c);
    QString candidate = QString::fromUtf8(c.candidate);
    int caret = c.caret;
    EXPECT_EQ(ValidateNumberInput(cell, candidate, caret), c.accepted) << c.candidate;
    EXPECT_EQ(candidate, QString::fromUtf8(c.result)) << c.candidate;
    EXPECT_EQ(caret, c.resultCaret) << c.candidate;
  }
}

TEST(ValidateNumberInput, OtherCellsAcceptAnything) {
  for (TDataStyle style : {TDataStyle::dsText, TDataStyle::dsDate, TDataStyle::dsTime, TDataStyle::dsFormula}) {
    TCellInfo cell;
    cell.DataStyle = style;
    QString text = QStringLiteral("abc.-,1");
    int caret = 0;
    EXPECT_TRUE(ValidateNumberInput(cell, text, caret));
    EXPECT_EQ(text, QStringLiteral("abc.-,1"));
  }
}

} // namespace
