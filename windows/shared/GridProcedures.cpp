#include "windows/shared/GridProcedures.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/BatchInsert.h"
#include "platform/shell/Hooks.h"

#include <algorithm>

namespace fw {

namespace {

// Question dialog buttons.
constexpr int kYesButton = 1;
constexpr int kNoButton = 2;
constexpr int kYesToAllButton = 4;

int Ask(int buttons) { return CurrentHooks().Question(kDeleteSelectedQuestion, buttons); }

} // namespace

std::vector<int> SelectedListRows(const TDBGrid& grid, const TDataSet& dataSet) {
  const TBookmarkList& marks = grid.SelectedRows();
  if (marks.Count() > 0) return marks.Rows();
  if (!dataSet.Active() || dataSet.CurrentRow() < 0) return {};
  return {dataSet.CurrentRow()};
}

int DeleteSelectedRecords(TDBGrid& grid, TDataSet& dataSet, const QString& table, const QString& key) {
  // The list's data set lives on the main window's connection.
  TADOConnection* connection = dataSet.Connection();
  if (!connection || !dataSet.Active() || dataSet.IsEmpty()) return 0;
  const int column = dataSet.FieldByName(key)->Index();
  const std::vector<int> rows = SelectedListRows(grid, dataSet);
  QVariantList keys;
  for (int row : rows) keys << dataSet.Value(row, column);

  if (grid.SelectedRows().Count() <= 1) {
    // Enter keeps the record: 否 is the default.
    if (Ask(kYesButton | kNoButton | MB_DEFBUTTON2) != IDYES) return 0;
    const int deleted = DeleteRowsByKey(*connection, table, key, keys);
    RequeryKeepingPlace(dataSet);
    return deleted;
  }

  // Several rows: one question for them all, asked on the first marked row.
  const int current = dataSet.RecNo();
  dataSet.SetRecNo(rows.front() + 1);
  // 否 comes first and is the default, so Enter keeps the records.
  if (Ask(kNoButton | kYesToAllButton | MB_DEFBUTTON1) != IDYESTOALL) return 0;
  const int deleted = DeleteRowsByKey(*connection, table, key, keys);
  // Back to the record the list stood on (or, when it went too, the one now in its place).
  dataSet.SetRecNo(current);
  RequeryKeepingPlace(dataSet);
  return deleted;
}

void RequeryKeepingPlace(TDataSet& dataSet) {
  if (!dataSet.Active()) {
    dataSet.Open();
    return;
  }
  const int position = dataSet.RecNo();
  TBookmark bookmark = dataSet.GetBookmark();
  dataSet.Requery();
  if (dataSet.BookmarkValid(bookmark))
    dataSet.GotoBookmark(bookmark);
  else if (!dataSet.IsEmpty())
    dataSet.SetRecNo(std::min(position, dataSet.RecordCount()));
  dataSet.FreeBookmark(bookmark);
}


void SetUpRecordList(TDBGrid& grid, TColor fixedColor) {
  grid.SetReadOnly(true);
  grid.SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgRowSelect |
                  dgAlwaysShowSelection | dgMultiSelect);
  grid.SetFixedColor(fixedColor);
  grid.TitleFont().SetName(QStringLiteral("宋体"));
  grid.TitleFont().SetHeight(-13);
  grid.SetDefaultDrawing(false);
  grid.OnDrawColumnCell = [&grid](TObject*, const TRect& rect, int dataCol, TColumn* column, TGridDrawState state) {
    DrawGridRowStripes(grid, rect, dataCol, column, state);
  };
}

TColumn* AddListColumn(TDBGridColumns& columns, const QString& fieldName, const QString& title, int width, bool centred) {
  TColumn* column = columns.Add();
  column->SetAlignment(centred ? TAlignment::taCenter : TAlignment::taLeftJustify);
  column->SetWidth(width);
  column->SetFieldName(fieldName);
  column->Title().SetCaption(title);
  column->Title().SetAlignment(TAlignment::taCenter);
  return column;
}

void DrawGridRowStripes(TDBGrid& grid, const TRect& rect, int dataCol, TColumn* column, TGridDrawState state) {
  if (!(state & gdSelected)) grid.Canvas().Brush().SetColor(grid.DrawingRecNo() % 2 == 1 ? kOddRowColor : kEvenRowColor);
  grid.DefaultDrawColumnCell(rect, dataCol, column, state);
}

namespace {

bool EndsWithMark(const QString& caption) {
  return caption.endsWith(kAscendingMark) || caption.endsWith(kDescendingMark);
}

} // namespace

void SortGridByTitle(TColumn* column, int& state, TColumn*& previous, TDataSet& dataSet) {
  if (!column) return;
  const bool descending = state == 1;
  dataSet.SetSort(column->FieldName() + (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
  state = descending ? 2 : 1;

  QString caption = column->Title().Caption();
  if (caption.contains(kAscendingMark) || caption.contains(kDescendingMark)) caption.chop(1);
  column->Title().SetCaption(caption + (state == 1 ? kAscendingMark : kDescendingMark));

  if (column->Title().Color() == clLime) return;
  column->Title().SetColor(clLime);
  if (previous && previous != column) {
    previous->Title().SetColor(clInactiveCaptionText);
    // Only the mark goes: a title that carries none keeps its last character.
    QString old = previous->Title().Caption();
    if (EndsWithMark(old)) old.chop(1);
    previous->Title().SetCaption(old);
  }
  previous = column;
}

} // namespace fw
