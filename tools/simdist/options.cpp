#include "options.h"

#include "custom_reference_file.h"
#include "report_output.h"

#include "shell/settings.h"
#include "shell/shell.h"
#include "shell/string_table.h"
#include "workbench/analysis.h"
#include "workbench/analysis_settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

namespace p528::simdist {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// ---- value checks ----

// A decimal number as a user types it into a numeric edit: an optional "-", digits, one "."
// or "," (".5" and "5." are numbers too). The value applied is what the edit's filter makes
// of it ("," becomes ".", ".5" becomes "0.5").
bool CheckNumber(std::string_view value, std::string& normal, std::string& error) {
  std::size_t i = 0;
  if (i < value.size() && value[i] == '-') ++i;
  bool digit = false;
  bool point = false;
  for (; i < value.size(); ++i) {
    const char c = value[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digit || i != value.size()) {
    error = "\"" + std::string(value) + "\" is not a number";
    return false;
  }
  normal = NumericFilter(value);
  return true;
}

bool CheckStepPercent(std::string_view value, std::string& normal, std::string& error) {
  if (Lower(value) == "default") {
    normal = "default";
    return true;
  }
  return CheckNumber(value, normal, error);
}

bool CheckMethod(std::string_view value, std::string& normal, std::string& error) {
  struct Name {
    const char* name;
    int method;
  };
  static constexpr Name kNames[] = {
      {"0", AstmD2887A}, {"astm-d2887-a", AstmD2887A}, {"d2887", AstmD2887A},
      {"2", Gost56720A}, {"gost-56720-a", Gost56720A}, {"56720a", Gost56720A},
      {"3", Gost56720B}, {"gost-56720-b", Gost56720B}, {"56720b", Gost56720B},
      {"4", Gost54291},  {"gost-54291", Gost54291},    {"54291", Gost54291},
      {"5", Iso3924},    {"gost-iso-3924", Iso3924},   {"iso-3924", Iso3924},
      {"3924", Iso3924},
  };
  const std::string key = Lower(value);
  if (key == "1" || key == "astm-d2887-b") {
    error = "method 1 (ASTM D 2887-13 method B) is not offered";
    return false;
  }
  for (const Name& name : kNames) {
    if (key == name.name) {
      normal = std::to_string(name.method);
      return true;
    }
  }
  error = "unknown method \"" + std::string(value) +
          "\" (0 astm-d2887-a, 2 gost-56720-a, 3 gost-56720-b, 4 gost-54291, 5 gost-iso-3924)";
  return false;
}

bool CheckReference(std::string_view value, std::string& normal, std::string& error) {
  const std::string key = Lower(value);
  if (key == "lot1" || key == "0")
    normal = "0";
  else if (key == "lot2" || key == "1")
    normal = "1";
  else if (key == "custom" || key == "2")
    normal = "2";
  else {
    error = "unknown reference \"" + std::string(value) + "\" (lot1, lot2 or custom)";
    return false;
  }
  return true;
}

bool CheckLanguage(std::string_view value, std::string& normal, std::string& error) {
  const std::string key = Lower(value);
  if (key != "ru" && key != "en") {
    error = "unknown language \"" + std::string(value) + "\" (ru or en)";
    return false;
  }
  normal = key;
  return true;
}

// At most as many assay ids as the assay dialog can return.
bool CheckIds(std::string_view value, std::string& normal, std::string& error) {
  return CheckIdList(value, 256, normal, error);
}

bool CheckExistingFile(std::string_view value, std::string& normal, std::string& error) {
  std::error_code ec;
  if (value.empty() || !std::filesystem::is_regular_file(std::filesystem::path(value), ec)) {
    error = "\"" + std::string(value) + "\" is not a readable file";
    return false;
  }
  normal = std::string(value);
  return true;
}

// A custom reference file that reads: parsed once here (messages in English) so that a bad
// file is a usage error before anything is stored.
bool CheckCustomReference(std::string_view value, std::string& normal, std::string& error) {
  if (!CheckExistingFile(value, normal, error)) return false;
  Shell english;
  english.resources = &EnglishStrings();
  CustomReference reference;
  return ReadCustomReferenceFile(english, normal, reference, error);
}

// Stores the custom reference as the dialog's OK does and makes it the reference choice.
void StoreCustomReference(OptionContext& c, const std::string& path) {
  std::string error;
  if (StoreCustomReferenceFile(*c.shell, path, error)) {
    WriteSettingInt(*c.shell, kSectionSettings, "type_ref_gasoil", Custom);
  }
}

std::vector<int> SplitIds(const std::string& value) {
  std::vector<int> ids;
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(',', start);
    if (end == std::string::npos) end = value.size();
    ids.push_back(static_cast<int>(std::strtol(value.substr(start, end - start).c_str(), nullptr, 10)));
    start = end + 1;
  }
  return ids;
}

void StoreTime(OptionContext& c, const char* key, const std::string& value) {
  WriteSettingText(*c.shell, kSectionSettings, key, value);
}

constexpr OptionPhase kConfig = OptionPhase::Config;
constexpr OptionPhase kProfile = OptionPhase::Profile;
constexpr OptionPhase kDialog = OptionPhase::Dialog;

}  // namespace

