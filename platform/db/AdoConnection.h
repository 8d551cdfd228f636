#pragma once
// The connection to one database file (a SQLCipher database; the password is its key).
// It accepts the Jet SQL forms the program sends (see JetSql.h), runs statements with
// bound parameters, keeps transactions, reaches tables of other files by attaching
// them, and carries out "ALTER DATABASE PASSWORD" on an exclusive connection.

#include "platform/db/JetSql.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;

namespace fw {

class TDataSet;
class TParameters;
class TSqlStatement;

class TADOConnection {
public:
  TADOConnection();
  virtual ~TADOConnection();
  TADOConnection(const TADOConnection&) = delete;
  TADOConnection& operator=(const TADOConnection&) = delete;

  QString ConnectionString() const { return connectionString_; }
  void SetConnectionString(const QString& text);  // closes an open connection first
  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool value) { loginPrompt_ = value; }  // kept, never prompts

  // Opens the file named by "Data Source" ("Mode=Read": without the right to change it).
  // Fails at once when the file is missing (no file is created), when it is not a
  // database, or when its key is wrong or missing.
  void Open();
  void Close();  // closes every data set of the connection too
  bool Connected() const { return db_ != nullptr; }
  void SetConnected(bool value) { value ? Open() : Close(); }

  QString FileName() const { return fileName_; }  // the open file
  bool Exclusive() const { return exclusive_; }
  // Whether statements can change the open file, judged as the engine finds it: the file
  // was opened for writing (not on a read-only disk, not a file this user may only read)
  // and its folder takes the engine's journal. False while closed.
  bool Writable() const;

  // Stops every statement of this connection, from opening on, that runs longer than
  // limit (zero: no limit); it fails with an EDatabaseError that is Interrupted(). Meant
  // for files the user chose: one built to keep the engine busy is refused, not waited for.
  // While a limit is set and the connection is open, a watchdog thread of its own
  // interrupts the statement whose time has run out (see TStatementClock).
  void SetStatementTimeLimit(std::chrono::milliseconds limit);
  std::chrono::milliseconds StatementTimeLimit() const;

  // Caps the bytes of one value or row (SQLITE_LIMIT_LENGTH) and of one statement's text,
  // the file's own definitions included (SQLITE_LIMIT_SQL_LENGTH), at bytes; zero leaves
  // the engine's own maximum. Kept across Close and Open and set before a file's schema is
  // read, so a file the user chose cannot make the engine read or build a value of any
  // size; a statement that would fails with an EDatabaseError that is TooBig().
  void SetSizeLimit(int bytes);
  int SizeLimit() const { return sizeLimit_; }

  // Runs the engine's quick check over the whole open file (every page, record and
  // overflow chain), within the statement time limit. Throws an EDatabaseError that is
  // Damaged(), naming the first fault, when the file is not sound.
  void QuickCheck();

  // Runs one statement; returns the number of rows inserted, changed or deleted.
  int Execute(const QString& sql);
  int Execute(const QString& sql, const QVariantList& params);  // "?" and ":name" by position
  int Execute(const QString& sql, const QVariantMap& params);   // ":name" by name
  int Execute(const QString& sql, const TParameters& params);

  // Transactions; nested calls use save points. DDL works inside them.
  int BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  bool InTransaction() const;

  // Names of the tables and views, as declared.
  void GetTableNames(QStringList& list, bool systemTables = false) const;
  QStringList TableNames() const;

  // Attaches another file (plain, or keyed with `password`) and returns the schema
  // name to use in SQL. A statement naming the same file reuses the attachment. Files
  // named in statements are attached for the statement and detached after it; inside a
  // transaction no file can be attached, so there a statement can reach another file
  // only when it was attached before BeginTrans - except the plain copy
  // "INSERT INTO t [(cols)] SELECT ... FROM <other file's table> [WHERE ...]", whose
  // rows are read through a connection of their own. Detach after the transaction.
  // The file name is bound, never spelled into SQL. A file that declares a virtual
  // table is refused (kVirtualTableRefusal, Schema.h).
  QString AttachDatabase(const QString& file, const QString& password = QString());
  void DetachDatabase(const QString& alias);

  // For the data sets of this layer.
  sqlite3* Handle() const { return db_; }
  void RegisterDataSet(TDataSet* dataSet);
  void UnregisterDataSet(TDataSet* dataSet);

  // Translates Jet text for this connection: files named in it are attached (or their
  // attachment reused); those attached here are listed in `attached` for the caller to
  // release with ReleaseAttachments once the statement has run.
  TJetStatement Translate(const QString& sql, QStringList* attached);
  void ReleaseAttachments(const QStringList& aliases);

  // Throws unless connected.
  void CheckConnected() const;

private:
  struct Attachment {
    QString Alias;
    QString Path;
    bool Explicit = false;
  };

  class TStatementClock;

  void OpenFile(const QString& path, const QString& password, bool hasPassword, bool exclusive, bool readOnly);
  void ApplySizeLimit(sqlite3* db) const;
  void CloseHandle();
  int Run(const QString& sql, const std::function<void(TSqlStatement&)>& bind);
  int RunPlain(const QString& sql, const std::function<void(TSqlStatement&)>& bind);
  int RunSelectInto(const TJetStatement& st);
  int CopyFromFile(const TJetCrossFileInsert& copy, const std::function<void(TSqlStatement&)>& bind);
  QStringList KeysToTry(const TJetFileRef& ref) const;
  void ChangePassword(const TJetStatement& st);
  QString AttachFile(const TJetFileRef& ref, bool explicitly);
  QString FindAttachment(const QString& path) const;

  QString connectionString_;
  bool loginPrompt_ = true;
  sqlite3* db_ = nullptr;
  QString fileName_;
  QString password_;  // the key in use; empty for a plain file
  bool exclusive_ = false;
  bool readOnly_ = false;
  std::unique_ptr<TStatementClock> clock_;
  int sizeLimit_ = 0;
  int transLevel_ = 0;
  int aliasCounter_ = 0;
  std::vector<Attachment> attachments_;
  std::vector<TDataSet*> dataSets_;
};

} // namespace fw
