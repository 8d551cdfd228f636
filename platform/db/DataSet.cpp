#include "platform/db/DataSet.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/Parameters.h"
#include "platform/db/RecordFilter.h"
#include "platform/db/SqlStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace fw {

namespace {

const char* const kRowIdColumn = "fw_rowid_";

// A key value in one comparable form, so that equal keys give equal bytes whichever way
// they were read: a whole number is the same key as an integer, as FindByKey compares.
void AppendKeyBytes(QByteArray& out, const TCell& cell) {
  switch (cell.Type) {
  case TCellType::Null: out += 'N'; break;
  case TCellType::Int: out += 'I' + QByteArray::number(qlonglong(cell.Int)); break;
  case TCellType::Float:
    if (std::isfinite(cell.Float) && std::floor(cell.Float) == cell.Float && std::fabs(cell.Float) < 9e15)
      out += 'I' + QByteArray::number(qlonglong(cell.Float));
    else
      out += 'F' + QByteArray::number(cell.Float, 'g', 17);
    break;
  case TCellType::Text:
    out += 'T' + QByteArray::number(cell.TextLength) + ':' + QByteArray(cell.Text, cell.TextLength);
    break;
  }
  out += '\x1f';
}

QString ColumnText(sqlite3_stmt* stmt, int column) {
  const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return text ? QString::fromUtf8(text) : QString();
}

// The table or view of "SELECT <list> FROM <one name> [WHERE ...] [ORDER BY ...]", as
// written; empty for anything else (joins, grouping, distinct, other files).
QString SimpleSelectTable(const QString& sql, size_t* fromIndex) {
  const std::vector<TJetToken> all = TokenizeJet(sql);
  std::vector<size_t> sig;
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i].Kind != TJetTokenKind::Space) sig.push_back(i);
  if (sig.empty() || !IsJetWord(all[sig[0]], "select")) return QString();
  if (sig.size() > 1 && IsJetWord(all[sig[1]], "distinct")) return QString();
  int depth = 0;
  size_t from = 0;
  for (size_t k = 1; k < sig.size(); ++k) {
    const TJetToken& t = all[sig[k]];
    if (t.Text == QLatin1String("(")) ++depth;
    else if (t.Text == QLatin1String(")")) --depth;
    else if (depth == 0 && (IsJetWord(t, "group") || IsJetWord(t, "union") || IsJetWord(t, "join") || IsJetWord(t, "having")))
      return QString();
    else if (depth == 0 && IsJetWord(t, "from") && from == 0) from = k;
  }
  if (from == 0 || from + 1 >= sig.size()) return QString();
  const TJetToken& name = all[sig[from + 1]];
  if (name.Kind != TJetTokenKind::Word && name.Kind != TJetTokenKind::Quoted) return QString();
  if (from + 2 < sig.size()) {
    const TJetToken& after = all[sig[from + 2]];
    if (!(IsJetWord(after, "where") || IsJetWord(after, "order") || IsJetWord(after, "limit") || after.Text == QLatin1String(";")))
      return QString();
  }
  *fromIndex = sig[from];
  return name.Text;
}

QVariant StatementValue(sqlite3_stmt* stmt, int column) {
  switch (sqlite3_column_type(stmt, column)) {
  case SQLITE_INTEGER:
    return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, column)));
  case SQLITE_FLOAT:
    return QVariant(sqlite3_column_double(stmt, column));
  case SQLITE_NULL:
    return QVariant();
  default:
    return QVariant(ColumnText(stmt, column));
  }
}

} // namespace

TDataSet::TDataSet(TADOConnection* connection) { SetConnection(connection); }

TDataSet::~TDataSet() {
  for (TDataSetListener* l : std::vector<TDataSetListener*>(listeners_)) l->DataSetDestroyed(*this);
  if (connection_) connection_->UnregisterDataSet(this);
}

void TDataSet::SetConnection(TADOConnection* connection) {
  if (connection_ == connection) return;
  Close();
  ReleaseStatements();
  if (connection_) connection_->UnregisterDataSet(this);
  connection_ = connection;
  if (connection_) connection_->RegisterDataSet(this);
}

void TDataSet::ConnectionGone() {
  ReleaseStatements();
  active_ = false;
  state_ = dsInactive;
  store_.Clear(0);
  order_.clear();
  serials_.clear();
  fields_.clear();
  columns_.clear();
  connection_ = nullptr;
}

