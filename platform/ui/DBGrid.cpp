#include "platform/ui/DBGrid.h"

#include "platform/ui/DBGridModel.h"

#include <QAbstractItemDelegate>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTableView>
#include <algorithm>

namespace fw {

namespace {

constexpr int kIndicatorWidth = 11;
constexpr int kTextMargin = 2;
constexpr TColor kLineColor = clSilver;

TMouseButton ButtonFromQt(Qt::MouseButton button) {
  switch (button) {
  case Qt::RightButton: return TMouseButton::mbRight;
  case Qt::MiddleButton: return TMouseButton::mbMiddle;
  default: return TMouseButton::mbLeft;
  }
}

// The raised edge of a fixed cell: light top and left, shadow bottom and right.
void DrawRaisedEdge(TCanvas& canvas, const TRect& r) {
  canvas.Pen().SetColor(clBtnHighlight);
  canvas.MoveTo(r.Left, r.Bottom - 1);
  canvas.LineTo(r.Left, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.Pen().SetColor(clBtnShadow);
  canvas.MoveTo(r.Right - 1, r.Top);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.LineTo(r.Left - 1, r.Bottom - 1);
}

int TextX(const TRect& r, TAlignment alignment) {
  switch (alignment) {
  case TAlignment::taCenter: return r.Left + r.Width() / 2;
  case TAlignment::taRightJustify: return r.Right - kTextMargin - 1;
  default: return r.Left + kTextMargin;
  }
}

} // namespace

// ---- the Qt parts ----------------------------------------------------------------

// The title row: each title painted by the grid through a canvas.
class TDBGrid::Header : public QHeaderView {
public:
  Header(TDBGrid& grid, Qt::Orientation orientation) : QHeaderView(orientation), grid_(grid) {
    setSectionsClickable(orientation == Qt::Horizontal);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setSectionsMovable(false);
    setMinimumSectionSize(0);
  }

  QSize sizeHint() const override {
    if (orientation() == Qt::Vertical) return {kIndicatorWidth, 0};
    return QHeaderView::sizeHint();
  }

protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
    if (!rect.isValid()) return;
    painter->save();
    if (orientation() == Qt::Horizontal)
      grid_.PaintTitle(*painter, rect, logicalIndex);
    else
      grid_.PaintIndicator(*painter, rect, logicalIndex);
    painter->restore();
  }

  void paintEvent(QPaintEvent* event) override {
    // The part beyond the last title or row is the fixed colour, as the grid's.
    {
      QPainter p(viewport());
      p.fillRect(viewport()->rect(), ToQColor(grid_.FixedColor()));
    }
    QHeaderView::paintEvent(event);
  }

private:
  TDBGrid& grid_;
};

// Cells: painted by the grid through its Canvas().
class TDBGrid::Delegate : public QAbstractItemDelegate {
public:
  explicit Delegate(TDBGrid& grid) : grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    grid_.PaintCell(*painter, option.rect, index.row(), index.column());
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
    const int width = index.column() < grid_.Columns().Count() ? grid_.Columns().Items(index.column())->Width() : 64;
    return {width, grid_.DefaultRowHeight()};
  }

private:
  TDBGrid& grid_;
};

