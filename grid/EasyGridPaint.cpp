// Layout and painting of the report grid: the pixel layout of both axes, grid lines in
// nine regions (title, frozen and scrolled bands of each axis), cell backgrounds by
// state, cell contents, and the focus frame.

#include "grid/CustomEasyGrid.h"

#include <QPainter>
#include <algorithm>

namespace fw {

// One of the nine regions: a band of cells on each axis and the pixels it covers.
struct TCustomEasyGrid::TRegion {
  int FirstCol = 0, LastCol = -1;  // cells of the column band
  int FirstRow = 0, LastRow = -1;  // cells of the row band
  TRect Pixels;
  bool IsEmpty() const { return Pixels.IsEmpty() || LastCol < FirstCol || LastRow < FirstRow; }
};

namespace {

// A band of one axis: 0 title, 1 frozen, 2 scrolled.
struct TBand {
  int First = 0, Last = -1, Start = 0, End = 0;
};

TBand Band(const TGridAxis& axis, int which) {
  switch (which) {
  case 0: return {0, 0, 0, axis.TitleBoundary()};
  case 1: return {1, axis.FixedCount(), axis.TitleBoundary(), axis.FixedBoundary()};
  default: return {axis.FirstScrolled(), axis.Count() - 1, axis.FixedBoundary(), axis.GridBoundary()};
  }
}

} // namespace

// ---- Layout ----------------------------------------------------------------------------

TGridAxis TCustomEasyGrid::ColAxis() const {
  TGridAxisParams p;
  p.LineWidth = (options_ & (goFixedVertLine | goVertLine)) ? gridLineWidth_ : 0;
  p.ShowTitle = showRowTitle_;
  p.FixedCount = fixedCols_;
  p.FirstScrolled = leftCol_;
  p.Count = colCount_;
  p.GridExtent = ClientWidth();
  p.ScrollOffset = PixelScrolling() ? hPixelOffset_ : 0;
  p.Extent = [this](int c) { return GetColWidths(c); };
  return TGridAxis(std::move(p));
}

TGridAxis TCustomEasyGrid::RowAxis() const {
  TGridAxisParams p;
  p.LineWidth = (options_ & (goFixedHorzLine | goHorzLine)) ? gridLineWidth_ : 0;
  p.ShowTitle = showColTitle_;
  p.FixedCount = fixedRows_;
  p.FirstScrolled = topRow_;
  p.Count = rowCount_;
  p.GridExtent = ClientHeight();
  p.Extent = [this](int r) { return GetRowHeights(r); };
  return TGridAxis(std::move(p));
}

TRect TCustomEasyGrid::CellRangeRect(const TGridRect& range) const {
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();
  return {cols.CellStart(range.Left), rows.CellStart(range.Top), cols.CellEnd(range.Right), rows.CellEnd(range.Bottom)};
}

void TCustomEasyGrid::InvalidateCellRange(const TGridRect& range) {
  const TRect r = CellRangeRect(range);
  RepaintRect({r.Left - 3, r.Top - 3, r.Right + 3, r.Bottom + 3});
}

void TCustomEasyGrid::InvalidateRow(int row) {
  if (row < 0 || row >= rowCount_) return;
  const TRect r = CellRangeRect({0, row, 0, row});
  RepaintRect({0, r.Top, width(), r.Bottom});
}

QString TCustomEasyGrid::ColumnTitle(int index) {
  if (index < 0 || index > 255) return {};
  if (index < 26) return QString(QChar('A' + index));
  return QString(QChar('A' + index / 26 - 1)) + QChar('A' + index % 26);
}

QString TCustomEasyGrid::GetColumnTitle(int index) const {
  const int col = index + 1;
  if (col >= 1 && col < colCount_ && !cells_.Cell(col, 0).ForeText.isEmpty()) return cells_.Cell(col, 0).ForeText;
  return ColumnTitle(index);
}

// ---- Painting ----------------------------------------------------------------------------

void TCustomEasyGrid::Paint() {
  TCanvas& canvas = Canvas();
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();

  // Everything beyond the last column and row (and the line gaps of switched-off lines)
  // shows the control's colour; the cells paint over the rest.
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(PaintRect());

  // The cells paint in client coordinates, inside the border and clipped to the client.
  QPainter* painter = ActivePainter();
  const int border = BorderWidth();
  painter->save();
  painter->translate(border, border);
  canvas.SaveDC();
  canvas.IntersectClipRect(ClientRect());

  auto region = [&](int colBand, int rowBand) {
    const TBand cb = Band(cols, colBand);
    const TBand rb = Band(rows, rowBand);
    return TRegion{cb.First, cb.Last, rb.First, rb.Last, {cb.Start, rb.Start, cb.End, rb.End}};
  };
  const bool fixedVert = options_ & goFixedVertLine, fixedHorz = options_ & goFixedHorzLine;
  const bool vert = options_ & goVertLine, horz = options_ & goHorzLine;

  // Grid lines: the title regions always both ways in black, the frozen regions and
  // the client region by their options and colours.
  const int titleRegions[5][2] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2}};
  for (const auto& tr : titleRegions) DrawLines(cols, rows, region(tr[0], tr[1]), true, true, clBlack);
  const int frozenRegions[3][2] = {{1, 1}, {2, 1}, {1, 2}};
  for (const auto& fr : frozenRegions) DrawLines(cols, rows, region(fr[0], fr[1]), fixedVert, fixedHorz, fixedLineColor_);
  DrawLines(cols, rows, region(2, 2), vert, horz, clientLineColor_);

  for (const auto& tr : titleRegions) DrawCells(cols, rows, region(tr[0], tr[1]), gdTitled);
  for (const auto& fr : frozenRegions) DrawCells(cols, rows, region(fr[0], fr[1]), gdFixed);
  DrawCells(cols, rows, region(2, 2), 0);

  const bool editorAlwaysOn = (options_ & goEditing) && (options_ & goAlwaysShowEditor);
  if (defaultDrawing_ && !editorAlwaysOn && !(options_ & goRowSelect)) DrawFocus(cols, rows);
  DrawDragFeedback(cols, rows);
  canvas.RestoreDC();
  painter->restore();
  if (border > 0) DrawBorder();
}

