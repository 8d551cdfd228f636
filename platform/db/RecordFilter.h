#pragma once
// A data set's client-side filter: "field = value", "field <> 'text'", "field like 'x%'"
// ('*' and '?' also work), "field is [not] null", joined by and/or/not and parentheses.
// Text compares without regard to case; values are literals only, so a filter can
// never run SQL.

#include "platform/db/RowStore.h"

#include <QString>
#include <functional>
#include <memory>

namespace fw {

class TRecordFilter {
public:
  struct Node;
  // Throws EDatabaseError on a malformed filter; `columnOf` maps a field name to its
  // column (-1 when unknown, which is an error too).
  static TRecordFilter Parse(const QString& text, const std::function<int(const QString&)>& columnOf);

  bool Matches(const std::function<TCell(int column)>& cellOf) const;

private:
  std::shared_ptr<Node> root_;
};

// Shared by filters and Locate: compares a cell with a literal value.
int CompareCellWithValue(const TCell& cell, const QVariant& value, bool caseInsensitive, bool* comparable);
// SQL LIKE with % _ (and * ?) wildcards, case-insensitive.
bool LikeMatch(const QString& text, const QString& pattern);

} // namespace fw