// The table view: mouse input on the cells is the grid's; keys reach the grid's KeyDown
// through the control's key filter first.
class TDBGrid::GridView : public QTableView {
public:
  explicit GridView(TDBGrid& grid) : grid_(grid) {}

protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.row() != previous.row()) grid_.ViewCurrentChanged(current.row());
    viewport()->update();
    if (verticalHeader()) verticalHeader()->viewport()->update();
  }

  void focusInEvent(QFocusEvent* event) override {
    QTableView::focusInEvent(event);
    viewport()->update();
  }

  void focusOutEvent(QFocusEvent* event) override {
    QTableView::focusOutEvent(event);
    viewport()->update();
  }

  void mousePressEvent(QMouseEvent* event) override {
    QPointer<QWidget> self(this);
    const QPoint p = event->position().toPoint();
    const QPoint inGrid = viewport()->mapTo(&grid_, p);
    const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
    setFocus(Qt::MouseFocusReason);
    const int row = rowAt(p.y());
    const int column = columnAt(p.x());
    if (row >= 0 && event->button() != Qt::MiddleButton) grid_.CellMouseDown(row, column, ButtonFromQt(event->button()), shift);
    if (!self) return;
    pressedRow_ = row;
    pressedColumn_ = column;
    grid_.MouseDown(ButtonFromQt(event->button()), shift, inGrid.x(), inGrid.y());
    event->accept();
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    QPointer<QWidget> self(this);
    const QPoint p = event->position().toPoint();
    const QPoint inGrid = viewport()->mapTo(&grid_, p);
    grid_.MouseUp(ButtonFromQt(event->button()), ShiftStateFromQt(event->modifiers(), event->buttons()), inGrid.x(),
                  inGrid.y());
    if (!self) return;
    if (event->button() == Qt::LeftButton && pressedRow_ >= 0 && rowAt(p.y()) == pressedRow_ &&
        columnAt(p.x()) == pressedColumn_ && pressedColumn_ >= 0 && pressedColumn_ < grid_.Columns().Count())
      grid_.CellClick(grid_.Columns().Items(pressedColumn_));
    pressedRow_ = -1;
    event->accept();
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint inGrid = viewport()->mapTo(&grid_, event->position().toPoint());
    grid_.MouseMove(ShiftStateFromQt(event->modifiers(), event->buttons()), inGrid.x(), inGrid.y());
    event->accept();
  }

  void mouseDoubleClickEvent(QMouseEvent* event) override {
    pressedRow_ = -1;
    if (event->button() == Qt::LeftButton && rowAt(event->position().toPoint().y()) >= 0) grid_.DblClick();
    event->accept();
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    bool handled = false;
    grid_.DoContextPopup({event->globalPos().x(), event->globalPos().y()}, handled);
    event->setAccepted(handled);
  }

private:
  TDBGrid& grid_;
  int pressedRow_ = -1;
  int pressedColumn_ = -1;
};

// ---- marked rows -----------------------------------------------------------------

bool TBookmarkList::RowSelected(int row) const {
  return std::binary_search(rows_.begin(), rows_.end(), row);
}

void TBookmarkList::SetRowSelected(int row, bool value) {
  TDataSet* ds = grid_.DataSet();
  if (!ds || !ds->Active() || row < 0 || row >= ds->RowCount()) return;
  const auto at = std::lower_bound(rows_.begin(), rows_.end(), row);
  const bool present = at != rows_.end() && *at == row;
  if (value == present) return;
  const auto offset = at - rows_.begin();
  if (value) {
    items_.insert(items_.begin() + offset, ds->RowBookmark(row));
    rows_.insert(at, row);
  } else {
    items_.erase(items_.begin() + offset);
    rows_.erase(at);
  }
  Changed();
}

bool TBookmarkList::CurrentRowSelected() const {
  const int row = grid_.CurrentRow();
  return row >= 0 && RowSelected(row);
}

void TBookmarkList::SetCurrentRowSelected(bool value) { SetRowSelected(grid_.CurrentRow(), value); }

void TBookmarkList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  rows_.clear();
  Changed();
}

void TBookmarkList::Refresh() {
  TDataSet* ds = grid_.DataSet();
  if (!ds || !ds->Active()) {
    Clear();
    return;
  }
  std::vector<int> rows = ds->BookmarkRows(items_);
  rows.erase(std::remove(rows.begin(), rows.end(), -1), rows.end());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  // Fresh bookmarks of this snapshot find their rows at once next time.
  items_.clear();
  for (int row : rows) items_.push_back(ds->RowBookmark(row));
  rows_ = std::move(rows);
  Changed();
}

void TBookmarkList::Changed() {
  if (grid_.view_) grid_.view_->viewport()->update();
}

// ---- grid ------------------------------------------------------------------------

