// Options of `simdist calc`: one table, one line per option. Each line names the option,
// its value, its help text, when it takes effect and how its value is checked and applied.
//
// Values are checked while the command line is parsed, before anything is read or stored:
// an unreadable value is a usage error (exit 2) and leaves the profile untouched. Checked
// values are applied later, in the phase of their option:
//   Config   the run itself (profile file, database, language, output);
//   Profile  settings the windows store at once on every change (the calibration tab's
//            C1-C4 times), written before the workbench starts;
//   Dialog   the analysis settings dialog: opened, the values typed, OK pressed (what the
//            dialog stores is stored, the rest lives in the engine for this run);
//   Report   report settings, stored before the workbench starts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace p528 {
class Shell;
class CAnalysis;
}  // namespace p528

namespace p528::simdist {

// What the run itself needs (the Config options and the files).
struct CalcConfig {
  std::string profilePath;              // "" until set; the default is chosen by the caller
  std::optional<std::string> database;  // --db
  std::vector<int> assayIds;            // --ids
  bool idsGiven = false;
  std::string language = "ru";                // --lang ru|en
  std::optional<std::string> components;      // --components
  std::optional<std::string> jsonPath;        // --json ("-" = standard output)
  bool restore = true;                        // --no-restore clears it
  bool summary = true;                        // --no-summary clears it
  std::vector<std::string> files;             // the FILE arguments, as given
  std::optional<std::string> reportPath;      // --report
  std::optional<std::string> reportSections;  // --sections (checked), this run only
  std::optional<std::string> registerPath;    // --register
};

enum class OptionPhase { Config, Profile, Dialog, Report };

struct OptionContext {
  CalcConfig& config;
  const Shell* shell = nullptr;   // Profile, Dialog and Report phases
  CAnalysis* analysis = nullptr;  // Dialog phase
};

// Checks a value: true with `normal` set to the value to apply, or false with `error` set
// (a short reason, without the option's name).
using ValueCheck = bool (*)(std::string_view value, std::string& normal, std::string& error);
using ValueApply = void (*)(OptionContext& context, const std::string& value);

struct OptionSpec {
  const char* name;   // "--sample-mass"
  const char* value;  // name of the value in the help ("G"); nullptr for a flag
  const char* help;
  OptionPhase phase;
  ValueCheck check;  // nullptr for a flag
  ValueApply apply;
};

// Every option of `simdist calc`, in the order the help lists them.
const std::vector<OptionSpec>& CalcOptions();

struct GivenOption {
  const OptionSpec* option;
  std::string value;  // the checked value
};

struct ParsedCalc {
  CalcConfig config;
  std::vector<GivenOption> given;  // in command-line order
  bool help = false;
};

// Parses `arguments` against the options of `table` (arguments that are no option are
// files); Config options are applied at once. False with `error` set on a usage error.
bool ParseOptionArguments(const std::vector<OptionSpec>& table, const std::vector<std::string>& arguments,
                          ParsedCalc& parsed, std::string& error);

// The checked value of the last `name` option given; absent when it was not given.
std::optional<std::string> GivenValue(const ParsedCalc& parsed, std::string_view name);

// Parses the arguments after "calc". False with `error` set on a usage error.
bool ParseCalcArguments(const std::vector<std::string>& arguments, ParsedCalc& parsed, std::string& error);

// Applies the given options of one phase, in command-line order.
void ApplyOptions(const ParsedCalc& parsed, OptionPhase phase, OptionContext& context);
bool HasOptions(const ParsedCalc& parsed, OptionPhase phase);

// A file name that is not empty.
bool CheckPath(std::string_view value, std::string& normal, std::string& error);

// Assay ids (whole numbers) separated by commas, at most `most` of them.
bool CheckIdList(std::string_view value, std::size_t most, std::string& normal, std::string& error);

// A method as --method names it (number or name); `normal` is its number as text.
bool CheckMethodName(std::string_view value, std::string& normal, std::string& error);

// The help text of `simdist calc`.
std::string CalcUsage();
// One line per option of `table`, as the help texts list them.
std::string OptionsHelp(const std::vector<OptionSpec>& table);

}  // namespace p528::simdist
