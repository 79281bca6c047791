#include "calibration_map.h"

#include <algorithm>
#include <stdexcept>

namespace p528::chrmgen {

CalibrationMap::CalibrationMap(std::vector<double> times, std::vector<double> temperatures,
                               double slopeBeyond)
    : times_(std::move(times)), temps_(std::move(temperatures)), slopeBeyond_(slopeBeyond) {
  if (times_.size() < 2 || temps_.size() != times_.size() || !(slopeBeyond > 0))
    throw std::invalid_argument("calibration: need two or more points");
  for (size_t k = 1; k < times_.size(); ++k)
    if (!(times_[k] > times_[k - 1]) || !(temps_[k] > temps_[k - 1]))
      throw std::invalid_argument("calibration: points must rise in time and temperature");
}

size_t CalibrationMap::SegmentOfTime(double t) const {
  const auto it = std::upper_bound(times_.begin(), times_.end(), t);
  const size_t k = static_cast<size_t>(it - times_.begin());
  return std::clamp<size_t>(k, 1, times_.size() - 1) - 1;
}

double CalibrationMap::TimeAt(double temperature) const {
  if (temperature > temps_.back()) return times_.back() + slopeBeyond_ * (temperature - temps_.back());
  const auto it = std::upper_bound(temps_.begin(), temps_.end(), temperature);
  const size_t k = std::clamp<size_t>(static_cast<size_t>(it - temps_.begin()), 1, temps_.size() - 1) - 1;
  const double s = (times_[k + 1] - times_[k]) / (temps_[k + 1] - temps_[k]);
  return times_[k] + s * (temperature - temps_[k]);
}

double CalibrationMap::TemperatureAt(double t) const {
  if (t < times_.front() || t > times_.back()) return -1.0;
  return TemperatureAtExtended(t);
}

double CalibrationMap::TemperatureAtExtended(double t) const {
  if (t > times_.back()) return temps_.back() + (t - times_.back()) / slopeBeyond_;
  const size_t k = SegmentOfTime(t);
  const double s = (temps_[k + 1] - temps_[k]) / (times_[k + 1] - times_[k]);
  return temps_[k] + s * (t - times_[k]);
}

double CalibrationMap::DegreesPerMinute(double t) const {
  if (t > times_.back()) return 1.0 / slopeBeyond_;
  const size_t k = SegmentOfTime(t);
  return (temps_[k + 1] - temps_[k]) / (times_[k + 1] - times_[k]);
}

}  // namespace p528::chrmgen
