#include "platform/db/AdoConnection.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/db/Parameters.h"
#include "platform/db/Schema.h"
#include "platform/db/Sql.h"
#include "platform/db/SqlStatement.h"
#include "platform/shell/TempFiles.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

namespace fw {

namespace {

// ---- SQL functions that Jet has and SQLite lacks -------------------------------

bool NumericArg(sqlite3_value* v, double* out) {
  if (sqlite3_value_type(v) == SQLITE_NULL) return false;
  *out = sqlite3_value_double(v);
  return true;
}

void ResultNumber(sqlite3_context* ctx, double v) {
  if (std::fabs(v) < 9.2e18 && std::floor(v) == v) sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(v));
  else sqlite3_result_double(ctx, v);
}

// int(x): the largest whole number not above x.
void FnInt(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER) {
    sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
    return;
  }
  double v;
  if (!NumericArg(argv[0], &v)) return sqlite3_result_null(ctx);
  ResultNumber(ctx, std::floor(v));
}

// iif(condition, whenTrue, whenFalse)
void FnIif(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const bool cond = sqlite3_value_type(argv[0]) != SQLITE_NULL && sqlite3_value_double(argv[0]) != 0;
  sqlite3_result_value(ctx, cond ? argv[1] : argv[2]);
}

// a / b: always real; division by zero is an error as in Jet.
void FnDiv(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double a, b;
  if (!NumericArg(argv[0], &a) || !NumericArg(argv[1], &b)) return sqlite3_result_null(ctx);
  if (b == 0) return sqlite3_result_error(ctx, "Division by zero", -1);
  sqlite3_result_double(ctx, a / b);
}

// a \ b and a mod b: operands rounded to whole numbers first.
void FnIntDiv(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double a, b;
  if (!NumericArg(argv[0], &a) || !NumericArg(argv[1], &b)) return sqlite3_result_null(ctx);
  const double ia = std::nearbyint(a), ib = std::nearbyint(b);
  if (ib == 0) return sqlite3_result_error(ctx, "Division by zero", -1);
  ResultNumber(ctx, std::trunc(ia / ib));
}

void FnMod(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double a, b;
  if (!NumericArg(argv[0], &a) || !NumericArg(argv[1], &b)) return sqlite3_result_null(ctx);
  const double ia = std::nearbyint(a), ib = std::nearbyint(b);
  if (ib == 0) return sqlite3_result_error(ctx, "Division by zero", -1);
  ResultNumber(ctx, std::fmod(ia, ib));
}

void FnPow(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double a, b;
  if (!NumericArg(argv[0], &a) || !NumericArg(argv[1], &b)) return sqlite3_result_null(ctx);
  ResultNumber(ctx, std::pow(a, b));
}

void RegisterFunctions(sqlite3* db) {
  struct Fn {
    const char* name;
    int args;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
  };
  static const Fn fns[] = {{"int", 1, FnInt},       {"iif", 3, FnIif},    {"jetdiv", 2, FnDiv},
                           {"jetidiv", 2, FnIntDiv}, {"jetmod", 2, FnMod}, {"jetpow", 2, FnPow}};
  for (const Fn& f : fns) {
    if (sqlite3_create_function_v2(db, f.name, f.args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, f.fn, nullptr,
                                   nullptr, nullptr) != SQLITE_OK)
      throw EngineError(db, QString());
  }
}

// A file that is not there, with the cause the engine gives when it cannot open one.
EDatabaseError MissingFile(const QString& path) {
  return EDatabaseError(QStringLiteral("Could not find file '%1'.").arg(path), QString(), SQLITE_CANTOPEN, ENOENT);
}

QString FirstWord(const QString& sql) {
  const QString trimmed = sql.trimmed();
  int i = 0;
  while (i < trimmed.size() && trimmed[i].isLetter()) ++i;
  return trimmed.left(i).toLower();
}

