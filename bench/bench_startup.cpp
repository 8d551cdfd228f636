// The engine's eager read of the records, and start-up to a usable main window, over a
// working database of 100,000 generated survey records (FW_BENCH_RECORDS in the test
// suite's short run), the splash skipped: the application object, the main window's
// creation handler (settings, opening the database, field list, record list), every
// hidden window the program entry makes after it (CreateStartupWindows), and showing the
// main window until its record list has painted its first frame (a run whose list does
// not paint within a minute or does not hold every record fails). Peak memory is a
// counter.

#include "BenchSupport.h"
#include "SurveyRecordGenerator.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/ui/Application.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/DBGrid.h"
#include "windows/app/StartupWindows.h"
#include "windows/main/MainForm.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>
#include <benchmark/benchmark.h>

namespace {

const int kRecords = fwbench::Records();

// A program folder like the built one, its working database holding the records.
struct TProgramFolder {
  TProgramFolder() {
    QDirIterator it(QStringLiteral(FW_BUILT_PROGRAM_DIR), QDir::Files);
    while (it.hasNext()) {
      const QFileInfo info(it.next());
      if (info.fileName() != QLatin1String("fenwright")) QFile::copy(info.filePath(), program.filePath(info.fileName()));
    }
    fw::TADOConnection db;
    db.SetConnectionString(ConnectionString());
    db.Open();
    fwbench::AppendRecords(db, kRecords);
  }
  QString ConnectionString() const {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + program.filePath(fw::kDefaultDatabaseName) + ";Mode=ReadWrite;";
  }
  QTemporaryDir program;
};

std::unique_ptr<TProgramFolder> g_folder;

TProgramFolder& Folder() {
  if (!g_folder) g_folder = std::make_unique<TProgramFolder>();
  return *g_folder;
}

void BM_EngineEagerRead(benchmark::State& state) {
  fw::TADOConnection db;
  db.SetConnectionString(Folder().ConnectionString());
  db.Open();
  fwbench::EngineEagerRead(state, db, "dt_data");
}
BENCHMARK(BM_EngineEagerRead)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

// Notes the first paint of a widget.
class FirstPaint : public QObject {
public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void BM_StartupToFirstFrame(benchmark::State& state) {
  const QString program = Folder().program.path();
  QTemporaryDir registry;
  qputenv("FENWRIGHT_REGISTRY_DIR", QFile::encodeName(registry.path()));
  qputenv("FENWRIGHT_NO_SPLASH", "1");
  fw::InstallFontSubstitutions();
  fwbench::InstallAnsweringHooks();
  fwbench::ResetPeakRss();
  int records = 0;
  for (auto _ : state) {
    auto application = std::make_unique<fw::TApplication>();
    application->SetProgramDir(program);
    fw::CreateStartupWindows(*application);
    FirstPaint watch;
    QWidget* list = fw::MainForm->RecordGrid->View()->viewport();
    list->installEventFilter(&watch);
    fw::MainForm->Show();
    QElapsedTimer waited;
    waited.start();
    while (!watch.painted && waited.elapsed() < 60000) QApplication::processEvents(QEventLoop::AllEvents, 10);
    fwbench::Require(state, watch.painted, QStringLiteral("the record list never painted"));
    records = fw::MainForm->Data().ReportQuery->RecordCount();
    list->removeEventFilter(&watch);
    state.PauseTiming();
    application.reset();
    state.ResumeTiming();
  }
  fwbench::Require(state, records == kRecords, QStringLiteral("the list holds %1 of %2 records").arg(records).arg(kRecords));
  state.counters["records"] = records;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv, [] { g_folder.reset(); }); }