TDBGrid::TDBGrid(TComponent* owner)
    : TCustomControl(owner), columns_(this), selectedRows_(*this),
      options_(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs | dgConfirmDelete |
               dgCancelOnExit) {
  SetParentColor(false);
  SetColor(clWindow);
  resize(320, 120);
  model_ = std::make_unique<TDBGridModel>(*this);
  view_ = new GridView(*this);
  view_->setHorizontalHeader(new Header(*this, Qt::Horizontal));
  view_->setVerticalHeader(new Header(*this, Qt::Vertical));
  view_->setItemDelegate(new Delegate(*this));
  view_->setModel(model_.get());
  view_->setSelectionMode(QAbstractItemView::NoSelection);
  // Whole rows, so that a press on a title does not make the top visible row the current
  // one (the table view's column selection): a title click sorts, it moves no record.
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setShowGrid(false);
  view_->setWordWrap(false);
  view_->setCornerButtonEnabled(false);
  view_->setTabKeyNavigation(false);
  view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->verticalHeader()->setMinimumSectionSize(1);
  AdoptInner(view_);
  SetTabStop(true);

  QObject::connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, view_, [this](int section) {
    if (section >= 0 && section < columns_.Count()) TitleClick(columns_.Items(section));
  });
  QObject::connect(view_->horizontalHeader(), &QHeaderView::sectionResized, view_,
                   [this](int section, int, int size) {
                     if (laying_ || section < 0 || section >= columns_.Count()) return;
                     // The user dragged a title edge: the column keeps the width.
                     laying_ = true;
                     columns_.Items(section)->width_ = size;
                     laying_ = false;
                   });
  QObject::connect(view_->verticalHeader(), &QHeaderView::sectionPressed, view_, [this](int row) {
    CellMouseDown(row, -1, TMouseButton::mbLeft, ShiftStateFromQt(QGuiApplication::keyboardModifiers()));
  });
  titleFont_.OnChange = [this](TFont&) { ApplyLayout(); };
  ApplyLayout();
  ApplyLook();
}

TDBGrid::~TDBGrid() {
  // The model goes first, while the grid is whole: it leaves its data source.
  if (view_) view_->setModel(nullptr);
  model_.reset();
}

TDataSource* TDBGrid::DataSource() const { return model_->TDataLink::DataSource(); }

void TDBGrid::SetDataSource(TDataSource* source) { model_->SetDataSource(source); }

TDataSet* TDBGrid::DataSet() const { return model_ ? model_->DataSet() : nullptr; }

QTableView* TDBGrid::View() const { return view_; }

void TDBGrid::SetOptions(TDBGridOptions options) {
  if (options == options_) return;
  const bool multi = options_ & dgMultiSelect;
  options_ = options & ~unsigned(dgEditing);  // read-only grid
  if (multi && !(options_ & dgMultiSelect)) selectedRows_.Clear();
  ApplyLayout();
  view_->viewport()->update();
}

void TDBGrid::SetDefaultDrawing(bool value) {
  if (value == defaultDrawing_) return;
  defaultDrawing_ = value;
  Invalidate();
  view_->viewport()->update();
}

void TDBGrid::SetFixedColor(TColor value) {
  if (value == fixedColor_) return;
  fixedColor_ = value;
  ApplyLook();
}

int TDBGrid::DefaultRowHeight() const {
  const int height = QFontMetrics(Font().ToQFont()).height() + 3;
  return height + ((options_ & dgRowLines) ? 1 : 0);
}

int TDBGrid::TitleHeight() const {
  int height = QFontMetrics(titleFont_.ToQFont()).height();
  for (int i = 0; i < columns_.Count(); ++i)
    height = std::max(height, QFontMetrics(columns_.Items(i)->Title().Font().ToQFont()).height());
  return height + 4 + ((options_ & dgRowLines) ? 1 : 0);
}

int TDBGrid::VisibleRowCount() const {
  const int rowHeight = std::max(1, DefaultRowHeight());
  return std::max(1, view_->viewport()->height() / rowHeight);
}

