// TCustomEasyGrid: the first visible scrolled cells and the scroll bars.
//
// The bars are child QScrollBars along the right and bottom edges. A bar shows only
// while its axis has something to scroll (a range other than 0..0); the client area
// leaves out the bars that show. The scrolled axes use a fixed range of 0..127 whose
// position is the first visible cell scaled between the first scrolled cell and the
// last page start; a grid with exactly one data column scrolls it by pixels instead.
// A change of the first visible cells moves what the window shows rather than painting
// it all again.

#include "grid/CustomEasyGrid.h"

#include <QFontMetrics>
#include <QPointer>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

namespace fw {

namespace {

constexpr int kScrollMax = 127;

// Product, then quotient rounded to the nearest integer.
int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(number) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

bool HasAxis(TScrollStyle style, bool horizontal) {
  return style == TScrollStyle::ssBoth || style == (horizontal ? TScrollStyle::ssHorizontal : TScrollStyle::ssVertical);
}

} // namespace

TRect TCustomEasyGrid::ClientRect() const {
  TRect r = TCustomControl::ClientRect();
  const int border = BorderWidth();
  r.Right -= 2 * border;
  r.Bottom -= 2 * border;
  if (vBar_ && !vBar_->isHidden()) r.Right -= vBar_->sizeHint().width();
  if (hBar_ && !hBar_->isHidden()) r.Bottom -= hBar_->sizeHint().height();
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

// ---- First visible cells ----------------------------------------------------------------

void TCustomEasyGrid::SetTopLeft(int leftCol, int topRow) {
  leftCol = std::clamp(leftCol, fixedCols_ + 1, colCount_ - 1);
  topRow = std::clamp(topRow, fixedRows_ + 1, rowCount_ - 1);
  if (leftCol == leftCol_ && topRow == topRow_) return;
  const TGridAxis oldCols = ColAxis();
  const TGridAxis oldRows = RowAxis();
  // How far the cells move: negative when the view goes forward.
  const int dx = oldCols.CellStart(leftCol_) - oldCols.CellStart(leftCol);
  const int dy = oldRows.CellStart(topRow_) - oldRows.CellStart(topRow);
  leftCol_ = leftCol;
  topRow_ = topRow;
  SyncScrollPositions();
  ScrollContents(dx, dy, oldCols, oldRows);
  TopLeftChanged();
}

void TCustomEasyGrid::ScrollContents(int dx, int dy, const TGridAxis& cols, const TGridAxis& rows) {
  const int fx = cols.FixedBoundary();
  const int fy = rows.FixedBoundary();
  if (!isVisible() || std::abs(dx) > cols.GridBoundary() - fx || std::abs(dy) > rows.GridBoundary() - fy) {
    Invalidate();
    return;
  }
  const TRect client = ClientRect();
  const int border = BorderWidth();
  auto move = [&](int mx, int my, const TRect& r) {
    if (!r.IsEmpty() && (mx || my)) scroll(mx, my, r.ToQt().translated(border, border));
  };
  if (dy == 0) {
    move(dx, 0, {fx, 0, client.Right, client.Bottom});
  } else if (dx == 0) {
    move(0, dy, {0, fy, client.Right, client.Bottom});
  } else {
    // Title and frozen rows move sideways only, title and frozen columns up or down
    // only, the scrolled cells both ways.
    move(dx, 0, {fx, 0, client.Right, fy});
    move(0, dy, {0, fy, fx, client.Bottom});
    move(dx, dy, {fx, fy, client.Right, client.Bottom});
  }
  // What is drawn across a fixed boundary (the focus frame, raised title edges) belongs
  // to both sides: a thin band along each boundary is painted afresh.
  RepaintRect({fx - 4, 0, fx + 4, client.Bottom});
  RepaintRect({0, fy - 4, client.Right, fy + 4});
  if (options_ & goRowSelect) InvalidateCellRange(selection_);
}

void TCustomEasyGrid::TopLeftChanged() {
  UpdateEditorBounds();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomEasyGrid::Resize() {
  TCustomControl::Resize();
  UpdateScrollRange();
}

// ---- Scroll bars ----------------------------------------------------------------------------

void TCustomEasyGrid::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  auto makeBar = [this](Qt::Orientation orientation) {
    auto* bar = new QScrollBar(orientation, this);
    bar->setRange(0, 0);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
    const bool horizontal = orientation == Qt::Horizontal;
    QObject::connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar, horizontal](int action) {
      if (updatingScroll_) return;
      int code = -1;
      switch (action) {
      case QAbstractSlider::SliderSingleStepSub: code = scLineUp; break;
      case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; break;
      case QAbstractSlider::SliderPageStepSub: code = scPageUp; break;
      case QAbstractSlider::SliderPageStepAdd: code = scPageDown; break;
      case QAbstractSlider::SliderToMinimum: code = scTop; break;
      case QAbstractSlider::SliderToMaximum: code = scBottom; break;
      case QAbstractSlider::SliderMove: code = scTrack; break;
      default: break;
      }
      if (code < 0) return;
      QPointer<TCustomEasyGrid> self(this);
      ScrollMessage(horizontal, code, bar->sliderPosition());
      // Without thumb tracking the thumb follows the mouse until it is released.
      if (self && !(code == scTrack && !(options_ & goThumbTracking))) SyncScrollPositions();
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, this, [this, bar, horizontal] {
      if (updatingScroll_) return;
      QPointer<TCustomEasyGrid> self(this);
      ScrollMessage(horizontal, scPosition, bar->sliderPosition());
      if (self) SyncScrollPositions();
    });
    return bar;
  };
  if (HasAxis(value, true) && !hBar_) hBar_ = makeBar(Qt::Horizontal);
  if (HasAxis(value, false) && !vBar_) vBar_ = makeBar(Qt::Vertical);
  if (hBar_ && !HasAxis(value, true)) hBar_->hide();
  if (vBar_ && !HasAxis(value, false)) vBar_->hide();
  UpdateScrollRange();
  Invalidate();
}

void TCustomEasyGrid::UpdateScrollRange() {
  if (scrollBars_ == TScrollStyle::ssNone || updatingScroll_) return;
  updatingScroll_ = true;
  const int oldLeft = leftCol_;
  const int oldTop = topRow_;
  const int oldOffset = hPixelOffset_;
  // Start as if no bar were shown; each bar then shows when its axis needs scrolling.
  if (hBar_) hBar_->hide();
  if (vBar_) vBar_->hide();
  auto fitAxis = [this](bool horizontal) {
    QScrollBar* bar = horizontal ? hBar_ : vBar_;
    if (!bar || !HasAxis(scrollBars_, horizontal)) return;
    if (horizontal && PixelScrolling()) {
      // One data column: the range is the pixels of it that do not fit.
      const int max = MaxPixelOffset();
      hPixelOffset_ = std::clamp(hPixelOffset_, 0, max);
      bar->setRange(0, max);
      bar->setSingleStep(std::max(1, QFontMetrics(font()).horizontalAdvance(u'0')));
      bar->setPageStep(std::max(1, ClientWidth() - ColAxis().FixedBoundary()));
      bar->setVisible(max > 0);
      return;
    }
    const TGridAxis axis = horizontal ? ColAxis() : RowAxis();
    const int first = axis.FixedCount() + 1;
    const int last = LastPageStart(axis);
    const int max = last > first ? kScrollMax : 0;
    int& firstVisible = horizontal ? leftCol_ : topRow_;
    if (firstVisible > std::max(first, last)) firstVisible = std::max(first, last);
    bar->setRange(0, max);
    bar->setPageStep(std::max(1, max / 8));
    bar->setVisible(max > 0);
  };
  fitAxis(true);
  const int width = ClientWidth();
  fitAxis(false);
  // The vertical bar took room from the columns: the horizontal range is taken again.
  if (ClientWidth() != width) fitAxis(true);
  updatingScroll_ = false;
  LayoutScrollBars();
  SyncScrollPositions();
  if (leftCol_ != oldLeft || topRow_ != oldTop || hPixelOffset_ != oldOffset) {
    Invalidate();
    TopLeftChanged();
  }
}

void TCustomEasyGrid::LayoutScrollBars() {
  const TRect client = ClientRect();
  const int b = BorderWidth();
  if (hBar_ && !hBar_->isHidden())
    hBar_->setGeometry(b, b + client.Bottom, client.Width(), hBar_->sizeHint().height());
  if (vBar_ && !vBar_->isHidden())
    vBar_->setGeometry(b + client.Right, b, vBar_->sizeHint().width(), client.Height());
}

void TCustomEasyGrid::SyncScrollPositions() {
  if (updatingScroll_) return;
  auto sync = [](QScrollBar* bar, const TGridAxis& axis, int firstVisible) {
    if (!bar || bar->maximum() == 0) return;
    const int first = axis.FixedCount() + 1;
    const int pos = MulDiv(firstVisible - first, kScrollMax, LastPageStart(axis) - first);
    if (pos < 0) return;
    // Written only when it differs, so a drag in progress is not disturbed.
    if (bar->sliderPosition() != pos) bar->setSliderPosition(pos);
    if (bar->value() != pos) bar->setValue(pos);
  };
  updatingScroll_ = true;
  if (PixelScrolling()) {
    if (hBar_ && hBar_->sliderPosition() != hPixelOffset_) hBar_->setSliderPosition(hPixelOffset_);
    if (hBar_ && hBar_->value() != hPixelOffset_) hBar_->setValue(hPixelOffset_);
  } else {
    sync(hBar_, ColAxis(), leftCol_);
  }
  sync(vBar_, RowAxis(), topRow_);
  updatingScroll_ = false;
}

int TCustomEasyGrid::MaxPixelOffset() const {
  const TGridAxis cols = ColAxis();
  return std::max(0, GetColWidths(1) - (ClientWidth() - cols.FixedBoundary()));
}

void TCustomEasyGrid::PixelScrollMessage(int code, int pos) {
  const int part = ClientWidth() - ColAxis().FixedBoundary();
  const int max = MaxPixelOffset();
  int offset = hPixelOffset_;
  switch (code) {
  case scLineUp: offset -= QFontMetrics(font()).horizontalAdvance(u'0'); break;
  case scLineDown: offset += QFontMetrics(font()).horizontalAdvance(u'0'); break;
  case scPageUp: offset -= part; break;
  case scPageDown: offset += part; break;
  case scPosition: offset = pos; break;
  case scTrack:
    if (options_ & goThumbTracking) offset = pos;
    break;
  // The left end shows the column's start, the right end its end.
  case scTop: offset = 0; break;
  case scBottom: offset = max; break;
  default: break;
  }
  offset = std::clamp(offset, 0, max);
  if (offset == hPixelOffset_) return;
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();
  const int dx = hPixelOffset_ - offset;
  hPixelOffset_ = offset;
  ScrollContents(dx, 0, cols, rows);
  InvalidateCellRange({1, 0, 1, fixedRows_});
  SyncScrollPositions();
  UpdateEditorBounds();
}

int TCustomEasyGrid::ScrollStep(const TGridAxis& axis, int code, int pos) const {
  const int first = axis.FixedCount() + 1;
  const int last = std::max(first, LastPageStart(axis));
  const int current = axis.FirstScrolled();
  switch (code) {
  case scPosition: return first + MulDiv(pos, last - first, kScrollMax);
  case scTrack: return (options_ & goThumbTracking) ? first + MulDiv(pos, last - first, kScrollMax) : current;
  case scTop: return first;
  case scBottom: return last;
  default: break;
  }
  int step = 0;
  switch (code) {
  case scLineUp: step = -1; break;
  case scLineDown: step = 1; break;
  case scPageUp: step = -std::max(1, current - PageStart(axis, current)); break;
  case scPageDown: step = std::max(1, axis.LastFullVisibleCell() - current); break;
  default: return current;
  }
  // Relative steps pass over hidden and empty cells between the ends.
  int cell = current;
  do {
    cell += step;
  } while (cell > first && cell < last && axis.CellExtent(cell) <= 0);
  return cell;
}

void TCustomEasyGrid::ScrollMessage(bool horizontal, int code, int pos) {
  if (isVisible() && CanFocus() && TabStop() && !Focused()) SetFocus();
  if (horizontal && PixelScrolling()) {
    PixelScrollMessage(code, pos);
    return;
  }
  const TGridAxis axis = horizontal ? ColAxis() : RowAxis();
  const int first = axis.FixedCount() + 1;
  const int last = std::max(first, LastPageStart(axis));
  const int cell = std::clamp(ScrollStep(axis, code, pos), first, last);
  if (horizontal)
    SetTopLeft(cell, topRow_);
  else
    SetTopLeft(leftCol_, cell);
}

} // namespace fw
