#include "platform/db/RowStore.h"

#include <sqlite3.h>

#include <QLocale>
#include <cmath>
#include <cstring>

namespace fw {

namespace {

// Cell tags. Integers are stored in the fewest bytes that hold them.
enum Tag : std::uint8_t { TNull = 0, TInt0, TInt8, TInt16, TInt32, TInt64, TFloat, TText8, TText32 };

template <typename T>
T Load(const std::uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof(T));
  return v;
}

} // namespace

QString TCell::ToText() const {
  switch (Type) {
  case TCellType::Null:
    return QString();
  case TCellType::Int:
    return QString::number(Int);
  case TCellType::Float: {
    // Jet's text form: a whole number has no decimals, others the shortest exact text.
    if (std::isfinite(Float) && std::floor(Float) == Float && std::fabs(Float) < 1e15)
      return QString::number(static_cast<std::int64_t>(Float));
    return QString::number(Float, 'g', QLocale::FloatingPointShortest);
  }
  case TCellType::Text:
    return QString::fromUtf8(Text, TextLength);
  }
  return QString();
}

QVariant TCell::ToVariant() const {
  switch (Type) {
  case TCellType::Null:
    return QVariant();
  case TCellType::Int:
    return QVariant(static_cast<qlonglong>(Int));
  case TCellType::Float:
    return QVariant(Float);
  case TCellType::Text:
    return QVariant(QString::fromUtf8(Text, TextLength));
  }
  return QVariant();
}

TCell TCell::FromVariant(const QVariant& value, QByteArray* textStorage) {
  TCell cell;
  if (!value.isValid() || value.isNull()) return cell;
  switch (value.typeId()) {
  case QMetaType::Bool:
    cell.Type = TCellType::Int;
    cell.Int = value.toBool() ? -1 : 0;
    break;
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Short:
  case QMetaType::UShort:
  case QMetaType::Long:
  case QMetaType::ULong:
  case QMetaType::Char:
  case QMetaType::SChar:
  case QMetaType::UChar:
    cell.Type = TCellType::Int;
    cell.Int = value.toLongLong();
    break;
  case QMetaType::Double:
  case QMetaType::Float:
    cell.Type = TCellType::Float;
    cell.Float = value.toDouble();
    break;
  default:
    cell.Type = TCellType::Text;
    *textStorage = value.toString().toUtf8();
    cell.Text = textStorage->constData();
    cell.TextLength = static_cast<int>(textStorage->size());
  }
  return cell;
}

void TRowStore::Clear(int columnCount) {
  columns_ = columnCount;
  arena_.clear();
  arena_.shrink_to_fit();
  rows_.clear();
  rows_.shrink_to_fit();
  cachedRow_ = -1;
}

void TRowStore::PutNull() { arena_.push_back(TNull); }

void TRowStore::PutInt(std::int64_t v) {
  auto put = [this](std::uint8_t tag, const void* data, std::size_t size) {
    const std::size_t at = arena_.size();
    arena_.resize(at + 1 + size);
    arena_[at] = tag;
    std::memcpy(arena_.data() + at + 1, data, size);
  };
  if (v == 0) {
    arena_.push_back(TInt0);
  } else if (v >= INT8_MIN && v <= INT8_MAX) {
    const std::int8_t x = static_cast<std::int8_t>(v);
    put(TInt8, &x, 1);
  } else if (v >= INT16_MIN && v <= INT16_MAX) {
    const std::int16_t x = static_cast<std::int16_t>(v);
    put(TInt16, &x, 2);
  } else if (v >= INT32_MIN && v <= INT32_MAX) {
    const std::int32_t x = static_cast<std::int32_t>(v);
    put(TInt32, &x, 4);
  } else {
    put(TInt64, &v, 8);
  }
}

void TRowStore::PutFloat(double v) {
  const std::size_t at = arena_.size();
  arena_.resize(at + 9);
  arena_[at] = TFloat;
  std::memcpy(arena_.data() + at + 1, &v, 8);
}

void TRowStore::PutText(const char* text, int length) {
  const std::size_t at = arena_.size();
  if (length < 256) {
    arena_.resize(at + 2 + length);
    arena_[at] = TText8;
    arena_[at + 1] = static_cast<std::uint8_t>(length);
    if (length) std::memcpy(arena_.data() + at + 2, text, length);
  } else {
    arena_.resize(at + 5 + length);
    arena_[at] = TText32;
    const std::uint32_t len = static_cast<std::uint32_t>(length);
    std::memcpy(arena_.data() + at + 1, &len, 4);
    std::memcpy(arena_.data() + at + 5, text, length);
  }
}

