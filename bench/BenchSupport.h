#pragma once
// Peak memory of the running benchmark, read from /proc/self/status, and the main of
// benchmarks that build widgets.

#include <functional>

namespace fwbench {

// Resets the peak resident set size, so that the next reading covers only what follows.
void ResetPeakRss();
// The peak resident set size in MiB since the last reset.
double PeakRssMb();

// Runs the benchmarks inside a QApplication on the offscreen platform (unless another
// is set); cleanUp runs before the application object goes. Returns the exit status.
int RunWidgetBenchmarks(int argc, char** argv, const std::function<void()>& cleanUp = {});

} // namespace fwbench
