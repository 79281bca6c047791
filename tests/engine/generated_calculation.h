// One engine with its module state calculating a generated chromatogram set the way the
// recalculation does: the end-to-end tests of the checks, methods and results share it.
#pragma once

#include "chromatogram/chrm_role.h"
#include "chromatogram/chrm_set.h"
#include "chromatogram_set.h"
#include "engine/calculation.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "support/engine_fixture.h"
#include "workbench/analysis.h"
#include "workbench/calc_input.h"
#include "workbench/calibration_tab.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace p528 {

// The project's component table, read once per test program.
inline const ComponentTable& ProjectComponents() {
  static const ComponentTable table = [] {
    ComponentTable t;
    LoadComponentTable(PLUG528_SOURCE_DIR "/data/tqle528data.csv", t);
    return t;
  }();
  return table;
}

// The generated set of `scenario` with reference lot `lot` and `analyses` parallel
// analyses, generated once per test program (the calculations only read it).
inline chrmgen::GeneratedSet& GeneratedScenario(const std::string& scenario, int lot = 1, int analyses = 3) {
  static std::map<std::tuple<std::string, int, int>, std::unique_ptr<chrmgen::GeneratedSet>> sets;
  std::unique_ptr<chrmgen::GeneratedSet>& set = sets[{scenario, lot, analyses}];
  if (set == nullptr) {
    chrmgen::GeneratorOptions options = chrmgen::ScenarioDefaults(scenario);
    options.referenceLot = lot;
    options.analyses = analyses;
    set = std::make_unique<chrmgen::GeneratedSet>(chrmgen::GenerateSet(options, ProjectComponents()));
  }
  return *set;
}

// The generated runs as the chromatogram set `into` (in their order; only the first
// `maxStdRuns` internal-standard runs), prepared as the recalculation prepares a set. The
// results point into `into`.
inline void BuildChrmSet(chrmgen::GeneratedSet& set, const Shell& shell, ChrmSet& into, int maxStdRuns = 3) {
  into.clear();
  for (std::size_t k = 0; k < set.runs.size(); ++k) {
    const chrmgen::GeneratedRun& run = set.runs[k];
    if (run.role == RoleStandard && run.ordinal > maxStdRuns) continue;
    ChrmFile& file = into.emplace(Format("%03zu", k), run.file).first->second;
    file.role = run.role;
    file.ordinal = run.ordinal;
    NormalizePeakNames(file, shell.foreignUi);
  }
}

// The input of one recalculation of `set` by `f`'s engine as the window makes it: the
// set's analysis settings (typed into the engine) and C1-C4 times, the engine's method and
// reference choice as they are, the runs copied into `into`.
inline CalcInput GeneratedInput(test::EngineFixture& f, chrmgen::GeneratedSet& set, ChrmSet& into,
                                int maxStdRuns = 3) {
  std::map<std::string, std::string> settings(set.settings.begin(), set.settings.end());
  f.engine.TimeStartSample = settings["TimeStartSample"];
  f.engine.SampleMass = settings["SampleMass"];
  f.engine.StdMass = settings["StdMass"];
  f.engine.StepPercent = settings["StepPercent"];
  CalibrationTab tab;
  for (std::size_t k = 0; k < 4; ++k) tab.timeC[k] = settings["time_C" + std::to_string(k + 1)];
  BuildChrmSet(set, f.shell, into, maxStdRuns);
  return MakeCalcInput(f.engine, tab, f.engine.components, into);
}

// That recalculation, with the result lists filled.
inline void CalculateGenerated(test::EngineFixture& f, chrmgen::GeneratedSet& set, ChrmSet& into,
                               int maxStdRuns = 3) {
  f.engine.Calculate(GeneratedInput(f, set, into, maxStdRuns));
  f.FillLists();
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
    engine.Method = method;
    engine.RefType = lot;
    CalculateGenerated(*this, set, chrmSet, maxStdRuns);
  }
};

}  // namespace p528
