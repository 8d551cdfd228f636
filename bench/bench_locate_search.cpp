// Locate and search figures over 100,000 generated records: the locate dialog finding a
// record by a part of its name and moving the record list (open on view_data, as the
// main window holds it) to it; the code-range search whose 10,000 records are opened
// from view_data and painted in a record list the size of the query list.

#include "SurveyRecordGenerator.h"

#include "controls/common/FwNumericEdit.h"
#include "core/SearchConditions.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DataSource.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/DBGrid.h"
#include "windows/dialogs/LocateForm.h"
#include "windows/dialogs/SearchForm.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/VKValidEdit.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {

constexpr int kRecords = 100000;

// A private copy of the shipped database filled with the generated records, and the
// record list open on it.
struct TFindBench {
  TFindBench() {
    QFile::copy(QStringLiteral(FW_BUILT_PROGRAM_DIR "/2014NB_qz.mdb"), dir.filePath(QStringLiteral("2014NB_qz.mdb")));
    fw::SetProgramFolder(dir.path());
    fw::Hooks hooks = fw::CurrentHooks();
    hooks.MessageBox = [this](const QString& text, const QString&, int) {
      messages << text;
      return fw::IDOK;
    };
    fw::InstallHooks(hooks);
    connection.SetConnectionString(QStringLiteral("Data Source=") + dir.filePath(QStringLiteral("2014NB_qz.mdb")));
    connection.Open();
    fwbench::AppendRecords(connection, kRecords);
    records.SetSQL(QStringLiteral("SELECT *  from view_data order by c901 asc"));
    records.Open();
  }
  QTemporaryDir dir;
  fw::TADOConnection connection;
  fw::TADOQuery records{&connection};
  QStringList messages;
};

std::unique_ptr<TFindBench> g_bench;

TFindBench& Shared() {
  if (!g_bench) g_bench = std::make_unique<TFindBench>();
  return *g_bench;
}

// One record near the end of the list, found by a part of its name.
void BM_LocateByName(benchmark::State& state) {
  TFindBench& bench = Shared();
  std::unique_ptr<fw::TdlgLocateForm> form(
      fw::NewForm<fw::TdlgLocateForm>(nullptr, &bench.connection, &bench.records));
  form->c902->SetText(QStringLiteral("第99990基"));
  for (auto _ : state) {
    bench.records.First();
    form->SetModalResult(fw::mrNone);
    form->tbSumClick();
  }
  if (form->ModalResult() != fw::mrOk || bench.records.FieldByName(QStringLiteral("c901"))->AsLargeInt() != 110000099989LL)
    state.SkipWithError("the record was not found");
}
BENCHMARK(BM_LocateByName)->Unit(benchmark::kMillisecond);

// 查  找 with a range of 10,000 codes: the condition, its records opened from view_data
// and one screen of them painted in a list of the query list's size.
void BM_SearchShownInList(benchmark::State& state) {
  TFindBench& bench = Shared();
  fw::TForm list(nullptr);
  list.SetClientWidth(915);
  list.SetClientHeight(412);
  fw::TADOQuery found(&bench.connection);
  fw::TDataSource source(&found);
  auto* grid = new fw::TDBGrid(&list);
  grid->SetParent(&list);
  grid->SetAlign(fw::TAlign::alClient);
  grid->SetDataSource(&source);
  list.Show();
  std::unique_ptr<fw::TdlgSearchForm> form(fw::NewForm<fw::TdlgSearchForm>(nullptr));
  form->Show();
  fw::SetCode(form->lc1, fw::SearchOperators(), 4);
  fw::SetCode(form->lc3, fw::SearchOperators(), 3);
  form->number1->SetText(QStringLiteral("110000050000"));
  form->number2->SetText(QStringLiteral("110000060000"));
  int shown = 0;
  form->RunQueryList = [&](const QString& where) {
    found.Close();
    found.SetSQL(QStringLiteral("SELECT * from view_data ") + where + QStringLiteral(" order by c901 asc"));
    found.Open();
    shown = found.RecordCount();
    list.grab();
  };
  for (auto _ : state) form->tbSumClick();
  if (shown != 10000) state.SkipWithError("the search did not find 10,000 records");
  grid->SetDataSource(nullptr);
}
BENCHMARK(BM_SearchShownInList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_bench.reset();
  return 0;
}
