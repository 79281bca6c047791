#include "host/kit/register/control_chart.h"

#include <algorithm>
#include <cmath>

namespace p528::hostkit {

namespace {

constexpr double kLimitFactor = 2.66;        // 3 / d2, d2 = 1.128 for ranges of two
constexpr double kRangeLimitFactor = 3.267;  // D4 for ranges of two

void FlagRuns(std::vector<ControlPoint>& points, double centre, std::size_t runLength) {
  std::size_t run = 0;
  int side = 0;
  for (ControlPoint& point : points) {
    const int here = point.value > centre ? 1 : point.value < centre ? -1 : 0;
    run = here != 0 && here == side ? run + 1 : (here != 0 ? 1 : 0);
    side = here;
    if (runLength > 0 && run >= runLength) point.flags |= RunOnOneSide;
  }
}

void FlagTrends(std::vector<ControlPoint>& points, std::size_t trendLength) {
  std::size_t run = 1;
  int direction = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double step = points[i].value - points[i - 1].value;
    const int here = step > 0 ? 1 : step < 0 ? -1 : 0;
    run = here != 0 && here == direction ? run + 1 : (here != 0 ? 2 : 1);
    direction = here;
    if (trendLength > 1 && run >= trendLength) points[i].flags |= Trend;
  }
}

}  // namespace

ControlSeries ComputeControlChart(const std::vector<double>& values, ControlBaseline baseline,
                                  ControlRules rules) {
  ControlSeries series;
  for (std::size_t i = 0; i < values.size(); ++i) {
    ControlPoint point;
    point.value = values[i];
    if (i > 0) point.movingRange = std::fabs(values[i] - values[i - 1]);
    series.points.push_back(point);
  }

  const std::size_t first = std::min(baseline.first, values.size());
  const std::size_t count = std::min(baseline.count, values.size() - first);
  if (count < 2) return series;
  double sum = 0.0;
  for (std::size_t i = first; i < first + count; ++i) sum += values[i];
  double rangeSum = 0.0;
  for (std::size_t i = first + 1; i < first + count; ++i) rangeSum += series.points[i].movingRange;

  ControlLimits& limits = series.limits;
  limits.centre = sum / static_cast<double>(count);
  limits.movingRangeMean = rangeSum / static_cast<double>(count - 1);
  limits.upper = limits.centre + kLimitFactor * limits.movingRangeMean;
  limits.lower = limits.centre - kLimitFactor * limits.movingRangeMean;
  limits.movingRangeUpper = kRangeLimitFactor * limits.movingRangeMean;
  limits.baselineFirst = first;
  limits.baselineCount = count;
  limits.provisional = count < baseline.count;
  series.hasLimits = true;

  for (ControlPoint& point : series.points) {
    if (point.value > limits.upper || point.value < limits.lower) point.flags |= BeyondLimits;
    if (point.movingRange > limits.movingRangeUpper) point.flags |= MovingRangeBeyondLimit;
  }
  FlagRuns(series.points, limits.centre, rules.runLength);
  FlagTrends(series.points, rules.trendLength);
  return series;
}

std::string ControlFlagText(unsigned flags) {
  static constexpr struct {
    unsigned flag;
    const char* text;
  } kTexts[] = {{BeyondLimits, "beyond limits"},
                {RunOnOneSide, "run on one side"},
                {Trend, "trend"},
                {MovingRangeBeyondLimit, "moving range beyond limit"}};
  std::string text;
  for (const auto& entry : kTexts) {
    if ((flags & entry.flag) == 0) continue;
    if (!text.empty()) text += ", ";
    text += entry.text;
  }
  return text;
}

}  // namespace p528::hostkit