// "ATTACH DATABASE ? AS <alias> KEY ?" with the file name and the key bound, never spelled
// into the statement. The key is always text: an empty one attaches a plain file (a null
// key would mean the main file's key).
void AttachBound(sqlite3* db, const QString& path, const QString& alias, const QString& key) {
  TSqlStatement attach(db, QStringLiteral("ATTACH DATABASE ? AS %1 KEY ?").arg(alias).toUtf8());
  const QByteArray file = QFile::encodeName(path);
  const QByteArray keyText = key.toUtf8();
  static const char empty[] = "";
  sqlite3_bind_text(attach.Handle(), 1, file.isEmpty() ? empty : file.constData(), static_cast<int>(file.size()), SQLITE_TRANSIENT);
  sqlite3_bind_text(attach.Handle(), 2, keyText.isEmpty() ? empty : keyText.constData(), static_cast<int>(keyText.size()),
                    SQLITE_TRANSIENT);
  attach.Step();
}

QString CanonicalPath(const QString& file) {
  const QFileInfo info(file);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

// The running time allowed to each statement of a connection. The engine reports the
// start and the end of every statement (trace) and asks at its loop jumps, once every
// thousand steps, whether to go on (progress handler). That alone lets a statement outrun
// its time many times over: one whose rows each make a slow call passes a thousand steps
// only after a great many such calls. So while the clock guards a connection, a watchdog
// (a thread of its own, the program's only other one, doing nothing else) sleeps until
// the running statement's deadline and then interrupts the connection, which the engine
// notices at its very next jump.
//
// The deadline, the running statement and the interrupt are read and changed under one
// lock, and only the statement that runs (started, not yet ended) is interrupted. The
// engine drops an interrupt when the next statement starts with no other one open, and
// that start comes after the end of the interrupted statement, which waits for the lock:
// an interrupt meant for one statement never stops a later one that is within its time.
// (A statement started while an overdue one is still open, stepped part way, shares its
// interrupt: the engine keeps one per connection.) The progress handler stays for a
// statement that goes on after one nested in it (a schema reload) has ended.
class TADOConnection::TStatementClock {
public:
  explicit TStatementClock(std::chrono::milliseconds limit) : Limit(limit) {}
  ~TStatementClock() { Release(); }
  TStatementClock(const TStatementClock&) = delete;
  TStatementClock& operator=(const TStatementClock&) = delete;

  const std::chrono::milliseconds Limit;

  // Times the statements of db from now on and starts the watchdog.
  void Guard(sqlite3* db) {
    Release();
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      db_ = db;
      running_ = nullptr;
      deadline_ = Clock::now() + Limit;
      interrupted_ = stopping_ = false;
    }
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT | SQLITE_TRACE_PROFILE, &TStatementClock::OnTrace, this);
    sqlite3_progress_handler(db, 1000, &TStatementClock::OnProgress, this);
    watchdog_ = std::thread([this] { Watch(); });
  }

  // Stops and joins the watchdog and takes the callbacks off the connection guarded. Runs
  // before that connection closes: the watchdog never touches a closed one.
  void Release() {
    if (!watchdog_.joinable()) return;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_one();
    watchdog_.join();
    sqlite3_trace_v2(db_, 0, nullptr, nullptr);
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    db_ = nullptr;
  }

private:
  using Clock = std::chrono::steady_clock;

  static int OnTrace(unsigned type, void* context, void* statement, void* text) {
    auto* clock = static_cast<TStatementClock*>(context);
    if (type == SQLITE_TRACE_STMT) {
      // A trigger's program starts inside its statement and does not get time of its own.
      const char* sql = static_cast<const char*>(text);
      if (sql && sql[0] == '-' && sql[1] == '-') return 0;
      const std::lock_guard<std::mutex> lock(clock->mutex_);
      clock->running_ = statement;
      clock->deadline_ = Clock::now() + clock->Limit;
      clock->interrupted_ = false;
    } else if (type == SQLITE_TRACE_PROFILE) {
      const std::lock_guard<std::mutex> lock(clock->mutex_);
      if (clock->running_ == statement) clock->running_ = nullptr;
    }
    return 0;
  }

  static int OnProgress(void* context) {
    auto* clock = static_cast<TStatementClock*>(context);
    const std::lock_guard<std::mutex> lock(clock->mutex_);
    return Clock::now() > clock->deadline_ ? 1 : 0;
  }

  void Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
      const Clock::time_point now = Clock::now();
      if (running_ && !interrupted_ && now >= deadline_) {
        sqlite3_interrupt(db_);
        interrupted_ = true;
      }
      // A statement that starts while the watchdog sleeps has its deadline no sooner than
      // one limit from now, so sleeping that long never misses it.
      wake_.wait_until(lock, running_ && !interrupted_ ? deadline_ : now + Limit);
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  sqlite3* db_ = nullptr;
  const void* running_ = nullptr;  // the statement started last, until it ends
  Clock::time_point deadline_;
  bool interrupted_ = false;  // running_ has been interrupted
  bool stopping_ = false;
  std::thread watchdog_;
};