void TDataSet::CheckActive() const {
  if (!active_) throw EDatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TDataSet::CheckInactive() const {
  if (active_) throw EDatabaseError(QStringLiteral("Cannot perform this operation on an open dataset"));
}

void TDataSet::BindParameters(sqlite3_stmt*) const {}

// ---- opening -------------------------------------------------------------------

void TDataSet::Open() {
  if (active_) return;
  if (!connection_) throw EDatabaseError(QStringLiteral("Missing Connection or ConnectionString"));
  if (!connection_->Connected()) connection_->Open();
  Fetch();
  active_ = true;
  BuildOrder();
  cursor_ = order_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = order_.empty();
  SetState(dsBrowse);
  Notify(TDataEvent::DataSetChange);
  if (AfterOpen) AfterOpen(*this);
  if (AfterScroll) AfterScroll(*this);
}

void TDataSet::Close() {
  if (!active_) return;
  buffer_.clear();
  modified_.clear();
  active_ = false;
  store_.Clear(0);
  serials_.clear();
  order_.clear();
  cursor_ = -1;
  bof_ = eof_ = true;
  fields_.clear();
  columns_.clear();
  SetState(dsInactive);
  Notify(TDataEvent::DataSetChange);
}

void TDataSet::Requery() {
  CheckActive();
  if (state_ == dsEdit || state_ == dsInsert) Cancel();
  Fetch();
  OrderFromTheFirst();
}

QString TDataSet::AddRowIdColumn(const QString& sql, const QString& table) const {
  size_t fromIndex = 0;
  if (SimpleSelectTable(sql, &fromIndex).isEmpty()) return sql;
  const std::vector<TJetToken> all = TokenizeJet(sql);
  QString out;
  for (size_t i = 0; i < all.size(); ++i) {
    if (i == fromIndex) out += QStringLiteral(", %1.rowid AS %2 ").arg(table, QLatin1String(kRowIdColumn));
    out += all[i].Text;
  }
  return out;
}

void TDataSet::Fetch() {
  sqlite3* db = connection_->Handle();
  QStringList attached;
  const TJetStatement st = connection_->Translate(CommandText(), &attached);
  struct Release {
    TADOConnection* c;
    QStringList* a;
    ~Release() { c->ReleaseAttachments(*a); }
  } release{connection_, &attached};
  if (st.StatementKind != TJetStatement::Kind::Plain)
    throw EDatabaseError(QStringLiteral("The statement returns no records."), CommandText());

  // Everything is gathered first and taken over only when the whole fetch succeeded,
  // so a failing Requery leaves the previous snapshot as it was.
  QString sql = st.Sql;
  size_t fromIndex = 0;
  QString table = KnownTable().isEmpty() ? SimpleSelectTable(sql, &fromIndex) : QuoteIdent(KnownTable());
  if (table.contains(QLatin1Char('.'))) table.clear();  // a table of another file stays read-only
  bool isView = false;
  bool addRowId = false;
  if (!table.isEmpty()) {
    TSqlStatement type(db, "SELECT type FROM sqlite_master WHERE name = ? COLLATE NOCASE AND type IN ('table','view')");
    const QByteArray name = UnquoteIdent(table).toUtf8();
    sqlite3_bind_text(type.Handle(), 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    if (type.Step()) {
      isView = ColumnText(type.Handle(), 0) == QLatin1String("view");
      addRowId = !isView;
    } else {
      table.clear();
    }
  }

  TSqlStatement stmt;
  if (addRowId) {
    try {
      const QString withRowId = AddRowIdColumn(sql, table);
      stmt = TSqlStatement(db, withRowId.toUtf8());
      sql = withRowId;
    } catch (const EDatabaseError&) {
      addRowId = false;  // e.g. a table without row ids: its primary key serves
    }
  }
  if (stmt.IsNull()) stmt = TSqlStatement(db, sql.toUtf8());
  if (stmt.IsNull()) throw EDatabaseError(QStringLiteral("The statement returns no records."), CommandText());
  BindParameters(stmt.Handle());

  const int count = sqlite3_column_count(stmt.Handle());
  if (count == 0) throw EDatabaseError(QStringLiteral("The statement returns no records."), CommandText());
  std::vector<Column> columns(count);
  std::vector<TFieldType> types(count, ftUnknown);
  std::vector<int> sizes(count, 0);
  for (int c = 0; c < count; ++c) {
    Column& col = columns[c];
    col.Name = QString::fromUtf8(sqlite3_column_name(stmt.Handle(), c));
    const char* tableName = sqlite3_column_table_name(stmt.Handle(), c);
    const char* origin = sqlite3_column_origin_name(stmt.Handle(), c);
    col.OriginTable = tableName ? QString::fromUtf8(tableName) : QString();
    col.OriginColumn = origin ? QString::fromUtf8(origin) : QString();
    col.Hidden = addRowId && c == count - 1;
    const char* decl = sqlite3_column_decltype(stmt.Handle(), c);
    if (decl) types[c] = FieldTypeFromDeclared(QString::fromUtf8(decl), &sizes[c]);
    // An INTEGER PRIMARY KEY is the 64-bit row id (c901 holds 12 digits).
    if (types[c] == ftInteger && tableName && origin && QByteArray(decl).trimmed().toUpper() == "INTEGER") {
      int primaryKey = 0;
      if (sqlite3_table_column_metadata(db, sqlite3_column_database_name(stmt.Handle(), c), tableName, origin, nullptr,
                                        nullptr, nullptr, &primaryKey, nullptr) == SQLITE_OK &&
          primaryKey)
        types[c] = ftLargeint;
    }
  }
  std::vector<int> keyColumns = ResolveKey(stmt.Handle());
  if (addRowId && keyFields_.isEmpty()) keyColumns = {count - 1};

  TRowStore store;
  store.Clear(count);
  std::vector<quint64> serials;
  while (stmt.Step()) {
    store.AddRow(stmt.Handle());
    serials.push_back(nextSerial_++);
  }

  // Expression columns take their type from their first value.
  for (int c = 0; c < count; ++c) {
    if (types[c] != ftUnknown) continue;
    for (int r = 0; r < store.RowCount(); ++r) {
      const TCell cell = store.Cell(r, c);
      if (cell.Type == TCellType::Null) continue;
      types[c] = cell.Type == TCellType::Int ? ((cell.Int < INT32_MIN || cell.Int > INT32_MAX) ? ftLargeint : ftInteger)
                 : cell.Type == TCellType::Float ? ftFloat
                                                 : ftWideString;
      break;
    }
  }

  store_ = std::move(store);
  serials_ = std::move(serials);
  fetchSql_ = sql;
  updateTable_ = table;
  updateIsView_ = isView;
  keyColumns_ = std::move(keyColumns);

  // Keep the field objects across a requery that returns the same columns.
  bool same = columns.size() == columns_.size() && !fields_.empty();
  for (size_t c = 0; same && c < columns.size(); ++c) same = columns[c].Name == columns_[c].Name;
  columns_ = std::move(columns);
  if (!same) {
    fields_.clear();
    for (int c = 0; c < count; ++c)
      if (!columns_[c].Hidden) fields_.push_back(std::make_unique<TField>(this, c, columns_[c].Name, types[c], sizes[c]));
  }
}

std::vector<int> TDataSet::ResolveKey(sqlite3_stmt* stmt) const {
  std::vector<int> keyColumns;
  const int count = sqlite3_column_count(stmt);
  auto byName = [&](const QString& name) {
    for (int c = 0; c < count; ++c)
      if (QString::fromUtf8(sqlite3_column_name(stmt, c)).compare(name, Qt::CaseInsensitive) == 0) return c;
    return -1;
  };
  if (!keyFields_.isEmpty()) {
    for (const QString& name : keyFields_.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const int c = byName(name.trimmed());
      if (c < 0) throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name.trimmed()));
      keyColumns.push_back(c);
    }
    return keyColumns;
  }
  // The first column that is the primary key of its base table.
  sqlite3* db = connection_->Handle();
  for (int c = 0; c < count; ++c) {
    const char* table = sqlite3_column_table_name(stmt, c);
    const char* origin = sqlite3_column_origin_name(stmt, c);
    const char* schema = sqlite3_column_database_name(stmt, c);
    if (!table || !origin) continue;
    int primaryKey = 0;
    if (sqlite3_table_column_metadata(db, schema, table, origin, nullptr, nullptr, nullptr, &primaryKey, nullptr) ==
            SQLITE_OK &&
        primaryKey) {
      keyColumns.push_back(c);
      return keyColumns;
    }
  }
  for (const char* name : {"id", "c901"}) {
    const int c = byName(QLatin1String(name));
    if (c >= 0) {
      keyColumns.push_back(c);
      return keyColumns;
    }
  }
  return keyColumns;
}

