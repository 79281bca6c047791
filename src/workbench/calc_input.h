// The calculation's input made the way the main window's recalculation makes it, for every
// caller that calculates a set outside the window (the recalculation itself, batch runs).
#pragma once

#include "chromatogram/chrm_set.h"
#include "chromatogram/component_table.h"
#include "engine/calculation.h"

namespace p528 {

class CAnalysis;
class Shell;
struct CalibrationTab;

// The set as a calculation reads it: the parallel runs numbered, every peak name in the
// letters of the interface language.
void PrepareSetForCalculation(ChrmSet& set, const Shell& shell);

// The settings of `analysis` converted (CAnalysis::CurrentSettings), `components` with the
// C1-C4 times of `tab`, the runs of `set` by role. `set` must stay unchanged and alive while
// the result is used.
CalcInput MakeCalcInput(const CAnalysis& analysis, const CalibrationTab& tab, ComponentTable components,
                        const ChrmSet& set);

}  // namespace p528
