// Repeatability of parallel analyses: the temperatures that analyses 1 and 2 give at the
// same point of their point tables are compared with the limit of the selected standard
// (RepeatRows, one error message per exceeded limit), and the "Доля отгона" table is refilled.
//
// Each check sizes RepeatRows to the smaller point count of analyses 1 and 2 and does nothing
// with fewer than two analyses. Mean temperature: of analyses 1 and 2, or of all three when
// analysis 3 has a determined point there (otherwise -1). Temperatures and limits in °C;
// -1.0 marks what was not determined. User-interface thread only; nothing throws.
#pragma once

namespace p528 {

class CAnalysis;

// ASTM D 2887 method A, GOST R 56720 method A, GOST ISO 3924: percent, unrounded difference,
// r (verdict: passes only when the difference is below r) and R (stored, not judged). Stops
// at the first point whose percents differ; a point outside the calibration is an error.
void CheckRepeatability(CAnalysis& engine);
// GOST R 56720 method B: rounded difference against the method B table (equal passes).
void CheckRepeatability56720B(CAnalysis& engine);
// GOST R 54291: rounded difference against the GOST R 54291 limit (second verdict).
void CheckRepeatability54291(CAnalysis& engine);
// Refills tables.repeatability in the layout of the selected method: temperatures of the
// shown analyses (two at most for the area-normalisation methods), mean, (±Δ,) difference,
// limit, conformity; "Посл. доля" for the internal-standard methods; the residue block of
// GOST R 54291, whose residue comparison raises its message here, once per calculation.
void FillRepeatabilityTable(CAnalysis& engine);

}  // namespace p528
