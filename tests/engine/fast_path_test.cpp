// The distillation primitives share their work across a pass (sampling read once, bounds
// converted once, the calibration walked instead of bisected). These tests hold them to the
// rule taken one sample at a time (support/literal_distillation.h) on random signals and
// grids, comparing the doubles bit for bit.
#include "engine/calib_walk.h"
#include "engine/distillation.h"
#include "engine/sample_span.h"

#include "support/engine_fixture.h"
#include "support/literal_distillation.h"
#include "support/same_doubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace p528 {
namespace {

using test::SameDouble;
using test::SameDoubles;

// A record with a random signal on a random grid; the channel's own grid is sometimes a
// little off the record's, as after a file whose header disagrees with the passport.
struct RandomRun {
  test::SignalRecord s;
  std::mt19937_64 rng;

  explicit RandomRun(uint64_t seed) : rng(seed) {
    const double steps[] = {1.0 / 300.0, 0.01, 1.0 / 600.0, 0.02, 0.2, 1.0 / 3000.0};
    const double starts[] = {0.0, 0.3, 0.25, -0.1};
    const double step = pick(steps);
    const double start = pick(starts);
    const std::size_t n = std::uniform_int_distribution<std::size_t>(1, 700)(rng);
    std::vector<double> values(n);
    std::uniform_real_distribution<double> level(0.0, 50.0);
    // Peaks that end in a flat tail, so that the end of elution is found at various places.
    const std::size_t tail = std::uniform_int_distribution<std::size_t>(0, n)(rng);
    for (std::size_t i = 0; i < n; ++i) {
      values[i] = i < tail ? level(rng) * (1.0 + std::sin(static_cast<double>(i) * 0.05))
                           : (rng() % 4 == 0 ? 1e-7 : 0.0);
    }
    s = test::MakeSignal(start, step, values);
    if (rng() % 4 == 0) s.file->channels[0].startTime += 3e-6;
  }
  template <std::size_t N>
  double pick(const double (&v)[N]) {
    return v[rng() % N];
  }

