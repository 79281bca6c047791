// Speed of the register of results as a laboratory's register grows: a register of 10 000
// entries (four instruments, 500 samples, seven runs each, a reference run shared by every
// five results, 21 reference points, an 8 KB result document and a 10 KB report each; the
// documents have a table of their own, which these queries never read) answering
//   History/All            every entry's line, as the history window opens
//   History/Sample         the entries of one sample (letter case ignored)
//   History/OutOfControl   every entry's line and the out-of-control marks of all instruments
//   ControlChart           one instrument's reference results and its 21 charts
//   Entry                  one whole entry with its documents
//
//   register-bench [--benchmark_filter=History]
#include "host/kit/register/reference_control.h"
#include "host/kit/register/result_register.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace p528::hostkit {
namespace {

constexpr int kEntries = 10000;
constexpr int kInstruments = 4;

std::string RegisterFile() {
  static const std::string path = [] {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "register-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "assays.db").string();
    ResultRegister store(file);
    const std::string document(8 * 1024, 'x');
    const std::string report(10 * 1024, 'y');
    const double percents[] = {0.5, 5,  10, 15, 20, 25, 30, 35, 40, 45,  50,
                               55,  60, 65, 70, 75, 80, 85, 90, 95, 99.5};
    for (int i = 0; i < kEntries; ++i) {
      ResultRegistration r;
      r.registeredAt = 1700000000 + int64_t{i} * 3600;
      r.operatorName = "Иванова";
      r.instrument = 1 + i % kInstruments;
      r.methodName = "astm-d2887-a";
      r.settingsJson = "{\"method\":0}";
      r.programVersion = "plug528 1.2";
      r.sample = "Дизельное топливо партия " + std::to_string(i % 500);
      r.resultJson = document;
      r.reportHtml = report;
      for (int run = 0; run < 7; ++run) {
        const int referenceRun = i / (5 * kInstruments);
        const std::string name =
            run == 4 ? "ref-" + std::to_string(referenceRun) + "-" + std::to_string(r.instrument)
                     : "run-" + std::to_string(i) + "-" + std::to_string(run);
        r.runs.push_back({100000 + i * 7 + run, "/data/" + name + ".chrm", run == 4 ? 5 : 1 + run % 6, -1,
                          r.sample, r.registeredAt - 600, name});
      }
      for (const double p : percents) {
        const double wobble = static_cast<double>((i * 7919) % 13) * 0.1;
        r.referencePoints.push_back({p, 100.0 + 3.5 * p + wobble, 100.0 + 3.5 * p});
      }
      store.Add(r);
    }
    return file;
  }();
  return path;
}

void HistoryAll(benchmark::State& state) {
  ResultRegister store(RegisterFile(), RegisterAccess::ReadOnly);
  for (auto _ : state) benchmark::DoNotOptimize(store.History());
}
BENCHMARK(HistoryAll)->Name("History/All")->Unit(benchmark::kMillisecond);

void HistorySample(benchmark::State& state) {
  ResultRegister store(RegisterFile(), RegisterAccess::ReadOnly);
  HistoryFilter filter;
  filter.sample = "ПАРТИЯ 42";
  for (auto _ : state) benchmark::DoNotOptimize(store.History(filter));
}
BENCHMARK(HistorySample)->Name("History/Sample")->Unit(benchmark::kMillisecond);

void HistoryOutOfControl(benchmark::State& state) {
  ResultRegister store(RegisterFile(), RegisterAccess::ReadOnly);
  for (auto _ : state) {
    const std::vector<RegisterHead> heads = store.History();
    benchmark::DoNotOptimize(EntriesOutOfControl(store, heads));
  }
}
BENCHMARK(HistoryOutOfControl)->Name("History/OutOfControl")->Unit(benchmark::kMillisecond);

void ControlChart(benchmark::State& state) {
  ResultRegister store(RegisterFile(), RegisterAccess::ReadOnly);
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceControlCharts(1, store.ReferenceResults(1)));
}
BENCHMARK(ControlChart)->Unit(benchmark::kMillisecond);

void Entry(benchmark::State& state) {
  ResultRegister store(RegisterFile(), RegisterAccess::ReadOnly);
  for (auto _ : state) benchmark::DoNotOptimize(store.Entry(kEntries / 2));
}
BENCHMARK(Entry)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace p528::hostkit

BENCHMARK_MAIN();
