// TDataSet: the order of its rows (the filter and the client-side sort) and the records
// read again into their places after a store elsewhere (RefreshRecords).
#include "platform/db/DataSet.h"

#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/RecordFilter.h"

#include <algorithm>
#include <memory>

namespace fw {

namespace {

int CompareForSort(const TCell& a, const TCell& b) {
  if (a.Type == TCellType::Null || b.Type == TCellType::Null)
    return (a.Type == TCellType::Null ? 0 : 1) - (b.Type == TCellType::Null ? 0 : 1);
  const bool aText = a.Type == TCellType::Text, bText = b.Type == TCellType::Text;
  if (aText != bText) return aText ? 1 : -1;
  if (aText) return QString::fromUtf8(a.Text, a.TextLength).compare(QString::fromUtf8(b.Text, b.TextLength), Qt::CaseInsensitive);
  if (a.Type == TCellType::Int && b.Type == TCellType::Int) return a.Int < b.Int ? -1 : (a.Int > b.Int ? 1 : 0);
  const double x = a.Type == TCellType::Int ? static_cast<double>(a.Int) : a.Float;
  const double y = b.Type == TCellType::Int ? static_cast<double>(b.Int) : b.Float;
  return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace

void TDataSet::BuildOrder() {
  order_.resize(store_.RowCount());
  for (int i = 0; i < store_.RowCount(); ++i) order_[i] = i;
  ApplyFilter();
  ApplySort();
}

void TDataSet::ApplyFilter() {
  const std::function<bool(int)> passes = RowFilter();
  if (!passes) return;
  order_.erase(std::remove_if(order_.begin(), order_.end(), [&](int phys) { return !passes(phys); }), order_.end());
}

void TDataSet::ApplySort() {
  const std::vector<TSortKey> keys = ParseSortList(sort_);
  if (!keys.empty()) std::stable_sort(order_.begin(), order_.end(), RowsInOrder(keys));
}

// "Row a stands before row b" by the keys (stored rows).
std::function<bool(int, int)> TDataSet::RowsInOrder(const std::vector<TSortKey>& keys) const {
  std::vector<int> columns;
  for (const TSortKey& k : keys) columns.push_back(FieldByName(k.Field)->Index());
  return [this, keys, columns](int a, int b) {
    for (size_t k = 0; k < keys.size(); ++k) {
      int c = CompareForSort(store_.Cell(a, columns[k]), store_.Cell(b, columns[k]));
      if (keys[k].Descending) c = -c;
      if (c != 0) return c < 0;
    }
    return false;
  };
}

void TDataSet::SetSort(const QString& sort) {
  if (active_) {
    CheckBrowseMode();
    for (const TSortKey& k : ParseSortList(sort)) FieldByName(k.Field);  // unknown field: throw, change nothing
  }
  sort_ = sort;
  if (!active_) return;
  const quint64 current = cursor_ >= 0 ? serials_[PhysicalRow(cursor_)] : 0;
  BuildOrder();
  const int pos = current ? FindBySerial(current) : -1;
  cursor_ = pos >= 0 ? pos : (order_.empty() ? -1 : 0);
  bof_ = cursor_ <= 0;
  eof_ = order_.empty();
  Notify(TDataEvent::DataSetChange);
}

void TDataSet::SetFilter(const QString& filter) {
  if (active_ && filtered_) {
    CheckBrowseMode();
    TRecordFilter::Parse(filter, [this](const QString& name) {
      TField* f = FindField(name);
      return f ? f->Index() : -1;
    });
  }
  filter_ = filter;
  if (active_ && filtered_) SetFiltered(true);
}

void TDataSet::SetFiltered(bool value) {
  filtered_ = value;
  if (!active_) return;
  CheckBrowseMode();
  OrderFromTheFirst();
}

// The order built anew, with the cursor on its first record.
void TDataSet::OrderFromTheFirst() {
  BuildOrder();
  cursor_ = order_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = order_.empty();
  Notify(TDataEvent::DataSetChange);
  if (AfterScroll) AfterScroll(*this);
}

void TDataSet::RefreshRecords(const QString& fieldName, const QVariantList& values) {
  CheckActive();
  CheckBrowseMode();
  const int column = FieldByName(fieldName)->Index();
  std::vector<std::vector<QVariant>> fresh;
  try {
    for (const QVariant& value : values)
      for (std::vector<QVariant>& row : SelectRows({column}, {value})) fresh.push_back(std::move(row));
  } catch (const EDatabaseError&) {
    Requery();  // the query cannot be narrowed: read it all
    return;
  }

  const quint64 current = cursor_ >= 0 ? serials_[PhysicalRow(cursor_)] : 0;
  const int currentPosition = cursor_;
  const std::vector<TSortKey> keys = OrderKeys();
  // A stored row that is read again keeps its place in the store and its serial (so a
  // cursor or bookmark on it stays); the others leave, and new ones are added.
  std::vector<int> leaving;
  for (int phys = 0; phys < store_.RowCount(); ++phys) {
    bool matches = false, comparable = false;
    for (const QVariant& value : values)
      matches = matches || CompareCellWithValue(store_.Cell(phys, column), value, false, &comparable) == 0;
    if (!matches) continue;
    auto same = std::find_if(fresh.begin(), fresh.end(), [&](const std::vector<QVariant>& row) {
      for (int c : keyColumns_)
        if (CompareCellWithValue(store_.Cell(phys, c), row[c], false, &comparable) != 0) return false;
      return !keyColumns_.empty();
    });
    if (same == fresh.end()) {
      leaving.push_back(phys);
      continue;
    }
    const auto at = std::find(order_.begin(), order_.end(), phys);
    const int position = at == order_.end() ? -1 : static_cast<int>(at - order_.begin());
    if (at != order_.end()) order_.erase(at);
    store_.ReplaceRow(phys, *same);
    fresh.erase(same);
    PlaceRow(phys, position, keys);
  }
  for (const std::vector<QVariant>& row : fresh) {
    const int phys = store_.AddRow(row);
    serials_.push_back(nextSerial_++);
    PlaceRow(phys, static_cast<int>(order_.size()), keys);
  }
  std::sort(leaving.rbegin(), leaving.rend());
  for (int phys : leaving) RemovePhysicalRow(phys);

  const int pos = current ? FindBySerial(current) : -1;
  const int size = static_cast<int>(order_.size());
  cursor_ = pos >= 0 ? pos : std::min(std::max(currentPosition, 0), size - 1);
  bof_ = eof_ = order_.empty();
  Notify(TDataEvent::DataSetChange);
  if (AfterScroll) AfterScroll(*this);
}

// The order the rows stand in: the client-side sort, else the query's own ORDER BY when
// it names result columns only; empty when neither gives one.
std::vector<TSortKey> TDataSet::OrderKeys() const {
  if (!sort_.trimmed().isEmpty()) return ParseSortList(sort_);
  const std::vector<TJetToken> tokens = TokenizeJet(fetchSql_);
  int depth = 0;
  size_t orderAt = tokens.size();
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].Text == QLatin1String("(")) ++depth;
    else if (tokens[i].Text == QLatin1String(")")) --depth;
    else if (depth == 0 && IsJetWord(tokens[i], "order")) orderAt = i;
  }
  QString list;
  bool afterBy = false;
  for (size_t i = orderAt + 1; i < tokens.size(); ++i) {
    if (!afterBy) {
      afterBy = IsJetWord(tokens[i], "by");
      if (!afterBy && tokens[i].Kind != TJetTokenKind::Space) return {};
      continue;
    }
    if (IsJetWord(tokens[i], "limit") || tokens[i].Text == QLatin1String(";")) break;
    list += tokens[i].Kind == TJetTokenKind::Quoted ? UnquoteIdent(tokens[i].Text) : tokens[i].Text;
  }
  std::vector<TSortKey> keys = ParseSortList(list);
  for (const TSortKey& k : keys)
    if (!FindField(k.Field)) return {};
  return keys;
}

