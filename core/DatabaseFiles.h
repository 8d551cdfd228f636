#pragma once
// Small helpers shared by the operations that work on whole database files: the offline
// exchange file, the upload file, the backup and the compaction.

#include <QString>
#include <QStringList>
#include <exception>

namespace fw {

class TADOConnection;

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"<file>\";" + options. The file name is
// always quoted (its own quotes doubled), so whatever it holds (";", "=", quotes) the
// connection opens exactly that file and reads the options as written.
QString JetConnectionString(const QString& file, const QString& options = QString());


// The text of an error for a message: the engine's message for a database error, the
// reason for any other.
QString ErrorText(const std::exception& error);

// The columns of a table (or "alias.table") as the connection sees them.
QStringList TableColumns(TADOConnection& connection, const QString& table);

// Whether the connection's database has a table or view of that name (any case).
bool HasTable(TADOConnection& connection, const QString& table);

// ---- Copying records by column name ----

// The columns of target that source also has, in target's order and spelling; names are
// compared without regard to case.
QStringList CommonColumns(const QStringList& targetColumns, const QStringList& sourceColumns);

// "INSERT INTO <target> ([a],[b],...) SELECT [a],[b],... FROM <source>" (+ " WHERE " +
// where when given), so records are copied by column name and never by position: columns
// in a different order, or missing from one side, cannot shift values into the wrong
// column. target and source are table expressions written by the program; the columns come
// from the tables' definitions and are quoted with brackets. An empty column list gives an
// empty text (nothing can be copied).
QString BuildCopyByNameSql(const QString& target, const QString& source, const QStringList& columns,
                           const QString& where = QString());

// Copies the rows of source (a table, or "alias.table" of an attached file) that match
// where (all when empty) into target on the connection, through the columns the two have
// in common (BuildCopyByNameSql). Returns the number of rows copied. Throws EDatabaseError
// from the engine, std::runtime_error when the tables share no column.
int CopyRowsByName(TADOConnection& connection, const QString& target, const QString& source,
                   const QString& where = QString());

// Another file attached to a connection for as long as the object lives, so that
// statements reach its tables by the alias the layer chose and its path never appears
// in SQL. Attach before a transaction begins (the layer cannot attach inside one).
class TAttachedFile {
public:
  TAttachedFile(TADOConnection& connection, const QString& file, const QString& password = QString());
  ~TAttachedFile();
  TAttachedFile(const TAttachedFile&) = delete;
  TAttachedFile& operator=(const TAttachedFile&) = delete;

  // "<alias>.<table>".
  QString Table(const QString& table) const { return alias_ + "." + table; }

private:
  TADOConnection& connection_;
  QString alias_;
};

} // namespace fw
