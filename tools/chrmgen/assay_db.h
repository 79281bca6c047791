// The assay database of a generated set: the host's own schema (host/kit/assay_database.h),
// rows with `id`, `filename` (full path), `sample`, `andate`, `date` and `role`, neither
// hidden nor deleted. The host and the command line add a set by these ids.
//
// The list of a set's assays is also kept as a tab-separated text file beside its
// chromatograms ("assays.txt": id, file name, sample, andate, role), so the database can be
// rebuilt with the full paths of wherever the set lies now.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace p528::chrmgen {

struct AssayRow {
  int id = 0;
  std::string filename;  // full path in the database, plain file name in "assays.txt"
  std::string sample;
  int64_t andate = 0;
  std::string role;
};

// Creates the database or brings its schema up to date and adds the rows in one
// transaction. A row already there is never replaced: a file registered already is left
// out, an id taken already gives the row the next free id. Returns the number of rows added;
// throws std::runtime_error with SQLite's message on failure (the database then stays as it
// was). With `sameFileAgain` a file registered already is added again (benchmark rounds).
size_t WriteAssayDatabase(const std::string& path, const std::vector<AssayRow>& rows,
                          bool sameFileAgain = false);

std::string AssayListText(const std::vector<AssayRow>& rows);
// Reads "assays.txt"; rows that do not parse are skipped. Throws std::runtime_error when
// the file cannot be read.
std::vector<AssayRow> ReadAssayList(const std::string& path);

}  // namespace p528::chrmgen
