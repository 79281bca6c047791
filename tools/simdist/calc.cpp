#include "calc.h"

#include "cli_host.h"
#include "json_result.h"
#include "options.h"
#include "profile_store.h"
#include "summary.h"

#include "shell/database.h"
#include "shell/settings.h"
#include "shell/string_table.h"
#include "shell/text.h"
#include "workbench/analysis_settings.h"
#include "workbench/workbench.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <unistd.h>

namespace p528::simdist {

namespace {

constexpr uint16_t kEnglish = 0x0409;

// Texts of the core end lines with "\r\n" and indent with tabs; the terminal wants "\n".
std::string ForTerminal(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\t') out += "    ";
    else out += c;
  }
  return out;
}

std::string SkipText(const SkippedFile& file) {
  switch (file.reason) {
    case SkipReason::AlreadyInSet: return file.path + " not added: already in the set";
    case SkipReason::NotReadable:
      return file.path + " not added: cannot be read (status " + std::to_string(file.loadStatus) + ")";
    case SkipReason::NoRoleText: return file.path + " not added: its passport names no role (\"Chrm_Type\")";
    case SkipReason::UnknownRoleText: return file.path + " not added: unknown role \"" + file.roleText + "\"";
    case SkipReason::RoleFull:
      return file.path + " not added: the set already holds as many \"" + file.roleText + "\" runs as it may";
    case SkipReason::NoSuchAssay:
      return "assay " + std::to_string(file.assayId) + " not added: no visible assay with that id";
  }
  return file.path + " not added";
}

// The command line as the workbench's user: everything it would show goes to stderr.
class CliUser : public WorkbenchUser {
 public:
  explicit CliUser(std::ostream& err) : err_(err) {}
  void ShowDatabaseError(const DataBase::SqlException&, const std::string& text) override {
    err_ << "simdist: " << ForTerminal(text) << "\n";
    failed = true;
  }
  void ShowInstrumentNumberRefused(const std::string& text) override {
    err_ << "simdist: " << ForTerminal(text) << "\n";
  }
  void FilesSkipped(const std::vector<SkippedFile>& skipped) override {
    for (const SkippedFile& file : skipped) err_ << "simdist: notice: " << SkipText(file) << "\n";
  }
  bool failed = false;

 private:
  std::ostream& err_;
};

std::string ExecutableFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.parent_path().string();
}

std::string FullPath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

bool WriteFile(const std::string& path, const std::string& text, std::string& error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.flush();
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace

std::string DefaultComponentPath() {
  std::error_code ec;
  const std::string folder = ExecutableFolder();
  if (!folder.empty()) {
    const std::string beside = ComponentDataPath(folder);
    if (std::filesystem::is_regular_file(beside, ec)) return beside;
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
  ProfileStore profile(profilePath);
  if (!profile.Load(&error)) {
    err << "simdist calc: --profile: " << error << "\n";
    return ExitUsage;
  }
  std::string componentPath = config.components ? *config.components : DefaultComponentPath();
  if (componentPath.empty()) {
    err << "simdist: notice: no component table found (give --components FILE); the calibration will "
           "find no components\n";
  }

  // The host: profile, language, assay database and the assay dialog answered by --ids.
  CliHost host(profile);
  host.languageId = config.language == "en" ? kEnglish : kLangRussian;
  if (config.database) host.database = Utf8ToUtf16(*config.database);
  host.assayIds = config.assayIds;
  host.assayDialogOffered = config.idsGiven;

  Shell shell;
  shell.host = host.Attach();
  shell.uiLangId = static_cast<uint16_t>(shell.CallService("System/GetLanguage", 0, 0) & 0xFFFF);
  shell.resources = shell.uiLangId == kLangRussian ? &RussianStrings() : &EnglishStrings();
  shell.settingsPrefix = kSettingsPrefix;
  if (shell.ServiceExists("DB/GetConnectionUri")) {
    shell.databaseLocation = std::u16string(reinterpret_cast<const char16_t*>(shell.CallService("DB/GetConnectionUri", 0, 0)));
  }

  // Settings the windows store at once (C1-C4 times, report options), before the start.
  OptionContext context{config, &shell, nullptr};
  ApplyOptions(parsed, OptionPhase::Profile, context);
  ApplyOptions(parsed, OptionPhase::Report, context);

  CliUser user(err);
  Workbench workbench(shell, componentPath, &user);

  // The analysis settings dialog: opened, the values typed, OK.
  if (HasOptions(parsed, OptionPhase::Dialog)) {
    workbench.EditAnalysisSettings([&](CAnalysis& analysis) {
      OpenAnalysisSettings(analysis);
      context.analysis = &analysis;
      ApplyOptions(parsed, OptionPhase::Dialog, context);
      context.analysis = nullptr;
      AcceptAnalysisSettings(analysis);
    });
  }

  workbench.Initialise(config.restore, config.database.has_value());
  if (config.idsGiven) workbench.AddAssays();
  if (!config.files.empty()) {
    std::vector<std::string> paths;
    for (const std::string& file : config.files) paths.push_back(FullPath(file));
    workbench.AddFiles(paths);
  }

  int status = user.failed ? ExitFailure : ExitDone;
  const bool jsonToOut = config.jsonPath && *config.jsonPath == "-";
  if (config.summary && !jsonToOut) out << Summary(workbench);
  if (config.jsonPath) {
    const std::string json = ResultJson(workbench);
    if (jsonToOut) {
      out << json;
    } else if (!WriteFile(*config.jsonPath, json, error)) {
      err << "simdist: " << error << "\n";
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
  host.Detach();
  return status;
}

}  // namespace p528::simdist
