#include "platform/sheet/SheetRange.h"

#include "platform/sheet/CellAddress.h"
#include "platform/sheet/CellText.h"
#include "platform/sheet/ShownWidths.h"
#include "platform/sheet/Workbook.h"
#include "platform/sheet/Worksheet.h"

#include <cmath>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace fw {

namespace {

// Writing cell by cell beyond this many cells is a caller's mistake (say a whole sheet
// given as the range), not something to grind through.
constexpr qint64 kMaxCellsPerOperation = 10'000'000;

void CheckSize(const TCellRect& area) {
  const qint64 cells = qint64(area.Bottom - area.Top + 1) * (area.Right - area.Left + 1);
  if (cells > kMaxCellsPerOperation) throw ESheetError(QStringLiteral("区域过大，无法逐个单元格处理。"));
}

} // namespace

TRange::TRange(TWorksheet& sheet, const TCellRect& area, TKind kind) : sheet_(&sheet), area_(area), kind_(kind) {}

QString TRange::Address() const {
  switch (kind_) {
  case TKind::EntireRows: return QStringLiteral("%1:%2").arg(area_.Top).arg(area_.Bottom);
  case TKind::EntireColumns: return ColumnLetters(area_.Left) + u':' + ColumnLetters(area_.Right);
  case TKind::Cells: break;
  }
  return CellAreaAddress(area_);
}

namespace {
// A place counted from 1 within the range, or 0 (refused by the sheet) when far outside.
int Offset(int origin, int index) {
  const qint64 place = qint64(origin) + index - 1;
  return place >= 1 && place <= kMaxSheetRows ? static_cast<int>(place) : 0;
}
} // namespace

TRange TRange::Cells(int row, int col) const {
  return sheet_->Cells(Offset(area_.Top, row), Offset(area_.Left, col));
}

TRange TRange::Rows(int index) const {
  const int row = Offset(area_.Top, index);
  if (kind_ == TKind::EntireRows) return sheet_->Rows(row);
  sheet_->Cells(row, area_.Left); // checks the place
  return TRange(*sheet_, {row, area_.Left, row, area_.Right});
}

TRange TRange::Columns(int index) const {
  const int col = Offset(area_.Left, index);
  if (kind_ == TKind::EntireColumns) return sheet_->Columns(col);
  sheet_->Cells(area_.Top, col);
  return TRange(*sheet_, {area_.Top, col, area_.Bottom, col});
}

TRange TRange::EntireRow() const { return sheet_->Rows(area_.Top, area_.Bottom); }

TRange TRange::EntireColumn() const {
  return TRange(*sheet_, {1, area_.Left, kMaxSheetRows, area_.Right}, TKind::EntireColumns);
}

bool TRange::ValueArea(TCellRect& area) const {
  if (kind_ == TKind::Cells) {
    area = area_;
    return true;
  }
  TCellRect used;
  if (!sheet_->Content().UsedArea(used) || !used.Intersects(area_)) return false;
  area = {std::max(used.Top, area_.Top), std::max(used.Left, area_.Left), std::min(used.Bottom, area_.Bottom),
          std::min(used.Right, area_.Right)};
  return true;
}

QVariant TRange::Value() const { return sheet_->CellValue(area_.Top, area_.Left); }

void TRange::SetValue(const QVariant& value) const {
  TCellRect area;
  if (!ValueArea(area)) return;
  CheckSize(area);
  for (int r = area.Top; r <= area.Bottom; ++r)
    for (int c = area.Left; c <= area.Right; ++c) sheet_->SetCellValue(r, c, value);
}

bool TRange::IsEmpty() const {
  const TSheetCell* cell = sheet_->Content().FindCell(area_.Top, area_.Left);
  return !cell || (cell->Kind == TCellKind::Empty && cell->Formula < 0);
}

QString TRange::Text() const { return sheet_->CellText(area_.Top, area_.Left); }

QString TRange::Formula() const { return sheet_->CellFormula(area_.Top, area_.Left); }

void TRange::SetFormula(const QString& formula) const {
  TCellRect area;
  if (!ValueArea(area)) return;
  CheckSize(area);
  for (int r = area.Top; r <= area.Bottom; ++r)
    for (int c = area.Left; c <= area.Right; ++c) sheet_->SetCellFormula(r, c, formula);
}

