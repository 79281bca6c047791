// Cost of one calculation (CalculateInto reusing its result's memory, as the window
// recalculates): loading of every run, the calibration and the method's steps (blank
// subtraction, end of elution, the percent-off curve, point tables, fractions,
// repeatability, ISO 3405, reference check) on generated gas oil sets of three parallel
// analyses.
//
//   engine-bench                      all cases
//   engine-bench --benchmark_filter=Rate10Hz
//
// Sets are generated once per size (the generator's cost is not measured).
#include "chromatogram/chrm_role.h"
#include "chromatogram_set.h"
#include "engine/calculation.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace p528 {
namespace {

const ComponentTable& Components() {
  static const ComponentTable table = [] {
    ComponentTable t;
    LoadComponentTable(PLUG528_SOURCE_DIR "/data/tqle528data.csv", t);
    return t;
  }();
  return table;
}

// The gas oil set with runs of `minutes` sampled every `step` minutes.
chrmgen::GeneratedSet& Set(double minutes, double step) {
  static std::map<std::pair<double, double>, std::unique_ptr<chrmgen::GeneratedSet>> cache;
  auto& slot = cache[{minutes, step}];
  if (!slot) {
    chrmgen::GeneratorOptions options = chrmgen::ScenarioDefaults("gasoil");
    options.column.runLength = minutes;
    options.column.step = step;
    slot = std::make_unique<chrmgen::GeneratedSet>(chrmgen::GenerateSet(options, Components()));
    for (chrmgen::GeneratedRun& run : slot->runs) {
      run.file.role = run.role;
      run.file.ordinal = run.ordinal;
    }
  }
  return *slot;
}

// The input of one calculation of `set` under `method`: C1-C4 times 0, no settings typed.
CalcInput InputOf(chrmgen::GeneratedSet& set, int32_t method) {
  CalcInput input;
  input.settings.method = method;
  input.components = Components();
  ApplyCalibrationTimes(input.components, {0.0, 0.0, 0.0, 0.0});
  for (chrmgen::GeneratedRun& run : set.runs) {
    switch (run.role) {
      case RoleCalibration: input.runs.calibration = &run.file; break;
      case RoleBlank: input.runs.blank = &run.file; break;
      case RoleAnalysis:
        if (run.file.ordinal >= 1) input.runs.analyses.push_back(&run.file);
        break;
      case RoleReference: input.runs.reference = &run.file; break;
      case RoleCheck: input.runs.check = &run.file; break;
      default: break;
    }
  }
  return input;
}

void Calculate(benchmark::State& state, double minutes, double step) {
  chrmgen::GeneratedSet& set = Set(minutes, step);
  const CalcInput input = InputOf(set, static_cast<int32_t>(state.range(1)));
  CalcResult result;
  for (auto _ : state) {
    CalculateInto(input, result);
    benchmark::DoNotOptimize(result.Analyses.data());
  }
  if (result.State < StateCurves) state.SkipWithError("the calculation did not build its curves");
  const std::size_t samples = set.runs.front().file.channels[0].samples.size();
  state.counters["samples_per_run"] = static_cast<double>(samples);
  state.SetComplexityN(static_cast<int64_t>(samples));
}

// Three 10-minute to 80-minute analyses at 10 Hz: the cost grows linearly with the samples.
void Rate10Hz(benchmark::State& state) { Calculate(state, static_cast<double>(state.range(0)), 1.0 / 600.0); }
BENCHMARK(Rate10Hz)
    ->ArgsProduct({{10, 20, 40, 80}, {AstmD2887A}})
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(Rate10Hz)->Args({40, Gost56720A})->Args({40, Iso3924})->Unit(benchmark::kMillisecond);

// Three 60-minute analyses at 50 Hz.
void Rate50Hz(benchmark::State& state) {
  Calculate(state, static_cast<double>(state.range(0)), 1.0 / 3000.0);
}
BENCHMARK(Rate50Hz)->Args({60, AstmD2887A})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace p528

BENCHMARK_MAIN();
