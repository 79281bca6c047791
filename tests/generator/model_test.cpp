// The generator's building blocks: the monotone interpolation behind every distribution,
// the peak shape, the calibration relation and the extension of a reference table.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "calibration_map.h"
#include "monotone_cubic.h"
#include "peak_shape.h"
#include "random.h"
#include "sample_profile.h"

namespace p528::chrmgen {
namespace {

TEST(MonotoneCubic, PassesThroughItsPointsAndNeverFalls) {
  // A steep step next to a flat stretch: an ordinary cubic spline overshoots here.
  const std::vector<double> xs{0, 10, 11, 30, 31, 60};
  const std::vector<double> ys{0, 1, 50, 50.5, 99, 100};
  const MonotoneCubic curve(xs, ys);
  for (size_t k = 0; k < xs.size(); ++k) EXPECT_DOUBLE_EQ(curve.Value(xs[k]), ys[k]);
  double previous = -1;
  for (double x = -5; x <= 65; x += 0.01) {
    const double v = curve.Value(x);
    EXPECT_GE(v, previous - 1e-12) << x;
    EXPECT_GE(curve.Derivative(x), -1e-12) << x;
    previous = v;
  }
  // Zero density at both ends: elution starts and stops smoothly.
  EXPECT_NEAR(curve.Derivative(1e-9), 0, 1e-6);
  EXPECT_NEAR(curve.Derivative(60 - 1e-9), 0, 1e-6);
  EXPECT_NEAR(curve.Value(curve.Inverse(75.0)), 75.0, 1e-8);
}

TEST(MonotoneCubic, DerivativeIntegratesToTheValue) {
  const MonotoneCubic curve({100, 150, 200, 300, 420}, {0, 5, 40, 90, 100});
  double sum = 0;
  const double h = 0.001;
  for (double x = 100; x < 420; x += h) sum += curve.Derivative(x + 0.5 * h) * h;
  EXPECT_NEAR(sum, 100.0, 1e-4);
}

TEST(MonotoneCubic, RejectsPointsThatAreNotRising) {
  EXPECT_THROW(MonotoneCubic({0, 1, 1}, {0, 1, 2}), std::invalid_argument);
  EXPECT_THROW(MonotoneCubic({0, 1, 2}, {0, 2, 1}), std::invalid_argument);
  EXPECT_THROW(MonotoneCubic({0}, {0}), std::invalid_argument);
}

TEST(PeakShape, AreaHeightAndHalfWidthAgreeWithTheCurve) {
  struct Row {
    double sigmaLeft, sigmaRight;
  };
  for (const Row& row : {Row{0.05, 0.05}, Row{0.04, 0.07}}) {
    const PeakShape peak{10.0, row.sigmaLeft, row.sigmaRight, 250.0};
    double sum = 0, above = 0;
    const double h = 1e-5;
    for (double t = 9.0; t < 11.0; t += h) {
      const double v = peak.Value(t + 0.5 * h);
      sum += v * h;
      if (v >= 0.5 * peak.Height()) above += h;
    }
    EXPECT_NEAR(sum, 250.0, 1e-6);
    EXPECT_NEAR(peak.Cumulative(11.0), 250.0, 1e-9);
    EXPECT_NEAR(peak.Cumulative(10.0), 250.0 * row.sigmaLeft / (row.sigmaLeft + row.sigmaRight), 1e-9);
    EXPECT_NEAR(above, peak.HalfHeightWidth(), 1e-4);
    EXPECT_DOUBLE_EQ(peak.Value(10.0), peak.Height());
    EXPECT_NEAR(peak.AreaBetween(peak.Start(), peak.End()), 250.0 * 0.99993666, 1e-4);
  }
}

TEST(CalibrationMap, InterpolatesLikeTheCalculationAndContinuesTheProgramme) {
  const CalibrationMap map({1.0, 2.0, 4.0}, {0.0, 10.0, 50.0}, 0.05);
  struct Row {
    double time, temperature;
  };
  for (const Row& row : {Row{1.0, 0.0}, Row{1.5, 5.0}, Row{2.0, 10.0}, Row{3.0, 30.0}, Row{4.0, 50.0}}) {
    EXPECT_DOUBLE_EQ(map.TemperatureAt(row.time), row.temperature);
    EXPECT_DOUBLE_EQ(map.TimeAt(row.temperature), row.time);
  }
  EXPECT_EQ(map.TemperatureAt(0.999), -1.0);
  EXPECT_EQ(map.TemperatureAt(4.001), -1.0);
  EXPECT_DOUBLE_EQ(map.TimeAt(70.0), 5.0);  // 20 degrees past the last point at 0.05 min/degree
  EXPECT_DOUBLE_EQ(map.TemperatureAtExtended(5.0), 70.0);
  EXPECT_DOUBLE_EQ(map.DegreesPerMinute(3.0), 20.0);
  EXPECT_THROW(CalibrationMap({1.0, 1.0}, {0.0, 10.0}, 0.05), std::invalid_argument);
  EXPECT_THROW(CalibrationMap({1.0, 2.0}, {10.0, 0.0}, 0.05), std::invalid_argument);
}

TEST(ExtendToFullRange, AddsTheStartAndEndOfElution) {
  const auto table = ExtendToFullRange({{0.5, 114}, {5, 143}, {95, 425}, {99.5, 475}});
  ASSERT_EQ(table.size(), 6u);
  EXPECT_EQ(table.front().percent, 0.0);
  // 0.5 % under a density falling linearly to zero from 4.5 % per 29 degrees.
  EXPECT_NEAR(table.front().temperature, 114 - 2 * 0.5 * 29 / 4.5, 1e-9);
  EXPECT_EQ(table.back().percent, 100.0);
  EXPECT_NEAR(table.back().temperature, 475 + 2 * 0.5 * 50 / 4.5, 1e-9);
  EXPECT_EQ(ExtendToFullRange({{0.5, 114}, {99.5, 475}}, 500.0).back().temperature, 500.0);
  EXPECT_EQ(ExtendToFullRange({{0.0, 100}, {100.0, 475}}).size(), 2u);
}

TEST(Random, IsReproducibleAndRoughlyNormal) {
  Random a(StreamSeed(7, "blank")), b(StreamSeed(7, "blank")), c(StreamSeed(7, "calibration"));
  EXPECT_EQ(a.Next(), b.Next());
  EXPECT_NE(a.Next(), c.Next());
  double sum = 0, squares = 0;
  const int n = 200000;
  for (int i = 0; i < n; ++i) {
    const double x = a.Normal();
    sum += x;
    squares += x * x;
  }
  EXPECT_NEAR(sum / n, 0.0, 0.01);
  EXPECT_NEAR(squares / n, 1.0, 0.01);
}

}  // namespace
}  // namespace p528::chrmgen