  // Times on the grid, just beside it, between samples, and outside the samples.
  double AnyTime() {
    const ChrmResult& r = s.r;
    const double last = r.StartTime + static_cast<double>(r.Signal.size() - 1) * r.Step;
    const double grid = static_cast<double>(rng() % (r.Signal.size() + 2)) * r.Step + r.StartTime;
    const double offsets[] = {0.0, 0.0, 1e-6, -1e-6, 2e-5, -2e-5, 0.5 * r.Step, -0.3 * r.Step};
    switch (rng() % 6) {
      case 0: return std::uniform_real_distribution<double>(r.StartTime - 1.0, last + 1.0)(rng);
      case 1: return rng() % 2 ? r.StartTime : last;
      default: return grid + pick(offsets);
    }
  }
};

TEST(FastPath, SignalAtAndAreaAreTheRuleOnRandomSignals) {
  for (uint64_t seed = 1; seed <= 60; ++seed) {
    RandomRun run(seed);
    const ChrmResult& r = run.s.r;
    for (int k = 0; k < 200; ++k) {
      const double t1 = run.AnyTime();
      const double t2 = k % 10 == 0 ? t1 - 0.01 : std::max(t1, run.AnyTime());
      ASSERT_TRUE(SameDouble(SignalAt(r, t1), literal::SignalAt(r, t1))) << "seed " << seed << " t " << t1;
      ASSERT_TRUE(SameDouble(Area(r, t1, t2), literal::Area(r, t1, t2)))
          << "seed " << seed << " " << t1 << ".." << t2;
    }
    EXPECT_TRUE(SameDouble(Area(r, NAN, 1.0), 0.0));
  }
}

// Totals from the start share their running sum: any order of bounds, short runs and runs
// of many checkpoints.
TEST(FastPath, AreasFromTheStartAreTheRule) {
  for (uint64_t seed = 200; seed < 230; ++seed) {
    RandomRun run(seed);
    if (seed % 3 == 0) {
      std::vector<double> values(30000);
      for (double& v : values) v = static_cast<double>(run.rng() % 1000) * 0.37;
      run.s = test::MakeSignal(run.s.r.StartTime, run.s.r.Step, values);
    }
    const ChrmResult& r = run.s.r;
    SampleSpan span(r);
    for (int k = 0; k < 50; ++k) {
      const double t = run.AnyTime();
      ASSERT_TRUE(SameDouble(span.AreaFromStart(t), literal::Area(r, r.StartTime, t)))
          << "seed " << seed << " t " << t;
    }
  }
}

TEST(FastPath, EndOfElutionAndCurveAreTheRuleOnRandomSignals) {
  const CalibCurve rising =
      test::Curve({0.0, 0.5, 1.0, 1.0, 2.5, 4.0, 20.0}, {30, 60, 90, 95, 150, 300, 600});
  const CalibCurve folded = test::Curve({0.0, 2.0, 1.0, 3.0, 20.0}, {30, 60, 90, 150, 600});
  int found = 0;
  for (uint64_t seed = 100; seed < 160; ++seed) {
    RandomRun run(seed);
    ChrmResult fast = run.s.r;
    ChrmResult slow = run.s.r;
    const double last = fast.StartTime + static_cast<double>(fast.Signal.size() - 1) * fast.Step;
    fast.TotalArea = slow.TotalArea = literal::Area(slow, slow.StartTime, last);
    FindEndTime(fast);
    literal::FindEndTime(slow);
    ASSERT_TRUE(SameDouble(fast.EndTime, slow.EndTime)) << "seed " << seed;
    ASSERT_TRUE(SameDouble(fast.TotalArea, slow.TotalArea)) << "seed " << seed;
    if (fast.EndTime > 0) ++found;

    // Curves up to the end found, to a time between samples and past the samples.
    for (double end : {fast.EndTime, run.AnyTime(), last + 0.37}) {
      for (const CalibCurve* curve : {&rising, &folded}) {
        fast.EndTime = slow.EndTime = end;
        fast.TotalArea = slow.TotalArea = literal::Area(slow, slow.StartTime, end);
        BuildCurve(fast, Gost56720A, *curve);
        literal::BuildCurve(slow, Gost56720A, *curve);
        ASSERT_TRUE(SameDoubles(fast.PercentOff, slow.PercentOff)) << "seed " << seed << " end " << end;
        ASSERT_TRUE(SameDoubles(fast.PointTemp, slow.PointTemp)) << "seed " << seed << " end " << end;
      }
    }
  }
  EXPECT_GT(found, 10) << "the signals do not exercise the end of elution";
}

// The walk gives the bisection's answer for every value, in any order, on every curve: the
// ascending ones it walks, the others it hands to the bisection.
TEST(FastPath, CalibrationWalkIsTheBisection) {
  std::mt19937_64 rng(528);
  const std::vector<CalibCurve> curves = {
      test::Curve({1.0, 2.0, 3.5, 7.0, 7.5, 12.0}, {36, 69, 98, 174, 196, 254}),
      test::Curve({1.0, 1.0, 2.0, 2.0, 2.0, 5.0}, {30, 40, 50, 60, 70, 80}),  // flat pieces
      test::Curve({1.0, 3.0, 2.0, 4.0, 6.0, 5.0}, {30, 40, 50, 60, 70, 80}),  // not ascending
      test::Curve({1.0, NAN, 3.0}, {30, 40, 50}),
      test::Curve({2.0}, {40}),
      test::Curve({}, {}),
  };
  for (std::size_t c = 0; c < curves.size(); ++c) {
    for (CalibAxis axis : {CalibAxis::Time, CalibAxis::Temp}) {
      const std::vector<double>& searched = axis == CalibAxis::Time ? curves[c].times : curves[c].temps;
      std::vector<double> values = {NAN, -1.0, 1e9};
      for (double v : searched)
        values.insert(values.end(), {v, std::nextafter(v, -1e300), std::nextafter(v, 1e300)});
      for (int k = 0; k < 200; ++k) values.push_back(std::uniform_real_distribution<double>(0.0, 300.0)(rng));
      std::vector<double> ascending = values;
      std::sort(ascending.begin(), ascending.end());
      for (const std::vector<double>* order : {&ascending, &values}) {
        CalibWalk walk(curves[c], axis);
        for (double v : *order) {
          double fast = -7.0;
          double slow = -7.0;
          const bool fastFound = walk.Lookup(v, fast);
          ASSERT_EQ(fastFound, literal::CalibLookup(curves[c], axis, v, slow))
              << "curve " << c << " value " << v;
          ASSERT_TRUE(SameDouble(fast, slow)) << "curve " << c << " value " << v;
        }
      }
    }
  }
  CalibCurve unregistered = curves[0];
  unregistered.registered = false;
  double result = -7.0;
  EXPECT_FALSE(CalibWalk(unregistered, CalibAxis::Time).Lookup(2.0, result));
  EXPECT_EQ(result, -7.0);
}

}  // namespace
}  // namespace p528
