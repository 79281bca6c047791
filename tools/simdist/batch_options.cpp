#include "batch_options.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>

namespace p528::simdist {

namespace {

// The options of `simdist calc` a sequence takes: the settings of every sample's set.
// --json, --report, --no-restore and --ids have the batch's own meaning or none.
bool SharedWithCalc(const OptionSpec& option) {
  static constexpr const char* kConfig[] = {"--profile",  "--db",         "--lang",    "--components",
                                            "--sections", "--no-summary", "--register"};
  if (option.phase != OptionPhase::Config) return true;
  return std::any_of(std::begin(kConfig), std::end(kConfig),
                     [&option](const char* name) { return std::string_view(name) == option.name; });
}

// A sequence may hold more assays than the assay dialog returns.
bool CheckSequenceIds(std::string_view value, std::string& normal, std::string& error) {
  return CheckIdList(value, std::numeric_limits<std::size_t>::max(), normal, error);
}

// A moment as seconds since 1970 UTC; a day alone given to --to means its end.
template <bool EndOfDay>
bool CheckMoment(std::string_view value, std::string& normal, std::string& error) {
  const std::optional<int64_t> moment = ParseMoment(value, EndOfDay);
  if (!moment) {
    error = "\"" + std::string(value) + "\" is not a date (YYYY-MM-DD or YYYY-MM-DD HH:MM)";
    return false;
  }
  normal = std::to_string(*moment);
  return true;
}

bool CheckDay(std::string_view value, std::string& normal, std::string& error) {
  const std::optional<int64_t> from = value.size() == 10 ? ParseMoment(value, false) : std::nullopt;
  if (!from) {
    error = "\"" + std::string(value) + "\" is not a day (YYYY-MM-DD)";
    return false;
  }
  normal = std::to_string(*from) + " " + std::to_string(*ParseMoment(value, true));
  return true;
}

bool CheckJobs(std::string_view value, std::string& normal, std::string& error) {
  const std::string text(value);
  int jobs = 0;
  int used = 0;
  if (std::sscanf(text.c_str(), "%d%n", &jobs, &used) != 1 || static_cast<std::size_t>(used) != text.size() ||
      jobs < 1 || jobs > 256) {
    error = "\"" + text + "\" is not a number of workers (1 to 256)";
    return false;
  }
  normal = text;
  return true;
}

void Nothing(OptionContext&, const std::string&) {}

const std::vector<OptionSpec>& BatchOptions() {
  constexpr OptionPhase kBatch = OptionPhase::Config;
  static const std::vector<OptionSpec> options = [] {
    std::vector<OptionSpec> table = {
        {"--ids", "ID,ID,...", "assays of the sequence (needs --db)", kBatch, CheckSequenceIds, Nothing},
        {"--day", "YYYY-MM-DD", "the assays analysed that day, local time (needs --db)", kBatch, CheckDay,
         Nothing},
        {"--from", "DATE", "the assays analysed at or after DATE (YYYY-MM-DD [HH:MM]; needs --db)", kBatch,
         CheckMoment<false>, Nothing},
        {"--to", "DATE", "the assays analysed at or before DATE (a day: to its end; needs --db)", kBatch,
         CheckMoment<true>, Nothing},
        {"--calibration-run", "FILE", "the calibration run of every sample (default: the latest before it)",
         kBatch, CheckPath, Nothing},
        {"--blank-run", "FILE", "the blank run of every sample", kBatch, CheckPath, Nothing},
        {"--reference-run", "FILE", "the reference gas oil run of every sample", kBatch, CheckPath, Nothing},
        {"--check-run", "FILE", "the check mixture run of every sample", kBatch, CheckPath, Nothing},
        {"--report-dir", "DIR", "write each sample's JSON and report (HTML) into DIR", kBatch, CheckPath,
         Nothing},
        {"--summary", "OUT.csv", "write the sequence's summary table as CSV", kBatch, CheckPath, Nothing},
        {"--summary-json", "OUT.json", "write the sequence's summary as JSON", kBatch, CheckPath, Nothing},
        {"--jobs", "N", "samples calculated at once (default: one per core)", kBatch, CheckJobs, Nothing},
        {"--progress-lines", nullptr, "print \"progress DONE TOTAL\" lines on standard output (for a host)",
         kBatch, nullptr, Nothing},
    };
    for (const OptionSpec& option : CalcOptions()) {
      if (SharedWithCalc(option)) table.push_back(option);
    }
    return table;
  }();
  return options;
}

}  // namespace

std::optional<int64_t> ParseMoment(std::string_view text, bool endOfDay) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  int used = 0;
  const std::string value(text);
  bool dateOnly = false;
  if (std::sscanf(value.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &used) != 3 || used != 10) return {};
  if (value.size() == 10) {
    dateOnly = true;
  } else {
    if (value[10] != ' ' && value[10] != 'T') return {};
    int rest = 0;
    const std::string time = value.substr(11);
    if (std::sscanf(time.c_str(), "%2d:%2d%n", &hour, &minute, &rest) != 2 || rest != 5) return {};
    if (time.size() > 5 &&
        (std::sscanf(time.c_str() + 5, ":%2d%n", &second, &rest) != 1 || rest != 3 || time.size() != 8))
      return {};
  }
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59) return {};
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day + (dateOnly && endOfDay ? 1 : 0);
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second + (!dateOnly && endOfDay ? 1 : 0);
  local.tm_isdst = -1;
  const std::time_t moment = std::mktime(&local);
  if (moment == static_cast<std::time_t>(-1)) return {};
  // A day the month does not have ("2024-02-30") is refused, not moved to the next month.
  std::tm check{};
  check.tm_year = year - 1900;
  check.tm_mon = month - 1;
  check.tm_mday = day;
  check.tm_hour = 12;
  check.tm_isdst = -1;
  if (std::mktime(&check) == static_cast<std::time_t>(-1) || check.tm_mday != day ||
      check.tm_mon != month - 1)
    return {};
  return static_cast<int64_t>(moment);
}

