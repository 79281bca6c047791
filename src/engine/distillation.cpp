#include "engine/distillation.h"

#include "engine/calibration.h"
#include "numeric/interpolate.h"
#include "shell/text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>

namespace p528 {

namespace {

// Signed sample index of t: the nearest grid index when t lies within the grid tolerance of
// it, otherwise the truncation toward zero. NaN or a step not above 0 gives 0.
int64_t GridIndex(double t, double start, double step, bool* onGrid) {
  if (onGrid) *onGrid = false;
  if (!(step > 0) || std::isnan(t) || std::isnan(start)) return 0;
  const double q = (t - start) / step;
  if (!std::isfinite(q)) return 0;
  // Beyond any channel a file can hold; keeps the conversions below defined.
  if (std::fabs(q) > 4.0e15) return q > 0 ? INT64_C(4000000000000000) : -INT64_C(4000000000000000);
  const int64_t k = static_cast<int64_t>(std::floor(q + 0.5));
  if (std::fabs(start + static_cast<double>(k) * step - t) <= kGridTolerance) {
    if (onGrid) *onGrid = true;
    return k;
  }
  return static_cast<int64_t>(std::trunc(q));
}

void ReadSampling(const ChrmResult& r, double& start, double& step) {
  start = r.StartTime;
  step = r.Step;
  if (r.File && !r.File->channels.empty()) {
    const ChrmChannel& channel = r.File->channels[0];
    std::lock_guard<std::mutex> lock(*channel.lock);
    start = channel.startTime;
    step = channel.step;
  }
}

}  // namespace

std::size_t SampleIndex(double t, double start, double step, bool* onGrid) {
  if (onGrid) *onGrid = false;
  if (!(t > start)) {
    // Times not after the start map to the first sample; the start itself is on the grid.
    if (onGrid && std::fabs(start - t) <= kGridTolerance) *onGrid = true;
    return 0;
  }
  const int64_t k = GridIndex(t, start, step, onGrid);
  return k > 0 ? static_cast<std::size_t>(k) : 0;
}

double DefaultStepPercent(int32_t method) {
  return (method == AstmD2887A || method == AstmD2887B) ? 5.0 : 10.0;
}

double ZeroLevel(const ChrmChannel& channel, double timeStartSample) {
  std::lock_guard<std::mutex> lock(*channel.lock);
  const double start = channel.startTime;
  const double step = channel.step;
  double a;
  double b;
  if (timeStartSample > 1.0 / 12.0) {
    a = timeStartSample - 1.0 / 12.0;
    b = timeStartSample;
  } else {
    a = start;
    b = 1.0 / 60.0;
  }
  const int64_t i0 = GridIndex(a, start, step, nullptr);
  const int64_t m = GridIndex(b, start, step, nullptr) - i0;
  // The window limited to the recorded samples.
  const int64_t size = static_cast<int64_t>(channel.samples.size());
  const int64_t first = std::clamp<int64_t>(i0, 0, size);
  const int64_t last = std::clamp<int64_t>(i0 + std::max<int64_t>(m, 0), 0, size);
  const int64_t count = last - first;
  if (count <= 0) return 0.0;  // empty window

  double sum = 0;
  for (int64_t i = first; i < last; ++i) sum += static_cast<double>(channel.samples[static_cast<std::size_t>(i)]);
  const double mean = sum / static_cast<double>(count);
  double squares = 0;
  for (int64_t i = first; i < last; ++i) {
    const double d = static_cast<double>(channel.samples[static_cast<std::size_t>(i)]) - mean;
    squares += d * d;
  }
  const double sd = std::sqrt(squares / static_cast<double>(count));
  double inside = 0;
  int64_t insideCount = 0;
  for (int64_t i = first; i < last; ++i) {
    const double x = static_cast<double>(channel.samples[static_cast<std::size_t>(i)]);
    if (mean - sd < x && x < mean + sd) {
      inside += x;
      ++insideCount;
    }
  }
  // A flat window has no sample strictly inside mean ± sd: its level is the mean.
  if (insideCount == 0) return mean;
  return inside / static_cast<double>(insideCount);
}

void SubtractBlank(const ChrmResult& blank, ChrmResult& r) {
  if (blank.File == nullptr || blank.File->channels.empty()) return;
  if (r.File == nullptr || r.File->channels.empty()) return;
  const ChrmChannel& blankChannel = blank.File->channels[0];
  const ChrmChannel& channel = r.File->channels[0];
  std::unique_lock<std::mutex> lockBlank(*blankChannel.lock, std::defer_lock);
  std::unique_lock<std::mutex> lockRun(*channel.lock, std::defer_lock);
  if (&blankChannel == &channel) {
    lockRun.lock();
  } else {
    std::lock(lockBlank, lockRun);
  }
  const std::size_t n = std::min(blankChannel.samples.size(), channel.samples.size());
  r.Signal.assign(n, 0.0);
  r.Times.assign(n, 0.0);
  const double zeroShift = r.ZeroLevel - blank.ZeroLevel;
  for (std::size_t i = 0; i < n; ++i) {
    const double v = static_cast<double>(channel.samples[i]) -
                     static_cast<double>(blankChannel.samples[i]) - zeroShift;
    // std::max(0.0, NaN) is 0: a NaN sample counts as no signal.
    r.Signal[i] = std::max(0.0, v);
    r.Times[i] = static_cast<double>(i) * r.Step + r.StartTime;
  }
}

double SignalAt(const ChrmResult& r, double t) {
  if (t < r.StartTime || std::isnan(t)) return -1.0;
  const std::size_t j = SampleIndex(t, r.StartTime, r.Step);
  if (j >= r.Signal.size()) return -1.0;
  double s0;
  double ds;
  ReadSampling(r, s0, ds);
  const double tg = static_cast<double>(j) * ds + s0;
  if (std::fabs(tg - t) <= kGridTolerance) return r.Signal[j];
  if (j + 1 == r.Signal.size()) return r.Signal[j];
  const double tj = static_cast<double>(j) * r.Step + r.StartTime;
  const double tj1 = static_cast<double>(j + 1) * r.Step + r.StartTime;
  const double s = (r.Signal[j] - r.Signal[j + 1]) / (tj - tj1);
  return r.Signal[j] - s * tj + s * t;
}

double Area(const ChrmResult& r, double t1, double t2) {
  const std::size_t n = r.Signal.size();
  if (n == 0 || !(r.Step > 0) || std::isnan(t1) || std::isnan(t2)) return 0.0;
  // Bounds past the recorded samples are limited to the samples.
  const double last = r.StartTime + static_cast<double>(n - 1) * r.Step;
  t1 = std::clamp(t1, r.StartTime, last);
  t2 = std::clamp(t2, r.StartTime, last);
  if (t2 < t1) return 0.0;

  bool onGrid1 = false;
  bool onGrid2 = false;
  const std::size_t i1 = SampleIndex(t1, r.StartTime, r.Step, &onGrid1);
  const std::size_t i2 = SampleIndex(t2, r.StartTime, r.Step, &onGrid2);
  if (i1 == i2) return 0.0;
  int64_t k = static_cast<int64_t>(i2) - static_cast<int64_t>(i1) + 1;
  if (onGrid1) k = static_cast<int64_t>(i2) - static_cast<int64_t>(i1);
  if (onGrid2) k = k - 1;
  double sum = 0;
  for (int64_t i = 0; i < k && i1 + static_cast<std::size_t>(i) < n; ++i) {
    sum += r.Signal[i1 + static_cast<std::size_t>(i)];
  }
  return r.Step * (0.5 * SignalAt(r, t1) + sum + 0.5 * SignalAt(r, t2));
}

void FindEndTime(ChrmResult& r) {
  const double total = r.TotalArea;
  r.EndTime = -1.0;
  const std::size_t points = r.Signal.size();
  if (points == 0 || r.Times.size() < points) return;
  const double perSecond = 1.0 / (r.Step * 60.0);
  // A step of 0 or below (or NaN) has no window: the rate is undefined.
  if (!(r.Step > 0) || !std::isfinite(perSecond)) {
    r.TotalArea = -1.0;
    return;
  }
  const std::size_t w = perSecond >= static_cast<double>(points)
                            ? points
                            : static_cast<std::size_t>(std::floor(perSecond));
  std::size_t l = points - 1;
  while (l > w) {
    // The earlier window needs samples back to l - 2w: before the first sample the scan
    // ends without a verdict.
    if (l < 2 * w) return;
    double cur = 0;
    double prev = 0;
    for (std::size_t i = 0; i < w; ++i) cur += Area(r, r.Times[l - i - 1], r.Times[l - i]);
    for (std::size_t i = 0; i < w; ++i) prev += Area(r, r.Times[l - i - w - 1], r.Times[l - i - w]);
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

void BuildCurve(ChrmResult& r, int32_t method, const CalibCurve& curve) {
  r.PercentOff.clear();
  r.PointTemp.clear();
  if (!(r.Step > 0) || !(r.EndTime > r.StartTime)) return;  // no end of elution: no curve
  const double divisor = (r.SampleArea > 0 && IsInternalStandard(method)) ? r.SampleArea : r.TotalArea;
  // A curve normalised by nothing has no percentages.
  if (!(divisor > 0) || !std::isfinite(divisor)) return;
  double q = std::floor((r.EndTime - r.StartTime) / r.Step + 0.5);
  // The curve never reaches past the recorded samples.
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
    cumulative = cumulative + Area(r, t, next) / divisor * 100;
    r.PercentOff[i] = cumulative;
    double temp = 0;
    CalibLookup(curve, CalibAxis::Time, r.Times[i], temp);
    r.PointTemp[i] = temp;
    t = next;
  }
}

DistPoint PointAtPercent(const ChrmResult& r, double p, const CalibCurve& curve) {
  DistPoint missing{-1.0, -1.0, p};
  const std::size_t n = std::min(r.PercentOff.size(), r.Times.size());
  if (n == 0 || p < r.PercentOff.front() || p > r.PercentOff[n - 1]) return missing;
  double time = -1.0;
  if (n > static_cast<std::size_t>(INT32_MAX)) return missing;
  if (!BisectInterpolate(r.PercentOff.data(), r.Times.data(), static_cast<int>(n), p, time)) {
    return missing;
  }
  double temp = -1.0;
  if (!CalibLookup(curve, CalibAxis::Time, time, temp)) return missing;
  return DistPoint{time, temp, p};
}

void BuildPointTable(ChrmResult& r, std::string& stepPercent, int useDefault, int32_t method,
                     const CalibCurve& curve) {
  r.PointTable.clear();
  r.Ibp = PointAtPercent(r, 0.5, curve);
  r.Fbp = DistPoint{-1.0, -1.0, -1.0};
  r.LastPoint = DistPoint();
  // Without a curve there is no table (and so no initial boiling point).
  if (r.PercentOff.empty() || !std::isfinite(r.PercentOff.back())) return;
  double maxPct = r.PercentOff.back();
  if (maxPct > 99.5) {
    r.Fbp = PointAtPercent(r, 99.5, curve);
    maxPct = 99.5;
  }
  double s = useDefault == 0 ? DecimalPrefix(stepPercent) : DefaultStepPercent(method);
  if (s > maxPct) {
    s = std::floor(maxPct * 0.5);
    stepPercent = Format("%.1f", s);
  }
  // A step of 0 or below gives no intermediate points.
  int64_t count = 0;
  if (s > 0 && std::isfinite(s)) {
    const double top = std::floor(maxPct / s);
    const double low = std::floor(0.5 / s);
    // The settings dialog keeps the step at 0.1 % or more; a step typed far below that
    // elsewhere must not make the table (and every list built from it) unbounded.
    const double limit = 1.0e5;
    count = static_cast<int64_t>(std::min(top, limit)) - static_cast<int64_t>(std::min(low, limit));
    if (count < 0) count = 0;
  }
  r.PointTable.push_back(PointAtPercent(r, 0.5, curve));
  if (useDefault == 1 && method != AstmD2887A && method != AstmD2887B) {
    r.PointTable.push_back(PointAtPercent(r, 5.0, curve));
  }
  for (int64_t k = 1; k <= count; ++k) {
    const double p = static_cast<double>(k) * s;
    if (p <= 0.5) {
      ++count;
      continue;
    }
    if (p >= 99.5) break;
    r.PointTable.push_back(PointAtPercent(r, p, curve));
    if (useDefault == 1) {
      if ((method == Gost56720A || method == Iso3924) && p == 10.0) {
        r.PointTable.push_back(PointAtPercent(r, 15.0, curve));
      }
      if (p == 90.0) break;
    }
  }
  // The entry `count - 1` (entry 0 being the initial boiling point); an index outside the
  // table counts as a different percent.
  const bool sameAsEntry = count >= 1 && static_cast<std::size_t>(count - 1) < r.PointTable.size() &&
                           r.PointTable[static_cast<std::size_t>(count - 1)].percent == maxPct;
  if (!sameAsEntry) r.LastPoint = PointAtPercent(r, maxPct, curve);
  if (useDefault == 1 && method != Gost54291) r.PointTable.push_back(PointAtPercent(r, 95.0, curve));
  if (IsAreaNormalisation(method)) r.PointTable.push_back(PointAtPercent(r, 99.5, curve));
}

void ExtendPointTemp(ChrmResult& r) {
  std::vector<double>& v = r.PointTemp;
  const auto first = std::find_if(v.begin(), v.end(), [](double x) { return x != 0; });
  if (first == v.end()) return;
  std::fill(v.begin(), first, *first);
  const auto last = std::find_if(v.rbegin(), v.rend(), [](double x) { return x != 0; });
  std::fill(v.rbegin(), last, *last);
}

}  // namespace p528
