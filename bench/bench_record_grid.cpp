// Record grid figures over 100,000 rows (FW_BENCH_RECORDS in the test suite's short run)
// of 40 columns: attaching the grid and opening its data set (model reset and column
// layout; peak memory a counter), painting one screen of rows at scattered scroll
// positions (what each scroll step costs), and deleting every row marked at once (the
// keys read from the marks, as many to a statement as the engine takes, one transaction).

#include "BenchSupport.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DataSource.h"
#include "platform/ui/DBGrid.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/Form.h"
#include "windows/shared/GridProcedures.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>

namespace {

const int kRows = fwbench::Records();
constexpr int kColumns = 40;

QString BuildDatabase(const QTemporaryDir& dir) {
  const QString path = dir.filePath(QStringLiteral("grid.mdb"));
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  QString create = QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, name VARCHAR(50)");
  QString insert = QStringLiteral("INSERT INTO t VALUES (?1, '第' || ?1 || '基层以上工会'");
  for (int c = 1; c <= kColumns; ++c) {
    create += QStringLiteral(", n%1 INTEGER").arg(c);
    insert += QStringLiteral(", (?1 * %1) % 97").arg(c);
  }
  sqlite3_exec(db, (create + ')').toUtf8().constData(), nullptr, nullptr, nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, (insert + ')').toUtf8().constData(), -1, &st, nullptr);
  for (int r = 1; r <= kRows; ++r) {
    sqlite3_bind_int(st, 1, r);
    sqlite3_step(st);
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return path;
}

struct Fixture {
  Fixture() {
    db.SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Mode=ReadWrite;").arg(BuildDatabase(dir)));
    db.Open();
    query.SetSQL(QStringLiteral("SELECT * from t order by id asc"));
    source.SetDataSet(&query);
    grid = new fw::TDBGrid(&form);
    grid->SetParent(&form);
    grid->SetAlign(fw::TAlign::alClient);
    grid->SetOptions(grid->Options() | fw::dgRowSelect | fw::dgMultiSelect | fw::dgAlwaysShowSelection);
    form.resize(1280, 800);
    form.Show();
  }
  QTemporaryDir dir;
  fw::TADOConnection db;
  fw::TADOQuery query{&db};
  fw::TDataSource source;
  fw::TForm form{nullptr};
  fw::TDBGrid* grid = nullptr;
};

// Made on first use and freed before the application object goes.
std::unique_ptr<Fixture> g_fixture;

Fixture& Shared() {
  if (!g_fixture) g_fixture = std::make_unique<Fixture>();
  return *g_fixture;
}

void BM_GridOpen(benchmark::State& state) {
  Fixture& f = Shared();
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    f.grid->SetDataSource(nullptr);
    f.query.Close();
    f.grid->SetDataSource(&f.source);
    f.query.Open();
    benchmark::DoNotOptimize(f.grid->View()->model()->rowCount());
  }
  fwbench::Require(state, f.query.RecordCount() == kRows, QStringLiteral("the grid's data set does not hold every row"));
  state.counters["rows"] = f.query.RecordCount();
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_GridOpen)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

void BM_GridPaintScreen(benchmark::State& state) {
  Fixture& f = Shared();
  if (!f.query.Active()) {
    f.grid->SetDataSource(&f.source);
    f.query.Open();
  }
  QWidget* viewport = f.grid->View()->viewport();
  QImage image(viewport->size(), QImage::Format_RGB32);
  QScrollBar* bar = f.grid->View()->verticalScrollBar();
  int step = 0;
  for (auto _ : state) {
    bar->setValue((step++ * 7919) % std::max(1, bar->maximum()));
    viewport->render(&image);
  }
  fwbench::Require(state, f.grid->VisibleRowCount() > 0, QStringLiteral("no row was painted"));
  state.counters["visible_rows"] = f.grid->VisibleRowCount();
}
BENCHMARK(BM_GridPaintScreen)->Unit(benchmark::kMillisecond);

// Runs last: the rows come back from a copy before each run and after the last.
void BM_DeleteMarkedRows(benchmark::State& state) {
  Fixture& f = Shared();
  fw::Hooks hooks;
  hooks.Question = [](const QString&, int) { return int(fw::IDYESTOALL); };
  const fw::Hooks previous = fw::InstallHooks(hooks);
  f.grid->SetDataSource(&f.source);
  f.db.Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS kept AS SELECT * FROM t"));
  auto putBack = [&f] {
    f.query.Close();
    f.db.Execute(QStringLiteral("INSERT OR IGNORE INTO t SELECT * FROM kept"));
    f.query.Open();
  };
  int deleted = 0;
  for (auto _ : state) {
    state.PauseTiming();
    putBack();
    for (int row = 0; row < kRows; ++row) f.grid->SelectedRows().SetRowSelected(row, true);
    state.ResumeTiming();
    deleted = fw::DeleteSelectedRecords(*f.grid, f.query, QStringLiteral("t"), QStringLiteral("id"));
  }
  fwbench::Require(state, deleted == kRows && f.query.IsEmpty(), QStringLiteral("not every marked row was deleted"));
  putBack();
  fw::InstallHooks(previous);
  state.counters["rows"] = deleted;
}
BENCHMARK(BM_DeleteMarkedRows)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv, [] { g_fixture.reset(); }); }
