#pragma once
// The field rules of dt_fieldlist: whether a sheet field is open for an organisation
// level (c904). A rule is a value list ("in [1,2,4]": open for the levels listed) or a
// comparison of the level with a number by one of the operators > = < >= <= <> ("<4").
// An empty rule is not a rule: the field is always open (the caller skips it).

#include <QString>
#include <bitset>

namespace fw {

// A set of the integers 0..255.
using TValueSet = std::bitset<256>;

// The integers 0..255 listed in the text. Items are separated by commas, blanks and
// other control characters; a double-quoted item is kept together (a doubled quote
// inside it stands for one). Items that are not integers in 0..255 are left out; there
// are no ranges.
TValueSet ParseValueSet(const QString& text);

// Whether the rule holds for the level.
// - A rule that contains "in" (as written, case-sensitive) takes the list after the first
//   "[" up to the last "]" (to the end without one); it holds when the level is listed.
//   Without "[" the list is empty and the rule never holds.
// - Any other rule is a comparison: its leading run of the characters <, = and > is the
//   operator, the rest (trimmed) the number. An operator other than the six, no operator
//   or a rest that is no integer makes the rule fail.
bool ParseFieldRule(int level, const QString& rule);

} // namespace fw
