#pragma once
// TCustomEasyGrid: the report grid, a spreadsheet-like control in which every cell (the
// title cells included) owns a TCellInfo. Column 0 holds the row titles and row 0 the
// column titles; data cells are columns 1..ColCount-1 and rows 1..RowCount-1; frozen
// columns and rows are data columns 1..FixedCols and rows 1..FixedRows.
//
// The grid is split by concern over several sources: CustomEasyGrid.cpp (grid-wide
// properties, counts, sizes, selection), EasyGridCells.cpp (the cell model: starting
// values, property changes, merging), EasyGridPaint.cpp (layout and painting),
// EasyGridEdit.cpp (in-place editing), EasyGridKeys.cpp (keys, moves of the current cell,
// selecting by Shift+keys), EasyGridMouse.cpp (presses, drags, sizing lines, the
// selection frame and cursors), EasyGridScroll.cpp (the first visible cells and the
// scroll bars), EasyGridOps.cpp, EasyGridCellShift.cpp and EasyGridDrop.cpp (the cell
// operations), EasyGridPopup.cpp (the popup menu and the cell-format dialog).

#include "grid/Cells.h"
#include "grid/GridAxis.h"
#include "grid/PageSettings.h"
#include "platform/ui/CustomControl.h"
#include "platform/ui/Memo.h"  // TScrollStyle
#include "platform/ui/Setters.h"

class QScrollBar;

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace fw {

// The grid's exception ("Grid index out of range").
class EInvalidGridOperation : public std::runtime_error {
public:
  explicit EInvalidGridOperation(const char* message) : std::runtime_error(message) {}
};

enum TEasyGridOption : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goDrawFocusSelected = 1u << 5,
  goRowSizing = 1u << 6,
  goColSizing = 1u << 7,
  goEditing = 1u << 8,
  goTabs = 1u << 9,
  goRowSelect = 1u << 10,
  goAlwaysShowEditor = 1u << 11,
  goThumbTracking = 1u << 12,
};
using TEasyGridOptions = unsigned;

enum TEasyGridDrawStateBits : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2, gdTitled = 1u << 3 };
using TEasyGridDrawState = unsigned;

using TDrawCellEvent = std::function<void(TObject*, int col, int row, TRect rect, TEasyGridDrawState state)>;
using TSetCellTextEvent = std::function<void(TObject*, int col, int row, QString& value)>;
using TGetEditEvent = std::function<void(TObject*, int col, int row, QString& value)>;
using TSetEditEvent = std::function<void(TObject*, int col, int row, const QString& value)>;

class TInplaceEdit;
class TPopupMenu;
class TMenuItem;
struct TCellBlock;

using TSelectCellEvent = std::function<void(TObject*, int col, int row, bool& canSelect)>;
using TBeforeSetCellPropEvent = std::function<void(TObject*, TGridRect range, bool& canSetCellProp)>;
using TAfterSetCellPropEvent = std::function<void(TObject*, TGridRect range)>;

// What a press and drag of the mouse is doing.
enum class TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsMoving, gsCopying, gsFilling };

// The grid's own cursors: the cross over cells, and two magnifiers (registered only).
enum : int { crEasyGridCell = 1001, crEasyGridZoomIn = 1002, crEasyGridZoomOut = 1003 };

// The numbers of the popup menu's items.
enum TEasyGridPopupItem : int {
  piCut = 0,
  piCopy = 1,
  piPaste = 2,
  piInsertCellsRight = 3,
  piInsertCellsDown = 4,
  piInsertRows = 5,
  piInsertCols = 6,
  piDeleteCellsRight = 7,
  piDeleteCellsDown = 8,
  piDeleteRows = 9,
  piDeleteCols = 10,
  piClearContents = 11,
  piCellFormat = 12,
};

using TGridRectEvent = std::function<void(TObject*, TGridRect range)>;
using TCopyMoveCellsEvent = std::function<void(TObject*, TGridRect src, TGridRect dest)>;
using TPasteCellsEvent = std::function<void(TObject*, TPoint srcTopLeft, TPoint srcSize, TGridRect dest)>;

