#include "batch.h"

#include "batch_options.h"
#include "batch_register.h"
#include "batch_summary.h"
#include "calc.h"
#include "main_thread_tasks.h"
#include "notices.h"
#include "output_guard.h"
#include "progress.h"
#include "register_output.h"
#include "run_steps.h"
#include "sample_calc.h"

#include "chromatogram/chrm_role.h"
#include "host/kit/assay_database.h"
#include "host/kit/sequence_runs.h"
#include "shell/atomic_file.h"
#include "shell/database.h"
#include "shell/string_table.h"

#include <malloc.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <iostream>
#include <set>
#include <thread>

namespace p528::simdist {

namespace {

using hostkit::RunProblem;
using hostkit::SequenceRun;

const char* const kNamedOptions[] = {"--calibration-run", "--blank-run", "--reference-run", "--check-run"};

std::string LeftOutReason(const SequenceRun& run) {
  switch (run.problem) {
    case RunProblem::NotReadable: return LoadFailureText(run.path, run.loadStatus);
    case RunProblem::NoSuchAssay: return "no visible assay with that id";
    case RunProblem::NoRole:
      return run.roleText.empty() ? "its passport names no role (\"Chrm_Type\")"
                                  : "unknown role \"" + run.roleText + "\"";
    case RunProblem::None: break;
  }
  return {};
}

// The runs of the sequence in the order given: files and folders, then the assays chosen.
// False with `error` (exit 2 or 1 as `status` says) when a source cannot be read at all.
bool ReadRuns(const Shell& shell, const CalcConfig& config, const BatchConfig& batch,
              std::vector<SequenceRun>& runs, std::string& error, int& status) {
  for (const std::string& source : batch.sources) {
    std::error_code ec;
    if (std::filesystem::is_directory(source, ec)) {
      if (!hostkit::ReadSequenceFolder(shell, source, runs, error)) {
        status = BatchUsage;
        return false;
      }
    } else {
      runs.push_back(hostkit::ReadSequenceRun(shell, source));
    }
  }
  if (!batch.FromDatabase()) return true;
  try {
    hostkit::AssayDatabase database(*config.database);
    std::vector<int64_t> ids(batch.assayIds.begin(), batch.assayIds.end());
    if (batch.from || batch.until) {
      for (const int64_t id : hostkit::AssaysAnalysedBetween(database, batch.from, batch.until)) {
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
      }
    }
    for (SequenceRun& run : hostkit::ReadSequenceAssays(shell, database, ids)) runs.push_back(std::move(run));
  } catch (const DataBase::SqlException& failure) {
    error = "the database " + *config.database + ": " + failure.what();
    status = BatchFailure;
    return false;
  }
  return true;
}

// A run given twice (a file named and also in its folder, an assay chosen twice) is one run.
void DropRepeatedPaths(std::vector<SequenceRun>& runs) {
  std::set<std::string> seen;
  std::vector<SequenceRun> kept;
  for (SequenceRun& run : runs) {
    if (!run.path.empty() && !seen.insert(run.path).second) continue;
    kept.push_back(std::move(run));
  }
  runs = std::move(kept);
}

// The runs named for every sample: each must read and carry its role.
bool ReadNamedRuns(const Shell& shell, const BatchConfig& batch,
                   std::array<std::optional<SequenceRun>, 4>& named, std::string& error) {
  for (std::size_t i = 0; i < batch.named.size(); ++i) {
    if (!batch.named[i]) continue;
    SequenceRun run = hostkit::ReadSequenceRun(shell, *batch.named[i]);
    if (run.problem == RunProblem::NotReadable) {
      error = std::string(kNamedOptions[i]) + ": " + *batch.named[i] + ": " +
              LoadFailureText(run.path, run.loadStatus);
      return false;
    }
    if (run.role != hostkit::kPairedRoles[i]) {
      error = std::string(kNamedOptions[i]) + ": " + *batch.named[i] +
              " is not a run of that role (its passport says \"" + run.roleText + "\")";
      return false;
    }
    named[i] = std::move(run);
  }
  return true;
}

// Every run read and every sample calculated allocates and frees the same sample-long
// vectors (runs, curves, records). The C library would give them back to the system each
// time and fault them in again for the next, which cost about a third of a sequence's
// time: freed memory stays with the process instead, as much as the largest sample needed.
void KeepFreedMemory() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

}  // namespace

int RunBatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    ChartRendererFactory pictures) {
  ParsedCalc parsed;
  BatchConfig batch;
  std::string error;
  if (!ParseBatchArguments(arguments, parsed, batch, error)) {
    err << "simdist batch: " << error << "\n(see simdist batch --help)\n";
    return BatchUsage;
  }
  if (parsed.help) {
    out << BatchHelp();
    return BatchDone;
  }
  KeepFreedMemory();
  const CalcConfig& config = parsed.config;
  const std::string profilePath =
      config.profilePath.empty() ? hostkit::DefaultProfilePath() : config.profilePath;
  hostkit::ProfileStore profile(profilePath);
  if (!profilePath.empty() && !profile.Load(&error)) {
    err << "simdist batch: --profile: " << error << "\n";
    return BatchUsage;
  }
  const std::string componentPath = config.components ? *config.components : DefaultComponentPath();
  if (componentPath.empty()) {
    err << "simdist: notice: no component table found (give --components FILE); the calibration will "
           "find no components\n";
  }

  // The runs, read once for their passports, in the interface language's role texts.
  Shell reading;
  reading.uiLangId = LanguageId(config.language);
  reading.resources = reading.uiLangId == kLangRussian ? &RussianStrings() : &EnglishStrings();
  std::vector<SequenceRun> runs;
  int status = BatchUsage;
  if (!ReadRuns(reading, config, batch, runs, error, status)) {
    err << "simdist batch: " << error << "\n";
    return status;
  }
  DropRepeatedPaths(runs);
  std::array<std::optional<SequenceRun>, 4> named;
  if (!ReadNamedRuns(reading, batch, named, error)) {
    err << "simdist batch: " << error << "\n";
    return BatchUsage;
  }
  const hostkit::SequencePlan plan = hostkit::PlanSequence(runs, named);

  // Outputs: each sample's JSON and report, the summaries; none may be an input.
  std::vector<SampleOutputs> outputs(plan.groups.size());
  std::vector<NamedPath> written;
  std::vector<NamedPath> inputs;
  for (const SequenceRun& run : runs) {
    if (!run.path.empty()) inputs.push_back({"the chromatogram", run.path});
  }
  for (const auto& run : named) {
    if (run) inputs.push_back({"the chromatogram", run->path});
  }
  inputs.push_back({"the profile", profilePath});
  inputs.push_back({"the component table", componentPath});
  AddDatabaseFiles(config, written, inputs);
  if (const auto custom = GivenValue(parsed, "--custom-reference"))
    inputs.push_back({"the custom reference", *custom});
  if (batch.reportDir) {
    std::error_code ec;
    std::filesystem::create_directories(*batch.reportDir, ec);
    if (!std::filesystem::is_directory(*batch.reportDir, ec)) {
      err << "simdist batch: --report-dir: " << *batch.reportDir << " is not a folder that can be made\n";
      return BatchUsage;
    }
    for (std::size_t i = 0; i < plan.groups.size(); ++i) {
      const std::string stem = (std::filesystem::path(*batch.reportDir) /
                                SampleFileStem(i, plan.groups.size(), plan.groups[i].sample))
                                   .string();
      outputs[i] = {FullPath(stem + ".json"), FullPath(stem + ".html")};
      written.push_back({"--report-dir", outputs[i].jsonPath});
      written.push_back({"--report-dir", outputs[i].reportPath});
    }
  }
  if (batch.summaryCsv) written.push_back({"--summary", *batch.summaryCsv});
  if (batch.summaryJson) written.push_back({"--summary-json", *batch.summaryJson});
  if (!CheckOutputs(written, inputs, error)) {
    err << "simdist batch: " << error << "\n";
    return BatchUsage;
  }

  std::vector<LeftOutRun> leftOut;
  bool failed = false;
  for (const SequenceRun& run : plan.leftOut) {
    const bool failure = run.problem != RunProblem::NoRole;
    leftOut.push_back({run.path, run.assayId, LeftOutReason(run), failure});
    failed = failed || failure;
    const std::string who = run.path.empty() ? "assay " + std::to_string(run.assayId) : run.path;
    err << "simdist: " << (failure ? "error: " : "notice: ") << ForTerminal(who)
        << " left out: " << ForTerminal(leftOut.back().reason) << "\n";
  }

  // The samples, several at once; each worker has its own host, shell and workbench.
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t workers = std::min<std::size_t>(batch.jobs != 0 ? batch.jobs : cores, plan.groups.size());
  MainThreadTasks mainThread(workers);
  const SampleCalculator calculator(parsed, profile, componentPath, pictures, &mainThread);
  std::vector<SampleOutcome> outcomes(plan.groups.size());
  const bool terminal = &err == &std::cerr && isatty(STDERR_FILENO) != 0;
  Progress progress(terminal && !batch.progressLines ? &err : nullptr, batch.progressLines ? &out : nullptr,
                    plan.groups.size());
  std::atomic<std::size_t> next{0};
  std::vector<std::thread> threads;
  for (std::size_t w = 0; w < workers; ++w) {
    threads.emplace_back([&] {
      for (std::size_t i = next++; i < plan.groups.size(); i = next++) {
        outcomes[i] = calculator.Calculate(plan.groups[i], outputs[i]);
        progress.Step();
      }
      mainThread.WorkerDone();
    });
  }
  mainThread.Serve();
  for (std::thread& thread : threads) thread.join();
  progress.Finish();
  if (config.registerPath) RegisterSamples(*config.registerPath, outcomes);

  for (const SampleOutcome& outcome : outcomes) {
    err << outcome.log;
    if (!outcome.done) {
      err << "simdist: error: " << ForTerminal(outcome.sample) << ": " << ForTerminal(outcome.failure)
          << "\n";
      failed = true;
    }
  }
  if (config.summary) out << SummaryText(outcomes);
  if (batch.summaryCsv &&
      !WriteFileAtomically(*batch.summaryCsv, SummaryCsv(outcomes, config.registerPath.has_value()), error)) {
    err << "simdist: cannot write " << *batch.summaryCsv << ": " << error << "\n";
    failed = true;
  }
  if (batch.summaryJson && !WriteFileAtomically(*batch.summaryJson, SummaryJson(outcomes, leftOut), error)) {
    err << "simdist: cannot write " << *batch.summaryJson << ": " << error << "\n";
    failed = true;
  }
  out.flush();
  if (!out) {
    err << "simdist: cannot write the output\n";
    failed = true;
  }
  if (failed) return BatchFailure;
  if (plan.groups.empty()) {
    err << "simdist: the sequence holds no sample (no analysis or internal-standard run)\n";
    return BatchNoSample;
  }
  return BatchDone;
}

}  // namespace p528::simdist
