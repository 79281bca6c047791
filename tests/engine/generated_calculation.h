// One engine with its module state calculating a generated chromatogram set the way the
// recalculation does: the end-to-end tests of the checks, methods and results share it.
#pragma once

#include "chromatogram/chrm_role.h"
#include "chromatogram/chrm_set.h"
#include "chromatogram_set.h"
#include "workbench/analysis.h"
#include "engine/calibration.h"
#include "workbench/message_log.h"
#include "workbench/result_tables.h"
#include "engine/calculation.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "support/engine_fixture.h"

#include <map>
#include <string>

namespace p528 {

// The generated runs as the chromatogram set `into` (in their order; only the first
// `maxStdRuns` internal-standard runs), handed to the engine as the recalculation hands a
// set over. The results point into `into`.
inline void HandOverRuns(chrmgen::GeneratedSet& set, const Shell& shell, CAnalysis& engine, ChrmSet& into,
                         int maxStdRuns = 3) {
  into.clear();
  for (std::size_t k = 0; k < set.runs.size(); ++k) {
    const chrmgen::GeneratedRun& run = set.runs[k];
    if (run.role == RoleStandard && run.ordinal > maxStdRuns) continue;
    ChrmFile& file = into.emplace(Format("%03zu", k), run.file).first->second;
    file.role = run.role;
    file.ordinal = run.ordinal;
    NormalizePeakNames(file, shell.foreignUi);
  }
  LoadSetIntoEngine(into, engine);
}

struct GeneratedCalculation : test::EngineFixture {
  ChrmSet chrmSet;  // copies of the runs, which the results point into

  // `lot` is the reference choice; only the first `maxStdRuns` internal-standard runs join.
  GeneratedCalculation(const ComponentTable& table, chrmgen::GeneratedSet& set, int32_t method,
                       int32_t lot = Lot1, int maxStdRuns = 3)
      : EngineFixture(method) {
    components = table;
    Calculate(set, method, lot, maxStdRuns);
  }

  // One recalculation of `set` by the same engine, as the window repeats it.
  void Calculate(chrmgen::GeneratedSet& set, int32_t method, int32_t lot = Lot1, int maxStdRuns = 3) {
    std::map<std::string, std::string> settings(set.settings.begin(), set.settings.end());
    engine.Method = method;
    engine.RefType = lot;
    engine.TimeStartSample = settings["TimeStartSample"];
    engine.SampleMass = settings["SampleMass"];
    engine.StdMass = settings["StdMass"];
    for (int k = 0; k < 4; ++k)
      calibration.timeC[static_cast<std::size_t>(k)] = settings["time_C" + std::to_string(k + 1)];
    ClearCalibration(engine);
    engine.ResetCalc();
    calibration.ApplyTimes(components);
    HandOverRuns(set, shell, engine, chrmSet, maxStdRuns);
    BuildCalibration(engine);
    engine.RunCalc();
  }
};

}  // namespace p528