TRect TDBGrid::CellRect(int column, int row) const {
  const QModelIndex index = model_->index(row, column);
  if (!index.isValid()) return {};
  const QRect r = view_->visualRect(index).intersected(view_->viewport()->rect());
  if (r.isEmpty()) return {};
  return TRect::FromQt(QRect(view_->viewport()->mapTo(this, r.topLeft()), r.size()));
}

TColumn* TDBGrid::ColumnAt(int x) const {
  const int viewX = view_->viewport()->mapFrom(this, QPoint(x, 0)).x();
  const int column = view_->columnAt(viewX);
  return column >= 0 && column < columns_.Count() ? columns_.Items(column) : nullptr;
}

QString TDBGrid::CellText(int row, int column) const { return model_->CellText(row, column); }

int TDBGrid::CurrentRow() const {
  TDataSet* ds = DataSet();
  return model_->Active() && ds ? ds->CurrentRow() : -1;
}

int TDBGrid::DrawingRecNo() const {
  if (drawingRow_ >= 0) return drawingRow_ + 1;
  TDataSet* ds = DataSet();
  return ds && ds->Active() ? ds->RecNo() : 0;
}

// ---- layout ----------------------------------------------------------------------

void TDBGrid::ApplyLayout() {
  if (!view_) return;
  laying_ = true;
  QHeaderView* titles = view_->horizontalHeader();
  QHeaderView* indicator = view_->verticalHeader();
  titles->setVisible(options_ & dgTitles);
  titles->setFixedHeight(TitleHeight());
  titles->setSectionResizeMode((options_ & dgColumnResize) ? QHeaderView::Interactive : QHeaderView::Fixed);
  indicator->setVisible(options_ & dgIndicator);
  indicator->setFixedWidth(kIndicatorWidth);
  indicator->setDefaultSectionSize(DefaultRowHeight());
  titles->setDefaultSectionSize(64);
  for (int i = 0; i < columns_.Count() && i < model_->columnCount(); ++i) {
    const TColumn* column = columns_.Items(i);
    view_->setColumnHidden(i, !column->Visible());
    if (column->Visible()) titles->resizeSection(i, column->Width());
  }
  laying_ = false;
  titles->viewport()->update();
  view_->viewport()->update();
}

void TDBGrid::ApplyLook() {
  for (QHeaderView* header : {view_->horizontalHeader(), view_->verticalHeader()}) {
    QPalette palette = header->palette();
    palette.setColor(QPalette::Button, ToQColor(fixedColor_));
    palette.setColor(QPalette::Window, ToQColor(fixedColor_));
    header->setPalette(palette);
    header->viewport()->update();
  }
  view_->viewport()->update();
}

void TDBGrid::FontChanged() {
  TCustomControl::FontChanged();
  ApplyLayout();
}

void TDBGrid::ColorChanged() {
  TCustomControl::ColorChanged();
  if (view_) view_->viewport()->update();
}

void TDBGrid::ColumnChanged(bool layout) {
  if (columns_.Updating()) {
    columns_.MarkPending();
    return;
  }
  if (layout) {
    ColumnsChanged();
    return;
  }
  view_->horizontalHeader()->viewport()->update();
  view_->viewport()->update();
}

void TDBGrid::ColumnsChanged() {
  if (laying_) return;
  model_->ColumnsChanged();
  ApplyLayout();
  SyncCurrentRow();
}

void TDBGrid::RefreshDefaultColumns() {
  if (columns_.State() != TDBGridColumnsState::csDefault) return;
  TDataSet* ds = model_->Active() ? DataSet() : nullptr;
  columns_.RebuildDefault(ds ? ds->FieldNames() : QStringList());
}

// ---- following the data set -----------------------------------------------------

void TDBGrid::DataLinkChanged() {
  selectedRows_.Refresh();
  selecting_ = false;
  anchorRow_ = -1;
  ApplyLayout();
  SyncCurrentRow();
}

