// Locate and search figures over 100,000 generated records (FW_BENCH_RECORDS in the test
// suite's short run): the locate dialog finding a record near the end by a part of its
// name and moving the record list (open on view_data, as the main window holds it) to
// it; the code-range search whose tenth of the records is shown in the query list (the
// condition, the list's two queries, its columns and count, one painted screen). A run
// that does not find them fails.

#include "BenchSupport.h"
#include "SurveyRecordGenerator.h"

#include "controls/common/FwNumericEdit.h"
#include "core/SearchConditions.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "windows/dialogs/LocateForm.h"
#include "windows/dialogs/QueryListForm.h"
#include "windows/dialogs/SearchForm.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/VKValidEdit.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {

const int kRecords = fwbench::Records();

// A private copy of the shipped database filled with the generated records, open as the
// main data with the record list.
struct TFindBench {
  TFindBench() {
    QFile::copy(QStringLiteral(FW_BUILT_PROGRAM_DIR "/2014NB_qz.mdb"), dir.filePath(QStringLiteral("2014NB_qz.mdb")));
    fw::SetProgramFolder(dir.path());
    fwbench::InstallAnsweringHooks();
    data.SysADOConnection->SetConnectionString(QStringLiteral("Data Source=") +
                                               dir.filePath(QStringLiteral("2014NB_qz.mdb")));
    data.SysADOConnection->Open();
    fwbench::AppendRecords(*data.SysADOConnection, kRecords);
    data.ReportQuery->Open();
  }
  QTemporaryDir dir;
  fw::TMainData data;
};

std::unique_ptr<TFindBench> g_bench;

TFindBench& Shared() {
  if (!g_bench) g_bench = std::make_unique<TFindBench>();
  return *g_bench;
}

// The record eleventh from the end of the list ("第<n-10>基层以上工会"), found by a part of
// its name.
void BM_LocateByName(benchmark::State& state) {
  TFindBench& bench = Shared();
  std::unique_ptr<fw::TdlgLocateForm> form(
      fw::NewForm<fw::TdlgLocateForm>(nullptr, bench.data.SysADOConnection.get(), bench.data.ReportQuery.get()));
  form->c902->SetText(QStringLiteral("第%1基").arg(kRecords - 10));
  fw::TADOQuery& records = *bench.data.ReportQuery;
  for (auto _ : state) {
    records.First();
    form->SetModalResult(fw::mrNone);
    form->tbSumClick();
  }
  fwbench::Require(state,
                   form->ModalResult() == fw::mrOk &&
                       records.FieldByName(QStringLiteral("c901"))->AsLargeInt() == 110000000000LL + kRecords - 11,
                   QStringLiteral("the record was not found"));
}
BENCHMARK(BM_LocateByName)->Unit(benchmark::kMillisecond);

// 查  找 with a range of a tenth of the codes, its records shown in the query list.
void BM_SearchShownInList(benchmark::State& state) {
  Shared();
  std::unique_ptr<fw::TdlgQueryListForm> list(fw::NewForm<fw::TdlgQueryListForm>(nullptr));
  std::unique_ptr<fw::TdlgSearchForm> form(fw::NewForm<fw::TdlgSearchForm>(nullptr));
  form->Show();
  fw::SetCode(form->lc1, fw::SearchOperators(), 4);
  fw::SetCode(form->lc3, fw::SearchOperators(), 3);
  form->number1->SetText(QString::number(110000000000LL + kRecords / 2));
  form->number2->SetText(QString::number(110000000000LL + kRecords / 2 + kRecords / 10));
  int shown = 0;
  form->RunQueryList = [&](const QString& where) {
    list->RunQueryList(where);
    list->Show();
    list->grab();
    shown = list->ReportQuery->RecordCount();
    list->Hide();
  };
  for (auto _ : state) form->tbSumClick();
  fwbench::Require(state, shown == kRecords / 10,
                   QStringLiteral("the search found %1 records, not %2").arg(shown).arg(kRecords / 10));
}
BENCHMARK(BM_SearchShownInList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv, [] { g_bench.reset(); }); }