// ---- navigation ----------------------------------------------------------------

int TDataSet::RecordCount() const { return active_ ? static_cast<int>(order_.size()) : 0; }

int TDataSet::RecNo() const {
  if (state_ == dsInsert) return insertAt_ + 1;
  return cursor_ + 1;
}

void TDataSet::Scrolled() {
  Notify(TDataEvent::Scroll, cursor_);
  if (AfterScroll) AfterScroll(*this);
}

void TDataSet::First() {
  CheckActive();
  CheckBrowseMode();
  cursor_ = order_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = order_.empty();
  Scrolled();
}

void TDataSet::Last() {
  CheckActive();
  CheckBrowseMode();
  cursor_ = static_cast<int>(order_.size()) - 1;
  eof_ = true;
  bof_ = order_.empty();
  Scrolled();
}

void TDataSet::Next() { MoveBy(1); }
void TDataSet::Prior() { MoveBy(-1); }

int TDataSet::MoveBy(int distance) {
  CheckActive();
  CheckBrowseMode();
  const int size = static_cast<int>(order_.size());
  if (size == 0) {
    bof_ = eof_ = true;
    return 0;
  }
  const int target = std::clamp(cursor_ + distance, 0, size - 1);
  const int moved = target - cursor_;
  if (distance > 0) {
    bof_ = false;
    eof_ = moved < distance;
  } else if (distance < 0) {
    eof_ = false;
    bof_ = moved > distance;
  }
  if (moved != 0) {
    cursor_ = target;
    Scrolled();
  }
  return moved;
}

