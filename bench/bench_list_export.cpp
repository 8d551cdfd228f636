// List export figures over 100,000 generated records: the list export dialog's list with
// every sheet ticked (the eight cover columns and all indicators) opened and written to a
// workbook, and the query list's detail records (every column of dt_data) written into a
// database file. Each runs the routine the windows call, with hooks that answer the save
// dialog at once; peak memory is reported as a counter. The exports report to a silent
// progress; what the progress window adds for as many records is measured on its own.

#include "BenchSupport.h"
#include "SurveyRecordGenerator.h"

#include "core/ListExport.h"
#include "core/ListSelection.h"
#include "core/Progress.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/Application.h"
#include "windows/shared/ProgressBarForm.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

constexpr int kRecords = 100000;

class TListExportBench {
public:
  TListExportBench() {
    QFile::copy(QStringLiteral(FW_BUILT_PROGRAM_DIR "/2014NB_qz.mdb"), dir_.filePath(QStringLiteral("2014NB_qz.mdb")));
    fw::SetProgramFolder(dir_.path());
    connection_.SetConnectionString(QStringLiteral("Data Source=") + dir_.filePath(QStringLiteral("2014NB_qz.mdb")));
    connection_.Open();
    fwbench::AppendRecords(connection_, kRecords);

    fw::Hooks hooks = fw::CurrentHooks();
    hooks.SaveFileDialog = [this](const fw::FileDialogRequest&) { return fw::FileDialogResult{true, target_, 1}; };
    hooks.MessageBox = [this](const QString& text, const QString&, int) {
      lastMessage_ = text;
      return int(fw::IDOK);
    };
    fw::InstallHooks(hooks);
  }

  fw::TADOConnection& Connection() { return connection_; }
  QString Output(const QString& name) const { return dir_.filePath(name); }
  void Target(const QString& file) { target_ = file; }
  QString LastMessage() const { return lastMessage_; }

private:
  QTemporaryDir dir_;
  fw::TADOConnection connection_;
  QString target_, lastMessage_;
};

TListExportBench& Bench() {
  static TListExportBench bench;
  return bench;
}

void Check(benchmark::State& state, const char* expectedStart) {
  if (!Bench().LastMessage().startsWith(QString::fromUtf8(expectedStart)))
    state.SkipWithError(Bench().LastMessage().toStdString().c_str());
}

// The list of every sheet, as the list export dialog builds it.
fw::TListStatement AllSheetsStatement(fw::TADOConnection& connection) {
  QStringList columns = fw::ListCoverColumns();
  for (int item = 0; item < fw::kExportSheetCount; ++item) columns += fw::SheetColumns(connection, fw::ExportSheetLetter(item));
  return fw::AllRecordsStatement(columns);
}

void BM_ListToWorkbook(benchmark::State& state) {
  TListExportBench& bench = Bench();
  bench.Target(bench.Output(QStringLiteral("list.xlsx")));
  fw::TSilentProgress progress;
  int columns = 0;
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    fw::TADOQuery list(&bench.Connection());
    list.SetSQL(AllSheetsStatement(bench.Connection()).Sql);
    list.Open();
    columns = list.FieldCount();
    fw::SaveQueryAsExcel(list, QStringLiteral("基准单位数据列表"), fw::DescribeFields(list), progress);
  }
  Check(state, "Excel文件已经正确导出到");
  state.counters["records"] = kRecords;
  state.counters["columns"] = columns;
  state.counters["file_MB"] = QFileInfo(bench.Output(QStringLiteral("list.xlsx"))).size() / 1048576.0;
  state.counters["peak_MB"] = fwbench::PeakRssMb();
}
BENCHMARK(BM_ListToWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ListToDatabaseFile(benchmark::State& state) {
  TListExportBench& bench = Bench();
  bench.Target(bench.Output(QStringLiteral("detail.mdb")));
  fw::TSilentProgress progress;
  fw::TADOQuery detail(&bench.Connection());
  detail.SetSQL(QStringLiteral("SELECT * from dt_data order by c901 asc"));
  detail.Open();
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    // Into a new file each time: a table replaced in a file also frees the old one's pages.
    state.PauseTiming();
    QFile::remove(bench.Output(QStringLiteral("detail.mdb")));
    state.ResumeTiming();
    fw::SaveQueryAsAccess(detail, QStringLiteral("Fenwright查询结果"), progress);
  }
  Check(state, "Access文件已经正确导出到");
  state.counters["records"] = kRecords;
  state.counters["columns"] = detail.FieldCount();
  state.counters["file_MB"] = QFileInfo(bench.Output(QStringLiteral("detail.mdb"))).size() / 1048576.0;
  state.counters["peak_MB"] = fwbench::PeakRssMb();
}
BENCHMARK(BM_ListToDatabaseFile)->Unit(benchmark::kMillisecond)->Iterations(3);

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
BENCHMARK(BM_ProgressWindowSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) { return fwbench::RunWidgetBenchmarks(argc, argv); }
