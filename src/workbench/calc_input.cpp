#include "workbench/calc_input.h"

#include "shell/shell.h"
#include "workbench/analysis.h"
#include "workbench/calibration_tab.h"

namespace p528 {

void PrepareSetForCalculation(ChrmSet& set, const Shell& shell) {
  NumberRuns(set);
  for (auto& [path, file] : set) NormalizePeakNames(file, shell.foreignUi);
}

CalcInput MakeCalcInput(const CAnalysis& analysis, const CalibrationTab& tab, ComponentTable components,
                        const ChrmSet& set) {
  CalcInput input;
  input.settings = analysis.CurrentSettings();
  tab.ApplyTimes(components);
  input.components = std::move(components);
  input.runs = RunsByRole(set);
  return input;
}

}  // namespace p528