TADOConnection::TADOConnection() = default;

TADOConnection::~TADOConnection() {
  try {
    Close();
  } catch (...) {
  }
  for (TDataSet* ds : dataSets_) ds->ConnectionGone();
}

void TADOConnection::SetConnectionString(const QString& text) {
  if (Connected()) Close();
  connectionString_ = text;
}

void TADOConnection::CheckConnected() const {
  if (!db_) throw EDatabaseError(QStringLiteral("Operation is not allowed when the connection is closed."));
}

void TADOConnection::Open() {
  if (Connected()) return;
  const TConnectionString cs = TConnectionString::Parse(connectionString_);
  if (cs.DataSource.isEmpty()) throw EDatabaseError(QStringLiteral("No database file is named in the connection string."));
  OpenFile(cs.DataSource, cs.Password, cs.HasPassword && !cs.Password.isEmpty(), cs.Exclusive(), cs.ReadOnly());
}

void TADOConnection::SetStatementTimeLimit(std::chrono::milliseconds limit) {
  if (clock_ && clock_->Limit == limit) return;
  clock_.reset(); // the watchdog is joined here
  if (limit.count() <= 0) return;
  clock_ = std::make_unique<TStatementClock>(limit);
  if (db_) clock_->Guard(db_);
}

std::chrono::milliseconds TADOConnection::StatementTimeLimit() const {
  return clock_ ? clock_->Limit : std::chrono::milliseconds(0);
}

void TADOConnection::SetSizeLimit(int bytes) {
  sizeLimit_ = std::max(bytes, 0);
  if (db_) ApplySizeLimit(db_);
}

void TADOConnection::ApplySizeLimit(sqlite3* db) const {
  // A limit above the engine's own maximum is lowered to it: "none" asks for the most.
  const int bytes = sizeLimit_ > 0 ? sizeLimit_ : std::numeric_limits<int>::max();
  sqlite3_limit(db, SQLITE_LIMIT_LENGTH, bytes);
  sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, bytes);
}

void TADOConnection::QuickCheck() {
  CheckConnected();
  // The file's own CHECK expressions are left alone: an engine that verifies them in its
  // quick check would otherwise evaluate whatever the file declares.
  ExecRaw(db_, QStringLiteral("PRAGMA ignore_check_constraints = 1"));
  QString verdict;
  try {
    // The first fault is enough: the check stops there. Its last line names it.
    TSqlStatement check(db_, "PRAGMA main.quick_check(1)");
    if (check.Step())
      verdict = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check.Handle(), 0)))
                    .section(QLatin1Char('\n'), -1);
  } catch (...) {
    ExecRaw(db_, QStringLiteral("PRAGMA ignore_check_constraints = 0"));
    throw;
  }
  ExecRaw(db_, QStringLiteral("PRAGMA ignore_check_constraints = 0"));
  if (verdict != QLatin1String("ok")) throw EDatabaseError(verdict, QString(), SQLITE_CORRUPT);
}

