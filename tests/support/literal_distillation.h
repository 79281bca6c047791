// The integration rules of the distillation primitives exactly as written, one sample read
// at a time: the channel's sampling read under its lock at every signal read, the
// calibration bisected at every lookup, every Area summed on its own. The engine's own
// functions share this work across a pass; the tests compare both bit for bit.
//
// Slow on purpose: a reference for tests, never used by the program.
#pragma once

#include "engine/calibration.h"
#include "engine/distillation.h"
#include "numeric/interpolate.h"
#include "workbench/analysis.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <mutex>

namespace p528::literal {

inline bool CalibLookup(const CalibCurve& curve, CalibAxis from, double value, double& result) {
  if (!curve.registered) return false;
  const std::size_t n = curve.times.size();
  if (n == 0 || curve.temps.size() != n || n > static_cast<std::size_t>(INT_MAX)) return false;
  const bool byTime = from == CalibAxis::Time;
  const double* r = byTime ? curve.times.data() : curve.temps.data();
  const double* t = byTime ? curve.temps.data() : curve.times.data();
  if (std::isnan(value)) return false;
  int lo = 0;
  int hi = static_cast<int>(n) - 1;
  for (int pass = 0; pass < static_cast<int>(n); ++pass) {
    if (r[hi] < value || value < r[lo]) return false;
    if (hi - lo <= 1) break;
    const int h = (hi - lo) / 2;
    if (r[hi - h] >= value) {
      hi = hi - h;
    } else {
      lo = lo + h;
    }
  }
  if (hi - lo > 1) return false;
  if (r[lo] == r[hi]) return false;
  const double s = (t[lo] - t[hi]) / (r[lo] - r[hi]);
  result = t[lo] - r[lo] * s + s * value;
  return true;
}

inline int64_t GridIndex(double t, double start, double step, bool* onGrid) {
  if (onGrid) *onGrid = false;
  if (!(step > 0) || std::isnan(t) || std::isnan(start)) return 0;
  const double q = (t - start) / step;
  if (!std::isfinite(q)) return 0;
  if (std::fabs(q) > 4.0e15) return q > 0 ? INT64_C(4000000000000000) : -INT64_C(4000000000000000);
  const int64_t k = static_cast<int64_t>(std::floor(q + 0.5));
  if (std::fabs(start + static_cast<double>(k) * step - t) <= kGridTolerance) {
    if (onGrid) *onGrid = true;
    return k;
  }
  return static_cast<int64_t>(std::trunc(q));
}

inline std::size_t SampleIndex(double t, double start, double step, bool* onGrid = nullptr) {
  if (onGrid) *onGrid = false;
  if (!(t > start)) {
    if (onGrid && std::fabs(start - t) <= kGridTolerance) *onGrid = true;
    return 0;
  }
  const int64_t k = GridIndex(t, start, step, onGrid);
  return k > 0 ? static_cast<std::size_t>(k) : 0;
}

inline double SignalAt(const ChrmResult& r, double t) {
  if (t < r.StartTime || std::isnan(t)) return -1.0;
  const std::size_t j = literal::SampleIndex(t, r.StartTime, r.Step);
  if (j >= r.Signal.size()) return -1.0;
  double s0 = r.StartTime;
  double ds = r.Step;
  if (r.File && !r.File->channels.empty()) {
    const ChrmChannel& channel = r.File->channels[0];
    std::lock_guard<std::mutex> lock(*channel.lock);
    s0 = channel.startTime;
    ds = channel.step;
  }
  const double tg = static_cast<double>(j) * ds + s0;
  if (std::fabs(tg - t) <= kGridTolerance) return r.Signal[j];
  if (j + 1 == r.Signal.size()) return r.Signal[j];
  const double tj = static_cast<double>(j) * r.Step + r.StartTime;
  const double tj1 = static_cast<double>(j + 1) * r.Step + r.StartTime;
  const double s = (r.Signal[j] - r.Signal[j + 1]) / (tj - tj1);
  return r.Signal[j] - s * tj + s * t;
}

inline double Area(const ChrmResult& r, double t1, double t2) {
  const std::size_t n = r.Signal.size();
  if (n == 0 || !(r.Step > 0) || std::isnan(t1) || std::isnan(t2)) return 0.0;
  const double last = r.StartTime + static_cast<double>(n - 1) * r.Step;
  t1 = std::clamp(t1, r.StartTime, last);
  t2 = std::clamp(t2, r.StartTime, last);
  if (t2 < t1) return 0.0;
  bool onGrid1 = false;
  bool onGrid2 = false;
  const std::size_t i1 = literal::SampleIndex(t1, r.StartTime, r.Step, &onGrid1);
  const std::size_t i2 = literal::SampleIndex(t2, r.StartTime, r.Step, &onGrid2);
  if (i1 == i2) return 0.0;
  int64_t k = static_cast<int64_t>(i2) - static_cast<int64_t>(i1) + 1;
  if (onGrid1) k = static_cast<int64_t>(i2) - static_cast<int64_t>(i1);
  if (onGrid2) k = k - 1;
  double sum = 0;
  for (int64_t i = 0; i < k && i1 + static_cast<std::size_t>(i) < n; ++i) {
    sum += r.Signal[i1 + static_cast<std::size_t>(i)];
  }
  return r.Step * (0.5 * literal::SignalAt(r, t1) + sum + 0.5 * literal::SignalAt(r, t2));
}

inline void FindEndTime(ChrmResult& r) {
  const double total = r.TotalArea;
  r.EndTime = -1.0;
  const std::size_t points = r.Signal.size();
  if (points == 0 || r.Times.size() < points) return;
  const double perSecond = 1.0 / (r.Step * 60.0);
  if (!(r.Step > 0) || !std::isfinite(perSecond)) {
    r.TotalArea = -1.0;
    return;
  }
  const std::size_t w =
      perSecond >= static_cast<double>(points) ? points : static_cast<std::size_t>(std::floor(perSecond));
  std::size_t l = points - 1;
  while (l > w) {
    if (l < 2 * w) return;
    double cur = 0;
    double prev = 0;
    for (std::size_t i = 0; i < w; ++i) cur += literal::Area(r, r.Times[l - i - 1], r.Times[l - i]);
    for (std::size_t i = 0; i < w; ++i) prev += literal::Area(r, r.Times[l - i - w - 1], r.Times[l - i - w]);
    const double wd = static_cast<double>(w);
    const double rate = std::fabs(cur / wd - prev / wd) / (r.Step * 60.0) / total * 100.0;
    if (std::isnan(rate)) {
      r.TotalArea = -1.0;
      r.EndTime = -1.0;
      return;
    }
    if (rate > 0.0001) {
      r.EndTime = r.Times[l];
      return;
    }
    l -= w;
  }
}

inline void BuildCurve(ChrmResult& r, int32_t method, const CalibCurve& curve) {
  r.PercentOff.clear();
  r.PointTemp.clear();
  if (!(r.Step > 0) || !(r.EndTime > r.StartTime)) return;
  const double divisor = (r.SampleArea > 0 && IsInternalStandard(method)) ? r.SampleArea : r.TotalArea;
  if (!(divisor > 0) || !std::isfinite(divisor)) return;
  double q = std::floor((r.EndTime - r.StartTime) / r.Step + 0.5);
  const double available = static_cast<double>(r.Times.size());
  if (!(q <= available)) q = available;
  const std::size_t n = static_cast<std::size_t>(q);
  r.PercentOff.assign(n, 0.0);
  r.PointTemp.assign(n, 0.0);
  double cumulative = 0;
  double t = r.StartTime;
  for (std::size_t i = 0; i < n; ++i) {
    double next = std::min(r.EndTime, r.StartTime + static_cast<double>(i + 1) * r.Step);
    if (i + 1 == n) next = r.EndTime;
    cumulative = cumulative + literal::Area(r, t, next) / divisor * 100;
    r.PercentOff[i] = cumulative;
    double temp = 0;
    literal::CalibLookup(curve, CalibAxis::Time, r.Times[i], temp);
    r.PointTemp[i] = temp;
    t = next;
  }
}

}  // namespace p528::literal
