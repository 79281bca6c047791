// The internal-standard methods, GOST R 56720-2015 method B and GOST R 54291-2010: each
// analysis run of the sample is paired with a run of the same sample plus a weighed
// internal standard that elutes inside the window of the calibration (C14 × 0.95 to
// C17 × 1.05). From the standard's area, the masses and the areas of both runs comes the
// area that 100 % of the sample would give (SampleArea); the curve is normalised to it and
// the part that never elutes is the residue (Residue, % mass).
//
// Integration always runs to the time of the end temperature on the calibration curve
// (545 °C for GOST R 56720 method B, 538 °C for GOST R 54291); the end of elution is not
// searched for. Areas in detector units × min, masses in g. User-interface thread only.
#pragma once

namespace p528 {

struct CalcResult;

// First driver step (State >= 1): window and total areas of every analysis and standard
// run. State 2 on success; stays 1 (with its message) on a missing mass, no analysis run
// (warning) or no internal-standard run (error).
void InternalStandardAreas(CalcResult& engine);
// Second driver step (State > 1): for each analysis paired with a standard run, SampleArea,
// Residue, the curve and the point table; then the repeatability check and the "Доля
// отгона" list of the method. An analysis without an initial boiling point reports it,
// sets State 0 and ends the step.
void InternalStandardCurves(CalcResult& engine);

// End temperature of the integration, °C: 545 for GOST R 56720 method B, 538 otherwise.
double InternalStandardEndTemp(int method);

// Mass fraction of the standard in the blended sample w = mStd / (mSample + mStd) turned
// into k = (1 - w) / w, the factor from the standard's area to the sample's.
double SampleAreaFactor(double mStd, double mSample);
// ((aTotal - aWindow) / (sTotal - sWindow) × sWindow - aWindow) × k: the standard run
// scaled to the analysis run by the areas outside the window, the standard's own area in
// analysis-run units, times k. 0 when not finite.
double SampleAreaOf(double aTotal, double aWindow, double sTotal, double sWindow, double k);
// 100 - total / sampleArea × 100, % mass; 0 when not finite.
double ResidueOf(double total, double sampleArea);

}  // namespace p528
