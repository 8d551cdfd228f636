#include "BenchSupport.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace fwbench {

void ResetPeakRss() { std::ofstream("/proc/self/clear_refs") << "5"; }

double PeakRssMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

int RunWidgetBenchmarks(int argc, char** argv, const std::function<void()>& cleanUp) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (cleanUp) cleanUp();
  return 0;
}

} // namespace fwbench