void TCustomEasyGrid::DrawBorder() {
  TCanvas& canvas = Canvas();
  const TRect r = {0, 0, width(), height()};
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  auto frame = [&canvas](const TRect& f, TColor topLeft, TColor bottomRight) {
    canvas.Brush().SetColor(topLeft);
    canvas.FillRect({f.Left, f.Top, f.Right, f.Top + 1});
    canvas.FillRect({f.Left, f.Top, f.Left + 1, f.Bottom});
    canvas.Brush().SetColor(bottomRight);
    canvas.FillRect({f.Left, f.Bottom - 1, f.Right, f.Bottom});
    canvas.FillRect({f.Right - 1, f.Top, f.Right, f.Bottom});
  };
  if (!ctl3D_) {
    frame(r, clWindowFrame, clWindowFrame);
    return;
  }
  // A sunken edge: shadow outside, dark shadow inside, light on the lower right.
  frame(r, clBtnShadow, clBtnHighlight);
  frame({1, 1, r.Right - 1, r.Bottom - 1}, cl3DDkShadow, clBtnFace);
}

void TCustomEasyGrid::DrawDragFeedback(const TGridAxis& cols, const TGridAxis& rows) {
  const TRect r = DragFeedbackRect();
  if (r.IsEmpty()) return;
  TCanvas& canvas = Canvas();
  canvas.SaveDC();
  // Dotted, every other pixel inverted, as the desktop draws a focus rectangle.
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(TPenStyle::psDot);
  canvas.Pen().SetColor(clWhite);
  canvas.Pen().SetMode(TPenMode::pmXor);
  if (gridState_ == TGridState::gsColSizing || gridState_ == TGridState::gsRowSizing) {
    canvas.MoveTo(r.Left, r.Top);
    canvas.LineTo(r.Right == r.Left + 1 ? r.Left : r.Right, r.Bottom == r.Top + 1 ? r.Top : r.Bottom);
  } else {
    canvas.IntersectClipRect({cols.TitleBoundary(), rows.TitleBoundary(), cols.GridBoundary(), rows.GridBoundary()});
    const int R = r.Right - 1, B = r.Bottom - 1;
    canvas.Polyline({{r.Left, r.Top}, {R, r.Top}, {R, B}, {r.Left, B}, {r.Left, r.Top}});
  }
  canvas.Pen().SetMode(TPenMode::pmCopy);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.RestoreDC();
}

