#include "workbench/component_commands.h"

#include "workbench/workbench.h"

namespace p528 {

bool ApplyComponentEditsAndSave(Workbench& workbench, const ComponentEdits& edits, std::string& error) {
  ComponentTable edited = workbench.components;
  ApplyComponentEdits(edited, edits);
  try {
    SaveComponentTable(workbench.componentPath, edited);
  } catch (const ComponentTableSaveError& failure) {
    error = failure.what();
    return false;
  }
  // Assigned in place: the engine keeps a reference to this table.
  workbench.components = std::move(edited);
  workbench.Recalculate();
  return true;
}

}  // namespace p528