void TDataSet::SetRecNo(int recNo) {
  CheckActive();
  CheckBrowseMode();
  if (order_.empty()) return;
  cursor_ = std::clamp(recNo, 1, static_cast<int>(order_.size())) - 1;
  bof_ = eof_ = false;
  Scrolled();
}

QVariant TDataSet::Value(int row, int column) const {
  if (!active_ || row < 0 || row >= static_cast<int>(order_.size()) || column < 0 || column >= FieldCount()) return QVariant();
  const int storeColumn = fields_[column]->Index();
  if (state_ == dsEdit && row == cursor_) return buffer_[storeColumn];
  return store_.Cell(order_[row], storeColumn).ToVariant();
}

TCell TDataSet::Cell(int row, int column, QByteArray* storage) const {
  if (!active_ || row < 0 || row >= static_cast<int>(order_.size()) || column < 0 || column >= FieldCount()) return TCell();
  const int storeColumn = fields_[column]->Index();
  if (state_ == dsEdit && row == cursor_) return TCell::FromVariant(buffer_[storeColumn], storage);
  return store_.Cell(order_[row], storeColumn);
}

QString TDataSet::Text(int row, int column) const {
  if (!active_ || row < 0 || row >= static_cast<int>(order_.size()) || column < 0 || column >= FieldCount()) return QString();
  const int storeColumn = fields_[column]->Index();
  if (state_ == dsEdit && row == cursor_) {
    QByteArray storage;
    return TCell::FromVariant(buffer_[storeColumn], &storage).ToText();
  }
  return store_.Cell(order_[row], storeColumn).ToText();
}

// ---- bookmarks -----------------------------------------------------------------

QVariantList TDataSet::KeyValuesOf(int physical) const {
  QVariantList key;
  for (int c : keyColumns_) key << store_.Cell(physical, c).ToVariant();
  return key;
}

// The key that finds a row again once an UPDATE wrote `changed`: a changed key column
// takes its new value; the hidden row id follows a change of the column that is the
// row id itself (an INTEGER PRIMARY KEY such as c901), else the row keeps its row id.
QVariantList TDataSet::KeyAfterUpdate(int physical, const std::vector<int>& changed) const {
  QVariantList key;
  for (int c : keyColumns_) {
    QVariant v = modified_[c] ? buffer_[c] : store_.Cell(physical, c).ToVariant();
    if (columns_[c].Hidden) {
      for (int m : changed)
        if (TargetColumn(m).compare(columns_[c].OriginColumn, Qt::CaseInsensitive) == 0 && !buffer_[m].isNull())
          v = buffer_[m].toLongLong();
    }
    key << v;
  }
  return key;
}

int TDataSet::FindBySerial(quint64 serial) const {
  for (size_t i = 0; i < order_.size(); ++i)
    if (serials_[order_[i]] == serial) return static_cast<int>(i);
  return -1;
}