void TADOConnection::OpenFile(const QString& path, const QString& password, bool hasPassword, bool exclusive,
                              bool readOnly) {
  if (!QFileInfo(path).isFile()) throw MissingFile(path);

  auto attempt = [&](const QString& key) -> sqlite3* {
    sqlite3* db = nullptr;
    // No SQLITE_OPEN_CREATE: a missing file must not become a new empty database.
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    try {
      if (rc != SQLITE_OK) throw EngineError(db, rc);
      ApplySizeLimit(db);
      if (clock_) clock_->Guard(db);
      if (!key.isEmpty()) {
        try {
          ExecRaw(db, QStringLiteral("PRAGMA key = %1").arg(QuotedStr(key)));
        } catch (const EDatabaseError& e) {
          // Never keep the key in the error.
          throw EDatabaseError(e.EngineText(), QString(), e.Code(), e.SystemError());
        }
      }
      sqlite3_busy_timeout(db, 2000);
      if (exclusive) ExecRaw(db, QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
      // The key (or its absence) is only checked when a page is read.
      ExecRaw(db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
      if (exclusive) ExecRaw(db, QStringLiteral("BEGIN EXCLUSIVE; COMMIT"));
      RegisterFunctions(db);
    } catch (...) {
      if (clock_) clock_->Release();
      sqlite3_close(db);
      throw;
    }
    return db;
  };

  sqlite3* db = nullptr;
  QString keyInUse;
  try {
    db = attempt(hasPassword ? password : QString());
    keyInUse = hasPassword ? password : QString();
  } catch (const EDatabaseError& keyed) {
    // Like Jet, a password given for a file that has none is ignored.
    if (!hasPassword) throw;
    try {
      db = attempt(QString());
    } catch (const EDatabaseError&) {
      throw keyed;
    }
  }
  db_ = db;
  fileName_ = path;
  password_ = keyInUse;
  exclusive_ = exclusive;
  readOnly_ = readOnly;
  transLevel_ = 0;
}

void TADOConnection::CloseHandle() {
  if (!db_) return;
  for (TDataSet* ds : dataSets_) ds->ReleaseStatements();
  if (clock_) clock_->Release();
  sqlite3_close_v2(db_);
  db_ = nullptr;
  transLevel_ = 0;
  attachments_.clear();
}

void TADOConnection::Close() {
  if (!db_) return;
  for (TDataSet* ds : std::vector<TDataSet*>(dataSets_)) ds->Close();
  if (!sqlite3_get_autocommit(db_)) {
    try {
      ExecRaw(db_, QStringLiteral("ROLLBACK"));
    } catch (const EDatabaseError&) {
    }
  }
  CloseHandle();
}

void TADOConnection::RegisterDataSet(TDataSet* dataSet) {
  if (std::find(dataSets_.begin(), dataSets_.end(), dataSet) == dataSets_.end()) dataSets_.push_back(dataSet);
}

void TADOConnection::UnregisterDataSet(TDataSet* dataSet) {
  dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), dataSet), dataSets_.end());
}

// ---- transactions --------------------------------------------------------------

int TADOConnection::BeginTrans() {
  CheckConnected();
  if (transLevel_ == 0) ExecRaw(db_, QStringLiteral("BEGIN"));
  else ExecRaw(db_, QStringLiteral("SAVEPOINT fwtrans%1").arg(transLevel_));
  return ++transLevel_;
}

void TADOConnection::CommitTrans() {
  CheckConnected();
  if (transLevel_ == 0) throw EDatabaseError(QStringLiteral("No transaction is active."));
  if (transLevel_ == 1) ExecRaw(db_, QStringLiteral("COMMIT"));
  else ExecRaw(db_, QStringLiteral("RELEASE fwtrans%1").arg(transLevel_ - 1));
  --transLevel_;
}

void TADOConnection::RollbackTrans() {
  CheckConnected();
  if (transLevel_ == 0) throw EDatabaseError(QStringLiteral("No transaction is active."));
  if (transLevel_ == 1) {
    // SQLite may already have rolled back after an error; that is fine.
    if (!sqlite3_get_autocommit(db_)) ExecRaw(db_, QStringLiteral("ROLLBACK"));
  } else {
    ExecRaw(db_, QStringLiteral("ROLLBACK TO fwtrans%1; RELEASE fwtrans%1").arg(transLevel_ - 1));
  }
  --transLevel_;
}

