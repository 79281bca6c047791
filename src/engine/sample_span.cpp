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

}  // namespace p528
