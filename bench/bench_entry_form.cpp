// The entry form on a database of 100,000 generated survey records (FW_BENCH_RECORDS in
// the test suite's short run), with the record
// list's query "SELECT *  from view_data order by c901 asc" as its source and the page
// rule engine: opening the form on a record in the middle of the list (the source set,
// the form shown and the record loaded), saving the record after a change (cover check,
// the rules of all twelve pages, the store in one transaction, the cover defaults
// remembered), and moving to the next record. Every question is answered; a run that
// does not load, save or move fails.

#include "BenchSupport.h"
#include "SurveyRecordGenerator.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolButton.h"
#include "core/PageRules.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/Action.h"
#include "windows/entry/SurveyDataForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const int kRecords = fwbench::Records();

// A message list that only counts.
class CountingList : public fw::IMessageList {
public:
  void ClearMessageList() override { rows = 0; }
  void AddMessage(const QString&, const QString&, const QString&, int) override { ++rows; }
  bool IsMessageListEmpty() const override { return rows == 0; }
  void ShowMessageList() override {}
  void HideMessageList() override {}
  bool JumpInProgress() const override { return false; }
  int rows = 0;
};

struct Fixture {
  Fixture() {
    registry.setAutoRemove(true);
    qputenv("FENWRIGHT_REGISTRY_DIR", QFile::encodeName(registry.path()));
    fwbench::InstallAnsweringHooks();
    fw::SetProgramFolder(QStringLiteral(FW_BUILT_PROGRAM_DIR));
    const QString path = dir.filePath(QStringLiteral("survey.mdb"));
    QFile::copy(QStringLiteral(FW_BUILT_PROGRAM_DIR "/") + fw::kDefaultDatabaseName, path);
    db.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Mode=ReadWrite;");
    db.Open();
    fwbench::AppendRecords(db, kRecords);
    source = std::make_unique<fw::TADOQuery>(&db);
    source->SetSQL(QStringLiteral("SELECT *  from view_data order by c901 asc"));
    source->Open();
    form = std::make_unique<fw::TdlgSurveyDataForm>(nullptr);
    rules = std::make_unique<fw::TPageRuleEngine>(db, *form, messages);
    form->SetMessageList(&messages);
    form->SetRuleChecker(rules.get());
  }

  // Opens the form in modify mode on the source's current record.
  void Open() {
    form->IsAddNew = false;
    form->CurrentCode = source->FieldByName(QStringLiteral("c901"))->AsFloat();
    form->SetSourceDataset(source.get());
    form->Show();
  }

  void Close() {
    form->tbSave->SetEnabled(false);
    form->Hide();
  }

  QTemporaryDir dir;
  QTemporaryDir registry;
  fw::TADOConnection db;
  std::unique_ptr<fw::TADOQuery> source;
  std::unique_ptr<fw::TdlgSurveyDataForm> form;
  CountingList messages;
  std::unique_ptr<fw::TPageRuleEngine> rules;
};

std::unique_ptr<Fixture> shared;

Fixture& Shared() {
  if (!shared) shared = std::make_unique<Fixture>();
  return *shared;
}

void BM_OpenFormOnRecord(benchmark::State& state) {
  Fixture& f = Shared();
  f.source->SetRecNo(kRecords / 2);
  const double code = f.source->FieldByName(QStringLiteral("c901"))->AsFloat();
  for (auto _ : state) {
    f.Open();
    state.PauseTiming();
    fwbench::Require(state, f.form->Loaded && f.form->LoadedCode == code, QStringLiteral("the record was not loaded"));
    f.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenFormOnRecord)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(20));

void BM_SaveRecord(benchmark::State& state) {
  Fixture& f = Shared();
  f.source->SetRecNo(kRecords / 2 + 1);
  f.Open();
  int value = 1;
  for (auto _ : state) {
    state.PauseTiming();
    f.form->NumericEditor(QStringLiteral("z001"))->SetValue(1000 + value++);
    state.ResumeTiming();
    fwbench::Require(state, f.form->tbSaveClick(f.form->tbSave), QStringLiteral("the record was not saved"));
  }
  state.counters["broken_rules"] = f.messages.rows;
  f.Close();
}
BENCHMARK(BM_SaveRecord)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(20));

void BM_NextRecord(benchmark::State& state) {
  Fixture& f = Shared();
  f.source->SetRecNo(kRecords / 4);
  f.Open();
  int moves = 0;
  for (auto _ : state) {
    f.form->actNext->Execute();
    ++moves;
  }
  fwbench::Require(state, f.source->RecNo() == kRecords / 4 + moves, QStringLiteral("the form did not move on"));
  f.Close();
}
BENCHMARK(BM_NextRecord)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(50));

} // namespace

// The form and the database go before the application object.
int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv, [] { shared.reset(); }); }
