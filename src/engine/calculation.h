// The calculation as a value: Calculate turns its input (the analysis settings as numbers,
// the component table and the runs by role) into every result record and the list of
// findings. Nothing else goes in and nothing else comes out: no host, no settings store, no
// result list, no text of the interface language. The presentation (the workbench) words
// the findings, fills the result lists and the calibration tab from a result.
//
// A calculation is always complete: every record is computed from the whole input, nothing
// is cached between two calculations. Several calculations may run at the same time on
// different inputs, and on one input too: the input is only read (a run's channel is read
// under its own lock) and every result belongs to its caller.
//
// Ownership: the input's runs are not owned; they must stay unchanged and alive as long as
// the result is used (a ChrmResult's File and the calibration's runs point at them).
//
// Units throughout: times in minutes, temperatures in °C, percentages 0-100, areas in
// detector units × minutes, masses in grams. -1.0 marks a number that is not known.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram/chrm_set.h"
#include "chromatogram/component_table.h"
#include "engine/calibration.h"
#include "engine/finding.h"
#include "engine/records.h"
#include "engine/result_buffers.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace p528 {

// The laboratory's own reference gas oil as the reference check uses it: per percent off the
// certified boiling temperature and the deviation allowed from it (°C; -1.0 not set).
struct ReferenceGasoil {
  struct Point {
    double percent = -1.0;
    double temperature = -1.0;
    double deviation = -1.0;
  };
  std::vector<Point> points;
  // Of the first point whose percent equals `percent` exactly (even when -1.0); -1.0 when
  // no point has that percent.
  double TemperatureAt(double percent) const;
  double DeviationAt(double percent) const;
};

// The analysis settings a calculation uses, as numbers. The texts the user typed are
// converted by the decimal-prefix rule before they come here.
struct CalcSettings {
  int32_t method = AstmD2887A;      // CalcMethod; other values calculate nothing
  int32_t refType = Lot1;           // RefGasoilType
  double timeStartSample = 0.0;     // start of sample elution, min
  double startMark = 70.0;          // start of the fraction marks, °C
  double stepMark = 10.0;           // step of the fraction marks, °C
  int32_t useDefaultStep = 1;       // 1: the method's percent step; 0: stepPercent
  double stepPercent = 0.0;         // percent step of the point table, read when useDefaultStep is 0
  double sampleMass = 0.0;          // g
  double stdMass = 0.0;             // g
  double h2sPercent = 0.0;          // mass fraction of hydrogen sulphide, %
  double mercaptanPercent = 0.0;    // mass fraction of mercaptan sulphur, %
  double waterPercent = 0.0;        // mass fraction of water, %
  bool latinNames = false;          // component names in Latin letters (interface not Russian)
  ReferenceGasoil customReference;  // the laboratory's reference, used when refType is Custom
};

// The runs of a set by role. Analyses and standards in set order (only ordinals >= 1 count);
// of the single roles the last one in set order.
struct CalcRuns {
  const ChrmFile* calibration = nullptr;
  const ChrmFile* check = nullptr;
  const ChrmFile* blank = nullptr;
  const ChrmFile* reference = nullptr;
  std::vector<const ChrmFile*> analyses;
  std::vector<const ChrmFile*> standards;  // runs with internal standard
};

// The runs of `set` by role, in set order (the set must outlive every result made from them).
CalcRuns RunsByRole(const ChrmSet& set);

struct CalcInput {
  CalcSettings settings;
  // The component table with the calibration tab's C1-C4 times in its first four rows
  // (ApplyCalibrationTimes); the calculation works on its own copy.
  ComponentTable components;
  CalcRuns runs;
};

// The C1-C4 times (already rounded to single precision) as the retention times of rows 0-3
// of `components` (only the rows that exist).
void ApplyCalibrationTimes(ComponentTable& components, const std::array<double, 4>& times);

// What the calibration made of the calibration and check runs.
struct CalcCalibration {
  const ChrmFile* CalibrationChrm = nullptr;  // the calibration run, null when absent
  const ChrmFile* CheckChrm = nullptr;        // the check run, null when absent
  CalibCurve curve;                           // registered when a calibration run was met
  double resolution = 0.0;                    // C16/C18 resolution
  IsWindowRange isWindow;                     // internal-standard window
  std::vector<ResponseRow> responseRows;      // the check run's peaks
};

struct CalcResult {
  CalcSettings settings;      // what was calculated with
  ComponentTable components;  // the input's table, with the calibration run's times and widths
  CalcCalibration calibration;

  uint32_t State = StateNotRun;
  // The distillation curves of the analyses are complete: their PointTemp / PercentOff are
  // the curves to show.
  bool CurvesReady = false;
  ChrmResult Blank;
  std::vector<ChrmResult> Analyses;  // ascending Number
  std::vector<ChrmResult> StdRuns;   // analyses with internal standard, same order
  ChrmResult Reference;
  double WindowStart = -1.0;  // internal-standard window used, min
  double WindowEnd = -1.0;
  std::vector<RepeatRow> RepeatRows;
  std::vector<RefCheckRow> RefRows;
  std::vector<Iso3405Row> Iso3405Rows;
  std::vector<FractionSummary> FractionRows;
  FractionSummary ResidueSummary;  // non-volatile residue row of the composition
  double FractionMeanTotal = -1.0;
  // The percent step the point table had to take instead of the one set (the settings
  // text then becomes "%.1f" of it); empty when the step set was kept.
  std::optional<double> RewrittenStepPercent;

  std::vector<Finding> findings;  // in the order found

  void AddError(std::vector<FindingText> parts) {
    findings.push_back({MessageKind::Error, std::move(parts)});
  }
  void AddWarning(std::vector<FindingText> parts) {
    findings.push_back({MessageKind::Warning, std::move(parts)});
  }
  void AddInformation(std::vector<FindingText> parts) {
    findings.push_back({MessageKind::Information, std::move(parts)});
  }

  // Memory of the records' sample-long vectors, kept for the next CalculateInto; holds no value.
  ResultBuffers buffers;
};

// The whole calculation: the calibration (when a calibration run is given) and the method's
// steps; without a calibration run the one finding that there is nothing to calibrate.
CalcResult Calculate(const CalcInput& input);
// The same into `result`, whose earlier values are all replaced; the memory of its vectors
// is reused. `result` must not be shared with another calculation running at the same time.
void CalculateInto(const CalcInput& input, CalcResult& result);

}  // namespace p528
