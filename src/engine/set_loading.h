// The one way a chromatogram set reaches the engine: every file by its role, in set order.
// The workbench's recalculation and the engine's end-to-end tests both use it.
#pragma once

#include "chromatogram/chrm_set.h"

namespace p528 {

class CAnalysis;

// After ClearCalibration and ResetCalc: the calibration and check runs go to the calibration
// tab (CalibrationChrm, CheckChrm), the blank and the reference are loaded into their
// records, the analyses and internal-standard runs with an ordinal >= 1 are appended (other
// roles are ignored). The set must stay unchanged until the next ResetCalc. Returns whether
// a calibration run was met.
bool LoadSetIntoEngine(const ChrmSet& set, CAnalysis& engine);

}  // namespace p528