// Scroll-bar message codes.
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

class TCustomEasyGrid : public TCustomControl {
public:
  explicit TCustomEasyGrid(TComponent* owner);
  ~TCustomEasyGrid() override;

  // ---- Cell model ----------------------------------------------------------------
  // The live record of a cell; no range check. Do not keep it across a change of
  // ColCount or RowCount.
  TCellInfo& GetCellInfo(int col, int row) { return cells_.Cell(col, row); }
  const TCellInfo& GetCellInfo(int col, int row) const { return cells_.Cell(col, row); }
  const TCells& Cells() const { return cells_; }
  bool IsCellMerged(int col, int row) const { return cells_.IsCellMerged(col, row); }
  // Fills a record with the starting values of cell (col, row).
  void InitCellInfo(TCellInfo& cell, int col, int row) const;
  // Sets one property on every data cell of the range (corners clamped into the data
  // cells) and repaints it.
  void SetRangeCellProp(TGridRect range, TCellProp id, const TCellPropValue& value);
  // Sets one property on every data cell (title cells are never touched).
  void SetAllCellsProp(TCellProp id, const TCellPropValue& value);
  // Merges the range into one cell; with ask, two or more texts in it are confirmed with
  // an OK/Cancel question first. Refused ranges change nothing.
  void MergeCells(TGridRect range, bool ask);
  void UnmergeCells(TGridRect range);
  // The cell texts. A new ForeText is normalised by the cell's data style first (numbers
  // formatted, dates as yyyy-MM-dd, times as hh:mm:ss); a text that cannot be read shows
  // an error box and is not stored. BackText is stored as given. Both fire
  // OnSetForeText/OnSetBackText with the stored text, also when it did not change.
  void SetForeText(int col, int row, const QString& value);
  void SetBackText(int col, int row, const QString& value);
  QString GetForeText(int col, int row) const { return cells_.Cell(col, row).ForeText; }
  QString GetBackText(int col, int row) const { return cells_.Cell(col, row).BackText; }

  // ---- Default cell properties (set on every data cell, then kept for new cells) ----
  TDataStyle CellDataStyle() const { return defaults_.DataStyle; }
  void SetCellDataStyle(TDataStyle v) { SetCellDefault(TCellProp::DataStyle, v); }
  TAlignMode CellAlignMode() const { return defaults_.AlignMode; }
  void SetCellAlignMode(TAlignMode v) { SetCellDefault(TCellProp::AlignMode, v); }
  bool CellShowForeText() const { return defaults_.ShowForeText; }
  void SetCellShowForeText(bool v) { SetCellDefault(TCellProp::ShowForeText, v); }
  bool CellReadOnly() const { return defaults_.ReadOnly; }
  void SetCellReadOnly(bool v) { SetCellDefault(TCellProp::ReadOnly, v); }
  bool CellAutoWordBreak() const { return defaults_.AutoWordBreak; }
  void SetCellAutoWordBreak(bool v) { SetCellDefault(TCellProp::AutoWordBreak, v); }
  int CellLineWidth() const { return defaults_.LineWidth; }
  void SetCellLineWidth(int v) { SetCellDefault(TCellProp::LineWidth, v); }
  TPenStyle CellPenStyle() const { return defaults_.PenStyle; }
  void SetCellPenStyle(TPenStyle v) { SetCellDefault(TCellProp::PenStyle, v); }
  bool CellAllowNegative() const { return defaults_.AllowNegative; }
  void SetCellAllowNegative(bool v) { SetCellDefault(TCellProp::AllowNegative, v); }
  bool CellTrailingZero() const { return defaults_.TrailingZero; }
  void SetCellTrailingZero(bool v) { SetCellDefault(TCellProp::TrailingZero, v); }
  bool CellZeroNull() const { return defaults_.ZeroNull; }
  void SetCellZeroNull(bool v) { SetCellDefault(TCellProp::ZeroNull, v); }
  bool CellThousandSep() const { return defaults_.ThousandSep; }
  void SetCellThousandSep(bool v) { SetCellDefault(TCellProp::ThousandSep, v); }
  int CellMaxLength() const { return defaults_.MaxLength; }
  void SetCellMaxLength(int v) { SetCellDefault(TCellProp::MaxLength, v); }
  int CellIntLength() const { return defaults_.IntLength; }
  void SetCellIntLength(int v) { SetCellDefault(TCellProp::IntLength, v); }
  int CellDecLength() const { return defaults_.DecLength; }
  void SetCellDecLength(int v) { SetCellDefault(TCellProp::DecLength, v); }
  TColor CellColor() const { return defaults_.Color; }
  void SetCellColor(TColor v) { SetCellDefault(TCellProp::Color, v); }
  int CellFontSize() const { return defaults_.FontSize; }
  void SetCellFontSize(int v) { SetCellDefault(TCellProp::FontSize, v); }
  TColor CellFontColor() const { return defaults_.FontColor; }
  void SetCellFontColor(TColor v) { SetCellDefault(TCellProp::FontColor, v); }
  TFontStyles CellFontStyle() const { return defaults_.FontStyle; }
  void SetCellFontStyle(TFontStyles v) { SetCellDefault(TCellProp::FontStyle, v); }