void TDBGrid::DataLinkEvent(const TDataNotice& notice) {
  switch (notice.Event) {
  case TDataEvent::DataSetChange:
    selecting_ = false;
    anchorRow_ = -1;
    selectedRows_.Refresh();
    ApplyLayout();
    SyncCurrentRow();
    break;
  case TDataEvent::RecordInserted:
  case TDataEvent::RecordDeleted:
    selectedRows_.Refresh();
    SyncCurrentRow();
    break;
  case TDataEvent::Scroll:
    if (!ownMove_) ForgetMarksOffCurrentRow();
    SyncCurrentRow();
    break;
  default:
    view_->viewport()->update();
    break;
  }
}

// Puts the view's current row on the data set's record and shows it.
void TDBGrid::SyncCurrentRow() {
  if (!view_) return;
  const int row = CurrentRow();
  syncing_ = true;
  if (row < 0) {
    view_->selectionModel()->clearCurrentIndex();
  } else {
    int column = view_->currentIndex().column();
    if (column < 0 || view_->isColumnHidden(column)) column = view_->horizontalHeader()->logicalIndexAt(0);
    if (column < 0) column = 0;
    const QModelIndex index = model_->index(row, column);
    if (index.isValid()) {
      view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
      view_->scrollTo(index);
    }
  }
  syncing_ = false;
  view_->viewport()->update();
  view_->verticalHeader()->viewport()->update();
}

// The data set was moved by someone else (the entry form's record buttons, a search, a
// requery): as after a plain move in the grid, marks that do not hold the new record are
// dropped, so the rows shown selected stay the rows the list's actions take.
void TDBGrid::ForgetMarksOffCurrentRow() {
  if (!(options_ & dgMultiSelect) || selectedRows_.Count() == 0 || selectedRows_.CurrentRowSelected()) return;
  selectedRows_.Clear();
  selecting_ = false;
  anchorRow_ = -1;
}

void TDBGrid::ViewCurrentChanged(int row) {
  if (syncing_) return;
  TDataSet* ds = DataSet();
  if (!ds || !model_->Active() || row < 0 || row == ds->CurrentRow()) return;
  const QScopedValueRollback<bool> own(ownMove_, true);
  ds->SetRecNo(row + 1);
}

// Moves the data set to `row` (clamped to the rows there are).
void TDBGrid::MoveTo(int row, TShiftState, bool) {
  TDataSet* ds = DataSet();
  if (!ds || !model_->Active() || ds->RowCount() == 0) return;
  row = std::clamp(row, 0, ds->RowCount() - 1);
  const QScopedValueRollback<bool> own(ownMove_, true);
  if (row != ds->CurrentRow()) ds->SetRecNo(row + 1);
}

// ---- mouse and keys --------------------------------------------------------------

void TDBGrid::CellMouseDown(int row, int, TMouseButton button, TShiftState shift) {
  if (!model_->Active() || button == TMouseButton::mbMiddle) return;
  view_->setFocus(Qt::MouseFocusReason);
  const int previous = CurrentRow();
  MoveTo(row, shift, false);
  if (!(options_ & dgMultiSelect)) return;
  selecting_ = false;
  if (shift & ssCtrl) {
    selectedRows_.SetCurrentRowSelected(!selectedRows_.CurrentRowSelected());
    // A row unmarked while others stay marked hands the current record to the nearest of
    // them: the current record is always one the list shows selected.
    if (!selectedRows_.CurrentRowSelected() && selectedRows_.Count() > 0)
      MoveTo(NearestMarkedRow(CurrentRow()), 0, false);
    anchorRow_ = CurrentRow();
  } else if ((shift & ssShift) && button == TMouseButton::mbLeft) {
    // A range from the last marked or current row to the clicked one.
    MarkRange(anchorRow_ >= 0 ? anchorRow_ : previous, CurrentRow());
  } else {
    selectedRows_.Clear();
    selectedRows_.SetCurrentRowSelected(true);
    anchorRow_ = CurrentRow();
  }
}

// Marks every row from `from` to `to`, both included, beside the marks there are.
void TDBGrid::MarkRange(int from, int to) {
  for (int r = std::min(from, to); r <= std::max(from, to); ++r) selectedRows_.SetRowSelected(r, true);
}