void TRange::ClearContents() const {
  TCellRect area;
  if (!ValueArea(area)) return;
  auto& rows = sheet_->Content().Rows();
  for (auto it = rows.lower_bound(area.Top); it != rows.end() && it->first <= area.Bottom; ++it)
    for (TSheetCell& cell : it->second.Cells)
      if (cell.Col >= area.Left && cell.Col <= area.Right) {
        cell.Kind = TCellKind::Empty;
        cell.Text = cell.Formula = -1;
        cell.Number = 0;
      }
  sheet_->Changed();
}

int TRange::FirstStyle() const {
  const TSheetContent& content = sheet_->Content();
  if (kind_ == TKind::EntireColumns) {
    const auto it = content.Columns().find(area_.Left);
    return it != content.Columns().end() && it->second.Style >= 0 ? it->second.Style : 0;
  }
  if (kind_ == TKind::EntireRows) {
    const auto it = content.Rows().find(area_.Top);
    return it != content.Rows().end() && it->second.Style >= 0 ? it->second.Style : 0;
  }
  return content.StyleAt(area_.Top, area_.Left);
}

void TRange::ChangeStyle(const std::function<int(int)>& derive) const {
  std::unordered_map<int, int> changed;
  auto map = [&](int xf) {
    if (xf < 0) xf = 0;
    auto it = changed.find(xf);
    if (it == changed.end()) it = changed.emplace(xf, derive(xf)).first;
    return it->second;
  };
  TSheetContent& content = sheet_->Content();
  auto& rows = content.Rows();
  auto& columns = content.Columns();
  switch (kind_) {
  case TKind::Cells:
    CheckSize(area_);
    for (int r = area_.Top; r <= area_.Bottom; ++r)
      for (int c = area_.Left; c <= area_.Right; ++c) {
        TSheetCell& cell = content.EnsureCell(r, c);
        cell.Style = map(cell.Style);
      }
    break;
  case TKind::EntireColumns:
    // Rows with a format of their own get a cell where they cross the columns, so that the
    // change shows there too.
    for (auto& [r, row] : rows)
      if (row.Style >= 0)
        for (int c = area_.Left; c <= area_.Right; ++c) content.EnsureCell(r, c);
    for (auto& [r, row] : rows)
      for (TSheetCell& cell : row.Cells)
        if (cell.Col >= area_.Left && cell.Col <= area_.Right) cell.Style = map(cell.Style);
    for (int c = area_.Left; c <= area_.Right; ++c) columns[c].Style = map(columns[c].Style);
    break;
  case TKind::EntireRows: {
    std::vector<int> styledColumns;
    for (const auto& [c, column] : columns)
      if (column.Style >= 0) styledColumns.push_back(c);
    for (int r = area_.Top; r <= area_.Bottom; ++r) {
      for (int c : styledColumns) content.EnsureCell(r, c);
      TSheetRow& row = rows[r];
      for (TSheetCell& cell : row.Cells) cell.Style = map(cell.Style);
      row.Style = map(row.Style);
    }
    break;
  }
  }
  sheet_->Changed();
}

QString TRange::NumberFormatLocal() const { return sheet_->Parent().Styles().NumberFormat(FirstStyle()); }

void TRange::SetNumberFormatLocal(const QString& format) const {
  TWorkbookStyles& styles = sheet_->Parent().Styles();
  ChangeStyle([&](int xf) { return styles.WithNumberFormat(xf, format); });
}

int TRange::HorizontalAlignment() const { return sheet_->Parent().Styles().HorizontalAlignment(FirstStyle()); }

void TRange::SetHorizontalAlignment(int alignment) const {
  TWorkbookStyles& styles = sheet_->Parent().Styles();
  ChangeStyle([&](int xf) { return styles.WithHorizontalAlignment(xf, alignment); });
}

int TRange::VerticalAlignment() const { return sheet_->Parent().Styles().VerticalAlignment(FirstStyle()); }

void TRange::SetVerticalAlignment(int alignment) const {
  TWorkbookStyles& styles = sheet_->Parent().Styles();
  ChangeStyle([&](int xf) { return styles.WithVerticalAlignment(xf, alignment); });
}

bool TRange::WrapText() const { return sheet_->Parent().Styles().WrapText(FirstStyle()); }

void TRange::SetWrapText(bool wrap) const {
  TWorkbookStyles& styles = sheet_->Parent().Styles();
  ChangeStyle([&](int xf) { return styles.WithWrapText(xf, wrap); });
}

TSheetFont TRange::Font() const { return TSheetFont(*this); }

TSheetBorders TRange::Borders() const { return TSheetBorders(*this); }

