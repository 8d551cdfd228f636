#include "BenchSupport.h"

#include "platform/db/AdoConnection.h"
#include "platform/shell/Hooks.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace fwbench {

namespace {

bool g_failed = false;
QStringList g_messages;
QStringList g_opened;

} // namespace

int Records(int full) {
  bool ok = false;
  const int given = qEnvironmentVariableIntValue("FW_BENCH_RECORDS", &ok);
  return ok && given > 0 ? given : full;
}

bool SmokeRun() { return !qEnvironmentVariableIsEmpty("FW_BENCH_RECORDS"); }

int Runs(int runs) { return SmokeRun() ? 1 : runs; }

void ResetPeakRss() { std::ofstream("/proc/self/clear_refs") << "5"; }

double PeakRssMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

void ReportPeak(benchmark::State& state) { state.counters["peak_MB"] = PeakRssMb(); }

void Fail(benchmark::State& state, const QString& reason) {
  g_failed = true;
  const std::string text = reason.isEmpty() ? std::string("the run did not complete") : reason.toStdString();
  std::fprintf(stderr, "FAILED: %s\n", text.c_str());
  state.SkipWithError(text.c_str());
}

void Require(benchmark::State& state, bool done, const QString& reason) {
  if (!done) Fail(state, reason);
}

void InstallAnsweringHooks(const std::function<QString()>& saveAs) {
  fw::Hooks hooks = fw::CurrentHooks();
  hooks.MessageBox = [](const QString& text, const QString&, int flags) {
    g_messages << text;
    const int buttons = flags & 0xF;
    return buttons == fw::MB_YESNO || buttons == fw::MB_YESNOCANCEL ? int(fw::IDYES) : int(fw::IDOK);
  };
  hooks.Question = [](const QString& text, int) {
    g_messages << text;
    return int(fw::IDYES);
  };
  hooks.InputBox = [](const QString&, const QString&, QString&) { return true; };
  hooks.SaveFileDialog = [saveAs](const fw::FileDialogRequest& request) {
    return fw::FileDialogResult{true, saveAs ? saveAs() : request.FileName, 1};
  };
  hooks.OpenWithDefault = [](const QString& path) {
    g_opened << path;
    return true;
  };
  hooks.Beep = [] {};
  fw::InstallHooks(hooks);
}

QStringList Messages() { return g_messages; }
QString LastMessage() { return g_messages.isEmpty() ? QString() : g_messages.last(); }
void ClearMessages() { g_messages.clear(); }
QStringList Opened() { return g_opened; }

void RequireMessage(benchmark::State& state, const QString& expected) {
  if (!LastMessage().startsWith(expected))
    Fail(state, QStringLiteral("expected the message “%1”, got “%2”").arg(expected, LastMessage()));
}

void EngineEagerRead(benchmark::State& state, fw::TADOConnection& connection, const QString& table) {
  ResetPeakRss();
  qint64 rows = 0, values = 0;
  double sum = 0;
  for (auto _ : state) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = "SELECT * FROM " + table.toUtf8();
    if (sqlite3_prepare_v2(connection.Handle(), sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
      Fail(state, QString::fromUtf8(sqlite3_errmsg(connection.Handle())));
      break;
    }
    rows = values = 0;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
      ++rows;
      for (int c = 0; c < columns; ++c, ++values) {
        switch (sqlite3_column_type(statement, c)) {
        case SQLITE_INTEGER: sum += double(sqlite3_column_int64(statement, c)); break;
        case SQLITE_FLOAT: sum += sqlite3_column_double(statement, c); break;
        case SQLITE_NULL: break;
        default: sum += sqlite3_column_bytes(statement, c); break;
        }
      }
    }
    sqlite3_finalize(statement);
  }
  benchmark::DoNotOptimize(sum);
  Require(state, rows > 0, QStringLiteral("the table had no rows"));
  state.counters["records"] = double(rows);
  state.counters["values"] = double(values);
  ReportPeak(state);
}

int RunBenchmarks(int argc, char** argv, const std::function<void()>& cleanUp) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (cleanUp) cleanUp();
  return g_failed ? 1 : 0;
}

} // namespace fwbench
