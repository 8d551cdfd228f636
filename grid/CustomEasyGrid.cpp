#include "grid/CustomEasyGrid.h"

#include "grid/GridCursors.h"
#include "grid/InplaceEdit.h"

#include "platform/shell/Hooks.h"
#include "platform/ui/Form.h"

#include <QApplication>
#include <algorithm>

namespace fw {

namespace {

constexpr int kMaxColCount = 256;
const char* const kIndexOutOfRange = "Grid index out of range";

} // namespace

TCustomEasyGrid::TCustomEasyGrid(TComponent* owner)
    : TCustomControl(owner),
      cells_([this](TCellInfo& cell, int col, int row) { InitCellInfo(cell, col, row); }),
      pageInfo_(std::make_unique<TEasyGridPageInfo>()) {
  // The starting values of the Cell-prefixed properties.
  defaults_.DataStyle = TDataStyle::dsText;
  defaults_.AlignMode = TAlignMode::taTopLeft;
  defaults_.ShowForeText = true;
  defaults_.ReadOnly = false;
  defaults_.AutoWordBreak = true;
  defaults_.LineWidth = 1;
  defaults_.PenStyle = TPenStyle::psSolid;
  defaults_.AllowNegative = true;
  defaults_.TrailingZero = false;
  defaults_.ZeroNull = true;
  defaults_.ThousandSep = true;
  defaults_.MaxLength = 255;
  defaults_.IntLength = 3;
  defaults_.DecLength = 2;
  defaults_.Color = clWhite;
  defaults_.FontSize = 9;
  defaults_.FontColor = clBlack;
  defaults_.FontStyle = 0;
  cellFontName_ = QStringLiteral("宋体");

  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  setFocusPolicy(Qt::StrongFocus);
  // Painting covers every pixel, so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The cursor follows the mouse over lines and the selection frame without a button.
  setMouseTracking(true);
  setCursor(GridCursor(currentCursor_));
  cells_.Resize(colCount_, rowCount_);
  SetBounds(Left(), Top(), colCount_ * defaultColWidth_, rowCount_ * defaultRowHeight_);
  SetScrollBars(TScrollStyle::ssBoth);
  BuildPopupMenu();
}

TCustomEasyGrid::~TCustomEasyGrid() = default;

// ---- Counts ---------------------------------------------------------------------------

void TCustomEasyGrid::SetColCount(int value) {
  value = std::clamp(value, 2, kMaxColCount);
  if (value == colCount_) return;
  // A merged range must not lose part of itself: a shrink that would cut one is dropped.
  for (int c = value; c < colCount_; ++c)
    for (int r = 1; r < rowCount_; ++r)
      if (cells_.IsCellMerged(c, r)) return;
  colCount_ = value;
  if (fixedCols_ >= colCount_ - 1) fixedCols_ = colCount_ - 2;
  ResizeStore();
}

void TCustomEasyGrid::SetRowCount(int value) {
  value = std::max(value, 2);
  if (value == rowCount_) return;
  for (int r = value; r < rowCount_; ++r)
    for (int c = 1; c < colCount_; ++c)
      if (cells_.IsCellMerged(c, r)) return;
  rowCount_ = value;
  if (fixedRows_ >= rowCount_ - 1) fixedRows_ = rowCount_ - 2;
  ResizeStore();
}

void TCustomEasyGrid::ResizeStore() {
  // An editor over a cell that goes away closes without storing.
  if (EditorShowing() && (editor_->EditCol() >= colCount_ || editor_->EditRow() >= rowCount_)) editor_->Rollback();
  if (!colWidths_.empty()) colWidths_.resize(std::size_t(colCount_), defaultColWidth_);
  if (!rowHeights_.empty()) rowHeights_.resize(std::size_t(rowCount_), defaultRowHeight_);
  cells_.Resize(colCount_, rowCount_);
  // Pixel scrolling belongs to a grid of one data column only.
  if (!PixelScrolling()) hPixelOffset_ = 0;
  // The view keeps no empty space after the new last cells.
  leftCol_ = std::clamp(leftCol_, fixedCols_ + 1, std::max(fixedCols_ + 1, LastPageStart(ColAxis())));
  topRow_ = std::clamp(topRow_, fixedRows_ + 1, std::max(fixedRows_ + 1, LastPageStart(RowAxis())));
  // A current cell beyond the new last column or row moves onto it, and the selection
  // collapses there.
  selection_ = ClampToScrolled(selection_);
  const int lastCol = colCount_ - 1;
  const int lastRow = rowCount_ - 1;
  if (col_ > lastCol || row_ > lastRow) {
    const int col = std::min(col_, lastCol);
    const int row = std::min(row_, lastRow);
    if (SelectCell(col, row)) SetCurrentCell(col, row);
  }
  // The current cell, the moving corner and the selection stay inside the scrolled data cells.
  col_ = std::clamp(col_, fixedCols_ + 1, colCount_ - 1);
  row_ = std::clamp(row_, fixedRows_ + 1, rowCount_ - 1);
  anchorCol_ = std::clamp(anchorCol_, fixedCols_ + 1, colCount_ - 1);
  anchorRow_ = std::clamp(anchorRow_, fixedRows_ + 1, rowCount_ - 1);
  TGridRect sel = ClampToScrolled(selection_);
  if (options_ & goRowSelect) {
    sel.Left = fixedCols_ + 1;
    sel.Right = colCount_ - 1;
  }
  selection_ = sel;
  UpdateScrollRange();
  Invalidate();
}

void TCustomEasyGrid::SetFixedCols(int value) {
  if (value < 0) throw EInvalidGridOperation(kIndexOutOfRange);
  if (value == fixedCols_ || value >= colCount_ - 1) return;
  fixedCols_ = value;
  leftCol_ = fixedCols_ + 1;
  SetCurrentCell(fixedCols_ + 1, std::clamp(row_, fixedRows_ + 1, rowCount_ - 1));
  Invalidate();
}

void TCustomEasyGrid::SetFixedRows(int value) {
  if (value < 0) throw EInvalidGridOperation(kIndexOutOfRange);
  if (value == fixedRows_ || value >= rowCount_ - 1) return;
  fixedRows_ = value;
  topRow_ = fixedRows_ + 1;
  SetCurrentCell(std::clamp(col_, fixedCols_ + 1, colCount_ - 1), fixedRows_ + 1);
  Invalidate();
}

// ---- Sizes ----------------------------------------------------------------------------

int TCustomEasyGrid::GetColWidths(int col) const {
  if (colWidths_.empty() || col < 0 || col >= colCount_) return defaultColWidth_;
  return colWidths_[std::size_t(col)];
}

int TCustomEasyGrid::GetRowHeights(int row) const {
  if (rowHeights_.empty() || row < 0 || row >= rowCount_) return defaultRowHeight_;
  return rowHeights_[std::size_t(row)];
}

void TCustomEasyGrid::SetColWidths(int col, int value) {
  if (colWidths_.empty()) colWidths_.assign(std::size_t(colCount_), defaultColWidth_);
  if (col < 0 || col >= colCount_) throw EInvalidGridOperation(kIndexOutOfRange);
  if (colWidths_[std::size_t(col)] == value) return;
  colWidths_[std::size_t(col)] = value;
  ColWidthsChanged();
  UpdateScrollRange();
  // Everything from the leftmost column of a merged range through this column moves.
  int from = col;
  for (int r = 0; r < rowCount_; ++r) from = std::min(from, cells_.Cell(col, r).MergeRect.Left);
  RepaintRect({CellRect(from, 0).Left, 0, width(), height()});
}

void TCustomEasyGrid::SetRowHeights(int row, int value) {
  if (rowHeights_.empty()) rowHeights_.assign(std::size_t(rowCount_), defaultRowHeight_);
  if (row < 0 || row >= rowCount_) throw EInvalidGridOperation(kIndexOutOfRange);
  if (rowHeights_[std::size_t(row)] == value) return;
  rowHeights_[std::size_t(row)] = value;
  RowHeightsChanged();
  UpdateScrollRange();
  int from = row;
  for (int c = 0; c < colCount_; ++c) from = std::min(from, cells_.Cell(c, row).MergeRect.Top);
  RepaintRect({0, CellRect(0, from).Top, width(), height()});
}

void TCustomEasyGrid::SetDefaultColWidth(int value) {
  if (value == defaultColWidth_) return;
  defaultColWidth_ = value;
  if (!colWidths_.empty()) colWidths_.assign(std::size_t(colCount_), value);
  ColWidthsChanged();
  UpdateScrollRange();
  Invalidate();
}

void TCustomEasyGrid::SetDefaultRowHeight(int value) {
  if (value == defaultRowHeight_) return;
  defaultRowHeight_ = value;
  if (!rowHeights_.empty()) rowHeights_.assign(std::size_t(rowCount_), value);
  RowHeightsChanged();
  UpdateScrollRange();
  Invalidate();
}

void TCustomEasyGrid::ColWidthsChanged() { UpdateEditorBounds(); }
void TCustomEasyGrid::RowHeightsChanged() { UpdateEditorBounds(); }

// ---- Look -------------------------------------------------------------------------------

void TCustomEasyGrid::SetOptions(TEasyGridOptions value) {
  if (value & goRowSelect) value &= ~unsigned(goAlwaysShowEditor);
  if (value == options_) return;
  options_ = value;
  UpdateInputMethod();
  if (options_ & goRowSelect) {
    selection_.Left = fixedCols_ + 1;
    selection_.Right = colCount_ - 1;
  }
  // An editor not in use shows whenever the options now call for it always (whichever
  // option made it possible) and is closed otherwise; one in use stays until it ends.
  if (!EditorShowing()) {
    if (options_ & goAlwaysShowEditor)
      ShowEditor();
    else
      HideEditor();
  }
  Invalidate();
}

void TCustomEasyGrid::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  BorderChanged();
}