double TRange::ColumnWidth() const {
  const TSheetContent& content = sheet_->Content();
  const auto it = content.Columns().find(area_.Left);
  return it != content.Columns().end() && it->second.CustomWidth ? it->second.Width : content.DefaultColumnWidth;
}

void TRange::SetColumnWidth(double width) const {
  if (!(width >= 0 && width <= 255)) throw ESheetError(QStringLiteral("列宽必须在0到255之间。"));
  auto& columns = sheet_->Content().Columns();
  for (int c = area_.Left; c <= area_.Right; ++c) {
    columns[c].Width = width;
    columns[c].CustomWidth = true;
  }
  sheet_->Changed();
}

double TRange::RowHeight() const {
  const TSheetContent& content = sheet_->Content();
  const auto it = content.Rows().find(area_.Top);
  return it != content.Rows().end() && it->second.CustomHeight ? it->second.Height : content.DefaultRowHeight;
}

void TRange::SetRowHeight(double height) const {
  if (!(height >= 0 && height <= 409)) throw ESheetError(QStringLiteral("行高必须在0到409之间。"));
  CheckSize({area_.Top, 1, area_.Bottom, 1});
  auto& rows = sheet_->Content().Rows();
  for (int r = area_.Top; r <= area_.Bottom; ++r) {
    rows[r].Height = height;
    rows[r].CustomHeight = true;
  }
  sheet_->Changed();
}

void TRange::AutoFit() const {
  TSheetContent& content = sheet_->Content();
  if (kind_ == TKind::EntireRows) {
    // Row heights go back to automatic.
    for (auto it = content.Rows().lower_bound(area_.Top); it != content.Rows().end() && it->first <= area_.Bottom;
         ++it)
      it->second.CustomHeight = false;
    sheet_->Changed();
    return;
  }
  // A cell merged across several columns does not size any of them.
  auto inWideMerge = [&](int r, int c) {
    for (const TCellRect& m : content.Merges())
      if (m.Contains(r, c) && m.Left != m.Right) return true;
    return false;
  };
  // One pass over the rows measures every column of the range; a text of the sheet's
  // pool is measured once.
  TShownWidths shown(sheet_->Parent().Styles());
  std::vector<int> textUnits;
  auto units = [&](const TSheetCell& cell) {
    switch (cell.Kind) {
    case TCellKind::Number: return shown.NumberUnits(cell.Number, cell.Style);
    case TCellKind::Boolean: return TShownWidths::BooleanUnits(cell.Number != 0);
    case TCellKind::Text:
    case TCellKind::Error: {
      if (cell.Text >= int(textUnits.size())) textUnits.resize(size_t(cell.Text) + 1, -1);
      int& text = textUnits[size_t(cell.Text)];
      if (text < 0) text = TextWidthUnits(content.String(cell.Text));
      return text;
    }
    case TCellKind::Empty: break;
    }
    return 0;
  };
  std::map<int, double> widest;
  for (auto it = content.Rows().lower_bound(area_.Top); it != content.Rows().end() && it->first <= area_.Bottom;
       ++it) {
    const auto& cells = it->second.Cells;
    auto first = std::lower_bound(cells.begin(), cells.end(), area_.Left,
                                  [](const TSheetCell& c, int col) { return c.Col < col; });
    for (auto cellIt = first; cellIt != cells.end() && cellIt->Col <= area_.Right; ++cellIt) {
      const TSheetCell& cell = *cellIt;
      if (cell.Kind == TCellKind::Empty) continue;
      if (inWideMerge(it->first, cell.Col)) continue;
      const double width = units(cell) * shown.Scale(cell.Style);
      double& column = widest[cell.Col];
      column = std::max(column, width);
    }
  }
  for (const auto& [col, width] : widest) {
    if (width <= 0) continue; // nothing to fit: the width stays
    TSheetColumn& column = content.Columns()[col];
    column.Width = FittedColumnWidth(width);
    column.CustomWidth = true;
  }
  sheet_->Changed();
}

void TRange::Insert() const {
  if (kind_ != TKind::EntireRows) throw ESheetError(QStringLiteral("只能插入整行：请对整行区域调用插入。"));
  sheet_->Content().InsertRows(area_.Top, RowsCount());
  sheet_->Changed();
}

