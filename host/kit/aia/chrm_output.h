// Writing an imported chromatogram where the user wants it: atomically (a temporary file in
// the target's folder, renamed into place, so a reader never sees half a file and a failed
// write leaves nothing behind), never over an existing file unless forced, and never over the
// file it was imported from.
#pragma once

#include "chromatogram/chrm_file.h"

#include <string>

namespace p528::aia {

// Target of the file imported from `aiaPath`: inside `folder` (the AIA file's own folder when
// `folder` is empty), the AIA file's name with its extension replaced by ".chrm".
std::string ImportedPath(const std::string& aiaPath, const std::string& folder);

// Writes `file` to `target`. Returns "" when written (file.passport.path is then `target`),
// else why not: the target exists and `force` is false; the target is `source` (the file
// read, even when forced); the folder is missing or not writable; the chromatogram writer
// failed (its status is named).
std::string WriteChrmFile(ChrmFile& file, const std::string& target, bool force,
                          const std::string& source = "");

}  // namespace p528::aia
