// Record list figures: opening "SELECT * from t order by id asc" over 100,000 rows
// (FW_BENCH_RECORDS in the test suite's short run) of 160 mostly small integer columns
// plus a few text columns, and appending the same rows through one prepared INSERT inside
// a transaction. Peak memory is a counter (the peak is reset before each benchmark).

#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"

#include "BenchSupport.h"
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

const int kRows = fwbench::Records();
constexpr int kIntColumns = 160;
constexpr int kTextColumns = 4;


QString CreateSql() {
  QString sql = QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY");
  for (int c = 1; c <= kIntColumns; ++c) sql += QStringLiteral(", n%1 INTEGER").arg(c, 3, 10, QLatin1Char('0'));
  for (int c = 1; c <= kTextColumns; ++c) sql += QStringLiteral(", s%1 VARCHAR(50)").arg(c);
  return sql + QLatin1Char(')');
}

QString InsertSql() {
  QString names = QStringLiteral("id"), values = QStringLiteral(":id");
  for (int c = 1; c <= kIntColumns; ++c) {
    const QString n = QStringLiteral("n%1").arg(c, 3, 10, QLatin1Char('0'));
    names += QLatin1Char(',') + n;
    values += QStringLiteral(",:") + n;
  }
  for (int c = 1; c <= kTextColumns; ++c) {
    names += QStringLiteral(",s%1").arg(c);
    values += QStringLiteral(",:s%1").arg(c);
  }
  return QStringLiteral("insert into t (%1) values (%2)").arg(names, values);
}

// A fresh file holding the empty table.
QString NewDatabase(const QTemporaryDir& dir, int run) {
  const QString path = dir.filePath(QStringLiteral("bench%1.mdb").arg(run));
  QFile::remove(path);
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  sqlite3_exec(db, CreateSql().toUtf8().constData(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return path;
}

QString ConnectionString(const QString& path) {
  return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Mode=ReadWrite;Persist Security Info=False").arg(path);
}

// Deterministic values: small counts, a few larger amounts, short Chinese texts.
void AppendRows(fw::TADOConnection& db) {
  fw::TADOQuery insert(&db);
  insert.SetSQL(InsertSql());
  db.BeginTrans();
  for (int r = 0; r < kRows; ++r) {
    fw::TParameters& p = insert.Parameters();
    p[0].SetValue(100000000000LL + r);
    for (int c = 1; c <= kIntColumns; ++c) p[c].SetValue((r * 31 + c * 7) % (c % 10 == 0 ? 100000 : 50));
    for (int c = 1; c <= kTextColumns; ++c) p[kIntColumns + c].SetValue(QStringLiteral("工会%1-%2").arg(r).arg(c));
    insert.ExecSQL();
  }
  db.CommitTrans();
}

void BM_AppendRows(benchmark::State& state) {
  QTemporaryDir dir;
  int run = 0;
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    state.PauseTiming();
    fw::TADOConnection db;
    db.SetConnectionString(ConnectionString(NewDatabase(dir, run++)));
    db.Open();
    state.ResumeTiming();
    AppendRows(db);
  }
  state.counters["rows"] = kRows;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_AppendRows)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

void BM_OpenRecordList(benchmark::State& state) {
  QTemporaryDir dir;
  fw::TADOConnection db;
  db.SetConnectionString(ConnectionString(NewDatabase(dir, 0)));
  db.Open();
  AppendRows(db);
  fwbench::ResetPeakRss();
  int count = 0;
  for (auto _ : state) {
    fw::TADOQuery q(&db);
    q.SetSQL(QStringLiteral("SELECT * from t order by id asc"));
    q.Open();
    count = q.RecordCount();
    q.Last();
    benchmark::DoNotOptimize(q.FieldByName(QStringLiteral("n160"))->AsInteger());
  }
  fwbench::Require(state, count == kRows, QStringLiteral("opened %1 of %2 rows").arg(count).arg(kRows));
  state.counters["rows"] = count;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_OpenRecordList)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv); }
