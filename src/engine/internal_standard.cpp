#include "engine/internal_standard.h"

#include "engine/analysis.h"

namespace p528 {

// Window and total areas of the analysis and standard runs; State 2 on success.
void InternalStandardAreas(CAnalysis& /*engine*/) {}

// SampleArea, Residue, curve, point table and IBP check of each paired analysis.
void InternalStandardCurves(CAnalysis& /*engine*/) {}

double SampleAreaOf(double /*aTotal*/, double /*aWindow*/, double /*sTotal*/, double /*sWindow*/,
                    double /*k*/) {
  return 0.0;
}

double ResidueOf(double /*total*/, double /*sampleArea*/) { return 0.0; }

}  // namespace p528