int TDataSet::FindByKey(const QVariantList& key) const {
  if (key.isEmpty() || key.size() != static_cast<int>(keyColumns_.size())) return -1;
  for (size_t i = 0; i < order_.size(); ++i) {
    bool match = true;
    for (size_t k = 0; match && k < keyColumns_.size(); ++k) {
      bool comparable = false;
      match = CompareCellWithValue(store_.Cell(order_[i], keyColumns_[k]), key[static_cast<int>(k)], false, &comparable) == 0 &&
              comparable;
    }
    if (match) return static_cast<int>(i);
  }
  return -1;
}

TBookmark TDataSet::GetBookmark() const {
  TBookmark bm;
  if (!active_ || cursor_ < 0) return bm;
  const int phys = PhysicalRow(cursor_);
  bm.valid_ = true;
  bm.serial_ = serials_[phys];
  bm.key_ = KeyValuesOf(phys);
  bm.recNo_ = cursor_ + 1;
  return bm;
}

TBookmark TDataSet::RowBookmark(int row) const {
  TBookmark bm;
  if (!active_ || row < 0 || row >= static_cast<int>(order_.size())) return bm;
  const int phys = PhysicalRow(row);
  bm.valid_ = true;
  bm.serial_ = serials_[phys];
  bm.key_ = KeyValuesOf(phys);
  bm.recNo_ = row + 1;
  return bm;
}

int TDataSet::BookmarkRow(const TBookmark& bookmark) const {
  if (!active_ || bookmark.IsNull()) return -1;
  int pos = FindBySerial(bookmark.serial_);
  if (pos >= 0) return pos;
  if (!keyColumns_.empty()) return FindByKey(bookmark.key_);
  return bookmark.recNo_ >= 1 && bookmark.recNo_ <= RecordCount() ? bookmark.recNo_ - 1 : -1;
}

std::vector<int> TDataSet::BookmarkRows(const std::vector<TBookmark>& bookmarks) const {
  std::vector<int> rows(bookmarks.size(), -1);
  if (!active_ || order_.empty()) return rows;
  std::unordered_map<quint64, int> bySerial;
  bySerial.reserve(order_.size());
  for (size_t i = 0; i < order_.size(); ++i) bySerial.emplace(serials_[order_[i]], static_cast<int>(i));
  // Rows by key, made at the first bookmark of an earlier snapshot; the first row of a
  // key wins, as in FindByKey.
  std::unordered_map<QByteArray, int> byKey;
  bool keysRead = false;
  for (size_t b = 0; b < bookmarks.size(); ++b) {
    const TBookmark& bookmark = bookmarks[b];
    if (bookmark.IsNull()) continue;
    if (const auto found = bySerial.find(bookmark.serial_); found != bySerial.end()) {
      rows[b] = found->second;
    } else if (keyColumns_.empty()) {
      rows[b] = bookmark.recNo_ >= 1 && bookmark.recNo_ <= RecordCount() ? bookmark.recNo_ - 1 : -1;
    } else if (bookmark.key_.size() == static_cast<int>(keyColumns_.size())) {
      if (!keysRead) {
        byKey.reserve(order_.size());
        for (size_t i = 0; i < order_.size(); ++i) {
          QByteArray key;
          for (int c : keyColumns_) AppendKeyBytes(key, store_.Cell(order_[i], c));
          byKey.emplace(std::move(key), static_cast<int>(i));
        }
        keysRead = true;
      }
      QByteArray key, storage;
      for (const QVariant& value : bookmark.key_) AppendKeyBytes(key, TCell::FromVariant(value, &storage));
      const auto found = byKey.find(key);
      rows[b] = found == byKey.end() ? -1 : found->second;
    }
  }
  return rows;
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) const {
  if (!active_ || bookmark.IsNull()) return false;
  if (FindBySerial(bookmark.serial_) >= 0) return true;
  if (!keyColumns_.empty()) return FindByKey(bookmark.key_) >= 0;
  return bookmark.recNo_ >= 1 && bookmark.recNo_ <= RecordCount();
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  CheckActive();
  CheckBrowseMode();
  if (bookmark.IsNull()) throw EDatabaseError(QStringLiteral("Bookmark is not valid."));
  int pos = FindBySerial(bookmark.serial_);
  if (pos < 0) {
    if (!keyColumns_.empty()) pos = FindByKey(bookmark.key_);
    else if (bookmark.recNo_ >= 1 && bookmark.recNo_ <= RecordCount()) pos = bookmark.recNo_ - 1;
  }
  if (pos < 0) throw EDatabaseError(QStringLiteral("Record not found: the bookmarked row no longer exists."));
  cursor_ = pos;
  bof_ = eof_ = false;
  Scrolled();
}

