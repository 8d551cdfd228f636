#pragma once
// Peak memory of the running benchmark, read from /proc/self/status.

namespace fwbench {

// Resets the peak resident set size, so that the next reading covers only what follows.
void ResetPeakRss();
// The peak resident set size in MiB since the last reset.
double PeakRssMb();

} // namespace fwbench
