// The simulated-distillation engine: CAnalysis holds the analysis settings texts, the run
// state and every result of the last calculation, and runs the calculation (RunCalc).
//
// A calculation is always complete. The recalculation of the chromatogram set calls, in
// this order: ClearCalibration, ResetCalc, LoadResult for every run by its role,
// BuildCalibration (when a calibration run is present) and RunCalc. Nothing is updated
// incrementally and nothing is cached between recalculations.
//
// Units throughout: times in minutes, temperatures in °C, percentages 0-100, areas in
// detector units × minutes, masses in grams. -1.0 marks a number that is not known.
//
// Ownership: CAnalysis references module state owned elsewhere (shell, component table,
// message log, calibration tab, result tables); they must outlive it. A ChrmResult points at
// its chromatogram (not owned); the chromatogram set must stay unchanged until the next
// ResetCalc. The engine draws nothing: once CurvesReady is set, the analyses' PointTemp /
// PercentOff vectors are the distillation curves, and whoever shows them (the workbench's
// distillation chart) must let go of them before the next ResetCalc.
//
// Findings never throw: they become messages in the log, and a finding that invalidates
// the results sets State so that later steps skip. User-interface thread only.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram/component_table.h"
#include "engine/result_buffers.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace p528 {

class Shell;
class MessageLog;
struct CalibrationTab;
struct ResultTables;

// The selected standard (settings key "method"); the member holds any int, other values
// make the driver do nothing.
enum CalcMethod : int32_t {
  AstmD2887A = 0,  // ASTM D 2887-13 method A, area normalisation
  AstmD2887B = 1,  // offered but disabled: the driver calculates nothing
  Gost56720A = 2,  // GOST R 56720-2015 method A, area normalisation
  Gost56720B = 3,  // GOST R 56720-2015 method B, internal standard
  Gost54291 = 4,   // GOST R 54291-2010, internal standard
  Iso3924 = 5,     // GOST ISO 3924-2017, area normalisation
};
inline bool IsAreaNormalisation(int32_t method) {
  return method == AstmD2887A || method == Gost56720A || method == Iso3924;
}
inline bool IsInternalStandard(int32_t method) { return method == Gost56720B || method == Gost54291; }
inline bool IsGostMethod(int32_t method) {
  return method == Gost56720A || method == Gost56720B || method == Gost54291;
}

// Reference sample choice (settings key "type_ref_gasoil").
enum RefGasoilType : int32_t { Lot1 = 0, Lot2 = 1, Custom = 2 };

// Run state: how far the last calculation came.
enum CalcState : uint32_t {
  StateNotRun = 0,     // not run, or stopped by an error that invalidates the results
  StateStarted = 1,    // RunCalc started
  StateCurves = 2,     // distillation curves built
  StateFractions = 3,  // fractions built (internal-standard methods only)
};

// A point of the distillation curve. Not determined: time and temp -1.0, percent kept.
struct DistPoint {
  double time = -1.0;     // min
  double temp = -1.0;     // °C
  double percent = -1.0;  // % off
};

// One fraction cut. All doubles but `factor` default to -1.0.
struct FractionRecord {
  std::string name;
  double peakTime = -1.0;          // peak time of the bounding calibration component, min
  double unused = -1.0;            // left at -1.0 by the cutting
  double area = -1.0;              // between the previous boundary and this one, >= 0
  double massPercent = -1.0;       // % mass from the weighted areas
  double residuePercent = -1.0;    // after the residue correction
  double correctedPercent = -1.0;  // after H2S, mercaptan sulphur and water (reported)
  double boundarySignal = -1.0;    // signal at the boundary
  double boundaryTime = -1.0;      // min
  double boundaryTemp = -1.0;      // °C
  double factor = 1.0;             // response factor of the component
  double weightedArea = -1.0;      // area × factor
};

// Comparison of parallel analyses at one point (also the reference check's row).
struct RepeatRow {
  double percent = -1.0;
  double difference = -1.0;  // °C
  double meanTemp = -1.0;    // °C
  int32_t verdict = 0;       // 0 not judged, 1 within the limit, 2 limit exceeded
  int32_t verdict2 = 0;      // second verdict, same values
  double r = -1.0;           // repeatability limit, °C
  double R = -1.0;           // reproducibility limit, °C
};
using RefCheckRow = RepeatRow;

// One row of the ISO 3405 correlation table (constant, built at load).
struct Iso3405Coeff {
  double percent;
  double c0, c1, c2, c3;
  double R;  // reproducibility, °C
};

// Marks a missing ISO 3405 value (the most negative finite double).
inline constexpr double kIsoMissing = std::numeric_limits<double>::lowest();

struct Iso3405Row {
  const Iso3405Coeff* coeff = nullptr;
  double tsd = kIsoMissing;   // simulated-distillation temperature, °C
  double tiso = kIsoMissing;  // correlated ISO 3405 temperature, °C
};

// One row of the fraction composition over parallel analyses.
struct FractionSummary {
  std::string name;
  double mean = -1.0;           // mean mass percent
  double accuracy = -1.0;       // ±δ, absolute mass percent
  double r = -1.0;              // repeatability limit for two results, relative %
  double sigmaR = -1.0;         // repeatability standard deviation, relative %
  double criticalRange = -1.0;  // critical range for three results, relative %
  double difference = -1.0;     // relative %
  int32_t verdict = 0;          // 1 within the limit, 0 exceeded or not judged
};