void TCustomEasyGrid::SetCtl3D(bool value) {
  if (value == ctl3D_) return;
  ctl3D_ = value;
  BorderChanged();
}

int TCustomEasyGrid::BorderWidth() const {
  if (borderStyle_ == TBorderStyle::bsNone) return 0;
  return ctl3D_ ? 2 : 1;
}

void TCustomEasyGrid::BorderChanged() {
  UpdateScrollRange();
  LayoutScrollBars();
  UpdateEditorBounds();
  Invalidate();
}

bool TCustomEasyGrid::SelectCell(int col, int row) {
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
  return canSelect;
}

void TCustomEasyGrid::FontChanged() {
  TCustomControl::FontChanged();
  if (editor_) editor_->SetFont(Font());
}

void TCustomEasyGrid::SetAutoUpdate(bool value) {
  if (value == autoUpdate_) return;
  autoUpdate_ = value;
  if (autoUpdate_) Invalidate();
}

// ---- Current cell, selection, view ------------------------------------------------------

TGridRect TCustomEasyGrid::ClampToData(TGridRect r) const {
  r.Left = std::clamp(r.Left, 1, colCount_ - 1);
  r.Right = std::clamp(r.Right, 1, colCount_ - 1);
  r.Top = std::clamp(r.Top, 1, rowCount_ - 1);
  r.Bottom = std::clamp(r.Bottom, 1, rowCount_ - 1);
  return r;
}

