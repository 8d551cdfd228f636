#include "platform/db/RowStore.h"

#include "platform/db/VariantKinds.h"

#include <sqlite3.h>

#include <QLocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

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
  switch (VariantKind(value)) {
  case TVariantKind::Null:
    break;
  case TVariantKind::Boolean:
  case TVariantKind::Integer:
    cell.Type = TCellType::Int;
    cell.Int = VariantStoredInteger(value);
    break;
  case TVariantKind::Real:
    cell.Type = TCellType::Float;
    cell.Float = value.toDouble();
    break;
  case TVariantKind::Text:
    cell.Type = TCellType::Text;
    *textStorage = value.toString().toUtf8();
    cell.Text = textStorage->constData();
    cell.TextLength = static_cast<int>(textStorage->size());
  }
  return cell;
}

namespace {

// Writes one integer cell at p; returns the bytes used (at most 9).
inline std::size_t WriteInt(std::uint8_t* p, std::int64_t v) {
  if (v == 0) {
    p[0] = TInt0;
    return 1;
  }
  if (v >= INT8_MIN && v <= INT8_MAX) {
    p[0] = TInt8;
    p[1] = static_cast<std::uint8_t>(static_cast<std::int8_t>(v));
    return 2;
  }
  if (v >= INT16_MIN && v <= INT16_MAX) {
    p[0] = TInt16;
    const std::int16_t x = static_cast<std::int16_t>(v);
    std::memcpy(p + 1, &x, 2);
    return 3;
  }
  if (v >= INT32_MIN && v <= INT32_MAX) {
    p[0] = TInt32;
    const std::int32_t x = static_cast<std::int32_t>(v);
    std::memcpy(p + 1, &x, 4);
    return 5;
  }
  p[0] = TInt64;
  std::memcpy(p + 1, &v, 8);
  return 9;
}

} // namespace

void TRowStore::FreeDeleter::operator()(std::uint8_t* p) const { std::free(p); }

void TRowStore::Clear(int columnCount) {
  columns_ = columnCount;
  arena_.reset();
  size_ = capacity_ = 0;
  rows_.clear();
  rows_.shrink_to_fit();
  cachedRow_ = -1;
  row_.Reset();
}

std::uint8_t* TRowStore::Room(std::size_t bytes) {
  if (size_ + bytes > capacity_) {
    std::size_t capacity = std::max<std::size_t>(capacity_ * 2, 1 << 16);
    while (capacity < size_ + bytes) capacity *= 2;
    auto* grown = static_cast<std::uint8_t*>(std::realloc(arena_.get(), capacity));
    if (!grown) throw std::bad_alloc();
    arena_.release();
    arena_.reset(grown);
    capacity_ = capacity;
  }
  return arena_.get() + size_;
}

void TRowStore::PutNull() {
  *Room(1) = TNull;
  size_ += 1;
}

void TRowStore::PutInt(std::int64_t v) { size_ += WriteInt(Room(9), v); }

void TRowStore::PutFloat(double v) {
  std::uint8_t* p = Room(9);
  p[0] = TFloat;
  std::memcpy(p + 1, &v, 8);
  size_ += 9;
}

void TRowStore::PutText(const char* text, int length) {
  std::uint8_t* p = Room(5 + static_cast<std::size_t>(length));
  if (length < 256) {
    p[0] = TText8;
    p[1] = static_cast<std::uint8_t>(length);
    if (length) std::memcpy(p + 2, text, length);
    size_ += 2 + length;
  } else {
    p[0] = TText32;
    const std::uint32_t len = static_cast<std::uint32_t>(length);
    std::memcpy(p + 1, &len, 4);
    std::memcpy(p + 5, text, length);
    size_ += 5 + length;
  }
}

// The hot loop of opening a data set: room for the numeric cells of the whole row is
// made once, text cells make their own room.
std::size_t TRowStore::Encode(sqlite3_stmt* stmt) {
  const std::size_t start = size_;
  row_.Start(stmt, columns_);
  std::uint8_t* p = Room(static_cast<std::size_t>(columns_) * 9);
  for (int c = 0; c < columns_; ++c) {
    sqlite3_value* v = row_.Value(c);
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      p += WriteInt(p, sqlite3_value_int64(v));
      break;
    case SQLITE_FLOAT: {
      const double d = sqlite3_value_double(v);
      p[0] = TFloat;
      std::memcpy(p + 1, &d, 8);
      p += 9;
      break;
    }
    case SQLITE_NULL:
      *p++ = TNull;
      break;
    default: {
      const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
      const int length = sqlite3_value_bytes(v);
      size_ = static_cast<std::size_t>(p - arena_.get());
      p = Room(static_cast<std::size_t>(length) + 5 + static_cast<std::size_t>(columns_ - c) * 9);
      if (length < 256) {
        p[0] = TText8;
        p[1] = static_cast<std::uint8_t>(length);
        if (length) std::memcpy(p + 2, text, length);
        p += 2 + length;
      } else {
        p[0] = TText32;
        const std::uint32_t len = static_cast<std::uint32_t>(length);
        std::memcpy(p + 1, &len, 4);
        std::memcpy(p + 5, text, length);
        p += 5 + length;
      }
    }
    }
  }
  size_ = static_cast<std::size_t>(p - arena_.get());
  return start;
}

std::size_t TRowStore::Encode(const std::vector<QVariant>& values) {
  const std::size_t start = size_;
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
    const std::uint8_t* base = arena_.get() + rows_[row];
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
  const std::uint8_t* p = arena_.get() + rows_[row];
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
