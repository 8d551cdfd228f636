#pragma once
// The values of a stepped statement's current row, found without a library call per
// column where possible. The engine hands a row's values out from one array of
// registers, so the value of column c lies at a fixed stride from column 0; when every
// column of the first row shows that layout, later rows are read from there, each row
// checking the first and last address again and falling back to the call otherwise.
//
// The values are the engine's unprotected ones: the connection is used by one thread
// only, so they may be read as they are.

#include <cstddef>

struct sqlite3_stmt;
typedef struct sqlite3_value sqlite3_value;  // as the engine's header declares it

namespace fw {

class TStatementRow {
public:
  // Makes the current row of stmt (its first `columns` columns) the one read.
  void Start(sqlite3_stmt* stmt, int columns);
  sqlite3_value* Value(int column) const {
    return direct_ ? reinterpret_cast<sqlite3_value*>(const_cast<char*>(base_ + stride_ * column)) : CalledValue(column);
  }
  // Forgets the layout (the statement may go, another may take its address).
  void Reset() { stmt_ = nullptr; }

private:
  void Learn();
  sqlite3_value* CalledValue(int column) const;

  sqlite3_stmt* stmt_ = nullptr;
  int columns_ = 0;
  const char* base_ = nullptr;
  std::ptrdiff_t stride_ = 0;
  bool known_ = false;   // the layout of stmt_ was seen
  bool direct_ = false;  // the current row has it
};

} // namespace fw
