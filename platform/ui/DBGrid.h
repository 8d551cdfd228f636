#pragma once
// TDBGrid: a read-only data-aware grid on a QTableView over its data source's data set
// (TDBGridModel reads the rows on demand). It shows a title row and a row indicator,
// follows the data set's current record both ways, marks several rows (SelectedRows:
// Ctrl+click toggles a row, Shift+click marks a range, Shift+Up/Down extends, a plain
// click or move starts afresh, Shift+Ctrl+Up/Down/Home/End mark up to where they jump;
// Ctrl+Up/Down/Home/End without Shift, or the data set moved from elsewhere, to an
// unmarked row drop the marks, and a title click moves nothing), shows selected exactly
// the marked rows, or the current row when none is marked, so that the current record is
// always one shown selected, and lets the program draw cells itself (OnDrawColumnCell
// with Canvas() and DefaultDrawColumnCell). Every cell is painted through TCanvas.

#include "platform/db/DataSource.h"
#include "platform/ui/CustomControl.h"
#include "platform/ui/DBGridColumns.h"

#include <functional>
#include <memory>
#include <vector>

class QTableView;
class QHeaderView;

namespace fw {

class TDBGridModel;
class TDBGrid;

enum TDBGridOptionBits : unsigned {
  dgEditing = 1u << 0,
  dgAlwaysShowEditor = 1u << 1,
  dgTitles = 1u << 2,
  dgIndicator = 1u << 3,
  dgColumnResize = 1u << 4,
  dgColLines = 1u << 5,
  dgRowLines = 1u << 6,
  dgTabs = 1u << 7,
  dgRowSelect = 1u << 8,
  dgAlwaysShowSelection = 1u << 9,
  dgConfirmDelete = 1u << 10,
  dgCancelOnExit = 1u << 11,
  dgMultiSelect = 1u << 12,
};
using TDBGridOptions = unsigned;

// State of a cell being drawn.
enum TGridDrawStateBits : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = unsigned;

// The marked rows of a grid, as bookmarks in the data set's order. Marks whose rows
// vanish (deleted, gone after a requery) are dropped; closing the data set clears them.
class TBookmarkList {
public:
  explicit TBookmarkList(TDBGrid& grid) : grid_(grid) {}

  int Count() const { return static_cast<int>(items_.size()); }
  TBookmark Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  TBookmark operator[](int index) const { return Items(index); }
  bool CurrentRowSelected() const;
  void SetCurrentRowSelected(bool value);
  void Clear();
  // Whether the row at 0-based position `row` is marked.
  bool RowSelected(int row) const;
  // The marked rows, 0-based, in the data set's order: what the list's actions read,
  // row by row, without moving the data set to each mark.
  const std::vector<int>& Rows() const { return rows_; }
  void SetRowSelected(int row, bool value);
  // Drops marks whose rows are gone and puts the rest in the data set's order.
  void Refresh();

private:
  void Changed();

  TDBGrid& grid_;
  std::vector<TBookmark> items_;  // in row order
  std::vector<int> rows_;         // the rows of items_, same order
};

using TDrawColumnCellEvent =
    std::function<void(TObject* sender, const TRect& rect, int dataCol, TColumn* column, TGridDrawState state)>;
using TDBGridClickEvent = std::function<void(TColumn* column)>;

class TDBGrid : public TCustomControl {
public:
  explicit TDBGrid(TComponent* owner);
  ~TDBGrid() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* source);
  // The data source's data set (nullptr when none).
  TDataSet* DataSet() const;

  TDBGridColumns& Columns() { return columns_; }
  const TDBGridColumns& Columns() const { return columns_; }

  TDBGridOptions Options() const { return options_; }
  void SetOptions(TDBGridOptions options);
  // The grid never edits; the flag is kept for the program's settings.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  // Whether the grid draws each cell before OnDrawColumnCell (true by default).
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool value);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor value);
  TFont& TitleFont() { return titleFont_; }
  const TFont& TitleFont() const { return titleFont_; }

  TBookmarkList& SelectedRows() { return selectedRows_; }
  const TBookmarkList& SelectedRows() const { return selectedRows_; }

  // Draws a cell the grid's way with the canvas's brush and font: fills it and writes
  // the column's text of the row being drawn with the column's alignment.
  void DefaultDrawColumnCell(const TRect& rect, int dataCol, TColumn* column, TGridDrawState state);
  // The record number (1-based) of the row being drawn while a cell is drawn, else the
  // data set's RecNo: what the cell-drawing handler asks for the record it draws.
  int DrawingRecNo() const;

  // Geometry: the height of a data row and of the title row, the rows that fit.
  int DefaultRowHeight() const;
  int TitleHeight() const;
  int VisibleRowCount() const;
  // The rectangle of a data cell (column index, 0-based row) in grid coordinates; empty
  // when it is not on screen.
  TRect CellRect(int column, int row) const;
  // The column at a point of the grid (title or cell), nullptr when none.
  TColumn* ColumnAt(int x) const;

  // The Qt view, for tests that drive it.
  QTableView* View() const;

  TDrawColumnCellEvent OnDrawColumnCell;
  TDBGridClickEvent OnTitleClick;
  TDBGridClickEvent OnCellClick;

  // Used by the columns and the model.
  void ColumnChanged(bool layout);
  void ColumnsChanged();
  void RefreshDefaultColumns();
  void DataLinkEvent(const TDataNotice& notice);
  void DataLinkChanged();
  QString CellText(int row, int column) const;

protected:
  void KeyDown(WORD& key, TShiftState shift) override;
  void FontChanged() override;
  void ColorChanged() override;

  // Marking by mouse and keys.
  virtual void CellMouseDown(int row, int column, TMouseButton button, TShiftState shift);
  virtual void TitleClick(TColumn* column);
  virtual void CellClick(TColumn* column);

private:
  class GridView;
  class Header;
  class Indicator;
  class Delegate;
  friend class GridView;
  friend class Header;
  friend class Indicator;
  friend class Delegate;
  friend class TBookmarkList;

  void ApplyLayout();
  void ApplyLook();
  void SyncCurrentRow();
  void ViewCurrentChanged(int row);
  void ForgetMarksOffCurrentRow();
  void MoveTo(int row, TShiftState shift, bool extend);
  void MarkRange(int from, int to);
  int NearestMarkedRow(int row) const;
  void MarksAfterJump(int from, bool extend);
  void PaintCell(QPainter& painter, const QRect& rect, int row, int column);
  void PaintIndicator(QPainter& painter, const QRect& rect, int row);
  void PaintTitle(QPainter& painter, const QRect& rect, int column);
  bool Highlighted(int row, int column) const;
  int CurrentRow() const;

  TDBGridColumns columns_;
  std::unique_ptr<TDBGridModel> model_;
  GridView* view_ = nullptr;
  TBookmarkList selectedRows_;
  TDBGridOptions options_;
  bool readOnly_ = true;
  bool defaultDrawing_ = true;
  TColor fixedColor_ = clBtnFace;
  TFont titleFont_;
  bool titleFontSet_ = false;
  int drawingRow_ = -1;
  bool syncing_ = false;
  bool ownMove_ = false;     // the grid itself is moving the data set
  bool selecting_ = false;   // Shift+arrow marking in progress
  int anchorRow_ = -1;       // where Shift+click and Shift+arrows start
  bool laying_ = false;
};

} // namespace fw
