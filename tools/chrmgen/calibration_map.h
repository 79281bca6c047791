// The retention-time <-> boiling-point relation that a calculation builds from a generated
// set: straight lines between the calibration points (the C1-C4 times as the user types
// them, then the n-paraffin peaks of the calibration run), exactly as the calculation
// interpolates. The generator places the sample's boiling-point distribution through this
// same relation, so a calculation gives back the boiling points it was built from.
//
// Beyond the last point the column's linear programme continues (times after the heaviest
// calibration component); such temperatures are outside what a calculation can convert.
#pragma once

#include <cstddef>
#include <vector>

namespace p528::chrmgen {

class CalibrationMap {
 public:
  CalibrationMap() = default;
  // Points in elution order: times strictly increasing, temperatures strictly increasing.
  // `slopeBeyond`: minutes per degree after the last point. Throws std::invalid_argument.
  CalibrationMap(std::vector<double> times, std::vector<double> temperatures, double slopeBeyond);

  // Time at which a compound boiling at `temperature` elutes (extrapolated outside).
  double TimeAt(double temperature) const;
  // Boiling point at time t, or -1.0 outside the calibration points (as a calculation does).
  double TemperatureAt(double t) const;
  // Boiling point at time t, extrapolated outside the points.
  double TemperatureAtExtended(double t) const;
  // Degrees per minute at time t (of the segment holding t).
  double DegreesPerMinute(double t) const;

  double FirstTime() const { return times_.front(); }
  double LastTime() const { return times_.back(); }
  const std::vector<double>& Times() const { return times_; }
  const std::vector<double>& Temperatures() const { return temps_; }

 private:
  size_t SegmentOfTime(double t) const;

  std::vector<double> times_, temps_;
  double slopeBeyond_ = 0;
};

}  // namespace p528::chrmgen
