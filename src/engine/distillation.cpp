#include "engine/distillation.h"

#include "engine/calib_walk.h"
#include "engine/calibration.h"
#include "engine/sample_span.h"
#include "numeric/interpolate.h"
#include "shell/text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <mutex>
#include <vector>

namespace p528 {

namespace {

// The values f(0), f(1), ... as a forward range, for FillWith.
template <typename F>
struct GeneratedValues {
  using iterator_category = std::forward_iterator_tag;
  using value_type = double;
  using difference_type = std::ptrdiff_t;
  using pointer = const double*;
  using reference = double;
  std::size_t i;
  const F* f;
  double operator*() const { return (*f)(i); }
  GeneratedValues& operator++() {
    ++i;
    return *this;
  }
  GeneratedValues operator++(int) {
    GeneratedValues before = *this;
    ++i;
    return before;
  }
  bool operator==(const GeneratedValues& other) const { return i == other.i; }
};

// Sets v to f(0), f(1), ..., f(n - 1) in one pass: assign from a range writes each entry
// once, where resize would zero them all first.
template <typename F>
void FillWith(std::vector<double>& v, std::size_t n, F f) {
  v.assign(GeneratedValues<F>{0, &f}, GeneratedValues<F>{n, &f});
}

int64_t GridIndex(double t, double start, double step, bool* onGrid) {
  return sample_grid::SignedIndex(t, start, step, onGrid);
}

}  // namespace

std::size_t SampleIndex(double t, double start, double step, bool* onGrid) {
  return sample_grid::Index(t, start, step, onGrid);
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
  for (int64_t i = first; i < last; ++i)
    sum += static_cast<double>(channel.samples[static_cast<std::size_t>(i)]);
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
  // Written once, without zeroing them first: these vectors are as long as the runs, and
  // the calculation waits on memory more than on arithmetic.
  const double zeroShift = r.ZeroLevel - blank.ZeroLevel;
  const float* x = channel.samples.data();
  const float* xBlank = blankChannel.samples.data();
  // std::max(0.0, NaN) is 0: a NaN sample counts as no signal.
  FillWith(r.Signal, n, [&](std::size_t i) {
    return std::max(0.0, static_cast<double>(x[i]) - static_cast<double>(xBlank[i]) - zeroShift);
  });
  const double start = r.StartTime;
  const double step = r.Step;
  FillWith(r.Times, n, [&](std::size_t i) { return sample_grid::IndexValue(i) * step + start; });
}

double SignalAt(const ChrmResult& r, double t) { return SampleSpan(r).SignalAt(t); }

double Area(const ChrmResult& r, double t1, double t2) {
  const SampleSpan span(r);
  return span.Area(span.Bound(t1), span.Bound(t2));
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
  const std::size_t w =
      perSecond >= static_cast<double>(points) ? points : static_cast<std::size_t>(std::floor(perSecond));
  const SampleSpan span(r);
  // Sum of the w interval areas Area(Times[l - i - 1], Times[l - i]), i = 0 .. w - 1, in that
  // order.
  const double* times = r.Times.data();
  auto windowArea = [&](std::size_t l) {
    double sum = 0;
    for (std::size_t i = 0; i < w; ++i) {
      const std::size_t j = l - i;
      sum += span.AreaBetweenSamples(times[j - 1], times[j], j);
    }
    return sum;
  };
  std::size_t l = points - 1;
  bool haveCur = false;
  double cur = 0;
  while (l > w) {
    // The earlier window needs samples back to l - 2w: before the first sample the scan
    // ends without a verdict.
    if (l < 2 * w) return;
    // The earlier window of one step is the current window of the next: summed once.
    if (!haveCur) cur = windowArea(l);
    const double prev = windowArea(l - w);
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
    cur = prev;
    haveCur = true;
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
  r.PercentOff.reserve(n);
  r.PointTemp.reserve(n);
  // One pass: the end of one interval is the start of the next, and the interval start
  // times ascend, so the calibration is walked, not bisected. Between two sample times the
  // area is the grid's trapezoid; other bounds are converted once each.
  const SampleSpan span(r);
  CalibWalk temperatures(curve, CalibAxis::Time);
  const double* times = r.Times.data();
  double cumulative = 0;
  SampleBound from = span.Bound(r.StartTime);
  bool fromGrid = span.IsGridTime(0, r.StartTime);
  for (std::size_t i = 0; i < n; ++i) {
    const double gridTime = r.StartTime + sample_grid::IndexValue(i + 1) * r.Step;
    double next = std::min(r.EndTime, gridTime);
    if (i + 1 == n) next = r.EndTime;
    const bool toGrid = span.IsGridIndex(i + 1) && next == gridTime;
    double area;
    if (fromGrid && toGrid) {
      area = span.GridArea(i);
    } else {
      const SampleBound lower = fromGrid ? span.GridBound(i) : from;
      const SampleBound upper = toGrid ? span.GridBound(i + 1) : span.Bound(next);
      area = span.Area(lower, upper);
      from = upper;
    }
    fromGrid = toGrid;
    cumulative = cumulative + area / divisor * 100;
    r.PercentOff.push_back(cumulative);
    double temp = 0;
    temperatures.Lookup(times[i], temp);
    r.PointTemp.push_back(temp);
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

std::optional<double> BuildPointTable(ChrmResult& r, double stepPercent, int useDefault, int32_t method,
                                      const CalibCurve& curve) {
  r.PointTable.clear();
  r.Ibp = PointAtPercent(r, 0.5, curve);
  r.Fbp = DistPoint{-1.0, -1.0, -1.0};
  r.LastPoint = DistPoint();
  // Without a curve there is no table (and so no initial boiling point).
  if (r.PercentOff.empty() || !std::isfinite(r.PercentOff.back())) return std::nullopt;
  double maxPct = r.PercentOff.back();
  if (maxPct > 99.5) {
    r.Fbp = PointAtPercent(r, 99.5, curve);
    maxPct = 99.5;
  }
  double s = useDefault == 0 ? stepPercent : DefaultStepPercent(method);
  std::optional<double> taken;
  if (s > maxPct) {
    s = std::floor(maxPct * 0.5);
    taken = s;
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
  return taken;
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
