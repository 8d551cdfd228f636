// The batch logic check over 100,000 generated records (FW_BENCH_RECORDS in the test
// suite's short run), beside the engine's eager read of the same records: reading the
// records of the check's query "select * from dt_data where c907<=2" forward, compiling
// the rules, checking every record, marking the states (clean records as passed) and
// writing the report. One record in ten breaks a rule and one in fifty breaks two more,
// so the report has some 16,000 entries. Also the parts: opening the query as a data set
// (what the check read before it read forward), and the rules alone over values in
// memory. And from the main window's record list with every row marked: the check of the
// marked records (检查选中数据的逻辑: their codes read from the list, the check, the list
// read again with its marks), beside the check of all records with the same list read
// again afterwards, as the batch check dialog does it. A run that does not check every
// record fails; peak memory is a counter.

#include "SurveyRecordGenerator.h"
#include "core/CompiledRules.h"
#include "core/LogicCheck.h"
#include "core/Progress.h"
#include "core/RuleExplain.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/Field.h"
#include "platform/ui/Application.h"
#include "platform/ui/DBGrid.h"
#include "windows/main/MainForm.h"
#include "windows/shared/GridProcedures.h"

#include "BenchSupport.h"
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const int kRecords = fwbench::Records();

void AppendRecords(fw::TADOConnection& db) {
  const QStringList columns = fwbench::GeneratedColumns();
  const int z001 = int(columns.indexOf("z001")), z003 = int(columns.indexOf("z003"));
  const int x002 = int(columns.indexOf("x002")), w008 = int(columns.indexOf("w008"));
  fw::TADOQuery insert(&db);
  insert.SetSQL(fwbench::InsertStatement());
  std::vector<QVariant> values;
  db.BeginTrans();
  for (int r = 0; r < kRecords; ++r) {
    fwbench::FillRecord(r, values);
    if (r % 10 == 0) values[size_t(z003)] = values[size_t(z001)].toInt() + 1;  // z003<=z001 broken
    if (r % 50 == 0) {
      values[size_t(x002)] = 100000;  // x002<=x001 and x002<=z002+z009 broken
      values[size_t(w008)] = 1000;    // w008<=w006 broken
    }
    fw::TParameters& p = insert.Parameters();
    for (int c = 0; c < static_cast<int>(values.size()); ++c) p[c].SetValue(values[size_t(c)]);
    insert.ExecSQL();
  }
  db.CommitTrans();
}

