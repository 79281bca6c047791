#include "sample_calc.h"

#include "cli_host.h"
#include "notices.h"
#include "register_output.h"
#include "run_steps.h"
#include "workbench/calc_diagnostics.h"
#include "workbench/result_json.h"

#include "chromatogram/chrm_role.h"
#include "shell/atomic_file.h"
#include "shell/text.h"
#include "workbench/workbench.h"

#include <exception>
#include <sstream>

namespace p528::simdist {

namespace {

bool Calculated(const ChrmFile& file) {
  if (file.role == RoleAnalysis || file.role == RoleStandard) return file.ordinal >= 1;
  return file.role != RoleNone;
}

// The mean of the analyses' values in the order the repeatability check sums them; -1.0
// when one of them is not known.
double MeanOf(const std::vector<double>& values) {
  if (values.empty()) return -1.0;
  double sum = 0.0;
  for (const double value : values) {
    if (value == -1.0) return -1.0;
    sum += value;
  }
  return sum / static_cast<double>(values.size());
}

void TakeFigures(const Workbench& workbench, SampleOutcome& outcome) {
  const CAnalysis& analysis = workbench.analysis();
  outcome.method = analysis.Method;
  outcome.state = analysis.State;
  for (const auto& [path, file] : workbench.chrmSet()) {
    if (Calculated(file)) outcome.runs.push_back(FileNamePart(path));
  }
  std::vector<double> ibp;
  std::vector<double> fbp;
  for (const ChrmResult& run : analysis.Analyses) {
    ibp.push_back(run.Ibp.time == -1.0 ? -1.0 : run.Ibp.temp);
    fbp.push_back(run.Fbp.time == -1.0 ? -1.0 : run.Fbp.temp);
  }
  outcome.ibp = MeanOf(ibp);
  outcome.fbp = MeanOf(fbp);
  if (!analysis.Analyses.empty()) {
    const std::vector<DistPoint>& first = analysis.Analyses.front().PointTable;
    for (std::size_t i = 0; i < first.size(); ++i) {
      std::vector<double> temps;
      for (const ChrmResult& run : analysis.Analyses) {
        const bool known = i < run.PointTable.size() && run.PointTable[i].time != -1.0 &&
                           run.PointTable[i].percent == first[i].percent;
        temps.push_back(known ? run.PointTable[i].temp : -1.0);
      }
      outcome.points.emplace_back(first[i].percent, MeanOf(temps));
    }
  }
  for (const RepeatRow& row : analysis.RepeatRows) {
    if (row.verdict != 0 || row.verdict2 != 0) ++outcome.repeatabilityJudged;
    if (row.verdict == 2 || row.verdict2 == 2) ++outcome.repeatabilityExceeded;
  }
  outcome.errors = static_cast<int>(workbench.messages().Errors().size());
  outcome.warnings = static_cast<int>(workbench.messages().Warnings().size());
  outcome.information = static_cast<int>(workbench.messages().Information().size());
}

}  // namespace

SampleCalculator::SampleCalculator(const ParsedCalc& parsed, const hostkit::ProfileStore& profile,
                                   std::string componentPath, ChartRendererFactory pictures,
                                   MainThreadTasks* mainThread)
    : parsed_(parsed),
      profile_(profile),
      componentPath_(std::move(componentPath)),
      pictures_(pictures),
      mainThread_(mainThread) {}

SampleOutcome SampleCalculator::Calculate(const hostkit::SampleGroup& group,
                                          const SampleOutputs& outputs) const {
  SampleOutcome outcome;
  outcome.sample = group.sample;
  for (const hostkit::GroupNote note : group.notes) outcome.notes.push_back(hostkit::GroupNoteText(note));
  try {
    CalculateInto(group, outputs, outcome);
  } catch (const std::exception& error) {
    outcome.done = false;
    outcome.failure = std::string("the calculation failed: ") + error.what();
  } catch (...) {
    outcome.done = false;
    outcome.failure = "the calculation failed";
  }
  return outcome;
}

void SampleCalculator::CalculateInto(const hostkit::SampleGroup& group, const SampleOutputs& outputs,
                                     SampleOutcome& outcome) const {
  CalcConfig config = parsed_.config;
  hostkit::ProfileStore profile = profile_.InMemoryCopy();
  CliHost host(profile);
  host.languageId = LanguageId(config.language);
  if (config.database) host.database = Utf8ToUtf16(*config.database);
  Shell shell;
  AttachShell(shell, host);

  OptionContext context{config, &shell, nullptr};
  ApplyOptions(parsed_, OptionPhase::Profile, context);
  ApplyOptions(parsed_, OptionPhase::Report, context);

  std::ostringstream log;
  CliUser user(log);
  Workbench workbench(shell, componentPath_, &user);
  TypeAnalysisSettings(workbench, parsed_, context);
  workbench.Initialise(false, config.database.has_value(), true);
  workbench.AddFiles(group.Paths());

  const bool nothingAdded = workbench.chrmSet().empty();
  std::string failure = user.failed ? "a database error" : IncompleteReason(workbench, nothingAdded);
  const std::vector<std::string> diagnostics = Diagnostics(workbench);
  for (const std::string& line : diagnostics) {
    log << "simdist: diagnostic: " << ForTerminal(group.sample) << ": " << ForTerminal(line) << "\n";
    outcome.notes.push_back(line);
  }
  TakeFigures(workbench, outcome);

  std::string error;
  const bool registering = config.registerPath.has_value();
  std::string json =
      !outputs.jsonPath.empty() || registering ? ResultJson(workbench, 2, diagnostics) : std::string();
  if (!outputs.jsonPath.empty()) {
    if (WriteFileAtomically(outputs.jsonPath, json, error)) {
      outcome.jsonPath = outputs.jsonPath;
    } else {
      log << "simdist: cannot write " << outputs.jsonPath << ": " << error << "\n";
      if (failure.empty()) failure = "its JSON could not be written";
    }
  }
  if (!outputs.reportPath.empty()) {
    config.reportPath = outputs.reportPath;
    bool written = false;
    const std::function<void()> report = [&] { written = WriteReport(workbench, config, pictures_, log); };
    if (mainThread_ != nullptr) {
      mainThread_->Run(report);
    } else {
      report();
    }
    if (written) {
      outcome.reportPath = outputs.reportPath;
    } else if (failure.empty()) {
      failure = "its report could not be written";
    }
  }
  // Only a complete result, with its outputs written, is registered.
  if (registering && failure.empty()) {
    outcome.record = ResultRecord(workbench, std::move(json), outcome.reportPath, error);
    if (!outcome.record) failure = "not registered: " + error;
  } else if (registering) {
    log << "simdist: " << ForTerminal(group.sample) << ": not registered: its result is not complete\n";
  }
  host.Detach();
  outcome.done = failure.empty();
  outcome.failure = failure;
  outcome.log = log.str();
}

}  // namespace p528::simdist
