// Start-up to a usable main window over a working database of 100,000 generated survey
// records, the splash skipped: the application object, the main window's creation
// handler (settings, opening the database, field list, record list), every hidden
// window the program entry makes after it (CreateStartupWindows), and showing the main
// window until its record list has painted its first frame. Peak RSS is reported as a
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
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 100000;

// A program folder like the built one, its working database holding the records.
void PrepareProgramFolder(const QString& folder) {
  QDirIterator it(QStringLiteral(FW_BUILT_PROGRAM_DIR), QDir::Files);
  while (it.hasNext()) {
    const QFileInfo info(it.next());
    if (info.fileName() != QLatin1String("fenwright")) QFile::copy(info.filePath(), folder + '/' + info.fileName());
  }
  fw::TADOConnection db;
  db.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder + '/' + fw::kDefaultDatabaseName +
                         ";Mode=ReadWrite;");
  db.Open();
  fwbench::AppendRecords(db, kRecords);
}

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
  QTemporaryDir program, registry;
  PrepareProgramFolder(program.path());
  qputenv("FENWRIGHT_REGISTRY_DIR", QFile::encodeName(registry.path()));
  qputenv("FENWRIGHT_NO_SPLASH", "1");
  fw::InstallFontSubstitutions();
  fwbench::ResetPeakRss();
  int records = 0;
  for (auto _ : state) {
    auto application = std::make_unique<fw::TApplication>();
    application->SetProgramDir(program.path());
    fw::CreateStartupWindows(*application);
    FirstPaint watch;
    QWidget* list = fw::MainForm->RecordGrid->View()->viewport();
    list->installEventFilter(&watch);
    fw::MainForm->Show();
    while (!watch.painted) QApplication::processEvents(QEventLoop::AllEvents, 10);
    records = fw::MainForm->Data().ReportQuery->RecordCount();
    list->removeEventFilter(&watch);
    state.PauseTiming();
    application.reset();
    state.ResumeTiming();
  }
  state.counters["records"] = records;
  state.counters["peak_rss_MB"] = fwbench::PeakRssMb();
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) { return fwbench::RunWidgetBenchmarks(argc, argv); }
