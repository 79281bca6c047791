// chart-bench: how long painting a chart of three 20 000-point distillation-like curves
// into an 800 x 500 image takes, through QPainter and through the logic alone.
//
//   chart-bench [benchmark options]
//   chart-bench --png FILE      writes the picture painted, to compare versions' pixels
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/qt/chart_png.h"
#include "chart/qt/qpainter_canvas.h"

namespace {

using namespace p528;

constexpr int kPoints = 20000;

// Three curves, percent off against temperature, with a little noise so that most points
// map to pixels of their own.
struct Curves {
  std::vector<double> t[3], percent[3];
  Curves() {
    for (int k = 0; k < 3; ++k) {
      for (int i = 0; i < kPoints; ++i) {
        const double p = 100.0 * i / (kPoints - 1);
        percent[k].push_back(p);
        t[k].push_back(120 + 3.3 * p + 35 * std::sin(p / 31.8) + 4.0 * k + 0.3 * std::sin(i * 1.7));
      }
    }
  }
};

void SetUp(CChart& chart, Curves& curves) {
  chart.GridFlags = GridVertical | GridHorizontal;
  chart.CaptionColour = 0xFF0000;
  chart.SetXCaption("t, °C");
  chart.SetYCaption("Доля отгона, %");
  const COLORREF colours[] = {0x0808FC, 0xFC0808, 0x08FC08};
  for (int k = 0; k < 3; ++k) {
    CAutoSeries s;
    s.Colour = colours[k];
    chart.AddSeries(s);
    chart.SetSeriesData(k, curves.t[k].data(), curves.percent[k].data(), kPoints);
  }
}

void BM_PaintImage(benchmark::State& state) {
  Curves curves;
  CChart chart;
  SetUp(chart, curves);
  QImage image(800, 500, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    chart.PaintTo(canvas, PixelRect{0, 0, 800, 500}, state.range(0) != 0);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintImage)->Arg(0)->Arg(1)->ArgName("buffered")->Unit(benchmark::kMillisecond);

void BM_RenderPng(benchmark::State& state) {
  Curves curves;
  CChart chart;
  SetUp(chart, curves);
  for (auto _ : state) benchmark::DoNotOptimize(RenderChartPng(chart, 800, 500));
}
BENCHMARK(BM_RenderPng)->Unit(benchmark::kMillisecond);

// A canvas that draws nothing: the cost of ranges, layout, mapping and clipping alone.
class NullCanvas : public Canvas {
 public:
  void FillRect(const PixelRect&, COLORREF) override {}
  void Rectangle(const PixelRect&, const Pen&, const Brush&) override {}
  void MoveTo(PixelPoint) override {}
  void LineTo(PixelPoint, const Pen&) override { ++lines; }
  void Ellipse(const PixelRect&, const Pen&, const Brush&) override {}
  void DrawText(PixelPoint, std::string_view, TextAlign, const FontSpec&, COLORREF) override {}
  TextSize MeasureText(std::string_view text, const FontSpec& font) override {
    return TextSize{static_cast<int>(text.size()) * font.height / 2, font.height};
  }
  FontMetrics MeasureFont(const FontSpec& font) override {
    return FontMetrics{font.height, font.height * 5 / 6, font.height / 2};
  }
  std::unique_ptr<Canvas> CreateOffscreen(int, int) override { return nullptr; }
  void CopyFrom(Canvas&, PixelPoint) override {}
  void InvertOutline(const PixelRect&) override {}
  long lines = 0;
};

void BM_PaintLogicOnly(benchmark::State& state) {
  Curves curves;
  CChart chart;
  SetUp(chart, curves);
  NullCanvas canvas;
  for (auto _ : state) chart.PaintTo(canvas, PixelRect{0, 0, 800, 500}, false);
  state.counters["lines"] =
      benchmark::Counter(static_cast<double>(canvas.lines), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PaintLogicOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QGuiApplication app(argc, argv);  // text drawing needs it
  // chart-bench --png FILE: writes the benchmark's picture instead, to compare the pixels
  // of two versions.
  if (argc == 3 && std::string(argv[1]) == "--png") {
    Curves curves;
    CChart chart;
    SetUp(chart, curves);
    return RenderChartImage(chart, 800, 500).save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
