#include "engine/sample_span.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>

namespace p528 {

SampleSpan::SampleSpan(const ChrmResult& r)
    : signal_(r.Signal.data()),
      size_(r.Signal.size()),
      start_(r.StartTime),
      step_(r.Step),
      gridStart_(r.StartTime),
      gridStep_(r.Step),
      last_(size_ > 0 ? r.StartTime + static_cast<double>(size_ - 1) * r.Step : r.StartTime) {
  if (r.File && !r.File->channels.empty()) {
    const ChrmChannel& channel = r.File->channels[0];
    std::lock_guard<std::mutex> lock(*channel.lock);
    gridStart_ = channel.startTime;
    gridStep_ = channel.step;
  }
  regular_ = size_ > 0 && step_ > 0 && std::isfinite(step_) && std::isfinite(start_) &&
             gridStart_ == start_ && gridStep_ == step_ &&
             (std::fabs(start_) + sample_grid::IndexValue(size_) * step_) / step_ < 0x1p40;
}

double SampleSpan::SignalAt(double t) const {
  if (t < start_ || std::isnan(t)) return -1.0;
  return SignalAtIndex(t, sample_grid::Index(t, start_, step_, nullptr));
}

double SampleSpan::AreaFromStart(double t) {
  const SampleBound b1 = Bound(start_);
  const SampleBound b2 = Bound(t);
  if (!b1.valid || !b2.valid || b2.time < b1.time || b1.index == b2.index) return Area(b1, b2);
  if (b1.index != 0) return Area(b1, b2);
  const int64_t count = SummedCount(b1, b2);
  if (count <= 0) return Trapezoid(b1, b2, 0.0);
  const auto samples = static_cast<std::size_t>(count);
  // Checkpoints up to the one before the bound, each summed on from the one before it.
  if (checkpoints_.empty()) checkpoints_.push_back(0.0);
  while ((checkpoints_.size() - 1) < samples / kCheckpoint) {
    const std::size_t first = (checkpoints_.size() - 1) * kCheckpoint;
    double sum = checkpoints_.back();
    for (std::size_t j = first; j < first + kCheckpoint; ++j) sum += signal_[j];
    checkpoints_.push_back(sum);
  }
  const std::size_t from = samples / kCheckpoint;
  double sum = checkpoints_[from];
  for (std::size_t j = from * kCheckpoint; j < samples; ++j) sum += signal_[j];
  return Trapezoid(b1, b2, sum);
}

}  // namespace p528
