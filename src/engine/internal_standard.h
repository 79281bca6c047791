// The internal-standard methods (GOST R 56720-2015 method B, GOST R 54291-2010): areas of
// the analysis and standard runs, the area of 100 % of the sample, the residue, and the
// curves normalised to it.
#pragma once

namespace p528 {

class CAnalysis;

// First driver step: window and total areas of every analysis and standard run up to the
// time of the end temperature; State 2 on success, stays 1 on a missing mass or run.
void InternalStandardAreas(CAnalysis& engine);
// Second driver step (State > 1): SampleArea, Residue, curves and point tables, then the
// repeatability check and results view of the method; State 0 when an IBP is missing.
void InternalStandardCurves(CAnalysis& engine);

// ((aTotal - aWindow) / (sTotal - sWindow) × sWindow - aWindow) × k; 0 when not finite.
double SampleAreaOf(double aTotal, double aWindow, double sTotal, double sWindow, double k);
// 100 - total / sampleArea × 100; 0 when not finite.
double ResidueOf(double total, double sampleArea);

}  // namespace p528
