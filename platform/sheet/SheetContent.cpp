#include "platform/sheet/SheetContent.h"

#include "platform/sheet/CellText.h"

#include <algorithm>
#include <optional>

namespace fw {

void CheckCellPlace(int row, int col) {
  if (row < 1 || row > kMaxSheetRows || col < 1 || col > kMaxSheetColumns)
    throw ESheetError(QStringLiteral("单元格位置无效：第%1行第%2列。").arg(row).arg(col));
}

TTypedText TypedText(const QString& text, bool textFormat) {
  if (text.size() > kMaxCellTextLength)
    throw ESheetError(QStringLiteral("文本过长：一个单元格最多容纳%1个字符。").arg(kMaxCellTextLength));
  TTypedText typed;
  if (text.startsWith(u'\'')) {
    typed.Text = QStringView(text).mid(1); // the mark asks for text, as typed into the program
    typed.Kind = typed.Text.isEmpty() ? TCellKind::Empty : TCellKind::Text;
  } else if (text.isEmpty()) {
    typed.Kind = TCellKind::Empty;
  } else if (const auto parsed = textFormat ? std::nullopt : NumericTextValue(text)) {
    typed.Kind = TCellKind::Number;
    typed.Number = *parsed;
  } else {
    typed.Kind = TCellKind::Text;
    typed.Text = text;
  }
  return typed;
}

const TSheetCell* TSheetContent::FindCell(int row, int col) const {
  const auto rowIt = rows_.find(row);
  if (rowIt == rows_.end()) return nullptr;
  const auto& cells = rowIt->second.Cells;
  const auto it = std::lower_bound(cells.begin(), cells.end(), col,
                                   [](const TSheetCell& c, int value) { return c.Col < value; });
  return it != cells.end() && it->Col == col ? &*it : nullptr;
}

TSheetRow& TSheetContent::EnsureRow(int row) {
  // Sheets are mostly filled row after row: the last row, or a new one after it, is
  // found without a search.
  if (!rows_.empty()) {
    const auto last = std::prev(rows_.end());
    if (last->first == row) return last->second;
    if (last->first < row) {
      // A new row is likely as long as the one before it.
      const size_t expected = last->second.Cells.size();
      TSheetRow& added = rows_.try_emplace(rows_.end(), row)->second;
      added.Cells.reserve(expected);
      return added;
    }
  }
  return rows_[row];
}

TSheetCell& TSheetContent::EnsureCell(int row, int col) {
  TSheetRow& r = EnsureRow(row);
  auto& cells = r.Cells;
  TSheetCell* cell = nullptr;
  // Values are mostly written left to right: try the end first.
  if (cells.empty() || cells.back().Col < col) {
    cell = &cells.emplace_back();
  } else {
    const auto it = std::lower_bound(cells.begin(), cells.end(), col,
                                     [](const TSheetCell& c, int value) { return c.Col < value; });
    if (it != cells.end() && it->Col == col) return *it;
    cell = &*cells.insert(it, TSheetCell{});
  }
  cell->Col = col;
  if (r.Style >= 0) {
    cell->Style = r.Style;
  } else if (const auto colIt = columns_.find(col); colIt != columns_.end() && colIt->second.Style >= 0) {
    cell->Style = colIt->second.Style;
  }
  return *cell;
}

int TSheetContent::StyleAt(int row, int col) const {
  if (const TSheetCell* cell = FindCell(row, col)) return cell->Style;
  if (const auto it = rows_.find(row); it != rows_.end() && it->second.Style >= 0) return it->second.Style;
  if (const auto it = columns_.find(col); it != columns_.end() && it->second.Style >= 0) return it->second.Style;
  return 0;
}

int TSheetContent::AddString(const QString& text) {
  if (const auto it = stringIndex_.constFind(text); it != stringIndex_.constEnd()) return it.value();
  const int index = static_cast<int>(strings_.size());
  strings_.append(text);
  stringIndex_.insert(text, index);
  return index;
}

const QString& TSheetContent::String(int index) const {
  static const QString empty;
  return index >= 0 && index < strings_.size() ? strings_[index] : empty;
}

void TSheetContent::InsertRows(int row, int count) {
  if (count <= 0) return;
  for (auto it = rows_.rbegin(); it != rows_.rend() && it->first > kMaxSheetRows - count; ++it)
    if (!it->second.IsPlain())
      throw ESheetError(QStringLiteral("无法插入行：工作表末尾的行中还有内容。"));
  // Move the rows from the bottom up so that no key collides.
  std::vector<int> keys;
  for (auto it = rows_.lower_bound(row); it != rows_.end(); ++it) keys.push_back(it->first);
  for (auto k = keys.rbegin(); k != keys.rend(); ++k) {
    auto node = rows_.extract(*k);
    if (*k + count > kMaxSheetRows) continue;
    node.key() = *k + count;
    rows_.insert(std::move(node));
  }
  // The new rows look like the row they were inserted above.
  if (const auto pattern = rows_.find(row + count); pattern != rows_.end()) {
    TSheetRow blank;
    blank.Height = pattern->second.Height;
    blank.CustomHeight = pattern->second.CustomHeight;
    blank.Style = pattern->second.Style;
    for (const TSheetCell& cell : pattern->second.Cells) {
      TSheetCell formatted;
      formatted.Col = cell.Col;
      formatted.Style = cell.Style;
      blank.Cells.push_back(formatted);
    }
    for (int r = row; r < row + count; ++r) rows_[r] = blank;
  }
  for (TCellRect& merge : merges_) {
    if (merge.Top >= row) {
      merge.Top += count;
      merge.Bottom += count;
    } else if (merge.Bottom >= row) {
      merge.Bottom += count; // inserted inside the area: it grows
    }
    merge.Bottom = std::min(merge.Bottom, kMaxSheetRows);
  }
  std::erase_if(merges_, [](const TCellRect& m) { return m.Top > kMaxSheetRows || (m.Top == m.Bottom && m.Left == m.Right); });
}

bool TSheetContent::UsedArea(TCellRect& area) const {
  bool any = false;
  TCellRect used{kMaxSheetRows, kMaxSheetColumns, 0, 0};
  for (const auto& [r, rowData] : rows_) {
    if (rowData.Cells.empty()) continue;
    any = true;
    used.Top = std::min(used.Top, r);
    used.Bottom = std::max(used.Bottom, r);
    used.Left = std::min(used.Left, rowData.Cells.front().Col);
    used.Right = std::max(used.Right, rowData.Cells.back().Col);
  }
  for (const TCellRect& m : merges_) {
    any = true;
    used = {std::min(used.Top, m.Top), std::min(used.Left, m.Left), std::max(used.Bottom, m.Bottom),
            std::max(used.Right, m.Right)};
  }
  if (any) area = used;
  return any;
}

} // namespace fw
