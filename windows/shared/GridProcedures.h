#pragma once
// Procedures shared by the windows' data-aware lists: deleting the records marked in a
// list, the columns of record lists, the striped drawing of list rows and sorting a list
// by a click on a title.

#include "platform/ui/DBGrid.h"

#include <QString>
#include <vector>

namespace fw {

class TDataSet;

inline const QString kDeleteSelectedQuestion = QStringLiteral("您确定要删除当前所选择的记录吗?");
// Row colours of striped lists: odd and even record numbers.
constexpr TColor kOddRowColor = RGB(249, 251, 231);
constexpr TColor kEvenRowColor = RGB(219, 219, 241);
// Sort marks appended to the sorted column's title.
inline const QString kAscendingMark = QStringLiteral("▲");
inline const QString kDescendingMark = QStringLiteral("▼");

// The rows of `dataSet` that `grid` shows selected, in the list's order: the marked rows,
// or the current record's when none is marked (none when the list is empty). The list's
// actions on its selected records read them from these rows without moving the data set.
std::vector<int> SelectedListRows(const TDBGrid& grid, const TDataSet& dataSet);

// Deletes from `table` the records `grid` shows selected (SelectedListRows), identified
// by the `key` column of `dataSet`, after asking
// "您确定要删除当前所选择的记录吗?": 是/否 for one record, 否/全都是 for several (one
// transaction deletes them all). The data set is then requeried and stands on the record
// it stood on, or, when that one was deleted, on the one now in its place
// (RequeryKeepingPlace). Returns the number of records deleted. A failing statement
// raises EDatabaseError to the caller.
int DeleteSelectedRecords(TDBGrid& grid, TDataSet& dataSet, const QString& table, const QString& key);

// Requeries a list after a change to its table and keeps it on its record; when that
// record is gone, on the record that now stands at its place (the last one when the
// list got shorter than that). A closed list is opened. Every window refreshes a record
// list this way (the main list after an entry, import, check, search or deletion).
void RequeryKeepingPlace(TDataSet& dataSet);

// The grid's cell-drawing handler of striped lists: cells that are not highlighted get
// RGB(249,251,231) on odd records and RGB(219,219,241) on even ones, then the grid draws
// the cell its default way.
void DrawGridRowStripes(TDBGrid& grid, const TRect& rect, int dataCol, TColumn* column, TGridDrawState state);

// Makes the grid a record list as the windows show them: read-only, whole rows selected
// and several marked, titles in 宋体 13 pixels on the fixed colour, rows striped.
void SetUpRecordList(TDBGrid& grid, TColor fixedColor);

// A column of a record list for one field: its field, width and title (centred), the
// values left-aligned or, for the record state, centred.
TColumn* AddListColumn(TDBGridColumns& columns, const QString& fieldName, const QString& title, int width, bool centred);

// The title-click handler of sortable lists. `state` (0 unsorted, 1 ascending, 2
// descending) and `previous` (the column sorted before) belong to the list: from 0 or 2
// the column is sorted ascending, from 1 descending, on the data set's client-side
// sort. The title carries one mark (▲ or ▼); a column sorted for the first time gets a
// lime title, and the column sorted before gets back an inactive title without mark.
void SortGridByTitle(TColumn* column, int& state, TColumn*& previous, TDataSet& dataSet);

} // namespace fw