void TCustomEasyGrid::DrawLines(const TGridAxis& cols, const TGridAxis& rows, const TRegion& region, bool vert,
                                bool horz, TColor color) {
  if (region.IsEmpty() || (!vert && !horz)) return;
  const int vw = cols.LineWidth(), hw = rows.LineWidth();
  TCanvas& canvas = Canvas();
  canvas.SaveDC();
  canvas.IntersectClipRect(region.Pixels);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(color);
  // Each cell draws the line right of it and the line under it, each as long as the
  // cell plus the crossing; a line is left out where the cell's merged range goes on.
  for (int r = region.FirstRow; r <= region.LastRow && rows.CellStart(r) < region.Pixels.Bottom; ++r) {
    const int top = rows.CellStart(r), bottom = rows.CellEnd(r);
    for (int c = region.FirstCol; c <= region.LastCol && cols.CellStart(c) < region.Pixels.Right; ++c) {
      const int left = cols.CellStart(c), right = cols.CellEnd(c);
      const TGridRect& merge = cells_.Cell(c, r).MergeRect;
      if (vert && vw > 0 && merge.Right <= c) canvas.FillRect({right, top, right + vw, bottom + hw});
      if (horz && hw > 0 && merge.Bottom <= r) canvas.FillRect({left, bottom, right + vw, bottom + hw});
    }
  }
  canvas.RestoreDC();
}

void TCustomEasyGrid::DrawCells(const TGridAxis& cols, const TGridAxis& rows, const TRegion& region,
                                TEasyGridDrawState base) {
  if (region.IsEmpty()) return;
  TCanvas& canvas = Canvas();
  canvas.SaveDC();
  canvas.IntersectClipRect(region.Pixels);
  const TRect clip = canvas.ClipRect();
  const bool focused = IsGridFocused();
  const bool highlightAll = options_ & (goDrawFocusSelected | goRowSelect);
  for (int r = region.FirstRow; r <= region.LastRow && rows.CellStart(r) < region.Pixels.Bottom; ++r) {
    for (int c = region.FirstCol; c <= region.LastCol && cols.CellStart(c) < region.Pixels.Right; ++c) {
      const TCellInfo& cell = cells_.Cell(c, r);
      const TGridRect& merge = cell.MergeRect;
      // A merged range is painted once per region, by its first member in the region:
      // its origin, or the first visible member when the origin is scrolled out of view.
      if (c != std::max(merge.Left, region.FirstCol) || r != std::max(merge.Top, region.FirstRow)) continue;
      const TRect rect = {cols.CellStart(merge.Left), rows.CellStart(merge.Top), cols.CellEnd(merge.Right),
                          rows.CellEnd(merge.Bottom)};
      // Hidden columns and rows (negative extents) take no room and paint nothing.
      if (rect.IsEmpty()) continue;
      if (rect.Right <= clip.Left || rect.Left >= clip.Right || rect.Bottom <= clip.Top || rect.Top >= clip.Bottom)
        continue;
      const bool isCurrent = merge.Contains(col_, row_);
      TEasyGridDrawState state = base;
      if (focused && isCurrent) state |= gdFocused;
      if (merge.Intersects(selection_)) state |= gdSelected;
      if ((state & gdFocused) && (options_ & goEditing) && EditorShowing()) continue;

      if (defaultDrawing_) {
        TColor back = cell.Color;
        if ((state & gdSelected) && highlightAll)
          back = highLightColor_;
        else if (c == 0 || r == 0)
          back = titleColor_;
        else if ((state & gdSelected) && !isCurrent)
          back = highLightColor_;
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(back);
        canvas.FillRect(rect);
      }
      DrawCell(c, r, rect, state);
      if (defaultDrawing_ && (state & gdTitled) && ctl3D_) {
        // A raised inner edge: shadow on the bottom and right, light on the top and left.
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(clBtnShadow);
        canvas.FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
        canvas.FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
        canvas.Brush().SetColor(clBtnHighlight);
        canvas.FillRect({rect.Left, rect.Top, rect.Right - 1, rect.Top + 1});
        canvas.FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1});
      }
    }
  }
  canvas.RestoreDC();
}

