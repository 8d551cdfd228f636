#pragma once
// What a database's schema declares about a table, read from the schema alone: nothing
// that the file defines (a view's query, a trigger) runs. Used to judge files the user
// chose before any of their data is read.

#include <QString>
#include <vector>

struct sqlite3;

namespace fw {

class TADOConnection;

// Why a file with a virtual table is not used.
inline const QString kVirtualTableRefusal = QStringLiteral("文件中含有虚拟表，系统不能使用这样的文件");
// Why a file with a computed column is not used.
inline const QString kComputedColumnRefusal = QStringLiteral("文件中含有计算列，系统不能使用这样的文件");

// Whether the schema (a connection's "main" or the alias of an attached file) declares a
// virtual table (full-text, R-tree, ...), whose modules would run on the file's data as
// soon as a statement named the table. Read from the stored definitions alone: an entry
// that is not plainly "CREATE TABLE|INDEX|UNIQUE INDEX|VIEW|TRIGGER" counts as one, since
// the engine reads a "CREATE VIRTUAL TABLE" hidden behind a comment or stored under
// another type as what it is.
bool DeclaresVirtualTable(sqlite3* db, const QString& schema = QStringLiteral("main"));
bool DeclaresVirtualTable(TADOConnection& connection, const QString& schema = QStringLiteral("main"));

// Whether a table of the connection's own file has a computed column ("AS (...)"): the
// engine computes it from the file's own expression whenever it is read or checked, so a
// file could make even its check run without end. No file of ours has one.
bool DeclaresComputedColumn(TADOConnection& connection);

// TableWithoutRowid: a table that keeps its rows by its primary key, which no file of
// ours has.
enum class TSchemaObjectKind { Missing, Table, TableWithoutRowid, VirtualTable, View };

// The kind of the object named name (any case) in the connection's own file, as the
// engine built it from the object's definition: a schema entry's "type" may claim
// another kind than the definition it holds.
TSchemaObjectKind SchemaObjectKind(TADOConnection& connection, const QString& name);

struct TColumnDefinition {
  QString Name;
  QString DeclaredType; // as written in the definition; may be empty
};

// The columns of a table of the connection's own file, in their order; empty when there
// is no such table.
std::vector<TColumnDefinition> TableDefinition(TADOConnection& connection, const QString& table);

// How the engine stores values of a column by its declared type (the engine's rules:
// "INT" anywhere gives Integer; "CHAR", "CLOB" or "TEXT" Text; "BLOB" or nothing Blob;
// "REAL", "FLOA" or "DOUB" Real; anything else Numeric).
enum class TTypeAffinity { Integer, Text, Blob, Real, Numeric };
TTypeAffinity TypeAffinity(const QString& declaredType);

// Integer, Real and Numeric columns hold numbers.
bool IsNumberAffinity(TTypeAffinity affinity);

} // namespace fw