bool TADOConnection::Writable() const {
  if (!db_ || sqlite3_db_readonly(db_, "main") != 0) return false;
  return QFileInfo(QFileInfo(fileName_).absolutePath()).isWritable();
}

bool TADOConnection::InTransaction() const { return db_ && (transLevel_ > 0 || !sqlite3_get_autocommit(db_)); }

// ---- table names ---------------------------------------------------------------

void TADOConnection::GetTableNames(QStringList& list, bool systemTables) const {
  CheckConnected();
  list.clear();
  TSqlStatement st(db_, "SELECT name FROM sqlite_master WHERE type IN ('table', 'view') ORDER BY name");
  while (st.Step()) {
    const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.Handle(), 0)));
    if (!systemTables && name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)) continue;
    list << name;
  }
}

QStringList TADOConnection::TableNames() const {
  QStringList list;
  GetTableNames(list);
  return list;
}

// ---- other files ---------------------------------------------------------------

QString TADOConnection::FindAttachment(const QString& path) const {
  for (const Attachment& a : attachments_)
    if (a.Path == path) return a.Alias;
  return QString();
}

QString TADOConnection::AttachFile(const TJetFileRef& ref, bool explicitly) {
  CheckConnected();
  if (!QFileInfo(ref.File).isFile()) throw MissingFile(ref.File);
  const QString path = CanonicalPath(ref.File);
  if (InTransaction())
    throw EDatabaseError(QStringLiteral("The file '%1' must be attached before the transaction begins.").arg(ref.File));
  const QString alias = QStringLiteral("fwdb%1").arg(++aliasCounter_);
  std::optional<EDatabaseError> lastError;
  for (const QString& key : KeysToTry(ref)) {
    try {
      AttachBound(db_, path, alias, key);
    } catch (const EDatabaseError& e) {
      // The statement carries the key: only the words and the cause go on.
      lastError.emplace(e.EngineText(), QString(), e.Code(), e.SystemError());
      continue;
    }
    try {
      ExecRaw(db_, QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(alias));
    } catch (const EDatabaseError& e) {
      lastError.emplace(e.EngineText(), QString(), e.Code(), e.SystemError());
      try {
        ExecRaw(db_, QStringLiteral("DETACH DATABASE %1").arg(alias));
      } catch (const EDatabaseError&) {
      }
      continue;
    }
    // The engine's faults in the virtual-table modules must not be reachable from a file.
    if (DeclaresVirtualTable(db_, alias)) {
      ExecRaw(db_, QStringLiteral("DETACH DATABASE %1").arg(alias));
      throw EDatabaseError(kVirtualTableRefusal);
    }
    attachments_.push_back({alias, path, explicitly});
    return alias;
  }
  throw lastError.value_or(EDatabaseError(QStringLiteral("Not a valid password.")));
}

// A given password is tried first, then no key (a plain file); without a password the
// plain form first, then the key of the open file.
QStringList TADOConnection::KeysToTry(const TJetFileRef& ref) const {
  QStringList keys;
  if (!ref.Password.isEmpty()) {
    keys << ref.Password << QString();
  } else {
    keys << QString();
    if (!password_.isEmpty()) keys << password_;
  }
  return keys;
}

QString TADOConnection::AttachDatabase(const QString& file, const QString& password) {
  CheckConnected();
  const QString existing = FindAttachment(CanonicalPath(file));
  if (!existing.isEmpty()) return existing;
  TJetFileRef ref;
  ref.File = file;
  ref.Password = password;
  ref.HasPassword = !password.isEmpty();
  return AttachFile(ref, true);
}

void TADOConnection::DetachDatabase(const QString& alias) {
  CheckConnected();
  ExecRaw(db_, QStringLiteral("DETACH DATABASE %1").arg(alias));
  attachments_.erase(std::remove_if(attachments_.begin(), attachments_.end(),
                                    [&](const Attachment& a) { return a.Alias == alias; }),
                     attachments_.end());
}

