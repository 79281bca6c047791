// The runs of a sequence read from where a laboratory keeps them: chromatogram files named
// one by one, a folder of a day's runs, or assays of the host's database (chosen by id or by
// the time of analysis). Each run is read once for its passport: role, sample name, time.
#pragma once

#include "host/kit/assay_database.h"
#include "host/kit/sequence_plan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace p528 {
class Shell;
}

namespace p528::hostkit {

// Reads the chromatogram at `path` (made absolute). The role is the first role whose
// passport text the file's role text is, in the interface language or the module's own
// (a sequence counts no limits).
SequenceRun ReadSequenceRun(const Shell& shell, const std::string& path, int64_t assayId = -1);

// The chromatograms of a folder, by file name: its regular files that begin with "STG"
// (a file that does not is no chromatogram and is passed over, as are hidden files and
// subfolders; a chromatogram that is damaged is kept, NotReadable). False with `error` when
// the folder cannot be listed.
bool ReadSequenceFolder(const Shell& shell, const std::string& folder, std::vector<SequenceRun>& runs,
                        std::string& error);

// The assays of the sequence, in the order of `ids`: each visible assay's file, read; an id
// without a visible row gives a NoSuchAssay run.
std::vector<SequenceRun> ReadSequenceAssays(const Shell& shell, const AssayDatabase& database,
                                            const std::vector<int64_t>& ids);

// The visible assays analysed at or after `from` and before `until` (seconds since 1970 UTC;
// an absent bound is open), by id.
std::vector<int64_t> AssaysAnalysedBetween(const AssayDatabase& database, std::optional<int64_t> from,
                                           std::optional<int64_t> until);

}  // namespace p528::hostkit