// A program folder like the built one (where the main window starts), its working
// database holding the records.
struct TBenchDatabase {
  TBenchDatabase() {
    // The report goes to the documents folder: a private one.
    qputenv("HOME", QFile::encodeName(dir.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
    for (QDirIterator it(QStringLiteral(FW_BUILT_PROGRAM_DIR), QDir::Files); it.hasNext();) {
      const QFileInfo info(it.next());
      if (info.fileName() != QLatin1String("fenwright")) QFile::copy(info.filePath(), dir.filePath(info.fileName()));
    }
    const QString path = dir.filePath(QString::fromLatin1(fw::kDefaultDatabaseName));
    db.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Mode=ReadWrite;");
    db.Open();
    AppendRecords(db);
    fw::DatabaseLabel = fw::kDefaultDatabaseLabel;
    fwbench::InstallAnsweringHooks();
  }
  QTemporaryDir dir;
  fw::TADOConnection db;
};

TBenchDatabase& Database() {
  static TBenchDatabase database;
  return database;
}

void BM_EngineEagerRead(benchmark::State& state) { fwbench::EngineEagerRead(state, Database().db, "dt_data"); }
BENCHMARK(BM_EngineEagerRead)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

// `resetStates` runs (untimed) before each check: it decides how many states change.
void BatchCheck(benchmark::State& state, const QString& resetStates) {
  fw::TADOConnection& db = Database().db;
  fwbench::ResetPeakRss();
  fw::TLogicCheckOutcome outcome;
  for (auto _ : state) {
    state.PauseTiming();
    db.Execute(resetStates);
    state.ResumeTiming();
    fw::TSilentProgress progress;
    outcome = fw::RunLogicCheck(db, QStringLiteral("select * from dt_data where c907<=2"), true, progress);
    fwbench::Require(state, !outcome.Failed && !outcome.Stopped && outcome.Checked == kRecords,
                     QStringLiteral("checked %1 of %2 records").arg(outcome.Checked).arg(kRecords));
  }
  state.counters["records"] = outcome.Checked;
  state.counters["failed"] = double(outcome.FailedUnits);
  state.counters["entries"] = double(outcome.ErrorCount);
  fwbench::ReportPeak(state);
}

// Records saved as passed before, of which the failing ones (one in ten) are now marked 2.
void BM_BatchCheck(benchmark::State& state) {
  BatchCheck(state, QStringLiteral("update dt_data set RecordState = 1"));
}
BENCHMARK(BM_BatchCheck)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

// Records held without a check (state 0): every record's state is written.
void BM_BatchCheckAllStatesChange(benchmark::State& state) {
  BatchCheck(state, QStringLiteral("update dt_data set RecordState = 0"));
}
BENCHMARK(BM_BatchCheckAllStatesChange)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

// The check's query opened as a data set: every value of the records held at once.
void BM_OpenCheckQuery(benchmark::State& state) {
  fw::TADOConnection& db = Database().db;
  fwbench::ResetPeakRss();
  int records = 0;
  for (auto _ : state) {
    fw::TADOQuery query(&db);
    query.SetSQL(QStringLiteral("select * from dt_data where c907<=2"));
    query.Open();
    records = query.RecordCount();
  }
  fwbench::Require(state, records == kRecords, QStringLiteral("opened %1 of %2 records").arg(records).arg(kRecords));
  state.counters["records"] = records;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_OpenCheckQuery)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

// The compiled rules over values already in memory, in blocks of 256 records as the
// check evaluates them: what the check spends on the rules themselves.
void BM_CompiledRulesOverRecords(benchmark::State& state) {
  constexpr int kBlock = 256;
  fw::TADOConnection& db = Database().db;
  fw::TADOQuery query(&db);
  query.SetSQL(QStringLiteral("select * from dt_data"));
  query.Open();
  fw::TRuleExplainer explainer(db);
  const fw::TCompiledRuleSet rules = fw::TCompiledRuleSet::Load(db, query.FieldNames(), explainer);
  const size_t slotCount = size_t(rules.SlotFields().size());
  std::vector<std::vector<double>> blocks;  // field by field within each block
  for (int start = 0; start < query.RecordCount(); start += kBlock) {
    const int n = std::min(kBlock, query.RecordCount() - start);
    std::vector<double>& block = blocks.emplace_back(slotCount * size_t(n));
    for (int r = 0; r < n; ++r, query.Next())
      for (size_t slot = 0; slot < slotCount; ++slot)
        block[slot * size_t(n) + size_t(r)] = query.FieldByName(rules.SlotFields()[int(slot)])->AsFloat();
  }
  std::vector<std::vector<fw::TBrokenRule>> broken;
  fw::TRuleBlockRoom room;
  qint64 failed = 0;
  for (auto _ : state) {
    failed = 0;
    for (const std::vector<double>& block : blocks) {
      rules.CheckBlock(block.data(), int(block.size() / slotCount), broken, room);
      for (const auto& list : broken) failed += !list.empty();
    }
  }
  fwbench::Require(state, failed > 0, QStringLiteral("no record broke a rule"));
  state.counters["failed"] = double(failed);
}
BENCHMARK(BM_CompiledRulesOverRecords)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

// The main window started on the records, its record list with every row marked.
struct TMarkedList {
  TMarkedList() {
    Database();
    qputenv("FENWRIGHT_REGISTRY_DIR", QFile::encodeName(registry.path()));
    qputenv("FENWRIGHT_NO_SPLASH", "1");
    application = std::make_unique<fw::TApplication>();
    application->SetProgramDir(Database().dir.path());
    application->CreateForm(main);
    fw::TBookmarkList& marks = main->RecordGrid->SelectedRows();
    for (int row = 0; row < main->Data().ReportQuery->RecordCount(); ++row) marks.SetRowSelected(row, true);
  }
  QTemporaryDir registry;
  std::unique_ptr<fw::TApplication> application;
  fw::TMainForm* main = nullptr;
};

std::unique_ptr<TMarkedList> g_list;

TMarkedList& MarkedList() {
  if (!g_list) g_list = std::make_unique<TMarkedList>();
  return *g_list;
}

// `check` runs on the list after the states are reset (untimed) to passed; the records
// that fail (one in ten) are then marked 2, and the list keeps every mark.
void CheckFromTheList(benchmark::State& state, const std::function<void(fw::TMainForm&)>& check) {
  TMarkedList& list = MarkedList();
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    state.PauseTiming();
    Database().db.Execute(QStringLiteral("update dt_data set RecordState = 1"));
    state.ResumeTiming();
    check(*list.main);
  }
  fw::TADOQuery failed(&Database().db);
  failed.SetSQL(QStringLiteral("select count(*) from dt_data where RecordState = 2"));
  failed.Open();
  const int marked = list.main->RecordGrid->SelectedRows().Count();
  fwbench::Require(state, failed.Fields(0)->AsInteger() == (kRecords + 9) / 10 && marked == kRecords,
                   QStringLiteral("%1 records failed, %2 marked").arg(failed.Fields(0)->AsInteger()).arg(marked));
  state.counters["marked"] = marked;
  fwbench::ReportPeak(state);
}

void BM_CheckMarkedRecords(benchmark::State& state) {
  CheckFromTheList(state, [](fw::TMainForm& main) { main.CheckSelectedRecords(); });
}
BENCHMARK(BM_CheckMarkedRecords)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

void BM_CheckAllRecordsFromTheList(benchmark::State& state) {
  CheckFromTheList(state, [](fw::TMainForm& main) {
    fw::TSilentProgress progress;
    const QString all = QStringLiteral("select * from dt_data where c907<=2");
    fw::RunLogicCheck(*main.Data().SysADOConnection, all, true, progress);
    fw::RequeryKeepingPlace(*main.Data().ReportQuery);
  });
}
BENCHMARK(BM_CheckAllRecordsFromTheList)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(5));

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv, [] { g_list.reset(); }); }
