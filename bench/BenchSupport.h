#pragma once
// What every benchmark shares: the number of records to run on, peak memory, hooks that
// answer every question at once, failures that fail the run, the engine's eager read to
// compare with, and the main.
//
// The record count is 100,000 (an office's whole return) unless FW_BENCH_RECORDS names
// another: the test suite runs every benchmark once on a small count, so that one that
// no longer completes breaks the build rather than rotting unnoticed.

#include <QString>
#include <QStringList>
#include <functional>

namespace benchmark {
class State;
}

namespace fw {
class TADOConnection;
}

namespace fwbench {

// The records a benchmark runs on: FW_BENCH_RECORDS, else `full`.
int Records(int full = 100000);
// Whether the run is the test suite's short one (FW_BENCH_RECORDS given).
bool SmokeRun();
// Fixed repetitions: `runs`, or one in the short run.
int Runs(int runs);

// Resets the peak resident set size, so that the next reading covers only what follows.
void ResetPeakRss();
// The peak resident set size in MiB since the last reset.
double PeakRssMb();
// Sets the counter "peak_MB" of the benchmark to the peak since the last reset.
void ReportPeak(benchmark::State& state);

// Ends the benchmark as failed with the reason; the program then exits with 1.
void Fail(benchmark::State& state, const QString& reason);
// Fails unless `done`.
void Require(benchmark::State& state, bool done, const QString& reason);

// Hooks that answer everything at once: every question with Yes (or OK), every input box
// with its proposal, every save dialog with `saveAs()`, opening a file succeeds without
// opening anything; each message is kept (Messages(), LastMessage()).
void InstallAnsweringHooks(const std::function<QString()>& saveAs = {});
QStringList Messages();
QString LastMessage();
void ClearMessages();
// The files "opened with the default program".
QStringList Opened();
// Fails unless the last message starts with `expected`.
void RequireMessage(benchmark::State& state, const QString& expected);

// The engine's own eager read, the yardstick of the long runs: every column of every row
// of the table read straight from the database engine, one statement step at a time.
// Reports the rows and values read and the peak memory.
void EngineEagerRead(benchmark::State& state, fw::TADOConnection& connection, const QString& table);

// Runs the benchmarks inside a QApplication on the offscreen platform (unless another is
// set); cleanUp runs before the application object goes. Returns 1 when a benchmark
// failed, else 0.
int RunBenchmarks(int argc, char** argv, const std::function<void()>& cleanUp = {});

} // namespace fwbench
