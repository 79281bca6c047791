// The records of one calculation: the method and run-state numbers, the points of the
// distillation curve, the fraction cuts, the comparison rows and the result record of one
// chromatogram. Plain values; no text of the interface language lives in them (a fraction's
// name is worded from its FractionName by the presentation).
//
// Units throughout: times in minutes, temperatures in °C, percentages 0-100, areas in
// detector units × minutes, masses in grams. -1.0 marks a number that is not known.
#pragma once

#include "chromatogram/chrm_file.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace p528 {

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

// What a fraction is called, without the words: a peak's record is called by the peak's
// own name (the record's `name`); the fixed records "начало" and "без имени", a temperature
// range and the non-volatile residue are worded by the presentation in the interface
// language.
struct FractionName {
  enum Kind : int32_t { Peak, Start, Unnamed, Range, Residue };
  Kind kind = Peak;
  double lower = 0.0;  // Range: from and to, °C
  double upper = 0.0;
};

// One fraction cut. All doubles but `factor` default to -1.0.
struct FractionRecord {
  std::string name;  // a peak's name as recorded; the other kinds are worded from `label`
  FractionName label;
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
  std::string name;  // worded from `label`, as a record's name
  FractionName label;
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

}  // namespace p528
