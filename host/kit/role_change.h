// Changing the role of a registered assay (a blank filed as an analysis): the role text is
// rewritten in the passport field "Chrm_Type" of the host's own copy of the chromatogram and
// in the database row, so the plug-in and the lists agree.
//
// A file inside the data folder is the host's copy and is replaced atomically (readers see
// the old file or the whole new one). A file kept elsewhere (a folder the generator indexed,
// a shared folder) is never written: the host stores a copy with the new role in the data
// folder and the row names the copy from then on. When the database cannot be written, the
// file is put back as it was (or the new copy removed): nothing changes.
#pragma once

#include "host/kit/assay_database.h"

#include <string>

namespace p528::hostkit {

// Changes assay `id` to `role` (1..6). "" when done, else the reason in words (no such
// assay, the file does not read, the copy cannot be written, the database's message).
std::string ChangeAssayRole(AssayDatabase& database, const std::string& dataFolder, int64_t id, int role);

}  // namespace p528::hostkit
