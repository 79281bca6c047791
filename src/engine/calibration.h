// The calibration: the retention-time/boiling-point relation of the n-paraffin calibration
// run (CalibCurve), the one lookup the whole engine uses to turn a time into a temperature
// and back (CalibLookup), and the Qt-free model of the calibration tab (CalibrationTab):
// its curve, the C1-C4 and calculator texts, the resolution, the internal-standard window,
// the response-factor rows and the points list.
//
// The tab owns the curve vectors. The engine draws nothing: the workbench shows the curve
// in its calibration chart by pointers into these vectors, so the chart and CalibLookup
// always see the same data. Times in minutes, temperatures in °C. User-interface thread
// only.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram/component_table.h"
#include "lists/table_model.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace p528 {

class Shell;
class CAnalysis;

// Two equally long vectors in component-table order. `registered`: the curve was built by
// BuildCalibration (and is shown); false after ClearCalibration, when every lookup fails.
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
// table, so a row left from an earlier calibration can never read a chromatogram that is no
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

// Qt-free model of the calibration tab.
struct CalibrationTab {
  CalibCurve curve;
  const ChrmFile* CalibrationChrm = nullptr;  // set by the recalculation, null when absent
  const ChrmFile* CheckChrm = nullptr;
  std::string textX = "0.0";                                        // calculator "Ось X:" (time)
  std::string textY = "0.0";                                        // calculator "Ось Y:" (temperature)
  std::array<std::string, 4> timeC = {"0.0", "0.0", "0.0", "0.0"};  // C1..C4, min
  double resolution = 0.0;                                          // C16/C18 resolution
  IsWindowRange isWindow;
  std::vector<ResponseRow> responseRows;
  TableModel points;  // calibration points list: "", "T, мин", "t, °C"

  // Creates the points list's columns (hidden, "T, мин" 82, "t, °C" 75, centred).
  void SetUpPointsList(const Shell& shell);
  // Reads the four C1-C4 texts from the settings (keys time_C1..time_C4, default "0.0").
  void LoadTimes(const Shell& shell);
  // A C1-C4 edit changed: stores text `index` (0..3) under its settings key, writes the
  // single-precision times into the first rows of the table and refills the points list.
  // The caller then requests a recalculation.
  void SetTime(const Shell& shell, int index, std::string text, ComponentTable& components);
  // The four texts converted, rounded to single precision and widened again, stored as the
  // retention times of table rows 0-3 (only the rows that exist).
  void ApplyTimes(ComponentTable& components) const;
  // "Рассчитать Y по X" / "Рассчитать X по Y": "%.5g" of the lookup, or "0" when it fails.
  void CalculateY();
  void CalculateX();
  // "%.1f" of the resolution, for the read-only edit "Разреш. способность:".
  std::string ResolutionText() const;
  // Refills the points list from the curve ("", "%.5g" time, "%.5g" temperature).
  void FillPointsList();
};

// Width at half height of `peak` in `channel`, minutes (0 when an index is outside).
double HalfHeightWidth(const ChrmChannel& channel, const ChrmPeak& peak);

// Called at the start of every recalculation: forgets the calibration and check runs,
// empties the points list and the response-factor list, texts X/Y "0.0", resolution and
// IsWindow 0, the curve emptied and unregistered, factors 0. A chart showing the curve must
// let go of it first.
void ClearCalibration(CAnalysis& engine);
// Called after loading, only when CalibrationChrm is set: matches the peaks to the
// component table, builds and registers the curve, fills the points list, then runs the
// calibration checks (resolution and window, response factors, response list).
void BuildCalibration(CAnalysis& engine);

}  // namespace p528
