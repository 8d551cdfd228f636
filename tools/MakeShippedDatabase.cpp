// Build-time generator of the shipped database files.
//
//   fw_make_database <source folder> <output folder>
//
// The source folder holds schema.sql and one <table>.tsv per filled table. The tool writes
// into the output folder:
//   2014NB_qz.mdb  the working database: a plain (unkeyed) file with every table, view,
//                  trigger and index of schema.sql and the rows of the .tsv files;
//   view.dll       the offline-exchange template: keyed with the database password, holding
//                  dt_data (no rows) and ct_label (its rows), defined exactly as in the
//                  working database so that whole-row copies between the two line up.
// Each file is written under a temporary name and renamed only when complete, so a failed
// run never leaves a half-built file behind.
//
// Data files: UTF-8, one row per line, cells separated by tabs; lines starting with "#"
// and empty lines are skipped; the first remaining line names the columns. An empty cell
// is stored as NULL; every other cell is bound as text and takes the column's type
// (SQLite converts numeric text in INTEGER, DOUBLE and BOOLEAN columns).

#include "core/DatabasePassword.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class Database {
public:
  explicit Database(const fs::path& file) {
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
      const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw std::runtime_error("cannot create " + file.string() + ": " + message);
    }
  }
  ~Database() { sqlite3_close(db_); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error ? error : sqlite3_errmsg(db_);
      sqlite3_free(error);
      throw std::runtime_error(message);
    }
  }

  sqlite3* Handle() const { return db_; }

private:
  sqlite3* db_ = nullptr;
};

class Statement {
public:
  Statement(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK)
      throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in: " + sql);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // True while a row is available.
  bool Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw std::runtime_error(sqlite3_errmsg(db_));
  }
  void Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  void BindText(int index, const std::string& text) {
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  }
  void BindNull(int index) { sqlite3_bind_null(stmt_, index); }
  void BindValue(int index, sqlite3_value* value) { sqlite3_bind_value(stmt_, index, value); }
  std::string Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return text ? text : "";
  }
  sqlite3_value* Value(int column) const { return sqlite3_column_value(stmt_, column); }
  int ColumnCount() const { return sqlite3_column_count(stmt_); }

private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> cells;
  std::string::size_type start = 0;
  for (;;) {
    const auto tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return cells;
    start = tab + 1;
  }
}

std::string QuoteIdentifier(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string QuoteLiteral(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  return quoted + "'";
}

// Loads one data file into the table named after the file; returns the number of rows.
int LoadTable(Database& db, const fs::path& file) {
  const std::string table = file.stem().string();
  std::istringstream lines(ReadFile(file));
  std::vector<std::string> header;
  std::unique_ptr<Statement> insert;
  std::string line;
  int lineNo = 0, rows = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string> cells = SplitTabs(line);
    const std::string where = file.filename().string() + ":" + std::to_string(lineNo);
    if (header.empty()) {
      header = cells;
      std::string columns, marks;
      for (const auto& name : header) {
        if (name.empty()) throw std::runtime_error(where + ": empty column name");
        columns += (columns.empty() ? "" : ", ") + QuoteIdentifier(name);
        marks += marks.empty() ? "?" : ", ?";
      }
      insert = std::make_unique<Statement>(
          db.Handle(), "INSERT INTO " + QuoteIdentifier(table) + " (" + columns + ") VALUES (" + marks + ")");
      continue;
    }
    if (cells.size() != header.size())
      throw std::runtime_error(where + ": " + std::to_string(cells.size()) + " cells, expected " +
                               std::to_string(header.size()));
    insert->Reset();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (cells[i].empty())
        insert->BindNull(static_cast<int>(i + 1));
      else
        insert->BindText(static_cast<int>(i + 1), cells[i]);
    }
    try {
      insert->Step();
    } catch (const std::exception& e) {
      throw std::runtime_error(where + ": " + e.what());
    }
    ++rows;
  }
  if (header.empty()) throw std::runtime_error(file.filename().string() + ": no column header");
  return rows;
}