bool CheckPath(std::string_view value, std::string& normal, std::string& error) {
  if (value.empty()) {
    error = "the file name is empty";
    return false;
  }
  normal = std::string(value);
  return true;
}

bool CheckIdList(std::string_view value, std::size_t most, std::string& normal, std::string& error) {
  std::size_t count = 0;
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(',', start);
    if (end == std::string_view::npos) end = value.size();
    const std::string item(value.substr(start, end - start));
    char* stop = nullptr;
    errno = 0;
    const long id = std::strtol(item.c_str(), &stop, 10);
    if (item.empty() || *stop != '\0' || errno == ERANGE || id < INT_MIN || id > INT_MAX) {
      error = "\"" + item + "\" is not an assay id";
      return false;
    }
    ++count;
    start = end + 1;
  }
  if (count > most) {
    error = "at most " + std::to_string(most) + " assay ids can be chosen at once";
    return false;
  }
  normal = std::string(value);
  return true;
}

bool CheckMethodName(std::string_view value, std::string& normal, std::string& error) {
  return CheckMethod(value, normal, error);
}

const std::vector<OptionSpec>& CalcOptions() {
  using C = OptionContext;
  using V = const std::string&;
  static const std::vector<OptionSpec> options = {
      {"--profile", "FILE", "profile store (default $XDG_CONFIG_HOME/plug528/profile)", kConfig, CheckPath,
       [](C& c, V v) { c.config.profilePath = v; }},
      {"--db", "DB", "the host's assay database (SQLite)", kConfig, CheckExistingFile,
       [](C& c, V v) { c.config.database = v; }},
      {"--ids", "ID,ID,...", "assays to add, as chosen in the host's assay dialog (needs --db)", kConfig,
       CheckIds,
       [](C& c, V v) {
         c.config.assayIds = SplitIds(v);
         c.config.idsGiven = true;
       }},
      {"--lang", "ru|en", "interface language of texts, tables and messages (default ru)", kConfig,
       CheckLanguage, [](C& c, V v) { c.config.language = v; }},
      {"--components", "FILE", "component table (default tqle528data.csv beside simdist)", kConfig,
       CheckExistingFile, [](C& c, V v) { c.config.components = v; }},
      {"--json", "OUT", "write every result as JSON to OUT (\"-\": standard output, no summary)", kConfig,
       CheckPath, [](C& c, V v) { c.config.jsonPath = v; }},
      {"--no-restore", nullptr, "do not reload the remembered calibration, blank, reference and check files",
       kConfig, nullptr, [](C& c, V) { c.config.restore = false; }},
      {"--no-summary", nullptr, "print no summary", kConfig, nullptr,
       [](C& c, V) { c.config.summary = false; }},
      {"--report", "OUT.html", "write the report (HTML) to OUT.html", kConfig, CheckPath,
       [](C& c, V v) { c.config.reportPath = v; }},
      {"--sections", "LIST|all", "report sections for this run (default: the stored report settings)",
       kConfig, CheckSections, [](C& c, V v) { c.config.reportSections = v; }},
      {"--register", "DB",
       "register the result (and the report) in the result register of the host's database DB (created when "
       "missing)",
       kConfig, CheckPath, [](C& c, V v) { c.config.registerPath = v; }},

      {"--method", "N|NAME", "0 astm-d2887-a, 2 gost-56720-a, 3 gost-56720-b, 4 gost-54291, 5 gost-iso-3924",
       kDialog, CheckMethod, [](C& c, V v) { c.analysis->Method = std::stoi(v); }},
      {"--time-start", "MIN", "start of sample elution, min", kDialog, CheckNumber,
       [](C& c, V v) { c.analysis->TimeStartSample = v; }},
      {"--step-percent", "PCT|default", "percent step of the distillation table", kDialog, CheckStepPercent,
       [](C& c, V v) {
         c.analysis->UseDefaultStep = v == "default" ? 1 : 0;
         c.analysis->StepPercent = v == "default" ? std::string() : v;
       }},
      {"--sample-mass", "G", "mass of the sample, g", kDialog, CheckNumber,
       [](C& c, V v) { c.analysis->SampleMass = v; }},
      {"--std-mass", "G", "mass of the internal standard, g", kDialog, CheckNumber,
       [](C& c, V v) { c.analysis->StdMass = v; }},
      {"--start-mark", "DEGC", "start temperature of the fraction marks, °C", kDialog, CheckNumber,
       [](C& c, V v) { c.analysis->start_mark = v; }},
      {"--step-mark", "DEGC", "temperature step of the fraction marks, °C", kDialog, CheckNumber,
       [](C& c, V v) { c.analysis->step_mark = v; }},
      {"--h2s", "PCT", "mass fraction of hydrogen sulphide, %", kDialog, CheckNumber,
       [](C& c, V v) { c.analysis->H2SPercent = v; }},
      {"--mercaptan", "PCT", "mass fraction of mercaptan sulphur, %", kDialog, CheckNumber,
       [](C& c, V v) { c.analysis->MercaptanPercent = v; }},
      {"--water", "PCT", "mass fraction of water, %", kDialog, CheckNumber,
       [](C& c, V v) { c.analysis->WaterPercent = v; }},
      {"--reference", "lot1|lot2|custom", "reference gas oil", kDialog, CheckReference,
       [](C& c, V v) { c.analysis->RefType = std::stoi(v); }},

      {"--custom-reference", "FILE",
       "the laboratory's own reference gas oil (percent, temperature, deviation per line; stored, "
       "and chosen unless --reference says otherwise)",
       kProfile, CheckCustomReference, [](C& c, V v) { StoreCustomReference(c, v); }},
      {"--c1", "MIN", "retention time of methane, min (stored)", kProfile, CheckNumber,
       [](C& c, V v) { StoreTime(c, "time_C1", v); }},
      {"--c2", "MIN", "retention time of ethane, min (stored)", kProfile, CheckNumber,
       [](C& c, V v) { StoreTime(c, "time_C2", v); }},
      {"--c3", "MIN", "retention time of propane, min (stored)", kProfile, CheckNumber,
       [](C& c, V v) { StoreTime(c, "time_C3", v); }},
      {"--c4", "MIN", "retention time of n-butane, min (stored)", kProfile, CheckNumber,
       [](C& c, V v) { StoreTime(c, "time_C4", v); }},
  };
  return options;
}

