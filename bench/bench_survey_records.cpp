// The record list over generated survey records: appending 100,000 valid records
// (FW_BENCH_RECORDS in the test suite's short run) to a copy of the shipped database, and
// opening the main window's record list query "SELECT *  from view_data order by c901
// asc" over them. Peak memory is a counter (the peak is reset before each benchmark).

#include "SurveyRecordGenerator.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"

#include <QFile>
#include <QTemporaryDir>
#include "BenchSupport.h"
#include <benchmark/benchmark.h>

namespace {

const int kRecords = fwbench::Records();


// A fresh copy of the shipped, empty working database.
QString CopyOfShippedDatabase(const QTemporaryDir& dir, int run) {
  const QString path = dir.filePath(QStringLiteral("survey%1.mdb").arg(run));
  QFile::remove(path);
  QFile::copy(QStringLiteral(FW_BUILT_PROGRAM_DIR "/") + fw::kDefaultDatabaseName, path);
  return path;
}

void Connect(fw::TADOConnection& db, const QString& path) {
  db.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Mode=ReadWrite;");
  db.Open();
}

void BM_AppendSurveyRecords(benchmark::State& state) {
  QTemporaryDir dir;
  int run = 0;
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    state.PauseTiming();
    fw::TADOConnection db;
    Connect(db, CopyOfShippedDatabase(dir, run++));
    state.ResumeTiming();
    fwbench::AppendRecords(db, kRecords);
  }
  state.counters["records"] = kRecords;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_AppendSurveyRecords)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

void BM_OpenRecordList(benchmark::State& state) {
  QTemporaryDir dir;
  fw::TADOConnection db;
  Connect(db, CopyOfShippedDatabase(dir, 0));
  fwbench::AppendRecords(db, kRecords);
  fwbench::ResetPeakRss();
  int count = 0;
  for (auto _ : state) {
    fw::TADOQuery list(&db);
    list.SetSQL(QStringLiteral("SELECT *  from view_data order by c901 asc"));
    list.Open();
    count = list.RecordCount();
    list.Last();
    benchmark::DoNotOptimize(list.FieldByName(QStringLiteral("g004"))->AsInteger());
  }
  fwbench::Require(state, count == kRecords, QStringLiteral("opened %1 of %2 records").arg(count).arg(kRecords));
  state.counters["records"] = count;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_OpenRecordList)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv); }
