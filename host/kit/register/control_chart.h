// The control chart of individual values and moving ranges (I/MR) that keeps a laboratory's
// reference gas oil under statistical control: the centre line and the limits come from a
// baseline of results (the first 20 by default), and run rules flag the points that show
// the measuring chain has moved. Pure arithmetic, no database, no drawing.
//
//   moving range  MR[i] = |x[i] - x[i-1]|  (none for the first point)
//   centre line   mean of the baseline's values
//   MR-bar        mean of the moving ranges inside the baseline (its first point has none)
//   limits        centre ± 2.66 MR-bar (three sigma, sigma = MR-bar / 1.128)
//   MR limit      3.267 MR-bar
//
// Run rules, each flagging the point at which it is met (and every later point while it
// still holds):
//   BeyondLimits            the value lies above the upper or below the lower limit
//   RunOnOneSide            `runLength` values in a row strictly on one side of the centre
//                           line (a value on the line breaks the run)
//   Trend                   `trendLength` values in a row each strictly above (or each
//                           strictly below) the one before
//   MovingRangeBeyondLimit  the moving range lies above its limit
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace p528::hostkit {

enum ControlFlag : unsigned {
  BeyondLimits = 1,
  RunOnOneSide = 2,
  Trend = 4,
  MovingRangeBeyondLimit = 8,
};

// Which results form the baseline: `count` values from index `first`.
struct ControlBaseline {
  std::size_t first = 0;
  std::size_t count = 20;
};

struct ControlRules {
  std::size_t runLength = 9;
  std::size_t trendLength = 6;
};

struct ControlLimits {
  double centre = 0.0;
  double upper = 0.0;
  double lower = 0.0;
  double movingRangeMean = 0.0;
  double movingRangeUpper = 0.0;
  std::size_t baselineFirst = 0;
  std::size_t baselineCount = 0;  // values the limits were computed from
  bool provisional = false;       // fewer values than the baseline asked for
};

struct ControlPoint {
  double value = 0.0;
  double movingRange = -1.0;  // -1: the first point has none
  unsigned flags = 0;         // ControlFlag bits
};

struct ControlSeries {
  bool hasLimits = false;  // false: fewer than two values in the baseline, nothing is judged
  ControlLimits limits;
  std::vector<ControlPoint> points;
};

// The chart of `values` (in the order they were measured).
ControlSeries ComputeControlChart(const std::vector<double>& values, ControlBaseline baseline = {},
                                  ControlRules rules = {});

// "beyond limits", "run on one side", "trend", "moving range beyond limit", joined by ", ".
std::string ControlFlagText(unsigned flags);

}  // namespace p528::hostkit
