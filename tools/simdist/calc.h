// `simdist calc`: hosts the core in process and runs one calculation as the main window would
// run it: the profile store, the assay database and the assay dialog are offered as host
// services; the workbench initialises (component table, remembered files, instrument number,
// assay ids, recalculation), the analysis settings given are typed into the settings dialog
// and accepted, the files are added, and the results are printed and written as JSON.
#pragma once

#include "report_output.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace p528::simdist {

// Exit status of a run.
enum ExitStatus : int {
  ExitDone = 0,
  ExitFailure = 1,     // a database error, an output or profile that could not be written
  ExitUsage = 2,       // a usage error, an unreadable option value, an output that may not be written
  ExitIncomplete = 3,  // nothing could be added, or the calculation stopped before its results
};

// Runs `simdist calc` with the arguments after "calc"; the summary (and "--json -") go to
// `out`, notices and errors to `err`. `pictures` makes the report's chart renderer (nullptr:
// no charts can be drawn).
int RunCalcCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   ChartRendererFactory pictures = nullptr);

// The component table simdist uses without --components: "tqle528data.csv" beside the
// executable, else the one of the source tree it was built from; "" when neither exists.
std::string DefaultComponentPath();

}  // namespace p528::simdist