bool TDataSet::Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options) {
  CheckActive();
  CheckBrowseMode();
  const QStringList names = keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  if (names.isEmpty()) return false;
  std::vector<int> columns;
  for (const QString& n : names) columns.push_back(FieldByName(n.trimmed())->Index());
  const QVariantList values = names.size() == 1 ? QVariantList{keyValues} : keyValues.toList();
  if (values.size() != names.size()) throw EDatabaseError(QStringLiteral("Locate: the number of values does not match the fields."));
  const bool ci = options & loCaseInsensitive;
  const bool partial = options & loPartialKey;
  for (size_t i = 0; i < order_.size(); ++i) {
    bool match = true;
    for (size_t k = 0; match && k < columns.size(); ++k) {
      const TCell cell = store_.Cell(order_[i], columns[k]);
      const QVariant& v = values[static_cast<int>(k)];
      if (!v.isValid() || v.isNull()) {
        match = cell.Type == TCellType::Null;
      } else if (partial && cell.Type == TCellType::Text) {
        match = cell.ToText().startsWith(v.toString(), ci ? Qt::CaseInsensitive : Qt::CaseSensitive);
      } else {
        bool comparable = false;
        match = CompareCellWithValue(cell, v, ci, &comparable) == 0 && comparable;
      }
    }
    if (match) {
      cursor_ = static_cast<int>(i);
      bof_ = eof_ = false;
      Scrolled();
      return true;
    }
  }
  return false;
}

// ---- fields --------------------------------------------------------------------

TField* TDataSet::Fields(int index) const {
  if (index < 0 || index >= FieldCount()) throw EDatabaseError(QStringLiteral("List index out of bounds (%1)").arg(index));
  return fields_[index].get();
}

TField* TDataSet::FindField(const QString& name) const {
  for (const auto& f : fields_)
    if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0) return f.get();
  return nullptr;
}

TField* TDataSet::FieldByName(const QString& name) const {
  if (TField* f = FindField(name)) return f;
  throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
}

QStringList TDataSet::FieldNames() const {
  QStringList names;
  for (const auto& f : fields_) names << f->FieldName();
  return names;
}

TCell TDataSet::CurrentCell(int column, QByteArray* storage) const {
  if (state_ == dsEdit || state_ == dsInsert) return TCell::FromVariant(buffer_[column], storage);
  if (!active_ || cursor_ < 0) return TCell();
  return store_.Cell(PhysicalRow(cursor_), column);
}

void TDataSet::SetFieldValue(int column, const QVariant& value) {
  if (state_ != dsEdit && state_ != dsInsert) throw EDatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
  buffer_[column] = value;
  modified_[column] = true;
  TField* field = nullptr;
  for (const auto& f : fields_)
    if (f->Index() == column) field = f.get();
  Notify(TDataEvent::RecordChange, state_ == dsInsert ? insertAt_ : cursor_, field);
}

// ---- editing -------------------------------------------------------------------

void TDataSet::CheckBrowseMode() {
  if (state_ == dsEdit || state_ == dsInsert) Post();
}

void TDataSet::Edit() {
  CheckActive();
  if (state_ == dsEdit || state_ == dsInsert) return;
  if (order_.empty()) {
    Insert();
    return;
  }
  buffer_ = store_.RowValues(PhysicalRow(cursor_));
  modified_.assign(columns_.size(), false);
  SetState(dsEdit);
}

void TDataSet::Append() {
  CheckActive();
  CheckBrowseMode();
  buffer_.assign(columns_.size(), QVariant());
  modified_.assign(columns_.size(), false);
  insertAt_ = static_cast<int>(order_.size());
  SetState(dsInsert);
  Notify(TDataEvent::RecordChange, insertAt_);
}

void TDataSet::Insert() {
  CheckActive();
  CheckBrowseMode();
  buffer_.assign(columns_.size(), QVariant());
  modified_.assign(columns_.size(), false);
  insertAt_ = cursor_ < 0 ? 0 : cursor_;
  SetState(dsInsert);
  Notify(TDataEvent::RecordChange, insertAt_);
}

void TDataSet::Cancel() {
  if (state_ != dsEdit && state_ != dsInsert) return;
  buffer_.clear();
  modified_.clear();
  SetState(dsBrowse);
  Notify(TDataEvent::RecordChange, cursor_);
}