TGridRect TCustomEasyGrid::ClampToScrolled(TGridRect r) const {
  r.Left = std::clamp(r.Left, fixedCols_ + 1, colCount_ - 1);
  r.Right = std::clamp(r.Right, fixedCols_ + 1, colCount_ - 1);
  r.Top = std::clamp(r.Top, fixedRows_ + 1, rowCount_ - 1);
  r.Bottom = std::clamp(r.Bottom, fixedRows_ + 1, rowCount_ - 1);
  return r;
}

void TCustomEasyGrid::SetCurrentCell(int col, int row) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) throw EInvalidGridOperation(kIndexOutOfRange);
  // Leaving the edited cell stores the editor's text; a text its mask refuses keeps
  // the editor, and the current cell, where they are.
  if (EditorShowing() && (col != col_ || row != row_) && !HideEditor()) return;
  const TGridRect merge = cells_.Cell(col, row).MergeRect;
  col_ = col;
  row_ = row;
  anchorCol_ = (options_ & goRowSelect) ? colCount_ - 1 : merge.Right;
  anchorRow_ = merge.Bottom;
  TGridRect sel{col, row, merge.Right, merge.Bottom};
  if (options_ & goRowSelect) {
    sel.Left = fixedCols_ + 1;
    sel.Right = colCount_ - 1;
  }
  SetSelection(sel);
  InvalidateCellRange(merge);
  if ((options_ & goAlwaysShowEditor) && (options_ & goEditing)) ShowEditor();
}

void TCustomEasyGrid::SetSelection(TGridRect rect) {
  if (rect == selection_) return;
  rect = ClampToScrolled(rect);
  const TGridRect old = selection_;
  selection_ = rect;
  // The title cells beside both selections change their bold state; the selections
  // themselves change colour and carry the thick focus frame (4 pixels beyond them).
  auto repaintSelection = [this](const TGridRect& s) {
    const TGridRect whole = cells_.ExpandToMerges(s);
    TRect r = CellRangeRect(whole);
    RepaintRect({r.Left - 4, r.Top - 4, r.Right + 4, r.Bottom + 4});
    RepaintRect({r.Left - 4, 0, r.Right + 4, RowAxis().TitleBoundary()});
    RepaintRect({0, r.Top - 4, ColAxis().TitleBoundary(), r.Bottom + 4});
  };
  repaintSelection(old);
  repaintSelection(rect);
}

int TCustomEasyGrid::VisibleColCount() const { return ColAxis().LastFullVisibleCell() - leftCol_ + 1; }
int TCustomEasyGrid::VisibleRowCount() const { return RowAxis().LastFullVisibleCell() - topRow_ + 1; }

bool TCustomEasyGrid::IsGridFocused() const {
  if (const TForm* form = dynamic_cast<const TForm*>(window())) {
    if (form->ActiveControl() == this) return true;
  }
  const QWidget* focus = QApplication::focusWidget();
  return focus && (focus == this || isAncestorOf(focus));
}

// ---- Helpers --------------------------------------------------------------------------

void TCustomEasyGrid::RepaintRect(const TRect& r) {
  if (r.IsEmpty()) return;
  // Client coordinates start inside the border.
  const QRect area = r.ToQt().translated(BorderWidth(), BorderWidth());
  if (autoUpdate_ && isVisible())
    repaint(area);
  else
    update(area);
}

bool TCustomEasyGrid::AskOkCancel(const QString& text) const {
  // Every question of the grid precedes a loss of data (texts, merges): Enter answers
  // Cancel.
  return ShowMessage(text, QStringLiteral("询问"), MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

} // namespace fw
