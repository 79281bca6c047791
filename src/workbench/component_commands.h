// The components dialog's OK: the pending edits are applied to a copy of the component
// table, which Workbench::ApplyComponents writes over the table's file (atomically:
// temporary file and rename) before it becomes the workbench's table and the set is
// recalculated. A save that fails ends the command before anything changes: the
// table in memory and its file stay as they were, and nothing is recalculated.
//
// User-interface thread only.
#pragma once

#include "workbench/component_edits.h"

#include <string>

namespace p528 {

class Workbench;

// True when saved and recalculated; false with the reason in `error` (the file's name and
// the system's cause) when the table could not be saved.
bool ApplyComponentEditsAndSave(Workbench& workbench, const ComponentEdits& edits, std::string& error);

}  // namespace p528
