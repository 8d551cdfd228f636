#pragma once
// The entry form's pages as data: for each editor its page, the line and column group
// of the page's table it stands in, how many groups it spans, the unit shown beside it
// and (on the cover) its fixed caption. The table is a resource of the program,
// "EntryLayout.tsv", read once at the first use.

#include <QString>
#include <vector>

namespace fw {

struct TEntryLayoutItem {
  int Page = 0;
  QString Field;
  int Row = 0;
  int Column = 0;
  int Span = 1;
  QString Unit;
  QString Caption;
};
using TEntryLayout = std::vector<TEntryLayoutItem>;

// The table's lines in file order; lines that do not read are left out.
TEntryLayout ParseEntryLayout(const QString& text);

// The program's table.
const TEntryLayout& EntryPageLayout();

// The lines of one page, in file order.
std::vector<const TEntryLayoutItem*> PageItems(const TEntryLayout& layout, int page);

} // namespace fw