TJetStatement TADOConnection::Translate(const QString& sql, QStringList* attached) {
  CheckConnected();
  auto resolver = [this, attached](const TJetFileRef& ref) {
    const QString existing = FindAttachment(CanonicalPath(ref.File));
    if (!existing.isEmpty()) return existing;
    const QString alias = AttachFile(ref, false);
    attached->append(alias);
    return alias;
  };
  try {
    return TranslateJetStatement(sql, resolver);
  } catch (...) {
    ReleaseAttachments(*attached);
    attached->clear();
    throw;
  }
}

void TADOConnection::ReleaseAttachments(const QStringList& aliases) {
  for (const QString& alias : aliases) {
    try {
      if (db_ && !InTransaction()) DetachDatabase(alias);
    } catch (const EDatabaseError&) {
    }
  }
}

// ---- statements ----------------------------------------------------------------

int TADOConnection::Execute(const QString& sql) {
  return Run(sql, [](TSqlStatement&) {});
}

int TADOConnection::Execute(const QString& sql, const QVariantList& params) {
  return Run(sql, [&](TSqlStatement& st) {
    const int count = sqlite3_bind_parameter_count(st.Handle());
    for (int i = 1; i <= count && i <= params.size(); ++i) BindValue(st.Handle(), i, params[i - 1]);
  });
}

int TADOConnection::Execute(const QString& sql, const QVariantMap& params) {
  return Run(sql, [&](TSqlStatement& st) {
    const int count = sqlite3_bind_parameter_count(st.Handle());
    for (int i = 1; i <= count; ++i) {
      const char* raw = sqlite3_bind_parameter_name(st.Handle(), i);
      if (!raw) continue;
      const QString name = QString::fromUtf8(raw + 1);
      for (auto it = params.begin(); it != params.end(); ++it) {
        QString key = it.key();
        if (key.startsWith(QLatin1Char(':'))) key.remove(0, 1);
        if (key.compare(name, Qt::CaseInsensitive) == 0) BindValue(st.Handle(), i, it.value());
      }
    }
  });
}

int TADOConnection::Execute(const QString& sql, const TParameters& params) {
  return Run(sql, [&](TSqlStatement& st) { params.Bind(st.Handle()); });
}

int TADOConnection::Run(const QString& sql, const std::function<void(TSqlStatement&)>& bind) {
  CheckConnected();
  if (InTransaction()) {
    if (auto copy = MatchCrossFileInsert(sql)) {
      if (FindAttachment(CanonicalPath(copy->File.File)).isEmpty()) return CopyFromFile(*copy, bind);
    }
  }
  QStringList attached;
  const TJetStatement st = Translate(sql, &attached);
  struct Release {
    TADOConnection* c;
    QStringList* a;
    ~Release() { c->ReleaseAttachments(*a); }
  } release{this, &attached};
  switch (st.StatementKind) {
  case TJetStatement::Kind::AlterPassword:
    ChangePassword(st);
    return 0;
  case TJetStatement::Kind::SelectInto:
    return RunSelectInto(st);
  default:
    return RunPlain(st.Sql, bind);
  }
}

int TADOConnection::RunPlain(const QString& sql, const std::function<void(TSqlStatement&)>& bind) {
  const QByteArray text = sql.toUtf8();
  int offset = 0;
  int affected = 0;
  while (offset < text.size()) {
    int tail = 0;
    TSqlStatement st(db_, text.mid(offset), &tail);
    offset += tail;
    if (st.IsNull()) continue;  // blanks or comments only
    bind(st);
    while (st.Step()) {
    }
    const QString verb = FirstWord(QString::fromUtf8(sqlite3_sql(st.Handle())));
    if (verb == QLatin1String("insert") || verb == QLatin1String("update") || verb == QLatin1String("delete") ||
        verb == QLatin1String("replace"))
      affected += sqlite3_changes(db_);
  }
  return affected;
}