// The result record of one chromatogram. Reset(): vectors empty, File null, ints -1,
// every double -1.0. Copied by value (the ChrmFile is shared, not copied).
struct ChrmResult {
  std::vector<double> Signal;      // blank-corrected signal of channel 0, never negative
  std::vector<double> Times;       // StartTime + i × Step
  std::vector<double> PercentOff;  // cumulative % off per sample interval up to EndTime
  std::vector<double> PointTemp;   // °C paired with each PercentOff entry (0: no temperature)
  const ChrmFile* File = nullptr;  // null: the record is empty and every step skips it
  double StartTime = -1.0;         // start of channel 0, min
  double EndTime = -1.0;           // end of integration, min; -1.0 not found
  double EndTemp = -1.0;           // °C at EndTime
  double Step = -1.0;              // sampling interval of channel 0, min
  double ZeroLevel = -1.0;         // detector level before the sample elutes
  double TotalArea = -1.0;         // area StartTime..EndTime
  double WindowArea = -1.0;        // area inside the internal-standard window
  double SampleArea = -1.0;        // area of 100 % of the sample (internal standard), else <= 0
  double Residue = -1.0;           // % of the sample that did not elute
  double FractionTotal = -1.0;     // sum of the corrected fraction percents
  DistPoint LastPoint;             // point at the highest percent of the point table
  DistPoint Ibp;                   // initial boiling point (0.5 %)
  DistPoint Fbp;                   // final boiling point (99.5 %)
  int32_t Number = -1;             // ordinal within the role: 1, 2, 3; -1 empty
  std::vector<FractionRecord> Fractions;
  int32_t NamedFractionCount = -1;
  int32_t StepFractionCount = -1;
  std::vector<DistPoint> PointTable;  // points at the reported percents

  void Reset() { *this = ChrmResult(); }
};

class CAnalysis {
 public:
  // Reads the method, the reference choice and the settings texts from the settings store.
  CAnalysis(const Shell& shell, ComponentTable& components, MessageLog& messages, CalibrationTab& calibration,
            ResultTables& tables);

  // (Re)reads the settings texts, method and reference choice from the settings store.
  void LoadSettings();

  // Empties every result: State 0, Blank/Reference reset, Analyses, StdRuns, RepeatRows,
  // RefRows, Iso3405Rows, FractionRows emptied, WindowStart/End and the fraction summary
  // doubles -1.0, CurvesReady false; empties the result lists. Settings texts are not
  // touched.
  void ResetCalc();

  // Fills `result` from chromatogram `file` (not owned): File, and with at least one
  // channel StartTime, Step, ZeroLevel and Number. `timeStartSample` is the start of sample
  // elution in minutes (the TimeStartSample text converted).
  void LoadResult(ChrmResult& result, double timeStartSample, const ChrmFile& file);
  // LoadResult into a fresh record appended to Analyses / StdRuns (ordinal >= 1 only).
  void AddAnalysis(const ChrmFile& file);
  void AddStdRun(const ChrmFile& file);
  // TimeStartSample converted by the decimal-prefix rule.
  double TimeStartSampleValue() const;

  // The calculation driver; call only when a calibration chromatogram is present.
  void RunCalc();

  // --- engine members ---
  uint32_t State = StateNotRun;
  // The distillation curves of the analyses are complete (ExtendCurves ran): the analyses'
  // PointTemp/PercentOff may be shown until the next ResetCalc.
  bool CurvesReady = false;
  ChrmResult Blank;
  std::vector<ChrmResult> Analyses;  // ascending Number after RunCalc's sort
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

  // Settings texts, kept exactly as typed; converted by the decimal-prefix rule at use.
  std::string TimeStartSample = "0.0";   // "Начало выхода пробы, мин"
  std::string start_mark = "70.0";       // "Начало разметки фракций, °C"
  int UseDefaultStep = 1;                // 0 once the user types a percent step
  std::string step_mark = "10.0";        // "Шаг разметки фракций, °C"
  std::string StepPercent;               // "Шаг отгона пробы, %"; rewritten by a calculation
  std::string SampleMass = "0.0";        // "Масса пробы, г"
  std::string StdMass = "0.0";           // "Масса внутр. стандарта, г"
  std::string H2SPercent = "0.0";        // "Массовая доля сероводорода, %"
  std::string MercaptanPercent = "0.0";  // "Массовая доля меркаптановой серы, %"
  std::string WaterPercent = "0.0";      // "Массовая доля воды, %"
  // Saved copies for the settings dialog's Cancel.
  std::string SavedStepPercent;
  std::string SavedSampleMass = "0.0";
  std::string SavedStdMass = "0.0";
  std::string SavedH2SPercent = "0.0";
  std::string SavedMercaptanPercent = "0.0";
  std::string SavedWaterPercent = "0.0";
  int SavedUseDefaultStep = 1;

  int32_t Method = AstmD2887A;  // CalcMethod, settings key "method"
  int32_t RefType = Lot1;       // RefGasoilType, settings key "type_ref_gasoil"

  // --- module state the steps use ---
  const Shell& shell;
  ComponentTable& components;
  MessageLog& messages;
  CalibrationTab& calibration;
  ResultTables& tables;

  // Text `id` of the interface language's string table.
  std::string Text(int id) const;
  // Text `id` used as a printf format.
  std::string TextF(int id, ...) const;

 private:
  void SortRuns();

  // Memory of the records' vectors, kept from one ResetCalc to the next LoadResult.
  ResultBuffers buffers_;
};

// Driver steps of the area-normalisation methods (methods 0, 2, 5).
void AreaNormalisation(CAnalysis& engine);
void BoilingRangeAndFractions(CAnalysis& engine);
// Sets the area of every fraction j >= 1 of `result` to Area(boundary j-1, boundary j),
// a negative area replaced by 0.
void FractionAreas(ChrmResult& result);
// ExtendPointTemp of every analysis with a chromatogram; sets CurvesReady.
void ExtendCurves(CAnalysis& engine);

}  // namespace p528