std::size_t TRowStore::Encode(sqlite3_stmt* stmt) {
  const std::size_t start = arena_.size();
  for (int c = 0; c < columns_; ++c) {
    switch (sqlite3_column_type(stmt, c)) {
    case SQLITE_INTEGER:
      PutInt(sqlite3_column_int64(stmt, c));
      break;
    case SQLITE_FLOAT:
      PutFloat(sqlite3_column_double(stmt, c));
      break;
    case SQLITE_NULL:
      PutNull();
      break;
    default: {
      const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
      PutText(text, sqlite3_column_bytes(stmt, c));
    }
    }
  }
  return start;
}

std::size_t TRowStore::Encode(const std::vector<QVariant>& values) {
  const std::size_t start = arena_.size();
  for (int c = 0; c < columns_; ++c) {
    QByteArray storage;
    const TCell cell = c < static_cast<int>(values.size()) ? TCell::FromVariant(values[c], &storage) : TCell();
    switch (cell.Type) {
    case TCellType::Null:
      PutNull();
      break;
    case TCellType::Int:
      PutInt(cell.Int);
      break;
    case TCellType::Float:
      PutFloat(cell.Float);
      break;
    case TCellType::Text:
      PutText(cell.Text, cell.TextLength);
      break;
    }
  }
  return start;
}

int TRowStore::AddRow(sqlite3_stmt* stmt) {
  rows_.push_back(Encode(stmt));
  return RowCount() - 1;
}

int TRowStore::AddRow(const std::vector<QVariant>& values) {
  rows_.push_back(Encode(values));
  return RowCount() - 1;
}

// A replaced row is written anew at the end of the arena; its old bytes stay unused.
void TRowStore::ReplaceRow(int row, const std::vector<QVariant>& values) {
  rows_[row] = Encode(values);
  if (cachedRow_ == row) cachedRow_ = -1;
}

void TRowStore::ReplaceRow(int row, sqlite3_stmt* stmt) {
  rows_[row] = Encode(stmt);
  if (cachedRow_ == row) cachedRow_ = -1;
}

void TRowStore::RemoveRow(int row) {
  rows_.erase(rows_.begin() + row);
  cachedRow_ = -1;
}

const std::uint8_t* TRowStore::SkipCell(const std::uint8_t* p) const {
  switch (*p) {
  case TNull:
  case TInt0:
    return p + 1;
  case TInt8:
    return p + 2;
  case TInt16:
    return p + 3;
  case TInt32:
    return p + 5;
  case TInt64:
  case TFloat:
    return p + 9;
  case TText8:
    return p + 2 + p[1];
  default:
    return p + 5 + Load<std::uint32_t>(p + 1);
  }
}

const std::uint32_t* TRowStore::OffsetsOf(int row) const {
  if (cachedRow_ != row) {
    cachedOffsets_.resize(columns_);
    const std::uint8_t* base = arena_.data() + rows_[row];
    const std::uint8_t* p = base;
    for (int c = 0; c < columns_; ++c) {
      cachedOffsets_[c] = static_cast<std::uint32_t>(p - base);
      p = SkipCell(p);
    }
    cachedRow_ = row;
  }
  return cachedOffsets_.data();
}

TCell TRowStore::Cell(int row, int column) const {
  TCell cell;
  if (row < 0 || row >= RowCount() || column < 0 || column >= columns_) return cell;
  const std::uint8_t* p = arena_.data() + rows_[row];
  if (column < 4) {
    for (int c = 0; c < column; ++c) p = SkipCell(p);
  } else {
    p += OffsetsOf(row)[column];
  }
  switch (*p) {
  case TNull:
    break;
  case TInt0:
    cell.Type = TCellType::Int;
    break;
  case TInt8:
    cell.Type = TCellType::Int;
    cell.Int = static_cast<std::int8_t>(p[1]);
    break;
  case TInt16:
    cell.Type = TCellType::Int;
    cell.Int = Load<std::int16_t>(p + 1);
    break;
  case TInt32:
    cell.Type = TCellType::Int;
    cell.Int = Load<std::int32_t>(p + 1);
    break;
  case TInt64:
    cell.Type = TCellType::Int;
    cell.Int = Load<std::int64_t>(p + 1);
    break;
  case TFloat:
    cell.Type = TCellType::Float;
    cell.Float = Load<double>(p + 1);
    break;
  case TText8:
    cell.Type = TCellType::Text;
    cell.TextLength = p[1];
    cell.Text = reinterpret_cast<const char*>(p + 2);
    break;
  default:
    cell.Type = TCellType::Text;
    cell.TextLength = static_cast<int>(Load<std::uint32_t>(p + 1));
    cell.Text = reinterpret_cast<const char*>(p + 5);
  }
  return cell;
}

std::vector<QVariant> TRowStore::RowValues(int row) const {
  std::vector<QVariant> values(columns_);
  for (int c = 0; c < columns_; ++c) values[c] = Cell(row, c).ToVariant();
  return values;
}

} // namespace fw
