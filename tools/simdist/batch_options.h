// Options of `simdist batch`: the settings options of `simdist calc` (profile, database,
// language, component table, report sections, the analysis settings and the calibration
// tab's times), and the sequence's own: where its runs come from, the runs named for every
// sample, the outputs and the number of workers.
#pragma once

#include "options.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace p528::simdist {

struct BatchConfig {
  std::vector<std::string> sources;  // chromatogram files and folders, as given
  std::vector<int> assayIds;         // --ids
  std::optional<int64_t> from;       // --from / --day: analysed at or after (seconds since 1970 UTC)
  std::optional<int64_t> until;      // --to / --day: analysed before
  // --calibration-run, --blank-run, --reference-run, --check-run: by hostkit::kPairedRoles.
  std::array<std::optional<std::string>, 4> named;
  std::optional<std::string> reportDir;    // each sample's JSON and report
  std::optional<std::string> summaryCsv;   // --summary
  std::optional<std::string> summaryJson;  // --summary-json
  unsigned jobs = 0;                       // workers; 0: one per core
  bool progressLines = false;              // "progress DONE TOTAL" lines for a host program
  bool FromDatabase() const { return !assayIds.empty() || from || until; }
};

// Parses the arguments after "batch". False with `error` set on a usage error.
bool ParseBatchArguments(const std::vector<std::string>& arguments, ParsedCalc& parsed, BatchConfig& batch,
                         std::string& error);

// The help text of `simdist batch`.
std::string BatchHelp();

// A moment as a user gives it, local time: "YYYY-MM-DD", "YYYY-MM-DD HH:MM" or with "T" and
// optional seconds. `endOfDay` makes a date alone mean the end of that day (for --to).
// Returns seconds since 1970 UTC, or nothing when the text is not such a moment.
std::optional<int64_t> ParseMoment(std::string_view text, bool endOfDay);

}  // namespace p528::simdist
