// chart-pictures: draws typical charts of the system into PNG files, to look at them.
//
//   chart-pictures [output-folder]
//
// Writes calibration.png (a retention-time/boiling-point curve with its points),
// distillation.png (three distillation curves), styles.png (smooth curves, bands and
// leader markers), cleared.png (the calibration chart without a curve), empty.png (curves
// without points) and small.png (a chart too small for its plot). Runs without a display
// (offscreen platform).
#include <QFile>
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "chart/qt/chart_png.h"

namespace {

using namespace p528;

bool Save(CAutoPanel& chart, int width, int height, const std::string& path) {
  const std::vector<unsigned char> png = RenderChartPng(chart, width, height);
  QFile file(QString::fromStdString(path));
  if (png.empty() || !file.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "chart-pictures: cannot write %s\n", path.c_str());
    return false;
  }
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<qint64>(png.size()));
  std::printf("%s (%d x %d, %zu bytes)\n", path.c_str(), width, height, png.size());
  return true;
}

CAutoSeries Line(COLORREF colour) {
  CAutoSeries s;
  s.Colour = colour;
  s.LineMode = LinePolyline;
  s.MarkerStyle = MarkerNone;
  return s;
}

// Page settings of the result charts: both grids, blue captions, no zoom.
void PageStyle(CChart& chart) {
  chart.GridFlags = GridVertical | GridHorizontal;
  chart.CaptionColour = 0xFF0000;
  chart.ZoomEnabled = false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::puts(
        "usage: chart-pictures [FOLDER]\nDraws the result charts as PNG pictures into FOLDER (default .).");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("chart-pictures " PLUG528_VERSION);
    return 0;
  }
  if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QGuiApplication app(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : ".";
  bool ok = true;

  // Calibration: n-paraffins C1..C40, retention time against boiling point.
  const double boiling[] = {-161.5, -88.6, -42.1, -0.5,  36.1,  68.7,  98.4,  125.7, 150.8, 174.1,
                            195.9,  216.3, 235.4, 253.5, 270.6, 286.8, 302.0, 316.3, 329.9, 343.0,
                            356.5,  368.6, 380.0, 391.3, 401.9, 412.2, 422.2, 431.6, 440.8, 449.7,
                            458.0,  466.0, 474.0, 481.0, 489.0, 496.0, 503.0, 509.0, 516.0, 522.0};
  std::vector<double> times, temps;
  for (int i = 0; i < 40; ++i) {
    times.push_back(0.4 + 44.0 * (1 - std::exp(-i / 14.0)) + (i < 4 ? i * 0.15 : 0));
    temps.push_back(boiling[i]);
  }
  CChart calibration;
  PageStyle(calibration);
  calibration.SetXCaption("T, мин");
  calibration.SetYCaption("t, °C");
  calibration.AddSeries(Line(0x0808FC));
  CAutoSeries points;
  points.Colour = 0xFC0808;
  points.LineMode = LineNone;
  points.MarkerStyle = MarkerCircle;
  points.MarkerSize = 3;
  calibration.AddSeries(points);
  calibration.SetSeriesData(0, times.data(), temps.data(), static_cast<int>(times.size()));
  calibration.SetSeriesData(1, times.data(), temps.data(), static_cast<int>(times.size()));
  ok &= Save(calibration, 520, 360, folder + "/calibration.png");

  // Distillation: three parallel analyses, percent off against temperature.
  std::vector<double> t[3], percent[3];
  for (int k = 0; k < 3; ++k) {
    for (int i = 0; i <= 100; ++i) {
      const double p = i;
      percent[k].push_back(p);
      t[k].push_back(150 + 3.1 * p + 40 * std::sin(p / 100 * 3.14159) + 6.0 * k -
                     (p > 95 ? (p - 95) * 2.0 * k : 0));
    }
  }
  CChart distillation;
  PageStyle(distillation);
  distillation.SetXCaption("t, °C");
  distillation.SetYCaption("Доля отгона, %");
  const COLORREF colours[] = {0x0808FC, 0xFC0808, 0x08FC08};
  for (int k = 0; k < 3; ++k) {
    distillation.AddSeries(Line(colours[k]));
    distillation.SetSeriesData(k, t[k].data(), percent[k].data(), static_cast<int>(t[k].size()));
  }
  ok &= Save(distillation, 640, 420, folder + "/distillation.png");

  // Styles that no page uses: smooth curves, bands, leader markers, a fixed range that
  // clips the curve.
  const double sx[] = {0, 1, 2, 3, 4, 5, 6};
  const double sy[] = {1, 3, 2, 5, 4, 6, 5.5};
  const double px[] = {1, 4, 3, 0.5, 2};
  const double py[] = {1, 2, 5, 4, 6.5};
  const double bandFrom[] = {0.5, 1.5, 4.2};
  const double bandTo[] = {2.0, 3.0, 5.0};
  const int zones[] = {1, 2, 3};
  const double lx[] = {1, 3, 5};
  const double ly[] = {4.5, 0.5, 3};
  CChart styles;
  styles.GridFlags = GridVertical | GridHorizontal | TicksMirrored;
  styles.SetXCaption("X");
  styles.SetYCaption("Y");
  CAutoSeries bands;
  bands.MarkerStyle = MarkerBands;
  bands.LineMode = LineNone;
  bands.ZoneTypes.assign(std::begin(zones), std::end(zones));
  styles.AddSeries(bands);
  styles.SetSeriesData(0, bandFrom, bandTo, 3);
  CAutoSeries smooth = Line(0x0808FC);
  smooth.LineMode = LineSpline;
  smooth.MarkerStyle = MarkerSquare;
  smooth.MarkerSize = 2;
  styles.AddSeries(smooth);
  styles.SetSeriesData(1, sx, sy, 7);
  CAutoSeries loop = Line(0xC000C0);
  loop.LineMode = LineSpline;
  loop.MarkerStyle = MarkerCross;
  loop.MarkerSize = 3;
  styles.AddSeries(loop);
  styles.SetSeriesData(2, px, py, 5);
  CAutoSeries leaders = Line(0x008000);
  leaders.LineMode = LineNone;
  leaders.MarkerStyle = MarkerLeader;
  leaders.Linked = 1;
  styles.AddSeries(leaders);
  styles.SetSeriesData(3, lx, ly, 3);
  styles.SetXRange(-0.5, 5.5);
  ok &= Save(styles, 640, 420, folder + "/styles.png");

  // The calibration chart after its curve was cleared: fixed ranges, no series.
  CChart cleared;
  PageStyle(cleared);
  cleared.SetXCaption("T, мин");
  cleared.SetYCaption("t, °C");
  cleared.SetXRange(-1, 1);
  cleared.SetYRange(0, 100);
  ok &= Save(cleared, 400, 280, folder + "/cleared.png");

  // The distillation chart before any analysis has a curve: three series without points.
  CChart empty;
  PageStyle(empty);
  empty.SetXCaption("t, °C");
  empty.SetYCaption("Доля отгона, %");
  for (int k = 0; k < 3; ++k) empty.AddSeries(Line(colours[k]));
  ok &= Save(empty, 400, 280, folder + "/empty.png");

  // Too small for a plot: background and captions only.
  ok &= Save(distillation, 40, 30, folder + "/small.png");
  return ok ? 0 : 1;
}