// The marked row closest to `row` (the earlier one of two as close); some row is marked.
int TDBGrid::NearestMarkedRow(int row) const {
  const std::vector<int>& rows = selectedRows_.Rows();
  const auto after = std::lower_bound(rows.begin(), rows.end(), row);
  if (after == rows.begin()) return *after;
  if (after == rows.end() || row - *(after - 1) <= *after - row) return *(after - 1);
  return *after;
}

// After a Ctrl+key jump: with Shift the marks reach from where marking started to the new
// row, and Shift+Up/Down go on from there; without, the marks stay only when the new row
// is one of them, as after a plain move.
void TDBGrid::MarksAfterJump(int from, bool extend) {
  if (!(options_ & dgMultiSelect)) return;
  if (!extend) {
    ForgetMarksOffCurrentRow();
    return;
  }
  MarkRange(from, CurrentRow());
  anchorRow_ = from;
  selecting_ = true;
}

void TDBGrid::TitleClick(TColumn* column) {
  if (OnTitleClick) OnTitleClick(column);
}

void TDBGrid::CellClick(TColumn* column) {
  if (OnCellClick) OnCellClick(column);
}

void TDBGrid::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  TDataSet* ds = DataSet();
  if (!key || !ds || !model_->Active()) return;
  const QScopedValueRollback<bool> own(ownMove_, true);
  const int current = CurrentRow();
  const int top = view_->rowAt(0);
  const int bottom = std::max(top, view_->rowAt(view_->viewport()->height() - 1) < 0
                                       ? ds->RowCount() - 1
                                       : view_->rowAt(view_->viewport()->height() - 1));
  auto clearMarks = [this] {
    if (!(options_ & dgMultiSelect)) return;
    selectedRows_.Clear();
    selecting_ = false;
    anchorRow_ = -1;
  };
  // One step up or down; with Shift the marks follow the cursor from where it started.
  auto step = [&](int direction) {
    bool markAfter = false;
    if (options_ & dgMultiSelect) {
      if (shift & ssShift) {
        if (!selecting_) {
          anchorRow_ = current;
          selectedRows_.SetCurrentRowSelected(true);
          selecting_ = true;
          markAfter = true;
        } else {
          const int compare = current < anchorRow_ ? -1 : (current > anchorRow_ ? 1 : 0);
          markAfter = compare != -direction;
          if (!markAfter) selectedRows_.SetCurrentRowSelected(false);
        }
      } else {
        clearMarks();
      }
    }
    ds->MoveBy(direction);
    if (markAfter) selectedRows_.SetCurrentRowSelected(true);
  };

  if (shift & ssCtrl) {
    const int from = anchorRow_ >= 0 ? anchorRow_ : current;
    switch (key) {
    case VK_UP:
    case VK_PRIOR: MoveTo(top < 0 ? 0 : top, shift, false); break;
    case VK_DOWN:
    case VK_NEXT: MoveTo(bottom, shift, false); break;
    case VK_HOME: ds->First(); break;
    case VK_END: ds->Last(); break;
    default: return;
    }
    key = 0;
    MarksAfterJump(from, shift & ssShift);
    return;
  }
  switch (key) {
  case VK_UP: step(-1); break;
  case VK_DOWN: step(1); break;
  case VK_PRIOR:
    clearMarks();
    ds->MoveBy(-VisibleRowCount());
    break;
  case VK_NEXT:
    clearMarks();
    ds->MoveBy(VisibleRowCount());
    break;
  case VK_HOME:
    clearMarks();
    ds->First();
    break;
  case VK_END:
    clearMarks();
    ds->Last();
    break;
  default: return;
  }
  key = 0;
}

// ---- painting --------------------------------------------------------------------

// With rows marked, exactly the marked rows are shown selected (the current row among
// them only when marked); with none, the current row.
bool TDBGrid::Highlighted(int row, int column) const {
  if ((options_ & dgMultiSelect) && selectedRows_.Count() > 0) return selectedRows_.RowSelected(row);
  if (row != CurrentRow()) return false;
  if (!(options_ & dgAlwaysShowSelection) && !view_->hasFocus()) return false;
  return (options_ & dgRowSelect) || column == view_->currentIndex().column();
}

