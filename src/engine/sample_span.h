// The blank-corrected signal of one record with the sampling of its channel read once: what
// SignalAt and Area need, taken once per pass (a whole curve, a whole end-of-elution scan)
// instead of once per sample. The channel's lock is held only while its start and interval
// are read, in the constructor.
//
// The arithmetic is the one of SignalAt and Area, step for step, so every result is the
// same double; what a pass saves is the lock, the repeated index conversions and, through
// SampleBound, the signal read at a bound shared by two neighbouring intervals.
//
// The span points into the record's Signal: it is valid while that vector is not changed.
// User-interface thread only, like the record.
#pragma once

#include "engine/distillation.h"
#include "engine/records.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace p528 {

// The conversion of a time to its sample index (SampleIndex of distillation.h), inline
// because it runs for every bound of every Area.
namespace sample_grid {

// An index as a double: the same value as static_cast<double>(i) for every index a vector
// can hold, through the signed conversion, which is one instruction.
inline double IndexValue(std::size_t i) { return static_cast<double>(static_cast<int64_t>(i)); }

// floor(x) as an integer for |x| below 2^53, without a call into the maths library. The
// conversion truncates toward zero; one less when that rounded a negative value up.
inline int64_t FloorToInt(double x) {
  const int64_t k = static_cast<int64_t>(x);
  return static_cast<double>(k) > x ? k - 1 : k;
}

// Signed sample index of t: the nearest grid index when t lies within the grid tolerance of
// it, otherwise the truncation toward zero. NaN or a step not above 0 gives 0.
inline int64_t SignedIndex(double t, double start, double step, bool* onGrid) {
  if (onGrid) *onGrid = false;
  if (!(step > 0) || std::isnan(t) || std::isnan(start)) return 0;
  const double q = (t - start) / step;
  if (!std::isfinite(q)) return 0;
  // Beyond any channel a file can hold; keeps the conversions below defined.
  if (std::fabs(q) > 4.0e15) return q > 0 ? INT64_C(4000000000000000) : -INT64_C(4000000000000000);
  const int64_t k = FloorToInt(q + 0.5);
  if (std::fabs(start + static_cast<double>(k) * step - t) <= kGridTolerance) {
    if (onGrid) *onGrid = true;
    return k;
  }
  return static_cast<int64_t>(q);  // truncation toward zero
}

// SampleIndex: times not after the start map to the first sample (the start itself is on
// the grid).
inline std::size_t Index(double t, double start, double step, bool* onGrid) {
  if (onGrid) *onGrid = false;
  if (!(t > start)) {
    if (onGrid && std::fabs(start - t) <= kGridTolerance) *onGrid = true;
    return 0;
  }
  const int64_t k = SignedIndex(t, start, step, onGrid);
  return k > 0 ? static_cast<std::size_t>(k) : 0;
}

}  // namespace sample_grid

// A time limited to the recorded samples, with its sample index and the signal there, as
// Area uses it for one of its bounds.
struct SampleBound {
  double time = 0;        // limited to [StartTime, last sample time], min
  std::size_t index = 0;  // SampleIndex of time
  bool onGrid = false;    // time is a sample time (within the grid tolerance)
  double signal = -1.0;   // SignalAt(time)
  bool valid = false;     // false: Area over this bound is 0 (no samples, no step, NaN)
};

class SampleSpan {
 public:
  explicit SampleSpan(const ChrmResult& r);

  // SignalAt(r, t).
  double SignalAt(double t) const;
  // The bound t of an Area call.
  SampleBound Bound(double t) const;
  // Area(r, t1, t2) for bounds made by Bound(t1) and Bound(t2).
  double Area(const SampleBound& b1, const SampleBound& b2) const;
  // Area(r, StartTime, t). The running sum from the first sample is kept at every
  // kCheckpoint-th sample, so a later call for another t (the total up to the last sample,
  // then up to the end of elution) sums only on from the checkpoint before its bound: in
  // the same order, so to the same double.
  double AreaFromStart(double t);

