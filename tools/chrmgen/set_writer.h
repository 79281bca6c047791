// Writing a generated set to its folder:
//   NN_<run>.chrm     the chromatograms, in the order they were recorded;
//   tqle528data.csv   the component table the set was made with (copied byte for byte);
//   manifest.json     roles, settings, calibration, expected distributions (docs/generator.md);
//   masses.json       sample and internal-standard masses (sets with an internal standard);
//   assays.txt        the assay list (id, file, sample, andate, role);
//   assays.db         the SQLite assay database with full paths (unless switched off).
// Everything but assays.db depends only on the generator's options: the same seed gives the
// same bytes wherever the folder lies.
#pragma once

#include <cstdint>
#include <string>

#include "chromatogram_set.h"

namespace p528::chrmgen {

std::string ManifestJson(const GeneratedSet& set);

// Creates the folder when missing and writes the set into it. Throws std::runtime_error
// naming the file that could not be written.
void WriteSet(const GeneratedSet& set, const std::string& folder, const std::string& componentFile,
              bool withDatabase = true);

// Adds to an assay database the runs of the "assays.txt" of each folder, with the full paths
// of where the folders lie now; rows already in it stay as they are (see
// WriteAssayDatabase). Returns the number of assays added; throws std::runtime_error.
// With `assays` above the folders' count (a laboratory's years, for benchmarks), their rows
// are registered again and again, each round a day later with new ids, until there are
// `assays` rows.
int IndexSets(const std::vector<std::string>& folders, const std::string& database, int64_t assays = 0);

}  // namespace p528::chrmgen
