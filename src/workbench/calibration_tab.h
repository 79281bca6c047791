// The Qt-free model of the calibration tab: the calibration of the last calculation as the
// tab shows it (its curve, runs, resolution, internal-standard window, response rows and
// points list), the C1-C4 texts and the calculator texts.
//
// The tab keeps its own copy of the calculation's curve; the calibration chart shows that
// copy, so the chart and the calculator always see the same data. Times in minutes,
// temperatures in °C. User-interface thread only.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram/component_table.h"
#include "engine/calculation.h"
#include "lists/table_model.h"

#include <array>
#include <string>
#include <vector>

namespace p528 {

class Shell;

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
  // The four texts converted by the decimal-prefix rule, rounded to single precision and
  // widened again.
  std::array<double, 4> Times() const;
  // Times() as the retention times of table rows 0-3 (only the rows that exist).
  void ApplyTimes(ComponentTable& components) const;
  // "Рассчитать Y по X" / "Рассчитать X по Y": "%.5g" of the lookup, or "0" when it fails.
  void CalculateY();
  void CalculateX();
  // "%.1f" of the resolution, for the read-only edit "Разреш. способность:".
  std::string ResolutionText() const;
  // Refills the points list from the curve ("", "%.5g" time, "%.5g" temperature).
  void FillPointsList();
  // Shows a calculation's calibration: its runs, curve, resolution, window and response
  // rows; the calculator texts back to "0.0", the points list refilled. A chart showing the
  // curve must let go of it first.
  void Show(const CalcCalibration& calibration);
};

}  // namespace p528