QString TDataSet::TargetColumn(int column) const {
  const Column& col = columns_[column];
  if (col.Hidden) return QStringLiteral("rowid");
  if (updateIsView_) return col.Name;
  if (!col.OriginColumn.isEmpty() && UnquoteIdent(updateTable_).compare(col.OriginTable, Qt::CaseInsensitive) == 0)
    return col.OriginColumn;
  return QString();
}

// The rows of the data set's own query whose `columns` hold `values`, read now. Throws
// EDatabaseError when the query cannot be run again (e.g. it read another file).
std::vector<std::vector<QVariant>> TDataSet::SelectRows(const std::vector<int>& columns, const QVariantList& values) const {
  QStringList conditions;
  for (size_t k = 0; k < columns.size(); ++k)
    conditions << QStringLiteral("fwq.%1 IS :fw_key%2").arg(QuoteIdent(columns_[columns[k]].Name)).arg(k);
  TSqlStatement st(connection_->Handle(),
                   QStringLiteral("SELECT * FROM (%1) AS fwq WHERE %2").arg(fetchSql_, conditions.join(QStringLiteral(" AND "))).toUtf8());
  for (size_t k = 0; k < columns.size(); ++k) {
    const int index = sqlite3_bind_parameter_index(st.Handle(), QStringLiteral(":fw_key%1").arg(k).toUtf8().constData());
    BindValue(st.Handle(), index, values[static_cast<int>(k)]);
  }
  BindParameters(st.Handle());
  std::vector<std::vector<QVariant>> rows;
  if (sqlite3_column_count(st.Handle()) != static_cast<int>(columns_.size())) return rows;
  while (st.Step()) {
    std::vector<QVariant>& row = rows.emplace_back(columns_.size());
    for (size_t c = 0; c < columns_.size(); ++c) row[c] = StatementValue(st.Handle(), static_cast<int>(c));
  }
  return rows;
}

std::vector<QVariant> TDataSet::ReadBack(const QVariantList& key, bool* found) {
  *found = false;
  if (key.isEmpty()) return {};
  try {
    std::vector<std::vector<QVariant>> rows = SelectRows(keyColumns_, key);
    if (!rows.empty()) {
      *found = true;
      return std::move(rows.front());
    }
  } catch (const EDatabaseError&) {
    // The query cannot be rerun (e.g. it read another file): keep the posted values.
  }
  return {};
}