void TRange::Merge() const {
  if (area_.Top == area_.Bottom && area_.Left == area_.Right) return;
  auto& merges = sheet_->Content().Merges();
  // Areas that overlap the new one are absorbed into it.
  TCellRect merged = area_;
  for (bool grown = true; grown;) {
    grown = false;
    for (const TCellRect& m : merges)
      if (m.Intersects(merged) &&
          (m.Top < merged.Top || m.Left < merged.Left || m.Bottom > merged.Bottom || m.Right > merged.Right)) {
        merged = {std::min(m.Top, merged.Top), std::min(m.Left, merged.Left), std::max(m.Bottom, merged.Bottom),
                  std::max(m.Right, merged.Right)};
        grown = true;
      }
  }
  std::erase_if(merges, [&](const TCellRect& m) { return m.Intersects(merged); });
  merges.push_back(merged);
  auto& rows = sheet_->Content().Rows();
  for (auto it = rows.lower_bound(merged.Top); it != rows.end() && it->first <= merged.Bottom; ++it)
    for (TSheetCell& cell : it->second.Cells)
      if (cell.Col >= merged.Left && cell.Col <= merged.Right && !(it->first == merged.Top && cell.Col == merged.Left)) {
        cell.Kind = TCellKind::Empty;
        cell.Text = cell.Formula = -1;
        cell.Number = 0;
      }
  sheet_->Changed();
}

void TRange::UnMerge() const {
  auto& merges = sheet_->Content().Merges();
  const size_t before = merges.size();
  std::erase_if(merges, [&](const TCellRect& m) { return m.Intersects(area_); });
  if (merges.size() != before) sheet_->Changed();
}

bool TRange::MergeCells() const {
  for (const TCellRect& m : sheet_->Content().Merges())
    if (m.Contains(area_.Top, area_.Left)) return m.Contains(area_.Bottom, area_.Right);
  return false;
}

TRange TRange::MergeArea() const {
  for (const TCellRect& m : sheet_->Content().Merges())
    if (m.Contains(area_.Top, area_.Left)) return TRange(*sheet_, m);
  return sheet_->Cells(area_.Top, area_.Left);
}

void TRange::Select() const { sheet_->Activate(); }

void TRange::Activate() const { sheet_->Activate(); }

TSheetFont::TSheetFont(const TRange& range) : range_(range) {}

bool TSheetFont::Bold() const { return range_.Worksheet().Parent().Styles().Font(range_.FirstStyle()).Bold; }

void TSheetFont::SetBold(bool bold) const {
  TWorkbookStyles& styles = range_.Worksheet().Parent().Styles();
  range_.ChangeStyle([&](int xf) { return styles.WithFontBold(xf, bold); });
}

bool TSheetFont::Italic() const { return range_.Worksheet().Parent().Styles().Font(range_.FirstStyle()).Italic; }

void TSheetFont::SetItalic(bool italic) const {
  TWorkbookStyles& styles = range_.Worksheet().Parent().Styles();
  range_.ChangeStyle([&](int xf) { return styles.WithFontItalic(xf, italic); });
}

double TSheetFont::Size() const { return range_.Worksheet().Parent().Styles().Font(range_.FirstStyle()).Size; }

void TSheetFont::SetSize(double size) const {
  if (!(size >= 1 && size <= 409)) throw ESheetError(QStringLiteral("字号必须在1到409之间。"));
  TWorkbookStyles& styles = range_.Worksheet().Parent().Styles();
  range_.ChangeStyle([&](int xf) { return styles.WithFontSize(xf, size); });
}

QString TSheetFont::Name() const { return range_.Worksheet().Parent().Styles().Font(range_.FirstStyle()).Name; }

void TSheetFont::SetName(const QString& name) const {
  if (name.trimmed().isEmpty() || name.size() > 31) throw ESheetError(QStringLiteral("字体名称无效。"));
  TWorkbookStyles& styles = range_.Worksheet().Parent().Styles();
  range_.ChangeStyle([&](int xf) { return styles.WithFontName(xf, name); });
}

TSheetBorders::TSheetBorders(const TRange& range) : range_(range) {}

int TSheetBorders::LineStyle() const {
  return range_.Worksheet().Parent().Styles().HasBorders(range_.FirstStyle()) ? xlContinuous : xlLineStyleNone;
}

void TSheetBorders::SetLineStyle(int lineStyle) const {
  TWorkbookStyles& styles = range_.Worksheet().Parent().Styles();
  range_.ChangeStyle([&](int xf) { return styles.WithBorders(xf, lineStyle, xlThin); });
}

void TSheetBorders::SetWeight(int weight) const {
  TWorkbookStyles& styles = range_.Worksheet().Parent().Styles();
  range_.ChangeStyle([&](int xf) { return styles.WithBorders(xf, xlContinuous, weight); });
}

} // namespace fw