bool ParseBatchArguments(const std::vector<std::string>& arguments, ParsedCalc& parsed, BatchConfig& batch,
                         std::string& error) {
  if (!ParseOptionArguments(BatchOptions(), arguments, parsed, error)) return false;
  if (parsed.help) return true;
  batch.sources = parsed.config.files;
  if (const auto ids = GivenValue(parsed, "--ids")) {
    std::size_t start = 0;
    while (start <= ids->size()) {
      std::size_t end = ids->find(',', start);
      if (end == std::string::npos) end = ids->size();
      batch.assayIds.push_back(std::stoi(ids->substr(start, end - start)));
      start = end + 1;
    }
  }
  if (const auto day = GivenValue(parsed, "--day")) {
    const std::size_t blank = day->find(' ');
    batch.from = std::stoll(day->substr(0, blank));
    batch.until = std::stoll(day->substr(blank + 1));
  }
  if (const auto from = GivenValue(parsed, "--from")) batch.from = std::stoll(*from);
  if (const auto to = GivenValue(parsed, "--to")) batch.until = std::stoll(*to);
  const char* named[] = {"--calibration-run", "--blank-run", "--reference-run", "--check-run"};
  for (std::size_t i = 0; i < batch.named.size(); ++i) batch.named[i] = GivenValue(parsed, named[i]);
  batch.reportDir = GivenValue(parsed, "--report-dir");
  batch.summaryCsv = GivenValue(parsed, "--summary");
  batch.summaryJson = GivenValue(parsed, "--summary-json");
  if (const auto jobs = GivenValue(parsed, "--jobs")) batch.jobs = static_cast<unsigned>(std::stoi(*jobs));
  batch.progressLines = GivenValue(parsed, "--progress-lines").has_value();

  if (batch.FromDatabase() && !parsed.config.database) {
    error = "--ids, --day, --from and --to choose assays of a database: they need --db";
    return false;
  }
  if (batch.sources.empty() && !batch.FromDatabase()) {
    error =
        "no sequence given: name chromatogram files or folders, or choose assays with --db and --ids, "
        "--day, --from or --to";
    return false;
  }
  if (batch.from && batch.until && *batch.until <= *batch.from) {
    error = "--to lies before --from";
    return false;
  }
  return true;
}

std::string BatchHelp() {
  return "usage: simdist batch [options] FILE|FOLDER...\n"
         "       simdist batch [options] --db DB (--ids ID,ID,... | --day YYYY-MM-DD | --from DATE --to "
         "DATE)\n"
         "\n"
         "Reads every run of a sequence, groups the analyses and internal-standard runs by sample name\n"
         "(letter case and blanks aside), pairs each sample with the latest calibration, blank, reference\n"
         "and check runs before its first run (or the ones named), and calculates every sample as\n"
         "`simdist calc` would, in parallel. The profile is read, never written.\n"
         "\n"
         "options:\n" +
         OptionsHelp(BatchOptions()) +
         "  -h, --help                  this text\n"
         "\n"
         "exit status: 0 every sample calculated, 1 a sample failed or was not registered, a run could\n"
         "             not be read or an output could not be written, 2 usage error, 3 the sequence\n"
         "             holds no sample\n";
}

}  // namespace p528::simdist
