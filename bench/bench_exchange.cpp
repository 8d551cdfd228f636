// Exchange-file figures over a working database of 100,000 generated records
// (FW_BENCH_RECORDS in the test suite's short run), beside the engine's eager read of the
// same records: writing the offline exchange file, importing it into an empty database,
// writing the upload file and writing a backup.
// Each runs the same function the main window calls, with hooks that answer the dialogs
// at once; a run that does not end with the function's success fails. Peak memory is a
// counter.

#include "BenchSupport.h"
#include "SurveyRecordGenerator.h"
#include "core/DatabaseMaintenance.h"
#include "core/OfflineExchange.h"
#include "core/Progress.h"
#include "core/SurveyModel.h"
#include "core/UploadExport.h"
#include "platform/db/AdoConnection.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace {

const int kRecords = fwbench::Records();

// The built program folder: build/bin beside build/bench.
QString BuiltProgramFolder() {
  return QDir(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + QStringLiteral("/../bin")).absolutePath();
}

void BindValue(sqlite3_stmt* statement, int index, const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::QString: {
    const QByteArray text = value.toString().toUtf8();
    sqlite3_bind_text(statement, index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    break;
  }
  case QMetaType::Double:
    sqlite3_bind_double(statement, index, value.toDouble());
    break;
  default:
    sqlite3_bind_int64(statement, index, value.toLongLong());
  }
}

void FillDatabase(const QString& path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, fwbench::InsertStatement().toUtf8().constData(), -1, &insert, nullptr);
  std::vector<QVariant> values;
  for (int i = 0; i < kRecords; ++i) {
    fwbench::FillRecord(i, values);
    for (size_t c = 0; c < values.size(); ++c) BindValue(insert, static_cast<int>(c) + 1, values[c]);
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

class NoUser : public fw::IMainConnectionUser {
public:
  void MainConnectionClosing() override {}
  void MainConnectionReopened() override {}
};

// A program folder with a full working database, the files the benchmarks write, and
// hooks that answer every dialog with them.
class ExchangeBench {
public:
  ExchangeBench() {
    const QString built = BuiltProgramFolder();
    for (const char* name : {fw::kDefaultDatabaseName, fw::kExchangeTemplateName})
      QFile::copy(built + "/" + name, Program(name));
    emptyDatabase_ = folder_.filePath(QStringLiteral("empty.mdb"));
    QFile::copy(Program(fw::kDefaultDatabaseName), emptyDatabase_);
    FillDatabase(Program(fw::kDefaultDatabaseName));
    fw::SetProgramFolder(folder_.path());
    fw::DatabasePath = Program(fw::kDefaultDatabaseName);
    fw::DatabaseLabel = QStringLiteral("基准单位");
    Open(main, fw::DatabasePath);

    fwbench::InstallAnsweringHooks([this] { return saveAs_; });
    // The unit named when the exchange file asks for it.
    fw::CurrentHooks().InputBox = [](const QString&, const QString&, QString& value) {
      value = QStringLiteral("基准单位");
      return true;
    };
  }

  QString Program(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }
  QString Output(const QString& name) const { return folder_.filePath(name); }
  void SaveAs(const QString& name) { saveAs_ = name; }

  // A fresh empty working database at path, open on target.
  void FreshEmptyDatabase(fw::TADOConnection& target, const QString& path) {
    target.Close();
    QFile::remove(path);
    QFile::copy(emptyDatabase_, path);
    Open(target, path);
  }

  static void Open(fw::TADOConnection& connection, const QString& path) {
    connection.SetConnectionString(fw::WorkingConnectionString(path));
    connection.Open();
  }

  fw::TADOConnection main;

private:
  QTemporaryDir folder_;
  QString emptyDatabase_;
  QString saveAs_;
};

std::unique_ptr<ExchangeBench> g_bench;

ExchangeBench& Bench() {
  if (!g_bench) g_bench = std::make_unique<ExchangeBench>();
  return *g_bench;
}

void BM_EngineEagerRead(benchmark::State& state) { fwbench::EngineEagerRead(state, Bench().main, "dt_data"); }
BENCHMARK(BM_EngineEagerRead)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

void BM_ExportOfflineDat(benchmark::State& state) {
  ExchangeBench& bench = Bench();
  bench.SaveAs(bench.Output(QStringLiteral("offline.dat")));
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    fw::ExportOfflineDat(bench.main);
    fwbench::RequireMessage(state, QStringLiteral("数据已经被正确导出到"));
  }
  state.counters["records"] = kRecords;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_ExportOfflineDat)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

void BM_ImportOfflineFile(benchmark::State& state) {
  ExchangeBench& bench = Bench();
  const QString file = bench.Output(QStringLiteral("import.dat"));
  bench.SaveAs(file);
  fw::ExportOfflineDat(bench.main);
  const QString targetPath = bench.Output(QStringLiteral("target.mdb"));
  fw::TADOConnection target;
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    state.PauseTiming();
    bench.FreshEmptyDatabase(target, targetPath);
    fw::DatabasePath = targetPath;
    state.ResumeTiming();
    const fw::TImportOutcome outcome = fw::ImportOfflineFile(target, file, [](const QString&) { return true; });
    fwbench::Require(state, outcome.Result == fw::TImportResult::Imported,
                     QStringLiteral("the import failed: %1").arg(fwbench::LastMessage()));
  }
  fw::DatabasePath = bench.Program(fw::kDefaultDatabaseName);
  state.counters["records"] = kRecords;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_ImportOfflineFile)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

void BM_ExportUploadFile(benchmark::State& state) {
  ExchangeBench& bench = Bench();
  bench.SaveAs(bench.Output(QStringLiteral("upload.dat")));
  fw::TSilentProgress progress;
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    fw::ExportUploadFile(bench.main, progress);
    fwbench::RequireMessage(state, QStringLiteral("导出上报数据成功"));
  }
  state.counters["records"] = kRecords;
  state.counters["file_MB"] = QFileInfo(bench.Output(QStringLiteral("upload.dat"))).size() / 1048576.0;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_ExportUploadFile)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

void BM_BackupDatabase(benchmark::State& state) {
  ExchangeBench& bench = Bench();
  bench.SaveAs(bench.Output(QStringLiteral("backup.mdb")));
  NoUser user;
  fwbench::ResetPeakRss();
  for (auto _ : state) {
    fw::BackupDatabase(bench.main, user);
    fwbench::RequireMessage(state, QStringLiteral("备份成功"));
  }
  state.counters["records"] = kRecords;
  state.counters["file_MB"] = QFileInfo(bench.Output(QStringLiteral("backup.mdb"))).size() / 1048576.0;
  fwbench::ReportPeak(state);
}
BENCHMARK(BM_BackupDatabase)->Unit(benchmark::kMillisecond)->Iterations(fwbench::Runs(3));

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv, [] { g_bench.reset(); }); }
