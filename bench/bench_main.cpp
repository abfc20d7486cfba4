#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

// Google Benchmark's main inside a QApplication on the offscreen platform: the text stage
// needs fonts, and the window benchmark widgets.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
