// Time of one TGauge::Paint on a 400 x 400 gauge with its percentage shown:
// three control-sized images composed and copied per paint.
//
// Runs on the off-screen platform: build/bench/gauge_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "Gauges/Gauges.h"

namespace {

// Exposes Paint and gives it a target image, as the parent's paint would.
class TBenchGauge : public TGauge {
 public:
  TBenchGauge() : TGauge(nullptr) {}
  void PaintInto(QImage& image) {
    Canvas()->Attach(&image);
    Paint();
    Canvas()->Detach();
  }
};

void BM_GaugePaint(benchmark::State& state, TGaugeKind kind, bool framed) {
  TBenchGauge gauge;
  gauge.SetBounds(0, 0, 400, 400);
  gauge.SetKind(kind);
  gauge.SetRealOneStyle(framed);
  gauge.SetShowPercent(true);
  gauge.SetProgress(63);
  QImage image(400, 400, QImage::Format_RGB32);
  for (auto _ : state) {
    gauge.PaintInto(image);
    benchmark::DoNotOptimize(image.constBits());
  }
}

BENCHMARK_CAPTURE(BM_GaugePaint, HorizontalBar, gkHorizontalBar, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GaugePaint, FramedBar, gkHorizontalBar, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GaugePaint, Pie, gkPie, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GaugePaint, Needle, gkNeedle, false)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