  // True when t is sample time i, StartTime + i × Step, on a grid where Bound(t) is known
  // without converting t: sample i, on the grid, its own signal (see regular_).
  bool IsGridTime(std::size_t i, double t) const {
    return IsGridIndex(i) && t == start_ + sample_grid::IndexValue(i) * step_;
  }
  // Whether sample i has a grid time (IsGridTime holds for StartTime + i × Step).
  bool IsGridIndex(std::size_t i) const { return regular_ && i < size_; }
  // Bound(t) for a t that IsGridTime(i, t).
  SampleBound GridBound(std::size_t i) const {
    return SampleBound{start_ + sample_grid::IndexValue(i) * step_, i, true, signal_[i], true};
  }
  // Area between sample times i and i + 1 when both are grid times: the trapezoid
  // Step × (0.5·y(i) + 0 + 0.5·y(i + 1)), the inner sum of Area being empty.
  double GridArea(std::size_t i) const {
    const double sum = 0;
    return step_ * (0.5 * signal_[i] + sum + 0.5 * signal_[i + 1]);
  }
  // Area(r, t0, t1) for neighbouring sample times t0 = Times[j - 1] and t1 = Times[j].
  double AreaBetweenSamples(double t0, double t1, std::size_t j) const {
    if (IsGridTime(j - 1, t0) && IsGridTime(j, t1)) return GridArea(j - 1);
    return Area(Bound(t0), Bound(t1));
  }

 private:
  static constexpr std::size_t kCheckpoint = 4096;

  double SignalAtIndex(double t, std::size_t j) const;
  // The number of samples Area sums between the bounds, from b1.index on (0 or below: none).
  int64_t SummedCount(const SampleBound& b1, const SampleBound& b2) const;
  // Step × (0.5·y(t1) + sum + 0.5·y(t2)), Area's formula.
  double Trapezoid(const SampleBound& b1, const SampleBound& b2, double sum) const {
    return step_ * (0.5 * b1.signal + sum + 0.5 * b2.signal);
  }

  const double* signal_;
  std::size_t size_;
  double start_;      // the record's StartTime
  double step_;       // the record's Step
  double gridStart_;  // start time of channel 0 (the record's without a channel)
  double gridStep_;   // sampling interval of channel 0 (the record's without a channel)
  double last_;       // time of the last sample
  // The channel's grid is the record's and the grid is fine enough against its start and
  // length (start / step + samples below 2^40) that converting the time StartTime + i × Step
  // back always gives sample i exactly on the grid: its rounding errors stay below 2^-11 of
  // a step, far inside the half step that would change the index.
  bool regular_ = false;
  // checkpoints_[m]: the running sum of samples 0 .. m × kCheckpoint - 1 (AreaFromStart).
  std::vector<double> checkpoints_;
};

// Inline: these run once per sample interval of a pass.
inline double SampleSpan::SignalAtIndex(double t, std::size_t j) const {
  if (j >= size_) return -1.0;
  const double tg = sample_grid::IndexValue(j) * gridStep_ + gridStart_;
  if (std::fabs(tg - t) <= kGridTolerance) return signal_[j];
  if (j + 1 == size_) return signal_[j];
  const double tj = sample_grid::IndexValue(j) * step_ + start_;
  const double tj1 = sample_grid::IndexValue(j + 1) * step_ + start_;
  const double s = (signal_[j] - signal_[j + 1]) / (tj - tj1);
  return signal_[j] - s * tj + s * t;
}

inline SampleBound SampleSpan::Bound(double t) const {
  SampleBound b;
  if (size_ == 0 || !(step_ > 0) || std::isnan(t)) return b;
  // Bounds past the recorded samples are limited to the samples.
  b.time = std::clamp(t, start_, last_);
  b.index = sample_grid::Index(b.time, start_, step_, &b.onGrid);
  // SignalAt converts the same time to the same index.
  b.signal = (b.time < start_ || std::isnan(b.time)) ? -1.0 : SignalAtIndex(b.time, b.index);
  b.valid = true;
  return b;
}

inline int64_t SampleSpan::SummedCount(const SampleBound& b1, const SampleBound& b2) const {
  const std::size_t i1 = b1.index;
  const std::size_t i2 = b2.index;
  int64_t k = static_cast<int64_t>(i2) - static_cast<int64_t>(i1) + 1;
  if (b1.onGrid) k = static_cast<int64_t>(i2) - static_cast<int64_t>(i1);
  if (b2.onGrid) k = k - 1;
  const int64_t room = i1 < size_ ? static_cast<int64_t>(size_ - i1) : 0;
  return std::min(k, room);
}

inline double SampleSpan::Area(const SampleBound& b1, const SampleBound& b2) const {
  if (!b1.valid || !b2.valid) return 0.0;
  if (b2.time < b1.time) return 0.0;
  if (b1.index == b2.index) return 0.0;
  // The sum starts at i1 also when t1 lies between samples.
  const double* x = signal_ + (b1.index < size_ ? b1.index : 0);
  double sum = 0;
  for (int64_t i = 0, count = SummedCount(b1, b2); i < count; ++i) sum += x[i];
  return Trapezoid(b1, b2, sum);
}

}  // namespace p528