// The filter's test of a stored row, or none when the data set is not filtered.
std::function<bool(int)> TDataSet::RowFilter() const {
  if (!filtered_ || filter_.trimmed().isEmpty()) return {};
  auto filter = std::make_shared<TRecordFilter>(TRecordFilter::Parse(filter_, [this](const QString& name) {
    TField* f = FindField(name);
    return f ? f->Index() : -1;
  }));
  return [this, filter](int phys) { return filter->Matches([&](int column) { return store_.Cell(phys, column); }); };
}

// Puts a stored row into the order: after the rows that sort before it or equal to it,
// or at `fallbackPosition` when there is no order to follow; nowhere when the filter
// leaves it out.
void TDataSet::PlaceRow(int physical, int fallbackPosition, const std::vector<TSortKey>& keys) {
  if (const std::function<bool(int)> passes = RowFilter(); passes && !passes(physical)) return;
  if (fallbackPosition < 0) fallbackPosition = static_cast<int>(order_.size());
  auto at = order_.begin() + std::min(fallbackPosition, static_cast<int>(order_.size()));
  if (!keys.empty()) at = std::upper_bound(order_.begin(), order_.end(), physical, RowsInOrder(keys));
  order_.insert(at, physical);
}

// Takes a row out of the store and of the order (a record that left the query).
void TDataSet::RemovePhysicalRow(int physical) {
  store_.RemoveRow(physical);
  serials_.erase(serials_.begin() + physical);
  order_.erase(std::remove(order_.begin(), order_.end(), physical), order_.end());
  for (int& p : order_)
    if (p > physical) --p;
}

} // namespace fw
