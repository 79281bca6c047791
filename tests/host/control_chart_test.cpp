// The reference sample's control chart on known series: centre line, limits and moving
// ranges from the baseline, and each run rule flagging exactly the points that meet it.
#include "host/kit/register/control_chart.h"

#include <gtest/gtest.h>

namespace p528::hostkit {
namespace {

constexpr unsigned O = BeyondLimits;  // out of the limits
constexpr unsigned N = RunOnOneSide;  // nine on one side
constexpr unsigned T = Trend;
constexpr unsigned M = MovingRangeBeyondLimit;

struct ChartCase {
  const char* name;
  std::vector<double> values;
  ControlBaseline baseline;
  double centre, upper, lower, movingRangeUpper;
  std::vector<unsigned> flags;  // per point
};

TEST(ControlChart, KnownSeriesGiveTheirLimitsAndFlags) {
  const ChartCase kCases[] = {
      // Baseline 10 12 11 13 12: centre 11.6, MR-bar (2+1+2+1)/4 = 1.5, limits 11.6 ± 3.99,
      // MR limit 4.9005. 16 lies above 15.59; the drop to 11 is a moving range of 5.
      {"beyond limits and moving range",
       {10, 12, 11, 13, 12, 16, 11, 7.5},
       {0, 5},
       11.6,
       15.59,
       7.61,
       4.9005,
       {0, 0, 0, 0, 0, O, M, O}},
      // Centre 0, MR-bar 2; nine values in a row above the line from the fifth: the ninth of
      // them is flagged, the next stays flagged while the run lasts; a value on the line ends it.
      {"run on one side",
       {1, -1, 1, -1, .5, .6, .4, .5, .6, .4, .5, .6, .4, .5, 0, .5},
       {0, 4},
       0,
       5.32,
       -5.32,
       6.534,
       {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, N, N, 0, 0}},
      // Centre 5, MR-bar 10: 1 2 3 4 5 6 are six values in a row each above the one before,
      // flagged at 6 and at 7; 7 7 is no rise, so the trend ends.
      {"trend",
       {0, 10, 0, 10, 1, 2, 3, 4, 5, 6, 7, 7},
       {0, 4},
       5,
       31.6,
       -21.6,
       32.67,
       {0, 0, 0, 0, 0, 0, 0, 0, 0, T, T, 0}},
      // The baseline may start later: limits from 4 4 6 6 only (centre 5, MR-bar 2/3).
      {"later baseline",
       {100, 4, 4, 6, 6, 5},
       {1, 4},
       5,
       5 + 2.66 * 2.0 / 3.0,
       5 - 2.66 * 2.0 / 3.0,
       3.267 * 2.0 / 3.0,
       {O, M, 0, 0, 0, 0}},
  };
  for (const ChartCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const ControlSeries series = ComputeControlChart(c.values, c.baseline);
    ASSERT_TRUE(series.hasLimits);
    EXPECT_NEAR(series.limits.centre, c.centre, 1e-9);
    EXPECT_NEAR(series.limits.upper, c.upper, 1e-9);
    EXPECT_NEAR(series.limits.lower, c.lower, 1e-9);
    EXPECT_NEAR(series.limits.movingRangeUpper, c.movingRangeUpper, 1e-9);
    ASSERT_EQ(series.points.size(), c.flags.size());
    for (std::size_t i = 0; i < c.flags.size(); ++i) {
      EXPECT_EQ(series.points[i].flags, c.flags[i])
          << "point " << i << " " << ControlFlagText(series.points[i].flags);
    }
  }
}

TEST(ControlChart, MovingRangesAndTheDefaultBaselineOfTwenty) {
  std::vector<double> values;
  for (int i = 0; i < 20; ++i) values.push_back(i % 2 == 0 ? 300.0 : 301.0);
  values.push_back(350.0);  // after the baseline: judged, not counted into the limits
  const ControlSeries series = ComputeControlChart(values);
  ASSERT_TRUE(series.hasLimits);
  EXPECT_EQ(series.limits.baselineCount, 20u);
  EXPECT_FALSE(series.limits.provisional);
  EXPECT_DOUBLE_EQ(series.limits.centre, 300.5);
  EXPECT_DOUBLE_EQ(series.limits.movingRangeMean, 1.0);
  EXPECT_EQ(series.points[0].movingRange, -1.0);
  EXPECT_EQ(series.points[1].movingRange, 1.0);
  EXPECT_EQ(series.points[20].movingRange, 49.0);
  EXPECT_EQ(series.points[20].flags, O | M);
}

TEST(ControlChart, TooFewResultsJudgeNothing) {
  EXPECT_FALSE(ComputeControlChart({}).hasLimits);
  const ControlSeries one = ComputeControlChart({312.0});
  EXPECT_FALSE(one.hasLimits);
  EXPECT_EQ(one.points.size(), 1u);
  EXPECT_EQ(one.points[0].flags, 0u);
  // Fewer than the baseline asks for: limits all the same, marked provisional.
  const ControlSeries three = ComputeControlChart({1, 2, 3});
  ASSERT_TRUE(three.hasLimits);
  EXPECT_TRUE(three.limits.provisional);
  EXPECT_EQ(three.limits.baselineCount, 3u);
  // A baseline beyond the results gives no limits rather than reading past the end.
  EXPECT_FALSE(ComputeControlChart({1, 2, 3}, {5, 20}).hasLimits);
}

}  // namespace
}  // namespace p528::hostkit
