// Repeatability of parallel analyses: the temperatures that analyses 1 and 2 give at the
// same point of their point tables are compared with the limit of the selected standard
// (RepeatRows, one finding per exceeded limit).
//
// Each check sizes RepeatRows to the smaller point count of analyses 1 and 2 and does nothing
// with fewer than two analyses. Mean temperature: of analyses 1 and 2, or of all three when
// analysis 3 has a determined point there (otherwise -1). Temperatures and limits in °C;
// -1.0 marks what was not determined. Nothing throws.
#pragma once

#include <cstddef>

namespace p528 {

struct CalcResult;

// ASTM D 2887 method A, GOST R 56720 method A, GOST ISO 3924: percent, unrounded difference,
// r (verdict: passes only when the difference is below r) and R (stored, not judged). Stops
// at the first point whose percents differ; a point outside the calibration is an error.
void CheckRepeatability(CalcResult& engine);
// GOST R 56720 method B: rounded difference against the method B table (equal passes).
void CheckRepeatability56720B(CalcResult& engine);
// GOST R 54291: rounded difference against the GOST R 54291 limit (second verdict).
void CheckRepeatability54291(CalcResult& engine);

// GOST R 54291: the residues of analyses 1 and 2 compared, once per calculation. Only the
// analyses paired with an internal-standard run (`calculated`) have a residue.
struct ResidueComparison54291 {
  std::size_t calculated = 0;  // CalculatedAnalyses
  double sum = 0.0;            // of the calculated analyses' residues, %
  bool compared = false;       // two analyses or more, two of them calculated
  double difference = -1.0;    // |residue 1 - residue 2|, %
  double limit = -1.0;         // repeatability limit, %
  bool conforms = false;       // limit >= difference
};
ResidueComparison54291 CompareResidues54291(const CalcResult& engine);
// The residue comparison's finding when the limit is exceeded.
void CheckResidue54291(CalcResult& engine);

}  // namespace p528
