#include "numeric/interpolate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace p528 {
namespace {

constexpr double kUntouched = -12345.0;

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
  for (std::size_t i = 0; i < 1000; ++i) {
    r[i] = static_cast<double>(i) * 0.5 + static_cast<double>(i % 7) * 0.01;
    t[i] = std::sqrt(static_cast<double>(i) + 1.0);
  }
  for (double v = r.front(); v <= r.back(); v += 3.17) {
    double result = kUntouched;
    ASSERT_TRUE(BisectInterpolate(r.data(), t.data(), 1000, v, result)) << v;
    std::size_t k = 0;
    while (!(r[k] <= v && v <= r[k + 1])) ++k;
    EXPECT_NEAR(result, t[k] + (t[k + 1] - t[k]) * (v - r[k]) / (r[k + 1] - r[k]), 1e-12) << v;
  }
}

}  // namespace
}  // namespace p528
