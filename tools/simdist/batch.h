// `simdist batch`: a day's sequence in one command. The runs come from files, folders or the
// host's assay database; they are grouped by sample and paired with the sequence's
// calibration, blank, reference and check runs (host/kit/sequence_plan.h); every sample is
// calculated as `simdist calc` calculates its set, several at once; each sample's JSON and
// report go to --report-dir, the summary to the terminal, --summary and --summary-json.
#pragma once

#include "report_output.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace p528::simdist {

// Exit status of a batch run.
enum BatchStatus : int {
  BatchDone = 0,      // every sample calculated, every run read, every output written
  BatchFailure = 1,   // a sample failed, a run could not be read, or an output was not written
  BatchUsage = 2,     // a usage error, an unreadable option value, an output that may not be written
  BatchNoSample = 3,  // the sequence holds no analysis or internal-standard run
};

// Runs `simdist batch` with the arguments after "batch": the summary (and progress lines)
// to `out`, notices, the progress bar on a terminal and errors to `err`.
int RunBatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    ChartRendererFactory pictures = nullptr);

}  // namespace p528::simdist
