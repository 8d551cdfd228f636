#pragma once
// What a database's schema declares about a table, read from the schema alone: nothing
// that the file defines (a view's query, a trigger) runs. Used to judge files the user
// chose before any of their data is read.

#include <QString>
#include <vector>

namespace fw {

class TADOConnection;

enum class TSchemaObjectKind { Missing, Table, VirtualTable, View };

// The kind of the object named name (any case) in the connection's own file.
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
