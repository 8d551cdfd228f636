// List export figures over 100,000 generated records (FW_BENCH_RECORDS in the test
// suite's short run), beside the engine's eager read of the same records: the list
// export dialog's list with every sheet ticked (the eight cover columns and all
// indicators) opened and written to a workbook, and the query list's detail records
// (every column of dt_data) written into a database file. Each runs the routine the
// windows call, every question answered; a run that does not end with the routine's
// success message fails. The exports report to a silent progress; what the progress
// window adds for as many records is measured on its own. Peak memory is a counter.

#include "BenchSupport.h"
#include "SurveyRecordGenerator.h"

#include "core/ListExport.h"
#include "core/ListSelection.h"
#include "core/Progress.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "platform/ui/Application.h"
#include "windows/shared/ProgressBarForm.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace {

const int kRecords = fwbench::Records();

class TListExportBench {
public:
  TListExportBench() {
    QFile::copy(QStringLiteral(FW_BUILT_PROGRAM_DIR "/2014NB_qz.mdb"), dir_.filePath(QStringLiteral("2014NB_qz.mdb")));
    fw::SetProgramFolder(dir_.path());
    connection_.SetConnectionString(QStringLiteral("Data Source=") + dir_.filePath(QStringLiteral("2014NB_qz.mdb")));
    connection_.Open();
    fwbench::AppendRecords(connection_, kRecords);
    fwbench::InstallAnsweringHooks([this] { return target_; });
  }

  fw::TADOConnection& Connection() { return connection_; }
  QString Output(const QString& name) const { return dir_.filePath(name); }
  void Target(const QString& file) { target_ = file; }

private:
  QTemporaryDir dir_;
  fw::TADOConnection connection_;
  QString target_;
};

std::unique_ptr<TListExportBench> g_bench;

TListExportBench& Bench() {
  if (!g_bench) g_bench = std::make_unique<TListExportBench>();
  return *g_bench;
}

// The list of every sheet, as the list export dialog builds it.
fw::TListStatement AllSheetsStatement(fw::TADOConnection& connection) {
  QStringList columns = fw::ListCoverColumns();
  for (int item = 0; item < fw::kExportSheetCount; ++item) columns += fw::SheetColumns(connection, fw::ExportSheetLetter(item));
  return fw::AllRecordsStatement(columns);
}

void BM_EngineEagerRead(benchmark::State& state) { fwbench::EngineEagerRead(state, Bench().Connection(), "dt_data"); }
BENCHMARK(BM_EngineEagerRead)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

void BM_ListToWorkbook(benchmark::State& state) {
  TListExportBench& bench = Bench();
  const QString file = bench.Output(QStringLiteral("list.xlsx"));
  bench.Target(file);
  fw::TSilentProgress progress;
  int columns = 0;
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    fwbench::ClearMessages();
    fw::TADOQuery list(&bench.Connection());
    list.SetSQL(AllSheetsStatement(bench.Connection()).Sql);
    list.Open();
    columns = list.FieldCount();
    fw::SaveQueryAsExcel(list, QStringLiteral("基准单位数据列表"), fw::DescribeFields(list), progress);
    fwbench::RequireMessage(state, QStringLiteral("Excel文件已经正确导出到"));
  }
  state.counters["records"] = kRecords;
  state.counters["columns"] = columns;
  state.counters["file_MB"] = QFileInfo(file).size() / 1048576.0;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_ListToWorkbook)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

void BM_ListToDatabaseFile(benchmark::State& state) {
  TListExportBench& bench = Bench();
  const QString file = bench.Output(QStringLiteral("detail.mdb"));
  bench.Target(file);
  fw::TSilentProgress progress;
  fw::TADOQuery detail(&bench.Connection());
  detail.SetSQL(QStringLiteral("SELECT * from dt_data order by c901 asc"));
  detail.Open();
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    // Into a new file each time: a table replaced in a file also frees the old one's pages.
    state.PauseTiming();
    QFile::remove(file);
    fwbench::ClearMessages();
    state.ResumeTiming();
    fw::SaveQueryAsAccess(detail, QStringLiteral("Fenwright查询结果"), progress);
    fwbench::RequireMessage(state, QStringLiteral("Access文件已经正确导出到"));
  }
  state.counters["records"] = kRecords;
  state.counters["columns"] = detail.FieldCount();
  state.counters["file_MB"] = QFileInfo(file).size() / 1048576.0;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_ListToDatabaseFile)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

// The progress window shown and stepped once per record, as the exports step it.
void BM_ProgressWindowSteps(benchmark::State& state) {
  fw::TApplication application;
  fw::TProgressBarForm window(nullptr);
  for (auto _ : state) {
    window.ShowProgress(fw::kListExportCaption);
    window.StartProgress(kRecords, 0);
    for (int i = 0; i < kRecords; ++i) window.StepProgress();
    window.HideProgress();
  }
  state.counters["steps"] = kRecords;
}
BENCHMARK(BM_ProgressWindowSteps)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv, [] { g_bench.reset(); }); }
