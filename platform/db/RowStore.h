#pragma once
// Compact storage of a data set's rows: each row is one packed record in a shared
// byte arena (a type byte per cell followed by the smallest payload that holds the
// value: 0-8 bytes for numbers, a length and UTF-8 bytes for text). No variant object
// is kept per cell; a value is decoded only when it is read.

#include "platform/db/StatementRow.h"

#include <QString>
#include <QVariant>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace fw {

enum class TCellType : std::uint8_t { Null, Int, Float, Text };

// One decoded cell. Text points into the arena: use it before the store changes.
struct TCell {
  TCellType Type = TCellType::Null;
  std::int64_t Int = 0;
  double Float = 0;
  const char* Text = nullptr;
  int TextLength = 0;

  QString ToText() const;       // Jet's text form (whole floats without ".0")
  QVariant ToVariant() const;
  static TCell FromVariant(const QVariant& value, QByteArray* textStorage);
};

class TRowStore {
public:
  void Clear(int columnCount);
  int ColumnCount() const { return columns_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }

  // Appends the current row of a stepped statement (its first ColumnCount() columns).
  int AddRow(sqlite3_stmt* stmt);
  int AddRow(const std::vector<QVariant>& values);
  void ReplaceRow(int row, const std::vector<QVariant>& values);
  void ReplaceRow(int row, sqlite3_stmt* stmt);
  void RemoveRow(int row);

  TCell Cell(int row, int column) const;
  std::vector<QVariant> RowValues(int row) const;

  std::size_t ArenaBytes() const { return size_; }

private:
  std::size_t Encode(const std::vector<QVariant>& values);
  std::size_t Encode(sqlite3_stmt* stmt);
  void PutInt(std::int64_t v);
  void PutFloat(double v);
  void PutText(const char* text, int length);
  void PutNull();
  const std::uint8_t* SkipCell(const std::uint8_t* p) const;
  std::uint8_t* Room(std::size_t bytes);  // pointer to the end, with `bytes` free after it
  const std::uint32_t* OffsetsOf(int row) const;

  int columns_ = 0;
  // The arena grows by doubling without zero-filling (a row is written once, in place).
  struct FreeDeleter {
    void operator()(std::uint8_t* p) const;
  };
  std::unique_ptr<std::uint8_t, FreeDeleter> arena_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::vector<std::uint64_t> rows_;  // start offset of each row in the arena

  // Where the statement being read keeps its row values.
  TStatementRow row_;

  // Column offsets of the last row decoded in full, so that reading many columns of
  // one row walks it once.
  mutable int cachedRow_ = -1;
  mutable std::vector<std::uint32_t> cachedOffsets_;
};

} // namespace fw