void TCustomEasyGrid::DrawCell(int col, int row, TRect rect, TEasyGridDrawState state) {
  const TCellInfo& cell = cells_.Cell(col, row);
  if (cell.DrawTop || cell.DrawLeft || cell.DrawBottom || cell.DrawRight) DrawFrameLines(cell, rect);
  if ((row == 0) != (col == 0))
    DrawTitleText(col, row, rect);
  else
    DrawCellText(cell, col, row, rect, state);
  // The handler gets the rectangle as the text drawing left it (inside the margins,
  // its top at the text's top).
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

void TCustomEasyGrid::DrawFrameLines(const TCellInfo& cell, const TRect& rect) {
  TCanvas& canvas = Canvas();
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetWidth(cell.LineWidth);
  canvas.Pen().SetStyle(cell.PenStyle);
  canvas.Pen().SetMode(TPenMode::pmCopy);
  // The lines lie on the grid lines around the cell: with width 1 along the line above
  // and left of the cell and along its own right and bottom lines.
  const int h = cell.LineWidth / 2;
  const TRect l = {rect.Left + h - 1, rect.Top + h - 1, rect.Right - h, rect.Bottom - h};
  if (cell.DrawTop) {
    canvas.MoveTo(l.Left, l.Top);
    canvas.LineTo(l.Right, l.Top);
  }
  if (cell.DrawLeft) {
    canvas.MoveTo(l.Left, l.Top);
    canvas.LineTo(l.Left, l.Bottom);
  }
  if (cell.DrawBottom) {
    canvas.MoveTo(l.Left, l.Bottom);
    canvas.LineTo(l.Right, l.Bottom);
  }
  if (cell.DrawRight) {
    canvas.MoveTo(l.Right, l.Top);
    canvas.LineTo(l.Right, l.Bottom);
  }
}

void TCustomEasyGrid::DrawTitleText(int col, int row, const TRect& rect) {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TFont& font = canvas.Font();
  font.SetName(QStringLiteral("宋体"));
  font.SetSize(10);
  font.SetColor(clBlack);
  font.SetStyle(0);
  const bool inSelection = row == 0 ? (col >= selection_.Left && col <= selection_.Right)
                                    : (row >= selection_.Top && row <= selection_.Bottom);
  if (inSelection) {
    font.SetStyle(fsBold);
    font.SetColor(focusedTitleColor_);
  }
  const QString text = row == 0 ? GetColumnTitle(col - 1) : QString::number(row);
  TRect r = rect;
  canvas.DrawText(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TCustomEasyGrid::DrawCellText(const TCellInfo& cell, int col, int row, TRect& rect, TEasyGridDrawState state) {
  const TRect inner = {rect.Left + 4, rect.Top + 4, rect.Right - 4, rect.Bottom - 4};
  rect = inner;
  const QString& text = cell.ShownText();
  if (text.isEmpty()) return;
  TCanvas& canvas = Canvas();
  canvas.SaveDC();
  canvas.IntersectClipRect(inner);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TFont& font = canvas.Font();
  font.SetName(cell.FontName);
  font.SetSize(cell.FontSize);
  font.SetStyle(cell.FontStyle);
  const bool isCurrent = cell.MergeRect.Contains(col_, row_);
  font.SetColor((state & gdSelected) && ((options_ & goRowSelect) || !isCurrent) ? highLightTextColor_
                                                                                  : cell.FontColor);
  const int align = static_cast<int>(cell.AlignMode);
  static const unsigned horizontal[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  // Cell texts are shown as stored: an "&" is a character, not a mnemonic prefix.
  unsigned flags = horizontal[align % 3] | DT_NOPREFIX;
  if (cell.AutoWordBreak) flags |= DT_WORDBREAK;
  TRect measured = inner;
  const int textHeight = canvas.DrawText(text, measured, flags | DT_CALCRECT);
  TRect target = inner;
  switch (align / 3) {
  case 0: break;
  case 1: target.Top += (inner.Height() - textHeight) / 2; break;
  default: target.Top = inner.Bottom - textHeight; break;
  }
  rect = target;
  canvas.DrawText(text, target, flags);
  canvas.RestoreDC();
}

void TCustomEasyGrid::DrawFocus(const TGridAxis& cols, const TGridAxis& rows) {
  TCanvas& canvas = Canvas();
  canvas.SaveDC();
  canvas.IntersectClipRect({cols.TitleBoundary(), rows.TitleBoundary(), cols.GridBoundary(), rows.GridBoundary()});
  const bool cutsMerge = cells_.CutsMerge(selection_);
  const TRect sel = CellRangeRect(selection_);
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetMode(TPenMode::pmCopy);
  if ((IsGridFocused() || alwaysDrawFocus_) && (gridCanCopyMove_ || gridCanFill_)) {
    if (cutsMerge) {
      const TRect cur = CellRangeRect(cells_.Cell(col_, row_).MergeRect);
      canvas.Pen().SetWidth(1);
      canvas.Polyline({{cur.Left, cur.Top}, {cur.Right - 2, cur.Top}, {cur.Right - 2, cur.Bottom - 2},
                       {cur.Left, cur.Bottom - 2}, {cur.Left, cur.Top}});
    } else {
      const int L = sel.Left, T = sel.Top, R = sel.Right, B = sel.Bottom;
      canvas.Pen().SetWidth(3);
      canvas.MoveTo(L, T);
      canvas.LineTo(R - 3, T);
      canvas.MoveTo(L, T);
      canvas.LineTo(L, B - 3);
      if (L < R - 6) {
        canvas.MoveTo(L, B - 2);
        canvas.LineTo(R - 7, B - 2);
      }
      if (T < B - 6) {
        canvas.MoveTo(R - 2, B - 6);
        canvas.LineTo(R - 2, T);
      }
      // The fill handle, then a white outline inside the frame.
      canvas.Brush().SetStyle(TBrushStyle::bsSolid);
      canvas.Brush().SetColor(clBlack);
      canvas.FillRect({R - 3, B - 3, R, B});
      canvas.Pen().SetWidth(1);
      canvas.Pen().SetColor(clWhite);
      canvas.MoveTo(L + 2, T + 2);
      canvas.LineTo(R - 4, T + 2);
      canvas.MoveTo(L + 2, T + 2);
      canvas.LineTo(L + 2, B - 4);
      canvas.MoveTo(L + 2, B - 4);
      canvas.LineTo(R + 1, B - 4);
      canvas.MoveTo(R - 4, T + 2);
      canvas.LineTo(R - 4, B + 1);
    }
  } else if (!cutsMerge) {
    // The desktop's dotted focus rectangle: every other pixel of the outline inverted.
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(TPenStyle::psDot);
    canvas.Pen().SetColor(clWhite);
    canvas.Pen().SetMode(TPenMode::pmXor);
    const int R = sel.Right - 2, B = sel.Bottom - 2;
    canvas.Polyline({{sel.Left, sel.Top}, {R, sel.Top}, {R, B}, {sel.Left, B}, {sel.Left, sel.Top}});
    canvas.Pen().SetMode(TPenMode::pmCopy);
    canvas.Pen().SetStyle(TPenStyle::psSolid);
  }
  canvas.RestoreDC();
}

} // namespace fw
