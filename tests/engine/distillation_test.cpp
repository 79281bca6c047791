#include "engine/distillation.h"

#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace p528 {
namespace {

using test::Curve;
using test::MakeRun;
using test::MakeSignal;

std::vector<double> Wavy(std::size_t n) {
  std::vector<double> v(n);
  for (std::size_t i = 0; i < n; ++i)
    v[i] = 1.0 + static_cast<double>(i % 7) + 0.125 * static_cast<double>(i % 13);
  return v;
}

struct Grid {
  const char* name;
  double start;
  double step;
};
const Grid kGrids[] = {{"0.01 from 0", 0.0, 0.01},
                       {"1/600 from 0", 0.0, 1.0 / 600.0},
                       {"0.01 from 0.3", 0.3, 0.01},
                       {"1/600 from 0.25", 0.25, 1.0 / 600.0}};

// Sample times computed in floating point fall just below the grid for about one time in
// twenty: a plain truncation then took the previous sample, one interval integrated to 0
// and the next to two samples, and the percent-off curve ended near 105 %.
TEST(SampleIndex, GridTimesGiveTheirOwnSample) {
  for (const Grid& g : kGrids) {
    SCOPED_TRACE(g.name);
    int plainTruncationMisses = 0;
    for (std::size_t i = 0; i < 20000; ++i) {
      const double t = static_cast<double>(i) * g.step + g.start;
      bool onGrid = false;
      EXPECT_EQ(SampleIndex(t, g.start, g.step, &onGrid), i);
      EXPECT_TRUE(onGrid);
      if (static_cast<std::size_t>(std::trunc((t - g.start) / g.step)) != i) ++plainTruncationMisses;
    }
    EXPECT_GT(plainTruncationMisses, 0) << "the grid does not exercise the rounding";
  }
}

TEST(SampleIndex, OffGridTimesTruncateAndOddInputsGiveZero) {
  bool onGrid = true;
  EXPECT_EQ(SampleIndex(0.0149, 0.0, 0.01, &onGrid), 1u);
  EXPECT_FALSE(onGrid);
  EXPECT_EQ(SampleIndex(0.019999, 0.0, 0.01, &onGrid), 2u);  // 1e-6 short of 0.02: that sample
  EXPECT_TRUE(onGrid);
  EXPECT_EQ(SampleIndex(0.01998, 0.0, 0.01, &onGrid), 1u);  // 2e-5 short: truncated
  EXPECT_FALSE(onGrid);
  EXPECT_EQ(SampleIndex(-3.0, 0.0, 0.01, &onGrid), 0u);
  EXPECT_FALSE(onGrid);
  EXPECT_EQ(SampleIndex(5.0, 0.0, 0.0), 0u);
  EXPECT_EQ(SampleIndex(NAN, 0.0, 0.01), 0u);
  EXPECT_EQ(SampleIndex(1e300, 0.0, 1e-300), SampleIndex(1e300, 0.0, 1e-300));  // no UB, no hang
}

TEST(Area, AdjacentSamplesAreTheTrapezoidOnEveryGrid) {
  for (const Grid& g : kGrids) {
    SCOPED_TRACE(g.name);
    auto s = MakeSignal(g.start, g.step, Wavy(3000));
    const ChrmResult& r = s.r;
    for (std::size_t i = 0; i + 1 < r.Signal.size(); ++i) {
      const double expected = g.step * (0.5 * r.Signal[i] + 0.5 * r.Signal[i + 1]);
      ASSERT_DOUBLE_EQ(Area(r, r.Times[i], r.Times[i + 1]), expected) << "interval " << i;
    }
  }
}

TEST(Area, TwoApartCountsTheFirstSampleInTheInnerSum) {
  for (const Grid& g : kGrids) {
    SCOPED_TRACE(g.name);
    auto s = MakeSignal(g.start, g.step, Wavy(500));
    const ChrmResult& r = s.r;
    for (std::size_t i = 0; i + 2 < r.Signal.size(); ++i) {
      const double expected = g.step * (0.5 * r.Signal[i] + r.Signal[i] + 0.5 * r.Signal[i + 2]);
      ASSERT_DOUBLE_EQ(Area(r, r.Times[i], r.Times[i + 2]), expected) << "interval " << i;
    }
  }
}

TEST(Area, BetweenSamplesAndOutsideTheRun) {
  auto s = MakeSignal(0.0, 0.01, {2, 4, 6, 8, 10});
  const ChrmResult& r = s.r;
  // From inside interval 1 to sample 3: the sum starts at sample 1.
  const double t1 = 0.0125;
  EXPECT_DOUBLE_EQ(Area(r, t1, r.Times[3]), 0.01 * (0.5 * SignalAt(r, t1) + 4 + 6 + 0.5 * 8));
  EXPECT_DOUBLE_EQ(Area(r, r.Times[1], r.Times[1]), 0.0);
  // Bounds are limited to the recorded samples.
  EXPECT_DOUBLE_EQ(Area(r, r.Times[3], 7.0), Area(r, r.Times[3], r.Times[4]));
  EXPECT_DOUBLE_EQ(Area(r, -1.0, r.Times[1]), Area(r, r.Times[0], r.Times[1]));
  EXPECT_DOUBLE_EQ(Area(r, 5.0, 9.0), 0.0);
  EXPECT_DOUBLE_EQ(Area(r, r.Times[3], r.Times[1]), 0.0);
  EXPECT_DOUBLE_EQ(Area(r, NAN, 0.02), 0.0);

  auto empty = MakeSignal(0.0, 0.01, {});
  EXPECT_DOUBLE_EQ(Area(empty.r, 0.0, 1.0), 0.0);
  auto noStep = MakeSignal(0.0, 0.0, {1, 2, 3});
  EXPECT_DOUBLE_EQ(Area(noStep.r, 0.0, 1.0), 0.0);
}

TEST(SignalAt, GridTimesInterpolationAndOutside) {
  auto s = MakeSignal(1.0, 0.01, {2, 4, 6});
  const ChrmResult& r = s.r;
  struct Case {
    double t, expected;
  } cases[] = {
      {0.999, -1.0},       // before the start
      {1.0, 2.0},          // first sample
      {1.01 + 5e-6, 4.0},  // within the grid tolerance of sample 1
      {1.0025, 2.5},       // a quarter of the way to sample 1
      {1.02, 6.0},         // last sample
      {1.025, 6.0},        // past the last sample but inside its interval index
      {1.031, -1.0},       // past the last point
  };
  for (const Case& c : cases) EXPECT_NEAR(SignalAt(r, c.t), c.expected, 1e-9) << c.t;
}

TEST(ZeroLevel, WindowsAndTheirEdges) {
  const double step = 1.0 / 600.0;
  // Default window (TimeStartSample up to 1/12 min): samples from the start up to 1/60 min.
  auto early = MakeRun(0.0, step, 2000, [&](double t) {
    const long i = std::lround(t / step);
    if (i < 9) return 5.0;
    if (i == 9) return 50.0;
    return 1000.0;
  });
  EXPECT_DOUBLE_EQ(ZeroLevel(early->channels[0], 0.0), 5.0);
  EXPECT_DOUBLE_EQ(ZeroLevel(early->channels[0], 1.0 / 12.0), 5.0);

  // Above 1/12 min: the five seconds before TimeStartSample, the last sample excluded.
  auto late = MakeRun(0.0, step, 2000, [&](double t) {
    const long i = std::lround(t / step);
    if (i == 560) return 100.0;
    if (i >= 550 && i < 600) return 7.0;
    return 1000.0;
  });
  EXPECT_DOUBLE_EQ(ZeroLevel(late->channels[0], 1.0), 7.0);

  // A flat window has nothing strictly inside mean ± sd: its mean.
  auto flat = MakeRun(0.0, step, 100, [](double) { return 3.0; });
  EXPECT_DOUBLE_EQ(ZeroLevel(flat->channels[0], 0.0), 3.0);

  // No sample in the window: a run starting after 1/60 min, or a window past the run.
  auto lateStart = MakeRun(0.5, step, 100, [](double) { return 3.0; });
  EXPECT_DOUBLE_EQ(ZeroLevel(lateStart->channels[0], 0.0), 0.0);
  EXPECT_DOUBLE_EQ(ZeroLevel(flat->channels[0], 50.0), 0.0);
  ChrmChannel empty;
  empty.step = step;
  EXPECT_DOUBLE_EQ(ZeroLevel(empty, 0.0), 0.0);
  ChrmChannel noStep;
  noStep.samples = {1, 2, 3};
  EXPECT_DOUBLE_EQ(ZeroLevel(noStep, 0.0), 0.0);
}

// The band is open: a sample exactly at mean + sd is left out. Window 0, 0, 0, 0, 0, 0, 1, 2,
// 4, 8: mean 1.5, sd 2.5, band (-1, 4); the samples inside average 3 / 8.
TEST(ZeroLevel, SamplesOnTheBandEdgeAreLeftOut) {
  const double step = 1.0 / 600.0;
  const double window[10] = {0, 0, 0, 0, 0, 0, 1, 2, 4, 8};
  auto run = MakeRun(0.0, step, 100, [&](double t) {
    const long i = std::lround(t / step);
    return i < 10 ? window[i] : 1000.0;
  });
  EXPECT_EQ(ZeroLevel(run->channels[0], 0.0), 0.375);
}

// The record of `run` (sampled as its channel, zero level `runZero`) after the blank run's
// subtraction.
ChrmResult Subtracted(const ChrmFile& run, double runZero, const ChrmFile& blank, double blankZero) {
  ChrmResult r;
  r.File = &run;
  r.StartTime = run.channels[0].startTime;
  r.Step = run.channels[0].step;
  r.ZeroLevel = runZero;
  ChrmResult b;
  b.File = &blank;
  b.ZeroLevel = blankZero;
  SubtractBlank(b, r);
  return r;
}

TEST(SubtractBlank, ShorterRunDecidesAndTheSignalIsNeverNegative) {
  struct Case {
    std::size_t runLength, blankLength, expected;
  } cases[] = {{10, 15, 10}, {10, 5, 5}, {0, 5, 0}};
  for (const Case& c : cases) {
    auto run = MakeRun(0.5, 0.01, c.runLength, [](double t) { return t < 0.515 ? 1.0 : 10.0; });
    auto blank = MakeRun(0.5, 0.01, c.blankLength, [](double) { return 2.0; });
    const ChrmResult r = Subtracted(*run, 1.0, *blank, 0.5);
    ASSERT_EQ(r.Signal.size(), c.expected);
    ASSERT_EQ(r.Times.size(), c.expected);
    for (std::size_t i = 0; i < c.expected; ++i) {
      EXPECT_DOUBLE_EQ(r.Times[i], static_cast<double>(i) * 0.01 + 0.5);
      EXPECT_DOUBLE_EQ(r.Signal[i], i < 2 ? 0.0 : 10.0 - 2.0 - 0.5);
    }
  }
  // No blank chromatogram: nothing happens.
  auto run = MakeRun(0.0, 0.01, 10, [](double) { return 1.0; });
  ChrmResult r;
  r.File = run.get();
  SubtractBlank(ChrmResult(), r);
  EXPECT_TRUE(r.Signal.empty());
}

TEST(SubtractBlank, NanSamplesCountAsNoSignal) {
  auto run = MakeRun(0.0, 0.01, 4, [](double t) { return t > 0.015 ? NAN : 5.0; });
  auto blank = MakeRun(0.0, 0.01, 4, [](double) { return 1.0; });
  EXPECT_EQ(Subtracted(*run, 0, *blank, 0).Signal, (std::vector<double>{4, 4, 0, 0}));
}

TEST(FindEndTime, EndOfElutionFound) {
  const double step = 1.0 / 600.0;
  std::vector<double> v(6000);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<double>(i) * step < 5.0 ? 10.0 : 0.0;
  auto s = MakeSignal(0.0, step, v);
  s.r.TotalArea = Area(s.r, 0.0, s.r.Times.back());
  FindEndTime(s.r);
  EXPECT_GE(s.r.EndTime, 5.0);
  EXPECT_LE(s.r.EndTime, 5.0 + 2.0 / 60.0);
  EXPECT_GT(s.r.TotalArea, 0);
}

// An exponential tail s_i = 1000 q^i, q = e^-0.01, sampled 10 times a second: the windows
// are w = 10 intervals (w step 60 = 1 s), and over the trapezoid areas the rate at sample l
// is |cur - prev| / w / (step 60) / total 100 = 100 q^(l-20) (1 - q^10)^2 / (1 - q^2000)
// = 0.905592 e^-(l-20)/100 %/s. The scan from l = 2000 down in steps of 10 first exceeds
// 0.0001 %/s at l = 930 (1.0112e-4; at 940: 0.9150e-4), 1.55 min.
TEST(FindEndTime, ExponentialTailEndsWhereTheRateFirstExceedsTheThreshold) {
  const double step = 1.0 / 600.0;
  std::vector<double> v(2001);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = 1000.0 * std::exp(-0.01 * static_cast<double>(i));
  auto s = MakeSignal(0.0, step, v);
  s.r.TotalArea = Area(s.r, 0.0, s.r.Times.back());
  FindEndTime(s.r);
  EXPECT_EQ(s.r.EndTime, s.r.Times[930]);
}

TEST(FindEndTime, NoVerdictCases) {
  // A step above one second: no points per second, the rate is undefined.
  {
    auto s = MakeSignal(0.0, 2.0 / 60.0, std::vector<double>(100, 1.0));
    s.r.TotalArea = 50;
    FindEndTime(s.r);
    EXPECT_EQ(s.r.EndTime, -1.0);
    EXPECT_EQ(s.r.TotalArea, -1.0);
  }
  // w < l < 2w: the earlier window would reach before the first sample.
  {
    std::vector<double> v(15, 0.0);
    v[14] = 100.0;
    auto s = MakeSignal(0.0, 1.0 / 600.0, v);
    s.r.TotalArea = 1;
    FindEndTime(s.r);
    EXPECT_EQ(s.r.EndTime, -1.0);
    EXPECT_EQ(s.r.TotalArea, 1.0);
  }
  // A flat tail all the way down: no verdict.
  {
    auto s = MakeSignal(0.0, 1.0 / 600.0, std::vector<double>(400, 1.0));
    s.r.TotalArea = Area(s.r, 0.0, s.r.Times.back());
    FindEndTime(s.r);
    EXPECT_EQ(s.r.EndTime, -1.0);
  }
  // Nothing recorded, and a step of 0.
  {
    auto s = MakeSignal(0.0, 0.01, {});
    FindEndTime(s.r);
    EXPECT_EQ(s.r.EndTime, -1.0);
    auto z = MakeSignal(0.0, 0.0, {1, 2, 3});
    z.r.TotalArea = 5;
    FindEndTime(z.r);
    EXPECT_EQ(z.r.EndTime, -1.0);
  }
}

// The total counts the first sample in full and the last but one not at all (the inner sum
// starts at the lower bound), so a signal that starts and ends on the baseline, as a
// chromatogram does, ends at 100 %.
TEST(BuildCurve, EndsAtOneHundredPercentOnEveryGrid) {
  const CalibCurve curve = Curve({0.0, 100.0}, {0.0, 1000.0});
  for (const Grid& g : kGrids) {
    SCOPED_TRACE(g.name);
    std::vector<double> v = Wavy(4000);
    v.front() = 0;
    v[v.size() - 2] = 0;
    v.back() = 0;
    auto s = MakeSignal(g.start, g.step, v);
    ChrmResult& r = s.r;
    r.EndTime = r.Times.back();
    r.TotalArea = Area(r, r.StartTime, r.EndTime);
    BuildCurve(r, AstmD2887A, curve);
    ASSERT_EQ(r.PercentOff.size(), 3999u);
    EXPECT_NEAR(r.PercentOff.back(), 100.0, 1e-9);
    for (std::size_t i = 0; i < r.PercentOff.size(); ++i) {
      const double interval = Area(r, r.Times[i], r.Times[i + 1]) / r.TotalArea * 100;
      const double before = i == 0 ? 0.0 : r.PercentOff[i - 1];
      ASSERT_NEAR(r.PercentOff[i] - before, interval, 1e-9) << i;
      ASSERT_DOUBLE_EQ(r.PointTemp[i], r.Times[i] * 10.0);
    }
  }
}

TEST(BuildCurve, DivisorAndMissingEnds) {
  const CalibCurve curve = Curve({0.0, 100.0}, {0.0, 1000.0});
  auto s = MakeSignal(0.0, 0.01, std::vector<double>(101, 1.0));
  ChrmResult& r = s.r;
  r.EndTime = 1.0;
  r.TotalArea = Area(r, 0.0, 1.0);
  r.SampleArea = 2 * r.TotalArea;
  BuildCurve(r, Gost56720B, curve);
  EXPECT_NEAR(r.PercentOff.back(), 50.0, 1e-9);  // normalised to the sample area
  BuildCurve(r, AstmD2887A, curve);
  EXPECT_NEAR(r.PercentOff.back(), 100.0, 1e-9);  // the sample area counts only for methods 3, 4

  // No end of elution, no area: no curve, never a negative size.
  r.EndTime = -1.0;
  BuildCurve(r, AstmD2887A, curve);
  EXPECT_TRUE(r.PercentOff.empty());
  r.EndTime = 1.0;
  r.TotalArea = 0;
  BuildCurve(r, AstmD2887A, curve);
  EXPECT_TRUE(r.PercentOff.empty());
  // An end past the samples: the curve stops at the last one.
  r.TotalArea = Area(r, 0.0, 1.0);
  r.EndTime = 30.0;
  BuildCurve(r, AstmD2887A, curve);
  EXPECT_EQ(r.PercentOff.size(), 101u);
  EXPECT_NEAR(r.PercentOff.back(), 100.0, 1e-9);
}

// A record whose curve rises by 0.5 % per half minute up to `top` percent, and a
// calibration of 10 °C per minute.
struct StraightCurve {
  ChrmResult r;
  CalibCurve curve = Curve({0.0, 1000.0}, {0.0, 10000.0});
  explicit StraightCurve(double top) {
    const std::size_t n = static_cast<std::size_t>(top / 0.5) + 1;
    for (std::size_t i = 0; i < n; ++i) {
      r.Times.push_back(static_cast<double>(i) * 0.5);
      r.PercentOff.push_back(static_cast<double>(i) * 0.5);
    }
  }
};

std::vector<double> Percents(const std::vector<DistPoint>& points) {
  std::vector<double> p;
  for (const DistPoint& d : points) p.push_back(d.percent);
  return p;
}

TEST(PointAtPercent, InsideOutsideAndBeyondTheCalibration) {
  StraightCurve c(60);
  const DistPoint inside = PointAtPercent(c.r, 12.25, c.curve);
  EXPECT_DOUBLE_EQ(inside.time, 12.25);
  EXPECT_DOUBLE_EQ(inside.temp, 122.5);
  EXPECT_EQ(inside.percent, 12.25);
  const DistPoint outside = PointAtPercent(c.r, 60.5, c.curve);
  EXPECT_EQ(outside.time, -1.0);
  EXPECT_EQ(outside.temp, -1.0);
  EXPECT_EQ(outside.percent, 60.5);
  const CalibCurve shortCurve = Curve({20.0, 30.0}, {200.0, 300.0});
  EXPECT_EQ(PointAtPercent(c.r, 10.0, shortCurve).time, -1.0);
  EXPECT_EQ(PointAtPercent(ChrmResult(), 10.0, c.curve).time, -1.0);
}

TEST(BuildPointTable, DefaultTablesOfEveryMethod) {
  std::vector<double> every5;
  for (int p = 5; p <= 90; p += 5) every5.push_back(p);
  std::vector<double> m0 = {0.5};
  m0.insert(m0.end(), every5.begin(), every5.end());
  std::vector<double> m1 = m0;
  m1.push_back(95);
  m0.push_back(95);
  m0.push_back(99.5);
  const std::vector<double> m25 = {0.5, 5, 10, 15, 20, 30, 40, 50, 60, 70, 80, 90, 95, 99.5};
  const std::vector<double> m3 = {0.5, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95};
  const std::vector<double> m4 = {0.5, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90};
  struct Case {
    int32_t method;
    std::vector<double> percents;
  } cases[] = {{AstmD2887A, m0}, {AstmD2887B, m1}, {Gost56720A, m25},
               {Gost56720B, m3}, {Gost54291, m4},  {Iso3924, m25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    StraightCurve s(100);
    const std::optional<double> taken = BuildPointTable(s.r, 0.0, 1, c.method, s.curve);
    EXPECT_EQ(Percents(s.r.PointTable), c.percents);
    for (const DistPoint& d : s.r.PointTable) EXPECT_DOUBLE_EQ(d.time, d.percent);
    EXPECT_DOUBLE_EQ(s.r.Ibp.time, 0.5);
    EXPECT_DOUBLE_EQ(s.r.Ibp.temp, 5.0);
    EXPECT_DOUBLE_EQ(s.r.Fbp.time, 99.5);
    EXPECT_DOUBLE_EQ(s.r.Fbp.temp, 995.0);
    EXPECT_FALSE(taken.has_value());  // the default step is kept when it fits
  }
}

TEST(BuildPointTable, UserStepsAndTheStepTakenInstead) {
  struct Case {
    double step;
    int32_t method;
    std::vector<double> percents;
    std::optional<double> taken;
  } cases[] = {
      {50, AstmD2887A, {0.5, 50, 99.5}, {}},
      {50, Gost56720B, {0.5, 50}, {}},
      {80, Iso3924, {0.5, 30, 60, 99.5}, 30.0},
      {80, Gost54291, {0.5, 30, 60}, 30.0},
      {0, AstmD2887A, {0.5, 99.5}, {}},
      {-5, AstmD2887A, {0.5, 99.5}, {}},
      {0.25, AstmD2887A, {}, {}},  // checked below by count
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    StraightCurve s(60);
    EXPECT_EQ(BuildPointTable(s.r, c.step, 0, c.method, s.curve), c.taken);
    if (c.step == 0.25) {
      // 0.5, then 0.75 ... 59.75 (0.25 and 0.5 skipped, the count raised for them), 60, 99.5.
      ASSERT_FALSE(s.r.PointTable.empty());
      EXPECT_EQ(s.r.PointTable[1].percent, 0.75);
      EXPECT_EQ(s.r.PointTable[s.r.PointTable.size() - 2].percent, 60.0);
      continue;
    }
    EXPECT_EQ(Percents(s.r.PointTable), c.percents);
    // The table's last points beyond the curve are there but not determined.
    if (c.percents.back() == 99.5) {
      EXPECT_EQ(s.r.PointTable.back().time, -1.0);
    }
    EXPECT_EQ(s.r.Fbp.percent, -1.0);
    EXPECT_EQ(s.r.LastPoint.percent, 60.0);
    EXPECT_DOUBLE_EQ(s.r.LastPoint.time, 60.0);
  }
}

TEST(BuildPointTable, DefaultStepLongerThanTheCurveIsRewrittenToo) {
  StraightCurve s(8);
  EXPECT_EQ(BuildPointTable(s.r, 0.0, 1, Gost56720A, s.curve), 4.0);
  EXPECT_EQ(Percents(s.r.PointTable), (std::vector<double>{0.5, 5, 4, 8, 95, 99.5}));
}

TEST(BuildPointTable, NoCurveGivesNoInitialBoilingPoint) {
  ChrmResult r;
  EXPECT_EQ(BuildPointTable(r, 10.0, 0, AstmD2887A, Curve({0, 1}, {0, 1})), std::nullopt);
  EXPECT_EQ(r.Ibp.time, -1.0);
  EXPECT_EQ(r.Ibp.percent, 0.5);
  EXPECT_TRUE(r.PointTable.empty());
}

TEST(ExtendPointTemp, LeadingAndTrailingZerosFilled) {
  struct Case {
    std::vector<double> in, out;
  } cases[] = {
      {{0, 0, 5, 0, 7, 0, 0}, {5, 5, 5, 0, 7, 7, 7}},
      {{0, 0, 0}, {0, 0, 0}},
      {{}, {}},
      {{3}, {3}},
  };
  for (const Case& c : cases) {
    ChrmResult r;
    r.PointTemp = c.in;
    ExtendPointTemp(r);
    EXPECT_EQ(r.PointTemp, c.out);
  }
}

// The last point is read at the curve's reach unless the table's entry `count - 1` (entry 0
// being the initial boiling point) already has that percent.
TEST(BuildPointTable, LastPointUnlessTheEntryBeforeTheCountHasTheReach) {
  struct Case {
    const char* name;
    double top;
    int32_t method;
    std::vector<double> percents;
    double lastPercent;  // -1.0: not read
  } cases[] = {
      // Step rewritten to 2: 0.5, 5, 2, 4 with count 2; entry 1 is the 5 % of the reach.
      {"method 2 reaching 5 %", 5.0, Gost56720A, {0.5, 5, 2, 4, 95, 99.5}, -1.0},
      {"method 0 reaching 60 %",
       60.0,
       AstmD2887A,
       {0.5, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 95, 99.5},
       60.0},
      {"method 3 reaching 100 %", 100.0, Gost56720B, {0.5, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95}, 99.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StraightCurve s(c.top);
    BuildPointTable(s.r, 0.0, 1, c.method, s.curve);
    std::vector<double> percents;
    for (const DistPoint& d : s.r.PointTable) percents.push_back(d.percent);
    EXPECT_EQ(percents, c.percents);
    if (c.lastPercent < 0) {
      EXPECT_EQ(s.r.LastPoint.time, -1.0);
      EXPECT_EQ(s.r.LastPoint.temp, -1.0);
    } else {
      EXPECT_EQ(s.r.LastPoint.percent, c.lastPercent);
      EXPECT_DOUBLE_EQ(s.r.LastPoint.time, c.lastPercent);
      EXPECT_DOUBLE_EQ(s.r.LastPoint.temp, 10.0 * c.lastPercent);
    }
  }
}

}  // namespace
}  // namespace p528
