#include "calc.h"

#include "cli_host.h"
#include "host/kit/plugin_library.h"
#include "host/kit/profile_store.h"
#include "notices.h"
#include "options.h"
#include "output_guard.h"
#include "register_output.h"
#include "run_steps.h"
#include "shell/component_location.h"
#include "summary.h"

#include "shell/atomic_file.h"
#include "shell/database.h"
#include "shell/settings.h"
#include "shell/string_table.h"
#include "shell/text.h"
#include "workbench/analysis_settings.h"
#include "workbench/calc_diagnostics.h"
#include "workbench/result_json.h"
#include "workbench/workbench.h"

#include <unistd.h>
#include <filesystem>
#include <ostream>

namespace p528::simdist {

namespace {

std::string ExecutableFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.parent_path().string();
}

// The files a run reads and the ones it writes, for CheckOutputs.
void RunFiles(const ParsedCalc& parsed, const std::string& profilePath, const std::string& componentPath,
              std::vector<NamedPath>& outputs, std::vector<NamedPath>& inputs) {
  const CalcConfig& config = parsed.config;
  if (config.jsonPath && *config.jsonPath != "-") outputs.push_back({"--json", *config.jsonPath});
  if (config.reportPath) outputs.push_back({"--report", *config.reportPath});
  for (const std::string& file : config.files) inputs.push_back({"the chromatogram", file});
  inputs.push_back({"the profile", profilePath});
  inputs.push_back({"the component table", componentPath});
  AddDatabaseFiles(config, outputs, inputs);
  for (const GivenOption& given : parsed.given) {
    if (std::string_view(given.option->name) == "--custom-reference") {
      inputs.push_back({"the custom reference", given.value});
    }
  }
}

}  // namespace

std::string DefaultComponentPath() {
  std::error_code ec;
  const std::string folder = ExecutableFolder();
  if (!folder.empty()) {
    const std::string beside = ComponentDataPath(folder);
    if (std::filesystem::is_regular_file(beside, ec)) return beside;
    // Installed: the plug-in folder's table, or the user's copy of it when there is one.
    const std::string installed = ComponentTableLocation(hostkit::InstalledPluginFolder(folder), false);
    if (std::filesystem::is_regular_file(installed, ec)) return installed;
  }
#ifdef PLUG528_DATA_DIR
  const std::string source = std::string(PLUG528_DATA_DIR) + "/tqle528data.csv";
  if (std::filesystem::is_regular_file(source, ec)) return source;
#endif
  return {};
}

int RunCalcCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   ChartRendererFactory pictures) {
  ParsedCalc parsed;
  std::string error;
  if (!ParseCalcArguments(arguments, parsed, error)) {
    err << "simdist calc: " << error << "\n(see simdist calc --help)\n";
    return ExitUsage;
  }
  if (parsed.help) {
    out << CalcUsage();
    return ExitDone;
  }
  CalcConfig& config = parsed.config;

  const std::string profilePath = config.profilePath.empty() ? DefaultProfilePath() : config.profilePath;
  if (profilePath.empty()) {
    err << "simdist calc: no profile file: give --profile FILE (neither XDG_CONFIG_HOME nor HOME is set)\n";
    return ExitUsage;
  }
  std::string componentPath = config.components ? *config.components : DefaultComponentPath();
  std::vector<NamedPath> outputs;
  std::vector<NamedPath> inputs;
  RunFiles(parsed, profilePath, componentPath, outputs, inputs);
  if (!CheckOutputs(outputs, inputs, error)) {
    err << "simdist calc: " << error << "\n";
    return ExitUsage;
  }
  ProfileStore profile(profilePath);
  if (!profile.Load(&error)) {
    err << "simdist calc: --profile: " << error << "\n";
    return ExitUsage;
  }
  if (componentPath.empty()) {
    err << "simdist: notice: no component table found (give --components FILE); the calibration will "
           "find no components\n";
  }

  // The host: profile, language, assay database and the assay dialog answered by --ids.
  CliHost host(profile);
  host.languageId = LanguageId(config.language);
  if (config.database) host.database = Utf8ToUtf16(*config.database);
  host.assayIds = config.assayIds;
  host.assayDialogOffered = config.idsGiven;

  Shell shell;
  AttachShell(shell, host);

  // Settings the windows store at once (C1-C4 times, report options), before the start.
  OptionContext context{config, &shell, nullptr};
  ApplyOptions(parsed, OptionPhase::Profile, context);
  ApplyOptions(parsed, OptionPhase::Report, context);

  CliUser user(err);
  Workbench workbench(shell, componentPath, &user);

  // The analysis settings dialog: opened, the values typed, OK.
  TypeAnalysisSettings(workbench, parsed, context);

  // A remembered file that no longer loads would hold its role's place against the file
  // the user names: it is dropped, and said so.
  workbench.Initialise(config.restore, config.database.has_value(), true);
  const std::size_t filesBefore = workbench.chrmSet().size();
  if (config.idsGiven) workbench.AddAssays();
  if (!config.files.empty()) {
    std::vector<std::string> paths;
    for (const std::string& file : config.files) paths.push_back(FullPath(file));
    workbench.AddFiles(paths);
  }

  // Files named that are in the set already (or the same run as one in it) count as added.
  const bool requested = !config.files.empty() || !config.assayIds.empty();
  const bool nothingAdded = requested && workbench.chrmSet().size() == filesBefore && user.refused > 0;
  const std::string incomplete = IncompleteReason(workbench, nothingAdded);
  const std::vector<std::string> diagnostics = Diagnostics(workbench);
  for (const std::string& line : diagnostics) err << "simdist: diagnostic: " << ForTerminal(line) << "\n";

  int status = user.failed ? ExitFailure : ExitDone;
  const bool jsonToOut = config.jsonPath && *config.jsonPath == "-";
  if (config.summary && !jsonToOut) out << ForTerminal(Summary(workbench));
  const std::string json =
      config.jsonPath || config.registerPath ? ResultJson(workbench, 2, diagnostics) : "";
  if (config.jsonPath) {
    if (jsonToOut) {
      out << json;
    } else if (!WriteFileAtomically(*config.jsonPath, json, error)) {
      err << "simdist: cannot write " << *config.jsonPath << ": " << error << "\n";
      status = ExitFailure;
    }
  }
  if (config.reportPath && !WriteReport(workbench, config, pictures, err)) status = ExitFailure;
  out.flush();
  if (!out) {
    err << "simdist: cannot write the output\n";
    status = ExitFailure;
  }
  if (!profile.saveError().empty()) {
    err << "simdist: " << profile.saveError() << "\n";
    status = ExitFailure;
  }
  if (status == ExitDone && !incomplete.empty()) {
    err << "simdist: " << incomplete << "\n";
    status = ExitIncomplete;
  }
  // Only a complete result, with its report when one was asked for, enters the register.
  if (config.registerPath) {
    if (status != ExitDone)
      err << "simdist: not registered: the run did not end with a complete result\n";
    else if (!RegisterResult(workbench, config, json, err))
      status = ExitFailure;
  }
  host.Detach();
  return status;
}

}  // namespace p528::simdist