bool ParseOptionArguments(const std::vector<OptionSpec>& table, const std::vector<std::string>& arguments,
                          ParsedCalc& parsed, std::string& error) {
  bool filesOnly = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (filesOnly || argument.empty() || argument[0] != '-' || argument == "-") {
      parsed.config.files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      filesOnly = true;
      continue;
    }
    if (argument == "-h" || argument == "--help") {
      parsed.help = true;
      continue;
    }
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const OptionSpec* matched = nullptr;
    for (const OptionSpec& option : table) {
      if (name == option.name) matched = &option;
    }
    if (matched == nullptr) {
      error = "unknown option " + name;
      return false;
    }
    std::string value;
    if (matched->value == nullptr) {
      if (equals != std::string::npos) {
        error = name + " takes no value";
        return false;
      }
    } else if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) {
      value = arguments[++i];
    } else {
      // "--report --sections all" must not write a report named "--sections": an argument
      // beginning with "--" is an option, never a value (give it as --report=--name).
      error = name + " needs a value (" + matched->value + ")";
      if (i + 1 < arguments.size()) error += "; " + arguments[i + 1] + " is an option, not a value";
      return false;
    }
    std::string normal;
    if (matched->check != nullptr) {
      std::string reason;
      if (!matched->check(value, normal, reason)) {
        error = name + ": " + reason;
        return false;
      }
    }
    parsed.given.push_back({matched, normal});
    if (matched->phase == OptionPhase::Config) {
      OptionContext context{parsed.config};
      matched->apply(context, normal);
    }
  }
  return true;
}

