#pragma once
// Translation of the Jet SQL forms the program sends into SQLite text.
//
// Statements pass through a token rewriter: [name] quoting, true/false literals,
// "&" string joins, real division, "mod", text comparisons against literals made
// case-insensitive, and tables in other files ("[;DATABASE=f;PWD=p;].t" and
// "t in 'f'") turned into "<alias>.t" through a resolver that attaches the file.
// A SELECT without FROM (the rule engine's "select <expr> as rt") is parsed with
// Jet's operator precedence so that comparisons and AND/OR/NOT give Jet's -1/0.
// "SELECT ... INTO t [in 'f'] FROM ..." and "ALTER DATABASE PASSWORD new old" are
// recognised and described for the connection, which carries them out.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace fw {

enum class TJetTokenKind { Space, Word, Number, String, Quoted, Bracket, Param, Op, Punct };

struct TJetToken {
  TJetTokenKind Kind;
  QString Text;  // as written (strings and brackets with their delimiters)
};

std::vector<TJetToken> TokenizeJet(const QString& sql);
// The token is the keyword or name `word` (case-insensitive).
bool IsJetWord(const TJetToken& token, const char* word);

// Another database file named inside a statement.
struct TJetFileRef {
  QString File;
  QString Password;
  bool HasPassword = false;  // "PWD=" was given (even empty)
};

// Returns the schema name under which the file is reachable (attaching it if needed).
using TJetAliasResolver = std::function<QString(const TJetFileRef&)>;

struct TJetStatement {
  enum class Kind { Plain, AlterPassword, SelectInto };
  Kind StatementKind = Kind::Plain;

  QString Sql;  // Plain: the SQLite statement

  // AlterPassword: "ALTER DATABASE PASSWORD <new> <old>", null meaning none.
  QString NewPassword, OldPassword;
  bool NewIsNull = false, OldIsNull = false;

  // SelectInto: target table (schema empty = main) and the translated source.
  QString IntoSchema, IntoTable;
  QString SelectList;       // translated list between SELECT and INTO
  QString FromClause;       // translated text after FROM
  // Set when FROM names one table and nothing else: of this file, of an attached schema
  // ("s.t") or of another file ("t in 'f'", "[;DATABASE=f;].t").
  QString SourceSchema, SourceTable;
};

// Throws EDatabaseError on a malformed cross-file reference or ALTER statement.
TJetStatement TranslateJetStatement(const QString& sql, const TJetAliasResolver& resolver = {});

// Plain statements only (SELECT INTO and ALTER are returned untranslated).
QString TranslateJetSql(const QString& sql, const TJetAliasResolver& resolver = {});

// "INSERT INTO t [(cols)] SELECT ... FROM <table of another file> [WHERE ...]" with no
// other table and no subquery: the connection can run it inside a transaction, where
// no file can be attached, by reading the rows through a connection of their own.
struct TJetCrossFileInsert {
  TJetFileRef File;
  QString InsertHead;  // "INSERT INTO t [(cols)]", translated
  QString SourceSql;   // the SELECT, translated, its table named in schema "main"
};
std::optional<TJetCrossFileInsert> MatchCrossFileInsert(const QString& sql);

// Names of the ":Name" parameters in order of first appearance (without the colon).
QStringList JetParameterNames(const QString& sql);

// Parses "field ASC, field2 DESC" lists; returns (field, descending) pairs.
struct TSortKey {
  QString Field;
  bool Descending = false;
};
std::vector<TSortKey> ParseSortList(const QString& sort);

// Text of a quoted identifier for SQLite ("name" with inner quotes doubled).
QString QuoteIdent(const QString& name);
// The name inside "name", [name] or `name`; any other text as it stands.
QString UnquoteIdent(const QString& name);

} // namespace fw