std::vector<fs::path> DataFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == ".tsv") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

void CheckIntegrity(Database& db, const std::string& what) {
  Statement check(db.Handle(), "PRAGMA integrity_check");
  if (!check.Step() || check.Text(0) != "ok") throw std::runtime_error(what + ": integrity check failed");
}

std::string TableDefinition(Database& db, const std::string& table) {
  Statement definition(db.Handle(), "SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?");
  definition.BindText(1, table);
  if (!definition.Step()) throw std::runtime_error("the working database has no table " + table);
  return definition.Text(0);
}

// The staging table of the offline import, dt_data_, has exactly dt_data's columns and
// key; it is made from dt_data's own definition so the two can never differ.
void CreateStagingTable(Database& db) {
  std::string sql = TableDefinition(db, "dt_data");
  const std::string head = "CREATE TABLE dt_data";
  if (sql.rfind(head, 0) != 0) throw std::runtime_error("unexpected definition of dt_data");
  sql.insert(head.size(), "_");
  db.Exec(sql);
}

void BuildWorkingDatabase(const fs::path& sources, const fs::path& file) {
  Database db(file);
  db.Exec("PRAGMA journal_mode = DELETE");
  db.Exec("BEGIN");
  db.Exec(ReadFile(sources / "schema.sql"));
  CreateStagingTable(db);
  for (const auto& data : DataFiles(sources)) {
    const int rows = LoadTable(db, data);
    std::printf("  %s: %d rows\n", data.stem().string().c_str(), rows);
  }
  db.Exec("COMMIT");
  CheckIntegrity(db, file.filename().string());
}

// The template's tables are created from the working database's own definitions, and
// ct_label's rows are copied over, so that the two files can never drift apart.
void BuildExchangeTemplate(const fs::path& workingFile, const fs::path& file) {
  Database source(workingFile);
  Database db(file);
  db.Exec("PRAGMA key = " + QuoteLiteral(fw::DatabasePassword().toStdString()));
  db.Exec("BEGIN");
  for (const char* table : {"dt_data", "ct_label"}) db.Exec(TableDefinition(source, table));
  Statement labels(source.Handle(), "SELECT * FROM ct_label");
  std::string marks;
  for (int i = 0; i < labels.ColumnCount(); ++i) marks += i ? ", ?" : "?";
  Statement insert(db.Handle(), "INSERT INTO ct_label VALUES (" + marks + ")");
  while (labels.Step()) {
    insert.Reset();
    for (int i = 0; i < labels.ColumnCount(); ++i) insert.BindValue(i + 1, labels.Value(i));
    insert.Step();
  }
  db.Exec("COMMIT");
  CheckIntegrity(db, file.filename().string());
}

// Runs build(temporary) and renames the result into place; removes the temporary file on
// failure.
template <typename Build>
void WriteAtomically(const fs::path& target, Build build) {
  fs::path temporary = target;
  temporary += ".tmp";
  std::error_code ignored;
  fs::remove(temporary, ignored);
  try {
    build(temporary);
    fs::rename(temporary, target);
  } catch (...) {
    fs::remove(temporary, ignored);
    throw;
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <source folder> <output folder>\n", argv[0]);
    return 2;
  }
  const fs::path sources = argv[1];
  const fs::path output = argv[2];
  const fs::path working = output / "2014NB_qz.mdb";
  try {
    fs::create_directories(output);
    std::printf("Building %s\n", working.string().c_str());
    WriteAtomically(working, [&](const fs::path& file) { BuildWorkingDatabase(sources, file); });
    const fs::path exchange = output / "view.dll";
    std::printf("Building %s\n", exchange.string().c_str());
    WriteAtomically(exchange, [&](const fs::path& file) { BuildExchangeTemplate(working, file); });
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fw_make_database: %s\n", e.what());
    return 1;
  }
  return 0;
}
