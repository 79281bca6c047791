// Speed of what the user waits for: loading the chromatograms of a set and recalculating it,
// through the workbench exactly as the window and simdist run it, and a whole `simdist calc`
// run. Two sets, written once to a temporary folder by the generator:
//   Demo       the bundled demo set's gas oil scenario (7 runs of 40 min at 5 Hz);
//   Long50Hz   ten 60-minute runs at 50 Hz (calibration, blank, check, reference and six
//              analyses, three of them unnumbered: loaded and listed, not calculated).
//
// SimdistBatch/Sequence10Hz is a whole `simdist batch` over a day's sequence of 200 runs of
// 60 minutes at 10 Hz (calibration, blank, check, reference, then 98 samples injected twice),
// on every core, with its JSON summary: wall-clock time.
//
// PlainPass/<set> is one plain pass over exactly the samples Recalculate/<set> integrates:
// the yardstick of the recalculation's speed.
//
//   simdist-bench                                   all cases
//   simdist-bench --benchmark_filter='Recalculate|PlainPass'
#include "batch.h"
#include "calc.h"
#include "chromatogram_set.h"
#include "cli_host.h"
#include "host/kit/profile_store.h"
#include "sequence_writer.h"
#include "set_writer.h"

#include "shell/settings.h"
#include "shell/string_table.h"
#include "workbench/workbench.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace p528 {
namespace {

const std::string kComponents = PLUG528_SOURCE_DIR "/data/tqle528data.csv";

struct WrittenSet {
  std::vector<std::string> files;
  std::vector<std::pair<std::string, std::string>> settings;  // settings key -> text
};

std::filesystem::path BenchFolder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "simdist-bench";
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

const WrittenSet& Set(const std::string& name) {
  static std::map<std::string, WrittenSet> sets;
  auto found = sets.find(name);
  if (found != sets.end()) return found->second;
  ComponentTable components;
  LoadComponentTable(kComponents, components);
  chrmgen::GeneratorOptions options = chrmgen::ScenarioDefaults(name == "Demo" ? "gasoil" : "benchmark");
  if (name == "Demo") {
    options.column.step = 1.0 / 300.0;  // as scripts/make-demo.sh writes the demo set
  } else {
    options.analyses = 6;  // ten runs in all
  }
  const chrmgen::GeneratedSet generated = chrmgen::GenerateSet(options, components);
  const std::string folder = (BenchFolder() / name).string();
  chrmgen::WriteSet(generated, folder, kComponents, false);
  WrittenSet set;
  for (const chrmgen::GeneratedRun& run : generated.runs) set.files.push_back(folder + "/" + run.fileName);
  set.settings = generated.settings;
  return sets.emplace(name, std::move(set)).first->second;
}

// A workbench under the command line's host with an in-memory profile holding the set's
// settings (the C1-C4 times and the stored analysis settings).
struct Bench {
  simdist::ProfileStore profile;
  simdist::CliHost host{profile};
  Shell shell = MakeShell({.host = host.Attach(), .language = kLangRussian});
  std::unique_ptr<Workbench> workbench;