void TDataSet::Post() {
  CheckActive();
  if (state_ != dsEdit && state_ != dsInsert) return;
  if (BeforePost) BeforePost(*this);
  if (updateTable_.isEmpty())
    throw EDatabaseError(QStringLiteral("The data set cannot be updated: it does not read a single table or view."));
  sqlite3* db = connection_->Handle();
  const bool inserting = state_ == dsInsert;

  std::vector<int> changed;
  for (size_t c = 0; c < columns_.size(); ++c)
    if (modified_[c] && !columns_[c].Hidden && !TargetColumn(static_cast<int>(c)).isEmpty()) changed.push_back(static_cast<int>(c));

  QVariantList key;
  if (inserting) {
    QStringList names, marks;
    for (int c : changed) {
      names << QuoteIdent(TargetColumn(c));
      marks << QStringLiteral("?");
    }
    const QString sql = changed.empty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(updateTable_)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(updateTable_, names.join(", "), marks.join(", "));
    TSqlStatement st(db, sql.toUtf8());
    for (size_t i = 0; i < changed.size(); ++i) BindValue(st.Handle(), static_cast<int>(i) + 1, buffer_[changed[i]]);
    st.Step();
    const qint64 rowId = sqlite3_last_insert_rowid(db);
    for (int c : keyColumns_) {
      QVariant v = columns_[c].Hidden ? QVariant(rowId) : buffer_[c];
      if (v.isNull() && !updateIsView_ && keyColumns_.size() == 1) v = rowId;  // INTEGER PRIMARY KEY
      if (v.isNull() && updateIsView_ && keyColumns_.size() == 1) {
        // The view's trigger chose the key: take the newest one.
        TSqlStatement max(db, QStringLiteral("SELECT max(%1) FROM %2").arg(QuoteIdent(TargetColumn(c)), updateTable_).toUtf8());
        if (max.Step()) v = StatementValue(max.Handle(), 0);
      }
      key << v;
    }
  } else if (!changed.empty()) {
    if (keyColumns_.empty()) throw EDatabaseError(QStringLiteral("The data set cannot be updated: it has no key."));
    const int phys = PhysicalRow(cursor_);
    QVariantList oldKey = KeyValuesOf(phys);
    QStringList sets, where;
    for (int c : changed) sets << QStringLiteral("%1 = ?").arg(QuoteIdent(TargetColumn(c)));
    for (int c : keyColumns_) where << QStringLiteral("%1 IS ?").arg(TargetColumn(c) == QLatin1String("rowid") ? QStringLiteral("rowid") : QuoteIdent(TargetColumn(c)));
    TSqlStatement st(db, QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(updateTable_, sets.join(", "), where.join(" AND ")).toUtf8());
    int index = 1;
    for (int c : changed) BindValue(st.Handle(), index++, buffer_[c]);
    for (const QVariant& v : oldKey) BindValue(st.Handle(), index++, v);
    st.Step();
    if (!updateIsView_ && sqlite3_changes(db) == 0)
      throw EDatabaseError(QStringLiteral("Row cannot be located for updating. Some values may have been changed since it was last read."));
    key = KeyAfterUpdate(phys, changed);
  } else {
    key = KeyValuesOf(PhysicalRow(cursor_));
  }

  bool found = false;
  std::vector<QVariant> values = ReadBack(key, &found);
  if (!found) {
    values = buffer_;
    for (size_t k = 0; k < keyColumns_.size() && k < static_cast<size_t>(key.size()); ++k) values[keyColumns_[k]] = key[static_cast<int>(k)];
  }
  buffer_.clear();
  modified_.clear();
  if (inserting) {
    const int phys = store_.AddRow(values);
    serials_.push_back(nextSerial_++);
    const int at = std::clamp(insertAt_, 0, static_cast<int>(order_.size()));
    order_.insert(order_.begin() + at, phys);
    cursor_ = at;
    bof_ = eof_ = false;
    SetState(dsBrowse);
    Notify(TDataEvent::RecordInserted, cursor_);
  } else {
    store_.ReplaceRow(PhysicalRow(cursor_), values);
    SetState(dsBrowse);
    Notify(TDataEvent::RecordChange, cursor_);
  }
  if (AfterPost) AfterPost(*this);
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert) {
    Cancel();
    return;
  }
  if (state_ == dsEdit) Cancel();
  if (order_.empty()) throw EDatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
  if (updateTable_.isEmpty() || keyColumns_.empty())
    throw EDatabaseError(QStringLiteral("The data set cannot be updated: it has no key."));
  const int phys = PhysicalRow(cursor_);
  QStringList where;
  for (int c : keyColumns_)
    where << QStringLiteral("%1 IS ?").arg(TargetColumn(c) == QLatin1String("rowid") ? QStringLiteral("rowid") : QuoteIdent(TargetColumn(c)));
  TSqlStatement st(connection_->Handle(), QStringLiteral("DELETE FROM %1 WHERE %2").arg(updateTable_, where.join(" AND ")).toUtf8());
  int index = 1;
  for (const QVariant& v : KeyValuesOf(phys)) BindValue(st.Handle(), index++, v);
  st.Step();

  const int removedAt = cursor_;
  store_.RemoveRow(phys);
  serials_.erase(serials_.begin() + phys);
  order_.erase(order_.begin() + cursor_);
  for (int& p : order_)
    if (p > phys) --p;
  if (cursor_ >= static_cast<int>(order_.size())) cursor_ = static_cast<int>(order_.size()) - 1;
  eof_ = order_.empty() || removedAt >= static_cast<int>(order_.size());
  bof_ = order_.empty();
  Notify(TDataEvent::RecordDeleted, removedAt);
  Scrolled();
}

// ---- notices -------------------------------------------------------------------

void TDataSet::SetState(TDataSetState state) {
  if (state_ == state) return;
  state_ = state;
  Notify(TDataEvent::StateChange);
}

void TDataSet::AddListener(TDataSetListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) listeners_.push_back(listener);
}

void TDataSet::RemoveListener(TDataSetListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void TDataSet::DisableControls() { ++disableCount_; }

void TDataSet::EnableControls() {
  if (disableCount_ == 0) return;
  if (--disableCount_ == 0 && pendingChange_) {
    pendingChange_ = false;
    Notify(TDataEvent::DataSetChange);
    Notify(TDataEvent::StateChange);
  }
}

void TDataSet::Notify(TDataEvent event, int row, TField* field) {
  if (disableCount_ > 0) {
    pendingChange_ = true;
    return;
  }
  const TDataNotice notice{event, row, field};
  for (TDataSetListener* l : std::vector<TDataSetListener*>(listeners_)) l->DataSetNotify(*this, notice);
}

} // namespace fw
