// `simdist batch --register DB`: the samples' records registered in the result register of
// the host's database, on the calling thread and in sequence order (so the entries follow
// the sequence whatever order the workers finished in). The register is opened once; a
// register that cannot be opened or an entry that cannot be written fails that sample, in
// words, and the others go on.
#pragma once

#include "sample_calc.h"

#include <string>
#include <vector>

namespace p528::simdist {

// Registers the record of every sample that has one; a sample registered gets its entry's
// id and the line "simdist: SAMPLE: registered as entry N in DB" in its log; one that is not
// is no longer done and says why in its failure.
void RegisterSamples(const std::string& path, std::vector<SampleOutcome>& samples);

}  // namespace p528::simdist
