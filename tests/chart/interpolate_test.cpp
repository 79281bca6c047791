#include "ui/chart/interpolate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ui/chart/chart.h"

namespace p528 {
namespace {

constexpr double kUntouched = -12345.0;

struct LookupCase {
  const char* name;
  int argumentAxis;
  double value;
  bool ok;
  double expected;
};

TEST(InterpolateTest, ThreePointCurveBothWays) {
  const std::vector<double> x = {0, 10, 20};
  const std::vector<double> y = {0, 100, 400};
  CChart chart;
  ASSERT_EQ(chart.AddSeries(CAutoSeries{}), 0);
  chart.SetSeriesData(0, x.data(), y.data(), 3);
  const LookupCase cases[] = {
      {"X 0 (first point inclusive)", 0, 0, true, 0},
      {"X 5", 0, 5, true, 50},
      {"X 10", 0, 10, true, 100},
      {"X 15", 0, 15, true, 250},
      {"X 20 (last point inclusive)", 0, 20, true, 400},
      {"X 25 beyond the curve", 0, 25, false, 0},
      {"X -1 before the curve", 0, -1, false, 0},
      {"Y 250", 1, 250, true, 15},
      {"Y 400", 1, 400, true, 20},
      {"Y 401", 1, 401, false, 0},
      {"X NaN", 0, std::nan(""), false, 0},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.name);
    double result = kUntouched;
    EXPECT_EQ(chart.Interpolate(c.argumentAxis, 1 - c.argumentAxis, 0, c.value, result), c.ok);
    EXPECT_DOUBLE_EQ(result, c.ok ? c.expected : kUntouched);
  }
}

TEST(InterpolateTest, FailsWithoutCurveOrArrays) {
  CChart chart;
  double result = kUntouched;
  EXPECT_FALSE(chart.Interpolate(0, 1, 0, 1.0, result));  // no curve entry
  chart.AddSeries(CAutoSeries{});
  EXPECT_FALSE(chart.Interpolate(0, 1, 0, 1.0, result));  // entry without arrays
  EXPECT_FALSE(chart.Interpolate(0, 1, -1, 1.0, result));
  EXPECT_DOUBLE_EQ(result, kUntouched);
}

TEST(InterpolateTest, DegenerateCurvesFailInsteadOfDividingByZero) {
  const double one[] = {5};
  const double flat[] = {3, 3};
  const double values[] = {1, 2};
  double result = kUntouched;
  EXPECT_FALSE(BisectInterpolate(one, values, 1, 5, result));
  EXPECT_FALSE(BisectInterpolate(flat, values, 2, 3, result));
  EXPECT_FALSE(BisectInterpolate(nullptr, values, 2, 3, result));
  EXPECT_FALSE(BisectInterpolate(flat, values, 0, 3, result));
  EXPECT_DOUBLE_EQ(result, kUntouched);
}

TEST(InterpolateTest, FormulaOrderMatchesTheCalibration) {
  // t[lo] - r[lo] * s + s * v in this order; for these values the order shows in the
  // last bit, so the expectation is exact.
  const double r[] = {1.1, 2.7, 3.3};
  const double t[] = {-161.5, 36.1, 68.7};
  for (double v : {1.1, 1.7, 2.7, 2.9, 3.3}) {
    const int lo = v <= 2.7 ? 0 : 1;  // the bracket the halving ends on
    const int hi = lo + 1;
    const double s = (t[lo] - t[hi]) / (r[lo] - r[hi]);
    double result = kUntouched;
    ASSERT_TRUE(BisectInterpolate(r, t, 3, v, result)) << v;
    EXPECT_EQ(result, t[lo] - r[lo] * s + s * v) << v;
  }
}

TEST(InterpolateTest, LongCurveAgreesWithTheSegmentFormula) {
  std::vector<double> r(1000), t(1000);
  for (int i = 0; i < 1000; ++i) {
    r[i] = i * 0.5 + (i % 7) * 0.01;
    t[i] = std::sqrt(i + 1.0);
  }
  for (double v = r.front(); v <= r.back(); v += 3.17) {
    double result = kUntouched;
    ASSERT_TRUE(BisectInterpolate(r.data(), t.data(), 1000, v, result)) << v;
    int k = 0;
    while (!(r[k] <= v && v <= r[k + 1])) ++k;
    EXPECT_NEAR(result, t[k] + (t[k + 1] - t[k]) * (v - r[k]) / (r[k + 1] - r[k]), 1e-12) << v;
  }
}

}  // namespace
}  // namespace p528