// Rows of another file inserted inside a transaction: read through a read-only
// connection of their own and written with one prepared INSERT on this one.
int TADOConnection::CopyFromFile(const TJetCrossFileInsert& copy, const std::function<void(TSqlStatement&)>& bind) {
  if (!QFileInfo(copy.File.File).isFile()) throw MissingFile(copy.File.File);
  sqlite3* other = nullptr;
  std::optional<EDatabaseError> lastError;
  for (const QString& key : KeysToTry(copy.File)) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(copy.File.File).constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    try {
      if (rc != SQLITE_OK) throw EngineError(db, rc);
      ApplySizeLimit(db);
      if (!key.isEmpty()) ExecRaw(db, QStringLiteral("PRAGMA key = %1").arg(QuotedStr(key)));
      sqlite3_busy_timeout(db, 2000);
      ExecRaw(db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
      RegisterFunctions(db);
      other = db;
      break;
    } catch (const EDatabaseError& e) {
      lastError.emplace(e.EngineText(), QString(), e.Code(), e.SystemError());
      sqlite3_close(db);
    }
  }
  if (!other) throw lastError.value_or(EDatabaseError(QStringLiteral("Not a valid password.")));
  struct CloseOther {
    sqlite3* db;
    ~CloseOther() { sqlite3_close_v2(db); }
  } closeOther{other};
  if (DeclaresVirtualTable(other)) throw EDatabaseError(kVirtualTableRefusal);

  TSqlStatement source(other, copy.SourceSql.toUtf8());
  bind(source);
  const int columns = sqlite3_column_count(source.Handle());
  QStringList marks;
  for (int c = 0; c < columns; ++c) marks << QStringLiteral("?");
  TSqlStatement insert(db_, QStringLiteral("%1 VALUES (%2)").arg(copy.InsertHead, marks.join(QStringLiteral(", "))).toUtf8());
  ExecRaw(db_, QStringLiteral("SAVEPOINT fwcopy"));
  int rows = 0;
  try {
    while (source.Step()) {
      for (int c = 0; c < columns; ++c) sqlite3_bind_value(insert.Handle(), c + 1, sqlite3_column_value(source.Handle(), c));
      insert.Step();
      insert.Reset();
      ++rows;
    }
    ExecRaw(db_, QStringLiteral("RELEASE fwcopy"));
  } catch (...) {
    try {
      ExecRaw(db_, QStringLiteral("ROLLBACK TO fwcopy; RELEASE fwcopy"));
    } catch (const EDatabaseError&) {
    }
    throw;
  }
  return rows;
}

// "SELECT ... INTO t [in 'f'] FROM ...": the new table gets the source table's own
// definition when a whole table is copied, else the columns of the select list.
int TADOConnection::RunSelectInto(const TJetStatement& st) {
  const QString target = (st.IntoSchema.isEmpty() ? QString() : st.IntoSchema + QLatin1Char('.')) + QuoteIdent(st.IntoTable);
  QString createSql;
  if (st.SelectList == QLatin1String("*") && !st.SourceTable.isEmpty()) {
    const QString master = (st.SourceSchema.isEmpty() ? QStringLiteral("main") : st.SourceSchema) + QStringLiteral(".sqlite_master");
    TSqlStatement q(db_, QStringLiteral("SELECT sql FROM %1 WHERE type = 'table' AND name = ? COLLATE NOCASE").arg(master).toUtf8());
    BindValue(q.Handle(), 1, st.SourceTable);
    if (q.Step()) {
      const QString definition = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q.Handle(), 0)));
      const int paren = definition.indexOf(QLatin1Char('('));
      if (paren > 0) createSql = QStringLiteral("CREATE TABLE %1 %2").arg(target, definition.mid(paren));
    }
  }
  ExecRaw(db_, QStringLiteral("SAVEPOINT fwselectinto"));
  try {
    int rows = 0;
    if (!createSql.isEmpty()) {
      ExecRaw(db_, createSql);
      rows = RunPlain(QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(target, st.FromClause), [](TSqlStatement&) {});
    } else {
      RunPlain(QStringLiteral("CREATE TABLE %1 AS SELECT %2 FROM %3").arg(target, st.SelectList, st.FromClause),
               [](TSqlStatement&) {});
      TSqlStatement count(db_, QStringLiteral("SELECT count(*) FROM %1").arg(target).toUtf8());
      if (count.Step()) rows = sqlite3_column_int(count.Handle(), 0);
    }
    ExecRaw(db_, QStringLiteral("RELEASE fwselectinto"));
    return rows;
  } catch (...) {
    try {
      ExecRaw(db_, QStringLiteral("ROLLBACK TO fwselectinto; RELEASE fwselectinto"));
    } catch (const EDatabaseError&) {
    }
    throw;
  }
}

