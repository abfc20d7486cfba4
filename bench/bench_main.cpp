#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>

// Google Benchmark's main inside a QGuiApplication on the offscreen platform, since the
// text stage needs fonts.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