  // ---- Counts and sizes -----------------------------------------------------------
  int ColCount() const { return colCount_; }
  void SetColCount(int value);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int value);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int value);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int value);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int value);
  // Width of a column (height of a row): the default when none was set or the index lies
  // outside the grid.
  int GetColWidths(int col) const;
  int GetRowHeights(int row) const;
  // Raise EInvalidGridOperation for an index outside the grid.
  void SetColWidths(int col, int value);
  void SetRowHeights(int row, int value);

  // ---- Look -------------------------------------------------------------------------
  TEasyGridOptions Options() const { return options_; }
  void SetOptions(TEasyGridOptions value);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool value) { SetAndInvalidate(*this, defaultDrawing_, value); }
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  TColor FixedLineColor() const { return fixedLineColor_; }
  void SetFixedLineColor(TColor value) { SetAndInvalidate(*this, fixedLineColor_, value); }
  TColor ClientLineColor() const { return clientLineColor_; }
  void SetClientLineColor(TColor value) { SetAndInvalidate(*this, clientLineColor_, value); }
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int value) { if (StoreIfChanged(gridLineWidth_, value)) BorderChanged(); }
  TColor TitleColor() const { return titleColor_; }
  void SetTitleColor(TColor value) { SetAndInvalidate(*this, titleColor_, value); }
  TColor HighLightColor() const { return highLightColor_; }
  void SetHighLightColor(TColor value) { SetAndInvalidate(*this, highLightColor_, value); }
  TColor HighLightTextColor() const { return highLightTextColor_; }
  void SetHighLightTextColor(TColor value) { SetAndInvalidate(*this, highLightTextColor_, value); }
  TColor FocusedTitleColor() const { return focusedTitleColor_; }
  void SetFocusedTitleColor(TColor value) { SetAndInvalidate(*this, focusedTitleColor_, value); }
  bool ShowColTitle() const { return showColTitle_; }
  void SetShowColTitle(bool value) { if (StoreIfChanged(showColTitle_, value)) BorderChanged(); }
  bool ShowRowTitle() const { return showRowTitle_; }
  void SetShowRowTitle(bool value) { if (StoreIfChanged(showRowTitle_, value)) BorderChanged(); }
  bool AlwaysDrawFocus() const { return alwaysDrawFocus_; }
  void SetAlwaysDrawFocus(bool value) { SetAndInvalidate(*this, alwaysDrawFocus_, value); }
  bool GridCanCopyMove() const { return gridCanCopyMove_; }
  void SetGridCanCopyMove(bool value) { SetAndInvalidate(*this, gridCanCopyMove_, value); }
  bool GridCanFill() const { return gridCanFill_; }
  void SetGridCanFill(bool value) { SetAndInvalidate(*this, gridCanFill_, value); }
  // A single border (sunken with Ctl3D) around the client area, or none.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  // Width of the border on each side; the client area starts this far in.
  int BorderWidth() const;
  // Off: a column line can be dragged only in the title and frozen rows, a row line only
  // in the title and frozen columns. On: anywhere over the grid.
  bool ClientSizeable() const { return clientSizeable_; }
  void SetClientSizeable(bool value) { clientSizeable_ = value; }
  // The right button shows the cell popup menu.
  bool ShowPopup() const { return showPopup_; }
  void SetShowPopup(bool value) { showPopup_ = value; }
  // Repaint changed ranges at once; switching it on repaints the whole control.
  bool AutoUpdate() const { return autoUpdate_; }
  void SetAutoUpdate(bool value);

  // ---- Current cell, selection and view --------------------------------------------
  int Col() const { return col_; }
  int Row() const { return row_; }
  // Makes (col, row) the current cell and collapses the selection onto its merged range.
  void SetCurrentCell(int col, int row);
  TGridRect Selection() const { return selection_; }
  // Clamps the rectangle into the scrolled data cells and makes it the selection; the
  // current cell does not move.
  void SetSelection(TGridRect rect);
  int LeftCol() const { return leftCol_; }
  int TopRow() const { return topRow_; }
  // Sets the first visible scrolled column and row (clamped into the data cells).
  void SetTopLeft(int leftCol, int topRow);
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // The selection's moving corner (Shift+keys and drags move it; the current cell is the
  // fixed corner). After a plain move it is the bottom-right cell of the current cell's
  // merged range.
  int AnchorCol() const { return anchorCol_; }
  int AnchorRow() const { return anchorRow_; }

  // ---- Keyboard, scrolling and selection (EasyGridKeys.cpp, EasyGridScroll.cpp) ------
  // Page start of a cell on one axis: the smallest cell from which every cell up to it
  // fits into the scrolled part of the client; the cell itself when it is frozen.
  static int PageStart(const TGridAxis& axis, int cell);
  // The largest first visible cell of the axis (page start of its last cell).
  static int LastPageStart(const TGridAxis& axis) { return PageStart(axis, axis.Count() - 1); }
  // A user move: makes (col, row) the current cell (collapsing the selection), brings it
  // into view, shows the editor where CanEditShow allows and fires OnClick; nothing when
  // it is the current cell already.
  void MoveToCell(int col, int row);
  // Scrolls the view so that the cell becomes fully visible (frozen cells stay).
  void ScrollIntoView(int col, int row);
  // The scroll bars (nullptr while the grid shows none) and their ranges and positions.
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  QScrollBar* HorzScrollBar() const { return hBar_; }
  QScrollBar* VertScrollBar() const { return vBar_; }
  // Recomputes both ranges (and pulls LeftCol/TopRow back to the last page start).
  void UpdateScrollRange();
  // What the bars' messages do: code is one of the TScrollCode values.
  void ScrollMessage(bool horizontal, int code, int pos);
  // With exactly one data column the horizontal bar scrolls that column by pixels: how
  // far it is scrolled now.
  int HorzPixelOffset() const { return hPixelOffset_; }
  // The client area leaves out the scroll bars that are showing.
  TRect ClientRect() const override;

  // ---- Layout and painting (EasyGridPaint.cpp) -------------------------------------
  // The layout of both axes for the present client size.
  TGridAxis ColAxis() const;
  TGridAxis RowAxis() const;
  // Pixel rectangle of a range of cells (continuous positions, lines between included).
  TRect CellRangeRect(const TGridRect& range) const;
  TRect CellRect(int col, int row) const { return CellRangeRect({col, row, col, row}); }
  // Repaints the range's pixel rectangle grown by 3 pixels.
  void InvalidateCellRange(const TGridRect& range);
  // Repaints one row, every visible column.
  void InvalidateRow(int row);
  // Letters of a column index: 0..25 A..Z, 26..255 AA..IV, anything else empty.
  static QString ColumnTitle(int index);
  // Title of data column index + 1: its title cell's ForeText, else the letters.
  QString GetColumnTitle(int index) const;
  // True when the grid is its form's active control, or the focus lies in it.
  bool IsGridFocused() const;

  // ---- In-place editing (EasyGridEdit.cpp) ----------------------------------------
  // Editor mode on shows the editor over the current cell when CanEditShow allows; off
  // stores the editor's text and hides it.
  bool EditorMode() const { return editorMode_; }
  void SetEditorMode(bool value);
  void ShowEditor();
  // Stores the editor's text and hides it; false when the edit mask refused the text
  // (the editor then stays).
  bool HideEditor();
  // The editor, once it was first needed (nullptr before).
  TInplaceEdit* InplaceEditor() const { return editor_; }
  // Whether editors may change texts (true from creation).
  bool CanModify() const { return canModify_; }
  void SetCanModify(bool value) { canModify_ = value; }
  // The text an editor starts with: the merge origin's ForeText when the cell shows it,
  // else its BackText; OnGetEditText may change it.
  virtual QString GetEditText(int col, int row);
  // Stores an edited text in ForeText (through SetForeText) or BackText, whichever the
  // cell shows, when it differs; then OnSetEditText.
  virtual void SetEditText(int col, int row, const QString& value);
  // Empty, unless OnGetEditMask gives one (text cells only).
  virtual QString GetEditMask(int col, int row);
  // 0: no limit.
  virtual int GetEditLimit() const { return 0; }

  // ---- Cell operations (EasyGridOps.cpp) --------------------------------------------
  // Every operation below that moves, removes or overwrites cells, the copy and the
  // cell-format dialog first close an open in-place editor, storing its text in the
  // cell it was typed in; a text that cell cannot take keeps the editor open and the
  // operation does nothing.
  // Empties both texts of every cell of the range whose merge origin is not read-only;
  // formats and merges stay.
  void ClearCellContents(TGridRect range);
  // Puts the range (clamped to the data cells) on the clipboard as a cell block.
  void CopyCellsToClipboard(TGridRect range);
  // Copies the range to the clipboard, then resets its cells to starting values (texts,
  // formats and merges); refused with an error box when a cell is read-only.
  void CutCells(TGridRect range);
  // Pastes the clipboard's cell block with its top-left at the current cell; a target
  // outside the scrolled data cells, cutting a merged range or holding a read-only cell
  // is refused with an error box.
  void PasteCells();
  // Inserts as many whole columns (rows) as the range is wide (tall) before its first
  // column (row); cells and merges move on, a merged range crossing the place widens.
  void InsertCols(TGridRect range);
  void InsertRows(TGridRect range);
  // Deletes the range's columns (rows); cells and merges move back, merged ranges
  // reaching into the deleted lines lose those lines.
  void DeleteCols(TGridRect range);
  void DeleteRows(TGridRect range);
  // Inserts empty cells in place of the range, shifting the cells of its rows right
  // (its columns down) by its width (height); the last ones must be empty. Deleting
  // shifts the cells after the range back over it. Merged ranges the shift would split
  // are unmerged after an OK/Cancel question.
  void InsertCellsRight(TGridRect range);
  void InsertCellsDown(TGridRect range);
  void DeleteCellsRight(TGridRect range);
  void DeleteCellsDown(TGridRect range);
  // Drops a dragged range: copies (or moves) the range by (dc, dr) after asking when
  // target cells outside the range hold text; a target cutting a merged range or
  // holding a read-only cell is refused with an error box.
  void CopyMoveCells(TGridRect source, int dc, int dr, bool move);
  // Fills count cells right of (negative: left of) the selection, or below (above) it
  // when vertical, by repeating the selection.
  void FillCells(int count, bool vertical);
  // The cells of the range (clamped to the data cells) as a block.
  TCellBlock BuildCellBlock(TGridRect range) const;
  // Copies every block cell whose place, moved by (dest top-left - block top-left), lies
  // inside dest (clamped to the data cells) into that place, merge range moved alike.
  void ReadCellBlock(const TCellBlock& block, TGridRect dest);

  // ---- Mouse (EasyGridMouse.cpp) ----------------------------------------------------
  TGridState GridState() const { return gridState_; }
  // The cursor the grid shows at a client point while nothing is dragged: a sizing
  // cursor over a sizable line, the move, copy or fill cursor over the selection frame,
  // else the cell cross.
  TCursor CursorAt(int x, int y, TShiftState shift = 0) const;
  // The cursor shown now.
  TCursor CurrentCursor() const { return currentCursor_; }
  // Ends a selecting, sizing or dragging state without finishing it (the sizing line or
  // target rectangle goes from the screen).
  void CancelMode();

  // ---- Popup menu and cell format (EasyGridPopup.cpp) -------------------------------
  // The cell popup menu, built with the grid; items carry their number as Tag.
  TPopupMenu* CellPopupMenu() const { return popupMenu_; }
  TMenuItem* PopupMenuItem(int number) const;
  // Enables the items for the present selection and clipboard, as the right button does
  // before the menu shows.
  void UpdatePopupItems();
  // Runs a popup item by its number.
  void PopupMenuClick(int number);
  // Shows the cell-format dialog for the selection on a page (negative: the page last
  // used); on OK fires AfterSetCellProp.
  void ShowCellPropDialog(int page = -1);
  int CellPropPage() const { return cellPropPage_; }

  // ---- Page settings ------------------------------------------------------------------
  TEasyGridPageInfo& PageInfo() { return *pageInfo_; }
  const TEasyGridPageInfo& PageInfo() const { return *pageInfo_; }

  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(QChar& key) override;

  TNotifyEvent OnTopLeftChanged;
  TDrawCellEvent OnDrawCell;
  TSetCellTextEvent OnSetForeText;
  TSetCellTextEvent OnSetBackText;
  TGetEditEvent OnGetEditText;
  TGetEditEvent OnGetEditMask;
  TSetEditEvent OnSetEditText;
  // The editor closed: the edited cell and the editor's text.
  TSetEditEvent OnHideEdit;
  TGridRectEvent OnCutCells;
  TPasteCellsEvent OnPasteCells;
  TGridRectEvent OnInsertCol;
  TGridRectEvent OnInsertRow;
  TGridRectEvent OnDeleteCol;
  TGridRectEvent OnDeleteRow;
  TCopyMoveCellsEvent OnCopyMoveCells;
  TCopyMoveCellsEvent OnFillCells;
  TGridRectEvent OnInsertCellRight;
  TGridRectEvent OnInsertCellDown;
  TGridRectEvent OnDeleteCellRight;
  TGridRectEvent OnDeleteCellDown;
  // May refuse a move of the current cell (canSelect starts true).
  TSelectCellEvent OnSelectCell;
  // Asked before the cell-format dialog writes anything; false writes nothing.
  TBeforeSetCellPropEvent BeforeSetCellProp;
  // The cell-format dialog closed with OK.
  TAfterSetCellPropEvent AfterSetCellProp;