// "ALTER DATABASE PASSWORD new old": the whole file is exported into a new file in the
// same folder with the new key (or none), which then replaces the original in one
// rename. On any failure the original stays as it was and the new file is removed.
void TADOConnection::ChangePassword(const TJetStatement& st) {
  if (!exclusive_) throw EDatabaseError(QStringLiteral("You must open the database exclusively to change its password."));
  if (InTransaction()) throw EDatabaseError(QStringLiteral("The password cannot be changed inside a transaction."));
  const QString oldPassword = st.OldIsNull ? QString() : st.OldPassword;
  const QString newPassword = st.NewIsNull ? QString() : st.NewPassword;
  if (oldPassword != password_) throw EDatabaseError(QStringLiteral("Not a valid password."));
  if (!attachments_.empty()) throw EDatabaseError(QStringLiteral("Detach other files before changing the password."));

  const QString path = fileName_;
  int createError = 0;
  TTemporary temp = CreateTempFile(QFileInfo(path).absolutePath(), &createError);
  const QString tempPath = temp.Path();
  if (!temp.IsValid())
    throw EDatabaseError(QStringLiteral("Cannot create a working file beside '%1': %2").arg(path, FileErrorCause(createError)));
  auto removeTemp = [&]() {
    QFile::remove(tempPath);
    QFile::remove(tempPath + QStringLiteral("-journal"));
  };
  try {
    AttachBound(db_, tempPath, QStringLiteral("fwrekey"), newPassword);
    try {
      ExecRaw(db_, QStringLiteral("SELECT sqlcipher_export('fwrekey')"));
      int version = 0;
      {
        TSqlStatement v(db_, "PRAGMA main.user_version");
        if (v.Step()) version = sqlite3_column_int(v.Handle(), 0);
      }
      ExecRaw(db_, QStringLiteral("PRAGMA fwrekey.user_version = %1").arg(version));
    } catch (const EDatabaseError&) {
      try {
        ExecRaw(db_, QStringLiteral("DETACH DATABASE fwrekey"));
      } catch (const EDatabaseError&) {
      }
      throw;
    }
    ExecRaw(db_, QStringLiteral("DETACH DATABASE fwrekey"));
  } catch (const EDatabaseError& e) {
    removeTemp();
    // The statements carry the new key: only the message and the cause go on.
    throw EDatabaseError(e.EngineText(), QString(), e.Code(), e.SystemError());
  }

  QFile::setPermissions(tempPath, QFile::permissions(path));
  // Swap the files while no handle is open on the original.
  for (TDataSet* ds : std::vector<TDataSet*>(dataSets_)) ds->Close();
  CloseHandle();
  // A failure after the rename itself (syncing the folder) leaves the new file in place.
  // Renamed, the file is let go of before the engine opens it under its own locks.
  if (const int error = RenameIntoPlace(temp, path); error != 0 && QFile::exists(tempPath)) {
    removeTemp();
    OpenFile(path, password_, !password_.isEmpty(), true, readOnly_);
    throw EDatabaseError(QStringLiteral("Cannot replace '%1' with its re-encrypted copy: %2").arg(path, FileErrorCause(error)));
  }
  OpenFile(path, newPassword, !newPassword.isEmpty(), true, readOnly_);
}

} // namespace fw
