#pragma once
// The summary sheets: for each sheet of the summary workbook its title, the fields it
// adds up, how each field is counted, and the SQL select list built from them.
//
// Sheet 1 is the cover and has no definition; sheets 2 to 19 each sum a run of fields of
// dt_data. The template's headings follow the same order, one column per result column
// from column B on.

#include <QString>
#include <QStringList>
#include <vector>

namespace fw {

inline constexpr int kFirstSummarySheet = 2;
inline constexpr int kLastSummarySheet = 19;

// How a field is counted.
enum class TSummaryKind {
  Count,    // the number of records ("count(*) as cnt"), no field
  Numeric,  // a quantity: its sum
  YesNo,    // 1 yes, 2 no, 0 not answered: the 1s, then the 2s and 0s together
  ThreeWay, // a code 1 to 3: how many of each
  FourWay,  // a code 1 to 4: how many of each
};

struct TSummaryItem {
  TSummaryKind Kind = TSummaryKind::Numeric;
  QString Field; // empty for Count
};

struct TSummarySheetDef {
  int SheetNo = 0;
  QString Title;  // the sheet's title in the template
  std::vector<TSummaryItem> Items;
  QString Filter; // the condition after " where "
};

// The definitions of sheets 2 to 19, in sheet order.
const std::vector<TSummarySheetDef>& SummarySheetDefs();
// The definition of a sheet; nullptr outside 2..19.
const TSummarySheetDef* FindSummarySheetDef(int sheetNo);

// The select-list text of one item, e.g. "sum(z001) as sum_z001".
QString SummaryItemSql(const TSummaryItem& item);
// The names of the result columns an item gives, e.g. {"sum_z010_1", "sum_z010_2"}.
QStringList SummaryItemColumns(const TSummaryItem& item);
// Number of result columns of a sheet's list (its columns from B in the workbook).
int SummaryColumnCount(int sheetNo);

// Builds the select lists on the first call; later calls do nothing.
void InitSummaryDefs();
// The select list of a sheet: its items joined by "," followed by " from dt_data where "
// and the filter. Empty outside 2..19 or before InitSummaryDefs.
QString SummarySelectList(int sheetNo);

} // namespace fw