protected:
  void Paint() override;
  // Draws the contents of one cell (frame lines, texts); fires OnDrawCell last.
  virtual void DrawCell(int col, int row, TRect rect, TEasyGridDrawState state);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  // Is the in-place editor showing.
  virtual bool EditorShowing() const;
  virtual bool CanEditAcceptKey(QChar key) const { return true; }
  virtual bool CanGridAcceptKey(WORD key, TShiftState shift) const { return true; }
  virtual bool CanEditModify() const { return canModify_; }
  // Editing on, rows not selected whole, editor mode, the grid focused (or the editor
  // always shown) and the current cell not read-only.
  virtual bool CanEditShow() const;
  virtual TInplaceEdit* CreateEditor();
  void DblClick() override;
  // With goAlwaysShowEditor the editor comes with the focus.
  void DoEnter() override;
  // Keeps the editor over its cell when the layout moves.
  void UpdateEditorBounds();
  // After every change of LeftCol or TopRow: the editor follows, OnTopLeftChanged fires.
  virtual void TopLeftChanged();
  // May refuse a move of the current cell; asks OnSelectCell.
  virtual bool SelectCell(int col, int row);
  // Navigation part of KeyDown (after the editor's own keys).
  void NavigateKey(WORD& key, TShiftState shift);
  // F2: editor mode on, the editor over the current cell with the caret after the text.
  void OpenEditorAtTextEnd();
  // A typed character opens the editor when it is closed and goes into it.
  void TypeIntoCell(QChar typed);
  // The grid takes input-method text while typing can open the editor.
  void UpdateInputMethod();
  // The selecting state's handling of a point: moves the moving corner (or the current
  // cell without goRangeSelect) to the cell there and scrolls it into view.
  void SelectingMove(int x, int y);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Resize() override;
  void FontChanged() override;
  void focusOutEvent(QFocusEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // The grid asks for Tab (to move between cells) with goTabs and without goRowSelect.
  bool WantsTabs() const;
  // When the grid wants Tab, Tab and Shift+Tab reach KeyDown instead of moving the focus.
  bool focusNextPrevChild(bool next) override;
  // Composed text over a closed editor opens it and goes into it, as typing does.
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  // The wheel moves the current cell one row down or up.
  void wheelEvent(QWheelEvent* event) override;

  friend class TInplaceEdit;

private:
  struct TRegion;
  // The scope of an operation on cells. It closes the in-place editor first, storing
  // its text in the cell being edited, so that the text can never reach a record that
  // moves into the editor's place; false when that cell refused the text (the editor
  // stays, the operation must not run). An always-shown editor that it closed opens
  // again over the current cell when the scope ends.
  class TEditorClosed {
  public:
    explicit TEditorClosed(TCustomEasyGrid& grid);
    ~TEditorClosed();
    TEditorClosed(const TEditorClosed&) = delete;
    TEditorClosed& operator=(const TEditorClosed&) = delete;
    explicit operator bool() const { return stored_; }

  private:
    QPointer<TCustomEasyGrid> grid_;
    bool closed_ = false;
    bool stored_ = true;
  };
  void SetCellDefault(TCellProp id, const TCellPropValue& value);
  TGridRect ClampToData(TGridRect range) const;
  // Called by the editor once it has closed.
  void EditorHidden(int col, int row, const QString& text);
  std::optional<QString> NormalizeForeText(int col, int row, const QString& value) const;
  TGridRect ClampToScrolled(TGridRect range) const;
  // The client area or the cells moved or changed size: scroll bars, ranges and the
  // editor follow.
  void BorderChanged();
  void DrawBorder();
  void ResizeStore();
  void RepaintRect(const TRect& r);
  bool AskOkCancel(const QString& text) const;
  void ShowErrorBox(const QString& text) const;
  // Insert and delete along one axis: columns when cols, else rows.
  void InsertLines(TGridRect range, bool cols);
  void DeleteLines(TGridRect range, bool cols);
  bool RangeHasReadOnly(const TGridRect& range) const;
  // Copies the block's cells moved by (dc, dr) into the places inside clip.
  void ReadCellBlockShifted(const TCellBlock& block, int dc, int dr, const TGridRect& clip);
  bool InsideData(const TGridRect& r) const {
    return r.Left >= 1 && r.Top >= 1 && r.Right < colCount_ && r.Bottom < rowCount_;
  }
  void InsertCellsAlong(TGridRect range, bool cols);
  void DeleteCellsAlong(TGridRect range, bool cols);
  // Asks before a shift of the cells after the range that would split merged ranges and
  // unmerges them on OK; false on Cancel.
  bool UnmergeSplitRanges(const TGridRect& range, bool cols);

  // Painting (EasyGridPaint.cpp).
  void DrawLines(const TGridAxis& cols, const TGridAxis& rows, const TRegion& region, bool vert, bool horz, TColor color);
  void DrawCells(const TGridAxis& cols, const TGridAxis& rows, const TRegion& region, TEasyGridDrawState base);
  void DrawTitleText(int col, int row, const TRect& rect);
  // Draws the cell's text inside a 4-pixel margin; rect becomes the text's rectangle.
  void DrawCellText(const TCellInfo& cell, int col, int row, TRect& rect, TEasyGridDrawState state);
  void DrawFrameLines(const TCellInfo& cell, const TRect& rect);
  void DrawFocus(const TGridAxis& cols, const TGridAxis& rows);

  TCells cells_;
  TCellInfo defaults_;  // the Cell-prefixed properties, as a record
  QString cellFontName_;
  int colCount_ = 5;
  int rowCount_ = 5;
  int fixedCols_ = 0;
  int fixedRows_ = 0;
  int defaultColWidth_ = 80;
  int defaultRowHeight_ = 30;
  std::vector<int> colWidths_;   // empty until a width is set
  std::vector<int> rowHeights_;  // empty until a height is set
  TEasyGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  bool defaultDrawing_ = true;
  bool ctl3D_ = true;
  TColor fixedLineColor_ = clBlack;
  TColor clientLineColor_ = clSilver;
  int gridLineWidth_ = 1;
  TColor titleColor_ = clBtnFace;
  TColor highLightColor_ = clBlack;
  TColor highLightTextColor_ = clWhite;
  TColor focusedTitleColor_ = clBlack;
  bool showColTitle_ = true;
  bool showRowTitle_ = true;
  bool alwaysDrawFocus_ = false;
  bool gridCanCopyMove_ = true;
  bool gridCanFill_ = true;
  bool autoUpdate_ = true;
  int col_ = 1;
  int row_ = 1;
  TGridRect selection_{1, 1, 1, 1};
  int leftCol_ = 1;
  int topRow_ = 1;
  bool editorMode_ = false;
  bool canModify_ = true;
  TInplaceEdit* editor_ = nullptr;  // owned by the grid as its component
  int anchorCol_ = 1;
  int anchorRow_ = 1;
  TGridState gridState_ = TGridState::gsNormal;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool clientSizeable_ = false;
  bool showPopup_ = true;
  TCursor currentCursor_ = crEasyGridCell;

  // A press that may size a line or drag the selection frame (EasyGridMouse.cpp).
  struct THit {
    TGridState State = TGridState::gsNormal;
    int Index = -1;     // the sized column or row
    int LinePos = 0;    // where its line is, on the sizing axis
  };
  THit SizingHit(int x, int y) const;
  THit FrameHit(int x, int y, TShiftState shift) const;
  TCursor StateCursor(TGridState state) const;
  void ShowCursor(TCursor cursor);
  void StartSizing(const THit& hit, int pos);
  void FinishSizing();
  void DragTo(int x, int y);
  void FinishDrag();
  void PressTitle(int col, int row, TShiftState shift);
  void PressRightButton(int x, int y);
  // The fill the mouse asks for at a client point: a count beyond the selection along
  // one axis.
  void FillCountAt(int x, int y, int& count, bool& vertical) const;
  // The dotted feedback shown while a drag is under way (empty when none), in client
  // coordinates.
  TRect DragFeedbackRect() const;
  void InvalidateFeedback();
  void DrawDragFeedback(const TGridAxis& cols, const TGridAxis& rows);
  int sizingIndex_ = -1;
  int sizingStart_ = 0;    // start of the sized cell on its axis
  int sizingLine_ = 0;     // the line's position while dragging
  int sizingOffset_ = 0;   // pointer minus line at the press
  int dragPressCol_ = 0, dragPressRow_ = 0;
  int dragCol_ = 0, dragRow_ = 0;  // the cell under the pointer
  int dragX_ = 0, dragY_ = 0;
  TRect shownFeedback_;    // the feedback drawn last

  TPopupMenu* popupMenu_ = nullptr;
  int cellPropPage_ = 0;
  void BuildPopupMenu();

  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  QScrollBar* hBar_ = nullptr;
  QScrollBar* vBar_ = nullptr;
  bool updatingScroll_ = false;
  int hPixelOffset_ = 0;
  void LayoutScrollBars();
  void SyncScrollPositions();
  int ScrollStep(const TGridAxis& axis, int code, int pos) const;
  bool PixelScrolling() const { return colCount_ == 2; }
  // The most the one data column can be scrolled by pixels.
  int MaxPixelOffset() const;
  void PixelScrollMessage(int code, int pos);
  // Moves what the window shows by (dx, dy) after the first visible cells changed (the
  // axes as they were), or repaints it all when that is more than a view's width.
  void ScrollContents(int dx, int dy, const TGridAxis& cols, const TGridAxis& rows);
  std::unique_ptr<TEasyGridPageInfo> pageInfo_;
};

} // namespace fw
