// A day's sequence made of a generated set's runs, as an instrument records it: the set's
// calibration, blank, check mixture and reference gas oil first, then `samples` samples of
// `injections` parallel analyses each. The analyses are the set's own signals taken in
// turn, each written as a run of its own: sample "Проба N", its own time of analysis (one
// run length and the cooling after the other) and its own assay GUID. For the batch
// calculation's tests and benchmarks.
#pragma once

#include "chromatogram_set.h"

#include <string>
#include <vector>

namespace p528::chrmgen {

// Writes the sequence into `folder` (created when missing) as NNN_<run>.chrm and returns the
// full paths in the order recorded. Throws std::runtime_error naming a file that could not
// be written, std::invalid_argument when the set has no calibration, blank or analysis.
std::vector<std::string> WriteSequence(const GeneratedSet& set, const std::string& folder, int samples,
                                       int injections);

}  // namespace p528::chrmgen
