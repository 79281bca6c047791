// The chromatogram set and the host's assays: choosing assays in the host's dialog, turning
// assay ids into files through the assay database, finding the ids of remembered files, and
// opening assays in the host.
//
// Each database operation opens the assay database at its start and closes it at its end.
// Every SQLite failure raises DataBase::SqlException and stops the operation at that
// statement; what was done before stays (files already added remain in the set).
//
// User-interface thread only.
#pragma once

#include "chromatogram/chrm_set.h"
#include "shell/shell.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace p528 {

inline constexpr int kAssayDialogCapacity = 256;

// First step of the add command: only when the host offers "Main/OpenAssayIdDlgEx" and
// "Cfg/DataPath", shows the host's assay dialog (owner `ownerWindow`, room for 256 ids).
// nullopt ends the command without change (a service missing, nothing chosen, a count
// above 256); a negative count gives no ids but the command goes on.
std::optional<std::vector<int>> AskAssayIds(const Shell& shell, intptr_t ownerWindow);

// Adds the files of the assays `ids`, in the order given: for each id the file names of its
// visible assay rows; each file is added as AddFile does, with the role limits counted once
// before the first. Files left out are appended to `skipped`. Throws DataBase::SqlException.
void AddAssayFiles(const Shell& shell, ChrmSet& set, const std::vector<int>& ids,
                   std::vector<SkippedFile>& skipped);

// Sets the assay id of each file of `paths` that is in the set and has a non-empty path from
// the visible assay rows holding that file name (the last row wins, NULL reads -1; without a
// row the id stays). Throws DataBase::SqlException.
void LookUpAssayIds(const Shell& shell, ChrmSet& set, const std::vector<std::string>& paths);

// Opens in the host ("Main/OpenAssayFile") the files of the assays `ids`, each id's rows in
// the order the database returns them (hidden and deleted assays included). Does not ask
// whether the host offers the service. Throws DataBase::SqlException.
void OpenAssaysInHost(const Shell& shell, const std::vector<int>& ids);

}  // namespace p528