bool ParseCalcArguments(const std::vector<std::string>& arguments, ParsedCalc& parsed, std::string& error) {
  if (!ParseOptionArguments(CalcOptions(), arguments, parsed, error)) return false;
  if (parsed.help) return true;
  if (parsed.config.idsGiven && !parsed.config.database) {
    error = "--ids needs --db";
    return false;
  }
  if (parsed.config.files.empty() && !parsed.config.idsGiven) {
    error = "no chromatogram files and no --ids given";
    return false;
  }
  return true;
}

void ApplyOptions(const ParsedCalc& parsed, OptionPhase phase, OptionContext& context) {
  for (const GivenOption& given : parsed.given) {
    if (given.option->phase == phase) given.option->apply(context, given.value);
  }
}

bool HasOptions(const ParsedCalc& parsed, OptionPhase phase) {
  for (const GivenOption& given : parsed.given) {
    if (given.option->phase == phase) return true;
  }
  return false;
}

std::string CalcUsage() {
  std::string text =
      "usage: simdist calc [options] FILE...\n"
      "       simdist calc [options] --db DB --ids ID,ID,...\n"
      "\n"
      "Adds the chromatograms (roles from their passports), recalculates and prints a summary.\n"
      "Analysis settings are stored in the profile the way the settings dialog stores them.\n"
      "\n"
      "options:\n";
  text += OptionsHelp(CalcOptions());
  text +=
      "  -h, --help                  this text\n"
      "\n"
      "exit status: 0 done, 1 a failure during the run (database, output), 2 usage error,\n"
      "             3 nothing could be added or the calculation stopped before its results\n";
  return text;
}

std::string OptionsHelp(const std::vector<OptionSpec>& table) {
  std::string text;
  for (const OptionSpec& option : table) {
    std::string head = std::string("  ") + option.name;
    if (option.value != nullptr) head += std::string(" ") + option.value;
    if (head.size() < 30)
      head.resize(30, ' ');
    else
      head += "  ";
    text += head + option.help + "\n";
  }
  return text;
}

std::optional<std::string> GivenValue(const ParsedCalc& parsed, std::string_view name) {
  std::optional<std::string> value;
  for (const GivenOption& given : parsed.given) {
    if (name == given.option->name) value = given.value;
  }
  return value;
}

}  // namespace p528::simdist