void TDBGrid::PaintCell(QPainter& painter, const QRect& rect, int row, int column) {
  if (column < 0 || column >= columns_.Count()) return;
  TColumn* item = columns_.Items(column);
  const TRect cell = TRect::FromQt(rect);
  TRect inner = cell;
  if (options_ & dgColLines) inner.Right -= 1;
  if (options_ & dgRowLines) inner.Bottom -= 1;

  TControlCanvas::Scope scope(CanvasHolder(), &painter, item->Font(), item->Color());
  TCanvas& canvas = Canvas();
  TGridDrawState state = 0;
  if (Highlighted(row, column)) {
    state |= gdSelected;
    canvas.Brush().SetColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
  }
  if (row == CurrentRow() && view_->hasFocus() && ((options_ & dgRowSelect) || column == view_->currentIndex().column()))
    state |= gdFocused;

  drawingRow_ = row;
  if (defaultDrawing_) DefaultDrawColumnCell(inner, column, item, state);
  if (OnDrawColumnCell) {
    try {
      OnDrawColumnCell(this, inner, column, item, state);
    } catch (...) {
      // A drawing handler's fault must not escape from painting.
    }
  }
  drawingRow_ = -1;

  canvas.Brush().SetColor(kLineColor);
  if (options_ & dgColLines) canvas.FillRect(Rect(cell.Right - 1, cell.Top, cell.Right, cell.Bottom));
  if (options_ & dgRowLines) canvas.FillRect(Rect(cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom));
}

void TDBGrid::DefaultDrawColumnCell(const TRect& rect, int dataCol, TColumn* column, TGridDrawState) {
  TCanvas& canvas = Canvas();
  QString text;
  if (drawingRow_ >= 0)
    text = model_->CellText(drawingRow_, dataCol);
  else if (column && column->Field())
    text = column->Field()->AsString();
  const TAlignment alignment = column ? column->Alignment() : TAlignment::taLeftJustify;
  canvas.TextRect(rect, TextX(rect, alignment), rect.Top + kTextMargin, text, alignment);
}

void TDBGrid::PaintTitle(QPainter& painter, const QRect& rect, int column) {
  if (column < 0 || column >= columns_.Count()) return;
  const TColumn* item = columns_.Items(column);
  TCanvas canvas(&painter);
  const TRect cell = TRect::FromQt(rect);
  TRect inner = cell;
  if (options_ & dgColLines) inner.Right -= 1;
  if (options_ & dgRowLines) inner.Bottom -= 1;
  canvas.Brush().SetColor(item->Title().Color());
  canvas.Font().Assign(item->Title().Font());
  const TAlignment alignment = item->Title().Alignment();
  canvas.TextRect(inner, TextX(inner, alignment), inner.Top + kTextMargin, item->Title().Caption(), alignment);
  DrawRaisedEdge(canvas, inner);
  canvas.Brush().SetColor(clBlack);
  if (options_ & dgColLines) canvas.FillRect(Rect(cell.Right - 1, cell.Top, cell.Right, cell.Bottom));
  if (options_ & dgRowLines) canvas.FillRect(Rect(cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom));
}

void TDBGrid::PaintIndicator(QPainter& painter, const QRect& rect, int row) {
  TCanvas canvas(&painter);
  const TRect cell = TRect::FromQt(rect);
  TRect inner = cell;
  if (options_ & dgRowLines) inner.Bottom -= 1;
  canvas.Brush().SetColor(fixedColor_);
  canvas.FillRect(inner);
  DrawRaisedEdge(canvas, inner);
  canvas.Brush().SetColor(clBlack);
  if (options_ & dgRowLines) canvas.FillRect(Rect(cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom));
  if (row != CurrentRow()) return;
  // The current record's arrow.
  const int midY = (inner.Top + inner.Bottom) / 2;
  const int left = inner.Left + 3;
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(clBlack);
  canvas.Polygon({Point(left, midY - 4), Point(left + 4, midY), Point(left, midY + 4)});
}

} // namespace fw
