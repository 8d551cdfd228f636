// Summary workbook figures: all 18 summary sheets by organisation level, and by the items
// of a group, over 100,000 generated records (FW_BENCH_RECORDS in the test suite's short
// run), the workbook saved as it is shown; a run that shows no workbook or raises a
// message fails. The records and the template come from a private copy of the built
// program folder. Peak memory is a counter.

#include "BenchSupport.h"

#include "SurveyRecordGenerator.h"

#include "core/SumProcedure.h"
#include "core/SummaryDefs.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {

const int kRecords = fwbench::Records();

// A program folder with the shipped database (filled with the generated records) and the
// summary template; the cache folder that receives the shown workbooks.
class TSummaryBench {
public:
  TSummaryBench() {
    for (const char* name : {"2014NB_qz.mdb", fw::kSummaryTemplateName})
      QFile::copy(QStringLiteral(FW_BUILT_PROGRAM_DIR "/") + QString::fromUtf8(name), dir_.filePath(QString::fromUtf8(name)));
    fw::SetProgramFolder(dir_.path());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("cache"))));
    fwbench::InstallAnsweringHooks();

    connection_.SetConnectionString(QStringLiteral("Data Source=") + dir_.filePath(QStringLiteral("2014NB_qz.mdb")));
    connection_.Open();
    fwbench::AppendRecords(connection_, kRecords);
    // Spread the records over the levels, and a group of ten items over the codes.
    connection_.Execute(QStringLiteral("update dt_data set c904 = 1 + c901 % 11"));
    connection_.Execute(QStringLiteral("insert into ct_group (id, name, orderstr) values (1, '十段', 'id ASC')"));
    for (int k = 0; k < 10; ++k)
      connection_.Execute(QStringLiteral("insert into DT_GroupItem (GroupID, Title, LowSymbol, LowBoundary, HighSymbol, "
                                         "HighBoundary) values (1, ?, '>=', ?, '<', ?)"),
                          QVariantList{QStringLiteral("第%1段").arg(k + 1), 110000000000LL + k * (kRecords / 10),
                                       110000000000LL + (k + 1) * (kRecords / 10)});
  }

  fw::TADOConnection& Connection() { return connection_; }

private:
  QTemporaryDir dir_;
  fw::TADOConnection connection_;
};

std::unique_ptr<TSummaryBench> g_bench;

TSummaryBench& Bench() {
  if (!g_bench) g_bench = std::make_unique<TSummaryBench>();
  return *g_bench;
}

void RunAllSheets(benchmark::State& state, int mode) {
  TSummaryBench& bench = Bench();
  fw::TSilentProgress progress;
  fw::InitSummaryDefs();
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    const int shown = int(fwbench::Opened().size());
    for (int sheet = fw::kFirstSummarySheet; sheet <= fw::kLastSummarySheet; ++sheet)
      fw::BuildSummaryWorkbook(bench.Connection(), progress, sheet, mode, 1);
    fw::ShowSummaryWorkbook();
    fwbench::Require(state, int(fwbench::Opened().size()) == shown + 1 && fwbench::Messages().isEmpty(),
                     QStringLiteral("no workbook shown: %1").arg(fwbench::Messages().join(QLatin1Char(' '))));
  }
  state.counters["records"] = kRecords;
  state.counters["sheets"] = fw::kLastSummarySheet - fw::kFirstSummarySheet + 1;
  fwbench::ReportPeak(state);
}

void BM_SummaryAllSheetsByLevel(benchmark::State& state) { RunAllSheets(state, fw::smLevels); }
BENCHMARK(BM_SummaryAllSheetsByLevel)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

void BM_SummaryAllSheetsByGroup(benchmark::State& state) { RunAllSheets(state, fw::smGroup); }
BENCHMARK(BM_SummaryAllSheetsByGroup)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv, [] { g_bench.reset(); }); }
