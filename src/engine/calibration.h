// The calibration: the retention-time/boiling-point relation of the n-paraffin calibration
// run (CalibCurve) and the one lookup the whole engine uses to turn a time into a
// temperature and back (CalibLookup); the checks of the calibration and check runs fill
// the rest of CalcCalibration.
//
// Times in minutes, temperatures in °C.
#pragma once

#include "chromatogram/chrm_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace p528 {

struct CalcResult;

// Two equally long vectors in component-table order. `registered`: the curve was built by
// BuildCalibration; false when there was no calibration run, and then every lookup fails.
struct CalibCurve {
  std::vector<double> times;  // retention time, min
  std::vector<double> temps;  // boiling temperature, °C
  bool registered = false;
};

enum class CalibAxis { Time, Temp };

// Linear interpolation on the curve from `from` to the other axis: result = t[lo] - r[lo]·s
// + s·v. Both ends inclusive, no extrapolation. On failure (curve empty or not registered,
// v outside, a flat bracketing pair) returns false and leaves `result` untouched.
bool CalibLookup(const CalibCurve& curve, CalibAxis from, double value, double& result);

// Internal-standard window from the C14 and C17 peaks (0 when the peak is missing).
struct IsWindowRange {
  double start = 0.0;  // min
  double end = 0.0;    // min
};

// One peak of the check mixture with its relative response factor (filled by the checks).
// The row keeps copies of what it shows, never pointers into the check run or the component
// table, so a row kept from an earlier calibration can never read a chromatogram that is no
// longer loaded.
struct ResponseRow {
  std::string peakName;        // the peak's name
  double peakArea = 0.0;       // the peak's area
  bool hasComponent = false;   // a component row matched the peak
  std::string componentName;   // its additional name, in the interface's letters
  double componentMass = 0.0;  // its mass in the check mixture, mg
  double factor = 0.0;         // 0 when not computed
  uint8_t ok = 0;              // 1 when judged within the limits
};

// Width at half height of `peak` in `channel`, minutes (0 when an index is outside).
double HalfHeightWidth(const ChrmChannel& channel, const ChrmPeak& peak);

// Only when calibration.CalibrationChrm is set: matches the run's peaks to the result's
// component table (rows 0-3 keep the C1-C4 times unless a peak matches them, the other rows
// forget earlier times), builds and registers the curve, then runs the calibration checks
// (resolution and window, response factors).
void BuildCalibration(CalcResult& engine);

}  // namespace p528
