#include "chart/ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shell/text.h"

namespace p528 {
namespace {

struct NiceStepCase {
  const char* name;
  double lo, hi;
  int length, spacing;
  bool automatic;
  double step, first, last, newLo, newHi;
};

TEST(NiceStepTest, StepsTicksAndExtendedRanges) {
  const NiceStepCase cases[] = {
      {"0..100 over 500 px, 30 px apart", 0, 100, 500, 30, true, 5, 0, 100, 0, 100},
      {"3..97 automatic extends to the grid", 3, 97, 100, 10, true, 10, 0, 100, 0, 100},
      {"3..97 fixed keeps its range", 3, 97, 100, 10, false, 10, 10, 90, 3, 97},
      {"grid line more than half a step away", 6, 94, 100, 10, true, 10, 10, 90, 6, 94},
      {"negative range, grid lines too far", -47, -3, 100, 10, true, 5, -45, -5, -47, -3},
      {"negative range extends", -48, -2, 100, 10, true, 5, -50, 0, -50, 0},
      {"fixed range just below a tick", 9.95, 20, 10, 10, false, 10, 10, 20, 9.95, 20},
  };
  for (const NiceStepCase& c : cases) {
    SCOPED_TRACE(c.name);
    const NiceStepResult r = NiceStep(c.lo, c.hi, c.length, c.spacing, c.automatic);
    EXPECT_DOUBLE_EQ(r.step, c.step);
    EXPECT_DOUBLE_EQ(r.firstTick, c.first);
    EXPECT_DOUBLE_EQ(r.lastTick, c.last);
    EXPECT_DOUBLE_EQ(r.lo, c.newLo);
    EXPECT_DOUBLE_EQ(r.hi, c.newHi);
  }
}

TEST(NiceStepTest, MantissaBoundariesAreStrict) {
  // raw step = hi - lo with length and spacing 1; every comparison is strict.
  const struct {
    double raw;
    double step;
  } cases[] = {
      {7.5, 5},    {7.51, 10}, {3.5, 3},  {3.51, 5}, {2.6, 2.5}, {2.61, 3}, {2.4, 2},
      {2.41, 2.5}, {1.5, 1},   {1.51, 2}, {1.0, 1},  {9.99, 10}, {75, 50},  {0.26, 0.25},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.raw);
    EXPECT_DOUBLE_EQ(NiceStep(0, c.raw, 1, 1, false).step, c.step);
  }
}

TEST(NiceStepTest, DegenerateRangesGiveNoUsableStep) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double hi : {0.0, inf, nan}) {
    const NiceStepResult r = NiceStep(0, hi, 500, 30, true);
    EXPECT_TRUE(TickSequence(r.firstTick, r.lastTick, r.step).empty()) << hi;
  }
}

TEST(TickSequenceTest, ElevenDriftFreeLabelsForATenthStep) {
  const std::vector<double> ticks = TickSequence(0, 1, 0.1);
  std::vector<std::string> labels;
  for (double v : ticks) labels.push_back(TickLabel(v));
  const std::vector<std::string> expected = {"0",   "0.1", "0.2", "0.3", "0.4", "0.5",
                                             "0.6", "0.7", "0.8", "0.9", "1"};
  EXPECT_EQ(labels, expected);
}

TEST(TickSequenceTest, LongSequencesStayOnTheGrid) {
  // Repeated addition of 0.1 drifts to 99.9999999999986 by the thousandth tick.
  const std::vector<double> ticks = TickSequence(0, 100, 0.1);
  ASSERT_EQ(ticks.size(), 1001u);
  for (std::size_t k = 0; k < ticks.size(); ++k) {
    ASSERT_EQ(TickLabel(ticks[k]), Format("%.10g", static_cast<double>(k) / 10.0)) << k;
  }
  // Rounding -0.5 up gives a negative zero, which must not be labelled "-0".
  const std::vector<double> negative = TickSequence(-2.5, 2.5, 0.25);
  ASSERT_EQ(negative.size(), 21u);
  EXPECT_EQ(TickLabel(negative[10]), "0");
  EXPECT_EQ(TickLabel(-0.0), "0");
  EXPECT_EQ(TickLabel(negative.back()), "2.5");
}

TEST(TickSequenceTest, DegenerateInputEndsQuickly) {
  EXPECT_TRUE(TickSequence(0, 10, 0).empty());
  EXPECT_TRUE(TickSequence(0, 10, -1).empty());
  EXPECT_TRUE(TickSequence(std::nan(""), 10, 1).empty());
  // A step far below the resolution of the values cannot advance: bounded, not endless.
  EXPECT_LE(TickSequence(1e20, 1e20 + 1e5, 1e-3).size(), 10000u);
}

}  // namespace
}  // namespace p528