  explicit Bench(const WrittenSet& set) {
    for (const auto& [key, value] : set.settings) {
      if (key == "method" || key == "type_ref_gasoil") {
        WriteSettingInt(shell, kSectionSettings, key, std::stoi(value));
      } else {
        WriteSettingText(shell, kSectionSettings, key, value);
      }
    }
    workbench = std::make_unique<Workbench>(shell, kComponents);
    workbench->Initialise(false, false);
  }
};

void LoadAndRecalculate(benchmark::State& state, const std::string& name) {
  const WrittenSet& set = Set(name);
  for (auto _ : state) {
    Bench bench(set);
    bench.workbench->AddFiles(set.files);
    benchmark::DoNotOptimize(bench.workbench->analysis().State);
  }
}

void Recalculate(benchmark::State& state, const std::string& name) {
  const WrittenSet& set = Set(name);
  Bench bench(set);
  bench.workbench->AddFiles(set.files);
  if (bench.workbench->analysis().State < StateCurves) state.SkipWithError("the set did not calculate");
  for (auto _ : state) {
    bench.workbench->Recalculate();
    benchmark::DoNotOptimize(bench.workbench->analysis().State);
  }
}

// The yardstick of Recalculate: one serial, in-order pass over the samples the calculation
// integrates (channel 0 of the blank, the numbered analysis and internal-standard runs and
// the reference run of the recalculated set), summed as doubles.
void PlainPass(benchmark::State& state, const std::string& name) {
  const WrittenSet& set = Set(name);
  Bench bench(set);
  bench.workbench->AddFiles(set.files);
  const CAnalysis& analysis = bench.workbench->analysis();
  std::vector<const std::vector<float>*> runs;
  auto add = [&runs](const ChrmResult& r) {
    if (r.File != nullptr && !r.File->channels.empty()) runs.push_back(&r.File->channels[0].samples);
  };
  add(analysis.Blank);
  for (const ChrmResult& r : analysis.Analyses) add(r);
  for (const ChrmResult& r : analysis.StdRuns) add(r);
  add(analysis.Reference);
  std::size_t samples = 0;
  for (const std::vector<float>* run : runs) samples += run->size();
  for (auto _ : state) {
    double sum = 0;
    for (const std::vector<float>* run : runs) {
      for (float x : *run) sum += static_cast<double>(x);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["runs"] = static_cast<double>(runs.size());
  state.counters["samples"] = static_cast<double>(samples);
}

// A whole `simdist calc` run: profile file, host, workbench, loading, recalculation, summary
// and JSON (into memory).
void SimdistCalc(benchmark::State& state, const std::string& name) {
  const WrittenSet& set = Set(name);
  const std::string profile = (BenchFolder() / (name + ".profile")).string();
  std::vector<std::string> arguments = {"--profile", profile, "--no-restore", "--json", "-"};
  for (const auto& [key, value] : set.settings) {
    if (key.rfind("time_C", 0) == 0) {
      arguments.push_back("--c" + key.substr(6));
      arguments.push_back(value);
    }
  }
  arguments.insert(arguments.end(), set.files.begin(), set.files.end());
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    if (simdist::RunCalcCommand(arguments, out, err) != 0) state.SkipWithError("simdist calc failed");
    benchmark::DoNotOptimize(out.str().size());
  }
}

// The day's sequence: 98 samples of two analyses after the four paired runs, 200 runs.
void SimdistBatch(benchmark::State& state) {
  ComponentTable components;
  LoadComponentTable(kComponents, components);
  chrmgen::GeneratorOptions options = chrmgen::ScenarioDefaults("benchmark");
  options.column.step = 1.0 / 600.0;  // 10 Hz
  const chrmgen::GeneratedSet generated = chrmgen::GenerateSet(options, components);
  const std::string folder = (BenchFolder() / "Sequence10Hz").string();
  const std::vector<std::string> runs = chrmgen::WriteSequence(generated, folder, 98, 2);
  std::vector<std::string> arguments = {
      folder,         "--profile",      (BenchFolder() / "batch.profile").string(),
      "--no-summary", "--summary-json", (BenchFolder() / "batch-summary.json").string()};
  for (const auto& [key, value] : generated.settings) {
    if (key.rfind("time_C", 0) == 0) {
      arguments.push_back("--c" + key.substr(6));
      arguments.push_back(value);
    }
  }
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    if (simdist::RunBatchCommand(arguments, out, err) != 0)
      state.SkipWithError(("simdist batch failed: " + err.str()).c_str());
    benchmark::DoNotOptimize(out.str().size());
  }
  state.counters["runs"] = static_cast<double>(runs.size());
}

BENCHMARK_CAPTURE(LoadAndRecalculate, Demo, std::string("Demo"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Recalculate, Demo, std::string("Demo"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainPass, Demo, std::string("Demo"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimdistCalc, Demo, std::string("Demo"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAndRecalculate, Long50Hz, std::string("Long50Hz"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Recalculate, Long50Hz, std::string("Long50Hz"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainPass, Long50Hz, std::string("Long50Hz"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimdistCalc, Long50Hz, std::string("Long50Hz"))->Unit(benchmark::kMillisecond);
BENCHMARK(SimdistBatch)->Name("SimdistBatch/Sequence10Hz")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace p528

BENCHMARK_MAIN();
